#include "outside/ado/sqlite/ProveedorSqlite.h"

#include <gtest/gtest.h>

#include "support/ImprimeQt.h"

using ado::sqlite::ProveedorSqlite;

TEST(ProveedorSqlite, OnlyPlainQueriesOfOneObjectAreWrittenBack) {
    EXPECT_EQ(ProveedorSqlite::ObjetoDeConsulta("SELECT * FROM MA_CUENTA"), "MA_CUENTA");
    EXPECT_EQ(
        ProveedorSqlite::ObjetoDeConsulta("select top 1 * from dbo.[MA CUENTA] with (nolock) where A = 'x' "
                                          "order by B desc"),
        "MA CUENTA");
    EXPECT_EQ(ProveedorSqlite::ObjetoDeConsulta(
                  "SELECT TOP 1 Codigo, (SELECT MAX(x) FROM T2) AS m FROM SS_CLIENTE c "
                  "WHERE c.Codigo IN (SELECT Codigo FROM T3 GROUP BY Codigo)"),
              "SS_CLIENTE");
    EXPECT_EQ(ProveedorSqlite::ObjetoDeConsulta("SELECT * FROM MA_CUENTA (NOLOCK) WHERE Nombre = 'a FROM b'"),
              "MA_CUENTA");
    for (const char* no :
         {"SELECT * FROM A, B", "SELECT * FROM A JOIN B ON A.x = B.x",
          "SELECT * FROM A a INNER JOIN B b ON a.x = b.x", "SELECT DISTINCT x FROM A",
          "SELECT x, COUNT(*) FROM A GROUP BY x", "SELECT x FROM A UNION SELECT x FROM B",
          "SELECT * INTO C FROM A", "SELECT 1", "UPDATE A SET x = 1", "SELECT * FROM (SELECT 1) t"})
        EXPECT_EQ(ProveedorSqlite::ObjetoDeConsulta(no), "") << no;
}
