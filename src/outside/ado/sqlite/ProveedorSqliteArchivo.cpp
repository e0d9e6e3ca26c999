// The company file behind a connection: which file it is, that it is a database before anything
// is read from it, its switch to WAL before the first write, the journal folded back into it
// after each commit, and the waits for other programs' locks.
#include "outside/ado/AdoTipos.h"
#include "outside/ado/ErroresAdo.h"
#include "outside/ado/sqlite/ExtensionesSqlite.h"
#include "outside/ado/sqlite/ProveedorSqlite.h"
#include "outside/runtime/EsperaVisible.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace ado::sqlite {

namespace {

// Finds the company database file, case-blind on the name as a server is.
QString rutaBase(const QString& servidor, const QString& base) {
    const QDir dir(servidor);
    const QString exacto = dir.filePath(base + ".sqlite");
    if (QFileInfo::exists(exacto)) return exacto;
    for (const QString& f : dir.entryList({"*.sqlite"}, QDir::Files))
        if (f.compare(base + ".sqlite", Qt::CaseInsensitive) == 0) return dir.filePath(f);
    return {};
}

// Why the file is no database, read before the engine touches it: the engine would take an empty
// file for a new database and write it. Empty when it is one.
QString NoEsBaseDeDatos(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return {};  // the engine says why it cannot open it
    if (f.size() == 0) return QStringLiteral("está vacío: no es una base de datos de la empresa");
    static const QByteArray kCabecera("SQLite format 3", 16);  // with its final zero
    if (f.read(kCabecera.size()) != kCabecera) return QStringLiteral("no es una base de datos de la empresa");
    return {};
}

}  // namespace

void ProveedorSqlite::abrir(const ParametrosConexion& p, const QString&, const QString&, Errors& errores) {
    cerrar();
    const QString servidor = p.contains("SERVER") ? p.value("SERVER") : p.value("DATA SOURCE");
    const QString base = p.contains("DATABASE") ? p.value("DATABASE") : p.value("INITIAL CATALOG");
    const QString ruta = base.isEmpty() ? QString() : rutaBase(servidor, base);
    auto rechazo = [&](const QString& descripcion) {
        Error e;
        e.SQLState = "42000";
        e.Number = kErrNoEspecificado;
        e.NativeError = 4060;
        e.Source = "Motor de datos";
        e.Description = descripcion;
        errores.Add(e);
        LanzarEntrada(errores, errores.Count() - 1);
    };
    auto noSeAbre = [&](const QString& detalle) {
        rechazo(QString("No se puede abrir la base de datos \"%1\" solicitada por el inicio de sesión. Error "
                        "de inicio de sesión.%2")
                    .arg(base, detalle.isEmpty() ? QString() : " (" + detalle + ")"));
    };
    auto noEsDeLaEmpresa = [&](const QString& motivo) {
        rechazo(QString("El archivo \"%1\" de la base de datos %2 %3.")
                    .arg(QDir::toNativeSeparators(ruta), base, motivo));
    };
    if (ruta.isEmpty()) noSeAbre({});
    if (const QString motivo = NoEsBaseDeDatos(ruta); !motivo.isEmpty()) noEsDeLaEmpresa(motivo);
    // Never created here: a wrong name must fail as on a server. A connection serves one thread,
    // so the engine need not lock it on every value a read takes.
    int rc = sqlite3_open_v2(QFile::encodeName(ruta).constData(), &db_,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString m = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString();
        cerrar();
        noSeAbre(m);
    }
    sqlite3_extended_result_codes(db_, 1);
    tiempoDeEspera(espera_);
    reloj_.invalidate();  // the open's own statements have no time-out
    sqlite3_progress_handler(db_, 1000, &ProveedorSqlite::vigilar, this);
    sqlite3_wal_hook(db_, &ProveedorSqlite::alConfirmar, this);
    walListo_ = false;
    // The file is only read until the program first writes: the schema must be readable.
    sqlite3_stmt* st = nullptr;
    rc = sqlite3_prepare_v2(db_, "SELECT COUNT(*) FROM sqlite_master", -1, &st, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_step(st) == SQLITE_ROW ? SQLITE_OK : sqlite3_extended_errcode(db_);
    const QString m = QString::fromUtf8(sqlite3_errmsg(db_));
    sqlite3_finalize(st);
    if (rc != SQLITE_OK) {
        const bool ilegible = (rc & 0xff) == SQLITE_NOTADB || (rc & 0xff) == SQLITE_CORRUPT;
        cerrar();
        if (ilegible) noEsDeLaEmpresa("está dañado: no se puede leer como base de datos de la empresa");
        noSeAbre(m);
    }
    RegistrarFunciones(db_);
    vigiladas_.clear();
    todasVigiladas_ = false;
    bool conReferencias = false;
    if (sqlite3_prepare_v2(db_,
                           "SELECT 1 FROM sqlite_master WHERE type = 'table' AND sql LIKE '%REFERENCES%'", -1,
                           &st, nullptr) == SQLITE_OK)
        conReferencias = sqlite3_step(st) == SQLITE_ROW;
    sqlite3_finalize(st);
    if (conReferencias) sqlite3_exec(db_, "PRAGMA foreign_keys=ON", nullptr, nullptr, nullptr);
    nombreBase_ = base;
    ruta_ = QFile::encodeName(ruta);
    struct stat datos {};
    const bool conIdentidad = ::stat(ruta_.constData(), &datos) == 0;
    dispositivo_ = conIdentidad ? datos.st_dev : 0;
    nodo_ = conIdentidad ? datos.st_ino : 0;
}

bool ProveedorSqlite::abierto() const {
    if (!db_) return false;
    if (nodo_ == 0) return true;
    struct stat datos {};
    return ::stat(ruta_.constData(), &datos) == 0 && datos.st_dev == dispositivo_ && datos.st_ino == nodo_;
}

void ProveedorSqlite::cerrar() {
    olvidarEsquema();
    planes_.clear();
    formas_.clear();
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
}

void ProveedorSqlite::asegurarWal(Errors& errores) {
    if (walListo_ || !db_ || !sqlite3_get_autocommit(db_)) return;
    // The first write to a file still in rollback mode switches it to WAL; two programs doing so
    // at once meet each other's lock without the engine waiting, so the wait is made here as any
    // statement's would be.
    int rc = SQLITE_OK;
    int intentos = 0;
    while (((rc = sqlite3_exec(db_, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr)) & 0xff) ==
               SQLITE_BUSY &&
           ocupada(this, intentos++)) {
    }
    // A file the user may only read keeps the journal it has: every write is refused with the
    // engine's own message.
    if (rc == SQLITE_OK || ((rc & 0xff) == SQLITE_READONLY && sqlite3_db_readonly(db_, "main") == 1)) {
        walListo_ = true;
        return;
    }
    lanzarFallo(rc, errores);
}

// Folds the journal into the company file and empties it, without waiting for anyone: when
// another program still reads an older state, the journal keeps what it needs and is folded by
// the next commit or the last program to close the file.
int ProveedorSqlite::alConfirmar(void* proveedor, sqlite3* db, const char* base, int) {
    sqlite3_busy_handler(db, nullptr, nullptr);
    sqlite3_wal_checkpoint_v2(db, base, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    sqlite3_busy_handler(db, &ProveedorSqlite::ocupada, proveedor);
    return SQLITE_OK;
}

std::function<void()>& AvisoDeEspera() {
    static std::function<void()> aviso;
    return aviso;
}

void ProveedorSqlite::tiempoDeEspera(int segundos) {
    espera_ = std::max(segundos, 0);
    if (db_) sqlite3_busy_handler(db_, &ProveedorSqlite::ocupada, this);
}

int ProveedorSqlite::ocupada(void* proveedor, int intentos) {
    auto* p = static_cast<ProveedorSqlite*>(proveedor);
    if (intentos == 0) {
        p->esperando_.start();
        if (p->turnos_ > 0 && !p->esperaVisible_) {
            p->esperaVisible_ = true;
            vb::EmpiezaEspera();
        }
        if (AvisoDeEspera()) AvisoDeEspera()();
    }
    if (p->espera_ > 0 && p->esperando_.elapsed() >= qint64(p->espera_) * 1000) return 0;
    sqlite3_sleep(std::min(1 + intentos, 50));
    return 1;
}

int ProveedorSqlite::vigilar(void* proveedor) {
    const auto* p = static_cast<const ProveedorSqlite*>(proveedor);
    return p->espera_ > 0 && p->reloj_.isValid() && p->reloj_.elapsed() > qint64(p->espera_) * 1000 ? 1 : 0;
}

ProveedorSqlite::Turno::Turno(ProveedorSqlite& p) : p_(p) {
    ++p_.turnos_;
}

ProveedorSqlite::Turno::~Turno() {
    if (--p_.turnos_ > 0 || !p_.esperaVisible_) return;
    p_.esperaVisible_ = false;
    vb::TerminaEspera();
}

}  // namespace ado::sqlite
