#pragma once
// Texts pasted into a statement. The one place that doubles apostrophes, so that a value can
// never end its literal early, whichever layer builds the statement.
#include <QString>

namespace ado {

// The value with every apostrophe doubled, ready to stand between apostrophes.
inline QString DuplicaApostrofes(QString valor) {
    return valor.replace(QLatin1Char('\''), QStringLiteral("''"));
}

// The value as a quoted text literal: 'O''Higgins'.
inline QString LiteralTexto(const QString& valor) {
    return QLatin1Char('\'') + DuplicaApostrofes(valor) + QLatin1Char('\'');
}

}  // namespace ado
