-- Code tables of the customers' and suppliers' additional data, and the price classes the
-- additional-data window gives new rows.

INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux, Grupo, PoliticaNegocio) VALUES
    ('ClaseDePrecioDefault', '1', NULL, NULL, 0),
    ('ClaseDePrecioDefaultCompras', '2', NULL, NULL, 0);

INSERT INTO TA_ESTADOS (CODIGO, DESCRIPCION) VALUES
    ('   1', 'BUENOS AIRES'),
    ('   2', 'CAPITAL FEDERAL'),
    ('   3', 'CÓRDOBA'),
    ('   4', 'SANTA FE'),
    ('   5', 'MENDOZA'),
    ('   6', 'NEUQUÉN'),
    ('   7', 'RÍO NEGRO'),
    ('   8', 'TUCUMÁN');

INSERT INTO TA_PAISES (CODIGO, DESCRIPCION) VALUES
    ('   1', 'ARGENTINA'),
    ('   2', 'URUGUAY'),
    ('   3', 'CHILE'),
    ('   4', 'BRASIL'),
    ('   5', 'PARAGUAY');

INSERT INTO TA_TIPODOCUMENTO (CODIGO, DESCRIPCION) VALUES
    ('  80', 'C.U.I.T.'),
    ('  86', 'C.U.I.L.'),
    ('  96', 'D.N.I.');

INSERT INTO TA_CONDIVA (CODIGO, DESCRIPCION) VALUES
    ('   1', 'RESPONSABLE INSCRIPTO'),
    ('   4', 'EXENTO'),
    ('   5', 'CONSUMIDOR FINAL'),
    ('   6', 'RESPONSABLE MONOTRIBUTO');

INSERT INTO TA_CATEGORIA (IDCATEGORIA, DESCRIPCION) VALUES
    ('   7', 'DISTRIBUIDOR');

INSERT INTO MA_PRECIOSCAB (IDLISTA, TIPOLISTA, DESCRIPCION) VALUES
    (1, 'VT', 'LISTA GENERAL DE VENTAS'),
    (2, 'VT', 'LISTA MAYORISTA'),
    (3, 'CP', 'LISTA DE COMPRAS');

-- Additional data of some customers and suppliers.
INSERT INTO MA_CUENTASADIC (CODIGO, CONTACTO, CALLE, NUMERO, PISO, DEPARTAMENTO, CPOSTAL, LOCALIDAD, PROVINCIA,
                            PAIS, TELEFONO, DOCUMENTO_TIPO, NUMERO_DOCUMENTO, IVA, MAIL, IDCOND_Cpra_Vta,
                            LIMITE_CREDITO, idcategoria, IdMotivoVta, IdVendedor, IdLista, CLASE, P_RUBRO,
                            P_EMPLEADOS, fechahora_grabacion) VALUES
    ('11030100103', 'PEDRO GIMENEZ', 'AV. ALEM', '450', NULL, NULL, '8000', 'BAHIA BLANCA', '   1', '   1',
     '0291-4551234', '  80', '20-14523698-3', '   6', 'donpedro@correo.com.ar', '   2', 250000, '   2', '   1',
     '   1', 1, '1', 'ALMACEN', 3, '2025-03-10 09:15:00'),
    ('11030100104', 'LAURA MENDEZ', 'SAN MARTIN', '1820', NULL, NULL, '8300', 'NEUQUEN', '   6', '   1',
     '0299-4437788', '  80', '30-70894561-2', '   1', 'compras@supersol.com.ar', '   3', 1200000, '   1', '   1',
     '   2', 2, '1', 'SUPERMERCADO', 45, '2025-06-02 11:40:00'),
    ('11030100201', 'RICARDO PAZ', 'BV. SAN JUAN', '77', '3', 'B', '5000', 'CORDOBA', '   3', '   1',
     '0351-4229090', '  80', '30-65478912-7', '   1', NULL, '   2', 800000, '   7', '   1', '   3', 2, '1',
     'MAYORISTA', 20, '2025-08-21 16:05:00'),
    ('21010100102', 'MARTA SUAREZ', 'PASEO COLON', '900', '5', NULL, '1063', 'CAPITAL FEDERAL', '   2', '   1',
     '011-43001122', '  80', '30-50012345-8', '   1', 'ventas@molinos.com.ar', '   2', NULL, NULL, NULL, NULL,
     3, '2', 'MOLINOS', 850, '2024-11-15 10:00:00'),
    ('21010100103', 'JORGE ACOSTA', 'RUTA 3 KM', '698', NULL, NULL, '8000', 'BAHIA BLANCA', '   1', '   1',
     '0291-4880011', '  80', '30-61234987-5', '   1', NULL, '   3', NULL, NULL, NULL, NULL, 3, '2', 'LACTEOS',
     120, '2025-01-08 08:30:00');
