#pragma once
// The maker's query viewer: a statement's rows in a read-only grid of its own window, on a
// connection opened from the connection text it is given. A statement that fails is shown as
// the error it gave, never as an empty list.
#include <QString>

class QWidget;

namespace maker {

class VisorConsulta {
  public:
    // Opens the window modeless and returns it (null when the connection does not open, after
    // telling the operator).
    static QWidget* Muestra(const QString& sentencia, const QString& conexion, const QString& titulo);
};

}  // namespace maker
