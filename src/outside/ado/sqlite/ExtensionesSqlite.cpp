// The company's collation, LIKE and letter case on the embedded engine.
#include "outside/ado/sqlite/ExtensionesSqlite.h"

#include <sqlite3.h>

#include <QString>

#include "outside/ado/sqlite/FuncionesServidor.h"

namespace ado::sqlite {

namespace {

QString Texto(sqlite3_value* v) {
    const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return QString::fromUtf8(t, sqlite3_value_bytes(v));
}

void Resultado(sqlite3_context* ctx, const QString& s) {
    const QByteArray u = s.toUtf8();
    sqlite3_result_text(ctx, u.constData(), static_cast<int>(u.size()), SQLITE_TRANSIENT);
}

// Case-blind beyond ASCII, trailing blanks ignored ('abc ' = 'ABC'). Pure ASCII runs are
// compared byte by byte; the rest through Qt's case folding, which orders ASCII the same way.
int CompararServidor(void*, int n1, const void* a, int n2, const void* b) {
    const auto* s1 = static_cast<const unsigned char*>(a);
    const auto* s2 = static_cast<const unsigned char*>(b);
    while (n1 > 0 && s1[n1 - 1] == ' ') --n1;
    while (n2 > 0 && s2[n2 - 1] == ' ') --n2;
    const int n = n1 < n2 ? n1 : n2;
    for (int i = 0; i < n; ++i) {
        unsigned char c1 = s1[i], c2 = s2[i];
        if ((c1 | c2) & 0x80) {
            const QString r1 = QString::fromUtf8(reinterpret_cast<const char*>(s1 + i), n1 - i);
            const QString r2 = QString::fromUtf8(reinterpret_cast<const char*>(s2 + i), n2 - i);
            return r1.compare(r2, Qt::CaseInsensitive);
        }
        if (c1 >= 'A' && c1 <= 'Z') c1 += 'a' - 'A';
        if (c2 >= 'A' && c2 <= 'Z') c2 += 'a' - 'A';
        if (c1 != c2) return c1 < c2 ? -1 : 1;
    }
    return n1 == n2 ? 0 : (n1 < n2 ? -1 : 1);
}

// One element of a LIKE pattern at `p`: a character or a [..] set. Gives whether `c` matches
// and moves `p` past the element.
bool CoincideElemento(const QString& patron, qsizetype& p, QChar c, QChar escape, bool conEscape) {
    const QChar x = patron[p];
    if (conEscape && x == escape && p + 1 < patron.size()) {
        p += 2;
        return patron[p - 1] == c;
    }
    if (x == u'_') {
        ++p;
        return true;
    }
    if (x == u'[') {
        const qsizetype cierre = patron.indexOf(u']', p + 2);
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
bool Coincide(const QString& patron, const QString& texto, QChar escape, bool conEscape) {
    qsizetype p = 0, t = 0;
    qsizetype comodinP = -1, comodinT = 0;
    while (t < texto.size()) {
        if (p < patron.size() && patron[p] == u'%' && !(conEscape && escape == u'%')) {
            comodinP = ++p;
            comodinT = t;
            continue;
        }
        if (p < patron.size()) {
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
    while (p < patron.size() && patron[p] == u'%') ++p;
    return p == patron.size();
}

void Like(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const QString patron = Texto(argv[0]).toCaseFolded();
    const QString texto = Texto(argv[1]).toCaseFolded();
    QChar escape;
    const bool conEscape = argc == 3;
    if (conEscape) {
        const QString e = Texto(argv[2]).toCaseFolded();
        if (e.size() != 1)
            return sqlite3_result_error(ctx, "El carácter de escape de LIKE debe ser uno solo", -1);
        escape = e[0];
    }
    bool si = Coincide(patron, texto, escape, conEscape);
    if (!si) {
        // As the server does with its texts, trailing blanks of the value do not count.
        qsizetype n = texto.size();
        while (n > 0 && texto[n - 1] == u' ') --n;
        if (n < texto.size()) si = Coincide(patron, texto.left(n), escape, conEscape);
    }
    sqlite3_result_int(ctx, si ? 1 : 0);
}

void Mayusculas(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    Resultado(ctx, Texto(argv[0]).toUpper());
}

void Minusculas(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    Resultado(ctx, Texto(argv[0]).toLower());
}

}  // namespace

void RegistrarExtensiones(sqlite3* db) {
    constexpr int kFija = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_collation(db, "SERVIDOR", SQLITE_UTF8, nullptr, CompararServidor);
    sqlite3_create_function(db, "like", 2, kFija, nullptr, Like, nullptr, nullptr);
    sqlite3_create_function(db, "like", 3, kFija, nullptr, Like, nullptr, nullptr);
    sqlite3_create_function(db, "upper", 1, kFija, nullptr, Mayusculas, nullptr, nullptr);
    sqlite3_create_function(db, "lower", 1, kFija, nullptr, Minusculas, nullptr, nullptr);
    RegistrarFuncionesServidor(db);
}

}  // namespace ado::sqlite
