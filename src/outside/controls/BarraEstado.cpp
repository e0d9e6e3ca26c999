#include "outside/controls/BarraEstado.h"

#include "outside/runtime/ErrorVB.h"

#include <QLabel>

namespace {
constexpr int32_t kElementoNoEncontrado = 35601;
}

BarraEstado::BarraEstado(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(false);
}

QLabel* BarraEstado::AgregaPanel(const QString& clave, const QString& texto, bool estira) {
    auto* etiqueta = new QLabel(texto, this);
    etiqueta->setObjectName(clave);
    etiqueta->setFrameShape(QFrame::StyledPanel);
    etiqueta->setFrameShadow(QFrame::Sunken);
    // Permanent widgets keep their panels where they are: showMessage never covers them.
    addPermanentWidget(etiqueta, estira ? 1 : 0);
    paneles_.append({clave, etiqueta});
    return etiqueta;
}

QLabel* BarraEstado::Panel(const QString& clave) const {
    for (const Entrada& e : paneles_)
        if (e.clave.compare(clave, Qt::CaseInsensitive) == 0) return e.etiqueta;
    return nullptr;
}

bool BarraEstado::ExistePanel(const QString& clave) const {
    return Panel(clave) != nullptr;
}

QLabel* BarraEstado::exigir(const QString& clave) const {
    QLabel* etiqueta = Panel(clave);
    if (!etiqueta) vb::Raise(kElementoNoEncontrado, "Elemento no encontrado", "BarraEstado");
    return etiqueta;
}

QString BarraEstado::Texto(const QString& clave) const {
    return exigir(clave)->text();
}

void BarraEstado::setTexto(const QString& clave, const QString& texto) {
    exigir(clave)->setText(texto);
}

QStringList BarraEstado::Claves() const {
    QStringList claves;
    for (const Entrada& e : paneles_) claves << e.clave;
    return claves;
}
