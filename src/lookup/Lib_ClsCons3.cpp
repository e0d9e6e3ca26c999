#include "lookup/Lib_ClsCons3.h"

#include "services/CNStuffContable.h"

Lib_ClsCons3& gConsulta() {
    static Lib_ClsCons3 instancia;
    // Start-up keeps its settings in the services; take them again after each start-up only, so a
    // value set on the object itself stays until then.
    static unsigned tomada = 0;
    const CNStuffContable::AjustesConsultas& a = CNStuffContable::gAjustesConsultas();
    if (a.Generacion != tomada) {
        tomada = a.Generacion;
        instancia.gConnString = a.gConnString;
        instancia.gUsarMascarasConsultas = a.gUsarMascarasConsultas;
        instancia.gRutaMascaraConsultas = a.gRutaMascaraConsultas;
    }
    return instancia;
}
