#include "services/LBM_Common1.h"

#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"

namespace LBM_Common1 {

QString FormatoComprobante(const QString& puntoVenta, const QString& numero, const QString& letra) {
    return vb::Format(vb::Val(puntoVenta), "0000") + "-" + vb::Format(vb::Val(numero), "00000000") +
           maker::gUtilidades().AjustaLargo(letra, 1);
}

}  // namespace LBM_Common1
