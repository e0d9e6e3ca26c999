#include "outside/ado/sqlite/TraductorSql.h"
#include "outside/ado/TextoSql.h"

#include <sqlite3.h>

#include <QHash>
#include <QStringList>

#include "outside/ado/sqlite/Reescritura.h"

namespace ado::sqlite {

namespace {

// Statements differ mostly by their values; past this many the cache starts again.
constexpr qsizetype kMaximoEnCache = 4096;

QHash<QString, QString>& CacheSentencias() {
    static QHash<QString, QString> cache;
    return cache;
}

QHash<QString, QList<SentenciaTraducida>>& CacheLotes() {
    static QHash<QString, QList<SentenciaTraducida>> cache;
    return cache;
}

template <typename V>
void Guardar(QHash<QString, V>& cache, const QString& clave, const V& valor) {
    if (cache.size() >= kMaximoEnCache) cache.clear();
    cache.insert(clave, valor);
}

// Deeper than this the server refuses a statement, and so do we, long before any stack runs out.
constexpr int kProfundidadMaxima = 128;

// A statement that fails with the message when it runs: nothing of the text reaches the engine.
QString Rechazo(const QString& mensaje) {
    return "SELECT SV_ERROR(" + LiteralTexto(mensaje) + ")";
}

// Why the engine must not be given the text at all; empty when it may.
QString Inadmisible(const Piezas& ps) {
    // A stray ")" closes nothing: it never buys depth for the parentheses after it.
    int profundidad = 0;
    for (const Pieza& p : ps) {
        if (p.es(Clase::AbreParen) && ++profundidad > kProfundidadMaxima)
            return "191|Alguna parte de la instrucción SQL está anidada a demasiada profundidad. Vuelva a "
                   "escribir la consulta o divídala en consultas más pequeñas.";
        if (p.es(Clase::CierraParen) && profundidad > 0) --profundidad;
        if (p.es(Clase::Texto) && !p.textoCerrado())
            return "105|Falta la comilla de cierre después de la cadena de caracteres " +
                   LiteralTexto(p.contenidoTexto().remove(QChar(0)).left(40)) + ".";
        // The engine would end the statement there and run the part before it.
        if ((p.es(Clase::Otro) || p.es(Clase::Nombre)) && p.texto.contains(QChar(0)))
            return "102|La instrucción tiene un carácter nulo fuera de un texto entre comillas.";
    }
    return {};
}

// A syntax error in any statement of a batch: the server compiles the whole batch first and runs
// none of it. Names are not looked up here (a table the batch creates does not exist yet).
int ErrorDeSintaxis(const QList<SentenciaTraducida>& lote) {
    struct Revisor {
        sqlite3* db = nullptr;
        Revisor() { sqlite3_open(":memory:", &db); }
        ~Revisor() { sqlite3_close(db); }
    };
    thread_local Revisor revisor;
    if (!revisor.db) return -1;
    // Statements the engine does not know at all (IF, DECLARE, EXEC) are the engine's limit, not
    // the batch's fault: they fail alone, as before.
    static const QSet<QString> conocidas{"SELECT", "INSERT", "UPDATE", "DELETE",   "CREATE", "DROP",
                                         "ALTER",  "BEGIN",  "COMMIT", "ROLLBACK", "WITH",   "REPLACE"};
    for (qsizetype i = 0; i < lote.size(); ++i) {
        if (!conocidas.contains(lote[i].sql.section(u' ', 0, 0).toUpper())) continue;
        const QByteArray sql = lote[i].sql.toUtf8();
        sqlite3_stmt* st = nullptr;
        const int rc = sqlite3_prepare_v2(revisor.db, sql.constData(), int(sql.size()), &st, nullptr);
        sqlite3_finalize(st);
        if (rc == SQLITE_OK) continue;
        const QString m = QString::fromUtf8(sqlite3_errmsg(revisor.db));
        if (m.contains("syntax error") || m.startsWith("incomplete input") ||
            m.startsWith("unrecognized token"))
            return int(i);
    }
    return -1;
}

QString Traducir(Piezas ps) {
    while (!ps.isEmpty() && ps.last().es(Clase::PuntoYComa)) ps.removeLast();
    if (ps.isEmpty()) return {};
    ps = AjustarNombresYFunciones(ps);
    ps = AjustarSentencia(ps);
    if (ps.isEmpty()) return {};
    ps = TopALimit(ps);
    ps = AjustarSumas(ps);
    ps = AjustarComparaciones(ps);
    ps = AcotarLike(ps);
    // The server takes a NUL inside a quoted text; the engine would end the statement there.
    for (Pieza& p : ps)
        if (p.es(Clase::Texto) && p.texto.contains(QChar(0))) {
            QStringList partes;
            for (const QString& parte : p.contenidoTexto().split(QChar(0))) partes << LiteralTexto(parte);
            p.texto = "(" + partes.join(" || CHAR(0) || ") + ")";
        }
    return Unir(ps).trimmed();
}

bool IniciaSentencia(const Pieza& p) {
    static const QSet<QString> claves{"SELECT",  "INSERT", "UPDATE",  "DELETE", "BEGIN", "COMMIT", "ROLLBACK",
                                      "CREATE",  "DROP",   "ALTER",   "SET",    "GRANT", "REVOKE", "TRUNCATE",
                                      "DECLARE", "EXEC",   "EXECUTE", "PRINT",  "USE",   "SAVE"};
    return EsUnaDe(p, claves);
}

// Words after which a statement is not complete yet, so a keyword on the next line goes on with it.
bool PideContinuacion(const Pieza& p) {
    static const QSet<QString> claves{"UNION", "ALL",   "EXCEPT", "INTERSECT", "AS",     "AND",     "OR",
                                      "NOT",   "WHERE", "FOR",    "THEN",      "ELSE",   "EXISTS",  "INTO",
                                      "FROM",  "BY",    "IN",     "IS",        "SELECT", "DISTINCT"};
    return EsUnaDe(p, claves) || p.es(Clase::Operador) || p.es(Clase::Coma) || p.es(Clase::Punto);
}

struct Tramo {
    qsizetype desde;
    qsizetype hasta;  // excluded
};

// Where the statements of a batch start and end, in tokens. One walk on purpose: each rule for
// where a statement ends reads what the walk has seen of the statement so far.
QList<Tramo> Separar(const Piezas& ps) {
    QList<Tramo> tramos;
    const qsizetype n = ps.size();
    qsizetype inicio = 0;
    int profundidad = 0;
    // What the statement under way has shown at its outer level.
    bool conSet = false, conFilas = false, cuerpoDeIf = false;
    // CREATE TRIGGER ... BEGIN ... END holds statements of its own up to its END.
    bool enTrigger = false, conTrigger = false;
    int casos = 0;  // CASE ... END inside the trigger's body

    auto cortar = [&](qsizetype hasta, qsizetype siguiente) {
        if (hasta > inicio) tramos.append({inicio, hasta});
        inicio = siguiente;
        profundidad = 0;
        conSet = conFilas = cuerpoDeIf = enTrigger = conTrigger = false;
        casos = 0;
    };
    auto esGo = [&](qsizetype i) {
        return ps[i].esPalabra(u"GO") && (i == 0 || ps[i].iniciaLinea()) &&
               (i + 1 == n || ps[i + 1].iniciaLinea());
    };

    for (qsizetype i = 0; i < n; ++i) {
        const Pieza& p = ps[i];
        if (p.es(Clase::AbreParen)) {
            ++profundidad;
            continue;
        }
        if (p.es(Clase::CierraParen)) {
            if (profundidad > 0) --profundidad;
            continue;
        }
        if (profundidad > 0) continue;
        if (ps[inicio].esPalabra(u"CREATE") && p.esPalabra(u"TRIGGER")) conTrigger = true;
        if (conTrigger && p.esPalabra(u"BEGIN")) enTrigger = true;
        if (enTrigger) {
            if (p.esPalabra(u"CASE")) {
                ++casos;
            } else if (p.esPalabra(u"END")) {
                if (casos > 0)
                    --casos;
                else
                    enTrigger = conTrigger = false;
            }
            continue;
        }
        if (p.es(Clase::PuntoYComa)) {
            cortar(i, i + 1);
            continue;
        }
        if (esGo(i)) {
            cortar(i, i + 1);
            continue;
        }
        if (i > inicio && p.iniciaLinea() && IniciaSentencia(p)) {
            const Pieza& primera = ps[inicio];
            bool sigue = PideContinuacion(ps[i - 1]);
            // ON DELETE / ON UPDATE of a foreign key.
            if (ps[i - 1].esPalabra(u"ON") && (p.esPalabra(u"DELETE") || p.esPalabra(u"UPDATE")) &&
                !primera.esPalabra(u"SET"))
                sigue = true;
            if (p.esPalabra(u"SELECT") && primera.esPalabra(u"INSERT") && !conFilas) sigue = true;
            if (p.esPalabra(u"SET") && primera.esPalabra(u"UPDATE") && !conSet) sigue = true;
            // IF ... on one line and its statement on the next stay one (and the engine refuses it).
            if ((primera.esPalabra(u"IF") || primera.esPalabra(u"ELSE") || primera.esPalabra(u"WHILE")) &&
                !cuerpoDeIf) {
                sigue = true;
                cuerpoDeIf = true;
            }
            if (!sigue) {
                cortar(i, i);
                --i;  // look at this token again as the first of its statement
                continue;
            }
        }
        if (p.esPalabra(u"SET")) conSet = true;
        if (p.esPalabra(u"VALUES") || p.esPalabra(u"SELECT")) conFilas = true;
    }
    cortar(n, n);
    return tramos;
}

}  // namespace

QList<SentenciaTraducida> TraducirLote(const QString& lote) {
    auto& lotes = CacheLotes();
    const auto hallado = lotes.constFind(lote);
    if (hallado != lotes.constEnd()) return hallado.value();

    const Piezas ps = Tokenizar(lote);
    QList<SentenciaTraducida> r;
    if (const QString motivo = Inadmisible(ps); !motivo.isEmpty()) {
        r.append({Rechazo(motivo), lote});
        Guardar(lotes, lote, r);
        return r;
    }
    auto& sentencias = CacheSentencias();
    for (const Tramo& t : Separar(ps)) {
        const qsizetype desde = ps[t.desde].inicio;
        const QString original = lote.mid(desde, ps[t.hasta - 1].fin - desde);
        QString sql;
        const auto enCache = sentencias.constFind(original);
        if (enCache != sentencias.constEnd()) {
            sql = enCache.value();
        } else {
            sql = Traducir(ps.mid(t.desde, t.hasta - t.desde));
            Guardar(sentencias, original, sql);
        }
        if (sql.isEmpty()) continue;
        // A table's checks are set up with the statement that declares its columns.
        const Pieza& primera = ps[t.desde];
        if (primera.esPalabra(u"CREATE") || primera.esPalabra(u"ALTER"))
            if (const QStringList v = VigilanciaDeSentencia(Tokenizar(sql)); !v.isEmpty())
                sql += ";\n" + v.join(";\n");
        r.append({sql, original});
    }
    if (r.size() > 1)
        if (const int mal = ErrorDeSintaxis(r); mal >= 0) r = {r[mal]};
    Guardar(lotes, lote, r);
    return r;
}

namespace {

// Operators at the outer level of [desde, hasta), all "||" and at least one: texts joined.
bool EsUnionDeTextos(const Piezas& ps, qsizetype desde, qsizetype hasta) {
    int nivel = 0;
    bool une = false;
    for (qsizetype k = desde; k < hasta; ++k) {
        if (ps[k].es(Clase::AbreParen)) ++nivel;
        if (ps[k].es(Clase::CierraParen)) --nivel;
        if (nivel != 0 || !ps[k].es(Clase::Operador)) continue;
        if (!ps[k].esOperador(u"||")) return false;
        une = true;
    }
    return une;
}

// The expression [desde, hasta) without its name ("AS X", a name after a whole operand) and
// without a final COLLATE: a call of a function that surely gives a text, or texts joined.
bool DaTexto(const Piezas& ps, qsizetype desde, qsizetype hasta) {
    for (qsizetype k = desde; k < hasta; ++k)
        if (ps[k].esPalabra(u"AS")) hasta = k;
    for (;;) {
        if (hasta - desde >= 2 && ps[hasta - 2].esPalabra(u"COLLATE")) {
            hasta -= 2;
        } else if (hasta - desde >= 3 && EsNombre(ps[hasta - 1]) &&
                   (ps[hasta - 2].es(Clase::CierraParen) || ps[hasta - 3].esPalabra(u"COLLATE"))) {
            --hasta;  // a name after the whole call
        } else {
            break;
        }
    }
    if (EsUnionDeTextos(ps, desde, hasta)) return true;
    if (hasta - desde < 3 || !ps[desde + 1].es(Clase::AbreParen) || !ps[hasta - 1].es(Clase::CierraParen))
        return false;
    int nivel = 0;
    for (qsizetype k = desde + 1; k < hasta - 1; ++k) {
        if (ps[k].es(Clase::AbreParen)) ++nivel;
        if (ps[k].es(Clase::CierraParen) && --nivel < 0) return false;  // two operands
    }
    if (ps[desde].es(Clase::Palabra) && FuncionDeTexto(ps[desde].texto)) return true;
    return ps[desde].esPalabra(u"SV_CONVERT") && ps[desde + 2].es(Clase::Texto) &&
           EsTipoTexto(ps[desde + 2].contenidoTexto().toUpper());
}

}  // namespace

QList<bool> ColumnasDeTexto(const QString& traducida) {
    static const QSet<QString> finDeLista{"FROM",  "INTO",  "WHERE",  "GROUP",     "HAVING", "ORDER",
                                          "LIMIT", "UNION", "EXCEPT", "INTERSECT", "WINDOW"};
    const Piezas ps = Tokenizar(traducida);
    QList<bool> r;
    int nivel = 0;
    for (qsizetype i = 0; i < ps.size(); ++i) {
        if (ps[i].es(Clase::AbreParen)) ++nivel;
        if (ps[i].es(Clase::CierraParen)) --nivel;
        if (nivel != 0 || !ps[i].esPalabra(u"SELECT")) continue;
        qsizetype k = i + 1;
        if (k < ps.size() && (ps[k].esPalabra(u"DISTINCT") || ps[k].esPalabra(u"ALL"))) ++k;
        int dentro = 0;
        qsizetype inicio = k, columna = 0;
        for (; k <= ps.size(); ++k) {
            const bool fin =
                k == ps.size() || (dentro == 0 && (ps[k].es(Clase::Coma) || ps[k].es(Clase::PuntoYComa) ||
                                                   EsUnaDe(ps[k], finDeLista)));
            if (!fin) {
                if (ps[k].es(Clase::AbreParen)) ++dentro;
                if (ps[k].es(Clase::CierraParen)) --dentro;
                continue;
            }
            // Past a "*" the positions are not known.
            if (ps[k - 1].esOperador(u"*") && (k - 1 == inicio || ps[k - 2].es(Clase::Punto))) break;
            if (r.size() <= columna) r.resize(columna + 1);
            if (DaTexto(ps, inicio, k)) r[columna] = true;
            ++columna;
            if (k == ps.size() || !ps[k].es(Clase::Coma)) break;
            inicio = k + 1;
        }
        i = k - 1;
    }
    return r;
}

QString ConColumnaDelante(const QString& traducida, const QString& columna) {
    const Piezas ps = Tokenizar(traducida);
    if (ps.isEmpty() || !ps[0].esPalabra(u"SELECT")) return {};
    Edicion e(ps);
    e.insertarDespues(0, " " + columna + ",");
    // A sort by position at the outer level counts the new column too.
    int nivel = 0;
    bool enOrden = false, inicio = false;
    for (qsizetype i = 1; i < ps.size(); ++i) {
        const Pieza& p = ps[i];
        if (p.es(Clase::AbreParen)) ++nivel;
        if (p.es(Clase::CierraParen)) --nivel;
        if (nivel != 0 || p.es(Clase::CierraParen)) continue;
        if (p.esPalabra(u"ORDER") && i + 1 < ps.size() && ps[i + 1].esPalabra(u"BY")) {
            enOrden = inicio = true;
            ++i;
            continue;
        }
        if (enOrden && inicio && p.es(Clase::Numero)) {
            const bool solo = i + 1 == ps.size() || ps[i + 1].es(Clase::Coma) ||
                              ps[i + 1].es(Clase::PuntoYComa) || ps[i + 1].esPalabra(u"ASC") ||
                              ps[i + 1].esPalabra(u"DESC") || ps[i + 1].esPalabra(u"COLLATE") ||
                              ps[i + 1].esPalabra(u"LIMIT");
            bool entero = false;
            const qlonglong n = p.texto.toLongLong(&entero);
            if (solo && entero) e.cambiar(i, QString::number(n + 1));
        }
        inicio = p.es(Clase::Coma);
        if (p.esPalabra(u"LIMIT")) enOrden = false;
    }
    return Unir(e.aplicar());
}

QString TraducirSentencia(const QString& sentencia) {
    auto& sentencias = CacheSentencias();
    const auto hallado = sentencias.constFind(sentencia);
    if (hallado != sentencias.constEnd()) return hallado.value();
    const Piezas ps = Tokenizar(sentencia);
    const QString motivo = Inadmisible(ps);
    const QString sql = motivo.isEmpty() ? Traducir(ps) : Rechazo(motivo);
    Guardar(sentencias, sentencia, sql);
    return sql;
}

}  // namespace ado::sqlite
