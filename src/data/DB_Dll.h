#pragma once
// The database object: holds the connection data, owns the connection, rewrites and runs
// statements, looks rows up, recovers a lost connection and reports database errors.
// One shared instance (CNStuffContable::gBaseDatos()); further instances hold other connections.
//
// By-reference arguments that a member writes back are non-const references; the others are
// const references or values.
#include "outside/ado/AdoTipos.h"
#include "outside/ado/Connection.h"
#include "outside/ado/Proveedor.h"
#include "outside/ado/Recordset.h"
#include "outside/runtime/ErrorVB.h"
#include "outside/runtime/ManejadorErrores.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <memory>

namespace maker {
class DialogoArchivo;
class Utilidades;
}  // namespace maker

class DB_Dll {
  public:
    DB_Dll();
    ~DB_Dll();
    DB_Dll(const DB_Dll&) = delete;
    DB_Dll& operator=(const DB_Dll&) = delete;

    // ---- public variables, in interface order ----
    std::shared_ptr<maker::DialogoArchivo> CmdDlg;  // created on first use by OpenLocalADODB
    bool gOpenFlag = false;
    QVariant gIgnoraPassWord;
    ado::ConnectionPtr gCnn;
    ado::RecordsetPtr glrcs;
    QVariant gCursorLocation;
    QString gProveedor;
    QString gDsn;
    QString gServidor;  // a "#" in it means Oracle
    QString gDBName;
    QString gUsuario;
    bool gEsAdmin = false;
    QString gUserPassWord;
    QString gConnString;
    QString gExtended;
    QString gLogErr;
    bool ParametrosSQL = false;
    int16_t gXQTimeOut = 0;

    // Asks for the connection data with the connection form: loads it (hiding it first when it
    // is shown) with gDBName, gServidor and the logged user and password, shows it modally and,
    // when the user accepts, sets gDBName and gServidor from it, gUsuario and gUserPassWord both
    // to the database name, and gProveedor ("OraOLEDB.Oracle.1" with a "#" added to gServidor for
    // Oracle, "SQLOLEDB" otherwise); then unloads it. Returns the form's Aceptar. The connection
    // form installs it; until then the answer is false.
    static std::function<bool(DB_Dll&)> PedirDatosConexion;

    // The tables a company database holds for the program (set at start-up). An open that shows
    // its errors refuses a database that lacks one, as it refuses one that does not open, before
    // anything is read from it or written to it.
    static QStringList TablasDeLaEmpresa;

    // ---- members, in interface order ----

    // Extremes of a column. Condicion is written back (the article-code re-run).
    QVariant BuscaMaximo(const QString& QueTabla, const QString& QueCampo, const QVariant& Tipo = QVariant());
    QVariant BuscaMaximo(const QString& QueTabla, const QString& QueCampo, const QVariant& Tipo,
                         QVariant& Condicion);
    QVariant BuscaMinimo(const QString& QueTabla, const QString& QueCampo, const QVariant& Tipo = QVariant());
    QVariant BuscaMinimo(const QString& QueTabla, const QString& QueCampo, const QVariant& Tipo,
                         const QVariant& Condicion);

    // Opening the connection.
    void OpenServerADODB(bool PideParametrosSQL, int lCursor, const QString& ConnString, bool ValidaAdmin,
                         bool MuestraError);
    void ReintentaConectar();
    // Before a transaction begins on this object's lost link: the recovery of a statement run
    // outside one (reconnect, and the lost-connection question while it keeps failing; No ends
    // the program). True when the link is back.
    bool RecuperaAntesDeComenzar();
    void OpenLocalADODB(const QString& ConnString, const QString& CadenaID, const QString& CadenaPWD);

    // Lookups by value. Without LRCS a recordset of the call's own is used; with LRCS the
    // caller's recordset is left open on the result (a null one is created).
    bool ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                         const QVariant& Tipodato = 8, const QString& Condicion = QString(),
                         bool SoloLectura = true);
    bool ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                         ado::RecordsetPtr& LRCS, const QVariant& Tipodato = 8,
                         const QString& Condicion = QString(), bool SoloLectura = true);
    bool ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                       const QVariant& Tipodato = 8, const QString& Condicion = QString(),
                       bool SoloLectura = true);
    bool ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                       ado::RecordsetPtr& LRCS, const QVariant& Tipodato = 8,
                       const QString& Condicion = QString(), bool SoloLectura = true);
    QVariant DatosTabla(const QString& Tabla, const QString& ValorBuscado, const QString& CampoDevuelto,
                        const QString& Campo, const QVariant& Tipodato = 8,
                        const QString& Condicion = QString(), bool UsaTrim = true, bool IgnoraError = false);
    // Whether the company's own table, never the logged user's restricted view of it, holds a row
    // that meets the condition. The statement returns no column of the row: the caller learns that
    // such a row exists and nothing of it (a code taken, a title with accounts under it, an account
    // with movements). A statement that fails raises, so nothing is taken as absent.
    bool HayFilasReales(const QString& Tabla, const QString& Condicion);

    // Type classes of the connection's data-type codes.
    bool adodate(const QVariant& Qtype) const;
    QString ADOComilla(const QVariant& Qtype) const;
    bool ADOText(const QVariant& Qtype) const;
    bool ADONumeric(const QVariant& Qtype) const;
    bool ADOCurrency(const QVariant& Qtype) const;
    bool ADOBoolean(const QVariant& Qtype) const;
    void CierraRecordset(ado::RecordsetPtr& LrcsTemp);

    // Empty members kept for their callers.
    void QConsulta(const QVariant& TB, const QVariant& Rsp, const QVariant& Cl1, const QVariant& Cl2,
                   const QVariant& CmpDisplay, const QVariant& SQLWHERE);
    // Name routines.
    QString stSTF(QString& rsName, int rnPart);
    QString AddBrackets(const QString& rObjName) const;
    QString StripConnect(const QString& rsTblName) const;
    QString StripBrackets(const QString& rsObjName) const;
    QString StripOwner(QString& rsTblName) const;
    QString StripFileName(const QString& rsFileName) const;
    void QGridConsulta(const QVariant& Sentencia, const QVariant& CampoDevuelto1, const QVariant& gCnnString,
                       const QVariant& CampoDevuelto2, const QVariant& CampoDevuelto3);

    // Running statements. The statement receives the rewritten text. EjecutaConsultaSQL says
    // nothing to the user; it logs a failure and returns whether the statement succeeded.
    bool EjecutaConsultaSQL(QString& SentenciaSQL);
    bool EjecutaConsultaSQL(QString& SentenciaSQL, long& RecordsAffected);
    bool EjecutaConsultaSQL(QString& SentenciaSQL, long& RecordsAffected, ado::RecordsetPtr& LRCS);
    void EjecutaConsultaRSQL(QString& SentenciaSQL);
    void EjecutaConsultaRSQL(QString& SentenciaSQL, long& RecordsAffected);
    void EjecutaConsultaRSQL(QString& SentenciaSQL, long& RecordsAffected, ado::RecordsetPtr& LRCS);
    // A null LRCS is created. Conexionactiva null means gCnn.
    void AbrirRecordset(QString& SentenciaSQL, ado::RecordsetPtr& LRCS,
                        const ado::ConnectionPtr& Conexionactiva = nullptr,
                        int CursorType = ado::adOpenForwardOnly, int LockType = ado::adLockReadOnly,
                        long Options = -1, bool ConvOracle = true);
    // The rows of a query straight into columns (as GetRows gives them), on AbrirRecordset's road:
    // the user's restricted views, a lost connection recovered, a failure reported. False when
    // the query did not run.
    bool LeeConsulta(QString& SentenciaSQL, ado::Lectura& Filas,
                     const ado::ConnectionPtr& Conexionactiva = nullptr, bool ConvOracle = true);

    // Oracle dialect of one statement.
    QString ORACLE_Dicc(const QString& Sentencia);

    // SQL literals and schema helpers.
    QVariant BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo, const QVariant& Tipo = 8,
                               const QString& Condicion = QString());
    QString pJETOLEDB40() const { return "Microsoft.Jet.OLEDB.4.0"; }
    QString pJETOLEDB35() const { return "Microsoft.Jet.OLEDB.3.51"; }
    QString pSQLOLEDB() const { return "SQLOLEDB"; }
    QVariant SQLValue2(const QVariant& Valor, const QString& Tipo = "'");
    QVariant SQLValue(const QVariant& Valor, const QString& Tipo = "'");
    // A missing ValorDefault is an invalid QVariant.
    void AddField(const QString& Tabla, const QString& Campo, const QString& Tipo, bool PermiteNulos,
                  const QVariant& ValorDefault = QVariant());
    bool ExisteTablaDB(const QString& Tabla);
    bool ExisteCampoDB(const QString& Tabla, const QString& Campo);
    bool VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar, const QString& Tipo,
                    bool PermiteNulos, const QVariant& ValorDefault = QVariant());

    // Restricted views and the table marker.
    QString SS_TSinonimos(const QString& SentenciaSQL);
    // Text read from outside the program (a lookup mask): its markers and the journal's name
    // count as data, so it can lift the restricted views of no statement it joins.
    QString SS_TSinonimosDeDato(const QString& texto);

    // Error log path (gLogErr) and the database error report. A missing Rutina is an invalid
    // QVariant. Returns the operator's answer, 0 when the error number is 0.
    QVariant ArchivoErrores() const { return gLogErr; }
    void setArchivoErrores(const QVariant& v) { gLogErr = v.toString(); }
    int TratamientoErrores(const vb::ErrorVB& CodErr, int Botones = 18, const QVariant& Rutina = QVariant());

    // "Ha ocurrido el Siguiente Error (n) description".
    static QString TextoMensaje(const vb::ErrorVB& e);

  private:
    // What AbrirRecordset and LeeConsulta share: `antes` (the recordset closed), the statement on
    // the user's views and in the engine's dialect, then `abre` with its text, each step under
    // one handler. False when a step gave up.
    bool AbreConsulta(QString& SentenciaSQL, bool ConvOracle, const std::function<void()>& antes,
                      const std::function<void(const QString& texto)>& abre);
    // Builds gConnString for a server (Oracle when gServidor holds "#").
    void ArmaCadenaServidor();
    // Asks for the connection data through PedirDatosConexion; sets and returns gOpenFlag.
    bool PideDatosConexion();
    // OpenServerADODB's answer to an error of its steps: a second try after closing a connection
    // found open, the connection-error question (Yes asks for the connection data again) or
    // the plain message; MuestraError false answers silently.
    int RespuestaErrorApertura(const vb::ErrorVB& e, bool MuestraError, bool& reintento3705);
    // The connection-error question's text for the first entry of the error list.
    static QString TextoErrorConexion(const ado::Error& primero);
    // Sets gEsAdmin from the logged user's row of TA_USUARIOS (administrator when the table is
    // missing or errors are not shown).
    void LeeAdministrador(bool MuestraError);
    // Raises, with the connection closed and the reason as its error list's entry, when the open
    // database lacks one of TablasDeLaEmpresa.
    void ExigeTablasDeLaEmpresa();
    QString DescartaSentencia(QString& Sentencia);
    void EjecutaScriptSQL(QString& Script, long& RecordsAffected);

    // The connection, created empty on first use.
    ado::ConnectionPtr& cnn();
    // The object's own utility instance, created on first use.
    maker::Utilidades& Util();
    std::unique_ptr<maker::Utilidades> utilidades_;

    // How a member recovers a lost connection. PreguntaTrasCadaFallo: every failed reconnection
    // asks the lost-connection question, and a reconnection counts towards the three retries.
    // ReintentaAntesDePreguntar: up to three failed reconnections pass silently before the
    // question, and a reconnection always runs the step again.
    enum class FormaRecuperacion { PreguntaTrasCadaFallo, ReintentaAntesDePreguntar };
    // What the caller does after a recovery: run the failed step again, or give up (the caller
    // then reports or drops the error as its own rules say).
    enum class TrasRecuperacion { Repetir, Rendirse };
    // Reconnects this object after a lost connection, asks the lost-connection question when
    // it keeps failing (No ends the program), and counts in `contador`. Inside a transaction
    // nothing reconnects: `causa` is raised to the routine that owns the transaction.
    TrasRecuperacion RecuperaConexion(FormaRecuperacion forma, int& contador, const vb::ErrorVB& causa);
    // An error met while the transaction of this object's connection (or the shared one) is lost
    // goes straight to the routine that owns the transaction: nothing is asked or reconnected.
    void CedeSiTransaccionPerdida(const vb::ErrorVB& e);
    // The shared connection's first error says the link was lost (native error 11).
    static bool ConexionPerdidaCompartida();
    // The lost-connection question; true for Yes.
    static bool PreguntaConexionPerdida();
    // The general error message of the lookups (Abort, Retry, Ignore).
    static int MensajeGeneral(const vb::ErrorVB& e);
    // The operator's answer to a read's failure; a read he gave up is noted for the save that
    // depends on it (LecturasVigiladas).
    static int Abandona(int respuesta);
    // Writes one report line to the error log; `parteRutina` is " - " and the routine name or
    // empty, and the answer word is empty when nothing was asked.
    void EscribeLog(const QString& parteRutina, const QString& mensaje, int respuesta);
    // The reporter handed to the step handler: TratamientoErrores with the given buttons.
    vb::Reportero reporteroTratamiento(int botones = 18);

    bool ejecutaConsulta(QString& sentencia, long* afectados, ado::RecordsetPtr* lrcs);
    void ejecutaSobreConexion(QString& sentencia, long* afectados, ado::RecordsetPtr* lrcs);
    void ejecutaConsultaR(QString& sentencia, long* afectados, ado::RecordsetPtr* lrcs);
    // The statement of existe: the first row (ST: every row) whose key column holds the value in
    // the form its type asks for, or that meets the condition given instead.
    QString SentenciaExiste(bool st, const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                            int tipo, const QString& Condicion);
    bool existe(bool st, const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                ado::RecordsetPtr* LRCS, const QVariant& Tipodato, const QString& Condicion,
                bool SoloLectura);
};
