// What a save writes and what it leaves as stored: the check digit the form shows, a related
// account hidden from the user, the VAT books and payment means as chosen, the groups of the
// accounts above a new one; and a deleted code that leaves nothing of its own behind.
#include "accounts/CuentasDePrueba.h"
#include "outside/ado/Connection.h"
#include "outside/controls/CajaTexto.h"
#include "outside/runtime/Dialogos.h"
#include "services/CNStuffContable.h"
#include "support/Control.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

namespace {

// Appends the text at the end of a bound field, as a user types there, and leaves it with Enter.
void Agrega(CuentasDePrueba& c, int campo, const QString& texto) {
    vb::CajaTexto* caja = Control<vb::CajaTexto>(c.f(), "txtFields", campo);
    caja->setFocus();
    QTest::keyClick(caja, Qt::Key_End);
    QTest::keyClicks(caja, texto);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

// A statement containing the text is refused, as a full disk refuses it.
ado::FallaInyectada SinEspacio(const QString& contiene) {
    ado::FallaInyectada falla;
    falla.contiene = contiene;
    falla.error = {"HY000", ado::kErrNoEspecificado, "No queda espacio en el disco", 112, {}};
    return falla;
}

QRadioButton* Opcion(CuentasDePrueba& c, const QString& rotulo) {
    for (int i = 0; i < 3; ++i)
        if (Control<QRadioButton>(c.f(), "optLibros", i)->text().endsWith(rotulo))
            return Control<QRadioButton>(c.f(), "optLibros", i);
    ADD_FAILURE() << "sin la opción " << rotulo.toStdString();
    return nullptr;
}

}  // namespace

TEST(AccountKeeps, TheCheckDigitTheFormShowsAndAStoredOneTheUserDidNotTouch) {
    CuentasDePrueba c({"UPDATE MA_CUENTAS SET dv = '7' WHERE CODIGO = '11010100202'",
                       "DELETE FROM MA_CUENTAS WHERE CODIGO IN ('11010100105', '110101009')"});
    c.Iniciar();
    c.EscribirCodigo("11010100201");
    ASSERT_EQ(Control<QLabel>(c.f(), "LblDV")->text(), "2");
    Agrega(c, 0, " X");
    c.Tecla(Qt::Key_F4);
    EXPECT_EQ(c.base().filas("SELECT DESCRIPCION, dv FROM MA_CUENTAS WHERE CODIGO = '11010100201'"),
              (QList<QStringList>{{"FONDO FIJO ADMINISTRACION X", "2"}}));
    // A stored digit the rules would not give is left as stored when neither code nor type changes.
    c.EscribirCodigo("11010100202");
    Agrega(c, 0, " X");
    c.Tecla(Qt::Key_F4);
    EXPECT_EQ(c.Guardado("11010100202", "dv"), "7");
    // A new postable account stores the digit it shows; a new title stores 0.
    c.EscribirCodigo("11010100105");
    const QString mostrado = Control<QLabel>(c.f(), "LblDV")->text();
    c.EscribirCampo(0, "CAJA CHICA");
    c.Tecla(Qt::Key_F4);
    EXPECT_EQ(c.Guardado("11010100105", "dv"), mostrado);
    EXPECT_NE(mostrado, "0");
    c.EscribirCodigo("110101009");
    c.EscribirCampo(0, "CAJAS VARIAS");
    QTest::mouseClick(Control<QRadioButton>(c.f(), "OptTipoCuenta", 1), Qt::LeftButton, {}, QPoint(4, 4));
    c.Tecla(Qt::Key_F4);
    EXPECT_EQ(c.base().filas("SELECT TITULO, dv FROM MA_CUENTAS WHERE CODIGO = '110101009'"),
              (QList<QStringList>{{"1", "0"}}));
    EXPECT_TRUE(c.guion().preguntas().isEmpty());
}

// ADMIN relates 51010100103 to the confidential 51010100102; OPERADOR changes only its description.
TEST(AccountKeeps, ARelatedAccountHiddenFromTheUserAsStoredAndUnchecked) {
    CuentasDePrueba c({"UPDATE MA_CUENTAS SET CuentaPrincipal = '51010100102' WHERE CODIGO = '51010100103'",
                       "UPDATE MA_CUENTAS SET CONFIDENCIAL = 1 WHERE CODIGO = '11010100202'"},
                      "OPERADOR");
    c.Iniciar();
    c.EscribirCodigo("51010100103");
    ASSERT_TRUE(c.f().CuentaGuardada());
    // Its description is not his to read.
    EXPECT_EQ(Control<QLabel>(c.f(), "LblDescRelacionado")->text(), "");
    Agrega(c, 0, " B");
    c.Tecla(Qt::Key_F4);
    EXPECT_FALSE(c.f().Rechazo());
    EXPECT_EQ(
        c.base().filas("SELECT DESCRIPCION, CuentaPrincipal FROM MA_CUENTAS WHERE CODIGO = '51010100103'"),
        (QList<QStringList>{{"CARGAS SOCIALES B", "51010100102"}}));
    EXPECT_TRUE(c.guion().preguntas().isEmpty());
    // Typed by him, another hidden account is no account at all.
    c.EscribirCodigo("51010100103");
    c.guion().esperarMsgBox(vb::vbOK);
    c.EscribirCampo(3, "11010100202");
    ASSERT_EQ(c.guion().preguntas().size(), 1);
    EXPECT_EQ(c.guion().preguntas().last().texto, "La cuenta ingresada no existe!");
}

// A deleted account takes with it what exists only for it, so that its code is new again.
TEST(AccountKeeps, ADeletedCodeLeavesNothingOfItsOwnAndCanBeSavedAgain) {
    CuentasDePrueba c({"DELETE FROM MA_CUENTAS WHERE CODIGO = '11030100123'"});
    c.Iniciar();
    const auto filas = [&] {
        const QString k = "'11030100123'";
        return QList<int>{
            c.Filas("SELECT count(*) FROM MA_CUENTAS WHERE CODIGO = " + k),
            c.Filas("SELECT count(*) FROM MA_CUENTAS_USUARIOS WHERE CUENTA = " + k),
            c.Filas("SELECT count(*) FROM MA_CUENTASCCOSTO WHERE CODIGO = " + k),
            c.Filas("SELECT count(*) FROM MA_CUENTASCCOSTO_UNEG WHERE CODIGO = " + k),
            c.Filas("SELECT count(*) FROM MA_CUENTASADIC WHERE CODIGO = " + k),
            c.Filas("SELECT count(*) FROM TA_CONFIGURACION WHERE CLAVE = 'CTA_RET_OTRA_11030100123'")};
    };
    const auto graba = [&] {
        c.EscribirCodigo("11030100123");
        ASSERT_TRUE(c.f().CuentaNueva());
        c.EscribirCampo(0, "CLIENTE NUEVO");
        QCheckBox* cc = Control<QCheckBox>(c.f(), "chkCCostos");
        cc->setEnabled(true);
        QTest::mouseClick(cc, Qt::LeftButton, {}, QPoint(4, 4));
        Control<QComboBox>(c.f(), "CmbMP")->setCurrentIndex(10);
        c.guion().esperarMsgBox(vb::vbNo);  // its additional data: not now
        c.Tecla(Qt::Key_F4);
        ASSERT_FALSE(c.f().Rechazo());
    };
    graba();
    // Its rows of other companions: a business unit's cost centres and additional data.
    c.base().ejecutar(
        "INSERT INTO MA_CUENTASCCOSTO_UNEG (CODIGO, CCOSTO, UNEGOCIO, PORCENTAJE) VALUES "
        "('11030100123', 'ADM', '   1', 100); INSERT INTO MA_CUENTASADIC (CODIGO, CONTACTO) VALUES "
        "('11030100123', 'ANA')");
    ASSERT_EQ(filas(), (QList<int>{1, 2, 1, 1, 1, 1}));
    c.EscribirCodigo("11030100123");
    c.guion().esperarMsgBox(vb::vbYes);  // "Confirma la baja de esta cuenta? "
    c.Tecla(Qt::Key_F3);
    EXPECT_EQ(filas(), (QList<int>{0, 0, 0, 0, 0, 0}));
    graba();
    EXPECT_EQ(filas(), (QList<int>{1, 2, 1, 0, 0, 1}));
    EXPECT_EQ(c.guion().preguntas().size(), 3);
}

// The VAT book an option names, the payment means a position names.
TEST(AccountKeeps, TheBookAndThePaymentMeansAreTheOnesChosen) {
    CuentasDePrueba c;
    c.Iniciar();
    const auto guarda = [&](const QString& libro, int medio) {
        c.EscribirCodigo("11010100201");
        QTest::mouseClick(Opcion(c, libro), Qt::LeftButton, {}, QPoint(4, 4));
        Control<QComboBox>(c.f(), "CmbMP")->setCurrentIndex(medio);
        c.Tecla(Qt::Key_F4);
        return c.base()
            .filas(
                "SELECT LIBRO_IVA_COMPRAS, LIBRO_IVA_VENTAS, MedioDePago FROM MA_CUENTAS WHERE CODIGO = "
                "'11010100201'")
            .value(0);
    };
    ASSERT_EQ(Control<QComboBox>(c.f(), "CmbMP")->itemText(4), "Debitos/Creditos Bancario");
    c.guion().esperarMsgBox(vb::vbNo);  // a bank account's additional data: not now
    EXPECT_EQ(guarda("Compras", 4), (QStringList{"1", "0", "DB"}));
    EXPECT_EQ(c.Guardado("11010100201", "TipoVista"), "BC");
    EXPECT_EQ(guarda("Ventas", 5), (QStringList{"0", "1", "DC"}));
    EXPECT_EQ(guarda("Ningún Libro de I.V.A.", 1), (QStringList{"0", "0", "EF"}));
}

// The groups of the accounts above a new account: chapter 2 belongs to ADMINISTRADORES only; a
// new chapter, with nothing above it, to every group.
TEST(AccountKeeps, ANewAccountTakesTheUserGroupsOfItsChapter) {
    CuentasDePrueba c({"DELETE FROM MA_CUENTAS WHERE CODIGO IN ('21010100199', '7')"});
    c.Iniciar();
    const auto grupos = [&](const QString& codigo, const QString& nombre, bool titulo) {
        c.EscribirCodigo(codigo);
        c.EscribirCampo(0, nombre);
        if (titulo)
            QTest::mouseClick(Control<QRadioButton>(c.f(), "OptTipoCuenta", 1), Qt::LeftButton, {},
                              QPoint(4, 4));
        c.Tecla(Qt::Key_F4);
        return c.base().filas("SELECT GRUPOUSER FROM MA_CUENTAS_USUARIOS WHERE CUENTA = '" + codigo +
                              "' ORDER BY 1");
    };
    c.guion().esperarMsgBox(vb::vbNo);  // a supplier's additional data: not now
    EXPECT_EQ(grupos("21010100199", "PROVEEDOR NUEVO", false), (QList<QStringList>{{"ADMINISTRADORES"}}));
    EXPECT_EQ(grupos("7", "CUENTAS DE ORDEN", true),
              (QList<QStringList>{{"ADMINISTRADORES"}, {"OPERADORES"}}));
}

// The check for an account hidden from the user fails: the save stops with that failure, and no
// message tells him that the code belongs to an account.
TEST(AccountKeeps, AHiddenAccountCheckThatFailsStopsTheSaveWithoutNamingTheAccount) {
    CuentasDePrueba c({}, "OPERADOR");
    c.Iniciar();
    c.EscribirCodigo("51010100102");  // confidential
    ASSERT_TRUE(c.f().CuentaNueva());
    c.EscribirCampo(0, "OTRA CUENTA");
    CNStuffContable::gBaseDatos().gCnn->InyectarFalla(SinEspacio("1 AS HAY FROM MA_CUENTAS"));
    // One message: the save given up there says nothing more.
    c.guion().esperarMsgBox(vb::vbOK);
    c.Tecla(Qt::Key_F4);
    EXPECT_TRUE(c.f().Rechazo());
    ASSERT_EQ(c.guion().preguntas().size(), 1);
    EXPECT_TRUE(c.guion().preguntas()[0].texto.contains("No queda espacio en el disco"));
    for (const Pregunta& p : c.guion().preguntas()) {
        EXPECT_TRUE(p.titulo.contains("Aviso al operador")) << p.titulo.toStdString();
        EXPECT_FALSE(p.texto.contains("51010100102") || p.texto.contains("Otro usuario"))
            << p.texto.toStdString();
    }
    EXPECT_EQ(c.Guardado("51010100102", "DESCRIPCION"), "HONORARIOS DIRECTORIO");
}

// A field's check that the database cannot answer refuses the save: nothing is written unchecked.
TEST(AccountKeeps, AFieldCheckThatFailsStopsTheSave) {
    CuentasDePrueba c;
    c.Iniciar();
    c.EscribirCodigo("11010100201");
    c.EscribirCampo(0, "FONDO FIJO NUEVO");
    c.EscribirCampo(2, "FF01");
    const auto antes = c.base().filas("SELECT * FROM MA_CUENTAS WHERE CODIGO = '11010100201'");
    // Whether another account holds the optional code cannot be answered.
    CNStuffContable::gBaseDatos().gCnn->InyectarFalla(SinEspacio("WHERE CODIGOOPCIONAL"));
    c.guion().esperarMsgBox(vb::vbOK);  // one message: the save given up there says nothing more
    c.Tecla(Qt::Key_F4);
    EXPECT_TRUE(c.f().Rechazo());
    EXPECT_EQ(c.guion().preguntas().size(), 1);
    EXPECT_EQ(c.base().filas("SELECT * FROM MA_CUENTAS WHERE CODIGO = '11010100201'"), antes);
    EXPECT_EQ(Control<vb::CajaTexto>(c.f(), "txtFields", 0)->text(), "FONDO FIJO NUEVO");
}
