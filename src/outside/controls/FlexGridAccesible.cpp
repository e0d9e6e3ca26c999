#include "outside/controls/FlexGridAccesible.h"

#include "outside/controls/FlexGrid.h"

#include <QWidget>
#include <QWindow>

namespace vb {

namespace {

QAccessibleInterface* Fabrica(const QString& clase, QObject* objeto) {
    if (clase != QLatin1String("vb::FlexGrid")) return nullptr;
    auto* grilla = qobject_cast<FlexGrid*>(objeto);
    return grilla ? new FlexGridAccesible(grilla) : nullptr;
}

// The texts of a column's fixed rows, or of a row's fixed columns, joined by a blank.
QString TextosFijos(const FlexGrid* g, int fila, int columna, bool deColumna) {
    QStringList partes;
    const int fijas = deColumna ? g->FixedRows() : g->FixedCols();
    for (int i = 0; i < fijas; ++i) {
        const QString t = (deColumna ? g->TextMatrix(i, columna) : g->TextMatrix(fila, i)).trimmed();
        if (!t.isEmpty()) partes << t;
    }
    return partes.join(' ');
}

std::function<void(QAccessibleEvent*)>& Destino() {
    static std::function<void(QAccessibleEvent*)> destino;
    return destino;
}

bool Escuchan() {
    return Destino() || QAccessible::isActive();
}

void Anuncia(QAccessibleEvent* evento) {
    if (Destino())
        Destino()(evento);
    else
        QAccessible::updateAccessibility(evento);
}

}  // namespace

void setAnunciosGrilla(std::function<void(QAccessibleEvent*)> destino) {
    Destino() = std::move(destino);
}

void InstalaAccesibilidadGrilla() {
    static const bool instalada = [] {
        QAccessible::installFactory(&Fabrica);
        return true;
    }();
    Q_UNUSED(instalada);
}

void AnunciaCeldaActual(FlexGrid* g) {
    if (!Escuchan() || g->Rows() == 0 || g->Cols() == 0) return;
    const int hijo = g->Row() * g->Cols() + g->Col();
    if (g->hasFocus()) {
        QAccessibleEvent foco(g, QAccessible::Focus);
        foco.setChild(hijo);
        Anuncia(&foco);
    }
    QAccessibleEvent seleccion(g, QAccessible::Selection);
    seleccion.setChild(hijo);
    Anuncia(&seleccion);
}

void AnunciaCambioDeTabla(FlexGrid* g) {
    if (!Escuchan()) return;
    QAccessibleTableModelChangeEvent cambio(g, QAccessibleTableModelChangeEvent::ModelReset);
    Anuncia(&cambio);
}

void AnunciaCambioDeCelda(FlexGrid* g, int fila, int columna) {
    if (!Escuchan()) return;
    QAccessibleTableModelChangeEvent cambio(g, QAccessibleTableModelChangeEvent::DataChanged);
    cambio.setFirstRow(fila);
    cambio.setLastRow(fila);
    cambio.setFirstColumn(columna);
    cambio.setLastColumn(columna);
    Anuncia(&cambio);
}

FlexGridAccesible::FlexGridAccesible(FlexGrid* grilla) : QAccessibleWidget(grilla, QAccessible::Table) {}

FlexGridAccesible::~FlexGridAccesible() {
    for (const QAccessible::Id id : std::as_const(celdas_)) QAccessible::deleteAccessibleInterface(id);
}

FlexGrid* FlexGridAccesible::grilla() const {
    return static_cast<FlexGrid*>(widget());
}

void* FlexGridAccesible::interface_cast(QAccessible::InterfaceType tipo) {
    if (tipo == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(tipo);
}

int FlexGridAccesible::childCount() const {
    return grilla()->Rows() * grilla()->Cols();
}

QAccessibleInterface* FlexGridAccesible::child(int indice) const {
    const int columnas = grilla()->Cols();
    if (indice < 0 || columnas == 0 || indice >= childCount()) return nullptr;
    return cellAt(indice / columnas, indice % columnas);
}

int FlexGridAccesible::indexOfChild(const QAccessibleInterface* hijo) const {
    if (!hijo || hijo->parent() != this || !hijo->isValid()) return -1;
    auto* celda = const_cast<QAccessibleInterface*>(hijo)->tableCellInterface();
    if (!celda) return -1;
    return celda->rowIndex() * grilla()->Cols() + celda->columnIndex();
}

QAccessibleInterface* FlexGridAccesible::childAt(int x, int y) const {
    const FlexGrid* g = grilla();
    int r, c;
    if (!g->celdaEn(g->viewport()->mapFromGlobal(QPoint(x, y)), &r, &c)) return nullptr;
    return cellAt(r, c);
}

QAccessibleInterface* FlexGridAccesible::focusChild() const {
    const FlexGrid* g = grilla();
    return g->hasFocus() ? cellAt(g->Row(), g->Col()) : nullptr;
}

QAccessibleInterface* FlexGridAccesible::cellAt(int fila, int columna) const {
    const FlexGrid* g = grilla();
    if (fila < 0 || columna < 0 || fila >= g->Rows() || columna >= g->Cols()) return nullptr;
    const QPair<int, int> lugar(fila, columna);
    const auto it = celdas_.constFind(lugar);
    if (it != celdas_.constEnd()) return QAccessible::accessibleInterface(*it);
    auto* celda = new CeldaGrillaAccesible(grilla(), fila, columna);
    celdas_.insert(lugar, QAccessible::registerAccessibleInterface(celda));
    return celda;
}

int FlexGridAccesible::selectedCellCount() const {
    return selectedCells().size();
}

QList<QAccessibleInterface*> FlexGridAccesible::selectedCells() const {
    const FlexGrid* g = grilla();
    QAccessibleInterface* actual = cellAt(g->Row(), g->Col());
    return actual ? QList<QAccessibleInterface*>{actual} : QList<QAccessibleInterface*>{};
}

QString FlexGridAccesible::columnDescription(int columna) const {
    return TextosFijos(grilla(), 0, columna, true);
}

QString FlexGridAccesible::rowDescription(int fila) const {
    return TextosFijos(grilla(), fila, 0, false);
}

int FlexGridAccesible::columnCount() const {
    return grilla()->Cols();
}

int FlexGridAccesible::rowCount() const {
    return grilla()->Rows();
}

CeldaGrillaAccesible::CeldaGrillaAccesible(FlexGrid* grilla, int fila, int columna)
    : grilla_(grilla), fila_(fila), columna_(columna) {}

bool CeldaGrillaAccesible::isValid() const {
    return grilla_ && fila_ < grilla_->Rows() && columna_ < grilla_->Cols();
}

QWindow* CeldaGrillaAccesible::window() const {
    return grilla_ ? grilla_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* CeldaGrillaAccesible::parent() const {
    return grilla_ ? QAccessible::queryAccessibleInterface(grilla_.data()) : nullptr;
}

QString CeldaGrillaAccesible::text(QAccessible::Text t) const {
    if (!isValid() || (t != QAccessible::Name && t != QAccessible::Value)) return {};
    return grilla_->TextMatrix(fila_, columna_);
}

QRect CeldaGrillaAccesible::rect() const {
    if (!isValid()) return {};
    const int x = grilla_->xColumna(columna_), y = grilla_->yFila(fila_);
    if (x < 0 || y < 0) return {};
    const QRect celda(x, y, grilla_->PixelesColumna(columna_), grilla_->PixelesFila(fila_));
    return QRect(grilla_->viewport()->mapToGlobal(celda.topLeft()), celda.size());
}

QAccessible::Role CeldaGrillaAccesible::role() const {
    if (isValid() && fila_ < grilla_->FixedRows()) return QAccessible::ColumnHeader;
    if (isValid() && columna_ < grilla_->FixedCols()) return QAccessible::RowHeader;
    return QAccessible::Cell;
}

QAccessible::State CeldaGrillaAccesible::state() const {
    QAccessible::State estado;
    if (!isValid()) {
        estado.invalid = true;
        return estado;
    }
    estado.readOnly = true;
    if (!grilla_->isRowVisible(fila_) || rect().isEmpty()) estado.invisible = true;
    if (role() == QAccessible::Cell) {
        estado.selectable = true;
        estado.focusable = true;
    }
    if (isSelected()) {
        estado.selected = true;
        estado.focused = grilla_->hasFocus();
    }
    return estado;
}

void* CeldaGrillaAccesible::interface_cast(QAccessible::InterfaceType tipo) {
    return tipo == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this)
                                                   : nullptr;
}

bool CeldaGrillaAccesible::isSelected() const {
    return isValid() && grilla_->Row() == fila_ && grilla_->Col() == columna_;
}

// A column's heads are its fixed cells, for every cell of the column, the heads too: a screen
// reader asks the first row's cells for the heads of their columns (and the first column's for
// the heads of their rows), and those are the heads themselves.
QList<QAccessibleInterface*> CeldaGrillaAccesible::columnHeaderCells() const {
    QList<QAccessibleInterface*> l;
    auto* tabla = parent() ? parent()->tableInterface() : nullptr;
    if (!tabla || !isValid()) return l;
    for (int i = 0; i < grilla_->FixedRows(); ++i) l << tabla->cellAt(i, columna_);
    return l;
}

QList<QAccessibleInterface*> CeldaGrillaAccesible::rowHeaderCells() const {
    QList<QAccessibleInterface*> l;
    auto* tabla = parent() ? parent()->tableInterface() : nullptr;
    if (!tabla || !isValid()) return l;
    for (int i = 0; i < grilla_->FixedCols(); ++i) l << tabla->cellAt(fila_, i);
    return l;
}

}  // namespace vb
