#include "outside/runtime/Pantalla.h"

#include "outside/controls/AnchoDeListas.h"
#include "outside/controls/NombresAccesibles.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QLayout>
#include <QMargins>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <functional>

namespace vb {

namespace {

// The scroll area a window's contents move into when the window is larger than the screen.
const char* const kDesplazamiento = "vb_desplazamiento";
const char* const kTamDeseado = "vb_tamDeseado";
const char* const kTamPuesto = "vb_tamPuesto";
const char* const kVigiaMarco = "vb_vigiaMarco";
const char* const kDevuelveTeclado = "vb_devuelveTeclado";
const char* const kVigiaMinimo = "vb_vigiaMinimo";

bool Expuesta(const QWidget* v) {
    return v->isVisible() && v->windowHandle() && v->windowHandle()->isExposed();
}

bool Enmarcable(const QWidget* v) {
    const Qt::WindowType tipo = v->windowType();
    return tipo != Qt::Popup && tipo != Qt::ToolTip && tipo != Qt::SplashScreen &&
           !(v->windowFlags() & Qt::FramelessWindowHint);
}

// The window manager's frame around the window: as it is once the window is on screen; before
// that, as another window of the program has it, or a title line and a thin border.
QMargins Marco(QWidget* v, bool* conocido) {
    *conocido = Expuesta(v);
    if (!Enmarcable(v)) return {};
    if (*conocido) return v->windowHandle()->frameMargins();
    for (QWidget* otra : QApplication::topLevelWidgets()) {
        if (otra == v || !Expuesta(otra) || !Enmarcable(otra)) continue;
        const QMargins m = otra->windowHandle()->frameMargins();
        if (!m.isNull()) return m;
    }
    const int borde = 4;
    return {borde, v->fontMetrics().height() + 12, borde, borde};
}

// The least size the window's contents take, in the style and font they are drawn with: its
// layout's, or, placed by hand, room for every control where it was put.
QSize Minimo(QWidget* v) {
    v->ensurePolished();
    if (QLayout* capa = v->layout()) {
        capa->activate();
        return v->minimumSize().expandedTo(capa->totalMinimumSize());
    }
    const QRect controles = v->childrenRect();
    return v->minimumSize().expandedTo(QSize(controles.right() + 1, controles.bottom() + 1));
}

// The frame moved the least it takes to lie inside the area (its top-left corner inside at least).
QRect DentroDe(QRect marco, const QRect& area) {
    marco.moveLeft(
        std::clamp(marco.left(), area.left(), std::max(area.left(), area.right() + 1 - marco.width())));
    marco.moveTop(
        std::clamp(marco.top(), area.top(), std::max(area.top(), area.bottom() + 1 - marco.height())));
    return marco;
}

// The room a window's client area has on the screen inside a frame. At a fractional scaling the
// screen's size and the window's place in the program's units are rounded, possibly up: two units
// less keep the window inside the real screen.
QSize Libre(const QScreen* pantalla, const QMargins& m) {
    const QRect area = pantalla->availableGeometry();
    const qreal escala = pantalla->devicePixelRatio();
    const int redondeo = std::abs(escala - std::round(escala)) > 0.01 ? 2 : 0;
    return {std::max(0, area.width() - m.left() - m.right() - redondeo),
            std::max(0, area.height() - m.top() - m.bottom() - redondeo)};
}

// Puts the window's frame at a point of the screen. The client area is placed, at the given margins
// from that point: the frame a widget remembers may still be the one it had before the window
// manager framed it, and a frame position read through it would lose the title bar.
void MarcoEn(QWidget* v, QPoint esquina, const QMargins& m) {
    v->setGeometry(QRect(esquina + QPoint(m.left(), m.top()), v->size()));
}

bool Cabe(QSize tam, QSize libre) {
    return tam.width() <= libre.width() && tam.height() <= libre.height();
}

// Watches the contents of a window that scroll: when they ask for more room, the window takes what
// the screen still has, once their layout has settled.
class CrecimientoContenido : public QObject {
  public:
    CrecimientoContenido(QWidget* ventana, QObject* dueno) : QObject(dueno), ventana_(ventana) {}

  protected:
    bool eventFilter(QObject*, QEvent* evento) override {
        if (evento->type() == QEvent::LayoutRequest && !pendiente_) {
            pendiente_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    pendiente_ = false;
                    if (ventana_) MantieneEnPantalla(ventana_);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

  private:
    QPointer<QWidget> ventana_;
    bool pendiente_ = false;
};

// Watches a window whose contents do not scroll: when they come to need more room than the screen
// has (a list box grown for a longer entry), the window is kept on the screen and they scroll.
class VigiaMinimo : public QObject {
  public:
    explicit VigiaMinimo(QWidget* ventana) : QObject(ventana), ventana_(ventana) {
        setObjectName(kVigiaMinimo);
        ventana->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (objeto == ventana_ && evento->type() == QEvent::LayoutRequest && !pendiente_) {
            pendiente_ = true;
            QMetaObject::invokeMethod(
                this, [this] { Revisa(); }, Qt::QueuedConnection);
        }
        return false;
    }

  private:
    void Revisa();
    QPointer<QWidget> ventana_;
    bool pendiente_ = false;
};

// The part of a control the keyboard is on, in the control's coordinates: a list's current row, a
// grid's current cell; nothing for a control that is all one part.
QRect ParteConTeclado(const QWidget* control) {
    if (const auto* vista = qobject_cast<const QAbstractItemView*>(control)) {
        const QRect r = vista->visualRect(vista->currentIndex());
        return r.isValid() ? r.translated(vista->viewport()->pos()) : QRect();
    }
    if (qobject_cast<const QAbstractScrollArea*>(control))
        return control->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    return {};
}

// Scrolls the window's contents to the control with the keyboard: whole, or its beginning when it
// is wider or taller than half the view (only when it has just taken the keyboard, `llega`: after
// a key inside so large a control the user may be scrolling the view); and to the part of it the
// keyboard is on, whole.
void MuestraFoco(QScrollArea* area, QWidget* control, bool llega) {
    if (!control || !area->widget() || !area->widget()->isAncestorOf(control)) return;
    const QPoint origen = control->mapTo(area->widget(), QPoint());
    const QSize mitad = area->viewport()->size() / 2;
    if (llega || (control->width() <= mitad.width() && control->height() <= mitad.height())) {
        const QRect r(origen, control->size().boundedTo(mitad));
        area->ensureVisible(r.center().x(), r.center().y(), r.width() / 2 + 4, r.height() / 2 + 4);
    }
    const QRect parte = ParteConTeclado(control).intersected(control->rect());
    if (parte.isEmpty()) return;
    const QRect p = parte.translated(origen);
    area->ensureVisible(p.center().x(), p.center().y(), p.width() / 2 + 2, p.height() / 2 + 2);
}

// The view follows the keyboard: to the control that takes it, and after each key and click
// inside the window's contents, and each change of their size, to the part with the keyboard (an arrow moves
// a grid's current cell without moving the focus). A control that took the keyboard during the key is shown
// again once the key is done: Qt's own Tab handling centres a wide control meanwhile.
class SigueAlTeclado : public QObject {
  public:
    explicit SigueAlTeclado(QScrollArea* area) : QObject(area), area_(area) {
        qApp->installEventFilter(this);
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* ahora) {
            llegado_ = ahora;
            MuestraFoco(area_, ahora, true);
        });
    }

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        const auto tipo = evento->type();
        // A key or a click begins: only a control it gives the keyboard to counts as arriving.
        if (tipo == QEvent::KeyPress || tipo == QEvent::MouseButtonPress) llegado_ = nullptr;
        // Contents that grew or shrank (a tree attached) may have moved the control away.
        const bool cambio = tipo == QEvent::Resize && objeto == area_->widget();
        if ((tipo == QEvent::KeyRelease || tipo == QEvent::MouseButtonRelease || cambio) && !pendiente_) {
            QWidget* foco = QApplication::focusWidget();
            if (foco && area_->widget() && area_->widget()->isAncestorOf(foco)) {
                pendiente_ = true;
                QMetaObject::invokeMethod(
                    this,
                    [this] {
                        pendiente_ = false;
                        QWidget* foco = QApplication::focusWidget();
                        MuestraFoco(area_, foco, foco == llegado_);
                        llegado_ = nullptr;
                    },
                    Qt::QueuedConnection);
            }
        }
        return false;
    }

  private:
    QScrollArea* area_;
    QPointer<QWidget> llegado_;
    bool pendiente_ = false;
};

// A tree whose labels scroll sideways in its own view, among contents that scroll, would keep its
// scroll bar out of sight below them: it takes its labels' width instead, and the window's contents
// scroll to show them.
void ArbolesEnteros(QWidget* contenido) {
    for (QTreeView* arbol : contenido->findChildren<QTreeView*>()) {
        QHeaderView* cabecera = arbol->header();
        if (cabecera->stretchLastSection() || arbol->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff)
            continue;
        auto ajusta = [arbol, cabecera] {
            arbol->setMinimumWidth(cabecera->length() + 2 * arbol->frameWidth() +
                                   arbol->verticalScrollBar()->sizeHint().width());
        };
        // A label shown later (a node expanded) widens the labels as the tree lays them out.
        QObject::connect(cabecera, &QHeaderView::sectionResized, arbol, ajusta);
        QObject::connect(arbol->horizontalScrollBar(), &QScrollBar::rangeChanged, arbol, ajusta);
        ajusta();
    }
}

// The window's contents go into a scroll area that fills it, so the window can be smaller than
// they are. The controls keep their parents' order, their places and the focus.
void Desplaza(QWidget* v) {
    if (v->findChild<QScrollArea*>(kDesplazamiento, Qt::FindDirectChildrenOnly)) return;
    const QPointer<QWidget> foco = v->focusWidget();
    const QSize minimo = Minimo(v);
    auto* contenido = new QWidget;
    contenido->setObjectName("vb_contenido");
    const QList<QWidget*> hijos = v->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    // The scroll area is there, by name, before anything moves: a control shown again on the way
    // may have its window kept on the screen, which must not move the contents a second time.
    auto* area = new QScrollArea(v);
    area->setObjectName(kDesplazamiento);
    // Laid out, the contents keep asking for their layout's least size; placed by hand, for the
    // window's own least size.
    if (QLayout* capa = v->layout())
        contenido->setLayout(capa);  // takes its widgets along
    else
        contenido->setMinimumSize(minimo);
    // A new parent hides a control: those shown come back once moved (the window may be on screen).
    for (QWidget* h : hijos) {
        if (h->parentWidget() != v || h->isWindow()) continue;
        const bool oculto = h->isHidden();
        h->setParent(contenido);
        if (!oculto) h->show();
    }
    area->setFrameShape(QFrame::NoFrame);
    // The area is no control of the user's: Tab passes it by, and the window's keys reach the
    // form from wherever the keyboard is.
    area->setFocusPolicy(Qt::NoFocus);
    area->setWidgetResizable(true);
    area->setWidget(contenido);
    v->setMinimumSize(0, 0);
    v->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    auto* capa = new QVBoxLayout(v);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(area);
    if (v->isVisible()) area->show();
    if (foco && foco->window() == v) foco->setFocus();
    // Contents that grow later (a control shown, a longer value) take the room the screen still has.
    contenido->installEventFilter(new CrecimientoContenido(v, area));
    new SigueAlTeclado(area);
    ArbolesEnteros(contenido);
}

// What scrolling contents ask of their window: all the room the screen has in the way they scroll,
// and the other way room for the scroll bar too. Nothing for contents that do not scroll.
QSize ParaDesplazar(QWidget* v, QSize libre) {
    auto* d = v->findChild<QScrollArea*>(kDesplazamiento, Qt::FindDirectChildrenOnly);
    if (!d || !d->widget()) return {};  // none, or still being filled
    const QSize contenido = d->widget()->minimumSizeHint().expandedTo(d->widget()->minimumSize());
    // One scroll bar takes room from the other way and may call for the other bar.
    const int barra = d->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, d);
    bool horizontal = false, vertical = false;
    for (int vuelta = 0; vuelta < 2; ++vuelta) {
        horizontal = contenido.width() + (vertical ? barra : 0) > libre.width();
        vertical = contenido.height() + (horizontal ? barra : 0) > libre.height();
    }
    return (contenido + QSize(vertical ? barra : 0, horizontal ? barra : 0)).boundedTo(libre);
}

void VigiaMinimo::Revisa() {
    pendiente_ = false;
    if (!ventana_ || !ventana_->isVisible() || !ventana_->screen() || ContenidoDesplazable(ventana_)) return;
    bool conocido = false;
    const QMargins m = Marco(ventana_, &conocido);
    if (!Cabe(Minimo(ventana_), Libre(ventana_->screen(), m))) MantieneEnPantalla(ventana_);
}

void Coloca(QWidget* v, QScreen* pantalla, const QMargins& m) {
    const QRect area = pantalla->availableGeometry();
    const QSize libre = Libre(pantalla, m);
    // The size the window asks for the first time it is placed: its designed size, or its
    // contents' when it has none; a later placing (the real frame known) starts from it again.
    // A window its program resized since is placed at that size.
    QSize deseado = v->property(kTamDeseado).toSize();
    if (!deseado.isValid() || v->size() != v->property(kTamPuesto).toSize()) {
        if (!v->testAttribute(Qt::WA_Resized)) v->adjustSize();
        deseado = v->size().expandedTo(Minimo(v));
        v->setProperty(kTamDeseado, deseado);
    }
    if (!Cabe(Minimo(v), libre))
        Desplaza(v);
    else if (!v->findChild<QObject*>(kVigiaMinimo, Qt::FindDirectChildrenOnly))
        new VigiaMinimo(v);
    if (QLayout* capa = v->layout()) capa->activate();
    deseado = deseado.expandedTo(ParaDesplazar(v, libre));
    const QSize tam = deseado.boundedTo(libre).expandedTo(v->minimumSize()).boundedTo(v->maximumSize());
    v->resize(tam);
    QRect marco(QPoint(), v->size().grownBy(m));
    marco.moveCenter(area.center());
    MarcoEn(v, DentroDe(marco, area).topLeft(), m);
    v->setProperty(kTamPuesto, v->size());
}

// Runs once when the window is exposed, when the window manager has framed it.
class VigiaMarco : public QObject {
  public:
    VigiaMarco(QWidget* ventana, std::function<void()> accion)
        : QObject(ventana), ventana_(ventana), accion_(std::move(accion)) {
        setObjectName(kVigiaMarco);
        if (ventana->windowHandle())
            ventana->windowHandle()->installEventFilter(this);
        else
            ventana->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (objeto == ventana_ && evento->type() == QEvent::Show && ventana_->windowHandle()) {
            ventana_->removeEventFilter(this);
            ventana_->windowHandle()->installEventFilter(this);
        } else if (objeto != ventana_ && evento->type() == QEvent::Expose && ventana_->windowHandle() &&
                   ventana_->windowHandle()->isExposed()) {
            objeto->removeEventFilter(this);
            deleteLater();
            accion_();
        }
        return false;
    }

  private:
    QWidget* ventana_;
    std::function<void()> accion_;
};

// Runs the action on the window's exposure, unless another is already waiting for it.
void AlEnmarcarse(QWidget* v, std::function<void()> accion) {
    if (!v->findChild<QObject*>(kVigiaMarco, Qt::FindDirectChildrenOnly))
        new VigiaMarco(v, std::move(accion));
}

// A window opened beside another (a companion of the chart) gives the keyboard back, when it is
// closed while it has it, to the window it was opened from, at the control that had it there:
// without a window manager nobody else does, and the keys typed next would be lost.
class DevuelveAlCerrar : public QObject {
  public:
    DevuelveAlCerrar(QWidget* companera, QWidget* origen, QWidget* foco)
        : QObject(companera), companera_(companera), origen_(origen), foco_(foco) {
        setObjectName(kDevuelveTeclado);
        companera->installEventFilter(this);
    }
    // Another opening of the window takes over.
    void Olvida() { hecho_ = true; }
    ~DevuelveAlCerrar() override {
        // A window destroyed without being hidden first.
        Devuelve(QApplication::activeWindow() == nullptr);
    }

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (objeto == companera_ && evento->type() == QEvent::Hide && !evento->spontaneous()) {
            QWidget* activa = QApplication::activeWindow();
            Devuelve(activa == nullptr || activa == companera_);
            deleteLater();
        }
        return false;
    }

  private:
    void Devuelve(bool teniaElTeclado) {
        if (hecho_) return;
        hecho_ = true;
        if (!teniaElTeclado || !origen_ || !origen_->isVisible()) return;
        origen_->activateWindow();
        if (foco_ && foco_->window() == origen_ && foco_->isVisible() && foco_->isEnabled())
            foco_->setFocus(Qt::ActiveWindowFocusReason);
    }

    QPointer<QWidget> companera_;
    QPointer<QWidget> origen_;
    QPointer<QWidget> foco_;
    bool hecho_ = false;
};

// Remembers where the keyboard is before a window opens beside it.
void RecuerdaOrigen(QWidget* ventana) {
    QWidget* foco = QApplication::focusWidget();
    QWidget* origen = QApplication::activeWindow();
    if (!origen && foco) origen = foco->window();
    if (!origen || origen == ventana) return;
    if (!foco || foco->window() != origen) foco = origen->focusWidget();
    if (auto* antes = ventana->findChild<DevuelveAlCerrar*>(kDevuelveTeclado, Qt::FindDirectChildrenOnly)) {
        antes->Olvida();
        delete antes;
    }
    new DevuelveAlCerrar(ventana, origen, foco);
}

}  // namespace

QScreen* PantallaDe(QWidget* ventana) {
    QWidget* origen =
        ventana->parentWidget() ? ventana->parentWidget()->window() : QApplication::activeWindow();
    if (origen && origen != ventana && origen->isVisible() && origen->screen()) return origen->screen();
    return ventana->screen() ? ventana->screen() : QGuiApplication::primaryScreen();
}

void EncajaEnPantalla(QWidget* ventana) {
    if (!ventana || !ventana->isWindow()) return;
    NombraControles(ventana);
    AnchoDeListas(ventana);
    if (ventana->isMaximized() || ventana->isFullScreen()) return;
    QScreen* pantalla = PantallaDe(ventana);
    if (!pantalla) return;
    bool conocido = false;
    const QMargins m = Marco(ventana, &conocido);
    Coloca(ventana, pantalla, m);
    if (conocido) return;
    AlEnmarcarse(ventana, [ventana] {
        bool enmarcada = false;
        const QMargins marco = Marco(ventana, &enmarcada);
        if (enmarcada && ventana->screen() && !ventana->isMaximized() && !ventana->isFullScreen())
            Coloca(ventana, ventana->screen(), marco);
    });
}

bool ContenidoDesplazable(const QWidget* ventana) {
    return ventana && ventana->findChild<QScrollArea*>(kDesplazamiento, Qt::FindDirectChildrenOnly);
}

void MuestraVentana(QWidget* ventana) {
    if (!ventana) return;
    if (!ventana->isVisible()) {
        RecuerdaOrigen(ventana);
        EncajaEnPantalla(ventana);
    }
    ventana->show();
    ventana->raise();
    ventana->activateWindow();
}

void MantieneEnPantalla(QWidget* ventana) {
    if (!ventana || !ventana->isVisible() || ventana->isMaximized() || ventana->isFullScreen()) return;
    QScreen* pantalla = ventana->screen();
    if (!pantalla) return;
    bool conocido = false;
    const QMargins m = Marco(ventana, &conocido);
    if (!conocido) AlEnmarcarse(ventana, [ventana] { MantieneEnPantalla(ventana); });
    const QRect area = pantalla->availableGeometry();
    const QSize libre = Libre(pantalla, m);
    if (!ContenidoDesplazable(ventana) && !Cabe(Minimo(ventana), libre)) {
        Desplaza(ventana);
        ventana->resize(ventana->size().boundedTo(libre));
    }
    const QSize crecido = ventana->size().expandedTo(ParaDesplazar(ventana, libre));
    if (crecido != ventana->size()) ventana->resize(crecido);
    const QRect marco = ventana->geometry().marginsAdded(m);
    if (!area.contains(marco)) MarcoEn(ventana, DentroDe(marco, area).topLeft(), m);
}

}  // namespace vb
