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

// Removes every table marker "@Admin_" written before a name, letter case ignored; quoted texts keep
// theirs.
QString QuitaMarca(const QString& sentencia);
// The statement marks a name (outside its quoted texts).
bool TieneMarca(const QString& sentencia);

using ado::DuplicaApostrofes;

// A number as a statement writes it: "." as decimal separator, whatever the locale.
QString NumeroSQL(double valor);

}  // namespace db_texto
