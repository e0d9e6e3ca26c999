#pragma once
// Where the connection gets the engines from.
#include "outside/ado/Proveedor.h"

#include <memory>

namespace ado {

std::unique_ptr<ado::Proveedor> CrearProveedorOdbc();

}  // namespace ado
