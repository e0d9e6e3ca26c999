// Building the tree: the general builder (parent = the longest code already in the tree that
// begins the row's code), the families builder (parent computed by the database), the nodes and
// the check propagation.
#include "lookup/Lib_FrmCons3Tree.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "outside/ado/Proveedor.h"
#include "outside/controls/TreeView.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/ErrorVB.h"
#include "outside/runtime/ManejadorErrores.h"
#include "services/CNStuffContable.h"

namespace {

constexpr int kGeneracionesMarcadas = 6;

int Reporta(const vb::ErrorVB& e, const QString& rutina) {
    return CNStuffContable::MensajeError(e, 18, rutina);
}

// A field as text; a Null code cannot make a key.
QString TextoObligatorio(const QVariant& v) {
    if (v.isNull()) vb::Raise(94, "Uso no válido de Null");
    return maker::gUtilidades().TextoCampo(v);
}

}  // namespace

QString Lib_FrmCons3Tree::Clave(const QTreeWidgetItem* nodo) {
    auto* arbol = nodo ? qobject_cast<const vb::TreeView*>(nodo->treeWidget()) : nullptr;
    return arbol ? arbol->Clave(nodo) : QString();
}

int Lib_FrmCons3Tree::CantidadNodos() const {
    return TreeV->Count();
}

QTreeWidgetItem* Lib_FrmCons3Tree::Nodo(int k) const {
    return k >= 1 && k <= TreeV->Count() ? TreeV->Item(TreeV->IndiceEn(k)) : nullptr;
}

QTreeWidgetItem* Lib_FrmCons3Tree::NodoPorClave(const QString& clave) const {
    return TreeV->Nodo(clave);
}

QString Lib_FrmCons3Tree::SentenciaFamilias() {
    return QStringLiteral("SELECT     TOP 100 PERCENT IdFamilia, Descripcion, ") +
           "(SELECT     TOP 1 idfamilia FROM @Admin_v_ta_familias a  " +
           " Where a.IdFamilia < b.IdFamilia And (Len(LTrim(RTrim(a.IdFamilia))) < "
           "Len(LTrim(RTrim(b.IdFamilia)))) " +
           " ORDER BY idfamilia DESC) AS [relative] FROM dbo.V_TA_FAMILIAS b Where IdFamilia<>'' ORDER BY "
           "IdFamilia";
}

void Lib_FrmCons3Tree::QuitaNodos() {
    TreeV->Clear();
}

int Lib_FrmCons3Tree::AgregaNodo(int padre, const QString& codigo, const QString& descripcion) {
    // A key already in the tree is told before a parent that is not.
    const int nodo = padre >= 0 ? TreeV->AgregaCodigo(padre, codigo, descripcion) : -1;
    if (nodo < 0 && (padre >= 0 || TreeV->Existe("A" + codigo)))
        vb::Raise(35602, "La clave no es única en la colección");
    if (nodo < 0) vb::Raise(35601, "No se encontró el elemento");
    return nodo;
}

void Lib_FrmCons3Tree::ArmaArbol(
    const QString& rutina,
    const std::function<int(const QString& codigo, const ado::Lectura& filas, qsizetype fila)>& padre) {
    vb::ManejadorErrores h(rutina, Reporta);
    if (!h.paso([&] {
            QuitaNodos();
            TreeV->setCasillas(pedido_.CheckBoxes);
            TreeV->setIndiceSinCaso(true);
            TreeV->Add(QString(), vb::TreeView::tvwLast, "A", "Consulta...")->setExpanded(true);
        }))
        return;
    ado::Lectura filas;
    bool leida = false;
    DB_Dll& db = CNStuffContable::gBaseDatos();
    if (!h.paso([&] { leida = db.LeeConsulta(pedido_.Sql, filas, db.gCnn); })) return;
    // A refused statement was told by the database object; the tree keeps not even its root,
    // so that the lookup knows there is nothing to choose from.
    if (!leida) {
        QuitaNodos();
        return;
    }
    const qsizetype cantidad = filas.filas();
    if (cantidad == 0) return;
    // Every row is in memory: the nodes are made in one pass, the view gets the items it shows at
    // the end.
    TreeV->Reserva(cantidad + 1);
    TreeV->IniciarCarga();
    struct Fin {
        vb::TreeView* t;
        ~Fin() { t->TerminarCarga(); }
    } fin{TreeV};
    for (qsizetype r = 0; r < cantidad; ++r) {
        const bool sigue = h.paso([&] {
            if (filas.valores.size() < 2) vb::Raise(9);
            const QString codigo = TextoObligatorio(filas.valores[0][r]);
            const int p = padre(codigo, filas, r);
            AgregaNodo(p, codigo, maker::gUtilidades().TextoCampo(filas.valores[1][r]));
        });
        if (!sigue) return;
    }
}

void Lib_FrmCons3Tree::ArmarTreeVAutomatico(const QVariant&) {
    ArmaArbol("ArmarTreeVAutomatico", [this](const QString& codigo, const ado::Lectura&, qsizetype) {
        // Of the keys already in the tree, the longest one that the new key begins with
        // (case-blind), the first of equal ones: the root at least.
        return TreeV->PrefijoDeCodigo(codigo);
    });
}

void Lib_FrmCons3Tree::ArmarTreeVFamilias() {
    pedido_.Sql = SentenciaFamilias();
    ArmaArbol("ArmarTreeVFamilias", [this](const QString&, const ado::Lectura& filas, qsizetype fila) {
        const QVariant relativo = filas.valores.size() > 2 ? filas.valores[2][fila] : QVariant();
        return TreeV->Indice(relativo.isNull() ? QString("A")
                                               : "A" + maker::gUtilidades().TextoCampo(relativo));
    });
}

void Lib_FrmCons3Tree::TreeV_NodeCheck(QTreeWidgetItem* Node) {
    const int nodo = TreeV->Indice(Node);
    if (nodo < 0) return;
    PropagaMarca(nodo, TreeV->Marcado(nodo), 1);
}

void Lib_FrmCons3Tree::PropagaMarca(int nodo, bool marcado, int generacion) {
    if (generacion > kGeneracionesMarcadas) return;
    for (int hijo = TreeV->PrimerHijo(nodo); hijo >= 0; hijo = TreeV->Siguiente(hijo)) {
        TreeV->setMarcado(hijo, marcado);
        PropagaMarca(hijo, marcado, generacion + 1);
    }
}
