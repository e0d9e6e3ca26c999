#pragma once
// The grid the windows edit through: fixed title rows and columns, cell texts and colours,
// sizes in twips, and the cell events in the order the windows' handlers expect:
// a change of cell (by mouse, keyboard or from code) raises LeaveCell on the old cell, then
// EnterCell and RowColChange on the new one; a click on another cell raises LeaveCell before
// the grid takes the focus (GotFocus), and Click when the button is released.
//
// A number is shown whole or not at all: a column holding a number is as wide as its widest
// text in the grid's font (the width set is the least width); with a font larger than usual every
// column is, and a row is never lower than the font.
// Tab and Shift+Tab leave the grid unless a KeyDown handler takes the key (sets KeyCode to 0).
#include <QAbstractScrollArea>
#include <QFontMetrics>
#include <QList>
#include <QString>
#include <QVector>

namespace vb {

// Cell alignments of the grid.
enum AlineacionGrilla : int {
    flexAlignLeftTop = 0,
    flexAlignLeftCenter = 1,
    flexAlignLeftBottom = 2,
    flexAlignCenterTop = 3,
    flexAlignCenterCenter = 4,
    flexAlignCenterBottom = 5,
    flexAlignRightTop = 6,
    flexAlignRightCenter = 7,
    flexAlignRightBottom = 8,
    flexAlignGeneral = 9,
};
enum EstiloRelleno : int { flexFillSingle = 0, flexFillRepeat = 1 };

class FlexGrid : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit FlexGrid(QWidget* parent = nullptr);

    int Rows() const { return filas_; }
    void setRows(int n);
    int Cols() const { return columnas_; }
    void setCols(int n);
    int FixedRows() const { return filasFijas_; }
    void setFixedRows(int n);
    int FixedCols() const { return columnasFijas_; }
    void setFixedCols(int n);

    // The current cell. Setting either from code raises the cell events.
    int Row() const { return fila_; }
    void setRow(int r);
    int Col() const { return columna_; }
    void setCol(int c);
    // The end of the selection that FillStyle repeat paints (follows Row/Col when they change).
    int RowSel() const { return filaSel_; }
    void setRowSel(int r);
    int ColSel() const { return columnaSel_; }
    void setColSel(int c);

    // First scrollable row/column shown. Scroll is raised when the user scrolls (scroll bars,
    // wheel, keys), not when code sets these.
    int TopRow() const { return filaSuperior_; }
    void setTopRow(int r);
    int LeftCol() const { return columnaIzquierda_; }
    void setLeftCol(int c);

    QString TextMatrix(int r, int c) const;
    void setTextMatrix(int r, int c, const QString& t);
    // The current cell's text (or every selected cell's, with FillStyle repeat).
    QString Text() const { return TextMatrix(fila_, columna_); }
    void setText(const QString& t);

    // VB colours (0x00BBGGRR); -1 is the grid's default.
    long CellBackColor() const;
    void setCellBackColor(long bgr);
    long CellBackColorAt(int r, int c) const;
    int FillStyle() const { return relleno_; }
    void setFillStyle(int f) { relleno_ = f; }

    // twips: the width the column is shown with, at least the width set (0 hides it).
    int ColWidth(int c) const;
    void setColWidth(int c, int twips);
    // The width (twips) a column needs to show the text whole in the grid's font.
    int AnchoParaTexto(const QString& texto) const;
    // twips: the height the row is shown with, at least the height set and the font's (0 hides it).
    int RowHeight(int r) const;
    void setRowHeight(int r, int twips);
    int ColAlignment(int c) const;
    void setColAlignment(int c, int a);

    // The current cell's place and size in twips, relative to the grid's top left corner.
    int CellLeft() const;
    int CellTop() const;
    int CellWidth() const;
    int CellHeight() const;
    // The grid's own place and size in twips.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;

    // Every cell loses its text and formatting; the size stays.
    void Clear();
    // Adds a row whose cells are the tab-separated parts of the text, at the end or before `indice`.
    void AddItem(const QString& texto, int indice = -1);
    void RemoveItem(int indice);

    bool isRowVisible(int r) const;

    // The characters of the cell's text that the grid draws whole, as laid out in its cell
    // (empty when the cell is not on screen).
    QString TextoMostrado(int r, int c) const;

  Q_SIGNALS:
    void EnterCell();
    void LeaveCell();
    void RowColChange();
    void Click();
    void DblClick();
    void KeyPress(int& KeyAscii);
    void KeyDown(int& KeyCode, int Shift);
    void GotFocus();
    void LostFocus();
    void Scroll();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* e) override;
    // The current cell's place (Qt::ImCursorRectangle), so that whoever shows the grid can keep
    // that cell in view.
    QVariant inputMethodQuery(Qt::InputMethodQuery consulta) const override;
    // Tab reaches keyPressEvent, which raises KeyDown before leaving the grid.
    bool focusNextPrevChild(bool) override { return false; }

  private:
    friend class FlexGridAccesible;
    friend class CeldaGrillaAccesible;
    struct Celda {
        QString texto;
        long fondo = -1;
        mutable int ancho = -1;  // pixels the text needs, once measured
    };
    // What a column needs to show its texts whole: how many cells hold a number, and the widest
    // text in pixels (valid unless `sucia`, recomputed when asked).
    struct Medida {
        int numeros = 0;
        int ancho = 0;
        bool sucia = true;
    };
    Celda& celda(int r, int c) { return celdas_[r * columnas_ + c]; }
    const Celda& celda(int r, int c) const { return celdas_[r * columnas_ + c]; }
    void redimensionar(int filas, int columnas);
    // Moves the current cell, raising the events; returns whether it changed.
    bool moverA(int r, int c);
    void asegurarVisible(int r, int c);
    void actualizarBarras();
    // Scroll bars follow a column widened by a number once pending cell texts are in.
    void actualizarBarrasLuego();
    int filaSuperiorMaxima() const;
    int columnaIzquierdaMaxima() const;
    int xColumna(int c) const;  // pixels; -1 when not shown
    int yFila(int r) const;
    int anchoPx(int c) const { return PixelesColumna(c); }
    int altoPx(int r) const { return PixelesFila(r); }
    int PixelesColumna(int c) const;
    int PixelesFila(int r) const;
    // The width a column's texts need, in pixels (0 for a column they do not widen).
    int anchoNecesario(int c) const;
    int medir(const QString& texto) const;
    // Keeps the column's measure up to date as a cell's text comes in or goes out.
    void anotarEntrada(int c, Celda& celda);
    void anotarSalida(int c, const Celda& celda);
    void recontar();
    void actualizarFuente();
    // Whether the column's texts widen it: it holds a number, or the font is larger than usual.
    bool mideColumna(int c) const;
    // The place of the cell's text area on the viewport; false when it is not on screen.
    bool areaTexto(int r, int c, QRect* area) const;
    // A row or column on screen: its index, and its start and size in pixels.
    struct Tramo {
        int indice;
        int inicio;
        int largo;
    };
    // The fixed rows, then the scrollable ones from TopRow down to the viewport's bottom.
    QVector<Tramo> filasEnPantalla() const;
    QVector<Tramo> columnasEnPantalla() const;
    bool celdaEn(const QPoint& p, int* r, int* c) const;
    int filasVisibles() const;
    bool dentro(int r, int c) const { return r >= 0 && r < filas_ && c >= 0 && c < columnas_; }

    int filas_ = 2;
    int columnas_ = 2;
    int filasFijas_ = 1;
    int columnasFijas_ = 1;
    int fila_ = 1;
    int columna_ = 1;
    int filaSel_ = 1;
    int columnaSel_ = 1;
    int filaSuperior_ = 1;
    int columnaIzquierda_ = 1;
    int relleno_ = flexFillSingle;
    bool sincronizandoBarras_ = false;
    bool barrasPendientes_ = false;
    QVector<Celda> celdas_;
    mutable QVector<Medida> medidas_;
    QFontMetrics metricas_;
    bool fuenteGrande_ = false;  // rows of the usual 16 pixels would cut its texts
    QVector<int> anchos_;        // twips, -1 default
    QVector<int> altos_;
    QVector<int> alineaciones_;
};

}  // namespace vb
