#pragma once
// The suite's shared text files: single-byte Windows-1252 with CR LF line ends, so that the
// suite's other programs read what this one writes.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace vb {

// Characters that Windows-1252 cannot hold become '?'.
QByteArray aWindows1252(const QString& texto);
QString desdeWindows1252(const QByteArray& bytes);

// Appends one line, creating the file when missing. False when the file cannot be written.
bool AgregarLinea(const QString& ruta, const QString& linea);
// Replaces the file with these lines. False when the file cannot be written.
bool EscribirLineas(const QString& ruta, const QStringList& lineas);
// The file's lines (CR LF, LF or CR end a line); nothing when the file cannot be read.
std::optional<QStringList> LeerLineas(const QString& ruta);
bool ExisteArchivo(const QString& ruta);

// The folder path with a final "/" (an empty path stays empty).
QString BarraFinal(const QString& ruta);

}  // namespace vb
