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

TEST(CortesSql, ASecondStatementStartsWhereTheServerStartsOne) {
    // At a line break or with nothing before it, a statement keyword at the outer level.
    for (const char16_t* s :
         {u"SELECT * FROM T WHERE A = 0\r\nUPDATE U SET B = 1\r\nSELECT 1",
          u"SELECT * FROM T WHERE A = 0 UPDATE U SET B = 1", u"SELECT 1 SELECT 2",
          u"SELECT 1 AS Codigo\nDELETE FROM T", u"UPDATE T SET A = 1 SET B = 2", u"SELECT A FROM T EXEC sp_x",
          u"CREATE TABLE X (A int) DROP TABLE T", u"SELECT 1 FROM T WHERE (A = 1) DROP TABLE T"})
        EXPECT_TRUE(VariasSentencias(s)) << QString::fromUtf16(s).toStdString();
    // One statement: its keywords inside parentheses, texts or comments, and its own continuations.
    for (const char16_t* s :
         {u"SELECT * FROM T WHERE A IN (SELECT B FROM U)", u"SELECT 1 UNION ALL SELECT 2 UNION SELECT 3",
          u"INSERT INTO T (A) SELECT B FROM U", u"UPDATE T SET A = (SELECT MAX(B) FROM U)",
          u"WITH C AS (SELECT 1 AS X) SELECT X FROM C", u"SELECT 'x UPDATE T SET A = 1' FROM T",
          u"SELECT * FROM T with(nolock) -- UPDATE T\r\nWHERE A = 1", u"SELECT T.SET FROM T",
          u"CREATE VIEW V AS SELECT A FROM T",
          u"ALTER TABLE T ADD CONSTRAINT F FOREIGN KEY (A) REFERENCES U (B) ON DELETE CASCADE",
          u"SELECT * FROM T\r\nWHERE A = 1\r\nORDER BY A"})
        EXPECT_FALSE(VariasSentencias(s)) << QString::fromUtf16(s).toStdString();
}
