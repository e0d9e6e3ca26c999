// Names, hints, literals and functions of the server that the engine spells otherwise.
#include <QDate>
#include <QSet>
#include <QStringList>

#include "outside/ado/TextoSql.h"
#include "outside/ado/sqlite/Reescritura.h"

namespace ado::sqlite {

namespace {

QString Base(const QString& tipo) {
    const qsizetype p = tipo.indexOf(u'(');
    return p < 0 ? tipo : tipo.left(p);
}

// Table hints the engine has no use for: its readers never block.
bool EsSugerencia(const Pieza& p) {
    static const QSet<QString> sugerencias{"NOLOCK",         "READUNCOMMITTED", "ROWLOCK",  "UPDLOCK",
                                           "HOLDLOCK",       "NOWAIT",          "READPAST", "PAGLOCK",
                                           "TABLOCK",        "TABLOCKX",        "XLOCK",    "SERIALIZABLE",
                                           "REPEATABLEREAD", "READCOMMITTED"};
    return EsUnaDe(p, sugerencias);
}

// True when the group (desde, hasta) holds table hints and commas only.
bool SoloSugerencias(const Piezas& ps, qsizetype desde, qsizetype hasta) {
    if (hasta <= desde + 1) return false;
    for (qsizetype i = desde + 1; i < hasta; ++i)
        if (!EsSugerencia(ps[i]) && !ps[i].es(Clase::Coma)) return false;
    return true;
}

bool EsDbo(const Pieza& p) {
    return p.esPalabra(u"dbo") ||
           (p.es(Clase::Nombre) && p.texto.compare(u"[dbo]", Qt::CaseInsensitive) == 0);
}

// CONVERT(type, value[, style]). Numbers go to SV_NUMERO, which rounds and refuses as the
// server does; texts and dates to SV_CONVERT, which knows the date styles (103 = dd/mm/yyyy)
// and cuts texts to their length.
void Convert(const Piezas& ps, const std::vector<qsizetype>& pareja, qsizetype i, Edicion& e) {
    const qsizetype abre = i + 1;
    const qsizetype cierra = pareja[abre];
    qsizetype t = abre + 1;
    if (t >= cierra || !ps[t].es(Clase::Palabra)) return;
    qsizetype finTipo = t + 1;
    if (finTipo < cierra && ps[finTipo].es(Clase::AbreParen)) finTipo = pareja[finTipo] + 1;
    if (finTipo >= cierra || !ps[finTipo].es(Clase::Coma)) return;
    const QString tipo = NombreDeTipo(ps, t, finTipo);
    if (EsTipoNumerico(tipo)) {
        qsizetype finValor = cierra;
        for (qsizetype k = finTipo + 1; k < cierra; ++k) {
            if (ps[k].es(Clase::AbreParen)) {
                k = pareja[k];
            } else if (ps[k].es(Clase::Coma)) {
                finValor = k;
                break;
            }
        }
        e.cambiar(i, "SV_NUMERO");
        e.quitar(t, finTipo);
        if (finValor < cierra) e.quitar(finValor, cierra - 1);
        e.insertarAntes(cierra, ", " + LiteralTexto(tipo));
        return;
    }
    e.cambiar(i, "SV_CONVERT");
    e.cambiar(t, LiteralTexto(tipo));
    if (finTipo > t + 1) e.quitar(t + 1, finTipo - 1);
}

// CAST(value AS type): numbers to SV_NUMERO, dates and texts to SV_CONVERT.
void Cast(const Piezas& ps, const std::vector<qsizetype>& pareja, qsizetype i, Edicion& e) {
    const qsizetype abre = i + 1;
    const qsizetype cierra = pareja[abre];
    qsizetype as = -1;
    for (qsizetype k = abre + 1; k < cierra; ++k) {
        if (ps[k].es(Clase::AbreParen))
            k = pareja[k];
        else if (ps[k].esPalabra(u"AS"))
            as = k;
    }
    if (as < 0 || as + 1 >= cierra) return;
    const QString tipo = NombreDeTipo(ps, as + 1, cierra);
    if (EsTipoNumerico(tipo)) {
        e.cambiar(i, "SV_NUMERO");
        e.cambiar(as, ", " + LiteralTexto(tipo));
        e.quitar(as + 1, cierra - 1);
        return;
    }
    if (!EsTipoFecha(tipo) && !EsTipoTexto(tipo)) return;
    e.cambiar(i, "SV_CONVERT");
    e.insertarDespues(abre, LiteralTexto(tipo) + ",");
    e.quitar(as, cierra - 1);
}

}  // namespace

QString NombreDeTipo(const Piezas& ps, qsizetype desde, qsizetype hasta) {
    QString r;
    for (qsizetype i = desde; i < hasta; ++i) r += ps[i].texto;
    return r.toUpper();
}

bool EsTipoNumerico(const QString& tipo) {
    static const QStringList numericos{"INT",   "INTEGER", "BIGINT", "SMALLINT",   "TINYINT", "BIT",
                                       "FLOAT", "REAL",    "MONEY",  "SMALLMONEY", "DECIMAL", "NUMERIC"};
    return numericos.contains(Base(tipo));
}

bool EsTipoTexto(const QString& tipo) {
    static const QStringList textos{"CHAR", "VARCHAR", "NCHAR", "NVARCHAR", "TEXT", "NTEXT", "SYSNAME"};
    return textos.contains(Base(tipo));
}

bool EsTipoFecha(const QString& tipo) {
    static const QStringList fechas{"DATETIME", "SMALLDATETIME", "DATE", "DATETIME2"};
    return fechas.contains(Base(tipo));
}

Piezas AjustarNombresYFunciones(const Piezas& ps) {
    const std::vector<qsizetype> pareja = Parejas(ps);
    const bool pares = pareja.size() == static_cast<size_t>(ps.size());
    const qsizetype n = ps.size();
    Edicion e(ps);
    auto llamada = [&](qsizetype i) { return pares && i + 1 < n && ps[i + 1].es(Clase::AbreParen); };
    for (qsizetype i = 0; i < n; ++i) {
        const Pieza& p = ps[i];
        switch (p.clase) {
            case Clase::AbreParen:
                if (pares && SoloSugerencias(ps, i, pareja[i])) {
                    e.quitar(i, pareja[i]);
                    i = pareja[i];
                }
                break;
            case Clase::Nombre:
            case Clase::Palabra:
                if (EsDbo(p) && i + 1 < n && ps[i + 1].es(Clase::Punto)) {
                    e.quitar(i, i + 1);
                    // [base].dbo.TABLA names the one database the engine has open.
                    if (i >= 2 && ps[i - 1].es(Clase::Punto) && EsNombre(ps[i - 2])) e.quitar(i - 2, i - 1);
                    ++i;
                } else if (p.esPalabra(u"WITH") && llamada(i) && SoloSugerencias(ps, i + 1, pareja[i + 1])) {
                    e.quitar(i, pareja[i + 1]);
                    i = pareja[i + 1];
                } else if (p.esPalabra(u"ISNULL") && llamada(i)) {
                    e.cambiar(i, "IFNULL");
                } else if ((p.esPalabra(u"LEFT") || p.esPalabra(u"RIGHT")) && llamada(i)) {
                    e.cambiar(i, "SV_" + p.texto.toUpper());
                } else if (p.esPalabra(u"GETDATE") && llamada(i) && pareja[i + 1] == i + 2) {
                    e.cambiar(i, "datetime('now','localtime')");
                    e.quitar(i + 1, i + 2);
                    i += 2;
                } else if (p.esPalabra(u"CURRENT_TIMESTAMP")) {
                    e.cambiar(i, "datetime('now','localtime')");
                } else if (p.esPalabra(u"CONVERT") && llamada(i)) {
                    Convert(ps, pareja, i, e);
                } else if (p.esPalabra(u"CAST") && llamada(i)) {
                    Cast(ps, pareja, i, e);
                }
                break;
            default:
                break;
        }
    }
    return e.aplicar();
}

}  // namespace ado::sqlite
