// The demo company's chart of accounts: what the chart window and its rules expect of it.
#include "support/BaseDePrueba.h"

#include <gtest/gtest.h>

namespace {

int Entero(const BaseDePrueba& b, const QString& sql) {
    return b.escalar(sql).toInt();
}

}  // namespace

TEST(ChartOfAccountsTables, EveryAccountEndsALevelAndHangsUnderAnExistingTitle) {
    BaseDePrueba b(true);
    ASSERT_TRUE(b.valida()) << b.error().toStdString();
    // Levels of 1, 1, 2, 2, 3 and 2 digits end at 1, 2, 4, 6, 9 and 11.
    EXPECT_EQ(Entero(b, "SELECT count(*) FROM MA_CUENTAS WHERE length(CODIGO) NOT IN (1, 2, 4, 6, 9, 11)"),
              0);
    const char* sinPadre =
        "SELECT count(*) FROM MA_CUENTAS c WHERE length(c.CODIGO) > 1 AND NOT EXISTS (SELECT 1 FROM "
        "MA_CUENTAS p "
        "WHERE p.TITULO = 1 AND p.CODIGO = substr(c.CODIGO, 1, CASE length(c.CODIGO) WHEN 2 THEN 1 WHEN 4 "
        "THEN 2 "
        "WHEN 6 THEN 4 WHEN 9 THEN 6 ELSE 9 END))";
    EXPECT_EQ(Entero(b, sinPadre), 0);
    // Postable accounts only at the last level, and the five chapters present.
    EXPECT_EQ(Entero(b, "SELECT count(*) FROM MA_CUENTAS WHERE TITULO = 0 AND length(CODIGO) <> 11"), 0);
    EXPECT_EQ(b.filas("SELECT CODIGO FROM MA_CUENTAS WHERE length(CODIGO) = 1 ORDER BY CODIGO"),
              (QList<QStringList>{{"1"}, {"2"}, {"3"}, {"4"}, {"5"}}));
    EXPECT_GE(Entero(b, "SELECT count(*) FROM MA_CUENTAS"), 300);
    EXPECT_GE(Entero(b, "SELECT count(*) FROM MA_CUENTAS WHERE DADA_DE_BAJA = 1"), 5);
}

TEST(ChartOfAccountsTables, CustomersAndSuppliersLieInTheirRangesWithTheirViewType) {
    BaseDePrueba b(true);
    ASSERT_TRUE(b.valida()) << b.error().toStdString();
    EXPECT_GE(Entero(b, "SELECT count(*) FROM MA_CUENTAS WHERE TITULO = 0 AND CODIGO LIKE '110301%'"), 30);
    EXPECT_GE(Entero(b, "SELECT count(*) FROM MA_CUENTAS WHERE TITULO = 0 AND CODIGO LIKE '210101%'"), 25);
    EXPECT_EQ(Entero(b, "SELECT count(*) FROM MA_CUENTAS WHERE CODIGO LIKE '110301%' AND TipoVista <> 'CL'"),
              0);
    EXPECT_EQ(Entero(b, "SELECT count(*) FROM MA_CUENTAS WHERE CODIGO LIKE '210101%' AND TipoVista <> 'PR'"),
              0);
    // The payment-means codes the window maps are all in use.
    EXPECT_EQ(Entero(b,
                     "SELECT count(DISTINCT MedioDePago) FROM MA_CUENTAS WHERE MedioDePago IN "
                     "('EF', 'CH', 'TJ', 'DB', 'DC', 'RI', 'RB', 'RG', 'RO')"),
              9);
}
