// The ODBC provider against a real driver: the SQLite one, through the driver manager.
#include "outside/ado/odbc/ProveedorOdbc.h"

#include "outside/ado/FabricaProveedores.h"
#include "outside/ado/odbc/OdbcInterno.h"
#include "outside/runtime/ErrorVB.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <QApplication>
#include <QCursor>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QWidget>

#include "outside/ado/odbc/DriverSqliteOdbc.h"
#include "support/ImprimeQt.h"

using ado::Errors;
using ado::Resultado;
using ado::odbc::ProveedorOdbc;

namespace {

class ProveedorOdbcTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!MotivoSinDriverOdbc().isEmpty()) GTEST_SKIP() << MotivoSinDriverOdbc().toStdString();
        ASSERT_TRUE(dir_.isValid());
        ado::ParametrosConexion p;
        p[QStringLiteral("DRIVER")] = QStringLiteral("SQLite3");
        p[QStringLiteral("DATABASE")] = dir_.filePath(QStringLiteral("prueba.db"));
        pr_.abrir(p, {}, {}, err_);
        ASSERT_TRUE(pr_.abierto());
    }

    Resultado sql(const QString& s) {
        err_.Clear();
        return pr_.ejecutar(s, err_);
    }

    // Runs a statement that must fail; returns the raised number.
    int32_t falla(const QString& s) {
        err_.Clear();
        try {
            pr_.ejecutar(s, err_);
        } catch (const vb::ErrorVB& e) {
            return e.Number;
        }
        ADD_FAILURE() << "no falló: " << s.toStdString();
        return 0;
    }

    QTemporaryDir dir_;
    ProveedorOdbc pr_;
    Errors err_;
};

}  // namespace

TEST(ProveedorOdbcConnectionString, BuildsTheDriverStringForTheProvider) {
    qunsetenv("INDAJUSTE_ODBC_CADENA");
    qunsetenv("INDAJUSTE_ODBC_DRIVER");
    ado::ParametrosConexion p;
    p[QStringLiteral("PROVIDER")] = QStringLiteral("SQLOLEDB");
    p[QStringLiteral("SERVER")] = QStringLiteral("srvconta:1433");
    p[QStringLiteral("DATABASE")] = QStringLiteral("EMPRESA1");
    p[QStringLiteral("UID")] = QStringLiteral("sa");
    p[QStringLiteral("PWD")] = QStringLiteral("a;b}c");
    EXPECT_EQ(
        ProveedorOdbc::CadenaOdbc(p, {}, {}),
        QStringLiteral("DRIVER=FreeTDS;SERVER=srvconta;PORT=1433;DATABASE=EMPRESA1;UID=sa;PWD={a;b}}c};"));

    // The credentials given to Open win over the string's; no port, no PORT key.
    qputenv("INDAJUSTE_ODBC_DRIVER", "ODBC Driver X");
    p[QStringLiteral("SERVER")] = QStringLiteral("srvconta");
    EXPECT_EQ(ProveedorOdbc::CadenaOdbc(p, QStringLiteral("juan"), QStringLiteral("x")),
              QStringLiteral("DRIVER=ODBC Driver X;SERVER=srvconta;DATABASE=EMPRESA1;UID=juan;PWD=x;"));
    qunsetenv("INDAJUSTE_ODBC_DRIVER");

    ado::ParametrosConexion ora;
    ora[QStringLiteral("PROVIDER")] = QStringLiteral("OraOLEDB.Oracle.1");
    ora[QStringLiteral("DATA SOURCE")] = QStringLiteral("ORCL");
    qputenv("INDAJUSTE_ODBC_ORACLE", "OracleDrv");
    EXPECT_EQ(ProveedorOdbc::CadenaOdbc(ora, QStringLiteral("u"), QStringLiteral("p")),
              QStringLiteral("DRIVER=OracleDrv;DBQ=ORCL;UID=u;PWD=p;"));
    qunsetenv("INDAJUSTE_ODBC_ORACLE");

    ado::ParametrosConexion directa;
    directa[QStringLiteral("DRIVER")] = QStringLiteral("SQLite3");
    directa[QStringLiteral("DATABASE")] = QStringLiteral("/tmp/x y.db");
    EXPECT_EQ(ProveedorOdbc::CadenaOdbc(directa, {}, {}),
              QStringLiteral("DRIVER=SQLite3;DATABASE=/tmp/x y.db;"));

    qputenv("INDAJUSTE_ODBC_CADENA", "DSN=fija");
    EXPECT_EQ(ProveedorOdbc::CadenaOdbc(p, {}, {}), QStringLiteral("DSN=fija"));
    qunsetenv("INDAJUSTE_ODBC_CADENA");
}

TEST(ProveedorOdbcConnectionString, ErrorNumbersBySqlStateClass) {
    EXPECT_EQ(ProveedorOdbc::NumeroAdo(QStringLiteral("42000")), ado::kErrSintaxis);
    EXPECT_EQ(ProveedorOdbc::NumeroAdo(QStringLiteral("37000")), ado::kErrSintaxis);
    EXPECT_EQ(ProveedorOdbc::NumeroAdo(QStringLiteral("42S02")), ado::kErrTablaInexistente);
    EXPECT_EQ(ProveedorOdbc::NumeroAdo(QStringLiteral("S0002")), ado::kErrTablaInexistente);
    EXPECT_EQ(ProveedorOdbc::NumeroAdo(QStringLiteral("23000")), ado::kErrIntegridad);
    EXPECT_EQ(ProveedorOdbc::NumeroAdo(QStringLiteral("08S01")), ado::kErrNoEspecificado);
    EXPECT_EQ(ProveedorOdbc::NumeroAdo(QStringLiteral("HY000")), ado::kErrNoEspecificado);
}

TEST(ProveedorOdbcConnectionString, UnopenedItRefusesStatementsAndAnUnknownDriverLeavesTheError) {
    ProveedorOdbc pr;
    Errors err;
    try {
        pr.ejecutar(QStringLiteral("SELECT 1"), err);
        FAIL() << "ejecutó sin conexión";
    } catch (const vb::ErrorVB& e) {
        EXPECT_EQ(e.Number, ado::kErrConexionInvalida);
    }
    ASSERT_EQ(err.Count(), 1);

    err.Clear();
    ado::ParametrosConexion p;
    p[QStringLiteral("DRIVER")] = QStringLiteral("NoExisteEsteDriver");
    p[QStringLiteral("DATABASE")] = QStringLiteral("x");
    QString descripcion;
    try {
        pr.abrir(p, {}, {}, err);
        FAIL() << "abrió con un driver inexistente";
    } catch (const vb::ErrorVB& e) {
        descripcion = e.Description;
    }
    EXPECT_FALSE(pr.abierto());
    // The driver manager's own words reach the list and the raised error.
    ASSERT_GE(err.Count(), 1);
    int primero = 0;
    while (primero < err.Count() - 1 && err.Item(primero).SQLState.startsWith(QStringLiteral("01")))
        ++primero;
    EXPECT_EQ(err.Item(primero).Description, descripcion);
    EXPECT_TRUE(descripcion.contains(QStringLiteral("NoExisteEsteDriver"))) << descripcion.toStdString();

    // Oracle without a configured driver says so instead of trying an empty driver name.
    err.Clear();
    qunsetenv("INDAJUSTE_ODBC_ORACLE");
    ado::ParametrosConexion ora;
    ora[QStringLiteral("PROVIDER")] = QStringLiteral("OraOLEDB.Oracle.1");
    ora[QStringLiteral("DATA SOURCE")] = QStringLiteral("ORCL");
    EXPECT_THROW(pr.abrir(ora, QStringLiteral("u"), QStringLiteral("p"), err), vb::ErrorVB);
    ASSERT_EQ(err.Count(), 1);
    EXPECT_TRUE(err.Item(0).Description.contains(QStringLiteral("INDAJUSTE_ODBC_ORACLE")));
    EXPECT_FALSE(pr.abierto());
}

TEST_F(ProveedorOdbcTest, RoundTripWithTypesAndValues) {
    EXPECT_FALSE(pr_.EsSqlServer());
    EXPECT_TRUE(pr_.Motor().contains(QStringLiteral("SQLite"), Qt::CaseInsensitive))
        << pr_.Motor().toStdString();
    sql(
        QStringLiteral("CREATE TABLE Cuentas (Id INTEGER PRIMARY KEY, Nombre VARCHAR(20), Saldo DOUBLE, "
                       "Alta DATETIME, Dia DATE, Nota TEXT)"));
    const Resultado ins = sql(QStringLiteral(
        "INSERT INTO Cuentas VALUES (1, 'Caja', 12.5, '2024-03-01 10:20:30', '2024-03-31', NULL)"));
    EXPECT_FALSE(ins.esConsulta);
    EXPECT_EQ(ins.afectados, 1);
    const QString largo(10000, u'ñ');  // more than one piece per read
    sql(QStringLiteral("INSERT INTO Cuentas (Id, Nombre, Nota) VALUES (2, 'Bancos', '%1')").arg(largo));

    const Resultado r =
        sql(QStringLiteral("SELECT Id, Nombre, Saldo, Alta, Dia, Nota FROM Cuentas ORDER BY Id"));
    ASSERT_TRUE(r.esConsulta);
    ASSERT_EQ(r.columnas.size(), 6);
    EXPECT_EQ(r.columnas[0].nombre, QStringLiteral("Id"));
    EXPECT_EQ(r.columnas[0].tipo, ado::adInteger);
    EXPECT_TRUE(r.columnas[1].tipo == ado::adVarChar || r.columnas[1].tipo == ado::adVarWChar);
    EXPECT_EQ(r.columnas[1].largo, 20);
    EXPECT_EQ(r.columnas[2].tipo, ado::adDouble);
    EXPECT_EQ(r.columnas[3].tipo, ado::adDBTimeStamp);
    EXPECT_EQ(r.columnas[4].tipo, ado::adDBDate);
    ASSERT_EQ(r.filas.size(), 2);
    EXPECT_EQ(r.filas[0][0], QVariant(1));
    EXPECT_EQ(r.filas[0][1], QVariant(QStringLiteral("Caja")));
    EXPECT_EQ(r.filas[0][2], QVariant(12.5));
    EXPECT_EQ(r.filas[0][3], QVariant(QDateTime(QDate(2024, 3, 1), QTime(10, 20, 30))));
    EXPECT_EQ(r.filas[0][4], QVariant(QDate(2024, 3, 31)));
    EXPECT_TRUE(r.filas[0][5].isNull());
    EXPECT_TRUE(r.filas[1][2].isNull());
    EXPECT_EQ(r.filas[1][5].toString(), largo);

    EXPECT_EQ(sql(QStringLiteral("UPDATE Cuentas SET Saldo = 0 WHERE Id = 99")).afectados, 0);
}

TEST_F(ProveedorOdbcTest, AFailedStatementLeavesItsDiagnosticsAndTheConnectionGoesOn) {
    const int32_t n = falla(QStringLiteral("SELECT * FROM NoExiste"));
    ASSERT_GE(err_.Count(), 1);
    const ado::Error& e = err_.Item(0);
    EXPECT_EQ(n, e.Number);
    EXPECT_EQ(e.SQLState.size(), 5);
    EXPECT_NE(e.NativeError, 0);
    EXPECT_TRUE(e.Description.contains(QStringLiteral("NoExiste"), Qt::CaseInsensitive))
        << e.Description.toStdString();
    EXPECT_EQ(e.Number, ProveedorOdbc::NumeroAdo(e.SQLState));

    falla(QStringLiteral("SELEC mal escrito"));
    EXPECT_GE(err_.Count(), 1);
    EXPECT_TRUE(pr_.abierto());
    EXPECT_EQ(sql(QStringLiteral("SELECT 7")).filas.value(0).value(0), QVariant(7));
    EXPECT_EQ(err_.Count(), 0);
}

TEST_F(ProveedorOdbcTest, WritesRowsWithParametersByKey) {
    sql(
        QStringLiteral("CREATE TABLE Socios (Id INTEGER PRIMARY KEY AUTOINCREMENT, Nombre VARCHAR(40), "
                       "Alta DATETIME, Cuota DOUBLE DEFAULT 5)"));
    sql(QStringLiteral("INSERT INTO Socios (Nombre) VALUES ('Ana')"));
    Resultado r = sql(QStringLiteral("SELECT * FROM Socios"));
    ASSERT_TRUE(r.actualizable);
    EXPECT_EQ(r.tablaBase, QStringLiteral("Socios"));
    ASSERT_EQ(r.columnas.size(), 4);
    EXPECT_TRUE(r.columnas[0].clave);
    EXPECT_FALSE(r.columnas[1].clave);

    // A quote in a value goes as a value, never as SQL.
    QList<QVariant> nueva = r.filas[0];
    nueva[1] = QStringLiteral("O'Brien'); DROP TABLE Socios; --");
    nueva[2] = QDateTime(QDate(2023, 12, 31), QTime(23, 59, 58));
    err_.Clear();
    pr_.actualizar(r.tablaBase, r.columnas, r.filas[0], nueva, err_);
    Resultado leida = sql(QStringLiteral("SELECT Nombre, Alta FROM Socios WHERE Id = 1"));
    ASSERT_EQ(leida.filas.size(), 1);
    EXPECT_EQ(leida.filas[0][0], nueva[1]);
    EXPECT_EQ(leida.filas[0][1], nueva[2]);

    // A row that is not there is an error, never a silent success.
    QList<QVariant> fantasma = nueva;
    fantasma[0] = 42;
    try {
        pr_.actualizar(r.tablaBase, r.columnas, fantasma, r.filas[0], err_);
        FAIL() << "actualizó una fila inexistente";
    } catch (const vb::ErrorVB& e) {
        EXPECT_EQ(e.Number, int32_t(0x80040E38));
    }

    // Insert: the key and the default come back from the table.
    QList<QVariant> alta{QVariant(), QStringLiteral("Luis"), QVariant(), QVariant()};
    pr_.insertar(r.tablaBase, r.columnas, alta, err_);
    EXPECT_EQ(alta[0], QVariant(2));
    EXPECT_EQ(alta[3], QVariant(5.0));

    pr_.borrar(r.tablaBase, r.columnas, alta, err_);
    EXPECT_EQ(sql(QStringLiteral("SELECT COUNT(*) FROM Socios")).filas[0][0], QVariant(1));
    EXPECT_THROW(pr_.borrar(r.tablaBase, r.columnas, alta, err_), vb::ErrorVB);
}

TEST_F(ProveedorOdbcTest, WithoutAKeyFindsTheRowByAllItsValues) {
    // Names that need quoting: a blank and a reserved word.
    sql(QStringLiteral("CREATE TABLE \"Sin Clave\" (A VARCHAR(5), \"Group\" INTEGER)"));
    sql(QStringLiteral("INSERT INTO \"Sin Clave\" VALUES ('x', 1)"));
    sql(QStringLiteral("INSERT INTO \"Sin Clave\" VALUES ('x', NULL)"));
    const Resultado r =
        sql(QStringLiteral("SELECT A, \"Group\", A || 'z' AS Calc FROM \"Sin Clave\" ORDER BY 2"));
    ASSERT_TRUE(r.actualizable);
    ASSERT_EQ(r.columnas.size(), 3);
    EXPECT_TRUE(r.columnas[2].columnaBase.isEmpty()) << "a computed column is not written back";
    ASSERT_EQ(r.filas.size(), 2);
    ASSERT_TRUE(r.filas[0][1].isNull());
    QList<QVariant> nueva = r.filas[0];
    nueva[0] = QStringLiteral("y");
    pr_.actualizar(r.tablaBase, r.columnas, r.filas[0], nueva, err_);
    const Resultado despues = sql(QStringLiteral("SELECT A FROM \"Sin Clave\" WHERE \"Group\" IS NULL"));
    EXPECT_EQ(despues.filas.value(0).value(0), QVariant(QStringLiteral("y")));
    EXPECT_EQ(sql(QStringLiteral("SELECT A FROM \"Sin Clave\" WHERE \"Group\" = 1")).filas.value(0).value(0),
              QVariant(QStringLiteral("x")));
}

TEST_F(ProveedorOdbcTest, TransactionsCommitAndRollBack) {
    sql(QStringLiteral("CREATE TABLE T (N INTEGER)"));
    pr_.comenzarTransaccion(err_);
    sql(QStringLiteral("INSERT INTO T VALUES (1)"));
    pr_.deshacerTransaccion(err_);
    EXPECT_EQ(sql(QStringLiteral("SELECT COUNT(*) FROM T")).filas[0][0], QVariant(0));
    pr_.comenzarTransaccion(err_);
    sql(QStringLiteral("INSERT INTO T VALUES (2)"));
    pr_.confirmarTransaccion(err_);
    // Back in autocommit: this one stays even without a commit.
    sql(QStringLiteral("INSERT INTO T VALUES (3)"));
    pr_.cerrar();
    ado::ParametrosConexion p;
    p[QStringLiteral("DRIVER")] = QStringLiteral("SQLite3");
    p[QStringLiteral("DATABASE")] = dir_.filePath(QStringLiteral("prueba.db"));
    pr_.abrir(p, {}, {}, err_);
    EXPECT_EQ(sql(QStringLiteral("SELECT SUM(N) FROM T")).filas[0][0].toInt(), 5);
}

namespace {

// Another program holds the file's write lock; the driver's own connection, from its first
// statement on, waits for it through this handler, which notes the pointer, types a key and lets
// the other program go: no test waits.
struct OtroPrograma {
    sqlite3* db = nullptr;
    QWidget ventana;
    QList<Qt::CursorShape> cursores;
    int teclas = 0;
};
OtroPrograma* gOtro = nullptr;

class CuentaTeclas : public QObject {
  protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::KeyPress) ++gOtro->teclas;
        return false;
    }
};

int EsperaAlOtro(void*, int) {
    const QCursor* c = QApplication::overrideCursor();
    gOtro->cursores << (c ? c->shape() : Qt::ArrowCursor);
    QApplication::postEvent(&gOtro->ventana, new QKeyEvent(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, "Z"));
    sqlite3_exec(gOtro->db, "COMMIT", nullptr, nullptr, nullptr);
    return 1;
}

void VigilaEspera(sqlite3_context* ctx, int, sqlite3_value**) {
    sqlite3_busy_handler(sqlite3_context_db_handle(ctx), &EsperaAlOtro, nullptr);
    sqlite3_result_int(ctx, 1);
}

int RegistraVigia(sqlite3* db, char**, const sqlite3_api_routines*) {
    return sqlite3_create_function(db, "vigila_espera", 0, SQLITE_UTF8, nullptr, &VigilaEspera, nullptr,
                                   nullptr);
}

}  // namespace

// The server makes a statement of a transaction wait for another program's lock, and the driver
// says nothing of it: the statement runs under the busy cursor, a key typed meanwhile reaches no
// window, and the pointer is back once the statement has run.
TEST_F(ProveedorOdbcTest, AStatementOfATransactionWaitingForALockShowsTheBusyCursor) {
    sql(QStringLiteral("CREATE TABLE T (N INTEGER)"));
    const auto registro = reinterpret_cast<void (*)()>(&RegistraVigia);
    sqlite3_auto_extension(registro);
    ProveedorOdbc pr;
    ado::ParametrosConexion p;
    p[QStringLiteral("DRIVER")] = QStringLiteral("SQLite3");
    p[QStringLiteral("DATABASE")] = dir_.filePath(QStringLiteral("prueba.db"));
    Errors err;
    pr.abrir(p, {}, {}, err);
    sqlite3_cancel_auto_extension(registro);
    ASSERT_TRUE(pr.abierto());

    OtroPrograma otro;
    gOtro = &otro;
    CuentaTeclas teclas;
    QCoreApplication::instance()->installEventFilter(&teclas);
    ASSERT_EQ(
        sqlite3_open(QFile::encodeName(dir_.filePath(QStringLiteral("prueba.db"))).constData(), &otro.db),
        SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(otro.db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    pr.comenzarTransaccion(err);
    pr.ejecutar(QStringLiteral("SELECT vigila_espera()"), err);
    pr.ejecutar(QStringLiteral("INSERT INTO T VALUES (1)"), err);
    pr.confirmarTransaccion(err);
    QApplication::processEvents();
    QCoreApplication::instance()->removeEventFilter(&teclas);
    sqlite3_close(otro.db);
    gOtro = nullptr;

    ASSERT_FALSE(otro.cursores.isEmpty()) << "la sentencia no esperó";
    for (const Qt::CursorShape c : otro.cursores) EXPECT_EQ(c, Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(otro.teclas, 0);
    EXPECT_EQ(sql(QStringLiteral("SELECT COUNT(*) FROM T")).filas[0][0], QVariant(1));
}

TEST_F(ProveedorOdbcTest, SchemaOfTablesAndColumns) {
    sql(QStringLiteral("CREATE TABLE A_B (Id INTEGER, Nombre VARCHAR(30))"));
    sql(QStringLiteral("CREATE TABLE AXB (Z INTEGER)"));
    sql(QStringLiteral("CREATE VIEW V_AB AS SELECT Id FROM A_B"));

    Resultado t = pr_.esquema(ado::adSchemaTables, {}, err_);
    ASSERT_EQ(t.columnas.size(), 3);
    EXPECT_EQ(t.columnas[1].nombre, QStringLiteral("TABLE_NAME"));
    QHash<QString, QString> tipos;
    for (const auto& f : t.filas) tipos[f[1].toString()] = f[2].toString();
    EXPECT_EQ(tipos.value(QStringLiteral("A_B")), QStringLiteral("TABLE"));
    EXPECT_EQ(tipos.value(QStringLiteral("V_AB")), QStringLiteral("VIEW"));

    // "_" is a name here, not a wildcard.
    t = pr_.esquema(ado::adSchemaTables, {QVariant(), QVariant(), QStringLiteral("A_B")}, err_);
    ASSERT_EQ(t.filas.size(), 1);
    EXPECT_EQ(t.filas[0][1], QVariant(QStringLiteral("A_B")));

    const Resultado c =
        pr_.esquema(ado::adSchemaColumns, {QVariant(), QVariant(), QStringLiteral("A_B")}, err_);
    ASSERT_EQ(c.columnas.size(), 6);
    EXPECT_EQ(c.columnas[5].nombre, QStringLiteral("CHARACTER_MAXIMUM_LENGTH"));
    ASSERT_EQ(c.filas.size(), 2);
    EXPECT_EQ(c.filas[0][2], QVariant(QStringLiteral("Id")));
    EXPECT_EQ(c.filas[0][3].toInt(), 1);
    EXPECT_EQ(c.filas[0][4].toInt(), ado::adInteger);
    EXPECT_TRUE(c.filas[0][5].isNull());
    EXPECT_EQ(c.filas[1][2], QVariant(QStringLiteral("Nombre")));
    EXPECT_EQ(c.filas[1][3].toInt(), 2);
    EXPECT_EQ(c.filas[1][5].toInt(), 30);
}

TEST_F(ProveedorOdbcTest, TheFactoryGivesAnOdbcProvider) {
    auto p = ado::CrearProveedorOdbc();
    ASSERT_NE(dynamic_cast<ProveedorOdbc*>(p.get()), nullptr);
    EXPECT_FALSE(p->abierto());
    EXPECT_FALSE(p->esMotorEmbebido());
}

TEST(ProveedorOdbcTable, OnlyOneTableWithoutJoinsOrGroupings) {
    using ado::odbc::interno::TablaUnica;
    EXPECT_EQ(TablaUnica(QStringLiteral("SELECT TOP 1 * FROM Cuentas")), QStringLiteral("Cuentas"));
    EXPECT_EQ(TablaUnica(QStringLiteral("select a, b from dbo.Cuentas with(nolock) where a = 'x FROM y, z'")),
              QStringLiteral("dbo.Cuentas"));
    EXPECT_EQ(TablaUnica(QStringLiteral("SELECT * FROM [Tabla Uno] t WHERE t.a IN (SELECT a FROM Otra)")),
              QStringLiteral("Tabla Uno"));
    EXPECT_EQ(TablaUnica(QStringLiteral("SELECT (SELECT MAX(x) FROM Otra) AS m, a FROM Cuentas")),
              QStringLiteral("Cuentas"));
    EXPECT_EQ(TablaUnica(QStringLiteral("SELECT * FROM A, B")), QString());
    EXPECT_EQ(TablaUnica(QStringLiteral("SELECT * FROM A INNER JOIN B ON A.x = B.x")), QString());
    EXPECT_EQ(TablaUnica(QStringLiteral("SELECT * FROM A UNION SELECT * FROM B")), QString());
    EXPECT_EQ(TablaUnica(QStringLiteral("SELECT a, COUNT(*) FROM A GROUP BY a")), QString());
    EXPECT_EQ(TablaUnica(QStringLiteral("SELECT * FROM (SELECT * FROM A) q")), QString());
    EXPECT_EQ(TablaUnica(QStringLiteral("SELECT * INTO Copia FROM A")), QString());
    EXPECT_EQ(TablaUnica(QStringLiteral("UPDATE A SET b = 1")), QString());
    EXPECT_EQ(TablaUnica(QStringLiteral("SELECT 1")), QString());
}

TEST(ProveedorOdbcTable, ValuesReadAsTextByType) {
    using ado::odbc::interno::ConvertirTexto;
    // The company server's text forms of dates: milliseconds kept, finer digits dropped.
    EXPECT_EQ(ConvertirTexto(QStringLiteral("2024-03-01 10:20:30.123"), ado::adDBTimeStamp),
              QVariant(QDateTime(QDate(2024, 3, 1), QTime(10, 20, 30, 123))));
    EXPECT_EQ(ConvertirTexto(QStringLiteral("2024-03-01 10:20:30.1234567"), ado::adDBTimeStamp),
              QVariant(QDateTime(QDate(2024, 3, 1), QTime(10, 20, 30, 123))));
    EXPECT_EQ(ConvertirTexto(QStringLiteral("2024-03-01 10:20:00"), ado::adDBTimeStamp),
              QVariant(QDateTime(QDate(2024, 3, 1), QTime(10, 20))));
    EXPECT_EQ(ConvertirTexto(QStringLiteral("2024-02-29"), ado::adDBTimeStamp),
              QVariant(QDateTime(QDate(2024, 2, 29), QTime(0, 0))));
    EXPECT_EQ(ConvertirTexto(QStringLiteral("2024-03-31"), ado::adDBDate), QVariant(QDate(2024, 3, 31)));
    EXPECT_EQ(ConvertirTexto(QStringLiteral("12.5000"), ado::adNumeric), QVariant(12.5));
    EXPECT_EQ(ConvertirTexto(QStringLiteral("-0.5"), ado::adDouble), QVariant(-0.5));
    EXPECT_EQ(ConvertirTexto(QStringLiteral("1"), ado::adBoolean), QVariant(true));
    EXPECT_EQ(ConvertirTexto(QStringLiteral("0"), ado::adBoolean), QVariant(false));
    EXPECT_EQ(ConvertirTexto(QStringLiteral("9007199254740993"), ado::adBigInt),
              QVariant(qlonglong(9007199254740993)));
    EXPECT_EQ(ConvertirTexto(QStringLiteral("  Caja  "), ado::adChar), QVariant(QStringLiteral("  Caja  ")));
}

// A lost link is told by the connection class of its SQLSTATE, whatever the driver's own number:
// the entry carries the number the program's recovery looks for.
TEST(ProveedorOdbcConnectionString, ALostLinkIsRecognisedByItsSqlState) {
    for (const char* estado : {"08S01", "08003", "08007", "08004", "08S02"})
        for (int32_t nativo : {0, 10054, 20006, 3}) {
            const ado::Error e = ProveedorOdbc::EntradaDeDiagnostico(QString::fromLatin1(estado), nativo,
                                                                     QStringLiteral("Error de red"), true);
            EXPECT_EQ(e.NativeError, ado::kNativoConexionPerdida) << estado << " " << nativo;
            EXPECT_EQ(e.Number, ado::kErrNoEspecificado) << estado;
            EXPECT_EQ(e.SQLState, QString::fromLatin1(estado));
            EXPECT_EQ(e.Description, QStringLiteral("Error de red"));
        }
    // Other classes, and a connection that never opened, keep the driver's number.
    EXPECT_EQ(ProveedorOdbc::EntradaDeDiagnostico(QStringLiteral("42S02"), 208, {}, true).NativeError, 208);
    EXPECT_EQ(ProveedorOdbc::EntradaDeDiagnostico(QStringLiteral("HYT00"), 0, {}, true).NativeError, 0);
    EXPECT_EQ(ProveedorOdbc::EntradaDeDiagnostico(QStringLiteral("08001"), 17, {}, false).NativeError, 17);

    // A statement on a connection the lost link closed reads as a lost link too.
    ProveedorOdbc pr;
    Errors err;
    EXPECT_THROW(pr.ejecutar(QStringLiteral("SELECT 1"), err), vb::ErrorVB);
    ASSERT_EQ(err.Count(), 1);
    EXPECT_EQ(err.Item(0).NativeError, ado::kNativoConexionPerdida);
}
