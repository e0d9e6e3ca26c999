#include "outside/runtime/Conversiones.h"

#include "outside/runtime/ConversionesInternas.h"
#include "outside/runtime/ErrorVB.h"

#include <QRegularExpression>
#include <cmath>

namespace vb {

namespace {

std::optional<QLocale>& localeElegido() {
    static std::optional<QLocale> locale;
    return locale;
}

std::function<QDateTime()>& reloj() {
    static std::function<QDateTime()> r;
    return r;
}

// VB keeps dates as days since 30/12/1899 with the time as the fraction.
const QDate kDiaCero(1899, 12, 30);

QDateTime desdeSerial(double serial) {
    // Years 100 to 9999 are all a date holds; NaN is no date either.
    if (!(serial >= -657434.0 && serial < 2958466.0)) Raise(6);
    double dias = std::floor(serial);
    double fraccion = serial - dias;
    // VB counts the time of negative serials forward from the day's start as well.
    if (serial < 0 && fraccion > 0) {
        dias = std::ceil(serial);
        fraccion = dias - serial;
    }
    const qint64 ms = std::llround(fraccion * 86400000.0);
    return QDateTime(kDiaCero.addDays(static_cast<qint64>(dias)), QTime(0, 0)).addMSecs(ms);
}

double aSerial(const QDateTime& f) {
    const double dias = static_cast<double>(kDiaCero.daysTo(f.date()));
    const double fraccion = f.time().msecsSinceStartOfDay() / 86400000.0;
    return dias < 0 ? dias - fraccion : dias + fraccion;
}

}  // namespace

bool EsValorNumerico(const QVariant& v) {
    switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::UChar:
        case QMetaType::Double:
        case QMetaType::Float:
            return true;
        default:
            return false;
    }
}

namespace {

bool esTexto(const QVariant& v) {
    return v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray ||
           v.typeId() == QMetaType::QChar;
}

std::optional<double> numeroDeTexto(const QString& texto) {
    const QString t = Trim(texto);
    if (t.isEmpty()) return std::nullopt;
    bool ok = false;
    const double d = localeNumeros().toDouble(t, &ok);
    if (!ok || !std::isfinite(d)) return std::nullopt;
    return d;
}

int anioDeDosDigitos(int anio, int largo) {
    if (largo > 2) return anio;
    return anio < 30 ? 2000 + anio : 1900 + anio;
}

std::optional<QDateTime> fechaDeTexto(const QString& texto) {
    const QString t = Trim(texto);
    static const QRegularExpression diaPrimero(
        R"(^(\d{1,2})([/.-])(\d{1,2})\2(\d{4}|\d{2})(?:\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?$)");
    static const QRegularExpression iso(
        R"(^(\d{4})-(\d{1,2})-(\d{1,2})(?:[ T](\d{1,2}):(\d{1,2})(?::(\d{1,2})(?:\.\d+)?)?)?$)");
    static const QRegularExpression hora(R"(^(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?$)");

    int anio = 0, mes = 0, dia = 0, h = 0, m = 0, s = 0;
    if (auto r = diaPrimero.match(t); r.hasMatch()) {
        dia = r.captured(1).toInt();
        mes = r.captured(3).toInt();
        anio = anioDeDosDigitos(r.captured(4).toInt(), static_cast<int>(r.captured(4).size()));
        h = r.captured(5).toInt();
        m = r.captured(6).toInt();
        s = r.captured(7).toInt();
    } else if (auto r = iso.match(t); r.hasMatch()) {
        anio = r.captured(1).toInt();
        mes = r.captured(2).toInt();
        dia = r.captured(3).toInt();
        h = r.captured(4).toInt();
        m = r.captured(5).toInt();
        s = r.captured(6).toInt();
    } else if (auto r = hora.match(t); r.hasMatch()) {
        anio = kDiaCero.year();
        mes = kDiaCero.month();
        dia = kDiaCero.day();
        h = r.captured(1).toInt();
        m = r.captured(2).toInt();
        s = r.captured(3).toInt();
    } else {
        return std::nullopt;
    }
    const QDate fecha(anio, mes, dia);
    const QTime tiempo(h, m, s);
    if (!fecha.isValid() || !tiempo.isValid()) return std::nullopt;
    return QDateTime(fecha, tiempo);
}

[[noreturn]] void usoDeNull() {
    Raise(94, "Uso no válido de Null");
}

bool esBlanco(QChar c) {
    return c == QLatin1Char(' ');
}

}  // namespace

QLocale localeNumeros() {
    return localeElegido().value_or(QLocale::system());
}

void setLocaleNumeros(const QLocale& locale) {
    localeElegido() = locale;
}

double Val(const QString& texto) {
    QString limpio;
    for (QChar c : texto) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n') &&
            c != QLatin1Char('\r'))
            limpio += c;
    }
    qsizetype i = 0;
    const qsizetype n = limpio.size();
    QString numero;
    if (i < n && (limpio[i] == QLatin1Char('-') || limpio[i] == QLatin1Char('+'))) numero += limpio[i++];
    bool punto = false, digitos = false;
    for (; i < n; ++i) {
        const QChar c = limpio[i];
        if (c.isDigit() && c.unicode() < 128) {
            numero += c;
            digitos = true;
        } else if (c == QLatin1Char('.') && !punto) {
            numero += c;
            punto = true;
        } else {
            break;
        }
    }
    if (!digitos) return 0.0;
    // An exponent counts only when digits follow it.
    if (i < n && QString("eEdD").contains(limpio[i])) {
        qsizetype j = i + 1;
        QString exponente = "e";
        if (j < n && (limpio[j] == QLatin1Char('-') || limpio[j] == QLatin1Char('+')))
            exponente += limpio[j++];
        bool conDigitos = false;
        for (; j < n && limpio[j].isDigit() && limpio[j].unicode() < 128; ++j) {
            exponente += limpio[j];
            conDigitos = true;
        }
        if (conDigitos) numero += exponente;
    }
    bool ok = false;
    const double d = numero.toDouble(&ok);
    return ok && std::isfinite(d) ? d : 0.0;
}

double CDbl(const QVariant& v) {
    if (v.isNull() && !esTexto(v)) usoDeNull();
    if (EsValorNumerico(v)) return v.toDouble();
    switch (v.typeId()) {
        case QMetaType::Bool:
            return v.toBool() ? -1.0 : 0.0;
        case QMetaType::QDate:
            return aSerial(QDateTime(v.toDate(), QTime(0, 0)));
        case QMetaType::QDateTime:
            return aSerial(v.toDateTime());
        default:
            break;
    }
    if (esTexto(v)) {
        if (auto d = numeroDeTexto(v.toString())) return *d;
    }
    Raise(kTiposNoCoinciden);
}

QString CStr(double v) {
    if (v == 0.0) return "0";
    QString s = QString::number(v, 'g', 15);
    s.replace(QLatin1Char('e'), QLatin1Char('E'));
    s.replace(QLatin1Char('.'), localeNumeros().decimalPoint());
    return s;
}

QString CStr(const QVariant& v) {
    if (v.isNull() && !esTexto(v)) usoDeNull();
    switch (v.typeId()) {
        case QMetaType::Bool:
            return v.toBool() ? "Verdadero" : "Falso";
        case QMetaType::QDate:
        case QMetaType::QDateTime:
            return Format(v, {});
        default:
            break;
    }
    if (EsValorNumerico(v)) return CStr(v.toDouble());
    return v.toString();
}

int CInt(const QVariant& v) {
    const double d = std::nearbyint(CDbl(v));
    if (!(d >= -32768.0 && d <= 32767.0)) Raise(6);  // NaN included
    return static_cast<int>(d);
}

bool IsNumeric(const QVariant& v) {
    if (EsValorNumerico(v) || v.typeId() == QMetaType::Bool) return true;
    if (esTexto(v)) return numeroDeTexto(v.toString()).has_value();
    return false;
}

QDateTime CDate(const QVariant& v) {
    if (v.isNull() && !esTexto(v)) usoDeNull();
    switch (v.typeId()) {
        case QMetaType::QDate:
            return QDateTime(v.toDate(), QTime(0, 0));
        case QMetaType::QDateTime:
            return v.toDateTime();
        default:
            break;
    }
    if (EsValorNumerico(v)) return desdeSerial(v.toDouble());
    if (esTexto(v)) {
        if (auto f = fechaDeTexto(v.toString())) return *f;
    }
    Raise(kTiposNoCoinciden);
}

bool IsDate(const QVariant& v) {
    switch (v.typeId()) {
        case QMetaType::QDate:
            return v.toDate().isValid();
        case QMetaType::QDateTime:
            return v.toDateTime().isValid();
        default:
            break;
    }
    return esTexto(v) && fechaDeTexto(v.toString()).has_value();
}

int Year(const QDate& d) {
    return d.year();
}
int Month(const QDate& d) {
    return d.month();
}
int Day(const QDate& d) {
    return d.day();
}

long DateDiffMeses(const QDate& desde, const QDate& hasta) {
    return (static_cast<long>(hasta.year()) * 12 + hasta.month()) -
           (static_cast<long>(desde.year()) * 12 + desde.month());
}

QString LTrim(const QString& s) {
    qsizetype i = 0;
    while (i < s.size() && esBlanco(s[i])) ++i;
    return s.mid(i);
}

QString RTrim(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && esBlanco(s[n - 1])) --n;
    return s.left(n);
}

QString Trim(const QString& s) {
    // One cut, none when there is nothing to trim: lists trim every cell they load.
    qsizetype i = 0;
    qsizetype n = s.size();
    while (n > 0 && esBlanco(s[n - 1])) --n;
    while (i < n && esBlanco(s[i])) ++i;
    return s.mid(i, n - i);
}

QDateTime Now() {
    if (reloj()) return reloj()();
    const QDateTime ahora = QDateTime::currentDateTime();
    // VB's Now has whole seconds.
    return QDateTime(ahora.date(), QTime(ahora.time().hour(), ahora.time().minute(), ahora.time().second()));
}

void setReloj(std::function<QDateTime()> r) {
    reloj() = std::move(r);
}

namespace detalle {
QDateTime fechaDeSerial(double serial) {
    return desdeSerial(serial);
}
std::optional<QDateTime> fechaDesdeTexto(const QString& texto) {
    return fechaDeTexto(texto);
}
std::optional<double> numeroDesdeTexto(const QString& texto) {
    return numeroDeTexto(texto);
}
}  // namespace detalle

}  // namespace vb
