#include "outside/ado/Recordset.h"

#include <gtest/gtest.h>

#include <QDateTime>

#include "outside/ado/BaseTemporal.h"
#include "outside/ado/Connection.h"
#include "outside/ado/ErroresAdo.h"
#include "outside/runtime/ErrorVB.h"
#include "support/BaseDePrueba.h"
#include "support/ImprimeQt.h"

using namespace ado;

namespace {

const char* kEsquema = R"(
CREATE TABLE MA_CUENTA (Codigo varchar(12) NOT NULL PRIMARY KEY, Nombre varchar(40) NOT NULL,
    Tipo char(4), Titulo nvarchar(30), Nivel smallint, Orden int, Activa bit DEFAULT 1, Saldo float,
    Tasa decimal(9,4), Cuota money, Alta datetime, Dia date, Notas text);
INSERT INTO MA_CUENTA (Codigo, Nombre, Nivel, Orden, Alta, Dia) VALUES ('1', 'Activo', 1, 10, '2024-01-15', '2024-01-15');
INSERT INTO MA_CUENTA (Codigo, Nombre, Nivel, Orden, Alta, Dia) VALUES ('2', 'Pasivo', 1, 20, '2024-03-31 18:45:00', '2024-03-31');
INSERT INTO MA_CUENTA (Codigo, Nombre, Nivel, Orden) VALUES ('11', 'Caja', 2, 11);
CREATE TABLE MA_NOTA (Texto varchar(10));
INSERT INTO MA_NOTA VALUES ('uno');
INSERT INTO MA_NOTA VALUES ('dos');

CREATE TABLE MA_CLIENTE (Empresa int NOT NULL, Codigo int NOT NULL, Nombre varchar(20), Reservado varchar(10),
    PRIMARY KEY (Empresa, Codigo));
INSERT INTO MA_CLIENTE VALUES (1, 1, 'Uno', 'r1');
INSERT INTO MA_CLIENTE VALUES (1, 2, 'Dos', 'r2');
CREATE VIEW SS_CLIENTE AS SELECT Empresa, Codigo, Nombre FROM MA_CLIENTE;
CREATE TRIGGER SS_CLIENTE_I INSTEAD OF INSERT ON SS_CLIENTE BEGIN
    INSERT INTO MA_CLIENTE (Empresa, Codigo, Nombre, Reservado) VALUES (NEW.Empresa, NEW.Codigo, NEW.Nombre, 'nuevo');
END;
CREATE TRIGGER SS_CLIENTE_U INSTEAD OF UPDATE ON SS_CLIENTE BEGIN
    UPDATE MA_CLIENTE SET Empresa = NEW.Empresa, Codigo = NEW.Codigo, Nombre = NEW.Nombre
    WHERE Empresa = OLD.Empresa AND Codigo = OLD.Codigo;
END;
CREATE TRIGGER SS_CLIENTE_D INSTEAD OF DELETE ON SS_CLIENTE BEGIN
    DELETE FROM MA_CLIENTE WHERE Empresa = OLD.Empresa AND Codigo = OLD.Codigo;
END;
CREATE VIEW SS_SOLO_LECTURA AS SELECT Codigo, Nombre FROM MA_CUENTA;
CREATE VIEW SS_NOMBRE AS SELECT Empresa, Nombre FROM MA_CLIENTE;
CREATE TRIGGER SS_NOMBRE_U INSTEAD OF UPDATE ON SS_NOMBRE BEGIN
    UPDATE MA_CLIENTE SET Nombre = NEW.Nombre WHERE Empresa = OLD.Empresa AND Nombre = OLD.Nombre;
END;
)";

RecordsetPtr abrir(const ConnectionPtr& cn, const QString& sql, int lock = adLockOptimistic) {
    auto rs = Recordset::Crear();
    rs->Open(sql, cn, adOpenDynamic, lock);
    return rs;
}

}  // namespace

TEST(Recordset, SnapshotNavigationEmptyAndClosed) {
    BaseTemporal base(kEsquema);
    auto cn = base.abrir();
    auto vacio = abrir(cn, "SELECT * FROM MA_CUENTA WHERE Codigo = 'nada'");
    EXPECT_TRUE(vacio->Bof());
    EXPECT_TRUE(vacio->Eof());
    EXPECT_EQ(vacio->RecordCount(), 0);
    EXPECT_EQ(numeroDe([&] { vacio->MoveFirst(); }), kErrBofEof);
    EXPECT_EQ(numeroDe([&] { vacio->valor("Codigo"); }), kErrBofEof);

    auto rs = abrir(cn, "SELECT Codigo, Nombre FROM MA_CUENTA ORDER BY Orden", adLockReadOnly);
    EXPECT_FALSE(rs->Bof());
    EXPECT_EQ(rs->valor("codigo"), QVariant("1"));  // names are case-blind
    EXPECT_EQ(rs->AbsolutePosition(), 1);
    QStringList nombres;
    for (; !rs->Eof(); rs->MoveNext()) nombres << rs->fields()[1].Value().toString();
    EXPECT_EQ(nombres, QStringList({"Activo", "Caja", "Pasivo"}));
    EXPECT_EQ(numeroDe([&] { rs->MoveNext(); }), kErrBofEof);
    rs->MovePrevious();
    EXPECT_EQ(rs->valor("Nombre"), QVariant("Pasivo"));
    rs->Find("Nombre = 'caja'", 0, -1);
    EXPECT_EQ(rs->valor("Codigo"), QVariant("11"));
    rs->MoveFirst();
    rs->Find("Codigo > '1'", 1);
    EXPECT_EQ(rs->valor("Codigo"), QVariant("11"));
    rs->Find("Nombre LIKE 'Pas*'");
    EXPECT_EQ(rs->valor("Codigo"), QVariant("2"));
    rs->Find("Nombre = 'Nada'");
    EXPECT_TRUE(rs->Eof());
    rs->MoveFirst();
    rs->MoveNext();
    const auto todas = rs->GetRows();
    ASSERT_EQ(todas.size(), 2);
    EXPECT_EQ(todas[0], QList<QVariant>({"11", "2"}));
    EXPECT_EQ(todas[1], QList<QVariant>({"Caja", "Pasivo"}));
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(numeroDe([&] { rs->GetRows(); }), kErrBofEof);
    EXPECT_EQ(numeroDe([&] { rs->fields().Item("NoHay"); }), kErrElementoNoEncontrado);
    EXPECT_EQ(numeroDe([&] { rs->fields().Item(2); }), kErrElementoNoEncontrado);

    Field& campo = rs->fields().Item("Codigo");
    rs->Close();
    EXPECT_EQ(rs->State(), adStateClosed);
    EXPECT_EQ(numeroDe([&] { campo.Value(); }), kErrObjetoCerrado);
    EXPECT_EQ(numeroDe([&] { rs->Eof(); }), kErrObjetoCerrado);
    EXPECT_EQ(numeroDe([&] { rs->MoveFirst(); }), kErrObjetoCerrado);
    EXPECT_EQ(numeroDe([&] { rs->RecordCount(); }), kErrObjetoCerrado);
    EXPECT_EQ(numeroDe([&] { rs->fields(); }), kErrObjetoCerrado);
    EXPECT_EQ(numeroDe([&] { rs->Close(); }), kErrObjetoCerrado);
    rs->Open("SELECT * FROM MA_CUENTA", cn);
    EXPECT_EQ(numeroDe([&] { rs->Open("SELECT * FROM MA_CUENTA", cn); }), kErrObjetoAbierto);
}

TEST(Recordset, FieldTypesAndSizesComeFromTheDeclaredTypes) {
    BaseTemporal base(kEsquema);
    auto cn = base.abrir();
    auto rs = abrir(cn, "SELECT * FROM MA_CUENTA WHERE Codigo = '1'", adLockReadOnly);
    auto tipo = [&](const char* n) {
        return QString("%1/%2").arg(rs->fields()[n].Type()).arg(rs->fields()[n].DefinedSize());
    };
    EXPECT_EQ(tipo("Codigo"), "200/12");
    EXPECT_EQ(tipo("Tipo"), "129/4");
    EXPECT_EQ(tipo("Titulo"), "202/30");
    EXPECT_EQ(tipo("Nivel"), "2/2");
    EXPECT_EQ(tipo("Orden"), "3/4");
    EXPECT_EQ(rs->fields()["Activa"].Type(), adBoolean);
    EXPECT_EQ(rs->fields()["Saldo"].Type(), adDouble);
    EXPECT_EQ(rs->fields()["Tasa"].Type(), adNumeric);
    EXPECT_EQ(rs->fields()["Cuota"].Type(), adCurrency);
    EXPECT_EQ(rs->fields()["Alta"].Type(), adDBTimeStamp);
    EXPECT_EQ(rs->fields()["Dia"].Type(), adDBDate);
    EXPECT_EQ(rs->fields()["Notas"].Type(), adLongVarChar);
    EXPECT_EQ(rs->fields().Count(), 13);  // the hidden row identifier is not a field
    EXPECT_EQ(rs->valor("Activa"), QVariant(true));
    EXPECT_EQ(rs->valor("Orden"), QVariant(10));
    EXPECT_TRUE(rs->valor("Saldo").isNull());
    EXPECT_EQ(rs->valor("Alta"), QVariant(QDateTime(QDate(2024, 1, 15), QTime(0, 0))));
    EXPECT_EQ(rs->valor("Dia"), QVariant(QDate(2024, 1, 15)));
    // Through a view the types are still the table's.
    auto v = abrir(cn, "SELECT * FROM SS_CLIENTE", adLockReadOnly);
    EXPECT_EQ(v->fields()["Nombre"].Type(), adVarChar);
    EXPECT_EQ(v->fields()["Nombre"].DefinedSize(), 20);
}

TEST(Recordset, DatesRoundTripAndAggregatesOfDatesAreDates) {
    BaseTemporal base(kEsquema);
    auto cn = base.abrir();
    auto rs = abrir(cn, "SELECT * FROM MA_CUENTA WHERE Codigo = '11'");
    const QDateTime alta(QDate(2024, 2, 29), QTime(10, 30, 5));
    rs->fields()["Alta"].setValue(alta);
    rs->fields()["Dia"].setValue("05/06/2024");  // day first
    rs->Update();
    EXPECT_EQ(base.leer("SELECT Alta FROM MA_CUENTA WHERE Codigo = '11'"), QVariant("2024-02-29 10:30:05"));
    EXPECT_EQ(base.leer("SELECT Dia FROM MA_CUENTA WHERE Codigo = '11'"), QVariant("2024-06-05"));
    auto otra = abrir(cn, "SELECT Alta, Dia FROM MA_CUENTA WHERE Codigo = '11'", adLockReadOnly);
    EXPECT_EQ(otra->valor("Alta"), QVariant(alta));
    EXPECT_EQ(otra->valor("Dia"), QVariant(QDate(2024, 6, 5)));
    // The logs' "dd/mm/yy hh:mm" texts take two-digit years as the company server does.
    rs->fields()["Alta"].setValue("09/12/26 10:30");
    rs->Update();
    EXPECT_EQ(base.leer("SELECT Alta FROM MA_CUENTA WHERE Codigo = '11'"), QVariant("2026-12-09 10:30:00"));
    rs->fields()["Alta"].setValue("01/02/75 08:00");
    rs->Update();
    EXPECT_EQ(base.leer("SELECT Alta FROM MA_CUENTA WHERE Codigo = '11'"), QVariant("1975-02-01 08:00:00"));
    rs->fields()["Alta"].setValue(alta);
    rs->Update();

    auto ext = cn->Execute(
        "SELECT min(Alta) AS Primera, max(Alta) AS Ultima, max(Nombre) AS Texto, count(*) AS N "
        "FROM MA_CUENTA");
    EXPECT_EQ(ext->valor("Primera"), QVariant(QDateTime(QDate(2024, 1, 15), QTime(0, 0))));
    EXPECT_EQ(ext->valor("Ultima"), QVariant(QDateTime(QDate(2024, 3, 31), QTime(18, 45))));
    EXPECT_EQ(ext->fields()["Ultima"].Type(), adDBTimeStamp);
    EXPECT_EQ(ext->valor("Texto"), QVariant("Pasivo"));
    EXPECT_EQ(ext->valor("N").toInt(), 3);
}

TEST(Recordset, ATextLongerThanItsColumnIsRefusedAsTheServerDoesWhenTheRowIsWritten) {
    BaseTemporal base(kEsquema);
    auto cn = base.abrir();
    auto rs = abrir(cn, "SELECT * FROM MA_CUENTA WHERE Codigo = '1'");
    const QVariant antes = base.leer("SELECT Tipo FROM MA_CUENTA WHERE Codigo = '1'");
    rs->fields()["Tipo"].setValue("ABCDE");
    EXPECT_NE(numeroDe([&] { rs->Update(); }), 0);
    ASSERT_GT(cn->errores().Count(), 0);
    EXPECT_EQ(cn->errores().Item(cn->errores().Count() - 1).NativeError, 8152);
    EXPECT_EQ(base.leer("SELECT Tipo FROM MA_CUENTA WHERE Codigo = '1'"), antes);
}

TEST(Recordset, ValuesTheColumnCannotTakeRaise3421AtAssignment) {
    BaseTemporal base(kEsquema);
    auto cn = base.abrir();
    auto rs = abrir(cn, "SELECT * FROM MA_CUENTA WHERE Codigo = '1'");
    EXPECT_EQ(numeroDe([&] { rs->fields()["Orden"].setValue("doce"); }), kErrValorNoAdmitido);
    EXPECT_EQ(numeroDe([&] { rs->fields()["Nivel"].setValue(40000); }), kErrValorNoAdmitido);
    EXPECT_EQ(numeroDe([&] { rs->fields()["Alta"].setValue("31/02/2024"); }), kErrValorNoAdmitido);
    EXPECT_EQ(numeroDe([&] { rs->fields()["Saldo"].setValue(""); }), kErrValorNoAdmitido);
    EXPECT_EQ(rs->EditMode(), adEditNone);  // nothing was taken
    rs->fields()["Tipo"].setValue("ABCD");
    rs->fields()["Saldo"].setValue("12,5");
    rs->fields()["Orden"].setValue(7.0);
    rs->Update();
    EXPECT_EQ(base.leer("SELECT Tipo || '|' || Saldo || '|' || Orden FROM MA_CUENTA WHERE Codigo = '1'"),
              QVariant("ABCD|12.5|7"));
    // Update without a change writes nothing; a read-only recordset refuses writes.
    rs->Update();
    auto ro = abrir(cn, "SELECT * FROM MA_CUENTA", adLockReadOnly);
    EXPECT_EQ(numeroDe([&] { ro->fields()["Nombre"].setValue("x"); }), kErrNoActualizable);
    EXPECT_EQ(numeroDe([&] { ro->AddNew(); }), kErrNoActualizable);
    auto junta = abrir(cn, "SELECT a.Codigo FROM MA_CUENTA a JOIN MA_CLIENTE c ON c.Codigo = a.Orden");
    EXPECT_EQ(numeroDe([&] { junta->AddNew(); }), kErrNoActualizable);
}

TEST(Recordset, TopOneOrderedWritesBackByRowAddNewRereadsDelete) {
    BaseTemporal base(kEsquema);
    auto cn = base.abrir();
    auto rs = abrir(cn, "SELECT TOP 1 * FROM MA_CUENTA with(nolock) WHERE Nivel = 1 ORDER BY Orden DESC");
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->valor("Codigo"), QVariant("2"));
    rs->fields()["Nombre"].setValue("Pasivo y patrimonio");
    EXPECT_EQ(rs->EditMode(), adEditInProgress);
    EXPECT_EQ(rs->fields()["Nombre"].OriginalValue(), QVariant("Pasivo"));
    rs->fields()["Codigo"].setValue("20");  // even the key: the row is found by its identifier
    rs->Update();
    EXPECT_EQ(base.leer("SELECT Nombre FROM MA_CUENTA WHERE Codigo = '20'"), QVariant("Pasivo y patrimonio"));
    EXPECT_EQ(base.leer("SELECT COUNT(*) FROM MA_CUENTA"), QVariant(qlonglong(3)));

    rs->AddNew();
    EXPECT_EQ(rs->EditMode(), adEditAdd);
    rs->fields()["Codigo"].setValue("3");
    rs->fields()["Nombre"].setValue("Resultados");
    rs->CancelUpdate();
    EXPECT_EQ(base.leer("SELECT COUNT(*) FROM MA_CUENTA"), QVariant(qlonglong(3)));
    rs->AddNew();
    rs->fields()["Codigo"].setValue("3");
    rs->fields()["Nombre"].setValue("Resultados");
    rs->Update();
    EXPECT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->valor("Activa"), QVariant(true));  // the stored default, read back
    EXPECT_EQ(base.leer("SELECT Nombre FROM MA_CUENTA WHERE Codigo = '3'"), QVariant("Resultados"));

    // A duplicate key fails at Update and keeps the addition pending.
    rs->AddNew();
    rs->fields()["Codigo"].setValue("1");
    rs->fields()["Nombre"].setValue("Otra");
    EXPECT_EQ(numeroDe([&] { rs->Update(); }), kErrIntegridad);
    EXPECT_EQ(cn->errores().Item(cn->errores().Count() - 1).NativeError, kNativoClaveDuplicada);
    EXPECT_EQ(rs->EditMode(), adEditAdd);
    rs->CancelUpdate();

    rs->MoveFirst();
    rs->Delete();
    EXPECT_EQ(base.leer("SELECT COUNT(*) FROM MA_CUENTA WHERE Codigo = '20'"), QVariant(qlonglong(0)));
    EXPECT_EQ(numeroDe([&] { rs->valor("Codigo"); }), kErrBofEof);
    rs->MoveNext();
    EXPECT_EQ(rs->valor("Codigo"), QVariant("3"));

    // A row deleted by someone else is not written blindly.
    cn->Execute("DELETE FROM MA_CUENTA WHERE Codigo = '3'");
    rs->fields()["Nombre"].setValue("x");
    EXPECT_EQ(numeroDe([&] { rs->Update(); }), kErrFilaNoEncontrada);

    // A table without a key is written by row too.
    auto n = abrir(cn, "SELECT * FROM MA_NOTA WHERE Texto = 'dos'");
    n->fields()["Texto"].setValue("tres");
    n->MoveNext();  // moving writes the pending edit
    EXPECT_EQ(base.leer("SELECT group_concat(Texto, ',') FROM MA_NOTA"), QVariant("uno,tres"));
}

TEST(Recordset, RestrictedViewWritesThroughItsTriggersByTheTableKey) {
    BaseTemporal base(kEsquema);
    auto cn = base.abrir();
    auto rs = abrir(cn, "SELECT * FROM SS_CLIENTE with(nolock) WHERE Empresa = 1 ORDER BY Codigo");
    ASSERT_EQ(rs->RecordCount(), 2);
    rs->MoveLast();
    rs->fields()["Nombre"].setValue("Segundo");
    rs->Update();
    EXPECT_EQ(base.leer("SELECT Nombre || '|' || Reservado FROM MA_CLIENTE WHERE Codigo = 2"),
              QVariant("Segundo|r2"));
    EXPECT_EQ(base.leer("SELECT Nombre FROM MA_CLIENTE WHERE Codigo = 1"), QVariant("Uno"));

    rs->AddNew();
    rs->fields()["Empresa"].setValue(1);
    rs->fields()["Codigo"].setValue(3);
    rs->fields()["Nombre"].setValue("Tercero");
    rs->Update();
    EXPECT_EQ(rs->valor("Nombre"), QVariant("Tercero"));
    EXPECT_EQ(base.leer("SELECT Reservado FROM MA_CLIENTE WHERE Codigo = 3"), QVariant("nuevo"));

    rs->MoveFirst();
    rs->Delete();
    EXPECT_EQ(base.leer("SELECT group_concat(Codigo, ',') FROM MA_CLIENTE"), QVariant("2,3"));

    // Without the whole key in view the row is found by all its original values.
    auto sinClave = abrir(cn, "SELECT * FROM SS_NOMBRE WHERE Nombre = 'Tercero'");
    ASSERT_EQ(sinClave->RecordCount(), 1);
    sinClave->fields()["Nombre"].setValue("Tres");
    sinClave->Update();
    EXPECT_EQ(base.leer("SELECT group_concat(Nombre, ',') FROM MA_CLIENTE"), QVariant("Segundo,Tres"));

    // A view with no way to take writes stays read-only.
    auto ro = abrir(cn, "SELECT * FROM SS_SOLO_LECTURA");
    EXPECT_EQ(numeroDe([&] { ro->fields()["Nombre"].setValue("x"); }), kErrNoActualizable);
}

TEST(Recordset, CompanySchemaRestrictedViewTakesWritesAndHidesConfidentialRows) {
    BaseDePrueba base(false, {"INSERT INTO TA_CAJAS VALUES ('C1', 'Caja uno', 0)",
                              "INSERT INTO TA_CAJAS VALUES ('C2', 'Reservada', 1)"});
    ASSERT_TRUE(base.valida()) << base.error().toStdString();
    auto cn = Connection::Crear();
    cn->Open(base.cadenaConexion());
    auto rs = abrir(cn, "SELECT * FROM SS_V_TA_CAJAS with(nolock) WHERE IdCajas = 'c1  ' ORDER BY IdCajas");
    ASSERT_EQ(rs->RecordCount(), 1);  // the server's comparison: case and trailing blanks ignored
    EXPECT_EQ(rs->fields()["IdCajas"].Type(), adChar);
    EXPECT_EQ(rs->fields()["IdCajas"].DefinedSize(), 4);
    rs->fields()["Descripcion"].setValue("Caja principal");
    rs->AddNew();  // writes the pending change first
    rs->fields()["IdCajas"].setValue("C9");
    rs->fields()["Descripcion"].setValue("Caja nueve");
    rs->Update();
    EXPECT_EQ(base.escalar("SELECT Descripcion FROM TA_CAJAS WHERE IdCajas = 'C1'"),
              QVariant("Caja principal"));
    EXPECT_EQ(base.escalar("SELECT CONFIDENCIAL FROM TA_CAJAS WHERE IdCajas = 'C9'").toInt(), 0);
    EXPECT_EQ(cn->Execute("SELECT COUNT(*) FROM SS_V_TA_CAJAS")->fields()[0].Value().toInt(), 2);
}

// A recordset shows one query: text after a ";" is refused before anything runs; Execute keeps
// its batches.
TEST(Recordset, OpenRunsOneStatementOnly) {
    BaseTemporal base(kEsquema);
    auto cn = base.abrir();
    auto rs = Recordset::Crear();
    EXPECT_EQ(
        numeroDe([&] { rs->Open("SELECT * FROM MA_NOTA WHERE Texto <> 'a;b';DELETE FROM MA_NOTA", cn); }),
        kErrSintaxis);
    EXPECT_EQ(rs->State(), adStateClosed);
    ASSERT_EQ(cn->errores().Count(), 1);
    EXPECT_TRUE(cn->errores().Item(0).Description.contains("una sola sentencia de lectura"));
    EXPECT_EQ(base.leer("SELECT COUNT(*) FROM MA_NOTA").toInt(), 2);
    rs->Open("SELECT * FROM MA_NOTA WHERE Texto <> 'a;b'; -- fin", cn);
    EXPECT_EQ(rs->RecordCount(), 2);
    cn->Execute("DELETE FROM MA_NOTA WHERE Texto = 'uno'; DELETE FROM MA_NOTA WHERE Texto = 'dos'");
    EXPECT_EQ(base.leer("SELECT COUNT(*) FROM MA_NOTA").toInt(), 0);
}
