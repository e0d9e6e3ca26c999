// Showing a record: the one part of the binder that reads the database.
#include "outside/ado/Field.h"
#include "outside/ado/Recordset.h"
#include "outside/maker/EnlaceControles.h"
#include "outside/maker/Utilidades.h"

#include "outside/controls/CajaTexto.h"

namespace maker {

void EnlaceControles::MuestraRegistro(const QList<vb::CajaTexto*>& cajas, ado::Recordset& rs) const {
    const bool hayFila = rs.State() == ado::adStateOpen && !rs.Bof() && !rs.Eof();
    for (vb::CajaTexto* caja : cajas) {
        if (!caja) continue;
        const QString columna = caja->DataField.trimmed();
        if (columna.isEmpty()) continue;
        if (!hayFila) {
            caja->clear();
            continue;
        }
        const int i = rs.fields().indiceDe(columna);
        if (i >= 0) caja->setText(gUtilidades().TextoCampo(rs.fields().Item(i).Value()));
    }
}

}  // namespace maker
