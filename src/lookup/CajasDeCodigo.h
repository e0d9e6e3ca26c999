#pragma once
// The boxes of a window that hold a code, and how each one behaves as the user types, one
// behaviour for every such box of every window:
//
// - A key typed in the box opens the code search of the box's own table under it (only for a
//   box whose own tag names a table), as Rt_BusquedaCodigo places and runs it. A key that did not
//   reach the box (a function key the window took, a key of a message box released here) opens
//   nothing.
// - A box that shows an account code with "-" at each level end re-punctuates it after a letter
//   or digit that changed its text; a key that changed nothing (Ctrl+A, a selection, an arrow)
//   leaves its text and its selection alone.
// - Through the search, the box receives exactly what the user chose: a row picked, or the text
//   typed when Enter finds no row chosen; the box takes the keyboard and its own Enter runs
//   (validation and move). Escape gives the text typed back and nothing more; Tab gives it back
//   and goes on from the box; a click elsewhere leaves the box with it, and the window is told.
// - A press on a button of the window that takes no focus (a toolbar's), or a function key of the
//   window's toolbar pressed in the search, gives the text typed back to the box first: the
//   button or the key then acts on what the user typed, the key as if pressed in the box. The
//   lookup key (F5) is left to the window, which takes the search's highlighted code with it.
#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>

class QKeyEvent;
class QWidget;

namespace vb {
class BusquedaCodigo;
class CajaTexto;
}  // namespace vb

class CajasDeCodigo : public QObject {
    Q_OBJECT
  public:
    explicit CajasDeCodigo(QObject* parent = nullptr);

    // The box is served by the search control; puntua: it shows an account code re-punctuated
    // while it is typed.
    void Agrega(vb::CajaTexto* caja, vb::BusquedaCodigo* busqueda, bool puntua = false);
    // The search open over one of the boxes; null when none is.
    vb::BusquedaCodigo* BusquedaAbierta() const;
    // Closes an open search, its box keeping the text typed there and taking the keyboard.
    void Devuelve();

    // The window's handling of a box left while its search was open (a click on another control);
    // none by default.
    std::function<void(vb::CajaTexto* caja)> Dejada;

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    struct Caja {
        QPointer<vb::BusquedaCodigo> busqueda;
        bool puntua = false;
        // Keys pressed in the box and not yet released there.
        int pulsadas = 0;
        // The user changed the text since the last key released.
        bool editada = false;
    };
    void TeclaArriba(vb::CajaTexto* caja, int KeyCode, int Shift);
    void Puntua(vb::CajaTexto* caja, int KeyCode);
    void Elegido(vb::BusquedaCodigo* busqueda, const QString& codigo);
    void Perdida(vb::BusquedaCodigo* busqueda);
    // A press on a button of the open search's window that takes no focus.
    void BotonPulsado(QObject* objeto);
    // A key pressed in the open search; true when it went to the box instead.
    bool TeclaEnBusqueda(QObject* objeto, const QKeyEvent* tecla);
    // Keyed by the object, so that an event reaching a box under destruction is never cast.
    QHash<const QObject*, Caja> cajas_;
    QList<QPointer<vb::BusquedaCodigo>> busquedas_;
    // The box a key press is on its way to; it counts once the box receives it.
    vb::CajaTexto* pendiente_ = nullptr;
};
