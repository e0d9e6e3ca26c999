#include "outside/controls/EditorGrilla.h"

#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/Teclas.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>
#include <QVBoxLayout>
#include <array>

namespace {

// A shown grid of 2 columns and 4 rows with its editor wired as a window wires it; Valida
// refuses the text "MAL" and counts its calls.
struct Ventana {
    QWidget w;
    vb::FlexGrid* g = new vb::FlexGrid(&w);
    vb::CajaTexto* caja = new vb::CajaTexto(&w);
    std::array<TipoColumnaGrilla, 2> col{
        {{"N", "", "N", 0, false, false}, {"Valor", "", "VALOR", 5, true, false}}};
    vb::EditorGrilla ed{g, caja};
    QStringList validados;

    Ventana() {
        auto* lay = new QVBoxLayout(&w);
        lay->addWidget(g);
        w.resize(400, 300);
        ed.setColumnas(col);
        ed.setValida([this](bool mostrar) {
            validados << g->Text() + (mostrar ? "!" : "");
            return g->Text() != "MAL";
        });
        ed.Inicializa(4);
        QObject::connect(g, &vb::FlexGrid::KeyPress, [this](int& k) { ed.Abre(k); });
        QObject::connect(g, &vb::FlexGrid::LeaveCell, [this] { ed.Cierra(); });
        QObject::connect(caja, &vb::CajaTexto::KeyDown, [this](int& k, int) { ed.TeclaEditor(k); });
        w.show();
        QApplication::setActiveWindow(&w);
        g->setFocus();
        g->setRow(1);
        g->setCol(1);
    }
    void escribe(const QString& texto, Qt::Key fin) {
        QTest::keyClicks(g, texto.left(1));
        QTest::keyClicks(caja, texto.mid(1));
        QTest::keyClick(caja, fin);
    }
};

}  // namespace

TEST(EditorGrilla, ARefusedValueKeepsTheEditorOpenAndEscapeThenLeavesTheCellAsItWas) {
    Ventana v;
    v.g->setTextMatrix(1, 1, "10");
    v.escribe("MAL", Qt::Key_Return);
    EXPECT_TRUE(v.ed.Editando());
    EXPECT_TRUE(v.ed.Pendiente());
    EXPECT_EQ(v.g->Row(), 1);
    // The refused value stays in view, selected: a new one typed replaces it.
    EXPECT_EQ(v.caja->selectedText(), "MAL");
    QTest::keyClicks(v.caja, "MA");
    EXPECT_EQ(v.caja->text(), "MA");
    QTest::keyClick(v.caja, Qt::Key_Return);
    EXPECT_EQ(v.g->TextMatrix(1, 1), "MA");
    EXPECT_EQ(v.g->Row(), 2);
    v.g->setRow(1);
    v.escribe("MAL", Qt::Key_Return);
    QTest::keyClick(v.caja, Qt::Key_Escape);
    EXPECT_FALSE(v.ed.Editando());
    EXPECT_FALSE(v.ed.Pendiente());
    EXPECT_EQ(v.validados, QStringList({"MAL!", "MA!", "MAL!"}));

    // The descriptor limits the editor; a non-editable column opens nothing.
    v.escribe("1234567", Qt::Key_Return);
    EXPECT_EQ(v.g->TextMatrix(1, 1), "12345");
    EXPECT_EQ(v.g->Row(), 2);
    v.g->setCol(0);
    QTest::keyClicks(v.g, "7");
    EXPECT_FALSE(v.ed.Editando());
}

TEST(EditorGrilla, CierraCommitsTheTrimmedTextOnceWithoutAskingAndTheLastRowFollowsTheOption) {
    Ventana v;
    QTest::keyClicks(v.g, "4");
    QTest::keyClicks(v.caja, "2 ");
    EXPECT_TRUE(v.ed.Cierra());
    EXPECT_TRUE(v.ed.Cierra());
    EXPECT_EQ(v.g->TextMatrix(1, 1), "42");
    EXPECT_EQ(v.validados, QStringList({"42"}));

    v.ed.opciones().ultimaFila = vb::EditorGrilla::UltimaFila::kAgregaFila;
    v.g->setRow(3);
    v.escribe("7", Qt::Key_Return);
    EXPECT_EQ(v.g->Rows(), 5);
    EXPECT_EQ(v.g->Row(), 4);
    EXPECT_EQ(v.g->TextMatrix(3, 1), "7");

    v.ed.opciones().ultimaFila = vb::EditorGrilla::UltimaFila::kQueda;
    v.escribe("8", Qt::Key_Down);
    EXPECT_EQ(v.g->Rows(), 5);
    EXPECT_EQ(v.g->Row(), 4);
    EXPECT_EQ(v.g->Col(), 1);
}

TEST(EditorGrilla, EnterOnTheLastShownRowBringsTheNextRowFullyIntoView) {
    Ventana v;
    v.g->setRows(60);
    QApplication::processEvents();
    // The first row whose bottom is below the viewport: Enter on the row above it.
    int r = 1;
    while (v.g->isRowVisible(r + 1)) ++r;
    v.g->setRow(r);
    v.escribe("5", Qt::Key_Return);
    ASSERT_EQ(v.g->Row(), r + 1);
    const int fondo = v.g->viewport()->y() + v.g->viewport()->height();
    EXPECT_LE(vb::PixelesDeTwips(v.g->CellTop() + v.g->CellHeight()), fondo + 1);
    EXPECT_GT(v.g->TopRow(), 1);
}

TEST(EditorGrilla, TheEditorOpensOverItsCellBesideTheGridOrInsideIt) {
    // The grid inset in its window, as a layout or a tab page places it.
    for (const bool dentro : {false, true}) {
        QWidget w;
        auto* g = new vb::FlexGrid(&w);
        g->setGeometry(37, 23, 300, 200);
        auto* caja = new vb::CajaTexto(dentro ? static_cast<QWidget*>(g) : &w);
        std::array<TipoColumnaGrilla, 2> col{
            {{"N", "", "N", 0, false, false}, {"Valor", "", "VALOR", 5, true, false}}};
        vb::EditorGrilla ed{g, caja};
        ed.setColumnas(col);
        ed.Inicializa(4);
        QObject::connect(g, &vb::FlexGrid::KeyPress, [&ed](int& k) { ed.Abre(k); });
        w.resize(400, 300);
        w.show();
        QApplication::setActiveWindow(&w);
        g->setFocus();
        g->setRow(2);
        g->setCol(1);
        QTest::keyClicks(g, "7");
        ASSERT_TRUE(caja->isVisible()) << dentro;
        const QPoint celda(vb::PixelesDeTwips(g->CellLeft()), vb::PixelesDeTwips(g->CellTop()));
        EXPECT_EQ(caja->mapTo(&w, QPoint(0, 0)), g->mapTo(&w, celda)) << dentro;
        EXPECT_EQ(caja->width(), vb::PixelesDeTwips(g->CellWidth())) << dentro;
    }
}
