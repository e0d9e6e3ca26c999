#include "outside/maker/EnlaceControles.h"

#include "outside/controls/CajaTexto.h"

#include <QApplication>
#include <QWidget>

namespace maker {

namespace {

QString columnaDe(const vb::CajaTexto* c) {
    return c->DataField.trimmed();
}

bool tomaFoco(const QWidget* w) {
    return w->isEnabled() && w->isVisibleTo(w->window()) && (w->focusPolicy() & Qt::TabFocus) &&
           !w->focusProxy();
}

}  // namespace

EnlaceControles& gEnlaceControles() {
    static EnlaceControles instancia;
    return instancia;
}

void EnlaceControles::IniciaControles(QWidget* formulario, int modo) const {
    if (!formulario || modo == kModoConfigurar) return;
    for (vb::CajaTexto* caja : formulario->findChildren<vb::CajaTexto*>())
        if (!columnaDe(caja).isEmpty()) caja->clear();
}

bool EnlaceControles::TeclaSalida(int codigoTecla) const {
    return codigoTecla == vb::vbKeyReturn || codigoTecla == vb::vbKeyEscape || codigoTecla == vb::vbKeyUp ||
           codigoTecla == vb::vbKeyDown;
}

void EnlaceControles::MueveFoco(int codigoTecla, QWidget* desde) const {
    const bool adelante = codigoTecla == vb::vbKeyReturn || codigoTecla == vb::vbKeyDown;
    if (!adelante && codigoTecla != vb::vbKeyUp) return;
    if (!desde) desde = QApplication::focusWidget();
    if (!desde) return;
    QWidget* w = desde;
    // The focus chain is a ring; one turn at most.
    for (;;) {
        w = adelante ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == desde) return;
        if (w->window() == desde->window() && tomaFoco(w)) break;
    }
    w->setFocus(adelante ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

void EnlaceControles::FiltraTecla(QWidget*, int&) const {}

void EnlaceControles::EnlazaControles(const QList<vb::CajaTexto*>& cajas, const QString& tabla,
                                      const QString& /*conexion*/) const {
    for (vb::CajaTexto* caja : cajas)
        if (caja && !columnaDe(caja).isEmpty()) caja->setProperty("TablaEnlazada", tabla);
}

int EnlaceControles::CampoEnlazado(const QString& columna, const QList<vb::CajaTexto*>& cajas) const {
    for (int i = 0; i < cajas.size(); ++i)
        if (cajas[i] && columnaDe(cajas[i]).compare(columna.trimmed(), Qt::CaseInsensitive) == 0) return i;
    return -1;
}

}  // namespace maker
