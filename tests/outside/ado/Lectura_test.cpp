// A query read straight into columns gives what a recordset of the same query gives, on the terms
// of a recordset's Open, and leaves the recordsets that write through the same text as they were.
#include "outside/ado/Proveedor.h"

#include <gtest/gtest.h>

#include "outside/ado/BaseTemporal.h"
#include "outside/ado/Recordset.h"
#include "support/ImprimeQt.h"

using namespace ado;

namespace {

const char* kEsquema = R"(
CREATE TABLE T (CODIGO varchar(15) NOT NULL PRIMARY KEY, DESCRIPCION varchar(150), IMPORTE float,
                CANTIDAD int, ACTIVA bit, ALTA datetime, NOTA varchar(20));
INSERT INTO T VALUES ('1', 'Caja', 10.5, 3, 1, '2024-01-15 00:00:00', NULL),
                     ('2', NULL, NULL, NULL, 0, NULL, 'x'),
                     ('10', 'Ñandú', -1, 0, NULL, '2023-12-31 23:59:00', '');
CREATE VIEW V AS SELECT CODIGO, DESCRIPCION, NOTA FROM T;
CREATE TRIGGER V_U INSTEAD OF UPDATE ON V BEGIN
    UPDATE T SET DESCRIPCION = NEW.DESCRIPCION, NOTA = NEW.NOTA WHERE CODIGO = OLD.CODIGO;
END;
)";

}  // namespace

TEST(Lectura, GivesTheColumnsAndValuesOfARecordsetOfTheSameQuery) {
    BaseTemporal base(kEsquema);
    auto cn = base.abrir();
    // Declared columns of a table (read by rowid for writing, not here), columns whose type only
    // their values tell, a view that takes writes, no rows, a second statement refused.
    const char* sentencias[] = {
        "SELECT * FROM T ORDER BY CODIGO",
        "SELECT CODIGO, MAX(ALTA) AS ULTIMA, COUNT(*) AS N, IMPORTE * 2 AS DOBLE FROM T GROUP BY CODIGO",
        "SELECT * FROM V WHERE CODIGO <> '2'",
        "SELECT CODIGO, DESCRIPCION FROM T WHERE 1 = 0",
    };
    for (const char* sql : sentencias) {
        const RecordsetPtr rs = cn->Execute(sql);
        const Lectura l = cn->Leer(sql);
        ASSERT_TRUE(l.esConsulta) << sql;
        ASSERT_EQ(l.columnas.size(), rs->fields().Count()) << sql;
        for (int c = 0; c < l.columnas.size(); ++c) {
            const Field& f = rs->fields().Item(c);
            EXPECT_EQ(l.columnas[c].nombre, f.Name()) << sql;
            EXPECT_EQ(l.columnas[c].tipo, f.Type()) << sql << " " << qPrintable(f.Name());
            EXPECT_EQ(l.columnas[c].largo, f.DefinedSize()) << sql << " " << qPrintable(f.Name());
        }
        ASSERT_EQ(l.filas(), rs->RecordCount()) << sql;
        for (qsizetype r = 0; r < l.filas(); ++r, rs->MoveNext())
            for (int c = 0; c < l.columnas.size(); ++c) {
                const QVariant leido = l.valores[c][r];
                const QVariant esperado = rs->fields().Item(c).Value();
                EXPECT_EQ(leido, esperado) << sql << " row " << r << " " << qPrintable(l.columnas[c].nombre);
                EXPECT_EQ(leido.typeId(), esperado.typeId())
                    << sql << " row " << r << " " << qPrintable(l.columnas[c].nombre);
            }
    }
    // Only what a recordset would show is read: a second statement or a write runs nothing.
    EXPECT_EQ(numeroDe([&] { cn->Leer("SELECT * FROM T; DELETE FROM T"); }), kErrSintaxis);
    EXPECT_EQ(numeroDe([&] { cn->Leer("UPDATE T SET NOTA = 'y' WHERE CODIGO = '2'"); }), kErrSintaxis);
    EXPECT_EQ(base.leer("SELECT COUNT(*) || NOTA FROM T WHERE CODIGO = '2'"), QVariant("1x"));
}

TEST(Lectura, AnInjectedFaultStrikesItAsItStrikesARecordset) {
    BaseTemporal base(kEsquema);
    auto cn = base.abrir();
    FallaInyectada f;
    f.contiene = "FROM T";
    f.error.Number = kErrNoEspecificado;
    f.error.Description = "falla";
    cn->InyectarFalla(f);
    EXPECT_EQ(numeroDe([&] { cn->Leer("SELECT * FROM T"); }), kErrNoEspecificado);
    EXPECT_EQ(cn->Leer("SELECT * FROM T").filas(), 3);
}

// Reading a view's rows describes the statement's columns once for every use of its text: a
// recordset opened on the same text afterwards still finds its row by the key alone, so a value
// another user changed in a column this one did not touch does not stop its save.
TEST(Lectura, ARecordsetOnTheSameTextStillWritesByTheKey) {
    BaseTemporal base(kEsquema);
    auto cn = base.abrir();
    const QString sql = "SELECT * FROM V WHERE CODIGO = '1'";
    ASSERT_EQ(cn->Leer(sql).filas(), 1);
    auto rs = Recordset::Crear();
    rs->Open(sql, cn, adOpenDynamic, adLockOptimistic);
    base.abrir()->Execute("UPDATE T SET NOTA = 'otro' WHERE CODIGO = '1'");
    rs->fields()["DESCRIPCION"].setValue(QString("Caja chica"));
    EXPECT_EQ(numeroDe([&] { rs->Update(); }), 0);
    EXPECT_EQ(base.leer("SELECT DESCRIPCION || '|' || NOTA FROM T WHERE CODIGO = '1'"),
              QVariant("Caja chica|otro"));
}
