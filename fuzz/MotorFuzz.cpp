// Any text opened as a recordset on the embedded engine, as a hostile file or typed text would
// reach it: refused or read, and then every value read. It never writes the company file, never
// makes a file beside it, never leaves a transaction open, and the server's functions the engine
// runs never overflow nor read outside their buffers.
#include <sqlite3.h>

#include <cstdint>
#include <cstdlib>

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include "Entrada.h"
#include "outside/ado/AdoTipos.h"
#include "outside/ado/Connection.h"
#include "outside/ado/Proveedor.h"
#include "outside/ado/Recordset.h"
#include "outside/ado/sqlite/ExtensionesSqlite.h"
#include "outside/runtime/ErrorVB.h"

namespace {

const char* const kEsquema = R"(
CREATE TABLE T (ID int PRIMARY KEY, TXT varchar(20) COLLATE SERVIDOR, N decimal(10,2), F datetime,
                C char(4) COLLATE SERVIDOR);
INSERT INTO T VALUES (1, 'uno', 1.5, '2024-02-29 18:00:00', '   1'), (2, 'Dos  ', -2, '2024-03-01', 'ab'),
                     (3, NULL, NULL, NULL, NULL), (4, 'ñandú', 1e10, '1900-01-01', '2024');
CREATE TABLE U (ID int, T_ID int REFERENCES T (ID), NOTA varchar(8000) COLLATE SERVIDOR);
INSERT INTO U VALUES (1, 1, 'a'), (2, 4, '31/01/2024');
CREATE VIEW SS_T AS SELECT ID, TXT FROM T WHERE ID < 3;
)";

struct Empresa {
    QTemporaryDir dir;
    ado::ConnectionPtr cn;
    sqlite3* vigia = nullptr;  // a second connection, to see any commit of the first
    qint64 version = -1;

    Empresa() {
        const QByteArray ruta = QFile::encodeName(QDir(dir.path()).filePath("EMPRESA.sqlite"));
        sqlite3* db = nullptr;
        if (sqlite3_open(ruta.constData(), &db) != SQLITE_OK) std::abort();
        ado::sqlite::RegistrarExtensiones(db);
        if (sqlite3_exec(db, kEsquema, nullptr, nullptr, nullptr) != SQLITE_OK) std::abort();
        sqlite3_close(db);
        cn = ado::Connection::Crear();
        cn->Open("Provider=SQLOLEDB;Server=" + dir.path() + ";Database=EMPRESA;");
        cn->setCommandTimeout(1);
        if (sqlite3_open_v2(ruta.constData(), &vigia, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            std::abort();
        version = Version();
    }

    qint64 Version() const {
        sqlite3_stmt* st = nullptr;
        qint64 v = -1;
        if (sqlite3_prepare_v2(vigia, "PRAGMA data_version", -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            v = sqlite3_column_int64(st, 0);
        sqlite3_finalize(st);
        return v;
    }
    // What the folder holds: the company file and the engine's own journal files.
    qsizetype Archivos() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).size();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    static Empresa empresa;
    static const qsizetype archivos = empresa.Archivos();
    // Long texts add nothing the short ones miss, and slow every run.
    if (largo == 0 || largo > 4096) return 0;
    const QString s = TextoDeEntrada(datos, largo);
    try {
        const ado::RecordsetPtr rs = ado::Recordset::Crear();
        rs->Open(s, empresa.cn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1);
        for (; rs->State() == ado::adStateOpen && !rs->Eof(); rs->MoveNext())
            for (int i = 0; i < rs->fields().Count(); ++i) rs->fields().Item(i).Value().toString();
    } catch (const vb::ErrorVB&) {
    }
    if (empresa.cn->proveedor()->enTransaccion() || empresa.Version() != empresa.version ||
        empresa.Archivos() > archivos)
        std::abort();
    return 0;
}
