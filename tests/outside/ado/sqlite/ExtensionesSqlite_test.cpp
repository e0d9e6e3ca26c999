#include "outside/ado/sqlite/ExtensionesSqlite.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDateTime>
#include <QStringList>

#include "outside/ado/sqlite/TraductorSql.h"
#include "support/ImprimeQt.h"

using ado::sqlite::TraducirLote;
using ado::sqlite::TraducirSentencia;

namespace {

// An in-memory engine that runs the program's statements through the translation.
class EngineExtensions : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(sqlite3_open(":memory:", &db_), SQLITE_OK);
        ado::sqlite::RegistrarExtensiones(db_);
        Ejecutar(
            "CREATE TABLE MA_CUENTAS (CODIGO varchar(20) COLLATE SERVIDOR, DESCRIPCION varchar(60) COLLATE "
            "SERVIDOR, PERIODO varchar(6) COLLATE SERVIDOR, ORDEN int)");
        Ejecutar("CREATE TABLE MV_EJERCICIOS (PERIODO int, [Fecha Desde] datetime, [Fecha Hasta] datetime)");
    }
    void TearDown() override { sqlite3_close(db_); }

    // Runs the engine's own SQL; fails the test on an error.
    void Ejecutar(const QString& sql) {
        char* error = nullptr;
        const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &error);
        EXPECT_EQ(rc, SQLITE_OK) << sql.toStdString() << ": " << (error ? error : "");
        sqlite3_free(error);
    }

    // Translates a statement of the program and gives its rows, columns joined by "|".
    QStringList Filas(const QString& sentencia) {
        QStringList filas;
        const QByteArray sql = TraducirSentencia(sentencia).toUtf8();
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db_, sql.constData(), -1, &st, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << sql.constData() << ": " << sqlite3_errmsg(db_);
            return filas;
        }
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            QStringList columnas;
            for (int c = 0; c < sqlite3_column_count(st); ++c)
                columnas << (sqlite3_column_type(st, c) == SQLITE_NULL
                                 ? QString("NULL")
                                 : QString::fromUtf8(
                                       reinterpret_cast<const char*>(sqlite3_column_text(st, c))));
            filas << columnas.join(u'|');
        }
        if (rc != SQLITE_DONE) ADD_FAILURE() << sql.constData() << ": " << sqlite3_errmsg(db_);
        sqlite3_finalize(st);
        return filas;
    }

    bool Falla(const QString& sentencia) {
        return sqlite3_exec(db_, TraducirSentencia(sentencia).toUtf8().constData(), nullptr, nullptr,
                            nullptr) != SQLITE_OK;
    }

    QString Valor(const QString& sentencia) {
        const QStringList f = Filas(sentencia);
        return f.isEmpty() ? QString("<sin filas>") : f.first();
    }

    // Runs a batch statement by statement; a failing one does not stop the rest.
    int EjecutarLote(const QString& lote) {
        int fallidas = 0;
        for (const auto& s : TraducirLote(lote))
            if (sqlite3_exec(db_, s.sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
                ++fallidas;
        return fallidas;
    }

    sqlite3* db_ = nullptr;
};

}  // namespace

TEST_F(EngineExtensions, CollationIgnoresCaseBeyondAsciiAndTrailingBlanks) {
    Ejecutar(
        "INSERT INTO MA_CUENTAS VALUES ('Ñandú', 'Ave corredora', '2024 ', 2), ('abc  ', 'x', '2023', 1), "
        "('ABD', 'y', '2023', 3)");
    EXPECT_EQ(Filas("SELECT ORDEN FROM MA_CUENTAS WHERE CODIGO = 'ñANDÚ  '"), QStringList({"2"}));
    EXPECT_EQ(Filas("SELECT ORDEN FROM MA_CUENTAS WHERE CODIGO = 'ABC'"), QStringList({"1"}));
    // Expressions over the column compare the same way as the column.
    EXPECT_EQ(Filas("SELECT ORDEN FROM MA_CUENTAS WHERE LTRIM(RTRIM(CODIGO)) ='ñandú'"), QStringList({"2"}));
    EXPECT_EQ(Filas("SELECT CODIGO FROM MA_CUENTAS ORDER BY CODIGO"), QStringList({"abc  ", "ABD", "Ñandú"}));
    EXPECT_EQ(Filas("SELECT ORDEN FROM MA_CUENTAS WHERE CODIGO <> 'ABC ' ORDER BY ORDEN"),
              QStringList({"2", "3"}));
}

TEST_F(EngineExtensions, LikeIsCaseBlindBeyondAsciiWithTheServersWildcards) {
    Ejecutar(
        "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, ORDEN) VALUES ('Ñandú', 'CAJA CHICA', 1), "
        "('b_1', 'Caja grande', 2), ('c3', 'Banco', 3)");
    EXPECT_EQ(Filas("SELECT ORDEN FROM MA_CUENTAS WHERE CODIGO LIKE 'ñ%'"), QStringList({"1"}));
    EXPECT_EQ(Filas("SELECT ORDEN FROM MA_CUENTAS WHERE DESCRIPCION like '%caja%chica%'"),
              QStringList({"1"}));
    EXPECT_EQ(Filas("SELECT ORDEN FROM MA_CUENTAS WHERE CODIGO LIKE '_3'"), QStringList({"3"}));
    EXPECT_EQ(Filas("SELECT ORDEN FROM MA_CUENTAS WHERE CODIGO LIKE '[a-c]%' ORDER BY ORDEN"),
              QStringList({"2", "3"}));
    EXPECT_EQ(Filas("SELECT ORDEN FROM MA_CUENTAS WHERE CODIGO LIKE '[^b]%' ORDER BY ORDEN"),
              QStringList({"1", "3"}));
    EXPECT_EQ(Filas("SELECT ORDEN FROM MA_CUENTAS WHERE CODIGO LIKE 'b!_%' ESCAPE '!'"), QStringList({"2"}));
    EXPECT_EQ(Filas("SELECT ORDEN FROM MA_CUENTAS WHERE CODIGO LIKE 'b[_]1'"), QStringList({"2"}));
    EXPECT_EQ(Valor("SELECT 'abc  ' LIKE 'ABC', 'abc' LIKE 'ab', NULL LIKE 'a'"), "1|0|NULL");
}

TEST_F(EngineExtensions, ALikeWithAFixedBeginningFindsThroughTheIndexWhatAFullReadFinds) {
    Ejecutar("CREATE INDEX IX_CODIGO ON MA_CUENTAS (CODIGO)");
    Ejecutar(
        "INSERT INTO MA_CUENTAS (CODIGO, ORDEN) VALUES ('1101', 1), ('11010', 2), ('110', 3), ('1102', 4), "
        "('1101  ', 5), ('abc', 6), ('ABCD', 7), ('abd', 8), ('Ñandú', 9), ('ñu', 10), ('nu', 11), "
        "('a_b', 12), ('a%c', 13), ('áb', 14), (NULL, 15), ('2', 16), ('x' + CHAR(0) + 'y', 17)");
    // The same condition where the column is inside an expression reads every row.
    for (const QString& patron :
         QStringList{"1101%", "1101", "ABC%", "ab_", "ñ%", "N%", "a[_]%", "a!%%", "11[0-1]%", "1101 %", "á%",
                     "z%", QString("x") + QChar(0) + "%"}) {
        const QString escape = patron.contains('!') ? " ESCAPE '!'" : "";
        const QString condicion = "LIKE '" + patron + "'" + escape;
        EXPECT_EQ(Filas("SELECT ORDEN FROM MA_CUENTAS WHERE CODIGO " + condicion + " ORDER BY ORDEN"),
                  Filas("SELECT ORDEN FROM MA_CUENTAS WHERE '' + CODIGO " + condicion + " ORDER BY ORDEN"))
            << patron.toStdString();
        EXPECT_EQ(
            Filas("SELECT ORDEN FROM MA_CUENTAS WHERE NOT CODIGO " + condicion + " ORDER BY ORDEN"),
            Filas("SELECT ORDEN FROM MA_CUENTAS WHERE NOT '' + CODIGO " + condicion + " ORDER BY ORDEN"))
            << patron.toStdString();
    }
    // A number column compares a beginning that reads as a number as that number.
    Ejecutar("INSERT INTO MA_CUENTAS (ORDEN) VALUES (-15), (-1), (0.000015), (125)");
    for (const QString& patron : QStringList{"-1%", "1%", "1.%", "12%", "0%"})
        EXPECT_EQ(Filas("SELECT ORDEN FROM MA_CUENTAS WHERE ORDEN LIKE '" + patron + "' ORDER BY ORDEN"),
                  Filas("SELECT ORDEN FROM MA_CUENTAS WHERE '' + ORDEN LIKE '" + patron + "' ORDER BY ORDEN"))
            << patron.toStdString();
    EXPECT_EQ(Filas("SELECT ORDEN FROM MA_CUENTAS WHERE CODIGO LIKE 'abc%' ORDER BY ORDEN"),
              QStringList({"6", "7"}));
    const QStringList plan = Filas(
        "EXPLAIN QUERY PLAN " + TraducirSentencia("SELECT ORDEN FROM MA_CUENTAS WHERE CODIGO LIKE '1101%'"));
    ASSERT_EQ(plan.size(), 1);
    EXPECT_TRUE(plan[0].contains("SEARCH")) << plan[0].toStdString();
}

TEST_F(EngineExtensions, TopWithOrderByAndInsideASubquery) {
    Ejecutar("INSERT INTO MA_CUENTAS (CODIGO, ORDEN) VALUES ('a', 3), ('b', 1), ('c', 2), ('d', 4)");
    EXPECT_EQ(Filas("SELECT TOP 2 CODIGO FROM MA_CUENTAS with(nolock) ORDER BY ORDEN"),
              QStringList({"b", "c"}));
    EXPECT_EQ(Filas("SELECT CODIGO FROM MA_CUENTAS WHERE ORDEN IN (SELECT TOP 1 ORDEN FROM dbo.MA_CUENTAS "
                    "ORDER BY ORDEN DESC)"),
              QStringList({"d"}));
    EXPECT_EQ(Filas("SELECT TOP 100 PERCENT CODIGO FROM MA_CUENTAS ORDER BY CODIGO").size(), 4);
}

TEST_F(EngineExtensions, DayFirstDatesCompareAsDates) {
    Ejecutar(
        "INSERT INTO MV_EJERCICIOS VALUES (2023, '2023-07-01', '2024-06-30'), (2024, '2024-07-01', "
        "'2025-06-30')");
    EXPECT_EQ(
        Filas("select PERIODO from mv_ejercicios where  [fecha desde] <= '01/07/2023' and [fecha hasta] >= "
              "'01/07/2023' "),
        QStringList({"2023"}));
    EXPECT_EQ(
        Filas("select PERIODO from mv_ejercicios where  [fecha desde] <= '15/03/2024' and [fecha hasta] >= "
              "'15/03/2024' "),
        QStringList({"2023"}));
    // Text order of day-first dates would put 30/06/2025 before 01/07/2024.
    EXPECT_EQ(Filas("select PERIODO from mv_ejercicios where [Fecha Hasta] >= '30/06/2025'"),
              QStringList({"2024"}));
    EXPECT_EQ(Filas("select PERIODO from mv_ejercicios where month([Fecha Desde]) = 7 and year([Fecha "
                    "hasta]) = 2025"),
              QStringList({"2024"}));
    EXPECT_EQ(Valor("SELECT day([Fecha Hasta]), CONVERT(NVARCHAR, [Fecha Desde], 103) FROM MV_EJERCICIOS "
                    "WHERE PERIODO = 2023"),
              "30|01/07/2023");
}

TEST_F(EngineExtensions, NumbersComparedWithTextsCompareAsNumbers) {
    Ejecutar("INSERT INTO MA_CUENTAS (CODIGO, PERIODO, ORDEN) VALUES ('a', '2024 ', 1), ('b', '02023', 2)");
    EXPECT_EQ(Filas("SELECT CODIGO FROM MA_CUENTAS WHERE RTRIM(LTRIM(PERIODO)) = 2024"), QStringList({"a"}));
    EXPECT_EQ(Filas("SELECT CODIGO FROM MA_CUENTAS WHERE PERIODO = 2023"), QStringList({"b"}));
    EXPECT_EQ(Filas("SELECT CODIGO FROM MA_CUENTAS WHERE CONVERT(INT, PERIODO) < 2024"), QStringList({"b"}));
}

TEST_F(EngineExtensions, FunctionsBehaveAsOnTheServer) {
    EXPECT_EQ(Valor("SELECT LEN('abc  '), LEN(''), LEN(NULL), LEN('ñandú')"), "3|0|NULL|5");
    EXPECT_EQ(Valor("SELECT CHARINDEX('b', 'abcb'), CHARINDEX('B', 'abcb', 3), CHARINDEX('z', 'abc'), "
                    "CHARINDEX('Ú', 'ñandú')"),
              "2|4|0|5");
    EXPECT_EQ(
        Valor("SELECT ISNULL(NULL, 'x'), UPPER('ñandú'), LOWER('ÑANDÚ'), LEFT('abc', 2), RIGHT('abc', 2)"),
        "x|ÑANDÚ|ñandú|ab|bc");
    EXPECT_EQ(
        Valor(
            "SELECT 'a' + 'b' + CONVERT(varchar(3), 12345), 'x' + NULL, SPACE(2) + '|', REPLICATE('ab', 2)"),
        "ab123|NULL|  ||abab");
    EXPECT_EQ(Valor("SELECT CONVERT(datetime, '01/07/2023', 103), CONVERT(datetime, '2023-07-01 10:30:00'), "
                    "CAST('9/7/2023' AS datetime), CONVERT(varchar(10), '2023-07-01 10:30:00', 112)"),
              "2023-07-01|2023-07-01 10:30:00|2023-07-09|20230701");
    const QDateTime antes = QDateTime::currentDateTime();
    const QString ahora = Valor("select getDate() as fecha");
    const QDateTime despues = QDateTime::currentDateTime();
    const QDateTime leida = QDateTime::fromString(ahora, "yyyy-MM-dd HH:mm:ss");
    ASSERT_TRUE(leida.isValid()) << ahora.toStdString();
    EXPECT_GE(leida, antes.addMSecs(-antes.time().msec()));
    EXPECT_LE(leida, despues);
    EXPECT_EQ(Valor("SELECT GETDATE() = datetime('now','localtime') OR 1"), "1");
}

// Positions count from 1; before the text counts too; the ends hold, whatever the numbers.
TEST_F(EngineExtensions, TextFunctionsAtTheirEdges) {
    const QList<QPair<const char*, const char*>> casos{
        {"SUBSTRING('abc', 1, 1)", "a"},
        {"SUBSTRING('abc', 3, 1)", "c"},
        {"SUBSTRING('abc', 3, 5)", "c"},
        {"SUBSTRING('abc', 4, 1)", ""},
        {"SUBSTRING('abc', 2, 0)", ""},
        {"SUBSTRING('abc', 0, 2)", "a"},
        {"SUBSTRING('abc', -1, 3)", "a"},
        {"SUBSTRING('abc', -1, 2)", ""},
        {"SUBSTRING('abc', 9223372036854775807, 5)", ""},
        {"SUBSTRING('abc', 2, 9223372036854775807)", "bc"},
        {"SUBSTRING('abcdef', -4611686018427387914, 4611686018427387924)", "abcdef"},
        {"SUBSTRING('abc', -9223372036854775807, 9223372036854775807)", ""},
        {"CHARINDEX('a', 'abc')", "1"},
        {"CHARINDEX('c', 'abc')", "3"},
        {"CHARINDEX('bc', 'abc')", "2"},
        {"CHARINDEX('cd', 'abc')", "0"},
        {"CHARINDEX('a', 'abca', 1)", "1"},
        {"CHARINDEX('a', 'abca', 2)", "4"},
        {"CHARINDEX('a', 'abc', 0)", "1"},
        {"CHARINDEX('a', 'abc', -5)", "1"},
        {"CHARINDEX('c', 'abc', 3)", "3"},
        {"CHARINDEX('c', 'abc', 4)", "0"},
        {"CHARINDEX('c', 'abc', 9223372036854775807)", "0"},
        {"CHARINDEX('', 'abc')", "0"},
        {"LEFT('abc', 0) + '|' + LEFT('abc', 3) + '|' + LEFT('abc', 9)", "|abc|abc"},
        {"RIGHT('abc', 0) + '|' + RIGHT('abc', 1) + '|' + RIGHT('abc', 9)", "|c|abc"},
        {"LEN(' a ') + LEN(' ')", "2"},
        {"UPPER('µñÿšœž')", "µÑŸŠŒŽ"},
        {"UPPER('𐐨x') + LOWER('𐐀X')", "𐐀X𐐨x"},
        {"LEN(LTRIM(CHAR(9) + ' a')) + LEN(RTRIM('a ' + CHAR(160) + ' '))", "6"},
        {"LOWER('ÑŸŠŒŽµ')", "ñÿšœžµ"},
        {"'|' + SPACE(0) + REPLICATE('ab', 0) + '|' + REPLICATE('', 3) + '|'", "|||"},
        {"LEN(REPLICATE('abc', 8000)) + LEN(REPLICATE(REPLICATE('x', 8000), 8000))", "16000"},
        {"RIGHT(REPLICATE('abc', 2667), 2) + '|' + RIGHT(REPLICATE('abc', 2666), 2)", "ab|bc"},
        {"LEN(REPLACE(REPLICATE('a', 8000), 'A', 'bc')) + LEN(REPLACE('aXa', 'x', ''))", "8002"},
        {"RIGHT(REPLACE(REPLICATE('a', 5000), 'a', 'bc'), 3) + '|' + REPLACE('ab', 'zz', 'y')", "cbc|ab"},
    };
    for (const auto& [expresion, esperado] : casos)
        EXPECT_EQ(Valor(QString("SELECT ") + expresion), QString::fromUtf8(esperado)) << expresion;
}

// A two-digit year is read as the server reads it: 00 to 49 in this century, 50 to 99 in the last.
TEST_F(EngineExtensions, TwoDigitYearsAsTheServerReadsThem) {
    const QList<QPair<const char*, const char*>> casos{
        {"YEAR('01/01/49')", "2049"},
        {"YEAR('31/12/30')", "2030"},
        {"YEAR('1/1/00')", "2000"},
        {"YEAR('1/1/50')", "1950"},
        {"YEAR('1/1/99')", "1999"},
        {"YEAR('15-03-35') + YEAR('15.03.45')", "4080"},
        {"CONVERT(datetime, '03/15/49', 101)", "2049-03-15"},
        {"CONVERT(datetime, '15/03/31 10:20', 103)", "2031-03-15 10:20:00"},
    };
    for (const auto& [expresion, esperado] : casos)
        EXPECT_EQ(Valor(QString("SELECT ") + expresion), esperado) << expresion;
}

// Dates from numbers (days from 1 January 1900) and from texts, at the ends of what the server
// reads: a fraction of a day is its hours, milliseconds keep their place, and anything after the
// time is no date.
TEST_F(EngineExtensions, DatesAtTheEndsOfWhatTheServerReads) {
    const QList<QPair<const char*, const char*>> casos{
        {"CONVERT(datetime, 1.5)", "1900-01-02 12:00:00"},
        {"CONVERT(datetime, -53690)", "1753-01-01"},
        {"CONVERT(varchar(10), CONVERT(datetime, 2958463.5), 103)", "31/12/9999"},
        {"CONVERT(varchar(23), '2024-01-31 10:20:30.5', 121)", "2024-01-31 10:20:30.500"},
        {"CONVERT(varchar(23), '31/01/2024 10:20:30.25', 121)", "2024-01-31 10:20:30.250"},
        {"CONVERT(varchar(8), '31/01/2024 10:20:30', 108)", "10:20:30"},
        {"CONVERT(varchar(8), '2024-01-31T10:20:30', 108) + '|' + CONVERT(varchar(10), "
         "DAY('2024-01-31T10:20'))",
         "10:20:30|31"},
    };
    for (const auto& [expresion, esperado] : casos)
        EXPECT_EQ(Valor(QString("SELECT ") + expresion), esperado) << expresion;
    for (const char* fuera : {"CONVERT(datetime, -53691)", "CONVERT(datetime, 2958464)",
                              "CONVERT(datetime, '31/01/2024 10:20:30x', 103)", "YEAR('2024-01-31 10:20 h')",
                              "YEAR('31/01/202')", "CONVERT(FLOAT, 1e400)", "CONVERT(DECIMAL(10,2), -1e400)"})
        EXPECT_TRUE(Falla(QString("SELECT ") + fuera)) << fuera;
}

// Every date style of CONVERT the program may write, on one date and time.
TEST_F(EngineExtensions, EveryDateStyleOfConvert) {
    const QList<QPair<int, const char*>> estilos{
        {1, "01/31/24"},
        {101, "01/31/2024"},
        {2, "24.01.31"},
        {102, "2024.01.31"},
        {3, "31/01/24"},
        {103, "31/01/2024"},
        {4, "31.01.24"},
        {104, "31.01.2024"},
        {5, "31-01-24"},
        {105, "31-01-2024"},
        {8, "10:20:30"},
        {108, "10:20:30"},
        {111, "2024/01/31"},
        {112, "20240131"},
        {23, "2024-01-31"},
        {21, "2024-01-31 10:20:30.000"},
        {121, "2024-01-31 10:20:30.000"},
        {120, "2024-01-31 10:20:30"},
    };
    for (const auto& [estilo, esperado] : estilos)
        EXPECT_EQ(Valor(QString("SELECT CONVERT(varchar(30), '2024-01-31 10:20:30', %1)").arg(estilo)),
                  esperado)
            << estilo;
}

// CONVERT and CAST to the server's number and text types, at the ends of each type.
TEST_F(EngineExtensions, ConversionsAtTheEndsOfEachType) {
    const QList<QPair<const char*, const char*>> casos{
        {"CONVERT(TINYINT, 255)", "255"},
        {"CONVERT(SMALLINT, 32767) + CONVERT(SMALLINT, -32768)", "-1"},
        {"CONVERT(INT, 2147483647.9)", "2147483647"},
        {"CONVERT(INT, -2147483648)", "-2147483648"},
        {"CONVERT(DECIMAL, 100000000000000000)", "100000000000000000"},
        {"CONVERT(NUMERIC(18,0), 12345678901234.4)", "12345678901234"},
        {"CONVERT(DECIMAL(4,2), 99.994)", "99.99"},
        {"CONVERT(MONEY, 1.23456)", "1.2346"},
        {"LEN(CONVERT(varchar, REPLICATE('a', 40)))", "30"},
        {"LEN(CONVERT(varchar(MAX), REPLICATE('a', 40)))", "40"},
        {"LEN(SPACE(9000) + '|')", "8001"},
        {"CONVERT(BIT, -5) + CONVERT(BIT, 0)", "1"},
        {"CONVERT(varchar(10), CONVERT(FLOAT, 100)) + '|' + CONVERT(varchar(10), CONVERT(FLOAT, 2.5))",
         "100|2.5"},
        {"VAL('1e20') + 0 > 9.2e18", "1"},
        {"VAL(' 12 34 ') + VAL('-3.5x')", "1230.5"},
    };
    for (const auto& [expresion, esperado] : casos)
        EXPECT_EQ(Valor(QString("SELECT ") + expresion), esperado) << expresion;
    for (const char* fuera : {"CONVERT(TINYINT, 256)", "CONVERT(TINYINT, -1)", "CONVERT(SMALLINT, 32768)",
                              "CONVERT(SMALLINT, -32769)", "CONVERT(INT, 2147483648)",
                              "CONVERT(INT, -2147483649)", "CONVERT(DECIMAL, 1000000000000000000)",
                              "CONVERT(DECIMAL(4,2), 100)", "LEFT('abc', -1)", "RIGHT('abc', -1)"})
        EXPECT_TRUE(Falla(QString("SELECT ") + fuera)) << fuera;
}

TEST_F(EngineExtensions, PlusOfTwoColumnsFollowsTheValues) {
    Ejecutar("CREATE TABLE N (A varchar(5), B varchar(5), X int, Y real)");
    Ejecutar("INSERT INTO N VALUES ('ab', 'cd', 2, 0.5)");
    EXPECT_EQ(Valor("SELECT A + B, X + Y, B + NULL FROM N"), "abcd|2.5|NULL");
    // A text that is no number added to a number fails, as on the server.
    EXPECT_TRUE(Falla("SELECT X + A FROM N"));
    Ejecutar("INSERT INTO N VALUES ('', '12 ', 9223372036854775807, NULL)");
    EXPECT_EQ(Filas("SELECT X + A, B + X, X + X FROM N WHERE A = ''"),
              QStringList({"9223372036854775807|9.22337203685478e+18|1.84467440737096e+19"}));
}

TEST_F(EngineExtensions, AddedColumnsAndBracketedNames) {
    Ejecutar("CREATE TABLE TA_X (CODIGO varchar(4) COLLATE SERVIDOR)");
    Ejecutar("INSERT INTO TA_X VALUES ('A')");
    EXPECT_EQ(EjecutarLote(
                  "ALTER TABLE dbo.TA_X ADD ACTIVO bit Not Null  CONSTRAINT DF_TA_X_ACTIVO DEFAULT (0)\r"
                  "ALTER TABLE dbo.TA_X ADD [NOTA LARGA] varchar(30) Null  CONSTRAINT DF_TA_X_NOTA DEFAULT "
                  "('-')"),
              0);
    EXPECT_EQ(Valor("SELECT ACTIVO, [NOTA LARGA] FROM TA_X WHERE [NOTA LARGA] = '-  '"), "0|-");
}

TEST_F(EngineExtensions, ABatchGoesOnAfterAFailingStatement) {
    Ejecutar("CREATE TABLE T (A varchar(5) PRIMARY KEY, B int)");
    Ejecutar("INSERT INTO T VALUES ('x', 1)");
    const QString lote =
        "BEGIN TRANSACTION \r\rINSERT INTO T (A,B) VALUES ('x', 2)\rUPDATE T SET B = 5 WHERE A = 'X'"
        "\rINSERT INTO T (A,B) VALUES ('y', 3)\r";
    ASSERT_EQ(TraducirLote(lote).size(), 4);
    EXPECT_EQ(EjecutarLote(lote), 1);
    EXPECT_EQ(EjecutarLote("COMMIT TRANSACTION"), 0);
    EXPECT_EQ(Filas("SELECT A, B FROM T ORDER BY A"), QStringList({"x|5", "y|3"}));
}

TEST_F(EngineExtensions, ConversionsToTextsAndDates) {
    EXPECT_EQ(Valor("SELECT CONVERT(char(5), 'ab') + '|', CONVERT(varchar, 'x'), CONVERT(varchar(2), 123), "
                    "CONVERT(varchar(10), 2.5)"),
              "ab   ||x|12|2.5");
    EXPECT_EQ(Valor("SELECT CONVERT(datetime, '07/01/2023', 101), CONVERT(datetime, '20230701'), "
                    "CONVERT(datetime, 2), CONVERT(date, '2023-07-01 10:00:00')"),
              "2023-07-01|2023-07-01|1900-01-03|2023-07-01");
    EXPECT_EQ(Valor("SELECT CONVERT(varchar(10), NULL, 103), CONVERT(varchar(5), 'no es fecha', 103)"),
              "NULL|no es");
    EXPECT_TRUE(Falla("SELECT CONVERT(datetime, '31/02/2023', 103)"));
    EXPECT_TRUE(Falla("SELECT month('mañana')"));
    EXPECT_EQ(Valor("SELECT year('2024-02-29'), month('2024-02-29 23:00:00'), day('1/7/2023')"), "2024|2|1");
}

TEST_F(EngineExtensions, CollationOrdersAsItCompares) {
    Ejecutar("CREATE TABLE C (X varchar(10) COLLATE SERVIDOR PRIMARY KEY)");
    Ejecutar("INSERT INTO C VALUES ('b'), ('Á'), ('a'), ('_z'), ('ñ'), ('N')");
    EXPECT_EQ(Filas("SELECT X FROM C ORDER BY X"), QStringList({"_z", "a", "Á", "b", "N", "ñ"}));
    // The key takes the collation too: 'A ' and 'B' clash with what is stored.
    EXPECT_TRUE(Falla("INSERT INTO C VALUES ('B ')"));
    EXPECT_EQ(Filas("SELECT X FROM C WHERE X = 'á'"), QStringList({"Á"}));
    EXPECT_EQ(Filas("SELECT X FROM C WHERE X > 'B' AND X < 'O' ORDER BY X"), QStringList({"N", "ñ"}));
}
