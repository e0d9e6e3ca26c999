#include "outside/controls/SkinFramework.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>

SkinFramework::SkinFramework(QObject* parent) : QObject(parent) {}

QString SkinFramework::HojaDeSkin(const QString& ruta, const QString& ini) {
    const QFileInfo info(ruta);
    if (info.isDir()) {
        const QString base = QFileInfo(ini).completeBaseName();
        return base.isEmpty() ? QString() : QDir(ruta).filePath(base + ".qss");
    }
    // "WinXP.Luna.cjstyles" stands for "WinXP.Luna.qss": only the last extension goes.
    const QString nombre = info.fileName();
    const qsizetype punto = nombre.lastIndexOf('.');
    const QString base = punto > 0 ? nombre.left(punto) : nombre;
    if (base.isEmpty()) return QString();
    return info.dir().filePath(base + ".qss");
}

bool SkinFramework::LoadSkin(const QString& ruta, const QString& ini) {
    ruta_ = ruta;
    ini_ = ini;
    archivoHoja_.clear();
    hoja_.clear();
    const QString archivo = HojaDeSkin(ruta, ini);
    if (archivo.isEmpty()) return false;
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
    archivoHoja_ = archivo;
    hoja_ = QString::fromUtf8(f.readAll());
    return true;
}

void SkinFramework::ApplyWindow(QWidget* ventana) {
    if (!ventana || archivoHoja_.isEmpty()) return;
    ventana->setStyleSheet(hoja_);
}
