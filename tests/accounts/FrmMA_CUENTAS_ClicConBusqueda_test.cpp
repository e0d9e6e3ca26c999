// A code typed while the code search is open, then a toolbar button clicked with the mouse: the
// button acts on the code the user typed, checked as leaving the box checks it, and the stored
// rows show it.
#include "account_extras/frmMA_CUENTASADIC.h"
#include "accounts/CuentasDePrueba.h"
#include "accounts/EnlacesCuentas.h"
#include "accounts/frmMa_ManualCuentas.h"
#include "outside/controls/BarraBotones.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/UtilVex.h"
#include "support/Control.h"
#include "support/LocaleNumeros.h"
#include "support/Teclado.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

class ToolbarClickOverTheSearch : public ::testing::Test {
  protected:
    void SetUp() override {
        EnlacesCuentas::RegistraFormulariosDelSistema();
        v.Iniciar();
        v.EscribirCodigo("11030100104");
        ASSERT_TRUE(v.f().CuentaGuardada());
    }
    void TearDown() override {
        if (frmMa_ManualCuentas* m = frmMa_ManualCuentas::Instancia()) delete m;
        if (frmMA_CUENTASADIC::Existe()) delete &frmMA_CUENTASADIC::instancia();
    }
    // The box clicked, its code selected and another typed: the search opens on the first key
    // and takes the rest.
    void TecleaEnBusqueda(const char* caja, const QString& codigo) {
        teclado::Clic(Control<vb::CajaTexto>(v.f(), caja));
        teclado::Tecla(Qt::Key_A, Qt::ControlModifier);
        teclado::Teclea(codigo);
        bool abierta = false;
        for (vb::BusquedaCodigo* b : v.f().findChildren<vb::BusquedaCodigo*>())
            abierta = abierta || b->Visible();
        ASSERT_TRUE(abierta);
    }
    void ClicPrincipal(const QString& accion) {
        QTest::mouseClick(Control<UtilVex>(v.f(), "UtilVex1")->Boton(accion), Qt::LeftButton);
        QApplication::processEvents();
    }
    void ClicLateral(int boton) {
        auto* barra = Control<vb::BarraBotones>(v.f(), "Tbar");
        QTest::mouseClick(barra->widgetForAction(barra->Buttons(boton)), Qt::LeftButton);
        QApplication::processEvents();
    }
    // "Grabar" clicked; the question about the account's additional data answered No.
    void GrabaConClic() {
        v.guion().esperarMsgBox(vb::vbNo);
        ClicPrincipal("GRABAR");
        ASSERT_EQ(v.guion().preguntas().size(), 1);
        EXPECT_TRUE(v.guion().preguntas().at(0).texto.contains("¿Desea Actualizar los datos adicionales?"));
    }
    int Auditadas(const QString& codigo) const {
        return v.Filas("SELECT count(*) FROM MV_CPTEACCIONES WHERE SYSTEMUSER LIKE '" + codigo + "%'");
    }

    LocaleNumeros locale_{LocaleNumeros::coma()};
    CuentasDePrueba v;
};

TEST_F(ToolbarClickOverTheSearch, TheManualAndTheAdditionalDataOpenOnTheAccountTyped) {
    TecleaEnBusqueda("TxtCodigo", "11030100103");
    ClicLateral(3);
    frmMa_ManualCuentas* m = frmMa_ManualCuentas::Instancia();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(Control<QLabel>(*m, "LblCuenta")->text(), "Cuenta: 11030100103 ALMACEN DON PEDRO");
    teclado::Activa(m);
    QTest::mouseClick(Control<QPlainTextEdit>(*m, "txtFields", 0)->viewport(), Qt::LeftButton);
    teclado::Teclea("TEXTO DEL MANUAL");
    QTest::mouseClick(Control<QPushButton>(*m, "CmdActualizar"), Qt::LeftButton);
    EXPECT_EQ(v.Filas("SELECT count(*) FROM MA_CUENTAS WHERE Manual LIKE '%TEXTO DEL MANUAL%'"), 1);
    EXPECT_EQ(v.Filas("SELECT count(*) FROM MA_CUENTAS WHERE CODIGO = '11030100103' AND Manual LIKE "
                      "'%TEXTO DEL MANUAL%'"),
              1);
    m->close();
    QApplication::processEvents();

    teclado::Activa(&v.f());
    TecleaEnBusqueda("TxtCodigo", "11030100105");
    ClicLateral(2);
    ASSERT_TRUE(frmMA_CUENTASADIC::Existe());
    EXPECT_EQ(Control<vb::CajaTexto>(frmMA_CUENTASADIC::instancia(), "txtFields", 0)->text(), "11030100105");
    EXPECT_TRUE(v.guion().preguntas().isEmpty());
}

// The code field changed to another account and "Grabar": the form leaves the field as Tab would
// (the other account loaded once the user agrees to drop the unsaved edit of the first one) and
// saves that account.
TEST_F(ToolbarClickOverTheSearch, SaveActsOnTheAccountTheCodeFieldWasChangedTo) {
    auto* descripcion = Control<vb::CajaTexto>(v.f(), "txtFields", 0);
    teclado::Clic(descripcion);
    teclado::Tecla(Qt::Key_End);
    teclado::Teclea(" Z");
    TecleaEnBusqueda("txtFields_1", "11030100103");
    v.guion().esperarMsgBox(vb::vbYes);
    v.guion().esperarMsgBox(vb::vbNo);
    ClicPrincipal("GRABAR");
    ASSERT_EQ(v.guion().preguntas().size(), 2);
    EXPECT_EQ(v.guion().preguntas().at(0).texto, "¿Está seguro de abandonar la carga de datos?");
    EXPECT_TRUE(v.guion().preguntas().at(1).texto.contains("¿Desea Actualizar los datos adicionales?"));
    EXPECT_EQ(v.Guardado("11030100104", "DESCRIPCION"), "SUPERMERCADO EL SOL");
    EXPECT_EQ(v.Guardado("11030100103", "DESCRIPCION"), "ALMACEN DON PEDRO");
    EXPECT_EQ(Auditadas("11030100104"), 0);
    EXPECT_EQ(Auditadas("11030100103"), 1);
    EXPECT_EQ(v.Filas("SELECT count(*) FROM MV_CPTEACCIONES"), 1);
}

TEST_F(ToolbarClickOverTheSearch, SaveTakesTheRelatedAccountTyped) {
    TecleaEnBusqueda("txtFields_3", "11010100101");
    GrabaConClic();
    EXPECT_EQ(v.Guardado("11030100104", "CuentaPrincipal"), "11010100101");
    EXPECT_EQ(Auditadas("11030100104"), 1);
}

}  // namespace
