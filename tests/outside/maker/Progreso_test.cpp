#include "outside/maker/Progreso.h"

#include "support/ImprimeQt.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>
#include <QPushButton>

using maker::Progreso;

namespace {

QPushButton* botonCancelar() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible())
            if (auto* b = d->findChild<QPushButton*>(); b && b->text() == "Cancelar") return b;
    return nullptr;
}

TEST(Progreso, ShowsStepsAndReportsTheOperatorsCancel) {
    Progreso p;
    bool cancelar = true;
    EXPECT_FALSE(p.Avance(cancelar, "antes de mostrar"));  // harmless before showing
    EXPECT_FALSE(cancelar);

    p.Mostrar("Generando Reporte de Subdiarios", true);
    EXPECT_TRUE(p.Visible());
    EXPECT_EQ(p.Titulo(), "Generando Reporte de Subdiarios");
    EXPECT_FALSE(p.Avance(cancelar, "Generando el Reporte", "0003-0000123"));
    EXPECT_EQ(p.Texto(), "Generando el Reporte");
    EXPECT_EQ(p.Detalle(), "0003-0000123");

    QPushButton* boton = botonCancelar();
    ASSERT_NE(boton, nullptr);
    boton->click();
    EXPECT_TRUE(p.Avance(cancelar, "Generando el Reporte"));
    EXPECT_TRUE(cancelar);

    p.Habilitar(false);
    EXPECT_FALSE(boton->isEnabled());
    p.Ocultar();
    EXPECT_FALSE(p.Visible());

    p.Mostrar("Otra vez", false);  // a new showing forgets the cancel
    EXPECT_FALSE(p.Avance("paso"));
    EXPECT_TRUE(boton->isEnabled());
    EXPECT_FALSE(boton->isVisible());
    p.Ocultar();
}

}  // namespace
