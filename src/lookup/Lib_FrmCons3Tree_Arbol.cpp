// Building the tree: the general builder (parent = the longest code already in the tree that
// begins the row's code), the families builder (parent computed by the database), the nodes and
// the check propagation.
#include "lookup/Lib_FrmCons3Tree.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "outside/ado/Recordset.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/ErrorVB.h"
#include "outside/runtime/ManejadorErrores.h"
#include "services/CNStuffContable.h"

#include <QTreeWidget>

namespace {

constexpr int kRolClave = Qt::UserRole;
constexpr int kRolMarca = Qt::UserRole + 1;
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
    return nodo ? nodo->data(0, kRolClave).toString() : QString();
}

QString Lib_FrmCons3Tree::ClavePadre(const QHash<QString, QTreeWidgetItem*>& sinCaso, const QString& clave) {
    // Keys are unique, so the longest prefix found in the index is the node the full scan of
    // every node would pick; this costs the key's length instead of the tree's size.
    const QString plegada = clave.toCaseFolded();
    for (qsizetype n = plegada.size(); n >= 1; --n) {
        auto it = sinCaso.constFind(plegada.left(n));
        if (it != sinCaso.constEnd()) return Clave(it.value());
    }
    return "A";
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
    TreeV->clear();
    nodos_.clear();
    claves_.clear();
    clavesSinCaso_.clear();
}

void Lib_FrmCons3Tree::MuestraCasillas(QTreeWidgetItem* nodo) {
    if (!pedido_.CheckBoxes) return;
    nodo->setFlags(nodo->flags() | Qt::ItemIsUserCheckable);
    nodo->setCheckState(0, Qt::Unchecked);
    nodo->setData(0, kRolMarca, false);
}

QTreeWidgetItem* Lib_FrmCons3Tree::AgregaNodo(const QString& clavePadre, const QString& clave,
                                              const QString& texto) {
    if (claves_.contains(clave)) vb::Raise(35602, "La clave no es única en la colección");
    QTreeWidgetItem* padre = nullptr;
    if (!clavePadre.isNull()) {
        padre = claves_.value(clavePadre);
        if (!padre) vb::Raise(35601, "No se encontró el elemento");
    }
    auto* nodo = padre ? new QTreeWidgetItem(padre, {texto}) : new QTreeWidgetItem(TreeV, {texto});
    nodo->setData(0, kRolClave, clave);
    MuestraCasillas(nodo);
    nodos_.append(nodo);
    claves_.insert(clave, nodo);
    clavesSinCaso_.insert(clave.toCaseFolded(), nodo);  // a later equal key never replaces the first
    return nodo;
}

void Lib_FrmCons3Tree::ArmaArbol(
    const QString& rutina,
    const std::function<QString(const QString& clave, const QList<QVariant>& fila)>& padre) {
    vb::ManejadorErrores h(rutina, Reporta);
    propagando_ = true;  // nodes added here raise no check event
    struct Fin {
        bool& f;
        ~Fin() { f = false; }
    } fin{propagando_};

    if (!h.paso([&] {
            QuitaNodos();
            QTreeWidgetItem* raiz = AgregaNodo(QString(), "A", "Consulta...");
            raiz->setExpanded(true);
        }))
        return;
    ado::RecordsetPtr rs = ado::Recordset::Crear();
    DB_Dll& db = CNStuffContable::gBaseDatos();
    if (!h.paso([&] { db.AbrirRecordset(pedido_.Sql, rs, db.gCnn, 0, 1, -1, true); })) return;
    // A refused statement was told by the database object; the tree keeps not even its root,
    // so that the lookup knows there is nothing to choose from.
    if (rs->State() != ado::adStateOpen) {
        QuitaNodos();
        return;
    }
    bool vacio = false;
    if (!h.paso([&] { vacio = rs->Bof() && rs->Eof(); })) return;
    if (vacio) return;
    QList<QList<QVariant>> filas;
    if (!h.paso([&] {
            rs->MoveFirst();
            rs->MoveLast();
            rs->MoveFirst();
            filas = rs->GetRows(rs->RecordCount());
        }))
        return;
    rs.reset();
    const int columnas = int(filas.size());
    const qsizetype cantidad = columnas > 0 ? filas[0].size() : 0;
    QList<QVariant> fila;
    for (qsizetype r = 0; r < cantidad; ++r) {
        fila.clear();
        for (int c = 0; c < columnas; ++c) fila.append(filas[c][r]);
        const bool sigue = h.paso([&] {
            if (columnas < 2) vb::Raise(9);
            const QString codigo = TextoObligatorio(fila[0]);
            const QString clave = "A" + codigo;
            const QString texto = codigo + " - " + maker::gUtilidades().TextoCampo(fila[1]);
            AgregaNodo(padre(clave, fila), clave, texto);
        });
        if (!sigue) return;
    }
}

void Lib_FrmCons3Tree::ArmarTreeVAutomatico(const QVariant&) {
    ArmaArbol("ArmarTreeVAutomatico", [this](const QString& clave, const QList<QVariant>&) {
        return ClavePadre(clavesSinCaso_, clave);
    });
}

void Lib_FrmCons3Tree::ArmarTreeVFamilias() {
    pedido_.Sql = SentenciaFamilias();
    ArmaArbol("ArmarTreeVFamilias", [](const QString&, const QList<QVariant>& fila) {
        const QVariant relativo = fila.value(2);
        return relativo.isNull() ? QString("A") : "A" + maker::gUtilidades().TextoCampo(relativo);
    });
}

void Lib_FrmCons3Tree::TreeV_NodeCheck(QTreeWidgetItem* Node) {
    if (!Node) return;
    propagando_ = true;
    PropagaMarca(Node, Node->checkState(0), 1);
    propagando_ = false;
}

void Lib_FrmCons3Tree::PropagaMarca(QTreeWidgetItem* nodo, Qt::CheckState estado, int generacion) {
    if (generacion > kGeneracionesMarcadas) return;
    for (int i = 0; i < nodo->childCount(); ++i) {
        QTreeWidgetItem* hijo = nodo->child(i);
        hijo->setCheckState(0, estado);
        hijo->setData(0, kRolMarca, estado == Qt::Checked);
        PropagaMarca(hijo, estado, generacion + 1);
    }
}
