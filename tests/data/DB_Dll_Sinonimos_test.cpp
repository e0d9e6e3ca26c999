#include "data/DB_Dll.h"
#include "data/EntornoDB_Dll.h"
#include "data/Globales.h"
#include "outside/runtime/Programa.h"
#include "support/DialogosGuionados.h"
#include "support/ImprimeQt.h"

#include <gtest/gtest.h>

namespace {

class DB_DllSynonyms : public ::testing::Test {
  protected:
    void SetUp() override {
        anterior_ = vb::App();
        vb::App().EXEName = "indajuste";
        CNStuffContable::gSSConfidencialidad = false;
    }
    void TearDown() override {
        vb::App() = anterior_;
        CNStuffContable::gSSConfidencialidad = false;
    }
    QString mapa(const QString& s) { return db_.SS_TSinonimos(s); }

    DB_Dll db_;  // a new object: not an administrator

  private:
    vb::AppInfo anterior_;
};

TEST_F(DB_DllSynonyms, FullNamesWhereverTheyAre) {
    const QStringList casos[] = {
        {"SELECT * FROM MA_CUENTAS WHERE CODIGO = '1'", "SELECT * FROM SS_MA_CUENTAS WHERE CODIGO = '1'"},
        {"SELECT * FROM MA_CUENTAS", "SELECT * FROM SS_MA_CUENTAS"},
        {"MA_CUENTAS", "SS_MA_CUENTAS"},
        {"SELECT * FROM MA_CUENTAS\r\nWHERE 1 = 1", "SELECT * FROM SS_MA_CUENTAS\r\nWHERE 1 = 1"},
        {"SELECT * FROM\tMA_CUENTAS\tA", "SELECT * FROM\tSS_MA_CUENTAS\tA"},
        {"SELECT * FROM X,MA_CUENTAS WHERE 1 = 1", "SELECT * FROM X,SS_MA_CUENTAS WHERE 1 = 1"},
        {"SELECT * FROM X,MA_CUENTAS.", "SELECT * FROM X,SS_MA_CUENTAS."},
        {"SELECT (SELECT COUNT(*) FROM MA_CUENTAS)", "SELECT (SELECT COUNT(*) FROM SS_MA_CUENTAS)"},
        {"{MA_CUENTAS.CODIGO}", "{SS_MA_CUENTAS.CODIGO}"},
        {"SELECT MA_CUENTAS.CODIGO FROM MA_CUENTAS MA_CUENTAS",
         "SELECT SS_MA_CUENTAS.CODIGO FROM SS_MA_CUENTAS SS_MA_CUENTAS"},
        {"SELECT * FROM [MA_CUENTAS]", "SELECT * FROM [SS_MA_CUENTAS]"},
        {"select * from ma_cuentas where 1 = 1", "select * from SS_MA_CUENTAS where 1 = 1"},
        // Longer names and text values stay.
        {"SELECT * FROM MA_CUENTASADIC A, MA_CUENTASCCOSTO B",
         "SELECT * FROM MA_CUENTASADIC A, MA_CUENTASCCOSTO B"},
        {"SELECT * FROM XMA_CUENTAS", "SELECT * FROM XMA_CUENTAS"},
        {"INSERT INTO T VALUES ('MA_CUENTAS')", "INSERT INTO T VALUES ('MA_CUENTAS')"},
        // Every guarded name, and the view of the longer one with its own spelling.
        {"SELECT * FROM V_TA_DEPOSITO, V_TA_FAMILIAS, V_TA_CAJAS",
         "SELECT * FROM SS_V_TA_DEPOSITO, SS_V_TA_FAMILIAS, SS_V_TA_CAJAS"},
        {"SELECT * FROM AC_CUENTASDIARIO A JOIN AC_CUENTASDIARIO_CCOSTO B ON A.ID = B.ID",
         "SELECT * FROM SS_AC_CUENTASDIARIO A JOIN SS_AC_CUENTAS_DIARIO_CCOSTO B ON A.ID = B.ID"},
    };
    for (const QStringList& c : casos) EXPECT_EQ(mapa(c[0]), c[1]) << c[0].toStdString();
}

TEST_F(DB_DllSynonyms, TheFlagAndTheConfidentiality) {
    // Any marker reads the chart of accounts unfiltered at every mention.
    EXPECT_EQ(mapa("SELECT * FROM @Admin_MA_CUENTAS A, MA_CUENTAS B"),
              "SELECT * FROM MA_CUENTAS A, MA_CUENTAS B");
    EXPECT_EQ(mapa("SELECT * FROM @ADMIN_V_TA_CAJAS A, MA_CUENTAS B, V_TA_CAJAS C"),
              "SELECT * FROM V_TA_CAJAS A, MA_CUENTAS B, SS_V_TA_CAJAS C");
    // Journal entries are mapped only with confidentiality on, and then everything is.
    const QString asientos = "SELECT * FROM MV_ASIENTOS A, @admin_TA_X T, MA_CUENTAS C WHERE 1 = 1";
    EXPECT_EQ(mapa(asientos), "SELECT * FROM MV_ASIENTOS A, TA_X T, MA_CUENTAS C WHERE 1 = 1");
    EXPECT_EQ(mapa("SELECT * FROM MV_ASIENTOS A, MA_CUENTAS C"), "SELECT * FROM MV_ASIENTOS A, MA_CUENTAS C");
    CNStuffContable::gSSConfidencialidad = true;
    EXPECT_EQ(mapa("SELECT * FROM MV_ASIENTOS A, MA_CUENTAS C"),
              "SELECT * FROM SS_MV_ASIENTOS A, SS_MA_CUENTAS C");

    // An administrator loses only the markers.
    db_.gEsAdmin = true;
    EXPECT_EQ(mapa("SELECT * FROM @Admin_MA_CUENTAS A, MA_CUENTAS B, MV_ASIENTOS"),
              "SELECT * FROM MA_CUENTAS A, MA_CUENTAS B, MV_ASIENTOS");
}

TEST_F(DB_DllSynonyms, ExemptPrograms) {
    const QString s = "SELECT * FROM V_TA_DEPOSITO, V_TA_FAMILIAS";
    vb::App().EXEName = "rp_stock";
    EXPECT_EQ(mapa(s), "SELECT * FROM V_TA_DEPOSITO, SS_V_TA_FAMILIAS");
    vb::App().EXEName = "V_Cons_Ficha_Stock";
    EXPECT_EQ(mapa(s), "SELECT * FROM V_TA_DEPOSITO, SS_V_TA_FAMILIAS");
    vb::App().EXEName = "Qlx";
    EXPECT_EQ(mapa(s), "SELECT * FROM SS_V_TA_DEPOSITO, V_TA_FAMILIAS");
    vb::App().EXEName = "XQTRANS";
    EXPECT_EQ(mapa(s), "SELECT * FROM SS_V_TA_DEPOSITO, V_TA_FAMILIAS");
}

TEST_F(DB_DllSynonyms, TheNamesArePiecesOfTheStatement) {
    const QStringList casos[] = {
        {"SELECT * FROM \"MA_CUENTAS\"", "SELECT * FROM \"SS_MA_CUENTAS\""},
        {"SELECT * FROM `ma_cuentas`", "SELECT * FROM `SS_MA_CUENTAS`"},
        {"SELECT * FROM MA_CUENTAS/**/WHERE 1 = 1", "SELECT * FROM SS_MA_CUENTAS/**/WHERE 1 = 1"},
        {"SELECT * FROM/* x */MA_CUENTAS--y", "SELECT * FROM/* x */SS_MA_CUENTAS--y"},
        {"SELECT * FROM\fMA_CUENTAS", "SELECT * FROM\fSS_MA_CUENTAS"},
        {"SELECT * FROM dbo.MA_CUENTAS;", "SELECT * FROM dbo.SS_MA_CUENTAS;"},
        {"SELECT * FROM \"MA_CUENTAS", "SELECT * FROM \"SS_MA_CUENTAS"},
        // Names inside comments and quoted texts are left as written.
        {"SELECT 'MA_CUENTAS' /* MA_CUENTAS */", "SELECT 'MA_CUENTAS' /* MA_CUENTAS */"},
    };
    for (const QStringList& c : casos) EXPECT_EQ(mapa(c[0]), c[1]) << c[0].toStdString();

    // A typed search text never lifts the mapping, nor loses its "@Admin_".
    EXPECT_EQ(mapa("SELECT * FROM MA_CUENTAS WHERE DESCRIPCION = '@Admin_ MV_ASIENTOS'"),
              "SELECT * FROM SS_MA_CUENTAS WHERE DESCRIPCION = '@Admin_ MV_ASIENTOS'");
    EXPECT_EQ(mapa("SELECT * FROM @Admin_[MA_CUENTAS] WHERE X = '@admin_'"),
              "SELECT * FROM [MA_CUENTAS] WHERE X = '@admin_'");
    db_.gEsAdmin = true;
    EXPECT_EQ(mapa("UPDATE @ADMIN_MA_CUENTAS SET DESCRIPCION = 'de @Admin_Juan'"),
              "UPDATE MA_CUENTAS SET DESCRIPCION = 'de @Admin_Juan'");
}

class DB_DllConfidentialRows : public EntornoDB_Dll {};

// However a statement writes the chart of accounts, a user who is not an administrator never
// reads the confidential account.
TEST_F(DB_DllConfidentialRows, NoFormShowsThem) {
    DialogosGuionados sinPreguntas;
    CNStuffContable::gSSConfidencialidad = false;
    ASSERT_TRUE(abrirComo("OPERADOR"));
    ASSERT_FALSE(db().gEsAdmin);
    const QString columnas = "SELECT CODIGO, DESCRIPCION FROM ";
    const QStringList formas = {
        columnas + "\"MA_CUENTAS\"",
        columnas + "`MA_CUENTAS`",
        columnas + "[MA_CUENTAS]",
        columnas + "dbo.MA_CUENTAS",
        columnas + "[dbo].[MA_CUENTAS]",
        columnas + "MA_CUENTAS/* nota */WHERE 1 = 1",
        columnas + "/**/MA_CUENTAS",
        columnas + "MA_CUENTAS-- nota\r\nWHERE 1 = 1",
        columnas + "\fMA_CUENTAS",
        columnas + "\r\nMA_CUENTAS\r\n",
        columnas + "ma_cuentas;",
        columnas + "MA_CUENTAS WHERE DESCRIPCION <> 'MV_ASIENTOS'",
        columnas + "MA_CUENTAS WHERE DESCRIPCION <> '@Admin_'",
        columnas + "MA_CUENTAS WHERE DESCRIPCION NOT LIKE '%@admin_MV_ASIENTOS%'",
        "SELECT X.CODIGO, X.DESCRIPCION FROM (SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS) X",
        "SELECT A.CODIGO, A.DESCRIPCION FROM MA_CUENTAS AS A",
        "SELECT H.CODIGO, H.DESCRIPCION FROM TA_USUARIOS U JOIN \"MA_CUENTAS\" H ON 1 = 1",
        "SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS WHERE CODIGO IN (SELECT CODIGO FROM `MA_CUENTAS`)",
    };
    for (const QString& forma : formas) {
        QString sql = forma;
        ado::RecordsetPtr rs;
        db().AbrirRecordset(sql, rs);
        ASSERT_TRUE(rs && rs->State() == ado::adStateOpen) << forma.toStdString();
        int filas = 0;
        for (; !rs->Eof(); rs->MoveNext(), ++filas)
            EXPECT_NE(rs->valor("CODIGO").toString(), "9") << forma.toStdString();
        EXPECT_GT(filas, 0) << forma.toStdString();
    }
}

}  // namespace

namespace {

// Text that is not the program's own (a lookup mask): nothing in it lifts the mapping.
TEST_F(DB_DllSynonyms, DataTextLiftsNothing) {
    EXPECT_EQ(db_.SS_TSinonimosDeDato("Codigo|Descripcion|'x' AS MV_ASIENTOS"),
              "Codigo|Descripcion|'x' AS SS_MV_ASIENTOS");
    EXPECT_EQ(db_.SS_TSinonimosDeDato("Codigo|1 AS [@Admin_x]|(SELECT 1 FROM @Admin_MA_CUENTAS)"),
              "Codigo|1 AS [x]|(SELECT 1 FROM SS_MA_CUENTAS)");
    // Joined to the program's statement, the result is still mapped.
    EXPECT_EQ(
        mapa("SELECT TOP 10 " + db_.SS_TSinonimosDeDato("Codigo, 1 AS @admin_X, 'x' AS MV_ASIENTOS") +
             " FROM MA_CUENTAS WHERE " +
             db_.SS_TSinonimosDeDato("CODIGO IN (SELECT CODIGO FROM @Admin_MA_CUENTAS)")),
        "SELECT TOP 10 Codigo, 1 AS X, 'x' AS SS_MV_ASIENTOS FROM SS_MA_CUENTAS WHERE CODIGO IN (SELECT "
        "CODIGO FROM SS_MA_CUENTAS)");
    // Only the journal's own name lifts: not its view, not a longer name.
    EXPECT_EQ(mapa("SELECT * FROM SS_MV_ASIENTOS A, MA_CUENTAS C"),
              "SELECT * FROM SS_MV_ASIENTOS A, SS_MA_CUENTAS C");
    EXPECT_EQ(mapa("SELECT * FROM MV_ASIENTOSCCOSTO A, MA_CUENTAS C"),
              "SELECT * FROM MV_ASIENTOSCCOSTO A, SS_MA_CUENTAS C");
    // An administrator's data text loses its markers only.
    db_.gEsAdmin = true;
    EXPECT_EQ(db_.SS_TSinonimosDeDato("A, MV_ASIENTOS, @Admin_MA_CUENTAS"), "A, MV_ASIENTOS, MA_CUENTAS");
}

}  // namespace
