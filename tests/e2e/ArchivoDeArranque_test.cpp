// Each program started on a company file that is not one: empty, not a database, a database of
// another program, or one lacking a table the program reads. One clear message, the connection
// form, the program's end when the user gives up, and the file exactly as it was.
#include "accounts/FrmMA_CUENTAS.h"
#include "data/DB_Dll.h"
#include "indices/frmMA_INDAJUSTE.h"
#include "outside/runtime/Aplicacion.h"
#include "services/CNStuffContable.h"
#include "support/ArchivoEnDisco.h"
#include "support/BaseDePrueba.h"
#include "support/DialogosGuionados.h"
#include "support/FinObservado.h"
#include "support/ImprimeQt.h"
#include "support/ProgramaDePrueba.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <memory>

namespace {

struct Programa {
    const char* nombre;
    QStringList tablas;             // what its windows read, as its installation gives them
    const char* tablaPropia;        // one of them
    std::function<void()> arranca;  // its start, up to its first window
};

QList<Programa> Programas() {
    return {
        {"indajuste", frmMA_INDAJUSTE::TablasQueLee(), "MA_INDAJUSTE",
         [] {
             frmMA_INDAJUSTE ventana;
             vb::ComoEvento("frmMA_INDAJUSTE_Form_Load", [&] { ventana.Form_Load(); });
         }},
        {"plancuentas", FrmMA_CUENTAS::TablasQueLee(), "TA_CCOSTO",
         [] {
             CNStuffContable::InicializaSistema();
             FrmMA_CUENTAS ventana;
             vb::ComoEvento("FrmMA_CUENTAS_Form_Load", [&] { ventana.Form_Load(); });
         }},
        {"informes", CNStuffContable::TablasDeLosReportes(), "MA_INDAJUSTE",
         [] {
             QString error;
             EXPECT_FALSE(CNStuffContable::AtiendeReporte("@Menu=RP_QT040;" + vb::App().Command, error));
             EXPECT_EQ(error, "");
         }},
    };
}

struct Archivo {
    const char* nombre;
    QByteArray contenido;  // empty with quitar: the demo company
    QString quitar;        // a table taken out of the demo; "propia": the program's own
    bool deOtroPrograma = false;
};

}  // namespace

TEST(StartUpFile, OneMessageTheConnectionFormAndTheFileUntouched) {
    const QList<Archivo> archivos{
        {"vacío", QByteArray(), {}},
        {"texto", QByteArray("Empresa DEMO\r\nCuentas al 31/12\r\n"), {}},
        {"base de otro programa", QByteArray(), {}, true},
        {"sin TA_CONFIGURACION", QByteArray(), "TA_CONFIGURACION"},
        {"sin una tabla propia", QByteArray(), "propia"},
    };
    for (const Programa& p : Programas()) {
        for (const Archivo& a : archivos) {
            SCOPED_TRACE(std::string(p.nombre) + " / " + a.nombre);
            ProgramaDePrueba programa;
            FinObservado fin;
            CNStuffContable::InstalaPrograma({}, p.tablas);
            int formularios = 0;
            DB_Dll::PedirDatosConexion = [&](DB_Dll&) {
                ++formularios;
                return false;  // the user cancels the connection form
            };
            const QString quitar = a.quitar == "propia" ? QString(p.tablaPropia) : a.quitar;
            const bool conDemo = !quitar.isEmpty();
            BaseDePrueba base(conDemo, conDemo ? QStringList{"DROP TABLE " + quitar} : QStringList{});
            ASSERT_TRUE(base.valida()) << base.error().toStdString();
            if (a.deOtroPrograma) {
                ASSERT_TRUE(QFile::remove(base.ruta()));
                sqlite3* otra = nullptr;
                ASSERT_EQ(sqlite3_open(QFile::encodeName(base.ruta()).constData(), &otra), SQLITE_OK);
                sqlite3_exec(otra,
                             "CREATE TABLE AGENDA (NOMBRE varchar(40)); INSERT INTO AGENDA VALUES ('ANA')",
                             nullptr, nullptr, nullptr);
                sqlite3_close(otra);
            } else if (!conDemo) {
                QFile f(base.ruta());
                ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
                f.write(a.contenido);
            }
            const QByteArray antes = BytesDe(base.ruta());
            vb::App().Command =
                "@Server=" + base.carpeta() + ";@DbName=" + base.nombre() + ";@UsuarioLogeado=ADMIN;";

            DialogosGuionados guion;
            guion.esperarMsgBox(vb::vbYes);
            bool terminado = false;
            try {
                p.arranca();
            } catch (const vb::FinDelPrograma&) {
                terminado = true;
            }
            ASSERT_EQ(guion.preguntas().size(), 1);
            EXPECT_EQ(guion.preguntas()[0].titulo, " Error de Conexion a Base de Datos");
            EXPECT_TRUE(guion.preguntas()[0].texto.contains("no es una base de datos de la empresa"))
                << guion.preguntas()[0].texto.toStdString();
            if (!quitar.isEmpty()) {
                EXPECT_TRUE(guion.preguntas()[0].texto.contains("le falta la tabla " + quitar));
            }
            EXPECT_EQ(formularios, 1);
            EXPECT_EQ(terminado, std::string(p.nombre) != "informes");
            EXPECT_FALSE(CNStuffContable::gBaseDatos().gOpenFlag);
            EXPECT_TRUE(BytesDe(base.ruta()) == antes);
            EXPECT_EQ(DiariosJunto(base.ruta()), QStringList());
        }
    }
}
