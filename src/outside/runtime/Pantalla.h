#pragma once
// Every window opens inside its screen's available area: a window that fits is centred by its own
// size; a larger one is sized to the area, its title bar on the screen, and its contents scroll.
// Whoever shows a window places it here first, at any font and screen size, with or without a
// window manager.
class QMargins;
class QRect;
class QScreen;
class QWidget;

namespace vb {

// Places and sizes a top-level window that is about to be shown (or has just been), names its
// controls after their captions (vb::NombraControles) and makes its list boxes as wide as the
// entry they show (vb::AnchoDeListas). The window manager's frame is taken as it is once known;
// until then as another window's frame or a title line, and the window is placed again once it is
// exposed, when the frame is known.
void EncajaEnPantalla(QWidget* ventana);

// Whether the window's contents were put in a scroll area because the window is larger than its
// screen.
bool ContenidoDesplazable(const QWidget* ventana);

// Shows a modeless window placed by EncajaEnPantalla, raised and active; one already on screen
// keeps its place and is only raised. Closed while it has the keyboard, it gives it back to the
// window it was opened from, at the control that had it there.
void MuestraVentana(QWidget* ventana);

// Moves a visible window whose frame leaves its screen's available area back inside, at its size
// (a window larger than the area keeps its title bar on the screen; one whose contents scroll
// grows to the area in the way they scroll; one whose contents came to need more than the area
// gets them scrolling); again once it is framed.
void MantieneEnPantalla(QWidget* ventana);

// The screen a window opens on: that of the window it comes from (its parent, or the active
// window), else its own.
QScreen* PantallaDe(QWidget* ventana);

}  // namespace vb
