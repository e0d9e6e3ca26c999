#include "outside/controls/FlexGridAccesible.h"

#include "outside/controls/FlexGrid.h"
#include "outside/controls/Teclas.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <memory>

using vb::FlexGrid;

TEST(FlexGridAccesible, CellsAreFoundByPlaceAndOnScreenAndOutlivedByNothing) {
    auto g = std::make_unique<FlexGrid>();
    g->resize(400, 200);
    g->setCols(3);
    g->setRows(5);
    g->setFixedCols(1);
    g->setTextMatrix(0, 1, "Importe");
    g->setTextMatrix(3, 0, "03/2022");
    g->setTextMatrix(3, 1, "1.234,56");
    g->show();
    QApplication::processEvents();

    QAccessibleInterface* grilla = QAccessible::queryAccessibleInterface(g.get());
    ASSERT_NE(grilla, nullptr);
    QAccessibleTableInterface* tabla = grilla->tableInterface();
    ASSERT_NE(tabla, nullptr);
    QAccessibleInterface* celda = tabla->cellAt(3, 1);
    ASSERT_NE(celda, nullptr);
    EXPECT_EQ(tabla->cellAt(3, 1), celda);  // one interface per place
    EXPECT_EQ(celda->text(QAccessible::Name), "1.234,56");
    EXPECT_EQ(celda->role(), QAccessible::Cell);
    EXPECT_EQ(tabla->cellAt(3, 0)->role(), QAccessible::RowHeader);
    QAccessibleTableCellInterface* datos = celda->tableCellInterface();
    ASSERT_NE(datos, nullptr);
    ASSERT_EQ(datos->columnHeaderCells().size(), 1);
    EXPECT_EQ(datos->columnHeaderCells().at(0)->text(QAccessible::Name), "Importe");
    EXPECT_EQ(datos->rowHeaderCells().at(0)->text(QAccessible::Name), "03/2022");
    const QPoint centro = celda->rect().center();
    EXPECT_EQ(grilla->childAt(centro.x(), centro.y()), celda);
    EXPECT_EQ(tabla->cellAt(5, 0), nullptr);

    // A place the grid no longer has is not valid, and says so instead of reading past the cells.
    g->setRows(2);
    EXPECT_FALSE(celda->isValid());
    EXPECT_TRUE(celda->text(QAccessible::Name).isEmpty());
    // The grid takes its cells' interfaces with it.
    const QAccessible::Id idCelda = QAccessible::uniqueId(celda);
    ASSERT_EQ(QAccessible::accessibleInterface(idCelda), celda);
    g.reset();
    EXPECT_EQ(QAccessible::accessibleInterface(idCelda), nullptr);
}

namespace {

// What the grid tells assistive technology, recorded while alive.
struct Anuncio {
    QAccessible::Event tipo;
    int hijo;
    QAccessibleTableModelChangeEvent::ModelChangeType cambio;
    int fila, columna;
};

class Oyente {
  public:
    explicit Oyente(const FlexGrid* grilla) {
        vb::setAnunciosGrilla([this, grilla](QAccessibleEvent* e) {
            if (e->object() != grilla) return;
            Anuncio a{e->type(), e->child(), QAccessibleTableModelChangeEvent::ModelReset, -1, -1};
            if (e->type() == QAccessible::TableModelChanged) {
                auto* t = static_cast<QAccessibleTableModelChangeEvent*>(e);
                a.cambio = t->modelChangeType();
                a.fila = t->firstRow();
                a.columna = t->firstColumn();
                // A change of more than one cell is told as such.
                if (t->lastRow() != t->firstRow() || t->lastColumn() != t->firstColumn())
                    a.fila = a.columna = -2;
            }
            anuncios << a;
        });
    }
    ~Oyente() { vb::setAnunciosGrilla({}); }
    QList<Anuncio> anuncios;
};

std::unique_ptr<FlexGrid> GrillaConDosTitulos() {
    auto g = std::make_unique<FlexGrid>();
    g->resize(400, 200);
    g->setCols(3);
    g->setRows(6);
    g->setFixedRows(2);
    g->setFixedCols(1);
    g->setTextMatrix(0, 1, "Importe");
    g->setTextMatrix(0, 2, "Saldo");
    g->setTextMatrix(1, 2, "Final");
    g->setTextMatrix(3, 0, "03/2022");
    g->setTextMatrix(3, 2, "1.234,56");
    return g;
}

}  // namespace

// A screen reader asks the table for a column's head through the column's first cell, and for a
// row's head through the row's first cell: both answer with the fixed cells themselves.
TEST(FlexGridAccesible, TheHeadsAScreenReaderAsksForAreTheFixedCellsOfTheColumnOrRow) {
    auto g = GrillaConDosTitulos();
    g->show();
    QAccessibleTableInterface* tabla = QAccessible::queryAccessibleInterface(g.get())->tableInterface();
    ASSERT_NE(tabla, nullptr);
    const auto cabeza = [&](int fila, int columna, bool deColumna) {
        QAccessibleTableCellInterface* c = tabla->cellAt(fila, columna)->tableCellInterface();
        const QList<QAccessibleInterface*> l = deColumna ? c->columnHeaderCells() : c->rowHeaderCells();
        QStringList textos;
        for (QAccessibleInterface* i : l) textos << i->text(QAccessible::Name);
        return textos;
    };
    // As the table is asked for its column and row heads.
    EXPECT_EQ(cabeza(0, 1, true).value(0), "Importe");
    EXPECT_EQ(cabeza(0, 2, true).value(0), "Saldo");
    EXPECT_EQ(cabeza(3, 0, false).value(0), "03/2022");
    // As a cell is asked for its own: every fixed cell above it, and the one at its row's start.
    EXPECT_EQ(cabeza(3, 2, true), QStringList({"Saldo", "Final"}));
    EXPECT_EQ(cabeza(3, 2, false), QStringList({"03/2022"}));
    // The descriptions join the heads' texts, leaving the empty ones out.
    EXPECT_EQ(tabla->columnDescription(2), "Saldo Final");
    EXPECT_EQ(tabla->columnDescription(1), "Importe");
    EXPECT_EQ(tabla->rowDescription(3), "03/2022");
    EXPECT_EQ(tabla->cellAt(0, 0)->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(tabla->cellAt(1, 2)->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(tabla->cellAt(3, 0)->role(), QAccessible::RowHeader);
    EXPECT_EQ(tabla->cellAt(0, 3), nullptr);
    EXPECT_EQ(tabla->cellAt(-1, 1), nullptr);
}

// The current cell is announced as it moves (as the focus only while the grid has it), and so
// are the cells and rows that change.
TEST(FlexGridAccesible, TheCurrentCellAndEveryChangeAreAnnounced) {
    QWidget ventana;
    auto* g = new FlexGrid(&ventana);
    g->resize(400, 200);
    g->setCols(4);
    g->setRows(6);
    g->setFixedRows(1);
    g->setFixedCols(1);
    auto* otro = new QLineEdit(&ventana);
    otro->move(0, 210);
    ventana.show();
    QApplication::setActiveWindow(&ventana);
    g->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(g->hasFocus());
    Oyente oyente(g);
    g->setRow(3);
    g->setCol(2);
    const int hijo = 3 * 4 + 2;
    const QList<Anuncio> a = oyente.anuncios;
    ASSERT_GE(a.size(), 2);
    EXPECT_EQ(a.at(a.size() - 2).tipo, QAccessible::Focus);
    EXPECT_EQ(a.at(a.size() - 2).hijo, hijo);
    EXPECT_EQ(a.last().tipo, QAccessible::Selection);
    EXPECT_EQ(a.last().hijo, hijo);
    QAccessibleInterface* grilla = QAccessible::queryAccessibleInterface(g);
    EXPECT_EQ(grilla->child(hijo), grilla->focusChild());

    // Without the focus only the selection moves.
    otro->setFocus();
    QApplication::processEvents();
    ASSERT_FALSE(g->hasFocus());
    EXPECT_EQ(grilla->focusChild(), nullptr);
    EXPECT_TRUE(grilla->child(hijo)->state().selected);
    EXPECT_FALSE(grilla->child(hijo)->state().focused);
    oyente.anuncios.clear();
    g->setRow(4);
    ASSERT_EQ(oyente.anuncios.size(), 1);
    EXPECT_EQ(oyente.anuncios.at(0).tipo, QAccessible::Selection);
    EXPECT_EQ(oyente.anuncios.at(0).hijo, 4 * 4 + 2);

    oyente.anuncios.clear();
    g->setTextMatrix(5, 3, "9,5");
    ASSERT_EQ(oyente.anuncios.size(), 1);
    EXPECT_EQ(oyente.anuncios.at(0).cambio, QAccessibleTableModelChangeEvent::DataChanged);
    EXPECT_EQ(oyente.anuncios.at(0).fila, 5);
    EXPECT_EQ(oyente.anuncios.at(0).columna, 3);
    oyente.anuncios.clear();
    g->setRows(3);
    ASSERT_FALSE(oyente.anuncios.isEmpty());
    EXPECT_EQ(oyente.anuncios.last().cambio, QAccessibleTableModelChangeEvent::ModelReset);
}

// A cell belongs to its own grid and place: another grid's cell is no child of this table, a
// column that went takes its cells along, and a cell out of view says so.
TEST(FlexGridAccesible, ACellIsItsGridsAndItsPlacesAndSaysWhenItIsOutOfView) {
    auto g = GrillaConDosTitulos();
    auto otra = GrillaConDosTitulos();
    g->show();
    QAccessibleInterface* grilla = QAccessible::queryAccessibleInterface(g.get());
    QAccessibleInterface* ajena =
        QAccessible::queryAccessibleInterface(otra.get())->tableInterface()->cellAt(3, 2);
    EXPECT_EQ(grilla->indexOfChild(ajena), -1);
    QAccessibleInterface* celda = grilla->tableInterface()->cellAt(3, 2);
    EXPECT_EQ(grilla->indexOfChild(celda), 3 * 3 + 2);
    EXPECT_FALSE(grilla->tableInterface()->cellAt(0, 1)->state().focusable);
    EXPECT_TRUE(celda->state().focusable);

    // Rows far below: the last one is out of view until the grid scrolls to it.
    g->setRows(60);
    QAccessibleInterface* ultima = grilla->tableInterface()->cellAt(59, 1);
    EXPECT_TRUE(ultima->state().invisible);
    EXPECT_FALSE(grilla->tableInterface()->cellAt(3, 1)->state().invisible);
    g->setTopRow(50);
    EXPECT_FALSE(ultima->state().invisible);
    // A column scrolled out to the left has no place on screen; the fixed one stays.
    g->setCols(12);
    g->setLeftCol(6);
    QAccessibleInterface* izquierda = grilla->tableInterface()->cellAt(52, 2);
    EXPECT_TRUE(izquierda->rect().isEmpty());
    EXPECT_TRUE(izquierda->state().invisible);
    EXPECT_FALSE(grilla->tableInterface()->cellAt(52, 0)->state().invisible);
    EXPECT_FALSE(grilla->tableInterface()->cellAt(52, 6)->rect().isEmpty());

    g->setLeftCol(1);
    g->setCols(2);
    EXPECT_FALSE(celda->isValid());
    EXPECT_TRUE(celda->text(QAccessible::Name).isEmpty());
    EXPECT_TRUE(celda->state().invalid);
}
