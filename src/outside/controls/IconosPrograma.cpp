#include "outside/controls/IconosPrograma.h"

#include "outside/runtime/Programa.h"

#include <QDir>
#include <QFileInfo>

namespace vb {

QIcon IconoRecurso(const QString& nombre) {
    const QString buscado = nombre.trimmed();
    if (buscado.isEmpty() || buscado.contains('/') || buscado.contains('\\')) return QIcon();
    const QDir carpeta(QDir(App().Path).filePath("Iconos"));
    if (!carpeta.exists()) return QIcon();
    static const QStringList kExtensiones = {"png", "svg", "ico", "xpm"};
    const QFileInfoList archivos = carpeta.entryInfoList(QDir::Files | QDir::Readable);
    for (const QString& extension : kExtensiones) {
        for (const QFileInfo& archivo : archivos) {
            if (archivo.completeBaseName().compare(buscado, Qt::CaseInsensitive) != 0) continue;
            if (archivo.suffix().compare(extension, Qt::CaseInsensitive) != 0) continue;
            QIcon icono(archivo.absoluteFilePath());
            if (!icono.availableSizes().isEmpty() || !icono.pixmap(16, 16).isNull()) return icono;
        }
    }
    return QIcon();
}

}  // namespace vb
