#pragma once
// The embedded engine behind a connection: a company database file <Server>/<Database>.sqlite that
// speaks the program's server dialect through the translator. Prepared statements are kept per
// translated text, so a statement the program repeats is neither translated nor compiled again.
#include "outside/ado/Proveedor.h"

#include <sqlite3.h>

#include <QElapsedTimer>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace ado::sqlite {

// Called when a statement starts to wait for another connection's lock, on the waiting thread.
std::function<void()>& AvisoDeEspera();

class ProveedorSqlite final : public Proveedor {
  public:
    ProveedorSqlite() = default;
    ~ProveedorSqlite() override;
    ProveedorSqlite(const ProveedorSqlite&) = delete;
    ProveedorSqlite& operator=(const ProveedorSqlite&) = delete;

    void abrir(const ParametrosConexion& p, const QString& usuario, const QString& clave,
               Errors& errores) override;
    void cerrar() override;
    // A file moved, renamed or removed since it was opened is no longer the company: the
    // connection counts as lost.
    bool abierto() const override;

    Resultado ejecutar(const QString& sql, Errors& errores) override;
    // The engine's own parser judges too: one statement, nothing after it, and one that writes
    // nothing.
    Resultado leer(const QString& sql, Errors& errores) override;
    // The same, straight into columns when every column has a declared type.
    Lectura leerColumnas(const QString& sql, Errors& errores) override;

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

    bool esMotorEmbebido() const override { return true; }
    bool enTransaccion() const override { return db_ && !sqlite3_get_autocommit(db_); }
    void tiempoDeEspera(int segundos) override;
    sqlite3* manejador() const { return db_; }

    // The list entry for an engine failure (extended result code and message).
    static Error ErrorDelMotor(int codigo, const QString& mensaje);

    // The one table or view a "SELECT ... FROM X [with(nolock)] [WHERE ...] [ORDER BY ...]" reads,
    // empty for joins, groupings, unions and anything that is not such a query.
    static QString ObjetoDeConsulta(const QString& sentencia);

  private:
    struct Preparada {
        sqlite3_stmt* stmt = nullptr;
        QString resto;  // a second statement in the same text
        QList<Recordset::Columna> columnas;
        bool columnasListas = false;
        qsizetype filasLeidas = 0;  // by the last reading into columns
    };
    struct Paso {
        QString sql;         // translated
        QString original;    // as the program wrote it
        QString objeto;      // see ObjetoDeConsulta
        QString sqlConFila;  // the translated text reading the rowid too, for a table
        bool cambiaEsquema = false;
        bool consulta = false;  // begins as a query does (SELECT, WITH, VALUES)
        QList<bool> deTexto;    // columns that are a text function's result (ColumnasDeTexto)
    };
    struct Objeto {
        bool existe = false;
        bool vista = false;
        bool conRowid = false;
        bool conDisparadores = false;  // a view that takes writes through INSTEAD OF triggers
        QStringList clave;             // primary key columns, in order
    };

    const QList<Paso>& plan(const QString& lote);
    Preparada* preparar(const QString& sql, Errors& errores, bool informar = true);
    Preparada* prepararTexto(const QString& sql, Errors& errores, bool informar);
    // The plan of a statement whose compared numbers are filled into its shape's plan.
    QList<Paso> planConNumeros(const QString& lote);
    // With `lectura`, a query's rows go into it by column instead of into r, unless a column's
    // type is only known from its values.
    bool correr(const QString& sql, const Paso& paso, const Objeto* destino, Resultado& r, Errors& errores,
                bool soloLectura = false, Lectura* lectura = nullptr);
    bool correrPaso(const Paso& paso, Resultado& r, Errors& errores, bool soloLectura = false);
    // The object a step's rows may be written back to, when it takes writes.
    std::optional<Objeto> destinoDe(const Paso& paso);
    void describirColumnas(Preparada& p, const Objeto* destino, const QString& objeto, bool conFila);
    const Objeto& objeto(const QString& nombre);
    void olvidarEsquema();
    void agregarFallo(int codigo, Errors& errores);
    [[noreturn]] void lanzarFallo(int codigo, Errors& errores);
    void ejecutarSimple(const char* sql, Errors& errores);

    // The column checks (VigilanciaColumnas.h) of a table are set up before the first statement
    // that may write it, so that a connection that only reads never pays for them. A statement
    // that reaches a table with triggers or foreign keys, and every transaction before it begins,
    // first sets up the checks of every table: set up inside a transaction, a rollback would take
    // them away.
    void asegurarControles(const QString& sql);
    void vigilarNombres(const QSet<QString>& nombres);
    void vigilarTodo();
    struct MapaDeControles {
        bool leido = false;
        QSet<QString> tablas;       // in upper case
        QSet<QString> arriesgadas;  // whose writes may reach other tables
    };
    const MapaDeControles& mapaDeControles();
    // Runs a statement with parameters; the first row, if any, goes to `fila`. False on failure.
    bool correrConValores(const QString& sql, const QVariantList& valores, Errors& errores,
                          const QList<Recordset::Columna>* columnas = nullptr,
                          QList<QVariant>* fila = nullptr, bool* hayFila = nullptr);
    // Updates (`nueva` given) or deletes one recordset row; 0x80040E38 when the row is gone or
    // another connection changed what this one is about to change.
    void escribirFila(const QString& tabla, const QList<Recordset::Columna>& columnas,
                      const QList<QVariant>& original, const QList<QVariant>* nueva, Errors& errores);
    QString condicionFila(const QString& tabla, const QList<Recordset::Columna>& columnas,
                          const QList<QVariant>& original, QVariantList& valores);
    static QString columnaDestino(const QString& tabla, bool vista, const Recordset::Columna& c);

    // A statement that runs past the time-out is interrupted; a lock is waited for as long.
    static int vigilar(void* proveedor);
    // Waits for another connection's lock, up to the command time-out.
    static int ocupada(void* proveedor, int intentos);
    void empezarReloj() { reloj_.start(); }

    sqlite3* db_ = nullptr;
    MapaDeControles mapaDeControles_;
    QSet<QString> vigiladas_;  // tables whose checks are set up, in upper case
    bool todasVigiladas_ = false;
    int espera_ = 30;
    QElapsedTimer reloj_;
    QElapsedTimer esperando_;
    QString nombreBase_;
    // The opened file's path and identity (device, inode); no identity when it had none.
    QByteArray ruta_;
    unsigned long long dispositivo_ = 0, nodo_ = 0;
    QHash<QString, QList<Paso>> planes_;
    QHash<QString, QList<Paso>> formas_;  // by the statement's shape (see planConNumeros); empty: not shared
    QHash<QString, Preparada> preparadas_;
    QHash<QString, Objeto> objetos_;  // by name as written

    // The company file (ProveedorSqliteArchivo.cpp). It is switched to WAL before its first
    // write, not when it is opened, so that a file the program refuses is never written.
    void asegurarWal(Errors& errores);
    bool walListo_ = false;
    // After each commit: the journal folded into the file and emptied, so that a program killed
    // later leaves in it nothing the engine would replay onto a copy restored over the file.
    static int alConfirmar(void* proveedor, sqlite3* db, const char* base, int paginas);
    // One call of the program on the connection: a wait for another program's lock that began
    // in it is shown until it returns (vb::EmpiezaEspera, vb::TerminaEspera).
    class Turno {
      public:
        explicit Turno(ProveedorSqlite& p);
        ~Turno();
        Turno(const Turno&) = delete;
        Turno& operator=(const Turno&) = delete;

      private:
        ProveedorSqlite& p_;
    };
    int turnos_ = 0;
    bool esperaVisible_ = false;
};

// A result column as text (the engine hands it over as UTF-8).
QString TextoDeColumna(sqlite3_stmt* stmt, int i);
// Reads a result value as the column's type says (dates from ISO text, bit as bool, ...).
QVariant LeerValor(sqlite3_stmt* stmt, int i, int tipo);
void EnlazarValor(sqlite3_stmt* stmt, int posicion, const QVariant& v);

}  // namespace ado::sqlite
