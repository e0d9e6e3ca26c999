// The suite's report program: produces the report named by the "@Menu" key of the parameter
// string on its command line, from the company database the same string names.
//
//     qt742r "@Menu=RP_QT040;@Server=...;@DbName=...;@Usuario=...;@Password=...;tarvo@;"
#include "accounts/reportes/ReporteCuentas.h"
#include "indices/reportes/ReporteIndices.h"
#include "outside/maker/Reporte.h"
#include "outside/runtime/Aplicacion.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"

int main(int argc, char** argv) {
    vb::Aplicacion app(argc, argv);
    vb::App().Title = "Reportes";
    CNStuffContable::InstalaPrograma({&ReporteIndices::Registrar, &ReporteCuentas::Registrar},
                                     CNStuffContable::TablasDeLosReportes());
    QString error;
    const bool hecho = CNStuffContable::AtiendeReporte(vb::App().Command, error);
    if (!error.isEmpty()) vb::MsgBox(error, vb::vbOKOnly + vb::vbCritical, "Aviso al operador");
    return hecho ? 0 : 1;
}
