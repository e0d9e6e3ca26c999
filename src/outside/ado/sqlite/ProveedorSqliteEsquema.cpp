// Tables, views and their columns as the schema recordsets show them.
#include "outside/ado/sqlite/ProveedorSqlite.h"

#include "outside/ado/AdoTipos.h"
#include "outside/ado/ErroresAdo.h"
#include "outside/ado/TipoColumna.h"

namespace ado::sqlite {

namespace {

Recordset::Columna columna(const QString& nombre, int tipo, long largo) {
    Recordset::Columna c;
    c.nombre = nombre;
    c.tipo = tipo;
    c.largo = largo;
    return c;
}

bool coincide(const QVariantList& criterios, int i, const QString& valor) {
    if (i >= criterios.size()) return true;
    const QVariant& c = criterios[i];
    if (c.isNull() || c.toString().isEmpty()) return true;
    return c.toString().compare(valor, Qt::CaseInsensitive) == 0;
}

}  // namespace

Resultado ProveedorSqlite::esquema(int tipo, const QVariantList& criterios, Errors& errores) {
    if (!db_) LanzarAdo(kErrConexionInvalida);
    const Turno turno(*this);
    const QString esquemaNombre = "dbo";
    Resultado r;
    r.esConsulta = true;
    r.columnas << columna("TABLE_CATALOG", adVarWChar, 128) << columna("TABLE_SCHEMA", adVarWChar, 128)
               << columna("TABLE_NAME", adVarWChar, 128);
    if (tipo == adSchemaTables)
        r.columnas << columna("TABLE_TYPE", adVarWChar, 32);
    else
        r.columnas << columna("COLUMN_NAME", adVarWChar, 128) << columna("ORDINAL_POSITION", adUnsignedInt, 4)
                   << columna("COLUMN_DEFAULT", adVarWChar, 4000) << columna("IS_NULLABLE", adBoolean, 2)
                   << columna("DATA_TYPE", adUnsignedSmallInt, 2)
                   << columna("CHARACTER_MAXIMUM_LENGTH", adUnsignedInt, 4);
    if (!coincide(criterios, 0, nombreBase_) || !coincide(criterios, 1, esquemaNombre)) return r;

    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(
        db_,
        "SELECT name, type FROM sqlite_master WHERE type IN ('table', 'view') AND name NOT "
        "LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY type, name COLLATE NOCASE",
        -1, &st, nullptr);
    if (rc != SQLITE_OK) lanzarFallo(rc, errores);
    QList<QPair<QString, QString>> objetos;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        const QString nombre = TextoDeColumna(st, 0);
        const QString clase = TextoDeColumna(st, 1) == "view" ? "VIEW" : "TABLE";
        if (!coincide(criterios, 2, nombre)) continue;
        if (tipo == adSchemaTables && !coincide(criterios, 3, clase)) continue;
        objetos.append({nombre, clase});
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) lanzarFallo(rc, errores);

    if (tipo == adSchemaTables) {
        for (const auto& [nombre, clase] : objetos)
            r.filas.append({nombreBase_, esquemaNombre, nombre, clase});
        return r;
    }
    std::sort(objetos.begin(), objetos.end(),
              [](const auto& a, const auto& b) { return a.first.compare(b.first, Qt::CaseInsensitive) < 0; });
    for (const auto& o : objetos) {
        const QByteArray q =
            ("PRAGMA table_info(\"" + QString(o.first).replace('"', "\"\"") + "\")").toUtf8();
        if (sqlite3_prepare_v2(db_, q.constData(), -1, &st, nullptr) != SQLITE_OK)
            lanzarFallo(sqlite3_extended_errcode(db_), errores);
        while (sqlite3_step(st) == SQLITE_ROW) {
            const QString nombre = TextoDeColumna(st, 1);
            if (!coincide(criterios, 3, nombre)) continue;
            const TipoColumna t = TipoDeDeclarado(TextoDeColumna(st, 2));
            const int codigo = t.tipo == adEmpty ? adVarWChar : t.tipo;
            r.filas.append(
                {nombreBase_, esquemaNombre, o.first, nombre, sqlite3_column_int(st, 0) + 1,
                 sqlite3_column_type(st, 4) == SQLITE_NULL ? QVariant() : QVariant(TextoDeColumna(st, 4)),
                 sqlite3_column_int(st, 3) == 0, codigo,
                 EsTipoTexto(codigo) ? QVariant(int(t.largo)) : QVariant()});
        }
        sqlite3_finalize(st);
    }
    return r;
}

}  // namespace ado::sqlite
