#pragma once
// Whether the logged user may see an account: an administrator sees every code, anyone else only
// the codes of his restricted view of the chart. The companion forms show and write nothing for
// a code he may not see, and tell him only that the account is missing.
#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "services/CNStuffContable.h"

#include <QString>

namespace account_extras {

inline bool CuentaAlAlcance(const QString& cuenta) {
    DB_Dll& db = CNStuffContable::gBaseDatos();
    const QString codigo = cuenta.trimmed();
    if (db.gEsAdmin || codigo.isEmpty()) return true;
    // MA_CUENTAS is read through the user's restricted view.
    return db.ExisteEnTabla("MA_CUENTAS", codigo, "CODIGO");
}

}  // namespace account_extras
