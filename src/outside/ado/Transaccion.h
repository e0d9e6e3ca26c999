#pragma once
// One transaction on one connection: begun when made, committed by Confirmar, rolled back on
// every other way out. It is bound to the session it began on: once that session is lost the
// server has undone the work, Confirmar raises and the rollback sends nothing, so neither ever
// reaches a session opened later.
//
//     ado::Transaccion t(cnn);
//     cnn->Execute("DELETE ...");
//     t.Confirmar();
#include "outside/ado/Connection.h"
#include "outside/runtime/ErrorVB.h"

namespace ado {

class Transaccion {
  public:
    // Raises as BeginTrans does (no connection, closed, one already open).
    explicit Transaccion(ConnectionPtr conexion);
    ~Transaccion();
    Transaccion(const Transaccion&) = delete;
    Transaccion& operator=(const Transaccion&) = delete;

    // A commit the server refuses raises and leaves the transaction open for the rollback.
    void Confirmar();
    void Deshacer();

    bool Abierta() const { return abierta_; }
    // Its session was lost (or the engine undid it): nothing of it can be kept.
    bool Perdida() const;
    // The same, or `e` is the error of a commit that found it lost.
    bool SePerdio(const vb::ErrorVB& e) const;

    // What the owner shows when the transaction was lost: the cause and that nothing was kept,
    // numbered kErrTransaccionPerdida.
    static vb::ErrorVB ErrorPerdida(const vb::ErrorVB& causa);

  private:
    // The connection still holds this transaction, on its session.
    bool propia() const;

    ConnectionPtr conexion_;
    long sesion_ = 0;
    bool abierta_ = false;
};

}  // namespace ado
