#pragma once
// The ADO connection the program talks through. The provider is chosen from the connection
// string: SQLOLEDB on an existing folder opens the embedded engine (file <Server>/<Database>.sqlite,
// never created); any other SQLOLEDB server and Oracle go through ODBC.
#include "outside/ado/AdoTipos.h"
#include "outside/ado/Errors.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

namespace ado {

class Recordset;
class Proveedor;
struct Lectura;
using RecordsetPtr = std::shared_ptr<Recordset>;

// A fault a test makes the next statements meet.
struct FallaInyectada {
    // The statement text must contain this (case-blind); empty matches every statement.
    QString contiene;
    // How many statements fail before the fault goes away.
    int veces = 1;
    // How many matching statements run before it strikes.
    int saltar = 0;
    // The entry put in the error list; its Number is also the raised error's number.
    Error error;
    // True: the connection is lost (closed) as well, as a dropped link is.
    bool cierraConexion = false;
    // True: the process is killed (SIGKILL) before the statement runs, as a program the system
    // ends is; the error above is never raised.
    bool terminaProceso = false;
};

class Connection : public std::enable_shared_from_this<Connection> {
  public:
    static std::shared_ptr<Connection> Crear();
    ~Connection();

    // Raises 3705 when already open. On failure fills Errors and raises.
    void Open(const QString& connectionString = {}, const QString& usuario = {}, const QString& clave = {},
              int opciones = -1);
    // Raises 3704 when already closed.
    void Close();
    int State() const;

    QString ConnectionString() const { return connectionString_; }
    void setConnectionString(const QString& s) { connectionString_ = s; }
    int CursorLocation() const { return cursorLocation_; }
    void setCursorLocation(int c) { cursorLocation_ = c; }
    int CommandTimeout() const { return commandTimeout_; }
    // Reaches the engine: how long a statement may run or wait for another connection's lock.
    void setCommandTimeout(int s);
    QString DefaultDatabase() const { return defaultDatabase_; }
    void setDefaultDatabase(const QString& d) { defaultDatabase_ = d; }

    // Runs a statement or a batch; a query gives an open read-only recordset, anything else a
    // closed one. Each failing statement of a batch adds its entry to Errors; the first failure
    // raises after the batch has run.
    RecordsetPtr Execute(const QString& sql, long* registrosAfectados = nullptr, int opciones = -1);
    // Runs one query and reads its rows into columns (Lectura), on the terms of a recordset's
    // Open; anything but a query gives no columns.
    Lectura Leer(const QString& sql);

    // The connection's one transaction belongs to the session it began on. When that session is
    // lost the server has undone it; it stays open here, lost, until its owner ends it: CommitTrans
    // then raises and RollbackTrans sends nothing. Until then the connection does not reopen, so
    // nothing meant for the transaction is written outside it.
    long BeginTrans();
    // Who brings a lost link back before a transaction begins on it (the database object's
    // recovery, installed at start-up): true when it is back. Outside a transaction a lost link
    // is recovered as any statement's is, so the transaction begins on the session it gets.
    static void setRecuperaVinculo(std::function<bool(Connection&)> recupera);
    void CommitTrans();
    void RollbackTrans();
    bool EnTransaccion() const { return sesionTransaccion_ != 0; }
    bool TransaccionPerdida() const;
    // The open session (each open starts a new one); 0 while closed.
    long Sesion() const;

    // adSchemaTables: TABLE_CATALOG, TABLE_NAME, TABLE_TYPE ("TABLE"/"VIEW").
    // adSchemaColumns: TABLE_CATALOG, TABLE_NAME, COLUMN_NAME, ORDINAL_POSITION, DATA_TYPE (ADO code),
    // CHARACTER_MAXIMUM_LENGTH; criteria {catalog, schema, table, column}, empty entries match all.
    RecordsetPtr OpenSchema(int esquema, const QVariantList& criterios = {});

    Errors& errores() { return errores_; }
    const Errors& errores() const { return errores_; }

    // "SQLOLEDB", "OraOLEDB.Oracle.1", ... as named by the connection string.
    QString Provider() const { return proveedorNombre_; }
    // True when the open connection is the embedded engine (tests read it back with plain SQL).
    bool EsMotorEmbebido() const;

    // Tests: make the next statements fail.
    void InyectarFalla(const FallaInyectada& f);
    void QuitarFallas();
    bool hayFallas() const { return !fallas_.isEmpty(); }
    // Tests: told of every statement a fault could meet, with whether a transaction is open, while
    // set (an empty function stops it).
    void ObservarSentencias(std::function<void(const QString&, bool)> observador) {
        observador_ = std::move(observador);
    }
    // A fault is armed or the statements are observed: every statement goes past
    // aplicarFallaInyectada.
    bool vigilada() const { return !fallas_.isEmpty() || observador_ != nullptr; }

    // Used by recordsets and the providers.
    Proveedor* proveedor() const { return proveedor_.get(); }
    // Raises the injected fault matching this statement, if one is armed.
    void aplicarFallaInyectada(const QString& sql);
    // Before a query is opened: the connection and its transaction alive, the errors cleared, a
    // second statement refused before anything runs, an injected fault met.
    void antesDeConsulta(const QString& sql);
    // Before a statement or a row write: raises 3709 when the connection is closed, and when the
    // link was lost (not closed by the program) the server's lost-link entry (native error 11),
    // as every use of a dead link meets it.
    void exigirAbierta();
    // Before a statement or a row write: raises when the transaction it belongs to was lost.
    void exigirTransaccionViva() const;

  private:
    Connection() = default;
    QString connectionString_;
    QString proveedorNombre_;
    int cursorLocation_ = adUseServer;
    int commandTimeout_ = 30;
    QString defaultDatabase_;
    Errors errores_;
    std::unique_ptr<Proveedor> proveedor_;
    QList<FallaInyectada> fallas_;
    std::function<void(const QString&, bool)> observador_;
    long sesion_ = 0;
    bool cerradaPorPrograma_ = false;
    long sesionTransaccion_ = 0;
};

using ConnectionPtr = std::shared_ptr<Connection>;

}  // namespace ado
