#pragma once
// The index window's saves as rows of the save tables (support/Grabacion.h): a typed index, the
// year "Grabar" and the year "Borrar".
#include "support/Grabacion.h"

#include <memory>

namespace grabaciones {

std::unique_ptr<Grabacion> IndiceTecleado();
std::unique_ptr<Grabacion> AnioGrabado();
std::unique_ptr<Grabacion> AnioBorrado();

}  // namespace grabaciones
