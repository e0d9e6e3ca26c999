-- Business units and cost-centre distributions of the demo company.

INSERT INTO TA_UNIDADNEGOCIO (CODIGO, Descripcion) VALUES
    ('   1', 'CASA CENTRAL'),
    ('   2', 'SUCURSAL NORTE');

-- Salaries are spread over administration and sales, with a different split at the branch.
INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE, FECHAHORA_MODIFICACION, PideConfirmacion, VariablePorUD) VALUES
    ('51010100101', '111', 60, '2026-07-01 09:00:00', 0, 1),
    ('51010100101', '21', 40, '2026-07-01 09:00:00', 0, 1),
    ('11010100102', '3', 100, '2026-07-01 09:00:00', 1, 0);

INSERT INTO MA_CUENTASCCOSTO_UNEG (CODIGO, CCOSTO, UNEGOCIO, PORCENTAJE) VALUES
    ('51010100101', '111', '   1', 70),
    ('51010100101', '21', '   1', 30),
    ('51010100101', '12', '   2', 50),
    ('51010100101', '22', '   2', 50);

-- The July salaries were posted to cost centres; the cash account has none.
INSERT INTO MV_ASIENTOSCCOSTO (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], SECUENCIA, TIPO_REG, CCOSTO, CUENTA, Importe) VALUES
    ('2027', 7, 1, 1, '', '111', '51010100101', 90000),
    ('2027', 7, 1, 1, '', '21', '51010100101', 60000);
