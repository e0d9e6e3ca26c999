// Every window of both programs answers a screen reader: each input control is named by the
// caption of the label beside it (a check box by its own caption, never by its state), and every
// grid, tree and list has a name. The walk covers whatever controls a window has.
#include "e2e/VentanasDelPrograma.h"
#include "support/Pantallas.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>

namespace {

bool EsEntrada(const QWidget* w) {
    if (qobject_cast<const QScrollArea*>(w)) return false;  // a window's own scrolling
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QCheckBox*>(w) ||
           qobject_cast<const QRadioButton*>(w) || qobject_cast<const QAbstractScrollArea*>(w);
}

QString SinMarca(QString texto) {
    texto.replace(QLatin1String("&&"), QStringLiteral("\u0001")).remove(QLatin1Char('&'));
    return texto.replace(QChar(1), QLatin1Char('&')).trimmed();
}

QRect EnVentana(const QWidget* w, const QWidget* ventana) {
    return QRect(w->mapTo(ventana, QPoint()), w->size());
}

// The caption beside the control: a label of the same group on its left on the same line with no
// other control between them, or else the one just above it that is its caption; never a label that is
// another control's caption.
const QLabel* EtiquetaAlLado(QWidget* control, QWidget* ventana, const QList<QWidget*>& entradas) {
    const QRect c = EnVentana(control, ventana);
    const QLabel* mejor = nullptr;
    int distancia = 1 << 30;
    for (const QLabel* l : ventana->findChildren<QLabel*>()) {
        if (!l->isVisible() || SinMarca(l->text()).isEmpty() || (l->buddy() && l->buddy() != control))
            continue;
        const QRect r = EnVentana(l, ventana);
        const bool mismaLinea =
            std::abs(r.center().y() - c.center().y()) <= std::max(r.height(), c.height()) / 2;
        if (mismaLinea && r.right() <= c.left() + 2 && l->parentWidget() == control->parentWidget()) {
            bool tapada = false;
            for (const QWidget* e : entradas) {
                const QRect o = EnVentana(e, ventana);
                if (e != control && o.left() >= r.right() && o.right() <= c.left() &&
                    std::abs(o.center().y() - c.center().y()) <= c.height())
                    tapada = true;
            }
            if (!tapada && c.left() - r.right() < distancia) {
                mejor = l;
                distancia = c.left() - r.right();
            }
        } else if (!mejor && l->buddy() == control && r.bottom() <= c.top() + 2 &&
                   c.top() - r.bottom() < 40 && r.left() >= c.left() - 10 && r.left() < c.right()) {
            mejor = l;
        }
    }
    return mejor;
}

testing::AssertionResult NombresDeControles(QWidget* ventana) {
    QList<QWidget*> entradas;
    for (QWidget* w : ventana->findChildren<QWidget*>()) {
        if (w->isVisible() && EsEntrada(w) && !EsParteDeOtroControl(w, ventana)) entradas << w;
    }
    for (QWidget* c : std::as_const(entradas)) {
        QAccessibleInterface* interfaz = QAccessible::queryAccessibleInterface(c);
        const QString nombre = interfaz ? interfaz->text(QAccessible::Name).trimmed() : QString();
        const std::string quien = c->objectName().toStdString() + " (" + c->metaObject()->className() + ")";
        if (nombre.isEmpty()) return testing::AssertionFailure() << quien << " no tiene nombre";
        if (nombre == "SI" || nombre == "NO")
            return testing::AssertionFailure() << quien << " se lee por su estado: " << nombre.toStdString();
        QString esperado;
        if (const QLabel* l = EtiquetaAlLado(c, ventana, entradas))
            esperado = SinMarca(l->text());
        else if (auto* b = qobject_cast<QAbstractButton*>(c))
            esperado = SinMarca(b->text());
        if (!esperado.isEmpty() && nombre != esperado)
            return testing::AssertionFailure() << quien << " se llama \"" << nombre.toStdString()
                                               << "\" junto a \"" << esperado.toStdString() << "\"";
    }
    return testing::AssertionSuccess();
}

class EveryWindowByName : public ::testing::TestWithParam<Ventana> {};

TEST_P(EveryWindowByName, EveryControlIsNamedByItsCaptionAndEveryListHasAName) {
    const Ventana& ventana = GetParam();
    QScreen* pantalla = PantallaDePrueba("1280x1024");
    if (!pantalla) GTEST_SKIP() << "sin las pantallas de la suite";
    int vistas = 0;
    ventana.abre(pantalla, [&](QWidget* w) {
        ++vistas;
        ASSERT_NE(w, nullptr);
        // Qt's own file dialog names its controls in its own way.
        if (!qobject_cast<QFileDialog*>(w)) {
            EXPECT_TRUE(NombresDeControles(w));
        }
    });
    EXPECT_EQ(vistas, 1);
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, EveryWindowByName, ::testing::ValuesIn(VentanasDelPrograma()),
                         [](const ::testing::TestParamInfo<Ventana>& i) { return std::to_string(i.index); });

}  // namespace
