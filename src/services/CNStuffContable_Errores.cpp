// The common error message and its log "XQERR.LOG".
#include "outside/maker/SistemaPC.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Archivos.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "services/CNStuffContable.h"

#include <QFile>

namespace CNStuffContable {

QString PalabraRespuesta(int respuesta) {
    switch (respuesta) {
        case vb::vbRetry:
            return "Reintentar";
        case vb::vbIgnore:
            return "Ignorar";
        case vb::vbAbort:
            return "Abortar";
        case vb::vbCancel:
            return "Cancelar";
        case vb::vbYes:
            return "Sí";
        case vb::vbNo:
            return "No";
        default:
            return QString();
    }
}

QString RutaLogErrores() {
    // TMP names the folder only when TEMP is set, as the suite's other programs do it.
    QString carpeta;
    if (!qEnvironmentVariable("TEMP").isEmpty()) carpeta = qEnvironmentVariable("TMP");
    carpeta = carpeta.trimmed();
    if (carpeta.isEmpty()) carpeta = maker::gSistemaPC().CarpetaTemporal();
    return vb::BarraFinal(carpeta) + "XQERR.LOG";
}

int MensajeError(const vb::ErrorVB& error, int botones, const QString& rutina) {
    const QString ruta = RutaLogErrores();
    const QString texto = "Ha ocurrido el Siguiente Error (" + QString::number(error.Number) + ") " +
                          error.Description.trimmed();
    const QString parteRutina = rutina.isEmpty() ? QString() : " - " + rutina;
    const QString titulo = error.Source + parteRutina + " Aviso al operador!!! ";
    if (error.Number == 0) {
        QFile log(ruta);  // the log is still created
        log.open(QIODevice::Append);
        return 0;
    }
    // The question is asked even when the log cannot be written.
    const int respuesta = vb::MsgBox(texto, botones, titulo);
    const QDateTime ahora = vb::Now();
    vb::AgregarLinea(ruta, vb::Format(ahora, "mm-dd-yyyy") + " " + vb::Format(ahora, "hh:mm:ss") +
                               " Rutina: " + parteRutina.trimmed() + " Mensaje " + texto.trimmed() +
                               " Respondió : " + PalabraRespuesta(respuesta));
    return respuesta;
}

}  // namespace CNStuffContable
