#pragma once
// The grid as assistive technology sees it: a table of Rows by Cols cells (the fixed title rows
// and columns included, as they are on screen), whose heads are the fixed cells, whose header
// texts are their texts and whose selected, focused cell is the grid's current cell. Cells are addressed by
// place, so a grid that is refilled or resized needs no new interfaces; a place outside the grid is not
// valid.
#include <QAccessibleWidget>
#include <QHash>
#include <QPair>
#include <QPointer>
#include <functional>

namespace vb {

class FlexGrid;

class FlexGridAccesible : public QAccessibleWidget, public QAccessibleTableInterface {
  public:
    explicit FlexGridAccesible(FlexGrid* grilla);
    ~FlexGridAccesible() override;

    void* interface_cast(QAccessible::InterfaceType tipo) override;
    int childCount() const override;
    QAccessibleInterface* child(int indice) const override;
    int indexOfChild(const QAccessibleInterface* hijo) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int fila, int columna) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int columna) const override;
    QString rowDescription(int fila) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    // The selection is the current cell, which the window moves.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

  private:
    FlexGrid* grilla() const;
    mutable QHash<QPair<int, int>, QAccessible::Id> celdas_;
};

// One cell of a grid, by its place.
class CeldaGrillaAccesible : public QAccessibleInterface, public QAccessibleTableCellInterface {
  public:
    CeldaGrillaAccesible(FlexGrid* grilla, int fila, int columna);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType tipo) override;

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return columna_; }
    int rowIndex() const override { return fila_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

  private:
    QPointer<FlexGrid> grilla_;
    int fila_;
    int columna_;
};

// Registers the grid's interface with Qt's accessibility (once).
void InstalaAccesibilidadGrilla();
// Where the grids' announcements go: to assistive technology while one listens (the default), or
// to whoever is installed here (a test that records them); an empty one brings the default back.
void setAnunciosGrilla(std::function<void(QAccessibleEvent*)> destino);
// Tells assistive technology that the current cell changed (focus when the grid has it).
void AnunciaCeldaActual(FlexGrid* grilla);
// Tells it that rows or columns came or went.
void AnunciaCambioDeTabla(FlexGrid* grilla);
// Tells it that a cell's text changed.
void AnunciaCambioDeCelda(FlexGrid* grilla, int fila, int columna);

}  // namespace vb
