// The chart of accounts on the demo company, its main road driven the way a user drives it: keys
// to the focused widget, clicks on what a user clicks, the stored rows read back.
#include "accounts/CuentasDePrueba.h"
#include "outside/controls/CajaTexto.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/Programa.h"
#include "support/Control.h"
#include "support/LocaleNumeros.h"
#include "support/Teclado.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>

using teclado::Clic;
using teclado::Tecla;
using teclado::Teclea;

// A fresh form, a title chosen, its proposal saved with F4; the same account loaded, changed,
// saved, deleted with F3; F12 ends the program.
TEST(ChartOfAccountsDemo, TheMainRoadFromATitlesProposalToTheDeleteAndTheEnd) {
    CuentasDePrueba v;
    const LocaleNumeros coma(LocaleNumeros::coma());
    v.Iniciar();
    auto& f = v.f();
    // The audit rows of the account, by action.
    const auto acciones = [&v](const char* tipo) {
        return v.Filas(
            "SELECT count(*) FROM MV_CPTEACCIONES WHERE SYSTEMUSER LIKE '11010100103 %' AND "
            "Tipo_accion = '" +
            QString(tipo) + "'");
    };
    ASSERT_EQ(v.Guardado("11010100103", "CODIGO"), "(sin fila)");

    // The title "CAJA" chosen in the list by its arrows, left with Tab: its first free code.
    auto* titulos = Control<QComboBox>(f, "Combo1");
    titulos->setFocus(Qt::TabFocusReason);
    for (int n = 0; n < titulos->count() && titulos->currentText().right(50).trimmed() != "110101001"; ++n)
        Tecla(Qt::Key_Down);
    ASSERT_EQ(titulos->currentText().left(80).trimmed(), "CAJA");
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtFields", 1)->text().remove('-'), "11010100103");
    EXPECT_TRUE(f.CuentaNueva());
    EXPECT_EQ(QApplication::focusWidget(), Control<vb::CajaTexto>(f, "txtFields", 2));

    // Its name, its default cost centre, and F4 saves the code proposed.
    Clic(Control<vb::CajaTexto>(f, "txtFields", 0));
    Teclea("CAJA CHICA");
    Clic(Control<QCheckBox>(f, "chkCCostos"));
    Tecla(Qt::Key_F4);
    ASSERT_FALSE(f.Rechazo()) << v.guion().preguntas().value(0).texto.toStdString();
    EXPECT_EQ(v.base().filas("SELECT DESCRIPCION, TITULO FROM MA_CUENTAS WHERE CODIGO = '11010100103'"),
              (QList<QStringList>{{"CAJA CHICA", "0"}}));
    EXPECT_EQ(v.base().filas("SELECT CCOSTO, PORCENTAJE FROM MA_CUENTASCCOSTO WHERE CODIGO = '11010100103'"),
              (QList<QStringList>{{"ADM", "0"}}));
    EXPECT_EQ(
        v.base().filas("SELECT GRUPOUSER FROM MA_CUENTAS_USUARIOS WHERE CUENTA = '11010100103' ORDER BY 1"),
        (QList<QStringList>{{"ADMINISTRADORES"}, {"OPERADORES"}}));
    EXPECT_EQ(acciones("A"), 1);

    // The same account loaded by its code, its name changed, F4.
    Clic(Control<vb::CajaTexto>(f, "TxtCodigo"));
    Teclea("11010100103");
    Tecla(Qt::Key_Return);
    ASSERT_TRUE(f.CuentaGuardada());
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtFields", 0)->text(), "CAJA CHICA");
    Clic(Control<vb::CajaTexto>(f, "txtFields", 0));
    Tecla(Qt::Key_End);
    Teclea(" SUCURSAL");
    Tecla(Qt::Key_F4);
    ASSERT_FALSE(f.Rechazo());
    EXPECT_EQ(v.Guardado("11010100103", "DESCRIPCION"), "CAJA CHICA SUCURSAL");
    EXPECT_EQ(acciones("M"), 1);

    // Loaded again and deleted with F3.
    Clic(Control<vb::CajaTexto>(f, "TxtCodigo"));
    Tecla(Qt::Key_A, Qt::ControlModifier);
    Teclea("11010100103");
    Tecla(Qt::Key_Return);
    ASSERT_TRUE(f.CuentaGuardada());
    v.guion().esperarMsgBox(vb::vbYes);
    Tecla(Qt::Key_F3);
    ASSERT_FALSE(f.Rechazo());
    EXPECT_EQ(v.guion().preguntas().size(), 1);
    EXPECT_EQ(v.guion().preguntas().value(0).texto, "Confirma la baja de esta cuenta? 11010100103");
    EXPECT_EQ(v.Guardado("11010100103", "CODIGO"), "(sin fila)");
    EXPECT_EQ(acciones("B"), 1);

    // F12 ends the program, wherever the keyboard is.
    EXPECT_THROW(Tecla(Qt::Key_F12), vb::FinDelPrograma);
}
