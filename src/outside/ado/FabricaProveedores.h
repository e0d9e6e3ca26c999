#pragma once
// Creates the providers a connection chooses between.
#include "outside/ado/Proveedor.h"

#include <memory>

namespace ado {

// Defined beside the ODBC provider.
std::unique_ptr<Proveedor> CrearProveedorOdbc();
std::unique_ptr<Proveedor> CrearProveedorSqlite();

}  // namespace ado
