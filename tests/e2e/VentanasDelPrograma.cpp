#include "e2e/VentanasDelPrograma.h"

#include "account_extras/Frmta_asigccosto.h"
#include "account_extras/frmMA_CUENTASADIC.h"
#include "accounts/CuentasDePrueba.h"
#include "accounts/EnlacesCuentas.h"
#include "accounts/frmMa_ManualCuentas.h"
#include "data/DB_Dll.h"
#include "data/frmAcceso.h"
#include "outside/controls/BarraBotones.h"
#include "outside/controls/CajaTexto.h"
#include "outside/maker/Progreso.h"
#include "outside/maker/VisorConsulta.h"
#include "outside/runtime/DialogosQt.h"
#include "outside/runtime/Pantalla.h"
#include "services/CNStuffContable.h"
#include "support/AlAparecer.h"
#include "support/Control.h"
#include "support/VentanaIndices.h"

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

// The side toolbar's button for the account typed in the code box.
void Lateral(CuentasDePrueba& c, const QString& cuenta, int boton) {
    EnlacesCuentas::RegistraFormulariosDelSistema();
    c.EscribirCodigo(cuenta);
    Control<vb::BarraBotones>(c.f(), "Tbar")->Pulsa(boton);
    QApplication::processEvents();
}

// A modal window the test's dialogs show: looked at, then cancelled with its own button.
std::function<void(QWidget*)> MiraYCancela(const Revisa& revisa, const char* cancelar) {
    return [revisa, cancelar](QWidget* w) {
        QApplication::processEvents();
        revisa(w);
        Control<QPushButton>(*w, cancelar)->click();
    };
}

// The program's own Qt dialogs in place of the test's while alive.
class DialogosReales {
  public:
    DialogosReales() : antes_(&vb::dialogos()) { vb::setDialogos(&qt_); }
    ~DialogosReales() { vb::setDialogos(antes_); }

  private:
    vb::DialogosQt qt_;
    vb::Dialogos* antes_;
};

// One of the program's own Qt dialogs, asked for over the index window: looked at, then closed
// (cancelled, unless told how).
template <class Dialogo>
void DialogoReal(
    QScreen* s, const Revisa& revisa, const std::function<void()>& pide,
    std::function<void(Dialogo*)> cierra = [](Dialogo* d) { d->reject(); }) {
    VentanaIndices v;
    v.Iniciar(s);
    const DialogosReales reales;
    AlAparecer<Dialogo>([revisa, cierra](Dialogo* d) {
        QApplication::processEvents();
        revisa(d);
        cierra(d);
    });
    pide();
}

// The database object asked to open a company that is not there, as when the connection is
// lost: it asks whether to try again.
void ConexionFallida() {
    DB_Dll& db = CNStuffContable::gBaseDatos();
    db.gDBName = "NOEXISTE";
    db.OpenServerADODB(false, 3, QString(), true, true);
}

}  // namespace

const QList<Ventana>& VentanasDelPrograma() {
    static const QList<Ventana> ventanas{
        {"ventana de índices",
         [](QScreen* s, const Revisa& revisa) {
             VentanaIndices v;
             v.Iniciar(s);
             revisa(&v.f());
         }},
        {"progreso de la ventana de índices",
         [](QScreen* s, const Revisa& revisa) {
             VentanaIndices v;
             v.Iniciar(s);
             maker::gProgreso().Mostrar("Actualizando datos");
             QApplication::processEvents();
             revisa(QApplication::activeModalWidget());
             maker::gProgreso().Ocultar();
         }},
        {"pregunta de conexión",
         [](QScreen* s, const Revisa& revisa) {
             DialogoReal<QMessageBox>(s, revisa, ConexionFallida,
                                      [](QMessageBox* caja) { caja->button(QMessageBox::No)->click(); });
         }},
        {"formulario de conexión",
         [](QScreen* s, const Revisa& revisa) {
             VentanaIndices v;
             v.Iniciar(s);
             const auto pedir = DB_Dll::PedirDatosConexion;
             frmAcceso::Instalar();
             v.guion().esperarMsgBox(vb::vbYes);
             v.guion().esperarModal(MiraYCancela(revisa, "bcCancelar"));
             ConexionFallida();
             frmAcceso::Destruir();
             DB_Dll::PedirDatosConexion = pedir;
         }},
        {"elección de archivo",
         [](QScreen* s, const Revisa& revisa) {
             DialogoReal<QFileDialog>(s, revisa, [] {
                 bool cancelado = false;
                 vb::AbrirArchivo("Base de datos", "Bases|*.mdb", &cancelado);
             });
         }},
        {"pedido de un valor",
         [](QScreen* s, const Revisa& revisa) {
             DialogoReal<QInputDialog>(s, revisa,
                                       [] { vb::InputBox("ingrese el password:", "Password Access"); });
         }},
        {"plan de cuentas",
         [](QScreen* s, const Revisa& revisa) {
             CuentasDePrueba c;
             c.Iniciar(s);
             revisa(&c.f());
         }},
        {"plan de cuentas con el árbol y una cuenta de sexto nivel",
         [](QScreen* s, const Revisa& revisa) {
             CuentasDePrueba c;
             c.Iniciar(s);
             Control<vb::BarraBotones>(c.f(), "Tbar")->Pulsa(6);
             c.EscribirCodigo("11010100102");  // adjusted by an index
             QApplication::processEvents();
             revisa(&c.f());
         },
         false},
        {"mensaje del plan de cuentas",
         [](QScreen* s, const Revisa& revisa) {
             CuentasDePrueba c;
             c.Iniciar(s);
             const DialogosReales reales;
             AlAparecer<QMessageBox>([revisa](QMessageBox* caja) {
                 QApplication::processEvents();
                 revisa(caja);
                 caja->button(QMessageBox::Ok)->click();
             });
             // No account shown: it must be saved first.
             Control<vb::BarraBotones>(c.f(), "Tbar")->Pulsa(2);
         }},
        {"planilla",
         [](QScreen* s, const Revisa& revisa) {
             CuentasDePrueba c;
             c.Iniciar(s);
             c.Boton("PLANILLA");
             QTableWidget* grilla = maker::gVisorConsulta().Grilla();
             ASSERT_NE(grilla, nullptr);
             revisa(grilla->window());
             grilla->window()->close();
         }},
        {"lista de títulos",
         [](QScreen* s, const Revisa& revisa) {
             CuentasDePrueba c;
             c.Iniciar(s);
             auto* titulos = Control<QComboBox>(c.f(), "Combo1");
             titulos->showPopup();
             QApplication::processEvents();
             revisa(titulos->view()->window());
             titulos->hidePopup();
         }},
        {"datos adicionales",
         [](QScreen* s, const Revisa& revisa) {
             CuentasDePrueba c;
             c.Iniciar(s);
             Lateral(c, "11030100103", 2);
             ASSERT_TRUE(frmMA_CUENTASADIC::Existe());
             revisa(&frmMA_CUENTASADIC::instancia());
         }},
        {"centros de costos",
         [](QScreen* s, const Revisa& revisa) {
             CuentasDePrueba c;
             c.Iniciar(s);
             Lateral(c, "51020100101", 4);
             ASSERT_TRUE(Frmta_asigccosto::Existe());
             revisa(&Frmta_asigccosto::instancia());
         }},
        {"manual de cuentas",
         [](QScreen* s, const Revisa& revisa) {
             CuentasDePrueba c;
             c.Iniciar(s);
             Lateral(c, "11010100101", 3);
             ASSERT_NE(frmMa_ManualCuentas::Instancia(), nullptr);
             revisa(frmMa_ManualCuentas::Instancia());
             delete frmMa_ManualCuentas::Instancia();
         }},
        {"consulta en lista",
         [](QScreen* s, const Revisa& revisa) {
             CuentasDePrueba c;
             c.Iniciar(s);
             c.guion().esperarModal(MiraYCancela(revisa, "CmdCancelar"));
             Control<vb::CajaTexto>(c.f(), "TxtCodigo")->setFocus();
             c.Tecla(Qt::Key_F5);
         }},
        {"consulta en árbol",
         [](QScreen* s, const Revisa& revisa) {
             CuentasDePrueba c;
             c.Iniciar(s);
             Lateral(c, "51020100101", 4);
             Frmta_asigccosto& centros = Frmta_asigccosto::instancia();
             QApplication::setActiveWindow(&centros);
             // Enter on the account opens the first cost centre; a right click there looks it up.
             auto* cuenta = Control<vb::CajaTexto>(centros, "txtCuenta", 0);
             cuenta->setFocus();
             QTest::keyClick(cuenta, Qt::Key_Return);
             c.guion().esperarModal(MiraYCancela(revisa, "CmdCancelar"));
             QTest::mouseClick(Control<vb::CajaTexto>(centros, "BrwTxt", 0), Qt::RightButton);
         }},
    };
    return ventanas;
}
