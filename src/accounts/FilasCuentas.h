#pragma once
// The chart's list reads (tree, manual tree, code proposal) take every row of a statement at once,
// each step under the reading routine's own handler.
#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "outside/ado/Recordset.h"
#include "outside/runtime/ManejadorErrores.h"

#include <QList>
#include <QString>
#include <QVariant>

namespace cuentas {

// The rows of the statement, indexed [column][row]. False when a step left the routine or no row
// came back: the caller then stops.
inline bool LeeFilas(vb::ManejadorErrores& h, QString sql, QList<QList<QVariant>>& filas) {
    ado::RecordsetPtr rs;
    DB_Dll& db = CNStuffContable::gBaseDatos();
    if (!h.paso(
            [&] { db.AbrirRecordset(sql, rs, db.gCnn, ado::adOpenDynamic, ado::adLockReadOnly, -1, true); }))
        return false;
    bool vacio = true;
    if (!h.paso([&] { vacio = rs->Bof() && rs->Eof(); })) return false;
    if (vacio) return false;
    return h.paso([&] {
        rs->MoveFirst();
        rs->MoveLast();
        rs->MoveFirst();
        filas = rs->GetRows(rs->RecordCount());
    });
}

}  // namespace cuentas
