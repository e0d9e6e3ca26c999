// Statement forms of the server: transactions, settings, DELETE without FROM, ALTER TABLE ADD, TOP.
#include <QStringList>

#include "outside/ado/sqlite/Reescritura.h"

namespace ado::sqlite {

namespace {

Piezas Una(const QString& texto) {
    return Tokenizar(texto);
}

bool EsNombre(const Pieza& p) {
    return p.es(Clase::Palabra) || p.es(Clase::Nombre);
}

// ALTER TABLE T ADD C type [Null | Not Null] [CONSTRAINT DF_x] [DEFAULT (v)]
Piezas AlterTableAdd(const Piezas& ps) {
    qsizetype add = 3;
    while (add < ps.size() && !ps[add].esPalabra(u"ADD")) {
        if (!EsNombre(ps[add]) && !ps[add].es(Clase::Punto)) return ps;
        ++add;
    }
    qsizetype col = add + 1;
    if (col >= ps.size()) return ps;
    if (ps[col].esPalabra(u"CONSTRAINT") || ps[col].esPalabra(u"PRIMARY") || ps[col].esPalabra(u"FOREIGN") ||
        ps[col].esPalabra(u"UNIQUE") || ps[col].esPalabra(u"CHECK"))
        return ps;  // a table constraint: the engine refuses it, as it should be told
    const std::vector<qsizetype> pareja = Parejas(ps);
    if (pareja.size() != static_cast<size_t>(ps.size())) return ps;
    Edicion e(ps);
    if (ps[col].esPalabra(u"COLUMN"))
        ++col;
    else
        e.insertarDespues(add, " COLUMN");
    const qsizetype tipo = col + 1;
    if (tipo >= ps.size() || !ps[tipo].es(Clase::Palabra)) return e.aplicar();
    qsizetype finTipo = tipo + 1;
    if (finTipo < ps.size() && ps[finTipo].es(Clase::AbreParen)) {
        const qsizetype cierra = pareja[finTipo];
        if (cierra == finTipo + 2 && ps[finTipo + 1].esPalabra(u"MAX")) e.quitar(finTipo, cierra);
        finTipo = cierra + 1;
    }
    bool conCollate = false;
    for (qsizetype i = finTipo; i < ps.size(); ++i) {
        if (ps[i].es(Clase::AbreParen)) {
            i = pareja[i];
        } else if (ps[i].esPalabra(u"NULL") && !(i > 0 && ps[i - 1].esPalabra(u"NOT"))) {
            e.quitar(i);
        } else if (ps[i].esPalabra(u"CONSTRAINT") && i + 1 < ps.size()) {
            e.quitar(i, i + 1);
            ++i;
        } else if (ps[i].esPalabra(u"COLLATE") && i + 1 < ps.size()) {
            // The server's collations all mean the company's one.
            e.cambiar(i + 1, "SERVIDOR");
            conCollate = true;
            ++i;
        }
    }
    if (!conCollate && EsTipoTexto(ps[tipo].texto.toUpper())) e.insertarAntes(finTipo, " COLLATE SERVIDOR");
    return e.aplicar();
}

}  // namespace

Piezas AjustarSentencia(const Piezas& ps) {
    if (ps.isEmpty()) return ps;
    const Pieza& primera = ps.first();
    const qsizetype n = ps.size();
    auto palabra = [&](qsizetype i) -> QString {
        return i < n && ps[i].es(Clase::Palabra) ? ps[i].texto.toUpper() : QString();
    };
    const QString segunda = palabra(1);

    if (n == 1 && primera.esPalabra(u"GO")) return {};
    if (primera.esPalabra(u"SET")) {
        static const QStringList opciones{
            "NOCOUNT",       "DATEFORMAT",   "ANSI_NULLS",   "QUOTED_IDENTIFIER",
            "ANSI_WARNINGS", "ANSI_PADDING", "ARITHABORT",   "CONCAT_NULL_YIELDS_NULL",
            "XACT_ABORT",    "LANGUAGE",     "LOCK_TIMEOUT", "DATEFIRST"};
        // The engine already reads dates as the program writes them and counts nothing aloud.
        // Only the setting alone: anything more is not one of these and is left for the engine to refuse.
        if ((opciones.contains(segunda) && n <= 3) ||
            (segunda == "TRANSACTION" && palabra(2) == "ISOLATION" && n <= 7))
            return {};
        return ps;
    }
    const bool transaccion =
        segunda.isEmpty() || segunda == "TRAN" || segunda == "TRANSACTION" || segunda == "WORK";
    const bool nombreOpcional = n <= 2 || (n == 3 && segunda != "WORK" && EsNombre(ps[2]));
    if (primera.esPalabra(u"BEGIN") && (segunda == "TRAN" || segunda == "TRANSACTION") && nombreOpcional)
        return Una("BEGIN");
    if (primera.esPalabra(u"COMMIT") && transaccion && nombreOpcional) return Una("COMMIT");
    if (primera.esPalabra(u"ROLLBACK") && transaccion && nombreOpcional) return Una("ROLLBACK");
    if (primera.esPalabra(u"DELETE") && n >= 2 && EsNombre(ps[1]) && !ps[1].esPalabra(u"FROM") &&
        !ps[1].esPalabra(u"TOP")) {
        // DELETE T FROM T JOIN ... names its target twice; only the short form gains a FROM.
        for (qsizetype i = 2; i < n; ++i)
            if (ps[i].esPalabra(u"FROM")) return ps;
        Edicion e(ps);
        e.insertarAntes(1, " FROM");
        return e.aplicar();
    }
    if (primera.esPalabra(u"TRUNCATE") && segunda == "TABLE") {
        Edicion e(ps);
        e.cambiar(0, "DELETE");
        e.cambiar(1, "FROM");
        return e.aplicar();
    }
    if (primera.esPalabra(u"ALTER") && segunda == "TABLE") return AlterTableAdd(ps);
    return ps;
}

// TOP n at each level (the statement, or a parenthesised subquery) becomes LIMIT n at that
// level's end, after its ORDER BY. TOP 100 PERCENT means every row.
Piezas TopALimit(const Piezas& ps) {
    const std::vector<qsizetype> pareja = Parejas(ps);
    if (pareja.size() != static_cast<size_t>(ps.size())) return ps;
    const qsizetype n = ps.size();
    bool hayTop = false;
    for (const Pieza& p : ps)
        if (p.esPalabra(u"TOP")) hayTop = true;
    if (!hayTop) return ps;

    Edicion e(ps);
    QList<QString> limites{QString()};  // one per open level
    for (qsizetype i = 0; i < n; ++i) {
        const Pieza& p = ps[i];
        if (p.es(Clase::AbreParen)) {
            limites.append(QString());
        } else if (p.es(Clase::CierraParen)) {
            if (!limites.last().isEmpty()) e.insertarAntes(i, " LIMIT " + limites.last());
            limites.removeLast();
        } else if (p.esPalabra(u"SELECT")) {
            qsizetype j = i + 1;
            if (j < n && (ps[j].esPalabra(u"DISTINCT") || ps[j].esPalabra(u"ALL"))) ++j;
            if (j >= n || !ps[j].esPalabra(u"TOP")) continue;
            qsizetype k = j + 1;
            QString cuantos;
            if (k < n &&
                (ps[k].es(Clase::Numero) || (ps[k].es(Clase::Palabra) && ps[k].texto.startsWith(u'@')))) {
                cuantos = ps[k].texto;
            } else if (k + 2 < n && ps[k].es(Clase::AbreParen) && pareja[k] == k + 2) {
                cuantos = ps[k + 1].texto;
                k += 2;
            } else {
                continue;
            }
            bool porciento = false;
            if (k + 1 < n && ps[k + 1].esPalabra(u"PERCENT")) {
                porciento = true;
                ++k;
            }
            if (k + 2 < n && ps[k + 1].esPalabra(u"WITH") && ps[k + 2].esPalabra(u"TIES")) k += 2;
            e.quitar(j, k);
            // A share other than the whole cannot be told ahead; every row is the safe reading.
            if (!porciento) limites.last() = cuantos;
            i = k;
        }
    }
    if (!limites.first().isEmpty()) e.insertarAntes(n, " LIMIT " + limites.first());
    return e.aplicar();
}

}  // namespace ado::sqlite
