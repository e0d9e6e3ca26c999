#include "outside/runtime/LogErrores.h"

#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"

namespace vb {

QString PalabraRespuesta(int respuesta) {
    switch (respuesta) {
        case vbRetry:
            return "Reintentar";
        case vbIgnore:
            return "Ignorar";
        case vbAbort:
            return "Abortar";
        case vbCancel:
            return "Cancelar";
        case vbYes:
            return "Sí";
        case vbNo:
            return "No";
        default:
            return QString();
    }
}

QString LineaLogErrores(const QString& parteRutina, const QString& mensaje, int respuesta) {
    const QDateTime ahora = Now();
    return Format(ahora, "mm-dd-yyyy") + " " + Format(ahora, "hh:mm:ss") + " Rutina: " + Trim(parteRutina) +
           " Mensaje " + Trim(mensaje) + " Respondió : " + PalabraRespuesta(respuesta);
}

}  // namespace vb
