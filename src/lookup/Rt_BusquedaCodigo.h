#pragma once
// The code search of an entry box: a key released in the box lays the code-search control over
// it (20 twips above its top, in form coordinates), hands it the box's table and text, runs the
// search and writes the control's code back into the box. Near the window's edge the list goes
// above the box, or is shortened, so that it is seen whole.
#include <QString>

namespace vb {
class BusquedaCodigo;
class CajaTexto;
}  // namespace vb

namespace Rt_BusquedaCodigo {

// Modo "0" places the control where the box lies in the form, "1" at the box's own
// coordinates. The box's own Tag names the table searched, whatever the control searched
// before; a box without one opens nothing. Shift is the key's shift state (1 Shift, 2 Ctrl,
// 4 Alt): a key released with Ctrl or Alt, or over a selection, opens nothing. Failing steps are
// skipped.
void MuestraBusquedaCodigo(vb::BusquedaCodigo* control, vb::CajaTexto* TextBox, int KeyCode,
                           const QString& Modo, int Shift = 0);

}  // namespace Rt_BusquedaCodigo
