#include "outside/runtime/ErrorVB.h"

#include <utility>

namespace vb {

ErrorVB::ErrorVB(int32_t numero, QString descripcion, QString fuente)
    : Number(numero), Description(std::move(descripcion)), Source(std::move(fuente)) {
    texto_ = QString("%1: %2").arg(Number).arg(Description).toStdString();
}

namespace {
QString descripcionEstandar(int32_t numero) {
    switch (numero) {
        case 5:
            return "Llamada a procedimiento o argumento no válido";
        case 6:
            return "Desbordamiento";
        case 9:
            return "El subíndice está fuera del intervalo";
        case 11:
            return "División por cero";
        case 13:
            return "No coinciden los tipos";
        case 91:
            return "Variable de objeto o bloque With no establecido";
        default:
            return QString("Error %1 definido por la aplicación o el objeto").arg(numero);
    }
}
}  // namespace

void Raise(int32_t numero, const QString& descripcion, const QString& fuente) {
    throw ErrorVB(numero, descripcion.isEmpty() ? descripcionEstandar(numero) : descripcion, fuente);
}

}  // namespace vb
