// The chart-of-accounts program: the suite's start-up on the parameter string of its command
// line (the connection form when the database does not open), then the chart-of-accounts window
// as its main window. Closing that window ends the program.
//
//     plancuentas "@Server=datos;@DbName=DEMO;@UsuarioLogeado=ADMIN;"
#include "accounts/FrmMA_CUENTAS.h"
#include "outside/runtime/Aplicacion.h"
#include "outside/runtime/Pantalla.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"

int main(int argc, char** argv) {
    vb::Aplicacion app(argc, argv);
    app.setApplicationVersion(QStringLiteral(INDAJUSTE_VERSION));
    vb::App().EXEName = "plancuentas";
    vb::App().Title = "Plan de Cuentas";
    CNStuffContable::InstalaPrograma({}, FrmMA_CUENTAS::TablasQueLee());
    CNStuffContable::InicializaSistema();
    auto* ventana = new FrmMA_CUENTAS;
    vb::ComoEvento("FrmMA_CUENTAS_Form_Load", [ventana] { ventana->Form_Load(); });
    vb::MuestraVentana(ventana);
    return app.exec();
}
