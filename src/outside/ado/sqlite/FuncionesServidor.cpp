#include "outside/ado/sqlite/FuncionesServidor.h"

#include <sqlite3.h>

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cmath>
#include <limits>

#include "outside/ado/sqlite/Reescritura.h"
#include "outside/runtime/Conversiones.h"

namespace ado::sqlite {

namespace {

const char* const kFechaInvalida =
    "Error de conversión al convertir una cadena de caracteres en fecha u hora.";
const char* const kNumeroInvalido = "Error de conversión al convertir un texto en un valor numérico.";

bool EsNulo(sqlite3_value* v) {
    return sqlite3_value_type(v) == SQLITE_NULL;
}

QString Texto(sqlite3_value* v) {
    const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return QString::fromUtf8(t, sqlite3_value_bytes(v));
}

void Resultado(sqlite3_context* ctx, const QString& s) {
    const QByteArray u = s.toUtf8();
    sqlite3_result_text(ctx, u.constData(), static_cast<int>(u.size()), SQLITE_TRANSIENT);
}

QString SinBlancosFinales(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == u' ') --n;
    return s.left(n);
}

int Numero2(const QString& s, qsizetype i) {
    if (i + 1 >= s.size() || !s[i].isDigit() || !s[i + 1].isDigit()) return -1;
    return (s[i].unicode() - '0') * 10 + (s[i + 1].unicode() - '0');
}

// A date as stored (ISO), as the program writes it (d/m/yyyy) or as yyyymmdd.
bool LeerFecha(QString s, QDateTime& r, bool mesPrimero = false) {
    s = s.trimmed();
    if (mesPrimero && s.size() >= 8 && s.indexOf(u'/') > 0) {
        const QStringList partes = s.split(u'/');
        if (partes.size() == 3) s = partes[1] + u'/' + partes[0] + u'/' + partes[2];
    }
    if (s.size() == 8 && s.toLongLong() > 0) s = s.left(4) + u'-' + s.mid(4, 2) + u'-' + s.mid(6, 2);
    const QString iso = FechaIso(s);
    if (!iso.isEmpty()) s = iso;
    if (s.size() < 10 || s[4] != u'-' || s[7] != u'-') return false;
    const QDate d(s.left(4).toInt(), Numero2(s, 5), Numero2(s, 8));
    if (!d.isValid()) return false;
    QTime t(0, 0);
    if (s.size() > 10) {
        if ((s[10] != u' ' && s[10] != u'T') || s.size() < 16 || s[13] != u':') return false;
        const int seg = s.size() >= 19 && s[16] == u':' ? Numero2(s, 17) : 0;
        t = QTime(Numero2(s, 11), Numero2(s, 14), seg);
        if (!t.isValid()) return false;
    }
    r = QDateTime(d, t);
    return true;
}

bool LeerFechaValor(sqlite3_value* v, QDateTime& r, bool mesPrimero = false) {
    const int tipo = sqlite3_value_type(v);
    if (tipo == SQLITE_INTEGER || tipo == SQLITE_FLOAT) {
        // The server counts days from 1 January 1900.
        const double dias = sqlite3_value_double(v);
        const double entero = std::floor(dias);
        r = QDateTime(QDate(1900, 1, 1).addDays(static_cast<qint64>(entero)), QTime(0, 0))
                .addSecs(static_cast<qint64>(std::llround((dias - entero) * 86400.0)));
        return true;
    }
    return LeerFecha(Texto(v), r, mesPrimero);
}

// Dates without time are stored as the date alone.
QString FechaGuardada(const QDateTime& f) {
    return f.time() == QTime(0, 0) ? f.toString("yyyy-MM-dd") : f.toString("yyyy-MM-dd HH:mm:ss");
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
        if (conEstilo && tipoValor == SQLITE_TEXT && LeerFecha(Texto(argv[1]), f))
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
            return sqlite3_result_error(ctx, kFechaInvalida, -1);
        return Resultado(ctx, tipo.startsWith("DATE") && !tipo.startsWith("DATETIME")
                                  ? f.toString("yyyy-MM-dd")
                                  : FechaGuardada(f));
    }
    if (EsTipoNumerico(tipo)) {
        const int n = sqlite3_value_numeric_type(argv[1]);
        if (n != SQLITE_INTEGER && n != SQLITE_FLOAT) return sqlite3_result_error(ctx, kNumeroInvalido, -1);
        if (tipo.contains("INT") || tipo == "BIT")
            return sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(sqlite3_value_double(argv[1])));
        return sqlite3_result_double(ctx, sqlite3_value_double(argv[1]));
    }
    sqlite3_result_value(ctx, argv[1]);
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
    if (!LeerFechaValor(argv[0], f)) return sqlite3_result_error(ctx, kFechaInvalida, -1);
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

void Repetir(sqlite3_context* ctx, int, sqlite3_value** argv) {
    qint64 n = 0;
    if (EsNulo(argv[0]) || EsNulo(argv[1]) || !LeerCantidad(ctx, argv[1], n)) return sqlite3_result_null(ctx);
    Resultado(ctx, TextoDeValor(argv[0]).repeated(n));
}

template <bool Izquierda>
void Extremo(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (EsNulo(argv[0]) || EsNulo(argv[1])) return sqlite3_result_null(ctx);
    const qint64 n = sqlite3_value_int64(argv[1]);
    if (n < 0) return sqlite3_result_error(ctx, "Parámetro de longitud no válido.", -1);
    const QString s = TextoDeValor(argv[0]);
    Resultado(ctx, Izquierda ? s.left(n) : s.right(n));
}

// Jet's VAL, as VB's Val reads a text: its leading number, 0 when it has none.
void ValorDeTexto(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (EsNulo(argv[0])) return sqlite3_result_null(ctx);
    const double v = vb::Val(TextoDeValor(argv[0]));
    if (v == std::floor(v) && std::fabs(v) < 9.0e15) return sqlite3_result_int64(ctx, static_cast<qint64>(v));
    sqlite3_result_double(ctx, v);
}

}  // namespace

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
        {"SV_LEFT", 2, Extremo<true>, kFija},
        {"SV_RIGHT", 2, Extremo<false>, kFija},
        {"SV_CONVERT", 2, Convertir, kFija},
        {"SV_CONVERT", 3, Convertir, kFija},
        {"SV_SUMA", 2, Sumar, kFija},
        {"VAL", 1, ValorDeTexto, kFija},
    };
    for (const Funcion& f : funciones)
        sqlite3_create_function(db, f.nombre, f.argumentos, f.opciones, nullptr, f.f, nullptr, nullptr);
}

}  // namespace ado::sqlite
