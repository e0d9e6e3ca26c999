#include "outside/controls/Aceleradores.h"

#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

TEST(Aceleradores, EachCaptionTakesTheFirstLetterNoOtherUses) {
    QWidget ventana;
    auto* boton = new QPushButton("&Aceptar", &ventana);
    const auto campo = [&](const QString& texto, bool conCaja = true) {
        auto* l = new QLabel(texto, &ventana);
        if (conCaja) l->setBuddy(new QLineEdit(&ventana));
        return l;
    };
    QLabel* nombre = campo("&Nombre");
    QLabel* calle = campo("Calle");
    QLabel* codigo = campo("Código");
    QLabel* cuenta = campo("Cuenta");
    QLabel* area = campo("Área");  // its letter is taken by the button, accent or not
    QLabel* suelta = campo("Sin caja", false);
    QLabel* nada = campo("N. 1");
    vb::AsignaAceleradores(&ventana);
    EXPECT_EQ(nombre->text(), "&Nombre");
    EXPECT_EQ(calle->text(), "&Calle");
    EXPECT_EQ(codigo->text(), "C&ódigo");
    EXPECT_EQ(cuenta->text(), "C&uenta");
    EXPECT_EQ(area->text(), "Á&rea");
    EXPECT_EQ(suelta->text(), "Sin caja");
    EXPECT_EQ(nada->text(), "N. 1");
    EXPECT_EQ(boton->text(), "&Aceptar");
}
