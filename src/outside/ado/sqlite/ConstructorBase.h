#pragma once
// Builds company database files for the embedded engine from SQL scripts written in plain SQLite
// SQL (the schema and demo scripts of sql/, a test's own rows). Used by the creabase tool and by tests.
#include <QString>
#include <QStringList>

struct sqlite3;

namespace ado::sqlite {

// Replaces `destino` by a new database made by running the files and then the texts, in order, in
// one transaction. On failure nothing is left at `destino` and `error` (when given) says which
// statement failed, in which file and line, and the engine's reason.
bool ConstruirBase(const QString& destino, const QStringList& archivosSql, const QStringList& textosSql,
                   QString* error);

// The scripts of a folder in the order they run: "esquema.sql" then each "esquema_*.sql" by name
// (the schema), and with `conDemo` "demo.sql" then each "demo_*.sql" by name (the demo company).
// Each subsystem keeps its own tables and rows in files of its own.
QStringList GuionesBase(const QString& carpeta, bool conDemo);

// Opens an existing database file, never creating it, with the engine's collation and functions
// registered and, with `conControles`, the column checks a connection of the program has (setting
// them up costs more than the rest of the opening). Returns null and fills `error` when it cannot.
sqlite3* AbrirBaseExistente(const QString& ruta, QString* error, bool conControles = true);

}  // namespace ado::sqlite
