// What a statement means on the company server, run through a connection on the embedded engine.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QStringList>

#include "outside/ado/AdoTipos.h"
#include "outside/ado/BaseTemporal.h"
#include "outside/ado/Recordset.h"
#include "outside/ado/sqlite/ProveedorSqlite.h"
#include "outside/runtime/ErrorVB.h"
#include "support/ImprimeQt.h"

using namespace ado;

namespace {

const char* kEsquema = R"(
CREATE TABLE T (ID int PRIMARY KEY, NOMBRE varchar(5) COLLATE SERVIDOR, IMPORTE decimal(5,2), CANT smallint,
                FECHA datetime, NOTA varchar(20) COLLATE SERVIDOR);
INSERT INTO T (ID, NOMBRE, IMPORTE, FECHA, NOTA) VALUES (1, 'abc', 1.5, '2024-02-29 18:00:00', 'uno'),
                                                        (2, 'ABC  ', 2, '2024-03-01', 'dos');
)";

class ServerMeaning : public ::testing::Test {
  protected:
    ServerMeaning() : base_(kEsquema) {}
    void SetUp() override { cn_ = base_.abrir(); }

    // The rows of a query, columns joined by "|".
    QStringList filas(const QString& sql) {
        QStringList r;
        try {
            RecordsetPtr rs = cn_->Execute(sql);
            for (; rs && rs->State() == adStateOpen && !rs->Eof(); rs->MoveNext()) {
                QStringList c;
                for (int i = 0; i < rs->fields().Count(); ++i) c << rs->fields().Item(i).Value().toString();
                r << c.join(u'|');
            }
        } catch (const vb::ErrorVB& e) {
            ADD_FAILURE() << sql.toStdString() << ": " << e.Description.toStdString();
        }
        return r;
    }
    QString valor(const QString& sql) {
        const QStringList f = filas(sql);
        return f.isEmpty() ? QString("<sin filas>") : f.first();
    }
    // The server's error of a statement that must fail; empty when it ran.
    Error fallo(const QString& sql) {
        try {
            cn_->Execute(sql);
        } catch (const vb::ErrorVB&) {
            if (cn_->errores().Count() > 0) return cn_->errores().Item(0);
            Error e;
            e.Description = "sin entrada";
            return e;
        }
        return {};
    }

    BaseTemporal base_;
    ConnectionPtr cn_;
};

TEST_F(ServerMeaning, AMalformedStatementGivesAClearErrorAndIsNotCut) {
    // A NUL outside a quoted text must not end the statement early and widen the update.
    QString sql = "UPDATE T SET NOTA = 'x' WHERE ID = 1";
    sql += QChar(0);
    sql += " AND ID = 2";
    EXPECT_FALSE(fallo(sql).Description.isEmpty());
    EXPECT_EQ(valor("SELECT NOTA FROM T WHERE ID = 1"), "uno");

    const QString hondo = "SELECT " + QString(4000, u'(') + "1 + 1" + QString(4000, u')');
    EXPECT_TRUE(fallo(hondo).Description.contains("anidad")) << fallo(hondo).Description.toStdString();

    // Numbers beyond any date or integer.
    for (const char* s : {"SELECT YEAR(1e300)", "SELECT MONTH(-1e300)", "SELECT CONVERT(INT, 1e300)",
                          "SELECT CAST(1e300 AS INT)", "SELECT CONVERT(SMALLINT, 40000)"})
        EXPECT_EQ(fallo(s).NativeError, 8115) << s;
}

TEST_F(ServerMeaning, WhatDoesNotFitItsColumnIsRefused) {
    Error e = fallo("INSERT INTO T (ID, NOMBRE) VALUES (3, 'abcdef')");
    EXPECT_EQ(e.NativeError, kNativoTruncado) << e.Description.toStdString();
    EXPECT_EQ(fallo("UPDATE T SET NOMBRE = 'abcdef' WHERE ID = 1").NativeError, kNativoTruncado);
    EXPECT_EQ(fallo("UPDATE T SET IMPORTE = 1000 WHERE ID = 1").NativeError, 8115);
    EXPECT_EQ(fallo("UPDATE T SET CANT = 40000 WHERE ID = 1").NativeError, 8115);
    EXPECT_EQ(valor("SELECT NOMBRE, IMPORTE FROM T WHERE ID = 1"), "abc|1.5");
    // Trailing blanks beyond the length are dropped as the server does; what fits is stored.
    EXPECT_EQ(fallo("INSERT INTO T (ID, NOMBRE, IMPORTE) VALUES (3, 'abcde   ', -999.99)").Description, "");

    // A table the program creates keeps its lengths too.
    cn_->Execute("CREATE TABLE NUEVA (C varchar(3), N numeric(4,1))");
    EXPECT_EQ(fallo("INSERT INTO NUEVA VALUES ('abcd', 1)").NativeError, kNativoTruncado);
    EXPECT_EQ(fallo("INSERT INTO NUEVA VALUES ('abc', 1000)").NativeError, 8115);
    cn_->Execute("ALTER TABLE NUEVA ADD D varchar(2) NULL");
    EXPECT_EQ(fallo("INSERT INTO NUEVA (C, D) VALUES ('a', 'xyz')").NativeError, kNativoTruncado);

    // A recordset's write reaches the same check.
    auto rs = Recordset::Crear();
    rs->Open("SELECT * FROM T WHERE ID = 1", cn_, adOpenKeyset, adLockOptimistic);
    rs->fields().Item("IMPORTE").setValue(12345.0);
    EXPECT_THROW(rs->Update(), vb::ErrorVB);
    EXPECT_EQ(cn_->errores().Item(0).NativeError, 8115);
    EXPECT_EQ(base_.leer("SELECT IMPORTE FROM T WHERE ID = 1").toDouble(), 1.5);
}

TEST_F(ServerMeaning, DatesWhereverTheyMeetADate) {
    EXPECT_EQ(valor("SELECT 1 + '1', '1' + 1, 'a' + 'b'"), "2|2|ab");
    // A day-first text stays a text in a text column and in a text comparison.
    cn_->Execute("UPDATE T SET NOTA = '29/02/2024' WHERE ID = 2");
    EXPECT_EQ(base_.leer("SELECT NOTA FROM T WHERE ID = 2").toString(), "29/02/2024");
    EXPECT_EQ(valor("SELECT ID FROM T WHERE NOTA = '29/02/2024'"), "2");
    EXPECT_EQ(valor("SELECT ID FROM T WHERE CONVERT(VARCHAR(10),FECHA,103) = '29/02/2024'"), "1");
    // In a date column or a date comparison it is a date, in every form the server reads.
    cn_->Execute("INSERT INTO T (ID, FECHA) VALUES (3, '15/03/24')");
    EXPECT_EQ(base_.leer("SELECT FECHA FROM T WHERE ID = 3").toString(), "2024-03-15");
    // A date already in the stored form stays as written, milliseconds included.
    cn_->Execute("UPDATE T SET FECHA = '2024-03-15 10:20:30.125' WHERE ID = 3");
    EXPECT_EQ(base_.leer("SELECT FECHA FROM T WHERE ID = 3").toString(), "2024-03-15 10:20:30.125");
    for (const char* s : {"SELECT ID FROM T WHERE FECHA >= '29/02/2024' AND FECHA < '01/03/2024'",
                          "SELECT ID FROM T WHERE FECHA BETWEEN '20240229' AND '29/02/2024 23:59:59.997'",
                          "SELECT ID FROM T WHERE FECHA > '29/02/24' AND FECHA < '1/3/24'",
                          "SELECT ID FROM T WHERE YEAR(FECHA) = 2024 AND DAY(FECHA) = 29"})
        EXPECT_EQ(filas(s), QStringList({"1"})) << s;
}

TEST_F(ServerMeaning, EveryTextComparisonFollowsTheCollation) {
    EXPECT_EQ(filas("SELECT A.ID FROM T A, T B WHERE A.ID = 1 AND B.ID = 2 AND LTRIM(RTRIM(A.NOMBRE)) = "
                    "LTRIM(RTRIM(B.NOMBRE))"),
              QStringList({"1"}));
    EXPECT_EQ(filas("SELECT ID FROM T WHERE UPPER(NOMBRE) IN ('abc') ORDER BY ID"), QStringList({"1", "2"}));
    EXPECT_EQ(filas("SELECT ID FROM T WHERE RTRIM(NOMBRE) NOT IN ('x', 'ABC')"), QStringList());
    EXPECT_EQ(filas("SELECT COUNT(*) FROM T GROUP BY LTRIM(NOMBRE)"), QStringList({"2"}));
    EXPECT_EQ(filas("SELECT DISTINCT NOMBRE FROM T").size(), 1);
    EXPECT_EQ(filas("SELECT DISTINCT RTRIM(NOMBRE), ID - ID FROM T"), QStringList({"abc|0"}));

    cn_->Execute("CREATE TABLE NOMBRES (N varchar(20))");
    cn_->Execute(
        "INSERT INTO NOMBRES VALUES ('ñu'), ('Ávila'), ('o'), ('nz'), ('azul'), ('b'), ('Oso'), ('AVILA')");
    // Accented vowels sort with their vowel, ñ between n and o; case never counts.
    EXPECT_EQ(filas("SELECT N FROM NOMBRES ORDER BY N"),
              QStringList({"AVILA", "Ávila", "azul", "b", "nz", "ñu", "o", "Oso"}));
    cn_->Execute("INSERT INTO NOMBRES VALUES ('OSO ')");
    EXPECT_EQ(filas("SELECT COUNT(DISTINCT N) FROM NOMBRES WHERE N IN ('oso', 'avila')"), QStringList({"2"}));
    EXPECT_EQ(filas("SELECT COUNT(*) FROM NOMBRES GROUP BY N HAVING COUNT(*) > 1"), QStringList({"2"}));
}

// Every expression that gives a text keeps the collation of the text it came from, wherever it
// goes next: a sort, MAX and MIN, DISTINCT, GROUP BY, a UNION; its column keeps its name, and a
// value that looks like a date stays a text through the sort or the UNION. Numbers and dates
// keep their own order.
TEST_F(ServerMeaning, ATextFunctionsResultKeepsItsCollation) {
    cn_->Execute("CREATE TABLE X (N varchar(10) COLLATE SERVIDOR)");
    cn_->Execute("INSERT INTO X VALUES ('abd'), ('B'), ('c ')");
    cn_->Execute("CREATE TABLE D (N varchar(10) COLLATE SERVIDOR)");
    cn_->Execute("INSERT INTO D VALUES ('abd'), ('B'), ('c'), ('ABD')");
    cn_->Execute("CREATE TABLE Y (I int, F datetime)");
    cn_->Execute("INSERT INTO Y VALUES (9, '2024-02-01'), (10, '2024-01-31 10:00:00'), (100, '2023-12-31')");
    const QList<QPair<QString, QStringList>> casos{
        // "+" that joins texts, CASE, IIF, a text alone, a subquery: the same as a text function.
        {"SELECT N FROM X ORDER BY N + ''", {"abd", "B", "c "}},
        {"SELECT N FROM X ORDER BY N + 'x'", {"abd", "B", "c "}},
        {"SELECT N FROM X ORDER BY 'x' + N DESC", {"c ", "B", "abd"}},
        {"SELECT N + '' FROM X ORDER BY 1", {"abd", "B", "c "}},
        {"SELECT N FROM X ORDER BY CASE WHEN 1 = 1 THEN N ELSE 'z' END", {"abd", "B", "c "}},
        {"SELECT N FROM X ORDER BY CASE N WHEN 'q' THEN 'z' ELSE N END DESC", {"c ", "B", "abd"}},
        {"SELECT N FROM X ORDER BY IIF(1 = 1, N, 'z')", {"abd", "B", "c "}},
        {"SELECT N FROM X ORDER BY NULLIF(N, 'q')", {"abd", "B", "c "}},
        {"SELECT N FROM X ORDER BY (SELECT Z.N FROM X Z WHERE Z.N = X.N)", {"abd", "B", "c "}},
        {"SELECT (SELECT Z.N FROM X Z WHERE Z.N = X.N) AS S FROM X ORDER BY 1 DESC", {"c ", "B", "abd"}},
        {"SELECT M FROM (SELECT N + '' AS M FROM X) U ORDER BY M", {"abd", "B", "c "}},
        {"SELECT MIN(N + '') FROM X", {"abd"}},
        {"SELECT MIN(CASE WHEN 1 = 1 THEN N END) FROM X", {"abd"}},
        {"SELECT MIN(IIF(1 = 1, N, NULL)) FROM X", {"abd"}},
        {"SELECT COUNT(*) FROM (SELECT DISTINCT N + '' AS M FROM D) U", {"3"}},
        {"SELECT COUNT(*) FROM (SELECT CASE WHEN 1 = 1 THEN N END AS M FROM D GROUP BY CASE WHEN 1 = 1 "
         "THEN N END) U",
         {"3"}},
        {"SELECT COUNT(*) FROM (SELECT N + '' AS M FROM D UNION SELECT N + '' FROM D) U", {"3"}},
        {"SELECT COUNT(*) FROM (SELECT 'abd' AS M UNION SELECT 'ABD ') U", {"1"}},
        {"SELECT COUNT(*) FROM (SELECT 'a' + 'bd' AS M UNION SELECT 'A' + 'BD ') U", {"1"}},
        {"SELECT COUNT(*) FROM (SELECT DISTINCT CASE N WHEN 'c' THEN 'C' ELSE N END AS M FROM D) U", {"3"}},
        // Numbers and dates: a CASE or IIF of numbers sorts as numbers, "+" of numbers adds.
        {"SELECT I FROM Y ORDER BY CASE WHEN 1 = 1 THEN I END", {"9", "10", "100"}},
        {"SELECT I FROM Y ORDER BY IIF(I > 0, I, 0) DESC", {"100", "10", "9"}},
        {"SELECT I + I FROM Y ORDER BY I + 0", {"18", "20", "200"}},
        {"SELECT MAX(CASE WHEN 1 = 1 THEN I END), MIN(IIF(1 = 1, I, 0)) FROM Y", {"100|9"}},
        {"SELECT I FROM Y ORDER BY CASE WHEN 1 = 1 THEN F END", {"100", "10", "9"}},
        // Text functions.
        {"SELECT LTRIM(N) FROM X ORDER BY LTRIM(N)", {"abd", "B", "c "}},
        {"SELECT N FROM X ORDER BY REPLACE(N, 'x', 'y') DESC", {"c ", "B", "abd"}},
        {"SELECT N FROM X ORDER BY SUBSTRING(N, 1, 2), N", {"abd", "B", "c "}},
        {"SELECT RTRIM(N) AS R FROM X ORDER BY R", {"abd", "B", "c"}},
        {"SELECT LEFT(N, 3) FROM X ORDER BY 1 DESC", {"c ", "B", "abd"}},
        {"SELECT MAX(LTRIM(N)), MIN(RTRIM(N)), MAX(REPLACE(N, 'z', 'y')) FROM X", {"c |abd|c "}},
        {"SELECT COUNT(*) FROM (SELECT RTRIM(N) AS R FROM X UNION SELECT 'ABD ' UNION SELECT 'C') U", {"3"}},
        {"SELECT LTRIM(N) FROM X UNION ALL SELECT 'a' ORDER BY 1", {"a", "abd", "B", "c "}},
        {"SELECT COUNT(*) FROM X WHERE LTRIM(N) IN (SELECT UPPER(N) FROM X)", {"3"}},
    };
    for (const auto& [sql, esperado] : casos) EXPECT_EQ(filas(sql), esperado) << sql.toStdString();

    RecordsetPtr rs = cn_->Execute("SELECT LTRIM(N), RTRIM(N) R FROM X ORDER BY 1");
    EXPECT_EQ(rs->fields().Item(0).Name(), "LTRIM(N)");
    EXPECT_EQ(rs->fields().Item(1).Name(), "R");
    rs = cn_->Execute(
        "SELECT N + '', CASE WHEN N = 'B' THEN 'b' END, 'x', IIF(1 = 1, N, '') I FROM X ORDER BY 1");
    const QStringList nombres{"N || ''", "CASE WHEN N = 'B' THEN 'b' END", "'x'", "I"};
    for (int i = 0; i < nombres.size(); ++i) EXPECT_EQ(rs->fields().Item(i).Name(), nombres[i]);
    for (const char* sql :
         {"SELECT LTRIM('2024-01-31') UNION SELECT LTRIM('2024-02-01 ')",
          "SELECT UPPER(N), SUBSTRING('2024-01-31 10:00:00', 1, 19) FROM X ORDER BY 2, 1",
          "SELECT 1, CONVERT(varchar(10), '2024-01-31') UNION ALL SELECT 2, '2024-02-01' ORDER BY 1",
          "SELECT '2024-01-31' + '' UNION SELECT '2024-02-01' + ''",
          "SELECT N, '2024-01-' + '31' AS F FROM X ORDER BY 2, 1"}) {
        rs = cn_->Execute(sql);
        ASSERT_FALSE(rs->Eof()) << sql;
        const int texto = rs->fields().Count() - 1;
        EXPECT_EQ(rs->fields().Item(texto).Value().typeId(), QMetaType::QString) << sql;
    }
}

// A recordset of one table reads each row's place too; a sort by a column's position still sorts
// by the column the query names there.
TEST_F(ServerMeaning, ASortByPositionSortsByTheColumnNamed) {
    cn_->Execute("CREATE TABLE P (I int, N varchar(5) COLLATE SERVIDOR, M varchar(5) COLLATE SERVIDOR)");
    cn_->Execute("INSERT INTO P VALUES (1, 'c', 'x'), (2, 'a', 'z'), (3, 'b', 'y')");
    const QList<QPair<QString, QStringList>> casos{
        {"SELECT I, N FROM P ORDER BY 2", {"2|a", "3|b", "1|c"}},
        {"SELECT N, I FROM P ORDER BY 1 DESC", {"c|1", "b|3", "a|2"}},
        {"SELECT M, N FROM P ORDER BY 2 DESC, 1", {"x|c", "y|b", "z|a"}},
        {"SELECT * FROM P ORDER BY 3", {"1|c|x", "3|b|y", "2|a|z"}},
        {"SELECT TOP 2 N FROM P ORDER BY 1 DESC", {"c", "b"}},
        {"SELECT N FROM P WHERE I <> 2 ORDER BY 1 DESC", {"c", "b"}},
    };
    for (const auto& [sql, esperado] : casos) EXPECT_EQ(filas(sql), esperado) << sql.toStdString();
}

TEST_F(ServerMeaning, ConversionsUnionsAndBatches) {
    EXPECT_EQ(valor("SELECT CONVERT(DECIMAL(10,2), 1.005), CAST(2.675 AS NUMERIC(8,2)), "
                    "CONVERT(NUMERIC(10,0), 2.5), CAST(-7.25 AS DECIMAL(6,1))"),
              "1.01|2.68|3|-7.3");
    EXPECT_EQ(fallo("SELECT CONVERT(DECIMAL(4,2), 123.4)").NativeError, 8115);
    EXPECT_EQ(filas("SELECT TOP 1 ID FROM T UNION ALL SELECT TOP 1 ID FROM T ORDER BY ID"),
              QStringList({"1", "1"}));
    EXPECT_EQ(filas("SELECT NOTA FROM T WHERE ID IN (SELECT TOP 1 ID FROM T UNION SELECT TOP 1 ID FROM T "
                    "WHERE ID > 1) ORDER BY NOTA"),
              QStringList({"dos", "uno"}));

    // The server compiles the whole batch first: a syntax error anywhere runs none of it.
    EXPECT_NE(fallo("INSERT INTO T (ID) VALUES (50)\rINSERT INTO T (ID) VALUS (51)\rDELETE FROM T").Number,
              0);
    EXPECT_EQ(valor("SELECT COUNT(*) FROM T"), "2");
    // A missing table is found only when its statement runs.
    EXPECT_NE(fallo("INSERT INTO T (ID) VALUES (50)\rINSERT INTO NO_HAY VALUES (1)").Number, 0);
    EXPECT_EQ(valor("SELECT COUNT(*) FROM T"), "3");
}

TEST_F(ServerMeaning, TheEnginesMessagesInSpanish) {
    const Error e = fallo("SELECT * FROMM T");
    EXPECT_TRUE(e.Description.startsWith("Error en la instrucción SQL: ")) << e.Description.toStdString();
    EXPECT_TRUE(e.Description.contains("FROMM"));
    for (int codigo : {SQLITE_BUSY, SQLITE_LOCKED, SQLITE_CORRUPT, SQLITE_FULL, SQLITE_IOERR_WRITE,
                       SQLITE_READONLY, SQLITE_CANTOPEN, SQLITE_CONSTRAINT_NOTNULL, SQLITE_INTERRUPT}) {
        const QString d = sqlite::ProveedorSqlite::ErrorDelMotor(codigo, "engine text").Description;
        EXPECT_TRUE(d.endsWith(": engine text")) << d.toStdString();
        EXPECT_FALSE(d.startsWith("engine")) << d.toStdString();
    }
    // The engine's own words after the server's meaning, never alone.
    EXPECT_NE(sqlite::ProveedorSqlite::ErrorDelMotor(SQLITE_BUSY, "x").Description,
              sqlite::ProveedorSqlite::ErrorDelMotor(SQLITE_CORRUPT, "x").Description);
}

}  // namespace

// A connection sets its column checks up as it first writes; whatever that first write is, and
// whatever happens to it, every write is checked.
TEST(ColumnChecks, HoldWhateverAConnectionWritesFirst) {
    BaseTemporal base(R"(
CREATE TABLE T (ID int PRIMARY KEY, NOMBRE varchar(5));
CREATE TABLE DESTINO (ID int, NOMBRE varchar(3));
CREATE VIEW V AS SELECT ID, NOMBRE FROM DESTINO;
CREATE TRIGGER V_INS INSTEAD OF INSERT ON V BEGIN INSERT INTO DESTINO VALUES (NEW.ID, NEW.NOMBRE); END;
INSERT INTO T VALUES (1, 'abc');
)");
    const auto nativo = [](const ConnectionPtr& cn, const QString& sql) {
        try {
            cn->Execute(sql);
        } catch (const vb::ErrorVB&) {
            return cn->errores().Count() > 0 ? cn->errores().Item(0).NativeError : -1;
        }
        return 0;
    };
    const QString largo = "UPDATE T SET NOMBRE = 'abcdef' WHERE ID = 1";

    // The first write inside a transaction that is rolled back: the checks stay.
    for (bool porTexto : {false, true}) {
        ConnectionPtr cn = base.abrir();
        porTexto ? void(cn->Execute("BEGIN TRANSACTION")) : void(cn->BeginTrans());
        EXPECT_EQ(nativo(cn, largo), kNativoTruncado) << porTexto;
        porTexto ? void(cn->Execute("ROLLBACK TRANSACTION")) : cn->RollbackTrans();
        EXPECT_EQ(nativo(cn, largo), kNativoTruncado) << porTexto;
    }
    // A write through a view reaches a table the statement never names.
    {
        ConnectionPtr cn = base.abrir();
        EXPECT_EQ(nativo(cn, "SELECT COUNT(*) FROM T"), 0);
        EXPECT_EQ(nativo(cn, "INSERT INTO V (ID, NOMBRE) VALUES (1, 'abcd')"), kNativoTruncado);
    }
    // A recordset's change, which runs in a transaction of its own, is the first write.
    {
        ConnectionPtr cn = base.abrir();
        auto rs = Recordset::Crear();
        rs->Open("SELECT * FROM T WHERE ID = 1", cn, adOpenKeyset, adLockOptimistic);
        rs->fields().Item("NOMBRE").setValue("abcdefg");
        EXPECT_THROW(rs->Update(), vb::ErrorVB);
        EXPECT_EQ(cn->errores().Item(0).NativeError, kNativoTruncado);
        EXPECT_EQ(nativo(cn, largo), kNativoTruncado);
    }
    EXPECT_EQ(base.leer("SELECT NOMBRE FROM T WHERE ID = 1").toString(), "abc");
    EXPECT_EQ(base.leer("SELECT COUNT(*) FROM DESTINO").toInt(), 0);
}

namespace {

class ServerAnswers : public ServerMeaning {
  protected:
    void SetUp() override {
        ServerMeaning::SetUp();
        cn_->Execute("CREATE TABLE FZ_T (ID int, TXT varchar(10))");
        cn_->Execute("CREATE TABLE FZ_H (ID int)");
        cn_->Execute("INSERT INTO FZ_T VALUES (1, 'uno')");
        cn_->Execute("INSERT INTO FZ_H VALUES (1)");
        cn_->Execute("INSERT INTO FZ_H VALUES (2)");
    }
};

TEST_F(ServerAnswers, MalformedTextIsRefusedAndNothingRuns) {
    // Statements that open with an operator or a comparison are refused, never read around.
    for (const QString& s : {QString("=X(A)"), QString("SELECT 1;\r\n= LEFT(A, 1)"),
                             QString("BETWEEN UPPER(A) AND 2"), QString("> LTRIM(A)")})
        EXPECT_NE(fallo(s).Description, "") << s.toStdString();

    // Stray closing parentheses do not buy depth.
    const QString hondo = "SELECT 1 " + QString(5000, u')') + QString(5000, u'(') + "1" + QString(5000, u')');
    EXPECT_TRUE(fallo(hondo).Description.contains("anidad")) << fallo(hondo).Description.toStdString();

    // An unclosed quote is an error, whatever it holds.
    for (const QString& cola : {QString("x"), QString("x") + QChar(0) + "y", QString(QChar(0))}) {
        const Error e = fallo("UPDATE FZ_T SET TXT = 'dos' WHERE TXT <> '" + cola);
        EXPECT_EQ(e.NativeError, 105) << e.Description.toStdString();
    }
    EXPECT_EQ(valor("SELECT TXT FROM FZ_T"), "uno");
}

TEST_F(ServerAnswers, AsTheServerAnswers) {
    EXPECT_EQ(valor("SELECT TXT + CASE WHEN ID = 1 THEN ' (uno)' ELSE '' END FROM FZ_T WHERE ID = 1"),
              "uno (uno)");
    EXPECT_EQ(valor("SELECT CASE WHEN 1 = 1 THEN 'a' ELSE 'b' END + CASE WHEN 1 = 1 THEN 'c' ELSE 'd' END"),
              "ac");
    EXPECT_EQ(valor("SELECT CASE WHEN ID = 1 THEN 2 ELSE 3 END + ID FROM FZ_T"), "3");

    const QString conNulo = QString("a") + QChar(0) + "b";
    EXPECT_EQ(valor("SELECT DISTINCT LTRIM('" + conNulo + "') FROM FZ_T"), conNulo);
    EXPECT_EQ(valor("SELECT SUBSTRING('" + QString(QChar(0)) + "31/01/2024', 2, 2)"), "31");

    // A text function gives a text, however its value looks; a date column's MAX stays a date.
    RecordsetPtr rs = cn_->Execute("SELECT LTRIM('2024-01-31'), RTRIM('2024-01-31 '), MAX(FECHA) FROM T");
    EXPECT_EQ(rs->fields().Item(0).Value().typeId(), QMetaType::QString);
    EXPECT_EQ(rs->fields().Item(0).Value().toString(), "2024-01-31");
    EXPECT_EQ(rs->fields().Item(1).Value().toString(), "2024-01-31");
    EXPECT_EQ(rs->fields().Item(2).Value().typeId(), QMetaType::QDateTime);

    EXPECT_EQ(fallo("DELETE FZ_H WHERE ID IN (SELECT ID FROM FZ_T WHERE TXT = 'uno')").Description, "");
    EXPECT_EQ(filas("SELECT ID FROM FZ_H"), QStringList({"2"}));
}

TEST_F(ServerAnswers, TextFunctionsFoldEveryLetterAndKeepTheirText) {
    // Every letter changes case, one for one as the server maps them.
    EXPECT_EQ(valor("SELECT UPPER('peña'), LOWER('ÁRBOL'), UPPER('straße'), LOWER(UPPER('ǆ'))"),
              "PEÑA|árbol|STRAßE|ǆ");

    // A NUL is a character like any other.
    const QString nulo(QChar(0));
    const QString conNulo = "a" + nulo + "b";
    EXPECT_EQ(valor("SELECT UPPER('" + conNulo + "'), LOWER('A" + nulo + "B')"), "A" + nulo + "B|" + conNulo);
    EXPECT_EQ(
        valor("SELECT REPLACE('" + conNulo + "', '" + nulo + "', '-'), REPLACE('" + conNulo + "', 'b', 'c')"),
        "a-b|a" + nulo + "c");
    EXPECT_EQ(valor("SELECT LEN('" + conNulo + "  '), LEN('a" + nulo + "'), CHARINDEX('B', '" + conNulo +
                    "'), "
                    "CHARINDEX('" +
                    nulo + "', '" + conNulo + "')"),
              "3|2|3|2");

    // REPLACE and CHARINDEX find as the collation compares: case-blind, accents and ñ count.
    EXPECT_EQ(valor("SELECT REPLACE('Peña PEÑA pena', 'peña', 'x'), REPLACE('árbol Arbol', 'arbol', 'y')"),
              "x x pena|árbol y");
    EXPECT_EQ(valor("SELECT CHARINDEX('Ñ', 'pena peña'), CHARINDEX('a', 'á A'), LEN('ñandú  ')"), "8|3|5");

    // Their results are texts, however they look.
    RecordsetPtr rs = cn_->Execute(
        "SELECT UPPER('2024-01-31'), LOWER('2024-01-31 10:00:00'), REPLACE('2024/01/31', '/', '-')");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(rs->fields().Item(i).Value().typeId(), QMetaType::QString) << i;
    EXPECT_EQ(rs->fields().Item(2).Value().toString(), "2024-01-31");
}

}  // namespace
