#pragma once
// The program's icon resources, by name: image files in the folder "Iconos" beside the program
// ("<name>.png", ".svg", ".ico" or ".xpm", the name's case ignored).
#include <QIcon>
#include <QString>

namespace vb {

// The icon of that name; a null icon when the program has none.
QIcon IconoRecurso(const QString& nombre);

}  // namespace vb
