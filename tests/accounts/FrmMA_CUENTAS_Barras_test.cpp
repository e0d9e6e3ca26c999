#include "account_extras/Frmta_asigccosto.h"
#include "accounts/CuentasDePrueba.h"
#include "accounts/EnlacesCuentas.h"
#include "data/DB_Dll.h"
#include "outside/controls/BarraBotones.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/UtilVex.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/Procesos.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"
#include "support/Control.h"
#include "support/LocaleNumeros.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTest>

namespace {

class ChartToolbars : public ::testing::Test {
  protected:
    void SetUp() override {
        v.Iniciar();
        for (const char* f : {"frmMA_CUENTASADIC", "Frmta_asigccosto", "frmMa_ManualCuentas"})
            EnlacesCuentas::RegistraFormulario(
                f, [this, f] { abiertos << QString(f) + ":" + CNStuffContable::gCuentaActual; });
        EnlacesCuentas::RegistraVisorConsulta(
            [this](const QString& s, const QString& c, const QString& t) { visor << s << c << t; });
    }
    void TearDown() override {
        for (const char* f : {"frmMA_CUENTASADIC", "Frmta_asigccosto", "frmMa_ManualCuentas"})
            EnlacesCuentas::RegistraFormulario(f, {});
        EnlacesCuentas::RegistraVisorConsulta({});
        vb::setLanzador({});
    }
    void Lateral(int boton) {
        Control<vb::BarraBotones>(v.f(), "Tbar")->Pulsa(boton);
        QApplication::processEvents();
    }
    CuentasDePrueba v;
    QStringList abiertos;
    QStringList visor;
};

TEST_F(ChartToolbars, NewAndCancelReturnToWaitingAndCancelAsksWhileLoading) {
    v.EscribirCodigo("11010100101");
    v.guion().esperarMsgBox(vb::vbNo);
    v.Boton("CANCELAR");
    EXPECT_TRUE(v.f().CuentaGuardada());  // No keeps the account
    EXPECT_EQ(v.guion().preguntas().at(0).texto, "¿Está seguro de abandonar la carga de datos?");
    EXPECT_EQ(v.guion().preguntas().at(0).estilo, vb::vbYesNo | vb::vbExclamation | vb::vbDefaultButton2);
    v.guion().esperarMsgBox(vb::vbYes);
    v.Tecla(Qt::Key_F8);  // CANCELAR by its key, once
    EXPECT_EQ(v.guion().preguntas().size(), 2);
    EXPECT_FALSE(v.f().CuentaGuardada());
    EXPECT_TRUE(Control<vb::CajaTexto>(v.f(), "TxtCodigo")->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), Control<vb::CajaTexto>(v.f(), "TxtCodigo"));
    // Nothing loaded: no question.
    v.Boton("CANCELAR");
    EXPECT_EQ(v.guion().preguntas().size(), 2);

    v.EscribirCodigo("11010100101");
    v.Tecla(Qt::Key_F2);  // NUEVO is off while an account is loaded
    EXPECT_TRUE(v.f().CuentaGuardada());
    v.guion().esperarMsgBox(vb::vbYes);
    v.Boton("CANCELAR");
    v.Boton("NUEVO");
    EXPECT_TRUE(v.f().CuentaNueva());
    EXPECT_EQ(QApplication::focusWidget(), Control<vb::CajaTexto>(v.f(), "txtFields", 0));
}

TEST_F(ChartToolbars, SaveWithARefusedFieldSavesNothingAndTheNextSaveSaves) {
    v.EscribirCodigo("11010100199");
    v.guion().esperarMsgBox(vb::vbOK);
    v.Tecla(Qt::Key_F4);  // GRABAR: an empty description is refused
    EXPECT_EQ(v.guion().preguntas().last().texto, "Debe ingresar el nombre de la cuenta");
    EXPECT_EQ(QApplication::focusWidget(), Control<vb::CajaTexto>(v.f(), "txtFields", 0));
    EXPECT_EQ(v.Guardado("11010100199", "DESCRIPCION"), "(sin fila)");
    // The refused save left nothing behind: the description typed next is saved.
    v.EscribirCampo(0, "CAJA CHICA");
    v.Tecla(Qt::Key_F4);
    EXPECT_EQ(v.Guardado("11010100199", "DESCRIPCION"), "CAJA CHICA");
}

TEST_F(ChartToolbars, ListShowsTheActiveChartInTheViewer) {
    v.Tecla(Qt::Key_F6);
    EXPECT_EQ(visor,
              (QStringList{"SELECT CODIGO,DV,DESCRIPCION,TITULO,AJUSTE,INDICE,BLOQUEO FROM MA_CUENTAS WHERE "
                           "(DADA_DE_BAJA = 0) ORDER BY CODIGO",
                           CNStuffContable::gBaseDatos().gConnString, "Plan General de Cuentas"}));
}

TEST_F(ChartToolbars, TheReportStartsTheReportProgramWithTheSuiteParameters) {
    QStringList lanzado;
    vb::setLanzador([&](const QString& programa, const QStringList& argumentos) {
        lanzado << programa << argumentos;
        return true;
    });
    v.guion().esperarMsgBox(vb::vbOK);
    v.Boton("REPORTE");
    EXPECT_EQ(
        v.guion().preguntas().at(0).texto,
        "Error de integridad en los Archivos del sistema (QT742R), copie este mensaje y comuniquese con su "
        "proveedor de software");
    EXPECT_TRUE(lanzado.isEmpty());

    QFile programa(vb::App().Path + "/qt742r");
    ASSERT_TRUE(programa.open(QIODevice::WriteOnly));
    programa.close();
    v.Tecla(Qt::Key_F7);
    const DB_Dll& db = CNStuffContable::gBaseDatos();
    EXPECT_EQ(lanzado, (QStringList{vb::App().Path + "/qt742r",
                                    "@Menu=Rp_PlanCtas;@Server=" + db.gServidor + ";@DbName=" + db.gDBName +
                                        ";@Usuario=" + db.gUsuario + ";@Password=" + db.gUserPassWord +
                                        ";@UsuarioLogeado=ADMIN;tarvo@;"}));
}

TEST_F(ChartToolbars, CloseEndsTheProgramFromItsButtonAndItsKey) {
    EXPECT_THROW(v.Boton("CERRAR"), vb::FinDelPrograma);
    CuentasDePrueba otra;
    otra.Iniciar();
    EXPECT_THROW(otra.Tecla(Qt::Key_F12), vb::FinDelPrograma);
}

TEST_F(ChartToolbars, LookupSearchesFromTheDescriptionOrLooksTheFieldUpOnce) {
    QStringList pedidos;
    EnlacesCuentas::RegistraConsultaTabla([&](const QString& tabla) {
        pedidos << "tabla:" + tabla;
        return QString("11010100102");
    });
    EnlacesCuentas::RegistraConsultaSearch(
        [&](const QString& tabla, const QString& condicion, const QString&) {
            pedidos << "busca:" + tabla + condicion;
            return QString("11010100101");
        });
    // Last in the description, the lookup is the code box's search by description.
    v.EscribirCampo(0, "CAJA P");
    Control<vb::CajaTexto>(v.f(), "TxtCodigo")->setFocus();
    v.Boton("CONSULTAR");
    EXPECT_EQ(pedidos, QStringList{"busca:MA_CUENTAS(DESCRIPCION LIKE 'CAJA P%')"});
    EXPECT_TRUE(v.f().CuentaGuardada());
    // From the related account, its table's lookup, by the key and by the button.
    Control<vb::CajaTexto>(v.f(), "txtFields", 3)->setFocus();
    v.Tecla(Qt::Key_F5);
    Control<vb::CajaTexto>(v.f(), "txtFields", 3)->setFocus();
    v.Boton("CONSULTAR");
    EXPECT_EQ(pedidos.mid(1), (QStringList{"tabla:MA_CUENTAS", "tabla:MA_CUENTAS"}));
    EXPECT_EQ(Control<QLabel>(v.f(), "LblDescRelacionado")->text(), "CAJA DOLARES");
    EnlacesCuentas::RegistraConsultaTabla({});
    EnlacesCuentas::RegistraConsultaSearch({});
}

TEST_F(ChartToolbars, CompanionWindowsOpenForTheAccountOfTheCodeField) {
    v.EscribirCodigo("11010100199");  // typed, not saved
    v.guion().esperarMsgBox(vb::vbOK);
    Lateral(2);
    EXPECT_EQ(v.guion().preguntas().at(0).texto,
              "Para asignar datos adicionales a esta cuenta debe primero grabarla");
    EXPECT_EQ(v.guion().preguntas().at(0).titulo, "Aviso al Operador!!!");
    Lateral(4);
    v.EscribirCampo(0, "CAJA NUEVA");
    v.EscribirCodigo("1-1-01-01-00101");
    Lateral(2);
    Lateral(3);
    EXPECT_EQ(abiertos, (QStringList{"Frmta_asigccosto:11010100199", "frmMA_CUENTASADIC:11010100101",
                                     "frmMa_ManualCuentas:11010100101"}));
    // A code of dashes and blanks opens nothing.
    Control<vb::CajaTexto>(v.f(), "TxtCodigo")->setText(" - ");
    Lateral(4);
    EXPECT_EQ(abiertos.size(), 3);
}

TEST_F(ChartToolbars, CashFlowNeedsAnExistingAccount) {
    CNStuffContable::gCuentaActual = "11010100101";
    Lateral(7);  // no account in the box: nothing to do
    v.base().ejecutar("INSERT INTO [MA_CASH-DETALLE] (CODIGO_CASH, CUENTA) VALUES ('CAJ', '110101001')");
    v.EscribirCodigo("11010100101");
    v.guion().esperarMsgBox(vb::vbYes);
    Lateral(7);
    EXPECT_EQ(v.guion().preguntas().at(0).texto, "¿Desea actualizar la estructura de Cash-Flow?");
    EXPECT_EQ(v.Filas("SELECT COUNT(*) FROM [MA_CASH-DETALLE] WHERE CUENTA = '11010100101'"), 1);
    v.EscribirCodigo("99999999999");
    v.guion().esperarMsgBox(vb::vbOK);
    Lateral(7);
    EXPECT_EQ(
        v.guion().preguntas().at(1).texto,
        "La cuenta 99999999999 no existe en el Plan General de Cuentas\rIngrese una cuenta nueva e intentelo "
        "de nuevo");
    EXPECT_TRUE(CNStuffContable::gCuentaActual.isEmpty());
}

}  // namespace

namespace {

TEST(ChartCompanionForms, TheSideToolbarOpensTheSuitesCostCentreWindowForTheAccount) {
    CuentasDePrueba v;
    v.Iniciar();
    EnlacesCuentas::RegistraFormulariosDelSistema();
    v.EscribirCodigo("51020100101");
    Control<vb::BarraBotones>(v.f(), "Tbar")->Pulsa(4);
    QApplication::processEvents();
    ASSERT_TRUE(Frmta_asigccosto::Existe());
    Frmta_asigccosto& f = Frmta_asigccosto::instancia();
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtCuenta", 0)->text(), "51020100101");
    EXPECT_FALSE(f.isHidden());
    f.close();
    for (const char* n : {"frmMA_CUENTASADIC", "Frmta_asigccosto", "frmMa_ManualCuentas"})
        EnlacesCuentas::RegistraFormulario(n, {});
}

}  // namespace

namespace {

// A user who is not an administrator leaves a code hidden from him in the box through the code
// search, over the account loaded, and presses the toolbars: nothing opens, nothing is written.
TEST(ChartRowSecurity, TheToolbarsActOnlyOnTheAccountTheFormValidated) {
    CuentasDePrueba v({}, "OPERADOR");
    LocaleNumeros locale(LocaleNumeros::coma());
    v.Iniciar();
    QStringList abiertos;
    for (const char* f : {"frmMA_CUENTASADIC", "Frmta_asigccosto", "frmMa_ManualCuentas"})
        EnlacesCuentas::RegistraFormulario(f, [&abiertos, f] { abiertos << f; });
    const QString cuentas = "SELECT CODIGO, DESCRIPCION, DADA_DE_BAJA FROM MA_CUENTAS ORDER BY CODIGO";
    const auto antes = v.base().filas(cuentas);
    const int adicionales = v.Filas("SELECT count(*) FROM MA_CUENTASADIC");
    auto porLaBusqueda = [&v](const QString& codigo) {
        v.EscribirCodigo("11030100103");
        ASSERT_TRUE(v.f().CuentaGuardada());
        QTest::mouseClick(Control<vb::CajaTexto>(v.f(), "TxtCodigo"), Qt::LeftButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        ASSERT_TRUE(Control<vb::BusquedaCodigo>(v.f(), "BusquedaCodigo2")->Visible());
        for (QChar c : codigo) QTest::keyClicks(QApplication::focusWidget(), QString(c));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    };
    porLaBusqueda("51010100102");
    v.guion().esperarMsgBox(vb::vbOK);
    Control<vb::BarraBotones>(v.f(), "Tbar")
        ->Pulsa(2);  // "Datos Adicionales": the code is no saved account of his
    EXPECT_EQ(v.guion().preguntas().value(0).texto,
              "Para asignar datos adicionales a esta cuenta debe primero grabarla");
    porLaBusqueda("51010100102");
    v.guion().esperarMsgBox(vb::vbOK);
    Control<vb::BarraBotones>(v.f(), "Tbar")->Pulsa(4);  // "Centros de Costos"
    EXPECT_EQ(v.guion().preguntas().value(1).texto, "La cuenta es inexistente");
    porLaBusqueda("51010100102");
    v.guion().esperarMsgBox(vb::vbOK);
    v.Tecla(Qt::Key_F4);  // "Grabar"
    EXPECT_EQ(v.guion().preguntas().value(2).texto, "La cuenta es inexistente");
    v.guion().esperarMsgBox(vb::vbOK);
    Control<vb::BarraBotones>(v.f(), "Tbar")->Pulsa(3);  // "Manual de Cuentas", on the code just typed
    EXPECT_EQ(v.guion().preguntas().value(3).texto, "La cuenta es inexistente");
    EXPECT_EQ(v.guion().preguntas().size(), 4);
    EXPECT_TRUE(abiertos.isEmpty());
    EXPECT_FALSE(Control<vb::CajaTexto>(v.f(), "txtFields", 0)->text().contains("HONORARIOS"));
    EXPECT_EQ(v.base().filas(cuentas), antes);
    EXPECT_EQ(v.Filas("SELECT count(*) FROM MA_CUENTASADIC"), adicionales);
    EXPECT_EQ(v.Filas("SELECT count(*) FROM MV_CPTEACCIONES"), 0);
    for (const char* f : {"frmMA_CUENTASADIC", "Frmta_asigccosto", "frmMa_ManualCuentas"})
        EnlacesCuentas::RegistraFormulario(f, {});
}

}  // namespace
