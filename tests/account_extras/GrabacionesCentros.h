#pragma once
// The cost-centre distribution's save as a row of the save tables (support/Grabacion.h).
#include "support/Grabacion.h"

#include <memory>

namespace grabaciones {

std::unique_ptr<Grabacion> DistribucionDeCentros();

}  // namespace grabaciones
