#pragma once
// The suite's error log "XQERR.LOG": the line it gets for each error shown to the operator, and
// how it is written. The log is its user's own file, as report files are: a folder of the user's
// own (mode 0700), the file readable by its user alone (0600), never written through a link nor
// into a file or folder that someone else owns.
#include <QString>

namespace vb {

// The word logged for a message-box answer ("" for OK and anything unknown).
QString PalabraRespuesta(int respuesta);
// "mm-dd-yyyy hh:mm:ss Rutina: <routine part> Mensaje <text> Respondió : <answer word>", with
// the current time; the routine part and the text lose their outer blanks.
QString LineaLogErrores(const QString& parteRutina, const QString& mensaje, int respuesta);

// The user's own folder "<nombre>-<user id>" inside `carpeta`, made (0700) when missing; empty
// when that name is a link, not a folder, or someone else's.
QString CarpetaPrivada(const QString& carpeta, const QString& nombre);

// Appends one line (Windows-1252, CR LF) to a log that is the user's own file, creating it
// (0600) when missing. False, and nothing written, when it cannot be written or the path is a
// link or someone else's file. An empty line only creates the log.
bool AgregarAlLog(const QString& ruta, const QString& linea);

}  // namespace vb
