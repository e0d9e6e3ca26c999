#include "outside/ado/TipoColumna.h"

#include <gtest/gtest.h>
#include <cmath>

#include <QDateTime>

#include "outside/ado/AdoTipos.h"
#include "support/ImprimeQt.h"

using namespace ado;

TEST(TipoColumna, DeclaredTypesGiveCodesAndSizes) {
    auto t = [](const char* d) {
        const TipoColumna c = TipoDeDeclarado(d);
        return QString("%1/%2").arg(c.tipo).arg(c.largo);
    };
    EXPECT_EQ(t("VARCHAR ( 40 )"), "200/40");
    EXPECT_EQ(t("varchar(max)"), "201/2147483647");
    EXPECT_EQ(t("nchar(2)"), "130/2");
    EXPECT_EQ(t("[int]"), "3/4");
    EXPECT_EQ(t("tinyint"), "17/1");
    EXPECT_EQ(t("real"), "5/8");
    EXPECT_EQ(t("numeric(18, 2)"), "131/19");
    EXPECT_EQ(t("smallmoney"), "6/8");
    EXPECT_EQ(t("smalldatetime"), "135/16");
    EXPECT_EQ(t(""), "0/0");
}

TEST(TipoColumna, AssignedValuesAreCheckedAndConverted) {
    QVariant v;
    EXPECT_TRUE(ConvertirParaColumna(adBoolean, 2, "Verdadero", v));
    EXPECT_EQ(v, QVariant(true));
    EXPECT_TRUE(ConvertirParaColumna(adBoolean, 2, -1, v));
    EXPECT_EQ(v, QVariant(true));
    EXPECT_FALSE(ConvertirParaColumna(adBoolean, 2, "quizás", v));
    EXPECT_TRUE(ConvertirParaColumna(adInteger, 4, "2.5", v));
    EXPECT_EQ(v, QVariant(2));  // to even, as the server rounds
    EXPECT_FALSE(ConvertirParaColumna(adInteger, 4, 3e9, v));
    EXPECT_FALSE(ConvertirParaColumna(adInteger, 4, std::nan(""), v));
    EXPECT_FALSE(ConvertirParaColumna(adSmallInt, 2, -1e300, v));
    EXPECT_FALSE(ConvertirParaColumna(adUnsignedTinyInt, 1, -1, v));
    EXPECT_TRUE(ConvertirParaColumna(adDouble, 8, "0,25", v));
    EXPECT_EQ(v, QVariant(0.25));
    EXPECT_FALSE(ConvertirParaColumna(adCurrency, 8, QDate(2024, 1, 1), v));
    EXPECT_TRUE(ConvertirParaColumna(adVarChar, 3, "abc", v));
    // A longer text is taken: the server refuses it when the row is written.
    EXPECT_TRUE(ConvertirParaColumna(adVarChar, 3, "abcd", v));
    EXPECT_EQ(v, QVariant("abcd"));
    EXPECT_TRUE(ConvertirParaColumna(adVarChar, 10, QDate(2024, 5, 1), v));
    EXPECT_EQ(v, QVariant("2024-05-01"));
    EXPECT_TRUE(ConvertirParaColumna(adVarChar, 3, QVariant(), v));
    EXPECT_TRUE(v.isNull());
    EXPECT_TRUE(ConvertirParaColumna(adDBTimeStamp, 16, "29/02/2024 23:59", v));
    EXPECT_EQ(v, QVariant(QDateTime(QDate(2024, 2, 29), QTime(23, 59))));
    EXPECT_FALSE(ConvertirParaColumna(adDBTimeStamp, 16, "29/02/2023", v));
    EXPECT_FALSE(ConvertirParaColumna(adDBDate, 6, 45000, v));
    // Two-digit years as the company server reads them: 00 to 49 in this century.
    for (const auto& [texto, anio] : {std::pair{"1/1/49", 2049},
                                      {"31/12/30", 2030},
                                      {"1/1/00", 2000},
                                      {"1/1/50", 1950},
                                      {"1/1/99", 1999}}) {
        ASSERT_TRUE(ConvertirParaColumna(adDBDate, 6, texto, v)) << texto;
        EXPECT_EQ(v.toDate().year(), anio) << texto;
    }
}

TEST(TipoColumna, DatesAreStoredAsIsoTextWithoutMidnight) {
    EXPECT_EQ(TextoIsoDeFecha(QDateTime(QDate(2024, 5, 1), QTime(0, 0))), "2024-05-01");
    EXPECT_EQ(TextoIsoDeFecha(QDateTime(QDate(2024, 5, 1), QTime(7, 5, 9))), "2024-05-01 07:05:09");
    EXPECT_EQ(FechaDesdeTextoIso("2024-05-01T07:05", adDBTimeStamp),
              QVariant(QDateTime(QDate(2024, 5, 1), QTime(7, 5))));
    EXPECT_FALSE(FechaDesdeTextoIso("2024-13-01", adDBTimeStamp).isValid());
    EXPECT_FALSE(PareceFechaIso("20240501"));
}
