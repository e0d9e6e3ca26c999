#pragma once
// The common-controls tree: nodes addressed by a unique key and by their creation index (from 1),
// added relative to another node as its child or its next sibling. The nodes live in the control;
// a node's item is made only when its parent's children are first shown (the parent expanded, or
// the node asked for), so a tree of tens of thousands of nodes loads at the cost of its rows.
#include <QString>
#include <QTreeWidget>
#include <vector>

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
    // Room for this many nodes.
    void Reserva(qsizetype nodos);
    // Removes the node and its descendants; an unknown key does nothing.
    void Remove(const QString& clave);

    // ---- a whole tree at once ----
    // Between these two, AgregaCodigo makes no item: those the view shows come at the end, at once.
    void IniciarCarga();
    void TerminarCarga();
    // The last child of node `padre` (an index from Indice or AgregaCodigo) for a code: key "A" and
    // the code, text the code, " - " and the description. Returns the new node's index, or -1 and
    // adds nothing when the key is already in the tree.
    int AgregaCodigo(int padre, const QString& codigo, QString descripcion);

    int Count() const { return vivos_; }
    // The key of node i, 1 to Count, in creation order.
    QString Key(int i) const;
    // The node's item, made when it was not yet; null when the key is unknown.
    QTreeWidgetItem* Nodo(const QString& clave);
    QString Clave(const QTreeWidgetItem* nodo) const;
    bool Existe(const QString& clave) const { return Indice(clave) >= 0; }
    // Selects the node and scrolls it into view; false when the key is unknown.
    bool Selecciona(const QString& clave);
    QString ClaveSeleccionada() const;

    // ---- nodes by index, item or not ----
    // The node's index, -1 when the key is unknown.
    int Indice(const QString& clave) const;
    int Indice(const QTreeWidgetItem* nodo) const;
    QString ClaveDe(int nodo) const;
    QString TextoDe(int nodo) const;
    // -1 for a top-level node.
    int PadreDe(int nodo) const { return nodos_[size_t(nodo)].padre; }
    // -1 when there is none.
    int PrimerHijo(int nodo) const { return nodos_[size_t(nodo)].primerHijo; }
    int Siguiente(int nodo) const { return nodos_[size_t(nodo)].siguiente; }
    // The nodes in creation order, as Key counts them.
    std::vector<int> Orden() const;
    // Node i (1 to Count) in creation order.
    int IndiceEn(int i) const;
    // Keys are also indexed ignoring case, from the next node on (set it on an empty tree).
    void setIndiceSinCaso(bool si) { sinCaso_ = si; }
    // The node whose key, ignoring case, is the longest beginning of "A" and the code (the first
    // made of equal ones); -1 for none.
    int PrefijoDeCodigo(const QString& codigo) const;
    // A coded node's code and description as AgregaCodigo took them; another node's text alone.
    QStringView CodigoDe(int nodo) const;
    QStringView DescripcionDe(int nodo) const;
    QTreeWidgetItem* Item(int nodo);

    // ---- check boxes ----
    // Every node shows one; a node keeps its mark whether or not its item is made.
    void setCasillas(bool si) { casillas_ = si; }
    bool Casillas() const { return casillas_; }
    bool Marcado(int nodo) const { return nodos_[size_t(nodo)].marcado; }
    // Raises no NodeCheck.
    void setMarcado(int nodo, bool marcado);

  Q_SIGNALS:
    void NodeClick(const QString& clave);
    void KeyPress(int& KeyAscii);
    // The user checked or unchecked the node's box.
    void NodeCheck(int nodo);

  protected:
    void keyPressEvent(QKeyEvent* e) override;

  private:
    struct Nodo_ {
        QString clave;  // a coded node's code
        QString texto;  // a coded node's description
        int padre = -1;
        int primerHijo = -1;
        int ultimoHijo = -1;
        int siguiente = -1;
        int anterior = -1;
        QTreeWidgetItem* item = nullptr;
        bool codificado = false;
        bool hijosHechos = false;  // every child has its item
        bool vivo = true;
        bool marcado = false;
    };
    // A new node, linked in among its siblings (after `previo`, -1: first), indexed by its key.
    int nuevo(Nodo_ n, int previo);
    QTreeWidgetItem* hazItem(int nodo);
    void hazHijos(int nodo);
    void asienta();
    void quita(int nodo);
    // The key index: open addressing over node indices, no copy of any key.
    bool claveEs(int nodo, QStringView a, QStringView b) const;
    // The node whose key is a followed by b, -1 for none.
    int busca(QStringView a, QStringView b) const;
    void indexa(int nodo);
    void indexaSinCaso(int nodo);
    void reindexa();
    std::vector<Nodo_> nodos_;
    std::vector<int> tabla_;  // -1: empty
    bool sinCaso_ = false;
    std::vector<int> tablaSinCaso_;  // the first node of each key ignoring case
    int primeraRaiz_ = -1;
    int ultimaRaiz_ = -1;
    int vivos_ = 0;
    bool cargando_ = false;
    // Parents whose children were all shown when new ones came during a load.
    std::vector<int> pendientes_;
    bool casillas_ = false;
};

}  // namespace vb
