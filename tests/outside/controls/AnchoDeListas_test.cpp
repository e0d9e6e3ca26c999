#include "outside/controls/AnchoDeListas.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>

namespace {

int Minimo(const QComboBox* c) {
    QApplication::processEvents();
    return c->minimumWidth();
}

TEST(ListBoxWidth, FollowsItsWidestEntryAsShownAndKeepsItsDesignedWidthAsTheLeast) {
    QWidget ventana;
    auto* capa = new QHBoxLayout(&ventana);
    auto* lista = new QComboBox(&ventana);
    lista->setMinimumWidth(120);
    capa->addWidget(lista);
    lista->addItem("Ninguno");
    vb::AnchoDeListas(&ventana);
    EXPECT_EQ(Minimo(lista), 120);  // a short entry: the designed width

    const QString largo = QString::fromUtf8("Retención/Percep Ingresos Brutos");
    lista->addItem(largo);
    const int conLargo = Minimo(lista);
    EXPECT_GE(conLargo, lista->fontMetrics().horizontalAdvance(largo) + 10);

    // An entry's tail behind fifty blanks is out of sight: only what comes before counts, and
    // its indentation does.
    const QString conClave = QString(20, ' ') + largo + QString(300, ' ') + "110301";
    EXPECT_EQ(vb::ParteVisible(conClave), QString(20, ' ') + largo);
    EXPECT_EQ(vb::ParteVisible("PESOS   "), "PESOS");
    lista->addItem(conClave);
    const int conSangria = Minimo(lista);
    EXPECT_GT(conSangria, conLargo);
    EXPECT_LT(conSangria, conLargo + lista->fontMetrics().horizontalAdvance(QString(60, ' ')));

    // A larger font, a wider box; the entries gone, the designed width again.
    QFont letra = lista->font();
    letra.setPointSizeF(letra.pointSizeF() * 2);
    lista->setFont(letra);
    EXPECT_GT(Minimo(lista), conSangria);
    lista->clear();
    EXPECT_EQ(Minimo(lista), 120);
}

}  // namespace
