// Every window of both programs is usable by keyboard alone: Tab walks all its controls and
// leaves each of them, and every button is reached by Tab or answers a key of its own.
#include "e2e/VentanasDelPrograma.h"
#include "outside/controls/UtilVex.h"
#include "support/Pantallas.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QRadioButton>
#include <QSet>
#include <QTest>

namespace {

QString Nombre(const QWidget* w) {
    return w ? QStringLiteral("%1 (%2)").arg(w->objectName(), w->metaObject()->className()) : "nadie";
}

// The button answers a key without the focus: its Alt-letter, its own shortcut or, on the
// maintenance toolbar, its function key.
bool TieneTecla(const QAbstractButton* b) {
    if (!QKeySequence::mnemonic(b->text()).isEmpty() || !b->shortcut().isEmpty()) return true;
    const auto* barra = qobject_cast<const UtilVex*>(b->parentWidget());
    return barra && UtilVex::TeclaDe(b->objectName()) != 0;
}

// The controls Tab stops at.
int ParadasDeTab(QWidget* ventana) {
    int n = 0;
    for (QWidget* w : ventana->findChildren<QWidget*>())
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) ++n;
    return n;
}

// Tab from control to control until the walk comes back to where it began. A list that keeps Tab
// for its own rows and cells is its window's own way: the walk goes on past it.
testing::AssertionResult CaminaConTab(QWidget* ventana) {
    QApplication::setActiveWindow(ventana);
    QApplication::processEvents();
    QWidget* inicio = QApplication::focusWidget();
    if (!inicio || inicio->window() != ventana)
        return testing::AssertionFailure()
               << "ningún control de " << ventana->objectName().toStdString() << " tiene el teclado";
    QSet<QWidget*> visitados{inicio};
    QWidget* actual = inicio;
    for (int paso = 0; paso < 300 && ParadasDeTab(ventana) > 1; ++paso) {
        QTest::keyClick(actual, Qt::Key_Tab);
        QApplication::processEvents();
        QWidget* siguiente = QApplication::focusWidget();
        if (siguiente == actual && qobject_cast<QAbstractItemView*>(actual)) {
            QWidget* otro = actual->nextInFocusChain();
            while (otro != actual &&
                   !(otro->isVisible() && otro->isEnabled() && (otro->focusPolicy() & Qt::TabFocus)))
                otro = otro->nextInFocusChain();
            otro->setFocus(Qt::TabFocusReason);
            QApplication::processEvents();
            siguiente = QApplication::focusWidget();
        }
        if (siguiente == actual)
            return testing::AssertionFailure() << Nombre(actual).toStdString() << " no deja salir con Tab";
        if (!siguiente || siguiente->window() != ventana)
            return testing::AssertionFailure() << "Tab desde " << Nombre(actual).toStdString() << " lleva a "
                                               << Nombre(siguiente).toStdString();
        if (siguiente == inicio) break;
        visitados.insert(siguiente);
        actual = siguiente;
    }
    // A radio button is reached when its group is: the arrows choose inside it.
    QSet<QObject*> grupos;
    for (QWidget* w : std::as_const(visitados))
        if (auto* r = qobject_cast<QRadioButton*>(w)) grupos.insert(r->group() ? r->group() : r->parent());
    for (QAbstractButton* b : ventana->findChildren<QAbstractButton*>()) {
        if (!b->isVisible() || !b->isEnabled() || EsParteDeOtroControl(b, ventana) || visitados.contains(b))
            continue;
        if (auto* r = qobject_cast<QRadioButton*>(b);
            r && grupos.contains(r->group() ? r->group() : r->parent()))
            continue;
        if (b->focusPolicy() == Qt::NoFocus && TieneTecla(b)) continue;
        return testing::AssertionFailure() << Nombre(b).toStdString() << " \"" << b->text().toStdString()
                                           << "\" no se alcanza con el teclado";
    }
    return testing::AssertionSuccess();
}

class EveryWindowByKeyboard : public ::testing::TestWithParam<Ventana> {};

TEST_P(EveryWindowByKeyboard, TabReachesEveryControlAndLeavesEachAndEveryButtonHasAKey) {
    const Ventana& ventana = GetParam();
    QScreen* pantalla = PantallaDePrueba("1024x768");
    if (!pantalla) GTEST_SKIP() << "sin las pantallas de la suite";
    int vistas = 0;
    ventana.abre(pantalla, [&](QWidget* w) {
        ++vistas;
        ASSERT_NE(w, nullptr);
        // A popup list is walked by its arrows; its box is the window's.
        if (w->windowType() == Qt::Popup) return;
        EXPECT_TRUE(CaminaConTab(w));
    });
    EXPECT_EQ(vistas, 1);
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, EveryWindowByKeyboard, ::testing::ValuesIn(VentanasDelPrograma()),
                         [](const ::testing::TestParamInfo<Ventana>& i) { return std::to_string(i.index); });

}  // namespace
