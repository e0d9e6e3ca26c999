#include "data/DB_Dll.h"
#include "data/GuionOracle.h"
#include "data/ObjetoConectado.h"
#include "support/ConexionCaida.h"
#include "support/ImprimeQt.h"

#include <gtest/gtest.h>

namespace {

// An object whose connection string names Oracle: ORACLE_Dicc converts.
struct Oracle {
    Oracle() {
        db.gConnString = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=EMPRESA;User Id=EMPRESA;");
    }
    QString operator()(const QString& s) { return db.ORACLE_Dicc(s); }
    DB_Dll db;
};

QStringList Textos(const QList<guion_oracle::Pieza>& piezas) {
    QStringList t;
    for (const auto& p : piezas) t << p.texto;
    return t;
}

}  // namespace

TEST(DB_Dll_Oracle, AFullExampleAndTheRowLimit) {
    Oracle o;
    EXPECT_EQ(o("SELECT TOP 10 * FROM MA_CUENTAS WHERE CODIGO = '' ORDER BY CODIGO"),
              "SELECT  * FROM MA_CUENTAS WHERE CODIGO  IS NULL     AND ROWNUM <= 10  ORDER BY CODIGO");
    // Without WHERE the limit opens one.
    EXPECT_EQ(o("SELECT TOP 5 CODIGO FROM MA_CUENTAS"),
              "SELECT  CODIGO FROM MA_CUENTAS  WHERE ROWNUM <= 5  ");
    // The GROUP BY tail (with its ORDER BY) goes after the limit.
    EXPECT_EQ(
        o("SELECT TOP 3 CUENTA, SUM(IMPORTE) FROM MV_ASIENTOS WHERE ANIO = 2024 GROUP BY CUENTA ORDER BY "
          "CUENTA"),
        "SELECT  CUENTA, SUM(IMPORTE) FROM MV_ASIENTOS WHERE ANIO = 2024    AND ROWNUM <= 3 GROUP BY CUENTA "
        "ORDER BY CUENTA ");
    EXPECT_EQ(o("select top 1 codigo from ma_cuentas order by codigo desc"),
              "select  codigo from ma_cuentas    WHERE ROWNUM <= 1  order by codigo desc");
    // "top " must be followed by a number and a blank.
    for (const char* malo : {"SELECT TOP 5", "SELECT TOP X FROM T"}) {
        try {
            o(QString::fromLatin1(malo));
            ADD_FAILURE() << malo;
        } catch (const vb::ErrorVB& e) {
            EXPECT_EQ(e.Number, vb::kArgumentoInvalido);
        }
    }
}

TEST(DB_Dll_Oracle, LengthBracketsAndFunctions) {
    Oracle o;
    EXPECT_EQ(o("len"), "LENGTH");
    EXPECT_EQ(o("Len"), "LENGTH");
    EXPECT_EQ(o("LENX"), "LENX");
    EXPECT_EQ(o("SELECT LEN(A) FROM T"), "SELECT LENGTH(A) FROM T");
    EXPECT_EQ(o("SELECT len    (A) FROM T"), "SELECT LENGTH(A) FROM T");
    // Right after "(" or "," there is no blank before LEN: left alone.
    EXPECT_EQ(o("SELECT MAX(LEN(A)),LEN(B) FROM T"), "SELECT MAX(LEN(A)),LEN(B) FROM T");
    EXPECT_EQ(o("SELECT [Fecha Desde] FROM [MA_EJERCICIOS]"),
              "SELECT \"Fecha Desde\" FROM \"MA_EJERCICIOS\"");
    EXPECT_EQ(o("SELECT CONVERT(NVARCHAR, FECHA, 103) FROM T"),
              "SELECT TO_CHAR( FECHA, 'DD/MM/YYYY') FROM T");
    EXPECT_EQ(o("SELECT CONVERT(INT, CODIGO) FROM T WHERE NUMERO = 103"),
              "SELECT TO_NUMBER( CODIGO) FROM T WHERE NUMERO = 103");
    EXPECT_EQ(o("SELECT ISNULL(SUBSTRING(A,1,2),'x') FROM T"), "SELECT NVL(SUBSTR(A,1,2),'x') FROM T");
}

TEST(DB_Dll_Oracle, CharindexSwapsTheOrderOfItsArguments) {
    Oracle o;
    EXPECT_EQ(o("SELECT CHARINDEX('-', CODIGO) FROM T"), "SELECT InStr(CODIGO, '-') FROM T");
    EXPECT_EQ(o("SELECT charindex(',', CODIGO, 3) FROM T"), "SELECT InStr(CODIGO, ',', 3) FROM T");
    EXPECT_EQ(o("SELECT CHARINDEX('.', SUBSTRING(C, CHARINDEX('-', C), 5)) FROM T"),
              "SELECT InStr(SUBSTR(C, InStr(C, '-'), 5), '.') FROM T");
    // A call that cannot be read is only renamed.
    EXPECT_EQ(o("SELECT CHARINDEX FROM T"), "SELECT InStr FROM T");
}

TEST(DB_Dll_Oracle, QuotedDatesAndEmptyTexts) {
    Oracle o;
    EXPECT_EQ(o("SELECT * FROM T WHERE F >= '1/2/2024' AND N = 'ABC'"),
              "SELECT * FROM T WHERE F >= TO_DATE('01/02/2024','DD/MM/YYYY') AND N = 'ABC'");
    // What the date parser accepts is a date, a time of day too; only the date part is kept.
    EXPECT_EQ(o("SELECT * FROM T WHERE H = '10:30' OR F = '15/03/2024 08:05'"),
              "SELECT * FROM T WHERE H = TO_DATE('30/12/1899','DD/MM/YYYY') OR F = "
              "TO_DATE('15/03/2024','DD/MM/YYYY')");
    // A date already wrapped stays wrapped once.
    EXPECT_EQ(o("SELECT * FROM T WHERE F = TO_DATE('15/03/2024','DD/MM/YYYY')"),
              "SELECT * FROM T WHERE F = TO_DATE('15/03/2024','DD/MM/YYYY')");
    // Empty-text tests become Null tests only from the first WHERE on.
    EXPECT_EQ(o("UPDATE T SET A = '' WHERE B = '' AND C=''"),
              "UPDATE T SET A = '' WHERE B  IS NULL  AND C IS NULL ");
    try {
        o("SELECT * FROM T WHERE N = 'AB");
        ADD_FAILURE() << "an unpaired quote mark must fail";
    } catch (const vb::ErrorVB& e) {
        EXPECT_EQ(e.Number, vb::kArgumentoInvalido);
    }
}

TEST(DB_Dll_Oracle, WithoutOracleNothingChanges) {
    DB_Dll db;
    db.gConnString = QStringLiteral("Provider=SQLOLEDB;Server=X;Database=EMPRESA;");
    for (const char* s : {"SELECT TOP 10 * FROM MA_CUENTAS WHERE CODIGO = '' ORDER BY CODIGO", "len",
                          "SELECT CHARINDEX('-', [A B]) FROM T WHERE F = '01/02/2024'", "SELECT TOP 5"}) {
        EXPECT_EQ(db.ORACLE_Dicc(QString::fromLatin1(s)), QString::fromLatin1(s));
    }
    // The word count decides before any rule: one word other than LEN is left alone.
    Oracle o;
    EXPECT_EQ(o("[X]"), "[X]");
}

TEST(DB_Dll_Oracle, AScriptIsNormalisedAndCut) {
    using namespace guion_oracle;
    EXPECT_EQ(Normalizar("SET NOCOUNT ON\r\nBEGIN TRANSACTION\r\nINSERT INTO T VALUES (1)\r\nGO\r\n"
                         "commit transaction\r\nset nocount off"),
              " \nSET TRANSACTION \nINSERT INTO T VALUES (1) COMMIT \n");
    EXPECT_EQ(Normalizar("begin trans\nUPDATE T SET A = 1 GO ROLLBACK TRANS"),
              "SET TRANSACTION\nUPDATE T SET A = 1 ROLLBACK");

    EXPECT_EQ(Textos(Cortar(Normalizar("-- alta\r\nBEGIN TRANSACTION\r\nINSERT INTO T VALUES (1)\r\n"
                                       "UPDATE T SET A = 2\r\nCOMMIT TRANSACTION"))),
              (QStringList{"SET TRANSACTION", "INSERT INTO T VALUES (1)", "UPDATE T SET A = 2", "COMMIT"}));
    // The existence test is a piece of its own, before the CREATE.
    EXPECT_EQ(
        Textos(Cortar("IF NOT EXISTS (SELECT * FROM sysobjects WHERE name = 'X') CREATE TABLE X (A int)")),
        (QStringList{"IF NOT EXISTS (SELECT * FROM sysobjects WHERE name = 'X')", "CREATE TABLE X (A int)"}));
    // A keyword at the end of a longer word cuts too, but only with its blank.
    EXPECT_EQ(Textos(Cortar("INSERT INTO T (A, LAST_UPDATE ) VALUES (1, 2)")),
              (QStringList{"INSERT INTO T (A, LAST_", "UPDATE ) VALUES (1, 2)"}));
    EXPECT_EQ(Textos(Cortar("INSERT INTO T (A, LAST_UPDATE) VALUES (1, 2)")),
              (QStringList{"INSERT INTO T (A, LAST_UPDATE) VALUES (1, 2)"}));
    EXPECT_TRUE(Cortar("SELECT 1").isEmpty());
    const auto piezas = Cortar("xx DROP TABLE A GRANT SELECT ON B TO C");
    ASSERT_EQ(piezas.size(), 2);
    EXPECT_EQ(piezas[0].inicio, 3);
    EXPECT_EQ(piezas[1].inicio, 16);
}

namespace {

// The test company database, with a connection string that names Oracle: every action
// statement goes through the script runner, whose pieces run on the embedded engine as they are
// (the object's own connection data do not name Oracle, so no piece is converted).
struct GuionSobreLaBase : ObjetoConectado {
    GuionSobreLaBase() {
        db->gCnn->setConnectionString(db->gCnn->ConnectionString() + ";Application Name=ORACLE;");
    }
    long corre(QString& guion) {
        long afectados = 0;
        ok = db->EjecutaConsultaSQL(guion, afectados);
        return afectados;
    }
    QString codigos() {
        QStringList c;
        for (const auto& fila : base.filas("SELECT idarticulo FROM MA_ARTICULOS ORDER BY idarticulo"))
            c << fila.at(0);
        return c.join(',');
    }
    bool ok = false;
};

}  // namespace

TEST(DB_Dll_Oracle, AScriptInATransactionIsConsumed) {
    GuionSobreLaBase g;
    QString guion =
        "SET NOCOUNT ON\r\nBEGIN TRANSACTION\r\nINSERT INTO MA_ARTICULOS (idarticulo) VALUES ('G1')\r\n"
        "INSERT INTO MA_ARTICULOS (idarticulo) VALUES ('G2')\r\nGO\r\nUPDATE MA_ARTICULOS SET Descripcion = "
        "'x'\r\n"
        "COMMIT TRANSACTION";
    EXPECT_EQ(g.corre(guion), 4);
    EXPECT_TRUE(g.ok);
    EXPECT_EQ(guion, "");
    EXPECT_EQ(g.codigos(), "G1,G2");
    EXPECT_EQ(g.base.escalar("SELECT COUNT(*) FROM MA_ARTICULOS WHERE Descripcion = 'x'").toInt(), 2);

    // Begin and rollback are the connection's own calls.
    guion = "BEGIN TRANS\nINSERT INTO MA_ARTICULOS (idarticulo) VALUES ('R1')\nROLLBACK TRANSACTION";
    g.corre(guion);
    EXPECT_EQ(g.codigos(), "G1,G2");

    // The existence test is dropped: the CREATE runs unconditionally.
    guion = "IF NOT EXISTS (SELECT * FROM sysobjects WHERE name = 'NUEVA') CREATE TABLE NUEVA (A int)";
    g.corre(guion);
    EXPECT_EQ(g.base.escalar("SELECT COUNT(*) FROM sqlite_master WHERE name = 'NUEVA'").toInt(), 1);

    // A script without any keyword runs nothing and stays, normalised.
    guion = "SELECT 1\r\n";
    EXPECT_EQ(g.corre(guion), 0);
    EXPECT_EQ(guion, "SELECT 1 \n");
}

// The link drops inside the script's own transaction: the server has undone it, the call fails
// quietly as a script with a transaction does, and the connection is not left waiting for an owner:
// the next statement reconnects.
TEST(DB_Dll_Oracle, AScriptWhoseConnectionIsLostInsideItsTransaction) {
    GuionSobreLaBase g;
    g.db->gCnn->InyectarFalla(ConexionCaida("'P2'"));
    QString guion =
        "BEGIN TRANSACTION\nINSERT INTO MA_ARTICULOS (idarticulo) VALUES ('P1')\n"
        "INSERT INTO MA_ARTICULOS (idarticulo) VALUES ('P2')\nCOMMIT TRANSACTION";
    g.corre(guion);
    EXPECT_FALSE(g.ok);
    EXPECT_FALSE(g.db->gCnn->EnTransaccion());
    EXPECT_EQ(g.codigos(), "");
    QString otro = "INSERT INTO MA_ARTICULOS (idarticulo) VALUES ('P3')";
    g.corre(otro);
    EXPECT_TRUE(g.ok);
    EXPECT_EQ(g.codigos(), "P3");
}

TEST(DB_Dll_Oracle, AFailingScriptKeepsTheRestFromTheFailedPiece) {
    GuionSobreLaBase g;
    QString guion =
        "INSERT INTO MA_ARTICULOS (idarticulo) VALUES ('F1')\nINSERT INTO NO_EXISTE VALUES (1)\n"
        "INSERT INTO MA_ARTICULOS (idarticulo) VALUES ('F2')";
    g.corre(guion);
    EXPECT_FALSE(g.ok);
    EXPECT_EQ(g.codigos(), "F1");
    EXPECT_EQ(guion, "INSERT INTO NO_EXISTE VALUES (1)\nINSERT INTO MA_ARTICULOS (idarticulo) VALUES ('F2')");
    EXPECT_GE(g.db->gCnn->errores().Count(), 1);
}
