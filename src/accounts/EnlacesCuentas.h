#pragma once
// What the chart-of-accounts window reaches in windows and dialogs that others build: the
// companion windows of the current account, the lookups and the query viewer. Each defaults to
// the suite's own (the companion windows called directly, Def_QConsulta, gConsulta,
// maker::VisorConsulta); tests register their own in its place.
#include <QString>
#include <functional>

namespace EnlacesCuentas {

// Companion windows, by their form name ("frmMA_CUENTASADIC", "Frmta_asigccosto",
// "frmMa_ManualCuentas"). The window shows modeless for the account handed over, which it takes
// from gCuentaActual while it loads and keeps as its own; one already open is brought forward
// with its account. An opener registered under a name takes the window's place; an empty one
// makes the window missing.
using Abridor = std::function<void()>;
void RegistraFormulario(const QString& nombre, Abridor abridor);
// Hands the account over and shows the window; false, with a notice to the operator, when the
// window is missing.
bool MuestraFormulario(const QString& nombre, const QString& cuenta);
// Drops every registered opener: the suite's own windows again.
void RegistraFormulariosDelSistema();

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
