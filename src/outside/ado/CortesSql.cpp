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

// Words that begin a statement of their own at the outer level.
bool IniciaSentencia(const sqlite::Pieza& p) {
    static const QSet<QString> claves{"SELECT",   "INSERT",   "UPDATE",    "DELETE", "MERGE", "BEGIN",
                                      "COMMIT",   "ROLLBACK", "SAVE",      "CREATE", "DROP",  "ALTER",
                                      "TRUNCATE", "SET",      "GRANT",     "REVOKE", "DENY",  "DECLARE",
                                      "EXEC",     "EXECUTE",  "PRINT",     "USE",    "IF",    "WHILE",
                                      "RETURN",   "WAITFOR",  "RAISERROR", "GOTO"};
    return sqlite::EsUnaDe(p, claves);
}

// The keyword at `i` goes on with the statement that starts with `primera`: the SELECT of a
// UNION, of an INSERT or of a common table expression, the SET of an UPDATE.
bool SigueLaSentencia(const Piezas& ps, qsizetype i, const sqlite::Pieza& primera, bool& usada) {
    const sqlite::Pieza& p = ps[i];
    const sqlite::Pieza& antes = ps[i - 1];
    if (antes.es(Clase::Punto)) return true;  // a qualified name: T.SET
    // ON DELETE / ON UPDATE of a foreign key.
    if (antes.esPalabra(u"ON") && (p.esPalabra(u"DELETE") || p.esPalabra(u"UPDATE"))) return true;
    if (p.esPalabra(u"SELECT") && (antes.esPalabra(u"UNION") || antes.esPalabra(u"ALL") ||
                                   antes.esPalabra(u"EXCEPT") || antes.esPalabra(u"INTERSECT")))
        return true;
    // One continuation each: INSERT ... SELECT, UPDATE ... SET, WITH ... AS (...) SELECT.
    if (usada) return false;
    const bool sigue = (primera.esPalabra(u"INSERT") && p.esPalabra(u"SELECT")) ||
                       (primera.esPalabra(u"UPDATE") && p.esPalabra(u"SET")) ||
                       (primera.esPalabra(u"WITH") && (p.esPalabra(u"SELECT") || p.esPalabra(u"INSERT") ||
                                                       p.esPalabra(u"UPDATE") || p.esPalabra(u"DELETE")));
    usada = sigue;
    return sigue;
}

bool DefineCodigo(const Piezas& ps, qsizetype primera) {
    if (!ps[primera].esPalabra(u"CREATE") && !ps[primera].esPalabra(u"ALTER")) return false;
    static const QSet<QString> codigo{"VIEW", "TRIGGER", "PROCEDURE", "PROC", "FUNCTION"};
    return primera + 1 < ps.size() && sqlite::EsUnaDe(ps[primera + 1], codigo);
}

}  // namespace

bool VariasSentencias(QStringView sql) {
    const Piezas ps = sqlite::Tokenizar(sql);
    qsizetype primera = -1;
    bool tras = false, usada = false;
    int profundidad = 0;
    for (qsizetype i = 0; i < ps.size(); ++i) {
        const sqlite::Pieza& p = ps[i];
        if (p.es(Clase::PuntoYComa)) {
            tras = true;
            continue;
        }
        if (tras) return true;
        if (primera < 0) {
            primera = i;
            continue;
        }
        if (p.es(Clase::AbreParen)) ++profundidad;
        if (p.es(Clase::CierraParen) && profundidad > 0) --profundidad;
        // A statement that defines code (a view, a trigger, a procedure) holds statements.
        if (DefineCodigo(ps, primera)) continue;
        // The server starts a new statement at its keyword, on a new line or not.
        if (profundidad == 0 && IniciaSentencia(p) && !SigueLaSentencia(ps, i, ps[primera], usada))
            return true;
    }
    return false;
}

}  // namespace ado
