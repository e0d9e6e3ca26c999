// Each program's first window, started as the program starts it (its load, then shown by
// vb::MuestraVentana, nothing made active by the test): it is the active window, its first control
// has the keyboard, and what the user types right away lands there.
#include "accounts/CuentasDePrueba.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/runtime/Aplicacion.h"
#include "outside/runtime/Pantalla.h"
#include "services/CNStuffContable.h"
#include "support/Control.h"
#include "support/VentanaIndices.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>
#include <functional>

namespace {

// The keys a user types right after start, each where the keyboard is.
void Teclea(const QString& texto) {
    for (QChar c : texto) QTest::keyClicks(QApplication::focusWidget(), QString(c));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
}

struct Arranque {
    const char* programa;
    // Shows the first window as the program does and checks it, the user typing at once.
    std::function<void()> prueba;
};

// Starts the window as the program's main does.
void Muestra(QWidget& ventana, const QString& rutina, const std::function<void()>& carga) {
    vb::ComoEvento(rutina, carga);
    vb::MuestraVentana(&ventana);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), &ventana);
}

const Arranque kArranques[] = {
    {"plancuentas",
     [] {
         CuentasDePrueba c;
         CNStuffContable::InicializaSistema();
         Muestra(c.f(), "FrmMA_CUENTAS_Form_Load", [&] { c.f().Form_Load(); });
         ASSERT_EQ(QApplication::focusWidget(), Control<vb::CajaTexto>(c.f(), "TxtCodigo"));
         Teclea("11010100101");
         EXPECT_TRUE(c.f().CuentaGuardada());
         EXPECT_EQ(Control<vb::CajaTexto>(c.f(), "txtFields", 0)->text(), "CAJA PESOS");
     }},
    {"indajuste",
     [] {
         VentanaIndices v;
         Muestra(v.f(), "frmMA_INDAJUSTE_Form_Load", [&] { v.f().Form_Load(); });
         auto* anio = Control<vb::CajaTexto>(v.f(), "txtFields", 0);
         ASSERT_EQ(QApplication::focusWidget(), anio);
         // The year shown is selected: what is typed replaces it, and Enter moves on to the grid.
         Teclea("2023");
         EXPECT_EQ(anio->text(), "2023");
         EXPECT_EQ(QApplication::focusWidget(), Control<vb::FlexGrid>(v.f(), "FgAsiento"));
     }},
};

class FirstWindowAtStartUp : public ::testing::TestWithParam<Arranque> {};

}  // namespace

TEST_P(FirstWindowAtStartUp, HasTheKeyboardOnItsFirstControlWithoutAClick) {
    GetParam().prueba();
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, FirstWindowAtStartUp, ::testing::ValuesIn(kArranques),
                         [](const auto& info) { return std::string(info.param.programa); });
