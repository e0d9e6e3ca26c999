-- Chart of accounts of the demo company: what the title proposal, the view types, the tree, the
-- personalised fields, the save and the delete work on.

INSERT OR IGNORE INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux, Grupo, PoliticaNegocio) VALUES
    ('PlanCuentas_ClyPr', 'SI', NULL, 'DATOS', 0),
    ('TituloClientes', '1103', NULL, 'DATOS', 0),
    ('TituloProveedores', '2101', NULL, 'DATOS', 0),
    ('TituloBancos', '110102', NULL, 'DATOS', 0),
    ('TituloBancosDiferido', '110103', NULL, 'DATOS', 0),
    ('TITULOPERSONAL', '2102', NULL, 'DATOS', 0),
    ('TituloClientesBonos', '110302', NULL, 'DATOS', 0),
    ('TituloClientesMutuales', '110303', NULL, 'DATOS', 0),
    ('USADATOSADIC', 'SI', NULL, 'DATOS', 0),
    ('Rubro_Imputable', 'NO', NULL, 'DATOS', 0),
    ('CtaSolicitudCredito', '11010200102', NULL, 'DATOS', 0),
    ('CTA_RET_OTRA_21030100101', 'SU', NULL, 'DATOS', 0);

INSERT OR IGNORE INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, AJUSTE, INDICE, MedioDePago, TipoVista, Moneda,
                                  DADA_DE_BAJA, CONFIDENCIAL) VALUES
    ('11010100104', 'CAJA REALES', 0, 0, NULL, 'EF', NULL, 3, 0, 0),
    ('110102', 'BANCOS', 1, 0, NULL, NULL, NULL, NULL, 0, 0),
    ('110102001', 'BANCOS CUENTA CORRIENTE', 1, 0, NULL, NULL, NULL, NULL, 0, 0),
    ('11010200101', 'BANCO NACION CTA CTE', 0, 0, NULL, 'DB', 'BC', 1, 0, 0),
    ('11010200102', 'TARJETA DE CREDITO A COBRAR', 0, 0, NULL, 'TJ', NULL, 1, 0, 0),
    ('1103', 'DEUDORES POR VENTAS', 1, 0, NULL, NULL, NULL, NULL, 0, 0),
    ('110301', 'CLIENTES', 1, 0, NULL, NULL, 'CL', NULL, 0, 0),
    ('110301001', 'CLIENTES LOCALES', 1, 0, NULL, NULL, 'CL', NULL, 0, 0),
    ('11030100101', 'CLIENTE MOSTRADOR', 0, 0, NULL, NULL, 'CL', 1, 0, 0),
    ('11030100102', 'CLIENTE DADO DE BAJA', 0, 0, NULL, NULL, 'CL', 1, 1, 0),
    ('2', 'PASIVO', 1, 0, NULL, NULL, NULL, NULL, 0, 0),
    ('21', 'PASIVO CORRIENTE', 1, 0, NULL, NULL, NULL, NULL, 0, 0),
    ('2101', 'DEUDAS COMERCIALES', 1, 0, NULL, NULL, NULL, NULL, 0, 0),
    ('210101', 'PROVEEDORES', 1, 0, NULL, NULL, 'PR', NULL, 0, 0),
    ('210101001', 'PROVEEDORES LOCALES', 1, 0, NULL, NULL, 'PR', NULL, 0, 0),
    ('21010100101', 'PROVEEDOR VARIOS', 0, 0, NULL, NULL, 'PR', 1, 0, 0),
    ('2103', 'DEUDAS FISCALES', 1, 0, NULL, NULL, NULL, NULL, 0, 0),
    ('210301', 'RETENCIONES A DEPOSITAR', 1, 0, NULL, NULL, NULL, NULL, 0, 0),
    ('210301001', 'RETENCIONES', 1, 0, NULL, NULL, NULL, NULL, 0, 0),
    ('21030100101', 'RETENCIONES SUSS', 0, 0, NULL, 'RO', NULL, 1, 0, 0),
    ('21030100102', 'RETENCIONES VARIAS', 0, 0, NULL, 'RO', NULL, 1, 0, 0);

UPDATE MA_CUENTAS SET P_RESPONSABLE = 'TESORERIA', P_LIMITE = 50000, p_Nota = 'Arqueo diario',
    Manual = 'Ingresos de efectivo por cobranzas y reposiciones del fondo fijo.',
    Manual_Haber = 'Pagos en efectivo y depositos en bancos.'
    WHERE CODIGO = '11010100101';
UPDATE MA_CUENTAS SET P_RESPONSABLE = 'CUENTAS A COBRAR' WHERE CODIGO = '11030100101';

INSERT INTO TA_VISTAS (NOMBRE, Campo, TipoVista) VALUES
    ('CLIENTES', 'Condición de Compra Venta', 'CL'),
    ('CLIENTES', 'Limite de Crédito', 'CL'),
    ('CLIENTES', 'Categoría', 'CL'),
    ('PROVEEDORES', 'Condición de Compra Venta', 'PR');

INSERT INTO TA_RANGOS_DATOS_ADIC ([CUENTA-DESDE], [CUENTA-HASTA], DESCRIPCION, Vista, PideVencimiento) VALUES
    ('110301', '11030199999', 'CLIENTES', 'CLIENTES', 1),
    ('210101', '21010199999', 'PROVEEDORES', 'PROVEEDORES', 0);

-- Sueldos personal is kept from the payroll system.
INSERT INTO P_MA_LEGAJOS (IdEmpresa, Legajo, Nombre, CUENTA) VALUES
    ('1', '0001', 'PEREZ JUAN', '51010100101');

INSERT INTO [MA_CASH-DETALLE] (CODIGO_CASH, CUENTA, DESCRIPCION) VALUES
    ('ING', '11010100104', 'INGRESOS EN REALES'),
    ('EGR', '11010100104', 'EGRESOS EN REALES');

INSERT OR IGNORE INTO MA_CUENTAS_USUARIOS (GRUPOUSER, CUENTA) VALUES
    ('ADMINISTRADORES', '1'),
    ('ADMINISTRADORES', '11'),
    ('OPERADORES', '11'),
    ('ADMINISTRADORES', '2'),
    ('ADMINISTRADORES', '5');
