-- Journal of the demo company from January 2022 to November 2026, posted on the accounts of the
-- demo chart. Each month holds two general entries (salaries; a transfer between the cash
-- accounts), three entries of the sales sub-journal "V" with their invoices ("  FC", point of
-- sale 0001, letter A or B) and, up to October 2026, the month's summary entry of "V" (register
-- type U+00FF "RS", numbered with the general entries) with its row in MV_CONTROL_AS_RES. The
-- summary of March 2025 was reversed. July 2026 keeps the salary entry 1 of demo.sql.

INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux, Grupo, PoliticaNegocio) VALUES
    ('FECHAOPERDESDE', '01/07/2026', NULL, NULL, 0),
    ('FECHAOPERHASTA', '30/06/2027', NULL, NULL, 0),
    ('CONDIVA', '1', NULL, NULL, 0);

CREATE TEMP TABLE T_MESES AS
WITH RECURSIVE M(N, DESDE) AS (
    SELECT 0, '2022-01-01'
    UNION ALL SELECT N + 1, date(DESDE, '+1 month') FROM M WHERE DESDE < '2026-11-01'
)
SELECT M.N, M.DESDE, date(M.DESDE, '+1 month', '-1 day') AS HASTA, CAST(strftime('%m', M.DESDE) AS int) AS MES,
       CAST(E.PERIODO AS text) AS PERIODO
FROM M JOIN MV_EJERCICIOS E ON M.DESDE BETWEEN E.[Fecha Desde] AND E.[Fecha Hasta];

-- Salaries, entry 1 (July 2026 has it already).
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], SECUENCIA, TIPO_REG, FECHA, [DEBE-HABER], CUENTA,
                         IMPORTE, DETALLE, ESRESUMEN, EsAjuste)
SELECT PERIODO, MES, 1, L.S, '', HASTA, L.DH, L.CUENTA, L.F * (100000 + 2500 * N), L.DETALLE, 0, 0
FROM T_MESES,
     (SELECT 1 AS S, 'D' AS DH, '51010100101' AS CUENTA, 0.6 AS F, 'SUELDOS DEL MES' AS DETALLE
      UNION ALL SELECT 2, 'D', '51010100102', 0.4, 'HONORARIOS DEL MES'
      UNION ALL SELECT 3, 'H', '11010100101', 1.0, 'PAGO DE SUELDOS') L
WHERE DESDE <> '2026-07-01';

-- A transfer from the peso cash to the dollar cash, entry 2.
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], SECUENCIA, TIPO_REG, FECHA, [DEBE-HABER], CUENTA,
                         IMPORTE, DETALLE, ESRESUMEN, EsAjuste)
SELECT PERIODO, MES, 2, L.S, '', date(DESDE, '+14 days'), L.DH, L.CUENTA, 5000 + 100 * N, L.DETALLE, 0, 0
FROM T_MESES,
     (SELECT 1 AS S, 'D' AS DH, '11010100102' AS CUENTA, 'COMPRA DE DIVISAS' AS DETALLE
      UNION ALL SELECT 2, 'H', '11010100101', 'COMPRA DE DIVISAS') L;

-- Sales sub-journal: entries 1 to 3 of "V", invoice numbers running over the whole journal.
-- Entry 3 carries one debit against two credits.
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], SECUENCIA, TIPO_REG, FECHA, [DEBE-HABER], CUENTA,
                         IMPORTE, DETALLE, TC, SUCURSAL, NUMERO, LETRA, CABCUENTA, CABIMPORTE, ESRESUMEN, EsAjuste)
SELECT PERIODO, MES, V.A, L.S, 'V', date(DESDE, '+' || (V.A * 7) || ' days'), L.DH, L.CUENTA,
       L.F * (1000 + 10 * N + V.A), 'FACTURA ' || printf('0001-%08d', 3 * N + V.A), '  FC', '0001',
       printf('%08d', 3 * N + V.A), CASE V.A WHEN 2 THEN 'B' ELSE 'A' END, '11010100101', 1000 + 10 * N + V.A, 0, 0
FROM T_MESES,
     (SELECT 1 AS A UNION ALL SELECT 2 UNION ALL SELECT 3) V,
     (SELECT 1 AS S, 'D' AS DH, '11010100101' AS CUENTA, 1.0 AS F, 0 AS SOLO3
      UNION ALL SELECT 2, 'H', '11010100102', 1.0, 0
      UNION ALL SELECT 3, 'H', '11010100102', 0.5, 1) L
WHERE L.SOLO3 = 0 OR V.A = 3;
UPDATE MV_ASIENTOS SET IMPORTE = IMPORTE / 2.0 WHERE TIPO_REG = 'V' AND [NUMERO ASIENTO] = 3 AND SECUENCIA = 2;

-- The month's summary of "V", entry 3 of the general numbering.
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], SECUENCIA, TIPO_REG, FECHA, [DEBE-HABER], CUENTA,
                         IMPORTE, DETALLE, ESRESUMEN, EsAjuste)
SELECT PERIODO, MES, 3, L.S, char(255) || 'RS', HASTA, L.DH, L.CUENTA, 3006 + 30 * N, 'RESUMEN SUBDIARIO V', 1, 0
FROM T_MESES,
     (SELECT 1 AS S, 'D' AS DH, '11010100101' AS CUENTA UNION ALL SELECT 2, 'H', '11010100102') L
WHERE DESDE <= '2026-10-01';

INSERT INTO MV_CONTROL_AS_RES (SUBDIARIO, ID, Fecha_Desde, Fecha_Hasta, PERIODO, Anulado)
SELECT 'V', 3, DESDE, HASTA, CAST(PERIODO AS int), CASE WHEN DESDE = '2025-03-01' THEN 1 ELSE 0 END
FROM T_MESES WHERE DESDE <= '2026-10-01';

-- The inflation adjustment of the year closed in June 2026.
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], SECUENCIA, TIPO_REG, FECHA, [DEBE-HABER], CUENTA,
                         IMPORTE, DETALLE, ESRESUMEN, EsAjuste, Ajuste_Hasta)
VALUES ('2026', 6, 4, 1, '', '2026-06-30', 'D', '11010100102', 18250, 'AJUSTE POR INFLACION', 0, 1, '2026-06-30'),
       ('2026', 6, 4, 2, '', '2026-06-30', 'H', '11010100101', 18250, 'AJUSTE POR INFLACION', 0, 1, '2026-06-30');

DROP TABLE T_MESES;

INSERT INTO MA_SUBDIARIOSCOMPROBANTES (SUBDIARIO, TC) VALUES
    ('V', '  FC'),
    ('V', '  NC'),
    ('V', '  ND'),
    ('C', ' FCC'),
    ('C', ' NCC');

INSERT INTO TA_COMPROBANTES (CODIGO, DESCRIPCION, Letras, ModificaNumeracion, A_ULTIMO_NRO, A_NRO_DESDE, A_NRO_HASTA,
                             B_ULTIMO_NRO, B_NRO_DESDE, B_NRO_HASTA) VALUES
    ('  FC', 'FACTURA', 'AB', 'FALSO', 177, 1, 99999999, 176, 1, 99999999),
    ('  NC', 'NOTA DE CREDITO', 'AB', 'FALSO', 12, 1, 99999999, 4, 1, 99999999),
    ('  ND', 'NOTA DE DEBITO', 'AB', 'FALSO', 3, 1, 99999999, 0, 0, 0),
    (' FCC', 'FACTURA DE COMPRA', 'ABC', 'VERDADERO', 0, 0, 0, 0, 0, 0),
    (' NCC', 'NOTA DE CREDITO DE COMPRA', 'ABC', 'VERDADERO', 0, 0, 0, 0, 0, 0),
    ('  RE', 'RECIBO', 'X', 'VERDADERO', NULL, NULL, NULL, NULL, NULL, NULL);

INSERT INTO TA_CPTE (CODIGO, UNEGOCIO, TALONARIO, DESCRIPCION, A_SUC_DEFAULT, A_ULTIMO_NRO, B_SUC_DEFAULT,
                     B_ULTIMO_NRO) VALUES
    ('  FC', '   1', 1, 'FACTURAS CASA CENTRAL', 1, 177, 1, 176),
    ('  FC', '   1', 2, 'FACTURAS MOSTRADOR', 2, 35, 2, 80),
    ('  NC', '   1', 1, 'NOTAS DE CREDITO', 1, 12, 1, 4);

INSERT INTO MA_BIENES (CODIGO, DESCRIPCION, CUENTA, FECHA_ALTA, VALOR_ORIGEN) VALUES
    (1, 'CAJA FUERTE', '11010100101', '2022-03-15', 250000),
    (9, 'RODADO UTILITARIO', '11010100101', '2023-08-01', 4800000),
    (41, 'EQUIPO INFORMATICO', '11010100101', '2025-02-10', 1350000);

INSERT INTO MA_BIENES_novedades (CODIGO, ID, FECHA, DETALLE, IMPORTE) VALUES
    (41, 1, '2025-02-10', 'ALTA', 1350000),
    (41, 2, '2025-06-30', 'REVALUO', 150000),
    (41, 3, '2026-06-30', 'AMORTIZACION DEL EJERCICIO', -300000);
