#include "indices/ArchivoPerdido.h"

#include "data/DB_Dll.h"
#include "services/CNStuffContable.h"

namespace indices {

bool ArchivoPerdido() {
    auto& db = CNStuffContable::gBaseDatos();
    if (db.gCnn->State() == ado::adStateOpen) return false;
    db.ReintentaConectar();
    if (db.gOpenFlag) return false;
    // A query's own recovery asks the question and reconnects once the file is back.
    ado::RecordsetPtr rs;
    QString sql = "SELECT COUNT(*) AS filas FROM MA_INDAJUSTE";
    db.AbrirRecordset(sql, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
    db.CierraRecordset(rs);
    return true;
}

}  // namespace indices
