#include "outside/ado/ErroresAdo.h"

#include "outside/ado/AdoTipos.h"
#include "outside/runtime/ErrorVB.h"

namespace ado {

void LanzarAdo(int32_t numero) {
    QString texto;
    switch (numero) {
        case kErrBofEof:
            texto =
                "BOF o EOF es True, o el actual registro se eliminó. La operación solicitada requiere un "
                "registro actual.";
            break;
        case kErrOperacionNoPermitida:
            texto = "No se permite la operación en este contexto.";
            break;
        case kErrNoActualizable:
            texto =
                "El conjunto de registros actual no admite actualizaciones. Puede que sea una limitación del "
                "proveedor o del tipo de bloqueo seleccionado.";
            break;
        case kErrElementoNoEncontrado:
            texto =
                "No se encontró el elemento en la colección que corresponde con el nombre o el ordinal "
                "pedido.";
            break;
        case kErrValorNoAdmitido:
            texto =
                "El valor no es del tipo correcto, está fuera del intervalo aceptable o entra en conflicto "
                "con "
                "otros valores.";
            break;
        case kErrObjetoCerrado:
            texto = "No se permite la operación si el objeto está cerrado.";
            break;
        case kErrObjetoAbierto:
            texto = "No se permite la operación si el objeto está abierto.";
            break;
        case kErrConexionInvalida:
            texto =
                "No se puede usar la conexión para realizar esta operación. Está cerrada o no es válida en "
                "este contexto.";
            break;
        case kErrTransaccionPerdida:
            texto =
                "Se perdió la conexión con la base de datos durante la transacción: el servidor la deshizo "
                "y no se guardó nada de la operación.";
            break;
        case kErrTransaccionAbierta:
            texto = "Ya hay una transacción abierta en esta conexión.";
            break;
        default:
            break;
    }
    vb::Raise(numero, texto);
}

void LanzarNoEsLectura(Errors& errores) {
    Error e;
    e.Number = kErrSintaxis;
    e.SQLState = QStringLiteral("42000");
    e.Description =
        QStringLiteral("La consulta debe ser una sola sentencia de lectura (SELECT); no se ejecutó nada.");
    e.Source = QStringLiteral("Recordset.Open");
    errores.Add(e);
    LanzarEntrada(errores, errores.Count() - 1);
}

void LanzarEntrada(const Errors& errores, int desde) {
    const Error& e = errores.Item(desde);
    vb::Raise(e.Number, e.Description, e.Source);
}

}  // namespace ado
