#include "services/Module1.h"

namespace Module1 {

void ActualizaCuenta() {}

}  // namespace Module1
