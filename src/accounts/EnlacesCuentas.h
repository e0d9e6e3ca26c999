#pragma once
// What the chart-of-accounts window reaches in windows and dialogs that others build: the
// companion windows of the current account, the lookups and the query viewer. The program
// registers the companion windows at start-up; tests register their own. A companion window not
// registered is said to be missing and nothing changes; the lookups and the viewer default to
// the suite's own (Def_QConsulta, gConsulta, maker::VisorConsulta).
#include <QString>
#include <functional>

namespace EnlacesCuentas {

// Companion windows, by their form name ("frmMA_CUENTASADIC", "Frmta_asigccosto",
// "frmMa_ManualCuentas"). The opener shows the window modeless and reads gCuentaActual; one
// already open is brought forward.
using Abridor = std::function<void()>;
void RegistraFormulario(const QString& nombre, Abridor abridor);
// False when no opener is registered for the name.
bool MuestraFormulario(const QString& nombre);

// The lookup of a table: the code chosen, "" when the user chose nothing.
using ConsultaDeTabla = std::function<QString(const QString& tabla)>;
void RegistraConsultaTabla(ConsultaDeTabla consulta);
QString ConsultaTabla(const QString& tabla);

// The lookup of a table narrowed by a condition, returning the column named: "" when nothing.
using BusquedaCondicion =
    std::function<QString(const QString& tabla, const QString& condicion, const QString& campoDevuelto)>;
void RegistraConsultaSearch(BusquedaCondicion busqueda);
QString ConsultaSearch(const QString& tabla, const QString& condicion, const QString& campoDevuelto);

// The query viewer: a statement shown with its connection text and caption.
using Visor = std::function<void(const QString& sentencia, const QString& conexion, const QString& titulo)>;
void RegistraVisorConsulta(Visor visor);
void VisorConsulta(const QString& sentencia, const QString& conexion, const QString& titulo);

}  // namespace EnlacesCuentas
