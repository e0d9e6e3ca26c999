// The account save is whole or absent: ended at any one of its statements (refused or with the
// link lost) it leaves every table as before and the form as typed, and the next "Grabar" writes
// it all. Two users on one account keep each other's changes, or are told.
#include "accounts/CuentasDePrueba.h"
#include "accounts/OtroPlan.h"
#include "data/DB_Dll.h"
#include "outside/ado/TextoSql.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/UtilVex.h"
#include "outside/runtime/Dialogos.h"
#include "services/CNStuffContable.h"
#include "support/ConexionCaida.h"
#include "support/Control.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QTest>
#include <QToolButton>

namespace {

constexpr const char* kNueva = "11010100105";

// Every row the save of the new account `codigo` writes, as text.
QList<QStringList> Estado(CuentasDePrueba& c, const QString& codigo = kNueva) {
    const QString cuenta = ado::LiteralTexto(codigo);
    QList<QStringList> filas =
        c.base().filas("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = " + cuenta);
    filas += c.base().filas("SELECT count(*) FROM MV_CPTEACCIONES WHERE SYSTEMUSER LIKE " +
                            ado::LiteralTexto(codigo + " %"));
    filas += c.base().filas("SELECT CCOSTO FROM MA_CUENTASCCOSTO WHERE CODIGO = " + cuenta);
    filas += c.base().filas("SELECT GRUPOUSER FROM MA_CUENTAS_USUARIOS WHERE CUENTA = " + cuenta +
                            " ORDER BY GRUPOUSER");
    return filas;
}

void TecleaNueva(CuentasDePrueba& c, const QString& codigo = kNueva) {
    c.EscribirCodigo(codigo);
    ASSERT_TRUE(c.f().CuentaNueva());
    c.EscribirCampo(0, "CAJA CHICA");
    Control<QCheckBox>(c.f(), "chkCCostos")->setEnabled(true);
    QTest::mouseClick(Control<QCheckBox>(c.f(), "chkCCostos"), Qt::LeftButton, {}, QPoint(4, 4));
    ASSERT_TRUE(Control<QCheckBox>(c.f(), "chkCCostos")->isChecked());
}

ado::FallaInyectada Rechazo(const QString& contiene) {
    ado::FallaInyectada f;
    f.contiene = contiene;
    f.error = {"HY000", ado::kErrNoEspecificado, "No queda espacio en el disco", 112, {}};
    return f;
}

// Each statement of the save of a new postable account with cost centres and user groups.
const char* const kSentencias[] = {
    "INSERT INTO MA_Cuentas (",     "INTO V_MV_CPTEACCIONES", "SELECT * FROM MA_CUENTASCCOSTO",
    "INSERT INTO MA_CUENTASCCOSTO", "SELECT GRUPOUSER",       "VALUES ('ADMINISTRADORES'",
    "VALUES ('OPERADORES'",
};

}  // namespace

// One window saves one new account after another (11010100105, 106, ...): each save is ended at
// one of its statements, then made again.
TEST(AccountSaveTransaction, EndedAtAnyStatementTheSaveLeavesTheTablesAsBeforeAndTheNextWritesAll) {
    for (const bool caida : {false, true}) {
        CuentasDePrueba c;
        c.Iniciar();
        int numero = 5;
        for (const char* sentencia : kSentencias) {
            SCOPED_TRACE(std::string(sentencia) + (caida ? " (conexión perdida)" : " (rechazada)"));
            const QString codigo = QString("110101001%1").arg(numero++, 2, 10, QChar('0'));
            TecleaNueva(c, codigo);
            const QList<QStringList> antes = Estado(c, codigo);
            c.base().ejecutar("DELETE FROM AUX_ERR");
            const qsizetype dichas = c.guion().preguntas().size();
            DB_Dll& db = CNStuffContable::gBaseDatos();
            db.gCnn->InyectarFalla(caida ? ConexionCaida(sentencia) : Rechazo(sentencia));
            // Abort to the refusal; the lost transaction is only told.
            c.guion().esperarMsgBox(caida ? vb::vbOK : vb::vbAbort);
            c.Boton("GRABAR");
            ASSERT_FALSE(db.gCnn->hayFallas());
            EXPECT_TRUE(c.f().Rechazo());
            EXPECT_EQ(Estado(c, codigo), antes);
            // The form keeps what was typed, and the failure is named.
            EXPECT_TRUE(c.f().CuentaNueva());
            EXPECT_EQ(Control<vb::CajaTexto>(c.f(), "txtFields", 0)->text(), "CAJA CHICA");
            ASSERT_EQ(c.guion().preguntas().size(), dichas + 1);
            if (caida)
                EXPECT_TRUE(c.guion().preguntas().last().texto.contains("no se guardó nada"));
            else
                EXPECT_TRUE(c.guion().preguntas().last().texto.contains("No queda espacio en el disco"));

            // The link comes back, as the recovery brings it back.
            if (caida) db.ReintentaConectar();
            c.Boton("GRABAR");
            EXPECT_FALSE(c.f().Rechazo());
            EXPECT_EQ(Estado(c, codigo),
                      (QList<QStringList>{
                          {codigo, "CAJA CHICA"}, {"1"}, {"ADM"}, {"ADMINISTRADORES"}, {"OPERADORES"}}));
        }
    }
}

TEST(AccountSaveTransaction, RetryRunsTheWholeSaveAgainOnce) {
    CuentasDePrueba c({"DELETE FROM MA_CUENTAS WHERE CODIGO = '11010100105'"});
    c.Iniciar();
    TecleaNueva(c);
    CNStuffContable::gBaseDatos().gCnn->InyectarFalla(Rechazo("VALUES ('OPERADORES'"));
    c.guion().esperarMsgBox(vb::vbRetry);
    c.Boton("GRABAR");
    EXPECT_FALSE(c.f().Rechazo());
    EXPECT_EQ(Estado(c),
              (QList<QStringList>{
                  {"11010100105", "CAJA CHICA"}, {"1"}, {"ADM"}, {"ADMINISTRADORES"}, {"OPERADORES"}}));
}

// One window changes one account again and again: each save is ended at one of its statements,
// then made again.
TEST(AccountSaveTransaction, AChangedAccountEndedAtAnyStatementKeepsItsRowAndAudit) {
    CuentasDePrueba c;
    c.Iniciar();
    QString guardada = "CAJA PESOS";
    int auditadas = 0;
    for (const char* sentencia :
         {"SET CODIGO = CODIGO", "SELECT * FROM MA_CUENTAS WHERE", "SET DESCRIPCION", "V_MV_CPTEACCIONES"}) {
        SCOPED_TRACE(sentencia);
        c.EscribirCodigo("11010100101");
        ASSERT_TRUE(c.f().CuentaGuardada());
        const QString nueva = "CAJA CENTRAL " + QString::number(auditadas + 1);
        c.EscribirCampo(0, nueva);
        CNStuffContable::gBaseDatos().gCnn->InyectarFalla(Rechazo(sentencia));
        c.guion().esperarMsgBox(vb::vbAbort);
        c.Boton("GRABAR");
        EXPECT_EQ(c.Guardado("11010100101", "DESCRIPCION"), guardada);
        EXPECT_EQ(c.Filas("SELECT count(*) FROM MV_CPTEACCIONES"), auditadas);
        c.Boton("GRABAR");
        EXPECT_EQ(c.Guardado("11010100101", "DESCRIPCION"), nueva);
        EXPECT_EQ(c.Filas("SELECT count(*) FROM MV_CPTEACCIONES WHERE Tipo_accion = 'M'"), ++auditadas);
        guardada = nueva;
    }
}

TEST(AccountSaveTwoUsers, ChangesToDifferentFieldsAreBothKept) {
    CuentasDePrueba c;
    c.Iniciar();
    OtroUsuario b(c);
    c.EscribirCodigo("11010100101");
    {
        OtroUsuario::Turno turno(b);
        b.Teclear(Control<vb::CajaTexto>(b.f(), "TxtCodigo"), "11010100101");
        ASSERT_TRUE(b.f().CuentaGuardada());
    }
    c.EscribirCampo(0, "CAJA CENTRAL");
    c.Boton("GRABAR");
    ASSERT_FALSE(c.f().Rechazo());
    {
        OtroUsuario::Turno turno(b);
        b.Teclear(Control<vb::CajaTexto>(b.f(), "txtFields", 2), "CC01");
        b.Grabar();
        EXPECT_FALSE(b.f().Rechazo());
    }
    EXPECT_EQ(
        c.base().filas("SELECT DESCRIPCION, CODIGOOPCIONAL FROM MA_CUENTAS WHERE CODIGO = '11010100101'"),
        (QList<QStringList>{{"CAJA CENTRAL", "CC01"}}));
    EXPECT_TRUE(c.guion().preguntas().isEmpty());
}

TEST(AccountSaveTwoUsers, OneFieldChangedByBothIsToldAndTheSecondGrabarWritesIt) {
    CuentasDePrueba c;
    c.Iniciar();
    OtroUsuario b(c);
    c.EscribirCodigo("11010100101");
    {
        OtroUsuario::Turno turno(b);
        b.Teclear(Control<vb::CajaTexto>(b.f(), "TxtCodigo"), "11010100101");
    }
    c.EscribirCampo(0, "CAJA A");
    c.Boton("GRABAR");
    {
        OtroUsuario::Turno turno(b);
        b.Teclear(Control<vb::CajaTexto>(b.f(), "txtFields", 0), "CAJA B");
        c.guion().esperarMsgBox(vb::vbOK);
        b.Grabar();
        EXPECT_TRUE(b.f().Rechazo());
        ASSERT_EQ(c.guion().preguntas().size(), 1);
        const Pregunta aviso = c.guion().preguntas().last();
        EXPECT_EQ(aviso.titulo, "Aviso al operador");
        EXPECT_TRUE(aviso.texto.contains("11010100101")) << aviso.texto.toStdString();
        EXPECT_TRUE(aviso.texto.contains("Descripción")) << aviso.texto.toStdString();
        EXPECT_EQ(c.Guardado("11010100101", "DESCRIPCION"), "CAJA A");
        EXPECT_EQ(c.Filas("SELECT count(*) FROM MV_CPTEACCIONES"), 1);
        // Kept on screen; the second "Grabar" writes it, knowingly.
        EXPECT_EQ(Control<vb::CajaTexto>(b.f(), "txtFields", 0)->text(), "CAJA B");
        b.Grabar();
        EXPECT_FALSE(b.f().Rechazo());
    }
    EXPECT_EQ(c.Guardado("11010100101", "DESCRIPCION"), "CAJA B");
    EXPECT_EQ(c.Filas("SELECT count(*) FROM MV_CPTEACCIONES WHERE Tipo_accion = 'M'"), 2);
}

TEST(AccountSaveTwoUsers, AUserWhoIsNotAnAdministratorChecksTheRowThroughHisOwnView) {
    CuentasDePrueba c({}, "OPERADOR");
    c.Iniciar();
    c.EscribirCodigo("11010100101");
    ASSERT_TRUE(c.f().CuentaGuardada());
    c.EscribirCampo(0, "CAJA CENTRAL");
    c.Boton("GRABAR");
    EXPECT_FALSE(c.f().Rechazo());
    EXPECT_EQ(c.Guardado("11010100101", "DESCRIPCION"), QString("CAJA CENTRAL"));
    EXPECT_TRUE(c.guion().preguntas().isEmpty());
}
