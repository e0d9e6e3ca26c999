// Statements that differ only in their compared numbers share one translation and one prepared
// statement on the embedded engine: each must still select its own rows.
#include <gtest/gtest.h>

#include "outside/ado/Recordset.h"
#include "support/ImprimeQt.h"

#include "outside/ado/BaseTemporal.h"

namespace {

QStringList Valores(const ado::ConnectionPtr& cn, const QString& sql) {
    auto rs = ado::Recordset::Crear();
    rs->Open(sql, cn, ado::adOpenForwardOnly, ado::adLockReadOnly);
    QStringList v;
    for (; !rs->Eof(); rs->MoveNext()) v << rs->fields()[0].Value().toString();
    return v;
}

TEST(StatementsWithNumbers, EachNumberSelectsItsOwnRows) {
    BaseTemporal b(
        "CREATE TABLE T (ID int, M int, P varchar(4) COLLATE SERVIDOR, X varchar(20) COLLATE SERVIDOR);"
        "INSERT INTO T VALUES (1, 3, '2024', 'a'), (2, 3, '2023 ', 'b'), (3, 4, '2024', '= 3 '), (15, 4, "
        "'2024', 'c'),"
        "(-1, 5, '2024', 'd');");
    auto cn = b.abrir();
    for (int vuelta = 0; vuelta < 2; ++vuelta) {  // the second round runs every shape from its cache
        EXPECT_EQ(Valores(cn, "SELECT ID FROM T WHERE M = 3 AND RTRIM(LTRIM(P)) = 2024"), QStringList({"1"}));
        EXPECT_EQ(Valores(cn, "SELECT ID FROM T WHERE M = 3 AND RTRIM(LTRIM(P)) = 2023"), QStringList({"2"}));
        EXPECT_EQ(Valores(cn, "SELECT ID FROM T WHERE M = 4 AND RTRIM(LTRIM(P)) = 2024 ORDER BY ID"),
                  QStringList({"3", "15"}));
        EXPECT_EQ(Valores(cn, "SELECT ID FROM T WHERE ID = 0000015"), QStringList({"15"}));
        EXPECT_EQ(Valores(cn, "SELECT ID FROM T WHERE ID = -1"), QStringList({"-1"}));
        EXPECT_EQ(Valores(cn, "SELECT ID FROM T WHERE ID = 2 + 1"), QStringList({"3"}));
        EXPECT_EQ(Valores(cn, "SELECT ID FROM T WHERE ID = 1.5"), QStringList());
        EXPECT_EQ(Valores(cn, "SELECT ID FROM T WHERE X = '= 3' AND M = 4"), QStringList({"3"}));
        EXPECT_EQ(Valores(cn, "SELECT TOP 1 ID FROM T WHERE M = 4 ORDER BY ID DESC"), QStringList({"15"}));
        EXPECT_EQ(Valores(cn, "SELECT TOP 2 ID FROM T WHERE M = 3 ORDER BY ID"), QStringList({"1", "2"}));
        EXPECT_EQ(Valores(cn, "SELECT ID FROM T WHERE [M] = 5 OR (ID = 1)"), QStringList({"1", "-1"}));
    }
}

}  // namespace
