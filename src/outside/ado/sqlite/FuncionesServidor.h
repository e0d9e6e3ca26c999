#pragma once
// The server's functions that the rewritten statements call (see ExtensionesSqlite.h).
#include <QDateTime>
#include <QStringView>

struct sqlite3;

namespace ado::sqlite {

void RegistrarFuncionesServidor(sqlite3* db);

// A text read as a date the way the server reads it with SET DATEFORMAT dmy: "d/m/yy[yy]" (also
// with "-" or "."; years 00-49 are 20xx), "yyyymmdd", or as stored "yyyy-mm-dd"; each with an
// optional "h:mm[:ss[.fff]]".
bool LeerFechaServidor(QStringView texto, QDateTime& fecha, bool mesPrimero = false);
// The form dates are stored in: "yyyy-mm-dd" or "yyyy-mm-dd hh:mm:ss" (also with "T" or milliseconds).
bool EsFechaGuardada(QStringView texto);
// A date in its stored form; midnight gives the date alone.
QString FechaGuardada(const QDateTime& fecha);

// The subtype our text functions give their result: a column made of them is a text, however
// its values look.
inline constexpr unsigned int kSubtipoTexto = 'T';

// Errors our functions and checks raise carry the server's number first: "8115|texto".
inline constexpr const char* kDesbordamiento =
    "8115|Error de desbordamiento aritmético al convertir la expresión al tipo de datos";

}  // namespace ado::sqlite
