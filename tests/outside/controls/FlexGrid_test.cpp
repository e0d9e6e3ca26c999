#include "outside/controls/FlexGrid.h"

#include "outside/controls/CajaTexto.h"
#include "outside/controls/Teclas.h"
#include "support/ImprimeQt.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

using vb::FlexGrid;

namespace {

// A grid in a shown window, with every event it raises written down in order.
struct GrillaVisible {
    QWidget ventana;
    FlexGrid* g;
    QLineEdit* otro;
    QStringList eventos;

    explicit GrillaVisible(int filas = 20, int columnas = 9) {
        auto* lay = new QVBoxLayout(&ventana);
        g = new FlexGrid(&ventana);
        otro = new QLineEdit(&ventana);
        lay->addWidget(g);
        lay->addWidget(otro);
        ventana.resize(600, 300);
        g->setRows(filas);
        g->setCols(columnas);
        ventana.show();
        QApplication::setActiveWindow(&ventana);
        QObject::connect(g, &FlexGrid::EnterCell,
                         [this] { eventos << QString("Enter %1,%2").arg(g->Row()).arg(g->Col()); });
        QObject::connect(g, &FlexGrid::LeaveCell,
                         [this] { eventos << QString("Leave %1,%2").arg(g->Row()).arg(g->Col()); });
        QObject::connect(g, &FlexGrid::RowColChange, [this] { eventos << "RowColChange"; });
        QObject::connect(g, &FlexGrid::GotFocus, [this] { eventos << "GotFocus"; });
        QObject::connect(g, &FlexGrid::Click, [this] { eventos << "Click"; });
        QObject::connect(g, &FlexGrid::Scroll, [this] { eventos << "Scroll"; });
        QObject::connect(g, &FlexGrid::KeyPress,
                         [this](int& k) { eventos << QString("KeyPress %1").arg(k); });
    }
    QPoint centroDe(int r, int c) {
        g->setRow(r);
        g->setCol(c);
        const QPoint p(vb::PixelesDeTwips(g->CellLeft() + g->CellWidth() / 2),
                       vb::PixelesDeTwips(g->CellTop() + g->CellHeight() / 2));
        eventos.clear();
        return g->viewport()->mapFrom(g, p);
    }
};

}  // namespace

TEST(FlexGrid, ChangingTheCellFromCodeRaisesLeaveThenEnterThenRowColChange) {
    GrillaVisible v;
    v.g->setRow(3);
    EXPECT_EQ(v.eventos, QStringList({"Leave 1,1", "Enter 3,1", "RowColChange"}));
    v.eventos.clear();
    v.g->setRow(3);   // the same cell: nothing happens
    v.g->setCol(20);  // outside the grid: ignored
    EXPECT_TRUE(v.eventos.isEmpty());
    EXPECT_EQ(v.g->Col(), 1);
}

TEST(FlexGrid, AClickOnAnotherCellLeavesTheOldOneBeforeTheGridTakesTheFocus) {
    GrillaVisible v;
    const QPoint p = v.centroDe(2, 3);
    v.g->setRow(1);
    v.g->setCol(1);
    v.otro->setFocus();
    QApplication::processEvents();
    v.eventos.clear();
    QTest::mouseClick(v.g->viewport(), Qt::LeftButton, {}, p);
    EXPECT_EQ(v.eventos, QStringList({"Leave 1,1", "Enter 2,3", "RowColChange", "GotFocus", "Click"}));
    // A click on the fixed title row goes to the first data row of that column.
    v.eventos.clear();
    QTest::mouseClick(v.g->viewport(), Qt::LeftButton, {}, QPoint(p.x(), 2));
    EXPECT_EQ(v.g->Row(), 1);
    EXPECT_EQ(v.g->Col(), 3);
}

TEST(FlexGrid, KeysMoveWithinTheScrollableCellsAndCharactersArePressed) {
    GrillaVisible v(4, 3);
    v.g->setFocus();
    QApplication::processEvents();
    v.eventos.clear();
    QTest::keyClick(v.g, Qt::Key_Up);  // row 1 is the highest reachable
    EXPECT_EQ(v.g->Row(), 1);
    QTest::keyClick(v.g, Qt::Key_Down);
    QTest::keyClick(v.g, Qt::Key_Down);
    QTest::keyClick(v.g, Qt::Key_Down);
    EXPECT_EQ(v.g->Row(), 3);
    QTest::keyClick(v.g, Qt::Key_Left);
    EXPECT_EQ(v.g->Col(), 1);
    v.eventos.clear();
    QTest::keyClick(v.g, Qt::Key_Return);
    QTest::keyClick(v.g, Qt::Key_5);
    QTest::keyClick(v.g, Qt::Key_Escape);
    EXPECT_EQ(v.eventos, QStringList({"KeyPress 13", "KeyPress 53", "KeyPress 27"}));
    EXPECT_EQ(v.g->Row(), 3);  // Enter itself does not move
}

TEST(FlexGrid, CellsKeepTextColourAndPlaceInTwips) {
    GrillaVisible v(13, 9);
    v.g->setColWidth(1, 960);
    v.g->setColWidth(2, 640);
    v.g->setRow(2);
    v.g->setCol(2);
    v.g->setCellBackColor(0xFFFF00);
    EXPECT_EQ(vb::ColorDeVB(v.g->CellBackColorAt(2, 2)), QColor(0, 255, 255));  // cyan
    EXPECT_EQ(v.g->CellBackColorAt(2, 1), -1);
    v.g->setText("1.234");
    EXPECT_EQ(v.g->TextMatrix(2, 2), "1.234");
    EXPECT_EQ(v.g->CellWidth(), 640);
    EXPECT_EQ(v.g->CellHeight(), 240);
    // Row 2 lies below the title row and row 1.
    EXPECT_EQ(v.g->CellTop() - v.g->viewport()->y() * 15, 2 * 240);

    v.g->setFillStyle(vb::flexFillRepeat);
    v.g->setRowSel(4);
    v.g->setCellBackColor(0x00FF00);
    EXPECT_EQ(v.g->CellBackColorAt(4, 2), 0x00FF00);
    EXPECT_EQ(v.g->CellBackColorAt(5, 2), -1);

    v.g->Clear();
    EXPECT_EQ(v.g->TextMatrix(2, 2), "");
    EXPECT_EQ(v.g->CellBackColorAt(2, 2), -1);
    EXPECT_EQ(v.g->Rows(), 13);
}

TEST(FlexGrid, TopRowScrollsAndOnlyTheUserRaisesScroll) {
    GrillaVisible v(100, 3);
    const int antes = v.g->CellTop();
    v.g->setTopRow(5);
    EXPECT_TRUE(v.eventos.isEmpty());
    v.g->verticalScrollBar()->setValue(v.g->verticalScrollBar()->value() + 1);
    EXPECT_EQ(v.eventos, QStringList({"Scroll"}));
    EXPECT_EQ(v.g->TopRow(), 6);
    v.g->setTopRow(5);
    EXPECT_EQ(v.g->TopRow(), 5);
    EXPECT_FALSE(v.g->isRowVisible(1));
    EXPECT_LT(v.g->CellTop(), antes);  // row 1 now lies above the visible rows
    v.g->setTopRow(0);                 // never above the fixed rows
    EXPECT_EQ(v.g->TopRow(), 1);
}

TEST(FlexGrid, AddItemAndRemoveItemShiftRows) {
    FlexGrid g;
    g.setRows(2);
    g.setCols(3);
    g.AddItem("01/2024\t10\t20");
    g.AddItem("00/0000\tx", 1);
    EXPECT_EQ(g.Rows(), 4);
    EXPECT_EQ(g.TextMatrix(1, 0), "00/0000");
    EXPECT_EQ(g.TextMatrix(3, 2), "20");
    g.RemoveItem(1);
    EXPECT_EQ(g.TextMatrix(2, 0), "01/2024");
    g.RemoveItem(0);  // the title row stays
    EXPECT_EQ(g.Rows(), 3);
}

TEST(CajaTexto, KeyPressHandlersChangeOrSwallowTheTypedCharacter) {
    QWidget ventana;
    auto* caja = new vb::CajaTexto(&ventana);
    ventana.show();
    QApplication::setActiveWindow(&ventana);
    caja->setFocus();
    QObject::connect(caja, &vb::CajaTexto::KeyPress, [](int& k) {
        if (k == 'a') k = 'A';
        if (k == '*') k = 0;
    });
    QTest::keyClicks(caja, "ab*c");
    EXPECT_EQ(caja->text(), "Abc");
    caja->setMaxLength(0);
    caja->setText(QString(300, 'x'));
    EXPECT_EQ(caja->text().size(), 300);
    caja->setMaxLength(3);
    caja->clear();
    QTest::keyClicks(caja, "12345");
    EXPECT_EQ(caja->text(), "123");
}

TEST(CajaTexto, AKeyDownHandlerThatEndsTheEditTakesTheKey) {
    QWidget ventana;
    auto* caja = new vb::CajaTexto(&ventana);
    auto* otro = new QLineEdit(&ventana);
    ventana.show();
    QApplication::setActiveWindow(&ventana);
    caja->setFocus();
    QStringList vistos;
    QObject::connect(caja, &vb::CajaTexto::KeyDown, [&](int& k, int) {
        vistos << QString("down %1").arg(k);
        if (k == 13) otro->setFocus();
    });
    QObject::connect(caja, &vb::CajaTexto::KeyPress, [&](int& k) { vistos << QString("press %1").arg(k); });
    QTest::keyClick(caja, Qt::Key_7);
    QTest::keyClick(caja, Qt::Key_Return);
    EXPECT_EQ(vistos, QStringList({"down 55", "press 55", "down 13"}));
    EXPECT_EQ(caja->text(), "7");
}

TEST(FlexGrid, ALongScrolledGridHitsTheRowShownUnderTheMouse) {
    GrillaVisible v(20000, 9);
    v.g->setTopRow(15000);
    const QPoint p = v.centroDe(15003, 2);
    QTest::mouseClick(v.g->viewport(), Qt::LeftButton, {}, p);
    EXPECT_EQ(v.g->Row(), 15003);
    EXPECT_EQ(v.g->Col(), 2);
    EXPECT_TRUE(v.g->isRowVisible(15003));
    EXPECT_FALSE(v.g->isRowVisible(14999));
    EXPECT_FALSE(v.g->isRowVisible(19999));
    // The title row stays on top: a click there goes to the first shown scrollable row's column.
    QTest::mouseClick(v.g->viewport(), Qt::LeftButton, {}, QPoint(p.x(), 2));
    EXPECT_EQ(v.g->Row(), 1);
}

TEST(FlexGrid, ScrollsOnlyAsFarAsNeededAndCtrlHomeEndReachTheCorners) {
    GrillaVisible v(200, 4);  // four default columns fit the 600-pixel width
    QApplication::processEvents();
    EXPECT_FALSE(v.g->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(v.g->verticalScrollBar()->isVisible());
    v.g->setFocus();
    QTest::keyClick(v.g, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(v.g->Row(), 199);
    EXPECT_EQ(v.g->Col(), 3);
    EXPECT_TRUE(v.g->isRowVisible(199));
    // The last row ends at the bottom: no scrolling past it.
    v.g->setTopRow(199);
    EXPECT_TRUE(v.g->isRowVisible(v.g->TopRow() + 5));
    QTest::keyClick(v.g, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(v.g->Row(), 1);
    EXPECT_EQ(v.g->Col(), 1);
    EXPECT_EQ(v.g->TopRow(), 1);

    // A grid cut down from a scrolled position shows its rows from the top.
    v.g->setTopRow(150);
    v.g->setRows(13);
    QApplication::processEvents();
    EXPECT_EQ(v.g->TopRow(), 1);
    EXPECT_FALSE(v.g->verticalScrollBar()->isVisible());
    // Columns wider than the grid bring the bar, and moving right shows the cell whole.
    v.g->setCols(12);
    QApplication::processEvents();
    EXPECT_TRUE(v.g->horizontalScrollBar()->isVisible());
    QTest::keyClick(v.g, Qt::Key_End);
    EXPECT_EQ(v.g->Col(), 11);
    EXPECT_GT(v.g->LeftCol(), 1);
    EXPECT_LE(vb::PixelesDeTwips(v.g->CellLeft() + v.g->CellWidth()),
              v.g->viewport()->x() + v.g->viewport()->width() + 1);
}

TEST(FlexGrid, ANumberWidensItsColumnToItsWidestTextAndTheColumnNarrowsWhenItLeaves) {
    GrillaVisible v(4, 4);
    FlexGrid& g = *v.g;
    for (int c = 1; c < 4; ++c) g.setColWidth(c, 640);
    g.setColWidth(3, 0);  // hidden
    g.setTextMatrix(1, 1, "12589200,000");
    g.setTextMatrix(1, 2, "Un texto que no es un número");
    g.setTextMatrix(2, 2, "01/2022");
    g.setTextMatrix(1, 3, "12589200,000");
    EXPECT_EQ(g.ColWidth(1), g.AnchoParaTexto("12589200,000"));
    EXPECT_EQ(g.TextoMostrado(1, 1), "12589200,000");
    EXPECT_EQ(g.ColWidth(2), 640);
    EXPECT_EQ(g.ColWidth(3), 0);

    // The title of a column of numbers is its widest text now.
    g.setTextMatrix(0, 1, "Coeficiente de ajuste");
    g.setTextMatrix(1, 1, "1,5");
    EXPECT_EQ(g.ColWidth(1), g.AnchoParaTexto("Coeficiente de ajuste"));
    g.setTextMatrix(0, 1, "Coef.");
    EXPECT_EQ(g.ColWidth(1), 640);

    g.AddItem("\t-1.234.567,89");
    EXPECT_EQ(g.ColWidth(1), g.AnchoParaTexto("-1.234.567,89"));
    g.RemoveItem(g.Rows() - 1);
    EXPECT_EQ(g.ColWidth(1), 640);
    g.setTextMatrix(2, 1, "6945,2937");
    g.Clear();
    EXPECT_EQ(g.ColWidth(1), 640);
}

TEST(FlexGrid, TabAndShiftTabLeaveTheGridUnlessAKeyDownHandlerTakesTheKey) {
    GrillaVisible v;
    auto* antes = new QLineEdit(&v.ventana);
    antes->show();
    QWidget::setTabOrder(antes, v.g);
    QWidget::setTabOrder(v.g, v.otro);
    v.g->setFocus();
    QApplication::processEvents();
    v.eventos.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), v.otro);
    v.g->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), antes);
    EXPECT_FALSE(v.eventos.contains("KeyPress 9"));

    QObject::connect(v.g, &FlexGrid::KeyDown, [](int& k, int) {
        if (k == vb::vbKeyTab) k = 0;
    });
    v.g->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), v.g);
}
