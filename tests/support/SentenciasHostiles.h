#pragma once
// What a hostile text puts after a query to have it run through a recordset: a statement for every
// word that can begin one in the company server's dialect (its batch separator GO too), and for the
// embedded engine's own statement words.
#include <QList>
#include <QString>
#include <QStringList>

struct SentenciaHostil {
    QString palabra;
    QString sentencia;
    bool delDialecto = true;  // a word of the server's dialect, not only of the embedded engine
};

// `copia`: where a statement would write a copy of the company file.
inline QList<SentenciaHostil> SentenciasHostiles(const QString& copia) {
    const QStringList dialecto{
        "ADD",        "ALTER",       "BACKUP",  "BEGIN",   "BREAK",      "BULK",     "CHECKPOINT", "CLOSE",
        "COMMIT",     "CONTINUE",    "CREATE",  "DBCC",    "DEALLOCATE", "DECLARE",  "DELETE",     "DENY",
        "DISABLE",    "DROP",        "DUMP",    "ELSE",    "ENABLE",     "END",      "EXEC",       "EXECUTE",
        "FETCH",      "GET",         "GO",      "GOTO",    "GRANT",      "IF",       "INSERT",     "KILL",
        "LINENO",     "LOAD",        "MERGE",   "MOVE",    "OPEN",       "PRINT",    "RAISERROR",  "READTEXT",
        "RECEIVE",    "RECONFIGURE", "RESTORE", "RETURN",  "REVERT",     "REVOKE",   "ROLLBACK",   "SAVE",
        "SELECT",     "SEND",        "SET",     "SETUSER", "SHUTDOWN",   "THROW",    "TRUNCATE",   "UPDATE",
        "UPDATETEXT", "USE",         "WAITFOR", "WHILE",   "WITH",       "WRITETEXT"};
    const QString aCopia = "'" + QString(copia).replace("'", "''") + "'";
    // Where the word alone would do nothing to see, a statement that writes.
    const QList<SentenciaHostil> conEfecto{
        {"INSERT", "INSERT INTO TA_USUARIOS (NOMBRE, GRUPO, Administrador) VALUES ('INTRUSO', 'G', 1)"},
        {"UPDATE", "UPDATE TA_USUARIOS SET Administrador = 1"},
        {"DELETE", "DELETE FROM TA_USUARIOS"},
        {"DROP", "DROP TABLE TA_USUARIOS"},
        {"CREATE", "CREATE TABLE COPIA_USUARIOS (NOMBRE varchar(30))"},
        {"ALTER", "ALTER TABLE TA_USUARIOS ADD INTRUSO int NULL"},
        {"TRUNCATE", "TRUNCATE TABLE TA_USUARIOS"},
        {"MERGE",
         "MERGE TA_USUARIOS USING TA_USUARIOS S ON 1 = 1 WHEN MATCHED THEN UPDATE SET Administrador = 1"},
        {"WITH", "WITH C AS (SELECT 1 AS X) UPDATE TA_USUARIOS SET Administrador = 1"},
        {"BEGIN", "BEGIN TRANSACTION"},
        {"SELECT", "SELECT * FROM TA_USUARIOS"},
        {"REPLACE",
         "REPLACE INTO TA_USUARIOS (NOMBRE, GRUPO, UNegocio, Administrador) VALUES ('OPERADOR', "
         "'OPERADORES', '   1', 1)",
         false},
        {"VACUUM", "VACUUM INTO " + aCopia, false},
        {"ATTACH", "ATTACH DATABASE " + aCopia + " AS COPIA", false},
        {"PRAGMA", "PRAGMA user_version = 7", false},
        {"ANALYZE", "ANALYZE", false},
        {"REINDEX", "REINDEX", false},
        {"SAVEPOINT", "SAVEPOINT P", false},
        {"RELEASE", "RELEASE P", false},
        {"DETACH", "DETACH DATABASE COPIA", false},
        {"EXPLAIN", "EXPLAIN DELETE FROM TA_USUARIOS", false},
    };
    QList<SentenciaHostil> todas;
    for (const QString& w : dialecto) {
        QString sentencia = w + " TA_USUARIOS";
        for (const SentenciaHostil& h : conEfecto)
            if (h.palabra == w) sentencia = h.sentencia;
        todas.append({w, sentencia});
    }
    for (const SentenciaHostil& h : conEfecto)
        if (!h.delDialecto) todas.append(h);
    return todas;
}

// The ways a second statement is put after the first: a batch separator, a line break, nothing.
inline const QStringList& Separadores() {
    static const QStringList separadores{"\r\nGO\r\n", "\r\n", " "};
    return separadores;
}
