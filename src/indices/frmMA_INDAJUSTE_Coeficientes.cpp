// The coefficient rule: an edited index is saved at once, and the coefficients of its fiscal
// year (closing month's index / the month's index) are recomputed from the stored indexes and
// saved with it, in one transaction.
#include "indices/frmMA_INDAJUSTE.h"

#include "data/DB_Dll.h"
#include "indices/ArchivoPerdido.h"
#include "outside/ado/Transaccion.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "services/CNStuffContable.h"

#include <QHash>
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

QString TextoMes(int anio, int mes) {
    return QString("%1/%2").arg(mes, 2, 10, QLatin1Char('0')).arg(anio, 4, 10, QLatin1Char('0'));
}

double Numero(const QVariant& v) {
    return v.isNull() ? 0.0 : v.toDouble();
}

struct Ejercicio {
    QDate apertura, cierre;
};

// The fiscal year that holds the month; nothing when none does.
std::optional<Ejercicio> EjercicioDe(const QDate& mes) {
    auto& db = gBaseDatos();
    auto& util = maker::gUtilidades();
    ado::RecordsetPtr rs;
    QString sql = "select * from mv_ejercicios where  [fecha desde] <= '" + TextoFecha(mes) +
                  "' and [fecha hasta] >= '" + TextoFecha(mes) + "' ";
    db.AbrirRecordset(sql, rs);
    if (rs->Bof()) return std::nullopt;
    Ejercicio e{vb::CDate(util.TextoCampo(rs->fields().Item("fecha desde").Value())).date(),
                vb::CDate(util.TextoCampo(rs->fields().Item("fecha hasta").Value())).date()};
    db.CierraRecordset(rs);
    return e;
}

// The four indexes of the closing month, the reference of every coefficient of its fiscal year;
// zeros when the month has no row.
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

// A recomputed month as it is stored: its indexes and its coefficient texts.
struct MesCalculado {
    std::array<double, 4> importes;
    std::array<QString, 4> coeficientes;
};

}  // namespace

void frmMA_INDAJUSTE::Campo_Valida(QWidget* control, int&, bool) {
    m_Error = false;
    // Only the grid's cell editor has anything to validate; the year box has not.
    if (!control || control != BrwTxt.value(0)) return;
    auto* g = FgAsiento;
    const int fila = g->Row();
    const int columna = g->Col();
    double valor = 0;
    // A number the column cannot hold is refused, never stored as another one.
    try {
        valor = maker::gUtilidades().ValorDoble(BrwTxt[0]->text().trimmed());
    } catch (const vb::ErrorVB&) {
        MensajeConversion(m_Col[columna].Titulo.trimmed().isEmpty() ? m_Col[columna].Campo
                                                                    : m_Col[columna].Titulo);
        MuestraGuardados(fila);
        return;
    }
    const Edicion edicion{columna, valor};
    // The cell shows the number as it is saved, in the grid's index form.
    g->setTextMatrix(fila, columna, TextoImporte(valor));
    GrabaIndice(fila, edicion);
}

void frmMA_INDAJUSTE::GrabaIndice(int fila, const Edicion& edicion) {
    auto& util = maker::gUtilidades();
    vb::ManejadorErrores h("Campo_Valida", [&util](const vb::ErrorVB& e, const QString& rutina) {
        util.Ocupado(false);
        int respuesta = 0;
        // The company file was gone: the question was asked, and the save is made again.
        if (e.Number == ado::kErrTransaccionPerdida && indices::ArchivoPerdido()) {
            util.Ocupado(true);
            return vb::kRespuestaReintentar;
        }
        // The server undid the whole save with the session: nothing to repeat on it.
        if (e.Number == ado::kErrTransaccionPerdida) {
            util.TrataError(e, vb::vbOKOnly + vb::vbCritical, rutina, respuesta);
            return 0;
        }
        util.TrataError(e, rutina, respuesta);
        if (respuesta == vb::kRespuestaReintentar) util.Ocupado(true);
        return respuesta;
    });
    bool grabado = false;
    // The save may wait for another user's lock: the window shows that it waits.
    util.Ocupado(true);
    h.paso([&] { grabado = Recalcula(true, &edicion); });
    util.Ocupado(false);
    if (!grabado) MuestraGuardados(fila);
}

void frmMA_INDAJUSTE::ObtieneCoeficientes2024() {
    Recalcula(true);
}

void frmMA_INDAJUSTE::ObtieneCoeficientes() {
    Recalcula(false);
}

GrabacionOptimista frmMA_INDAJUSTE::MesMostrado(const QString& mesR) const {
    QHash<QString, QString> rotulos;
    for (int k = 1; k <= 4; ++k) {
        const QString titulo = m_Col[2 * k - 1].Titulo.trimmed();
        rotulos.insert(QString("IMPORTE%1").arg(k), titulo.isEmpty() ? QString("Importe%1").arg(k) : titulo);
    }
    GrabacionOptimista mes({"el mes " + mesR,
                            "MA_INDAJUSTE",
                            "MES = " + mesR.left(2) + " AND anio = " + mesR.right(4),
                            {},
                            {},
                            {},
                            rotulos});
    const auto it = m_Mostrados.constFind(mesR);
    if (it == m_Mostrados.constEnd()) {
        mes.RecuerdaNuevo();
        return mes;
    }
    GrabacionOptimista::Fila fila;
    for (int k = 0; k < 4; ++k) fila.insert(QString("IMPORTE%1").arg(k + 1), (*it)[k]);
    mes.RecuerdaFilas({fila});
    return mes;
}

void frmMA_INDAJUSTE::EscribeEdicion(const QString& mesR, const Edicion& edicion) {
    auto& db = gBaseDatos();
    const QString campo = QString("Importe%1").arg((edicion.columna + 1) / 2);
    ado::RecordsetPtr mes;
    QString sql = "SELECT * FROM MA_INDAJUSTE WHERE MES = " + mesR.left(2) + " AND anio = " + mesR.right(4);
    db.AbrirRecordset(sql, mes, db.gCnn, ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
    if (mes->Bof()) {
        mes->AddNew();
        mes->fields().Item("Mes").setValue(mesR.left(2).toInt());
        mes->fields().Item("Anio").setValue(mesR.right(4).toInt());
    }
    mes->fields().Item(campo).setValue(edicion.valor);
    mes->Update();
    db.CierraRecordset(mes);
}

// desdeApertura: an edit of the closing month recomputes the whole fiscal year; the earlier
// form recomputes from the edited month only. Only the edited value and the coefficients are
// written, from what is stored, so that another user's edit of another value is kept.
bool frmMA_INDAJUSTE::Recalcula(bool desdeApertura, const Edicion* edicion) {
    auto& db = gBaseDatos();
    auto* g = FgAsiento;
    const int R = g->Row();
    const QString mesR = g->TextMatrix(R, 0);
    const auto fechaR = FechaDeMes(mesR);
    if (!fechaR) return true;  // not a month: like a month outside every fiscal year
    const auto ejercicio = EjercicioDe(*fechaR);
    if (!ejercicio) return true;
    const QDate cierre = ejercicio->cierre;
    const bool esCierre = fechaR->year() == cierre.year() && fechaR->month() == cierre.month();
    const QDate desde = esCierre && desdeApertura ? ejercicio->apertura : *fechaR;

    QHash<QString, MesCalculado> calculados;
    ado::Transaccion transaccion(db.gCnn);
    try {
        if (edicion) {
            GrabacionOptimista mes = MesMostrado(mesR);
            const auto veredicto = mes.Comprueba({QString("Importe%1").arg((edicion->columna + 1) / 2)});
            if (!veredicto.ok()) {
                transaccion.Deshacer();
                mes.Avisa(veredicto, "Se muestran los valores guardados del ejercicio.");
                return false;
            }
            EscribeEdicion(mesR, *edicion);
        }

        const std::array<double, 4> referencia = IndicesDelCierre(cierre);
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
                f.Item(QString("Indice%1").arg(k + 1))
                    .setValue(maker::gUtilidades().ValorDoble(m.coeficientes[k]));
            }
            calculados.insert(TextoMes(f.Item("Anio").Value().toInt(), f.Item("Mes").Value().toInt()), m);
            rs->Update();
            rs->MoveNext();
        }
        db.CierraRecordset(rs);
        transaccion.Confirmar();
    } catch (const vb::ErrorVB& e) {
        if (transaccion.SePerdio(e)) throw ado::Transaccion::ErrorPerdida(e);
        throw;
    }

    // Shown only once stored: the months of the range with what the table now holds.
    for (int D = 1; D < g->Rows(); ++D) {
        const auto fechaD = FechaDeMes(g->TextMatrix(D, 0));
        if (!fechaD || *fechaD < desde || *fechaD > cierre) continue;
        const auto it = calculados.constFind(g->TextMatrix(D, 0));
        // A month the table no longer holds has no coefficient.
        if (it == calculados.constEnd()) {
            for (int k = 1; k <= 4; ++k) g->setTextMatrix(D, 2 * k, QString());
            continue;
        }
        m_Mostrados.insert(it.key(), it->importes);
        for (int k = 1; k <= 4; ++k) {
            g->setTextMatrix(D, 2 * k - 1, TextoImporte(it->importes[k - 1]));
            g->setTextMatrix(D, 2 * k, it->coeficientes[k - 1]);
        }
    }
    return true;
}
