#include "data/frmAcceso.h"
#include "indices/frmMA_INDAJUSTE.h"
#include "indices/reportes/ReporteIndices.h"
#include "outside/maker/Reporte.h"
#include "outside/runtime/Aplicacion.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"

int main(int argc, char** argv) {
    vb::Aplicacion app(argc, argv);
    app.setApplicationVersion(QStringLiteral(INDAJUSTE_VERSION));
    vb::App().Title = "Indices de Ajustes";
    // A failed connection asks for the connection data with the connection form.
    CNStuffContable::InstalaServiciosAcceso();
    frmAcceso::Instalar();
    ReporteIndices::Registrar();
    // The start-up window: its load opens the company database and ends the program when none opens.
    auto* ventana = new frmMA_INDAJUSTE;
    ventana->Form_Load();
    ventana->show();
    return app.exec();
}
