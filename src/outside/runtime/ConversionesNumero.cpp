// The reader of numbers as users type them and as the program shows them.
#include "outside/runtime/Conversiones.h"

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdlib>

namespace vb {

namespace {

bool esDigito(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// "d{1,3}(G ddd)+" at the start of the run, then nothing or the decimal separator.
bool agrupado(const QString& run, QChar grupo, QChar decimal) {
    int i = 0;
    while (i < run.size() && esDigito(run[i])) ++i;
    if (i < 1 || i > 3) return false;
    int grupos = 0;
    while (i < run.size() && run[i] == grupo) {
        int j = i + 1;
        while (j < run.size() && esDigito(run[j])) ++j;
        if (j - i - 1 != 3) return false;
        i = j;
        ++grupos;
    }
    if (grupos == 0) return false;
    if (i == run.size()) return true;
    if (run[i] != decimal) return false;
    for (int j = i + 1; j < run.size(); ++j)
        if (!esDigito(run[j])) return false;
    return true;
}

// The C form read as the C library reads it, whatever the process's locale: a number too small
// for a double is 0 (or the nearest one a double holds), as the server reads it; only one too
// large overflows.
std::optional<double> LeerFormaC(const QString& limpio) {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    const QByteArray bytes = limpio.toLatin1();
    char* fin = nullptr;
    errno = 0;
    const double v = strtod_l(bytes.constData(), &fin, c);
    if (fin != bytes.constData() + bytes.size() || (errno == ERANGE && std::isinf(v)) || !std::isfinite(v))
        return std::nullopt;
    return v;
}

}  // namespace

std::optional<double> NumeroInicial(const QString& texto, bool* desborda) {
    if (desborda) *desborda = false;
    const QLocale loc = localeNumeros();
    const QChar decimal = loc.decimalPoint().isEmpty() ? QLatin1Char('.') : loc.decimalPoint().at(0);
    const QChar grupo = loc.groupSeparator().isEmpty() ? QChar() : loc.groupSeparator().at(0);
    const auto separador = [&](QChar c) {
        return c == QLatin1Char('.') || c == QLatin1Char(',') || c == decimal ||
               (!grupo.isNull() && c == grupo);
    };
    const QString s = texto.trimmed();

    QString limpio;  // C form: sign, digits, '.', exponent
    int i = 0;
    if (i < s.size() && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+'))) {
        limpio += s[i++];
        // Format writes a negative " ##0.##0" as "- 3,500".
        while (i < s.size() && s[i] == QLatin1Char(' ')) ++i;
    }
    int fin = i;
    while (fin < s.size() && (esDigito(s[fin]) || separador(s[fin]))) ++fin;
    const QString run = s.mid(i, fin - i);

    bool entero = true;  // the whole run was read, so an exponent may follow
    if (!grupo.isNull() && agrupado(run, grupo, decimal)) {
        for (const QChar c : run)
            if (c != grupo) limpio += c == decimal ? QLatin1Char('.') : c;
    } else {
        bool hayDecimal = false;
        for (const QChar c : run) {
            if (esDigito(c)) {
                limpio += c;
            } else if (!hayDecimal) {
                hayDecimal = true;
                limpio += QLatin1Char('.');
            } else {
                entero = false;  // a second separator ends the number
                break;
            }
        }
    }
    bool digitos = false;
    for (const QChar c : limpio) digitos = digitos || esDigito(c);
    if (!digitos) return std::nullopt;
    if (entero && fin < s.size() && (s[fin] == QLatin1Char('E') || s[fin] == QLatin1Char('e'))) {
        int j = fin + 1;
        QString exp = QStringLiteral("e");
        if (j < s.size() && (s[j] == QLatin1Char('-') || s[j] == QLatin1Char('+'))) exp += s[j++];
        const int inicio = j;
        while (j < s.size() && esDigito(s[j])) exp += s[j++];
        if (j > inicio) limpio += exp;
    }
    if (limpio.endsWith(QLatin1Char('.'))) limpio.chop(1);
    const std::optional<double> v = LeerFormaC(limpio);
    if (!v && desborda) *desborda = true;
    return v;
}

}  // namespace vb
