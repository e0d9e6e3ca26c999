#pragma once
// The shared code module of the suite: start-up, settings, rights and access log, the common
// error message, statement building and transactions, audit rows. Split into one file per topic
// (CNStuffContable_*.cpp) under this header.
#include "data/Globales.h"
#include "outside/runtime/ErrorVB.h"

#include <QString>
#include <QVariant>

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

}  // namespace CNStuffContable
