-- The chart of accounts on a large company: the title list, read after every save, takes the
-- titles alone in code order from an index that holds all it shows, and the code lookups that
-- trim the code find it without a scan.
CREATE INDEX IX_MA_CUENTAS_TITULOS ON MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, DADA_DE_BAJA, TipoVista)
    WHERE TITULO <> 0;
CREATE INDEX IX_MA_CUENTAS_CODIGO ON MA_CUENTAS (LTRIM(RTRIM(CODIGO)) COLLATE SERVIDOR);
