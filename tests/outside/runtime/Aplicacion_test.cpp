#include "outside/runtime/Aplicacion.h"

#include "accounts/CuentasDePrueba.h"
#include "outside/controls/CajaTexto.h"
#include "outside/runtime/Archivos.h"
#include "outside/runtime/Conversiones.h"
#include "services/CNStuffContable.h"
#include "support/Control.h"
#include "support/LogDePrueba.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <stdexcept>

namespace {

// A box whose key handler fails the way a library or the program's own code fails.
class CajaQueFalla : public QLineEdit {
  public:
    std::function<void()> falla;

  protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (falla) falla();
        QLineEdit::keyPressEvent(e);
    }
};

}  // namespace

TEST(Aplicacion, AWrongLevelWidthIsToldAndTheChartWindowGoesOn) {
    LogDePrueba log;
    CuentasDePrueba v({"UPDATE TA_CONFIGURACION SET VALOR = '-1' WHERE CLAVE = 'DIGITOS_CAPITULO'"});
    v.Iniciar();
    // Enter in the title list opens the code box; its first digit reformats the code by the levels.
    Control<QComboBox>(v.f(), "Combo1")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), Control<vb::CajaTexto>(v.f(), "txtFields", 1));
    v.guion().esperarMsgBox(vb::vbOK);
    QTest::keyClick(QApplication::focusWidget(), '1');
    ASSERT_EQ(v.guion().preguntas().size(), 1);
    const Pregunta& p = v.guion().preguntas().at(0);
    EXPECT_EQ(p.texto, "Ha ocurrido el Siguiente Error (5) Llamada a procedimiento o argumento no válido");
    EXPECT_EQ(p.titulo, " - txtFields_1_KeyUp Aviso al operador!!! ");
    EXPECT_EQ(p.estilo, vb::vbOKOnly + vb::vbCritical);
    const QStringList lineas = log.lineas();
    ASSERT_EQ(lineas.size(), 1);
    EXPECT_TRUE(lineas[0].contains("Rutina: - txtFields_1_KeyUp Mensaje Ha ocurrido el Siguiente Error (5)"))
        << lineas[0].toStdString();

    // The window still answers. Leaving the code box validates the code, whose own routine reports
    // the same width fault through its handler; Abort leaves it.
    v.guion().esperarMsgBox(vb::vbAbort);
    v.EscribirCampo(0, "CAJA CHICA");
    ASSERT_EQ(v.guion().preguntas().size(), 2);
    EXPECT_TRUE(
        v.guion().preguntas().at(1).texto.startsWith("Se produjo un error en la rutina AsignarDatos."));
    EXPECT_EQ(Control<vb::CajaTexto>(v.f(), "txtFields", 0)->text(), "CAJA CHICA");
}

TEST(Aplicacion, AnErrorThatIsNotTheProgramsOwnIsToldAsAnInternalError) {
    LogDePrueba log;
    DialogosGuionados guion;
    CajaQueFalla caja;
    caja.setObjectName("Caja");
    caja.show();
    caja.falla = [] { throw std::runtime_error("vector::at"); };
    guion.esperarMsgBox(vb::vbOK);
    QTest::keyClick(&caja, 'a');
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(guion.preguntas()[0].texto, "Ha ocurrido el Siguiente Error (51) Error interno: vector::at");
    EXPECT_EQ(guion.preguntas()[0].titulo, " - Caja_KeyDown Aviso al operador!!! ");
    EXPECT_EQ(log.lineas().size(), 1);
    // The box goes on taking keys.
    caja.falla = nullptr;
    QTest::keyClick(&caja, 'b');
    EXPECT_EQ(caja.text(), "b");
}

// What a program runs before its event loop (its first window's load) is treated as an event
// handler: an error that leaves it is told and the program goes on; one that comes of a read the
// operator already gave up ("Anular" on a table the load cannot read) is not told a second time.
TEST(Aplicacion, AnErrorLeavingTheFirstWindowsLoadIsToldOnceAndTheProgramGoesOn) {
    CuentasDePrueba v({"DROP TABLE TA_CCOSTO"});
    CNStuffContable::InicializaSistema();
    v.guion().esperarMsgBox(vb::vbAbort);
    vb::ComoEvento("FrmMA_CUENTAS_Form_Load", [&] { v.f().Form_Load(); });
    ASSERT_EQ(v.guion().preguntas().size(), 1);
    EXPECT_TRUE(v.guion().preguntas()[0].texto.contains("no such table: TA_CCOSTO"))
        << v.guion().preguntas()[0].texto.toStdString();

    v.guion().esperarMsgBox(vb::vbOK);
    vb::ComoEvento("FrmMA_CUENTAS_Form_Load", [] { vb::Raise(vb::kArgumentoInvalido); });
    ASSERT_EQ(v.guion().preguntas().size(), 2);
    EXPECT_EQ(v.guion().preguntas()[1].titulo, " - FrmMA_CUENTAS_Form_Load Aviso al operador!!! ");
}

TEST(Aplicacion, QtsOwnTextsAreSpanish) {
    const QString carpeta = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(QDir(carpeta).filePath("qtbase_es.qm")))
        GTEST_SKIP() << "Falta la traduccion de Qt qtbase_es.qm en " << carpeta.toStdString()
                     << " (paquete qt6-translations-l10n, lo instala scripts/setup)";
    // The test program's application object is every program's.
    QLineEdit caja;
    caja.setText("texto");
    std::unique_ptr<QMenu> menu(caja.createStandardContextMenu());
    QStringList textos;
    for (const QAction* a : menu->actions())
        if (!a->isSeparator()) textos << a->text().remove('&').section('\t', 0, 0);
    EXPECT_TRUE(textos.contains("Deshacer")) << textos.join(" | ").toStdString();
    EXPECT_TRUE(textos.contains("Copiar")) << textos.join(" | ").toStdString();
    EXPECT_TRUE(textos.contains("Pegar")) << textos.join(" | ").toStdString();
    EXPECT_FALSE(textos.contains("Select All")) << textos.join(" | ").toStdString();
}
