// The common error message and its log "XQERR.LOG".
#include "data/DB_Dll.h"
#include "outside/maker/SistemaPC.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Archivos.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/LogErrores.h"
#include "services/CNStuffContable.h"

namespace CNStuffContable {

namespace {
const char* const kCarpetaLog = "indajuste";
}  // namespace

QString RutaLogErrores() {
    // TMP names the temporary folder only when TEMP is set, as the suite's other programs do it.
    // The log goes into the user's own folder there: a shared one would show it to every user
    // and let anyone plant a link or take the file first.
    QString carpeta;
    if (!qEnvironmentVariable("TEMP").isEmpty()) carpeta = qEnvironmentVariable("TMP");
    carpeta = carpeta.trimmed();
    if (carpeta.isEmpty()) carpeta = maker::gSistemaPC().CarpetaTemporal();
    const QString propia = vb::CarpetaPrivada(carpeta, kCarpetaLog);
    return propia.isEmpty() ? QString() : vb::BarraFinal(propia) + "XQERR.LOG";
}

int MensajeError(const vb::ErrorVB& error, int botones, const QString& rutina) {
    const QString ruta = RutaLogErrores();
    const QString texto = DB_Dll::TextoMensaje(error);
    const QString parteRutina = rutina.isEmpty() ? QString() : " - " + rutina;
    const QString titulo = error.Source + parteRutina + " Aviso al operador!!! ";
    if (error.Number == 0) {
        vb::AgregarAlLog(ruta, {});  // the log is still created
        return 0;
    }
    if (error.Informado) return vb::RespuestaYaInformado(error);
    // The question is asked even when the log cannot be written.
    const int respuesta = vb::MsgBox(texto, botones, titulo);
    vb::AgregarAlLog(ruta, vb::LineaLogErrores(parteRutina, texto, respuesta));
    return respuesta;
}

}  // namespace CNStuffContable
