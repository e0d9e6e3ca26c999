// The chart-of-accounts program: the suite's start-up on the parameter string of its command
// line (the connection form when the database does not open), then the chart-of-accounts window
// as its main window. Closing that window ends the program.
//
//     plancuentas "@Server=datos;@DbName=DEMO;@UsuarioLogeado=ADMIN;"
#include "account_extras/Frmta_asigccosto.h"
#include "account_extras/frmMA_CUENTASADIC.h"
#include "accounts/EnlacesCuentas.h"
#include "accounts/FrmMA_CUENTAS.h"
#include "accounts/frmMa_ManualCuentas.h"
#include "data/frmAcceso.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"

#include <QApplication>

namespace {

// The windows and dialogs the chart-of-accounts window opens.
void RegistraEnlaces() {
    EnlacesCuentas::RegistraFormulario("frmMa_ManualCuentas", [] { frmMa_ManualCuentas::Mostrar(); });
    EnlacesCuentas::RegistraFormulario("frmMA_CUENTASADIC", [] { frmMA_CUENTASADIC::Muestra(); });
    EnlacesCuentas::RegistraFormulario("Frmta_asigccosto", [] {
        Frmta_asigccosto& f = Frmta_asigccosto::instancia();
        f.Menu = false;
        f.Mostrar();
    });
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationVersion(QStringLiteral(INDAJUSTE_VERSION));
    vb::App().EXEName = "plancuentas";
    vb::App().Title = "Plan de Cuentas";
    // A failed connection asks for the connection data with the connection form.
    frmAcceso::Instalar();
    CNStuffContable::InicializaSistema();
    RegistraEnlaces();
    auto* ventana = new FrmMA_CUENTAS;
    ventana->Form_Load();
    ventana->show();
    return app.exec();
}
