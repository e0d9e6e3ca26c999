#include "accounts/CuentasDePrueba.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/UtilVex.h"
#include "outside/runtime/Dialogos.h"
#include "services/CNStuffContable.h"
#include "support/Control.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

namespace {

class ChartValidation : public ::testing::Test {
  protected:
    explicit ChartValidation(QStringList extra = {}) : v(std::move(extra)) {}
    void SetUp() override { v.Iniciar(); }
    // The only message shown so far, with its caption.
    void UnMensaje(const QString& texto, const QString& titulo = "Aviso al operador...") {
        ASSERT_EQ(v.guion().preguntas().size(), 1);
        EXPECT_EQ(v.guion().preguntas().at(0).texto, texto);
        EXPECT_EQ(v.guion().preguntas().at(0).titulo, titulo);
    }
    CuentasDePrueba v;
};

TEST_F(ChartValidation, ACodeTypedWithDashesIsValidatedWithoutThem) {
    v.EscribirCodigo("1-1-01-01-00101");
    EXPECT_EQ(CNStuffContable::gCuentaActual, "11010100101");
    EXPECT_TRUE(v.f().CuentaGuardada());
    EXPECT_FALSE(v.f().CuentaNueva());
    EXPECT_EQ(Control<QComboBox>(v.f(), "Combo1")->currentText().left(80).trimmed(),
              "CAJA");  // the title above it
    EXPECT_TRUE(Control<vb::CajaTexto>(v.f(), "txtFields", 2)->isEnabled());
    EXPECT_TRUE(Control<UtilVex>(v.f(), "UtilVex1")->Habilitado("GRABAR"));
    EXPECT_FALSE(Control<UtilVex>(v.f(), "UtilVex1")->Habilitado("NUEVO"));
}

TEST_F(ChartValidation, ALetterIsRefusedBeforeTheLengthAndTheFocusComesBack) {
    v.guion().esperarMsgBox(vb::vbOK);
    v.EscribirCodigo("1101A");
    UnMensaje(" No esta permitido ingresar cuentas \rAlfanuméricas en esta configuración");
    EXPECT_TRUE(v.f().Rechazo());
    EXPECT_EQ(QApplication::focusWidget(),
              Control<vb::CajaTexto>(v.f(), "TxtCodigo"));  // the code field is disabled
    EXPECT_FALSE(Control<vb::CajaTexto>(v.f(), "txtFields", 2)->isEnabled());
}

TEST_F(ChartValidation, ACodeOfNoLevelLengthIsRefusedAndLeavesTheFieldsDisabled) {
    v.guion().esperarMsgBox(vb::vbOK);
    v.EscribirCodigo("99999");
    UnMensaje("La cuenta Ingresada no es correcta verifique la cantidad de Digitos");
    EXPECT_TRUE(v.f().Rechazo());
    EXPECT_FALSE(Control<vb::CajaTexto>(v.f(), "txtFields", 3)->isEnabled());
    EXPECT_FALSE(Control<UtilVex>(v.f(), "UtilVex1")->Habilitado("GRABAR"));
}

class AlphanumericAccounts : public ChartValidation {
  protected:
    AlphanumericAccounts()
        : ChartValidation({"UPDATE TA_CONFIGURACION SET VALOR = 'SI' "
                           "WHERE CLAVE = 'CUENTASALFANUMERICAS'"}) {}
};

TEST_F(AlphanumericAccounts, WithTheSettingALetterReachesTheLengthCheck) {
    v.guion().esperarMsgBox(vb::vbOK);
    v.EscribirCodigo("11A");
    UnMensaje("La cuenta Ingresada no es correcta verifique la cantidad de Digitos");
    v.EscribirCodigo("1101010010A");
    EXPECT_TRUE(v.f().CuentaNueva());
}

TEST_F(ChartValidation, ADeletedAccountIsOfferedForReuse) {
    v.guion().esperarMsgBox(vb::vbNo);
    v.EscribirCodigo("11030100102");
    UnMensaje("La cuenta Solicitada se encuentra Actualmente dada de Baja ¿Desea reutilizarla?",
              "Confirmación!!!");
    EXPECT_EQ(v.guion().preguntas().at(0).estilo, vb::vbYesNo | vb::vbQuestion);
    // No: back to waiting for a code.
    EXPECT_FALSE(v.f().Rechazo());
    EXPECT_TRUE(Control<vb::CajaTexto>(v.f(), "TxtCodigo")->text().isEmpty());
    EXPECT_FALSE(v.f().CuentaGuardada());
    EXPECT_FALSE(Control<UtilVex>(v.f(), "UtilVex1")->Habilitado("GRABAR"));

    v.guion().esperarMsgBox(vb::vbYes);
    v.EscribirCodigo("11030100102");
    EXPECT_TRUE(v.f().CuentaGuardada());
    EXPECT_EQ(Control<vb::CajaTexto>(v.f(), "txtFields", 0)->text(), "CLIENTE DADO DE BAJA");
}

TEST_F(ChartValidation, ANewCodeStartsANewPostableAccount) {
    v.EscribirCodigo("11010100101");
    Control<QRadioButton>(v.f(), "OptTipoCuenta", 1)->setChecked(true);
    v.guion().esperarMsgBox(vb::vbYes);  // the change of type left behind
    v.EscribirCodigo("11010100199");
    EXPECT_TRUE(v.f().CuentaNueva());
    EXPECT_FALSE(v.f().CuentaGuardada());
    EXPECT_TRUE(Control<QRadioButton>(v.f(), "OptTipoCuenta", 0)->isChecked());
    EXPECT_EQ(Control<QComboBox>(v.f(), "CmbMP")->currentIndex(), 0);
    EXPECT_TRUE(Control<vb::CajaTexto>(v.f(), "txtFields", 3)->isEnabled());
    EXPECT_EQ(Control<QLabel>(v.f(), "LblDV")->text(), "7");
    ASSERT_EQ(v.guion().preguntas().size(), 1);
    EXPECT_EQ(v.guion().preguntas().at(0).texto, "¿Está seguro de abandonar la carga de datos?");
}

TEST_F(ChartValidation, TheRelatedAccountMustBeAnActivePostableAccount) {
    v.EscribirCodigo("11010100101");
    const struct {
        const char* codigo;
        const char* mensaje;
    } casos[] = {{"110101", "Debe seleccionar una Cuenta Imputable"},
                 {"99999999999", "La cuenta ingresada no existe!"},
                 {"11030100102", "La cuenta Solicitada se encuentra Actualmente dada de Baja "}};
    for (const auto& c : casos) {
        v.guion().esperarMsgBox(vb::vbOK);
        v.EscribirCampo(3, c.codigo);
        EXPECT_EQ(v.guion().preguntas().last().texto, c.mensaje);
        EXPECT_TRUE(v.f().Rechazo());
        EXPECT_EQ(QApplication::focusWidget(), Control<vb::CajaTexto>(v.f(), "txtFields", 3));
    }
    v.EscribirCampo(3, "11010100102");
    EXPECT_FALSE(v.f().Rechazo());
    EXPECT_EQ(Control<QLabel>(v.f(), "LblDescRelacionado")->text(), "CAJA DOLARES");
    // Emptied (a key that erases would open the code search), then left with Enter.
    Control<vb::CajaTexto>(v.f(), "txtFields", 3)->setFocus();
    Control<vb::CajaTexto>(v.f(), "txtFields", 3)->clear();
    v.Tecla(Qt::Key_Return);
    EXPECT_TRUE(Control<QLabel>(v.f(), "LblDescRelacionado")->text().isEmpty());
    EXPECT_EQ(v.guion().preguntas().size(), 3);
}

TEST_F(ChartValidation, TheOptionalCodeIsUniqueAndLongOnesAreAdvised) {
    v.EscribirCodigo("11010100101");
    v.guion().esperarMsgBox(vb::vbOK);
    v.EscribirCampo(2, "BGAL");
    ASSERT_EQ(v.guion().preguntas().size(), 1);
    EXPECT_EQ(v.guion().preguntas().at(0).texto,
              "El Código Opcional ingresado se repite para la cuenta: 11010200105 BANCO GALICIA CTA CTE\r\n"
              "Modifique el mismo y vuelva a intentarlo.");
    v.guion().esperarMsgBox(vb::vbOK);
    v.EscribirCampo(2, "CAJ'A1");  // free, but over four characters
    EXPECT_FALSE(v.f().Rechazo());
    EXPECT_EQ(v.guion().preguntas().last().titulo, "Aviso al operador");
    EXPECT_TRUE(
        v.guion().preguntas().last().texto.startsWith("Recuerde, si el codigo opcional tiene mas de 4"));
}

TEST_F(ChartValidation, AnEmptyDescriptionIsRefusedOnlyWithACode) {
    v.EscribirCampo(0, "");
    EXPECT_FALSE(v.f().Rechazo());
    v.EscribirCodigo("11010100101");
    v.guion().esperarMsgBox(vb::vbOK);
    v.EscribirCampo(0, "");
    UnMensaje("Debe ingresar el nombre de la cuenta");
}

TEST_F(ChartValidation, WhileSavingThePostableAndTitleVerdictsRefuse) {
    auto validaGrabando = [&] {
        v.guion().esperarMsgBox(vb::vbOK);
        v.Boton("GRABAR");
        return v.guion().preguntas().last().texto;
    };
    v.EscribirCodigo("110101");  // a title with accounts under it
    Control<QRadioButton>(v.f(), "OptTipoCuenta", 0)->setChecked(true);
    EXPECT_EQ(validaGrabando(), "La cuenta tiene cuentas de nivel inferior, no puede ser Imputable");
    v.guion().esperarMsgBox(vb::vbYes);  // the refused change left behind
    v.EscribirCodigo("11010100101");     // a code of the last level
    Control<QRadioButton>(v.f(), "OptTipoCuenta", 1)->setChecked(true);
    EXPECT_EQ(validaGrabando(), "La cantidad de digitos ingresados, no permite que sea cuenta Titulo!");
    // Interactively neither verdict refuses.
    v.f().Campo_Valida(1);
    EXPECT_FALSE(v.f().Rechazo());
}

TEST_F(ChartValidation, TheTitleAboveIsTheNearestShorterTitleInCodeOrder) {
    QString nombre = "sin cambio";
    EXPECT_TRUE(v.f().ExisteNivelSuperior("11010200101", nombre));
    EXPECT_EQ(nombre, "BANCOS CUENTA CORRIENTE");
    nombre = "sin cambio";
    EXPECT_FALSE(v.f().ExisteNivelSuperior("11030100102", nombre));  // dada de baja
    EXPECT_EQ(nombre, "sin cambio");
}

class ChartSubledgers : public ChartValidation {
  protected:
    ChartSubledgers()
        : ChartValidation({"CREATE TABLE IF NOT EXISTS MA_SUBDIARIOS (CODIGO varchar(4), CUENTA varchar(15), "
                           "[CUENTA-DESDE] varchar(15), [CUENTA-HASTA] varchar(15))",
                           "DELETE FROM MA_SUBDIARIOS"}) {}
    void Fila(const QString& cuenta, const QString& desde = {}, const QString& hasta = {}) {
        v.base().ejecutar("DELETE FROM MA_SUBDIARIOS");
        v.base().ejecutar("INSERT INTO MA_SUBDIARIOS (CUENTA, [CUENTA-DESDE], [CUENTA-HASTA]) VALUES ('" +
                          cuenta + "', '" + desde + "', '" + hasta + "')");
    }
    bool Cubre(const QString& codigo) {
        QString texto;
        return v.f().ValidaCuentaSubD(codigo, texto);
    }
};

TEST_F(ChartSubledgers, ASubJournalCoversItsAccountItsPrefixOrItsRange) {
    EXPECT_FALSE(Cubre("11010100101"));  // no sub-journal
    Fila("11010100101", "1", "5");       // postable: itself only, the range is not looked at
    EXPECT_TRUE(Cubre("11010100101"));
    EXPECT_FALSE(Cubre("2"));
    Fila("11");  // a title without a range: every code that begins with it
    EXPECT_TRUE(Cubre("1105"));
    EXPECT_TRUE(Cubre("11"));
    EXPECT_FALSE(Cubre("12"));
    Fila("11", "2101", "2103");  // a range, both bounds included, as text
    EXPECT_TRUE(Cubre("2101"));
    EXPECT_TRUE(Cubre("21025"));
    EXPECT_TRUE(Cubre("2103"));
    EXPECT_FALSE(Cubre("1105"));
    Fila("");  // an empty account without a range covers everything
    EXPECT_TRUE(Cubre("4"));
}

}  // namespace
