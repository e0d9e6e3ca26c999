#pragma once
// The chart program's saves as rows of the save tables (support/Grabacion.h): a new account, a
// changed one, a delete and a delete that marks the account dada de baja, and the manual's texts.
#include "support/Grabacion.h"

#include <memory>

namespace grabaciones {

std::unique_ptr<Grabacion> CuentaNueva();
std::unique_ptr<Grabacion> CuentaModificada();
std::unique_ptr<Grabacion> CuentaBorrada();
std::unique_ptr<Grabacion> CuentaDadaDeBaja();
std::unique_ptr<Grabacion> ManualDeCuentas();

}  // namespace grabaciones
