#pragma once
// While alive, the error log "XQERR.LOG" is written in a folder of the test: TEMP and TMP point
// there, as the program looks for its log folder.
#include "outside/runtime/Archivos.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include <unistd.h>

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
    // The log goes into the user's own folder there.
    QString ruta() const {
        return QStringLiteral("%1/indajuste-%2/XQERR.LOG").arg(dir.path()).arg(uint(geteuid()));
    }
    QStringList lineas() const { return vb::LeerLineas(ruta()).value_or(QStringList()); }
};
