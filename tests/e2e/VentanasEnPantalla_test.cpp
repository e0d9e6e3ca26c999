// Every window of both programs opens whole on its screen, at the usual font, at 150 % and 200 %,
// and at 200 % scaling, on 1280x1024 and on 1024x768: every window, opened the way a user opens
// it, tried in every configuration.
#include "e2e/VentanasDelPrograma.h"
#include "support/Pantallas.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QFileDialog>

namespace {

class EveryWindowOnTheScreen : public ::testing::TestWithParam<Ventana> {};

TEST_P(EveryWindowOnTheScreen, OpensWholeAndUsableAtEveryFontAndScreenSize) {
    const Ventana& ventana = GetParam();
    for (const Configuracion& c : kConfiguraciones) {
        SCOPED_TRACE(c.nombre);
        QScreen* pantalla = PantallaDePrueba(c.pantalla);
        if (!pantalla) GTEST_SKIP() << "sin las pantallas de la suite";
        const LetraEscalada letra(c.letra);
        int vistas = 0;
        ventana.abre(pantalla, [&](QWidget* w) {
            ++vistas;
            ASSERT_NE(w, nullptr);
            if (w->windowType() == Qt::Popup) {
                // A list below its box: on the screen, a few rows high.
                const QRect area = pantalla->availableGeometry();
                EXPECT_TRUE(area.contains(w->frameGeometry()));
                EXPECT_LT(w->height(), area.height() / 2);
                return;
            }
            EXPECT_TRUE(EnteraEnPantalla(w, pantalla, ventana.recienAbierta));
            // Qt's own file dialog shortens its paths on purpose.
            if (!qobject_cast<QFileDialog*>(w)) {
                EXPECT_TRUE(ValoresEnteros(w));
            }
        });
        EXPECT_EQ(vistas, 1);
        QApplication::processEvents();
    }
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, EveryWindowOnTheScreen, ::testing::ValuesIn(VentanasDelPrograma()),
                         [](const ::testing::TestParamInfo<Ventana>& i) { return std::to_string(i.index); });

}  // namespace
