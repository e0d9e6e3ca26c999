#pragma once
// A client-side snapshot of a query's rows. An updatable one (lock type other than read-only,
// over one table or one view that accepts writes) writes AddNew/Update/Delete back to its base
// table by primary key, or by rowid on the embedded engine. An Update writes only the columns it
// changed and, as an optimistic lock, only while they still hold what was read; a row changed or
// removed meanwhile raises 0x80040E38 and nothing is stored.
#include "outside/ado/AdoTipos.h"
#include "outside/ado/Field.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <memory>

namespace ado {

class Connection;

class Recordset : public std::enable_shared_from_this<Recordset> {
  public:
    static std::shared_ptr<Recordset> Crear();

    // Properties that may be set before Open.
    int CursorType = adOpenForwardOnly;
    int LockType = adLockReadOnly;
    int CursorLocation = adUseServer;

    // Raises 3705 when already open, 3709 when the connection is not open; a failing statement
    // fills the connection's Errors and raises.
    void Open(const QString& origen, const std::shared_ptr<Connection>& conexion,
              int cursorType = adOpenUnspecified, int lockType = adLockUnspecified, int opciones = -1);
    // Raises 3704 when already closed.
    void Close();
    // The open was given up after its failure was shown to the operator: any later use raises
    // "object closed" as one he was already told of (vb::ErrorVB::Informado), until it opens.
    void Abandonar() { abandonado_ = !abierto_; }
    int State() const { return abierto_ ? adStateOpen : adStateClosed; }
    QString Source() const { return origen_; }

    // Every member below raises 3704 on a closed recordset.
    bool Bof() const;
    bool Eof() const;
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    long RecordCount() const;
    long AbsolutePosition() const;  // 1-based; negative at BOF/EOF
    int EditMode() const;

    Fields& fields();
    // Shortcut for fields().Item(nombre).Value().
    QVariant valor(const QString& nombre);

    void AddNew();
    void Update();
    void CancelUpdate();
    void Delete();
    // Finds from the current row on a criterion "Column = value" / "Column = 'text'" (also <, >, <=, >=, <>,
    // LIKE).
    void Find(const QString& criterio, long saltar = 0, int direccion = 1);
    // The rows from the current one on (all when `filas` is negative), indexed [column][row];
    // leaves the recordset past the last row read. Raises 3021 at BOF/EOF.
    QList<QList<QVariant>> GetRows(long filas = -1);

    // --- used by Field and by the providers ---
    struct Columna {
        QString nombre;
        int tipo = adEmpty;
        long largo = 0;
        QString tablaBase;  // empty for computed columns
        QString columnaBase;
        bool clave = false;
        bool oculta = false;  // identifies the row for writing (rowid); not among Fields, always last
    };
    QVariant valorActual(int indice) const;
    QVariant valorOriginal(int indice) const;
    void asignar(int indice, const QVariant& v);
    void cargar(const QList<Columna>& columnas, QList<QList<QVariant>> filas, const QString& tablaBase,
                bool actualizable);
    std::shared_ptr<Connection> conexion() const { return conexion_; }

  private:
    void exigirAbierto() const;
    void exigirFila() const;
    void exigirActualizable() const;
    void exigirConexion() const;
    // A pending edit or addition is written before moving, as a move does.
    void escribirPendiente();
    void mover(long destino);
    bool cumple(const QVariant& valor, const QString& op, const QVariant& buscado) const;

    bool abierto_ = false;
    bool abandonado_ = false;
    QString origen_;
    std::shared_ptr<Connection> conexion_;
    QList<Columna> columnas_;
    QList<QList<QVariant>> filas_;
    QList<QVariant> editando_;  // the row being edited or added
    int editMode_ = adEditNone;
    long pos_ = 0;  // 0-based; -1 BOF, filas_.size() EOF
    QString tablaBase_;
    bool actualizable_ = false;
    bool borrada_ = false;  // the current row was deleted; the next MoveNext stays
    long posAntesDeAlta_ = 0;
    Fields fields_;
    friend class Field;
};

}  // namespace ado
