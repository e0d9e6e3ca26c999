#pragma once
// VB conversions the program relies on: formats, number and date parsing, rounding and the
// clock. Texts shown to the user and texts typed by the user go through one number locale.
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

namespace vb {

// The locale for decimal and thousands separators (the system's unless set).
QLocale localeNumeros();
void setLocaleNumeros(const QLocale& locale);

// VB Format. Number patterns: "0", "#", ".", "," and literal text around them ("00",
// "#########0.000", " ##0.##0"). Date patterns: d, dd, m, mm, yy, yyyy, h, hh, n, nn, s, ss
// ("mm" after an hour means minutes). Null gives "".
QString Format(const QVariant& v, const QString& patron);

// Rounds half away from zero on the decimal value of v (as displayed with 15 digits).
double Redondear(double v, int decimales);

// VB Val: the leading number of the text, "." as decimal point, blanks ignored; 0 when none.
double Val(const QString& texto);
// The leading number of a typed or shown text, the one reader behind Utilidades.ValorDoble:
// blanks around and after a sign skipped; the locale's group separator only between groups of
// three digits ("1.500,5" in a "," locale); otherwise one "." or "," is the decimal point
// ("1500.5" and "1500,5" are 1500.5); reading stops at the first character that cannot go on
// the number, and an exponent counts only with digits. Nothing when no digit leads the text.
// desborda, when given, tells a number too large for a double from no number at all.
std::optional<double> NumeroInicial(const QString& texto, bool* desborda = nullptr);
// VB CDbl: texts in the number locale; raises 13 when not a number and 94 on Null.
double CDbl(const QVariant& v);
// VB CStr of a number: shortest text (up to 15 digits), no thousands separator.
QString CStr(double v);
// VB CStr of any value: dates as "dd/mm/yyyy[ hh:mm:ss]" (no time at midnight), numbers as
// above, True/False as "Verdadero"/"Falso"; raises 94 on Null.
QString CStr(const QVariant& v);
// VB CInt: rounds half to even; raises 6 outside -32768..32767.
int CInt(const QVariant& v);
bool IsNumeric(const QVariant& v);
// Whether a value is held as a number (integer or floating, the one-byte types included), not a
// text that looks like one; a Boolean is not a number. Every layer asks this one question.
bool EsValorNumerico(const QVariant& v);

// VB CDate: day first ("dd/mm/yyyy", "d/m/yy", optional "hh:mm[:ss]") or ISO "yyyy-mm-dd";
// raises 13 when not a date and 94 on Null.
QDateTime CDate(const QVariant& v);
bool IsDate(const QVariant& v);
int Year(const QDate& d);
int Month(const QDate& d);
int Day(const QDate& d);
// VB DateDiff("m", desde, hasta): months between the two calendar months.
long DateDiffMeses(const QDate& desde, const QDate& hasta);

// VB Trim family: blanks only, tabs and line breaks stay.
QString Trim(const QString& s);
QString LTrim(const QString& s);
QString RTrim(const QString& s);

// The clock (VB Now); tests replace it. An empty function brings back the system clock.
QDateTime Now();
void setReloj(std::function<QDateTime()> reloj);

}  // namespace vb
