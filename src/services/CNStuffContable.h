#pragma once
// The shared code module of the suite: start-up, settings, rights and access log, the common
// error message, statement building and transactions, audit rows. Split into one file per topic
// (CNStuffContable_*.cpp) under this header.
#include "data/Globales.h"
#include "outside/ado/Connection.h"
#include "outside/runtime/ErrorVB.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <initializer_list>

class BarraEstado;
class QComboBox;
class QWidget;

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

// What start-up gives the lookup object; the lookup layer reads it (gConsulta). `Generacion` grows
// with every start-up, so the lookup knows when to take the values again.
struct AjustesConsultas {
    QString gConnString;
    bool gUsarMascarasConsultas = false;
    QString gRutaMascaraConsultas;
    unsigned Generacion = 0;
};
const AjustesConsultas& gAjustesConsultas();
void FijaAjustesConsultas(const QString& conexion, bool usarMascaras, const QString& rutaMascaras);

// Gives the connection form of the data layer the error report, the registered-connections
// routines and the sibling programs, and every event handler the common error notice.
void InstalaServiciosAcceso();
// The one installation call of a program, before its first window: InstalaServiciosAcceso, the
// connection form for a database that does not open, the reports the program renders (each
// registers itself in gReporte() under its name, its PDFs in the temporary folder), and the
// tables its windows read, which with TablasDelInicio make a company database for it.
using RegistroReporte = void (*)(const QString& carpetaSalida);
void InstalaPrograma(std::initializer_list<RegistroReporte> reportes = {}, const QStringList& tablas = {});
// The tables start-up reads: settings, users and their rights, the access log, the tills.
QStringList TablasDelInicio();

// Start-up: command line, connection, report and lookup set-up, settings, access log.
void InicializaSistema();
void IniContable();
// The value of one command-line key (keys anywhere, any case, the value up to the next ";",
// every "=" removed, trimmed). False when the key stands without a following ";".
bool ValorParametro(const QString& lineaComandos, const QString& clave, QString& valor);
// A value as a parameter string may carry it: "" when it holds ";" or "@" followed by a key
// name, which the reader would take as the end of the value or as a key.
QString ValorEnParametros(const QString& valor);

// Rights of the logged user for this program, and the access-log row.
void ControlAcceso(const QString& formulario = {}, bool detener = false);

// The common error message and its log line; returns the operator's answer (0 for error 0).
int MensajeError(const vb::ErrorVB& error, int botones = 18, const QString& rutina = {});
// The log file MensajeError appends to.
QString RutaLogErrores();

// Settings of TA_CONFIGURACION.
QString Cfg(const QString& clave, QString& valorAux);
QString Cfg(const QString& clave);
// The same, and whether it could be read: false (the error shown once, the value empty) when not.
bool LeeCfg(const QString& clave, QString& valor, QString& valorAux);
void GrabaDfg(const QString& clave, const QVariant& valor, const QString& valorAux, bool politica,
              const QString& grupo);
// A switch setting: on when the value is "SI" in any case.
bool CfgActiva(const QString& clave);

// ---- statements, transactions and audit rows ----

// One (column, value) pair of a statement; Valor is already in SQL form (a literal or Null).
struct CampoValor {
    QString Campo;
    QString Valor;
};
// The shared pair list. Empty stands for a list that was never started or was cleared; a new
// statement always starts it afresh.
extern QList<CampoValor> gCamposValores;

// Adds one pair: "Null" for the value NULL in any case, else the value as a literal of the
// mark ("'" quoted, "@" number). Primero starts a new list. Adding to a list that was never
// started raises 9.
void AgregaCampoValor(const QString& Campo, const QString& Valor, const QString& Tipo, bool Primero);
// Adds one pair typed by the recordset's column; the brackets are removed from Campo.
void ValorCampoSQL(const ado::RecordsetPtr& Rs, QString& Campo, const QString& Valor, bool Primero);
// False for "FALSE", "FALSO" and "0" in any case, true for everything else.
bool ValorLogico(const QString& Texto);
// Builds an UPDATE (with " WHERE " put before a condition that lacks it) or an INSERT from the
// pairs into the last slot of the list, adds a new empty slot and leaves the pairs as one empty
// element. The values are pasted as they stand: they are literals already.
void ArmaSentenciaSQL(QList<CampoValor>& Campos, QStringList& Sentencias, const QString& Tabla,
                      bool Actualiza, QString& Condicion);
void ArmaSentenciaSQL(QList<CampoValor>& Campos, QStringList& Sentencias, const QString& Tabla,
                      bool Actualiza, const QString& Condicion = QString());
// Appends "(columns) VALUES (values)" to Texto; Limpia empties the pairs.
void ArmaListaValores(QString& Texto, QList<CampoValor>& Campos, bool Limpia);
// Runs the non-blank statements of the list as one transaction: commits, or rolls back, records
// the failure in AUX_ERR with the server's text and shows the server's errors (nothing for a duplicate key
// when SilenciaDuplicado). Fallo and NumeroError tell the caller the outcome. The trailing texts and flag are
// accepted for callers that pass them and are not used. SilenciaReferencia: nothing is shown when the server
// refuses the batch because other rows refer to a row (547), for a caller that handles that refusal itself.
void EjecutaTransaccion(QStringList& Sentencias, bool& Fallo, int32_t& NumeroError,
                        bool SilenciaDuplicado = false, const QString& Texto1 = QString(),
                        const QString& Texto2 = QString(), bool Marca = false,
                        bool SilenciaReferencia = false);
void EjecutaTransaccion(QStringList& Sentencias, bool& Fallo);

// Audit row of a created ('A'), changed ('M') or deleted ('B') voucher or master record; a
// failure is dropped without a message. IdComplemento goes in as given (a number in SQL form).
void RegistraAccionComprobante(const QString& TC, const QString& IdComprobante, const QString& IdComplemento,
                               bool Alta, bool Modifica, bool Baja, const QString& TextoSistema);
// One AUX_ERR row for a refused statement; Proceso is always the running program's name.
// Raises when the row cannot be written.
void RegistraErrorSQL(const QString& Sentencia, const QString& Proceso, int32_t NumeroError,
                      const QString& Descripcion);
// The date and time patterns of logs and audit rows.
QString FormatoFecha();
QString FormatoHora();

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
// The tables the report program's reports read (with TablasDelInicio, its company database).
QStringList TablasDeLosReportes();
// What the report program does with its command line: opens the company database the parameter
// string names and produces the report of its "@Menu" key through the report object. False (with
// the reason in error) when it could not.
bool AtiendeReporte(const QString& parametros, QString& error);

// ---- look of the windows, account-code levels, points of sale ----

// Loads the skin the user chose in "qt742pr.ini" into the window's SkinFramework1 and applies it.
// A window without the control, or a skin that cannot be read, keeps its default look.
void AplicaSkin(QWidget* ventana);
// The program's icon named in "QT742p.INI" and the toolbar style (gFlatToolbars) of the window;
// a step that fails is skipped.
void AplicaIconoBarras(QWidget* ventana);
// Fills the keyed panels: the message on every call, server, login, database, till and version on
// the first; registers the till when the till table lacks it. A step that fails is skipped.
void ActualizaBarraEstado(BarraEstado& barra, const QString& mensaje);
// The same panels for a window that only shows the till: it never registers one.
void MuestraBarraEstado(BarraEstado& barra, const QString& mensaje);
// The skin file (under the program's folder) and skin ini of a "Styles" choice.
void ArchivoSkin(const QString& eleccion, QString& ruta, QString& ini);

// Account-code levels: widths and 1-based end positions, read from the DIGITOS_ settings.
extern int16_t gDigitosCapitulo, gDigitosSubcapitulo, gDigitosRubro, gDigitosSubrubro, gDigitosCuenta,
    gDigitosSubcuenta, gDigitosTotal;
extern int16_t gPosCapitulo, gPosSubcapitulo, gPosRubro, gPosSubrubro, gPosCuenta, gPosSubcuenta, gPosTotal;
extern bool gUsaMultiMonedas;
// The widths and the end positions, read afresh (a setting that cannot be read counts 0) unless
// a NivelesDeUnaAccion holds them.
void LeeDigitosNiveles();
void LeePosicionesNiveles();
// The levels read once for a whole action of a window (a save, a delete): while one that read
// them lives, LeeDigitosNiveles and LeePosicionesNiveles keep its values. A setting it cannot read
// was told to the operator once (Leidos false), and the action stops before anything is written;
// widths that do not fit a level raise, as LeeDigitosNiveles does.
class NivelesDeUnaAccion {
  public:
    NivelesDeUnaAccion();
    ~NivelesDeUnaAccion();
    NivelesDeUnaAccion(const NivelesDeUnaAccion&) = delete;
    NivelesDeUnaAccion& operator=(const NivelesDeUnaAccion&) = delete;
    bool Leidos() const { return leidos_; }

  private:
    bool leidos_ = false;
};
// The code with "-" between its levels (none between account and sub-account); the settings are
// read afresh on every call, unless a NivelesDeUnaAccion holds them.
QString FormateaCuenta(const QString& Codigo);
// The currency list, filled and shown only when the company works with several currencies.
void CargaComboMonedas(QComboBox& lista);

// The point-of-sale database last opened, created on first use.
DB_Dll& gBaseDatosRemota();
// Opens a terminal's database silently and records in V_TA_TPV whether it was reachable (and,
// by the running program, what the terminal still has to receive). True when it is open.
bool ConexionBaseRemota(const QString& Servidor, const QString& Base, const QString& Usuario,
                        const QString& Clave, const QString& Codigo);
// The central server's date and time; today without time when the server gives no row.
QDateTime FechaServidor();
// The text after the first "/"; the whole text when it has none or names an existing folder
// (the embedded engine's server).
QString CodigoSinPrefijo(const QString& Texto);

}  // namespace CNStuffContable

namespace CNStuffContable {

// The account handed between the account windows (code without "-", trimmed).
extern QString gCuentaActual;
// Asks a running account-tree build to stop; the build that sees it clears it.
extern bool gCancelaArbol;

}  // namespace CNStuffContable
