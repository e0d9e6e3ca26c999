// The chart as a tree: the full rebuild, the node of a saved account, the node click and keys.
#include "accounts/FrmMA_CUENTAS.h"

#include "accounts/FilasCuentas.h"
#include "data/DB_Dll.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/TreeView.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/ManejadorErrores.h"
#include "personalizados/GrillaPersonalizados.h"
#include "services/CNStuffContable.h"

#include <QComboBox>
#include <QThread>
#include <QTreeWidgetItem>

using CNStuffContable::gBaseDatos;

void FrmMA_CUENTAS::EnlazaArbolYGrilla() {
    if (arbolYGrillaEnlazados_) return;
    arbolYGrillaEnlazados_ = true;
    connect(TreeV, &vb::TreeView::NodeClick, this, [this](const QString& clave) { TreeV_NodeClick(clave); });
    connect(TreeV, &vb::TreeView::KeyPress, this, [this](int& k) { TreeV_KeyPress(k); });
    Personalizados();
}

personalizados::GrillaPersonalizados& FrmMA_CUENTAS::Personalizados() {
    if (!personalizados_)
        personalizados_ = new personalizados::GrillaPersonalizados(
            MSFlexGrid1, TxtEdit, personalizados::GrillaPersonalizados::FormaCuentas(), this);
    return *personalizados_;
}

void FrmMA_CUENTAS::AsignarPersonalizados(vb::FlexGrid* grilla, const ado::RecordsetPtr& rs) {
    EnlazaArbolYGrilla();
    if (grilla == MSFlexGrid1) Personalizados().AsignarPersonalizados(rs);
}

void FrmMA_CUENTAS::ArmarTreeVAutomatico(const QString& Desde) {
    EnlazaArbolYGrilla();
    vb::ManejadorErrores h("ArmarTreeVAutomatico", maker::gUtilidades().Reportero());
    QString ajuste;
    if (!h.paso([&] {
            ajuste = vb::Trim(CNStuffContable::Cfg("PlanCuentas_ClyPr"));
            if (ajuste.isEmpty()) ajuste = "NO";
        }))
        return;
    const bool sinClientes = ajuste.compare("NO", Qt::CaseInsensitive) == 0;
    QString sql;
    if (Desde.isNull())
        sql = sinClientes
                  ? "SELECT CODIGO,DESCRIPCION,TITULO FROM MA_Cuentas WHERE DADA_DE_BAJA = 0 AND "
                    "(TIPOVISTA<>'CL' AND TIPOVISTA <> 'PR' OR TIPOVISTA IS NULL) ORDER BY codigo"
                  : "SELECT CODIGO,DESCRIPCION,TITULO FROM MA_Cuentas WHERE DADA_DE_BAJA = 0 ORDER BY codigo";
    else
        sql = sinClientes
                  ? "SELECT CODIGO,DESCRIPCION,TITULO FROM MA_Cuentas WHERE DADA_DE_BAJA = 0 AND "
                    "(TIPOVISTA <> 'CL' AND TIPOVISTA <> 'PR' OR TIPOVISTA IS NULL) ORDER BY CODIGO"
                  : "SELECT CODIGO,DESCRIPCION,TITULO FROM MA_Cuentas WHERE DADA_DE_BAJA = 0 ORDER BY CODIGO";

    QTreeWidgetItem* actual = nullptr;
    if (!h.paso([&] {
            TreeV->Clear();
            TreeV->setRootIsDecorated(true);
            actual = TreeV->Add(QString(), vb::TreeView::tvwLast, "A", "Plan General de Cuentas");
            actual->setExpanded(true);
        }))
        return;

    QList<QList<QVariant>> filas;
    if (!cuentas::LeeFilas(h, sql, filas)) return;

    auto& u = maker::gUtilidades();
    const qsizetype n = filas.isEmpty() ? 0 : filas[0].size();
    TreeV->setUpdatesEnabled(false);
    for (qsizetype i = 0; i < n && actual;) {
        const QString codigo = u.TextoCampo(filas[0][i]);
        const QString clave = "A" + codigo;
        if (CNStuffContable::gCancelaArbol) {
            CNStuffContable::gCancelaArbol = false;
            break;
        }
        const qsizetype d = clave.size() - TreeV->Clave(actual).size();
        if (d < 0) {
            // Climb, and look at the same row again.
            if (QTreeWidgetItem* padre = actual->parent())
                actual = padre;
            else
                ++i;
            continue;
        }
        QTreeWidgetItem* nuevo = nullptr;
        bool sigue = true;
        if (TreeV->Existe(clave)) {
            // A code twice: the row is left out.
            ++i;
            continue;
        }
        sigue = h.paso([&] {
            nuevo = TreeV->Add(TreeV->Clave(actual), d == 0 ? vb::TreeView::tvwNext : vb::TreeView::tvwChild,
                               clave, codigo + " - " + u.TextoCampo(filas[1][i]));
        });
        if (!sigue) break;
        if (nuevo) actual = nuevo;
        ++i;
    }
    TreeV->setUpdatesEnabled(true);
    // The title list is rebuilt with the tree, so a rebuild never leaves it empty.
    CargaComboTitulo();
}

void FrmMA_CUENTAS::ActualizaTreeV(const QString& Clave, const QString& Texto) {
    using namespace CNStuffContable;
    vb::ManejadorErrores h("ActualizaTreev", maker::gUtilidades().Reportero());
    const int n = int(Clave.size());
    int p = n;
    if (n > gPosCapitulo) {
        const int limites[] = {gPosSubcapitulo, gPosRubro, gPosSubrubro, gPosCuenta, gPosSubcuenta};
        const int anchos[] = {gDigitosSubcapitulo, gDigitosRubro, gDigitosSubrubro, gDigitosCuenta,
                              gDigitosSubcuenta};
        const int finAnterior[] = {gPosCapitulo, gPosSubcapitulo, gPosRubro, gPosSubrubro, gPosCuenta};
        p = 0;
        for (int k = 0; k < 5; ++k)
            if (n <= limites[k]) {
                p = std::min(n - finAnterior[k], anchos[k]);
                break;
            }
    }
    QThread::msleep(100);
    const QString clave = "A" + Clave;
    if (TreeV->Existe(clave)) {
        TreeV->update();
        return;
    }
    const QString padre = "A" + Clave.left(n - p);
    if (!TreeV->Existe(padre)) return;
    h.paso([&] {
        QTreeWidgetItem* nodo = TreeV->Add(padre, vb::TreeView::tvwChild, clave, Clave + " - " + Texto);
        nodo->setExpanded(true);
        TreeV->update();
    });
}

void FrmMA_CUENTAS::Treev_Estado(bool estado) {
    vb::ManejadorErrores h("Treev_Estado", maker::gUtilidades().Reportero());
    if (!h.paso([&] { MostrarArbol = estado; })) return;
    if (!h.paso([&] { TreeV->setVisible(estado); })) return;
    h.paso([&] { ArmarTreeVAutomatico(" "); });
}

void FrmMA_CUENTAS::TreeV_NodeClick(const QString& clave) {
    const QString codigo = clave.mid(1);
    txtFields[1]->setText(QString());
    const bool hallada =
        gBaseDatos().ExisteEnTabla("MA_CUENTAS", codigo, "Codigo", rsCuentas, 8, QString(), true);
    if (hallada) {
        txtFields[1]->setText(maker::gUtilidades().TextoCampo(rsCuentas->valor("Codigo")));
        Campo_Valida(1, txtFields[1]);
        update();
    } else {
        txtFields[0]->setText(QString());
        txtFields[1]->setText(QString());
    }
}

void FrmMA_CUENTAS::TreeV_KeyPress(int& KeyAscii) {
    vb::CajaTexto* descripcion = txtFields[0];
    descripcion->setFocus();
    descripcion->setSelStart(int(vb::Trim(descripcion->text()).size()));
    KeyAscii = 0;
}

void FrmMA_CUENTAS::TreeV_BeforeLabelEdit(bool& Cancel) {
    Cancel = true;
}

void FrmMA_CUENTAS::TreeV_AfterLabelEdit(bool& Cancel, const QString&) {
    Cancel = true;
}
