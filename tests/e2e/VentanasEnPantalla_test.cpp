// Every window of both programs opens whole on its screen, at the usual font, at 150 % and 200 %,
// and at 200 % scaling, on 1280x1024 and on 1024x768: one row per window, opened the way a user
// opens it, tried in every configuration. A new window is covered by a new row.
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
#include "support/Pantallas.h"
#include "support/VentanaIndices.h"

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

using Revisa = std::function<void(QWidget*)>;

// A window and the way a user opens it on a screen; it hands the window to `revisa` once, then
// closes it. A window looked at after the user changed it need not be centred any more.
struct Ventana {
    const char* nombre;
    std::function<void(QScreen*, const Revisa&)> abre;
    bool recienAbierta = true;
};

void PrintTo(const Ventana& v, std::ostream* os) {
    *os << v.nombre;
}

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

// The database object asked to open a company that is not there, as when the connection is
// lost: it asks whether to try again.
void ConexionFallida() {
    DB_Dll& db = CNStuffContable::gBaseDatos();
    db.gDBName = "NOEXISTE";
    db.OpenServerADODB(false, 3, QString(), true, true);
}

const Ventana kVentanas[] = {
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
         VentanaIndices v;
         v.Iniciar(s);
         const DialogosReales reales;
         AlAparecer<QMessageBox>([revisa](QMessageBox* caja) {
             QApplication::processEvents();
             revisa(caja);
             caja->button(QMessageBox::No)->click();
         });
         ConexionFallida();
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
         VentanaIndices v;
         v.Iniciar(s);
         const DialogosReales reales;
         AlAparecer<QFileDialog>([revisa](QFileDialog* d) {
             QApplication::processEvents();
             revisa(d);
             d->reject();
         });
         bool cancelado = false;
         vb::AbrirArchivo("Base de datos", "Bases|*.mdb", &cancelado);
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

class EveryWindowOnTheScreen : public ::testing::TestWithParam<Ventana> {};

TEST_P(EveryWindowOnTheScreen, OpensWholeAndUsableAtEveryFontAndScreenSize) {
    const Ventana& ventana = GetParam();
    for (const Configuracion& c : kConfiguraciones) {
        SCOPED_TRACE(c.nombre);
        QScreen* pantalla = PantallaDePrueba(c.pantalla);
        if (!pantalla) GTEST_SKIP() << "sin las pantallas de la suite";
        const LetraEscalada letra(c.letra);
        int vistas = 0;
        ventana.abre(pantalla, [&](QWidget* w) {
            ++vistas;
            ASSERT_NE(w, nullptr);
            if (w->windowType() == Qt::Popup) {
                // A list below its box: on the screen, a few rows high.
                const QRect area = pantalla->availableGeometry();
                EXPECT_TRUE(area.contains(w->frameGeometry()));
                EXPECT_LT(w->height(), area.height() / 2);
                return;
            }
            EXPECT_TRUE(EnteraEnPantalla(w, pantalla, ventana.recienAbierta));
            // Qt's own file dialog shortens its paths on purpose.
            if (!qobject_cast<QFileDialog*>(w)) {
                EXPECT_TRUE(ValoresEnteros(w));
            }
        });
        EXPECT_EQ(vistas, 1);
        QApplication::processEvents();
    }
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, EveryWindowOnTheScreen, ::testing::ValuesIn(kVentanas),
                         [](const ::testing::TestParamInfo<Ventana>& i) { return std::to_string(i.index); });

}  // namespace
