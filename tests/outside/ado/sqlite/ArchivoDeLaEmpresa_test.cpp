// The company file as the user left it: a copy restored over it after a program was killed reads
// as copied; the journal beside it is emptied after each commit unless another program still
// reads an older state; an empty or foreign file is refused and never written; a file replaced
// at the same path is no longer the company.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <cstdio>

#include "outside/ado/BaseTemporal.h"
#include "outside/ado/Recordset.h"
#include "outside/ado/Transaccion.h"
#include "support/ArchivoEnDisco.h"
#include "support/ImprimeQt.h"

using namespace ado;

namespace {

const char* kEmpresa = "INDAJUSTE_PRUEBA_EMPRESA_MATADA";
const char* kMomento = "INDAJUSTE_PRUEBA_MOMENTO_MATADA";

// Sixty movements under an index, as a company's tables are.
const char* kEsquemaMovimientos = R"(
CREATE TABLE MOVIMIENTOS (ID INTEGER PRIMARY KEY, CUENTA varchar(20), IMPORTE float);
CREATE INDEX IX_MOVIMIENTOS_CUENTA ON MOVIMIENTOS (CUENTA);
WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 60)
INSERT INTO MOVIMIENTOS (CUENTA, IMPORTE) SELECT printf('1101%07d', x), x FROM c;
)";

qint64 TamanoDelDiario(const QString& ruta) {
    return QFileInfo(ruta + "-wal").size();
}

// Another program that holds the file without waiting for anyone.
struct OtroPrograma {
    explicit OtroPrograma(const QString& ruta) { sqlite3_open(QFile::encodeName(ruta).constData(), &db); }
    ~OtroPrograma() { sqlite3_close(db); }
    int Ejecuta(const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }
    sqlite3* db = nullptr;
};

}  // namespace

// The program of the test below, in a process of its own; skipped when the suite runs it directly.
TEST(CompanyFile, ProgramKilledAroundItsSave) {
    if (qEnvironmentVariableIsEmpty(kEmpresa)) GTEST_SKIP() << "lo lanza ARestoredCopy...";
    auto cn = Connection::Crear();
    cn->Open(qEnvironmentVariable(kEmpresa));
    const bool despues = qEnvironmentVariable(kMomento) == "despues";
    {
        Transaccion t(cn);
        cn->Execute("UPDATE MOVIMIENTOS SET IMPORTE = IMPORTE * 10 WHERE ID % 2 = 0");
        for (int i = 0; i < 300; ++i)
            cn->Execute(QString("INSERT INTO MOVIMIENTOS (CUENTA, IMPORTE) VALUES ('2101%1', %2)")
                            .arg(i, 7, 10, QChar('0'))
                            .arg(i));
        if (despues) t.Confirmar();
        std::fputs("grabado\n", stdout);
        std::fflush(stdout);
        // Killed here: after its commit, or inside its transaction.
        char linea[8];
        ASSERT_NE(std::fgets(linea, sizeof linea, stdin), nullptr);
    }
}

// A program killed after a save (or in the middle of one) and a backup copied over the company
// file: the copy is read as copied, whole, by the engine and by the program.
TEST(CompanyFile, ARestoredCopyReadsAsCopiedAfterAProgramWasKilled) {
    for (const char* momento : {"despues", "durante"}) {
        SCOPED_TRACE(momento);
        BaseTemporal base(kEsquemaMovimientos);
        const QByteArray copia = BytesDe(base.ruta());
        const QVariant sumaCopia = base.leer("SELECT SUM(IMPORTE) FROM MOVIMIENTOS");

        QProcess programa;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("GTEST_TOTAL_SHARDS");
        env.remove("GTEST_SHARD_INDEX");
        env.remove("INDAJUSTE_AVANCE");
        env.insert(kEmpresa, base.cadena());
        env.insert(kMomento, momento);
        programa.setProcessEnvironment(env);
        programa.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        programa.start(QCoreApplication::applicationFilePath(),
                       {"--gtest_filter=CompanyFile.ProgramKilledAroundItsSave"});
        QByteArray linea;
        while (!linea.endsWith("grabado\n")) {
            ASSERT_TRUE(programa.waitForReadyRead(-1)) << "el programa no llegó a grabar";
            linea += programa.readAllStandardOutput();
        }
        programa.kill();
        ASSERT_TRUE(programa.waitForFinished(-1));
        // Read without opening it, so that nothing folds a journal left behind.
        if (std::string(momento) == "despues") {
            ASSERT_TRUE(BytesDe(base.ruta()) != copia || TamanoDelDiario(base.ruta()) > 0) << "no grabó";
        }

        // The backup copied over the file, in place, as a file manager copies it.
        {
            QFile f(base.ruta());
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            ASSERT_EQ(f.write(copia), copia.size());
        }
        EXPECT_EQ(base.leer("PRAGMA integrity_check"), QVariant("ok"));
        EXPECT_EQ(base.leer("SELECT COUNT(*) FROM MOVIMIENTOS"), QVariant(60));
        EXPECT_EQ(base.leer("SELECT SUM(IMPORTE) FROM MOVIMIENTOS"), sumaCopia);
        auto cn = base.abrir();
        EXPECT_EQ(cn->Execute("SELECT COUNT(*) AS N FROM MOVIMIENTOS WHERE CUENTA LIKE '2101%'")->valor("N"),
                  QVariant(0));
    }
}

// With another program on the file, each commit still empties the journal; while that program
// reads an older state the journal keeps it, and the next commit once it is done empties it.
TEST(CompanyFile, EachCommitEmptiesTheJournalUnlessAnotherProgramStillReadsIt) {
    BaseTemporal base(kEsquemaMovimientos);
    auto cn = base.abrir();
    auto vecino = base.abrir();  // another program, idle
    OtroPrograma lector(base.ruta());
    cn->Execute("UPDATE MOVIMIENTOS SET IMPORTE = 10 WHERE ID = 1");
    EXPECT_EQ(TamanoDelDiario(base.ruta()), 0);
    {
        Transaccion t(cn);
        cn->Execute("UPDATE MOVIMIENTOS SET IMPORTE = 20 WHERE ID = 2");
        t.Confirmar();
    }
    EXPECT_EQ(TamanoDelDiario(base.ruta()), 0);
    auto rs = Recordset::Crear();
    rs->Open("SELECT * FROM MOVIMIENTOS WHERE ID = 3", cn, adOpenDynamic, adLockOptimistic);
    rs->fields()["IMPORTE"].setValue(30);
    rs->Update();
    EXPECT_EQ(TamanoDelDiario(base.ruta()), 0);

    ASSERT_EQ(lector.Ejecuta("BEGIN; SELECT COUNT(*) FROM MOVIMIENTOS"), SQLITE_OK);
    cn->Execute("UPDATE MOVIMIENTOS SET IMPORTE = 40 WHERE ID = 4");
    EXPECT_GT(TamanoDelDiario(base.ruta()), 0);
    ASSERT_EQ(lector.Ejecuta("COMMIT"), SQLITE_OK);
    cn->Execute("UPDATE MOVIMIENTOS SET IMPORTE = 50 WHERE ID = 5");
    EXPECT_EQ(TamanoDelDiario(base.ruta()), 0);
    EXPECT_EQ(base.leer("SELECT group_concat(IMPORTE) FROM MOVIMIENTOS WHERE ID <= 5"),
              QVariant("10.0,20.0,30.0,40.0,50.0"));
    EXPECT_EQ(vecino->Execute("SELECT IMPORTE FROM MOVIMIENTOS WHERE ID = 5")->valor("IMPORTE"),
              QVariant(50.0));
}

// A file that is no database is refused before the engine touches it, with the reason; a
// database of another program opens and is read, and neither is written, nor does a journal
// appear beside it, until the program writes.
TEST(CompanyFile, AnEmptyOrForeignFileIsRefusedAndNeverWritten) {
    struct Caso {
        const char* nombre;
        QByteArray contenido;  // empty: a database of another program
        const char* motivo;    // empty: it opens
    };
    const QByteArray cabeceraSola = QByteArray("SQLite format 3", 16) + QByteArray(4080, '\x7f');
    const QList<Caso> casos{
        {"vacío", QByteArray(""), "está vacío: no es una base de datos de la empresa."},
        {"texto", QByteArray("CODIGO;DESCRIPCION\n1101;CAJA\n"),
         "EMPRESA no es una base de datos de la empresa."},
        {"cabecera sin base", cabeceraSola,
         "está dañado: no se puede leer como base de datos de la empresa."},
        {"base de otro programa", QByteArray(), ""},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        BaseTemporal base("CREATE TABLE AGENDA (NOMBRE varchar(40)); INSERT INTO AGENDA VALUES ('ANA');");
        if (*c.motivo) {
            QFile f(base.ruta());
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(c.contenido);
        }
        const QByteArray antes = BytesDe(base.ruta());
        auto cn = Connection::Crear();
        QString descripcion;
        try {
            cn->Open(base.cadena());
            cn->Execute("SELECT * FROM AGENDA");
            cn->OpenSchema(adSchemaTables);
            cn->Close();
        } catch (const vb::ErrorVB& e) {
            descripcion = e.Description;
        }
        if (*c.motivo) {
            EXPECT_TRUE(descripcion.contains(c.motivo)) << descripcion.toStdString();
            EXPECT_TRUE(
                descripcion.startsWith("El archivo \"" + base.ruta() + "\" de la base de datos EMPRESA "))
                << descripcion.toStdString();
            ASSERT_EQ(cn->errores().Count(), 1);
            EXPECT_EQ(cn->errores().Item(0).NativeError, 4060);
        } else {
            EXPECT_EQ(descripcion, "");
        }
        EXPECT_EQ(BytesDe(base.ruta()), antes);
        EXPECT_EQ(DiariosJunto(base.ruta()), QStringList());
    }
}

// The company file replaced by a copy at the same path, as a restore does it: the connection is
// lost, a write through it is refused with the lost link, and the replaced file gets nothing.
TEST(CompanyFile, AFileReplacedAtTheSamePathIsNoLongerTheCompany) {
    BaseTemporal base(kEsquemaMovimientos);
    auto cn = base.abrir();
    cn->Execute("UPDATE MOVIMIENTOS SET IMPORTE = 100 WHERE ID = 1");
    // The file as it was opened goes under another name; a copy takes its place.
    const QString anterior = base.ruta() + ".anterior";
    ASSERT_TRUE(QFile::rename(base.ruta(), anterior));
    ASSERT_TRUE(QFile::copy(anterior, base.ruta()));

    EXPECT_EQ(cn->State(), adStateClosed);
    EXPECT_EQ(numeroDe([&] { cn->Execute("UPDATE MOVIMIENTOS SET IMPORTE = 200 WHERE ID = 1"); }),
              kErrConexionInvalida);
    ASSERT_GE(cn->errores().Count(), 1);
    EXPECT_EQ(cn->errores().Item(0).NativeError, kNativoConexionPerdida);
    EXPECT_EQ(base.leer("SELECT IMPORTE FROM MOVIMIENTOS WHERE ID = 1"), QVariant(100.0));
    EXPECT_EQ(BaseTemporal::LeerDe(anterior, "SELECT IMPORTE FROM MOVIMIENTOS WHERE ID = 1"),
              QVariant(100.0));
}
