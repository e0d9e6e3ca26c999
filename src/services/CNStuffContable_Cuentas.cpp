// The globals the account windows share.
#include "services/CNStuffContable.h"

namespace CNStuffContable {

QString gCuentaActual;
bool gCancelaArbol = false;

}  // namespace CNStuffContable
