#pragma once
// While alive, the error log "XQERR.LOG" is written in a folder of the test: TEMP and TMP point
// there, as the program looks for its log folder.
#include "outside/runtime/Archivos.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

struct LogDePrueba {
    QTemporaryDir dir;
    QByteArray temp = qgetenv("TEMP"), tmp = qgetenv("TMP");
    LogDePrueba() {
        qputenv("TEMP", "x");
        qputenv("TMP", dir.path().toUtf8());
    }
    ~LogDePrueba() {
        qputenv("TEMP", temp);
        qputenv("TMP", tmp);
    }
    LogDePrueba(const LogDePrueba&) = delete;
    LogDePrueba& operator=(const LogDePrueba&) = delete;
    QString ruta() const { return dir.path() + "/XQERR.LOG"; }
    QStringList lineas() const { return vb::LeerLineas(ruta()).value_or(QStringList()); }
};
