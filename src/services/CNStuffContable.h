#pragma once
// The shared code module of the suite: start-up, settings, rights and access log, the common
// error message, statement building and transactions, audit rows. Split into one file per topic
// (CNStuffContable_*.cpp) under this header.
#include "data/Globales.h"
#include "outside/runtime/ErrorVB.h"

#include <QString>
#include <QVariant>
#include <cstdint>

namespace CNStuffContable {

// ---- set at start-up (InicializaSistema, IniContable) ----
extern QString gSeccionEquipo;
extern bool gFlatToolbars;
extern QString gParametroAdicional;
extern QString gMenu;
extern QString gCaja;
extern QString gConexionReporte;
extern bool gSSBloqueoActivo;
extern QString gPeriodo;
extern QString gUNegocio;
extern long gColorFondo;
extern long gColorLetra;
// The settings table, "TA_CONFIGURACION" once the first Cfg has run.
extern QString gTablaConfiguracion;

// Start-up: command line, connection, report and lookup set-up, settings, access log.
void InicializaSistema();
void IniContable();
// The value of one command-line key (keys anywhere, any case, the value up to the next ";",
// every "=" removed, trimmed). False when the key stands without a following ";".
bool ValorParametro(const QString& lineaComandos, const QString& clave, QString& valor);

// Rights of the logged user for this program, and the access-log row.
void ControlAcceso(const QString& formulario = {}, bool detener = false);

// The common error message and its log line; returns the operator's answer (0 for error 0).
int MensajeError(const vb::ErrorVB& error, int botones = 18, const QString& rutina = {});
// The log file MensajeError appends to.
QString RutaLogErrores();
// The word logged for an answer.
QString PalabraRespuesta(int respuesta);

// Settings of TA_CONFIGURACION.
QString Cfg(const QString& clave, QString& valorAux);
QString Cfg(const QString& clave);
void GrabaDfg(const QString& clave, const QVariant& valor, const QString& valorAux, bool politica,
              const QString& grupo);
// A switch setting: on when the value is "SI" in any case.
bool CfgActiva(const QString& clave);

// ---- sibling programs (CNStuffContable_Programas.cpp) ----

// True when the path names a file that can be opened for reading (never a folder).
bool ExisteArchivo(const QString& ruta);
// The pattern audit rows format the current time with: "dd/mm/yy hh:mm".
QString FormatoFechaHora();
// A program "X.EXE" of the suite beside this one: the name as given, else in lower case without
// ".exe". "" when neither is there.
QString RutaProgramaHermano(const QString& nombre);
// The parameters a sibling program is started with: the current connection and the extra value.
QString ParametrosHermano(const QString& parametroAdicional);
// Starts the program named after "SHELL:" without waiting; idTarea is 0 (and the operator is
// told) when it could not be started, nonzero otherwise.
void EjecutaOpcionMenu(const QString& opcion, const QString& parametroAdicional, int32_t& idTarea);

// ---- reports (CNStuffContable_Reporte.cpp) ----

// The suite's parameter string of a report request.
QString ParametrosReporte(const QString& nombreReporte);
// Asks the report program "QT742R.EXE" beside this one for the named report.
void LlamaReporte(const QString& nombreReporte);
// What the report program does with its command line: opens the company database the parameter
// string names and produces the report of its "@Menu" key through the report object. False (with
// the reason in error) when it could not.
bool AtiendeReporte(const QString& parametros, QString& error);

}  // namespace CNStuffContable
