#pragma once
// The company server (or Oracle) through the ODBC driver manager. Statements go to the server
// as written; its diagnostics come back as they are, mapped onto the ADO numbers the code tests.
#include "outside/ado/Proveedor.h"

#include <sql.h>
#include <sqlext.h>

#include <QHash>
#include <QSet>
#include <QStringList>

namespace ado::odbc {

class ProveedorOdbc final : public ado::Proveedor {
  public:
    ProveedorOdbc() = default;
    ~ProveedorOdbc() override;
    ProveedorOdbc(const ProveedorOdbc&) = delete;
    ProveedorOdbc& operator=(const ProveedorOdbc&) = delete;

    void abrir(const ParametrosConexion& p, const QString& usuario, const QString& clave,
               Errors& errores) override;
    void cerrar() override;
    bool abierto() const override { return dbc_ != SQL_NULL_HDBC; }
    bool enTransaccion() const override { return abierto() && enTransaccion_; }

    Resultado ejecutar(const QString& sql, Errors& errores) override;

    void comenzarTransaccion(Errors& errores) override;
    void confirmarTransaccion(Errors& errores) override;
    void deshacerTransaccion(Errors& errores) override;

    void insertar(const QString& tabla, const QList<Recordset::Columna>& columnas, QList<QVariant>& nueva,
                  Errors& errores) override;
    void actualizar(const QString& tabla, const QList<Recordset::Columna>& columnas,
                    const QList<QVariant>& original, const QList<QVariant>& nueva, Errors& errores) override;
    void borrar(const QString& tabla, const QList<Recordset::Columna>& columnas,
                const QList<QVariant>& original, Errors& errores) override;

    Resultado esquema(int tipo, const QVariantList& criterios, Errors& errores) override;
    void tiempoDeEspera(int segundos) override { espera_ = std::max(segundos, 0); }

    // The ODBC connection string an ADO connection string opens.
    static QString CadenaOdbc(const ParametrosConexion& p, const QString& usuario, const QString& clave);
    // The ADO number for a diagnostic's SQLSTATE.
    static int32_t NumeroAdo(const QString& sqlState);
    // A diagnostic as the connection's list holds it. On an open connection every state of the
    // connection class (08xxx) is a lost link, whatever native number the driver gives, and
    // carries the server's native number for it, which is what the program looks for.
    static Error EntradaDeDiagnostico(const QString& sqlState, int32_t nativo, const QString& texto,
                                      bool conectado);
    // The ADO type code for an ODBC SQL type.
    static int TipoAdo(int tipoSql);

    // The engine name the driver reports for the server.
    QString Motor() const { return motor_; }
    bool EsSqlServer() const { return motor_.contains(QStringLiteral("SQL Server"), Qt::CaseInsensitive); }

  private:
    // Adds the handle's diagnostics to `errores`; true when one of them is an error.
    bool diagnosticos(SQLSMALLINT tipoHandle, SQLHANDLE h, Errors& errores);
    // Raises the first error added since `desde`, or a generic one when the driver said nothing.
    [[noreturn]] void lanzar(Errors& errores, int desde, const QString& contexto);
    void exigirAbierto(Errors& errores);
    // A dropped link leaves the connection closed.
    void revisarEnlace(const Errors& errores, int desde);
    // The engine's name and its quote for names, as the driver reports them.
    void leerDatosDelMotor();

    // Walks every result of an executed statement from its first return code; the kept result is
    // the last one with columns (or the last count). False when a statement of the batch failed.
    // `mayorConteo` receives the largest row count of the batch.
    bool recorrerResultados(SQLHSTMT st, SQLRETURN rc, Resultado& r, Errors& errores,
                            long* mayorConteo = nullptr);
    bool leerFilas(SQLHSTMT st, Resultado& r, Errors& errores);
    // Finds the base table of a query's rows (the driver's column origins, or the table of a
    // plain single-table SELECT when it gives none) and marks its key columns.
    void marcarClaves(Resultado& r, const QString& sql);
    struct InfoTabla {
        QSet<QString> columnas;  // lower case
        QSet<QString> claves;
    };
    const InfoTabla& infoTabla(const QString& tabla);
    QString citar(const QString& nombre) const;
    // Runs one statement with `?` markers bound to `valores`, typed by the ADO types in `tipos`.
    // A statement without rows reports the largest count of its results: a trigger's own
    // statements must not hide the rows the statement itself touched.
    Resultado ejecutarConParametros(const QString& sql, const QList<QVariant>& valores,
                                    const QList<int>& tipos, Errors& errores);
    void autocommit(bool activo, Errors& errores);
    // The command time-out on a new statement handle.
    void limitar(SQLHSTMT st) const;

    SQLHENV env_ = SQL_NULL_HENV;
    SQLHDBC dbc_ = SQL_NULL_HDBC;
    QString motor_;
    QString comilla_ = QStringLiteral("\"");
    bool enTransaccion_ = false;
    int espera_ = 30;
    QHash<QString, InfoTabla> tablas_;
};

}  // namespace ado::odbc
