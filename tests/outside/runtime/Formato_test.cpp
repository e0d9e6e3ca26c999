#include "outside/runtime/Conversiones.h"

#include <gtest/gtest.h>

#include "support/ImprimeQt.h"
#include "support/LocaleNumeros.h"

using vb::Format;

TEST(Formato, CoefficientPatternsShowThreeDecimalsRoundedHalfAwayFromZero) {
    LocaleNumeros punto(LocaleNumeros::punto());
    // The grid's recomputed coefficients: leading blank, always three decimals.
    EXPECT_EQ(Format(120.0 / 100.0, " ##0.##0"), " 1.200");
    EXPECT_EQ(Format(100.0 / 300.0, " ##0.##0"), " 0.333");
    EXPECT_EQ(Format(120.0 / 300.0, " ##0.##0"), " 0.400");
    EXPECT_EQ(Format(1.0, " ##0.##0"), " 1.000");
    EXPECT_EQ(Format(1.0 / 16.0, " ##0.##0"), " 0.063");
    EXPECT_EQ(Format(13981.28 / 8500.0, " ##0.##0"), " 1.645");
    EXPECT_EQ(Format(1234.5678, " ##0.##0"), " 1234.568");
    // The loaded coefficients: the stored text, three decimals, no blank.
    EXPECT_EQ(Format(QVariant("1.671"), "#########0.000"), "1.671");
    EXPECT_EQ(Format(1.0, "#########0.000"), "1.000");
    EXPECT_EQ(Format(0.0625, "#########0.000"), "0.063");
    EXPECT_EQ(Format(-0.0625, "#########0.000"), "-0.063");
    // 1.0005 and 2.675 are just below the tie in binary; the decimal value decides.
    EXPECT_EQ(Format(1.0005, "0.000"), "1.001");
    EXPECT_EQ(Format(2.675, "0.00"), "2.68");
    EXPECT_EQ(Format(0.9996, "0.000"), "1.000");
    EXPECT_EQ(Format(999.9996, "#0.000"), "1000.000");
    EXPECT_EQ(Format(-0.0004, "0.000"), "0.000");
}

TEST(Formato, IntegerPlaceholdersAndOptionalDecimals) {
    LocaleNumeros punto(LocaleNumeros::punto());
    EXPECT_EQ(Format(9, "00"), "09");
    EXPECT_EQ(Format(12, "00"), "12");
    EXPECT_EQ(Format(123, "00"), "123");
    EXPECT_EQ(Format(QVariant("7"), "0000"), "0007");
    EXPECT_EQ(Format(2.5, "0"), "3");
    EXPECT_EQ(Format(-2.5, "0"), "-3");
    EXPECT_EQ(Format(-1.5, "0.0"), "-1.5");
    EXPECT_EQ(Format(1.5, "0.0#"), "1.5");
    EXPECT_EQ(Format(1.256, "0.0#"), "1.26");
    EXPECT_EQ(Format(0.5, "#.##"), ".5");
    EXPECT_EQ(Format(1234567.891, "#,##0.00"), "1,234,567.89");
    EXPECT_EQ(Format(QVariant(), "00"), "");
    EXPECT_EQ(Format(QVariant(""), "00"), "");
    EXPECT_EQ(Format(QVariant("abc"), "00"), "abc");
}

TEST(Formato, SeparatorsFollowTheNumberLocale) {
    LocaleNumeros coma(LocaleNumeros::coma());
    EXPECT_EQ(Format(120.0 / 100.0, " ##0.##0"), " 1,200");
    EXPECT_EQ(Format(QVariant("1,671"), "#########0.000"), "1,671");
    EXPECT_EQ(Format(1234567.891, "#,##0.00"), "1.234.567,89");
    EXPECT_EQ(Format(1.0 / 16.0, "#########0.000"), "0,063");
}

TEST(Formato, DatePatterns) {
    const QDateTime f(QDate(2023, 7, 1), QTime(9, 5, 3));
    EXPECT_EQ(Format(f, "dd/mm/yyyy"), "01/07/2023");
    EXPECT_EQ(Format(f, "dd/mm/yy"), "01/07/23");
    EXPECT_EQ(Format(f, "hh:mm"), "09:05");
    EXPECT_EQ(Format(f, "hh:mm:ss"), "09:05:03");
    EXPECT_EQ(Format(f, "mm-dd-yyyy"), "07-01-2023");
    EXPECT_EQ(Format(f, "dd/mm/yy hh:mm"), "01/07/23 09:05");
    EXPECT_EQ(Format(f, "yyyy"), "2023");
    EXPECT_EQ(Format(f, "mm"), "07");
    EXPECT_EQ(Format(QDate(2024, 12, 31), "dd/mm/yyyy"), "31/12/2024");
    // Day-first texts are dates too.
    EXPECT_EQ(Format(QVariant("01/07/2023"), "yyyy"), "2023");
    EXPECT_EQ(Format(QVariant("01/07/2023"), "mm"), "07");
    EXPECT_EQ(Format(QVariant(), "dd/mm/yyyy"), "");
}

TEST(Formato, RedondearIsHalfAwayFromZeroOnTheDecimalValue) {
    EXPECT_DOUBLE_EQ(vb::Redondear(0.0625, 3), 0.063);
    EXPECT_DOUBLE_EQ(vb::Redondear(-0.0625, 3), -0.063);
    EXPECT_DOUBLE_EQ(vb::Redondear(2.675, 2), 2.68);
    EXPECT_DOUBLE_EQ(vb::Redondear(100.0 / 300.0, 3), 0.333);
    EXPECT_DOUBLE_EQ(vb::Redondear(2.5, 0), 3.0);
    EXPECT_DOUBLE_EQ(vb::Redondear(-2.5, 0), -3.0);
    EXPECT_DOUBLE_EQ(vb::Redondear(123456.7, 0), 123457.0);
    EXPECT_DOUBLE_EQ(vb::Redondear(0.0, 3), 0.0);
}
