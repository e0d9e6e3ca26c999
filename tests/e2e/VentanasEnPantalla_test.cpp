// Every window of both programs opens whole on its screen, at the usual font, at 150 % and 200 %,
// and at 200 % scaling, on 1280x1024 and on 1024x768: every window, opened the way a user opens
// it, tried in every configuration.
#include "e2e/VentanasDelPrograma.h"
#include "outside/controls/AnchoDeListas.h"
#include "support/Pantallas.h"

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTreeView>

#include <algorithm>

namespace {

// The list of a list box, dropped, shows each entry whole inside the screen: as wide as its widest
// entry, or as the screen when that is wider.
testing::AssertionResult EntradasEnteras(QComboBox* lista) {
    QAbstractItemView* vista = lista->view();
    QWidget* desplegable = vista->window();
    const QRect area = lista->screen()->availableGeometry();
    if (!area.contains(desplegable->frameGeometry()))
        return testing::AssertionFailure()
               << lista->objectName().toStdString() << ": la lista sale de la pantalla";
    const int margen = 2 * (vista->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, vista) + 1);
    for (int i = 0; i < lista->count(); ++i) {
        const QString visible = vb::ParteVisible(lista->itemText(i));
        const QModelIndex indice = lista->model()->index(i, lista->modelColumn(), lista->rootModelIndex());
        // What lies past the list's edge is not seen; an entry cut short with an ellipsis shows
        // part of what it shows.
        const QRect fila = vista->visualRect(indice);
        const int lugar =
            std::min(fila.right(), vista->viewport()->width() - 1) - std::max(fila.left(), 0) + 1 - margen;
        const int entera = vista->fontMetrics().horizontalAdvance(lista->itemText(i));
        const int texto = vista->textElideMode() != Qt::ElideNone && entera > fila.width() - margen
                              ? entera
                              : vista->fontMetrics().horizontalAdvance(visible);
        if (!visible.isEmpty() && texto > lugar && desplegable->width() < area.width())
            return testing::AssertionFailure()
                   << lista->objectName().toStdString() << " muestra \"" << visible.trimmed().toStdString()
                   << "\" (" << texto << " px) en " << lugar << " px de una lista de " << desplegable->width()
                   << " px";
    }
    return testing::AssertionSuccess();
}

// Every list box of the window, given the keyboard (which brings it into view), its list dropped
// and closed again.
testing::AssertionResult ListasEnteras(QWidget* ventana) {
    for (QComboBox* lista : ventana->findChildren<QComboBox*>()) {
        if (!lista->isVisible() || !lista->isEnabled() || lista->count() == 0) continue;
        lista->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        lista->showPopup();
        QApplication::processEvents();
        const testing::AssertionResult enteras = EntradasEnteras(lista);
        lista->hidePopup();
        QApplication::processEvents();
        if (!enteras) return enteras;
    }
    return testing::AssertionSuccess();
}

// Every tree of the window shows its labels whole, or scrolls them sideways with a scroll bar of its
// own that the window shows.
testing::AssertionResult ArbolesLegibles(QWidget* ventana) {
    for (QTreeView* arbol : ventana->findChildren<QTreeView*>()) {
        if (!arbol->isVisible() || arbol->header()->length() <= arbol->viewport()->width()) continue;
        QScrollBar* barra = arbol->horizontalScrollBar();
        auto* area = ventana->findChild<QScrollArea*>("vb_desplazamiento", Qt::FindDirectChildrenOnly);
        QWidget* vista = area ? area->viewport() : ventana;
        const QRect lugar(barra->mapTo(vista, QPoint()), barra->size());
        if (barra->isVisible() && vista->rect().contains(lugar)) continue;
        return testing::AssertionFailure()
               << arbol->objectName().toStdString() << " muestra rótulos de " << arbol->header()->length()
               << " px en " << arbol->viewport()->width() << " px, sin barra a la vista";
    }
    return testing::AssertionSuccess();
}

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
                if (auto* lista = qobject_cast<QComboBox*>(w->parentWidget())) {
                    EXPECT_TRUE(EntradasEnteras(lista));
                }
                return;
            }
            EXPECT_TRUE(EnteraEnPantalla(w, pantalla, ventana.recienAbierta));
            // Qt's own file dialog shortens its paths on purpose.
            if (!qobject_cast<QFileDialog*>(w)) {
                EXPECT_TRUE(ValoresEnteros(w));
                EXPECT_TRUE(ListasEnteras(w));
                EXPECT_TRUE(ArbolesLegibles(w));
            }
        });
        EXPECT_EQ(vistas, 1);
        QApplication::processEvents();
    }
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, EveryWindowOnTheScreen, ::testing::ValuesIn(VentanasDelPrograma()),
                         [](const ::testing::TestParamInfo<Ventana>& i) { return std::to_string(i.index); });

}  // namespace
