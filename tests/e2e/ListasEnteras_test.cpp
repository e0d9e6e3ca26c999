// The chart's list boxes ("Título", "Índice", "Medio de Pago", "Moneda") show each of their entries
// whole with the account tree attached beside them, at every font and screen size; so do the
// other forms' list boxes, as every window is walked.
#include "accounts/CuentasDePrueba.h"
#include "outside/controls/BarraBotones.h"
#include "support/Control.h"
#include "support/Pantallas.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>

namespace {

TEST(ChartListBoxes, ShowEveryEntryWholeWithTheTreeAttachedAtEveryFontAndScreen) {
    for (const Configuracion& c : kConfiguraciones) {
        SCOPED_TRACE(c.nombre);
        QScreen* pantalla = PantallaDePrueba(c.pantalla);
        if (!pantalla) GTEST_SKIP() << "sin las pantallas de la suite";
        const LetraEscalada letra(c.letra);
        CuentasDePrueba v;
        v.Iniciar(pantalla);
        auto& f = v.f();
        Control<vb::BarraBotones>(f, "Tbar")->Pulsa(6);  // "Adjuntar Jerarquías"
        v.EscribirCodigo("11030100104");
        // All four shown: a payment means brings the currency, an adjustable account its index.
        Control<QComboBox>(f, "CmbMP")->setCurrentIndex(7);
        if (!Control<QCheckBox>(f, "CHKAjustable")->isChecked())
            Control<QCheckBox>(f, "CHKAjustable")->click();
        QApplication::processEvents();
        for (const char* lista : {"Combo1", "CmbIndices", "CmbMP", "CmbMoneda"}) {
            ASSERT_TRUE(Control<QComboBox>(f, lista)->isVisible()) << lista;
        }
        EXPECT_GT(Control<QComboBox>(f, "Combo1")->count(), 100);
        EXPECT_TRUE(ValoresEnteros(&f));
        EXPECT_TRUE(EnteraEnPantalla(&f, pantalla, false));
    }
}

}  // namespace
