// Each program's first window started with a till the company does not know: it shows the number
// it was given in its status bar and never writes a till row. A new program's window is covered
// by adding a row.
#include "accounts/CuentasDePrueba.h"
#include "outside/controls/BarraEstado.h"
#include "outside/runtime/Programa.h"
#include "support/Control.h"
#include "support/VentanaIndices.h"

#include <gtest/gtest.h>

namespace {

const char* const kCajas = "SELECT IdCajas, Descripcion FROM TA_CAJAS ORDER BY 1";

// Starts the program's window (its own test fixture) with "@Caja=7" and checks its status bar and
// the till table.
template <class Ventana>
void ArrancaConCajaDesconocida() {
    Ventana v;
    vb::App().Command.replace("@Caja=1;", "@Caja=7;");
    const QList<QStringList> cajas = v.base().filas(kCajas);
    v.Iniciar();
    EXPECT_EQ(Control<BarraEstado>(v.f(), "sbStatusBar")->Texto("CAJA"), "7 ");
    EXPECT_EQ(v.base().filas(kCajas), cajas);
    EXPECT_TRUE(v.guion().preguntas().isEmpty());
}

struct Arranque {
    const char* programa;
    void (*prueba)();
};

const Arranque kArranques[] = {
    {"plancuentas", ArrancaConCajaDesconocida<CuentasDePrueba>},
    {"indajuste", ArrancaConCajaDesconocida<VentanaIndices>},
};

class UnknownTillAtStartUp : public ::testing::TestWithParam<Arranque> {};

}  // namespace

TEST_P(UnknownTillAtStartUp, IsShownAndNeverRegistered) {
    GetParam().prueba();
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, UnknownTillAtStartUp, ::testing::ValuesIn(kArranques),
                         [](const auto& info) { return std::string(info.param.programa); });
