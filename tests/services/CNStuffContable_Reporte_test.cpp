#include "services/CNStuffContable.h"

#include "accounts/reportes/ReporteCuentas.h"
#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "indices/reportes/ReporteIndices.h"
#include "outside/maker/Reporte.h"
#include "outside/maker/SistemaPC.h"
#include "outside/runtime/Procesos.h"
#include "outside/runtime/Programa.h"
#include "support/BaseDePrueba.h"
#include "support/DialogosGuionados.h"
#include "support/TextoPdf.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

class RendererGrabador : public maker::RenderizadorReporte {
  public:
    explicit RendererGrabador(QList<maker::SolicitudReporte>& pedidos) : pedidos_(pedidos) {}
    bool Generar(const maker::SolicitudReporte& s, QString&) override {
        pedidos_.append(s);
        return true;
    }

  private:
    QList<maker::SolicitudReporte>& pedidos_;
};

// What the report program is given: the demo company in a folder of its own.
class ProgramReports : public ::testing::Test {
  protected:
    ProgramReports() : base_(true) {}
    void SetUp() override {
        ASSERT_TRUE(base_.valida()) << base_.error().toStdString();
        ASSERT_TRUE(programa_.isValid());
        anterior_ = vb::App();
        vb::App().Path = programa_.path();
        CNStuffContable::ReiniciarBaseDatos();
        CNStuffContable::gTablaConfiguracion.clear();
    }
    void TearDown() override {
        maker::gReporte().setRenderizador(nullptr);
        maker::gSistemaPC().setAbridor({});
        vb::setLanzador({});
        CNStuffContable::ReiniciarBaseDatos();
        CNStuffContable::gUsuarioLogeado.clear();
        vb::App() = anterior_;
    }
    QString parametros(const QString& menu, const QString& base) const {
        return "@Menu=" + menu + ";@Server=" + base_.carpeta() + ";@DbName=" + base + ";@Usuario=" + base +
               ";@Password=" + base + ";tarvo@;";
    }

    BaseDePrueba base_;
    QTemporaryDir programa_;
    vb::AppInfo anterior_;
};

}  // namespace

TEST_F(ProgramReports, TheNamedReportIsRequestedFromTheNamedCompany) {
    QList<maker::SolicitudReporte> pedidos;
    maker::gReporte().setRenderizador(std::make_unique<RendererGrabador>(pedidos));
    QString error;
    EXPECT_TRUE(CNStuffContable::AtiendeReporte(parametros("Rp_PlanCtas", base_.nombre()), error));
    EXPECT_EQ(error, "");
    ASSERT_EQ(pedidos.size(), 1);
    EXPECT_EQ(pedidos[0].Nombre, "Rp_PlanCtas");
    EXPECT_EQ(pedidos[0].Salida, 10);
    EXPECT_EQ(pedidos[0].Conexion, CNStuffContable::gBaseDatos().gConnString);
    EXPECT_TRUE(pedidos[0].Conexion.contains("Database =" + base_.nombre() + ";"));
    const QString empresa =
        base_.escalar("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'NOMBRE'").toString();
    EXPECT_FALSE(empresa.trimmed().isEmpty());
    EXPECT_EQ(ReporteIndices::ValorFormula(pedidos[0].Formulas, "empresa"), empresa);

    // No report named: nothing is asked of the renderer.
    EXPECT_FALSE(CNStuffContable::AtiendeReporte("@Server=x;@DbName=y;tarvo@;", error));
    EXPECT_EQ(error, "No se indico el reporte a imprimir");
    EXPECT_EQ(pedidos.size(), 1);
}

TEST_F(ProgramReports, ACompanyThatDoesNotOpenProducesNoReport) {
    QList<maker::SolicitudReporte> pedidos;
    maker::gReporte().setRenderizador(std::make_unique<RendererGrabador>(pedidos));
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbNo);  // the database object's failure question
    QString error;
    EXPECT_FALSE(CNStuffContable::AtiendeReporte(parametros("RP_QT040", "NOEXISTE"), error));
    EXPECT_TRUE(pedidos.isEmpty());
}

TEST_F(ProgramReports, RequestFromAWindowEndsInThePdfOfTheIndexReport) {
    QTemporaryDir salida;
    auto renderer = std::make_unique<ReporteIndices>(salida.path());
    ReporteIndices* indices = renderer.get();
    maker::gReporte().setRenderizador(std::move(renderer));
    QUrl abierto;
    maker::gSistemaPC().setAbridor([&](const QUrl& u) {
        abierto = u;
        return true;
    });
    // The report program beside this one, run here on the command line it is given.
    QFile programa(programa_.filePath("qt742r"));
    ASSERT_TRUE(programa.open(QIODevice::WriteOnly));
    QString error;
    bool atendido = false;
    vb::setLanzador([&](const QString& ruta, const QStringList& argumentos) {
        EXPECT_EQ(ruta, programa.fileName());
        atendido = CNStuffContable::AtiendeReporte(argumentos.join(' '), error);
        return true;
    });
    DB_Dll& db = CNStuffContable::gBaseDatos();
    db.gServidor = base_.carpeta();
    db.gDBName = db.gUsuario = db.gUserPassWord = base_.nombre();

    CNStuffContable::LlamaReporte("RP_QT040");
    EXPECT_TRUE(atendido) << error.toStdString();
    ASSERT_FALSE(indices->UltimoArchivo().isEmpty());
    EXPECT_TRUE(QFile::exists(indices->UltimoArchivo()));
    EXPECT_EQ(abierto.toLocalFile(), indices->UltimoArchivo());
}

// A window's request as the logged user, answered by a report program that starts afresh: what
// it prints depends only on the user the request names.
TEST_F(ProgramReports, PaperHidesFromEachUserWhatTheScreenHides) {
    QTemporaryDir salida;
    auto cuentas = std::make_unique<ReporteCuentas>(salida.path());
    auto indices = std::make_unique<ReporteIndices>(salida.path());
    const ReporteCuentas* plan = cuentas.get();
    const ReporteIndices* tabla = indices.get();
    maker::gReporte().Registra(ReporteCuentas::kNombre, std::move(cuentas));
    maker::gReporte().Registra(ReporteIndices::kNombre, std::move(indices));
    maker::gSistemaPC().setAbridor([](const QUrl&) { return true; });
    QFile programa(programa_.filePath("qt742r"));
    ASSERT_TRUE(programa.open(QIODevice::WriteOnly));
    QString error;
    QString parametros;
    vb::setLanzador([&](const QString&, const QStringList& argumentos) {
        parametros = argumentos.join(' ');
        // A new process: nothing of the window's session, and an administrator's name left over
        // must not count for the request.
        CNStuffContable::ReiniciarBaseDatos();
        CNStuffContable::gUsuarioLogeado = "ADMIN";
        EXPECT_TRUE(CNStuffContable::AtiendeReporte(parametros, error)) << error.toStdString();
        return true;
    });
    const auto imprime = [&](const QString& usuario, const QString& reporte) {
        CNStuffContable::ReiniciarBaseDatos();
        DB_Dll& db = CNStuffContable::gBaseDatos();
        db.gServidor = base_.carpeta();
        db.gDBName = db.gUsuario = db.gUserPassWord = base_.nombre();
        CNStuffContable::gUsuarioLogeado = usuario;
        CNStuffContable::LlamaReporte(reporte);
        return TextoPdf(reporte == ReporteCuentas::kNombre ? plan->UltimoArchivo() : tabla->UltimoArchivo());
    };
    const QRegularExpression confidencial("5-1-01-01-00102 +HONORARIOS DIRECTORIO");

    const QString planAdmin = imprime("ADMIN", "Rp_PlanCtas");
    EXPECT_TRUE(parametros.contains(";@UsuarioLogeado=ADMIN;"));
    EXPECT_TRUE(planAdmin.contains(confidencial));
    const QString planOperador = imprime("OPERADOR", "Rp_PlanCtas");
    EXPECT_TRUE(planOperador.contains(QRegularExpression("5-1-04-01-00102 +4 +HONORARIOS PROFESIONALES")));
    EXPECT_FALSE(planOperador.contains(confidencial));
    // Names the parameter string would read as someone else's travel as no user at all.
    for (const QString& disfrazado : {QString("A=DMIN"), QString("ADMIN;x")}) {
        EXPECT_FALSE(imprime(disfrazado, "Rp_PlanCtas").contains(confidencial)) << disfrazado.toStdString();
        EXPECT_TRUE(parametros.contains(";@UsuarioLogeado=;"));
    }

    const QString indicesAdmin = imprime("ADMIN", "RP_QT040");
    EXPECT_TRUE(indicesAdmin.contains("Indices de Ajustes"));
    EXPECT_TRUE(indicesAdmin.contains(QRegularExpression("\\b\\d\\d/20\\d\\d +\\d")));
    EXPECT_EQ(imprime("OPERADOR", "RP_QT040"), indicesAdmin);

    // A request that names no user is read as one who is not an administrator.
    parametros.replace(QRegularExpression("@UsuarioLogeado=[^;]*;"), QString());
    parametros.replace("RP_QT040", "Rp_PlanCtas");
    vb::setLanzador({});
    CNStuffContable::ReiniciarBaseDatos();
    CNStuffContable::gUsuarioLogeado = "ADMIN";
    ASSERT_TRUE(CNStuffContable::AtiendeReporte(parametros, error)) << error.toStdString();
    const QString sinUsuario = TextoPdf(plan->UltimoArchivo());
    EXPECT_TRUE(sinUsuario.contains("Plan General de Cuentas"));
    EXPECT_FALSE(sinUsuario.contains(confidencial));
    maker::gReporte().Registra(ReporteCuentas::kNombre, nullptr);
    maker::gReporte().Registra(ReporteIndices::kNombre, nullptr);
}

// A value travels as it is wherever the reader reads it back whole: only a key the reader itself
// would find inside it (followed by no letter, digit or "_") blanks it.
TEST_F(ProgramReports, AValueTravelsWholeWhereverTheReaderReadsItBack) {
    using CNStuffContable::ValorParametro;
    struct Caso {
        QString usuario;
        bool viaja;
    };
    const QList<Caso> casos = {
        {"ana@cajamar.es", true},   {"ana@Menus", true},    {"pepe@Usuarios_2", true},
        {"ana@Server2", true},      {"ana@caja.es", false}, {"ana@CAJA", false},
        {"x @dbname y", false},     {"@Password=1", false}, {"juan@UsuarioLogeado", false},
        {"maria@usuario-x", false}, {"ana;@Caja=7", false}, {"O'Higgins", true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.usuario.toStdString());
        CNStuffContable::gUsuarioLogeado = c.usuario;
        const QString reporte = CNStuffContable::ParametrosReporte("Rp_PlanCtas");
        QString valor;
        ASSERT_TRUE(ValorParametro(reporte, "@UsuarioLogeado", valor));
        EXPECT_EQ(valor, c.viaja ? c.usuario : QString());
        ASSERT_TRUE(ValorParametro(reporte, "@Menu", valor));
        EXPECT_EQ(valor, "Rp_PlanCtas");
        CNStuffContable::gBaseDatos().gUsuario = c.usuario;
        const QString hermano = CNStuffContable::ParametrosHermano("1");
        ASSERT_TRUE(ValorParametro(hermano, "@Usuario", valor));
        EXPECT_EQ(valor, c.viaja ? c.usuario : QString());
        ASSERT_TRUE(ValorParametro(hermano, "@ParametroAdicional", valor));
        EXPECT_EQ(valor, "1");
    }
}

// What the started program reads back from the strings this one builds: a value never carries a
// key of its own (the report program's user, a sibling's user), whatever its case or its ";".
TEST_F(ProgramReports, AValueInTheParameterStringsNeverReadsAsAKey) {
    using CNStuffContable::ValorParametro;
    DB_Dll& db = CNStuffContable::gBaseDatos();
    struct Caso {
        QString servidor, base, servidorLeido, baseLeida;
    };
    const QList<Caso> casos = {
        {"/srv/datos", "DEMO @UsuarioLogeado=ADMIN", "/srv/datos", ""},
        {"srv01;@UsuarioLogeado=ADMIN", "DEMO", "", "DEMO"},
        {"srv01 @usuariologeado ADMIN", "DEMO", "", "DEMO"},
        {"/srv/datos con blancos", "EMPRESA_1", "/srv/datos con blancos", "EMPRESA_1"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE((c.servidor + " | " + c.base).toStdString());
        db.gServidor = c.servidor;
        db.gDBName = db.gUsuario = db.gUserPassWord = c.base;
        CNStuffContable::gUsuarioLogeado = "OPERADOR";
        const QString reporte = CNStuffContable::ParametrosReporte("Rp_PlanCtas");
        QString valor;
        ASSERT_TRUE(ValorParametro(reporte, "@UsuarioLogeado", valor));
        EXPECT_EQ(valor, "OPERADOR");
        ASSERT_TRUE(ValorParametro(reporte, "@Server", valor));
        EXPECT_EQ(valor, c.servidorLeido);
        ASSERT_TRUE(ValorParametro(reporte, "@DbName", valor));
        EXPECT_EQ(valor, c.baseLeida);
        ASSERT_TRUE(ValorParametro(reporte, "@Menu", valor));
        EXPECT_EQ(valor, "Rp_PlanCtas");

        // A sibling takes its user from "@UsuarioLogeado", else from "@Usuario".
        const QString hermano = CNStuffContable::ParametrosHermano("@Menu=x");
        ASSERT_TRUE(ValorParametro(hermano, "@UsuarioLogeado", valor));
        EXPECT_EQ(valor, "");
        ASSERT_TRUE(ValorParametro(hermano, "@Usuario", valor));
        EXPECT_EQ(valor, c.baseLeida);
        ASSERT_TRUE(ValorParametro(hermano, "@Menu", valor));
        EXPECT_EQ(valor, "");
    }
}
