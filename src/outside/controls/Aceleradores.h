#pragma once
// Alt-letter accelerators for a window's field captions: each caption with a buddy box that has
// none yet gets the first letter of its text that no other caption or button of the window uses,
// so every field is reached from the keyboard.
class QWidget;

namespace vb {

void AsignaAceleradores(QWidget* ventana);

}  // namespace vb
