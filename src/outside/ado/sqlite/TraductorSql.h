#pragma once
// The program writes its statements in the company server's dialect; the embedded engine runs
// them after this rewrite. The program never sees the rewritten text.
#include "outside/ado/sqlite/ExtensionesSqlite.h"

#include <QList>
#include <QString>

namespace ado::sqlite {

struct SentenciaTraducida {
    QString sql;       // for the embedded engine
    QString original;  // as the program wrote it
};

// Splits a batch into statements and translates each one. Statements end at ";", at a "GO" line,
// or, as the company server accepts, at a line break where a new statement starts
// ("BEGIN TRANSACTION \r\r\rINSERT ...\rUPDATE ...\r"). Statements that translate to nothing
// (SET NOCOUNT ON, blank ones) are left out. Translations are cached by text.
QList<SentenciaTraducida> TraducirLote(const QString& lote);

// Translates one statement; empty when it has no meaning for the engine.
QString TraducirSentencia(const QString& sentencia);

// The translated query reading `columna` first, before its own columns; a sort by a column's
// position still sorts by the column it named. Empty when the query does not begin with SELECT.
QString ConColumnaDelante(const QString& traducida, const QString& columna);

// Which columns of a translated query are, in some arm of it, a text function's result (LTRIM,
// SUBSTRING, a CONVERT to a text type, ...) or texts joined, by position; a "*" ends what can be known. Their
// values are texts however they look, also after a sort or a UNION has dropped what marked them.
QList<bool> ColumnasDeTexto(const QString& traducida);

}  // namespace ado::sqlite
