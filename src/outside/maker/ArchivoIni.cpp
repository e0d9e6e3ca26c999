#include "outside/maker/ArchivoIni.h"

#include "outside/runtime/Archivos.h"
#include "outside/runtime/Programa.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <string>

// Byte strings, no converter library: the templates are instantiated here, nothing to link.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

namespace maker {

namespace {

using Ini = CSimpleIniA;  // case-blind names

// Ini files written on Windows are single-byte Windows-1252 (0x80 is the euro sign, not a
// control character); ours are UTF-8.
QString aTexto(const char* bytes) {
    const QByteArray b(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = utf8(b);
    if (!utf8.hasError()) return s;
    return vb::desdeWindows1252(b);
}

std::string aBytes(const QString& s) {
    return s.toUtf8().toStdString();
}

// Loads the file when it exists; false when it exists but cannot be read.
bool cargar(Ini& ini, const QString& ruta) {
    ini.SetUnicode(false);
    ini.SetQuotes(true);
    ini.SetSpaces(false);
    QFile f(ruta);
    if (!f.exists()) return true;
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray datos = f.readAll();
    return ini.LoadData(datos.constData(), size_t(datos.size())) >= 0;
}

}  // namespace

ArchivoIni& gArchivoIni() {
    static ArchivoIni instancia;
    return instancia;
}

QString ArchivoIni::RutaDe(const QString& archivo) {
    QString ruta = archivo.trimmed();
    if (QDir::isRelativePath(ruta)) ruta = QDir(vb::App().Path).filePath(ruta);
    const QFileInfo info(ruta);
    if (info.exists()) return ruta;
    const QDir carpeta = info.absoluteDir();
    for (const QString& nombre : carpeta.entryList(QDir::Files))
        if (nombre.compare(info.fileName(), Qt::CaseInsensitive) == 0) return carpeta.filePath(nombre);
    return ruta;
}

bool ArchivoIni::Leer(const QString& archivo, const QString& seccion, const QString& clave,
                      const QString& porDefecto, QString& valor) const {
    valor = porDefecto;
    Ini ini;
    if (!cargar(ini, RutaDe(archivo))) return false;
    const char* v = ini.GetValue(aBytes(seccion).c_str(), aBytes(clave).c_str(), nullptr);
    if (!v) return false;
    valor = aTexto(v);
    return true;
}

QString ArchivoIni::Leer(const QString& archivo, const QString& seccion, const QString& clave,
                         const QString& porDefecto) const {
    QString valor;
    Leer(archivo, seccion, clave, porDefecto, valor);
    return valor;
}

bool ArchivoIni::Escribir(const QString& archivo, const QString& seccion, const QString& clave,
                          const QString& valor) const {
    const QString ruta = RutaDe(archivo);
    Ini ini;
    if (!cargar(ini, ruta)) return false;
    if (ini.SetValue(aBytes(seccion).c_str(), aBytes(clave).c_str(), aBytes(valor).c_str()) < 0) return false;
    std::string datos;
    if (ini.Save(datos) < 0) return false;
    QSaveFile f(ruta);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(datos.data(), qint64(datos.size()));
    return f.commit();
}

}  // namespace maker
