#pragma once
// Small routines shared by the windows: the upper-case key filter, opening a document and the
// registered connections file "BASES.TXT" (LBM_Common_Bases.cpp).
#include "data/ServiciosAcceso.h"

#include <QList>
#include <QString>
#include <optional>

namespace LBM_Common {

// ESCRIBE_SOLO_MAYUSCULAS is "SI": typed letters of the filter's list become capitals.
extern bool gSoloMayusculas;

// The code to use instead of a typed character code.
int ConvierteMayuscula(int codigoTecla);
// Opens a file or web address with the desktop's program for it.
void AbreDocumento(const QString& documento, bool maximizado);

// ---- registered connections, "BASES.TXT" beside the program ----

// One line of the file.
using EntradaBase = data::EntradaBase;

// The full path of the file; kept the first time it is needed. Blank it to look it up again.
extern QString gArchivoBases;
QString ArchivoBases();
// The entry name: the database upper-cased and trimmed, " / ", the server upper-cased, trimmed
// and cut before its first ":".
QString NombreEntradaBase(const QString& base, const QString& servidor);
// Appends one entry, creating the file when missing; a value that starts with a quote, or starts
// or ends with a blank or tab, is written quoted (quotes doubled) so that it reads back as given.
// Raises when a value holds a comma or a line break (it would break the line) or the file cannot
// be written.
void AgregaBaseArchivo(const QString& nombre, const QString& base, const QString& usuario,
                       const QString& password, const QString& servidor, bool oracle);
// The entries of a file, one per line, in file order. Blank lines are passed over; a line with
// fewer than five fields gets the missing ones blank; a line with more than five (a comma inside
// a value) is skipped. Nothing when the file cannot be read.
std::optional<QList<EntradaBase>> LeeBasesArchivo(const QString& ruta);
// Server and port of a server field: split at the first ":" (server upper-cased and trimmed).
// False when there is no ":" (server and port are left alone).
bool SeparaPuerto(const QString& campo, QString& servidor, QString& puerto);

}  // namespace LBM_Common
