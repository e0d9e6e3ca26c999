#include "outside/ado/sqlite/VigilanciaColumnas.h"
#include "outside/ado/TextoSql.h"

#include <sqlite3.h>

#include <QRegularExpression>
#include <cmath>

namespace ado::sqlite {

namespace {

QString Citado(const QString& nombre) {
    return u'"' + QString(nombre).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

struct Tipo {
    QString base;
    int largo = -1;  // first number in parentheses
    int escala = 0;
};

Tipo Analizar(const QString& declarado) {
    static const QRegularExpression re(
        R"(^\s*([A-Za-z0-9_ ]*?)\s*(?:\(\s*(\d+|max)\s*(?:,\s*(\d+)\s*)?\))?\s*$)",
        QRegularExpression::CaseInsensitiveOption);
    Tipo t;
    const auto m = re.match(declarado);
    if (!m.hasMatch()) return t;
    t.base = m.captured(1).toUpper();
    if (!m.captured(2).isEmpty() && m.captured(2).compare(u"max", Qt::CaseInsensitive) != 0)
        t.largo = m.captured(2).toInt();
    t.escala = m.captured(3).toInt();
    return t;
}

}  // namespace

// Long but flat: one pass sorts the columns by kind, then one trigger pair is written per kind.
QStringList SentenciasDeVigilancia(const QString& tabla, const QList<ColumnaDeclarada>& columnas,
                                   bool conRowid, const QString& sufijo) {
    QStringList largos, numeros, fechas, revisadas, nombresFecha;
    for (const ColumnaDeclarada& c : columnas) {
        const Tipo t = Analizar(c.tipo);
        const QString v = "NEW." + Citado(c.nombre);
        if ((t.base == "CHAR" || t.base == "VARCHAR" || t.base == "NCHAR" || t.base == "NVARCHAR") &&
            t.largo > 0) {
            // Blanks past the length are dropped, as the server does.
            largos << QString("length(rtrim(%1, ' ')) > %2").arg(v).arg(t.largo);
        } else if (t.base == "DECIMAL" || t.base == "NUMERIC") {
            const int precision = t.largo > 0 ? std::min(t.largo, 38) : 18;
            const int enteros = std::max(precision - std::min(t.escala, precision), 0);
            numeros << QString("abs(%1) >= %2").arg(v, QString::number(std::pow(10.0, enteros), 'g', 17));
        } else if (t.base == "INT" || t.base == "INTEGER" || t.base == "SMALLINT" || t.base == "TINYINT") {
            const QString rango = t.base == "SMALLINT"  ? "-32768 AND 32767"
                                  : t.base == "TINYINT" ? "0 AND 255"
                                                        : "-2147483648 AND 2147483647";
            numeros << QString("(typeof(%1) IN ('integer', 'real') AND %1 NOT BETWEEN %2)").arg(v, rango);
        } else if (t.base == "DATETIME" || t.base == "SMALLDATETIME" || t.base == "DATE" ||
                   t.base == "DATETIME2") {
            fechas << QString("SV_FECHA_NORMAL(%1) IS NOT NULL").arg(v);
            nombresFecha << Citado(c.nombre);
            continue;
        } else {
            continue;
        }
        revisadas << Citado(c.nombre);
    }

    QStringList r;
    const QString base = "SVV_" + tabla + sufijo;
    const QString objeto = Citado(tabla);
    if (!revisadas.isEmpty()) {
        QStringList condiciones = largos + numeros;
        QString cuerpo;
        if (!largos.isEmpty())
            cuerpo +=
                QString("SELECT RAISE(ABORT, %1) WHERE %2; ")
                    .arg(LiteralTexto("8152|Los datos de cadena o binarios se truncarían (" + tabla + ")."),
                         largos.join(" OR "));
        if (!numeros.isEmpty())
            cuerpo +=
                QString("SELECT RAISE(ABORT, %1) WHERE %2; ")
                    .arg(LiteralTexto("8115|Error de desbordamiento aritmético al convertir el valor al tipo "
                                      "de datos de su columna (" +
                                      tabla + ")."),
                         numeros.join(" OR "));
        for (const char* evento : {"I", "U"}) {
            const QString nombre = Citado(base + "_" + evento);
            r << "DROP TRIGGER IF EXISTS temp." + nombre;
            r << QString("CREATE TEMP TRIGGER %1 BEFORE %2 ON %3 WHEN %4 BEGIN %5END")
                     .arg(nombre,
                          QString(evento) == "I" ? QStringLiteral("INSERT")
                                                 : "UPDATE OF " + revisadas.join(", "),
                          objeto, condiciones.join(" OR "), cuerpo);
        }
    }
    if (!fechas.isEmpty() && conRowid) {
        QStringList asignaciones;
        for (const QString& c : nombresFecha)
            asignaciones << QString("%1 = coalesce(SV_FECHA_NORMAL(%1), %1)").arg(c);
        for (const char* evento : {"FI", "FU"}) {
            const QString nombre = Citado(base + "_" + evento);
            r << "DROP TRIGGER IF EXISTS temp." + nombre;
            r << QString(
                     "CREATE TEMP TRIGGER %1 AFTER %2 ON %3 WHEN %4 BEGIN UPDATE %3 SET %5 WHERE rowid = "
                     "NEW.rowid; END")
                     .arg(nombre,
                          QString(evento) == "FI" ? QStringLiteral("INSERT")
                                                  : "UPDATE OF " + nombresFecha.join(", "),
                          objeto, fechas.join(" OR "), asignaciones.join(", "));
        }
    }
    return r;
}

void VigilarColumnas(sqlite3* db, const std::function<bool(const QString& tabla)>& incluir) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db,
                           "SELECT m.name, m.sql, p.name, p.type FROM main.sqlite_master m, "
                           "pragma_table_info(m.name, 'main') p WHERE m.type = 'table' AND m.name NOT LIKE "
                           "'sqlite_%' ORDER BY m.name, p.cid",
                           -1, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        return;
    }
    const auto texto = [&](int i) {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)),
                                 sqlite3_column_bytes(st, i));
    };
    QString tabla;
    bool conRowid = true;
    QList<ColumnaDeclarada> columnas;
    QStringList sentencias;
    const auto cerrar = [&] {
        if (!tabla.isEmpty() && (!incluir || incluir(tabla)))
            sentencias += SentenciasDeVigilancia(tabla, columnas, conRowid);
        columnas.clear();
    };
    while (sqlite3_step(st) == SQLITE_ROW) {
        if (texto(0) != tabla) {
            cerrar();
            tabla = texto(0);
            conRowid = !texto(1).simplified().contains("WITHOUT ROWID", Qt::CaseInsensitive);
        }
        columnas.append({texto(2), texto(3)});
    }
    cerrar();
    sqlite3_finalize(st);
    if (sentencias.isEmpty()) return;
    // These tables have no checks yet, so there is nothing to drop; outside a transaction of the
    // caller's they are set up in one of their own, which is cheaper. They never keep a database
    // from opening.
    const bool enTransaccion = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
    for (const QString& s : sentencias)
        if (!s.startsWith(QLatin1String("DROP ")))
            sqlite3_exec(db, s.toUtf8().constData(), nullptr, nullptr, nullptr);
    if (enTransaccion) sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
}

}  // namespace ado::sqlite
