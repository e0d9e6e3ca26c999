// What lies below an account is asked of the company's own tables: a title that holds an account
// hidden from the user can be neither deleted nor made postable by him, exactly as for an
// administrator; an account marked as deleted holds nothing up.
#include "accounts/CuentasDePrueba.h"
#include "outside/controls/CajaTexto.h"
#include "support/ContenidoBase.h"
#include "support/Control.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QRadioButton>
#include <QTest>

namespace {

// 510108 > 510108001 > 51010800101, the last one confidential; 510109 > 510109001 > 51010900101,
// the last one marked as deleted.
const QStringList kRamas{
    "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, CONFIDENCIAL, DADA_DE_BAJA) VALUES "
    "('510108', 'GASTOS RESERVADOS', 1, 0, 0), ('510108001', 'RESERVADOS', 1, 0, 0), "
    "('51010800101', 'RESERVA DEL DIRECTORIO', 0, 1, 0), ('510109', 'GASTOS VARIOS', 1, 0, 0), "
    "('510109001', 'VARIOS', 1, 0, 0), ('51010900101', 'VARIOS EN DESUSO', 0, 0, 1)"};

const QString kNivelInferior = QString::fromUtf8(
    "No se puede eliminar esta cuenta porque posee un nivel inferior\rElimine primero las demás cuentas e "
    "inténtelo nuevamente");

void Imputable(CuentasDePrueba& v) {
    QTest::mouseClick(Control<QRadioButton>(v.f(), "OptTipoCuenta", 0), Qt::LeftButton, {}, QPoint(4, 4));
    ASSERT_TRUE(Control<QRadioButton>(v.f(), "OptTipoCuenta", 0)->isChecked());
}

class AccountStructure : public ::testing::TestWithParam<const char*> {};

TEST_P(AccountStructure, AHiddenAccountBelowATitleKeepsItAsItIsForEveryUser) {
    CuentasDePrueba v(kRamas, GetParam());
    v.Iniciar();
    const ContenidoBase antes = Contenido(v.base());

    v.EscribirCodigo("510108001");
    ASSERT_TRUE(v.f().CuentaGuardada());
    v.guion().esperarMsgBox(vb::vbOK);
    v.Tecla(Qt::Key_F3);
    ASSERT_EQ(v.guion().preguntas().size(), 1);
    EXPECT_EQ(v.guion().preguntas()[0].texto, kNivelInferior);

    v.EscribirCodigo("510108");
    Imputable(v);
    v.guion().esperarMsgBox(vb::vbOK);
    v.Tecla(Qt::Key_F4);
    ASSERT_EQ(v.guion().preguntas().size(), 2);
    EXPECT_EQ(v.guion().preguntas()[1].texto,
              "La cuenta tiene cuentas de nivel inferior, no puede ser Imputable");
    EXPECT_TRUE(v.f().Rechazo());

    EXPECT_EQ(Diferencias(antes, Contenido(v.base())), QStringList());
}

TEST_P(AccountStructure, AnAccountMarkedAsDeletedIsNoLowerLevel) {
    CuentasDePrueba v(kRamas, GetParam());
    v.Iniciar();
    v.EscribirCodigo("510109001");
    v.guion().esperarMsgBox(vb::vbYes);
    v.Tecla(Qt::Key_F3);
    EXPECT_EQ(v.guion().preguntas().value(0).texto, "Confirma la baja de esta cuenta? 510109001");
    EXPECT_EQ(v.Guardado("510109001", "DESCRIPCION"), "(sin fila)");

    v.EscribirCodigo("510109");
    Imputable(v);
    v.Tecla(Qt::Key_F4);
    EXPECT_FALSE(v.f().Rechazo());
    EXPECT_EQ(v.Guardado("510109", "TITULO"), "0");
    EXPECT_EQ(v.Guardado("51010900101", "DADA_DE_BAJA"), "1");
    EXPECT_EQ(v.guion().preguntas().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(EveryUser, AccountStructure, ::testing::Values("ADMIN", "OPERADOR"));

}  // namespace
