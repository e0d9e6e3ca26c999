#include "services/ModGruposEmp.h"

#include "data/EntornoDB_Dll.h"
#include "services/CNStuffContable.h"
#include "support/DialogosGuionados.h"
#include "support/FinObservado.h"
#include "support/LocaleNumeros.h"
#include "support/LogDePrueba.h"

#include <gtest/gtest.h>
#include <memory>

using ModGruposEmp::ActualizaGEmpresas;

namespace {

void Cierra(DB_Dll& d) {
    if (d.gCnn && d.gCnn->State() == ado::adStateOpen) d.gCnn->Close();
    d.gOpenFlag = false;
}

// A company with four terminals and a group company, each an embedded database in one folder:
// 1 reachable through a prefixed server name, 2 unreachable, 3 opted out of accounts, 4 on the
// internet (never considered).
class Replication : public EntornoDB_Dll {
  protected:
    void SetUp() override {
        EntornoDB_Dll::SetUp();
        if (HasFatalFailure()) return;
        DialogosGuionados sinPreguntas;
        ASSERT_TRUE(abrirComo("ADMIN"));
        const QString carpeta = base_.carpeta();
        base_.ejecutar(
            "INSERT INTO TA_TPV (CODIGO, Descripcion, Server, Dbname, INTERNET, BAJA, OL_ExceptoCuentas, "
            "CONECTADO) VALUES ('1', 'LOCAL 1', 'CAJA/" +
            carpeta + "', 'TPV1', 0, 0, NULL, 0), ('2', 'LOCAL 2', '" + carpeta +
            "', 'NOEXISTE', 0, 0, 0, 1), ('3', 'LOCAL 3', '" + carpeta +
            "', 'TPV2', 0, 0, 1, 0), ('4', 'LOCAL 4', '" + carpeta + "', 'TPV2', 1, 0, 0, 0)");
        base_.ejecutar(
            "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux) VALUES ('GRP_Deshabilitado', '0', NULL), "
            "('GRP_Tablas', '', '|MA_CUENTAS|V_TA_CAJAS|'), ('GRP_Tipos', '111', NULL), "
            "('GRP_Server', '" +
            carpeta + "', NULL), ('GRP_Base', 'GRUPO', NULL)");
        const QStringList otra = {"INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('7', 'OTRA')"};
        tpv1_ = std::make_unique<BaseDePrueba>(base_, "TPV1", false, otra);
        tpv2_ = std::make_unique<BaseDePrueba>(base_, "TPV2", false, otra);
        grupo_ = std::make_unique<BaseDePrueba>(base_, "GRUPO", false, otra);
    }
    void TearDown() override {
        Cierra(ModGruposEmp::gBaseDatosGrupo());
        Cierra(CNStuffContable::gBaseDatosRemota());
        tpv1_.reset();
        tpv2_.reset();
        grupo_.reset();
        EntornoDB_Dll::TearDown();
    }
    static QString cuenta(const BaseDePrueba& b, const QString& codigo) {
        const auto filas =
            b.filas("SELECT DESCRIPCION, BLOQUEO FROM MA_CUENTAS WHERE CODIGO = '" + codigo + "'");
        return filas.isEmpty() ? "(no)" : filas[0].join("|");
    }
    QStringList terminal(const QString& codigo) const {
        return base_
            .filas(
                "SELECT CONECTADO, ULTIMA_DETECCION IS NOT NULL, PEND_CLIENTES, PEND_PROVEEDORES FROM TA_TPV "
                "WHERE CODIGO = '" +
                codigo + "'")
            .value(0);
    }

    // The message for terminal 2, which never connects.
    static const Pregunta& sinConexion() {
        static const Pregunta p{"No se pudo conectar al Punto de ventas LOCAL 2", "Aviso al operador",
                                vb::vbInformation, Pregunta::Mensaje};
        return p;
    }

    std::unique_ptr<BaseDePrueba> tpv1_, tpv2_, grupo_;
};

}  // namespace

TEST_F(Replication, InsertUpdateAndDeleteReachTheActiveTerminalsAndTheGroup) {
    vb::App().EXEName = "V_MA_CLIENTES";
    FinObservado fin;
    DialogosGuionados guion;
    for (int i = 0; i < 3; ++i) guion.esperarMsgBox(vb::vbOK);
    base_.ejecutar("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, BLOQUEO) VALUES ('5', 'D''Amico', 0)");
    ActualizaGEmpresas("@ADMIN_MA_CUENTAS", 1, "'5'");
    EXPECT_EQ(cuenta(*tpv1_, "5"), "D'Amico|0");
    EXPECT_EQ(cuenta(*grupo_, "5"), "D'Amico|0");
    EXPECT_EQ(cuenta(*tpv2_, "5"), "(no)");  // opted out of accounts, and 4 is on the internet
    // The unreachable terminal is recorded with its pending flags, reported and skipped.
    EXPECT_EQ(terminal("1"), QStringList({"1", "0", "0", "0"}));
    EXPECT_EQ(terminal("2"), QStringList({"0", "1", "1", "1"}));
    EXPECT_EQ(terminal("3").value(0), "0");
    EXPECT_EQ(terminal("4").value(0), "0");

    base_.ejecutar("UPDATE MA_CUENTAS SET DESCRIPCION = 'Caja O''Brien', BLOQUEO = 1 WHERE CODIGO = '5'");
    QString tabla = "@admin_MA_CUENTAS";
    ActualizaGEmpresas(tabla, 2, "'5'");
    EXPECT_EQ(tabla, "MA_CUENTAS");
    EXPECT_EQ(cuenta(*tpv1_, "5"), "Caja O'Brien|1");
    EXPECT_EQ(cuenta(*grupo_, "5"), "Caja O'Brien|1");

    base_.ejecutar("DELETE FROM MA_CUENTAS WHERE CODIGO = '5'");
    ActualizaGEmpresas("MA_CUENTAS", 3, "'5'");
    EXPECT_EQ(cuenta(*tpv1_, "5"), "(no)");
    EXPECT_EQ(cuenta(*grupo_, "5"), "(no)");
    EXPECT_EQ(cuenta(*tpv1_, "7"), "OTRA|0");
    EXPECT_EQ(cuenta(*grupo_, "7"), "OTRA|0");
    EXPECT_EQ(guion.preguntas(), QList<Pregunta>(3, sinConexion()));
    EXPECT_EQ(base_.escalar("SELECT COUNT(*) FROM AUX_ERR").toInt(), 0);
}

TEST_F(Replication, NoConditionCopiesNothing) {
    DialogosGuionados guion;
    ActualizaGEmpresas("MA_CUENTAS", 3);
    // A value for a key that no rule names cannot make a condition either.
    ActualizaGEmpresas("XX_SIN_CLAVES", 3, "'7'");
    EXPECT_EQ(cuenta(*tpv1_, "7"), "OTRA|0");
    EXPECT_EQ(cuenta(*grupo_, "7"), "OTRA|0");
    EXPECT_EQ(terminal("2").value(0), "1");  // not even tried

    // A blank extra condition is none either.
    ActualizaGEmpresas("MA_CUENTAS", 3, "", "", "", "", "", "", "   ");
    ActualizaGEmpresas("MA_CUENTAS", 2, "", "", "", "", "", "", " ");
    EXPECT_EQ(cuenta(*tpv1_, "7"), "OTRA|0");
    EXPECT_TRUE(guion.preguntas().isEmpty());

    // An extra condition stands for the keys.
    guion.esperarMsgBox(vb::vbOK);
    ActualizaGEmpresas("MA_CUENTAS", 3, "", "", "", "", "", "", "codigo = '7'");
    EXPECT_EQ(cuenta(*tpv1_, "7"), "(no)");
    EXPECT_EQ(cuenta(*grupo_, "7"), "(no)");
    EXPECT_EQ(cuenta(*tpv2_, "7"), "OTRA|0");
    EXPECT_EQ(guion.preguntas(), QList<Pregunta>({sinConexion()}));
}

TEST_F(Replication, ARefusalIsRecordedAndShownAndTheOtherTargetsStillGetTheCopy) {
    const QString insercion = "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('5', 'Vieja')";
    base_.ejecutar(insercion);
    tpv1_->ejecutar(insercion);
    grupo_->ejecutar(insercion);
    grupo_->ejecutar(
        "CREATE TRIGGER NO_CAMBIA BEFORE UPDATE ON MA_CUENTAS BEGIN SELECT RAISE(ABORT, 'cuenta cerrada en "
        "el "
        "grupo'); END");
    base_.ejecutar("UPDATE MA_CUENTAS SET DESCRIPCION = 'Nueva' WHERE CODIGO = '5'");

    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbOK);
    guion.esperarMsgBox(vb::vbOK);
    ActualizaGEmpresas("MA_CUENTAS", 1, "'5'");
    EXPECT_EQ(cuenta(*tpv1_, "5"), "Nueva|0");
    EXPECT_EQ(cuenta(*grupo_, "5"), "Vieja|0");

    const auto filas = base_.filas("SELECT Proceso, Sql, Descripcion FROM AUX_ERR");
    ASSERT_EQ(filas.size(), 1);
    EXPECT_EQ(filas[0].value(0), "indajuste");
    EXPECT_EQ(filas[0].value(1), "UPDATE MA_CUENTAS SET DESCRIPCION='Nueva'   WHERE codigo = '5'");
    EXPECT_TRUE(filas[0].value(2).contains("cuenta cerrada en el grupo")) << filas[0].value(2).toStdString();

    ASSERT_EQ(guion.preguntas().size(), 2);
    EXPECT_EQ(guion.preguntas()[0], sinConexion());
    const Pregunta& p = guion.preguntas()[1];
    EXPECT_TRUE(p.texto.startsWith(filas[0].value(2)));
    EXPECT_TRUE(
        p.texto.endsWith("\r\nNo se pudo actualizar la base de datos GRUPO Server: " + base_.carpeta()))
        << p.texto.toStdString();
    EXPECT_EQ(p.estilo, vb::vbCritical);
    EXPECT_EQ(p.titulo, "Atención");
}

TEST_F(Replication, SettingsReachEveryTerminalAndAGroupThatDoesNotConnectIsSkipped) {
    FinObservado fin;
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbOK);
    base_.ejecutar("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('CLAVE_X', 'L''Oreal')");
    base_.ejecutar("UPDATE TA_CONFIGURACION SET VALOR = 'NOHAY' WHERE CLAVE = 'GRP_Base'");
    base_.ejecutar("UPDATE TA_CONFIGURACION SET ValorAux = 'TA_CONFIGURACION|' WHERE CLAVE = 'GRP_Tablas'");
    ActualizaGEmpresas("TA_CONFIGURACION", 1, "'CLAVE_X'");
    const QString lee = "SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'CLAVE_X'";
    EXPECT_EQ(tpv1_->escalar(lee).toString(), "L'Oreal");
    EXPECT_EQ(tpv2_->escalar(lee).toString(), "L'Oreal");  // opted out of accounts only
    EXPECT_FALSE(ModGruposEmp::gBaseDatosGrupo().gOpenFlag);
    EXPECT_EQ(guion.preguntas(), QList<Pregunta>({sinConexion()}));
}

// Part of a key reaches several rows: each is copied by its whole key, with every digit.
TEST_F(Replication, PartOfAKeyCopiesEachRowByItsWholeKey) {
    base_.ejecutar("UPDATE TA_CONFIGURACION SET ValorAux = '|MA_CUENTASCCOSTO|' WHERE CLAVE = 'GRP_Tablas'");
    grupo_->ejecutar(
        "INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE) VALUES ('1', 'A', 60), ('1', 'B', 40), "
        "('2', 'A', 100)");
    base_.ejecutar(
        "INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE) VALUES ('1', 'A', 70), ('1', 'B', 30), "
        "('1', 'C', 0.123456789012345), "
        "('2', 'A', 100)");
    DialogosGuionados guion;
    ActualizaGEmpresas("MA_CUENTASCCOSTO", 2, "'1'");
    const QString lee = "SELECT CODIGO, CCOSTO, PORCENTAJE FROM MA_CUENTASCCOSTO ORDER BY CODIGO, CCOSTO";
    EXPECT_EQ(grupo_->filas(lee),
              QList<QStringList>(
                  {{"1", "A", "70"}, {"1", "B", "30"}, {"1", "C", "0.123456789012345"}, {"2", "A", "100"}}));
    EXPECT_TRUE(guion.preguntas().isEmpty());
    EXPECT_EQ(base_.escalar("SELECT COUNT(*) FROM AUX_ERR").toInt(), 0);
}

TEST_F(Replication, WhichTablesGoToTheGroup) {
    auto pon = [&](const QString& clave, const QString& valor, const QString& aux = QString()) {
        base_.ejecutar("DELETE FROM TA_CONFIGURACION WHERE CLAVE = '" + clave + "'");
        base_.ejecutar("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux) VALUES ('" + clave + "', '" +
                       valor + "', '" + aux + "')");
    };
    using ModGruposEmp::TablaEnGrupo;
    pon("GRP_Tablas", "", "MA_CUENTASADIC|V_TA_CAJAS");
    EXPECT_TRUE(TablaEnGrupo("@ADMIN_ma_cuentasadic"));
    EXPECT_FALSE(TablaEnGrupo("V_TA_CAJAS"));  // no closing "|"
    EXPECT_TRUE(TablaEnGrupo("V_MV_CPTEACCIONES"));
    pon("GRP_CHECKS", "100");
    EXPECT_FALSE(TablaEnGrupo("MA_CUENTASADIC"));
    pon("GRP_CHECKS", "101");
    EXPECT_TRUE(TablaEnGrupo("MA_CUENTASADIC"));
    const QString adicional = CNStuffContable::gParametroAdicional;
    CNStuffContable::gParametroAdicional = "1";
    pon("GRP_CHECKS", "011");
    EXPECT_FALSE(TablaEnGrupo("MA_CUENTASADIC"));
    CNStuffContable::gParametroAdicional = adicional;

    pon("GRP_Tablas", "", "");
    EXPECT_FALSE(TablaEnGrupo("V_MV_CPTE"));
    EXPECT_TRUE(TablaEnGrupo("MA_CUENTAS_SERVICIOS"));
    base_.ejecutar("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'GRP_Deshabilitado'");
    EXPECT_FALSE(TablaEnGrupo("MA_CONTACTOS_CUENTAS"));
}

// The group's switches allow insert, update and delete one by one; the terminals always take all
// three, and a terminal that was given up (BAJA) takes none.
TEST_F(Replication, EachGroupSwitchAllowsOnlyItsOperationAndAGivenUpTerminalGetsNothing) {
    base_.ejecutar(
        "INSERT INTO TA_TPV (CODIGO, Descripcion, Server, Dbname, INTERNET, BAJA, CONECTADO) VALUES "
        "('5', 'LOCAL 5', '" +
        base_.carpeta() + "', 'TPV3', 0, 1, 0)");
    BaseDePrueba tpv3(base_, "TPV3", false,
                      {"INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('X7', 'OTRA')"});
    base_.ejecutar("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('X8', 'NUEVA'), ('X9', 'NUEVA')");
    for (const QString tipos : {"100", "010", "001"}) {
        SCOPED_TRACE(tipos.toStdString());
        base_.ejecutar("UPDATE TA_CONFIGURACION SET VALOR = '" + tipos + "' WHERE CLAVE = 'GRP_Tipos'");
        for (BaseDePrueba* b : {tpv1_.get(), grupo_.get()}) {
            b->ejecutar("DELETE FROM MA_CUENTAS");
            b->ejecutar(
                "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('X7', 'OTRA'), ('X8', 'VIEJA')");
        }
        DialogosGuionados guion;
        for (int i = 0; i < 3; ++i) guion.esperarMsgBox(vb::vbOK);  // terminal 2 never connects
        ActualizaGEmpresas("MA_CUENTAS", 1, "'X9'");
        ActualizaGEmpresas("MA_CUENTAS", 2, "'X8'");
        ActualizaGEmpresas("MA_CUENTAS", 3, "'X7'");
        EXPECT_EQ(cuenta(*grupo_, "X9"), tipos[0] == '1' ? "NUEVA|0" : "(no)");
        EXPECT_EQ(cuenta(*grupo_, "X8"), tipos[1] == '1' ? "NUEVA|0" : "VIEJA|0");
        EXPECT_EQ(cuenta(*grupo_, "X7"), tipos[2] == '1' ? "(no)" : "OTRA|0");
        EXPECT_EQ(cuenta(*tpv1_, "X9"), "NUEVA|0");
        EXPECT_EQ(cuenta(*tpv1_, "X8"), "NUEVA|0");
        EXPECT_EQ(cuenta(*tpv1_, "X7"), "(no)");
        EXPECT_EQ(cuenta(tpv3, "X9"), "(no)");
        EXPECT_EQ(cuenta(tpv3, "X7"), "OTRA|0");
    }
}

namespace {

// What a row carries to another database: numbers with "." in a "," locale, a blank flag as
// unticked, a picture untouched, the columns the program never copies left out of an insert's
// values as of its columns, and a target's column the company lacks left alone, by a change as by
// a new row, which takes the target's default there.
TEST_F(Replication, EveryValueOfARowArrivesAsTheCompanyHoldsIt) {
    LocaleNumeros coma(LocaleNumeros::coma());
    base_.ejecutar(
        "UPDATE TA_CONFIGURACION SET ValorAux = '|MA_CUENTASCCOSTO|MA_CUENTAS|' WHERE CLAVE = 'GRP_Tablas'");
    for (BaseDePrueba* b : {&base_, tpv1_.get(), grupo_.get()})
        for (const char* columna : {"ID int", "TRANSMISION datetime", "RECEPCION datetime",
                                    "IMAGE varchar(10)", "OBSERVACIONES varchar(10)", "FOTO blob"})
            b->ejecutar(QString("ALTER TABLE MA_CUENTAS ADD ") + columna);
    base_.ejecutar(
        "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, BLOQUEO, ID, TRANSMISION, IMAGE, OBSERVACIONES, FOTO) "
        "VALUES ('5', 'NUEVA', '', 1, '2024-01-01', 'i', 'o', x'0102')");
    base_.ejecutar("INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE) VALUES ('1', 'A', 12.5)");
    DialogosGuionados guion;
    for (int i = 0; i < 2; ++i) guion.esperarMsgBox(vb::vbOK);  // terminal 2 never connects
    ActualizaGEmpresas("MA_CUENTAS", 1, "'5'");
    ActualizaGEmpresas("MA_CUENTASCCOSTO", 1, "'1'", "'A'");  // no terminal takes it
    for (const BaseDePrueba* b : {tpv1_.get(), grupo_.get()}) {
        EXPECT_EQ(cuenta(*b, "5"), "NUEVA|0");
        EXPECT_EQ(b->filas("SELECT ID, TRANSMISION, IMAGE, OBSERVACIONES FROM MA_CUENTAS WHERE CODIGO = '5'"),
                  QList<QStringList>({{QString(), QString(), QString(), QString()}}));
    }
    EXPECT_EQ(grupo_->escalar("SELECT PORCENTAJE FROM MA_CUENTASCCOSTO WHERE CODIGO = '1'").toDouble(), 12.5);

    // A change: the row's own number, the picture and a column the company lacks stay the target's.
    grupo_->ejecutar("ALTER TABLE MA_CUENTAS ADD SOLO_EN_GRUPO varchar(5) DEFAULT 'g'");
    grupo_->ejecutar("UPDATE MA_CUENTAS SET ID = 77, FOTO = x'0909', SOLO_EN_GRUPO = 'x' WHERE CODIGO = '5'");
    base_.ejecutar("UPDATE MA_CUENTAS SET DESCRIPCION = 'CAMBIADA', FOTO = x'0303' WHERE CODIGO = '5'");
    ActualizaGEmpresas("MA_CUENTAS", 2, "'5'");
    EXPECT_EQ(cuenta(*grupo_, "5"), "CAMBIADA|0");
    EXPECT_EQ(grupo_->filas("SELECT ID, hex(FOTO), SOLO_EN_GRUPO FROM MA_CUENTAS WHERE CODIGO = '5'"),
              QList<QStringList>({{"77", "0909", "x"}}));
    guion.esperarMsgBox(vb::vbOK);
    base_.ejecutar("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('6', 'OTRA NUEVA')");
    ActualizaGEmpresas("MA_CUENTAS", 1, "'6'");
    EXPECT_EQ(cuenta(*tpv1_, "6"), "OTRA NUEVA|0");
    EXPECT_EQ(grupo_->filas("SELECT DESCRIPCION, SOLO_EN_GRUPO FROM MA_CUENTAS WHERE CODIGO = '6'"),
              QList<QStringList>({{"OTRA NUEVA", "g"}}));
    EXPECT_EQ(guion.preguntas(), QList<Pregunta>(3, sinConexion()));
    EXPECT_EQ(base_.escalar("SELECT COUNT(*) FROM AUX_ERR").toInt(), 0);
}

// A target whose database lacks the table shares no column with the company: it is recorded in
// the error log and skipped, as a target that does not connect is, and the others still get the row.
TEST_F(Replication, ATargetWithoutTheTableIsRecordedAndSkipped) {
    LogDePrueba log;
    grupo_->ejecutar("DROP TABLE MA_CUENTAS");
    base_.ejecutar("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('5', 'NUEVA')");
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbOK);
    ActualizaGEmpresas("MA_CUENTAS", 1, "'5'");
    EXPECT_EQ(cuenta(*tpv1_, "5"), "NUEVA|0");
    EXPECT_EQ(guion.preguntas(), QList<Pregunta>({sinConexion()}));
    // Terminal 2's line, and the group's.
    const QStringList lineas = log.lineas().filter("base de datos GRUPO");
    ASSERT_EQ(lineas.size(), 1);
    EXPECT_TRUE(lineas[0].contains("La tabla MA_CUENTAS")) << lineas[0].toStdString();
}

// The caller's condition as it comes: with its own WHERE, or alone for a table without keys; a
// value beyond the table's keys adds nothing; a row the company no longer holds is not inserted;
// a row with part of its key missing is copied by the caller's condition.
TEST_F(Replication, TheRowsToCopyAreThoseTheCallerNames) {
    base_.ejecutar(
        "UPDATE TA_CONFIGURACION SET ValorAux = '|MA_CUENTAS|MV_FALTANTES|ta_codigospostales|' WHERE CLAVE = "
        "'GRP_Tablas'");
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbOK);
    ActualizaGEmpresas("MA_CUENTAS", 3, "", "", "", "", "", "", " WHERE codigo = '7'");
    EXPECT_EQ(cuenta(*grupo_, "7"), "(no)");

    base_.ejecutar("INSERT INTO MV_FALTANTES (IdArticulo, Descripcion) VALUES ('A1', 'falta')");
    ActualizaGEmpresas("MV_FALTANTES", 1, "", "", "", "", "", "", "IdArticulo = 'A1'");
    EXPECT_EQ(grupo_->escalar("SELECT Descripcion FROM MV_FALTANTES WHERE IdArticulo = 'A1'").toString(),
              "falta");

    guion.esperarMsgBox(vb::vbOK);
    base_.ejecutar("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('6', 'SEIS')");
    ActualizaGEmpresas("MA_CUENTAS", 1, "'6'", "'sobra'");
    EXPECT_EQ(cuenta(*grupo_, "6"), "SEIS|0");

    guion.esperarMsgBox(vb::vbOK);
    ActualizaGEmpresas("MA_CUENTAS", 1, "'NO_ESTA'");
    EXPECT_EQ(cuenta(*grupo_, "NO_ESTA"), "(no)");

    // A table whose key the rules name wrongly is copied by the caller's condition, never whole.
    base_.ejecutar("INSERT INTO ta_codigospostales (cp, LOCALIDAD) VALUES ('8000', 'BAHIA')");
    grupo_->ejecutar(
        "INSERT INTO ta_codigospostales (cp, LOCALIDAD) VALUES ('8000', 'VIEJA'), ('1000', 'CABA')");
    ActualizaGEmpresas("ta_codigospostales", 2, "", "", "", "", "", "", "cp = '8000'");
    EXPECT_EQ(grupo_->filas("SELECT cp, LOCALIDAD FROM ta_codigospostales ORDER BY cp"),
              QList<QStringList>({{"1000", "CABA"}, {"8000", "BAHIA"}}));
    EXPECT_EQ(base_.escalar("SELECT COUNT(*) FROM AUX_ERR").toInt(), 0);
    EXPECT_EQ(guion.pendientes(), 0);
}

// The operator who leaves while the terminals are copied leaves the whole copy: the group gets
// nothing either.
TEST_F(Replication, LeavingAtTheTerminalsLeavesTheGroupAlone) {
    base_.ejecutar("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('5', 'NUEVA')");
    // A terminal list without the servers: reading the first terminal fails.
    base_.ejecutar("DROP VIEW V_TA_TPV");
    base_.ejecutar(
        "CREATE VIEW V_TA_TPV AS SELECT CODIGO, Descripcion, Dbname, INTERNET, BAJA, OL_ExceptoCuentas FROM "
        "TA_TPV");
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbAbort);
    ActualizaGEmpresas("MA_CUENTAS", 1, "'5'");
    EXPECT_EQ(cuenta(*grupo_, "5"), "(no)");
    EXPECT_EQ(cuenta(*tpv1_, "5"), "(no)");
}

}  // namespace
