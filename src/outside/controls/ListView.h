#pragma once
// The list view of the Windows common controls in report mode: column headers with widths in
// twips, rows with a text and sub-items, an optional check box per row, a colour and bold per
// row, the list's own text sort. Columns and rows are counted from 1, as the forms count them.
// Cells live by column in plain vectors and the view keeps nothing per row, so tens of thousands
// of rows load at once (IniciarCarga/TerminarCarga).
#include <QColor>
#include <QHeaderView>
#include <QString>
#include <QStringList>
#include <QTableView>
#include <vector>

namespace vb {

class ListView : public QTableView {
    Q_OBJECT

  public:
    explicit ListView(QWidget* parent = nullptr);
    ~ListView() override;

    // The column headers.
    QHeaderView* header() const { return horizontalHeader(); }

    // ---- column headers ----
    void ColumnHeadersClear();
    void ColumnHeadersAdd(const QString& texto, int anchoTwips);
    // Every header at once, replacing those there: the view lays its columns out once, not once
    // per column.
    void PonColumnas(const QStringList& textos, const std::vector<int>& anchosTwips);
    int ColumnHeadersCount() const;
    QString ColumnHeaderText(int i) const;
    int ColumnHeaderWidth(int i) const;  // twips
    void setColumnHeaderWidth(int i, int anchoTwips);
    int ColumnHeaderLeft(int i) const;  // twips, from the list's first column

    // ---- rows ----
    void ListItemsClear();
    // Appends a row; returns its index.
    int ListItemsAdd(const QString& texto);
    // A row with its text and sub-items at once.
    int ListItemsAdd(const QStringList& celdas);
    // The same from n cells, which are moved into the list.
    int ListItemsAdd(QString* celdas, qsizetype n);
    int ListItemsCount() const;
    QString ItemText(int r) const;
    // Sub-item i (1 = the second column); "" when the row has none.
    QString SubItem(int r, int i) const;
    void setSubItem(int r, int i, const QString& texto);
    bool Checked(int r) const;
    void setChecked(int r, bool marcado);
    // Colour (invalid: the list's) and bold of the row's text and sub-items.
    void setRowStyle(int r, const QColor& color, bool negrita);
    QColor RowColor(int r) const;
    bool RowBold(int r) const;
    // The selected row, 0 when none. Rows arriving in a list without one make the first selected.
    int SelectedItem() const;
    void setSelectedItem(int r);
    // Brings the row into view; as everywhere in the list, only the rows scroll.
    void EnsureVisible(int r);
    // Scrolls the columns just enough to show column c (from 1) whole.
    void EnsureColumnVisible(int c);

    // Rows added between these two reach the view at once at the end.
    // With room for this many rows.
    void IniciarCarga(qsizetype previstas = 0);
    void TerminarCarga();

    // ---- settings ----
    bool CheckBoxes() const { return checkBoxes_; }
    void setCheckBoxes(bool si);
    // The list's own sort: by the text of column SortKey + 1, case-blind; 0 ascending, 1 descending.
    bool Sorted() const { return sorted_; }
    void setSorted(bool si);
    int SortKey() const { return sortKey_; }
    void setSortKey(int columna);
    int SortOrder() const { return sortOrder_; }
    void setSortOrder(int orden);

    // Rows come into view vertically; the columns stay where the user left them.
    void scrollTo(const QModelIndex& indice, ScrollHint hint = QAbstractItemView::EnsureVisible) override;

  Q_SIGNALS:
    // The header clicked, from 1.
    void ColumnClick(int columna);
    void DblClick();

  protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    // Left and Right scroll the columns, Home and End go to the first and last rows.
    QModelIndex moveCursor(CursorAction accion, Qt::KeyboardModifiers modificadores) override;

  private:
    class Modelo;
    struct Fila {
        QColor color;
        bool negrita = false;
        bool marcada = false;
    };
    const QString& celda(size_t fila, qsizetype columna) const;
    void ordenar();
    void reponerAnchos();
    // A list that has rows and no selected one makes its first row the selected one.
    void primeraFilaActual();
    Modelo* modelo_;
    std::vector<int> anchos_;  // twips
    bool reponiendo_ = false;
    std::vector<Fila> filas_;
    std::vector<std::vector<QString>> celdas_;  // [column][row]; a column past a row's cells holds ""
    size_t reserva_ = 0;                        // rows a load expects
    QStringList titulos_;
    bool checkBoxes_ = false;
    bool sorted_ = false;
    int sortKey_ = 0;
    int sortOrder_ = 0;
    bool cargando_ = false;
    friend class Modelo;
};

}  // namespace vb
