#pragma once
// The additional data's saves as rows of the save tables (support/Grabacion.h): a new record, a
// changed one and a delete, each in the window the chart opens for the account it shows.
#include "support/Grabacion.h"

#include <memory>

namespace grabaciones {

std::unique_ptr<Grabacion> DatosAdicionalesNuevos();
std::unique_ptr<Grabacion> DatosAdicionalesModificados();
std::unique_ptr<Grabacion> DatosAdicionalesBorrados();

}  // namespace grabaciones
