#include "outside/controls/BarraBotones.h"

#include "outside/controls/Aceleradores.h"

#include <QAction>
#include <QSignalBlocker>

namespace vb {

BarraBotones::BarraBotones(QWidget* parent) : QToolBar(parent) {
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    // The button the keyboard is on shows it, whatever the window's skin.
    setStyleSheet(
        QStringLiteral("QToolButton:focus { border: 2px dashed palette(highlight); border-radius: 3px; }"));
}

QAction* BarraBotones::AgregaBoton(const QString& texto, bool dosEstados) {
    auto* boton = addAction(texto);
    boton->setToolTip(texto);
    boton->setCheckable(dosEstados);
    connect(boton, &QAction::triggered, this, [this, boton] { Q_EMIT ButtonClick(boton); });
    if (QWidget* vista = widgetForAction(boton)) vista->setFocusPolicy(Qt::TabFocus);
    botones_ << boton;
    return boton;
}

void BarraBotones::showEvent(QShowEvent* e) {
    QToolBar::showEvent(e);
    if (conAceleradores_) return;
    conAceleradores_ = true;
    // The letter goes on the caption shown; the button's text, which the window's handler reads,
    // stays as given.
    QSet<QChar> usadas = LetrasUsadas(window());
    for (QAction* b : std::as_const(botones_)) b->setIconText(ConAcelerador(b->text(), usadas));
}

QAction* BarraBotones::Buttons(int i) const {
    return i >= 1 && i <= botones_.size() ? botones_.at(i - 1) : nullptr;
}

int BarraBotones::Value(int i) const {
    QAction* b = Buttons(i);
    return b && b->isChecked() ? 1 : 0;
}

void BarraBotones::setValue(int i, int valor) {
    if (QAction* b = Buttons(i)) {
        const QSignalBlocker bloqueo(b);
        b->setChecked(valor != 0);
    }
}

void BarraBotones::Pulsa(int i) {
    QAction* b = Buttons(i);
    if (b && b->isVisible() && b->isEnabled()) b->trigger();
}

}  // namespace vb
