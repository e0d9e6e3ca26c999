#pragma once
// The process's user as the operating system's own tool names it.
#include <QProcess>
#include <QString>

inline QString UsuarioDelSistema() {
    QProcess id;
    id.start("id", {"-un"});
    id.waitForFinished();
    return QString::fromLocal8Bit(id.readAllStandardOutput()).trimmed();
}
