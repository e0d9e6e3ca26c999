#pragma once
// Where a statement may be cut or extended. Keywords are looked for on the statement's tokens, at
// its outer level: a quoted text, a comment, a bracketed name or a subquery never holds a clause
// of the statement itself, so a typed value can never move a cut.
#include <QString>
#include <QStringView>

namespace ado {

// Where the words of `clausula` ("order by", "group by", "where") begin as a clause of the
// statement itself, letter case and the blanks or comments between them ignored; -1 when the
// statement has none.
qsizetype PosicionClausula(QStringView sql, QStringView clausula);

inline bool TieneClausula(QStringView sql, QStringView clausula) {
    return PosicionClausula(sql, clausula) >= 0;
}

// Where a condition joins the statement: before its GROUP BY, or without one before its ORDER BY,
// or else at its end.
qsizetype PosicionCola(QStringView sql);

// What the program itself wrote: the statement with every quoted text emptied and every comment
// made a blank, for tests of words that a typed value must never pass.
QString TextoPropio(QStringView sql);

// The text is one statement that only reads, as a recordset may run: a SELECT (or WITH ... SELECT)
// in which no word that can begin a statement of the server's dialect, and no batch separator,
// stands outside the query's own places (a subquery, a UNION, a CASE's ELSE and END, a table
// hint), and nothing follows its ";". Quoted texts, bracketed names and comments never count.
bool ConsultaDeLectura(QStringView sql);

}  // namespace ado
