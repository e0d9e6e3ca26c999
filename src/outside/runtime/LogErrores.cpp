#include "outside/runtime/LogErrores.h"

#include "outside/runtime/Archivos.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace vb {

QString PalabraRespuesta(int respuesta) {
    switch (respuesta) {
        case vbRetry:
            return "Reintentar";
        case vbIgnore:
            return "Ignorar";
        case vbAbort:
            return "Abortar";
        case vbCancel:
            return "Cancelar";
        case vbYes:
            return "Sí";
        case vbNo:
            return "No";
        default:
            return QString();
    }
}

QString LineaLogErrores(const QString& parteRutina, const QString& mensaje, int respuesta) {
    const QDateTime ahora = Now();
    return Format(ahora, "mm-dd-yyyy") + " " + Format(ahora, "hh:mm:ss") + " Rutina: " + Trim(parteRutina) +
           " Mensaje " + Trim(mensaje) + " Respondió : " + PalabraRespuesta(respuesta);
}

QString CarpetaPrivada(const QString& carpeta, const QString& nombre) {
    if (carpeta.trimmed().isEmpty()) return {};
    const QByteArray ruta =
        QFile::encodeName(QDir(carpeta).filePath(QStringLiteral("%1-%2").arg(nombre).arg(uint(geteuid()))));
    if (mkdir(ruta.constData(), 0700) != 0 && errno != EEXIST) return {};
    // One left there by someone else, or a link, is not ours to write into.
    struct stat datos {};
    if (lstat(ruta.constData(), &datos) != 0 || !S_ISDIR(datos.st_mode) || datos.st_uid != geteuid() ||
        chmod(ruta.constData(), 0700) != 0)
        return {};
    return QFile::decodeName(ruta);
}

bool AgregarAlLog(const QString& ruta, const QString& linea) {
    if (ruta.isEmpty()) return false;
    const int fd = ::open(QFile::encodeName(ruta).constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    // Only a plain file of the user's own, with no other name that someone else could read it by.
    struct stat datos {};
    bool ok = fstat(fd, &datos) == 0 && S_ISREG(datos.st_mode) && datos.st_uid == geteuid() &&
              datos.st_nlink == 1 && ((datos.st_mode & 07777) == 0600 || fchmod(fd, 0600) == 0);
    if (ok && !linea.isEmpty()) {
        const QByteArray bytes = aWindows1252(linea) + "\r\n";
        ok = ::write(fd, bytes.constData(), size_t(bytes.size())) == ssize_t(bytes.size());
    }
    ::close(fd);
    return ok;
}

}  // namespace vb
