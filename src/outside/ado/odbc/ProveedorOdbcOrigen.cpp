// Where a query's rows come from, so a recordset can write them back.
#include "outside/ado/odbc/OdbcInterno.h"
#include "outside/ado/odbc/ProveedorOdbc.h"
#include "outside/runtime/ErrorVB.h"

namespace ado::odbc {

using namespace interno;

const ProveedorOdbc::InfoTabla& ProveedorOdbc::infoTabla(const QString& tabla) {
    const QString clave = tabla.toLower();
    auto it = tablas_.constFind(clave);
    if (it != tablas_.cend()) return *it;

    InfoTabla info;
    const QStringList partes = Partes(tabla);
    const QString catalogo = partes.size() > 2 ? partes[partes.size() - 3] : QString();
    const QString esquemaBD = partes.size() > 1 ? partes[partes.size() - 2] : QString();
    try {
        Errors ignorados;
        const Resultado c = esquema(adSchemaColumns, {catalogo, esquemaBD, partes.last()}, ignorados);
        for (const QList<QVariant>& f : c.filas) info.columnas.insert(f[2].toString().toLower());
    } catch (const vb::ErrorVB&) {
        // A driver without a column list: the origins it gave stand as they are.
    }

    Sentencia st(dbc_);
    if (st.valida()) {
        TextoW wNombre(partes.last()), wEsquema(esquemaBD), wCatalogo(catalogo);
        const SQLRETURN rc =
            SQLPrimaryKeysW(st.h(), catalogo.isEmpty() ? nullptr : wCatalogo.ptr(),
                            catalogo.isEmpty() ? 0 : SQL_NTS, esquemaBD.isEmpty() ? nullptr : wEsquema.ptr(),
                            esquemaBD.isEmpty() ? 0 : SQL_NTS, wNombre.ptr(), SQL_NTS);
        Resultado claves;
        Errors ignorados;
        // Without keys a row is found by all its values.
        if (SQL_SUCCEEDED(rc) && leerFilas(st.h(), claves, ignorados) && claves.columnas.size() >= 4)
            for (const QList<QVariant>& f : claves.filas) info.claves.insert(f[3].toString().toLower());
    }
    return *tablas_.insert(clave, info);
}

void ProveedorOdbc::marcarClaves(Resultado& r, const QString& sql) {
    QString tabla;
    for (const Recordset::Columna& c : r.columnas) {
        if (c.tablaBase.isEmpty()) continue;
        if (tabla.isEmpty())
            tabla = c.tablaBase;
        else if (tabla.compare(c.tablaBase, Qt::CaseInsensitive) != 0)
            return;  // a join writes nowhere
    }
    const bool deducida = tabla.isEmpty();
    if (deducida) tabla = TablaUnica(sql);
    if (tabla.isEmpty()) return;

    const InfoTabla& info = infoTabla(tabla);
    bool alguna = false;
    for (Recordset::Columna& c : r.columnas) {
        if (deducida) {
            if (!info.columnas.contains(c.nombre.toLower())) continue;
            c.tablaBase = tabla;
            c.columnaBase = c.nombre;
        } else if (c.tablaBase.isEmpty()) {
            continue;
        } else if (!info.columnas.isEmpty() && !info.columnas.contains(c.columnaBase.toLower())) {
            // Some drivers give an alias as the column's origin: it is not a column to write.
            c.tablaBase.clear();
            c.columnaBase.clear();
            continue;
        }
        c.clave = info.claves.contains(c.columnaBase.toLower());
        alguna = true;
    }
    if (!alguna) return;
    r.tablaBase = tabla;
    r.actualizable = true;
}

}  // namespace ado::odbc
