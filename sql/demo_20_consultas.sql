-- Demo rows of the lookups for "DISTRIBUIDORA DEL SUR S.A.": lookup settings, 300 articles with
-- stock at every level and eight price lists, customers, suppliers and the code tables.

INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux, Grupo, PoliticaNegocio) VALUES
    ('MostrarStockenConsultas', 'SI', NULL, NULL, 0),
    ('Stk_Nivel1', '32768', NULL, NULL, 0),
    ('Stk_Nivel2', '12582912', NULL, NULL, 0),
    ('Stk_Nivel3', '255', NULL, NULL, 0),
    ('Stk_Nivel4', '8421504', NULL, NULL, 0),
    ('UsaConsultaLike', 'SI', NULL, NULL, 0),
    ('TopConsArt', '500', NULL, NULL, 0),
    ('NOM_PCLASE1', 'MAYORISTA', NULL, NULL, 0),
    ('NOM_PCLASE2', 'MINORISTA', NULL, NULL, 0),
    ('NOM_PCLASE3', 'CONTADO', NULL, NULL, 0),
    ('NOM_PCLASE4', 'TARJETA', NULL, NULL, 0),
    ('NOM_PCLASE5', 'DISTRIBUIDOR', NULL, NULL, 0),
    ('NOM_PCLASE6', 'PROMOCION', NULL, NULL, 0),
    ('NOM_PCLASE7', 'EXPORTACION', NULL, NULL, 0),
    ('NOM_PCLASE8', 'COSTO', NULL, NULL, 0);

INSERT INTO TA_RUBROS (IDRubro, DESCRIPCION) VALUES
    ('   1', 'ALMACEN'),
    ('   2', 'BEBIDAS'),
    ('   3', 'LIMPIEZA'),
    ('   4', 'PERFUMERIA'),
    ('   5', 'LACTEOS'),
    ('   6', 'CONGELADOS');

-- Reorder point and stock cycle so that each stock level has its articles; every 37th is suspended.
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300),
productos(k, nombre, rubro) AS (VALUES
    (0, 'ACEITE DE GIRASOL', '   1'), (1, 'ARROZ LARGO FINO', '   1'), (2, 'AZUCAR COMUN', '   1'),
    (3, 'FIDEOS TALLARINES', '   1'), (4, 'HARINA 000', '   1'), (5, 'YERBA MATE', '   1'),
    (6, 'CAFE MOLIDO', '   1'), (7, 'GALLETITAS DE AGUA', '   1'), (8, 'AGUA MINERAL', '   2'),
    (9, 'GASEOSA COLA', '   2'), (10, 'JUGO DE NARANJA', '   2'), (11, 'VINO TINTO MALBEC', '   2'),
    (12, 'LAVANDINA', '   3'), (13, 'DETERGENTE', '   3'), (14, 'JABON EN POLVO', '   3'),
    (15, 'SHAMPOO', '   4'), (16, 'JABON DE TOCADOR', '   4'), (17, 'LECHE ENTERA', '   5'),
    (18, 'QUESO CREMOSO', '   5'), (19, 'HAMBURGUESAS', '   6')),
presentaciones(k, pres) AS (VALUES
    (0, '500 G'), (1, '1 KG'), (2, '1,5 L'), (3, '2 L'), (4, 'X 6 U.'), (5, 'X 12 U.'), (6, '250 G'),
    (7, '750 ML'), (8, '3 KG'), (9, '5 L'), (10, 'X 24 U.'), (11, '200 ML'), (12, '400 G'),
    (13, 'DOYPACK 900 ML'), (14, 'FAMILIAR'))
INSERT INTO MA_ARTICULOS (idarticulo, Descripcion, SUSPENDIDO, PUNTOPEDIDO, Stock, PRECIO1, PRECIO2, PRECIO3,
                          PRECIO4, PRECIO5, PRECIO6, PRECIO7, PRECIO8, IDRubro)
SELECT printf('%05d', i), p.nombre || ' ' || pr.pres,
       CASE WHEN i % 37 = 0 THEN 1 ELSE 0 END,
       CASE i % 4 WHEN 0 THEN 0 ELSE 10 * (i % 4) END,
       CASE i % 5 WHEN 0 THEN 0 WHEN 1 THEN 5 WHEN 2 THEN 25 WHEN 3 THEN 60.5 ELSE -2 END,
       round(150 + (i * 137) % 4200 + 0.25, 2), round((150 + (i * 137) % 4200) * 1.21, 2),
       round((150 + (i * 137) % 4200) * 1.15, 2), round((150 + (i * 137) % 4200) * 1.3, 2),
       round((150 + (i * 137) % 4200) * 0.92, 2), round((150 + (i * 137) % 4200) * 0.85, 2),
       round((150 + (i * 137) % 4200) * 1.05, 2), round((150 + (i * 137) % 4200) * 0.7, 2), p.rubro
FROM n
JOIN productos p ON p.k = (i - 1) % 20
JOIN presentaciones pr ON pr.k = ((i - 1) / 20) % 15;

WITH nombres(k, nombre, localidad) AS (VALUES
    (1, 'ALMACEN DON PEDRO', 'BAHIA BLANCA'), (2, 'AUTOSERVICIO LA ESQUINA', 'BAHIA BLANCA'),
    (3, 'SUPERMERCADO EL SOL S.R.L.', 'PUNTA ALTA'), (4, 'KIOSCO EL PASO', 'BAHIA BLANCA'),
    (5, 'MAXIKIOSCO 24 HS', 'TRES ARROYOS'), (6, 'DESPENSA LOS ALAMOS', 'CORONEL SUAREZ'),
    (7, 'FIAMBRERIA LA CAMPANA', 'BAHIA BLANCA'), (8, 'MINIMERCADO SAN MARTIN', 'PIGUE'),
    (9, 'HIPERMERCADO DEL PUERTO S.A.', 'INGENIERO WHITE'), (10, 'PANADERIA LA ESPIGA', 'BAHIA BLANCA'),
    (11, 'RESTAURANTE EL FARO', 'MONTE HERMOSO'), (12, 'HOTEL AUSTRAL', 'BAHIA BLANCA'),
    (13, 'COOPERATIVA OBRERA LTDA.', 'BAHIA BLANCA'), (14, 'DISTRIBUIDORA NORTE S.R.L.', 'CARMEN DE PATAGONES'),
    (15, 'MERCADITO LA FAMILIA', 'VILLARINO'), (16, 'ALMACEN LOS HERMANOS', 'MEDANOS'),
    (17, 'PARRILLA DON JUAN', 'SIERRA DE LA VENTANA'), (18, 'ROTISERIA EL TANO', 'BAHIA BLANCA'),
    (19, 'COMEDOR ESCOLAR N 12', 'BAHIA BLANCA'), (20, 'CLUB OLIMPO', 'BAHIA BLANCA'),
    (21, 'ESTACION DE SERVICIO RUTA 3', 'CORONEL DORREGO'), (22, 'BAR LA PERLA', 'PUNTA ALTA'),
    (23, 'ALMACEN LA NUEVA', 'TORNQUIST'), (24, 'SUPER CHANGO S.A.', 'BAHIA BLANCA'),
    (25, 'VERDULERIA LOS ANDES', 'BAHIA BLANCA'), (26, 'GRANJA LA ESPERANZA', 'CABILDO'),
    (27, 'CONFITERIA EL MOLINO', 'BAHIA BLANCA'), (28, 'PIZZERIA NAPOLES', 'PUNTA ALTA'),
    (29, 'HELADERIA POLAR', 'MONTE HERMOSO'), (30, 'DIETETICA VIDA SANA', 'BAHIA BLANCA'),
    (31, 'ALMACEN O''HIGGINS', 'BAHIA BLANCA'), (32, 'KIOSCO EL ESTUDIANTE', 'BAHIA BLANCA'),
    (33, 'SUPERMERCADO DEL OESTE', 'DARREGUEIRA'), (34, 'CANTINA DEL PUERTO', 'INGENIERO WHITE'),
    (35, 'MAYORISTA SUR S.R.L.', 'VIEDMA'), (36, 'ALMACEN LA TRANQUERA', 'SALDUNGARAY'),
    (37, 'FRIGORIFICO PAMPA S.A.', 'BAHIA BLANCA'), (38, 'DESPENSA EL TREBOL', 'GENERAL CERRI'),
    (39, 'MERCADO CENTRAL BAHIENSE', 'BAHIA BLANCA'), (40, 'AUTOSERVICIO EL GAUCHO', 'CORONEL PRINGLES'))
INSERT INTO MA_CLIENTES (Codigo, Codigo_sucursal, Razon_Social, CUIT, Domicilio, Localidad, Dada_De_Baja)
SELECT printf('%06d', k), '000', nombre, printf('30-%08d-%d', 50000000 + k * 7919, k % 10),
       'CALLE ' || (k * 17) % 900, localidad, CASE WHEN k % 13 = 0 THEN 1 ELSE 0 END
FROM nombres;

WITH nombres(k, nombre, localidad) AS (VALUES
    (1, 'ACEITERA GENERAL DEHEZA S.A.', 'GENERAL DEHEZA'), (2, 'MOLINOS DEL PLATA S.A.', 'BUENOS AIRES'),
    (3, 'LACTEOS LA PAMPA S.A.', 'SANTA ROSA'), (4, 'BODEGAS DEL VALLE S.A.', 'MENDOZA'),
    (5, 'EMBOTELLADORA DEL SUR S.A.', 'NEUQUEN'), (6, 'PAPELERA PATAGONICA S.R.L.', 'TRELEW'),
    (7, 'QUIMICA INDUSTRIAL BAHIA S.A.', 'BAHIA BLANCA'), (8, 'YERBATERA MISIONES S.A.', 'POSADAS'),
    (9, 'ARROCERA CORRIENTES S.A.', 'CORRIENTES'), (10, 'AZUCARERA DEL NORTE S.A.', 'TUCUMAN'),
    (11, 'FRIGORIFICO LA CHACRA S.A.', 'TANDIL'), (12, 'CAFETERA ROSARIO S.R.L.', 'ROSARIO'),
    (13, 'DISTRIBUIDORA ATLANTICA S.A.', 'MAR DEL PLATA'), (14, 'PERFUMERIA INDUSTRIAL S.A.', 'CORDOBA'),
    (15, 'ENVASES DEL SUR S.R.L.', 'BAHIA BLANCA'), (16, 'TRANSPORTES EL RAPIDO S.A.', 'BAHIA BLANCA'),
    (17, 'GALLETITERA DEL CENTRO S.A.', 'VILLA MARIA'), (18, 'AGUAS DE LA SIERRA S.A.', 'TORNQUIST'),
    (19, 'CONGELADOS PATAGONIA S.A.', 'GENERAL ROCA'), (20, 'HARINERA TRES ARROYOS S.A.', 'TRES ARROYOS'),
    (21, 'JUGOS DEL ALTO VALLE S.A.', 'CIPOLLETTI'), (22, 'LIMPIEZA TOTAL S.R.L.', 'LA PLATA'),
    (23, 'FIDEERA LA ITALIANA S.A.', 'RAFAELA'), (24, 'CERVECERIA DEL ESTE S.A.', 'QUILMES'),
    (25, 'COOPERATIVA AGRICOLA LTDA.', 'CORONEL SUAREZ'))
INSERT INTO MA_PROVEEDORES (Codigo, Razon_Social, CUIT, Localidad, Dada_De_Baja)
SELECT printf('%06d', k), nombre, printf('30-%08d-%d', 60000000 + k * 104729, k % 10), localidad,
       CASE WHEN k % 11 = 0 THEN 1 ELSE 0 END
FROM nombres;

INSERT INTO TA_UNIDAD (IdUnidad, Descripcion) VALUES
    ('   1', 'CASA CENTRAL'),
    ('   2', 'SUCURSAL PUNTA ALTA');

INSERT INTO TA_STATUS (CodigoEstado, Descripcion, Tipo) VALUES
    ('ACT', 'ACTIVO', 'C'),
    ('SUS', 'SUSPENDIDO', 'C'),
    ('MOR', 'EN MORA', 'C'),
    ('PEN', 'PENDIENTE', 'P');

INSERT INTO TA_TECNICOS (IDTecnico, NOMBRE) VALUES
    ('   1', 'GOMEZ, RAUL'),
    ('   2', 'FERREYRA, SILVIA');

INSERT INTO TA_VENDEDORES (idvendedor, NOMBRE) VALUES
    ('   1', 'MARTINEZ, JORGE'),
    ('   2', 'LOPEZ, ANALIA'),
    ('   3', 'SOSA, MARCELO'),
    ('   4', 'RIVERO, CLAUDIA');

INSERT INTO TA_CPRA_VTA (IDCOND_CPRA_VTA, DESCRIPCION) VALUES
    ('   1', 'CONTADO'),
    ('   2', 'CUENTA CORRIENTE 30 DIAS'),
    ('   3', 'CUENTA CORRIENTE 60 DIAS');

INSERT INTO TA_CATEGORIA (IDCATEGORIA, DESCRIPCION) VALUES
    ('   1', 'MAYORISTA'),
    ('   2', 'MINORISTA'),
    ('   3', 'CONSUMIDOR FINAL');

INSERT INTO TA_MOTIVOVTA (IDMotivoVta, DESCRIPCION) VALUES
    ('   1', 'VENTA NORMAL'),
    ('   2', 'BONIFICACION');

INSERT INTO TA_MOTIVOCPRA (IDMotivoCpra, DESCRIPCION) VALUES
    ('   1', 'REPOSICION'),
    ('   2', 'COMPRA ESPECIAL');

INSERT INTO TA_BANCOS (IDBanco, DESCRIPCION) VALUES
    ('   1', 'BANCO DE LA PROVINCIA'),
    ('   2', 'BANCO DE LA NACION'),
    ('   3', 'BANCO DEL SUR');

INSERT INTO ta_codigospostales (cp, LOCALIDAD) VALUES
    ('8000', 'BAHIA BLANCA'),
    ('8109', 'PUNTA ALTA'),
    ('8500', 'VIEDMA'),
    ('7500', 'TRES ARROYOS');
