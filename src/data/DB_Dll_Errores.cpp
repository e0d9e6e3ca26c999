#include "data/DB_Dll.h"

#include "outside/runtime/Archivos.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/LogErrores.h"
#include "outside/runtime/Programa.h"

QString DB_Dll::TextoMensaje(const vb::ErrorVB& e) {
    return "Ha ocurrido el Siguiente Error (" + QString::number(e.Number) + ") " + vb::Trim(e.Description);
}

void DB_Dll::EscribeLog(const QString& parteRutina, const QString& mensaje, int respuesta) {
    const QString ruta = gLogErr.isEmpty() ? vb::BarraFinal(vb::App().Path) + "XQERR.LOG" : gLogErr;
    const QString linea = vb::LineaLogErrores(parteRutina, mensaje, respuesta);
    // A log that cannot be written loses the line; the operator has had the message already.
    vb::AgregarAlLog(ruta, linea);
}

int DB_Dll::TratamientoErrores(const vb::ErrorVB& CodErr, int Botones, const QVariant& Rutina) {
    const QString mensaje = TextoMensaje(CodErr);
    const QString parteRutina = Rutina.isValid() ? " - " + Rutina.toString() : QString();
    const QString titulo = CodErr.Source + parteRutina + " Aviso al operador!!! - 5 ";
    if (CodErr.Number == 0) return 0;
    if (CodErr.Informado) return vb::RespuestaYaInformado(CodErr);
    const int respuesta = vb::MsgBox(mensaje, Botones, titulo);
    EscribeLog(parteRutina, mensaje, respuesta);
    return respuesta;
}

vb::Reportero DB_Dll::reporteroTratamiento(int botones) {
    return [this, botones](const vb::ErrorVB& e, const QString& rutina) {
        return TratamientoErrores(e, botones, rutina);
    };
}
