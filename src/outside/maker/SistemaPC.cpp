#include "outside/maker/SistemaPC.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QRegularExpression>
#include <QSysInfo>
#include <QWidget>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace maker {

SistemaPC& gSistemaPC() {
    static SistemaPC instancia;
    return instancia;
}

QString SistemaPC::NombreEquipo() const {
    return QSysInfo::machineHostName();
}

QString SistemaPC::UsuarioWindows() const {
    const uid_t uid = geteuid();
    struct passwd datos {};
    struct passwd* hallado = nullptr;
    std::vector<char> espacio(16384);
    if (getpwuid_r(uid, &datos, espacio.data(), espacio.size(), &hallado) == 0 && hallado && hallado->pw_name)
        return QString::fromLocal8Bit(hallado->pw_name);
    return QString::number(uint(uid));
}

QString SistemaPC::CarpetaTemporal() const {
    return QDir::tempPath();
}

void SistemaPC::PreparaVentana(QWidget* ventana) const {
    if (ventana && ventana->windowIcon().isNull() && !QApplication::windowIcon().isNull())
        ventana->setWindowIcon(QApplication::windowIcon());
}

QUrl SistemaPC::DireccionDe(const QString& documento, const QString& carpeta) {
    const QString d = documento.trimmed();
    static const QRegularExpression esquema(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    // "C:" would look like a scheme; a web address or mail link has a longer one.
    const auto m = esquema.match(d);
    if ((m.hasMatch() && m.capturedLength() > 2) || d.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        return QUrl::fromUserInput(d);
    QString ruta = d;
    if (QDir::isRelativePath(ruta) && !carpeta.trimmed().isEmpty())
        ruta = QDir(carpeta.trimmed()).filePath(ruta);
    return QUrl::fromLocalFile(QDir::cleanPath(ruta));
}

bool SistemaPC::AbreDocumento(const QString& documento, int estiloVentana) const {
    return AbreDocumento(0, {}, documento, {}, {}, estiloVentana);
}

bool SistemaPC::AbreDocumento(long, const QString&, const QString& documento, const QString&,
                              const QString& carpeta, int) const {
    if (documento.trimmed().isEmpty()) return false;
    const QUrl direccion = DireccionDe(documento, carpeta);
    return abridor_ ? abridor_(direccion) : QDesktopServices::openUrl(direccion);
}

}  // namespace maker
