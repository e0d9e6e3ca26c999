// The connection and its recordsets over the ODBC provider, with the SQLite driver standing in
// for the company server.
#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "outside/ado/Connection.h"
#include "outside/ado/ErroresAdo.h"
#include "outside/ado/Recordset.h"
#include "outside/ado/odbc/DriverSqliteOdbc.h"
#include "outside/runtime/ErrorVB.h"
#include "support/ImprimeQt.h"

using namespace ado;

namespace {

// A company database in `dir`, reached through the SQLite ODBC driver.
QString CadenaOdbc(const QTemporaryDir& dir) {
    return QStringLiteral("Provider=SQLOLEDB; DRIVER=SQLite3; Database=%1")
        .arg(dir.filePath(QStringLiteral("empresa.db")));
}

}  // namespace

TEST(OdbcConnection, OpensRunsWritesAndKeepsTheServersDiagnostics) {
    if (!MotivoSinDriverOdbc().isEmpty()) GTEST_SKIP() << MotivoSinDriverOdbc().toStdString();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto cn = Connection::Crear();
    cn->Open(CadenaOdbc(dir));
    ASSERT_EQ(cn->State(), adStateOpen);
    EXPECT_FALSE(cn->EsMotorEmbebido());

    cn->Execute(
        QStringLiteral("CREATE TABLE MA_CUENTA (Codigo VARCHAR(12) PRIMARY KEY, Nombre VARCHAR(40))"));
    long n = -1;
    cn->Execute(QStringLiteral("INSERT INTO MA_CUENTA VALUES ('1', 'Activo')"), &n);
    EXPECT_EQ(n, 1);

    auto rs = Recordset::Crear();
    rs->Open(QStringLiteral("SELECT * FROM MA_CUENTA"), cn, adOpenDynamic, adLockOptimistic);
    ASSERT_FALSE(rs->Eof());
    EXPECT_EQ(rs->fields().Item(QStringLiteral("Nombre")).Type(), adVarChar);
    rs->fields().Item(QStringLiteral("Nombre")).setValue(QStringLiteral("Activo corriente"));
    rs->Update();
    rs->AddNew();
    rs->fields().Item(QStringLiteral("Codigo")).setValue(QStringLiteral("2"));
    rs->fields().Item(QStringLiteral("Nombre")).setValue(QStringLiteral("Pasivo"));
    rs->Update();
    rs->Close();

    auto leido = cn->Execute(QStringLiteral("SELECT Codigo, Nombre FROM MA_CUENTA ORDER BY Codigo"));
    ASSERT_EQ(leido->RecordCount(), 2);
    EXPECT_EQ(leido->valor(QStringLiteral("Nombre")), QVariant(QStringLiteral("Activo corriente")));
    leido->MoveNext();
    EXPECT_EQ(leido->valor(QStringLiteral("Nombre")), QVariant(QStringLiteral("Pasivo")));

    // The driver's own diagnostic reaches the connection's list and the raised error.
    int32_t numero = 0;
    try {
        cn->Execute(QStringLiteral("SELECT * FROM NO_EXISTE"));
    } catch (const vb::ErrorVB& e) {
        numero = e.Number;
    }
    ASSERT_GE(cn->errores().Count(), 1);
    EXPECT_EQ(numero, cn->errores().Item(0).Number);
    EXPECT_TRUE(cn->errores().Item(0).Description.contains(QStringLiteral("NO_EXISTE")));
    EXPECT_EQ(cn->State(), adStateOpen);

    auto tablas = cn->OpenSchema(adSchemaTables);
    bool hallada = false;
    for (; !tablas->Eof(); tablas->MoveNext())
        hallada = hallada || tablas->valor(QStringLiteral("TABLE_NAME")).toString() == u"MA_CUENTA";
    EXPECT_TRUE(hallada);
    cn->Close();
    EXPECT_EQ(cn->State(), adStateClosed);
}

// Two programs on one database over ODBC: a change made meanwhile is never overwritten.
TEST(OdbcConnection, OptimisticLocking) {
    if (!MotivoSinDriverOdbc().isEmpty()) GTEST_SKIP() << MotivoSinDriverOdbc().toStdString();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString cadena = CadenaOdbc(dir);
    auto yo = Connection::Crear();
    yo->Open(cadena);
    yo->Execute(QStringLiteral(
        "CREATE TABLE MA_CUENTA (Codigo VARCHAR(12) PRIMARY KEY, Nombre VARCHAR(40), Saldo FLOAT)"));
    yo->Execute(QStringLiteral("INSERT INTO MA_CUENTA VALUES ('1', 'Caja', 10)"));
    auto otro = Connection::Crear();
    otro->Open(cadena);

    auto mio = Recordset::Crear();
    mio->Open(QStringLiteral("SELECT * FROM MA_CUENTA"), yo, adOpenDynamic, adLockOptimistic);
    otro->Execute(QStringLiteral("UPDATE MA_CUENTA SET Nombre = 'Caja grande'"));
    mio->fields().Item(QStringLiteral("Saldo")).setValue(20.0);
    mio->Update();  // another column: both changes stay
    mio->fields().Item(QStringLiteral("Nombre")).setValue(QStringLiteral("Caja chica"));
    int32_t numero = 0;
    try {
        mio->Update();
    } catch (const vb::ErrorVB& e) {
        numero = e.Number;
    }
    EXPECT_EQ(numero, kErrFilaNoEncontrada);
    auto leido = otro->Execute(QStringLiteral("SELECT Nombre, Saldo FROM MA_CUENTA"));
    EXPECT_EQ(leido->valor(QStringLiteral("Nombre")), QVariant(QStringLiteral("Caja grande")));
    EXPECT_EQ(leido->valor(QStringLiteral("Saldo")).toDouble(), 20.0);
    mio->CancelUpdate();
    mio->Close();
    leido->Close();
}

// Over ODBC too a recordset runs one statement: the second is refused and nothing runs.
TEST(OdbcConnection, ARecordsetRunsASingleStatement) {
    if (!MotivoSinDriverOdbc().isEmpty()) GTEST_SKIP() << MotivoSinDriverOdbc().toStdString();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto cn = Connection::Crear();
    cn->Open(CadenaOdbc(dir));
    cn->Execute(QStringLiteral("CREATE TABLE TA_USUARIOS (NOMBRE VARCHAR(20), ADMINISTRADOR INT)"));
    cn->Execute(QStringLiteral("INSERT INTO TA_USUARIOS VALUES ('OPERADOR', 0)"));
    auto rs = Recordset::Crear();
    int32_t numero = 0;
    try {
        rs->Open(QStringLiteral("SELECT * FROM TA_USUARIOS WHERE NOMBRE LIKE '%';"
                                "UPDATE/**/TA_USUARIOS/**/SET/**/ADMINISTRADOR=1;--%'"),
                 cn);
    } catch (const vb::ErrorVB& e) {
        numero = e.Number;
    }
    EXPECT_EQ(numero, kErrSintaxis);
    EXPECT_EQ(rs->State(), adStateClosed);
    ASSERT_EQ(cn->errores().Count(), 1);
    EXPECT_EQ(cn->Execute(QStringLiteral("SELECT MAX(ADMINISTRADOR) FROM TA_USUARIOS"))
                  ->fields()
                  .Item(0)
                  .Value()
                  .toInt(),
              0);
}
