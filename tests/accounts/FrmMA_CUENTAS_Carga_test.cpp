#include "accounts/CuentasDePrueba.h"
#include "accounts/EnlacesCuentas.h"
#include "outside/controls/BarraBotones.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/TreeView.h"
#include "outside/controls/UtilVex.h"
#include "outside/maker/ArchivoIni.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"
#include "support/Control.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

namespace {

// What the window shows for a typed code of the demo chart.
struct Muestra {
    const char* codigo;
    int medioDePago;
    bool monedaVisible;
};

class ChartLoad : public ::testing::Test {
  protected:
    CuentasDePrueba v{
        {"INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, MedioDePago, AJUSTE, INDICE, "
         "libro_iva_compras, libro_iva_ventas, Moneda) VALUES "
         "('51040100199', 'MEDIO DESCONOCIDO', 0, 'ZZ', 1, 7, NULL, NULL, 9)"}};
    void SetUp() override { v.Iniciar(); }
};

TEST_F(ChartLoad, EachPaymentMeansCodeShowsItsListPosition) {
    const Muestra muestras[] = {{"11010100101", 0, false},   // Null: "Ninguno", currency hidden
                                {"11010100201", 1, true},    // EF
                                {"11010300101", 2, true},    // CH
                                {"11030500101", 3, true},    // TJ
                                {"11010200103", 4, true},    // DB
                                {"11030400101", 5, true},    // DC
                                {"11040100102", 6, true},    // RI
                                {"11040100103", 7, true},    // RB
                                {"11040100104", 8, true},    // RG
                                {"21030100102", 9, true},    // RO without a setting
                                {"21030100101", 10, true},   // RO with CTA_RET_OTRA_ = "SU"
                                {"11010200102", 11, true},   // TJ named in CtaSolicitudCredito
                                {"51040100199", 0, false}};  // a code not listed
    for (const Muestra& m : muestras) {
        v.EscribirCodigo(m.codigo);
        EXPECT_TRUE(v.f().CuentaGuardada()) << m.codigo;
        EXPECT_EQ(Control<QComboBox>(v.f(), "CmbMP")->currentIndex(), m.medioDePago) << m.codigo;
        EXPECT_EQ(!Control<QComboBox>(v.f(), "CmbMoneda")->isHidden(), m.monedaVisible) << m.codigo;
    }
    EXPECT_EQ(Control<QComboBox>(v.f(), "CmbMP")->itemText(11), "Solicitud de crédito");
    EXPECT_TRUE(v.guion().preguntas().isEmpty());
}

TEST_F(ChartLoad, ChecksBooksIndexAndCurrencyFollowTheRow) {
    auto& f = v.f();
    v.EscribirCodigo("1-1-05-01-00101");  // adjustable, index 1
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtFields", 1)->text(), "1-1-05-01-00101");
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtFields", 0)->text(), "MERCADERIAS EN DEPOSITO");
    EXPECT_TRUE(Control<QCheckBox>(f, "CHKAjustable")->isChecked());
    EXPECT_EQ(Control<QCheckBox>(f, "CHKAjustable")->text(), "SI");
    EXPECT_FALSE(Control<QComboBox>(f, "CmbIndices")->isHidden());
    EXPECT_EQ(Control<QComboBox>(f, "CmbIndices")->currentText(), "I.P.I.M.");

    v.EscribirCodigo("12010100101");  // fixed asset, index 2
    EXPECT_TRUE(Control<QCheckBox>(f, "ChkBdu")->isChecked());
    EXPECT_EQ(Control<QComboBox>(f, "CmbIndices")->currentIndex(), 1);

    v.EscribirCodigo("11040100101");  // VAT purchases book
    EXPECT_TRUE(Control<QRadioButton>(f, "optLibros", 1)->isChecked());
    EXPECT_FALSE(Control<QCheckBox>(f, "CHKAjustable")->isChecked());
    EXPECT_TRUE(Control<QComboBox>(f, "CmbIndices")->isHidden());
    v.EscribirCodigo("21030200101");  // VAT sales book
    EXPECT_TRUE(Control<QRadioButton>(f, "optLibros", 2)->isChecked());
    EXPECT_FALSE(Control<QRadioButton>(f, "optLibros", 1)->isChecked());

    v.EscribirCodigo("11030500102");  // card without card data, cash and bank
    EXPECT_TRUE(Control<QCheckBox>(f, "chkTarjeta")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>(f, "ChkCyB")->isChecked());
    v.EscribirCodigo("11010200202");  // dollars
    EXPECT_EQ(Control<QComboBox>(f, "CmbMoneda")->currentText(), "DOLARES");
    EXPECT_FALSE(Control<QCheckBox>(f, "ChkVto")->isChecked());

    v.EscribirCodigo("11010300101");  // asks for a due date
    EXPECT_TRUE(Control<QCheckBox>(f, "ChkVto")->isChecked());
}

// An account without a payment means hides its currency list; the list still holds the stored
// currency, never the one of the account shown before, so a means chosen shows and saves it.
TEST_F(ChartLoad, TheHiddenCurrencyListHoldsTheStoredCurrency) {
    auto& f = v.f();
    auto* moneda = Control<QComboBox>(f, "CmbMoneda");
    auto* medio = Control<QComboBox>(f, "CmbMP");
    const struct {
        const char* antes;  // an account in another currency, shown first
        const char* cuenta;
    } casos[] = {
        {"11010100104", "11010100101"}, {"11010200202", "11030100103"}, {"11010100104", "11030100103"}};
    for (const auto& c : casos) {
        // The means chosen for the account before is a change the user agrees to leave.
        if (&c != casos) v.guion().esperarMsgBox(vb::vbYes);
        v.EscribirCodigo(c.antes);
        ASSERT_NE(moneda->currentIndex() + 1, v.Guardado(c.cuenta, "Moneda").trimmed().toInt()) << c.antes;
        v.EscribirCodigo(c.cuenta);
        ASSERT_TRUE(moneda->isHidden()) << c.cuenta;
        EXPECT_EQ(moneda->currentIndex() + 1, v.Guardado(c.cuenta, "Moneda").trimmed().toInt()) << c.cuenta;
        medio->setCurrentIndex(1);
        ASSERT_FALSE(moneda->isHidden());
        EXPECT_EQ(moneda->currentIndex() + 1, v.Guardado(c.cuenta, "Moneda").trimmed().toInt()) << c.cuenta;
    }
    // Saved with the means chosen (the last account), it keeps the currency it showed.
    v.guion().esperarMsgBox(vb::vbNo);  // its additional data, not now
    v.Boton("GRABAR");
    EXPECT_EQ(v.guion().preguntas().size(), 3);
    EXPECT_EQ(v.Guardado("11030100103", "Moneda").trimmed(), "1");
    EXPECT_EQ(v.Guardado("11030100103", "MedioDePago").trimmed(), "EF");
}

TEST_F(ChartLoad, OutOfRangePositionsAndNullBooksChangeNothing) {
    auto& f = v.f();
    v.EscribirCodigo("21030200101");
    ASSERT_TRUE(Control<QRadioButton>(f, "optLibros", 2)->isChecked());
    // INDICE 7 and Moneda 9 are beyond their lists; both books Null.
    v.EscribirCodigo("51040100199");
    EXPECT_TRUE(v.guion().preguntas().isEmpty());
    EXPECT_TRUE(Control<QCheckBox>(f, "CHKAjustable")->isChecked());
    EXPECT_EQ(Control<QComboBox>(f, "CmbIndices")->currentIndex(), 0);
    EXPECT_TRUE(Control<QRadioButton>(f, "optLibros", 2)->isChecked());
}

TEST_F(ChartLoad, ATitleShowsCheckDigitZeroAndKeepsTheCostCentreMark) {
    auto& f = v.f();
    v.EscribirCodigo("11010100201");
    ASSERT_TRUE(Control<QCheckBox>(f, "chkCCostos")->isChecked());
    EXPECT_EQ(Control<QLabel>(f, "LblDV")->text(), "2");
    v.EscribirCodigo("110101");
    EXPECT_TRUE(Control<QRadioButton>(f, "OptTipoCuenta", 1)->isChecked());
    EXPECT_EQ(Control<QLabel>(f, "LblDV")->text(), "0");
    // The display leaves the mark; selecting "Título" raises the option's click, which clears it.
    EXPECT_FALSE(Control<QCheckBox>(f, "chkCCostos")->isChecked());
    EXPECT_FALSE(Control<QCheckBox>(f, "CHKAjustable")->isEnabled());
    EXPECT_FALSE(Control<QCheckBox>(f, "ChkBloqueo")->isEnabled());
}

TEST(ChartWithoutCostCentres, WithoutCostCentresTheMarkStaysDisabled) {
    CuentasDePrueba v{{"DELETE FROM TA_CCOSTO"}};
    v.Iniciar();
    EXPECT_FALSE(Control<QCheckBox>(v.f(), "chkCCostos")->isEnabled());
    EXPECT_EQ(Control<QCheckBox>(v.f(), "chkCCostos")->property("Tag").toString(), "VACIO");
    // Nor does a new account get a default cost centre.
    v.EscribirCodigo("11010100199");
    v.EscribirCampo(0, "CAJA CHICA");
    v.Boton("GRABAR");
    ASSERT_EQ(v.Guardado("11010100199", "DESCRIPCION"), "CAJA CHICA");
    EXPECT_EQ(v.Filas("SELECT count(*) FROM MA_CUENTASCCOSTO WHERE CODIGO = '11010100199'"), 0);
}

TEST(ChartLoadTree, TheTreeSettingMakesTheRoundTripThroughTheIniFile) {
    CuentasDePrueba v;
    maker::gArchivoIni().Escribir("QT742p.INI", "DISTRIBUIDORA DEL SUR S.A.", "Mostrar Treeview", "True");
    v.Iniciar();
    EXPECT_TRUE(!Control<vb::TreeView>(v.f(), "TreeV")->isHidden());
    Control<vb::BarraBotones>(v.f(), "Tbar")->Pulsa(6);  // the user hides the tree
    ASSERT_TRUE(Control<vb::TreeView>(v.f(), "TreeV")->isHidden());
    int cancelar = 0;
    CNStuffContable::gCuentaActual = "11010100101";
    EXPECT_THROW(v.f().Form_Unload(cancelar), vb::FinDelPrograma);
    EXPECT_EQ(maker::gArchivoIni().Leer("QT742p.INI", "DISTRIBUIDORA DEL SUR S.A.", "Mostrar Treeview"),
              "False");
    EXPECT_TRUE(CNStuffContable::gCuentaActual.isEmpty());
}

TEST_F(ChartLoad, ALookupWritesAndValidatesTheRelatedAccountAndACancelledOneNothing) {
    auto& f = v.f();
    QString respuesta = "11010100102";
    EnlacesCuentas::RegistraConsultaTabla([&](const QString& tabla) {
        EXPECT_EQ(tabla, "MA_CUENTAS");
        return respuesta;
    });
    v.EscribirCodigo("11010100101");
    Control<vb::CajaTexto>(f, "txtFields", 3)->setFocus();
    f.Consultar();
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtFields", 3)->text(), "11010100102");
    EXPECT_EQ(Control<QLabel>(f, "LblDescRelacionado")->text(), "CAJA DOLARES");
    respuesta.clear();
    f.Consultar();
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtFields", 3)->text(), "11010100102");
    // A field without a lookup table asks nothing.
    Control<vb::CajaTexto>(f, "txtFields", 2)->setFocus();
    respuesta = "X";
    f.Consultar();
    EXPECT_TRUE(Control<vb::CajaTexto>(f, "txtFields", 2)->text().isEmpty());
    EnlacesCuentas::RegistraConsultaTabla({});
}

TEST(ChartAsOperator, AUserWhoIsNotAnAdministratorDoesNotSeeConfidentialAccounts) {
    CuentasDePrueba v({}, "OPERADOR");
    v.Iniciar();
    v.EscribirCodigo("51010100101");
    EXPECT_TRUE(v.f().CuentaGuardada());
    EXPECT_EQ(Control<vb::CajaTexto>(v.f(), "txtFields", 0)->text(), "SUELDOS PERSONAL");
    v.EscribirCodigo("51010100102");  // confidential: a new account for this user
    EXPECT_TRUE(v.f().CuentaNueva());
    EXPECT_FALSE(v.f().CuentaGuardada());
}

}  // namespace
