// The company's collation and LIKE on the embedded engine.
#include "outside/ado/sqlite/ExtensionesSqlite.h"

#include <sqlite3.h>

#include <QString>

#include "outside/ado/AdoTipos.h"
#include "outside/ado/ErroresAdo.h"
#include "outside/ado/sqlite/FuncionesServidor.h"
#include "outside/ado/sqlite/TextoDeFuncion.h"
#include "outside/ado/sqlite/VigilanciaColumnas.h"

#include <QDateTime>
#include <algorithm>
#include <string>
#include <string_view>

namespace ado::sqlite {

namespace {

using funcion::Texto;

// The sort key of one character in a Spanish case-blind collation: the letter without case
// or accent first (ñ between n and o), the accent only where the letters tie.
struct Clave {
    uint primaria;
    uint acento;
};

Clave ClaveDe(QChar c) {
    c = c.toCaseFolded();
    if (c == QChar(0xF1)) return {uint(u'n') * 2 + 1, 0};  // ñ
    if (c.decompositionTag() == QChar::Canonical) {
        const QString d = c.decomposition();
        if (d.size() >= 2) return {uint(d[0].toCaseFolded().unicode()) * 2, d[1].unicode()};
    }
    return {uint(c.unicode()) * 2, 0};
}

int CompararEspanol(const QString& a, const QString& b) {
    const qsizetype n = std::min(a.size(), b.size());
    int acentos = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const Clave x = ClaveDe(a[i]), y = ClaveDe(b[i]);
        if (x.primaria != y.primaria) return x.primaria < y.primaria ? -1 : 1;
        if (acentos == 0 && x.acento != y.acento) acentos = x.acento < y.acento ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return acentos;
}

// A stored date compared with a text the server reads as a date compares as dates
// ('2024-02-29' = '29/02/2024' = '20240229'); two texts in any other form compare as texts.
bool CompararFechas(const unsigned char* s1, int n1, const unsigned char* s2, int n2, int& r) {
    if (n1 < 6 || n2 < 6 || n1 > 30 || n2 > 30 || s1[0] < '0' || s1[0] > '9' || s2[0] < '0' || s2[0] > '9')
        return false;
    const auto guardada = [](const unsigned char* t, int n) { return n >= 10 && t[4] == '-' && t[7] == '-'; };
    if (!guardada(s1, n1) && !guardada(s2, n2)) return false;
    const QString a = QString::fromLatin1(reinterpret_cast<const char*>(s1), n1);
    const QString b = QString::fromLatin1(reinterpret_cast<const char*>(s2), n2);
    if (!EsFechaGuardada(a) && !EsFechaGuardada(b)) return false;
    QDateTime fa, fb;
    if (!LeerFechaServidor(a, fa) || !LeerFechaServidor(b, fb)) return false;
    r = fa == fb ? 0 : (fa < fb ? -1 : 1);
    return true;
}

// Case-blind, trailing blanks ignored ('abc ' = 'ABC'), sorted as a Spanish case-blind server
// collation. Pure ASCII runs are compared byte by byte.
int CompararServidor(void*, int n1, const void* a, int n2, const void* b) {
    const auto* s1 = static_cast<const unsigned char*>(a);
    const auto* s2 = static_cast<const unsigned char*>(b);
    while (n1 > 0 && s1[n1 - 1] == ' ') --n1;
    while (n2 > 0 && s2[n2 - 1] == ' ') --n2;
    if (int r = 0; CompararFechas(s1, n1, s2, n2, r)) return r;
    const int n = n1 < n2 ? n1 : n2;
    for (int i = 0; i < n; ++i) {
        unsigned char c1 = s1[i], c2 = s2[i];
        if ((c1 | c2) & 0x80) {
            const QString r1 = QString::fromUtf8(reinterpret_cast<const char*>(s1 + i), n1 - i);
            const QString r2 = QString::fromUtf8(reinterpret_cast<const char*>(s2 + i), n2 - i);
            return CompararEspanol(r1, r2);
        }
        if (c1 >= 'A' && c1 <= 'Z') c1 += 'a' - 'A';
        if (c2 >= 'A' && c2 <= 'Z') c2 += 'a' - 'A';
        if (c1 != c2) return c1 < c2 ? -1 : 1;
    }
    return n1 == n2 ? 0 : (n1 < n2 ? -1 : 1);
}

// Where a LIKE text sits: a QString view, or the bytes of a pure ASCII text.
qsizetype Busca(QStringView v, char16_t c, qsizetype desde) {
    return v.indexOf(QChar(c), desde);
}
QStringView Inicio(QStringView v, qsizetype n) {
    return v.first(n);
}
std::string_view Inicio(std::string_view v, qsizetype n) {
    return v.substr(0, size_t(n));
}
qsizetype Busca(std::string_view v, char16_t c, qsizetype desde) {
    const size_t p = v.find(char(c), size_t(desde));
    return p == std::string_view::npos ? -1 : qsizetype(p);
}

// One element of a LIKE pattern at `p`: a character or a [..] set. Gives whether `c` matches
// and moves `p` past the element.
template <class V, class C>
bool CoincideElemento(V patron, qsizetype& p, C c, C escape, bool conEscape) {
    const C x = patron[p];
    if (conEscape && x == escape && p + 1 < qsizetype(patron.size())) {
        p += 2;
        return patron[p - 1] == c;
    }
    if (x == u'_') {
        ++p;
        return true;
    }
    if (x == u'[') {
        const qsizetype cierre = Busca(patron, u']', p + 2);
        if (cierre > p) {
            qsizetype k = p + 1;
            const bool niega = patron[k] == u'^';
            if (niega) ++k;
            bool dentro = false;
            for (; k < cierre; ++k) {
                if (k + 2 < cierre && patron[k + 1] == u'-') {
                    if (c >= patron[k] && c <= patron[k + 2]) dentro = true;
                    k += 2;
                } else if (patron[k] == c) {
                    dentro = true;
                }
            }
            p = cierre + 1;
            return dentro != niega;
        }
    }
    ++p;
    return x == c;
}

// The server's LIKE: % any run, _ one character, [abc] [a-z] [^a] sets; both texts already folded.
template <class V, class C>
bool Coincide(V patron, V texto, C escape, bool conEscape) {
    const qsizetype np = qsizetype(patron.size()), nt = qsizetype(texto.size());
    qsizetype p = 0, t = 0;
    qsizetype comodinP = -1, comodinT = 0;
    while (t < nt) {
        if (p < np && patron[p] == u'%' && !(conEscape && escape == u'%')) {
            comodinP = ++p;
            comodinT = t;
            continue;
        }
        if (p < np) {
            qsizetype siguiente = p;
            if (CoincideElemento(patron, siguiente, texto[t], escape, conEscape)) {
                p = siguiente;
                ++t;
                continue;
            }
        }
        if (comodinP < 0) return false;
        p = comodinP;
        t = ++comodinT;
    }
    while (p < np && patron[p] == u'%') ++p;
    return p == np;
}

// The match, and as the server does with its texts, the value again without its trailing blanks.
template <class V, class C>
bool CoincideSinBlancos(V patron, V texto, C escape, bool conEscape) {
    if (Coincide(patron, texto, escape, conEscape)) return true;
    qsizetype n = qsizetype(texto.size());
    while (n > 0 && texto[n - 1] == u' ') --n;
    return n < qsizetype(texto.size()) && Coincide(patron, Inicio(texto, n), escape, conEscape);
}

// The value's bytes folded to lower case when they are all ASCII (codes, most descriptions):
// then LIKE runs on them without building texts, which a scan does for every row.
bool AsciiPlegado(sqlite3_value* v, std::string& destino) {
    const auto* t = sqlite3_value_text(v);
    const int n = sqlite3_value_bytes(v);
    destino.resize(size_t(n));
    for (int i = 0; i < n; ++i) {
        unsigned char c = t[i];
        if (c & 0x80) return false;
        if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
        destino[size_t(i)] = char(c);
    }
    return true;
}

void Like(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const bool conEscape = argc == 3;
    thread_local std::string patronAscii, textoAscii, escapeAscii;
    if (AsciiPlegado(argv[0], patronAscii) && AsciiPlegado(argv[1], textoAscii) &&
        (!conEscape || (AsciiPlegado(argv[2], escapeAscii) && escapeAscii.size() == 1))) {
        const char escape = conEscape ? escapeAscii[0] : '\0';
        const bool si = CoincideSinBlancos(std::string_view(patronAscii), std::string_view(textoAscii),
                                           escape, conEscape);
        return sqlite3_result_int(ctx, si ? 1 : 0);
    }
    const QString patron = Texto(argv[0]).toCaseFolded();
    const QString texto = Texto(argv[1]).toCaseFolded();
    QChar escape;
    if (conEscape) {
        const QString e = Texto(argv[2]).toCaseFolded();
        if (e.size() != 1)
            return sqlite3_result_error(ctx, "El carácter de escape de LIKE debe ser uno solo", -1);
        escape = e[0];
    }
    const bool si = CoincideSinBlancos(QStringView(patron), QStringView(texto), escape, conEscape);
    sqlite3_result_int(ctx, si ? 1 : 0);
}

}  // namespace

void RegistrarFunciones(sqlite3* db) {
    constexpr int kFija = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_collation(db, "SERVIDOR", SQLITE_UTF8, nullptr, CompararServidor);
    sqlite3_create_function(db, "like", 2, kFija, nullptr, Like, nullptr, nullptr);
    sqlite3_create_function(db, "like", 3, kFija, nullptr, Like, nullptr, nullptr);
    RegistrarFuncionesServidor(db);
}

void RegistrarExtensiones(sqlite3* db) {
    RegistrarFunciones(db);
    VigilarColumnas(db);
}

namespace {

// A table of the engine's codes, one case each; it reads best whole.
QString SentidoDelCodigo(int codigo) {
    switch (codigo) {
        case SQLITE_CONSTRAINT_NOTNULL:
            return "No se admite un valor nulo en la columna";
        case SQLITE_CONSTRAINT_UNIQUE:
        case SQLITE_CONSTRAINT_PRIMARYKEY:
            return "Infracción de la restricción de clave: no se puede insertar una clave duplicada";
        case SQLITE_CONSTRAINT_FOREIGNKEY:
            return "La instrucción está en conflicto con una referencia a otra tabla";
        case SQLITE_CONSTRAINT_CHECK:
            return "La instrucción está en conflicto con una restricción CHECK";
        default:
            break;
    }
    switch (codigo & 0xff) {
        case SQLITE_ERROR:
            return "Error en la instrucción SQL";
        case SQLITE_INTERNAL:
            return "Error interno del motor de datos";
        case SQLITE_PERM:
            return "Permiso denegado";
        case SQLITE_ABORT:
            return "Operación cancelada";
        case SQLITE_BUSY:
            return "La base de datos está ocupada por otro usuario";
        case SQLITE_LOCKED:
            return "Una tabla de la base de datos está bloqueada";
        case SQLITE_NOMEM:
            return "No hay memoria suficiente";
        case SQLITE_READONLY:
            return "La base de datos es de solo lectura";
        case SQLITE_INTERRUPT:
            return "Operación interrumpida";
        case SQLITE_IOERR:
            return "Error de lectura o escritura en el disco";
        case SQLITE_CORRUPT:
            return "El archivo de la base de datos está dañado";
        case SQLITE_FULL:
            return "El disco está lleno";
        case SQLITE_CANTOPEN:
            return "No se puede abrir el archivo de la base de datos";
        case SQLITE_PROTOCOL:
            return "Error en el bloqueo de la base de datos";
        case SQLITE_SCHEMA:
            return "La estructura de la base de datos cambió";
        case SQLITE_TOOBIG:
            return "El texto o el dato es demasiado grande";
        case SQLITE_CONSTRAINT:
            return "La instrucción está en conflicto con una restricción";
        case SQLITE_MISMATCH:
            return "El tipo de dato no coincide";
        case SQLITE_MISUSE:
            return "Uso incorrecto del motor de datos";
        case SQLITE_AUTH:
            return "Acceso no autorizado";
        case SQLITE_RANGE:
            return "Parámetro fuera de intervalo";
        case SQLITE_NOTADB:
            return "El archivo no es una base de datos";
        default:
            return QString("Error del motor de datos (código %1)").arg(codigo);
    }
}

}  // namespace

void AjustarErrorDelMotor(int codigo, const QString& mensaje, Error& e) {
    // Our own checks and functions name the server's error: "8152|texto".
    const qsizetype barra = mensaje.indexOf(u'|');
    bool numerico = false;
    const int nativo = barra > 0 && barra <= 6 ? mensaje.left(barra).toInt(&numerico) : 0;
    if (!numerico) {
        e.Description = SentidoDelCodigo(codigo) + ": " + mensaje;
        return;
    }
    e.Description = mensaje.mid(barra + 1);
    e.NativeError = nativo;
    switch (nativo) {
        case kNativoTruncado:
            e.Number = kErrDesbordamientoDatos;
            e.SQLState = "22001";
            break;
        case kNativoDesbordamiento:
            e.Number = kErrDesbordamientoDatos;
            e.SQLState = "22003";
            break;
        case 241:
        case 8114:
            e.Number = kErrConversionDatos;
            e.SQLState = nativo == 241 ? "22007" : "22018";
            break;
        default:
            e.Number = kErrSintaxis;
            e.SQLState = "42000";
            break;
    }
}

}  // namespace ado::sqlite
