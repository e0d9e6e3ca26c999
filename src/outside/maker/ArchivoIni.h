#pragma once
// The maker's ini-file object. Names of sections and keys are case-blind, as in the Windows
// profile calls; a file name without a folder is taken from the program's folder.
#include <QString>

namespace maker {

class ArchivoIni {
  public:
    // The value of the key; porDefecto when the file, the section or the key is missing. The
    // value is also left in valor; the result tells whether the key was found.
    bool Leer(const QString& archivo, const QString& seccion, const QString& clave, const QString& porDefecto,
              QString& valor) const;
    QString Leer(const QString& archivo, const QString& seccion, const QString& clave,
                 const QString& porDefecto = {}) const;

    // Writes the key, creating the file and the section when missing; false when the file
    // cannot be written (the file is then left as it was).
    bool Escribir(const QString& archivo, const QString& seccion, const QString& clave,
                  const QString& valor) const;

    // The file that archivo names: relative names in the program's folder; an existing file
    // whose name differs only in case is taken as the same file.
    static QString RutaDe(const QString& archivo);
};

ArchivoIni& gArchivoIni();

}  // namespace maker
