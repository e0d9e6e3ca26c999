#include "indices/Coeficientes.h"

#include "data/DB_Dll.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "services/CNStuffContable.h"

#include <QRegularExpression>

using CNStuffContable::gBaseDatos;

namespace indices {

namespace {

QString TextoFecha(const QDate& d) {
    return d.toString("dd/MM/yyyy");
}

double Numero(const QVariant& v) {
    return v.isNull() ? 0.0 : v.toDouble();
}

Ejercicio LeeEjercicio(ado::Recordset& rs) {
    auto& util = maker::gUtilidades();
    return {vb::CDate(util.TextoCampo(rs.fields().Item("fecha desde").Value())).date(),
            vb::CDate(util.TextoCampo(rs.fields().Item("fecha hasta").Value())).date()};
}

// The four indexes of the closing month; zeros when the month has no row.
std::array<double, 4> IndicesDelCierre(const QDate& cierre) {
    auto& db = gBaseDatos();
    std::array<double, 4> referencia{0, 0, 0, 0};
    ado::RecordsetPtr rs;
    QString sql = QString("SELECT * FROM MA_INDAJUSTE WHERE MES = %1 AND anio = %2")
                      .arg(cierre.month())
                      .arg(cierre.year());
    db.AbrirRecordset(sql, rs);
    if (!rs->Bof())
        for (int k = 0; k < 4; ++k)
            referencia[k] = Numero(rs->fields().Item(QString("Importe%1").arg(k + 1)).Value());
    db.CierraRecordset(rs);
    return referencia;
}

}  // namespace

QString TextoMes(int anio, int mes) {
    return QString("%1/%2").arg(mes, 2, 10, QLatin1Char('0')).arg(anio, 4, 10, QLatin1Char('0'));
}

std::optional<QDate> FechaDeMes(const QString& texto) {
    static const QRegularExpression patron("^(\\d{2})/(\\d{4})$");
    const auto m = patron.match(texto);
    if (!m.hasMatch()) return std::nullopt;
    const QDate d(m.captured(2).toInt(), m.captured(1).toInt(), 1);
    if (!d.isValid()) return std::nullopt;
    return d;
}

std::optional<Ejercicio> EjercicioDe(const QDate& mes) {
    auto& db = gBaseDatos();
    ado::RecordsetPtr rs;
    QString sql = "select * from mv_ejercicios where  [fecha desde] <= '" + TextoFecha(mes) +
                  "' and [fecha hasta] >= '" + TextoFecha(mes) + "' ";
    db.AbrirRecordset(sql, rs);
    if (rs->Bof()) return std::nullopt;
    const Ejercicio e = LeeEjercicio(*rs);
    db.CierraRecordset(rs);
    return e;
}

QList<Ejercicio> EjerciciosQueCierranEn(int anio) {
    auto& db = gBaseDatos();
    ado::RecordsetPtr rs;
    QString sql = QString("select * from mv_ejercicios where year([fecha hasta]) = %1").arg(anio);
    db.AbrirRecordset(sql, rs);
    QList<Ejercicio> ejercicios;
    while (!rs->Eof()) {
        ejercicios << LeeEjercicio(*rs);
        rs->MoveNext();
    }
    db.CierraRecordset(rs);
    return ejercicios;
}

QHash<QString, MesCalculado> RecalculaTramo(const QDate& desde, const QDate& cierre) {
    auto& db = gBaseDatos();
    auto& util = maker::gUtilidades();
    const std::array<double, 4> referencia = IndicesDelCierre(cierre);
    QHash<QString, MesCalculado> calculados;
    ado::RecordsetPtr rs;
    QString sql =
        QString("SELECT * FROM MA_INDAJUSTE WHERE anio * 100 + mes BETWEEN %1 AND %2 ORDER BY anio, mes")
            .arg(desde.year() * 100 + desde.month())
            .arg(cierre.year() * 100 + cierre.month());
    db.AbrirRecordset(sql, rs, db.gCnn, ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
    while (!rs->Eof()) {
        auto& f = rs->fields();
        MesCalculado m;
        for (int k = 0; k < 4; ++k) {
            m.importes[k] = Numero(f.Item(QString("Importe%1").arg(k + 1)).Value());
            const double coef = m.importes[k] > 0 ? referencia[k] / m.importes[k] : 0;
            m.coeficientes[k] = coef != 0 ? vb::Format(coef, " ##0.##0") : QString();
            // The stored coefficient is the one shown.
            f.Item(QString("Indice%1").arg(k + 1)).setValue(util.ValorDoble(m.coeficientes[k]));
        }
        calculados.insert(TextoMes(f.Item("Anio").Value().toInt(), f.Item("Mes").Value().toInt()), m);
        rs->Update();
        rs->MoveNext();
    }
    db.CierraRecordset(rs);
    return calculados;
}

void RecalculaCierresDe(int anio) {
    for (const Ejercicio& e : EjerciciosQueCierranEn(anio)) RecalculaTramo(e.apertura, e.cierre);
}

}  // namespace indices
