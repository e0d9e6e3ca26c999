// Accepting and cancelling: the chosen code is confirmed in its master table before it goes back.
#include "lookup/Lib_FrmCons3Tree.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "outside/ado/Recordset.h"
#include "outside/controls/TreeView.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/ErrorVB.h"
#include "outside/runtime/ManejadorErrores.h"
#include "services/CNStuffContable.h"

#include <QTreeWidget>

namespace {

int Reporta(const vb::ErrorVB& e, const QString& rutina) {
    return CNStuffContable::MensajeError(e, 18, rutina);
}

bool Es(const QString& a, const char* b) {
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

// The stored value of `campo` in the first table of `tablas` (their field `buscado`) that has
// the code; "" when none has it.
QVariant Confirma(const QString& codigo, const QList<QPair<QString, QString>>& tablas, const QString& campo) {
    DB_Dll& db = CNStuffContable::gBaseDatos();
    for (const auto& [tabla, buscado] : tablas) {
        ado::RecordsetPtr rs;
        if (db.ExisteEnTabla(tabla, codigo, buscado, rs, 8, QString(), true))
            return maker::gUtilidades().TextoCampo(rs->fields().Item(campo).Value());
    }
    return QString();
}

}  // namespace

void Lib_FrmCons3Tree::CmdAceptar_Click() {
    vb::ManejadorErrores h("CmdAceptar_Click", Reporta);
    if (pedido_.CheckBoxes) {
        for (int k = 1; k <= CantidadNodos(); ++k) {
            const bool sigue = h.paso([&] {
                const int nodo = TreeV->IndiceEn(k);
                if (!TreeV->Marcado(nodo)) return;
                const QString codigo = TreeV->ClaveDe(nodo).mid(1);
                if (Es(pedido_.CampoDevuelto, "IDFAMILIA") || Es(pedido_.CampoDevuelto, "CODIGO")) {
                    pedido_.Valores->append(codigo.trimmed());
                } else if (Es(pedido_.CampoDevuelto, "IDPOSICION")) {
                    ado::RecordsetPtr rs;
                    DB_Dll& db = CNStuffContable::gBaseDatos();
                    if (db.ExisteEnTabla("MA_POSICIONES", codigo, "IDPOSICION", rs, 8, QString(), true))
                        pedido_.Valores->append(maker::gUtilidades().TextoCampo(
                            rs->fields().Item(pedido_.CampoDevuelto).Value()));
                }
            });
            if (!sigue) return;
        }
    } else {
        QString codigo;
        if (!h.paso([&] {
                QTreeWidgetItem* nodo = TreeV->currentItem();
                if (!nodo) vb::Raise(91);
                codigo = Clave(nodo).mid(1);
            }))
            return;
        const bool sigue = h.paso([&] {
            if (Es(pedido_.CampoDevuelto, "IDFAMILIA"))
                pedido_.ValorDevuelto =
                    Confirma(codigo, {{"@admin_V_TA_FAMILIAS", "IDFAMILIA"}}, pedido_.CampoDevuelto);
            else if (Es(pedido_.CampoDevuelto, "IDPOSICION"))
                pedido_.ValorDevuelto =
                    Confirma(codigo, {{"MA_POSICIONES", "IDPOSICION"}}, pedido_.CampoDevuelto);
            else if (Es(pedido_.CampoDevuelto, "CODIGO"))
                pedido_.ValorDevuelto = Confirma(codigo, {{"TA_CCOSTO", "CODIGO"}, {"MA_CUENTAS", "CODIGO"}},
                                                 pedido_.CampoDevuelto);
        });
        if (!sigue) return;
    }
    hide();
}

void Lib_FrmCons3Tree::TreeV_DblClick() {
    CmdAceptar_Click();
}

void Lib_FrmCons3Tree::CmdCancelar_Click() {
    pedido_.ValorDevuelto = QString();
    pedido_.CmpsDevueltos.reset();
    pedido_.Valores.reset();
    hide();
}
