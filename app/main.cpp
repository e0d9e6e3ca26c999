#include "indices/frmMA_INDAJUSTE.h"
#include "indices/reportes/ReporteIndices.h"
#include "outside/runtime/Aplicacion.h"
#include "outside/runtime/Pantalla.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"

int main(int argc, char** argv) {
    vb::Aplicacion app(argc, argv);
    app.setApplicationVersion(QStringLiteral(INDAJUSTE_VERSION));
    vb::App().Title = "Indices de Ajustes";
    CNStuffContable::InstalaPrograma({&ReporteIndices::Registrar}, frmMA_INDAJUSTE::TablasQueLee());
    // The start-up window: its load opens the company database and ends the program when none opens.
    auto* ventana = new frmMA_INDAJUSTE;
    vb::ComoEvento("frmMA_INDAJUSTE_Form_Load", [ventana] { ventana->Form_Load(); });
    vb::MuestraVentana(ventana);
    return app.exec();
}
