#include "outside/ado/Connection.h"

#include <gtest/gtest.h>

#include <QFileInfo>

#include "outside/ado/BaseTemporal.h"
#include "outside/ado/ErroresAdo.h"
#include "outside/ado/Proveedor.h"
#include "outside/ado/Recordset.h"
#include "outside/ado/sqlite/ProveedorSqlite.h"
#include "outside/runtime/ErrorVB.h"
#include "support/ConexionCaida.h"
#include "support/ImprimeQt.h"

using namespace ado;

namespace {

const char* kEsquema = R"(
CREATE TABLE MA_MONEDA (Codigo varchar(4) NOT NULL PRIMARY KEY, Nombre varchar(40) NOT NULL, Decimales int);
INSERT INTO MA_MONEDA VALUES ('PES', 'Peso', 2);
INSERT INTO MA_MONEDA VALUES ('DOL', 'Dólar', 2);
CREATE VIEW SS_MONEDA AS SELECT Codigo, Nombre FROM MA_MONEDA;
)";

}  // namespace

TEST(ConnectionString, KeysAreUpperCasedAndTrimmedBothSides) {
    const auto p =
        AnalizarCadenaConexion("Provider=SQLOLEDB.1; Server = /datos ;Database =DEMO;uid=sa;;pwd=");
    EXPECT_EQ(p.value("PROVIDER"), "SQLOLEDB.1");
    EXPECT_EQ(p.value("SERVER"), "/datos");
    EXPECT_EQ(p.value("DATABASE"), "DEMO");
    EXPECT_EQ(p.value("UID"), "sa");
    EXPECT_TRUE(p.contains("PWD"));
    EXPECT_EQ(p.value("PWD"), "");
}

TEST(Connection, ExistingFolderOpensTheEmbeddedEngineAnyLoginGoes) {
    BaseTemporal base(kEsquema);
    auto cn = Connection::Crear();
    cn->Open(QString(" Provider = SQLOLEDB ; Server = %1 ; Database = empresa ").arg(base.carpeta()), "nadie",
             "x");
    EXPECT_EQ(cn->State(), adStateOpen);
    EXPECT_TRUE(cn->EsMotorEmbebido());
    EXPECT_EQ(cn->Provider(), "SQLOLEDB");
    EXPECT_EQ(cn->DefaultDatabase(), "empresa");
    EXPECT_EQ(numeroDe([&] { cn->Open(base.cadena()); }), kErrObjetoAbierto);
    cn->Close();
    EXPECT_EQ(cn->State(), adStateClosed);
    EXPECT_EQ(numeroDe([&] { cn->Close(); }), kErrObjetoCerrado);
    EXPECT_EQ(numeroDe([&] { cn->Execute("SELECT 1"); }), kErrConexionInvalida);
    // Reopened with the same string.
    cn->Open();
    EXPECT_EQ(cn->Execute("SELECT COUNT(*) FROM MA_MONEDA")->fields().Item(0).Value().toInt(), 2);
}

TEST(Connection, MissingDatabaseFailsLikeTheServerAndCreatesNothing) {
    BaseTemporal base(kEsquema);
    auto cn = Connection::Crear();
    const QString cadena = QString("Provider=SQLOLEDB;Server=%1;Database=OTRA").arg(base.carpeta());
    EXPECT_EQ(numeroDe([&] { cn->Open(cadena); }), kErrNoEspecificado);
    ASSERT_EQ(cn->errores().Count(), 1);
    const Error& e = cn->errores().Item(0);
    EXPECT_EQ(e.SQLState, "42000");
    EXPECT_EQ(e.NativeError, 4060);
    EXPECT_EQ(
        e.Description,
        "No se puede abrir la base de datos \"OTRA\" solicitada por el inicio de sesión. Error de inicio "
        "de sesión.");
    EXPECT_EQ(cn->State(), adStateClosed);
    EXPECT_FALSE(QFileInfo::exists(base.carpeta() + "/OTRA.sqlite"));
    EXPECT_EQ(numeroDe([&] { cn->errores().Item(1); }), kErrElementoNoEncontrado);

    // A file that is not a database fails the same way, untouched.
    QFile basura(base.carpeta() + "/ROTA.sqlite");
    ASSERT_TRUE(basura.open(QIODevice::WriteOnly));
    basura.write(QByteArray(4096, 'x'));
    basura.close();
    EXPECT_EQ(
        numeroDe([&] { cn->Open(QString("Provider=SQLOLEDB;Server=%1;Database=ROTA").arg(base.carpeta())); }),
        kErrNoEspecificado);
    EXPECT_EQ(cn->errores().Item(0).NativeError, 4060);
    EXPECT_EQ(QFileInfo(base.carpeta() + "/ROTA.sqlite").size(), 4096);
}

TEST(Connection, JetProvidersAreNotAvailable) {
    BaseTemporal base(kEsquema);
    auto cn = Connection::Crear();
    EXPECT_EQ(numeroDe([&] {
                  cn->Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + base.carpeta() + "/x.mdb");
              }),
              kErrProveedorAusente);
    ASSERT_EQ(cn->errores().Count(), 1);
    EXPECT_EQ(cn->errores().Item(0).Description,
              "El proveedor Microsoft.Jet.OLEDB.4.0 no está disponible en este sistema.");
    EXPECT_EQ(cn->State(), adStateClosed);
}

TEST(Connection, ErrorListIsClearedByEachOpenExecuteAndRecordsetOpenOnly) {
    BaseTemporal base(kEsquema);
    auto cn = base.abrir();
    EXPECT_EQ(numeroDe([&] { cn->Execute("SELECT * FROM NO_EXISTE"); }), kErrTablaInexistente);
    ASSERT_EQ(cn->errores().Count(), 1);
    EXPECT_EQ(cn->errores().Item(0).SQLState, "42S02");
    EXPECT_TRUE(cn->errores().Item(0).Description.contains("NO_EXISTE"));
    // Kept while nothing else runs: transactions and reads leave it alone.
    cn->BeginTrans();
    cn->RollbackTrans();
    EXPECT_EQ(cn->errores().Count(), 1);
    cn->Execute("SELECT 1");
    EXPECT_EQ(cn->errores().Count(), 0);

    auto rs = Recordset::Crear();
    EXPECT_EQ(numeroDe([&] { rs->Open("SELEC * FROM MA_MONEDA", cn); }), kErrSintaxis);
    EXPECT_EQ(cn->errores().Count(), 1);
    EXPECT_EQ(cn->errores().Item(0).SQLState, "42000");
    EXPECT_EQ(rs->State(), adStateClosed);
    rs->Open("SELECT * FROM MA_MONEDA", cn);
    EXPECT_EQ(cn->errores().Count(), 0);
}

TEST(Connection, EngineFailuresMapOntoTheServerNumbers) {
    BaseTemporal base(kEsquema);
    auto cn = base.abrir();
    EXPECT_EQ(numeroDe([&] { cn->Execute("INSERT INTO MA_MONEDA VALUES ('PES', 'Otro', 0)"); }),
              kErrIntegridad);
    EXPECT_EQ(cn->errores().Item(0).SQLState, "23000");
    EXPECT_EQ(cn->errores().Item(0).NativeError, kNativoClaveDuplicada);
    EXPECT_EQ(numeroDe([&] { cn->Execute("INSERT INTO MA_MONEDA (Codigo) VALUES ('EUR')"); }),
              kErrIntegridad);
    EXPECT_EQ(cn->errores().Item(0).NativeError, 515);
    EXPECT_EQ(numeroDe([&] { cn->Execute("SELECT Nada FROM MA_MONEDA"); }), kErrSintaxis);
    EXPECT_EQ(cn->errores().Item(0).SQLState, "42S22");

    // Other engine codes never pose as the server's lost link, truncation or duplicate key.
    for (int codigo :
         {SQLITE_CORRUPT, SQLITE_IOERR_WRITE, SQLITE_FULL, SQLITE_BUSY, SQLITE_CONSTRAINT_CHECK}) {
        const Error e = sqlite::ProveedorSqlite::ErrorDelMotor(codigo, "x");
        EXPECT_NE(e.NativeError, kNativoConexionPerdida) << codigo;
        EXPECT_NE(e.NativeError, kNativoTruncado) << codigo;
        EXPECT_NE(e.NativeError, kNativoClaveDuplicada) << codigo;
    }
    EXPECT_EQ(sqlite::ProveedorSqlite::ErrorDelMotor(SQLITE_BUSY, "x").Number, kErrNoEspecificado);
    EXPECT_EQ(sqlite::ProveedorSqlite::ErrorDelMotor(SQLITE_IOERR_WRITE, "x").Number, kErrNoEspecificado);
}

TEST(Connection, BatchGoesOnPastAFailingStatementAndRaisesTheFirstError) {
    BaseTemporal base(kEsquema);
    auto cn = base.abrir();
    long afectados = 0;
    EXPECT_EQ(numeroDe([&] {
                  cn->Execute(
                      "INSERT INTO MA_MONEDA VALUES ('EUR', 'Euro', 2);\n"
                      "INSERT INTO NO_EXISTE VALUES (1);\n"
                      "UPDATE MA_MONEDA SET Decimales = 0 WHERE Codigo = 'EUR'",
                      &afectados);
              }),
              kErrTablaInexistente);
    ASSERT_EQ(cn->errores().Count(), 1);
    EXPECT_EQ(base.leer("SELECT Decimales FROM MA_MONEDA WHERE Codigo = 'EUR'"), QVariant(qlonglong(0)));

    // A transaction sent as one batch without ";", then undone because the list is not empty.
    EXPECT_EQ(numeroDe([&] {
                  cn->Execute(
                      "BEGIN TRANSACTION \r\r\rINSERT INTO MA_MONEDA VALUES ('YEN', 'Yen', 0)\r"
                      "INSERT INTO MA_MONEDA VALUES ('PES', 'Repetida', 2)\r"
                      "UPDATE MA_MONEDA SET Nombre = 'Peso uruguayo' WHERE Codigo = 'PES'\r");
              }),
              kErrIntegridad);
    ASSERT_EQ(cn->errores().Count(), 1);
    EXPECT_EQ(cn->errores().Item(0).NativeError, kNativoClaveDuplicada);
    cn->Execute("ROLLBACK TRANSACTION");
    EXPECT_EQ(base.leer("SELECT COUNT(*) FROM MA_MONEDA WHERE Codigo = 'YEN' OR Nombre = 'Peso uruguayo'"),
              QVariant(qlonglong(0)));

    // The result is that of the last statement that returned rows.
    auto rs = cn->Execute(
        "UPDATE MA_MONEDA SET Decimales = 3 WHERE Codigo = 'DOL'; SELECT Nombre FROM MA_MONEDA "
        "WHERE Codigo = 'DOL'; DELETE FROM MA_MONEDA WHERE Codigo = 'EUR'");
    EXPECT_EQ(rs->State(), adStateOpen);
    EXPECT_EQ(rs->valor("Nombre"), QVariant("Dólar"));
    EXPECT_EQ(cn->errores().Count(), 0);
    auto nada = cn->Execute("DELETE FROM MA_MONEDA WHERE Codigo = 'XXX'", &afectados);
    EXPECT_EQ(nada->State(), adStateClosed);
    EXPECT_EQ(afectados, 0);
    EXPECT_EQ(numeroDe([&] { nada->Eof(); }), kErrObjetoCerrado);
}

TEST(Connection, TransactionsByMethodAndByStatement) {
    BaseTemporal base(kEsquema);
    auto cn = base.abrir();
    cn->BeginTrans();
    cn->Execute("DELETE FROM MA_MONEDA");
    cn->RollbackTrans();
    EXPECT_EQ(base.leer("SELECT COUNT(*) FROM MA_MONEDA"), QVariant(qlonglong(2)));
    cn->BeginTrans();
    cn->Execute("DELETE FROM MA_MONEDA WHERE Codigo = 'DOL'");
    cn->CommitTrans();
    EXPECT_EQ(base.leer("SELECT COUNT(*) FROM MA_MONEDA"), QVariant(qlonglong(1)));
    EXPECT_NE(numeroDe([&] { cn->CommitTrans(); }), 0);

    cn->Execute("BEGIN TRANSACTION ;INSERT INTO MA_MONEDA VALUES ('EUR', 'Euro', 2);ROLLBACK TRANSACTION");
    EXPECT_EQ(base.leer("SELECT COUNT(*) FROM MA_MONEDA"), QVariant(qlonglong(1)));
}

TEST(Connection, InjectedLostConnectionClosesItUntilReopened) {
    BaseTemporal base(kEsquema);
    auto cn = base.abrir();
    cn->InyectarFalla(ConexionCaida("ma_moneda"));
    cn->Execute("SELECT 1");  // does not match
    auto rs = Recordset::Crear();
    EXPECT_EQ(numeroDe([&] { rs->Open("SELECT * FROM MA_MONEDA", cn, adOpenDynamic, adLockOptimistic); }),
              kErrNoEspecificado);
    ASSERT_EQ(cn->errores().Count(), 1);
    EXPECT_EQ(cn->errores().Item(0).NativeError, kNativoConexionPerdida);
    EXPECT_EQ(cn->State(), adStateClosed);
    EXPECT_EQ(numeroDe([&] { cn->Execute("SELECT * FROM MA_MONEDA"); }), kErrConexionInvalida);
    cn->Open();
    rs->Open("SELECT * FROM MA_MONEDA", cn);
    EXPECT_EQ(rs->RecordCount(), 2);

    // A failing statement that leaves the link up, twice, and a write through a recordset.
    FallaInyectada g;
    g.contiene = "DELETE";
    g.veces = 2;
    g.error = Error{"23000", kErrIntegridad, "Restricción", 547, {}};
    cn->InyectarFalla(g);
    EXPECT_EQ(numeroDe([&] { cn->Execute("DELETE FROM MA_MONEDA WHERE Codigo = 'DOL'"); }), kErrIntegridad);
    auto rw = Recordset::Crear();
    rw->Open("SELECT * FROM MA_MONEDA WHERE Codigo = 'DOL'", cn, adOpenDynamic, adLockOptimistic);
    EXPECT_EQ(numeroDe([&] { rw->Delete(); }), kErrIntegridad);
    EXPECT_EQ(cn->State(), adStateOpen);
    rw->Delete();
    EXPECT_EQ(base.leer("SELECT COUNT(*) FROM MA_MONEDA"), QVariant(qlonglong(1)));
}

TEST(Connection, SchemaListsTablesViewsAndColumnsWithTheirTypes) {
    BaseTemporal base(kEsquema);
    auto cn = base.abrir();
    auto t = cn->OpenSchema(adSchemaTables);
    QStringList vistas;
    for (; !t->Eof(); t->MoveNext())
        vistas << t->valor("TABLE_NAME").toString() + ":" + t->valor("TABLE_TYPE").toString();
    EXPECT_EQ(vistas, QStringList({"MA_MONEDA:TABLE", "SS_MONEDA:VIEW"}));

    auto c = cn->OpenSchema(adSchemaColumns, {"EMPRESA", QVariant(), "ma_moneda", QVariant()});
    QStringList columnas;
    for (; !c->Eof(); c->MoveNext())
        columnas << QString("%1 %2 %3 %4")
                        .arg(c->valor("COLUMN_NAME").toString())
                        .arg(c->valor("ORDINAL_POSITION").toInt())
                        .arg(c->valor("DATA_TYPE").toInt())
                        .arg(c->valor("CHARACTER_MAXIMUM_LENGTH").toString());
    EXPECT_EQ(columnas, QStringList({"Codigo 1 200 4", "Nombre 2 200 40", "Decimales 3 3 "}));
    EXPECT_EQ(cn->OpenSchema(adSchemaColumns, {"OTRA", QVariant(), "MA_MONEDA"})->RecordCount(), 0);
}
