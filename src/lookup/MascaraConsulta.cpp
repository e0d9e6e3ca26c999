#include "lookup/MascaraConsulta.h"

#include "outside/maker/Utilidades.h"
#include "outside/runtime/Archivos.h"
#include "outside/runtime/Conversiones.h"

#include <QFile>

namespace MascaraConsulta {

namespace {

QString Campo(const QByteArray& bytes, int desde, int largo) {
    return vb::desdeWindows1252(bytes.mid(desde, largo));
}

// Padding of the files written by the suite's own editor: NUL, 0xFF or blanks.
QString Limpio(const QString& texto) {
    const QString sinRelleno = maker::gUtilidades().QuitaCaracter(texto, QString(QChar(0)) + QChar(0xFF));
    return vb::Trim(sinRelleno);
}

}  // namespace

RegMascaraConsulta DesdeBytes(const QByteArray& leidos) {
    QByteArray bytes = leidos.left(kLargoRegistro);
    if (bytes.size() < kLargoRegistro) bytes.append(QByteArray(kLargoRegistro - bytes.size(), '\0'));
    RegMascaraConsulta r;
    r.Descripcion = Campo(bytes, 0, 100);
    r.Tabla = Limpio(Campo(bytes, 100, 100));
    // The columns must be blank padded; a NUL left in them would reach the statement.
    r.Campos = vb::Trim(maker::gUtilidades().QuitaCaracter(Campo(bytes, 200, 500), QString(QChar(0))));
    r.Condicion = Limpio(Campo(bytes, 700, 500));
    r.FinRegistro = Campo(bytes, 1200, 2);
    return r;
}

bool Buscar(const QString& ruta, const QString& tabla, RegMascaraConsulta& reg) {
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly)) return false;
    const QString buscada = vb::Trim(tabla);
    while (!archivo.atEnd()) {
        const QByteArray bytes = archivo.read(kLargoRegistro);
        if (bytes.isEmpty()) break;
        reg = DesdeBytes(bytes);
        if (vb::Trim(reg.Tabla).compare(buscada, Qt::CaseInsensitive) == 0) return true;
    }
    return false;
}

QString Columnas(const RegMascaraConsulta& reg) {
    QString c =
        vb::Trim(maker::gUtilidades().Reemplaza(reg.Campos, QStringLiteral("|"), QStringLiteral(",")));
    if (c.startsWith(QLatin1Char(','))) c.remove(0, 1);
    if (c.endsWith(QLatin1Char(','))) c.chop(1);
    return c.isEmpty() ? QStringLiteral("*") : c;
}

}  // namespace MascaraConsulta
