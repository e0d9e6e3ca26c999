// The coefficient rule: an edited month is saved at once, and the coefficients of its fiscal
// year (closing month's index / the month's index) are recomputed, shown and saved.
#include "indices/frmMA_INDAJUSTE.h"

#include "data/DB_Dll.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/ManejadorErrores.h"
#include "services/CNStuffContable.h"

#include <QRegularExpression>
#include <array>
#include <optional>

using CNStuffContable::gBaseDatos;

namespace {

// The first day of a month text "MM/YYYY"; nothing for any other text.
std::optional<QDate> FechaDeMes(const QString& texto) {
    static const QRegularExpression patron("^(\\d{2})/(\\d{4})$");
    const auto m = patron.match(texto);
    if (!m.hasMatch()) return std::nullopt;
    const QDate d(m.captured(2).toInt(), m.captured(1).toInt(), 1);
    if (!d.isValid()) return std::nullopt;
    return d;
}

QString TextoFecha(const QDate& d) {
    return d.toString("dd/MM/yyyy");
}

// Opens the month's row for writing, adding it when missing, and sets its month and year.
ado::RecordsetPtr AbreMes(const QString& mesTexto) {
    auto& db = gBaseDatos();
    ado::RecordsetPtr rs;
    QString sql =
        "SELECT * FROM MA_INDAJUSTE WHERE MES = " + mesTexto.left(2) + " AND anio = " + mesTexto.right(4);
    db.AbrirRecordset(sql, rs, db.gCnn, ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
    if (rs->Bof()) rs->AddNew();
    rs->fields().Item("Mes").setValue(mesTexto.left(2).toInt());
    rs->fields().Item("Anio").setValue(mesTexto.right(4).toInt());
    return rs;
}

}  // namespace

void frmMA_INDAJUSTE::Campo_Valida(QWidget* control, int&, bool) {
    m_Error = false;
    const QString nombre = control ? control->objectName() : QString();
    if (nombre.compare("txtfields", Qt::CaseInsensitive) == 0) return;
    if (nombre.compare("brwtxt", Qt::CaseInsensitive) != 0) return;
    vb::ManejadorErrores h("Campo_Valida", maker::gUtilidades().Reportero());
    // The cell shows the number as it is saved, in the grid's index form.
    if (!h.paso([&] {
            const double valor = maker::gUtilidades().ValorDoble(BrwTxt[0]->text().trimmed());
            FgAsiento->setTextMatrix(FgAsiento->Row(), FgAsiento->Col(), TextoImporte(valor));
        }))
        return;
    h.paso([&] { ObtieneCoeficientes2024(); });
}

void frmMA_INDAJUSTE::ObtieneCoeficientes2024() {
    Recalcula(true);
}

void frmMA_INDAJUSTE::ObtieneCoeficientes() {
    Recalcula(false);
}

namespace {

// The four indexes of the closing month, the reference of every coefficient of its fiscal year;
// zeros when the month has no row.
std::array<double, 4> IndicesDelCierre(const QDate& cierre) {
    auto& db = gBaseDatos();
    auto& util = maker::gUtilidades();
    std::array<double, 4> referencia{0, 0, 0, 0};
    ado::RecordsetPtr rs;
    QString sql = QString("SELECT * FROM MA_INDAJUSTE WHERE MES = %1 AND anio = %2")
                      .arg(cierre.month())
                      .arg(cierre.year());
    db.AbrirRecordset(sql, rs);
    if (!rs->Bof())
        for (int k = 0; k < 4; ++k)
            referencia[k] =
                util.ValorDoble(util.TextoCampo(rs->fields().Item(QString("Importe%1").arg(k + 1)).Value()));
    db.CierraRecordset(rs);
    return referencia;
}

}  // namespace

// desdeApertura: an edit of the closing month recomputes the whole fiscal year; the earlier
// form recomputes from the edited month only.
void frmMA_INDAJUSTE::Recalcula(bool desdeApertura) {
    auto& db = gBaseDatos();
    auto& util = maker::gUtilidades();
    auto* g = FgAsiento;
    const int R = g->Row();
    const QString mesR = g->TextMatrix(R, 0);
    const auto fechaR = FechaDeMes(mesR);
    if (!fechaR) return;  // not a month: like a month outside every fiscal year

    ado::RecordsetPtr rs;
    QString sql = "select * from mv_ejercicios where  [fecha desde] <= '" + TextoFecha(*fechaR) +
                  "' and [fecha hasta] >= '" + TextoFecha(*fechaR) + "' ";
    db.AbrirRecordset(sql, rs);
    if (rs->Bof()) return;
    const QDate apertura = vb::CDate(util.TextoCampo(rs->fields().Item("fecha desde").Value())).date();
    const QDate cierre = vb::CDate(util.TextoCampo(rs->fields().Item("fecha hasta").Value())).date();
    db.CierraRecordset(rs);

    // The edited month first, so that an edit of the closing month is its own reference.
    {
        auto mes = AbreMes(mesR);
        for (int k = 1; k <= 4; ++k)
            mes->fields()
                .Item(QString("Importe%1").arg(k))
                .setValue(util.ValorDoble(g->TextMatrix(R, 2 * k - 1)));
        mes->Update();
        db.CierraRecordset(mes);
    }

    const std::array<double, 4> referencia = IndicesDelCierre(cierre);

    // The range goes by month dates, never by counting rows: up to the opening month when the
    // closing month was edited, and down while the months stay inside the fiscal year.
    int primera = R;
    const bool esCierre = fechaR->year() == cierre.year() && fechaR->month() == cierre.month();
    if (esCierre && desdeApertura) {
        while (primera - 1 >= 1) {
            const auto f = FechaDeMes(g->TextMatrix(primera - 1, 0));
            if (!f || *f < QDate(apertura.year(), apertura.month(), 1) || *f > *fechaR) break;
            --primera;
        }
    }
    for (int D = primera; D <= g->Rows() - 1; ++D) {
        const auto fechaD = FechaDeMes(g->TextMatrix(D, 0));
        if (!fechaD || *fechaD > cierre) break;
        for (int k = 1; k <= 4; ++k) {
            const double indice = util.ValorDoble(g->TextMatrix(D, 2 * k - 1));
            const double coef = indice > 0 ? referencia[k - 1] / indice : 0;
            g->setTextMatrix(D, 2 * k, coef != 0 ? vb::Format(coef, " ##0.##0") : QString());
        }
        auto mes = AbreMes(g->TextMatrix(D, 0));
        auto& f = mes->fields();
        for (int k = 1; k <= 4; ++k) {
            f.Item(QString("Importe%1").arg(k)).setValue(util.ValorDoble(g->TextMatrix(D, 2 * k - 1)));
            f.Item(QString("Indice%1").arg(k)).setValue(util.ValorDoble(g->TextMatrix(D, 2 * k)));
        }
        mes->Update();
        db.CierraRecordset(mes);
    }
}
