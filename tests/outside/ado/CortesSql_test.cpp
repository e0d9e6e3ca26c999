#include "outside/ado/CortesSql.h"

#include <gtest/gtest.h>

using namespace ado;

TEST(CortesSql, TheClausesAreThoseOfTheStatementItself) {
    const QString s =
        "SELECT A, (SELECT TOP 1 B FROM T2 WHERE C = 1 ORDER BY B) FROM T /* order by */ WHERE D LIKE "
        "'x order by y' -- group by\r\n ORDER\tBY A";
    EXPECT_EQ(PosicionClausula(s, u"order by"), s.lastIndexOf("ORDER"));
    EXPECT_EQ(PosicionClausula(s, u"where"), s.indexOf("WHERE D"));
    EXPECT_FALSE(TieneClausula(s, u"group by"));
    EXPECT_EQ(PosicionCola(s), s.lastIndexOf("ORDER"));
    // GROUP BY comes before the ORDER BY in the tail; none leaves the whole statement as head.
    const QString g = "SELECT X FROM T GROUP BY X ORDER BY X";
    EXPECT_EQ(PosicionCola(g), g.indexOf("GROUP"));
    const QString sinCola = "SELECT * FROM T WHERE D = 'group by'";
    EXPECT_EQ(PosicionCola(sinCola), sinCola.size());
    // A bracketed or double-quoted name is no keyword either.
    EXPECT_FALSE(TieneClausula(u"SELECT [where], \"order by\" FROM T", u"where"));
    EXPECT_FALSE(TieneClausula(u"SELECT * FROM T", u""));
}

TEST(CortesSql, TheOwnTextCarriesNoValuesOrComments) {
    EXPECT_EQ(TextoPropio(u"UPDATE T SET D = 'create or drop' /* DROP */ WHERE C = N'x''y'"),
              "UPDATE T SET D = ''   WHERE C = ''");
}

TEST(CortesSql, AStatementWithNothingAfterItsSemicolon) {
    EXPECT_FALSE(VariasSentencias(u"SELECT * FROM T WHERE D = 'a;b'"));
    EXPECT_FALSE(VariasSentencias(u"SELECT * FROM T;  ;\r\n-- fin"));
    EXPECT_FALSE(VariasSentencias(u"SELECT * FROM T /* ; DELETE FROM T */"));
    EXPECT_TRUE(VariasSentencias(u"SELECT * FROM T;DELETE FROM T"));
    EXPECT_TRUE(VariasSentencias(u"SELECT * FROM T WHERE D = '';UPDATE/**/T/**/SET/**/A=1;--'"));
}
