#include "data/ServiciosAcceso.h"

namespace data {

ServiciosAcceso& gServiciosAcceso() {
    static ServiciosAcceso servicios;
    return servicios;
}

}  // namespace data
