-- Demo company "DISTRIBUIDORA DEL SUR S.A.": calendar fiscal years up to 2022, a six-month year to
-- June 2023, then July-to-June years. The indices reach 11/2026; the months up to the close of the
-- current year are left for the first start to create.

INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux, Grupo, PoliticaNegocio) VALUES
    ('NOMBRE', 'DISTRIBUIDORA DEL SUR S.A.', NULL, NULL, 0),
    ('NOMBRE_INDICE1', 'I.P.I.M.', NULL, NULL, 0),
    ('NOMBRE_INDICE2', 'I.P.C.', NULL, NULL, 0),
    ('NOMBRE_INDICE3', 'C.E.R.', NULL, NULL, 0),
    ('NOMBRE_INDICE4', 'U.V.A.', NULL, NULL, 0),
    ('ESCRIBE_SOLO_MAYUSCULAS', 'SI', NULL, NULL, 0),
    ('SS_BloqueoActivo', 'NO', NULL, NULL, 0),
    ('SS_CONFIDENCIALIDAD', 'NO', NULL, NULL, 0),
    ('PERIODO', '2027', NULL, NULL, 0),
    ('CFondo', '0', NULL, NULL, 0),
    ('CLetra', '0', NULL, NULL, 0),
    ('DIGITOS_CAPITULO', '1', NULL, NULL, 0),
    ('DIGITOS_SUBCAPITULO', '1', NULL, NULL, 0),
    ('DIGITOS_RUBRO', '2', NULL, NULL, 0),
    ('DIGITOS_SUBRUBRO', '2', NULL, NULL, 0),
    ('DIGITOS_CUENTA', '3', NULL, NULL, 0),
    ('DIGITOS_SUBCUENTA', '2', NULL, NULL, 0),
    ('UsaMultilesMonedas', 'SI', NULL, NULL, 0),
    ('GRP_Deshabilitado', '1', NULL, NULL, 0);

INSERT INTO TA_USUARIOS (NOMBRE, GRUPO, UNegocio, Administrador) VALUES
    ('ADMIN', 'ADMINISTRADORES', '   1', 1),
    ('OPERADOR', 'OPERADORES', '   1', 0);

INSERT INTO TA_MENU (Menu, Clave, Proceso, Nombre) VALUES
    ('CONTABLE', 'IND01', 'indajuste', 'Indices de Ajuste');

INSERT INTO TA_TAREAS (USUARIO, SISTEMA, TAREA) VALUES
    ('ADMIN', 'CONTABLE', 'IND01'),
    ('OPERADOR', 'CONTABLE', 'IND01');

INSERT INTO TA_MONEDAS (CODIGO, Descripcion) VALUES
    ('   1', 'PESOS'),
    ('   2', 'DOLARES'),
    ('   3', 'EUROS');

INSERT INTO TA_CCOSTO (Codigo, DESCRIPCION) VALUES
    ('ADM', 'ADMINISTRACION'),
    ('VTA', 'VENTAS');

INSERT INTO TA_CAJAS (IdCajas, Descripcion, CONFIDENCIAL) VALUES
    ('   1', 'CAJA 1', 0),
    ('   2', 'CAJA GERENCIA', 1);

INSERT INTO TA_DEPOSITO (IdDeposito, Descripcion, Unidad, CONFIDENCIAL) VALUES
    ('   1', 'DEPOSITO CENTRAL', '   1', 0);

INSERT INTO TA_FAMILIAS (IdFamilia, Descripcion, CONFIDENCIAL) VALUES
    ('   1', 'GENERAL', 0);

-- Terminals out of service, so that no save tries to reach them.
INSERT INTO TA_TPV (CODIGO, Descripcion, Server, Dbname, INTERNET, BAJA, CONECTADO) VALUES
    ('   1', 'SUCURSAL CENTRO', 'tpv-centro', 'TPV01', 0, 1, 0),
    ('   2', 'SUCURSAL NORTE', 'tpv-norte', 'TPV02', 1, 1, 0);

INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, AJUSTE, INDICE, Moneda, CONFIDENCIAL) VALUES
    ('1', 'ACTIVO', 1, 0, NULL, NULL, 0),
    ('11', 'ACTIVO CORRIENTE', 1, 0, NULL, NULL, 0),
    ('1101', 'DISPONIBILIDADES', 1, 0, NULL, NULL, 0),
    ('110101', 'CAJA Y BANCOS', 1, 0, NULL, NULL, 0),
    ('110101001', 'CAJA', 1, 0, NULL, NULL, 0),
    ('11010100101', 'CAJA PESOS', 0, 0, NULL, 1, 0),
    ('11010100102', 'CAJA DOLARES', 0, 1, 2, 2, 0),
    ('5', 'EGRESOS', 1, 0, NULL, NULL, 0),
    ('51', 'GASTOS DE ADMINISTRACION', 1, 0, NULL, NULL, 0),
    ('5101', 'REMUNERACIONES', 1, 0, NULL, NULL, 0),
    ('510101', 'SUELDOS', 1, 0, NULL, NULL, 0),
    ('510101001', 'SUELDOS Y JORNALES', 1, 0, NULL, NULL, 0),
    ('51010100101', 'SUELDOS PERSONAL', 0, 1, 1, 1, 0),
    ('51010100102', 'HONORARIOS DIRECTORIO', 0, 1, 1, 1, 1);

INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], SECUENCIA, TIPO_REG, FECHA, [DEBE-HABER], CUENTA,
                         IMPORTE, DETALLE) VALUES
    ('2027', 7, 1, 1, '', '2026-07-31 00:00:00', 'D', '51010100101', 150000, 'SUELDOS JULIO'),
    ('2027', 7, 1, 2, '', '2026-07-31 00:00:00', 'D', '51010100102', 90000, 'HONORARIOS JULIO'),
    ('2027', 7, 1, 3, '', '2026-07-31 00:00:00', 'H', '11010100101', 240000, 'PAGO JULIO');

INSERT INTO MV_EJERCICIOS (PERIODO, DESCRIPCION, [Fecha Desde], [Fecha Hasta], Cerrado, Cancelacion, Cierre) VALUES
    (2022, 'Ejercicio 2022', '2022-01-01', '2022-12-31', 1, 1, 1),
    (2023, 'Ejercicio 2023 (irregular, 6 meses)', '2023-01-01', '2023-06-30', 1, 1, 1),
    (2024, 'Ejercicio 2023/2024', '2023-07-01', '2024-06-30', 1, 1, 1),
    (2025, 'Ejercicio 2024/2025', '2024-07-01', '2025-06-30', 1, 1, 1),
    (2026, 'Ejercicio 2025/2026', '2025-07-01', '2026-06-30', 1, 0, 0),
    (2027, 'Ejercicio 2026/2027', '2026-07-01', '2027-06-30', 0, 0, 0);

-- The 2022 rows were written by a year save.
INSERT INTO MA_INDAJUSTE (Anio, Mes, Importe1, Importe2, Importe3, Importe4, Indice1, Indice2, Indice3, Indice4,
                          fechahora_grabacion) VALUES
    (2022, 1, 1000.00, 800.00, 0, 0, 1.671, 1.574, 0, 0, '2023-02-10 09:15:00'),
    (2022, 2, 1057.00, 830.40, 0, 0, 1.581, 1.516, 0, 0, '2023-02-10 09:15:00'),
    (2022, 3, 1091.88, 881.05, 0, 0, 1.530, 1.429, 0, 0, '2023-02-10 09:15:00'),
    (2022, 4, 1168.31, 908.36, 0, 0, 1.430, 1.386, 0, 0, '2023-02-10 09:15:00'),
    (2022, 5, 1222.05, 957.41, 0, 0, 1.367, 1.315, 0, 0, '2023-02-10 09:15:00'),
    (2022, 6, 1248.94, 980.39, 0, 0, 1.338, 1.284, 0, 0, '2023-02-10 09:15:00'),
    (2022, 7, 1322.63, 1026.47, 0, 0, 1.263, 1.226, 0, 0, '2023-02-10 09:15:00'),
    (2022, 8, 1368.92, 1043.92, 0, 0, 1.221, 1.206, 0, 0, '2023-02-10 09:15:00'),
    (2022, 9, 1467.48, 1085.68, 0, 0, 1.139, 1.160, 0, 0, '2023-02-10 09:15:00'),
    (2022, 10, 1537.92, 1154.08, 0, 0, 1.086, 1.091, 0, 0, '2023-02-10 09:15:00'),
    (2022, 11, 1574.83, 1192.16, 0, 0, 1.061, 1.056, 0, 0, '2023-02-10 09:15:00'),
    (2022, 12, 1670.89, 1258.92, 0, 0, 1.000, 1.000, 0, 0, '2023-02-10 09:15:00'),
    (2023, 1, 1732.71, 1291.65, 0, 0, 1.278, 1.228, 0, 0, NULL),
    (2023, 2, 1860.93, 1354.94, 0, 0, 1.190, 1.170, 0, 0, NULL),
    (2023, 3, 1953.98, 1380.68, 0, 0, 1.133, 1.149, 0, 0, NULL),
    (2023, 4, 2004.78, 1438.67, 0, 0, 1.104, 1.102, 0, 0, NULL),
    (2023, 5, 2131.08, 1532.18, 0, 0, 1.039, 1.035, 0, 0, NULL),
    (2023, 6, 2214.19, 1585.81, 0, 0, 1.000, 1.000, 0, 0, NULL),
    (2023, 7, 2382.47, 1677.79, 0, 0, 1.781, 1.568, 0, 0, NULL),
    (2023, 8, 2506.36, 1724.77, 0, 0, 1.693, 1.525, 0, 0, NULL),
    (2023, 9, 2576.54, 1812.73, 0, 0, 1.647, 1.451, 0, 0, NULL),
    (2023, 10, 2744.02, 1850.80, 0, 0, 1.546, 1.421, 0, 0, NULL),
    (2023, 11, 2856.52, 1932.24, 0, 0, 1.485, 1.361, 0, 0, NULL),
    (2023, 12, 3079.33, 2061.70, 0, 0, 1.378, 1.276, 0, 0, NULL),
    (2024, 1, 3245.61, 2137.98, 0, 0, 1.307, 1.230, 0, 0, NULL),
    (2024, 2, 3342.98, 2266.26, 0, 0, 1.269, 1.161, 0, 0, NULL),
    (2024, 3, 3566.96, 2334.25, 0, 0, 1.190, 1.127, 0, 0, NULL),
    (2024, 4, 3720.34, 2457.97, 0, 0, 1.140, 1.070, 0, 0, NULL),
    (2024, 5, 4017.97, 2514.50, 0, 0, 1.056, 1.046, 0, 0, NULL),
    (2024, 6, 4242.98, 2630.17, 0, 0, 1.000, 1.000, 0, 0, NULL),
    (2024, 7, 4378.76, 2672.25, 500.00, 0, 1.687, 1.590, 1.288, 0, NULL),
    (2024, 8, 4680.89, 2776.47, 510.50, 0, 1.578, 1.531, 1.261, 0, NULL),
    (2024, 9, 4891.53, 2948.61, 526.84, 0, 1.510, 1.441, 1.222, 0, NULL),
    (2024, 10, 4994.25, 3042.97, 534.22, 0, 1.479, 1.397, 1.205, 0, NULL),
    (2024, 11, 5283.92, 3210.33, 547.58, 0, 1.398, 1.324, 1.176, 0, NULL),
    (2024, 12, 5463.57, 3290.59, 567.29, 0, 1.352, 1.292, 1.135, 0, NULL),
    (2025, 1, 5851.48, 3448.54, 577.50, 0, 1.262, 1.232, 1.115, 0, NULL),
    (2025, 2, 6126.50, 3510.61, 594.25, 0, 1.205, 1.211, 1.083, 0, NULL),
    (2025, 3, 6267.41, 3654.55, 600.79, 0, 1.178, 1.163, 1.072, 0, NULL),
    (2025, 4, 6643.45, 3888.44, 614.01, 0, 1.112, 1.093, 1.048, 0, NULL),
    (2025, 5, 6882.61, 4020.65, 634.27, 0, 1.073, 1.057, 1.015, 0, NULL),
    (2025, 6, 7385.04, 4249.83, 643.78, 0, 1.000, 1.000, 1.000, 0, NULL),
    (2025, 7, 7746.91, 4364.58, 660.52, 0, 1.693, 1.533, 1.327, 0, NULL),
    (2025, 8, 7940.58, 4582.81, 684.96, 0, 1.652, 1.460, 1.280, 0, NULL),
    (2025, 9, 8432.90, 4674.47, 697.97, 0, 1.555, 1.431, 1.256, 0, NULL),
    (2025, 10, 8753.35, 4875.47, 718.91, 0, 1.498, 1.372, 1.219, 0, NULL),
    (2025, 11, 9409.85, 5197.25, 727.54, 0, 1.394, 1.287, 1.205, 0, NULL),
    (2025, 12, 9889.75, 5384.35, 744.27, 0, 1.326, 1.243, 1.178, 0, NULL),
    (2026, 1, 10156.77, 5702.03, 769.58, 0, 1.291, 1.173, 1.139, 0, NULL),
    (2026, 2, 10806.80, 5867.39, 781.89, 0, 1.214, 1.140, 1.121, 0, NULL),
    (2026, 3, 11239.07, 6172.49, 803.00, 0, 1.167, 1.084, 1.092, 0, NULL),
    (2026, 4, 12104.48, 6308.28, 833.51, 0, 1.084, 1.061, 1.052, 0, NULL),
    (2026, 5, 12746.02, 6592.15, 850.18, 0, 1.029, 1.015, 1.031, 0, NULL),
    (2026, 6, 13115.65, 6691.03, 876.54, 0, 1.000, 1.000, 1.000, 0, NULL),
    (2026, 7, 13981.28, 6945.29, 887.94, 0, 0, 0, 0, 0, NULL),
    (2026, 8, 14568.49, 7368.95, 909.25, 0, 0, 0, 0, 0, NULL),
    (2026, 9, 15719.40, 7597.39, 941.07, 0, 0, 0, 0, 0, NULL),
    (2026, 10, 16583.97, 8007.65, 957.07, 0, 0, 0, 0, 0, NULL),
    (2026, 11, 17098.07, 8199.83, 983.87, 0, 0, 0, 0, 0, NULL);
