#pragma once
// Whether the logged user may see an account: an administrator sees every code, anyone else only
// the codes of his restricted view of the chart. The companion forms show and write nothing for
// a code he may not see, and tell him only that the account is missing.
#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "services/CNStuffContable.h"

#include <QString>

namespace account_extras {

inline bool CuentaAlAlcance(const QString& cuenta) {
    DB_Dll& db = CNStuffContable::gBaseDatos();
    const QString codigo = cuenta.trimmed();
    if (db.gEsAdmin || codigo.isEmpty()) return true;
    // MA_CUENTAS is read through the user's restricted view.
    return db.ExisteEnTabla("MA_CUENTAS", codigo, "CODIGO");
}

// The account a companion window acts on: the one it was opened for or the one its user loaded in
// it, never what another window left in the shared current account meanwhile. A code the user may
// not see is never loaded, and a window with nothing loaded writes nothing.
class CuentaDeVentana {
  public:
    // Loads the code when the user may see it; false, with nothing loaded, otherwise.
    bool Toma(const QString& codigo) {
        const QString c = codigo.trimmed();
        codigo_ = !c.isEmpty() && CuentaAlAlcance(c) ? c : QString();
        return !codigo_.isEmpty();
    }
    void Suelta() { codigo_.clear(); }
    bool Cargada() const { return !codigo_.isEmpty(); }
    const QString& Codigo() const { return codigo_; }
    // The text names the account loaded (compared trimmed).
    bool Es(const QString& texto) const { return Cargada() && texto.trimmed() == codigo_; }
    // A write for it may go on: loaded, and the user may still see it (a window left open while
    // another program hides the account writes nothing more for it).
    bool Escribible() const { return Cargada() && CuentaAlAlcance(codigo_); }

  private:
    QString codigo_;
};

}  // namespace account_extras
