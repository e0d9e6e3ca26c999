-- Hierarchical codes of the demo company: cost centres and article families, two digits or one
-- character more at each level, so that the tree lookups show them nested.

-- The base demo's one flat family would sort before the hierarchical ones and take them in.
DELETE FROM TA_FAMILIAS WHERE IdFamilia = '   1';

INSERT INTO TA_FAMILIAS (IdFamilia, Descripcion, CONFIDENCIAL) VALUES
    ('01', 'ALIMENTOS', 0),
    ('0101', 'LACTEOS', 0),
    ('010101', 'QUESOS', 0),
    ('02', 'BEBIDAS', 0),
    ('0201', 'GASEOSAS', 0);

-- Titles group the centres under them; only the others take a distribution.
INSERT INTO TA_CCOSTO (Codigo, DESCRIPCION, Titulo) VALUES
    ('1', 'ADMINISTRACION GENERAL', 1),
    ('11', 'GERENCIA', 1),
    ('111', 'CONTADURIA', 0),
    ('12', 'RECURSOS HUMANOS', 0),
    ('2', 'COMERCIALIZACION', 1),
    ('21', 'VENTAS MAYORISTAS', 0),
    ('22', 'VENTAS MINORISTAS', 0),
    ('3', 'CAJA CENTRAL', 0);
