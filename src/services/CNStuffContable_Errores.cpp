// The common error message and its log "XQERR.LOG".
#include "data/DB_Dll.h"
#include "outside/maker/SistemaPC.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Archivos.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/LogErrores.h"
#include "services/CNStuffContable.h"

#include <QFile>

namespace CNStuffContable {

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
    const QString texto = DB_Dll::TextoMensaje(error);
    const QString parteRutina = rutina.isEmpty() ? QString() : " - " + rutina;
    const QString titulo = error.Source + parteRutina + " Aviso al operador!!! ";
    if (error.Number == 0) {
        QFile log(ruta);  // the log is still created
        log.open(QIODevice::Append);
        return 0;
    }
    // The question is asked even when the log cannot be written.
    const int respuesta = vb::MsgBox(texto, botones, titulo);
    vb::AgregarLinea(ruta, vb::LineaLogErrores(parteRutina, texto, respuesta));
    return respuesta;
}

}  // namespace CNStuffContable
