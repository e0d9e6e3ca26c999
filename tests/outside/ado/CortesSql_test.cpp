#include "outside/ado/CortesSql.h"
#include "support/SentenciasHostiles.h"

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

// A recordset runs one statement that reads. Every word that can begin a statement of the
// server's dialect, and its batch separator, ends the query wherever it stands: after a line
// break, a "GO", a ";", a parenthesis, a comment or a blank.
TEST(CortesSql, AReadIsOneQueryWhateverWordFollowsIt) {
    const QString consulta = "SELECT CODIGO FROM MA_CUENTAS WHERE (CODIGO = '1')";
    for (const SentenciaHostil& h : SentenciasHostiles("copia.sqlite")) {
        if (!h.delDialecto) continue;
        for (const char* entre : {" ", "\r\n", "\r\nGO\r\n", ";", "/**/", "\t"}) {
            const QString s = consulta + entre + h.palabra.toLower() + " X";
            EXPECT_FALSE(ConsultaDeLectura(s)) << s.toStdString();
        }
    }
    // A write, a table made by SELECT ... INTO, a text that another server runs: no read either.
    for (const char16_t* s :
         {u"UPDATE T SET A = 1", u"SELECT A INTO T2 FROM T", u"WITH C AS (SELECT 1 AS X) DELETE FROM T",
          u"WITH C AS (SELECT 1 AS X)", u"SELECT * FROM OPENROWSET('x', 'y', 'EXEC p')", u"", u";",
          u"-- SELECT", u"SELECT 1;;SELECT 2", u"SELECT CASE WHEN A = 1 THEN 2 END END",
          u"SELECT 1 FROM T WHERE A = 1) ) DELETE FROM T", u"(SELECT 1) SELECT 2"})
        EXPECT_FALSE(ConsultaDeLectura(s)) << QString::fromUtf16(s).toStdString();
}

TEST(CortesSql, AReadKeepsThoseWordsInTheirOwnPlaces) {
    for (const char16_t* s :
         {u"SELECT * FROM T WHERE A IN (SELECT B FROM U)", u"SELECT 1 UNION ALL SELECT 2 UNION SELECT 3",
          u"SELECT 1 EXCEPT SELECT 2 INTERSECT (SELECT 3)", u"WITH C AS (SELECT 1 AS X) SELECT X FROM C",
          u"WITH C (X) AS (SELECT 1), D AS (SELECT 2 AS Y) SELECT X, Y FROM C, D;",
          u"SELECT 'x UPDATE T SET A = 1; GO' FROM T",
          u"SELECT * FROM T with(nolock) -- UPDATE T\r\nWHERE A = 1",
          u"SELECT TOP 5 WITH TIES A FROM T WITH (NOLOCK) ORDER BY A", u"SELECT T.SET, [GO], \"END\" FROM T",
          u"SELECT CASE WHEN A = 1 THEN 'a' ELSE CASE B WHEN 1 THEN 'b' END END FROM T",
          u"SELECT A, COUNT(*) FROM T GROUP BY A WITH ROLLUP",
          u"select * from T\r\nwhere A = 1\r\norder by A;"})
        EXPECT_TRUE(ConsultaDeLectura(s)) << QString::fromUtf16(s).toStdString();
}
