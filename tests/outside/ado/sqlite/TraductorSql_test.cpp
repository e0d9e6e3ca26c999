#include "outside/ado/sqlite/TraductorSql.h"

#include <gtest/gtest.h>

#include "support/ImprimeQt.h"

using ado::sqlite::TraducirLote;
using ado::sqlite::TraducirSentencia;

namespace {

QStringList Sql(const QString& lote) {
    QStringList r;
    for (const auto& s : TraducirLote(lote)) r << s.sql;
    return r;
}

}  // namespace

TEST(TraductorSql, TopBecomesLimitAtTheEndOfItsOwnLevel) {
    EXPECT_EQ(
        TraducirSentencia("SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(CODIGO)) ='1'"),
        "SELECT  * FROM MA_CUENTAS  WHERE LTRIM(RTRIM(CODIGO)) COLLATE SERVIDOR ='1' COLLATE SERVIDOR LIMIT "
        "1");
    EXPECT_EQ(TraducirSentencia("select  top 1 * from AUX_ERR"), "select * from AUX_ERR LIMIT 1");
    EXPECT_EQ(TraducirSentencia("SELECT TOP (5) A FROM T ORDER BY A DESC"),
              "SELECT A FROM T ORDER BY A DESC LIMIT 5");
    EXPECT_EQ(TraducirSentencia("SELECT DISTINCT TOP 3 A FROM T"), "SELECT DISTINCT A FROM T LIMIT 3");
    EXPECT_EQ(
        TraducirSentencia("SELECT * FROM T WHERE X IN (SELECT TOP 1 Y FROM U ORDER BY Y DESC) ORDER BY X"),
        "SELECT * FROM T WHERE X IN (SELECT Y FROM U ORDER BY Y DESC LIMIT 1) ORDER BY X");
    // The families tree: 100 PERCENT means every row, the inner TOP 1 stays inside its parentheses.
    EXPECT_EQ(TraducirSentencia("SELECT     TOP 100 PERCENT IdFamilia, Descripcion, "
                                "(SELECT     TOP 1 idfamilia FROM v_ta_familias a  "
                                " Where a.IdFamilia < b.IdFamilia ORDER BY idfamilia DESC) AS [relative] "
                                "FROM dbo.V_TA_FAMILIAS b Where IdFamilia<>'' ORDER BY IdFamilia"),
              "SELECT IdFamilia, Descripcion, (SELECT idfamilia FROM v_ta_familias a   Where a.IdFamilia < "
              "b.IdFamilia ORDER BY idfamilia DESC LIMIT 1) COLLATE SERVIDOR AS [relative] FROM "
              "V_TA_FAMILIAS b Where "
              "IdFamilia<>'' COLLATE SERVIDOR ORDER BY IdFamilia");
}

TEST(TraductorSql, HintsAndOwnerPrefixGoInEverySpelling) {
    EXPECT_EQ(TraducirSentencia("SELECT * FROM V_TA_TPV  with(nolock)  WHERE INTERNET = 0"),
              "SELECT * FROM V_TA_TPV  WHERE INTERNET = CAST(0 AS NUMERIC)");
    EXPECT_EQ(TraducirSentencia("SELECT * FROM MV_ASIENTOS  WITH (NOLOCK) WHERE A=B"),
              "SELECT * FROM MV_ASIENTOS WHERE A=B");
    EXPECT_EQ(TraducirSentencia("SELECT * FROM T (nolock)WHERE A=B"), "SELECT * FROM T WHERE A=B");
    EXPECT_EQ(TraducirSentencia("SELECT * FROM T a WITH(NOLOCK, READPAST)"), "SELECT * FROM T a");
    EXPECT_EQ(TraducirSentencia("SELECT * FROM [dbo].[MA_CUENTAS] JOIN dbo.T ON 1=1"),
              "SELECT * FROM [MA_CUENTAS] JOIN T ON CAST(1 AS NUMERIC)=CAST(1 AS NUMERIC)");
    EXPECT_EQ(TraducirSentencia("SELECT A FROM [EMPRESA].DBO.MA_CUENTAS"), "SELECT A FROM MA_CUENTAS");
}

TEST(TraductorSql, StatementFormsOfTheServer) {
    EXPECT_EQ(TraducirSentencia("DELETE MA_INDAJUSTE WHERE Anio = 2024"),
              "DELETE FROM MA_INDAJUSTE WHERE Anio = CAST(2024 AS NUMERIC)");
    EXPECT_EQ(TraducirSentencia("DELETE AUX_SUBDIARIOS"), "DELETE FROM AUX_SUBDIARIOS");
    EXPECT_EQ(TraducirSentencia("DELETE FROM T WHERE A = 'x'"),
              "DELETE FROM T WHERE A = 'x' COLLATE SERVIDOR");
    EXPECT_EQ(TraducirSentencia("BEGIN TRANSACTION "), "BEGIN");
    EXPECT_EQ(TraducirSentencia("begin tran"), "BEGIN");
    EXPECT_EQ(TraducirSentencia("COMMIT TRANSACTION"), "COMMIT");
    EXPECT_EQ(TraducirSentencia("ROLLBACK TRAN"), "ROLLBACK");
    EXPECT_EQ(TraducirSentencia("SET NOCOUNT ON"), "");
    EXPECT_EQ(TraducirSentencia("SET DATEFORMAT dmy"), "");
    EXPECT_EQ(TraducirSentencia(
                  "ALTER TABLE dbo.TA_X ADD ACTIVO bit Not Null  CONSTRAINT DF_TA_X_ACTIVO DEFAULT (0)"),
              "ALTER TABLE TA_X ADD COLUMN ACTIVO bit Not Null DEFAULT (0)");
    EXPECT_EQ(TraducirSentencia(
                  "ALTER TABLE dbo.TA_X ADD NOTA varchar(30) Null  CONSTRAINT DF_TA_X_NOTA DEFAULT ('-')"),
              "ALTER TABLE TA_X ADD COLUMN NOTA varchar(30) COLLATE SERVIDOR DEFAULT ('-')");
    EXPECT_EQ(TraducirSentencia("ALTER TABLE dbo.TA_X ADD MEMO nvarchar(max) Null "),
              "ALTER TABLE TA_X ADD COLUMN MEMO nvarchar COLLATE SERVIDOR");
}

TEST(TraductorSql, FunctionsOfTheServer) {
    EXPECT_EQ(TraducirSentencia("select getDate() as fecha"), "select datetime('now','localtime') as fecha");
    EXPECT_EQ(
        TraducirSentencia("SELECT ISNULL(A, 0), Len(B), CHARINDEX('-', C, 2) FROM T"),
        "SELECT IFNULL(A, 0) COLLATE SERVIDOR AS \"IFNULL(A, 0)\", Len(B), CHARINDEX('-', C, 2) FROM T");
    EXPECT_EQ(TraducirSentencia("SELECT * FROM MV_ASIENTOS WHERE CONVERT(INT,PERIODO) = 2024"),
              "SELECT * FROM MV_ASIENTOS WHERE SV_NUMERO(PERIODO, 'INT') = CAST(2024 AS NUMERIC)");
    EXPECT_EQ(TraducirSentencia("SELECT CONVERT(NVARCHAR, FECHA, 103), CONVERT(decimal(18,2), X) FROM T"),
              "SELECT SV_CONVERT('NVARCHAR', FECHA, 103) COLLATE SERVIDOR AS \"SV_CONVERT('NVARCHAR', FECHA, "
              "103)\", "
              "SV_NUMERO( X, 'DECIMAL(18,2)') FROM T");
    EXPECT_EQ(TraducirSentencia("SELECT CAST(F AS datetime), CAST(N AS int), LEFT(A, 2), RIGHT(A,1) FROM T"),
              "SELECT SV_CONVERT('DATETIME',F) COLLATE SERVIDOR AS \"SV_CONVERT('DATETIME',F)\", SV_NUMERO(N "
              ", 'INT'), "
              "SV_LEFT(A, 2) COLLATE SERVIDOR AS \"SV_LEFT(A, 2)\", SV_RIGHT(A,1) COLLATE SERVIDOR AS "
              "\"SV_RIGHT(A,1)\" "
              "FROM T");
    EXPECT_EQ(
        TraducirSentencia(
            "select * from mv_ejercicios where month([Fecha Desde]) = 7 and year([Fecha hasta]) = 2024"),
        "select * from mv_ejercicios where month([Fecha Desde]) = CAST(7 AS NUMERIC) and year([Fecha hasta]) "
        "= CAST(2024 AS NUMERIC)");
}

TEST(TraductorSql, PlusJoinsTextsAndAddsNumbers) {
    EXPECT_EQ(TraducirSentencia("SELECT 'a' + CAMPO + 'b' FROM T"),
              "SELECT 'a' || CAMPO || 'b' COLLATE SERVIDOR AS \"'a' || CAMPO || 'b'\" FROM T");
    EXPECT_EQ(TraducirSentencia("SELECT 'a' + X + Y + Z X FROM T"),
              "SELECT 'a' || X || Y || Z COLLATE SERVIDOR X FROM T");
    EXPECT_EQ(
        TraducirSentencia("SELECT LTRIM(A) + B, ('(' + A) + B FROM T"),
        "SELECT LTRIM(A) || B COLLATE SERVIDOR AS \"LTRIM(A) || B\", ('(' || A) || B COLLATE SERVIDOR AS "
        "\"('(' || A) || B\" FROM T");
    EXPECT_EQ(TraducirSentencia("SELECT 'N' + CONVERT(varchar(10), N) AS X FROM T"),
              "SELECT 'N' || SV_CONVERT('VARCHAR(10)', N) COLLATE SERVIDOR AS X FROM T");
    EXPECT_EQ(TraducirSentencia("UPDATE T SET N = N + 1, S = S - 2 * X"),
              "UPDATE T SET N = N + 1, S = S - 2 * X");
    EXPECT_EQ(
        TraducirSentencia("SELECT A + B TOTAL, -A + B - C + D FROM T"),
        "SELECT SV_SUMA(A , B) COLLATE SERVIDOR TOTAL, SV_SUMA(SV_SUMA(-A , B) - C , D) COLLATE SERVIDOR "
        "AS \"SV_SUMA(SV_SUMA(-A , B) - C , D)\" FROM T");
    EXPECT_EQ(TraducirSentencia("SELECT SUM(A) + SUM(B), LEN(A) + X FROM T"),
              "SELECT SUM(A) + SUM(B), LEN(A) + X FROM T");
    EXPECT_EQ(
        TraducirSentencia("SELECT CASE WHEN A = 'x' THEN 'si' ELSE 'no' END + '!' FROM T"),
        "SELECT CASE WHEN A = 'x' COLLATE SERVIDOR THEN 'si' ELSE 'no' END || '!' COLLATE SERVIDOR AS \"CASE "
        "WHEN A = 'x' "
        "THEN 'si' ELSE 'no' END || '!'\" FROM T");
}

TEST(TraductorSql, LiteralsAndComparisons) {
    EXPECT_EQ(
        TraducirSentencia(
            "select * from mv_ejercicios where  [fecha desde] <= '01/07/2023' and [fecha hasta] "
            ">= '1/7/2023' "),
        "select * from mv_ejercicios where  [fecha desde] <= '01/07/2023' COLLATE SERVIDOR and [fecha hasta] "
        ">= '1/7/2023' COLLATE SERVIDOR");
    EXPECT_EQ(
        TraducirSentencia(
            "INSERT INTO L (F, G, H) VALUES ('09/12/2026 10:05:07', '9/12/2026 8:05', '01/07/2023 00:00')"),
        "INSERT INTO L (F, G, H) VALUES ('09/12/2026 10:05:07', '9/12/2026 8:05', '01/07/2023 00:00')");
    // Nothing inside quotes changes: a date column or a date comparison reads the date there.
    EXPECT_EQ(
        TraducirSentencia("INSERT INTO L VALUES ('TOP 5 with(nolock) 01/07/2023', '31/02/2023', 'a + b', "
                          "'dbo.X', 'It''s', '1/7/23')"),
        "INSERT INTO L VALUES ('TOP 5 with(nolock) 01/07/2023', '31/02/2023', 'a + b', 'dbo.X', 'It''s', "
        "'1/7/23')");
    EXPECT_EQ(TraducirSentencia(
                  "SELECT * FROM MV_ASIENTOS WHERE RTRIM(LTRIM(PERIODO)) = 2024 AND X > -1.5 AND 0 < Y"),
              "SELECT * FROM MV_ASIENTOS WHERE RTRIM(LTRIM(PERIODO)) COLLATE SERVIDOR = CAST(2024 AS "
              "NUMERIC) AND X > "
              "CAST(-1.5 AS "
              "NUMERIC) AND CAST(0 AS NUMERIC) < Y");
    // Numbers inside arithmetic and the values an UPDATE assigns are left alone.
    EXPECT_EQ(
        TraducirSentencia(
            "UPDATE T SET A = 5, B = 'x' WHERE C = 5 * D AND E = (SELECT 1 FROM U WHERE F = 2)"),
        "UPDATE T SET A = 5, B = 'x' WHERE C = 5 * D AND E = (SELECT 1 FROM U WHERE F = CAST(2 AS NUMERIC))");
    EXPECT_EQ(
        TraducirSentencia("SELECT [NUMERO ASIENTO], [DEBE-HABER] FROM MV_ASIENTOS WHERE [DEBE-HABER] = 'D'"),
        "SELECT [NUMERO ASIENTO], [DEBE-HABER] FROM MV_ASIENTOS WHERE [DEBE-HABER] = 'D' COLLATE SERVIDOR");
}

TEST(TraductorSql, BatchesSplitAtLineBreaksWhereAStatementStarts) {
    const QString lote =
        "BEGIN TRANSACTION \r\r\rINSERT INTO T (A) VALUES ('x')\rUPDATE T SET A = 'y'\r"
        "WHERE A = 'x'\rDELETE T WHERE A = 'z'\r";
    const auto r = TraducirLote(lote);
    ASSERT_EQ(r.size(), 4);
    EXPECT_EQ(r[0].sql, "BEGIN");
    EXPECT_EQ(r[0].original, "BEGIN TRANSACTION");
    EXPECT_EQ(r[1].original, "INSERT INTO T (A) VALUES ('x')");
    EXPECT_EQ(r[2].original, "UPDATE T SET A = 'y'\rWHERE A = 'x'");
    EXPECT_EQ(r[3].sql, "DELETE FROM T WHERE A = 'z' COLLATE SERVIDOR");

    EXPECT_EQ(Sql("SET NOCOUNT ON\nSELECT 1\nGO\nSELECT 2; SELECT 3;;\r\n"),
              QStringList({"SELECT 1", "SELECT 2", "SELECT 3"}));
    // A keyword that continues the statement under way does not split it.
    EXPECT_EQ(
        Sql("INSERT INTO T (A)\rSELECT A FROM U\rUNION\rSELECT A FROM V\rUPDATE T\rSET A = 1"),
        QStringList({"INSERT INTO T (A)\rSELECT A FROM U\rUNION\rSELECT A FROM V", "UPDATE T\rSET A = 1"}));
    EXPECT_EQ(Sql("SELECT A FROM T WHERE B IN\r(SELECT B FROM U)\rSELECT 2"),
              QStringList({"SELECT A FROM T WHERE B IN\r(SELECT B FROM U)", "SELECT 2"}));
    // A line break inside a quoted text is no separator.
    EXPECT_EQ(Sql("INSERT INTO T VALUES ('a\rSELECT b')\rSELECT 1"),
              QStringList({"INSERT INTO T VALUES ('a\rSELECT b')", "SELECT 1"}));
    EXPECT_TRUE(TraducirLote(" \r\r ; ").isEmpty());
}

TEST(TraductorSql, TranslationsComeFromTheCacheUnchanged) {
    const QString s = "SELECT TOP 2 * FROM T WHERE A = 1";
    const QString primera = TraducirSentencia(s);
    EXPECT_EQ(TraducirSentencia(s), primera);
    const auto a = TraducirLote(s + "\rSELECT 1");
    const auto b = TraducirLote(s + "\rSELECT 1");
    ASSERT_EQ(a.size(), 2);
    ASSERT_EQ(b.size(), 2);
    EXPECT_EQ(a[0].sql, primera);
    EXPECT_EQ(b[0].sql, primera);
    EXPECT_EQ(b[1].sql, "SELECT 1");
}

TEST(TraductorSql, CommentsAndUnbalancedTextsAreNeverRewrittenInside) {
    EXPECT_EQ(Sql("SELECT 1 -- TOP 5 with(nolock)\rSELECT 2 /* GO\rDELETE T */ FROM T"),
              QStringList({"SELECT 1", "SELECT 2 \n FROM T"}));
    // Parentheses that do not pair up: no level can be told, so TOP stays and the engine refuses it.
    EXPECT_EQ(TraducirSentencia("SELECT TOP 1 * FROM T WHERE (A = 1"),
              "SELECT TOP 1 * FROM T WHERE (A = CAST(1 AS NUMERIC)");
    // An unclosed text is the server's error 105, and nothing of it reaches the engine.
    EXPECT_TRUE(TraducirSentencia("SELECT 'sin cerrar FROM T").startsWith("SELECT SV_ERROR('105|"));
}

TEST(TraductorSql, OnlyValidDayFirstDatesBecomeIso) {
    // Day-first texts stay texts in the statement; the engine reads them as dates where they meet one.
    // Each keeps the company's collation and its name as written.
    const auto comoTextos = [](const QStringList& textos) {
        QStringList r;
        for (const QString& t : textos) r << t + " COLLATE SERVIDOR AS \"" + t + '"';
        return "SELECT " + r.join(", ");
    };
    EXPECT_EQ(
        TraducirSentencia(
            "SELECT '29/02/2024', '29/02/2023', '31/04/2024', '1/1/2024 7:05', '1/1/2024 24:00'"),
        comoTextos({"'29/02/2024'", "'29/02/2023'", "'31/04/2024'", "'1/1/2024 7:05'", "'1/1/2024 24:00'"}));
    EXPECT_EQ(
        TraducirSentencia("SELECT '01/07/2023 ', ' 01/07/2023', '01/07/20234', '001/07/2023', '01-07-2023'"),
        comoTextos({"'01/07/2023 '", "' 01/07/2023'", "'01/07/20234'", "'001/07/2023'", "'01-07-2023'"}));
    EXPECT_EQ(TraducirSentencia("SELECT N'31/12/1999 23:59:59'"), comoTextos({"'31/12/1999 23:59:59'"}));
}

TEST(TraductorSql, StatementsThatOnlyLookLikeTwoStayOne) {
    // A conditional DROP must never run on its own.
    EXPECT_EQ(Sql("IF EXISTS (SELECT 1 FROM T)\rDROP TABLE T\rSELECT 1"),
              QStringList({"IF EXISTS (SELECT 1 FROM T)\rDROP TABLE T", "SELECT 1"}));
    EXPECT_EQ(Sql("CREATE TABLE H (P int REFERENCES T (ID) ON\rDELETE CASCADE)\rSELECT 1").size(), 2);
    // The table's checks follow its creation in the same step.
    EXPECT_TRUE(Sql("CREATE TABLE A (X int REFERENCES B ON\rDELETE CASCADE, Y int)\rSELECT 1")
                    .first()
                    .startsWith("CREATE TABLE A (X int REFERENCES B ON\rDELETE CASCADE, Y int);\n"));
    EXPECT_EQ(
        Sql("CREATE TRIGGER TR AFTER INSERT ON T BEGIN UPDATE U SET N = N + 1; DELETE FROM V; END;\rSELECT 1")
            .size(),
        2);
    EXPECT_EQ(Sql("SET NOCOUNT ON SELECT 1"), QStringList({"SET NOCOUNT ON SELECT 1"}));
}
