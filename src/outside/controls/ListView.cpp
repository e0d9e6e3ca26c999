#include "outside/controls/ListView.h"

#include "outside/controls/SalidaConTab.h"
#include "outside/controls/Teclas.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

namespace vb {

class ListView::Modelo : public QAbstractTableModel {
  public:
    explicit Modelo(ListView* lista) : QAbstractTableModel(lista), l_(lista) {}

    int rowCount(const QModelIndex& padre) const override {
        return padre.isValid() || l_->cargando_ ? 0 : int(l_->filas_.size());
    }
    int columnCount(const QModelIndex& padre) const override {
        return padre.isValid() ? 0 : int(l_->titulos_.size());
    }
    QVariant data(const QModelIndex& i, int rol) const override {
        if (!i.isValid() || i.row() >= int(l_->filas_.size())) return {};
        const Fila& f = l_->filas_[size_t(i.row())];
        switch (rol) {
            case Qt::DisplayRole:
                return l_->celda(size_t(i.row()), i.column());
            case Qt::ForegroundRole:
                return f.color.isValid() ? QVariant(f.color) : QVariant();
            case Qt::FontRole:
                if (f.negrita) {
                    QFont letra = l_->font();
                    letra.setBold(true);
                    return letra;
                }
                return {};
            case Qt::CheckStateRole:
                if (l_->checkBoxes_ && i.column() == 0) return f.marcada ? Qt::Checked : Qt::Unchecked;
                return {};
            default:
                return {};
        }
    }
    bool setData(const QModelIndex& i, const QVariant& v, int rol) override {
        if (rol != Qt::CheckStateRole || !i.isValid() || !l_->checkBoxes_) return false;
        l_->filas_[size_t(i.row())].marcada = v.toInt() == Qt::Checked;
        Q_EMIT dataChanged(i, i, {Qt::CheckStateRole});
        return true;
    }
    Qt::ItemFlags flags(const QModelIndex& i) const override {
        if (!i.isValid()) return Qt::NoItemFlags;
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (l_->checkBoxes_ && i.column() == 0) f |= Qt::ItemIsUserCheckable;
        return f;
    }
    QVariant headerData(int seccion, Qt::Orientation o, int rol) const override {
        if (o == Qt::Horizontal && rol == Qt::DisplayRole && seccion < l_->titulos_.size())
            return l_->titulos_[seccion];
        return {};
    }
    void reiniciar() {
        beginResetModel();
        endResetModel();
        l_->reponerAnchos();
    }
    void filaAgregada(int fila) {
        beginInsertRows({}, fila, fila);
        endInsertRows();
    }
    void filaCambiada(int fila) {
        Q_EMIT dataChanged(index(fila, 0), index(fila, std::max(0, columnCount({}) - 1)));
    }

  private:
    ListView* l_;
};

ListView::ListView(QWidget* parent) : QTableView(parent), modelo_(new Modelo(this)) {
    setModel(modelo_);
    setShowGrid(false);
    setWordWrap(false);
    verticalHeader()->hide();
    // Every row as high as the font: the view needs no per-row sizes.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);  // no row text is edited in place
    SaleConTab(this);
    // The search boxes above the columns follow the columns pixel by pixel.
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    header()->setStretchLastSection(false);
    header()->setHighlightSections(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    header()->setSortIndicatorShown(false);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int s) { Q_EMIT ColumnClick(s + 1); });
    // The user's resizes are kept in twips; a model reset must not bring back default widths.
    connect(header(), &QHeaderView::sectionResized, this, [this](int s, int, int nuevo) {
        if (!reponiendo_ && s >= 0 && s < int(anchos_.size())) anchos_[size_t(s)] = TwipsDePixeles(nuevo);
    });
}

void ListView::reponerAnchos() {
    reponiendo_ = true;
    for (size_t i = 0; i < anchos_.size(); ++i) header()->resizeSection(int(i), PixelesDeTwips(anchos_[i]));
    reponiendo_ = false;
}

ListView::~ListView() = default;

void ListView::ColumnHeadersClear() {
    titulos_.clear();
    anchos_.clear();
    modelo_->reiniciar();
}

void ListView::ColumnHeadersAdd(const QString& texto, int anchoTwips) {
    titulos_.append(texto);
    anchos_.push_back(std::max(0, anchoTwips));
    modelo_->reiniciar();
}

void ListView::PonColumnas(const QStringList& textos, const std::vector<int>& anchosTwips) {
    titulos_ = textos;
    anchos_.assign(size_t(textos.size()), 0);
    for (size_t i = 0; i < anchos_.size() && i < anchosTwips.size(); ++i)
        anchos_[i] = std::max(0, anchosTwips[i]);
    modelo_->reiniciar();
}

int ListView::ColumnHeadersCount() const {
    return int(titulos_.size());
}

QString ListView::ColumnHeaderText(int i) const {
    return i >= 1 && i <= titulos_.size() ? titulos_[i - 1] : QString();
}

int ListView::ColumnHeaderWidth(int i) const {
    return i >= 1 && i <= int(anchos_.size()) ? anchos_[size_t(i - 1)] : 0;
}

void ListView::setColumnHeaderWidth(int i, int anchoTwips) {
    if (i < 1 || i > int(anchos_.size())) return;
    anchos_[size_t(i - 1)] = std::max(0, anchoTwips);
    reponerAnchos();
}

int ListView::ColumnHeaderLeft(int i) const {
    // Where the column is drawn: the header draws no column narrower than its minimum, and what
    // stands above a column (its search box) must line up with it.
    int izquierda = 0;
    for (int k = 1; k < i && k <= int(anchos_.size()); ++k) {
        const int dado = anchos_[size_t(k - 1)];
        const int pixeles = header()->sectionSize(k - 1);
        izquierda += pixeles > PixelesDeTwips(dado) ? TwipsDePixeles(pixeles) : dado;
    }
    return izquierda;
}

const QString& ListView::celda(size_t fila, qsizetype columna) const {
    static const QString vacia;
    return columna >= 0 && size_t(columna) < celdas_.size() ? celdas_[size_t(columna)][fila] : vacia;
}

void ListView::ListItemsClear() {
    filas_.clear();
    celdas_.clear();
    modelo_->reiniciar();
}

int ListView::ListItemsAdd(const QString& texto) {
    QString celda = texto;
    return ListItemsAdd(&celda, 1);
}

int ListView::ListItemsAdd(const QStringList& celdas) {
    QStringList copia = celdas;
    return ListItemsAdd(copia.data(), copia.size());
}

int ListView::ListItemsAdd(QString* celdas, qsizetype n) {
    const size_t fila = filas_.size();
    while (celdas_.size() < size_t(n)) {
        celdas_.emplace_back(fila);
        celdas_.back().reserve(std::max(fila, reserva_));
    }
    for (size_t c = 0; c < celdas_.size(); ++c) {
        if (c < size_t(n))
            celdas_[c].push_back(std::move(celdas[c]));
        else
            celdas_[c].emplace_back();
    }
    filas_.emplace_back();
    const int r = int(filas_.size());
    if (!cargando_) {
        modelo_->filaAgregada(r - 1);
        primeraFilaActual();
    }
    return r;
}

int ListView::ListItemsCount() const {
    return int(filas_.size());
}

QString ListView::ItemText(int r) const {
    return r >= 1 && r <= int(filas_.size()) ? celda(size_t(r - 1), 0) : QString();
}

QString ListView::SubItem(int r, int i) const {
    return r >= 1 && r <= int(filas_.size()) ? celda(size_t(r - 1), i) : QString();
}

void ListView::setSubItem(int r, int i, const QString& texto) {
    if (r < 1 || r > int(filas_.size()) || i < 1) return;
    while (celdas_.size() <= size_t(i)) celdas_.emplace_back(filas_.size());
    celdas_[size_t(i)][size_t(r - 1)] = texto;
    if (!cargando_) modelo_->filaCambiada(r - 1);
}

bool ListView::Checked(int r) const {
    return r >= 1 && r <= int(filas_.size()) && filas_[size_t(r - 1)].marcada;
}

void ListView::setChecked(int r, bool marcado) {
    if (r < 1 || r > int(filas_.size())) return;
    filas_[size_t(r - 1)].marcada = marcado;
    if (!cargando_) modelo_->filaCambiada(r - 1);
}

void ListView::setRowStyle(int r, const QColor& color, bool negrita) {
    if (r < 1 || r > int(filas_.size())) return;
    filas_[size_t(r - 1)].color = color;
    filas_[size_t(r - 1)].negrita = negrita;
    if (!cargando_) modelo_->filaCambiada(r - 1);
}

QColor ListView::RowColor(int r) const {
    return r >= 1 && r <= int(filas_.size()) ? filas_[size_t(r - 1)].color : QColor();
}

bool ListView::RowBold(int r) const {
    return r >= 1 && r <= int(filas_.size()) && filas_[size_t(r - 1)].negrita;
}

int ListView::SelectedItem() const {
    const QModelIndexList sel = selectionModel()->selectedRows();
    return sel.isEmpty() ? 0 : sel.first().row() + 1;
}

void ListView::setSelectedItem(int r) {
    if (r < 1 || r > int(filas_.size())) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex i = modelo_->index(r - 1, 0);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ListView::EnsureVisible(int r) {
    if (r >= 1 && r <= int(filas_.size()))
        scrollTo(modelo_->index(r - 1, 0), QAbstractItemView::EnsureVisible);
}

void ListView::EnsureColumnVisible(int c) {
    if (c < 1 || c > int(titulos_.size())) return;
    updateGeometries();  // columns rebuilt a moment ago: the scroll range must know them
    QScrollBar* barra = horizontalScrollBar();
    const int izquierda = header()->sectionPosition(c - 1);
    const int derecha = izquierda + header()->sectionSize(c - 1);
    const int visible = viewport()->width();
    if (derecha > barra->value() + visible) barra->setValue(std::min(izquierda, derecha - visible));
    if (izquierda < barra->value()) barra->setValue(izquierda);
}

void ListView::scrollTo(const QModelIndex& indice, ScrollHint hint) {
    const int columnas = horizontalScrollBar()->value();
    QTableView::scrollTo(indice, hint);
    horizontalScrollBar()->setValue(columnas);
}

QModelIndex ListView::moveCursor(CursorAction accion, Qt::KeyboardModifiers modificadores) {
    if (accion == MoveLeft || accion == MoveRight) {
        QScrollBar* barra = horizontalScrollBar();
        barra->setValue(barra->value() + (accion == MoveLeft ? -barra->singleStep() : barra->singleStep()));
        return currentIndex();
    }
    if (accion == MoveHome || accion == MoveEnd)
        return QTableView::moveCursor(accion, modificadores | Qt::ControlModifier);
    return QTableView::moveCursor(accion, modificadores);
}

void ListView::primeraFilaActual() {
    if (!filas_.empty() && !selectionModel()->hasSelection()) setSelectedItem(1);
}

void ListView::IniciarCarga(qsizetype previstas) {
    if (cargando_) return;
    cargando_ = true;
    reserva_ = filas_.size() + size_t(std::max<qsizetype>(0, previstas));
    filas_.reserve(reserva_);
    for (std::vector<QString>& columna : celdas_) columna.reserve(reserva_);
    modelo_->reiniciar();
}

void ListView::TerminarCarga() {
    if (!cargando_) return;
    cargando_ = false;
    if (sorted_) ordenar();
    modelo_->reiniciar();
    primeraFilaActual();
}

void ListView::setCheckBoxes(bool si) {
    if (checkBoxes_ == si) return;
    checkBoxes_ = si;
    modelo_->reiniciar();
}

void ListView::setSorted(bool si) {
    sorted_ = si;
    if (si) ordenar();
}

void ListView::setSortKey(int columna) {
    sortKey_ = std::max(0, columna);
    if (sorted_) ordenar();
}

void ListView::setSortOrder(int orden) {
    sortOrder_ = orden;
    if (sorted_) ordenar();
}

// Keeps the selected row selected; rows that compare equal keep their order.
void ListView::ordenar() {
    header()->setSortIndicatorShown(sorted_);
    header()->setSortIndicator(sortKey_, sortOrder_ == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
    if (cargando_ || filas_.size() < 2) return;
    const int sel = SelectedItem();
    std::vector<size_t> orden(filas_.size());
    for (size_t k = 0; k < orden.size(); ++k) orden[k] = k;
    const int c = sortKey_;
    const bool desc = sortOrder_ != 0;
    std::stable_sort(orden.begin(), orden.end(), [&](size_t a, size_t b) {
        const int cmp = celda(a, c).compare(celda(b, c), Qt::CaseInsensitive);
        return desc ? cmp > 0 : cmp < 0;
    });
    std::vector<Fila> nuevas;
    nuevas.reserve(filas_.size());
    int nuevaSel = 0;
    for (size_t k = 0; k < orden.size(); ++k) {
        if (int(orden[k]) + 1 == sel) nuevaSel = int(k) + 1;
        nuevas.push_back(filas_[orden[k]]);
    }
    filas_ = std::move(nuevas);
    for (std::vector<QString>& columna : celdas_) {
        std::vector<QString> nueva;
        nueva.reserve(columna.size());
        for (size_t k : orden) nueva.push_back(std::move(columna[k]));
        columna = std::move(nueva);
    }
    modelo_->reiniciar();
    if (nuevaSel > 0) setSelectedItem(nuevaSel);
}

void ListView::mouseDoubleClickEvent(QMouseEvent* e) {
    QTableView::mouseDoubleClickEvent(e);
    if (indexAt(e->position().toPoint()).isValid()) Q_EMIT DblClick();
}

}  // namespace vb
