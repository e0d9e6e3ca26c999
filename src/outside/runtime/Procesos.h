#pragma once
// Starting other programs (VB Shell).
#include <QString>
#include <QStringList>
#include <functional>

namespace vb {

// Starts the program without waiting for it. The window style (VB 2, 6, ...) is the window
// system's business here and is not passed on. False when the program cannot be started.
bool Shell(const QString& programa, const QStringList& argumentos, int estiloVentana);

// Who starts programs: tests record the launches instead. An empty function brings back
// the real start.
using Lanzador = std::function<bool(const QString& programa, const QStringList& argumentos)>;
void setLanzador(Lanzador lanzador);

}  // namespace vb
