#include "services/CNStuffContable.h"

#include "data/frmAcceso.h"
#include "lookup/Lib_ClsCons3.h"
#include "outside/maker/ArchivoIni.h"
#include "outside/maker/SistemaPC.h"
#include "outside/runtime/Archivos.h"
#include "services/LBM_Common.h"
#include "support/DialogosGuionados.h"
#include "support/FinObservado.h"
#include "support/ImprimeQt.h"

#include "data/EntornoDB_Dll.h"

#include <gtest/gtest.h>

using CNStuffContable::ValorParametro;

TEST(ParameterValue, KeysAnywhereInAnyCaseValueUpToTheNextSemicolon) {
    const QString linea = "algo @dbname = DE=MO ; @SERVER=srv:1433;@Caja=0001";
    QString v;
    EXPECT_TRUE(ValorParametro(linea, "@DbName", v));
    EXPECT_EQ(v, "DEMO");  // every "=" removed, trimmed
    EXPECT_TRUE(ValorParametro(linea, "@Server", v));
    EXPECT_EQ(v, "srv:1433");
    v = "anterior";
    EXPECT_FALSE(ValorParametro(linea, "@Caja", v));  // no ";" after it: the value stays
    EXPECT_EQ(v, "anterior");
    EXPECT_TRUE(ValorParametro(linea, "@Menu", v));  // missing key: empty
    EXPECT_EQ(v, "");
}

TEST(ParameterValue, UsuarioDoesNotMatchInsideUsuarioLogeado) {
    QString v;
    EXPECT_TRUE(ValorParametro("@UsuarioLogeado=;@Usuario=PEPE;", "@Usuario", v));
    EXPECT_EQ(v, "PEPE");
    EXPECT_TRUE(ValorParametro("@UsuarioLogeado=ANA;", "@Usuario", v));
    EXPECT_EQ(v, "");
    EXPECT_TRUE(ValorParametro("@UsuarioLogeado=ANA;", "@UsuarioLogeado", v));
    EXPECT_EQ(v, "ANA");
}

namespace {

class StartUp : public EntornoDB_Dll {
  protected:
    StartUp()
        : EntornoDB_Dll(
              {"INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('ESCRIBE_SOLO_MAYUSCULAS', 'si'), "
               "('PERIODO', '2027'), ('SS_CONFIDENCIALIDAD', 'SI'), ('SS_BloqueoActivo', 'NO'), "
               "('CFondo', '0'), ('CLetra', '255')",
               "UPDATE TA_USUARIOS SET UNegocio = '  12' WHERE NOMBRE = 'OPERADOR'"}) {}
    void SetUp() override {
        EntornoDB_Dll::SetUp();
        CNStuffContable::gUsuarioLogeado.clear();
        CNStuffContable::gTablaConfiguracion.clear();
        LBM_Common::gSoloMayusculas = false;
    }
    void TearDown() override {
        LBM_Common::gSoloMayusculas = false;
        EntornoDB_Dll::TearDown();
    }
    void linea(const QString& resto) {
        vb::App().Command = "@Server=" + base_.carpeta() + ";@DbName=" + base_.nombre() + ";" + resto;
    }
    int accesos() const { return base_.escalar("SELECT count(*) FROM Control_Acceso").toInt(); }
};

}  // namespace

TEST_F(StartUp, OpensTheCompanyAndSetsWhatTheOtherRoutinesRead) {
    DialogosGuionados guion;
    linea("@UsuarioLogeado=OPERADOR;@Caja=0003;");
    CNStuffContable::InicializaSistema();
    auto& db = CNStuffContable::gBaseDatos();
    ASSERT_TRUE(db.gOpenFlag);
    EXPECT_EQ(db.gDBName, base_.nombre());
    EXPECT_EQ(db.gUsuario, base_.nombre());  // login and password are the database name
    EXPECT_EQ(db.gUserPassWord, base_.nombre());
    EXPECT_FALSE(db.gEsAdmin);
    EXPECT_EQ(db.gCnn->CommandTimeout(), 360);
    EXPECT_EQ(CNStuffContable::gUsuarioLogeado, "OPERADOR");
    EXPECT_EQ(CNStuffContable::gCaja, "0003");
    EXPECT_TRUE(LBM_Common::gSoloMayusculas);
    EXPECT_EQ(CNStuffContable::gPeriodo, "2027");
    EXPECT_EQ(CNStuffContable::gUNegocio, "  12");
    EXPECT_TRUE(CNStuffContable::gSSConfidencialidad);
    EXPECT_FALSE(CNStuffContable::gSSBloqueoActivo);
    EXPECT_EQ(CNStuffContable::gColorFondo, 0xFFFF00);
    EXPECT_EQ(CNStuffContable::gColorLetra, 255);
    EXPECT_EQ(CNStuffContable::gConexionReporte,
              "DSN=" + base_.nombre() + "; UID=" + base_.nombre() + "; PWD=" + base_.nombre());
    EXPECT_TRUE(gConsulta().gUsarMascarasConsultas);
    EXPECT_EQ(gConsulta().gConnString, db.gConnString);
    EXPECT_EQ(gConsulta().gRutaMascaraConsultas, vb::BarraFinal(vb::App().Path) + "consultas.qnl");
    EXPECT_EQ(accesos(), 1);
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

TEST_F(StartUp, TheLoggedUserFallsBackToUsuarioAndKeysMayStandAnywhere) {
    vb::App().Command = "x @usuario = OPERADOR ;@password=clave; @DBNAME=" + base_.nombre() +
                        "; @server=" + base_.carpeta() + ";";
    CNStuffContable::InicializaSistema();
    EXPECT_TRUE(CNStuffContable::gBaseDatos().gOpenFlag);
    EXPECT_EQ(CNStuffContable::gUsuarioLogeado, "OPERADOR");
}

TEST_F(StartUp, FlatToolbarsComesFromTheMachinesSectionOfTheIniFile) {
    linea("@UsuarioLogeado=ADMIN;");
    CNStuffContable::InicializaSistema();
    EXPECT_TRUE(CNStuffContable::gFlatToolbars);  // no file: on
    CNStuffContable::ReiniciarBaseDatos();
    const QString seccion =
        maker::gSistemaPC().NombreEquipo().toUpper() + "|" + maker::gSistemaPC().UsuarioWindows().toUpper();
    ASSERT_TRUE(maker::gArchivoIni().Escribir("QT742p.INI", seccion, "FlatToolbars", "0"));
    CNStuffContable::InicializaSistema();
    EXPECT_FALSE(CNStuffContable::gFlatToolbars);
    EXPECT_EQ(CNStuffContable::gSeccionEquipo, seccion);
}

TEST_F(StartUp, AnApostropheInTheCommandLineStillStartsAndLogs) {
    DialogosGuionados guion;
    linea("@UsuarioLogeado=D'ANGELO;");
    CNStuffContable::InicializaSistema();
    EXPECT_TRUE(CNStuffContable::gBaseDatos().gOpenFlag);
    EXPECT_EQ(base_.escalar("SELECT NombreUsuario FROM Control_Acceso").toString(), "D'ANGELO");
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

TEST_F(StartUp, AWrongDatabaseAsksAndNoEndsTheProgramWithTheConnectionClosed) {
    DialogosGuionados guion;
    FinObservado fin;
    vb::App().Command = "@Server=" + base_.carpeta() + ";@DbName=NOEXISTE;@UsuarioLogeado=ADMIN;";
    guion.esperarMsgBox(vb::vbNo);
    EXPECT_THROW(CNStuffContable::InicializaSistema(), vb::FinDelPrograma);
    ASSERT_EQ(guion.preguntas().size(), 1);
    const auto& p = guion.preguntas().at(0);
    EXPECT_EQ(p.titulo, " Error de Conexion a Base de Datos");
    EXPECT_EQ(p.estilo, vb::vbYesNo | vb::vbCritical);
    EXPECT_TRUE(p.texto.startsWith(" Estado de Sql: "));
    EXPECT_TRUE(p.texto.contains("\r\r\nNombre de Proceso: indajuste\r\r\n\r\n1. Verifique"));
    EXPECT_TRUE(p.texto.endsWith(" - Desea Intentarlo Nuevamente??? "));
    auto& db = CNStuffContable::gBaseDatos();
    EXPECT_FALSE(db.gOpenFlag);
    EXPECT_EQ(db.gCnn->State(), ado::adStateClosed);
    EXPECT_FALSE(QFile::exists(base_.carpeta() + "/NOEXISTE.sqlite"));
}

namespace {
QStringList gReportesRegistrados;
void RegistraReportePrueba(const QString& carpeta) {
    gReportesRegistrados << "RP_PRUEBA" + carpeta;
}
}  // namespace

TEST(InstalaPrograma, InstallsTheConnectionFormAndTheProgramsReports) {
    ProgramaDePrueba programa;
    DB_Dll::PedirDatosConexion = [](DB_Dll&) { return false; };
    gReportesRegistrados.clear();
    CNStuffContable::InstalaPrograma({&RegistraReportePrueba, &RegistraReportePrueba});
    using Pedir = bool (*)(DB_Dll&);
    const Pedir* pedir = DB_Dll::PedirDatosConexion.target<Pedir>();
    ASSERT_NE(pedir, nullptr);
    EXPECT_EQ(*pedir, &frmAcceso::PedirDatos);
    // Every report given, with no folder of its own: its PDFs go to the temporary folder.
    EXPECT_EQ(gReportesRegistrados, QStringList({"RP_PRUEBA", "RP_PRUEBA"}));
}
