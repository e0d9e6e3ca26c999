#include "outside/controls/AccesoInmediato.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QShortcutEvent>

namespace vb {

namespace {

class AccesoInmediato : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* receptor, QEvent* evento) override {
        if (evento->type() != QEvent::Shortcut) return false;
        auto* boton = qobject_cast<QAbstractButton*>(receptor);
        const auto* atajo = static_cast<QShortcutEvent*>(evento);
        // Only the button's own letter; a shared one, or a button that cannot act, is Qt's.
        if (!boton || atajo->isAmbiguous() || atajo->key() != boton->shortcut() || !boton->isEnabled())
            return false;
        const QPointer<QAbstractButton> vivo(boton);
        if (boton->focusPolicy() & Qt::ClickFocus) {
            const QWidget* destino = boton;
            while (destino->focusProxy()) destino = destino->focusProxy();
            boton->setFocus(Qt::ShortcutFocusReason);
            // The field it left kept the keyboard (its check refused the move): no click, as a
            // click is not completed then either.
            if (!vivo || boton->window()->focusWidget() != destino) return true;
        }
        if (vivo && vivo->isEnabled() && vivo->isVisible()) vivo->click();
        return true;
    }
};

}  // namespace

void InstalaAccesoInmediato() {
    static QPointer<AccesoInmediato> instalado;
    if (instalado || !qApp) return;
    instalado = new AccesoInmediato(qApp);
    qApp->installEventFilter(instalado);
}

}  // namespace vb
