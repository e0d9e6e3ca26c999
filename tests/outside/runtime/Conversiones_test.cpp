#include "outside/runtime/Conversiones.h"

#include "outside/runtime/ErrorVB.h"

#include <gtest/gtest.h>
#include <cmath>

#include "support/ImprimeQt.h"
#include "support/LocaleNumeros.h"

using namespace vb;

namespace {
int numeroDeError(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErrorVB& e) {
        return e.Number;
    }
    return 0;
}
}  // namespace

TEST(Conversiones, ValTakesTheLeadingNumberWithDotDecimalsWhateverTheLocale) {
    LocaleNumeros coma(LocaleNumeros::coma());
    EXPECT_EQ(Val(""), 0.0);
    EXPECT_EQ(Val("abc"), 0.0);
    EXPECT_EQ(Val("-"), 0.0);
    EXPECT_EQ(Val("."), 0.0);
    EXPECT_EQ(Val("  12.5abc"), 12.5);
    EXPECT_EQ(Val("1 2 3"), 123.0);
    EXPECT_EQ(Val("1,5"), 1.0);
    EXPECT_EQ(Val("1.2.3"), 1.2);
    EXPECT_EQ(Val("-3.5e2x"), -350.0);
    EXPECT_EQ(Val("12e"), 12.0);
    EXPECT_EQ(Val(" - 7"), -7.0);
    EXPECT_EQ(Val("07"), 7.0);
}

TEST(Conversiones, CDblReadsTheNumberLocaleAndRaises13OtherwiseAnd94OnNull) {
    {
        LocaleNumeros coma(LocaleNumeros::coma());
        EXPECT_EQ(CDbl(QVariant("1.234,5")), 1234.5);
        EXPECT_EQ(CDbl(QVariant(" 1,5 ")), 1.5);
        EXPECT_EQ(CDbl(QVariant("-2,25")), -2.25);
        EXPECT_EQ(numeroDeError([] { CDbl(QVariant("1.5")); }), 13);
        EXPECT_TRUE(IsNumeric(QVariant("12,5")));
        EXPECT_FALSE(IsNumeric(QVariant("12.5")));
    }
    LocaleNumeros punto(LocaleNumeros::punto());
    EXPECT_EQ(CDbl(QVariant("1.5")), 1.5);
    EXPECT_EQ(CDbl(QVariant(7)), 7.0);
    EXPECT_EQ(CDbl(QVariant(true)), -1.0);
    EXPECT_EQ(CDbl(QVariant(QDate(1900, 1, 1))), 2.0);
    try {
        CDbl(QVariant("abc"));
        ADD_FAILURE() << "CDbl(\"abc\") did not raise";
    } catch (const ErrorVB& e) {
        EXPECT_EQ(e.Number, 13);
        EXPECT_EQ(e.Description, "No coinciden los tipos");
    }
    EXPECT_EQ(numeroDeError([] { CDbl(QVariant("")); }), 13);
    EXPECT_EQ(numeroDeError([] { CDbl(QVariant()); }), 94);
    EXPECT_FALSE(IsNumeric(QVariant()));
    EXPECT_FALSE(IsNumeric(QVariant("")));
    EXPECT_FALSE(IsNumeric(QVariant("abc")));
    EXPECT_FALSE(IsNumeric(QVariant(QDate(2023, 1, 1))));
    EXPECT_TRUE(IsNumeric(QVariant(3)));
}

TEST(Conversiones, CStrIsTheShortestTextWithoutThousands) {
    {
        LocaleNumeros coma(LocaleNumeros::coma());
        EXPECT_EQ(CStr(10806.8), "10806,8");
        EXPECT_EQ(CStr(1234567.0), "1234567");
        EXPECT_EQ(CDbl(CStr(0.1 + 0.2)), 0.3);
    }
    LocaleNumeros punto(LocaleNumeros::punto());
    EXPECT_EQ(CStr(1000), "1000");
    EXPECT_EQ(CStr(10806.8), "10806.8");
    EXPECT_EQ(CStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(CStr(-2.5), "-2.5");
    EXPECT_EQ(CStr(-0.0), "0");
    EXPECT_EQ(CStr(1e16), "1E+16");
    EXPECT_EQ(CStr(0.00001), "1E-05");
}

TEST(Conversiones, CStrOfAnyValueAndCIntRoundsHalfToEven) {
    LocaleNumeros coma(LocaleNumeros::coma());
    EXPECT_EQ(CStr(QVariant(10806.8)), "10806,8");
    EXPECT_EQ(CStr(QVariant(QDate(2023, 7, 1))), "01/07/2023");
    EXPECT_EQ(CStr(QVariant(QDateTime(QDate(2023, 7, 1), QTime(0, 0)))), "01/07/2023");
    EXPECT_EQ(CStr(QVariant(QDateTime(QDate(2023, 7, 1), QTime(14, 30, 5)))), "01/07/2023 14:30:05");
    EXPECT_EQ(CStr(QVariant(true)), "Verdadero");
    EXPECT_EQ(CStr(QVariant("texto")), "texto");
    EXPECT_EQ(numeroDeError([] { CStr(QVariant()); }), 94);

    EXPECT_EQ(CInt(QVariant(2.5)), 2);
    EXPECT_EQ(CInt(QVariant(3.5)), 4);
    EXPECT_EQ(CInt(QVariant(-2.5)), -2);
    EXPECT_EQ(CInt(QVariant("32767,4")), 32767);
    EXPECT_EQ(CInt(QVariant(-32768)), -32768);
    EXPECT_EQ(numeroDeError([] { CInt(QVariant(32767.5)); }), 6);
    EXPECT_EQ(numeroDeError([] { CInt(QVariant("abc")); }), 13);
    // Overflow, never a silent number.
    EXPECT_EQ(numeroDeError([] { CInt(QVariant(std::nan(""))); }), 6);
    EXPECT_EQ(numeroDeError([] { CInt(QVariant(1e300)); }), 6);
    EXPECT_EQ(numeroDeError([] { CDate(QVariant(1e300)); }), 6);
    EXPECT_EQ(numeroDeError([] { CDate(QVariant(std::nan(""))); }), 6);
}

TEST(Conversiones, CDateIsDayFirstAndStrict) {
    EXPECT_EQ(CDate(QVariant("01/07/2023")), QDateTime(QDate(2023, 7, 1), QTime(0, 0)));
    EXPECT_EQ(CDate(QVariant("1/7/23")), QDateTime(QDate(2023, 7, 1), QTime(0, 0)));
    EXPECT_EQ(CDate(QVariant("1/7/45")).date(), QDate(1945, 7, 1));
    EXPECT_EQ(CDate(QVariant(" 31/12/2024 14:30 ")), QDateTime(QDate(2024, 12, 31), QTime(14, 30)));
    EXPECT_EQ(CDate(QVariant("31-12-2024 14:30:15")), QDateTime(QDate(2024, 12, 31), QTime(14, 30, 15)));
    EXPECT_EQ(CDate(QVariant("2023-07-01")), QDateTime(QDate(2023, 7, 1), QTime(0, 0)));
    EXPECT_EQ(CDate(QVariant("2023-07-01 08:09:10")), QDateTime(QDate(2023, 7, 1), QTime(8, 9, 10)));
    EXPECT_EQ(CDate(QVariant(QDate(2023, 7, 1))), QDateTime(QDate(2023, 7, 1), QTime(0, 0)));
    EXPECT_EQ(CDate(QVariant(2.5)), QDateTime(QDate(1900, 1, 1), QTime(12, 0)));

    EXPECT_TRUE(IsDate(QVariant("29/02/2024")));
    EXPECT_FALSE(IsDate(QVariant("29/02/2023")));
    EXPECT_FALSE(IsDate(QVariant("31/02/2023")));
    // Month first is not tried when day first fails.
    EXPECT_FALSE(IsDate(QVariant("12/31/2023")));
    EXPECT_FALSE(IsDate(QVariant("01/07/2023 25:00")));
    EXPECT_FALSE(IsDate(QVariant("")));
    EXPECT_FALSE(IsDate(QVariant()));
    EXPECT_FALSE(IsDate(QVariant(45000)));
    EXPECT_EQ(numeroDeError([] { CDate(QVariant("31/02/2023")); }), 13);
    EXPECT_EQ(numeroDeError([] { CDate(QVariant("abc")); }), 13);
    EXPECT_EQ(numeroDeError([] { CDate(QVariant()); }), 94);

    const QDate d = CDate(QVariant("01/07/2023")).date();
    EXPECT_EQ(Year(d), 2023);
    EXPECT_EQ(Month(d), 7);
    EXPECT_EQ(Day(d), 1);
}

TEST(Conversiones, DateDiffMesesCountsCalendarMonths) {
    EXPECT_EQ(DateDiffMeses(QDate(2023, 7, 1), QDate(2024, 6, 30)), 11);
    EXPECT_EQ(DateDiffMeses(QDate(2023, 1, 1), QDate(2023, 6, 30)), 5);
    EXPECT_EQ(DateDiffMeses(QDate(2024, 1, 31), QDate(2024, 2, 1)), 1);
    EXPECT_EQ(DateDiffMeses(QDate(2022, 12, 31), QDate(2023, 1, 1)), 1);
    EXPECT_EQ(DateDiffMeses(QDate(2024, 3, 1), QDate(2024, 3, 31)), 0);
    EXPECT_EQ(DateDiffMeses(QDate(2024, 6, 30), QDate(2023, 7, 1)), -11);
}

TEST(Conversiones, TrimRemovesBlanksOnly) {
    EXPECT_EQ(Trim("  a\t b  "), "a\t b");
    EXPECT_EQ(Trim("\tx \n"), "\tx \n");
    EXPECT_EQ(LTrim("  x  "), "x  ");
    EXPECT_EQ(RTrim("  x  "), "  x");
    EXPECT_EQ(Trim("   "), "");
}

TEST(Conversiones, NowComesFromTheReplaceableClock) {
    const QDateTime fijo(QDate(2026, 3, 15), QTime(10, 20, 30));
    setReloj([&] { return fijo; });
    EXPECT_EQ(Now(), fijo);
    setReloj({});
    const QDateTime antes = QDateTime::currentDateTime();
    const QDateTime ahora = Now();
    const QDateTime despues = QDateTime::currentDateTime();
    EXPECT_EQ(ahora.time().msec(), 0);
    // The system's clock at the call, in whole seconds, however long the call took.
    EXPECT_GE(ahora, antes.addMSecs(-antes.time().msec()));
    EXPECT_LE(ahora, despues);
}

TEST(Conversiones, AValueIsANumberByHowItIsHeldNotByHowItReads) {
    for (const QVariant& v : {QVariant(7), QVariant(qlonglong(1) << 40), QVariant(2.5), QVariant(1.5f),
                              QVariant::fromValue<uchar>(3), QVariant::fromValue<short>(-4)})
        EXPECT_TRUE(vb::EsValorNumerico(v)) << v.typeName();
    for (const QVariant& v : {QVariant(true), QVariant(QStringLiteral("12")), QVariant(QDate(2024, 1, 1)),
                              QVariant(QMetaType::fromType<double>())})
        EXPECT_EQ(vb::EsValorNumerico(v), v.typeId() == QMetaType::Double) << v.typeName();
    // A Boolean is not a number, but VB's IsNumeric accepts it.
    EXPECT_TRUE(vb::IsNumeric(QVariant(true)));
}

TEST(LeadingNumber, GroupsOnlyInThreesOtherwiseALoneSeparatorIsTheDecimalPoint) {
    for (const QLocale& locale : {LocaleNumeros::coma(), LocaleNumeros::punto()}) {
        LocaleNumeros l(locale);
        const bool coma = locale.decimalPoint() == ",";
        SCOPED_TRACE(coma ? "coma" : "punto");
        EXPECT_EQ(vb::NumeroInicial("1500.5"), 1500.5);
        EXPECT_EQ(vb::NumeroInicial("1500,5"), 1500.5);
        EXPECT_EQ(vb::NumeroInicial("8500,5"), 8500.5);
        EXPECT_EQ(vb::NumeroInicial(" -0,25 "), -0.25);
        EXPECT_EQ(vb::NumeroInicial(".5"), 0.5);
        EXPECT_EQ(vb::NumeroInicial("12."), 12);
        // The locale's group separator between groups of three digits.
        EXPECT_EQ(vb::NumeroInicial("1.500"), coma ? 1500 : 1.5);
        EXPECT_EQ(vb::NumeroInicial("1,500"), coma ? 1.5 : 1500);
        EXPECT_EQ(vb::NumeroInicial(coma ? "1.500,5" : "1,500.5"), 1500.5);
        EXPECT_EQ(vb::NumeroInicial(coma ? "1.234.567,89" : "1,234,567.89"), 1234567.89);
        // Groups that are not of three: the first separator is the decimal point, a second ends it.
        EXPECT_EQ(vb::NumeroInicial("12.34.56"), 12.34);
        EXPECT_EQ(vb::NumeroInicial(coma ? "1.50,5" : "1,50.5"), 1.5);
        EXPECT_EQ(vb::NumeroInicial(coma ? "1,5E+20" : "1.5E+20"), 1.5e20);
        EXPECT_EQ(vb::NumeroInicial("1433abc"), 1433);
        EXPECT_EQ(vb::NumeroInicial(coma ? "- 3,500" : "- 3.500"), -3.5);  // as Format writes it
        EXPECT_FALSE(vb::NumeroInicial("."));
        EXPECT_FALSE(vb::NumeroInicial("abc"));
        EXPECT_FALSE(vb::NumeroInicial(""));
    }
}
