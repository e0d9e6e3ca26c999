// Operators whose meaning on the server depends on the operands' types: "+" and comparisons.
#include <QStringList>

#include "outside/ado/sqlite/Reescritura.h"

namespace ado::sqlite {

namespace {

bool EsPalabraClave(const Pieza& p) {
    static const QSet<QString> claves{
        "SELECT", "FROM",       "WHERE",       "AND",    "OR",      "NOT",       "AS",         "ON",
        "JOIN",   "INNER",      "LEFT",        "RIGHT",  "OUTER",   "CROSS",     "FULL",       "ORDER",
        "GROUP",  "BY",         "HAVING",      "UNION",  "ALL",     "DISTINCT",  "SET",        "VALUES",
        "INTO",   "UPDATE",     "DELETE",      "INSERT", "WHEN",    "THEN",      "ELSE",       "END",
        "CASE",   "LIKE",       "IN",          "IS",     "BETWEEN", "EXISTS",    "ASC",        "DESC",
        "LIMIT",  "COLLATE",    "ESCAPE",      "TOP",    "WITH",    "EXCEPT",    "INTERSECT",  "OFFSET",
        "CREATE", "TABLE",      "ALTER",       "ADD",    "COLUMN",  "DEFAULT",   "CONSTRAINT", "PRIMARY",
        "KEY",    "REFERENCES", "CHECK",       "UNIQUE", "INDEX",   "VIEW",      "DROP",       "BEGIN",
        "COMMIT", "ROLLBACK",   "TRANSACTION", "USING",  "NATURAL", "RETURNING", "GLOB",       "REGEXP"};
    return EsUnaDe(p, claves);
}

// The server's functions that give numbers.
bool FuncionNumerica(const QString& nombre) {
    static const QSet<QString> numeros{"LEN",       "LENGTH",   "CHARINDEX", "COUNT",   "SUM",     "AVG",
                                       "ABS",       "ROUND",    "FLOOR",     "CEILING", "MONTH",   "YEAR",
                                       "DAY",       "DATEDIFF", "DATEPART",  "ASCII",   "UNICODE", "INSTR",
                                       "SV_NUMERO", "CAST",     "SV_SUMA",   "EXISTS"};
    return numeros.contains(nombre.toUpper());
}

bool EsComparacion(const Pieza& p) {
    static const QStringList ops{"=", "==", "<>", "!=", "<", ">", "<=", ">=", "!<", "!>"};
    return p.es(Clase::Operador) && ops.contains(p.texto);
}

// Operators that bind a literal into a larger operand ("5 * X", "'a' || B").
bool UneOperando(const Pieza& p) {
    return p.es(Clase::Punto) || p.es(Clase::AbreParen) || p.esPalabra(u"COLLATE") ||
           (p.es(Clase::Operador) &&
            QStringList{"+", "-", "*", "/", "%", "||", "&", "|", "^"}.contains(p.texto));
}

// The END of the CASE at `i`, before `hasta`; -1 when it has none.
qsizetype FinDeCaso(const Piezas& ps, const std::vector<qsizetype>& pareja, qsizetype i, qsizetype hasta) {
    int casos = 0;
    for (qsizetype k = i + 1; k < hasta; ++k) {
        if (ps[k].es(Clase::AbreParen)) {
            k = pareja[k];
        } else if (ps[k].esPalabra(u"CASE")) {
            ++casos;
        } else if (ps[k].esPalabra(u"END")) {
            if (casos == 0) return k;
            --casos;
        }
    }
    return -1;
}

enum class Tipo { Ninguno, Texto, Numero, Desconocido, Neutro };

struct Termino {
    qsizetype inicio = -1;
    qsizetype fin = -1;  // included
    Tipo tipo = Tipo::Ninguno;
    bool completo = false;  // holds a whole operand: a following name is an alias
    bool envolvible = true;
};

struct Nivel {
    Tipo tipo = Tipo::Neutro;  // of its one chain; Neutro when it has several
    bool algunTexto = false;
};

// The rule for "+": the server adds numbers and joins texts, and the engine must be told
// which. In one chain of "+" and "-" at one level, a text operand (a quoted text, a text
// function such as LTRIM or SUBSTRING, a CONVERT to a text type, a parenthesised text chain)
// makes every "+" a "||": the server would join there ('a' + CAMPO + 'b'). Otherwise a number
// operand keeps "+", and a quoted text beside a number leaves the choice to the values as
// below ('1' + 1 is 2, 'a' + 1 an error). A chain of names alone (A + B) is decided by the values themselves:
// SV_SUMA joins two texts and adds anything else.
class Sumas {
  public:
    Sumas(const Piezas& ps, const std::vector<qsizetype>& pareja) : ps_(ps), pareja_(pareja), e_(ps) {}

    Piezas aplicar() {
        nivel(0, ps_.size());
        return e_.aplicar();
    }

  private:
    struct Cadena {
        QList<Termino> terminos;
        QList<qsizetype> operadores;  // indexes of "+" and "-" between the terms
        Termino actual;
        bool concatena = false;  // holds "||" already
    };

    static Tipo Funcion(const QString& nombre) {
        static const QStringList numeros{"LEN",   "LENGTH",  "CHARINDEX", "COUNT",    "SUM",
                                         "AVG",   "ABS",     "ROUND",     "FLOOR",    "CEILING",
                                         "MONTH", "YEAR",    "DAY",       "DATEDIFF", "DATEPART",
                                         "ASCII", "UNICODE", "INSTR",     "SV_NUMERO"};
        if (FuncionDeTexto(nombre)) return Tipo::Texto;
        if (numeros.contains(nombre, Qt::CaseInsensitive)) return Tipo::Numero;
        return Tipo::Desconocido;
    }

    void ponerEnTermino(Cadena& c, qsizetype i, Tipo t, bool completa = true) {
        if (c.actual.inicio < 0) c.actual.inicio = i;
        c.actual.fin = i;
        if (t == Tipo::Texto || c.actual.tipo == Tipo::Ninguno || c.actual.tipo == Tipo::Neutro)
            c.actual.tipo = t;
        else if (t == Tipo::Numero && c.actual.tipo != Tipo::Texto)
            c.actual.tipo = Tipo::Numero;
        if (completa) c.actual.completo = true;
    }

    void cerrarTermino(Cadena& c) {
        if (c.actual.inicio >= 0) c.terminos.append(c.actual);
        c.actual = Termino{};
    }

    // Ends the chain and rewrites its "+"; gives the chain's type.
    Tipo cerrarCadena(Cadena& c) {
        cerrarTermino(c);
        QList<qsizetype> sumas;
        for (qsizetype o : c.operadores)
            if (ps_[o].texto == u"+") sumas.append(o);
        bool texto = c.concatena, numero = false, envolvible = true;
        for (const Termino& t : c.terminos) {
            texto = texto || t.tipo == Tipo::Texto;
            numero = numero || t.tipo == Tipo::Numero;
            envolvible = envolvible && t.envolvible;
        }
        Tipo tipo = c.terminos.size() == 1 ? c.terminos.first().tipo : Tipo::Desconocido;
        const bool envuelve = !sumas.isEmpty() && envolvible && c.terminos.size() == c.operadores.size() + 1;
        // A number beside a text: the server reads the text as a number ('1' + 1 is 2).
        if (texto && numero && !c.concatena && envuelve) {
            texto = numero = false;
            tipo = Tipo::Desconocido;
        }
        if (texto) {
            for (qsizetype o : sumas) e_.cambiar(o, "||");
            tipo = Tipo::Texto;
        } else if (numero) {
            tipo = Tipo::Numero;
        } else if (envuelve) {
            e_.insertarAntes(c.terminos.first().inicio, QString("SV_SUMA(").repeated(sumas.size()));
            // Left to right: A + B - C + D gives SV_SUMA(SV_SUMA(A, B) - C, D).
            for (qsizetype k = 0; k < c.operadores.size(); ++k) {
                if (ps_[c.operadores[k]].texto != u"+") continue;
                e_.cambiar(c.operadores[k], ",");
                e_.insertarDespues(c.terminos[k + 1].fin, ")");
            }
        }
        c = Cadena{};
        return tipo;
    }

    // The call or group that opens at `i`, as one term of the chain: a call takes its function's
    // type. Gives where it closes.
    qsizetype parentesis(Cadena& c, Nivel& r, qsizetype i) {
        const qsizetype j = pareja_[i];
        const Nivel dentro = nivel(i + 1, j);
        r.algunTexto = r.algunTexto || dentro.algunTexto;
        Tipo t = dentro.tipo;
        const bool llamada = c.actual.inicio >= 0 && c.actual.fin == i - 1 && ps_[i - 1].es(Clase::Palabra);
        if (llamada) {
            const QString nombre = ps_[i - 1].texto.toUpper();
            if (nombre == "SV_CONVERT" && i + 1 < j && ps_[i + 1].es(Clase::Texto))
                t = EsTipoTexto(ps_[i + 1].contenidoTexto()) ? Tipo::Texto : Tipo::Desconocido;
            else if (nombre == "IFNULL" || nombre == "COALESCE" || nombre == "NULLIF" || nombre == "IIF")
                t = dentro.algunTexto ? Tipo::Texto : Tipo::Desconocido;
            else if (nombre == "CAST")
                t = CastNumerico(i, j) ? Tipo::Numero : Tipo::Desconocido;
            else
                t = Funcion(nombre);
            c.actual.tipo = Tipo::Ninguno;
        } else if (t == Tipo::Neutro || t == Tipo::Ninguno) {
            t = Tipo::Desconocido;
        }
        ponerEnTermino(c, i, t);
        c.actual.fin = j;
        return j;
    }

    qsizetype finDeCaso(qsizetype i, qsizetype hasta) const { return FinDeCaso(ps_, pareja_, i, hasta); }

    // CASE ... END as one term of the chain, of the type of its THEN and ELSE values: a text
    // value makes it a text, as the server gives the CASE the type of its results. Each part
    // between its keywords is a level of its own. Gives where it ends, -1 when it has no END.
    qsizetype caso(Cadena& c, Nivel& r, qsizetype i, qsizetype hasta) {
        const qsizetype fin = finDeCaso(i, hasta);
        if (fin < 0) return -1;
        bool texto = false, numero = false, esValor = false;
        qsizetype desde = i + 1;
        for (qsizetype k = i + 1; k <= fin; ++k) {
            if (k < fin && ps_[k].es(Clase::AbreParen)) {
                k = pareja_[k];
                continue;
            }
            if (k < fin && ps_[k].esPalabra(u"CASE")) {
                k = finDeCaso(k, fin);
                continue;
            }
            const bool corte = k == fin || ps_[k].esPalabra(u"WHEN") || ps_[k].esPalabra(u"THEN") ||
                               ps_[k].esPalabra(u"ELSE");
            if (!corte) continue;
            const Nivel parte = nivel(desde, k);
            if (esValor) {
                texto = texto || parte.tipo == Tipo::Texto || parte.algunTexto;
                numero = numero || parte.tipo == Tipo::Numero;
                r.algunTexto = r.algunTexto || parte.algunTexto;
            }
            esValor = k < fin && !ps_[k].esPalabra(u"WHEN");
            desde = k + 1;
        }
        if (c.actual.completo) cerrarTermino(c);
        ponerEnTermino(c, i, texto ? Tipo::Texto : numero ? Tipo::Numero : Tipo::Desconocido);
        c.actual.fin = fin;
        return fin;
    }

    // The operator at `i` within the chain; false when it ends the chain.
    bool operador(Cadena& c, qsizetype i) {
        const QString& op = ps_[i].texto;
        if (op == u"+" || op == u"-") {
            if (c.actual.inicio < 0) {
                ponerEnTermino(c, i, Tipo::Ninguno, false);  // a sign
            } else if (!c.actual.completo) {
                c.actual.fin = i;
            } else {
                cerrarTermino(c);
                c.operadores.append(i);
            }
        } else if (op == u"*" || op == u"/" || op == u"%") {
            ponerEnTermino(c, i, Tipo::Numero, false);
            c.actual.completo = false;
        } else if (op == u"||") {
            cerrarTermino(c);
            c.concatena = true;
            c.operadores.append(i);
        } else {
            return false;
        }
        return true;
    }

    Nivel nivel(qsizetype desde, qsizetype hasta) {
        Nivel r;
        Cadena c;
        int cadenas = 0;
        Tipo ultimo = Tipo::Neutro;
        auto cerrar = [&] {
            if (c.terminos.isEmpty() && c.actual.inicio < 0 && c.operadores.isEmpty()) return;
            ultimo = cerrarCadena(c);
            r.algunTexto = r.algunTexto || ultimo == Tipo::Texto;
            ++cadenas;
        };
        for (qsizetype i = desde; i < hasta; ++i) {
            const Pieza& p = ps_[i];
            switch (p.clase) {
                case Clase::AbreParen:
                    i = parentesis(c, r, i);
                    break;
                case Clase::Operador:
                    if (!operador(c, i)) cerrar();
                    break;
                case Clase::Texto:
                    ponerEnTermino(c, i, Tipo::Texto);
                    break;
                case Clase::Numero:
                    ponerEnTermino(c, i, Tipo::Numero);
                    break;
                case Clase::Punto:
                    if (c.actual.inicio >= 0) {
                        c.actual.fin = i;
                        c.actual.completo = false;
                    }
                    break;
                case Clase::Palabra:
                case Clase::Nombre:
                    if (p.esPalabra(u"CASE")) {
                        const qsizetype fin = caso(c, r, i, hasta);
                        if (fin >= 0)
                            i = fin;
                        else
                            cerrar();
                    } else if (p.esPalabra(u"END")) {
                        // CASE ... END is an operand that cannot be wrapped from here.
                        cerrar();
                        ponerEnTermino(c, i, Tipo::Neutro);
                        c.actual.envolvible = false;
                    } else if (p.esPalabra(u"NULL")) {
                        ponerEnTermino(c, i, Tipo::Neutro);
                    } else if (EsPalabraClave(p)) {
                        cerrar();
                    } else if (c.actual.completo) {
                        cerrar();  // an alias: "A + B TOTAL"
                    } else {
                        ponerEnTermino(c, i, Tipo::Desconocido);
                    }
                    break;
                default:
                    cerrar();
                    break;
            }
        }
        cerrar();
        r.tipo = cadenas == 1 ? ultimo : Tipo::Neutro;
        return r;
    }

    bool CastNumerico(qsizetype abre, qsizetype cierra) const {
        for (qsizetype k = abre + 1; k < cierra; ++k) {
            if (ps_[k].es(Clase::AbreParen))
                k = pareja_[k];
            else if (ps_[k].esPalabra(u"AS") && k + 1 < cierra)
                return EsTipoNumerico(NombreDeTipo(ps_, k + 1, cierra));
        }
        return false;
    }

    const Piezas& ps_;
    const std::vector<qsizetype>& pareja_;
    Edicion e_;
};

}  // namespace

bool FuncionDeTexto(const QString& nombre) {
    static const QSet<QString> textos{"LTRIM",     "RTRIM",    "TRIM",  "SUBSTRING", "SUBSTR",
                                      "SV_LEFT",   "SV_RIGHT", "UPPER", "LOWER",     "REPLACE",
                                      "CHAR",      "NCHAR",    "SPACE", "REPLICATE", "STR",
                                      "QUOTENAME", "CONCAT",   "STUFF", "REVERSE"};
    return textos.contains(nombre.toUpper());
}

Piezas AjustarSumas(const Piezas& ps) {
    bool hayMas = false;
    for (const Pieza& p : ps)
        if (p.esOperador(u"+")) hayMas = true;
    if (!hayMas) return ps;
    const std::vector<qsizetype> pareja = Parejas(ps);
    if (pareja.size() != static_cast<size_t>(ps.size())) return ps;
    return Sumas(ps, pareja).aplicar();
}

namespace {

// A number compared with something becomes CAST(n AS NUMERIC): the engine then reads the other
// side as a number, as the server does ("RTRIM(LTRIM(PERIODO)) = 2024" matches '2024 ').
// A quoted text or a function's result compared with something is compared with the company's
// collation, case-blind and blind to trailing blanks, also where the other side is an expression
// ("LTRIM(RTRIM(A)) = LTRIM(RTRIM(B))"); so is the left side of IN and each expression of GROUP BY
// and SELECT DISTINCT. Wherever else it stands, a text function's result keeps that collation, as
// the server's keeps the collation of the text it came from: in a sort, MAX or MIN, a UNION. A
// column of the select list keeps its name as written.
// The SET list of an UPDATE assigns: it is left alone.
class Comparaciones {
  public:
    explicit Comparaciones(const Piezas& ps)
        : ps_(ps),
          n_(ps.size()),
          pareja_(Parejas(ps)),
          pares_(pareja_.size() == static_cast<size_t>(n_)),
          e_(ps),
          abierta_(Abiertas(ps)) {}

    Piezas aplicar() {
        const bool esUpdate = n_ > 0 && ps_[0].esPalabra(u"UPDATE");
        int profundidad = 0;
        bool asignando = false;
        QList<int> entreBetween;  // depths with a BETWEEN waiting for its AND
        QList<qsizetype> listas;  // where each select list begins
        for (qsizetype i = 0; i < n_; ++i) {
            const Pieza& p = ps_[i];
            if (p.esPalabra(u"SELECT")) {
                const bool distinto = i + 1 < n_ && ps_[i + 1].esPalabra(u"DISTINCT");
                listas.append(distinto ? i + 2 : i + 1);
                if (distinto) distintos(i + 2);
            }
            if (const qsizetype fin = finDeTexto(i); fin >= 0 && !dentroDeOtroTexto(i)) collate(fin);
            if (p.es(Clase::AbreParen)) {
                ++profundidad;
            } else if (p.es(Clase::CierraParen)) {
                --profundidad;
            } else if (esUpdate && profundidad == 0 && p.esPalabra(u"SET")) {
                asignando = true;
            } else if (profundidad == 0 && (p.esPalabra(u"WHERE") || p.esPalabra(u"FROM"))) {
                asignando = false;
            } else if (EsComparacion(p) && !(asignando && profundidad == 0)) {
                operandoIzquierdo(i - 1);
                operandoDerecho(i + 1);
            } else if (p.esPalabra(u"BETWEEN")) {
                entreBetween.append(profundidad);
                operandoDerecho(i + 1);
            } else if (p.esPalabra(u"AND") && !entreBetween.isEmpty() && entreBetween.last() == profundidad) {
                entreBetween.removeLast();
                operandoDerecho(i + 1);
            } else if (p.esPalabra(u"IN") && i + 1 < n_ && ps_[i + 1].es(Clase::AbreParen)) {
                antesDeIn(i);
            } else if (p.esPalabra(u"GROUP") && i + 1 < n_ && ps_[i + 1].esPalabra(u"BY")) {
                agrupar(i + 2);
            } else if (p.esPalabra(u"ORDER") && i + 1 < n_ && ps_[i + 1].esPalabra(u"BY")) {
                recorrerLista(i + 2, [&](qsizetype inicio, qsizetype fin) {
                    if (ps_[fin - 1].esPalabra(u"ASC") || ps_[fin - 1].esPalabra(u"DESC")) --fin;
                    subconsulta(inicio, fin);
                });
            }
        }
        for (qsizetype desde : listas) {
            recorrerLista(desde, [&](qsizetype inicio, qsizetype fin) {
                fin = finDeExpresion(inicio, fin);
                if (fin - inicio == 1 && ps_[inicio].es(Clase::Texto)) collate(inicio);
                subconsulta(inicio, fin);
            });
            nombrar(desde);
        }
        return e_.aplicar();
    }

  private:
    void collate(qsizetype i) {
        if (conCollate_.contains(i) || (i + 1 < n_ && ps_[i + 1].esPalabra(u"COLLATE"))) return;
        conCollate_.insert(i);
        e_.insertarDespues(i, " COLLATE SERVIDOR");
    }

    // For each token, the "(" of the innermost parentheses around it; -1 at the outer level.
    static std::vector<qsizetype> Abiertas(const Piezas& ps) {
        std::vector<qsizetype> r(size_t(ps.size()), -1);
        std::vector<qsizetype> pila;
        for (qsizetype i = 0; i < ps.size(); ++i) {
            if (ps[i].es(Clase::CierraParen) && !pila.empty()) pila.pop_back();
            r[size_t(i)] = pila.empty() ? -1 : pila.back();
            if (ps[i].es(Clase::AbreParen)) pila.push_back(i);
        }
        return r;
    }

    // Where the expression that may give a text and is marked at `i` ends: a text call's ")", a
    // CASE's END, or a chain of "||" at its last "||": the last operand. -1 elsewhere. An operand
    // of a chain leaves the collation to the chain, and so does a chain in parentheses.
    qsizetype finDeTexto(qsizetype i) const {
        if (!pares_) return -1;
        qsizetype fin = -1;
        if (esLlamadaDeTexto(i)) fin = pareja_[i + 1];
        if (ps_[i].esPalabra(u"CASE")) fin = finDeCaso(i);
        if (fin >= 0) return operandoDeCadena(i, fin) ? -1 : fin;
        if (!ps_[i].esOperador(u"||")) return -1;
        const qsizetype abre = abierta_[size_t(i)];
        if (abre >= 0 && (abre == 0 || !EsNombre(ps_[abre - 1])) && operandoDeCadena(abre, pareja_[abre]))
            return -1;
        fin = finDeOperando(i + 1);
        return fin >= 0 && (fin + 1 == n_ || !ps_[fin + 1].esOperador(u"||")) ? fin : -1;
    }

    // [desde, hasta] stands beside a "||".
    bool operandoDeCadena(qsizetype desde, qsizetype hasta) const {
        return (desde > 0 && ps_[desde - 1].esOperador(u"||")) ||
               (hasta + 1 < n_ && ps_[hasta + 1].esOperador(u"||"));
    }

    // Inside another text function that compares nothing the outer one keeps the collation
    // (LTRIM(RTRIM(A)) needs it once, outside); inside MAX, MIN or NULLIF, which compare their
    // arguments, the inner one needs it too.
    bool dentroDeOtroTexto(qsizetype i) const {
        const qsizetype abre = abierta_[size_t(i)];
        if (abre < 1 || !esLlamadaDeTexto(abre - 1)) return false;
        static const QSet<QString> comparan{"MAX", "MIN", "NULLIF"};
        return !EsUnaDe(ps_[abre - 1], comparan);
    }

    // The END of the CASE at `i`, inside the parentheses around it; -1 when it has none.
    qsizetype finDeCaso(qsizetype i) const {
        const qsizetype abre = abierta_[size_t(i)];
        return FinDeCaso(ps_, pareja_, i, abre >= 0 ? pareja_[abre] : n_);
    }

    // Where the operand that starts at `k` ends (a sign, a value, a name, a call, a group, a CASE);
    // -1 when no operand starts there.
    qsizetype finDeOperando(qsizetype k) const {
        while (k < n_ && (ps_[k].esOperador(u"-") || ps_[k].esOperador(u"+") || ps_[k].esOperador(u"~"))) ++k;
        if (k >= n_) return -1;
        if (ps_[k].esPalabra(u"CASE")) return finDeCaso(k);
        if (ps_[k].es(Clase::AbreParen)) return pareja_[k];
        if (ps_[k].es(Clase::Texto) || ps_[k].es(Clase::Numero) || ps_[k].es(Clase::Otro)) return k;
        if (!EsNombre(ps_[k]) || EsPalabraClave(ps_[k])) return -1;
        for (;;) {
            if (k + 1 < n_ && ps_[k + 1].es(Clase::AbreParen)) k = pareja_[k + 1];
            if (k + 2 < n_ && ps_[k + 1].es(Clase::Punto) && EsNombre(ps_[k + 2]))
                k += 2;
            else
                return k;
        }
    }

    // An entry [inicio, fin) that is a whole subquery gives the collation of its column, as the
    // server's does.
    void subconsulta(qsizetype inicio, qsizetype fin) {
        if (pares_ && fin - inicio > 2 && ps_[inicio].es(Clase::AbreParen) && pareja_[inicio] == fin - 1 &&
            (ps_[inicio + 1].esPalabra(u"SELECT") || ps_[inicio + 1].esPalabra(u"WITH")))
            collate(fin - 1);
    }

    // A call of a function that gives a text, standing where an expression does (not a type after
    // AS or after a column's name).
    bool esLlamadaDeTexto(qsizetype i) const {
        // Besides the text functions, those that give back a text they were given, and the "+"
        // that joins two texts when both are.
        static const QSet<QString> devuelven{"IFNULL", "COALESCE", "NULLIF",     "MAX",
                                             "MIN",    "IIF",      "SV_CONVERT", "SV_SUMA"};
        if (!pares_ || i + 1 >= n_ || !ps_[i + 1].es(Clase::AbreParen) || !ps_[i].es(Clase::Palabra) ||
            (!FuncionDeTexto(ps_[i].texto) && !EsUnaDe(ps_[i], devuelven)))
            return false;
        if (i == 0) return true;
        const Pieza& antes = ps_[i - 1];
        return !antes.es(Clase::Punto) &&
               !(EsNombre(antes) &&
                 !(antes.es(Clase::Palabra) && EsPalabraClave(antes) && !antes.esPalabra(u"AS")));
    }

    // A call that may give a text: not one of the server's number functions.
    bool deTexto(qsizetype abre) const {
        return abre > 0 && ps_[abre - 1].es(Clase::Palabra) && !EsPalabraClave(ps_[abre - 1]) &&
               !FuncionNumerica(ps_[abre - 1].texto);
    }

    // The call that starts at `i`, when nothing binds it into a larger operand: where it ends.
    qsizetype llamadaDesde(qsizetype i) const {
        if (!pares_ || !ps_[i].es(Clase::Palabra) || i + 1 >= n_ || !ps_[i + 1].es(Clase::AbreParen) ||
            !deTexto(i + 1))
            return -1;
        const qsizetype cierra = pareja_[i + 1];
        if (cierra + 1 < n_ && UneOperando(ps_[cierra + 1])) return -1;
        return cierra;
    }

    bool esNumero(qsizetype i) const {
        return i >= 0 && i < n_ &&
               (ps_[i].es(Clase::Numero) || ((ps_[i].esOperador(u"-") || ps_[i].esOperador(u"+")) &&
                                             i + 1 < n_ && ps_[i + 1].es(Clase::Numero)));
    }

    void operandoDerecho(qsizetype r) {
        if (r >= n_) return;
        qsizetype fin = r;
        const bool conSigno = (ps_[r].esOperador(u"-") || ps_[r].esOperador(u"+")) && r + 1 < n_ &&
                              ps_[r + 1].es(Clase::Numero);
        if (conSigno) fin = r + 1;
        if (const qsizetype cierra = llamadaDesde(r); cierra >= 0) {
            if (!esNumero(r - 2) && !(r >= 2 && ps_[r - 2].es(Clase::Texto))) collate(cierra);
            return;
        }
        if (fin + 1 < n_ && UneOperando(ps_[fin + 1])) return;
        if (ps_[fin].es(Clase::Numero)) {
            e_.cambiar(r, "CAST(" + (conSigno ? ps_[r].texto : QString()) + ps_[fin].texto + " AS NUMERIC)");
            if (conSigno) e_.quitar(fin);
        } else if (ps_[r].es(Clase::Texto)) {
            collate(r);
        }
    }

    void operandoIzquierdo(qsizetype l) {
        if (l < 0) return;
        if (ps_[l].es(Clase::CierraParen)) {
            if (pares_ && deTexto(pareja_[l]) && !esNumero(l + 2) &&
                !(l + 2 < n_ && ps_[l + 2].es(Clase::Texto)))
                collate(l);
            return;
        }
        if (l > 0 && UneOperando(ps_[l - 1]) && !ps_[l - 1].es(Clase::AbreParen)) return;
        if (ps_[l].es(Clase::Numero))
            e_.cambiar(l, "CAST(" + ps_[l].texto + " AS NUMERIC)");
        else if (ps_[l].es(Clase::Texto))
            collate(l);
    }

    // The left side of IN decides the collation of the whole list: a call's result, or a column
    // compared with quoted texts.
    void antesDeIn(qsizetype i) {
        qsizetype l = i - 1;
        if (l >= 0 && ps_[l].esPalabra(u"NOT")) --l;
        if (l < 0 || !pares_) return;
        if (ps_[l].es(Clase::CierraParen)) {
            if (deTexto(pareja_[l])) collate(l);
            return;
        }
        bool textos = false;
        for (qsizetype k = i + 2; k < pareja_[i + 1]; ++k) textos = textos || ps_[k].es(Clase::Texto);
        if (textos && (ps_[l].es(Clase::Nombre) || (ps_[l].es(Clase::Palabra) && !EsPalabraClave(ps_[l]))))
            collate(l);
    }

    // GROUP BY expr, expr ...: each expression that ends in a call.
    void agrupar(qsizetype desde) {
        int nivel = 0;
        for (qsizetype k = desde; k < n_; ++k) {
            if (ps_[k].es(Clase::AbreParen)) {
                ++nivel;
            } else if (ps_[k].es(Clase::CierraParen)) {
                if (nivel == 0) return;
                if (--nivel == 0 &&
                    (k + 1 == n_ || ps_[k + 1].es(Clase::Coma) || EsPalabraClave(ps_[k + 1]) ||
                     ps_[k + 1].es(Clase::CierraParen) || ps_[k + 1].es(Clase::PuntoYComa)))
                    collate(k);
            } else if (nivel == 0 && (ps_[k].es(Clase::PuntoYComa) ||
                                      (EsPalabraClave(ps_[k]) && !ps_[k].esPalabra(u"BY")))) {
                return;
            }
        }
    }

    // SELECT DISTINCT expr, ...: an expression that is a call keeps the collation.
    void distintos(qsizetype desde) {
        recorrerLista(desde, [&](qsizetype inicio, qsizetype fin) {
            const qsizetype ultimo = finDeExpresion(inicio, fin) - 1;
            if (ultimo > inicio && ps_[ultimo].es(Clase::CierraParen) && pares_ &&
                pareja_[ultimo] == inicio + 1 && deTexto(pareja_[ultimo]))
                collate(ultimo);
        });
    }

    // Each expression of the select list that the collation reached, without a name of its own,
    // takes the name it had as written (a NUL would end it for the engine: it goes without).
    void nombrar(qsizetype desde) {
        recorrerLista(desde, [&](qsizetype inicio, qsizetype fin) {
            if (finDeExpresion(inicio, fin) != fin) return;
            bool alcanzada = false;
            for (qsizetype k = inicio; k < fin && !alcanzada; ++k) alcanzada = conCollate_.contains(k);
            if (!alcanzada) return;
            const QString nombre =
                Unir(ps_, inicio, fin).trimmed().remove(QChar(0)).replace(u'"', QStringLiteral("\"\""));
            e_.insertarDespues(fin - 1, " AS \"" + nombre + u'"');
        });
    }

    // Where the expression of the entry [inicio, fin) ends: before "AS name", or before a name
    // right after a whole operand; at `fin` when it has no name of its own.
    qsizetype finDeExpresion(qsizetype inicio, qsizetype fin) const {
        int nivel = 0;
        for (qsizetype k = inicio; k < fin; ++k) {
            if (ps_[k].es(Clase::AbreParen)) ++nivel;
            if (ps_[k].es(Clase::CierraParen)) --nivel;
            if (nivel == 0 && ps_[k].esPalabra(u"AS")) return k;
        }
        if (fin - inicio < 2 || !EsNombre(ps_[fin - 1]) || EsPalabraClave(ps_[fin - 1])) return fin;
        const Pieza& antes = ps_[fin - 2];
        const bool operando = antes.es(Clase::CierraParen) || antes.es(Clase::Texto) ||
                              antes.es(Clase::Numero) || (EsNombre(antes) && !EsPalabraClave(antes)) ||
                              antes.esPalabra(u"END");
        return operando ? fin - 1 : fin;
    }

    // Calls `cada(inicio, fin)` for each expression of the select list or the sort that starts at
    // `desde`; a sort's ASC or DESC stays with its expression.
    template <typename Cada>
    void recorrerLista(qsizetype desde, Cada cada) const {
        int nivel = 0;
        qsizetype inicio = desde;
        for (qsizetype k = desde; k <= n_; ++k) {
            const bool fin =
                k == n_ ||
                (nivel == 0 &&
                 (ps_[k].es(Clase::Coma) || ps_[k].es(Clase::CierraParen) ||
                  (EsPalabraClave(ps_[k]) && !ps_[k].esPalabra(u"AS") && !esParteDeExpresion(ps_[k])) ||
                  ps_[k].es(Clase::PuntoYComa)));
            if (!fin) {
                if (ps_[k].es(Clase::AbreParen)) ++nivel;
                if (ps_[k].es(Clase::CierraParen)) --nivel;
                continue;
            }
            if (k > inicio) cada(inicio, k);
            if (k == n_ || !ps_[k].es(Clase::Coma)) return;
            inicio = k + 1;
        }
    }

    // Keywords that go on inside one entry of a select list or a sort.
    static bool esParteDeExpresion(const Pieza& p) {
        static const QSet<QString> dentro{"CASE",    "WHEN",   "THEN",   "ELSE", "END",  "AND",
                                          "OR",      "NOT",    "IS",     "IN",   "LIKE", "BETWEEN",
                                          "COLLATE", "ESCAPE", "EXISTS", "ASC",  "DESC"};
        return EsUnaDe(p, dentro);
    }

    const Piezas& ps_;
    const qsizetype n_;
    const std::vector<qsizetype> pareja_;
    const bool pares_;
    Edicion e_;
    const std::vector<qsizetype> abierta_;
    QSet<qsizetype> conCollate_;
};

}  // namespace

Piezas AjustarComparaciones(const Piezas& ps) {
    return Comparaciones(ps).aplicar();
}

}  // namespace ado::sqlite
