#include "outside/controls/UtilVex.h"

#include "support/ImprimeQt.h"

#include <gtest/gtest.h>
#include <QSet>
#include <QToolButton>

namespace {

// The action keys the bar raised.
struct Oyente {
    QStringList teclas;
    explicit Oyente(UtilVex& barra) {
        QObject::connect(&barra, &UtilVex::Click, [this](const QString& b) { teclas << b; });
    }
};

TEST(UtilVex, EveryActionHasAButtonAndItsOwnFunctionKeyOnTheTooltip) {
    UtilVex barra;
    EXPECT_EQ(UtilVex::Acciones(), QStringList({"NUEVO", "BORRAR", "GRABAR", "PLANILLA", "CONSULTAR",
                                                "REPORTE", "CERRAR", "CANCELAR"}));
    QSet<int> teclas;
    for (const QString& accion : UtilVex::Acciones()) {
        QToolButton* b = barra.Boton(accion);
        ASSERT_NE(b, nullptr) << accion.toStdString();
        const int tecla = UtilVex::TeclaDe(accion);
        EXPECT_GE(tecla, 112);
        EXPECT_LE(tecla, 123);
        teclas.insert(tecla);
        EXPECT_TRUE(b->toolTip().contains(UtilVex::NombreTecla(tecla))) << b->toolTip().toStdString();
        EXPECT_FALSE(b->icon().isNull());
        EXPECT_EQ(UtilVex::AccionDe(tecla), accion);
    }
    EXPECT_EQ(teclas.size(), 8);
    EXPECT_EQ(UtilVex::TeclaDe("CONSULTAR"), 116);  // F5, the lookup key of the suite
    EXPECT_EQ(barra.Boton("Grabar")->toolTip(), "Grabar (F4)");
}

TEST(UtilVex, ClicksAndFunctionKeysRaiseTheActionKey) {
    UtilVex barra;
    Oyente spy(barra);
    barra.Boton("GRABAR")->click();
    EXPECT_TRUE(barra.ProcesaTecla(UtilVex::TeclaDe("NUEVO")));
    EXPECT_EQ(spy.teclas, QStringList({"GRABAR", "NUEVO"}));
}

TEST(UtilVex, DisabledButtonsAndUnmappedKeysDoNothing) {
    UtilVex barra;
    Oyente spy(barra);
    barra.setHabilitado("borrar", false);
    EXPECT_FALSE(barra.Habilitado("BORRAR"));
    barra.Boton("BORRAR")->click();
    EXPECT_FALSE(barra.ProcesaTecla(UtilVex::TeclaDe("BORRAR")));
    for (int tecla : {0, 13, 27, 65, 112, 124}) EXPECT_FALSE(barra.ProcesaTecla(tecla)) << tecla;
    barra.setHabilitado("NO EXISTE", false);
    EXPECT_FALSE(barra.Habilitado("NO EXISTE"));
    barra.setEnabled(false);  // the whole bar off
    EXPECT_FALSE(barra.ProcesaTecla(UtilVex::TeclaDe("GRABAR")));
    EXPECT_TRUE(spy.teclas.isEmpty());

    barra.setEnabled(true);
    barra.setHabilitado("BORRAR", true);
    EXPECT_TRUE(barra.ProcesaTecla(UtilVex::TeclaDe("BORRAR")));
    EXPECT_EQ(spy.teclas, QStringList({"BORRAR"}));
}

TEST(UtilVex, StyleBarSwitchesFlatButtons) {
    UtilVex barra;
    barra.setProperty("StyleBar", false);
    EXPECT_FALSE(barra.StyleBar());
    EXPECT_FALSE(barra.Boton("CERRAR")->autoRaise());
    barra.setStyleBar(true);
    EXPECT_TRUE(barra.Boton("CERRAR")->autoRaise());
}

}  // namespace

TEST(UtilVex, DispatchIdentifiersSwitchTheirOwnButton) {
    UtilVex barra;
    const QStringList esperadas{"NUEVO",     "BORRAR",  "GRABAR",   "PLANILLA",
                                "CONSULTAR", "REPORTE", "CANCELAR", "CERRAR"};
    for (int i = 0; i < esperadas.size(); ++i) {
        const int id = 0x6803000A + i;
        EXPECT_EQ(UtilVex::AccionDeId(id), esperadas[i]);
        barra.setEstado(id, false);
        for (const QString& accion : esperadas) EXPECT_EQ(barra.Habilitado(accion), accion != esperadas[i]);
        barra.setEstado(id, true);
    }
    barra.setEstado(0x68030012, false);
    for (const QString& accion : esperadas) EXPECT_TRUE(barra.Habilitado(accion));
}
