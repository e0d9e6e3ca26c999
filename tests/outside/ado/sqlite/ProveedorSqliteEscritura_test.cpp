// Recordset writes on the embedded engine: optimistic lock by key, only changed columns, and no
// write that touches no row reported as done.
#include <gtest/gtest.h>

#include "outside/ado/BaseTemporal.h"
#include "outside/ado/ErroresAdo.h"
#include "outside/ado/Recordset.h"
#include "outside/runtime/ErrorVB.h"
#include "support/ImprimeQt.h"

using namespace ado;

namespace {

const char* kEsquema = R"(
CREATE TABLE MA_CUENTA (Codigo varchar(12) NOT NULL PRIMARY KEY, Nombre varchar(40), Saldo float,
    Alta datetime, Bloqueada bit DEFAULT 0);
INSERT INTO MA_CUENTA (Codigo, Nombre, Saldo, Alta) VALUES ('1', 'Caja', 10.5, '2024-01-15 10:30:00');
INSERT INTO MA_CUENTA (Codigo, Nombre, Saldo, Alta, Bloqueada) VALUES ('2', 'Banco', 20, '2024-02-01', 1);
CREATE TABLE MA_NOTA (Texto varchar(10), Orden int);
INSERT INTO MA_NOTA VALUES ('uno', 1);
-- The trigger leaves blocked accounts alone, as a restricted view leaves rows it hides.
CREATE VIEW SS_CUENTA AS SELECT Codigo, Nombre, Saldo FROM MA_CUENTA;
CREATE TRIGGER SS_CUENTA_U INSTEAD OF UPDATE ON SS_CUENTA BEGIN
    UPDATE MA_CUENTA SET Nombre = NEW.Nombre, Saldo = NEW.Saldo WHERE Codigo = OLD.Codigo AND Bloqueada = 0;
END;
CREATE TRIGGER SS_CUENTA_I INSTEAD OF INSERT ON SS_CUENTA BEGIN
    INSERT INTO MA_CUENTA (Codigo, Nombre, Saldo) SELECT NEW.Codigo, NEW.Nombre, NEW.Saldo WHERE NEW.Saldo >= 0;
END;
CREATE TRIGGER SS_CUENTA_D INSTEAD OF DELETE ON SS_CUENTA BEGIN
    DELETE FROM MA_CUENTA WHERE Codigo = OLD.Codigo AND Bloqueada = 0;
END;
)";

RecordsetPtr abrir(const ConnectionPtr& cn, const QString& sql) {
    auto rs = Recordset::Crear();
    rs->Open(sql, cn, adOpenDynamic, adLockOptimistic);
    return rs;
}

}  // namespace

TEST(SqliteWrites, AChangeByAnotherConnectionIsNeverOverwritten) {
    BaseTemporal base(kEsquema);
    auto yo = base.abrir();
    auto otro = base.abrir();
    auto mio = abrir(yo, "SELECT * FROM MA_CUENTA WHERE Codigo = '1'");
    auto suyo = abrir(otro, "SELECT * FROM MA_CUENTA WHERE Codigo = '1'");

    // Another column changed meanwhile: both changes stay, since only changed columns are written.
    suyo->fields()["Saldo"].setValue(99.25);
    suyo->Update();
    mio->fields()["Nombre"].setValue("Caja chica");
    mio->Update();
    EXPECT_EQ(base.leer("SELECT Nombre || '|' || Saldo FROM MA_CUENTA WHERE Codigo = '1'"),
              QVariant("Caja chica|99.25"));

    // The same column changed meanwhile: the later write loses, says so and stores nothing.
    suyo->fields()["Nombre"].setValue("Caja grande");
    EXPECT_EQ(numeroDe([&] { suyo->Update(); }), kErrFilaNoEncontrada);
    suyo->Close();
    suyo = abrir(otro, "SELECT * FROM MA_CUENTA WHERE Codigo = '1'");
    suyo->fields()["Nombre"].setValue("Caja grande");
    suyo->Update();
    mio->fields()["Nombre"].setValue("Caja menor");
    mio->fields()["Alta"].setValue(QDateTime(QDate(2025, 1, 1), QTime(0, 0)));
    EXPECT_EQ(numeroDe([&] { mio->Update(); }), kErrFilaNoEncontrada);
    EXPECT_EQ(base.leer("SELECT Nombre || '|' || Alta FROM MA_CUENTA WHERE Codigo = '1'"),
              QVariant("Caja grande|2024-01-15 10:30:00"));
    mio->CancelUpdate();

    // The row read again takes the change; a date read and written back compares as itself.
    mio->Close();
    mio = abrir(yo, "SELECT * FROM MA_CUENTA WHERE Codigo = '1'");
    mio->fields()["Alta"].setValue(QDateTime(QDate(2025, 1, 1), QTime(0, 0)));
    mio->Update();
    mio->fields()["Alta"].setValue(QDateTime(QDate(2025, 6, 1), QTime(0, 0)));
    mio->Update();
    EXPECT_EQ(base.leer("SELECT substr(Alta, 1, 10) FROM MA_CUENTA WHERE Codigo = '1'"),
              QVariant("2025-06-01"));

    // The row is the one with the key that was read: another row under the same rowid is not it.
    auto otraVez = abrir(yo, "SELECT * FROM MA_CUENTA WHERE Codigo = '2'");
    otro->Execute("UPDATE MA_CUENTA SET Codigo = '3' WHERE Codigo = '2'");
    otraVez->fields()["Saldo"].setValue(1);
    EXPECT_EQ(numeroDe([&] { otraVez->Update(); }), kErrFilaNoEncontrada);
    otraVez->CancelUpdate();
    EXPECT_EQ(numeroDe([&] { otraVez->Delete(); }), kErrFilaNoEncontrada);
    EXPECT_EQ(base.leer("SELECT Saldo FROM MA_CUENTA WHERE Codigo = '3'"), QVariant(20.0));

    // A table without a key: the row by its rowid, the changed column still compared.
    auto nota = abrir(yo, "SELECT * FROM MA_NOTA");
    otro->Execute("UPDATE MA_NOTA SET Texto = 'otro'");
    nota->fields()["Texto"].setValue("dos");
    EXPECT_EQ(numeroDe([&] { nota->Update(); }), kErrFilaNoEncontrada);
    nota->CancelUpdate();
    nota->fields()["Orden"].setValue(2);
    nota->Update();
    EXPECT_EQ(base.leer("SELECT Texto || Orden FROM MA_NOTA"), QVariant("otro2"));
}

TEST(SqliteWrites, AWriteThroughAViewThatTouchesNoRowRaises) {
    BaseTemporal base(kEsquema);
    auto cn = base.abrir();
    auto rs = abrir(cn, "SELECT * FROM SS_CUENTA ORDER BY Codigo");
    ASSERT_EQ(rs->RecordCount(), 2);
    rs->fields()["Nombre"].setValue("Caja central");
    rs->Update();
    EXPECT_EQ(base.leer("SELECT Nombre FROM MA_CUENTA WHERE Codigo = '1'"), QVariant("Caja central"));

    // The blocked account is in the view, but the view's trigger writes nothing for it.
    rs->MoveNext();
    rs->fields()["Nombre"].setValue("Banco nuevo");
    EXPECT_EQ(numeroDe([&] { rs->Update(); }), kErrFilaNoEncontrada);
    rs->CancelUpdate();
    EXPECT_EQ(numeroDe([&] { rs->Delete(); }), kErrFilaNoEncontrada);
    EXPECT_EQ(base.leer("SELECT Nombre FROM MA_CUENTA WHERE Codigo = '2'"), QVariant("Banco"));

    // A new row the view's trigger does not store.
    rs->AddNew();
    rs->fields()["Codigo"].setValue("9");
    rs->fields()["Saldo"].setValue(-1);
    EXPECT_EQ(numeroDe([&] { rs->Update(); }), kErrFilaNoEncontrada);
    rs->CancelUpdate();
    EXPECT_EQ(base.leer("SELECT COUNT(*) FROM MA_CUENTA"), QVariant(qlonglong(2)));

    // A row that is gone, through the view and through the table alike.
    auto tabla = abrir(cn, "SELECT * FROM MA_CUENTA WHERE Codigo = '1'");
    rs->MoveFirst();
    cn->Execute("DELETE FROM MA_CUENTA WHERE Codigo = '1'");
    rs->fields()["Saldo"].setValue(5);
    EXPECT_EQ(numeroDe([&] { rs->Update(); }), kErrFilaNoEncontrada);
    rs->CancelUpdate();
    EXPECT_EQ(numeroDe([&] { rs->Delete(); }), kErrFilaNoEncontrada);
    EXPECT_EQ(numeroDe([&] { tabla->Delete(); }), kErrFilaNoEncontrada);

    // Inside the caller's transaction a refused write leaves the rest of the transaction alone.
    cn->BeginTrans();
    cn->Execute("INSERT INTO MA_NOTA VALUES ('tx', 9)");
    rs->MoveLast();
    rs->fields()["Nombre"].setValue("x");
    EXPECT_EQ(numeroDe([&] { rs->Update(); }), kErrFilaNoEncontrada);
    cn->CommitTrans();
    EXPECT_EQ(base.leer("SELECT COUNT(*) FROM MA_NOTA WHERE Texto = 'tx'"), QVariant(qlonglong(1)));
}
