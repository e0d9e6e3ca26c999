#include "data/DB_Dll.h"

#include "data/DB_Dll_Texto.h"
#include "data/Globales.h"
#include "outside/ado/sqlite/Lexico.h"
#include "outside/runtime/Programa.h"

#include <string_view>

namespace {

using ado::sqlite::Clase;
using ado::sqlite::Pieza;
using ado::sqlite::Piezas;

const QString kMarca = QStringLiteral("@Admin_");

bool EmpiezaConMarca(const QString& s) {
    return s.startsWith(kMarca, Qt::CaseInsensitive);
}

// A table or view name as the statement writes it: a word, or a quoted or bracketed name,
// perhaps with the marker before it. Quoted texts and comments hold no names.
struct Nombre {
    qsizetype inicio = 0;
    qsizetype fin = 0;
    QString nombre;  // without marker or quotes
    QString abre, cierra;
    bool marcado = false;
};

QList<Nombre> Nombres(const QString& sql) {
    const Piezas ps = ado::sqlite::Tokenizar(sql);
    QList<Nombre> r;
    for (qsizetype i = 0; i < ps.size(); ++i) {
        const Pieza& p = ps[i];
        if (!p.es(Clase::Palabra) && !p.es(Clase::Nombre)) continue;
        Nombre n;
        n.inicio = p.inicio;
        n.fin = p.fin;
        const Pieza* escrito = &p;
        if (p.es(Clase::Palabra) && EmpiezaConMarca(p.texto)) {
            n.marcado = true;
            n.nombre = p.texto.mid(kMarca.size());
            // "@Admin_[MA_CUENTAS]": the marker written before a bracketed name.
            if (n.nombre.isEmpty() && i + 1 < ps.size() && ps[i + 1].es(Clase::Nombre) &&
                ps[i + 1].inicio == p.fin) {
                escrito = &ps[++i];
                n.fin = escrito->fin;
            }
        }
        if (escrito->es(Clase::Nombre)) {
            n.nombre = escrito->nombreSinComillas();
            n.abre = escrito->texto.left(1);
            const QString cierre = n.abre == u"[" ? QStringLiteral("]") : n.abre;
            // An unterminated name keeps having no closer.
            if (escrito->texto.size() > 1 && escrito->texto.endsWith(cierre)) n.cierra = cierre;
            if (EmpiezaConMarca(n.nombre)) {
                n.marcado = true;
                n.nombre = n.nombre.mid(kMarca.size());
            }
        } else if (!n.marcado) {
            n.nombre = p.texto;
        }
        r.append(n);
    }
    return r;
}

// The text with each name given by `nuevo` (an empty answer leaves the name as written).
template <typename F>
QString Reescribir(const QString& sql, const QList<Nombre>& nombres, F nuevo) {
    QString r;
    r.reserve(sql.size() + 16);
    qsizetype desde = 0;
    for (const Nombre& n : nombres) {
        const QString cambio = nuevo(n);
        if (cambio.isNull() && !n.marcado) continue;
        r += QStringView(sql).sliced(desde, n.inicio - desde);
        QString nombre = cambio.isNull() ? n.nombre : cambio;
        if (!n.cierra.isEmpty()) nombre.replace(n.cierra, n.cierra + n.cierra);
        r += n.abre + nombre + n.cierra;
        desde = n.fin;
    }
    r += QStringView(sql).sliced(desde);
    return r;
}

bool ProgramaEs(const QString& nombre) {
    return vb::App().EXEName.compare(nombre, Qt::CaseInsensitive) == 0;
}

}  // namespace

namespace db_texto {

bool TieneMarca(const QString& sentencia) {
    for (const Nombre& n : Nombres(sentencia))
        if (n.marcado) return true;
    return false;
}

QString QuitaMarca(const QString& sentencia) {
    const QList<Nombre> nombres = Nombres(sentencia);
    return Reescribir(sentencia, nombres, [](const Nombre&) { return QString(); });
}

}  // namespace db_texto

namespace {

// The restricted view of a guarded name; a null text for any other name. MA_CUENTAS is the
// caller's to judge.
QString VistaDe(const QString& nombre) {
    struct Vista {
        const char* nombre;
        const char* vista;
    };
    static const Vista vistas[] = {
        {"MA_CUENTAS", "SS_MA_CUENTAS"},
        {"V_TA_DEPOSITO", "SS_V_TA_DEPOSITO"},
        {"MV_ASIENTOS", "SS_MV_ASIENTOS"},
        {"V_TA_FAMILIAS", "SS_V_TA_FAMILIAS"},
        {"V_TA_CAJAS", "SS_V_TA_CAJAS"},
        {"AC_CUENTASDIARIO", "SS_AC_CUENTASDIARIO"},
        {"AC_CUENTASDIARIO_CCOSTO", "SS_AC_CUENTAS_DIARIO_CCOSTO"},
    };
    for (const Vista& v : vistas) {
        if (nombre.compare(QLatin1String(v.nombre), Qt::CaseInsensitive) != 0) continue;
        if (v.nombre == std::string_view("V_TA_DEPOSITO") &&
            (ProgramaEs("V_CONS_FICHA_STOCK") || ProgramaEs("RP_STOCK")))
            return QString();
        if (v.nombre == std::string_view("V_TA_FAMILIAS") && (ProgramaEs("XQTRANS") || ProgramaEs("QLX")))
            return QString();
        return QString::fromLatin1(v.vista);
    }
    return QString();
}

// The journal's own name lifts the mapping (its restricted view does not).
bool EsAsientos(const Nombre& n) {
    return n.nombre.compare(QLatin1String("MV_ASIENTOS"), Qt::CaseInsensitive) == 0;
}

}  // namespace

// The rewrite works on the statement's names: a guarded name is mapped however it is written
// (bare, quoted, bracketed, qualified, beside a comment), never inside a quoted text, and only
// markers and names outside quoted texts lift the mapping.
QString DB_Dll::SS_TSinonimos(const QString& SentenciaSQL) {
    const QList<Nombre> nombres = Nombres(SentenciaSQL);
    const auto tal = [](const Nombre&) { return QString(); };
    if (gEsAdmin) return Reescribir(SentenciaSQL, nombres, tal);
    bool conAsientos = false, conMarca = false;
    for (const Nombre& n : nombres) {
        conAsientos = conAsientos || EsAsientos(n);
        conMarca = conMarca || n.marcado;
    }
    if (conAsientos && !CNStuffContable::gSSConfidencialidad) return Reescribir(SentenciaSQL, nombres, tal);

    return Reescribir(SentenciaSQL, nombres, [&](const Nombre& n) -> QString {
        if (n.marcado) return QString();
        if (conMarca && n.nombre.compare(QLatin1String("SS_MA_CUENTAS"), Qt::CaseInsensitive) == 0)
            return QStringLiteral("MA_CUENTAS");
        // A statement that marks any table reads the chart of accounts unfiltered.
        if (conMarca && n.nombre.compare(QLatin1String("MA_CUENTAS"), Qt::CaseInsensitive) == 0)
            return QString();
        return VistaDe(n.nombre);
    });
}

// Text that is not the program's own: a marker in it goes and the name after it is read as any
// other, and the journal's name becomes its view, so nothing in it lifts the mapping of the
// statement it joins.
QString DB_Dll::SS_TSinonimosDeDato(const QString& texto) {
    const QList<Nombre> nombres = Nombres(texto);
    return Reescribir(texto, nombres, [&](const Nombre& n) -> QString {
        if (gEsAdmin) return QString();
        if (n.marcado || EsAsientos(n)) return VistaDe(n.nombre);
        return QString();
    });
}
