// Loading the month grid: missing months are created, every month is shown, opening months
// are marked, and the last fiscal year's coefficients are recomputed.
#include "indices/frmMA_INDAJUSTE.h"

#include "data/DB_Dll.h"
#include "indices/Coeficientes.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/maker/EnlaceControles.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "services/CNStuffContable.h"

#include <QHash>
#include <QLineEdit>

using CNStuffContable::gBaseDatos;

namespace {
constexpr long kVerde = 0x00FF00;
constexpr long kCian = 0xFFFF00;

QString TextoCoeficiente(const QVariant& v) {
    if (v.isNull()) return QString();
    const double d = v.toDouble();
    return d == 0 ? QString() : vb::Format(d, "#########0.000");
}

QString TextoImporteGuardado(const QVariant& v) {
    if (v.isNull()) return QString();
    const double d = v.toDouble();
    return d == 0 ? QString() : vb::CStr(d);
}

// A month's stored indexes and coefficients in grid row r; returns the indexes.
std::array<double, 4> EscribeValores(vb::FlexGrid* g, int r, ado::Fields& f) {
    std::array<double, 4> importes{};
    for (int k = 1; k <= 4; ++k) {
        const QVariant v = f.Item(QString("Importe%1").arg(k)).Value();
        importes[k - 1] = v.isNull() ? 0.0 : v.toDouble();
        g->setTextMatrix(r, 2 * k - 1, TextoImporteGuardado(f.Item(QString("Importe%1").arg(k)).Value()));
        g->setTextMatrix(r, 2 * k, TextoCoeficiente(f.Item(QString("Indice%1").arg(k)).Value()));
    }
    return importes;
}
}  // namespace

QString frmMA_INDAJUSTE::TextoImporte(double valor) {
    return valor == 0 ? QString() : vb::CStr(valor);
}

void frmMA_INDAJUSTE::CargaGrilla() {
    auto& db = gBaseDatos();
    auto* g = FgAsiento;
    try {
        HabilitaCampos(true);
        if (m_Rs) {
            maker::gEnlaceControles().MuestraRegistro(txtFields, *m_Rs);
        }
        CreaMesesFaltantes();

        ado::RecordsetPtr rs;
        QString sql = "Select count(*) as filas from ma_indajuste ";
        db.AbrirRecordset(sql, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
        const int n = rs->fields().Item("Filas").Value().toInt();
        db.CierraRecordset(rs);
        m_Mostrados.clear();
        MsFlex_Inicializa(n + 1);

        sql = "SELECT * FROM " + m_Tabla + " order by anio,MES";
        db.AbrirRecordset(sql, m_Rs, db.gCnn, ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
        int r = 1;
        while (!m_Rs->Eof()) {
            MuestraMes(r);
            m_Rs->MoveNext();
            ++r;
        }
        ObtieneCoeficientes2024();
    } catch (const vb::ErrorVB&) {
        // Whatever was done stays done; the load ends without a word.
    }
    g->setRow(1);
    g->setCol(1);
}

void frmMA_INDAJUSTE::CreaMesesFaltantes() {
    auto& db = gBaseDatos();
    auto& util = maker::gUtilidades();
    ado::RecordsetPtr rs;
    QString desde, hasta;
    QString sql = "Select min([fecha desde]) as desde from mv_ejercicios";
    db.AbrirRecordset(sql, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
    if (!rs->Bof()) desde = util.TextoCampo(rs->fields().Item("Desde").Value());
    sql = "Select max([fecha hasta]) as hasta from mv_ejercicios";
    db.AbrirRecordset(sql, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
    if (!rs->Bof()) hasta = util.TextoCampo(rs->fields().Item("Hasta").Value());
    db.CierraRecordset(rs);

    // No fiscal years: the dates do not convert and the load stops here, as always.
    const QDate fDesde = vb::CDate(desde).date();
    const QDate fHasta = vb::CDate(hasta).date();
    for (int y = fDesde.year(); y <= fHasta.year(); ++y) {
        for (int m = 1; m <= 12; ++m) {
            if (y == fHasta.year() && m > fHasta.month()) break;
            if (y == fDesde.year() && m < fDesde.month()) continue;
            ado::RecordsetPtr mes;
            QString s = QString("SELECT * FROM MA_INDAJUSTE WHERE ANIO = %1 AND MES = %2 ORDER BY ANIO,MES")
                            .arg(y)
                            .arg(m);
            db.AbrirRecordset(s, mes, db.gCnn, ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
            if (mes->Bof()) {
                mes->AddNew();
                auto& f = mes->fields();
                f.Item("Mes").setValue(m);
                f.Item("Anio").setValue(y);
                for (int k = 1; k <= 4; ++k) f.Item(QString("Importe%1").arg(k)).setValue(0);
                // A file that cannot take the month (read-only) is told once, and the load goes on
                // to show every stored month.
                try {
                    mes->Update();
                } catch (const vb::ErrorVB& e) {
                    if (db.gCnn->State() != ado::adStateOpen) throw;
                    mes->CancelUpdate();
                    CNStuffContable::MensajeError(e, vb::vbOKOnly + vb::vbCritical, "CargaGrilla");
                    return;
                }
            }
        }
    }
}

void frmMA_INDAJUSTE::MuestraMes(int r) {
    auto& db = gBaseDatos();
    auto& util = maker::gUtilidades();
    auto* g = FgAsiento;
    auto& f = m_Rs->fields();
    const QVariant mes = f.Item("Mes").Value();
    const QVariant anio = f.Item("Anio").Value();
    g->setRow(r);
    g->setCol(0);
    // An opening month: some fiscal year opens in this month of this year.
    QString verde = QString(
                        "select * from mv_ejercicios where month([Fecha Desde]) = %1 and year([Fecha "
                        "Desde]) = %2")
                        .arg(mes.toInt())
                        .arg(anio.toInt());
    ado::RecordsetPtr ejercicio;
    db.AbrirRecordset(verde, ejercicio, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
    g->setCellBackColor(ejercicio->Bof() ? kCian : kVerde);
    db.CierraRecordset(ejercicio);

    g->setTextMatrix(r, 0, vb::Format(mes, "00") + "/" + util.AjustaLargo(util.TextoCampo(anio), 4));
    m_Mostrados.insert(g->TextMatrix(r, 0), EscribeValores(g, r, f));
}

void frmMA_INDAJUSTE::MuestraGuardados(int fila) {
    auto& db = gBaseDatos();
    auto& util = maker::gUtilidades();
    auto* g = FgAsiento;
    const QString mes = g->TextMatrix(fila, 0);
    if (!indices::FechaDeMes(mes)) return;
    // The fiscal year's months, or the month alone when no fiscal year holds it.
    int desde = mes.right(4).toInt() * 100 + mes.left(2).toInt(), hasta = desde;
    vb::SinDetenerse([&] {
        const auto e = indices::EjercicioDe(*indices::FechaDeMes(mes));
        if (!e) return;
        desde = e->apertura.year() * 100 + e->apertura.month();
        hasta = e->cierre.year() * 100 + e->cierre.month();
    });
    vb::SinDetenerse([&] {
        ado::RecordsetPtr rs;
        QString sql = QString("SELECT * FROM MA_INDAJUSTE WHERE anio * 100 + mes BETWEEN %1 AND %2")
                          .arg(desde)
                          .arg(hasta);
        db.AbrirRecordset(sql, rs);
        QHash<QString, int> filas;
        for (int r = 1; r < g->Rows(); ++r) {
            const auto d = indices::FechaDeMes(g->TextMatrix(r, 0));
            const int m = d ? d->year() * 100 + d->month() : 0;
            if (m >= desde && m <= hasta) filas.insert(g->TextMatrix(r, 0), r);
        }
        while (!rs->Eof()) {
            auto& f = rs->fields();
            const QString texto = vb::Format(f.Item("Mes").Value(), "00") + "/" +
                                  util.AjustaLargo(util.TextoCampo(f.Item("Anio").Value()), 4);
            const int r = filas.take(texto);
            if (r > 0) m_Mostrados.insert(texto, EscribeValores(g, r, f));
            rs->MoveNext();
        }
        db.CierraRecordset(rs);
        // A month the table no longer holds shows no value.
        for (auto it = filas.cbegin(); it != filas.cend(); ++it) {
            for (int c = 1; c <= 8; ++c) g->setTextMatrix(it.value(), c, QString());
            m_Mostrados.remove(it.key());
        }
    });
}
