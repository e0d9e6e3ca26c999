#include "outside/ado/sqlite/ProveedorSqlite.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "outside/ado/BaseTemporal.h"
#include "outside/ado/Recordset.h"
#include "outside/runtime/ErrorVB.h"
#include "support/ImprimeQt.h"
#include "support/SentenciasHostiles.h"

using ado::sqlite::ProveedorSqlite;
using namespace ado;

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

namespace {

const char* kEsquemaDia = R"(
CREATE TABLE MA_CUENTAS (CODIGO varchar(15) NOT NULL PRIMARY KEY, DESCRIPCION varchar(150), SALDO float);
INSERT INTO MA_CUENTAS VALUES ('1', 'Activo', 0);
CREATE VIEW SS_MA_CUENTAS AS SELECT CODIGO, DESCRIPCION, SALDO FROM MA_CUENTAS;
CREATE TRIGGER SS_MA_CUENTAS_U INSTEAD OF UPDATE ON SS_MA_CUENTAS BEGIN
    UPDATE MA_CUENTAS SET DESCRIPCION = NEW.DESCRIPCION, SALDO = NEW.SALDO WHERE CODIGO = OLD.CODIGO;
END;
CREATE TABLE MA_NUMEROS (N int);
WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 150) INSERT INTO MA_NUMEROS SELECT x FROM c;
)";

}  // namespace

// More distinct statements than the connection keeps prepared: the kept ones are dropped while a
// query of a table is being run, and the query must not read what was dropped.
TEST(ProveedorSqlite, ALongWorkingDayOnOneConnection) {
    BaseTemporal base(kEsquemaDia);
    auto cn = base.abrir();
    for (int i = 0; i < 400; ++i) cn->Execute(QString("SELECT %1 AS V").arg(i));
    auto rs = cn->Execute("SELECT CODIGO FROM MA_CUENTAS WHERE 1 = 1");
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->valor("CODIGO"), QVariant("1"));

    // 5,000 distinct statements: queries, writes through a table's and a view's recordsets,
    // plain updates, and now and then a change of schema.
    int escritos = 0;
    for (int i = 0; i < 5000; ++i) {
        switch (i % 5) {
            case 0: {
                auto r = Recordset::Crear();
                r->Open(QString("SELECT * FROM MA_CUENTAS WHERE CODIGO = '1' AND %1 = %1").arg(i), cn,
                        adOpenDynamic, adLockOptimistic);
                r->fields()["SALDO"].setValue(r->valor("SALDO").toDouble() + 1);
                r->Update();
                ++escritos;
                break;
            }
            case 1: {
                auto r = Recordset::Crear();
                r->Open(QString("SELECT * FROM SS_MA_CUENTAS WHERE %1 <> -1").arg(i), cn, adOpenDynamic,
                        adLockOptimistic);
                r->fields()["DESCRIPCION"].setValue(QString("Activo %1").arg(i));
                r->Update();
                break;
            }
            case 2:
                cn->Execute(
                    QString("UPDATE MA_CUENTAS SET SALDO = SALDO + 1 WHERE CODIGO = '1' AND %1 > 0").arg(i));
                ++escritos;
                break;
            case 3:
                if (i % 500 == 3) {
                    cn->Execute(QString("CREATE TABLE TMP_%1 (X int)").arg(i));
                    cn->Execute(QString("DROP TABLE TMP_%1").arg(i));
                } else {
                    cn->Execute(QString("SELECT COUNT(*) AS N FROM MA_NUMEROS WHERE N < %1").arg(i));
                }
                break;
            default:
                cn->Execute(QString("SELECT %1 AS V, DESCRIPCION FROM MA_CUENTAS").arg(i));
                break;
        }
    }
    EXPECT_EQ(base.leer("SELECT CAST(SALDO AS INT) || '|' || DESCRIPCION FROM MA_CUENTAS"),
              QVariant(QString("%1|Activo 4996").arg(escritos)));
}

TEST(ProveedorSqlite, TheCommandTimeOutStopsALongQueryAndALongWait) {
    BaseTemporal base(kEsquemaDia);
    auto cn = base.abrir();
    cn->setCommandTimeout(1);
    QElapsedTimer reloj;
    reloj.start();
    // About 500 million rows: far longer than one second.
    EXPECT_EQ(numeroDe([&] {
                  cn->Execute("SELECT COUNT(*) FROM MA_NUMEROS a, MA_NUMEROS b, MA_NUMEROS c, MA_NUMEROS d");
              }),
              kErrTiempoAgotado);
    ASSERT_GE(cn->errores().Count(), 1);
    EXPECT_EQ(cn->errores().Item(0).SQLState, "HYT00");
    EXPECT_LT(reloj.elapsed(), 20000);
    // The connection goes on working after the interruption.
    EXPECT_EQ(cn->Execute("SELECT COUNT(*) AS N FROM MA_NUMEROS")->valor("N").toInt(), 150);

    // Another connection holds the write lock: the wait ends with the time-out, with an error.
    auto otro = base.abrir();
    otro->BeginTrans();
    otro->Execute("UPDATE MA_CUENTAS SET SALDO = 1");
    reloj.restart();
    EXPECT_NE(numeroDe([&] { cn->Execute("UPDATE MA_CUENTAS SET SALDO = 2"); }), 0);
    EXPECT_LT(reloj.elapsed(), 4000);
    otro->RollbackTrans();
    cn->setCommandTimeout(0);  // no limit
    cn->Execute("UPDATE MA_CUENTAS SET SALDO = 2");
    EXPECT_EQ(base.leer("SELECT SALDO FROM MA_CUENTAS"), QVariant(2.0));
}

// A company file still in rollback mode, its write lock held by another program: this one opens
// and reads it at once, writing nothing; its first write switches the file to WAL, waiting for
// the lock like any statement.
TEST(ProveedorSqlite, TheFirstWriteToAFileAnotherProgramIsWritingWaitsForItsLock) {
    BaseTemporal base(kEsquemaDia);
    ASSERT_EQ(base.leer("PRAGMA journal_mode"), QVariant("delete"));
    sqlite3* otro = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(base.ruta()).constData(), &otro), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(otro, "BEGIN IMMEDIATE; UPDATE MA_CUENTAS SET SALDO = 7", nullptr, nullptr, nullptr),
        SQLITE_OK);
    int esperas = 0;
    ado::sqlite::AvisoDeEspera() = [&] {
        ++esperas;
        sqlite3_exec(otro, "COMMIT", nullptr, nullptr, nullptr);  // the other program is done
    };
    ConnectionPtr cn;
    EXPECT_EQ(numeroDe([&] { cn = base.abrir(); }), 0);
    ASSERT_TRUE(cn);
    EXPECT_EQ(numeroDe([&] { cn->Execute("SELECT SALDO FROM MA_CUENTAS"); }), 0);
    EXPECT_EQ(esperas, 0);
    EXPECT_EQ(base.leer("PRAGMA journal_mode"), QVariant("delete"));
    EXPECT_EQ(numeroDe([&] { cn->Execute("UPDATE MA_CUENTAS SET SALDO = SALDO + 1"); }), 0);
    ado::sqlite::AvisoDeEspera() = nullptr;
    sqlite3_close(otro);
    EXPECT_EQ(esperas, 1);
    EXPECT_EQ(cn->Execute("SELECT SALDO FROM MA_CUENTAS")->valor("SALDO"), QVariant(8.0));
    EXPECT_EQ(base.leer("PRAGMA journal_mode"), QVariant("wal"));
}

// Whatever a check of its words let through, the engine judges a recordset's statement on its own
// reading of it: one statement, a query, and one that writes nothing.
TEST(ProveedorSqlite, ARecordsetsStatementIsOneQueryForTheEngineToo) {
    BaseTemporal base(R"(
CREATE TABLE TA_USUARIOS (NOMBRE varchar(30) PRIMARY KEY, GRUPO varchar(30), UNegocio char(4), Administrador bit);
INSERT INTO TA_USUARIOS VALUES ('OPERADOR', 'OPERADORES', '   1', 0);
CREATE TABLE MA_CUENTAS (CODIGO varchar(15) PRIMARY KEY);
INSERT INTO MA_CUENTAS VALUES ('1');
)");
    auto cn = base.abrir();
    const QString copia = QDir(base.carpeta()).filePath("copia.sqlite");
    const QString usuarios = "SELECT NOMBRE || GRUPO || UNegocio || Administrador FROM TA_USUARIOS";
    const QVariant antes = base.leer(usuarios);
    const auto rechazo = [&](const QString& texto) {
        Errors errores;
        try {
            cn->proveedor()->leer(texto, errores);
        } catch (const vb::ErrorVB& e) {
            return e.Description;
        }
        return QString("<se ejecutó>");
    };
    // After a separator, or alone where it is no query: nothing runs.
    for (const SentenciaHostil& h : SentenciasHostiles(copia)) {
        if (h.palabra != "SELECT") {
            EXPECT_NE(rechazo(h.sentencia), "<se ejecutó>") << h.sentencia.toStdString();
        }
        for (const char* entre : {"\r\nGO\r\n", ";"}) {
            const QString t = "SELECT CODIGO FROM MA_CUENTAS" + QString(entre) + h.sentencia;
            EXPECT_NE(rechazo(t), "<se ejecutó>") << t.toStdString();
        }
    }
    // What the engine reads as a statement of its own, or as two, is refused as no query.
    const QString reemplazo =
        "REPLACE INTO TA_USUARIOS (NOMBRE, GRUPO, UNegocio, Administrador) VALUES ('OPERADOR', 'OPERADORES', "
        "'   1', 1)";
    for (const QString& t :
         {"VACUUM INTO '" + copia + "'", "ATTACH DATABASE '" + copia + "' AS C", QString("EXPLAIN SELECT 1"),
          QString("BEGIN"), QString("ANALYZE"), "SELECT CODIGO FROM MA_CUENTAS\r\nGO\r\n" + reemplazo,
          "SELECT CODIGO FROM MA_CUENTAS;" + reemplazo})
        EXPECT_TRUE(rechazo(t).contains("una sola sentencia de lectura")) << t.toStdString();
    EXPECT_EQ(base.leer(usuarios), antes);
    EXPECT_EQ(base.leer("PRAGMA user_version").toInt(), 0);
    EXPECT_FALSE(QFile::exists(copia));
    Errors errores;
    EXPECT_EQ(cn->proveedor()->leer("SELECT CODIGO FROM MA_CUENTAS WHERE CODIGO = '1'", errores).filas.size(),
              1);
}
