-- Journal-entry rules: summary entries of the sub-journals, voucher types and books, the
-- fixed-asset register and the sub-journal work table. Voucher types and business units are
-- stored right-aligned in four characters ('  FC', '   1').

-- One row per summary entry of a sub-journal; its month is the month of Fecha_Desde.
CREATE TABLE MV_CONTROL_AS_RES (
    SUBDIARIO varchar(4) COLLATE SERVIDOR NOT NULL,
    ID int NOT NULL,
    Fecha_Desde datetime NULL,  -- 'YYYY-MM-DD', no time part
    Fecha_Hasta datetime NULL,  -- 'YYYY-MM-DD', no time part
    PERIODO int NOT NULL,
    Anulado bit NULL DEFAULT 0,
    CONSTRAINT PK_MV_CONTROL_AS_RES PRIMARY KEY (SUBDIARIO, PERIODO, Fecha_Desde, ID)
);

CREATE TABLE MA_SUBDIARIOSCOMPROBANTES (
    SUBDIARIO varchar(4) COLLATE SERVIDOR NOT NULL,
    TC char(4) COLLATE SERVIDOR NOT NULL,
    CONSTRAINT PK_MA_SUBDIARIOSCOMPROBANTES PRIMARY KEY (SUBDIARIO, TC)
);

-- Voucher types. ModificaNumeracion "FALSO", "FALSE" or "0": the system numbers the type; a
-- letter's numbering columns above 0 say the system numbers that letter.
CREATE TABLE TA_COMPROBANTES (
    CODIGO char(4) COLLATE SERVIDOR NOT NULL,
    DESCRIPCION varchar(50) COLLATE SERVIDOR NULL,
    Letras varchar(7) COLLATE SERVIDOR NULL,
    ModificaNumeracion varchar(10) COLLATE SERVIDOR NULL,
    A_ULTIMO_NRO int NULL, A_NRO_DESDE int NULL, A_NRO_HASTA int NULL,
    B_ULTIMO_NRO int NULL, B_NRO_DESDE int NULL, B_NRO_HASTA int NULL,
    C_ULTIMO_NRO int NULL, C_NRO_DESDE int NULL, C_NRO_HASTA int NULL,
    X_ULTIMO_NRO int NULL, X_NRO_DESDE int NULL, X_NRO_HASTA int NULL,
    E_ULTIMO_NRO int NULL, E_NRO_DESDE int NULL, E_NRO_HASTA int NULL,
    M_ULTIMO_NRO int NULL, M_NRO_DESDE int NULL, M_NRO_HASTA int NULL,
    R_ULTIMO_NRO int NULL, R_NRO_DESDE int NULL, R_NRO_HASTA int NULL,
    CONSTRAINT PK_TA_COMPROBANTES PRIMARY KEY (CODIGO)
);

-- Voucher books: one row per book of a type and business unit, with each letter's default point
-- of sale and last number used.
CREATE TABLE TA_CPTE (
    CODIGO char(4) COLLATE SERVIDOR NOT NULL,
    UNEGOCIO char(4) COLLATE SERVIDOR NOT NULL,
    TALONARIO int NOT NULL,
    DESCRIPCION varchar(50) COLLATE SERVIDOR NULL,
    A_SUC_DEFAULT int NULL, A_ULTIMO_NRO int NULL,
    B_SUC_DEFAULT int NULL, B_ULTIMO_NRO int NULL,
    C_SUC_DEFAULT int NULL, C_ULTIMO_NRO int NULL,
    X_SUC_DEFAULT int NULL, X_ULTIMO_NRO int NULL,
    E_SUC_DEFAULT int NULL, E_ULTIMO_NRO int NULL,
    M_SUC_DEFAULT int NULL, M_ULTIMO_NRO int NULL,
    R_SUC_DEFAULT int NULL, R_ULTIMO_NRO int NULL,
    CONSTRAINT PK_TA_CPTE PRIMARY KEY (CODIGO, TALONARIO)
);

CREATE VIEW V_TA_CPTE AS SELECT * FROM TA_CPTE;

-- The fixed-asset register; codes are numbers, so the next one is MAX + 1.
CREATE TABLE MA_BIENES (
    CODIGO int NOT NULL,
    DESCRIPCION varchar(100) COLLATE SERVIDOR NULL,
    CUENTA varchar(15) COLLATE SERVIDOR NULL,
    FECHA_ALTA datetime NULL,
    VALOR_ORIGEN decimal(18,4) NULL,
    CONSTRAINT PK_MA_BIENES PRIMARY KEY (CODIGO)
);

CREATE TABLE MA_BIENES_novedades (
    CODIGO int NOT NULL,
    ID int NOT NULL,
    FECHA datetime NULL,
    DETALLE varchar(100) COLLATE SERVIDOR NULL,
    IMPORTE decimal(18,4) NULL,
    CONSTRAINT PK_MA_BIENES_novedades PRIMARY KEY (CODIGO, ID)
);

-- The sub-journal work table: each user's rows lay one debit line beside one credit line. The
-- side columns a row leaves unset read as no account and no amount.
CREATE TABLE AUX_SUBDIARIOS (
    Usuario varchar(50) COLLATE SERVIDOR NULL,
    Periodo int NULL,
    Mes_Operativo int NULL,
    [numero asiento] int NULL,
    fecha datetime NULL,
    TC char(4) COLLATE SERVIDOR NULL,
    Sucursal varchar(4) COLLATE SERVIDOR NULL,
    Numero varchar(8) COLLATE SERVIDOR NULL,
    letra char(1) COLLATE SERVIDOR NULL,
    Cabimporte decimal(18,4) NULL,
    cuenta_D varchar(15) COLLATE SERVIDOR NULL DEFAULT '',
    descripcion_D varchar(150) COLLATE SERVIDOR NULL DEFAULT '',
    importe_D decimal(18,4) NULL DEFAULT 0,
    cuenta_H varchar(15) COLLATE SERVIDOR NULL DEFAULT '',
    descripcion_H varchar(150) COLLATE SERVIDOR NULL DEFAULT '',
    importe_H decimal(18,4) NULL DEFAULT 0,
    Concepto varchar(100) COLLATE SERVIDOR NULL
);

CREATE INDEX IX_AUX_SUBDIARIOS_USUARIO ON AUX_SUBDIARIOS (Usuario);
