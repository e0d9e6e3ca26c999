#pragma once
// The maker's account rules: how a code fits the level structure, its check digit, whether it
// may be a postable or a title account, whether it has movements or accounts under it, the tree
// of the chart, and the hierarchy and cash-flow upkeep. It reads and writes through the hooks
// its owner gives it, so a user who is not an administrator reads what the restricted views
// show him.
//
// Verdicts (codes are compared trimmed, without "-"):
// - LongitudValida: the code's length is one of the running level ends (a level of width 0
//   ends nowhere); an empty code is not valid.
// - DigitoVerificador: modulus 11 with weights 2, 3, 4, 5, 6, 7 from the right; a remainder that
//   gives 11 is 0 and one that gives 10 is 1; a letter counts as its position in the alphabet
//   (A = 10, B = 11 ...) modulo 10. An empty code gives 0.
// - EsImputable: the code names an active account (not dada de baja) that is not a title.
// - ValidaImputable: a postable account must end a level and have no active account under it;
//   otherwise false with the message to show.
// - PermiteTitulo: a title must end a level above the last one (a last-level code can only be
//   postable).
// - TieneMovimientos: the journal holds a line of the account.
// - ExisteNivelInferior: an active account whose code begins with the code and is longer.
//   Both ask the company's tables themselves: an account or a line hidden from the user still
//   counts, and he learns nothing else of it.
// - ArmaArbolCuentas: the root "A" "Plan General de Cuentas" (when the tree lacks it) and one
//   node per active account in code order, under the node of the longest shorter code that
//   begins its code, else under the root.
// - JerarquiasCuentas: an active postable account that has active accounts under it and no
//   movements becomes a title; one with movements is left as it is.
// - ActualizaCashFlow: the account joins every cash-flow line ([MA_CASH-DETALLE]) that holds
//   the nearest account above it; lines it is already in are left alone.
// Failures of the hooks rise to the caller.
#include "outside/ado/Connection.h"

#include <QString>
#include <array>
#include <functional>

namespace vb {
class TreeView;
}

namespace maker {

class ReglasCuentas {
  public:
    struct Entorno {
        // Opens a read-only statement.
        std::function<ado::RecordsetPtr(const QString& sql)> abrir;
        // Runs an action statement; false when it failed.
        std::function<bool(const QString& sql)> ejecutar;
        // The six level widths, from the chapter to the sub-account.
        std::function<std::array<int, 6>()> niveles;
        // Whether the company's table holds a row meeting the condition, asked of the table itself
        // (never a user's restricted view) through a statement that returns nothing of the row.
        std::function<bool(const QString& tabla, const QString& condicion)> hayFilas;
    };

    explicit ReglasCuentas(Entorno entorno);

    void ArmaArbolCuentas(vb::TreeView& arbol);
    int DigitoVerificador(const QString& codigo) const;
    bool TieneMovimientos(const QString& codigo) const;
    bool EsImputable(const QString& codigo) const;
    bool ValidaImputable(const QString& codigo, QString& mensaje) const;
    bool PermiteTitulo(const QString& codigo) const;
    bool LongitudValida(const QString& codigo) const;
    bool ExisteNivelInferior(const QString& codigo) const;
    void JerarquiasCuentas();
    void ActualizaCashFlow(const QString& codigo);

    // The running level ends of the non-empty levels.
    QList<int> FinesDeNivel() const;
    static QString Limpia(const QString& codigo);

  private:
    bool HayFilas(const QString& sql) const;
    Entorno entorno_;
};

}  // namespace maker
