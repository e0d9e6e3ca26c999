// Tables and columns as the connection's OpenSchema lists them.
#include "outside/ado/odbc/OdbcInterno.h"
#include "outside/ado/odbc/ProveedorOdbc.h"

namespace ado::odbc {

using namespace interno;

namespace {

QString Criterio(const QVariantList& criterios, int i) {
    return i < criterios.size() && !criterios[i].isNull() ? criterios[i].toString().trimmed() : QString();
}

Recordset::Columna ColumnaEsquema(const char* nombre, int tipo, long largo) {
    Recordset::Columna c;
    c.nombre = QString::fromLatin1(nombre);
    c.tipo = tipo;
    c.largo = largo;
    return c;
}

bool Coincide(const QString& criterio, const QVariant& valor) {
    return criterio.isEmpty() || criterio.compare(valor.toString(), Qt::CaseInsensitive) == 0;
}

bool EsTexto(int tipoAdo) {
    return tipoAdo == adVarChar || tipoAdo == adChar || tipoAdo == adVarWChar || tipoAdo == adWChar ||
           tipoAdo == adLongVarChar || tipoAdo == adLongVarWChar;
}

// The driver's column rows in the shape a schema query gives: exact names only, positions from 1.
Resultado FilasDeColumnas(const Resultado& crudo, const QString& tabla, const QString& cuarto) {
    Resultado r;
    r.esConsulta = true;
    r.columnas = {ColumnaEsquema("TABLE_CATALOG", adVarWChar, 128),
                  ColumnaEsquema("TABLE_NAME", adVarWChar, 128),
                  ColumnaEsquema("COLUMN_NAME", adVarWChar, 128),
                  ColumnaEsquema("ORDINAL_POSITION", adUnsignedInt, 4),
                  ColumnaEsquema("DATA_TYPE", adUnsignedSmallInt, 2),
                  ColumnaEsquema("CHARACTER_MAXIMUM_LENGTH", adUnsignedInt, 4)};
    if (crudo.columnas.size() < 7) return r;
    QString anterior;
    int posicion = 0;
    for (const QList<QVariant>& f : crudo.filas) {
        if (!Coincide(tabla, f[2]) || !Coincide(cuarto, f[3])) continue;
        const QString nombreTabla = f[2].toString();
        posicion = nombreTabla.compare(anterior, Qt::CaseInsensitive) == 0 ? posicion + 1 : 1;
        anterior = nombreTabla;
        const int tipoAdo = ProveedorOdbc::TipoAdo(f[4].toInt());
        const QVariant ordinal =
            crudo.columnas.size() >= 17 && !f[16].isNull() ? QVariant(f[16].toInt()) : QVariant(posicion);
        const QVariant maximo = EsTexto(tipoAdo) && !f[6].isNull() ? QVariant(f[6].toInt()) : QVariant();
        r.filas << QList<QVariant>{f[0], f[2], f[3], ordinal, tipoAdo, maximo};
    }
    return r;
}

}  // namespace

Resultado ProveedorOdbc::esquema(int tipo, const QVariantList& criterios, Errors& errores) {
    exigirAbierto(errores);
    const int desde = errores.Count();
    const QString catalogo = Criterio(criterios, 0), esquemaBD = Criterio(criterios, 1),
                  tabla = Criterio(criterios, 2), cuarto = Criterio(criterios, 3);
    TextoW wCatalogo(catalogo), wEsquema(esquemaBD), wTabla(tabla), wCuarto(cuarto);
    TextoW wTipos(QStringLiteral("TABLE,VIEW"));
    auto ptr = [](TextoW& t, const QString& s) { return s.isEmpty() ? nullptr : t.ptr(); };
    auto largo = [](const QString& s) { return SQLSMALLINT(s.isEmpty() ? 0 : SQL_NTS); };

    Resultado crudo;
    bool bien = true;
    {
        Sentencia st(dbc_);
        if (!st.valida()) {
            diagnosticos(SQL_HANDLE_DBC, dbc_, errores);
            revisarEnlace(errores, desde);
            lanzar(errores, desde, QStringLiteral("No se pudo preparar la consulta del esquema."));
        }
        SQLRETURN rc;
        // Names are patterns to the driver ("_" matches any character): exact matches are kept below.
        if (tipo == adSchemaTables)
            rc = SQLTablesW(st.h(), ptr(wCatalogo, catalogo), largo(catalogo), ptr(wEsquema, esquemaBD),
                            largo(esquemaBD), ptr(wTabla, tabla), largo(tabla), wTipos.ptr(), SQL_NTS);
        else if (tipo == adSchemaColumns)
            rc = SQLColumnsW(st.h(), ptr(wCatalogo, catalogo), largo(catalogo), ptr(wEsquema, esquemaBD),
                             largo(esquemaBD), ptr(wTabla, tabla), largo(tabla), ptr(wCuarto, cuarto),
                             largo(cuarto));
        else
            lanzar(errores, desde, QStringLiteral("Esquema no admitido: %1.").arg(tipo));
        bien = recorrerResultados(st.h(), rc, crudo, errores);
    }
    revisarEnlace(errores, desde);
    if (!bien) lanzar(errores, desde, QStringLiteral("No se pudo leer el esquema."));

    Resultado r;
    r.esConsulta = true;
    if (tipo == adSchemaTables) {
        r.columnas = {ColumnaEsquema("TABLE_CATALOG", adVarWChar, 128),
                      ColumnaEsquema("TABLE_NAME", adVarWChar, 128),
                      ColumnaEsquema("TABLE_TYPE", adVarWChar, 32)};
        if (crudo.columnas.size() < 4) return r;
        for (const QList<QVariant>& f : crudo.filas) {
            const QString clase = f[3].toString().trimmed().toUpper();
            if (clase != u"TABLE" && clase != u"VIEW") continue;
            if (!Coincide(tabla, f[2]) || !Coincide(cuarto, clase)) continue;
            r.filas << QList<QVariant>{f[0], f[2], clase};
        }
        return r;
    }
    return FilasDeColumnas(crudo, tabla, cuarto);
}

}  // namespace ado::odbc
