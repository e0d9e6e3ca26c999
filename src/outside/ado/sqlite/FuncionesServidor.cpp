#include "outside/ado/sqlite/FuncionesServidor.h"

#include <sqlite3.h>

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>

#include "outside/ado/sqlite/Reescritura.h"
#include "outside/ado/sqlite/TextoDeFuncion.h"
#include "outside/runtime/Archivos.h"
#include "outside/runtime/Conversiones.h"

namespace ado::sqlite {

namespace {

const char* const kFechaInvalida =
    "241|Error de conversión al convertir una cadena de caracteres en fecha u hora.";
const char* const kNumeroInvalido = "8114|Error de conversión al convertir un texto en un valor numérico.";

// Digits read at `i` (at most `maximo`); -1 when there are fewer than `minimo`.
int Digitos(QStringView s, qsizetype& i, int minimo, int maximo, int* cuantos = nullptr) {
    const qsizetype desde = i;
    int v = 0;
    while (i < s.size() && i - desde < maximo && s[i] >= u'0' && s[i] <= u'9')
        v = v * 10 + (s[i++].unicode() - '0');
    if (cuantos) *cuantos = int(i - desde);
    if (i - desde < minimo || (i < s.size() && s[i] >= u'0' && s[i] <= u'9')) return -1;
    return v;
}

// "h:mm[:ss[.fff]]" from `i` to the end of the text.
bool LeerHora(QStringView s, qsizetype i, QTime& t) {
    const int h = Digitos(s, i, 1, 2);
    if (h < 0 || i >= s.size() || s[i] != u':') return false;
    ++i;
    const int m = Digitos(s, i, 2, 2);
    int seg = 0, ms = 0;
    if (m < 0) return false;
    if (i < s.size() && s[i] == u':') {
        ++i;
        seg = Digitos(s, i, 2, 2);
        if (seg < 0) return false;
        if (i < s.size() && s[i] == u'.') {
            ++i;
            int n = 0;
            ms = Digitos(s, i, 1, 3, &n);
            if (ms < 0) return false;
            for (; n < 3; ++n) ms *= 10;
        }
    }
    if (i != s.size()) return false;
    t = QTime(h, m, seg, ms);
    return t.isValid();
}

bool EsNulo(sqlite3_value* v) {
    return sqlite3_value_type(v) == SQLITE_NULL;
}

using funcion::Resultado;
using funcion::Texto;

QString SinBlancosFinales(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == u' ') --n;
    return s.left(n);
}

bool LeerFechaValor(sqlite3_value* v, QDateTime& r, bool mesPrimero = false) {
    const int tipo = sqlite3_value_type(v);
    if (tipo == SQLITE_INTEGER || tipo == SQLITE_FLOAT) {
        // The server counts days from 1 January 1900, up to the year 9999.
        const double dias = sqlite3_value_double(v);
        if (!(dias >= -53690.0 && dias < 2958464.0)) return false;
        const double entero = std::floor(dias);
        r = QDateTime(QDate(1900, 1, 1).addDays(static_cast<qint64>(entero)), QTime(0, 0), Qt::UTC)
                .addMSecs(std::llround((dias - entero) * 86400000.0));
        return true;
    }
    return LeerFechaServidor(Texto(v), r, mesPrimero);
}

// A number beyond any date is an overflow; a text that is no date, a conversion error.
bool FechaONumeroFuera(sqlite3_value* v) {
    const int tipo = sqlite3_value_type(v);
    return tipo == SQLITE_INTEGER || tipo == SQLITE_FLOAT;
}

QString FechaConEstilo(const QDateTime& f, int estilo) {
    switch (estilo) {
        case 1:
            return f.toString("MM/dd/yy");
        case 101:
            return f.toString("MM/dd/yyyy");
        case 2:
            return f.toString("yy.MM.dd");
        case 102:
            return f.toString("yyyy.MM.dd");
        case 3:
            return f.toString("dd/MM/yy");
        case 103:
            return f.toString("dd/MM/yyyy");
        case 4:
            return f.toString("dd.MM.yy");
        case 104:
            return f.toString("dd.MM.yyyy");
        case 5:
            return f.toString("dd-MM-yy");
        case 105:
            return f.toString("dd-MM-yyyy");
        case 8:
        case 108:
            return f.toString("HH:mm:ss");
        case 111:
            return f.toString("yyyy/MM/dd");
        case 112:
            return f.toString("yyyyMMdd");
        case 23:
            return f.toString("yyyy-MM-dd");
        case 21:
        case 121:
            return f.toString("yyyy-MM-dd HH:mm:ss.zzz");
        default:
            return f.toString("yyyy-MM-dd HH:mm:ss");
    }
}

// "VARCHAR(10)" -> 10; no length -> 30, as the server gives CONVERT and CAST; MAX -> none.
int LargoDeTipo(const QString& tipo) {
    const qsizetype abre = tipo.indexOf(u'(');
    if (abre < 0) return 30;
    const QString dentro = tipo.mid(abre + 1, tipo.indexOf(u')') - abre - 1);
    if (dentro == u"MAX") return -1;
    bool ok = false;
    const int n = dentro.toInt(&ok);
    return ok ? n : -1;
}

QString TextoDeValor(sqlite3_value* v) {
    if (sqlite3_value_type(v) == SQLITE_FLOAT) return QString::number(sqlite3_value_double(v), 'g', 15);
    return Texto(v);
}

void ANumero(sqlite3_context* ctx, sqlite3_value* v, const QString& tipo) {
    double d = 0;
    const int clase = sqlite3_value_numeric_type(v);
    if (clase == SQLITE_INTEGER || clase == SQLITE_FLOAT) {
        d = sqlite3_value_double(v);
    } else if (!(sqlite3_value_type(v) == SQLITE_TEXT && Texto(v).trimmed().isEmpty() &&
                 tipo.contains("INT"))) {
        return sqlite3_result_error(ctx, kNumeroInvalido, -1);
    }
    if (!std::isfinite(d)) return sqlite3_result_error(ctx, kDesbordamiento, -1);
    const QString base = tipo.left(tipo.indexOf(u'(')).trimmed();
    if (base == "FLOAT" || base == "REAL") return sqlite3_result_double(ctx, d);
    if (base == "BIT") return sqlite3_result_int(ctx, d != 0 ? 1 : 0);
    if (base.contains("INT")) {
        const double maximo = base == "TINYINT"    ? 255.0
                              : base == "SMALLINT" ? 32767.0
                              : base == "BIGINT"   ? 9223372036854775807.0
                                                   : 2147483647.0;
        const double minimo = base == "TINYINT" ? 0.0 : -maximo - 1.0;
        const double entero = std::trunc(d);
        if (!(entero >= minimo && entero < maximo + 1.0))
            return sqlite3_result_error(ctx, kDesbordamiento, -1);
        if (clase == SQLITE_INTEGER) return sqlite3_result_int64(ctx, sqlite3_value_int64(v));
        return sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(entero));
    }
    // DECIMAL / NUMERIC / MONEY: precision and scale.
    int p = 18, e = 0;
    if (base.contains("MONEY")) {
        p = 19;
        e = 4;
    } else if (const qsizetype abre = tipo.indexOf(u'('); abre > 0) {
        const QStringList partes = tipo.mid(abre + 1, tipo.indexOf(u')') - abre - 1).split(u',');
        p = std::clamp(partes.value(0).trimmed().toInt(), 1, 38);
        e = std::clamp(partes.size() > 1 ? partes[1].trimmed().toInt() : 0, 0, p);
    }
    // The value's 15 significant digits, as written: 1.005 is 1.005, not 1.00499999...
    const QString cifras = QString::number(std::fabs(d), 'e', 14);
    const QString digitos = cifras.left(1) + cifras.mid(2, 14);
    const int exponente = cifras.mid(cifras.indexOf(u'e') + 1).toInt();
    const int k = exponente + 1 + e;  // digits kept
    double r = std::fabs(d);
    if (k < 15) {
        sqlite3_int64 n = 0;
        for (int i = 0; i < k; ++i) n = n * 10 + (digitos[i].unicode() - '0');
        if (k >= 0 && digitos[k] >= u'5') ++n;
        r = double(n) / std::pow(10.0, e);
    }
    if (r >= std::pow(10.0, p - e)) return sqlite3_result_error(ctx, kDesbordamiento, -1);
    if (d < 0) r = -r;
    // A whole number stays whole, however large, as the server shows a DECIMAL(p,0).
    if (e == 0 && std::fabs(r) < 9223372036854775808.0)
        return sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(r));
    sqlite3_result_double(ctx, r);
}

// SV_CONVERT(type, value[, style]): CONVERT and CAST to texts and dates, as the server does them.
void Convertir(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (EsNulo(argv[1])) return sqlite3_result_null(ctx);
    const QString tipo = Texto(argv[0]).toUpper();
    const bool conEstilo = argc == 3 && !EsNulo(argv[2]);
    const int estilo = conEstilo ? sqlite3_value_int(argv[2]) : 0;
    if (EsTipoTexto(tipo)) {
        QString r;
        QDateTime f;
        const int tipoValor = sqlite3_value_type(argv[1]);
        if (conEstilo && tipoValor == SQLITE_TEXT && LeerFechaServidor(Texto(argv[1]), f))
            r = FechaConEstilo(f, estilo);
        else
            r = TextoDeValor(argv[1]);
        const int largo = LargoDeTipo(tipo);
        if (largo >= 0 && r.size() > largo) r.truncate(largo);
        if (largo > 0 && (tipo.startsWith("CHAR") || tipo.startsWith("NCHAR"))) r = r.leftJustified(largo);
        return Resultado(ctx, r);
    }
    if (EsTipoFecha(tipo)) {
        QDateTime f;
        if (!LeerFechaValor(argv[1], f, estilo == 1 || estilo == 101))
            return sqlite3_result_error(ctx, FechaONumeroFuera(argv[1]) ? kDesbordamiento : kFechaInvalida,
                                        -1);
        return Resultado(ctx, tipo.startsWith("DATE") && !tipo.startsWith("DATETIME")
                                  ? f.toString("yyyy-MM-dd")
                                  : FechaGuardada(f));
    }
    if (EsTipoNumerico(tipo)) return ANumero(ctx, argv[1], tipo);
    sqlite3_result_value(ctx, argv[1]);
}

// SV_NUMERO(value, type): CONVERT and CAST to the server's number types. Whole types cut the
// decimals and refuse what they cannot hold; DECIMAL(p,s) rounds half away from zero to s places
// on the value's decimal digits (1.005 gives 1.01) and refuses more than p - s whole digits.
void Numero(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (EsNulo(argv[0])) return sqlite3_result_null(ctx);
    ANumero(ctx, argv[0], Texto(argv[1]).toUpper());
}

void Error(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const QByteArray m = Texto(argv[0]).toUtf8();
    sqlite3_result_error(ctx, m.constData(), int(m.size()));
}

// SV_FECHA_NORMAL(value): the stored form of a text the server would read as a date, or NULL
// when there is nothing to change.
void FechaNormal(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) != SQLITE_TEXT) return sqlite3_result_null(ctx);
    const QString t = Texto(argv[0]);
    QDateTime f;
    if (EsFechaGuardada(t) || !LeerFechaServidor(t, f)) return sqlite3_result_null(ctx);
    Resultado(ctx, FechaGuardada(f));
}

// SV_SUMA(a, b): the server's "+" where the statement does not tell texts from numbers:
// two texts are joined, anything else is added.
void Sumar(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (EsNulo(argv[0]) || EsNulo(argv[1])) return sqlite3_result_null(ctx);
    if (sqlite3_value_type(argv[0]) == SQLITE_TEXT && sqlite3_value_type(argv[1]) == SQLITE_TEXT)
        return Resultado(ctx, Texto(argv[0]) + Texto(argv[1]));
    struct Numero {
        bool entero = true;
        sqlite3_int64 i = 0;
        double d = 0;
    };
    // A blank text counts as 0, as the server reads it for a whole number.
    const auto leer = [](sqlite3_value* v, Numero& n) {
        if (sqlite3_value_type(v) == SQLITE_TEXT && Texto(v).trimmed().isEmpty()) return true;
        const int t = sqlite3_value_numeric_type(v);
        if (t != SQLITE_INTEGER && t != SQLITE_FLOAT) return false;
        n.entero = t == SQLITE_INTEGER;
        n.i = sqlite3_value_int64(v);
        n.d = sqlite3_value_double(v);
        return true;
    };
    Numero a, b;
    if (!leer(argv[0], a) || !leer(argv[1], b)) return sqlite3_result_error(ctx, kNumeroInvalido, -1);
    if (a.entero && b.entero) {
        sqlite3_int64 r = 0;
        if (!__builtin_add_overflow(a.i, b.i, &r)) return sqlite3_result_int64(ctx, r);
    }
    sqlite3_result_double(ctx, a.d + b.d);
}

// LEN: characters without the trailing blanks, as the server counts them.
void Largo(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (EsNulo(argv[0])) return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, SinBlancosFinales(TextoDeValor(argv[0])).size());
}

// CHARINDEX(buscado, texto[, desde]): position from 1, 0 when absent; case-blind as the server.
void PosicionTexto(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i)
        if (EsNulo(argv[i])) return sqlite3_result_null(ctx);
    const QString buscado = TextoDeValor(argv[0]);
    const QString texto = TextoDeValor(argv[1]);
    const qsizetype desde = argc == 3 ? std::max<qsizetype>(sqlite3_value_int64(argv[2]), 1) - 1 : 0;
    if (buscado.isEmpty()) return sqlite3_result_int(ctx, 0);
    sqlite3_result_int64(ctx, texto.indexOf(buscado, desde, Qt::CaseInsensitive) + 1);
}

void FechaActual(sqlite3_context* ctx, int, sqlite3_value**) {
    Resultado(ctx, QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss"));
}

template <int Parte>
void ParteDeFecha(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (EsNulo(argv[0])) return sqlite3_result_null(ctx);
    QDateTime f;
    if (!LeerFechaValor(argv[0], f))
        return sqlite3_result_error(ctx, FechaONumeroFuera(argv[0]) ? kDesbordamiento : kFechaInvalida, -1);
    const QDate d = f.date();
    sqlite3_result_int(ctx, Parte == 0 ? d.year() : Parte == 1 ? d.month() : d.day());
}

bool LeerCantidad(sqlite3_context* ctx, sqlite3_value* v, qint64& n) {
    n = sqlite3_value_int64(v);
    if (n < 0) {
        sqlite3_result_null(ctx);
        return false;
    }
    // A blank run this long is never a value the program means.
    n = std::min<qint64>(n, 8000);
    return true;
}

void Espacios(sqlite3_context* ctx, int, sqlite3_value** argv) {
    qint64 n = 0;
    if (EsNulo(argv[0]) || !LeerCantidad(ctx, argv[0], n)) return sqlite3_result_null(ctx);
    Resultado(ctx, QString(n, u' '));
}

// REPLICATE and REPLACE: as the server cuts them for a text that is not of a MAX type.
constexpr qsizetype kLargoMaximo = 8000;

void Repetir(sqlite3_context* ctx, int, sqlite3_value** argv) {
    qint64 n = 0;
    if (EsNulo(argv[0]) || EsNulo(argv[1]) || !LeerCantidad(ctx, argv[1], n)) return sqlite3_result_null(ctx);
    const QString s = TextoDeValor(argv[0]);
    if (s.isEmpty()) return Resultado(ctx, s);
    n = std::min<qint64>(n, kLargoMaximo / s.size() + 1);
    Resultado(ctx, s.repeated(n).left(kLargoMaximo));
}

template <bool Izquierda>
void Extremo(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (EsNulo(argv[0]) || EsNulo(argv[1])) return sqlite3_result_null(ctx);
    const qint64 n = sqlite3_value_int64(argv[1]);
    if (n < 0) return sqlite3_result_error(ctx, "Parámetro de longitud no válido.", -1);
    const QString s = TextoDeValor(argv[0]);
    funcion::ResultadoDeTexto(ctx, Izquierda ? s.left(n) : s.right(n), kSubtipoTexto);
}

// The server's SUBSTRING: the characters from `desde` (1 is the first; before it counts too)
// for `largo`, on the whole text, NULs included.
void Subcadena(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (EsNulo(argv[0]) || EsNulo(argv[1]) || EsNulo(argv[2])) return sqlite3_result_null(ctx);
    const qint64 desde = sqlite3_value_int64(argv[1]);
    const qint64 largo = sqlite3_value_int64(argv[2]);
    if (largo < 0)
        return sqlite3_result_error(ctx, "537|Parámetro de longitud no válido pasado a la función SUBSTRING.",
                                    -1);
    const QString s = TextoDeValor(argv[0]);
    // The length is never negative here, so the end can only pass the top: there it stays.
    qint64 hasta = 0;
    if (__builtin_add_overflow(desde, largo, &hasta)) hasta = std::numeric_limits<qint64>::max();
    const qint64 n = s.size();
    const qint64 inicio = std::clamp<qint64>(desde, 1, n + 1);
    const qint64 fin = std::clamp<qint64>(hasta, 1, n + 1);
    funcion::ResultadoDeTexto(ctx, fin > inicio ? s.mid(inicio - 1, fin - inicio) : QString(), kSubtipoTexto);
}

// The server's LTRIM and RTRIM: blanks off one end, NULs kept, and the result a text.
template <bool Izquierda>
void SinBlancos(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (EsNulo(argv[0])) return sqlite3_result_null(ctx);
    const QString s = TextoDeValor(argv[0]);
    qsizetype desde = 0, hasta = s.size();
    if (Izquierda)
        while (desde < hasta && s[desde] == u' ') ++desde;
    else
        while (hasta > desde && s[hasta - 1] == u' ') --hasta;
    funcion::ResultadoDeTexto(ctx, s.sliced(desde, hasta - desde), kSubtipoTexto);
}

// The server's UPPER and LOWER: every letter, one character for one (ß stays ß), NULs kept; a
// letter of the company's code page whose other case that code page lacks stays as it is (µ).
template <bool Mayuscula>
void Caso(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (EsNulo(argv[0])) return sqlite3_result_null(ctx);
    QString s = TextoDeValor(argv[0]);
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
            const char32_t c = QChar::surrogateToUcs4(s[i], s[i + 1]);
            const char32_t m = Mayuscula ? QChar::toUpper(c) : QChar::toLower(c);
            if (m != c && QChar::requiresSurrogates(m)) {
                s[i] = QChar(QChar::highSurrogate(m));
                s[i + 1] = QChar(QChar::lowSurrogate(m));
            }
            ++i;
        } else {
            const QChar m = Mayuscula ? s[i].toUpper() : s[i].toLower();
            if (!vb::CabeEnWindows1252(s[i].unicode()) || vb::CabeEnWindows1252(m.unicode())) s[i] = m;
        }
    }
    funcion::ResultadoDeTexto(ctx, s, kSubtipoTexto);
}

// The server's REPLACE: every match, left to right, found as the collation compares (case-blind,
// accents and ñ count); NULs are characters.
void Reemplazar(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (EsNulo(argv[0]) || EsNulo(argv[1]) || EsNulo(argv[2])) return sqlite3_result_null(ctx);
    const QString s = TextoDeValor(argv[0]);
    const QString buscado = TextoDeValor(argv[1]);
    if (buscado.isEmpty()) return funcion::ResultadoDeTexto(ctx, s.left(kLargoMaximo), kSubtipoTexto);
    const QString nuevo = TextoDeValor(argv[2]);
    QString r;
    qsizetype desde = 0;
    // Built up to the cut only, however many matches a long text holds.
    while (r.size() < kLargoMaximo) {
        const qsizetype k = s.indexOf(buscado, desde, Qt::CaseInsensitive);
        if (k < 0) {
            r += QStringView(s).sliced(desde);
            break;
        }
        r += QStringView(s).sliced(desde, k - desde);
        r += nuevo;
        desde = k + buscado.size();
    }
    funcion::ResultadoDeTexto(ctx, r.left(kLargoMaximo), kSubtipoTexto);
}

// Jet's VAL, as VB's Val reads a text: its leading number, 0 when it has none.
void ValorDeTexto(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (EsNulo(argv[0])) return sqlite3_result_null(ctx);
    const double v = vb::Val(TextoDeValor(argv[0]));
    if (v == std::floor(v) && std::fabs(v) < 9.0e15) return sqlite3_result_int64(ctx, static_cast<qint64>(v));
    sqlite3_result_double(ctx, v);
}

}  // namespace

bool EsFechaGuardada(QStringView s) {
    if (s.size() < 10 || s[4] != u'-' || s[7] != u'-') return false;
    QDateTime f;
    return LeerFechaServidor(s, f);
}

bool LeerFechaServidor(QStringView s, QDateTime& r, bool mesPrimero) {
    s = s.trimmed();
    if (s.size() < 6 || s.size() > 30 || !s[0].isDigit()) return false;
    qsizetype i = 0;
    int a = 0, m = 0, d = 0, n = 0;
    const int primero = Digitos(s, i, 1, 8, &n);
    if (primero < 0) return false;
    if (n == 8) {  // yyyymmdd
        a = primero / 10000;
        m = primero / 100 % 100;
        d = primero % 100;
    } else if (n == 4 && i < s.size() && s[i] == u'-') {  // as stored
        a = primero;
        ++i;
        m = Digitos(s, i, 2, 2);
        if (m < 0 || i >= s.size() || s[i] != u'-') return false;
        ++i;
        d = Digitos(s, i, 2, 2);
        if (d < 0) return false;
        if (i < s.size() && s[i] == u'T')
            ++i;
        else if (i < s.size() && s[i] != u' ')
            return false;
    } else if (n <= 2 && i < s.size() && (s[i] == u'/' || s[i] == u'-' || s[i] == u'.')) {
        const QChar sep = s[i++];
        const int segundo = Digitos(s, i, 1, 2);
        if (segundo < 0 || i >= s.size() || s[i] != sep) return false;
        ++i;
        a = Digitos(s, i, 2, 4, &n);
        if (a < 0 || n == 3) return false;
        if (n == 2) a += a < 50 ? 2000 : 1900;
        d = mesPrimero ? segundo : primero;
        m = mesPrimero ? primero : segundo;
    } else {
        return false;
    }
    if (!QDate::isValid(a, m, d)) return false;
    QTime t(0, 0);
    while (i < s.size() && s[i] == u' ') ++i;
    if (i < s.size() && !LeerHora(s, i, t)) return false;
    // Wall-clock values without a zone: UTC keeps them as written and spares a time-zone lookup
    // per call.
    r = QDateTime(QDate(a, m, d), t, Qt::UTC);
    return true;
}

QString FechaGuardada(const QDateTime& f) {
    return f.time() == QTime(0, 0) ? f.toString("yyyy-MM-dd") : f.toString("yyyy-MM-dd HH:mm:ss");
}

void RegistrarFuncionesServidor(sqlite3* db) {
    constexpr int kFija = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    struct Funcion {
        const char* nombre;
        int argumentos;
        void (*f)(sqlite3_context*, int, sqlite3_value**);
        int opciones;
    };
    const Funcion funciones[] = {
        {"LEN", 1, Largo, kFija},
        {"CHARINDEX", 2, PosicionTexto, kFija},
        {"CHARINDEX", 3, PosicionTexto, kFija},
        {"GETDATE", 0, FechaActual, SQLITE_UTF8},
        {"YEAR", 1, ParteDeFecha<0>, kFija},
        {"MONTH", 1, ParteDeFecha<1>, kFija},
        {"DAY", 1, ParteDeFecha<2>, kFija},
        {"SPACE", 1, Espacios, kFija},
        {"REPLICATE", 2, Repetir, kFija},
        {"SUBSTRING", 3, Subcadena, kFija},
        {"LTRIM", 1, SinBlancos<true>, kFija},
        {"RTRIM", 1, SinBlancos<false>, kFija},
        {"UPPER", 1, Caso<true>, kFija},
        {"LOWER", 1, Caso<false>, kFija},
        {"REPLACE", 3, Reemplazar, kFija},
        {"SV_LEFT", 2, Extremo<true>, kFija},
        {"SV_RIGHT", 2, Extremo<false>, kFija},
        {"SV_CONVERT", 2, Convertir, kFija},
        {"SV_CONVERT", 3, Convertir, kFija},
        {"SV_SUMA", 2, Sumar, kFija},
        {"SV_NUMERO", 2, Numero, kFija},
        {"SV_ERROR", 1, Error, SQLITE_UTF8},
        {"SV_FECHA_NORMAL", 1, FechaNormal, kFija},
        {"VAL", 1, ValorDeTexto, kFija},
    };
    for (const Funcion& f : funciones)
        sqlite3_create_function(db, f.nombre, f.argumentos, f.opciones, nullptr, f.f, nullptr, nullptr);
}

}  // namespace ado::sqlite
