// The demo company's journal, sub-journal, summaries, vouchers and fixed assets.
#include "support/BaseDePrueba.h"

#include "outside/ado/Connection.h"
#include "outside/runtime/ErrorVB.h"

#include <gtest/gtest.h>

namespace {

int Entero(const BaseDePrueba& b, const QString& sql) {
    return b.escalar(sql).toInt();
}

TEST(JournalSchema, TheDemoJournalBalancesOnTheDemoChart) {
    BaseDePrueba b(true);
    ASSERT_TRUE(b.valida()) << b.error().toStdString();
    const int asientos =
        Entero(b,
               "SELECT count(*) FROM (SELECT DISTINCT PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], "
               "TIPO_REG FROM MV_ASIENTOS)");
    EXPECT_GE(asientos, 300);
    EXPECT_EQ(Entero(b,
                     "SELECT count(*) FROM MV_ASIENTOS A LEFT JOIN MA_CUENTAS C ON C.CODIGO = A.CUENTA "
                     "WHERE C.CODIGO IS NULL OR C.TITULO <> 0"),
              0);
    // Every entry balances; every line lies in its fiscal year.
    EXPECT_EQ(Entero(b,
                     "SELECT count(*) FROM (SELECT PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], TIPO_REG FROM "
                     "MV_ASIENTOS "
                     "GROUP BY 1, 2, 3, 4 HAVING round(sum(CASE [DEBE-HABER] WHEN 'D' THEN IMPORTE ELSE "
                     "-IMPORTE END), "
                     "2) <> 0)"),
              0);
    EXPECT_EQ(
        Entero(b,
               "SELECT count(*) FROM MV_ASIENTOS A JOIN MV_EJERCICIOS E ON E.PERIODO = CAST(A.PERIODO AS "
               "int) WHERE A.FECHA NOT BETWEEN E.[Fecha Desde] AND E.[Fecha Hasta]"),
        0);
    // Each summary entry of "V" has its control row, numbered with the general entries.
    EXPECT_EQ(
        Entero(b,
               "SELECT count(DISTINCT PERIODO || '-' || MES_OPERATIVO) FROM MV_ASIENTOS WHERE ESRESUMEN = 1"),
        Entero(b, "SELECT count(*) FROM MV_CONTROL_AS_RES"));
    EXPECT_EQ(
        Entero(b,
               "SELECT count(*) FROM MV_ASIENTOS A WHERE ESRESUMEN = 1 AND TIPO_REG = char(255) || 'RS' "
               "AND EXISTS (SELECT 1 FROM MV_ASIENTOS G WHERE G.TIPO_REG = '' AND G.PERIODO = A.PERIODO AND "
               "G.MES_OPERATIVO = A.MES_OPERATIVO AND G.[NUMERO ASIENTO] = A.[NUMERO ASIENTO])"),
        0);
    EXPECT_EQ(Entero(b, "SELECT count(*) FROM MV_CONTROL_AS_RES WHERE Anulado = 1"), 1);
    // Vouchers carry their type right-aligned, as the voucher tables store it.
    EXPECT_EQ(Entero(b,
                     "SELECT count(*) FROM MV_ASIENTOS WHERE TIPO_REG = 'V' AND (TC <> '  FC' OR "
                     "length(NUMERO) <> 8)"),
              0);
    EXPECT_EQ(
        Entero(b,
               "SELECT count(*) FROM MA_SUBDIARIOSCOMPROBANTES S JOIN TA_COMPROBANTES T ON T.CODIGO = S.TC"),
        5);
    EXPECT_EQ(b.filas("SELECT CLAVE, VALOR FROM TA_CONFIGURACION WHERE CLAVE IN ('FECHAOPERDESDE', "
                      "'FECHAOPERHASTA', 'CONDIVA', 'PERIODO') ORDER BY CLAVE"),
              (QList<QStringList>{{"CONDIVA", "1"},
                                  {"FECHAOPERDESDE", "01/07/2026"},
                                  {"FECHAOPERHASTA", "30/06/2027"},
                                  {"PERIODO", "2027"}}));
    EXPECT_EQ(Entero(b, "SELECT max(CODIGO) FROM MA_BIENES"), 41);
}

TEST(JournalSchema, TheEngineRefusesToDeleteAnAccountThatHasLines) {
    BaseDePrueba b(true);
    ASSERT_TRUE(b.valida());
    auto cn = ado::Connection::Crear();
    cn->Open(b.cadenaConexion());
    EXPECT_THROW(cn->Execute("DELETE FROM MA_CUENTAS WHERE CODIGO = '11010100101'"), vb::ErrorVB);
    EXPECT_EQ(Entero(b, "SELECT count(*) FROM MA_CUENTAS WHERE CODIGO = '11010100101'"), 1);
    EXPECT_THROW(cn->Execute("INSERT INTO MV_ASIENTOS (PERIODO, CUENTA) VALUES ('2027', 'NO EXISTE')"),
                 vb::ErrorVB);
    cn->Execute("DELETE FROM MA_CUENTAS WHERE CODIGO = '1101'");  // a title without lines goes
    EXPECT_EQ(Entero(b, "SELECT count(*) FROM MA_CUENTAS WHERE CODIGO = '1101'"), 0);
}

}  // namespace
