// Writing a recordset's rows back to their table or view.
#include "outside/ado/sqlite/ProveedorSqlite.h"

#include "outside/ado/AdoTipos.h"
#include "outside/ado/ErroresAdo.h"

namespace ado::sqlite {

namespace {

QString corchetes(const QString& nombre) {
    if (!nombre.contains(u']')) return u'[' + nombre + u']';
    return "[" + QString(nombre).replace("]", "]]") + "]";
}

}  // namespace

// The name the target takes the column by; empty when the column cannot be written (computed).
QString ProveedorSqlite::columnaDestino(const QString& tabla, bool vista, const Recordset::Columna& c) {
    if (c.oculta || c.tablaBase.isEmpty()) return {};
    if (vista) return c.nombre;
    return c.tablaBase.compare(tabla, Qt::CaseInsensitive) == 0 ? c.columnaBase : QString();
}

// The row is found by its rowid where the table has one (the key is then checked on the row
// read), else by its key, else by all its original values.
QString ProveedorSqlite::condicionFila(const QString& tabla, const QList<Recordset::Columna>& columnas,
                                       const QList<QVariant>& original, QVariantList& valores) {
    const bool vista = objeto(tabla).vista;
    for (int i = 0; i < columnas.size(); ++i)
        if (columnas[i].oculta) {
            valores << original[i];
            return " WHERE _rowid_ = ?";
        }
    QStringList partes;
    bool conClave = false;
    for (const auto& c : columnas) conClave = conClave || c.clave;
    for (int i = 0; i < columnas.size(); ++i) {
        const QString nombre = columnaDestino(tabla, vista, columnas[i]);
        if (nombre.isEmpty() || (conClave && !columnas[i].clave)) continue;
        partes << corchetes(nombre) + " IS ?";
        valores << original[i];
    }
    return partes.isEmpty() ? QString() : " WHERE " + partes.join(" AND ");
}

bool ProveedorSqlite::correrConValores(const QString& sql, const QVariantList& valores, Errors& errores,
                                       const QList<Recordset::Columna>* columnas, QList<QVariant>* fila,
                                       bool* hayFila) {
    if (!db_) LanzarAdo(kErrConexionInvalida);
    Preparada* p = preparar(sql, errores);
    if (!p) return false;
    sqlite3_stmt* st = p->stmt;
    for (int i = 0; i < valores.size(); ++i) EnlazarValor(st, i + 1, valores[i]);
    int rc = sqlite3_step(st);
    if (hayFila) *hayFila = rc == SQLITE_ROW;
    if (rc == SQLITE_ROW && fila && columnas) {
        for (int i = 0; i < columnas->size() && i < sqlite3_column_count(st); ++i)
            (*fila)[i] = LeerValor(st, i, (*columnas)[i].tipo);
        rc = SQLITE_DONE;
    } else if (rc == SQLITE_ROW) {
        rc = SQLITE_DONE;
    }
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    if (rc != SQLITE_DONE) {
        agregarFallo(rc, errores);
        return false;
    }
    return true;
}

namespace {

[[noreturn]] void filaNoEncontrada(Errors& errores, bool alta = false) {
    Error e;
    e.Number = kErrFilaNoEncontrada;
    e.Description = alta ? "La vista no aceptó la fila nueva: no se agregó ninguna fila."
                         : "No se encuentra la fila para actualizar. Puede que se hayan cambiado algunos "
                           "valores desde la última lectura.";
    e.Source = "Motor de datos";
    errores.Add(e);
    LanzarEntrada(errores, errores.Count() - 1);
}

}  // namespace

void ProveedorSqlite::insertar(const QString& tabla, const QList<Recordset::Columna>& columnas,
                               QList<QVariant>& nueva, Errors& errores) {
    const Turno turno(*this);
    asegurarWal(errores);
    empezarReloj();
    const bool vista = objeto(tabla).vista;
    QStringList nombres, marcas;
    QVariantList valores;
    for (int i = 0; i < columnas.size(); ++i) {
        const QString nombre = columnaDestino(tabla, vista, columnas[i]);
        // Columns left unassigned take their defaults.
        if (nombre.isEmpty() || nueva[i].isNull()) continue;
        nombres << corchetes(nombre);
        marcas << "?";
        valores << nueva[i];
    }
    const QString sql = nombres.isEmpty() ? "INSERT INTO " + corchetes(tabla) + " DEFAULT VALUES"
                                          : "INSERT INTO " + corchetes(tabla) + " (" + nombres.join(", ") +
                                                ") VALUES (" + marcas.join(", ") + ")";
    const sqlite3_int64 antes = sqlite3_total_changes64(db_);
    if (!correrConValores(sql, valores, errores)) LanzarEntrada(errores, errores.Count() - 1);
    // A view's trigger that stores nothing must not pass for a stored row.
    if (sqlite3_total_changes64(db_) == antes) filaNoEncontrada(errores, true);

    // Read the stored row back: defaults, identities and the engine's own conversions.
    const bool conRowid = objeto(tabla).conRowid;
    QStringList lista;
    QVariantList clave;
    QString donde;
    if (conRowid) {
        for (const auto& c : columnas) {
            const QString nombre = c.oculta ? "_rowid_" : columnaDestino(tabla, vista, c);
            lista << (nombre.isEmpty() ? "NULL" : (c.oculta ? nombre : corchetes(nombre)));
        }
        donde = " WHERE _rowid_ = ?";
        clave << qlonglong(sqlite3_last_insert_rowid(db_));
    } else {
        QStringList partes;
        for (int i = 0; i < columnas.size(); ++i) {
            const QString nombre = columnaDestino(tabla, vista, columnas[i]);
            lista << (nombre.isEmpty() ? "NULL" : corchetes(nombre));
            if (!columnas[i].clave) continue;
            if (nueva[i].isNull()) return;  // no way to tell which row it became
            partes << corchetes(nombre) + " = ?";
            clave << nueva[i];
        }
        if (partes.isEmpty()) return;
        donde = " WHERE " + partes.join(" AND ");
    }
    QList<QVariant> leida = nueva;
    if (correrConValores("SELECT " + lista.join(", ") + " FROM " + corchetes(tabla) + donde, clave, errores,
                         &columnas, &leida))
        nueva = leida;
    else
        LanzarEntrada(errores, errores.Count() - 1);
}

namespace {

bool Iguales(const QVariant& a, const QVariant& b) {
    return a.isNull() == b.isNull() && (a.isNull() || a == b);
}

}  // namespace

// Reading the row, comparing and writing happen under the write lock, so that no other
// connection can change the row in between. Inside the caller's transaction a savepoint
// stands for it. Kept whole so that every way out releases the lock the same way.
void ProveedorSqlite::escribirFila(const QString& tabla, const QList<Recordset::Columna>& columnas,
                                   const QList<QVariant>& original, const QList<QVariant>* nueva,
                                   Errors& errores) {
    const Turno turno(*this);
    const Objeto o = objeto(tabla);
    QList<int> cambiadas, comparadas;
    QStringList nombres;
    for (int i = 0; i < columnas.size(); ++i) {
        const QString nombre = columnaDestino(tabla, o.vista, columnas[i]);
        nombres << nombre;
        if (nombre.isEmpty()) continue;
        const bool cambia = nueva && !Iguales((*nueva)[i], original[i]);
        if (cambia) cambiadas << i;
        // Optimistic lock: the key and the columns being changed must still hold what was read.
        if (cambia || columnas[i].clave) comparadas << i;
    }
    if (nueva && cambiadas.isEmpty()) return;
    QVariantList clave;
    const QString donde = condicionFila(tabla, columnas, original, clave);
    if (donde.isEmpty()) filaNoEncontrada(errores);

    vigilarNombres({tabla.toUpper()});
    const bool propia = sqlite3_get_autocommit(db_) != 0;
    if (propia)
        ejecutarSimple("BEGIN IMMEDIATE", errores);
    else
        ejecutarSimple("SAVEPOINT fila_recordset", errores);
    empezarReloj();  // the wait for the lock is not the statement's time
    auto deshacer = [&] {
        empezarReloj();
        sqlite3_exec(db_, propia ? "ROLLBACK" : "ROLLBACK TO fila_recordset; RELEASE fila_recordset", nullptr,
                     nullptr, nullptr);
    };
    auto fallar = [&](bool noEncontrada) {
        deshacer();
        if (noEncontrada) filaNoEncontrada(errores);
        LanzarEntrada(errores, errores.Count() - 1);
    };

    QStringList lista;
    QList<Recordset::Columna> tipos;
    for (int i : comparadas) {
        lista << corchetes(nombres[i]);
        tipos << columnas[i];
    }
    if (lista.isEmpty()) lista << "1";
    QList<QVariant> actual(tipos.size());
    bool hallada = false;
    if (!correrConValores("SELECT " + lista.join(", ") + " FROM " + corchetes(tabla) + donde + " LIMIT 1",
                          clave, errores, &tipos, &actual, &hallada))
        fallar(false);
    if (!hallada) fallar(true);
    for (int k = 0; k < comparadas.size(); ++k)
        if (!Iguales(actual[k], original[comparadas[k]])) fallar(true);

    QString sql;
    QVariantList valores;
    if (nueva) {
        QStringList sets;
        for (int i : cambiadas) {
            sets << corchetes(nombres[i]) + " = ?";
            valores << (*nueva)[i];
        }
        sql = "UPDATE " + corchetes(tabla) + " SET " + sets.join(", ") + donde;
    } else {
        sql = "DELETE FROM " + corchetes(tabla) + donde;
    }
    valores += clave;
    // A view's triggers do the writing: the engine counts their changes in the total only.
    const sqlite3_int64 antes = sqlite3_total_changes64(db_);
    if (!correrConValores(sql, valores, errores)) fallar(false);
    if (sqlite3_total_changes64(db_) == antes) fallar(true);
    if (propia)
        ejecutarSimple("COMMIT", errores);
    else
        ejecutarSimple("RELEASE fila_recordset", errores);
}

void ProveedorSqlite::actualizar(const QString& tabla, const QList<Recordset::Columna>& columnas,
                                 const QList<QVariant>& original, const QList<QVariant>& nueva,
                                 Errors& errores) {
    escribirFila(tabla, columnas, original, &nueva, errores);
}

void ProveedorSqlite::borrar(const QString& tabla, const QList<Recordset::Columna>& columnas,
                             const QList<QVariant>& original, Errors& errores) {
    escribirFila(tabla, columnas, original, nullptr, errores);
}

}  // namespace ado::sqlite
