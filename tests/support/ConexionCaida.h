#pragma once
// A fault that drops the connection the way a broken link does, on the first statement that
// contains `contiene` (every statement when it is empty).
#include "outside/ado/AdoTipos.h"
#include "outside/ado/Connection.h"

inline ado::FallaInyectada ConexionCaida(const QString& contiene = {}) {
    ado::FallaInyectada f;
    f.contiene = contiene;
    f.error = {
        "08S01", ado::kErrNoEspecificado, "Vínculo de comunicación perdido", ado::kNativoConexionPerdida, {}};
    f.cierraConexion = true;
    return f;
}
