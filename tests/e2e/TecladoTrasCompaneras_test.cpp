// A window opened beside the chart (additional data, cost centres, the manual, "Planilla") hands
// the keyboard back to the chart when it is closed, at the control that had it: the next key a
// user types lands there, whatever way the window was closed.
#include "account_extras/Frmta_asigccosto.h"
#include "account_extras/frmMA_CUENTASADIC.h"
#include "accounts/CuentasDePrueba.h"
#include "accounts/EnlacesCuentas.h"
#include "accounts/frmMa_ManualCuentas.h"
#include "outside/controls/BarraBotones.h"
#include "outside/controls/UtilVex.h"
#include "outside/maker/VisorConsulta.h"
#include "support/Control.h"
#include "support/Teclado.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <functional>

namespace {

struct Companera {
    const char* nombre;
    // Opens the window from the chart and answers it; null when it did not open.
    std::function<QWidget*(CuentasDePrueba&)> abre;
    // Closes it the way a user does.
    std::function<void(QWidget*)> cierra;
};

void PrintTo(const Companera& c, std::ostream* os) {
    *os << c.nombre;
}

QWidget* Lateral(CuentasDePrueba& c, const QString& cuenta, int boton) {
    EnlacesCuentas::RegistraFormulariosDelSistema();
    c.EscribirCodigo(cuenta);
    Control<vb::BarraBotones>(c.f(), "Tbar")->Pulsa(boton);
    QApplication::processEvents();
    return QApplication::activeWindow();
}

QWidget* DatosAdicionales(CuentasDePrueba& c) {
    Lateral(c, "11030100103", 2);
    return frmMA_CUENTASADIC::Existe() ? &frmMA_CUENTASADIC::instancia() : nullptr;
}

void Tecla(Qt::Key tecla) {
    teclado::Tecla(tecla);
}

const Companera kCompaneras[] = {
    {"datos adicionales, Cancelar", DatosAdicionales,
     [](QWidget* w) { teclado::Clic(Control<UtilVex>(*w, "UtilVex1")->Boton("CANCELAR")); }},
    {"datos adicionales, F8", DatosAdicionales, [](QWidget*) { Tecla(Qt::Key_F8); }},
    {"centros de costos, F12",
     [](CuentasDePrueba& c) -> QWidget* {
         Lateral(c, "51020100101", 4);
         return Frmta_asigccosto::Existe() ? &Frmta_asigccosto::instancia() : nullptr;
     },
     [](QWidget*) { Tecla(Qt::Key_F12); }},
    {"manual de cuentas, Cerrar",
     [](CuentasDePrueba& c) -> QWidget* {
         Lateral(c, "11010100101", 3);
         return frmMa_ManualCuentas::Instancia();
     },
     [](QWidget* w) { teclado::Clic(Control<QPushButton>(*w, "cmdClose")); }},
    {"planilla, Escape",
     [](CuentasDePrueba& c) -> QWidget* {
         c.EscribirCodigo("11010100101");
         c.Boton("PLANILLA");
         QTableWidget* grilla = maker::gVisorConsulta().Grilla();
         return grilla ? grilla->window() : nullptr;
     },
     [](QWidget*) { Tecla(Qt::Key_Escape); }},
};

class EveryCompanionWindow : public ::testing::TestWithParam<Companera> {};

TEST_P(EveryCompanionWindow, ClosedHandsTheKeyboardBackToTheChartWhereItWas) {
    const Companera& companera = GetParam();
    CuentasDePrueba c;
    c.Iniciar();
    // "Planilla" is gone once closed.
    QPointer<QWidget> ventana = companera.abre(c);
    ASSERT_NE(ventana, nullptr);
    ASSERT_EQ(QApplication::activeWindow(), ventana) << "opens with the keyboard";
    QWidget* antes = c.f().focusWidget();
    ASSERT_NE(antes, nullptr);
    companera.cierra(ventana);
    QApplication::processEvents();
    ASSERT_TRUE(!ventana || !ventana->isVisible());
    EXPECT_EQ(QApplication::activeWindow(), &c.f());
    ASSERT_EQ(QApplication::focusWidget(), antes);
    EXPECT_TRUE(c.guion().preguntas().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Chart, EveryCompanionWindow, ::testing::ValuesIn(kCompaneras),
                         [](const ::testing::TestParamInfo<Companera>& i) {
                             return std::to_string(i.index);
                         });

}  // namespace
