#pragma once
// What a connection needs of the engine behind it: the embedded engine (sqlite/) or ODBC (odbc/).
// Every member that fails adds its entries to `errores` and raises vb::ErrorVB with the number
// of the first entry.
#include "outside/ado/Errors.h"
#include "outside/ado/Recordset.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

namespace ado {

// The connection string's keys, upper-cased, values trimmed ("Database =" gives "DATABASE").
using ParametrosConexion = QHash<QString, QString>;
ParametrosConexion AnalizarCadenaConexion(const QString& cadena);

struct Resultado {
    bool esConsulta = false;  // a statement that returned rows (possibly none)
    QList<Recordset::Columna> columnas;
    QList<QList<QVariant>> filas;
    long afectados = -1;
    // Set when the rows come from one table or view that accepts writes.
    QString tablaBase;
    bool actualizable = false;
};

// A query's rows by column, as GetRows gives them (valores[column][row]), read from the engine
// with no recordset keeping them row by row: a large read costs little more than the engine's own.
struct Lectura {
    bool esConsulta = false;  // a statement that returned rows (possibly none)
    QList<Recordset::Columna> columnas;
    QList<QList<QVariant>> valores;
    qsizetype filas() const { return valores.isEmpty() ? 0 : valores[0].size(); }
    // The column of that name (case-blind), -1 for none.
    int indiceDe(const QString& nombre) const;
};
// A result turned into columns, the hidden ones left out.
Lectura PorColumnas(Resultado r);

class Proveedor {
  public:
    virtual ~Proveedor() = default;

    virtual void abrir(const ParametrosConexion& p, const QString& usuario, const QString& clave,
                       Errors& errores) = 0;
    virtual void cerrar() = 0;
    virtual bool abierto() const = 0;

    // Runs a statement or a batch in the program's SQL Server dialect. The result is that of
    // the last statement that returned rows (or of the last statement when none did).
    virtual Resultado ejecutar(const QString& sql, Errors& errores) = 0;
    // Runs the one statement that only reads that a recordset shows. An engine that can read the
    // statement itself refuses anything else before it runs (LanzarNoEsLectura).
    virtual Resultado leer(const QString& sql, Errors& errores) { return ejecutar(sql, errores); }
    // The same statement read into columns; an engine that cannot do better gives the rows of leer.
    virtual Lectura leerColumnas(const QString& sql, Errors& errores) {
        return PorColumnas(leer(sql, errores));
    }

    virtual void comenzarTransaccion(Errors& errores) = 0;
    virtual void confirmarTransaccion(Errors& errores) = 0;
    virtual void deshacerTransaccion(Errors& errores) = 0;

    // Writes a recordset row back to its base table. `original` identifies the row (key or
    // rowid columns); after an insert `nueva` receives the stored row (defaults, identity).
    // An insert leaves out the columns that are Null, so that they take their defaults.
    virtual void insertar(const QString& tabla, const QList<Recordset::Columna>& columnas,
                          QList<QVariant>& nueva, Errors& errores) = 0;
    virtual void actualizar(const QString& tabla, const QList<Recordset::Columna>& columnas,
                            const QList<QVariant>& original, const QList<QVariant>& nueva,
                            Errors& errores) = 0;
    virtual void borrar(const QString& tabla, const QList<Recordset::Columna>& columnas,
                        const QList<QVariant>& original, Errors& errores) = 0;

    // adSchemaTables and adSchemaColumns (see Connection::OpenSchema).
    virtual Resultado esquema(int tipo, const QVariantList& criterios, Errors& errores) = 0;

    virtual bool esMotorEmbebido() const { return false; }

    // Whether the engine still holds the transaction begun with comenzarTransaccion: an engine may
    // undo it on its own (an interrupted statement, a full disk).
    virtual bool enTransaccion() const { return abierto(); }

    // The connection's CommandTimeout, in seconds; 0 waits without limit.
    virtual void tiempoDeEspera(int segundos) = 0;
};

}  // namespace ado
