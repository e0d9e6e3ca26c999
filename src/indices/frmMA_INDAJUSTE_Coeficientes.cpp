// The coefficient rule: an edited index is saved at once, and the coefficients of its fiscal
// year (closing month's index / the month's index) are recomputed from the stored indexes and
// saved with it, in one transaction.
#include "indices/frmMA_INDAJUSTE.h"

#include "data/DB_Dll.h"
#include "indices/ArchivoPerdido.h"
#include "indices/Coeficientes.h"
#include "outside/ado/Transaccion.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "services/CNStuffContable.h"

#include <QHash>

using CNStuffContable::gBaseDatos;

using indices::FechaDeMes;
using indices::MesCalculado;

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

QHash<QString, QString> frmMA_INDAJUSTE::RotulosIndices() const {
    QHash<QString, QString> rotulos;
    for (int k = 1; k <= 4; ++k) {
        const QString titulo = m_Col[2 * k - 1].Titulo.trimmed();
        rotulos.insert(QString("IMPORTE%1").arg(k), titulo.isEmpty() ? QString("Importe%1").arg(k) : titulo);
    }
    return rotulos;
}

GrabacionOptimista frmMA_INDAJUSTE::MesMostrado(const QString& mesR) const {
    GrabacionOptimista mes({"el mes " + mesR,
                            "MA_INDAJUSTE",
                            "MES = " + mesR.left(2) + " AND anio = " + mesR.right(4),
                            {},
                            {},
                            {},
                            RotulosIndices()});
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
    const auto ejercicio = indices::EjercicioDe(*fechaR);
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

        calculados = indices::RecalculaTramo(desde, cierre);
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
