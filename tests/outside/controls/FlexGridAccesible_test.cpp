#include "outside/controls/FlexGridAccesible.h"

#include "outside/controls/FlexGrid.h"
#include "outside/controls/Teclas.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
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
