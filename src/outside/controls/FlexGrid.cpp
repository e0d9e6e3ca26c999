#include "outside/controls/FlexGrid.h"

#include "outside/controls/FlexGridAccesible.h"
#include "outside/controls/Teclas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace vb {

namespace {
constexpr int kAnchoPorDefecto = 960;  // twips
constexpr int kAltoPorDefecto = 240;
const QColor kFondoFijo(212, 208, 200);
const QColor kLineas(160, 160, 160);

// A cell's text area inside its rectangle: 2 pixels left, 3 right, 1 above and below.
QRect AreaDeCelda(const QRect& celda) {
    return celda.adjusted(2, 1, -3, -1);
}

// Where a text starts in its area, and whether it fits unclipped. The alignment is the grid's
// code (0-2 left, 3-5 centre, 6-8 right; top, centre, bottom in each).
struct Colocacion {
    QPoint origen;  // left end of the baseline
    bool cabe;
};
Colocacion Colocar(const QFontMetrics& fm, const QRect& area, int a, const QString& texto) {
    const int vertical = a > 8 ? 1 : a % 3;  // 0 top, 1 centre, 2 bottom
    const int ancho = fm.horizontalAdvance(texto);
    int x = area.left();
    if (a >= 6 && a <= 8)
        x = area.right() + 1 - ancho;
    else if (a >= 3 && a <= 5)
        x = area.left() + (area.width() - ancho) / 2;
    const int y = vertical == 0   ? area.top() + fm.ascent()
                  : vertical == 2 ? area.bottom() + 1 - fm.descent()
                                  : area.top() + (area.height() - fm.height()) / 2 + fm.ascent();
    return {QPoint(x, y), ancho <= area.width() && fm.height() <= area.height() + 2};
}

// The text is placed by hand: a laid-out drawText per cell costs more than the rest.
void DibujarTexto(QPainter& p, const QFontMetrics& fm, const QRect& area, int a, const QString& texto) {
    const Colocacion lugar = Colocar(fm, area, a, texto);
    if (!lugar.cabe) {
        p.save();
        p.setClipRect(area);
    }
    p.drawText(lugar.origen, texto);
    if (!lugar.cabe) p.restore();
}

// A number as the windows show one: digits with separators, a sign, a currency or percent sign,
// brackets. A date ("01/2022") or a text with letters is not.
bool EsNumero(const QString& t) {
    bool digito = false;
    for (const QChar ch : t) {
        if (ch.isDigit())
            digito = true;
        else if (!QStringView(u".,-+()%$ \u00A0").contains(ch))
            return false;
    }
    return digito;
}
}  // namespace

FlexGrid::FlexGrid(QWidget* parent) : QAbstractScrollArea(parent), metricas_(font()) {
    actualizarFuente();
    InstalaAccesibilidadGrilla();
    // The grid takes the focus itself on a click, after the cell events (see mousePressEvent).
    setFocusPolicy(Qt::TabFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    redimensionar(filas_, columnas_);
}

void FlexGrid::redimensionar(int filas, int columnas) {
    filas = std::max(filas, 0);
    columnas = std::max(columnas, 0);
    QVector<Celda> nuevas(filas * columnas);
    for (int r = 0; r < std::min(filas, filas_); ++r)
        for (int c = 0; c < std::min(columnas, columnas_); ++c)
            if (r * columnas_ + c < celdas_.size()) nuevas[r * columnas + c] = celda(r, c);
    celdas_ = nuevas;
    filas_ = filas;
    columnas_ = columnas;
    anchos_.resize(columnas_, -1);
    alineaciones_.resize(columnas_, flexAlignGeneral);
    altos_.resize(filas_, -1);
    filasFijas_ = std::min(filasFijas_, std::max(filas_ - 1, 0));
    columnasFijas_ = std::min(columnasFijas_, std::max(columnas_ - 1, 0));
    fila_ = std::clamp(fila_, std::min(filasFijas_, filas_ - 1), std::max(filas_ - 1, 0));
    columna_ = std::clamp(columna_, std::min(columnasFijas_, columnas_ - 1), std::max(columnas_ - 1, 0));
    filaSel_ = fila_;
    columnaSel_ = columna_;
    recontar();
    actualizarBarras();
    viewport()->update();
    AnunciaCambioDeTabla(this);
}

// Widths in twips were chosen for a font whose rows are 16 pixels high; with a larger font every
// column grows to its widest text, so that no text is cut.
void FlexGrid::actualizarFuente() {
    metricas_ = QFontMetrics(font());
    fuenteGrande_ = metricas_.height() + 2 > PixelesDeTwips(kAltoPorDefecto);
}

bool FlexGrid::mideColumna(int c) const {
    return fuenteGrande_ || medidas_[c].numeros > 0;
}

void FlexGrid::recontar() {
    medidas_.fill(Medida{}, columnas_);
    for (int r = 0; r < filas_; ++r)
        for (int c = 0; c < columnas_; ++c)
            if (EsNumero(celda(r, c).texto)) ++medidas_[c].numeros;
}

int FlexGrid::medir(const QString& texto) const {
    // The cell's margins (2 + 3 pixels) and its grid line, as paintEvent lays the text out.
    return metricas_.horizontalAdvance(texto) + 6;
}

// While a column's measure is valid every text in it is measured, so that a cell's own width
// tells whether the widest text leaves; a column without numbers is measured only when it gets one.
void FlexGrid::anotarEntrada(int c, Celda& cel) {
    Medida& m = medidas_[c];
    if (EsNumero(cel.texto)) ++m.numeros;
    if (m.sucia || cel.texto.isEmpty()) return;
    if (!mideColumna(c)) {
        m.sucia = true;
        return;
    }
    cel.ancho = medir(cel.texto);
    m.ancho = std::max(m.ancho, cel.ancho);
}

void FlexGrid::anotarSalida(int c, const Celda& cel) {
    Medida& m = medidas_[c];
    if (EsNumero(cel.texto)) --m.numeros;
    if (!m.sucia && !cel.texto.isEmpty() && cel.ancho >= m.ancho) m.sucia = true;
}

int FlexGrid::anchoNecesario(int c) const {
    Medida& m = medidas_[c];
    if (!mideColumna(c)) return 0;
    if (m.sucia) {
        m.ancho = 0;
        for (int r = 0; r < filas_; ++r) {
            const Celda& cel = celda(r, c);
            cel.ancho = cel.texto.isEmpty() ? -1 : medir(cel.texto);
            m.ancho = std::max(m.ancho, cel.ancho);
        }
        m.sucia = false;
    }
    return m.ancho;
}

void FlexGrid::actualizarBarrasLuego() {
    if (barrasPendientes_) return;
    barrasPendientes_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            barrasPendientes_ = false;
            actualizarBarras();
        },
        Qt::QueuedConnection);
}

void FlexGrid::setRows(int n) {
    redimensionar(n, columnas_);
}
void FlexGrid::setCols(int n) {
    redimensionar(filas_, n);
}
void FlexGrid::setFixedRows(int n) {
    filasFijas_ = std::clamp(n, 0, std::max(filas_ - 1, 0));
    redimensionar(filas_, columnas_);
}
void FlexGrid::setFixedCols(int n) {
    columnasFijas_ = std::clamp(n, 0, std::max(columnas_ - 1, 0));
    redimensionar(filas_, columnas_);
}

bool FlexGrid::moverA(int r, int c) {
    if (!dentro(r, c)) return false;
    if (r == fila_ && c == columna_) return false;
    Q_EMIT LeaveCell();
    fila_ = r;
    columna_ = c;
    filaSel_ = r;
    columnaSel_ = c;
    viewport()->update();
    AnunciaCeldaActual(this);
    Q_EMIT EnterCell();
    Q_EMIT RowColChange();
    return true;
}

void FlexGrid::setRow(int r) {
    if (r < 0 || r >= filas_) return;
    moverA(r, columna_);
}

void FlexGrid::setCol(int c) {
    if (c < 0 || c >= columnas_) return;
    moverA(fila_, c);
}

void FlexGrid::setRowSel(int r) {
    if (r >= 0 && r < filas_) filaSel_ = r;
}
void FlexGrid::setColSel(int c) {
    if (c >= 0 && c < columnas_) columnaSel_ = c;
}

void FlexGrid::setTopRow(int r) {
    r = std::clamp(r, filasFijas_, filaSuperiorMaxima());
    if (r == filaSuperior_) return;
    filaSuperior_ = r;
    sincronizandoBarras_ = true;
    verticalScrollBar()->setValue(filaSuperior_ - filasFijas_);
    sincronizandoBarras_ = false;
    viewport()->update();
}

void FlexGrid::setLeftCol(int c) {
    c = std::clamp(c, columnasFijas_, columnaIzquierdaMaxima());
    if (c == columnaIzquierda_) return;
    columnaIzquierda_ = c;
    sincronizandoBarras_ = true;
    horizontalScrollBar()->setValue(columnaIzquierda_ - columnasFijas_);
    sincronizandoBarras_ = false;
    viewport()->update();
}

void FlexGrid::scrollContentsBy(int, int) {
    if (sincronizandoBarras_) return;
    const int top = filasFijas_ + verticalScrollBar()->value();
    const int left = columnasFijas_ + horizontalScrollBar()->value();
    if (top == filaSuperior_ && left == columnaIzquierda_) return;
    filaSuperior_ = top;
    columnaIzquierda_ = left;
    viewport()->update();
    Q_EMIT Scroll();
}

QString FlexGrid::TextMatrix(int r, int c) const {
    return dentro(r, c) ? celda(r, c).texto : QString();
}

void FlexGrid::setTextMatrix(int r, int c, const QString& t) {
    if (!dentro(r, c)) return;
    Celda& cel = celda(r, c);
    if (cel.texto == t) return;
    anotarSalida(c, cel);
    cel.texto = t;
    cel.ancho = -1;
    anotarEntrada(c, cel);
    if (mideColumna(c)) actualizarBarrasLuego();
    viewport()->update();
    AnunciaCambioDeCelda(this, r, c);
}

void FlexGrid::setText(const QString& t) {
    if (relleno_ == flexFillRepeat) {
        for (int r = std::min(fila_, filaSel_); r <= std::max(fila_, filaSel_); ++r)
            for (int c = std::min(columna_, columnaSel_); c <= std::max(columna_, columnaSel_); ++c)
                setTextMatrix(r, c, t);
    } else {
        setTextMatrix(fila_, columna_, t);
    }
}

long FlexGrid::CellBackColor() const {
    return CellBackColorAt(fila_, columna_);
}

long FlexGrid::CellBackColorAt(int r, int c) const {
    return dentro(r, c) ? celda(r, c).fondo : -1;
}

void FlexGrid::setCellBackColor(long bgr) {
    const bool repetir = relleno_ == flexFillRepeat;
    const int r0 = repetir ? std::min(fila_, filaSel_) : fila_;
    const int r1 = repetir ? std::max(fila_, filaSel_) : fila_;
    const int c0 = repetir ? std::min(columna_, columnaSel_) : columna_;
    const int c1 = repetir ? std::max(columna_, columnaSel_) : columna_;
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c)
            if (dentro(r, c)) celda(r, c).fondo = bgr;
    viewport()->update();
}

int FlexGrid::ColWidth(int c) const {
    if (c < 0 || c >= columnas_) return 0;
    const int puesto = anchos_[c] < 0 ? kAnchoPorDefecto : anchos_[c];
    const int px = PixelesColumna(c);
    return px == PixelesDeTwips(puesto) ? puesto : TwipsDePixeles(px);
}

void FlexGrid::setColWidth(int c, int twips) {
    if (c < 0 || c >= columnas_) return;
    anchos_[c] = std::max(twips, 0);
    actualizarBarras();
    viewport()->update();
}

int FlexGrid::RowHeight(int r) const {
    if (r < 0 || r >= filas_) return 0;
    const int puesto = altos_[r] < 0 ? kAltoPorDefecto : altos_[r];
    const int px = PixelesFila(r);
    return px == PixelesDeTwips(puesto) ? puesto : TwipsDePixeles(px);
}

void FlexGrid::setRowHeight(int r, int twips) {
    if (r < 0 || r >= filas_) return;
    altos_[r] = std::max(twips, 0);
    actualizarBarras();
    viewport()->update();
}

int FlexGrid::ColAlignment(int c) const {
    return (c >= 0 && c < columnas_) ? alineaciones_[c] : 0;
}

void FlexGrid::setColAlignment(int c, int a) {
    if (c < 0 || c >= columnas_) return;
    alineaciones_[c] = a;
    viewport()->update();
}

int FlexGrid::AnchoParaTexto(const QString& texto) const {
    return TwipsDePixeles(medir(texto));
}

// A hidden column or row (size 0) stays hidden.
int FlexGrid::PixelesColumna(int c) const {
    const int puesto = anchos_[c] < 0 ? kAnchoPorDefecto : anchos_[c];
    if (puesto == 0) return 0;
    return std::max(PixelesDeTwips(puesto), anchoNecesario(c));
}
int FlexGrid::PixelesFila(int r) const {
    const int puesto = altos_[r] < 0 ? kAltoPorDefecto : altos_[r];
    if (puesto == 0) return 0;
    // The font's height, a pixel above the text and the grid line below it.
    return std::max(PixelesDeTwips(puesto), metricas_.height() + 2);
}

int FlexGrid::xColumna(int c) const {
    int x = 0;
    for (int i = 0; i < columnasFijas_; ++i) {
        if (i == c) return x;
        x += PixelesColumna(i);
    }
    if (c < columnaIzquierda_) return -1;
    for (int i = columnaIzquierda_; i < c; ++i) x += PixelesColumna(i);
    return x;
}

int FlexGrid::yFila(int r) const {
    int y = 0;
    for (int i = 0; i < filasFijas_; ++i) {
        if (i == r) return y;
        y += PixelesFila(i);
    }
    if (r < filaSuperior_) return -1;
    for (int i = filaSuperior_; i < r; ++i) y += PixelesFila(i);
    return y;
}

QVariant FlexGrid::inputMethodQuery(Qt::InputMethodQuery consulta) const {
    if (consulta != Qt::ImCursorRectangle) return QAbstractScrollArea::inputMethodQuery(consulta);
    const int x = xColumna(columna_);
    const int y = yFila(fila_);
    if (x < 0 || y < 0) return QRect();
    return QRect(viewport()->pos() + QPoint(x, y), QSize(PixelesColumna(columna_), PixelesFila(fila_)));
}

// Offsets of the viewport inside the control, so that cell places are relative to the control.
int FlexGrid::CellLeft() const {
    const int x = xColumna(columna_);
    return TwipsDePixeles(std::max(x, 0) + viewport()->x());
}
int FlexGrid::CellTop() const {
    const int y = yFila(fila_);
    // A row above the scrolled area has no place on screen; the grid reports it above the top.
    if (y < 0) return -TwipsDePixeles(PixelesFila(fila_));
    return TwipsDePixeles(y + viewport()->y());
}
int FlexGrid::CellWidth() const {
    return ColWidth(columna_);
}
int FlexGrid::CellHeight() const {
    return RowHeight(fila_);
}
int FlexGrid::Left() const {
    return TwipsDePixeles(x());
}
int FlexGrid::Top() const {
    return TwipsDePixeles(y());
}
int FlexGrid::Width() const {
    return TwipsDePixeles(width());
}
int FlexGrid::Height() const {
    return TwipsDePixeles(height());
}

void FlexGrid::Clear() {
    for (auto& c : celdas_) c = Celda{};
    recontar();
    actualizarBarras();
    viewport()->update();
}

void FlexGrid::AddItem(const QString& texto, int indice) {
    const int destino = (indice < 0 || indice > filas_) ? filas_ : indice;
    QVector<Celda> nuevas;
    nuevas.reserve((filas_ + 1) * columnas_);
    const QStringList partes = texto.split('\t');
    for (int r = 0; r <= filas_; ++r) {
        if (r == destino) {
            for (int c = 0; c < columnas_; ++c) {
                nuevas.append(Celda{c < partes.size() ? partes[c] : QString()});
                anotarEntrada(c, nuevas.back());
            }
        }
        if (r < filas_)
            for (int c = 0; c < columnas_; ++c) nuevas.append(celda(r, c));
    }
    celdas_ = nuevas;
    altos_.insert(destino, -1);
    ++filas_;
    actualizarBarras();
    viewport()->update();
    AnunciaCambioDeTabla(this);
}

void FlexGrid::RemoveItem(int indice) {
    if (indice < filasFijas_ || indice >= filas_) return;
    for (int c = 0; c < columnas_; ++c) anotarSalida(c, celda(indice, c));
    celdas_.remove(indice * columnas_, columnas_);
    altos_.remove(indice);
    --filas_;
    if (fila_ >= filas_) fila_ = filas_ - 1;
    actualizarBarras();
    viewport()->update();
    AnunciaCambioDeTabla(this);
}

bool FlexGrid::isRowVisible(int r) const {
    for (const Tramo& f : filasEnPantalla())
        if (f.indice == r) return true;
    return false;
}

int FlexGrid::filasVisibles() const {
    int alto = viewport()->height();
    for (int i = 0; i < filasFijas_; ++i) alto -= PixelesFila(i);
    int n = 0;
    for (int r = filaSuperior_; r < filas_ && alto >= PixelesFila(r); ++r) {
        alto -= PixelesFila(r);
        ++n;
    }
    return std::max(n, 1);
}

// The grid scrolls no further than to show its last row at the bottom and its last column at
// the right; a grid that fits shows no scroll bar, and a shorter grid shows its rows from the top.
int FlexGrid::filaSuperiorMaxima() const {
    if (filas_ - 1 < filasFijas_) return filasFijas_;
    int alto = viewport()->height();
    for (int i = 0; i < filasFijas_; ++i) alto -= PixelesFila(i);
    int r = filas_ - 1;
    alto -= PixelesFila(r);
    while (r - 1 >= filasFijas_ && alto >= PixelesFila(r - 1)) alto -= PixelesFila(--r);
    return r;
}

int FlexGrid::columnaIzquierdaMaxima() const {
    if (columnas_ - 1 < columnasFijas_) return columnasFijas_;
    int ancho = viewport()->width();
    for (int i = 0; i < columnasFijas_; ++i) ancho -= PixelesColumna(i);
    int c = columnas_ - 1;
    ancho -= PixelesColumna(c);
    while (c - 1 >= columnasFijas_ && ancho >= PixelesColumna(c - 1)) ancho -= PixelesColumna(--c);
    return c;
}

void FlexGrid::actualizarBarras() {
    sincronizandoBarras_ = true;
    filaSuperior_ = std::clamp(filaSuperior_, filasFijas_, filaSuperiorMaxima());
    columnaIzquierda_ = std::clamp(columnaIzquierda_, columnasFijas_, columnaIzquierdaMaxima());
    verticalScrollBar()->setRange(0, filaSuperiorMaxima() - filasFijas_);
    verticalScrollBar()->setPageStep(filasVisibles());
    verticalScrollBar()->setValue(filaSuperior_ - filasFijas_);
    horizontalScrollBar()->setRange(0, columnaIzquierdaMaxima() - columnasFijas_);
    horizontalScrollBar()->setValue(columnaIzquierda_ - columnasFijas_);
    sincronizandoBarras_ = false;
}

void FlexGrid::asegurarVisible(int r, int c) {
    if (r >= filasFijas_) {
        if (r < filaSuperior_)
            setTopRow(r);
        else if (r >= filaSuperior_ + filasVisibles())
            setTopRow(r - filasVisibles() + 1);
    }
    if (c >= columnasFijas_ && c < columnaIzquierda_) setLeftCol(c);
    while (c > columnaIzquierda_ && xColumna(c) + PixelesColumna(c) > viewport()->width()) {
        const int antes = columnaIzquierda_;
        setLeftCol(columnaIzquierda_ + 1);
        if (columnaIzquierda_ == antes) break;
    }
}

QVector<FlexGrid::Tramo> FlexGrid::filasEnPantalla() const {
    QVector<Tramo> t;
    const int alto = viewport()->height();
    int y = 0;
    for (int r = 0; r < filasFijas_ && y < alto; ++r) {
        t.append({r, y, PixelesFila(r)});
        y += t.back().largo;
    }
    for (int r = filaSuperior_; r < filas_ && y < alto; ++r) {
        t.append({r, y, PixelesFila(r)});
        y += t.back().largo;
    }
    return t;
}

QVector<FlexGrid::Tramo> FlexGrid::columnasEnPantalla() const {
    QVector<Tramo> t;
    const int ancho = viewport()->width();
    int x = 0;
    for (int c = 0; c < columnasFijas_ && x < ancho; ++c) {
        t.append({c, x, PixelesColumna(c)});
        x += t.back().largo;
    }
    for (int c = columnaIzquierda_; c < columnas_ && x < ancho; ++c) {
        t.append({c, x, PixelesColumna(c)});
        x += t.back().largo;
    }
    return t;
}

bool FlexGrid::celdaEn(const QPoint& p, int* r, int* c) const {
    int fr = -1, fc = -1;
    for (const Tramo& f : filasEnPantalla())
        if (p.y() >= f.inicio && p.y() < f.inicio + f.largo) {
            fr = f.indice;
            break;
        }
    for (const Tramo& k : columnasEnPantalla())
        if (p.x() >= k.inicio && p.x() < k.inicio + k.largo) {
            fc = k.indice;
            break;
        }
    if (fr < 0 || fc < 0) return false;
    *r = fr;
    *c = fc;
    return true;
}

// Only the cells on screen are visited, so a long grid paints as fast as a short one.
void FlexGrid::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const QVector<Tramo> columnas = columnasEnPantalla();
    const QVector<Tramo> filas = filasEnPantalla();
    const QColor base = palette().color(QPalette::Base);
    const QFontMetrics& fm = metricas_;
    QVector<QLine> lineas;
    lineas.reserve(2 * (filas.size() + columnas.size()) + 2);
    p.setPen(palette().color(QPalette::Text));
    for (const Tramo& f : filas) {
        const int r = f.indice;
        for (const Tramo& k : columnas) {
            const int c = k.indice;
            if (k.largo == 0) continue;
            const QRect rect(k.inicio, f.inicio, k.largo, f.largo);
            const bool fija = r < filasFijas_ || c < columnasFijas_;
            const Celda& cel = celda(r, c);
            QColor fondo = fija ? kFondoFijo : base;
            if (cel.fondo >= 0) fondo = ColorDeVB(cel.fondo);
            p.fillRect(rect, fondo);
            if (cel.texto.isEmpty()) continue;
            DibujarTexto(p, fm, AreaDeCelda(rect), alineaciones_[c], cel.texto);
        }
    }
    // Grid lines in one pass: the right and bottom edge of every cell shown.
    for (const Tramo& f : filas) {
        const int y = f.inicio + f.largo - 1;
        lineas.append(
            QLine(0, y, columnas.isEmpty() ? 0 : columnas.back().inicio + columnas.back().largo - 1, y));
    }
    const int abajo = filas.isEmpty() ? 0 : filas.back().inicio + filas.back().largo - 1;
    for (const Tramo& k : columnas)
        if (k.largo > 0) lineas.append(QLine(k.inicio + k.largo - 1, 0, k.inicio + k.largo - 1, abajo));
    if (!filas.isEmpty() && !columnas.isEmpty()) {
        lineas.append(
            QLine(0, 0, lineas.isEmpty() ? 0 : columnas.back().inicio + columnas.back().largo - 1, 0));
        lineas.append(QLine(0, 0, 0, abajo));
    }
    p.setPen(kLineas);
    p.drawLines(lineas);
    for (const Tramo& f : filas) {
        if (f.indice != fila_ || fila_ < filasFijas_) continue;
        for (const Tramo& k : columnas) {
            if (k.indice != columna_ || columna_ < columnasFijas_) continue;
            QPen foco(palette().color(QPalette::Highlight));
            foco.setStyle(hasFocus() ? Qt::SolidLine : Qt::DotLine);
            p.setPen(foco);
            p.drawRect(QRect(k.inicio, f.inicio, k.largo, f.largo).adjusted(1, 1, -2, -2));
        }
    }
}

void FlexGrid::mousePressEvent(QMouseEvent* e) {
    int r, c;
    if (e->button() == Qt::LeftButton && celdaEn(e->position().toPoint(), &r, &c)) {
        // Fixed cells are not selectable; a click there goes to the nearest scrollable cell.
        r = std::max(r, std::min(filasFijas_, filas_ - 1));
        c = std::max(c, std::min(columnasFijas_, columnas_ - 1));
        moverA(r, c);
    }
    if (!hasFocus()) setFocus(Qt::MouseFocusReason);
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) Q_EMIT Click();
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) Q_EMIT DblClick();
}

void FlexGrid::keyPressEvent(QKeyEvent* e) {
    int codigo = CodigoTeclaVB(e);
    if (codigo != 0) Q_EMIT KeyDown(codigo, EstadoShift(e->modifiers()));
    if (codigo == vbKeyTab) {
        const bool atras = e->key() == Qt::Key_Backtab || (e->modifiers() & Qt::ShiftModifier);
        QAbstractScrollArea::focusNextPrevChild(!atras);
        return;
    }
    int r = fila_, c = columna_;
    switch (codigo) {
        case vbKeyUp:
            r = std::max(fila_ - 1, filasFijas_);
            break;
        case vbKeyDown:
            r = std::min(fila_ + 1, filas_ - 1);
            break;
        case vbKeyLeft:
            c = std::max(columna_ - 1, columnasFijas_);
            break;
        case vbKeyRight:
            c = std::min(columna_ + 1, columnas_ - 1);
            break;
        case vbKeyPageUp:
            r = std::max(fila_ - filasVisibles(), filasFijas_);
            break;
        case vbKeyPageDown:
            r = std::min(fila_ + filasVisibles(), filas_ - 1);
            break;
        case vbKeyHome:
            c = columnasFijas_;
            if (e->modifiers() & Qt::ControlModifier) r = std::min(filasFijas_, filas_ - 1);
            break;
        case vbKeyEnd:
            c = columnas_ - 1;
            if (e->modifiers() & Qt::ControlModifier) r = filas_ - 1;
            break;
        case 0:
            break;
        default: {
            int ascii = CodigoAsciiVB(e);
            if (ascii != 0) Q_EMIT KeyPress(ascii);
            return;
        }
    }
    if (codigo == 0) {
        int ascii = CodigoAsciiVB(e);
        if (ascii != 0) Q_EMIT KeyPress(ascii);
        return;
    }
    if (r != fila_ || c != columna_) {
        moverA(r, c);
        const int top = filaSuperior_, left = columnaIzquierda_;
        asegurarVisible(fila_, columna_);
        if (top != filaSuperior_ || left != columnaIzquierda_) Q_EMIT Scroll();
    }
}

void FlexGrid::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    viewport()->update();
    AnunciaCeldaActual(this);
    Q_EMIT GotFocus();
}

void FlexGrid::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    viewport()->update();
    Q_EMIT LostFocus();
}

void FlexGrid::changeEvent(QEvent* e) {
    QAbstractScrollArea::changeEvent(e);
    if (e->type() != QEvent::FontChange) return;
    actualizarFuente();
    for (Medida& m : medidas_) m.sucia = true;
    actualizarBarras();
    viewport()->update();
}

bool FlexGrid::areaTexto(int r, int c, QRect* area) const {
    const int x = xColumna(c), y = yFila(r);
    if (!dentro(r, c) || x < 0 || y < 0) return false;
    const QRect celda(x, y, PixelesColumna(c), PixelesFila(r));
    if (!celda.intersects(viewport()->rect())) return false;
    *area = AreaDeCelda(celda);
    return true;
}

QString FlexGrid::TextoMostrado(int r, int c) const {
    QRect area;
    if (!areaTexto(r, c, &area)) return {};
    const QString& texto = celda(r, c).texto;
    const Colocacion lugar = Colocar(metricas_, area, alineaciones_[c], texto);
    // Unclipped text is drawn whole, up to the viewport's edge.
    const QRect visible = lugar.cabe ? viewport()->rect() : area.intersected(viewport()->rect());
    const int arriba = lugar.origen.y() - metricas_.ascent(), abajo = lugar.origen.y() + metricas_.descent();
    if (arriba < visible.top() || abajo > visible.bottom() + 1) return {};
    QString mostrado;
    for (int i = 0; i < texto.size(); ++i) {
        const int desde = lugar.origen.x() + metricas_.horizontalAdvance(texto.left(i));
        const int hasta = lugar.origen.x() + metricas_.horizontalAdvance(texto.left(i + 1));
        if (desde >= visible.left() && hasta <= visible.right() + 1) mostrado += texto[i];
    }
    return mostrado;
}

void FlexGrid::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    actualizarBarras();
}

}  // namespace vb
