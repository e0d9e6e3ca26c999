#pragma once
// The common-controls tree: nodes addressed by a unique key and by their creation index (from 1),
// added relative to another node as its child or its next sibling.
#include <QHash>
#include <QString>
#include <QStringList>
#include <QTreeWidget>

namespace vb {

class TreeView : public QTreeWidget {
    Q_OBJECT
  public:
    // Relationships of Add.
    static constexpr int tvwFirst = 0;
    static constexpr int tvwLast = 1;
    static constexpr int tvwNext = 2;
    static constexpr int tvwPrevious = 3;
    static constexpr int tvwChild = 4;
    // Errors Add raises.
    static constexpr int kElementoNoEncontrado = 35601;
    static constexpr int kClaveRepetida = 35602;

    explicit TreeView(QWidget* parent = nullptr);

    void Clear();
    // An empty relative adds a top-level node. A key already in the tree raises 35602, a relative
    // that is not in it 35601.
    QTreeWidgetItem* Add(const QString& relativa, int relacion, const QString& clave, const QString& texto);
    // Appends a child to a node of this tree, which may be out of the view while a whole tree is
    // built; a key already in the tree raises 35602.
    QTreeWidgetItem* AgregaHijo(QTreeWidgetItem* padre, const QString& clave, const QString& texto);
    // Room for this many nodes.
    void Reserva(qsizetype nodos);
    // Removes the node and its descendants; an unknown key does nothing.
    void Remove(const QString& clave);

    int Count() const { return int(claves_.size()); }
    // The key of node i, 1 to Count, in creation order.
    QString Key(int i) const;
    QTreeWidgetItem* Nodo(const QString& clave) const;
    QString Clave(const QTreeWidgetItem* nodo) const;
    bool Existe(const QString& clave) const { return nodos_.contains(clave); }
    // Selects the node and scrolls it into view; false when the key is unknown.
    bool Selecciona(const QString& clave);
    QString ClaveSeleccionada() const;

  Q_SIGNALS:
    void NodeClick(const QString& clave);
    void KeyPress(int& KeyAscii);

  protected:
    void keyPressEvent(QKeyEvent* e) override;

  private:
    QStringList claves_;
    QHash<QString, QTreeWidgetItem*> nodos_;
};

}  // namespace vb
