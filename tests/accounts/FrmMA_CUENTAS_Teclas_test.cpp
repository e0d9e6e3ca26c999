#include "account_extras/Frmta_asigccosto.h"
#include "accounts/CuentasDePrueba.h"
#include "accounts/EnlacesCuentas.h"
#include "outside/controls/BarraBotones.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/Teclas.h"
#include "outside/controls/UtilVex.h"
#include "outside/runtime/Dialogos.h"
#include "services/CNStuffContable.h"
#include "support/Control.h"
#include "support/LocaleNumeros.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {

// Keys as a user types them, in a "," and a "." number locale.
class ChartKeys : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        v.Iniciar();
        EnlacesCuentas::RegistraConsultaSearch(
            [this](const QString& tabla, const QString& condicion, const QString& campo) {
                busquedas << tabla + "|" + condicion + "|" + campo;
                return respuesta;
            });
    }
    void TearDown() override { EnlacesCuentas::RegistraConsultaSearch({}); }
    CuentasDePrueba v;
    LocaleNumeros locale_{GetParam() ? LocaleNumeros::coma() : LocaleNumeros::punto()};
    QStringList busquedas;
    QString respuesta;
};

TEST_P(ChartKeys, ACodeIsRepunctuatedWhileItIsTyped) {
    v.EscribirCodigo("11010100101");
    vb::CajaTexto* codigo = Control<vb::CajaTexto>(v.f(), "txtFields", 1);
    // Without its lookup table the field opens no code search, so every key stays in it.
    codigo->Tag.clear();
    codigo->setFocus();
    codigo->clear();
    QStringList vistos;
    for (QChar c : QString("1101010")) {
        QTest::keyClick(codigo, c.toLatin1());
        vistos << codigo->text();
    }
    EXPECT_EQ(vistos, (QStringList{"1", "1-1", "1-1-0", "1-1-01", "1-1-01-0", "1-1-01-01", "1-1-01-01-0"}));
    EXPECT_EQ(codigo->cursorPosition(), codigo->text().size());
    // Backspace leaves the dashes where they are.
    QTest::keyClick(codigo, Qt::Key_Backspace);
    QTest::keyClick(codigo, Qt::Key_Backspace);
    EXPECT_EQ(codigo->text(), "1-1-01-01");
    // A key that changes nothing touches nothing: a code handed back without its dashes keeps
    // them off, and Ctrl+A keeps the whole of it selected.
    codigo->setText("11010100101");
    QTest::keyClick(codigo, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(codigo->text(), "11010100101");
    EXPECT_EQ(codigo->selectedText(), "11010100101");
    // The next digit replaces it and is re-punctuated.
    QTest::keyClick(codigo, Qt::Key_1);
    EXPECT_EQ(codigo->text(), "1");
}

TEST_P(ChartKeys, F5InTheCodeBoxSearchesByDescriptionOnce) {
    v.EscribirCampo(0, "CAJA D'A");
    Control<vb::CajaTexto>(v.f(), "TxtCodigo")->setFocus();
    respuesta = "11010100102";
    v.Tecla(Qt::Key_F5);
    EXPECT_EQ(busquedas, QStringList{"MA_CUENTAS|(DESCRIPCION LIKE 'CAJA D''A%')|CODIGO"});
    // The chosen code lands in the code box, which is left and validated.
    EXPECT_TRUE(v.f().CuentaGuardada());
    EXPECT_EQ(Control<vb::CajaTexto>(v.f(), "txtFields", 0)->text(), "CAJA DOLARES");
    // A cancelled search leaves the code box as it was.
    Control<vb::CajaTexto>(v.f(), "TxtCodigo")->setFocus();
    respuesta.clear();
    v.Tecla(Qt::Key_F5);
    EXPECT_EQ(busquedas.size(), 2);
    EXPECT_EQ(Control<vb::CajaTexto>(v.f(), "TxtCodigo")->text(), "1-1-01-01-00102");
}

TEST_P(ChartKeys, AFieldIsValidatedOnceWhetherLeftByKeyOrByMouse) {
    v.EscribirCodigo("11010100101");
    // Left with Enter: one refusal.
    v.guion().esperarMsgBox(vb::vbOK);
    v.EscribirCampo(3, "110101");
    EXPECT_EQ(v.guion().preguntas().size(), 1);
    // Left with a click on another field: one refusal too.
    vb::CajaTexto* relacionada = Control<vb::CajaTexto>(v.f(), "txtFields", 3);
    relacionada->setText("1101");
    v.guion().esperarMsgBox(vb::vbOK);
    QTest::mouseClick(Control<vb::CajaTexto>(v.f(), "txtFields", 2), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(v.guion().preguntas().size(), 2);
    EXPECT_EQ(v.guion().preguntas().last().texto, "Debe seleccionar una Cuenta Imputable");
    EXPECT_EQ(QApplication::focusWidget(), relacionada);
}

TEST_P(ChartKeys, FocusColoursAndTheLookupButtonFollowTheFieldsTag) {
    v.EscribirCodigo("11010100101");
    Control<vb::CajaTexto>(v.f(), "txtFields", 2)->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(Control<UtilVex>(v.f(), "UtilVex1")->Habilitado("CONSULTAR"));
    EXPECT_TRUE(Control<vb::CajaTexto>(v.f(), "txtFields", 2)->styleSheet().contains("#00ffff"));
    Control<vb::CajaTexto>(v.f(), "txtFields", 3)->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(Control<UtilVex>(v.f(), "UtilVex1")->Habilitado("CONSULTAR"));
    EXPECT_TRUE(Control<vb::CajaTexto>(v.f(), "txtFields", 2)->styleSheet().contains("#ffffff"));
    EXPECT_EQ(QApplication::focusWidget(), Control<vb::CajaTexto>(v.f(), "txtFields", 3));
}

TEST_P(ChartKeys, LeavingTheCodeBoxEmptyValidatesNothing) {
    Control<vb::CajaTexto>(v.f(), "TxtCodigo")->setFocus();
    v.Tecla(Qt::Key_Return);
    EXPECT_FALSE(v.f().CuentaNueva());
    EXPECT_FALSE(v.f().CuentaGuardada());
    EXPECT_TRUE(v.guion().preguntas().isEmpty());
}

TEST_P(ChartKeys, OptionsAndChecksReactAsTheUserEdits) {
    auto& f = v.f();
    v.EscribirCodigo("11050100101");  // adjustable
    ASSERT_TRUE(Control<QCheckBox>(f, "CHKAjustable")->isChecked());
    Control<QRadioButton>(f, "OptTipoCuenta", 1)->click();
    EXPECT_FALSE(Control<QCheckBox>(f, "CHKAjustable")->isChecked());
    EXPECT_EQ(Control<QCheckBox>(f, "CHKAjustable")->text(), "NO");
    EXPECT_TRUE(Control<QComboBox>(f, "CmbIndices")->isHidden());
    EXPECT_EQ(Control<QLabel>(f, "LblDV")->text(), "0");
    EXPECT_FALSE(Control<QRadioButton>(f, "optLibros", 0)->isEnabled());
    Control<QRadioButton>(f, "OptTipoCuenta", 0)->click();
    EXPECT_FALSE(Control<QCheckBox>(f, "CHKAjustable")->isChecked());
    EXPECT_TRUE(Control<QComboBox>(f, "CmbIndices")->isHidden());
    EXPECT_TRUE(Control<QRadioButton>(f, "optLibros", 0)->isEnabled());
    Control<QCheckBox>(f, "CHKAjustable")->click();
    EXPECT_FALSE(Control<QComboBox>(f, "CmbIndices")->isHidden());

    Control<QComboBox>(f, "CmbMP")->setCurrentIndex(11);
    EXPECT_FALSE(Control<vb::CajaTexto>(f, "txtFields", 4)->isHidden());
    EXPECT_TRUE(Control<QLabel>(f, "lblCodTarjetaConcAuto")->text().isEmpty());
    Control<QComboBox>(f, "CmbMP")->setCurrentIndex(4);
    EXPECT_EQ(Control<QLabel>(f, "lblCodTarjetaConcAuto")->text(),
              "Código para conciliación automática: (Datanet)");
    Control<QComboBox>(f, "CmbMP")->setCurrentIndex(1);
    EXPECT_TRUE(Control<vb::CajaTexto>(f, "txtFields", 4)->isHidden());
    EXPECT_FALSE(Control<QComboBox>(f, "CmbMoneda")->isHidden());
    Control<QComboBox>(f, "CmbMP")->setCurrentIndex(0);
    EXPECT_TRUE(Control<QComboBox>(f, "CmbMoneda")->isHidden());

    // Letters typed in the lists change nothing; Enter in the index list moves on.
    Control<QComboBox>(f, "CmbMP")->setFocus();
    QTest::keyClicks(Control<QComboBox>(f, "CmbMP"), "D");
    EXPECT_EQ(Control<QComboBox>(f, "CmbMP")->currentIndex(), 0);
    Control<QComboBox>(f, "CmbIndices")->setFocus();
    QTest::keyClicks(Control<QComboBox>(f, "CmbIndices"), "U");
    EXPECT_EQ(Control<QComboBox>(f, "CmbIndices")->currentIndex(), 0);
    QTest::keyClick(Control<QComboBox>(f, "CmbIndices"), Qt::Key_Return);
    EXPECT_NE(QApplication::focusWidget(), Control<QComboBox>(f, "CmbIndices"));

    Control<QCheckBox>(f, "ChkCyB")->click();
    EXPECT_EQ(Control<QCheckBox>(f, "ChkCyB")->text(), "SI");
    EXPECT_TRUE(Control<QComboBox>(f, "CmbMoneda")->isEnabled());
}

TEST_P(ChartKeys, LeavingTheTitleListProposesACodeOnlyForANewAccount) {
    v.EscribirCodigo("11010100101");
    const QString antes = Control<vb::CajaTexto>(v.f(), "txtFields", 1)->text();
    Control<QComboBox>(v.f(), "Combo1")->setFocus();
    Control<QComboBox>(v.f(), "Combo1")->setCurrentIndex(Control<QComboBox>(v.f(), "Combo1")->count() - 1);
    Control<vb::CajaTexto>(v.f(), "txtFields", 2)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(Control<vb::CajaTexto>(v.f(), "txtFields", 1)->text(), antes);
}

INSTANTIATE_TEST_SUITE_P(Locales, ChartKeys, ::testing::Bool());

}  // namespace

namespace {

// A user's sequences on the demo, in the "," locale.
class ChartUser : public ::testing::Test {
  protected:
    void SetUp() override { v.Iniciar(); }
    void Clic(QWidget* w) {
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(4, w->height() / 2));
        QApplication::processEvents();
    }
    // Key by key into whatever has the focus, as a user's keys land.
    static void Teclea(const QString& texto) {
        for (QChar c : texto) QTest::keyClicks(QApplication::focusWidget(), QString(c));
    }
    static void Tecla(Qt::Key tecla, Qt::KeyboardModifiers mod = {}) {
        QTest::keyClick(QApplication::focusWidget(), tecla, mod);
        QApplication::processEvents();
    }
    void Pestania(int i) {
        QTabBar* barra = Control<QTabWidget>(v.f(), "SSTab1")->tabBar();
        QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(i).center());
        QApplication::processEvents();
    }
    LocaleNumeros locale_{LocaleNumeros::coma()};
    CuentasDePrueba v;
};

TEST_F(ChartUser, VisitingTheTabsKeepsWhatTheUserChoseForANewAccount) {
    auto& f = v.f();
    v.EscribirCodigo("11010100103");
    ASSERT_TRUE(f.CuentaNueva());
    v.EscribirCampo(0, "CAJA CHICA");
    Clic(Control<QCheckBox>(f, "CHKAjustable"));
    Clic(Control<QCheckBox>(f, "ChkCyB"));
    Clic(Control<QCheckBox>(f, "chkCCostos"));
    Control<QComboBox>(f, "CmbMP")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    ASSERT_EQ(Control<QComboBox>(f, "CmbMP")->currentText(), "Efectivo");
    Pestania(1);
    Pestania(0);
    EXPECT_TRUE(Control<QCheckBox>(f, "CHKAjustable")->isChecked());
    EXPECT_FALSE(Control<QComboBox>(f, "CmbIndices")->isHidden());
    EXPECT_EQ(Control<QComboBox>(f, "CmbMP")->currentText(), "Efectivo");
    EXPECT_TRUE(Control<QCheckBox>(f, "ChkCyB")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>(f, "chkCCostos")->isChecked());
    v.Boton("GRABAR");
    ASSERT_FALSE(f.Rechazo());
    EXPECT_EQ(v.base().filas("SELECT DESCRIPCION, AJUSTE, INDICE, MedioDePago, CajayBanco, usaccostoS FROM "
                             "MA_CUENTAS WHERE CODIGO = '11010100103'"),
              (QList<QStringList>{{"CAJA CHICA", "1", "1", "EF", "1", "1"}}));
    EXPECT_EQ(v.Filas("SELECT count(*) FROM MA_CUENTASCCOSTO WHERE CODIGO = '11010100103'"), 1);
}

TEST_F(ChartUser, LeavingAnOpenCodeSearchKeepsTheTypedCodeAndValidatesIt) {
    auto& f = v.f();
    // Into the box over what it holds.
    auto teclea = [](const QString& texto) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ShiftModifier);
        for (QChar c : texto) QTest::keyClicks(QApplication::focusWidget(), QString(c));
    };
    // A free code, Tab: a new account.
    Clic(Control<vb::CajaTexto>(f, "TxtCodigo"));
    teclea("11010100103");
    ASSERT_TRUE(Control<vb::BusquedaCodigo>(f, "BusquedaCodigo2")->Visible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(Control<vb::CajaTexto>(f, "TxtCodigo")->text(), "11010100103");
    EXPECT_TRUE(f.CuentaNueva());
    EXPECT_EQ(QApplication::focusWidget(), Control<vb::CajaTexto>(f, "txtFields", 0));
    // Escape closes the search over the whole code; Tab then loads it.
    v.guion().esperarMsgBox(vb::vbYes);
    v.Boton("CANCELAR");
    ASSERT_EQ(QApplication::focusWidget(), Control<vb::CajaTexto>(f, "TxtCodigo"));
    teclea("4101");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(Control<vb::BusquedaCodigo>(f, "BusquedaCodigo2")->Visible());
    EXPECT_EQ(QApplication::focusWidget(), Control<vb::CajaTexto>(f, "TxtCodigo"));
    EXPECT_EQ(Control<vb::CajaTexto>(f, "TxtCodigo")->text(), "4101");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(f.CuentaGuardada());
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtFields", 0)->text(), "VENTAS DE MERCADERIAS");
    // A click on another field leaves it too.
    Clic(Control<vb::CajaTexto>(f, "TxtCodigo"));
    teclea("1101");
    ASSERT_TRUE(Control<vb::BusquedaCodigo>(f, "BusquedaCodigo2")->Visible());
    Clic(Control<vb::CajaTexto>(f, "txtFields", 2));
    EXPECT_FALSE(Control<vb::BusquedaCodigo>(f, "BusquedaCodigo2")->Visible());
    EXPECT_EQ(Control<vb::CajaTexto>(f, "TxtCodigo")->text(), "1-1-01");
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtFields", 0)->text(), "DISPONIBILIDADES");
    EXPECT_EQ(v.guion().preguntas().size(), 1);
    // The related account's box, left by a click while its search is open: validated as typed.
    Clic(Control<vb::CajaTexto>(f, "txtFields", 3));
    teclea("1101");
    ASSERT_TRUE(Control<vb::BusquedaCodigo>(f, "BusquedaCodigo1")->Visible());
    v.guion().esperarMsgBox(vb::vbOK);
    Clic(Control<vb::CajaTexto>(f, "txtFields", 2));
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtFields", 3)->text(), "1101");
    ASSERT_EQ(v.guion().preguntas().size(), 2);
    EXPECT_EQ(v.guion().preguntas().last().texto, "Debe seleccionar una Cuenta Imputable");
    EXPECT_EQ(QApplication::focusWidget(), Control<vb::CajaTexto>(f, "txtFields", 3));
}

TEST_F(ChartUser, ACodePickedInTheF5LookupIsShownAtOnce) {
    auto& f = v.f();
    // The lookup is a window of its own: the chart's window is inactive while it is open.
    EnlacesCuentas::RegistraConsultaSearch([](const QString&, const QString&, const QString&) {
        QDialog consulta;
        QTimer::singleShot(50, &consulta, &QDialog::accept);
        consulta.exec();
        return QString("21050100101");
    });
    Clic(Control<vb::CajaTexto>(f, "TxtCodigo"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    QApplication::processEvents();
    EnlacesCuentas::RegistraConsultaSearch({});
    EXPECT_TRUE(f.CuentaGuardada());
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtFields", 0)->text().toStdString(),
              v.Guardado("21050100101", "DESCRIPCION").toStdString());
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtFields", 1)->text().remove(QChar('-')), "21050100101");
    EXPECT_NE(QApplication::focusWidget(), Control<vb::CajaTexto>(f, "TxtCodigo"));
}

// In the code box and in the code field alike: the code replaced key by key is the account edited
// and saved, never the search's first match nor another account.
class ChartCodeBox : public ChartUser, public ::testing::WithParamInterface<const char*> {};

TEST_P(ChartCodeBox, ReplacingTheCodeWithCtrlAEditsTheAccountTyped) {
    auto& f = v.f();
    const QString antes = v.Guardado("11030100105", "DESCRIPCION");
    v.EscribirCodigo("11030100119");
    ASSERT_TRUE(f.CuentaGuardada());
    vb::CajaTexto* caja = Control<vb::CajaTexto>(f, GetParam());
    auto* busqueda = Control<vb::BusquedaCodigo>(
        f, caja == Control<vb::CajaTexto>(f, "TxtCodigo") ? "BusquedaCodigo2" : "BusquedaCodigo1");
    Clic(caja);
    Tecla(Qt::Key_A, Qt::ControlModifier);
    // Neither the selection nor the release of "A" with Ctrl held opens the search or
    // re-punctuates the code.
    EXPECT_FALSE(busqueda->Visible());
    EXPECT_EQ(caja->selectedText(), "1-1-03-01-00119");
    Tecla(Qt::Key_Backspace);
    ASSERT_TRUE(busqueda->Visible());
    EXPECT_EQ(busqueda->TxtBuscar->text(), "");  // the box as edited: empty
    Teclea("11030100105");
    Tecla(Qt::Key_Return);
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtFields", 1)->text().remove('-'), "11030100105");
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtFields", 0)->text(), antes);
    Clic(Control<vb::CajaTexto>(f, "txtFields", 0));
    Tecla(Qt::Key_End);
    Teclea(" X");
    EXPECT_FALSE(Control<vb::BusquedaCodigo>(f, "BusquedaCodigo1")->Visible());
    v.guion().esperarMsgBox(vb::vbNo);  // a customer: its additional data, not now
    Tecla(Qt::Key_F4);
    ASSERT_FALSE(f.Rechazo());
    EXPECT_EQ(v.Guardado("11030100105", "DESCRIPCION"), antes + " X");
    EXPECT_EQ(v.Guardado("11030100111", "DESCRIPCION"), "MERCADO SAN MARTIN");
    EXPECT_EQ(v.Guardado("11030100119", "DESCRIPCION"), "SUPERMERCADO LA ECONOMIA");
    EXPECT_EQ(v.guion().preguntas().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(BoxAndField, ChartCodeBox, ::testing::Values("TxtCodigo", "txtFields_1"));

// A related account typed through its search, then a free field: the free field opens no search
// (the control searched the chart a moment ago), F4 saves both; the related account emptied by
// keyboard is saved empty.
TEST_F(ChartUser, TheRelatedAccountIsTypedAndEmptiedByKeyboardAndF4SavesIt) {
    auto& f = v.f();
    v.EscribirCodigo("11030100119");
    vb::CajaTexto* relacionada = Control<vb::CajaTexto>(f, "txtFields", 3);
    Clic(relacionada);
    Teclea("11010100101");
    Tecla(Qt::Key_Return);
    EXPECT_EQ(Control<QLabel>(f, "LblDescRelacionado")->text(), "CAJA PESOS");
    Clic(Control<vb::CajaTexto>(f, "txtFields", 0));
    Tecla(Qt::Key_End);
    Teclea(" X");
    EXPECT_FALSE(Control<vb::BusquedaCodigo>(f, "BusquedaCodigo1")->Visible());
    EXPECT_EQ(QApplication::focusWidget(), Control<vb::CajaTexto>(f, "txtFields", 0));
    v.guion().esperarMsgBox(vb::vbNo);  // its additional data, not now
    Tecla(Qt::Key_F4);
    ASSERT_FALSE(f.Rechazo());
    EXPECT_EQ(v.Guardado("11030100119", "DESCRIPCION"), "SUPERMERCADO LA ECONOMIA X");
    EXPECT_EQ(v.Guardado("11030100119", "CuentaPrincipal"), "11010100101");

    v.EscribirCodigo("11030100119");
    Clic(relacionada);
    Tecla(Qt::Key_A, Qt::ControlModifier);
    Tecla(Qt::Key_Backspace);
    Tecla(Qt::Key_Return);
    EXPECT_EQ(relacionada->text(), "");
    EXPECT_EQ(Control<QLabel>(f, "LblDescRelacionado")->text(), "");
    v.guion().esperarMsgBox(vb::vbNo);
    Tecla(Qt::Key_F4);
    ASSERT_FALSE(f.Rechazo());
    EXPECT_EQ(v.Guardado("11030100119", "CuentaPrincipal"), "");
    EXPECT_EQ(v.guion().preguntas().size(), 2);
}

TEST_F(ChartUser, TheCodeOfTheAccountShownTypedAgainLoadsItAgain) {
    auto& f = v.f();
    EnlacesCuentas::RegistraFormulariosDelSistema();
    QString manual = "(sin abrir)";
    EnlacesCuentas::RegistraFormulario("frmMa_ManualCuentas",
                                       [&manual] { manual = CNStuffContable::gCuentaActual; });
    v.EscribirCodigo("11010100101");
    // The cost-centre window empties the shared account when it closes.
    Control<vb::BarraBotones>(f, "Tbar")->Pulsa(4);
    ASSERT_TRUE(Frmta_asigccosto::Existe());
    Frmta_asigccosto::instancia().close();
    QApplication::processEvents();
    ASSERT_TRUE(CNStuffContable::gCuentaActual.isEmpty());
    // Back in the chart: an edit not saved, then the same code typed again.
    QApplication::setActiveWindow(&f);
    Clic(Control<vb::CajaTexto>(f, "txtFields", 0));
    Tecla(Qt::Key_End);
    Teclea(" X");
    Clic(Control<vb::CajaTexto>(f, "TxtCodigo"));
    Tecla(Qt::Key_Home);
    Tecla(Qt::Key_End, Qt::ShiftModifier);
    Teclea("11010100101");
    Tecla(Qt::Key_Return);
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtFields", 0)->text(), "CAJA PESOS");
    EXPECT_EQ(CNStuffContable::gCuentaActual, "11010100101");
    Control<vb::BarraBotones>(f, "Tbar")->Pulsa(3);
    EXPECT_EQ(manual, "11010100101");
    Tecla(Qt::Key_F4);
    EXPECT_EQ(v.Guardado("11010100101", "DESCRIPCION"), "CAJA PESOS");
    for (const char* n : {"frmMA_CUENTASADIC", "Frmta_asigccosto", "frmMa_ManualCuentas"})
        EnlacesCuentas::RegistraFormulario(n, {});
}

TEST_F(ChartUser, TheCodeSearchDropsDownOverItsFieldWhateverFrameHoldsIt) {
    auto& f = v.f();
    v.EscribirCodigo("11010100101");
    auto encima = [&f](QWidget* caja) {
        const QPoint p = caja->mapTo(&f, QPoint(0, 0));
        return QPoint(p.x(), vb::PixelesDeTwips(vb::TwipsDePixeles(p.y()) - 20));
    };
    // The code field and the related account, inside the tab; the code box, outside it.
    const QList<std::tuple<vb::CajaTexto*, vb::BusquedaCodigo*, QString>> cajas{
        {Control<vb::CajaTexto>(f, "txtFields", 1), Control<vb::BusquedaCodigo>(f, "BusquedaCodigo1"),
         "11010100101"},
        {Control<vb::CajaTexto>(f, "txtFields", 3), Control<vb::BusquedaCodigo>(f, "BusquedaCodigo1"),
         "11010100102"},
        {Control<vb::CajaTexto>(f, "TxtCodigo"), Control<vb::BusquedaCodigo>(f, "BusquedaCodigo2"),
         "11010100101"}};
    for (const auto& [caja, busqueda, codigo] : cajas) {
        Clic(caja);
        Tecla(Qt::Key_Home);
        Tecla(Qt::Key_End, Qt::ShiftModifier);
        Teclea(codigo.left(1));
        ASSERT_TRUE(busqueda->Visible()) << caja->objectName().toStdString();
        EXPECT_EQ(busqueda->pos(), encima(caja)) << caja->objectName().toStdString();
        Teclea(codigo.mid(1));
        Tecla(Qt::Key_Return);
        EXPECT_FALSE(busqueda->Visible());
    }
    EXPECT_TRUE(v.guion().preguntas().isEmpty());
}

}  // namespace

namespace {

// A toolbar key while the code box's search is open acts on the whole code typed there, never on
// the first key that opened it.
TEST_F(ChartUser, F4WithTheCodeBoxSearchOpenActsOnTheWholeCodeTyped) {
    auto& f = v.f();
    v.EscribirCodigo("11030100119");
    Clic(Control<vb::CajaTexto>(f, "txtFields", 0));
    Tecla(Qt::Key_End);
    Teclea(" X");
    Clic(Control<vb::CajaTexto>(f, "TxtCodigo"));
    Tecla(Qt::Key_A, Qt::ControlModifier);
    Teclea("11030100105");
    ASSERT_TRUE(Control<vb::BusquedaCodigo>(f, "BusquedaCodigo2")->Visible());
    v.guion().esperarMsgBox(vb::vbYes);  // the edit of the account shown may go
    v.guion().esperarMsgBox(vb::vbNo);   // a customer: its additional data, not now
    Tecla(Qt::Key_F4);
    EXPECT_FALSE(Control<vb::BusquedaCodigo>(f, "BusquedaCodigo2")->Visible());
    ASSERT_FALSE(f.Rechazo());
    // The code typed was loaded, as leaving the box would, and saved as it stands; the edit of the
    // account shown before went nowhere.
    EXPECT_EQ(v.Guardado("11030100105", "DESCRIPCION"), "DISTRIBUIDORA NORTE SRL");
    EXPECT_EQ(v.Guardado("11030100119", "DESCRIPCION"), "SUPERMERCADO LA ECONOMIA");
    EXPECT_EQ(v.Guardado("1", "DESCRIPCION"), "ACTIVO");
    EXPECT_EQ(v.Filas("SELECT count(*) FROM MV_CPTEACCIONES WHERE SYSTEMUSER LIKE '1 %'"), 0);
    ASSERT_EQ(v.guion().preguntas().size(), 2);
    EXPECT_EQ(v.guion().preguntas().at(0).texto, "¿Está seguro de abandonar la carga de datos?");
}

}  // namespace
