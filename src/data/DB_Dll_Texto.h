#pragma once
// Text rules that the database object's members share: case-blind searches, the table marker
// and SQL literals.
#include <QString>
#include "outside/ado/TextoSql.h"

namespace db_texto {

// VB InStr > 0 with text comparison.
inline bool Contiene(const QString& texto, const QString& palabra) {
    return texto.contains(palabra, Qt::CaseInsensitive);
}

// Removes every table marker "@Admin_", letter case ignored.
inline QString QuitaMarca(QString texto) {
    return texto.remove("@Admin_", Qt::CaseInsensitive);
}

using ado::DuplicaApostrofes;

// A number as a statement writes it: "." as decimal separator, whatever the locale.
QString NumeroSQL(double valor);

}  // namespace db_texto
