// The account delete, from its questions to the copies to the group (its transactions are in
// FrmMA_CUENTAS_Transaccion.cpp); when other rows refer to the account it is marked as deleted
// instead, unless it has movements of the year.
#include "accounts/FrmMA_CUENTAS.h"

#include "data/DB_Dll.h"
#include "outside/ado/TextoSql.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/TreeView.h"
#include "outside/maker/ReglasCuentas.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "services/CNStuffContable.h"
#include "services/ModGruposEmp.h"

using CNStuffContable::gBaseDatos;

namespace {

bool HayLineasDeCashFlow(const QString& codigo) {
    // Existence only, asked of the company's own table; a statement that failed raises, and the
    // delete stops instead of taking the account for one without lines.
    return gBaseDatos().HayFilasReales("[MA_CASH-DETALLE]",
                                       "RTRIM(LTRIM(CUENTA)) = " + ado::LiteralTexto(codigo.trimmed()));
}

}  // namespace

QString FrmMA_CUENTAS::BorraCashFlow(const QString& cuenta) {
    return "DELETE FROM [MA_CASH-DETALLE] WHERE LTRIM(RTRIM(CUENTA))=" + ado::LiteralTexto(vb::Trim(cuenta));
}

void FrmMA_CUENTAS::BorraCuenta(const QString& codigo) {
    vb::ManejadorErrores h("ActualizarDatos",
                           [this](const vb::ErrorVB& e, const QString&) { return ErrorActualizarDatos(e); });
    // Every way out that leaves the account as it was leaves it loaded: a second "Borrar" asks again.
    struct SigueCargada {
        FrmMA_CUENTAS& f;
        bool borrada = false;
        ~SigueCargada() {
            if (borrada) return;
            f.Modificando = true;
            f.Borrando = false;
        }
    } cargada{*this};
    bool inferior = false;
    if (!h.paso([&] { inferior = Reglas().ExisteNivelInferior(codigo); })) return;
    if (inferior) {
        HuboError = true;
        vb::MsgBox(
            QString::fromUtf8("No se puede eliminar esta cuenta porque posee un nivel inferior\rElimine "
                              "primero las demás cuentas e inténtelo nuevamente"),
            vb::vbCritical);
        return;
    }
    if (vb::MsgBox("Confirma la baja de esta cuenta? " + codigo,
                   vb::vbYesNo + vb::vbExclamation + vb::vbDefaultButton2,
                   QString::fromUtf8("Atención!")) != vb::vbYes)
        return;
    bool conCashFlow = false;
    if (!h.paso([&] { conCashFlow = HayLineasDeCashFlow(codigo); })) return;
    if (conCashFlow &&
        vb::MsgBox(
            QString::fromUtf8("La cuenta está asociada a un Cash-Flow se darán de baja sus movimientos\r"
                              "Acepta???"),
            vb::vbYesNo + vb::vbInformation, "Aviso al Operador...") != vb::vbYes)
        return;
    Grabacion g;
    g.codigo = codigo;
    Escritura escrita = Escritura::Reintento;
    while (escrita == Escritura::Reintento) escrita = EscribeBaja(g, conCashFlow);
    HuboError = escrita != Escritura::Hecha;
    if (HuboError) {
        // Only other rows referring to the account turn the delete into a mark.
        if (g.referida) cargada.borrada = BajaLogica(codigo, conCashFlow);
        // Marked as deleted it has left the tree: the form lets it go too.
        if (cargada.borrada) h.paso([&] { LimpiaPantalla(); }) && h.paso([&] { Generar(TablaActual); });
        return;
    }
    cargada.borrada = true;
    mostrada_.Eliminado();
    // The copies to the group follow the commit.
    for (const QStringList& r : g.replicas)
        if (!h.paso([&] { ModGruposEmp::ActualizaGEmpresas(r.value(0), 3, r.value(1), r.value(2)); })) return;
    if (!h.paso([&] { TreeV->Remove("A" + codigo); })) return;
    if (!h.paso([&] { LimpiaPantalla(); })) return;
    h.paso([&] { Generar(TablaActual); });
}

bool FrmMA_CUENTAS::BajaLogica(const QString& codigo, bool conCashFlow) {
    Grabacion g;
    g.codigo = codigo;
    Escritura escrita = Escritura::Reintento;
    while (escrita == Escritura::Reintento) escrita = EscribeBajaLogica(g, conCashFlow);
    // Marked or not, the delete the user asked for did not happen.
    HuboError = true;
    if (escrita != Escritura::Hecha) {
        if (!g.rechazo.isEmpty()) vb::MsgBox(g.rechazo, vb::vbCritical, "Aviso al operador!!!");
        return false;
    }
    mostrada_.Eliminado();
    vb::ManejadorErrores h("ActualizarDatos",
                           [this](const vb::ErrorVB& e, const QString&) { return ErrorActualizarDatos(e); });
    h.paso([&] { TreeV->Remove("A" + codigo); });
    return true;
}
