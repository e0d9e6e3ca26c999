-- Chart of accounts: cash-flow lines, ranges and views of additional data, the payroll's accounts,
-- the personalised columns of the chart, and the references that stop an account from being
-- removed while journal lines use it.

CREATE TABLE [MA_CASH-DETALLE] (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    CODIGO_CASH varchar(10) COLLATE SERVIDOR NULL,
    CUENTA varchar(15) COLLATE SERVIDOR NOT NULL REFERENCES MA_CUENTAS (CODIGO),
    DESCRIPCION varchar(100) COLLATE SERVIDOR NULL
);

CREATE TABLE TA_RANGOS_DATOS_ADIC (
    [CUENTA-DESDE] varchar(15) COLLATE SERVIDOR NULL,
    [CUENTA-HASTA] varchar(15) COLLATE SERVIDOR NULL,
    DESCRIPCION varchar(50) COLLATE SERVIDOR NOT NULL,
    Vista varchar(30) COLLATE SERVIDOR NULL,
    PideVencimiento bit NULL DEFAULT 0,
    CONSTRAINT PK_TA_RANGOS_DATOS_ADIC PRIMARY KEY (DESCRIPCION)
);

-- One row per field title of a view.
CREATE TABLE TA_VISTAS (
    NOMBRE varchar(30) COLLATE SERVIDOR NOT NULL,
    Campo varchar(50) COLLATE SERVIDOR NOT NULL,
    TipoVista varchar(2) COLLATE SERVIDOR NULL,
    CONSTRAINT PK_TA_VISTAS PRIMARY KEY (NOMBRE, Campo)
);

CREATE TABLE P_MA_LEGAJOS (
    IdEmpresa varchar(4) COLLATE SERVIDOR NOT NULL,
    Legajo varchar(10) COLLATE SERVIDOR NOT NULL,
    Nombre varchar(60) COLLATE SERVIDOR NULL,
    CUENTA varchar(15) COLLATE SERVIDOR NULL,
    CONSTRAINT PK_P_MA_LEGAJOS PRIMARY KEY (IdEmpresa, Legajo)
);

-- The company's own columns of the chart (a lower-case prefix counts too).
ALTER TABLE MA_CUENTAS ADD COLUMN P_RESPONSABLE varchar(40) COLLATE SERVIDOR NULL;
ALTER TABLE MA_CUENTAS ADD COLUMN P_LIMITE decimal(18,2) NULL;
ALTER TABLE MA_CUENTAS ADD COLUMN p_Nota varchar(100) COLLATE SERVIDOR NULL;

-- Journal lines refer to their account: the server refuses to remove an account they use.
CREATE TRIGGER MA_CUENTAS_REFERIDA_ASIENTOS BEFORE DELETE ON MA_CUENTAS
WHEN EXISTS (SELECT 1 FROM MV_ASIENTOS WHERE CUENTA = OLD.CODIGO)
BEGIN
    SELECT RAISE(ABORT, 'FOREIGN KEY constraint failed: MV_ASIENTOS.CUENTA references MA_CUENTAS.CODIGO');
END;
