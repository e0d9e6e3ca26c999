#include "data/DB_Dll.h"
#include "data/ObjetoConectado.h"
#include "support/DialogosGuionados.h"
#include "support/ImprimeQt.h"
#include "support/LocaleNumeros.h"

#include <gtest/gtest.h>
#include <QDate>
#include <QDateTime>
#include <QFile>

namespace {

QString Literal(DB_Dll& db, const QVariant& v, const QString& marca = QStringLiteral("'")) {
    const QString uno = db.SQLValue(v, marca).toString();
    EXPECT_EQ(db.SQLValue2(v, marca).toString(), uno);
    return uno;
}

}  // namespace

TEST(DB_DllLiterals, TheFormOfEachKindOfValue) {
    DB_Dll db;
    const QVariant nulo;
    for (const QLocale& locale : {LocaleNumeros::coma(), LocaleNumeros::punto()}) {
        LocaleNumeros numeros(locale);
        SCOPED_TRACE(locale.name().toStdString());
        // Numbers always with "." and at most four decimals, whatever the display locale.
        EXPECT_EQ(Literal(db, 12.5, "@"), "12.5");
        EXPECT_EQ(Literal(db, 1234.5678, "@"), "1234.5678");
        EXPECT_EQ(Literal(db, 1.23456, "@"), "1.2346");
        EXPECT_EQ(Literal(db, -3.25, "@"), "-3.25");
        EXPECT_EQ(Literal(db, 1500000, "@"), "1500000");
        EXPECT_EQ(Literal(db, nulo, "@"), "0");
        EXPECT_EQ(Literal(db, 0.5, "'"), "'0.5'");
        EXPECT_EQ(Literal(db, 7, ""), "7");
        EXPECT_EQ(Literal(db, 2.75, ""), "2.75");
        // Texts and dates between quote marks, apostrophes doubled.
        EXPECT_EQ(Literal(db, QStringLiteral("ABC")), "'ABC'");
        EXPECT_EQ(Literal(db, QStringLiteral("D'Angelo y O''Neil")), "'D''Angelo y O''''Neil'");
        EXPECT_EQ(Literal(db, QStringLiteral("  con blancos ")), "'  con blancos '");
        EXPECT_EQ(Literal(db, QDate(2024, 3, 5)), "'05/03/2024'");
        EXPECT_EQ(Literal(db, QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9))), "'05/03/2024 14:07:09'");
        EXPECT_EQ(Literal(db, nulo), "NULL");
        EXPECT_EQ(Literal(db, nulo, ""), "NULL");
        EXPECT_EQ(Literal(db, QStringLiteral("GETDATE()"), ""), "GETDATE()");
    }
    // A typed number is read in the display locale.
    {
        LocaleNumeros numeros(LocaleNumeros::coma());
        EXPECT_EQ(Literal(db, QStringLiteral("12,5"), "@"), "12.5");
        EXPECT_EQ(Literal(db, QStringLiteral("1234,56789"), "@"), "1234.5679");
        EXPECT_EQ(Literal(db, QStringLiteral("abc"), "@"), "0");
    }
    {
        LocaleNumeros numeros(LocaleNumeros::punto());
        EXPECT_EQ(Literal(db, QStringLiteral("12.5"), "@"), "12.5");
    }
}

TEST(DB_DllLiterals, ATextWithApostrophesIsStoredAsItIs) {
    ObjetoConectado o;
    DB_Dll& db = *o.db;
    const QString nombre = QStringLiteral("L'Oréal'; DELETE FROM MA_ARTICULOS; --");
    QString sql = "INSERT INTO MA_ARTICULOS (idarticulo, Descripcion) VALUES (" +
                  db.SQLValue("A1").toString() + ", " + db.SQLValue(nombre).toString() + ")";
    ASSERT_TRUE(db.EjecutaConsultaSQL(sql));
    EXPECT_EQ(o.base.escalar("SELECT Descripcion FROM MA_ARTICULOS WHERE idarticulo = 'A1'").toString(),
              nombre);
}

TEST(DB_DllLiterals, UltimoCodigo) {
    ObjetoConectado o({"CREATE TABLE NUMEROS (N int NOT NULL)"});
    DB_Dll& db = *o.db;
    EXPECT_EQ(db.BuscaUltimoCodigo("MA_CUENTAS", "CODIGO"), QVariant(0.0));
    o.base.ejecutar("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('A12')");
    EXPECT_EQ(db.BuscaUltimoCodigo("MA_CUENTAS", "CODIGO"), QVariant(0.0));
    o.base.ejecutar("DELETE FROM MA_CUENTAS; INSERT INTO MA_CUENTAS (CODIGO) VALUES ('0045'), ('0012')");
    EXPECT_EQ(db.BuscaUltimoCodigo("MA_CUENTAS", "CODIGO"), QVariant(45.0));
    EXPECT_EQ(db.BuscaUltimoCodigo("MA_CUENTAS", "CODIGO", 8, "CODIGO < '0020'"), QVariant(12.0));
    // Blanks only: no WHERE (a WHERE without a condition would fail).
    EXPECT_EQ(db.BuscaUltimoCodigo("MA_CUENTAS", "CODIGO", 8, "   "), QVariant(45.0));

    o.base.ejecutar("INSERT INTO NUMEROS VALUES (9), (1234), (77)");
    EXPECT_EQ(db.BuscaUltimoCodigo("NUMEROS", "N"), QVariant(1234.0));

    // Sent as built: the table marker is not removed, so the statement fails to the caller.
    EXPECT_THROW(db.BuscaUltimoCodigo("@Admin_MA_CUENTAS", "CODIGO"), vb::ErrorVB);
}

TEST(DB_DllLiterals, TablesAndColumnsOfTheSchema) {
    ObjetoConectado o;
    DialogosGuionados guion;
    DB_Dll& db = *o.db;
    EXPECT_TRUE(db.ExisteTablaDB("ma_cuentas"));
    EXPECT_TRUE(db.ExisteTablaDB(" V_MA_ARTICULOS "));  // views count
    EXPECT_FALSE(db.ExisteTablaDB("MA_CUENTA"));
    EXPECT_FALSE(db.ExisteTablaDB("MA_CUENTASX"));

    EXPECT_TRUE(db.ExisteCampoDB("MA_CUENTAS", " codigo "));
    EXPECT_TRUE(db.ExisteCampoDB("ma_cuentas", "Manual_Haber"));
    EXPECT_FALSE(db.ExisteCampoDB("MA_CUENTAS", "idarticulo"));
    EXPECT_FALSE(db.ExisteCampoDB("NO_EXISTE", "CODIGO"));
    // On Oracle every column is taken as present.
    db.gProveedor = QStringLiteral("OraOLEDB.Oracle.1");
    EXPECT_TRUE(db.ExisteCampoDB("MA_CUENTAS", "NO_EXISTE"));
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

TEST(DB_DllLiterals, ASchemaThatCannotBeReadIsReportedAndGivesFalse) {
    ObjetoConectado o;
    DB_Dll& db = *o.db;
    db.gCnn->Close();
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbRetry);  // the step runs again and fails again
    guion.esperarMsgBox(vb::vbAbort);
    EXPECT_FALSE(db.ExisteTablaDB("MA_CUENTAS"));
    guion.esperarMsgBox(vb::vbIgnore);  // goes on without a rowset
    EXPECT_FALSE(db.ExisteCampoDB("MA_CUENTAS", "CODIGO"));
    ASSERT_EQ(guion.preguntas().size(), 3);
    for (const Pregunta& p : guion.preguntas()) {
        EXPECT_TRUE(p.titulo.contains(" - VerificaCampos Aviso al operador!!! - 5 "))
            << p.titulo.toStdString();
        EXPECT_EQ(p.estilo, 18);
    }
    QFile log(db.gLogErr);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLatin1(log.readAll()).count("Rutina: - VerificaCampos"), 3);
}

TEST(DB_DllLiterals, VerCampoAddsTheMissingColumn) {
    ObjetoConectado o;
    DialogosGuionados guion;
    DB_Dll& db = *o.db;
    o.base.ejecutar("INSERT INTO MA_ARTICULOS (idarticulo) VALUES ('X1')");

    EXPECT_TRUE(db.VerCampoDB("MA_ARTICULOS", "ACTIVO", false, "bit", false, 0));
    EXPECT_FALSE(db.ExisteCampoDB("MA_ARTICULOS", "ACTIVO"));

    // The statement goes out exactly so: a fault armed on its full text catches it.
    ado::FallaInyectada trampa;
    trampa.contiene =
        "ALTER TABLE dbo.MA_ARTICULOS ADD ACTIVO bit Not Null  CONSTRAINT DF_MA_ARTICULOS_ACTIVO DEFAULT (0)";
    trampa.error.Number = ado::kErrSintaxis;
    trampa.error.Description = "sentencia vista";
    db.gCnn->InyectarFalla(trampa);
    EXPECT_TRUE(db.VerCampoDB("MA_ARTICULOS", "ACTIVO", true, "bit", false, 0));
    ASSERT_EQ(db.gCnn->errores().Count(), 1);
    EXPECT_EQ(db.gCnn->errores().Item(0).Description, "sentencia vista");
    EXPECT_FALSE(db.ExisteCampoDB("MA_ARTICULOS", "ACTIVO"));

    EXPECT_TRUE(db.VerCampoDB("MA_ARTICULOS", "ACTIVO", true, "bit", false, 0));
    EXPECT_TRUE(db.ExisteCampoDB("MA_ARTICULOS", "ACTIVO"));
    EXPECT_EQ(o.base.escalar("SELECT ACTIVO FROM MA_ARTICULOS WHERE idarticulo = 'X1'").toInt(), 0);
    // Already there: nothing more is added, and the call still answers true.
    EXPECT_TRUE(db.VerCampoDB("MA_ARTICULOS", "activo", true, "bit", false, 1));

    // Without a default, a column that allows nulls.
    db.AddField("MA_ARTICULOS", "NOTA", "varchar(10)", true);
    EXPECT_TRUE(db.ExisteCampoDB("MA_ARTICULOS", "NOTA"));
    EXPECT_TRUE(o.base.escalar("SELECT NOTA FROM MA_ARTICULOS WHERE idarticulo = 'X1'").isNull());

    // A missing table: nothing added, still true.
    EXPECT_TRUE(db.VerCampoDB("NO_EXISTE", "ACTIVO", true, "bit", false, 0));
    EXPECT_FALSE(db.ExisteTablaDB("NO_EXISTE"));
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

TEST(DB_DllLiterals, NameRoutines) {
    DB_Dll db;
    EXPECT_EQ(db.pJETOLEDB40(), "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(db.pJETOLEDB35(), "Microsoft.Jet.OLEDB.3.51");
    EXPECT_EQ(db.pSQLOLEDB(), "SQLOLEDB");

    QString nombre = "CLIENTES";
    EXPECT_EQ(db.stSTF(nombre, 0), "CLIENTES");
    nombre = "dbo.CLIENTES";
    EXPECT_EQ(db.stSTF(nombre, 0), "dbo");
    EXPECT_EQ(db.stSTF(nombre, 1), "CLIENTES");
    EXPECT_EQ(nombre, "dbo.CLIENTES");
    nombre = "EMPRESA.dbo.CLIENTES";
    EXPECT_EQ(db.stSTF(nombre, 0), "dbo.CLIENTES");
    EXPECT_EQ(nombre, "dbo.CLIENTES");

    EXPECT_EQ(db.AddBrackets("MA CUENTAS"), "[MA CUENTAS]");
    EXPECT_EQ(db.AddBrackets("[MA CUENTAS]"), "[MA CUENTAS]");
    EXPECT_EQ(db.AddBrackets("MA_CUENTAS"), "MA_CUENTAS");

    EXPECT_EQ(db.StripConnect("CLIENTES ->X"), "CLIENTES");
    EXPECT_EQ(db.StripConnect("C->X"), "");
    EXPECT_EQ(db.StripConnect("CLIENTES"), "CLIENTES");
    EXPECT_EQ(db.StripBrackets("[MA CUENTAS]"), "MA CUENTAS");
    EXPECT_EQ(db.StripBrackets("[]"), "");
    EXPECT_EQ(db.StripBrackets("MA_CUENTAS]"), "MA_CUENTAS]");
    for (const char* malo : {"->X", "["}) {
        try {
            QString(malo).startsWith('[') ? db.StripBrackets(malo) : db.StripConnect(malo);
            ADD_FAILURE() << malo;
        } catch (const vb::ErrorVB& e) {
            EXPECT_EQ(e.Number, vb::kArgumentoInvalido);
        }
    }

    QString tabla = "dbo.MA.CUENTAS";
    EXPECT_EQ(db.StripOwner(tabla), "MA.CUENTAS");
    EXPECT_EQ(tabla, "MA.CUENTAS");
    tabla = "MA_CUENTAS";
    EXPECT_EQ(db.StripOwner(tabla), "MA_CUENTAS");

    EXPECT_EQ(db.StripFileName("C:\\A\\B.MDB"), "C:\\A");
    EXPECT_EQ(db.StripFileName("/datos/empresa/B.MDB"), "/datos/empresa");
    EXPECT_EQ(db.StripFileName("B.MDB"), "");

    // The empty members accept anything and do nothing.
    db.QConsulta("T", "R", 1, 2, "C", "W");
    db.QGridConsulta("S", "C1", "cadena", "C2", "C3");
}
