#include "outside/runtime/Procesos.h"

#include <QProcess>

namespace vb {

namespace {
Lanzador& lanzador() {
    static Lanzador l;
    return l;
}
}  // namespace

bool Shell(const QString& programa, const QStringList& argumentos, int /*estiloVentana*/) {
    if (programa.isEmpty()) return false;
    if (lanzador()) return lanzador()(programa, argumentos);
    return QProcess::startDetached(programa, argumentos);
}

void setLanzador(Lanzador l) {
    lanzador() = std::move(l);
}

}  // namespace vb
