// Writing recordset rows back: parameterised statements, values never pasted into the text.
#include "outside/ado/odbc/OdbcInterno.h"
#include "outside/ado/odbc/ProveedorOdbc.h"
#include "outside/runtime/ErrorVB.h"

#include <QDate>
#include <QDateTime>
#include <functional>

namespace ado::odbc {

using namespace interno;

namespace {

// A row changed or deleted by someone else since it was read.
constexpr int32_t kErrFilaNoEncontrada = int32_t(0x80040E38);

struct Enlace {
    std::vector<char16_t> texto;
    SQLBIGINT entero = 0;
    double real = 0;
    SQL_TIMESTAMP_STRUCT fecha{};
    SQL_DATE_STRUCT dia{};
    SQLLEN indicador = 0;
};

bool EsTextoAncho(int tipoAdo) {
    return tipoAdo == adVarWChar || tipoAdo == adWChar || tipoAdo == adLongVarWChar;
}

bool EsLargo(int tipoAdo) {
    return tipoAdo == adLongVarChar || tipoAdo == adLongVarWChar;
}

bool MismaTabla(const QString& a, const QString& b) {
    auto ultima = [](const QString& s) {
        QString t = s.section(u'.', -1).trimmed();
        if (t.startsWith(u'[') || t.startsWith(u'"')) t = t.mid(1, t.size() - 2);
        return t;
    };
    return ultima(a).compare(ultima(b), Qt::CaseInsensitive) == 0;
}

bool Iguales(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull()) return a.isNull() == b.isNull();
    return a == b;
}

// How one value goes to the driver; the value itself is kept in `e`, which must outlive the run.
struct Parametro {
    SQLSMALLINT tipoC = SQL_C_WCHAR, tipoSql = SQL_WVARCHAR, decimales = 0;
    SQLULEN tamano = 1;
    SQLPOINTER dato = nullptr;
    SQLLEN largoBuffer = 0;

    static Parametro De(const QVariant& v, int tipoAdo, Enlace& e) {
        Parametro p;
        const int id = v.typeId();
        if (v.isNull()) {
            e.texto.assign(1, u'\0');
            e.indicador = SQL_NULL_DATA;
            p.dato = e.texto.data();
            p.tipoSql = EsTextoAncho(tipoAdo) ? SQL_WVARCHAR : SQL_VARCHAR;
        } else if (id == QMetaType::Bool || id == QMetaType::Int || id == QMetaType::LongLong ||
                   id == QMetaType::UInt || id == QMetaType::ULongLong || id == QMetaType::Short ||
                   id == QMetaType::Long) {
            e.entero = v.toLongLong();
            p.tipoC = SQL_C_SBIGINT;
            p.tipoSql = id == QMetaType::Bool ? SQL_BIT : SQL_BIGINT;
            p.dato = &e.entero;
            p.tamano = 19;
        } else if (id == QMetaType::Double || id == QMetaType::Float) {
            e.real = v.toDouble();
            p.tipoC = SQL_C_DOUBLE;
            p.tipoSql = SQL_DOUBLE;
            p.dato = &e.real;
            p.tamano = 15;
        } else if (id == QMetaType::QDate && tipoAdo == adDBDate) {
            const QDate d = v.toDate();
            e.dia = {SQLSMALLINT(d.year()), SQLUSMALLINT(d.month()), SQLUSMALLINT(d.day())};
            p.tipoC = SQL_C_TYPE_DATE;
            p.tipoSql = SQL_TYPE_DATE;
            p.dato = &e.dia;
            p.tamano = 10;
        } else if (id == QMetaType::QDate || id == QMetaType::QDateTime) {
            const QDateTime dt = id == QMetaType::QDate ? QDateTime(v.toDate(), QTime(0, 0)) : v.toDateTime();
            const QDate d = dt.date();
            const QTime h = dt.time();
            e.fecha = {SQLSMALLINT(d.year()),           SQLUSMALLINT(d.month()),  SQLUSMALLINT(d.day()),
                       SQLUSMALLINT(h.hour()),          SQLUSMALLINT(h.minute()), SQLUSMALLINT(h.second()),
                       SQLUINTEGER(h.msec()) * 1000000u};
            p.tipoC = SQL_C_TYPE_TIMESTAMP;
            p.tipoSql = SQL_TYPE_TIMESTAMP;
            p.dato = &e.fecha;
            p.tamano = 23;
            p.decimales = 3;
        } else {
            const QString s = v.toString();
            e.texto.assign(s.utf16(), s.utf16() + s.size() + 1);
            e.indicador = SQLLEN(s.size()) * SQLLEN(sizeof(SQLWCHAR));
            p.dato = e.texto.data();
            p.largoBuffer = SQLLEN(e.texto.size() * sizeof(SQLWCHAR));
            p.tamano = SQLULEN(std::max<qsizetype>(s.size(), 1));
            const bool largo = EsLargo(tipoAdo) || s.size() > 4000;
            p.tipoSql = EsTextoAncho(tipoAdo) ? (largo ? SQL_WLONGVARCHAR : SQL_WVARCHAR)
                                              : (largo ? SQL_LONGVARCHAR : SQL_VARCHAR);
        }
        if (!v.isNull() && p.tipoC != SQL_C_WCHAR) e.indicador = 0;
        return p;
    }
};

}  // namespace

Resultado ProveedorOdbc::ejecutarConParametros(const QString& sql, const QList<QVariant>& valores,
                                               const QList<int>& tipos, Errors& errores) {
    exigirAbierto(errores);
    const int desde = errores.Count();
    Resultado r;
    bool bien = true;
    long mayor = -1;
    {
        Sentencia st(dbc_);
        if (!st.valida()) {
            diagnosticos(SQL_HANDLE_DBC, dbc_, errores);
            revisarEnlace(errores, desde);
            lanzar(errores, desde, QStringLiteral("No se pudo preparar la sentencia."));
        }
        limitar(st.h());
        // Sized once: the driver keeps pointers into it until the statement has run.
        std::vector<Enlace> enlaces(size_t(valores.size()));
        for (qsizetype i = 0; i < valores.size(); ++i) {
            const int tipoAdo = i < tipos.size() ? tipos[i] : adVarWChar;
            Enlace& e = enlaces[size_t(i)];
            const Parametro p = Parametro::De(valores[i], tipoAdo, e);
            const SQLRETURN rc =
                SQLBindParameter(st.h(), SQLUSMALLINT(i + 1), SQL_PARAM_INPUT, p.tipoC, p.tipoSql, p.tamano,
                                 p.decimales, p.dato, p.largoBuffer, &e.indicador);
            if (!SQL_SUCCEEDED(rc)) {
                diagnosticos(SQL_HANDLE_STMT, st.h(), errores);
                lanzar(errores, desde, QStringLiteral("No se pudo pasar un valor al servidor."));
            }
        }
        TextoW texto(sql);
        const EsperaDeTransaccion espera(enTransaccion_);
        const SQLRETURN rc = SQLExecDirectW(st.h(), texto.ptr(), texto.largo());
        bien = recorrerResultados(st.h(), rc, r, errores, &mayor);
    }
    if (!r.esConsulta) r.afectados = mayor;
    revisarEnlace(errores, desde);
    if (!bien) lanzar(errores, desde, QStringLiteral("Falló la sentencia en el servidor."));
    return r;
}

namespace {

// The columns of `columnas` that belong to `tabla`, by index.
QList<int> Escribibles(const QString& tabla, const QList<Recordset::Columna>& columnas) {
    QList<int> r;
    for (int i = 0; i < columnas.size(); ++i) {
        const Recordset::Columna& c = columnas[i];
        if (c.columnaBase.isEmpty()) continue;
        if (!c.tablaBase.isEmpty() && !MismaTabla(c.tablaBase, tabla)) continue;
        r << i;
    }
    return r;
}

}  // namespace

// WHERE by the key columns, or by every original value when the table has no key.
static QString Donde(const QList<Recordset::Columna>& columnas, const QList<int>& escribibles,
                     const QList<QVariant>& original, QList<QVariant>& valores, QList<int>& tipos,
                     const std::function<QString(const QString&)>& citar) {
    QList<int> usadas;
    for (int i : escribibles)
        if (columnas[i].clave) usadas << i;
    if (usadas.isEmpty())
        for (int i : escribibles)
            if (!EsLargo(columnas[i].tipo)) usadas << i;
    QStringList partes;
    for (int i : usadas) {
        const QVariant v = i < original.size() ? original[i] : QVariant();
        if (v.isNull()) {
            partes << citar(columnas[i].columnaBase) + QStringLiteral(" IS NULL");
        } else {
            partes << citar(columnas[i].columnaBase) + QStringLiteral(" = ?");
            valores << v;
            tipos << columnas[i].tipo;
        }
    }
    return partes.join(QStringLiteral(" AND "));
}

[[noreturn]] static void FilaNoEncontrada(Errors& errores, const QString& descripcion) {
    Error e;
    e.SQLState = QStringLiteral("HY000");
    e.Number = kErrFilaNoEncontrada;
    e.Description = descripcion;
    e.Source = QStringLiteral("ODBC");
    errores.Add(e);
    throw vb::ErrorVB(e.Number, e.Description, e.Source);
}

// Kept together: the read-back depends on which key columns the insert left to the server.
void ProveedorOdbc::insertar(const QString& tabla, const QList<Recordset::Columna>& columnas,
                             QList<QVariant>& nueva, Errors& errores) {
    const QList<int> escribibles = Escribibles(tabla, columnas);
    QStringList nombres, marcas;
    QList<QVariant> valores;
    QList<int> tipos;
    // Null values are left out so the table's defaults and identity apply.
    for (int i : escribibles) {
        if (i >= nueva.size() || nueva[i].isNull()) continue;
        nombres << citar(columnas[i].columnaBase);
        marcas << QStringLiteral("?");
        valores << nueva[i];
        tipos << columnas[i].tipo;
    }
    QString sql = nombres.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(citar(tabla))
                                    : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                          .arg(citar(tabla), nombres.join(QStringLiteral(", ")),
                                               marcas.join(QStringLiteral(", ")));

    QList<int> claves;
    int sinValor = -1, faltan = 0;
    for (int i : escribibles) {
        if (!columnas[i].clave) continue;
        claves << i;
        if (i >= nueva.size() || nueva[i].isNull()) {
            sinValor = i;
            ++faltan;
        }
    }
    const bool identidad = faltan == 1 && claves.size() == 1;
    if (identidad && EsSqlServer()) sql += QStringLiteral("\nSELECT SCOPE_IDENTITY()");
    const Resultado r = ejecutarConParametros(sql, valores, tipos, errores);

    // Read the stored row back: defaults and the identity the server gave it.
    if (claves.isEmpty() || (faltan > 0 && !identidad)) return;
    QVariant id;
    if (identidad) {
        if (EsSqlServer()) {
            if (!r.filas.isEmpty() && !r.filas[0].isEmpty()) id = r.filas[0][0];
        } else if (motor_.contains(QStringLiteral("SQLite"), Qt::CaseInsensitive)) {
            const Resultado u =
                ejecutarConParametros(QStringLiteral("SELECT last_insert_rowid()"), {}, {}, errores);
            if (!u.filas.isEmpty() && !u.filas[0].isEmpty()) id = u.filas[0][0];
        }
        if (id.isNull()) return;
        while (nueva.size() <= sinValor) nueva << QVariant();
        nueva[sinValor] = ConvertirTexto(id.toString(), columnas[sinValor].tipo);
    }
    QStringList lista;
    for (int i : escribibles) lista << citar(columnas[i].columnaBase);
    QList<QVariant> vals;
    QList<int> tps;
    QStringList donde;
    for (int i : claves) {
        donde << citar(columnas[i].columnaBase) + QStringLiteral(" = ?");
        vals << nueva[i];
        tps << columnas[i].tipo;
    }
    const Resultado leida = ejecutarConParametros(
        QStringLiteral("SELECT %1 FROM %2 WHERE %3")
            .arg(lista.join(QStringLiteral(", ")), citar(tabla), donde.join(QStringLiteral(" AND "))),
        vals, tps, errores);
    if (leida.filas.size() != 1) return;
    while (nueva.size() < columnas.size()) nueva << QVariant();
    for (int k = 0; k < escribibles.size(); ++k) nueva[escribibles[k]] = leida.filas[0][k];
}

void ProveedorOdbc::actualizar(const QString& tabla, const QList<Recordset::Columna>& columnas,
                               const QList<QVariant>& original, const QList<QVariant>& nueva,
                               Errors& errores) {
    const QList<int> escribibles = Escribibles(tabla, columnas);
    QStringList asignaciones;
    QList<QVariant> valores;
    QList<int> tipos;
    for (int i : escribibles) {
        const QVariant antes = i < original.size() ? original[i] : QVariant();
        const QVariant ahora = i < nueva.size() ? nueva[i] : QVariant();
        if (Iguales(antes, ahora)) continue;
        asignaciones << citar(columnas[i].columnaBase) + QStringLiteral(" = ?");
        valores << ahora;
        tipos << columnas[i].tipo;
    }
    if (asignaciones.isEmpty()) return;
    QString donde =
        Donde(columnas, escribibles, original, valores, tipos, [this](const QString& n) { return citar(n); });
    if (donde.isEmpty())
        FilaNoEncontrada(errores, QStringLiteral("La fila no tiene columnas que la identifiquen."));
    // Optimistic lock: the columns being changed must still hold what was read.
    for (int i : escribibles) {
        const QVariant antes = i < original.size() ? original[i] : QVariant();
        if (columnas[i].clave || EsLargo(columnas[i].tipo) ||
            Iguales(antes, i < nueva.size() ? nueva[i] : QVariant()))
            continue;
        if (antes.isNull()) {
            donde += QStringLiteral(" AND ") + citar(columnas[i].columnaBase) + QStringLiteral(" IS NULL");
        } else {
            donde += QStringLiteral(" AND ") + citar(columnas[i].columnaBase) + QStringLiteral(" = ?");
            valores << antes;
            tipos << columnas[i].tipo;
        }
    }
    const Resultado r =
        ejecutarConParametros(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                                  .arg(citar(tabla), asignaciones.join(QStringLiteral(", ")), donde),
                              valores, tipos, errores);
    if (r.afectados == 0)
        FilaNoEncontrada(
            errores, QStringLiteral(
                         "No se encontró la fila para actualizar: otro usuario pudo cambiarla o borrarla."));
}

void ProveedorOdbc::borrar(const QString& tabla, const QList<Recordset::Columna>& columnas,
                           const QList<QVariant>& original, Errors& errores) {
    const QList<int> escribibles = Escribibles(tabla, columnas);
    QList<QVariant> valores;
    QList<int> tipos;
    const QString donde =
        Donde(columnas, escribibles, original, valores, tipos, [this](const QString& n) { return citar(n); });
    if (donde.isEmpty())
        FilaNoEncontrada(errores, QStringLiteral("La fila no tiene columnas que la identifiquen."));
    const Resultado r = ejecutarConParametros(
        QStringLiteral("DELETE FROM %1 WHERE %2").arg(citar(tabla), donde), valores, tipos, errores);
    if (r.afectados == 0)
        FilaNoEncontrada(
            errores,
            QStringLiteral("No se encontró la fila para borrar: otro usuario pudo cambiarla o borrarla."));
}

}  // namespace ado::odbc
