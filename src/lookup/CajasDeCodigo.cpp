#include "lookup/CajasDeCodigo.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "lookup/Rt_BusquedaCodigo.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/Teclas.h"
#include "outside/controls/UtilVex.h"
#include "outside/maker/Utilidades.h"
#include "services/CNStuffContable.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <utility>

namespace {

// The characters after which a code is re-punctuated; other keys leave it as it stands.
bool Puntuable(int KeyCode) {
    static const QString kReformatean =
        QString::fromUtf8("0123456789.ABCDEFGHIJKLMNÑOPQRSTUVWXYZ.abcdefghijklmnñopqrstuvwxyz");
    return KeyCode > 0 && KeyCode <= 0xFFFF && kReformatean.contains(QChar(KeyCode), Qt::CaseInsensitive);
}

// Sees every mouse press and key press of the program before its widget does: a toolbar button
// takes no focus, and a window sees its toolbar's keys before the search does, so nothing else
// tells an open search that the user went to the toolbar.
class Pulsaciones : public QObject {
  public:
    using Boton = std::function<void(QObject*)>;
    using Tecla = std::function<bool(QObject*, const QKeyEvent*)>;
    Pulsaciones(Boton boton, Tecla tecla, QObject* parent)
        : QObject(parent), boton_(std::move(boton)), tecla_(std::move(tecla)) {
        qApp->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::MouseButtonPress) boton_(objeto);
        if (evento->type() == QEvent::KeyPress) return tecla_(objeto, static_cast<QKeyEvent*>(evento));
        return false;
    }

  private:
    Boton boton_;
    Tecla tecla_;
};

}  // namespace

CajasDeCodigo::CajasDeCodigo(QObject* parent) : QObject(parent) {
    new Pulsaciones(
        [this](QObject* objeto) { BotonPulsado(objeto); },
        [this](QObject* objeto, const QKeyEvent* tecla) { return TeclaEnBusqueda(objeto, tecla); }, this);
}

void CajasDeCodigo::Agrega(vb::CajaTexto* caja, vb::BusquedaCodigo* busqueda, bool puntua) {
    if (!caja || !busqueda) return;
    Caja& c = cajas_[caja];
    c.busqueda = busqueda;
    c.puntua = puntua;
    caja->installEventFilter(this);
    // A key counts as typed in the box only once the box itself received it: the window may have
    // taken it first (its function keys).
    auto recibida = [this, caja] {
        if (pendiente_ != caja) return;
        pendiente_ = nullptr;
        ++cajas_[caja].pulsadas;
    };
    connect(caja, &vb::CajaTexto::KeyDown, this, [recibida](int&, int) { recibida(); });
    connect(caja, &vb::CajaTexto::KeyPress, this, [recibida](int&) { recibida(); });
    connect(caja, &QLineEdit::textEdited, this, [this, caja] { cajas_[caja].editada = true; });
    const QObject* clave = caja;
    connect(caja, &QObject::destroyed, this, [this, clave] { cajas_.remove(clave); });
    if (busquedas_.contains(busqueda)) return;
    busquedas_ << busqueda;
    connect(busqueda, &vb::BusquedaCodigo::CodigoElegido, this,
            [this, busqueda](const QString& codigo) { Elegido(busqueda, codigo); });
    connect(busqueda, &vb::BusquedaCodigo::LostFocus, this, [this, busqueda] { Perdida(busqueda); });
}

vb::BusquedaCodigo* CajasDeCodigo::BusquedaAbierta() const {
    for (const QPointer<vb::BusquedaCodigo>& b : busquedas_)
        if (b && b->Visible()) return b;
    return nullptr;
}

void CajasDeCodigo::Devuelve() {
    if (vb::BusquedaCodigo* b = BusquedaAbierta()) b->Devuelve();
}

void CajasDeCodigo::BotonPulsado(QObject* objeto) {
    auto* boton = qobject_cast<QAbstractButton*>(objeto);
    vb::BusquedaCodigo* b = BusquedaAbierta();
    // A button that takes the focus by the click leaves the search as any control does.
    if (!boton || !b || !boton->isEnabled() || (boton->focusPolicy() & Qt::ClickFocus) ||
        boton->window() != b->window() || b->isAncestorOf(boton))
        return;
    b->Devuelve();
}

bool CajasDeCodigo::TeclaEnBusqueda(QObject* objeto, const QKeyEvent* tecla) {
    vb::BusquedaCodigo* b = BusquedaAbierta();
    auto* foco = qobject_cast<QWidget*>(objeto);
    // Seen once, where the key lands: in the search's own text.
    if (!b || !foco || foco != QApplication::focusWidget() || !b->isAncestorOf(foco)) return false;
    const int codigo = vb::CodigoTeclaVB(tecla);
    if (codigo == vb::vbKeyF5) return false;
    // Only a key the window's toolbar acts on: any other stays in the search.
    const QString accion = UtilVex::AccionDe(codigo);
    bool actua = false;
    for (const UtilVex* barra : b->window()->findChildren<UtilVex*>())
        actua = actua || (!accion.isEmpty() && barra->Habilitado(accion));
    const QWidget* caja = b->Caja();
    if (!actua || !caja || !caja->isVisible() || !caja->isEnabled()) return false;
    b->Devuelve(tecla);
    return true;
}

bool CajasDeCodigo::eventFilter(QObject* objeto, QEvent* evento) {
    const auto it = cajas_.find(objeto);
    if (it == cajas_.end()) return QObject::eventFilter(objeto, evento);
    auto* caja = qobject_cast<vb::CajaTexto*>(objeto);
    if (!caja) return QObject::eventFilter(objeto, evento);
    switch (evento->type()) {
        case QEvent::FocusIn:
            it->pulsadas = 0;
            break;
        case QEvent::KeyPress:
            pendiente_ = caja;
            break;
        case QEvent::KeyRelease: {
            if (it->pulsadas <= 0) break;
            --it->pulsadas;
            auto* k = static_cast<QKeyEvent*>(evento);
            int codigo = vb::CodigoTeclaVB(k);
            if (codigo == 0 && !k->text().isEmpty()) codigo = k->text().at(0).toUpper().unicode();
            TeclaArriba(caja, codigo, vb::EstadoShift(k->modifiers()));
            break;
        }
        default:
            break;
    }
    return QObject::eventFilter(objeto, evento);
}

void CajasDeCodigo::TeclaArriba(vb::CajaTexto* caja, int KeyCode, int Shift) {
    Caja& c = cajas_[caja];
    const bool editada = c.editada;
    c.editada = false;
    if (c.busqueda) {
        c.busqueda->ConnectionString = CNStuffContable::gBaseDatos().gConnString;
        c.busqueda->Buscar = caja->text();
        Rt_BusquedaCodigo::MuestraBusquedaCodigo(c.busqueda, caja, KeyCode, "0", Shift);
    }
    if (c.puntua && editada) Puntua(caja, KeyCode);
}

void CajasDeCodigo::Puntua(vb::CajaTexto* caja, int KeyCode) {
    if (!Puntuable(KeyCode)) return;
    const QString puntuado =
        CNStuffContable::FormateaCuenta(maker::gUtilidades().QuitaCaracter(caja->text(), "-"));
    caja->setText(puntuado);
    caja->setSelStart(int(caja->text().trimmed().size()));
}

void CajasDeCodigo::Elegido(vb::BusquedaCodigo* busqueda, const QString& codigo) {
    auto* caja = qobject_cast<vb::CajaTexto*>(busqueda->Caja());
    if (!caja || !caja->isVisible() || !caja->isEnabled()) {
        busqueda->hide();
        return;
    }
    // The box takes the keyboard before the search goes, so that the focus never wanders.
    caja->setFocus(Qt::OtherFocusReason);
    busqueda->hide();
    caja->setText(codigo.trimmed());
    caja->end(false);
    // The box's own Enter: it validates the code and moves on, as when the code is typed there.
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(caja, &enter);
}

void CajasDeCodigo::Perdida(vb::BusquedaCodigo* busqueda) {
    busqueda->hide();
    auto* caja = qobject_cast<vb::CajaTexto*>(busqueda->Caja());
    if (!caja || QApplication::focusWidget() == caja || !cajas_.contains(caja)) return;
    if (Dejada) Dejada(caja);
}
