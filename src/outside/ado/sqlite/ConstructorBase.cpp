#include "outside/ado/sqlite/ConstructorBase.h"

#include "outside/ado/sqlite/ExtensionesSqlite.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ado::sqlite {

namespace {

void Fijar(QString* error, const QString& texto) {
    if (error) *error = texto;
}

void BorrarArchivos(const QString& ruta) {
    for (const char* sufijo : {"", "-journal", "-wal", "-shm"}) QFile::remove(ruta + QLatin1String(sufijo));
}

// Skips blanks and comments so that a failing statement is placed on the line where it starts.
qsizetype InicioSentencia(const QByteArray& sql, qsizetype i) {
    while (i < sql.size()) {
        const char c = sql.at(i);
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++i;
        } else if (c == '-' && i + 1 < sql.size() && sql.at(i + 1) == '-') {
            while (i < sql.size() && sql.at(i) != '\n') ++i;
        } else if (c == '/' && i + 1 < sql.size() && sql.at(i + 1) == '*') {
            const qsizetype fin = sql.indexOf("*/", i + 2);
            i = fin < 0 ? sql.size() : fin + 2;
        } else {
            break;
        }
    }
    return i;
}

// Runs every statement of one script; on failure says where it stopped.
bool EjecutarGuion(sqlite3* db, const QByteArray& sql, const QString& origen, QString* error) {
    const char* const base = sql.constData();
    const char* resto = base;
    const char* const fin = base + sql.size();
    while (resto < fin) {
        const qsizetype inicio = InicioSentencia(sql, resto - base);
        if (inicio >= sql.size()) break;
        sqlite3_stmt* sentencia = nullptr;
        const char* siguiente = nullptr;
        int rc = sqlite3_prepare_v2(db, base + inicio, int(sql.size() - inicio), &sentencia, &siguiente);
        const bool compilada = rc == SQLITE_OK;
        if (compilada && sentencia) {
            while ((rc = sqlite3_step(sentencia)) == SQLITE_ROW) {
            }
            if (rc == SQLITE_DONE) rc = SQLITE_OK;
        }
        if (rc != SQLITE_OK) {
            const QString motivo = QString::fromUtf8(sqlite3_errmsg(db));
            sqlite3_finalize(sentencia);
            // A statement that does not compile leaves no reliable end: show it up to its ";".
            qsizetype hasta = sql.indexOf(';', inicio);
            if (compilada && siguiente && siguiente > base + inicio)
                hasta = siguiente - base;
            else if (hasta < 0)
                hasta = sql.size();
            else
                ++hasta;
            QString texto = QString::fromUtf8(sql.mid(inicio, hasta - inicio)).simplified();
            if (texto.size() > 200) texto = texto.left(200) + QStringLiteral("...");
            const int linea = int(sql.left(inicio).count('\n')) + 1;
            Fijar(error, QStringLiteral("Error en %1, línea %2: %3\nSentencia: %4")
                             .arg(origen)
                             .arg(linea)
                             .arg(motivo, texto));
            return false;
        }
        sqlite3_finalize(sentencia);
        if (!siguiente || siguiente <= base + inicio) break;
        resto = siguiente;
    }
    return true;
}

}  // namespace

QStringList GuionesBase(const QString& carpeta, bool conDemo) {
    const QDir dir(carpeta);
    QStringList guiones;
    const auto agregar = [&](const QString& raiz) {
        guiones << dir.filePath(raiz + QStringLiteral(".sql"));
        for (const QString& nombre :
             dir.entryList({raiz + QStringLiteral("_*.sql")}, QDir::Files, QDir::Name))
            guiones << dir.filePath(nombre);
    };
    agregar(QStringLiteral("esquema"));
    if (conDemo) agregar(QStringLiteral("demo"));
    return guiones;
}

bool ConstruirBase(const QString& destino, const QStringList& archivosSql, const QStringList& textosSql,
                   QString* error) {
    BorrarArchivos(destino);
    if (QFileInfo::exists(destino)) {
        Fijar(error, QStringLiteral("No se puede reemplazar la base %1").arg(destino));
        return false;
    }
    QDir().mkpath(QFileInfo(destino).absolutePath());

    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(destino).constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        Fijar(error, QStringLiteral("No se puede crear la base %1: %2")
                         .arg(destino, QString::fromUtf8(sqlite3_errmsg(db))));
        sqlite3_close(db);
        BorrarArchivos(destino);
        return false;
    }

    RegistrarExtensiones(db);
    bool bien = EjecutarGuion(db, "BEGIN", QStringLiteral("la apertura"), error);
    for (const QString& archivo : archivosSql) {
        if (!bien) break;
        QFile f(archivo);
        if (!f.open(QIODevice::ReadOnly)) {
            Fijar(error, QStringLiteral("No se puede leer el archivo %1: %2").arg(archivo, f.errorString()));
            bien = false;
            break;
        }
        bien = EjecutarGuion(db, f.readAll(), QFileInfo(archivo).fileName(), error);
    }
    for (qsizetype i = 0; bien && i < textosSql.size(); ++i)
        bien =
            EjecutarGuion(db, textosSql.at(i).toUtf8(), QStringLiteral("el texto SQL %1").arg(i + 1), error);
    if (bien) bien = EjecutarGuion(db, "COMMIT", QStringLiteral("el cierre"), error);

    if (sqlite3_close(db) != SQLITE_OK && bien) {
        Fijar(error, QStringLiteral("No se puede cerrar la base %1").arg(destino));
        bien = false;
    }
    if (!bien) BorrarArchivos(destino);
    return bien;
}

sqlite3* AbrirBaseExistente(const QString& ruta, QString* error, bool conControles) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(ruta).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        Fijar(error, QStringLiteral("No se puede abrir la base %1: %2")
                         .arg(ruta, QString::fromUtf8(sqlite3_errmsg(db))));
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, 5000);
    if (conControles)
        RegistrarExtensiones(db);
    else
        RegistrarFunciones(db);
    return db;
}

}  // namespace ado::sqlite
