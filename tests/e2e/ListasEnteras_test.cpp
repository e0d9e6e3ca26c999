// The chart's list boxes ("Título", "Índice", "Medio de Pago", "Moneda") show whichever entry they
// hold whole with the account tree attached beside them, at every font and screen size; so do the
// other forms' list boxes, as every window is walked.
#include "accounts/CuentasDePrueba.h"
#include "outside/controls/BarraBotones.h"
#include "support/Control.h"
#include "support/Pantallas.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QRegularExpression>

#include <algorithm>

namespace {

// The entries of a list to show in turn: every one, or in a long list the five widest as shown.
QList<int> Entradas(const QComboBox* lista) {
    static const QRegularExpression oculto(QStringLiteral(" {50}.*$"));
    QList<int> entradas;
    for (int i = 0; i < lista->count(); ++i) entradas << i;
    if (entradas.size() <= 20) return entradas;
    auto ancho = [lista](int i) {
        return lista->fontMetrics().horizontalAdvance(lista->itemText(i).remove(oculto));
    };
    std::sort(entradas.begin(), entradas.end(), [&](int a, int b) { return ancho(a) > ancho(b); });
    return entradas.first(5);
}

TEST(ChartListBoxes, ShowTheirEntryWholeWithTheTreeAttachedAtEveryFontAndScreen) {
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
        EXPECT_TRUE(ValoresEnteros(&f));
        for (const char* nombre : {"Combo1", "CmbIndices", "CmbMP", "CmbMoneda"}) {
            auto* lista = Control<QComboBox>(f, nombre);
            ASSERT_TRUE(lista->isVisible()) << nombre;
            for (int i : Entradas(lista)) {
                lista->setCurrentIndex(i);
                QApplication::processEvents();
                EXPECT_TRUE(ValoresEnteros(&f)) << nombre << " " << i;
            }
            // "Ninguno" hides the currency.
            lista->setCurrentIndex(lista == Control<QComboBox>(f, "CmbMP") ? 7 : 0);
        }
        EXPECT_GT(Control<QComboBox>(f, "Combo1")->count(), 100);
        EXPECT_TRUE(EnteraEnPantalla(&f, pantalla, false));
    }
}

}  // namespace
