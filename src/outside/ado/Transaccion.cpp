#include "outside/ado/Transaccion.h"

#include "outside/ado/AdoTipos.h"
#include "outside/ado/ErroresAdo.h"

#include <utility>

namespace ado {

Transaccion::Transaccion(ConnectionPtr conexion) : conexion_(std::move(conexion)) {
    if (!conexion_) vb::Raise(vb::kObjetoNoAsignado);
    conexion_->BeginTrans();
    sesion_ = conexion_->Sesion();
    abierta_ = true;
}

Transaccion::~Transaccion() {
    if (!abierta_) return;
    try {
        Deshacer();
    } catch (const vb::ErrorVB&) {
    }
}

bool Transaccion::propia() const {
    return conexion_->EnTransaccion() && conexion_->Sesion() == sesion_;
}

bool Transaccion::Perdida() const {
    return abierta_ && (!propia() || conexion_->TransaccionPerdida());
}

bool Transaccion::SePerdio(const vb::ErrorVB& e) const {
    return Perdida() || e.Number == kErrTransaccionPerdida;
}

void Transaccion::Confirmar() {
    if (!abierta_) LanzarAdo(kErrOperacionNoPermitida);
    if (Perdida()) {
        abierta_ = false;
        // Ends the lost transaction on the connection without sending anything.
        if (conexion_->TransaccionPerdida()) conexion_->RollbackTrans();
        LanzarAdo(kErrTransaccionPerdida);
    }
    conexion_->CommitTrans();
    abierta_ = false;
}

void Transaccion::Deshacer() {
    if (!abierta_) return;
    abierta_ = false;
    // A lost one is only forgotten: the server has undone it, and a rollback must not reach
    // another session.
    if (propia() || conexion_->TransaccionPerdida()) conexion_->RollbackTrans();
}

vb::ErrorVB Transaccion::ErrorPerdida(const vb::ErrorVB& causa) {
    if (causa.Number == kErrTransaccionPerdida) return causa;
    QString texto = causa.Description.trimmed();
    if (!texto.isEmpty() && !texto.endsWith('.')) texto += '.';
    texto += QStringLiteral(
        " Se perdió la conexión con la base de datos durante la transacción: no se guardó nada de la "
        "operación.");
    return vb::ErrorVB(kErrTransaccionPerdida, texto.trimmed(), causa.Source);
}

}  // namespace ado
