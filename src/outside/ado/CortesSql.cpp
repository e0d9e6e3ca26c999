#include "outside/ado/CortesSql.h"

#include "outside/ado/sqlite/Lexico.h"

#include <QSet>
#include <QStringList>

namespace ado {

using sqlite::Clase;
using sqlite::Piezas;

namespace {

// Index of the first token of the clause at the outer level, or -1.
qsizetype PiezaDeClausula(const Piezas& ps, const QStringList& palabras) {
    if (palabras.isEmpty()) return -1;
    int profundidad = 0;
    for (qsizetype i = 0; i < ps.size(); ++i) {
        if (ps[i].es(Clase::AbreParen)) {
            ++profundidad;
            continue;
        }
        if (ps[i].es(Clase::CierraParen)) {
            if (profundidad > 0) --profundidad;
            continue;
        }
        if (profundidad > 0 || i + palabras.size() > ps.size()) continue;
        bool coincide = true;
        for (qsizetype k = 0; coincide && k < palabras.size(); ++k)
            coincide = ps[i + k].esPalabra(palabras[k]);
        if (coincide) return i;
    }
    return -1;
}

QStringList Palabras(QStringView clausula) {
    return clausula.toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

}  // namespace

qsizetype PosicionClausula(QStringView sql, QStringView clausula) {
    const Piezas ps = sqlite::Tokenizar(sql);
    const qsizetype i = PiezaDeClausula(ps, Palabras(clausula));
    return i < 0 ? -1 : ps[i].inicio;
}

qsizetype PosicionCola(QStringView sql) {
    const Piezas ps = sqlite::Tokenizar(sql);
    qsizetype i = PiezaDeClausula(ps, {QStringLiteral("GROUP"), QStringLiteral("BY")});
    if (i < 0) i = PiezaDeClausula(ps, {QStringLiteral("ORDER"), QStringLiteral("BY")});
    return i < 0 ? sql.size() : ps[i].inicio;
}

QString TextoPropio(QStringView sql) {
    Piezas ps = sqlite::Tokenizar(sql);
    for (sqlite::Pieza& p : ps)
        if (p.es(Clase::Texto)) p.texto = QStringLiteral("''");
    return sqlite::Unir(ps);
}

namespace {

// Every word that can begin a statement of the company server's dialect, and its batch separator.
const QSet<QString>& PalabrasDeSentencia() {
    static const QSet<QString> palabras{
        "ADD",        "ALTER",       "BACKUP",  "BEGIN",   "BREAK",      "BULK",     "CHECKPOINT", "CLOSE",
        "COMMIT",     "CONTINUE",    "CREATE",  "DBCC",    "DEALLOCATE", "DECLARE",  "DELETE",     "DENY",
        "DISABLE",    "DROP",        "DUMP",    "ELSE",    "ENABLE",     "END",      "EXEC",       "EXECUTE",
        "FETCH",      "GET",         "GO",      "GOTO",    "GRANT",      "IF",       "INSERT",     "KILL",
        "LINENO",     "LOAD",        "MERGE",   "MOVE",    "OPEN",       "PRINT",    "RAISERROR",  "READTEXT",
        "RECEIVE",    "RECONFIGURE", "RESTORE", "RETURN",  "REVERT",     "REVOKE",   "ROLLBACK",   "SAVE",
        "SELECT",     "SEND",        "SET",     "SETUSER", "SHUTDOWN",   "THROW",    "TRUNCATE",   "UPDATE",
        "UPDATETEXT", "USE",         "WAITFOR", "WHILE",   "WITH",       "WRITETEXT"};
    return palabras;
}

// Never in a read: SELECT ... INTO makes a table, and these functions hand a text of their own to
// another server.
const QSet<QString>& PalabrasQueEscriben() {
    static const QSet<QString> palabras{"INTO", "OPENQUERY", "OPENROWSET", "OPENDATASOURCE"};
    return palabras;
}

// Where a word of the list still belongs to one query: a SELECT that opens it, a subquery or
// an arm of a UNION; the SELECT a common table expression leads to; WITH as a table hint or in
// TOP ... WITH TIES, GROUP BY ... WITH ROLLUP; ELSE and END of a CASE.
bool PerteneceALaConsulta(const Piezas& ps, qsizetype i, bool conTablaComun, int casos, bool& principal) {
    const sqlite::Pieza& p = ps[i];
    const sqlite::Pieza* antes = i > 0 ? &ps[i - 1] : nullptr;
    const sqlite::Pieza* despues = i + 1 < ps.size() ? &ps[i + 1] : nullptr;
    if (p.esPalabra(u"SELECT")) {
        if (!antes || antes->es(Clase::AbreParen)) return true;
        static const QSet<QString> uniones{"UNION", "ALL", "EXCEPT", "INTERSECT"};
        if (sqlite::EsUnaDe(*antes, uniones)) return true;
        // WITH C AS (...) SELECT: once.
        if (conTablaComun && !principal && antes->es(Clase::CierraParen)) return principal = true;
        return false;
    }
    if (p.esPalabra(u"WITH")) {
        if (!antes) return true;
        if (!despues) return false;
        static const QSet<QString> siguen{"TIES", "ROLLUP", "CUBE"};
        return despues->es(Clase::AbreParen) || sqlite::EsUnaDe(*despues, siguen);
    }
    if (p.esPalabra(u"ELSE") || p.esPalabra(u"END")) return casos > 0;
    return false;
}

}  // namespace

bool ConsultaDeLectura(QStringView sql) {
    const Piezas ps = sqlite::Tokenizar(sql);
    qsizetype n = ps.size();
    // Semicolons may close the statement, with nothing after them.
    while (n > 0 && ps[n - 1].es(Clase::PuntoYComa)) --n;
    if (n == 0) return false;
    const bool conTablaComun = ps[0].esPalabra(u"WITH");
    if (!conTablaComun && !ps[0].esPalabra(u"SELECT")) return false;
    bool principal = false;
    int casos = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const sqlite::Pieza& p = ps[i];
        if (p.es(Clase::PuntoYComa)) return false;
        if (p.clase != Clase::Palabra) continue;
        // After a "." the server reads a name (T.SET), or refuses the whole text.
        if (i > 0 && ps[i - 1].es(Clase::Punto)) continue;
        if (p.esPalabra(u"CASE")) ++casos;
        if (sqlite::EsUnaDe(p, PalabrasQueEscriben())) return false;
        if (!sqlite::EsUnaDe(p, PalabrasDeSentencia())) continue;
        if (!PerteneceALaConsulta(ps, i, conTablaComun, casos, principal)) return false;
        if (p.esPalabra(u"END")) --casos;
    }
    // A common table expression that leads to no SELECT of its own writes or does nothing.
    return !conTablaComun || principal;
}

}  // namespace ado
