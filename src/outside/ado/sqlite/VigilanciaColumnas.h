#pragma once
// The server refuses a text longer than its column (8152) and a number its column cannot hold
// (8115), and stores a date written as the program writes it as a date. On the embedded engine
// each connection gets temporary triggers that do the same for every table.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

struct sqlite3;

namespace ado::sqlite {

struct ColumnaDeclarada {
    QString nombre;
    QString tipo;  // as declared: "varchar(5)", "decimal(18, 2)"
};

// The statements that set up the checks of these columns of a table. `sufijo` tells apart the
// checks of a column added later from those of the table.
QStringList SentenciasDeVigilancia(const QString& tabla, const QList<ColumnaDeclarada>& columnas,
                                   bool conRowid = true, const QString& sufijo = QString());

// Sets up the checks of every table of the open database (of those `incluir` takes, when given)
// on a connection that has none of them yet.
void VigilarColumnas(sqlite3* db, const std::function<bool(const QString& tabla)>& incluir = {});

}  // namespace ado::sqlite
