#pragma once
// The line the suite's error log "XQERR.LOG" gets for each error shown to the operator.
#include <QString>

namespace vb {

// The word logged for a message-box answer ("" for OK and anything unknown).
QString PalabraRespuesta(int respuesta);
// "mm-dd-yyyy hh:mm:ss Rutina: <routine part> Mensaje <text> Respondió : <answer word>", with
// the current time; the routine part and the text lose their outer blanks.
QString LineaLogErrores(const QString& parteRutina, const QString& mensaje, int respuesta);

}  // namespace vb
