#include "services/CNStuffContable.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "outside/runtime/Procesos.h"
#include "outside/runtime/Programa.h"
#include "support/DialogosGuionados.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

struct Lanzamiento {
    QString programa;
    QStringList argumentos;
};

// A program folder of its own, a database object pointed at EMP and recorded launches.
class SiblingPrograms : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta_.isValid());
        anterior_ = vb::App();
        vb::App().Path = carpeta_.path();
        CNStuffContable::ReiniciarBaseDatos();
        DB_Dll& db = CNStuffContable::gBaseDatos();
        db.gServidor = "srv01:1433";
        db.gDBName = "EMP";
        db.gUsuario = "EMP";
        db.gUserPassWord = "clave;EMP";
        vb::setLanzador([this](const QString& programa, const QStringList& argumentos) {
            lanzados_.append({programa, argumentos});
            return arranca_;
        });
    }
    void TearDown() override {
        vb::setLanzador({});
        CNStuffContable::ReiniciarBaseDatos();
        vb::App() = anterior_;
    }
    QString crear(const QString& nombre) const {
        QFile f(carpeta_.filePath(nombre));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        return f.fileName();
    }

    QTemporaryDir carpeta_;
    vb::AppInfo anterior_;
    QList<Lanzamiento> lanzados_;
    bool arranca_ = true;
};

}  // namespace

TEST_F(SiblingPrograms, SiblingStartsWithTheSuitesParameterString) {
    DialogosGuionados guion;
    const QString programa = crear("v_ma_clientes");
    int32_t id = 0;
    CNStuffContable::EjecutaOpcionMenu("SHELL:V_MA_CLIENTES", "1", id);
    EXPECT_NE(id, 0);
    ASSERT_EQ(lanzados_.size(), 1);
    EXPECT_EQ(lanzados_[0].programa, programa);
    EXPECT_EQ(lanzados_[0].argumentos,
              QStringList{" ; @server=srv01:1433; @dbname=EMP; @usuario=EMP; @Password=; "
                          "@ParametroAdicional=1; tarvo@ ;"});  // a ";" would end the value early

    // An empty extra value still writes its key; the prefix is not checked.
    CNStuffContable::EjecutaOpcionMenu("XXXXX:V_MA_CLIENTES", "", id);
    ASSERT_EQ(lanzados_.size(), 2);
    EXPECT_TRUE(lanzados_[1].argumentos.value(0).endsWith("; @ParametroAdicional=; tarvo@ ;"));
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

TEST_F(SiblingPrograms, MissingOrFailingSiblingTellsTheOperator) {
    DialogosGuionados guion;
    const Pregunta aviso{"Opcion no Implementada!\rComuniquese con su proveedor de sistemas", "Atención",
                         vb::vbCritical, Pregunta::Mensaje};
    guion.esperarMsgBox(vb::vbOK);
    int32_t id = 99;
    CNStuffContable::EjecutaOpcionMenu("SHELL:V_TA_TABLAS", "", id);
    EXPECT_EQ(id, 0);
    EXPECT_TRUE(lanzados_.isEmpty());

    crear("V_TA_TABLAS");
    arranca_ = false;
    guion.esperarMsgBox(vb::vbOK);
    CNStuffContable::EjecutaOpcionMenu("SHELL:V_TA_TABLAS", "", id);
    EXPECT_EQ(id, 0);
    EXPECT_EQ(lanzados_.size(), 1);
    EXPECT_EQ(guion.preguntas(), (QList<Pregunta>{aviso, aviso}));
}

TEST_F(SiblingPrograms, SiblingLookupAndFileCheck) {
    EXPECT_EQ(CNStuffContable::RutaProgramaHermano("ODBC.exe"), "");
    const QString minusculas = crear("odbc");
    EXPECT_EQ(CNStuffContable::RutaProgramaHermano("ODBC.exe"), minusculas);
    const QString exacto = crear("ODBC.exe");
    EXPECT_EQ(CNStuffContable::RutaProgramaHermano("ODBC.exe"), exacto);  // as given comes first
    EXPECT_EQ(CNStuffContable::RutaProgramaHermano("  "), "");

    EXPECT_TRUE(CNStuffContable::ExisteArchivo(exacto));
    EXPECT_FALSE(CNStuffContable::ExisteArchivo(carpeta_.path()));
    EXPECT_FALSE(CNStuffContable::ExisteArchivo(""));
    EXPECT_FALSE(CNStuffContable::ExisteArchivo(carpeta_.filePath("no/existe.txt")));
    EXPECT_EQ(CNStuffContable::FormatoFechaHora(), "dd/mm/yy hh:mm");
}

TEST_F(SiblingPrograms, ReportRequestChecksForTheReportProgram) {
    DialogosGuionados guion;
    // A blank name: nothing at all.
    CNStuffContable::LlamaReporte("   ");
    EXPECT_TRUE(guion.preguntas().isEmpty());

    guion.esperarMsgBox(vb::vbOK);
    CNStuffContable::LlamaReporte("Rp_PlanCtas");
    EXPECT_TRUE(lanzados_.isEmpty());
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(guion.preguntas()[0],
              (Pregunta{"Error de integridad en los Archivos del sistema (QT742R), copie este mensaje y "
                        "comuniquese con su proveedor de software",
                        "Aviso al operador", vb::vbCritical, Pregunta::Mensaje}));

    // The caller's report name travels; a folder that ends in its separator gets no second one.
    const QString programa = crear("qt742r");
    vb::App().Path = carpeta_.path() + "/";
    CNStuffContable::gUsuarioLogeado = "OPERADOR";
    CNStuffContable::LlamaReporte("Rp_PlanCtas");
    ASSERT_EQ(lanzados_.size(), 1);
    EXPECT_EQ(lanzados_[0].programa, programa);
    EXPECT_EQ(lanzados_[0].argumentos,
              QStringList{"@Menu=Rp_PlanCtas;@Server=srv01:1433;@DbName=EMP;"
                          "@Usuario=EMP;@Password=;@UsuarioLogeado=OPERADOR;tarvo@;"});
}
