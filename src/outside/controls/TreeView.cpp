#include "outside/controls/TreeView.h"

#include "outside/runtime/ErrorVB.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace vb {

namespace {
constexpr int kRolClave = Qt::UserRole + 1;
}

TreeView::TreeView(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* nodo, int) { Q_EMIT NodeClick(Clave(nodo)); });
}

void TreeView::Clear() {
    clear();
    claves_.clear();
    nodos_.clear();
}

QTreeWidgetItem* TreeView::Add(const QString& relativa, int relacion, const QString& clave,
                               const QString& texto) {
    if (nodos_.contains(clave)) Raise(kClaveRepetida, "La clave no es única en la colección");
    QTreeWidgetItem* rel = nullptr;
    if (!relativa.isEmpty()) {
        rel = nodos_.value(relativa);
        if (!rel) Raise(kElementoNoEncontrado, "Elemento no encontrado");
    }
    auto* nodo = new QTreeWidgetItem;
    nodo->setText(0, texto);
    nodo->setData(0, kRolClave, clave);
    if (!rel) {
        addTopLevelItem(nodo);
    } else if (relacion == tvwChild) {
        rel->addChild(nodo);
    } else {
        QTreeWidgetItem* padre = rel->parent();
        const int pos = padre ? padre->indexOfChild(rel) : indexOfTopLevelItem(rel);
        int destino = pos + 1;
        if (relacion == tvwPrevious) destino = pos;
        if (relacion == tvwFirst) destino = 0;
        if (relacion == tvwLast) destino = padre ? padre->childCount() : topLevelItemCount();
        if (padre)
            padre->insertChild(destino, nodo);
        else
            insertTopLevelItem(destino, nodo);
    }
    claves_ << clave;
    nodos_.insert(clave, nodo);
    return nodo;
}

QTreeWidgetItem* TreeView::AgregaHijo(QTreeWidgetItem* padre, const QString& clave, const QString& texto) {
    if (nodos_.contains(clave)) Raise(kClaveRepetida, "La clave no es única en la colección");
    auto* nodo = new QTreeWidgetItem;
    nodo->setText(0, texto);
    nodo->setData(0, kRolClave, clave);
    padre->addChild(nodo);
    claves_ << clave;
    nodos_.insert(clave, nodo);
    return nodo;
}

void TreeView::Reserva(qsizetype nodos) {
    claves_.reserve(nodos);
    nodos_.reserve(nodos);
}

void TreeView::Remove(const QString& clave) {
    QTreeWidgetItem* nodo = nodos_.value(clave);
    if (!nodo) return;
    // The node chosen goes with no other chosen in its place: the tree shows no account the user
    // did not pick.
    for (QTreeWidgetItem* n = currentItem(); n; n = n->parent())
        if (n == nodo) {
            setCurrentItem(nullptr);
            clearSelection();
            break;
        }
    QList<QTreeWidgetItem*> pendientes{nodo};
    while (!pendientes.isEmpty()) {
        QTreeWidgetItem* n = pendientes.takeLast();
        const QString c = Clave(n);
        nodos_.remove(c);
        claves_.removeOne(c);
        for (int i = 0; i < n->childCount(); ++i) pendientes << n->child(i);
    }
    delete nodo;
}

QString TreeView::Key(int i) const {
    if (i < 1 || i > claves_.size()) Raise(kElementoNoEncontrado, "Elemento no encontrado");
    return claves_.at(i - 1);
}

QTreeWidgetItem* TreeView::Nodo(const QString& clave) const {
    return nodos_.value(clave);
}

QString TreeView::Clave(const QTreeWidgetItem* nodo) const {
    return nodo ? nodo->data(0, kRolClave).toString() : QString();
}

bool TreeView::Selecciona(const QString& clave) {
    QTreeWidgetItem* nodo = nodos_.value(clave);
    if (!nodo) return false;
    setCurrentItem(nodo);
    nodo->setSelected(true);
    scrollToItem(nodo);
    return true;
}

QString TreeView::ClaveSeleccionada() const {
    return Clave(currentItem());
}

void TreeView::keyPressEvent(QKeyEvent* e) {
    const QString t = e->text();
    if (!t.isEmpty() && t.at(0).isPrint()) {
        int ascii = t.at(0).unicode();
        Q_EMIT KeyPress(ascii);
        if (ascii == 0) return;
    }
    QTreeWidget::keyPressEvent(e);
}

}  // namespace vb
