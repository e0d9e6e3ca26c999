#include "outside/runtime/ManejadorErrores.h"

#include <utility>

namespace vb {

ManejadorErrores::ManejadorErrores(QString rutina, Reportero reportero)
    : rutina_(std::move(rutina)), reportero_(std::move(reportero)) {}

bool ManejadorErrores::paso(const std::function<void()>& paso) {
    for (;;) {
        try {
            paso();
            return true;
        } catch (const ErrorVB& e) {
            ultimo_ = e;
            respuesta_ = reportero_ ? reportero_(e, rutina_) : 0;
            if (respuesta_ == kRespuestaReintentar) continue;
            return respuesta_ == kRespuestaIgnorar;
        }
    }
}

}  // namespace vb
