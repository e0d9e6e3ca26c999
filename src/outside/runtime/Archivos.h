#pragma once
// The suite's shared text files: single-byte Windows-1252 with CR LF line ends, so that the
// suite's other programs read what this one writes.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace vb {

// Whether Windows-1252 holds the character.
bool CabeEnWindows1252(char16_t c);
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
// The whole file as text; nothing when it cannot be read.
std::optional<QString> LeerTodo(const QString& ruta);
// Appends the text as it stands (no line end added), creating the file when missing.
bool AgregarTexto(const QString& ruta, const QString& texto);

// The items of the file as VB's Input # reads them: an item ends at "," or at a line end
// (CR LF, LF or CR); leading blanks are skipped and trailing ones dropped; an item that starts
// with a double quote runs to the closing quote (what follows up to the separator is dropped).
// A blank line gives no item. Nothing when the file cannot be read.
std::optional<QStringList> LeerItems(const QString& ruta);
// The same rules over a text. With comillasDobladas, two double quotes inside a quoted item
// stand for one (the form this program writes a value in that starts with a quote).
QStringList ItemsDeTexto(const QString& texto, bool comillasDobladas = false);

// The folder path with a final "/" (an empty path stays empty).
QString BarraFinal(const QString& ruta);

}  // namespace vb
