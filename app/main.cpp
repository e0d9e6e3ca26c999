#include "indices/ReporteIndices.h"
#include "indices/frmMA_INDAJUSTE.h"
#include "outside/maker/Reporte.h"
#include "outside/runtime/Programa.h"

#include <QApplication>
#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vb::App().Title = "Indices de Ajustes";
    maker::gReporte().setRenderizador(std::make_unique<ReporteIndices>());
    // The start-up window: its load opens the company database and ends the program when none opens.
    auto* ventana = new frmMA_INDAJUSTE;
    ventana->Form_Load();
    ventana->show();
    return app.exec();
}
