#include "services/CNStuffContable.h"

#include "support/DialogosGuionados.h"

#include "data/EntornoDB_Dll.h"

namespace {

class Settings : public EntornoDB_Dll {
  protected:
    Settings()
        : EntornoDB_Dll(
              {"INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux) VALUES ('PERIODO', '2027', 'aux'), "
               "('NULO', NULL, NULL), ('SWITCH', 'si', NULL), ('OTRO', 'Si.', NULL)"}) {}
    void SetUp() override {
        EntornoDB_Dll::SetUp();
        CNStuffContable::gTablaConfiguracion.clear();
        ASSERT_TRUE(abrirComo("ADMIN"));
    }
};

}  // namespace

TEST_F(Settings, MissingKeyIsOneBlankNullIsEmptyAndTheKeyIsTrimmed) {
    QString aux = "previo";
    EXPECT_EQ(CNStuffContable::Cfg("NO_EXISTE", aux), " ");
    EXPECT_EQ(aux, "");
    EXPECT_EQ(CNStuffContable::gTablaConfiguracion, "TA_CONFIGURACION");
    EXPECT_EQ(CNStuffContable::Cfg("NULO", aux), "");
    EXPECT_EQ(CNStuffContable::Cfg(" PERIODO ", aux), "2027");
    EXPECT_EQ(aux, "aux");
    EXPECT_EQ(CNStuffContable::Cfg("periodo"), "2027");  // the company server ignores case
}

TEST_F(Settings, ValuesAreReadAfreshAndSwitchesAreOnForSiInAnyCase) {
    EXPECT_TRUE(CNStuffContable::CfgActiva("SWITCH"));
    EXPECT_FALSE(CNStuffContable::CfgActiva("OTRO"));
    EXPECT_FALSE(CNStuffContable::CfgActiva("NO_EXISTE"));
    base_.ejecutar("UPDATE TA_CONFIGURACION SET VALOR = 'NO' WHERE CLAVE = 'SWITCH'");
    EXPECT_FALSE(CNStuffContable::CfgActiva("SWITCH"));
}

TEST_F(Settings, AKeyWithAnApostropheMakesAValidStatement) {
    DialogosGuionados guion;  // no error dialog may come up
    EXPECT_EQ(CNStuffContable::Cfg("O'BRIEN"), " ");
    CNStuffContable::GrabaDfg("O'BRIEN", "valor 'citado'", "", false, "DATOS");
    EXPECT_EQ(CNStuffContable::Cfg("O'BRIEN"), "valor 'citado'");
}

TEST_F(Settings, GrabaDfgInsertsUpdatesAndNeverDuplicatesAKey) {
    CNStuffContable::GrabaDfg("  nueva  ", "  1  ", "  extra ", true, "DATOS");
    EXPECT_EQ(base_.filas("SELECT CLAVE, VALOR, ValorAux, Grupo, PoliticaNegocio FROM TA_CONFIGURACION WHERE "
                          "CLAVE = 'NUEVA'"),
              QList<QStringList>({{"NUEVA", "1", "extra", "DATOS", "1"}}));
    // Blanks around the key find the stored row; an empty auxiliary keeps the stored one.
    CNStuffContable::GrabaDfg(" NUEVA ", "2", "", false, "DATOS");
    EXPECT_EQ(base_.escalar("SELECT count(*) FROM TA_CONFIGURACION WHERE CLAVE = 'NUEVA'").toInt(), 1);
    EXPECT_EQ(CNStuffContable::Cfg("NUEVA"), "2");
    QString aux;
    CNStuffContable::Cfg("NUEVA", aux);
    EXPECT_EQ(aux, "extra");
}
