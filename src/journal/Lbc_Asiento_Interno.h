#pragma once
// What the topics of the journal-entry rules share: how they open statements, how they report
// errors and how values go into statements.
#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "outside/ado/Recordset.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/ErrorVB.h"
#include "outside/runtime/ManejadorErrores.h"
#include "services/CNStuffContable.h"

#include <QString>
#include <QVariant>

namespace asiento {

// The common error report under the member's routine name (Abort, Retry, Ignore).
inline vb::Reportero Reporte() {
    return [](const vb::ErrorVB& e, const QString& rutina) {
        return CNStuffContable::MensajeError(e, 18, rutina);
    };
}

// Opens a statement through the shared database object on its connection, as every member does.
inline void Abrir(QString sql, ado::RecordsetPtr& rs, int cursor, int bloqueo) {
    DB_Dll& db = CNStuffContable::gBaseDatos();
    if (!rs) rs = ado::Recordset::Crear();
    db.AbrirRecordset(sql, rs, db.gCnn, cursor, bloqueo, -1, true);
}
inline void AbrirDinamico(const QString& sql, ado::RecordsetPtr& rs) {
    Abrir(sql, rs, ado::adOpenDynamic, ado::adLockOptimistic);
}
inline void AbrirLectura(const QString& sql, ado::RecordsetPtr& rs) {
    Abrir(sql, rs, ado::adOpenForwardOnly, ado::adLockReadOnly);
}
inline void Cerrar(ado::RecordsetPtr& rs) {
    if (rs && rs->State() != ado::adStateClosed) CNStuffContable::gBaseDatos().CierraRecordset(rs);
}

// A quoted value with its apostrophes doubled, so that the statement selects what was asked.
QString Texto(const QString& valor);
// A value for an unquoted numeric slot: trimmed, and it must read as a number; otherwise the
// type-mismatch error, handled like a failed statement.
QString Numero(const QString& valor);

// A flag is set when it is true or not zero; Null is not set.
bool Marcado(const QVariant& v);
// The field as text, Null as "".
inline QString TextoDe(const QVariant& v) {
    return maker::gUtilidades().TextoCampo(v);
}
inline QString Campo(const ado::RecordsetPtr& rs, const QString& nombre) {
    return TextoDe(rs->valor(nombre));
}

}  // namespace asiento
