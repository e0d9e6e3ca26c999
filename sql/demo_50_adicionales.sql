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

INSERT INTO TA_CPRA_VTA (IDCOND_CPRA_VTA, DESCRIPCION, DIAS) VALUES
    ('   1', 'CONTADO', 0),
    ('   2', 'CUENTA CORRIENTE 30 DÍAS', 30),
    ('   3', 'CUENTA CORRIENTE 60 DÍAS', 60);

INSERT INTO TA_CATEGORIA (IDCATEGORIA, DESCRIPCION) VALUES
    ('   1', 'MAYORISTA'),
    ('   2', 'MINORISTA'),
    ('   7', 'DISTRIBUIDOR');

INSERT INTO TA_MOTIVOVTA (IdMotivoVta, DESCRIPCION) VALUES
    ('   1', 'REVENTA'),
    ('   2', 'CONSUMO PROPIO');

INSERT INTO TA_MOTIVOCPRA (IdMotivoCpra, DESCRIPCION) VALUES
    ('   1', 'MERCADERÍA DE REVENTA'),
    ('   2', 'SERVICIOS');

INSERT INTO TA_VENDEDORES (IdVendedor, NOMBRE) VALUES
    ('   1', 'GOMEZ, MARIA LAURA'),
    ('   2', 'FERNANDEZ, PABLO'),
    ('   3', 'SOSA, ROBERTO');

INSERT INTO MA_PRECIOSCAB (IDLISTA, TIPOLISTA, DESCRIPCION) VALUES
    (1, 'VT', 'LISTA GENERAL DE VENTAS'),
    (2, 'VT', 'LISTA MAYORISTA'),
    (3, 'CP', 'LISTA DE COMPRAS');
