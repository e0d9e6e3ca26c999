// The account delete from the toolbar: the row, its cash-flow lines and its additional data go
// together; an account that journal lines refer to is marked as deleted instead, or refused.
#include "accounts/CuentasDePrueba.h"
#include "data/DB_Dll.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/TreeView.h"
#include "outside/runtime/Dialogos.h"
#include "services/CNStuffContable.h"
#include "support/ConexionCaida.h"
#include "support/Control.h"
#include "support/LocaleNumeros.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>

namespace {

const QString kConfirma = "Confirma la baja de esta cuenta? ";

QStringList ConAdicionales() {
    return {"INSERT OR IGNORE INTO MA_CUENTASADIC (CODIGO) VALUES ('11010100104')"};
}

int Acciones(CuentasDePrueba& c, const QString& tipo) {
    return c.Filas("SELECT count(*) FROM MV_CPTEACCIONES WHERE Tipo_accion = '" + tipo + "'");
}

// Over the loaded account's code in the box, as a user replaces it: a click, End, Shift+Home,
// BackSpace; the code search drops down, takes the code and is left with Escape.
void CodigoPorLaBusqueda(CuentasDePrueba& c, const QString& codigo) {
    QTest::mouseClick(Control<vb::CajaTexto>(c.f(), "TxtCodigo"), Qt::LeftButton);
    for (auto [tecla, mod] : {std::pair{Qt::Key_End, Qt::NoModifier},
                              {Qt::Key_Home, Qt::ShiftModifier},
                              {Qt::Key_Backspace, Qt::NoModifier}})
        QTest::keyClick(QApplication::focusWidget(), tecla, mod);
    ASSERT_TRUE(Control<vb::BusquedaCodigo>(c.f(), "BusquedaCodigo2")->Visible());
    for (QChar ch : codigo) QTest::keyClicks(QApplication::focusWidget(), QString(ch));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    ASSERT_EQ(Control<vb::CajaTexto>(c.f(), "TxtCodigo")->text(), codigo);
}

void Cargar(CuentasDePrueba& c, const QString& codigo) {
    c.f().Treev_Estado(true);
    c.EscribirCodigo(codigo);
    ASSERT_TRUE(c.f().CuentaGuardada()) << codigo.toStdString();
}

}  // namespace

TEST(AccountDelete, AnAccountWithoutMovementsGoesWithItsCashFlowLinesAndAdditionalData) {
    CuentasDePrueba c(ConAdicionales());
    c.Iniciar();
    Cargar(c, "11010100104");
    ASSERT_TRUE(Control<vb::TreeView>(c.f(), "TreeV")->Existe("A11010100104"));
    // No to the confirmation changes nothing.
    c.guion().esperarMsgBox(vb::vbNo);
    c.Boton("BORRAR");
    EXPECT_EQ(c.guion().preguntas().last(),
              (Pregunta{kConfirma + "11010100104", "Atención!",
                        vb::vbYesNo + vb::vbExclamation + vb::vbDefaultButton2}));
    EXPECT_FALSE(c.f().Rechazo());
    EXPECT_EQ(c.Guardado("11010100104", "DESCRIPCION"), "CAJA REALES");
    EXPECT_TRUE(c.f().CuentaGuardada());  // still loaded: the next delete asks again

    // No to the cash-flow question neither.
    c.guion().esperarMsgBox(vb::vbYes);
    c.guion().esperarMsgBox(vb::vbNo);
    c.Boton("BORRAR");
    EXPECT_EQ(c.guion().preguntas().last(),
              (Pregunta{"La cuenta está asociada a un Cash-Flow se darán de baja sus movimientos\rAcepta???",
                        "Aviso al Operador...", vb::vbYesNo + vb::vbInformation}));
    EXPECT_EQ(c.Filas("SELECT count(*) FROM [MA_CASH-DETALLE] WHERE CUENTA = '11010100104'"), 2);
    EXPECT_EQ(c.guion().preguntas().at(1).texto, kConfirma + "11010100104");

    // The current account of the companion windows plays no part: the code deleted is the one shown.
    Cargar(c, "11010100104");
    CNStuffContable::gCuentaActual = "";
    c.guion().esperarMsgBox(vb::vbYes);
    c.guion().esperarMsgBox(vb::vbYes);
    c.Boton("BORRAR");
    EXPECT_FALSE(c.f().Rechazo());
    EXPECT_EQ(c.Guardado("11010100104", "DESCRIPCION"), "(sin fila)");
    EXPECT_EQ(c.Filas("SELECT count(*) FROM MA_CUENTASADIC WHERE CODIGO = '11010100104'"), 0);
    EXPECT_EQ(c.Filas("SELECT count(*) FROM [MA_CASH-DETALLE]"), 0);
    EXPECT_EQ(Acciones(c, "B"), 1);
    EXPECT_FALSE(Control<vb::TreeView>(c.f(), "TreeV")->Existe("A11010100104"));
    EXPECT_FALSE(c.f().CuentaGuardada());
}

TEST(AccountDelete, ATitleWithAccountsUnderItIsRefusedBeforeTheConfirmation) {
    CuentasDePrueba c;
    c.Iniciar();
    Cargar(c, "110101001");
    c.guion().esperarMsgBox(vb::vbOK);
    c.Boton("BORRAR");
    ASSERT_EQ(c.guion().preguntas().size(), 1);
    EXPECT_EQ(c.guion().preguntas()[0].texto,
              "No se puede eliminar esta cuenta porque posee un nivel inferior\rElimine "
              "primero las demás cuentas e inténtelo nuevamente");
    EXPECT_EQ(c.Guardado("110101001", "DADA_DE_BAJA"), "0");
}

TEST(AccountDelete, AnAccountWithJournalLinesIsMarkedDeletedOnlyWhenItsYearIsClean) {
    CuentasDePrueba c(
        {"DELETE FROM MA_CUENTAS WHERE CODIGO IN ('21019900101', '21019900102', '21019900103')",
         "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, DADA_DE_BAJA) VALUES "
         "('21019900101', 'AÑO ANTERIOR', 0, 0), ('21019900102', 'APERTURA CERO', 0, 0), "
         "('21019900103', 'APERTURA CON SALDO', 0, 0), ('21019900104', 'APERTURA NEGATIVA', 0, 0)",
         "INSERT INTO MV_ASIENTOS (PERIODO, CUENTA, IMPORTE, ES_SALDO_APERTURA) VALUES "
         "('2026', '21019900101', 1200, 0), ('2027', '21019900102', 0, 1), "
         "('2027', '21019900103', 3500, 1), ('2027', '21019900104', -3500, 1)",
         "INSERT INTO [MA_CASH-DETALLE] (CODIGO_CASH, CUENTA) VALUES ('C1', '21019900101'), "
         "('C1', '21019900102'), ('C1', '21019900103'), ('C1', '21019900104')"});
    c.Iniciar();
    const auto cashFlow = [&](const QString& codigo) {
        return c.Filas("SELECT count(*) FROM [MA_CASH-DETALLE] WHERE CUENTA = '" + codigo + "'");
    };
    // Lines of the current year: refused, the account stays active and no box of the transaction.
    Cargar(c, "11010100101");
    c.guion().esperarMsgBox(vb::vbYes);
    c.guion().esperarMsgBox(vb::vbOK);
    c.Boton("BORRAR");
    ASSERT_EQ(c.guion().preguntas().size(), 2);
    EXPECT_EQ(c.guion().preguntas()[1],
              (Pregunta{"La cuenta que intenta eliminar Tiene movimientos en este Ejercicio",
                        "Aviso al operador!!!", vb::vbCritical}));
    EXPECT_EQ(c.Guardado("11010100101", "DADA_DE_BAJA"), "0");
    // A first opening line with an amount, on either side: refused, and the cash-flow lines stay.
    for (const char* codigo : {"21019900103", "21019900104"}) {
        Cargar(c, codigo);
        c.guion().esperarMsgBox(vb::vbYes);
        c.guion().esperarMsgBox(vb::vbYes);  // "Acepta???"
        c.guion().esperarMsgBox(vb::vbOK);
        c.Boton("BORRAR");
        EXPECT_EQ(c.guion().preguntas().last().texto,
                  "La cuenta que intenta eliminar no tiene Saldo 0 de Apertura");
        EXPECT_EQ(c.Guardado(codigo, "DADA_DE_BAJA"), "0") << codigo;
        EXPECT_EQ(cashFlow(codigo), 1) << codigo;
    }
    // Lines of another year, or a zero opening: marked as deleted, silently, out of the tree, and
    // without the cash-flow lines the user gave up.
    for (const char* codigo : {"21019900101", "21019900102"}) {
        Cargar(c, codigo);
        ASSERT_TRUE(Control<vb::TreeView>(c.f(), "TreeV")->Existe(QString("A") + codigo));
        const auto antes = c.guion().preguntas().size();
        c.guion().esperarMsgBox(vb::vbYes);
        c.guion().esperarMsgBox(vb::vbYes);  // "Acepta???"
        c.Boton("BORRAR");
        EXPECT_EQ(c.guion().preguntas().size(), antes + 2) << codigo;
        EXPECT_EQ(c.Guardado(codigo, "DADA_DE_BAJA"), "1") << codigo;
        EXPECT_EQ(cashFlow(codigo), 0) << codigo;
        EXPECT_FALSE(Control<vb::TreeView>(c.f(), "TreeV")->Existe(QString("A") + codigo));
    }
    // A mark, like a refusal, writes no action record: the account is still there.
    EXPECT_EQ(c.Filas("SELECT count(*) FROM MV_CPTEACCIONES"), 0);
    EXPECT_EQ(c.Filas("SELECT count(*) FROM AUX_ERR WHERE Error = 547"), 5);
}

TEST(AccountDelete, CashFlowLinesThatCannotBeRemovedKeepTheAccountAndAreReported) {
    CuentasDePrueba c;
    c.Iniciar();
    Cargar(c, "11010100104");
    ado::FallaInyectada falla;
    falla.contiene = "DELETE FROM [MA_CASH-DETALLE]";
    falla.error.Number = ado::kErrNoEspecificado;
    falla.error.NativeError = 1205;
    falla.error.Description = "La transacción quedó interbloqueada.";
    CNStuffContable::gBaseDatos().gCnn->InyectarFalla(falla);
    c.guion().esperarMsgBox(vb::vbYes);
    c.guion().esperarMsgBox(vb::vbYes);
    c.guion().esperarMsgBox(vb::vbOK);
    c.Boton("BORRAR");
    ASSERT_EQ(c.guion().preguntas().size(), 3);
    EXPECT_TRUE(c.guion().preguntas()[2].texto.contains("interbloqueada"))
        << c.guion().preguntas()[2].texto.toStdString();
    EXPECT_EQ(c.Guardado("11010100104", "DESCRIPCION"), "CAJA REALES");
    EXPECT_EQ(c.Filas("SELECT count(*) FROM [MA_CASH-DETALLE] WHERE CUENTA = '11010100104'"), 2);
    EXPECT_EQ(Acciones(c, "B"), 0);
}

// The connection drops on the delete itself: the account, its additional data and its cash-flow
// lines all stay, since they go in one transaction, and the user is told that nothing was kept.
// Once the link is back, the next delete removes them all.
TEST(AccountDelete, ALostConnectionKeepsTheAccountWithItsCashFlowLinesAndAdditionalData) {
    CuentasDePrueba c(ConAdicionales());
    c.Iniciar();
    Cargar(c, "11010100104");
    const ado::FallaInyectada caida = ConexionCaida("DELETE MA_CUENTASADIC");
    DB_Dll& db = CNStuffContable::gBaseDatos();
    db.gCnn->InyectarFalla(caida);
    c.guion().esperarMsgBox(vb::vbYes);
    c.guion().esperarMsgBox(vb::vbYes);
    c.guion().esperarMsgBox(vb::vbOK);
    c.Boton("BORRAR");
    ASSERT_EQ(c.guion().preguntas().size(), 3);
    EXPECT_TRUE(c.guion().preguntas()[2].texto.contains("no se guardó nada"))
        << c.guion().preguntas()[2].texto.toStdString();
    EXPECT_EQ(c.Guardado("11010100104", "DESCRIPCION"), "CAJA REALES");
    // Only other rows referring to the account turn a refused delete into a mark.
    EXPECT_EQ(c.Guardado("11010100104", "DADA_DE_BAJA"), "0");
    EXPECT_EQ(c.Filas("SELECT count(*) FROM MA_CUENTASADIC WHERE CODIGO = '11010100104'"), 1);
    EXPECT_EQ(c.Filas("SELECT count(*) FROM [MA_CASH-DETALLE] WHERE CUENTA = '11010100104'"), 2);
    EXPECT_EQ(Acciones(c, "B"), 0);
    EXPECT_TRUE(c.f().CuentaGuardada());

    db.ReintentaConectar();
    c.guion().esperarMsgBox(vb::vbYes);
    c.guion().esperarMsgBox(vb::vbYes);
    c.Boton("BORRAR");
    EXPECT_EQ(c.Guardado("11010100104", "DESCRIPCION"), "(sin fila)");
    EXPECT_EQ(c.Filas("SELECT count(*) FROM MA_CUENTASADIC WHERE CODIGO = '11010100104'"), 0);
    EXPECT_EQ(c.Filas("SELECT count(*) FROM [MA_CASH-DETALLE] WHERE CUENTA = '11010100104'"), 0);
    EXPECT_EQ(Acciones(c, "B"), 1);
}

// The box holds another code than the account loaded, left there through the code search: the
// delete acts on the account the form validated, never on the box's text.
TEST(AccountDelete, OnlyTheAccountValidatedIsDeletedWhateverTheCodeSearchLeftInTheBox) {
    CuentasDePrueba c({}, "OPERADOR");
    LocaleNumeros locale(LocaleNumeros::coma());
    c.Iniciar();
    const int antes = c.Filas("SELECT count(*) FROM MA_CUENTAS");
    // A code hidden from him: answered as any code of no account, nothing about the hidden one.
    Cargar(c, "51010100101");
    CodigoPorLaBusqueda(c, "51010100102");
    c.guion().esperarMsgBox(vb::vbOK);
    c.Tecla(Qt::Key_F3);
    ASSERT_EQ(c.guion().preguntas().size(), 1);
    EXPECT_EQ(c.guion().preguntas()[0].texto, "Debe ingresar una cuenta existente para borrarla");
    EXPECT_FALSE(Control<vb::CajaTexto>(c.f(), "txtFields", 0)->text().contains("HONORARIOS"));
    // The box emptied: nothing to act on.
    Cargar(c, "51010100101");
    CodigoPorLaBusqueda(c, "");
    c.guion().esperarMsgBox(vb::vbOK);
    c.Boton("BORRAR");
    ASSERT_EQ(c.guion().preguntas().size(), 2);
    EXPECT_EQ(c.guion().preguntas()[1].texto, "Debe ingresar una cuenta existente para borrarla");
    EXPECT_EQ(c.Guardado("51010100102", "DESCRIPCION"), "HONORARIOS DIRECTORIO");
    EXPECT_EQ(c.Guardado("51010100102", "DADA_DE_BAJA"), "0");
    EXPECT_EQ(c.Filas("SELECT count(*) FROM MA_CUENTAS"), antes);
    EXPECT_EQ(Acciones(c, "B"), 0);
}

// The same road for an administrator: the code left in the box is loaded first, then asked about
// and deleted; the account shown before stays.
TEST(AccountDelete, ACodeLeftInTheBoxIsValidatedBeforeTheDeleteAsks) {
    CuentasDePrueba a;
    a.Iniciar();
    Cargar(a, "51010100101");
    CodigoPorLaBusqueda(a, "11010100104");
    a.guion().esperarMsgBox(vb::vbYes);
    a.guion().esperarMsgBox(vb::vbYes);
    a.Tecla(Qt::Key_F3);
    ASSERT_EQ(a.guion().preguntas().size(), 2);
    EXPECT_EQ(a.guion().preguntas()[0].texto, kConfirma + "11010100104");
    EXPECT_EQ(a.Guardado("11010100104", "DESCRIPCION"), "(sin fila)");
    EXPECT_EQ(a.Guardado("51010100101", "DESCRIPCION"), "SUELDOS PERSONAL");
}
