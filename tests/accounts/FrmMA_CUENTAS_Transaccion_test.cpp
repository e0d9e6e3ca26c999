// Retry after a failed statement writes the whole account save again, once. Two users on one
// account keep each other's changes, or are told. (Every save ended at each of its statements:
// tests/e2e/Grabaciones_test.cpp.)
#include "accounts/CuentasDePrueba.h"
#include "accounts/OtroPlan.h"
#include "data/DB_Dll.h"
#include "outside/ado/TextoSql.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/UtilVex.h"
#include "outside/runtime/Dialogos.h"
#include "services/CNStuffContable.h"
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

}  // namespace

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
