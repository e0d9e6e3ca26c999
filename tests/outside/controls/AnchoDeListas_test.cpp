#include "outside/controls/AnchoDeListas.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>

namespace {

TEST(ListBoxWidth, FollowsTheEntryItShowsAndKeepsItsDesignedWidthAsTheLeast) {
    QWidget ventana;
    auto* capa = new QHBoxLayout(&ventana);
    auto* lista = new QComboBox(&ventana);
    lista->setMinimumWidth(120);
    capa->addWidget(lista);
    const QString largo = QString::fromUtf8("Retención/Percep Ingresos Brutos");
    // The third entry holds a key out of sight behind fifty blanks; its indentation shows.
    const QString conClave = QString(20, ' ') + largo + QString(300, ' ') + "110301";
    lista->addItems({"Ninguno", largo, conClave});
    vb::AnchoDeListas(&ventana);
    EXPECT_EQ(lista->minimumWidth(), 120);  // a short entry: the designed width

    lista->setCurrentIndex(1);
    const int conLargo = lista->minimumWidth();
    EXPECT_GE(conLargo, lista->fontMetrics().horizontalAdvance(largo) + 10);

    EXPECT_EQ(vb::ParteVisible(conClave), QString(20, ' ') + largo);
    EXPECT_EQ(vb::ParteVisible("PESOS   "), "PESOS");
    lista->setCurrentIndex(2);
    const int conSangria = lista->minimumWidth();
    EXPECT_GT(conSangria, conLargo);
    EXPECT_LT(conSangria, conLargo + lista->fontMetrics().horizontalAdvance(QString(60, ' ')));

    // The entry shown renamed, a larger font: the box follows; back to a short one, the designed width.
    lista->setItemText(2, "X");
    EXPECT_EQ(lista->minimumWidth(), 120);
    lista->setCurrentIndex(1);
    QFont letra = lista->font();
    letra.setPointSizeF(letra.pointSizeF() * 2);
    lista->setFont(letra);
    EXPECT_GT(lista->minimumWidth(), conLargo);
    lista->clear();
    EXPECT_EQ(lista->minimumWidth(), 120);

    // Typed text scrolls inside a box that takes typing, as in a text box.
    auto* busqueda = new QComboBox(&ventana);
    busqueda->setEditable(true);
    busqueda->setMinimumWidth(60);
    capa->addWidget(busqueda);
    vb::AnchoDeListas(&ventana);
    busqueda->setEditText(largo + largo);
    busqueda->addItem(largo + largo);
    EXPECT_EQ(busqueda->minimumWidth(), 60);
}

}  // namespace
