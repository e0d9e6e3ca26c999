#include "outside/runtime/ManejadorErrores.h"

#include <utility>

namespace vb {

ManejadorErrores::ManejadorErrores(QString rutina, Reportero reportero)
    : rutina_(std::move(rutina)), reportero_(std::move(reportero)) {}

bool ManejadorErrores::pregunta(const ErrorVB& e) {
    ultimo_ = e;
    respuesta_ = reportero_ ? reportero_(e, rutina_) : 0;
    return respuesta_ == kRespuestaReintentar;
}

}  // namespace vb
