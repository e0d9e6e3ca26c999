#pragma once
// Two users, one record: a save writes only what its user changed, and only while the stored
// value is still the one he was shown. One object per record (or per set of rows, such as a
// month's indexes, a year, a cost-centre distribution) a window shows:
//
//     GrabacionOptimista g({"la cuenta 1101", "MA_CUENTAS", "CODIGO = '1101'"});
//     g.RecuerdaFila(rs);                      // when shown (or RecuerdaNuevo for a new record)
//     ...
//     ado::Transaccion t(db.gCnn);
//     const auto v = g.Comprueba({"DESCRIPCION"});   // the columns the user changed
//     if (!v.ok()) { t.Deshacer(); g.Avisa(v); return; }
//     ... write, t.Confirmar(); g.Confirmado({{"DESCRIPCION", nueva}});
//
// The re-read runs on the shared connection, inside the caller's transaction, through the user's
// own view: a row hidden from him since it was shown counts as gone. Whether a new record's key is
// taken is asked of the whole table, for existence only.
#include "outside/ado/Connection.h"
#include "outside/ado/Recordset.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

class GrabacionOptimista {
  public:
    // Stored values of one row, by upper-case column name.
    using Fila = QHash<QString, QVariant>;

    struct Origen {
        // The record in the operator's words: "la cuenta 11010100101", "el mes 06/2024".
        QString registro;
        // The table as the program names it (the user's view is chosen from it) and the condition
        // that selects the record's rows, without "WHERE".
        QString tabla;
        QString condicion;
        // Columns that tell the rows of a set apart; none for a single record.
        QStringList claves = {};
        // A flag column whose being set counts as the record's absence (a record dada de baja).
        QString columnaBaja = {};
        // A query that must find a row for the record to be within the user's reach (its account,
        // read through his view); empty when the record's own rows say it.
        QString alcance = {};
        // A column's words for the operator, by upper-case name; the name itself when missing.
        QHash<QString, QString> rotulos = {};
        // A row of a set in the operator's words ("el mes 06/2024"), from its key.
        std::function<QString(const QString& clave)> rotuloFila = {};
    };

    enum class Estado {
        Libre,     // nobody else touched what this save writes
        Tomado,    // a new record whose key another user saved meanwhile
        Borrado,   // the record shown is gone (deleted, dada de baja or out of the user's reach)
        Cambiado,  // someone else changed a value this save writes
    };

    struct Veredicto {
        Estado estado = Estado::Libre;
        // Cambiado: what changed, in the operator's words ("el campo Descripción").
        QStringList campos;
        // The same as "COLUMNA" (single record) or "clave/COLUMNA" (set); a row added or removed
        // is "clave/".
        QStringList columnas;
        // The check was a delete's: the message speaks of the delete.
        bool baja = false;
        bool ok() const { return estado == Estado::Libre; }
    };

    GrabacionOptimista() = default;
    explicit GrabacionOptimista(Origen origen);

    // ---- when the record is shown ----
    // Reads the record's rows now, through the user's view. Raises as a statement does.
    void RecuerdaGuardado();
    // The current row of an open recordset, as read for the window.
    void RecuerdaFila(const ado::RecordsetPtr& rs);
    // Rows already read.
    void RecuerdaFilas(const QList<Fila>& filas);
    // A new record: nothing shown, and the save must find its key free.
    void RecuerdaNuevo();
    // Nothing shown any more: nothing to check, nothing to write.
    void Olvida();
    // The values the window showed, in its own form (texts of its boxes, pairs of a statement),
    // so that the save can tell what the user changed.
    void RecuerdaEnPantalla(const QHash<QString, QString>& valores, const QString& fila = {});
    // The columns whose value on screen now differs from the one shown; one the window did not
    // show counts as changed.
    QStringList Cambiados(const QHash<QString, QString>& ahora, const QString& fila = {}) const;

    bool Recordado() const { return recordado_; }
    bool EsNuevo() const { return recordado_ && nuevo_; }
    const Origen& origen() const { return origen_; }
    // A stored value as shown; invalid when the row or column was not shown.
    QVariant Mostrado(const QString& columna, const QString& fila = {}) const;
    bool FilaMostrada(const QString& fila = {}) const { return mostradas_.contains(fila); }
    // The key of a set's row from its key values, as the checks build it.
    static QString Clave(const QStringList& valores);

    // ---- inside the save's transaction ----
    // One record: the columns this save writes. A set: every row, its membership included.
    Veredicto Comprueba(const QStringList& columnas);
    // Only these rows of a set and, for each, the columns this save writes; a row the window did
    // not show must still be absent.
    Veredicto CompruebaFilas(const QHash<QString, QStringList>& porFila);
    // A delete: the record must still be there, every value as shown.
    Veredicto CompruebaBaja();

    // ---- the refusal ----
    // "Otro usuario ... ." + "No se grabó nada." + what the window does next.
    QString Mensaje(const Veredicto& v, const QString& despues = {}) const;
    // The message, caption "Aviso al operador". Nothing for a free record.
    void Avisa(const Veredicto& v, const QString& despues = {}) const;

    // ---- after the check ----
    // What the last check read becomes what was shown: the next save overwrites it knowingly.
    void AceptaGuardado();
    // A committed save: its values are now the ones shown (a new record is now a shown one).
    void Confirmado(const Fila& escritos, const QString& fila = {});
    // A committed delete: the record is gone.
    void Eliminado();

  private:
    // The rows as stored now; false when out of the user's reach.
    bool LeeAhora(QHash<QString, Fila>& filas);
    bool Tomada();
    // The row of the key is stored and has not been dada de baja since it was shown.
    bool Sigue(const QString& clave) const;
    QString ClaveDe(const Fila& f) const;
    QString Rotulo(const QString& columna) const;
    QString RotuloFila(const QString& clave) const;
    void Anota(Veredicto& v, const QString& clave, const QString& columna) const;

    Origen origen_;
    bool recordado_ = false;
    bool nuevo_ = false;
    QStringList orden_;               // columns in the order read, for the lock
    QHash<QString, Fila> mostradas_;  // by row key ("" for a single record)
    QHash<QString, QHash<QString, QString>> enPantalla_;
    QHash<QString, Fila> leidas_;  // the last check's rows
    bool leidasValidas_ = false;
};
