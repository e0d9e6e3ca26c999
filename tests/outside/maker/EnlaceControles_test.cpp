#include "outside/maker/EnlaceControles.h"

#include "support/ImprimeQt.h"

#include <gtest/gtest.h>
#include "outside/controls/CajaTexto.h"

#include <QVBoxLayout>
#include <QWidget>

using maker::EnlaceControles;

namespace {

TEST(EnlaceControles, EndingKeys) {
    EnlaceControles e;
    for (int tecla : {13, 27, 38, 40}) EXPECT_TRUE(e.TeclaSalida(tecla)) << tecla;
    for (int tecla : {9, 37, 39, 65, 113, 0}) EXPECT_FALSE(e.TeclaSalida(tecla)) << tecla;
    bool termina = false;
    EXPECT_TRUE(e.TeclaSalida(13, termina));
    EXPECT_TRUE(termina);
    EXPECT_FALSE(e.TeclaSalida(65, termina));
    EXPECT_FALSE(termina);
    int tecla = 13;
    e.FiltraTecla(nullptr, tecla);
    EXPECT_EQ(tecla, 13);
}

struct Ventana {
    QWidget w;
    vb::CajaTexto *a, *b, *c, *d;
    Ventana() {
        auto* capa = new QVBoxLayout(&w);
        for (vb::CajaTexto** e : {&a, &b, &c, &d}) capa->addWidget(*e = new vb::CajaTexto(&w));
        a->DataField = "anio";
        b->DataField = "Descripcion";
        c->setEnabled(false);
        w.show();
    }
};

TEST(EnlaceControles, FocusMovesToTheNextOrPreviousControlThatCanTakeIt) {
    EnlaceControles e;
    Ventana v;
    e.MueveFoco(13, v.a);
    EXPECT_EQ(v.w.focusWidget(), v.b);
    e.MueveFoco(40, v.b);  // the disabled box is passed over
    EXPECT_EQ(v.w.focusWidget(), v.d);
    e.MueveFoco(38, v.d);
    EXPECT_EQ(v.w.focusWidget(), v.b);
    e.MueveFoco(27, v.b);
    EXPECT_EQ(v.w.focusWidget(), v.b);
    v.a->setEnabled(false);
    v.b->setEnabled(false);
    v.d->setEnabled(false);
    e.MueveFoco(13, v.b);  // nothing can take it: no endless turn
}

TEST(EnlaceControles, ClearingTouchesBoundBoxesOnlyAndConfiguringKeepsTexts) {
    EnlaceControles e;
    Ventana v;
    v.a->setText("2024");
    v.b->setText("x");
    v.d->setText("libre");
    e.IniciaControles(&v.w, EnlaceControles::kModoConfigurar);
    EXPECT_EQ(v.a->text(), "2024");
    e.IniciaControles(&v.w);
    EXPECT_EQ(v.a->text(), "");
    EXPECT_EQ(v.b->text(), "");
    EXPECT_EQ(v.d->text(), "libre");

    const QList<vb::CajaTexto*> cajas{v.a, v.b, v.c};
    EXPECT_EQ(e.CampoEnlazado("ANIO", cajas), 0);
    EXPECT_EQ(e.CampoEnlazado("descripcion ", cajas), 1);
    EXPECT_EQ(e.CampoEnlazado("Codigo", cajas), -1);
}

}  // namespace
