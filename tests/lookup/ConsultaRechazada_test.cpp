// A lookup statement the database refuses: the user is told once, in the refusal's own words,
// and the lookup ends with nothing chosen, without a window to cancel and without reading the
// recordset that never opened.
#include "accounts/CuentasDePrueba.h"
#include "lookup/Lib_ClsCons3.h"
#include "lookup/Lib_FrmCons3Tree.h"
#include "outside/controls/CajaTexto.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/Programa.h"
#include "support/ArchivoMascaras.h"
#include "support/ConsultaDePrueba.h"
#include "support/SentenciasHostiles.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QTest>

namespace {

const QString kSegundaSentencia = QStringLiteral(
    "DADA_DE_BAJA = 0\r\nUPDATE TA_USUARIOS SET ADMINISTRADOR = 1 WHERE NOMBRE = 'OPERADOR'\r\n"
    "SELECT 1 AS Codigo");
const QString kRechazo =
    QStringLiteral("La consulta debe ser una sola sentencia de lectura (SELECT); no se ejecutó nada.");

// OPERADOR on the chart, with the program's start-up settings: masks read from "consultas.qnl"
// beside the program.
class RefusedLookupOnTheChart : public ::testing::Test {
  protected:
    void SetUp() override {
        ReiniciarConsulta();
        v.Iniciar();
        ASSERT_FALSE(CNStuffContable::gBaseDatos().gEsAdmin);
    }
    void TearDown() override { ReiniciarConsulta(); }

    // F5 in the code box, as the user presses it there, with the mask's condition for MA_CUENTAS.
    void F5ConMascara(const QString& condicion) {
        ASSERT_TRUE(EscribeMascaras(QDir(vb::App().Path).filePath("consultas.qnl"),
                                    {{"MA_CUENTAS", "Codigo|Descripcion", condicion}}));
        auto* codigo = v.f().findChild<vb::CajaTexto*>("TxtCodigo");
        ASSERT_NE(codigo, nullptr);
        codigo->setFocus();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), codigo);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
        QApplication::processEvents();
    }
    QList<QStringList> Usuarios() { return v.base().filas("SELECT * FROM TA_USUARIOS ORDER BY NOMBRE"); }

    CuentasDePrueba v{{}, "OPERADOR"};
};

TEST_F(RefusedLookupOnTheChart, ASecondStatementInTheMaskIsOneMessageAndChangesNoUser) {
    const QList<QStringList> usuarios = Usuarios();
    auto* codigo = v.f().findChild<vb::CajaTexto*>("TxtCodigo");
    ASSERT_NE(codigo, nullptr);
    // Whether the user leaves the message with "Anular" or "Omitir", the lookup ends there: no
    // further message, no window (an unexpected one fails the test at once).
    for (const int respuesta : {int(vb::vbAbort), int(vb::vbIgnore)}) {
        SCOPED_TRACE(respuesta);
        const QString antes = codigo->text();
        const qsizetype preguntas = v.guion().preguntas().size();
        v.guion().esperarMsgBox(respuesta);
        F5ConMascara(kSegundaSentencia);
        ASSERT_EQ(v.guion().preguntas().size(), preguntas + 1);
        const Pregunta& p = v.guion().preguntas().last();
        EXPECT_EQ(p.tipo, Pregunta::Mensaje);
        EXPECT_TRUE(p.texto.contains(kRechazo)) << p.texto.toStdString();
        EXPECT_EQ(codigo->text(), antes);
        EXPECT_TRUE(gConsulta().ValorDevuelto.toString().isEmpty());
    }
    EXPECT_EQ(Usuarios(), usuarios);
    EXPECT_EQ(v.base().escalar("SELECT ADMINISTRADOR FROM TA_USUARIOS WHERE NOMBRE = 'OPERADOR'").toInt(), 0);
}

// The mask's condition holds a batch separator and a statement that would make OPERADOR an
// administrator, or one that would write a copy of the company file: one message, and neither runs.
TEST_F(RefusedLookupOnTheChart, AStatementAfterABatchSeparatorNeverRuns) {
    const QString copia = QDir(vb::App().Path).filePath("copia.sqlite");
    const QList<QStringList> usuarios = Usuarios();
    for (const QString& segunda :
         {QString("REPLACE INTO TA_USUARIOS (NOMBRE, GRUPO, UNegocio, Administrador) VALUES ('OPERADOR', "
                  "'OPERADORES', '   1', 1)"),
          "VACUUM INTO '" + copia + "'"}) {
        const qsizetype preguntas = v.guion().preguntas().size();
        v.guion().esperarMsgBox(vb::vbIgnore);
        F5ConMascara("DADA_DE_BAJA = 0\r\nGO\r\n" + segunda);
        ASSERT_EQ(v.guion().preguntas().size(), preguntas + 1);
        EXPECT_TRUE(v.guion().preguntas().last().texto.contains(kRechazo))
            << v.guion().preguntas().last().texto.toStdString();
    }
    EXPECT_EQ(Usuarios(), usuarios);
    EXPECT_FALSE(QFile::exists(copia));
}

TEST_F(RefusedLookupOnTheChart, AConditionOnAMissingColumnIsOneMessageToo) {
    v.guion().esperarMsgBox(vb::vbAbort);
    F5ConMascara("COLUMNA_QUE_NO_EXISTE = 1");
    ASSERT_EQ(v.guion().preguntas().size(), 1);
    EXPECT_TRUE(v.guion().preguntas().last().texto.contains("COLUMNA_QUE_NO_EXISTE"))
        << v.guion().preguntas().last().texto.toStdString();
}

class RefusedTreeLookup : public ConsultaDePrueba {
  protected:
    void SetUp() override {
        ConsultaDePrueba::SetUp();
        ASSERT_TRUE(AbrirComo(base_, "OPERADOR"));
    }
};

TEST_F(RefusedTreeLookup, EndsAfterTheRefusalWithNothingChosen) {
    ASSERT_TRUE(EscribeMascaras(programa_.filePath("consultas.qnl"),
                                {{"MA_CUENTAS", "Codigo|Descripcion", kSegundaSentencia}}));
    gConsulta().ValorDevuelto = QStringLiteral("11010100101");
    gConsulta().CampoDevuelto = QStringLiteral("CODIGO");
    guion_.esperarMsgBox(vb::vbAbort);
    Coleccion ninguna;
    QString clave, busqueda, where, opcional, defecto;
    bool arbol = true;
    gConsulta().ConsultaSearch("MA_CUENTAS", ninguna, clave, busqueda, where, opcional, arbol, defecto);
    ASSERT_EQ(guion_.preguntas().size(), 1);
    EXPECT_TRUE(guion_.preguntas()[0].texto.contains(kRechazo)) << guion_.preguntas()[0].texto.toStdString();
    EXPECT_TRUE(gConsulta().ValorDevuelto.toString().isEmpty());
    EXPECT_EQ(base_.escalar("SELECT ADMINISTRADOR FROM TA_USUARIOS WHERE NOMBRE = 'OPERADOR'").toInt(), 0);
}

class RefusedListLookup : public RefusedTreeLookup {};

// OPERADOR's list lookup of MA_CUENTAS, the mask's condition followed by a statement of every word
// of the server's dialect and of the embedded engine, after a separator, a line break or a blank.
TEST_F(RefusedListLookup, EveryStatementAfterTheConditionIsRefused) {
    const QString copia = programa_.filePath("copia.sqlite");
    const QList<QStringList> usuarios = base_.filas("SELECT * FROM TA_USUARIOS ORDER BY NOMBRE");
    const QList<QStringList> esquema = base_.filas("SELECT name FROM sqlite_master ORDER BY name");
    for (const SentenciaHostil& h : SentenciasHostiles(copia))
        for (const QString& entre : Separadores()) {
            const QString condicion = "DADA_DE_BAJA = 0" + entre + h.sentencia;
            SCOPED_TRACE(condicion.toStdString());
            ASSERT_TRUE(EscribeMascaras(programa_.filePath("consultas.qnl"),
                                        {{"MA_CUENTAS", "Codigo|Descripcion", condicion}}));
            gConsulta().CampoDevuelto = QStringLiteral("CODIGO");
            const qsizetype preguntas = guion_.preguntas().size();
            guion_.esperarMsgBox(vb::vbIgnore);
            Coleccion ninguna;
            QString clave, busqueda, where, opcional, defecto;
            bool arbol = false;
            gConsulta().ConsultaSearch("MA_CUENTAS", ninguna, clave, busqueda, where, opcional, arbol,
                                       defecto);
            ASSERT_EQ(guion_.preguntas().size(), preguntas + 1);
            if (h.delDialecto || entre.contains("GO")) {
                EXPECT_TRUE(guion_.preguntas().last().texto.contains(kRechazo))
                    << guion_.preguntas().last().texto.toStdString();
            }
            EXPECT_TRUE(gConsulta().ValorDevuelto.toString().isEmpty());
        }
    EXPECT_EQ(base_.filas("SELECT * FROM TA_USUARIOS ORDER BY NOMBRE"), usuarios);
    EXPECT_EQ(base_.filas("SELECT name FROM sqlite_master ORDER BY name"), esquema);
    EXPECT_FALSE(QFile::exists(copia));
}

}  // namespace
