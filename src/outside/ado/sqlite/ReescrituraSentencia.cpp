// Statement forms of the server: transactions, settings, DELETE without FROM, ALTER TABLE ADD, TOP.
#include <QStringList>

#include "outside/ado/sqlite/Reescritura.h"
#include "outside/ado/sqlite/VigilanciaColumnas.h"

namespace ado::sqlite {

namespace {

Piezas Una(const QString& texto) {
    return Tokenizar(texto);
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

bool TerminaTipo(const Pieza& p) {
    static const QSet<QString> claves{"CONSTRAINT", "PRIMARY",  "NOT",       "NULL",
                                      "DEFAULT",    "COLLATE",  "UNIQUE",    "CHECK",
                                      "REFERENCES", "IDENTITY", "GENERATED", "AS"};
    return EsUnaDe(p, claves) || p.es(Clase::Coma) || p.es(Clase::CierraParen);
}

struct DefColumna {
    qsizetype nombre = -1;
    qsizetype tipoDesde = -1, tipoHasta = -1;  // [desde, hasta)
    bool conCollate = false;
};

// The column definitions of CREATE [TEMP] TABLE name (...); false for any other statement.
bool DefinicionesDeTabla(const Piezas& ps, QString& tabla, QList<DefColumna>& defs, bool& conRowid) {
    const qsizetype n = ps.size();
    qsizetype i = 1;
    if (n < 4 || !ps[0].esPalabra(u"CREATE")) return false;
    if (ps[i].esPalabra(u"TEMP") || ps[i].esPalabra(u"TEMPORARY")) ++i;
    if (i >= n || !ps[i].esPalabra(u"TABLE")) return false;
    ++i;
    if (i + 2 < n && ps[i].esPalabra(u"IF") && ps[i + 1].esPalabra(u"NOT") && ps[i + 2].esPalabra(u"EXISTS"))
        i += 3;
    while (i + 1 < n && EsNombre(ps[i]) && ps[i + 1].es(Clase::Punto)) i += 2;
    if (i + 1 >= n || !EsNombre(ps[i]) || !ps[i + 1].es(Clase::AbreParen)) return false;
    tabla = ps[i].nombreSinComillas();
    const std::vector<qsizetype> pareja = Parejas(ps);
    if (pareja.size() != static_cast<size_t>(n)) return false;
    const qsizetype abre = i + 1, cierra = pareja[abre];
    conRowid = true;
    for (qsizetype k = cierra + 1; k + 1 < n; ++k)
        if (ps[k].esPalabra(u"WITHOUT") && ps[k + 1].esPalabra(u"ROWID")) conRowid = false;
    qsizetype k = abre + 1;
    while (k < cierra) {
        DefColumna d;
        const bool restriccion = ps[k].esPalabra(u"CONSTRAINT") || ps[k].esPalabra(u"PRIMARY") ||
                                 ps[k].esPalabra(u"UNIQUE") || ps[k].esPalabra(u"CHECK") ||
                                 ps[k].esPalabra(u"FOREIGN");
        if (!restriccion && EsNombre(ps[k])) {
            d.nombre = k;
            d.tipoDesde = k + 1;
            qsizetype t = k + 1;
            while (t < cierra && !TerminaTipo(ps[t])) t = ps[t].es(Clase::AbreParen) ? pareja[t] + 1 : t + 1;
            d.tipoHasta = t;
        }
        // To the next comma of this level.
        for (; k < cierra && !ps[k].es(Clase::Coma); ++k) {
            if (ps[k].es(Clase::AbreParen))
                k = pareja[k];
            else if (ps[k].esPalabra(u"COLLATE"))
                d.conCollate = true;
        }
        ++k;
        if (d.nombre >= 0) defs.append(d);
    }
    return true;
}

QString TipoEscrito(const Piezas& ps, qsizetype desde, qsizetype hasta) {
    QString r;
    for (qsizetype i = desde; i < hasta; ++i)
        r += (i > desde && ps[i].es(Clase::Palabra) ? " " : "") + ps[i].texto;
    return r;
}

// Text columns of the tables the program creates compare as the company's ones do.
Piezas CreateTable(const Piezas& ps) {
    QString tabla;
    QList<DefColumna> defs;
    bool conRowid = true;
    if (!DefinicionesDeTabla(ps, tabla, defs, conRowid)) return ps;
    Edicion e(ps);
    for (const DefColumna& d : defs)
        if (!d.conCollate && d.tipoHasta > d.tipoDesde &&
            EsTipoTexto(NombreDeTipo(ps, d.tipoDesde, d.tipoHasta)))
            e.insertarAntes(d.tipoHasta, " COLLATE SERVIDOR");
    return e.aplicar();
}

}  // namespace

QStringList VigilanciaDeSentencia(const Piezas& ps) {
    QString tabla;
    QList<DefColumna> defs;
    bool conRowid = true;
    if (DefinicionesDeTabla(ps, tabla, defs, conRowid)) {
        QList<ColumnaDeclarada> columnas;
        for (const DefColumna& d : defs)
            columnas.append({ps[d.nombre].nombreSinComillas(), TipoEscrito(ps, d.tipoDesde, d.tipoHasta)});
        return SentenciasDeVigilancia(tabla, columnas, conRowid);
    }
    // ALTER TABLE T ADD [COLUMN] C type ...
    const qsizetype n = ps.size();
    if (n < 5 || !ps[0].esPalabra(u"ALTER") || !ps[1].esPalabra(u"TABLE")) return {};
    qsizetype i = 2;
    while (i + 1 < n && EsNombre(ps[i]) && ps[i + 1].es(Clase::Punto)) i += 2;
    if (i + 2 >= n || !EsNombre(ps[i]) || !ps[i + 1].esPalabra(u"ADD")) return {};
    tabla = ps[i].nombreSinComillas();
    qsizetype c = i + 2;
    if (ps[c].esPalabra(u"COLUMN")) ++c;
    if (c + 1 >= n || !EsNombre(ps[c])) return {};
    qsizetype t = c + 1;
    const std::vector<qsizetype> pareja = Parejas(ps);
    if (pareja.size() != static_cast<size_t>(n)) return {};
    while (t < n && !TerminaTipo(ps[t])) t = ps[t].es(Clase::AbreParen) ? pareja[t] + 1 : t + 1;
    const QString columna = ps[c].nombreSinComillas();
    return SentenciasDeVigilancia(tabla, {{columna, TipoEscrito(ps, c + 1, t)}}, true, "_" + columna);
}

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
        // A FROM inside a subquery of the condition is not the statement's.
        int nivel = 0;
        for (qsizetype i = 2; i < n; ++i) {
            if (ps[i].es(Clase::AbreParen)) ++nivel;
            if (ps[i].es(Clase::CierraParen)) --nivel;
            if (nivel == 0 && ps[i].esPalabra(u"FROM")) return ps;
        }
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
    if (primera.esPalabra(u"CREATE")) return CreateTable(ps);
    return ps;
}

namespace {

// The TOP clause at `j`: TOP n, TOP (n) or TOP @n, then PERCENT and WITH TIES. Gives its last
// token, or -1 when no count follows TOP; the count goes in cuantos, left empty for a PERCENT:
// a share other than the whole cannot be told ahead, so every row is the safe reading.
qsizetype LeerTop(const Piezas& ps, const std::vector<qsizetype>& pareja, qsizetype j, QString& cuantos) {
    const qsizetype n = ps.size();
    qsizetype k = j + 1;
    if (k < n && (ps[k].es(Clase::Numero) || (ps[k].es(Clase::Palabra) && ps[k].texto.startsWith(u'@')))) {
        cuantos = ps[k].texto;
    } else if (k + 2 < n && ps[k].es(Clase::AbreParen) && pareja[k] == k + 2) {
        cuantos = ps[k + 1].texto;
        k += 2;
    } else {
        return -1;
    }
    if (k + 1 < n && ps[k + 1].esPalabra(u"PERCENT")) {
        cuantos.clear();
        ++k;
    }
    if (k + 2 < n && ps[k + 1].esPalabra(u"WITH") && ps[k + 2].esPalabra(u"TIES")) k += 2;
    return k;
}

}  // namespace

// TOP n at each level (the statement, or a parenthesised subquery) becomes LIMIT n at that
// level's end, after its ORDER BY. TOP 100 PERCENT means every row. In a UNION each branch
// keeps its own TOP: the branch becomes SELECT * FROM (branch LIMIT n); the last branch's
// ORDER BY stays outside, where the server applies it to the whole union. One walk on purpose:
// each token's rule reads the open levels the walk keeps.
Piezas TopALimit(const Piezas& ps) {
    const std::vector<qsizetype> pareja = Parejas(ps);
    if (pareja.size() != static_cast<size_t>(ps.size())) return ps;
    const qsizetype n = ps.size();
    bool hayTop = false;
    for (const Pieza& p : ps)
        if (p.esPalabra(u"TOP")) hayTop = true;
    if (!hayTop) return ps;

    struct Nivel {
        QString limite;
        qsizetype rama = 0;    // where the current branch starts
        qsizetype orden = -1;  // its ORDER BY
        bool compuesto = false;
    };
    Edicion e(ps);
    QList<Nivel> niveles{Nivel{}};  // one per open level
    const auto envolver = [&](Nivel& v, qsizetype fin) {
        e.insertarAntes(v.rama, "SELECT * FROM (");
        e.insertarAntes(fin, " LIMIT " + v.limite + ")");
        v.limite.clear();
    };
    const auto cerrarNivel = [&](Nivel& v, qsizetype fin) {
        if (v.limite.isEmpty()) return;
        if (v.compuesto)
            envolver(v, v.orden >= 0 ? v.orden : fin);
        else
            e.insertarAntes(fin, " LIMIT " + v.limite);
    };
    for (qsizetype i = 0; i < n; ++i) {
        const Pieza& p = ps[i];
        if (p.es(Clase::AbreParen)) {
            Nivel v;
            v.rama = i + 1;
            niveles.append(v);
        } else if (p.es(Clase::CierraParen)) {
            cerrarNivel(niveles.last(), i);
            niveles.removeLast();
        } else if (p.esPalabra(u"UNION") || p.esPalabra(u"EXCEPT") || p.esPalabra(u"INTERSECT")) {
            Nivel& v = niveles.last();
            if (!v.limite.isEmpty()) envolver(v, i);
            v.compuesto = true;
            v.orden = -1;
            v.rama = i + 1 < n && ps[i + 1].esPalabra(u"ALL") ? i + 2 : i + 1;
        } else if (p.esPalabra(u"ORDER") && i + 1 < n && ps[i + 1].esPalabra(u"BY")) {
            niveles.last().orden = i;
        } else if (p.esPalabra(u"SELECT")) {
            qsizetype j = i + 1;
            if (j < n && (ps[j].esPalabra(u"DISTINCT") || ps[j].esPalabra(u"ALL"))) ++j;
            if (j >= n || !ps[j].esPalabra(u"TOP")) continue;
            QString cuantos;
            const qsizetype k = LeerTop(ps, pareja, j, cuantos);
            if (k < 0) continue;
            e.quitar(j, k);
            if (!cuantos.isEmpty()) niveles.last().limite = cuantos;
            i = k;
        }
    }
    cerrarNivel(niveles.first(), n);
    return e.aplicar();
}

}  // namespace ado::sqlite
