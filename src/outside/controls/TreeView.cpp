#include "outside/controls/TreeView.h"

#include "outside/runtime/ErrorVB.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStringBuilder>
#include <QVarLengthArray>

namespace vb {

namespace {

constexpr int kRolNodo = Qt::UserRole + 1;
constexpr QStringView kPrefijo = u"A";

// FNV-1a over the UTF-16 units, so that a key's hash can be taken in pieces.
constexpr size_t kSemilla = 14695981039346656037ULL;
size_t Mezcla(size_t h, QStringView s) {
    for (QChar c : s) {
        h ^= c.unicode();
        h *= 1099511628211ULL;
    }
    return h;
}

// The same, each unit folded to its case-blind form: the hash of every beginning of a + b, the
// longest last.
char16_t Plegado(QChar c) {
    return char16_t(QChar::toCaseFolded(c.unicode()));
}
using Mezclas = QVarLengthArray<size_t, 32>;
void MezclasSinCaso(QStringView a, QStringView b, Mezclas& hashes) {
    hashes.clear();
    size_t h = kSemilla;
    for (QStringView s : {a, b})
        for (QChar c : s) {
            h ^= Plegado(c);
            h *= 1099511628211ULL;
            hashes.push_back(h);
        }
}

// Whether a + b and c + d are the same text.
bool Iguales(QStringView a, QStringView b, QStringView c, QStringView d, bool sinCaso = false) {
    if (a.size() + b.size() != c.size() + d.size()) return false;
    auto en = [](QStringView x, QStringView y, qsizetype k) { return k < x.size() ? x[k] : y[k - x.size()]; };
    for (qsizetype k = 0; k < a.size() + b.size(); ++k)
        if (sinCaso ? Plegado(en(a, b, k)) != Plegado(en(c, d, k)) : en(a, b, k) != en(c, d, k)) return false;
    return true;
}

}  // namespace

TreeView::TreeView(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* nodo, int) { Q_EMIT NodeClick(Clave(nodo)); });
    // A node's children get their items the first time it opens.
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        const int n = Indice(item);
        if (n < 0) return;
        asienta();
        hazHijos(n);
    });
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int) {
        const int n = Indice(item);
        if (!casillas_ || n < 0) return;
        const bool marcado = item->checkState(0) == Qt::Checked;
        if (nodos_[size_t(n)].marcado == marcado) return;  // a text change, or the program's own mark
        nodos_[size_t(n)].marcado = marcado;
        Q_EMIT NodeCheck(n);
    });
}

void TreeView::Clear() {
    clear();
    nodos_.clear();
    tabla_.clear();
    tablaSinCaso_.clear();
    pendientes_.clear();
    primeraRaiz_ = ultimaRaiz_ = -1;
    vivos_ = 0;
}

void TreeView::Reserva(qsizetype nodos) {
    nodos_.reserve(size_t(nodos));
    if (tabla_.size() < size_t(2 * nodos)) {
        size_t n = 16;
        while (n < size_t(2 * nodos)) n *= 2;
        tabla_.assign(n, -1);
        reindexa();
    }
}

// ---- the key index ----

bool TreeView::claveEs(int nodo, QStringView a, QStringView b) const {
    const Nodo_& n = nodos_[size_t(nodo)];
    return Iguales(n.codificado ? kPrefijo : QStringView(), n.clave, a, b);
}

int TreeView::busca(QStringView a, QStringView b) const {
    if (tabla_.empty()) return -1;
    const size_t mascara = tabla_.size() - 1;
    for (size_t i = Mezcla(Mezcla(kSemilla, a), b) & mascara; tabla_[i] >= 0; i = (i + 1) & mascara)
        if (claveEs(tabla_[i], a, b)) return tabla_[i];
    return -1;
}

void TreeView::indexa(int nodo) {
    if (tabla_.size() < size_t(2 * vivos_ + 2)) {
        tabla_.assign(std::max<size_t>(16, 4 * tabla_.size()), -1);
        reindexa();
        return;
    }
    const Nodo_& n = nodos_[size_t(nodo)];
    const size_t mascara = tabla_.size() - 1;
    size_t i = Mezcla(Mezcla(kSemilla, n.codificado ? kPrefijo : QStringView()), n.clave) & mascara;
    while (tabla_[i] >= 0) i = (i + 1) & mascara;
    tabla_[i] = nodo;
    indexaSinCaso(nodo);
}

void TreeView::indexaSinCaso(int nodo) {
    if (!sinCaso_) return;
    if (tablaSinCaso_.size() < tabla_.size()) {
        tablaSinCaso_.assign(tabla_.size(), -1);
        for (int k = 0; k < nodo; ++k)
            if (nodos_[size_t(k)].vivo) indexaSinCaso(k);
    }
    const Nodo_& n = nodos_[size_t(nodo)];
    const QStringView prefijo = n.codificado ? kPrefijo : QStringView();
    Mezclas hashes;
    MezclasSinCaso(prefijo, n.clave, hashes);
    const size_t mascara = tablaSinCaso_.size() - 1;
    size_t i = (hashes.empty() ? kSemilla : hashes.back()) & mascara;
    for (; tablaSinCaso_[i] >= 0; i = (i + 1) & mascara) {
        const Nodo_& otro = nodos_[size_t(tablaSinCaso_[i])];
        if (Iguales(otro.codificado ? kPrefijo : QStringView(), otro.clave, prefijo, n.clave, true)) return;
    }
    tablaSinCaso_[i] = nodo;
}

int TreeView::PrefijoDeCodigo(const QString& codigo) const {
    if (tablaSinCaso_.empty()) return -1;
    Mezclas hashes;
    MezclasSinCaso(kPrefijo, codigo, hashes);
    const size_t mascara = tablaSinCaso_.size() - 1;
    for (qsizetype largo = qsizetype(hashes.size()); largo >= 1; --largo) {
        const QStringView a = kPrefijo.left(largo);
        const QStringView b = QStringView(codigo).left(std::max<qsizetype>(0, largo - kPrefijo.size()));
        for (size_t i = hashes[size_t(largo - 1)] & mascara; tablaSinCaso_[i] >= 0; i = (i + 1) & mascara) {
            const Nodo_& n = nodos_[size_t(tablaSinCaso_[i])];
            if (Iguales(n.codificado ? kPrefijo : QStringView(), n.clave, a, b, true))
                return tablaSinCaso_[i];
        }
    }
    return -1;
}

void TreeView::reindexa() {
    std::fill(tabla_.begin(), tabla_.end(), -1);
    tablaSinCaso_.clear();
    for (size_t k = 0; k < nodos_.size(); ++k)
        if (nodos_[k].vivo) indexa(int(k));
}

int TreeView::Indice(const QString& clave) const {
    return busca(clave, {});
}

int TreeView::Indice(const QTreeWidgetItem* nodo) const {
    if (!nodo) return -1;
    bool ok = false;
    const int n = nodo->data(0, kRolNodo).toInt(&ok);
    return ok && n >= 0 && size_t(n) < nodos_.size() && nodos_[size_t(n)].item == nodo ? n : -1;
}

// ---- nodes ----

int TreeView::nuevo(Nodo_ n, int previo) {
    const int i = int(nodos_.size());
    int& primero = n.padre >= 0 ? nodos_[size_t(n.padre)].primerHijo : primeraRaiz_;
    int& ultimo = n.padre >= 0 ? nodos_[size_t(n.padre)].ultimoHijo : ultimaRaiz_;
    n.anterior = previo;
    n.siguiente = previo >= 0 ? nodos_[size_t(previo)].siguiente : primero;
    if (n.siguiente >= 0)
        nodos_[size_t(n.siguiente)].anterior = i;
    else
        ultimo = i;
    if (previo >= 0)
        nodos_[size_t(previo)].siguiente = i;
    else
        primero = i;
    nodos_.push_back(std::move(n));
    ++vivos_;
    indexa(i);
    return i;
}

QTreeWidgetItem* TreeView::hazItem(int nodo) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, TextoDe(nodo));
    item->setData(0, kRolNodo, nodo);
    Nodo_& n = nodos_[size_t(nodo)];
    if (casillas_) item->setCheckState(0, n.marcado ? Qt::Checked : Qt::Unchecked);
    if (n.primerHijo >= 0) item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    n.item = item;
    return item;
}

void TreeView::hazHijos(int nodo) {
    Nodo_& n = nodos_[size_t(nodo)];
    if (n.hijosHechos || !n.item) return;
    n.hijosHechos = true;
    QList<QTreeWidgetItem*> items;
    for (int h = n.primerHijo; h >= 0; h = nodos_[size_t(h)].siguiente) items << hazItem(h);
    QTreeWidgetItem* item = nodos_[size_t(nodo)].item;
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    item->addChildren(items);
}

void TreeView::asienta() {
    for (int p : pendientes_) {
        QList<QTreeWidgetItem*> items;
        for (int h = nodos_[size_t(p)].primerHijo; h >= 0; h = nodos_[size_t(h)].siguiente)
            if (!nodos_[size_t(h)].item) items << hazItem(h);
        nodos_[size_t(p)].item->addChildren(items);
    }
    pendientes_.clear();
}

QTreeWidgetItem* TreeView::Item(int nodo) {
    asienta();
    Nodo_& n = nodos_[size_t(nodo)];
    if (!n.item) {
        Item(n.padre);
        hazHijos(n.padre);
    }
    return nodos_[size_t(nodo)].item;
}

void TreeView::IniciarCarga() {
    cargando_ = true;
}

void TreeView::TerminarCarga() {
    cargando_ = false;
    asienta();
}

int TreeView::AgregaCodigo(int padre, const QString& codigo, QString descripcion) {
    if (busca(kPrefijo, codigo) >= 0) return -1;
    Nodo_ n;
    n.clave = codigo;
    n.texto = std::move(descripcion);
    n.codificado = true;
    n.padre = padre;
    const int i = nuevo(std::move(n), nodos_[size_t(padre)].ultimoHijo);
    Nodo_& p = nodos_[size_t(padre)];
    if (p.item && p.hijosHechos) {
        if (cargando_) {
            if (pendientes_.empty() || pendientes_.back() != padre) pendientes_.push_back(padre);
        } else {
            p.item->addChild(hazItem(i));
        }
    } else if (p.item) {
        p.item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
    return i;
}

QTreeWidgetItem* TreeView::Add(const QString& relativa, int relacion, const QString& clave,
                               const QString& texto) {
    asienta();
    if (Existe(clave)) Raise(kClaveRepetida, "La clave no es única en la colección");
    int rel = -1;
    if (!relativa.isEmpty()) {
        rel = Indice(relativa);
        if (rel < 0) Raise(kElementoNoEncontrado, "Elemento no encontrado");
    }
    Nodo_ n;
    n.clave = clave;
    n.texto = texto;
    if (rel < 0) {
        QTreeWidgetItem* item = hazItem(nuevo(std::move(n), ultimaRaiz_));
        addTopLevelItem(item);
        return item;
    }
    if (relacion == tvwChild) {
        QTreeWidgetItem* padre = Item(rel);
        hazHijos(rel);
        n.padre = rel;
        QTreeWidgetItem* item = hazItem(nuevo(std::move(n), nodos_[size_t(rel)].ultimoHijo));
        padre->addChild(item);
        return item;
    }
    QTreeWidgetItem* r = Item(rel);
    n.padre = nodos_[size_t(rel)].padre;
    int previo = rel;
    if (relacion == tvwPrevious) previo = nodos_[size_t(rel)].anterior;
    if (relacion == tvwFirst) previo = -1;
    if (relacion == tvwLast) previo = n.padre >= 0 ? nodos_[size_t(n.padre)].ultimoHijo : ultimaRaiz_;
    QTreeWidgetItem* item = hazItem(nuevo(std::move(n), previo));
    QTreeWidgetItem* padre = r->parent();
    const int pos = padre ? padre->indexOfChild(r) : indexOfTopLevelItem(r);
    int destino = pos + 1;
    if (relacion == tvwPrevious) destino = pos;
    if (relacion == tvwFirst) destino = 0;
    if (relacion == tvwLast) destino = padre ? padre->childCount() : topLevelItemCount();
    if (padre)
        padre->insertChild(destino, item);
    else
        insertTopLevelItem(destino, item);
    return item;
}

void TreeView::quita(int nodo) {
    Nodo_& n = nodos_[size_t(nodo)];
    n.vivo = false;
    n.item = nullptr;
    --vivos_;
    for (int h = n.primerHijo; h >= 0; h = nodos_[size_t(h)].siguiente) quita(h);
}

void TreeView::Remove(const QString& clave) {
    const int i = Indice(clave);
    if (i < 0) return;
    asienta();
    // The node chosen goes with no other chosen in its place: the tree shows no account the user
    // did not pick.
    for (int k = Indice(currentItem()); k >= 0; k = nodos_[size_t(k)].padre)
        if (k == i) {
            setCurrentItem(nullptr);
            clearSelection();
            break;
        }
    Nodo_& n = nodos_[size_t(i)];
    int& primero = n.padre >= 0 ? nodos_[size_t(n.padre)].primerHijo : primeraRaiz_;
    int& ultimo = n.padre >= 0 ? nodos_[size_t(n.padre)].ultimoHijo : ultimaRaiz_;
    (n.anterior >= 0 ? nodos_[size_t(n.anterior)].siguiente : primero) = n.siguiente;
    (n.siguiente >= 0 ? nodos_[size_t(n.siguiente)].anterior : ultimo) = n.anterior;
    delete n.item;  // and the items of its descendants
    quita(i);
    reindexa();
}

std::vector<int> TreeView::Orden() const {
    std::vector<int> orden;
    orden.reserve(size_t(vivos_));
    for (size_t k = 0; k < nodos_.size(); ++k)
        if (nodos_[k].vivo) orden.push_back(int(k));
    return orden;
}

int TreeView::IndiceEn(int i) const {
    if (i < 1 || i > vivos_) Raise(kElementoNoEncontrado, "Elemento no encontrado");
    return size_t(vivos_) == nodos_.size() ? i - 1 : Orden()[size_t(i - 1)];
}

QString TreeView::Key(int i) const {
    return ClaveDe(IndiceEn(i));
}

QStringView TreeView::CodigoDe(int nodo) const {
    const Nodo_& n = nodos_[size_t(nodo)];
    return n.codificado ? QStringView(n.clave) : QStringView();
}

QStringView TreeView::DescripcionDe(int nodo) const {
    return nodos_[size_t(nodo)].texto;
}

QString TreeView::ClaveDe(int nodo) const {
    const Nodo_& n = nodos_[size_t(nodo)];
    return n.codificado ? kPrefijo % n.clave : n.clave;
}

QString TreeView::TextoDe(int nodo) const {
    const Nodo_& n = nodos_[size_t(nodo)];
    return n.codificado ? n.clave % QLatin1String(" - ") % n.texto : n.texto;
}

QTreeWidgetItem* TreeView::Nodo(const QString& clave) {
    const int i = Indice(clave);
    return i < 0 ? nullptr : Item(i);
}

QString TreeView::Clave(const QTreeWidgetItem* nodo) const {
    const int i = Indice(nodo);
    return i < 0 ? QString() : ClaveDe(i);
}

void TreeView::setMarcado(int nodo, bool marcado) {
    nodos_[size_t(nodo)].marcado = marcado;
    if (QTreeWidgetItem* item = nodos_[size_t(nodo)].item)
        item->setCheckState(0, marcado ? Qt::Checked : Qt::Unchecked);
}

bool TreeView::Selecciona(const QString& clave) {
    QTreeWidgetItem* nodo = Nodo(clave);
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
