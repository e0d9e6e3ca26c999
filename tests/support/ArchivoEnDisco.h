#pragma once
// A company file as it lies on disk, looked at without opening it as a database (which could fold
// or create a journal): its bytes, and the journals beside it.
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

inline QByteArray BytesDe(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(no se lee)");
}

// The suffixes of the journal files beside it ("-wal", "-shm", "-journal").
inline QStringList DiariosJunto(const QString& ruta) {
    QStringList hay;
    for (const char* sufijo : {"-wal", "-shm", "-journal"})
        if (QFileInfo::exists(ruta + sufijo)) hay << sufijo;
    return hay;
}
