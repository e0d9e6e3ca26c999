#pragma once
// The chart's list reads (tree, manual tree, code proposal) take every row of a statement at once,
// straight into columns, each step under the reading routine's own handler.
#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "outside/ado/ErroresAdo.h"
#include "outside/ado/Proveedor.h"
#include "outside/runtime/ManejadorErrores.h"

#include <QList>
#include <QString>
#include <QVariant>

namespace cuentas {

// The rows of the statement, indexed [column][row]. False when a step left the routine or no row
// came back: the caller then stops.
inline bool LeeFilas(vb::ManejadorErrores& h, QString sql, QList<QList<QVariant>>& filas) {
    DB_Dll& db = CNStuffContable::gBaseDatos();
    ado::Lectura lectura;
    bool leida = false;
    if (!h.paso([&] { leida = db.LeeConsulta(sql, lectura, db.gCnn); })) return false;
    bool vacio = true;
    // A statement the database refused left nothing open to read, as a closed recordset.
    if (!h.paso([&] {
            if (!leida) ado::LanzarAdo(ado::kErrObjetoCerrado);
            vacio = lectura.filas() == 0;
        }))
        return false;
    if (vacio) return false;
    filas = std::move(lectura.valores);
    return true;
}

}  // namespace cuentas
