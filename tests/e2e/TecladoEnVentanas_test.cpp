// Every window of both programs is usable by keyboard alone, at the usual scale and at 200 % on a
// 1024x768 screen (where contents scroll): Tab walks all its controls, stops at nothing that is no
// control and leaves each of them; every button is reached by Tab or answers a key of its own; and
// the maintenance toolbar's function keys act from wherever Tab stops.
#include "e2e/VentanasDelPrograma.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/Teclas.h"
#include "outside/controls/UtilVex.h"
#include "support/Pantallas.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QSet>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QTextEdit>

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

// Something a user works with by keyboard: a button, a box, a list, a tab, a text; never a frame,
// a panel or a scroll area around controls.
bool EsControl(const QWidget* w) {
    if (const auto* etiqueta = qobject_cast<const QLabel*>(w))
        return etiqueta->textInteractionFlags() & Qt::TextSelectableByKeyboard;
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QTabBar*>(w) ||
           qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
           qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const vb::FlexGrid*>(w);
}

// Each function key of the window's maintenance toolbars whose button is enabled, pressed where
// the keyboard is, raises its button's action, once. The lookup key is left out: over a code box
// it looks that box up. The toolbars act on nothing meanwhile (see TeclasDeBarras).
testing::AssertionResult BarrasAtiendenDesde(QWidget* ventana) {
    QWidget* foco = QApplication::focusWidget();
    for (UtilVex* barra : ventana->findChildren<UtilVex*>()) {
        if (!barra->isVisible()) continue;
        for (const QString& accion : UtilVex::Acciones()) {
            const int tecla = UtilVex::TeclaDe(accion);
            if (tecla == UtilVex::TeclaDe("CONSULTAR") || !barra->Habilitado(accion)) continue;
            QSignalSpy acciones(barra, &UtilVex::Click);
            QTest::keyClick(foco, Qt::Key(Qt::Key_F1 + tecla - vb::vbKeyF1));
            if (acciones.size() != 1 || acciones.at(0).at(0).toString() != accion)
                return testing::AssertionFailure()
                       << UtilVex::NombreTecla(tecla).toStdString() << " (" << accion.toStdString()
                       << ") desde " << Nombre(foco).toStdString() << " da " << acciones.size()
                       << " acciones";
            if (QApplication::focusWidget() != foco)
                return testing::AssertionFailure() << UtilVex::NombreTecla(tecla).toStdString()
                                                   << " mueve el foco de " << Nombre(foco).toStdString();
        }
    }
    return testing::AssertionSuccess();
}

// Where the keyboard is, in the control's coordinates: a list's current row, a grid's current
// cell, else the control (its beginning, when it is larger than half the view).
QRect ParteConTeclado(QWidget* control, QSize vista) {
    if (auto* lista = qobject_cast<QAbstractItemView*>(control); lista && lista->currentIndex().isValid())
        return lista->visualRect(lista->currentIndex()).translated(lista->viewport()->pos());
    if (auto* grilla = qobject_cast<vb::FlexGrid*>(control); grilla && grilla->CellTop() >= 0)
        return QRect(vb::PixelesDeTwips(grilla->CellLeft()), vb::PixelesDeTwips(grilla->CellTop()),
                     vb::PixelesDeTwips(grilla->CellWidth()), vb::PixelesDeTwips(grilla->CellHeight()));
    return QRect(QPoint(), control->size().boundedTo(vista / 2));
}

// In a window whose contents scroll, the view shows whole the part of the control the keyboard
// is on.
testing::AssertionResult ALaVista(QWidget* control) {
    auto* area = control->window()->findChild<QScrollArea*>("vb_desplazamiento", Qt::FindDirectChildrenOnly);
    if (!area) return testing::AssertionSuccess();
    // A current row or cell scrolled away inside its own list is the list's to show.
    QRect parte = ParteConTeclado(control, area->viewport()->size()).intersected(control->rect());
    if (parte.isEmpty()) parte = QRect(QPoint(), control->size().boundedTo(area->viewport()->size() / 2));
    parte.translate(control->mapTo(area->viewport(), QPoint()));
    if (!area->viewport()->rect().contains(parte))
        return testing::AssertionFailure()
               << Nombre(control).toStdString() << " muestra su parte con el teclado en " << parte.x() << ","
               << parte.y() << " " << parte.width() << "x" << parte.height() << ", fuera de la vista de "
               << area->viewport()->width() << "x" << area->viewport()->height();
    return testing::AssertionSuccess();
}

// The toolbars' keys are looked at without running their actions: each toolbar's action reaches
// nobody while alive (the window is closed after it, never used again).
class TeclasDeBarras {
  public:
    explicit TeclasDeBarras(QWidget* ventana) {
        for (UtilVex* barra : ventana->findChildren<UtilVex*>())
            QObject::disconnect(barra, &UtilVex::Click, nullptr, nullptr);
    }
};

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
    const TeclasDeBarras barras(ventana);
    for (int paso = 0; paso < 300; ++paso) {
        if (!EsControl(actual))
            return testing::AssertionFailure()
                   << "Tab se detiene en " << Nombre(actual).toStdString() << ", que no es un control";
        if (auto atiende = BarrasAtiendenDesde(ventana); !atiende) return atiende;
        if (auto vista = ALaVista(actual); !vista) return vista;
        if (ParadasDeTab(ventana) <= 1) break;
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
    // At 200 % a 1024x768 screen is, to the program, a 512x384 one: the contents scroll.
    for (const char* nombre : {"1024x768", "512x384"}) {
        SCOPED_TRACE(nombre);
        QScreen* pantalla = PantallaDePrueba(nombre);
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
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, EveryWindowByKeyboard, ::testing::ValuesIn(VentanasDelPrograma()),
                         [](const ::testing::TestParamInfo<Ventana>& i) { return std::to_string(i.index); });

}  // namespace
