#include "services/CNStuffContable.h"

#include "data/EntornoDB_Dll.h"
#include "support/DialogosGuionados.h"

#include <gtest/gtest.h>
#include <QComboBox>

using namespace CNStuffContable;

namespace {

class Levels : public EntornoDB_Dll {
  protected:
    Levels()
        : EntornoDB_Dll({"INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('DIGITOS_CAPITULO', '1'), "
                         "('DIGITOS_SUBCAPITULO', '1'), ('DIGITOS_RUBRO', '2'), ('DIGITOS_SUBRUBRO', '2'), "
                         "('DIGITOS_CUENTA', '3'), ('DIGITOS_SUBCUENTA', '2')",
                         "INSERT INTO TA_MONEDAS (CODIGO, Descripcion) VALUES ('   2', ' dolar '), "
                         "('   1', 'Peso'), ('   3', 'Euro')"}) {}
    void SetUp() override {
        EntornoDB_Dll::SetUp();
        if (HasFatalFailure()) return;
        DialogosGuionados sinPreguntas;
        ASSERT_TRUE(abrirComo("ADMIN"));
    }
};

}  // namespace

TEST_F(Levels, CodesFormatByLevel) {
    EXPECT_EQ(FormateaCuenta("1"), "1");
    EXPECT_EQ(FormateaCuenta("110"), "1-1-0");
    EXPECT_EQ(FormateaCuenta("1101010"), "1-1-01-01-0");
    EXPECT_EQ(FormateaCuenta("110101001"), "1-1-01-01-001");
    EXPECT_EQ(FormateaCuenta("11010100101"), "1-1-01-01-00101");
    EXPECT_EQ(FormateaCuenta("1101010010199"), "1-1-01-01-0010199");
    // Only the shortest case trims; longer codes keep their blanks.
    EXPECT_EQ(FormateaCuenta(" "), "");
    EXPECT_EQ(FormateaCuenta(" 1 "), " -1- ");
    EXPECT_EQ(FormateaCuenta(""), "");

    EXPECT_EQ(gDigitosTotal, 11);
    EXPECT_EQ(QList<int>({gPosCapitulo, gPosSubcapitulo, gPosRubro, gPosSubrubro, gPosCuenta, gPosSubcuenta,
                          gPosTotal}),
              QList<int>({1, 2, 4, 6, 9, 11, 11}));

    // Read afresh on every call.
    base_.ejecutar("UPDATE TA_CONFIGURACION SET VALOR = '2' WHERE CLAVE = 'DIGITOS_CAPITULO'");
    EXPECT_EQ(FormateaCuenta("110"), "11-0");
}

TEST_F(Levels, NoLevelSettingsAndRounding) {
    base_.ejecutar("DELETE FROM TA_CONFIGURACION");
    EXPECT_EQ(FormateaCuenta("123"), "----123");
    EXPECT_EQ(gDigitosTotal, 0);

    base_.ejecutar(
        "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('DIGITOS_CAPITULO', '2.5'), "
        "('DIGITOS_SUBCAPITULO', '3.5 digitos')");
    LeeDigitosNiveles();
    EXPECT_EQ(gDigitosCapitulo, 2);  // half to even
    EXPECT_EQ(gDigitosSubcapitulo, 4);

    base_.ejecutar("UPDATE TA_CONFIGURACION SET VALOR = '30000' WHERE CLAVE LIKE 'DIGITOS%'");
    try {
        LeeDigitosNiveles();
        FAIL() << "a sum beyond 32767 overflows";
    } catch (const vb::ErrorVB& e) {
        EXPECT_EQ(e.Number, 6);
    }
}

TEST_F(Levels, CurrencyListLoadsOnlyWithSeveralCurrencies) {
    QWidget ventana;
    QComboBox lista(&ventana);
    lista.addItem("viejo");
    base_.ejecutar("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('UsaMultilesMonedas', 'si')");
    CargaComboMonedas(lista);
    EXPECT_TRUE(gUsaMultiMonedas);
    EXPECT_FALSE(lista.isHidden());
    ASSERT_EQ(lista.count(), 3);
    EXPECT_EQ(QStringList({lista.itemText(0), lista.itemText(1), lista.itemText(2)}),
              QStringList({"PESO", "DOLAR", "EURO"}));
    EXPECT_EQ(lista.currentIndex(), 0);

    // Off: emptied and hidden, and the currency table is not read.
    base_.ejecutar("UPDATE TA_CONFIGURACION SET VALOR = 'NO' WHERE CLAVE = 'UsaMultilesMonedas'");
    base_.ejecutar("DROP TABLE TA_MONEDAS");
    DialogosGuionados guion;
    CargaComboMonedas(lista);
    EXPECT_FALSE(gUsaMultiMonedas);
    EXPECT_TRUE(lista.isHidden());
    EXPECT_EQ(lista.count(), 0);
}
