// Sub-journal rules: dates and voucher types against a sub-journal and its summary entries.
#include "journal/Lbc_Asiento.h"
#include "journal/Lbc_Asiento_Interno.h"
#include "outside/runtime/Dialogos.h"

namespace {

// VB's Null logic: a Null flag is neither True nor "not True" in a test, so it never passes one.
bool EsVerdadero(const QVariant& v) {
    return !v.isNull() && asiento::Marcado(v);
}

}  // namespace

bool Lbc_Asiento::ValidaFechaSubdiario(const QString& fecha, const QString& Subdiario) {
    ado::RecordsetPtr rs;
    asiento::AbrirDinamico("SELECT * FROM MV_CONTROL_AS_RES WHERE RTRIM(LTRIM(SUBDIARIO)) = '" +
                               asiento::Texto(vb::Trim(Subdiario)) +
                               "' AND PERIODO = " + QString::number(PeriodoActual),
                           rs);
    if (rs->Bof()) return true;
    for (; !rs->Eof(); rs->MoveNext()) {
        const QDateTime d = vb::CDate(fecha);
        const QVariant desde = rs->valor(QStringLiteral("Fecha_Desde"));
        const QVariant hasta = rs->valor(QStringLiteral("Fecha_Hasta"));
        const QVariant anulado = rs->valor(QStringLiteral("Anulado"));
        // A Null anywhere in the test leaves the date free, as the suite's other programs read it.
        if (desde.isNull() || hasta.isNull() || anulado.isNull()) continue;
        if (vb::CDate(desde) <= d && d <= vb::CDate(hasta) && !EsVerdadero(anulado)) return false;
    }
    return true;
}

bool Lbc_Asiento::ValidaSubdiarioTC(const QString& Subdiario, const QString& TC) {
    bool resultado = false;
    vb::ManejadorErrores h(QStringLiteral("ValidaSubdiarioTC"), asiento::Reporte());
    ado::RecordsetPtr rs;
    h.paso([&] {
        asiento::AbrirDinamico("SELECT * FROM MA_SUBDIARIOSCOMPROBANTES WHERE RTRIM(LTRIM(SUBDIARIO)) = '" +
                                   asiento::Texto(vb::Trim(Subdiario)) + "'",
                               rs);
        for (bool vacio = rs->Bof(); !vacio && !rs->Eof(); rs->MoveNext())
            if (vb::Trim(asiento::Campo(rs, QStringLiteral("TC")))
                    .compare(vb::Trim(TC), Qt::CaseInsensitive) == 0) {
                resultado = true;
                return;
            }
        asiento::Cerrar(rs);
    });
    return resultado;
}

bool Lbc_Asiento::AsientoResumenAnulado(const QString& Subdiario, const QString& NroAsiento_ConFomato) {
    bool resultado = false;
    vb::ManejadorErrores h(QStringLiteral("AsientoResumenAnulado"), asiento::Reporte());
    ado::RecordsetPtr rs;
    QString sql;
    if (!h.paso([&] {
            const qsizetype guion = NroAsiento_ConFomato.indexOf(QLatin1Char('-'));
            if (guion < 0)
                vb::Raise(vb::kArgumentoInvalido,
                          QStringLiteral("Llamada a procedimiento o argumento no válido"));
            const QString mes = asiento::Numero(NroAsiento_ConFomato.left(guion));
            const QString numero = asiento::Numero(NroAsiento_ConFomato.mid(guion + 1));
            sql = "SELECT * FROM MV_CONTROL_AS_RES WHERE SUBDIARIO='" + asiento::Texto(vb::Trim(Subdiario)) +
                  "' AND ID=" + numero + " AND MONTH(FECHA_DESDE) = " + mes +
                  " AND PERIODO = " + QString::number(PeriodoActual);
        }))
        return resultado;
    bool anulado = false;
    if (!h.paso([&] {
            asiento::AbrirDinamico(sql, rs);
            anulado = !rs->Bof() && EsVerdadero(rs->valor(QStringLiteral("Anulado")));
        }))
        return resultado;
    if (anulado) {
        vb::MsgBox(QStringLiteral("Este Asiento Resumen ya fue Contrasentado!!!"),
                   vb::vbCritical + vb::vbOKOnly);
        resultado = true;
    }
    asiento::Cerrar(rs);
    return resultado;
}

bool Lbc_Asiento::ValidaTCRegistraciones(const QString& Tipo) {
    bool resultado = false;
    vb::ManejadorErrores h(QStringLiteral("ValidaTCRegistraciones"), asiento::Reporte());
    ado::RecordsetPtr rs = ado::Recordset::Crear();
    h.paso([&] {
        QString sql =
            "SELECT TC FROM MA_SUBDIARIOSCOMPROBANTES WHERE TC='" + asiento::Texto(vb::Trim(Tipo)) + "'";
        CNStuffContable::gBaseDatos().AbrirRecordset(sql, rs, nullptr, ado::adOpenForwardOnly,
                                                     ado::adLockReadOnly, -1, true);
        if (rs->Bof()) {
            asiento::Cerrar(rs);
            return;
        }
        rs->MoveFirst();
        resultado = true;
    });
    return resultado;
}
