// Two charts on one company file, each on its own connection: a new code typed in both, an
// account deleted under an edit, an account made confidential under a user who may not see it.
// Whoever saves second is told, and writes nothing.
#include "accounts/CuentasDePrueba.h"
#include "accounts/OtroPlan.h"
#include "outside/ado/Connection.h"
#include "outside/controls/CajaTexto.h"
#include "outside/runtime/Dialogos.h"
#include "support/Control.h"

#include <gtest/gtest.h>

namespace {

QList<QStringList> Auditoria(CuentasDePrueba& c, const QString& codigo) {
    return c.base().filas("SELECT Tipo_accion FROM MV_CPTEACCIONES WHERE SYSTEMUSER LIKE '" + codigo +
                          " %' ORDER BY ID");
}

}  // namespace

TEST(TwoCharts, ANewCodeTheOtherSavedFirstIsRefusedAsTakenNeverTurnedIntoAnUpdate) {
    CuentasDePrueba c;
    c.Iniciar();
    OtroUsuario b(c);
    c.EscribirCodigo("11030100124");
    ASSERT_TRUE(c.f().CuentaNueva());
    {
        OtroUsuario::Turno turno(b);
        b.Teclear(Control<vb::CajaTexto>(b.f(), "TxtCodigo"), "11030100124");
        ASSERT_TRUE(b.f().CuentaNueva());
        b.Teclear(Control<vb::CajaTexto>(b.f(), "txtFields", 0), "NUEVA DE B");
    }
    c.EscribirCampo(0, "NUEVA DE A");
    c.guion().esperarMsgBox(vb::vbNo);  // its additional data: not now
    c.Boton("GRABAR");
    ASSERT_FALSE(c.f().Rechazo());
    {
        OtroUsuario::Turno turno(b);
        c.guion().esperarMsgBox(vb::vbOK);
        b.Grabar();
        EXPECT_TRUE(b.f().Rechazo());
        // Kept on screen, still a new account: a second "Grabar" is refused the same way.
        EXPECT_TRUE(b.f().CuentaNueva());
        EXPECT_EQ(Control<vb::CajaTexto>(b.f(), "txtFields", 0)->text(), "NUEVA DE B");
    }
    const Pregunta aviso = c.guion().preguntas().last();
    EXPECT_EQ(aviso,
              (Pregunta{"Otro usuario grabó la cuenta 11030100124 antes que usted.\r\nNo se grabó nada. Lo "
                        "que usted escribió sigue en pantalla: ingrese otro código para grabarlo.",
                        "Aviso al operador", vb::vbExclamation}));
    EXPECT_EQ(c.Guardado("11030100124", "DESCRIPCION"), "NUEVA DE A");
    EXPECT_EQ(Auditoria(c, "11030100124"), (QList<QStringList>{{"A"}}));
}

TEST(TwoCharts, AnAccountDeletedUnderAnEditIsToldAndNotCreatedAgain) {
    CuentasDePrueba c;
    c.Iniciar();
    OtroUsuario b(c);
    {
        OtroUsuario::Turno turno(b);
        b.Teclear(Control<vb::CajaTexto>(b.f(), "TxtCodigo"), "11010100201");
        ASSERT_TRUE(b.f().CuentaGuardada());
        b.Teclear(Control<vb::CajaTexto>(b.f(), "txtFields", 0), "FONDO FIJO B");
    }
    c.EscribirCodigo("11010100201");
    c.guion().esperarMsgBox(vb::vbYes);  // "Confirma la baja de esta cuenta? "
    c.Boton("BORRAR");
    ASSERT_EQ(c.Guardado("11010100201", "DESCRIPCION"), "(sin fila)");
    {
        OtroUsuario::Turno turno(b);
        c.guion().esperarMsgBox(vb::vbOK);
        b.Grabar();
        EXPECT_TRUE(b.f().Rechazo());
        EXPECT_EQ(Control<vb::CajaTexto>(b.f(), "txtFields", 0)->text(), "FONDO FIJO B");
    }
    EXPECT_EQ(
        c.guion().preguntas().last(),
        (Pregunta{"Otro usuario borró la cuenta 11010100201 antes de que usted grabara.\r\nNo se grabó nada. "
                  "Lo que usted escribió sigue en pantalla.",
                  "Aviso al operador", vb::vbExclamation}));
    EXPECT_EQ(c.Guardado("11010100201", "DESCRIPCION"), "(sin fila)");
    EXPECT_EQ(Auditoria(c, "11010100201"), (QList<QStringList>{{"B"}}));
}

// The user's own view is read again inside the save: an account another program makes
// confidential while the save or the delete is being checked is gone for a user who is not an
// administrator, and neither reaches it.
TEST(TwoCharts, AnAccountMadeConfidentialDuringTheChecksIsNeitherWrittenNorDeletedForAUserWhoMayNotSeeIt) {
    CuentasDePrueba c({}, "OPERADOR");
    c.Iniciar();
    c.EscribirCodigo("11010100201");
    ASSERT_TRUE(c.f().CuentaGuardada());
    c.EscribirCampo(0, "FONDO FIJO OPERADOR");
    const auto cuenta = [&] {
        return c.base().filas("SELECT * FROM MA_CUENTAS WHERE CODIGO = '11010100201'");
    };
    const auto antes = cuenta();
    // The other program acts as the last check before the writes runs.
    ado::Connection& cnn = *CNStuffContable::gBaseDatos().gCnn;
    const auto confidencialAl = [&](const QString& sentencia) {
        cnn.ObservarSentencias([&, sentencia](const QString& sql, bool) {
            if (!sql.contains(sentencia)) return;
            c.base().ejecutar("UPDATE MA_CUENTAS SET CONFIDENCIAL = 1 WHERE CODIGO = '11010100201'");
        });
    };
    confidencialAl("P_MA_LEGAJOS");
    c.guion().esperarMsgBox(vb::vbOK);
    c.Boton("GRABAR");
    EXPECT_TRUE(c.f().Rechazo());
    c.base().ejecutar("UPDATE MA_CUENTAS SET CONFIDENCIAL = 0 WHERE CODIGO = '11010100201'");
    confidencialAl("[MA_CASH-DETALLE]");
    c.guion().esperarMsgBox(vb::vbYes);  // "Confirma la baja de esta cuenta? "
    c.guion().esperarMsgBox(vb::vbOK);
    c.Boton("BORRAR");
    cnn.ObservarSentencias({});
    c.base().ejecutar("UPDATE MA_CUENTAS SET CONFIDENCIAL = 0 WHERE CODIGO = '11010100201'");
    EXPECT_EQ(cuenta(), antes);
    EXPECT_EQ(Auditoria(c, "11010100201"), QList<QStringList>{});
    ASSERT_EQ(c.guion().preguntas().size(), 3);
    EXPECT_TRUE(c.guion().preguntas()[0].texto.startsWith(
        "Otro usuario borró la cuenta 11010100201 antes de que usted grabara."));
    EXPECT_TRUE(c.guion().preguntas()[2].texto.startsWith(
        "Otro usuario borró la cuenta 11010100201 antes de que usted confirmara la baja."));
}

// A delete the database refuses, because journal lines of another year refer to the account,
// marks it dada de baja instead: the mark is a save like any other. Another program's change made
// once the refused delete is undone and before the mark is told, nothing is marked, and a second
// "Borrar" marks the account as it now stands.
TEST(TwoCharts, AChangeMadeBeforeARefusedDeleteBecomesAMarkIsToldAndNeverMarkedOver) {
    CuentasDePrueba c(
        {"INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, DADA_DE_BAJA) VALUES "
         "('21019900101', 'AÑO ANTERIOR', 0, 0)",
         "INSERT INTO MV_ASIENTOS (PERIODO, CUENTA, IMPORTE, ES_SALDO_APERTURA) VALUES "
         "('2026', '21019900101', 1200, 0)"});
    c.Iniciar();
    c.EscribirCodigo("21019900101");
    ASSERT_TRUE(c.f().CuentaGuardada());
    // The other program acts at the first moment this one holds no transaction after the refusal.
    ado::Connection& cnn = *CNStuffContable::gBaseDatos().gCnn;
    bool refusada = false, cambiada = false;
    cnn.ObservarSentencias([&](const QString& sql, bool enTransaccion) {
        if (sql.startsWith("DELETE MA_CUENTAS ", Qt::CaseInsensitive)) refusada = true;
        if (!refusada || enTransaccion || cambiada) return;
        cambiada = true;
        ASSERT_EQ(c.Guardado("21019900101", "DADA_DE_BAJA"), "0");
        c.base().ejecutar("UPDATE MA_CUENTAS SET DESCRIPCION = 'DE OTRO' WHERE CODIGO = '21019900101'");
    });
    c.guion().esperarMsgBox(vb::vbYes);  // "Confirma la baja de esta cuenta? "
    c.guion().esperarMsgBox(vb::vbOK);
    c.Boton("BORRAR");
    cnn.ObservarSentencias({});
    ASSERT_TRUE(cambiada);
    EXPECT_EQ(
        c.guion().preguntas().last(),
        (Pregunta{
            "Otro usuario cambió el campo Descripción de la cuenta 21019900101 antes de que usted "
            "confirmara la baja.\r\nNo se grabó nada. Si aún quiere borrarla, presione Borrar otra vez.",
            "Aviso al operador", vb::vbExclamation}));
    EXPECT_EQ(c.base().filas("SELECT DESCRIPCION, DADA_DE_BAJA FROM MA_CUENTAS WHERE CODIGO = '21019900101'"),
              (QList<QStringList>{{"DE OTRO", "0"}}));
    EXPECT_EQ(Auditoria(c, "21019900101"), QList<QStringList>{});
    EXPECT_TRUE(c.f().CuentaGuardada());

    c.guion().esperarMsgBox(vb::vbYes);
    c.Boton("BORRAR");
    EXPECT_EQ(c.base().filas("SELECT DESCRIPCION, DADA_DE_BAJA FROM MA_CUENTAS WHERE CODIGO = '21019900101'"),
              (QList<QStringList>{{"DE OTRO", "1"}}));
    EXPECT_EQ(Auditoria(c, "21019900101"), QList<QStringList>{});
}
