#pragma once
// How a script is cut into statements for an Oracle connection (DB_Dll::EjecutaScriptSQL).
#include <QList>
#include <QString>

namespace guion_oracle {

// Drops SET NOCOUNT and GO separators and carriage returns, and turns the transaction
// statements into "SET TRANSACTION", "COMMIT" and "ROLLBACK".
QString Normalizar(const QString& guion);

struct Pieza {
    int inicio = 0;  // where the piece starts in the normalised script
    QString texto;   // blanks and line breaks trimmed
};

// The pieces of a normalised script: each runs from a statement keyword (case-blind, also at
// the end of a longer word) to the next one. Text before the first keyword is dropped.
QList<Pieza> Cortar(const QString& normalizado);

}  // namespace guion_oracle
