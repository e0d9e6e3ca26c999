// The chart window's focus as the user sees it: the focus colour marks one box, the focused one.
#include "accounts/CuentasDePrueba.h"
#include "outside/controls/CajaTexto.h"
#include "support/Control.h"

#include <gtest/gtest.h>
#include <QApplication>

namespace {

// The boxes of the window painted in the focus colour.
QList<QWidget*> EnColorDeFoco(FrmMA_CUENTAS& f) {
    QList<QWidget*> cajas{Control<vb::CajaTexto>(f, "TxtCodigo")};
    for (int i = 0; i < 5; ++i) cajas << Control<vb::CajaTexto>(f, "txtFields", i);
    QList<QWidget*> pintadas;
    for (QWidget* w : cajas)
        if (w->styleSheet().contains("#00ffff", Qt::CaseInsensitive)) pintadas << w;
    return pintadas;
}

}  // namespace

TEST(ChartFocus, AfterASaveOnlyTheBoxWithTheFocusHasTheFocusColour) {
    CuentasDePrueba c({"DELETE FROM MA_CUENTAS WHERE CODIGO = '11010100105'"});
    c.Iniciar();
    c.EscribirCodigo("11010100105");
    c.EscribirCampo(0, "CAJA CHICA");
    ASSERT_EQ(EnColorDeFoco(c.f()), QList<QWidget*>{QApplication::focusWidget()});
    c.Boton("GRABAR");
    ASSERT_EQ(c.Guardado("11010100105", "DESCRIPCION"), "CAJA CHICA");
    EXPECT_EQ(EnColorDeFoco(c.f()), QList<QWidget*>{QApplication::focusWidget()});
}
