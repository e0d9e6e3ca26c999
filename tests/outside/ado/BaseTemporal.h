#pragma once
// A small company database in a temporary folder, built with the engine directly.
#include <sqlite3.h>

#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>
#include <QVariant>

#include "outside/ado/Connection.h"
#include "outside/ado/sqlite/ExtensionesSqlite.h"
#include "outside/runtime/ErrorVB.h"

#include <functional>

// The number of the error the step raises; 0 when it runs through.
inline int32_t numeroDe(const std::function<void()>& f) {
    try {
        f();
    } catch (const vb::ErrorVB& e) {
        return e.Number;
    }
    return 0;
}

class BaseTemporal {
  public:
    explicit BaseTemporal(const char* esquema, const QString& nombre = "EMPRESA") : nombre_(nombre) {
        sqlite3* db = nullptr;
        EXPECT_EQ(sqlite3_open(QFile::encodeName(ruta()).constData(), &db), SQLITE_OK);
        ado::sqlite::RegistrarExtensiones(db);
        char* error = nullptr;
        EXPECT_EQ(sqlite3_exec(db, esquema, nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
        sqlite3_free(error);
        sqlite3_close(db);
    }
    QString carpeta() const { return dir_.path(); }
    QString ruta() const { return QDir(dir_.path()).filePath(nombre_ + ".sqlite"); }
    QString cadena() const {
        return QString("Provider=SQLOLEDB;Server=%1;Database=%2;").arg(dir_.path(), nombre_);
    }
    ado::ConnectionPtr abrir() const {
        auto cn = ado::Connection::Crear();
        cn->Open(cadena(), "sa", "cualquiera");
        return cn;
    }
    // Reads one value back with plain SQL, as stored.
    QVariant leer(const QString& sql) const { return LeerDe(ruta(), sql); }
    // The same from any database file.
    static QVariant LeerDe(const QString& archivo, const QString& sql) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(QFile::encodeName(archivo).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        ado::sqlite::RegistrarFunciones(db);
        sqlite3_stmt* st = nullptr;
        QVariant v;
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW) {
            switch (sqlite3_column_type(st, 0)) {
                case SQLITE_INTEGER:
                    v = qlonglong(sqlite3_column_int64(st, 0));
                    break;
                case SQLITE_FLOAT:
                    v = sqlite3_column_double(st, 0);
                    break;
                case SQLITE_NULL:
                    break;
                default:
                    v = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
            }
        } else {
            v = QString("ERROR: ") + sqlite3_errmsg(db);
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
        return v;
    }

  private:
    QTemporaryDir dir_;
    QString nombre_;
};
