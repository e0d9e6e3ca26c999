#include "outside/maker/ReglasCuentas.h"

#include "outside/ado/Recordset.h"
#include "outside/controls/TreeView.h"
#include "support/BaseDePrueba.h"

#include <gtest/gtest.h>

namespace {

// The rules on the demo chart (levels 1, 1, 2, 2, 3, 2), through a connection of their own.
class ReglasCuentasTest : public ::testing::Test {
  protected:
    explicit ReglasCuentasTest(QStringList extra = {}) : base_(true, std::move(extra)) {}

    void SetUp() override {
        ASSERT_TRUE(base_.valida()) << base_.error().toStdString();
        cn_ = ado::Connection::Crear();
        cn_->Open(base_.cadenaConexion());
        maker::ReglasCuentas::Entorno e;
        e.abrir = [this](const QString& sql) { return cn_->Execute(sql); };
        e.ejecutar = [this](const QString& sql) {
            cn_->Execute(sql);
            return true;
        };
        e.niveles = [] { return std::array<int, 6>{1, 1, 2, 2, 3, 2}; };
        e.hayFilas = [this](const QString& tabla, const QString& condicion) {
            ado::RecordsetPtr rs = cn_->Execute("SELECT 1 FROM " + tabla + " WHERE " + condicion);
            return !rs->Eof();
        };
        reglas_ = std::make_unique<maker::ReglasCuentas>(std::move(e));
    }

    BaseDePrueba base_;
    ado::ConnectionPtr cn_;
    std::unique_ptr<maker::ReglasCuentas> reglas_;
};

TEST_F(ReglasCuentasTest, ACodeFitsWhenItsLengthEndsALevel) {
    for (const char* c : {"1", "11", "1101", "110101", "110101001", "11010100101", "1-1-01-01-00101"})
        EXPECT_TRUE(reglas_->LongitudValida(c)) << c;
    for (const char* c : {"", "111", "11010", "1101010010", "110101001011"})
        EXPECT_FALSE(reglas_->LongitudValida(c)) << c;
    // A title may end any level but the last one.
    EXPECT_TRUE(reglas_->PermiteTitulo("110101001"));
    EXPECT_FALSE(reglas_->PermiteTitulo("11010100101"));
    EXPECT_FALSE(reglas_->PermiteTitulo("111"));
}

TEST_F(ReglasCuentasTest, TheCheckDigitIsModulusElevenFromTheRight) {
    EXPECT_EQ(reglas_->DigitoVerificador("1"), 9);    // 11 - 2
    EXPECT_EQ(reglas_->DigitoVerificador("10"), 8);   // 11 - 3
    EXPECT_EQ(reglas_->DigitoVerificador("0"), 0);    // 11 gives 0
    EXPECT_EQ(reglas_->DigitoVerificador("5"), 1);    // 11 - 10 gives 10, which is 1
    EXPECT_EQ(reglas_->DigitoVerificador("1-0"), 8);  // the dashes do not count
    EXPECT_EQ(reglas_->DigitoVerificador("A"), reglas_->DigitoVerificador("0"));
    EXPECT_EQ(reglas_->DigitoVerificador(""), 0);
}

TEST_F(ReglasCuentasTest, PostableAccountsAreActiveLeavesOfTheChart) {
    EXPECT_TRUE(reglas_->EsImputable("11010100101"));
    EXPECT_FALSE(reglas_->EsImputable("110101001"));    // a title
    EXPECT_FALSE(reglas_->EsImputable("11030100102"));  // dada de baja
    EXPECT_FALSE(reglas_->EsImputable("99999999999"));
    EXPECT_FALSE(reglas_->EsImputable(""));

    QString mensaje;
    EXPECT_TRUE(reglas_->ValidaImputable("11010100101", mensaje));
    EXPECT_TRUE(mensaje.isEmpty());
    EXPECT_FALSE(reglas_->ValidaImputable("110101", mensaje));
    EXPECT_EQ(mensaje, "La cuenta tiene cuentas de nivel inferior, no puede ser Imputable");
    EXPECT_FALSE(reglas_->ValidaImputable("11010", mensaje));
    EXPECT_EQ(mensaje, "La cuenta Ingresada no es correcta verifique la cantidad de Digitos");
}

TEST_F(ReglasCuentasTest, LowerLevelsAndMovementsAreFoundByCode) {
    EXPECT_TRUE(reglas_->ExisteNivelInferior("1101"));
    EXPECT_FALSE(reglas_->ExisteNivelInferior("11010100101"));
    // Deleted accounts below do not count: 59 has none but itself.
    EXPECT_FALSE(reglas_->ExisteNivelInferior("59"));
    EXPECT_FALSE(reglas_->ExisteNivelInferior("1'"));  // a quote is a character of the code
    EXPECT_FALSE(reglas_->ExisteNivelInferior("1_"));  // and so is a pattern character
    EXPECT_TRUE(reglas_->TieneMovimientos("51010100101"));
    EXPECT_FALSE(reglas_->TieneMovimientos("11040100105"));
}

TEST_F(ReglasCuentasTest, TheTreeHangsEachActiveAccountUnderItsNearestAncestor) {
    vb::TreeView arbol;
    reglas_->ArmaArbolCuentas(arbol);
    ASSERT_TRUE(arbol.Existe("A"));
    EXPECT_EQ(arbol.Key(1), "A");
    EXPECT_EQ(arbol.Clave(arbol.Nodo("A11010100101")->parent()), "A110101001");
    EXPECT_EQ(arbol.Clave(arbol.Nodo("A1")->parent()), "A");
    EXPECT_EQ(arbol.Nodo("A11010100101")->text(0), "11010100101 - CAJA PESOS");
    EXPECT_FALSE(arbol.Existe("A11030100102"));  // dada de baja
    const int activas = base_.escalar("SELECT COUNT(*) FROM MA_CUENTAS WHERE DADA_DE_BAJA = 0").toInt();
    EXPECT_EQ(arbol.Count(), activas + 1);
}

class ReglasCuentasWriteTest : public ReglasCuentasTest {
  protected:
    ReglasCuentasWriteTest()
        : ReglasCuentasTest({"UPDATE MA_CUENTAS SET TITULO = 0 WHERE CODIGO IN ('1101', '5101')",
                             "INSERT INTO [MA_CASH-DETALLE] (CODIGO_CASH, CUENTA, DESCRIPCION) VALUES "
                             "('CAJ', '110101001', 'CAJAS')"}) {}
};

TEST_F(ReglasCuentasWriteTest, HierarchiesMakeTitlesOfParentsWithoutMovements) {
    base_.ejecutar(
        "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, CUENTA, IMPORTE) VALUES ('2027', 7, '5101', 10)");
    reglas_->JerarquiasCuentas();
    EXPECT_EQ(base_.escalar("SELECT TITULO FROM MA_CUENTAS WHERE CODIGO = '1101'").toInt(), 1);
    EXPECT_EQ(base_.escalar("SELECT TITULO FROM MA_CUENTAS WHERE CODIGO = '5101'").toInt(), 0);
    EXPECT_EQ(base_.escalar("SELECT TITULO FROM MA_CUENTAS WHERE CODIGO = '11010100101'").toInt(), 0);
}

TEST_F(ReglasCuentasWriteTest, AnAccountJoinsTheCashFlowLinesOfItsNearestAncestorOnce) {
    reglas_->ActualizaCashFlow("1-1-01-01-00101");
    reglas_->ActualizaCashFlow("11010100101");
    EXPECT_EQ(
        base_.filas("SELECT CODIGO_CASH, DESCRIPCION FROM [MA_CASH-DETALLE] WHERE CUENTA = '11010100101'"),
        (QList<QStringList>{{"CAJ", "CAJAS"}}));
    // An account whose ancestors are in no line gets none.
    reglas_->ActualizaCashFlow("51010100101");
    EXPECT_EQ(base_.escalar("SELECT COUNT(*) FROM [MA_CASH-DETALLE] WHERE CUENTA = '51010100101'").toInt(),
              0);
}

}  // namespace
