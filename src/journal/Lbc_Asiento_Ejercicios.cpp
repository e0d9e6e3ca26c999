// Fiscal years and periods: the operative window, closing state, date ranges, the adjustment entry.
#include "journal/Lbc_Asiento.h"
#include "journal/Lbc_Asiento_Interno.h"
#include "outside/runtime/Dialogos.h"

namespace {

const QString kSinEjercicios =
    QStringLiteral("No se han creado Ejercicios!!!") + QChar(13) +
    QStringLiteral("Para crear un Ejercicio debe hacerlo desde la configuración del sistema");

const QString kTodosLosEjercicios = QStringLiteral("SELECT * FROM MV_EJERCICIOS ORDER BY PERIODO");

QString FechaTexto(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return {};
    return vb::Format(v, QStringLiteral("dd/mm/yyyy"));
}

QDateTime FechaCero() {
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

// Whether d lies between the two bounds of a row, both included; a Null bound holds nothing.
bool Entre(const QDateTime& d, const QVariant& desde, const QVariant& hasta) {
    if (desde.isNull() || hasta.isNull()) return false;
    return vb::CDate(desde) <= d && d <= vb::CDate(hasta);
}

}  // namespace

void Lbc_Asiento::UltimoAjuste(QString& fecha, QString& Periodo, QVariant& NroAsiento) {
    fecha.clear();
    Periodo.clear();
    NroAsiento = 0;
    ado::RecordsetPtr rs;
    asiento::AbrirDinamico("SELECT top 1  * FROM MV_ASIENTOS WHERE PERIODO = " +
                               QString::number(PeriodoActual) + " AND EsAjuste = 1",
                           rs);
    if (!rs->Bof()) {
        fecha = FechaTexto(rs->valor(QStringLiteral("fecha")));
        Periodo = asiento::Campo(rs, QStringLiteral("Ajuste_Hasta"));
        NroAsiento = rs->valor(QStringLiteral("numero asiento"));
    }
    asiento::Cerrar(rs);
}

void Lbc_Asiento::EjercicioRango(QString& FhDesde, QString& FhHasta, const VariantOpcional& Periodo) {
    const QString periodo = Periodo ? asiento::Numero(Periodo->toString()) : QString::number(PeriodoActual);
    FhDesde.clear();
    FhHasta.clear();
    ado::RecordsetPtr rs;
    asiento::AbrirDinamico("SELECT * FROM MV_EJERCICIOS WHERE PERIODO = " + periodo, rs);
    if (rs->Bof()) {
        vb::MsgBox(kSinEjercicios, vb::vbOKOnly);
    } else {
        FhDesde = FechaTexto(rs->valor(QStringLiteral("Fecha Desde")));
        FhHasta = FechaTexto(rs->valor(QStringLiteral("fecha hasta")));
    }
    asiento::Cerrar(rs);
}

QVariant Lbc_Asiento::FechaValidada(const QString& Campo, QString& Mensaje, bool& lhayError) {
    if (vb::Trim(Campo).isEmpty()) {
        lhayError = true;
        Mensaje = QStringLiteral("Debe ingresar una fecha");
    } else if (!vb::IsDate(Campo)) {
        lhayError = true;
        Mensaje = QStringLiteral("La fecha ingresada no es correcta!!");
    }
    if (!lhayError) {
        const QDateTime desde = vb::CDate(CNStuffContable::Cfg(QStringLiteral("FECHAOPERDESDE")));
        const QDateTime hasta = vb::CDate(CNStuffContable::Cfg(QStringLiteral("FECHAOPERHASTA")));
        const QDateTime fecha = vb::CDate(Campo);
        if (desde > fecha || hasta < fecha) {
            Mensaje = QStringLiteral("La fecha ingresada No es una Fecha Operativa posible!");
            lhayError = true;
        }
    }
    return QVariant();
}

bool Lbc_Asiento::ValidaEstadoPeriodoActual(QString& Mensaje, QVariant* lCierre, QVariant* lCancelacion,
                                            QVariant* lNoCreado, const QString& Periodo) {
    bool resultado = false;
    vb::ManejadorErrores h(QStringLiteral("ValidaEstadoPeriodoActual"), asiento::Reporte());
    if (!Periodo.isEmpty() && !h.paso([&] { PeriodoActual = static_cast<int16_t>(vb::CInt(Periodo)); }))
        return resultado;
    ado::RecordsetPtr rs;
    if (!h.paso([&] {
            asiento::AbrirDinamico(kTodosLosEjercicios, rs);
            if (rs->Bof()) {
                Mensaje = kSinEjercicios;
                if (lNoCreado) *lNoCreado = true;
                resultado = false;
                return;
            }
            resultado = true;  // a period without its fiscal year counts as open
            bool hayAnterior = false;
            QVariant cerradoAnterior;
            QString periodoAnterior;
            for (; !rs->Eof(); rs->MoveNext()) {
                if (vb::Val(asiento::Campo(rs, QStringLiteral("PERIODO"))) != PeriodoActual) {
                    hayAnterior = true;
                    cerradoAnterior = rs->valor(QStringLiteral("Cerrado"));
                    periodoAnterior = asiento::Campo(rs, QStringLiteral("PERIODO"));
                    continue;
                }
                const QVariant cerrado = rs->valor(QStringLiteral("Cerrado"));
                const QVariant cancelacion = rs->valor(QStringLiteral("Cancelacion"));
                if (lCierre) *lCierre = cerrado;
                if (lCancelacion) *lCancelacion = cancelacion;
                const bool c = asiento::Marcado(cerrado), k = asiento::Marcado(cancelacion);
                if (c && k) {
                    Mensaje = QStringLiteral(
                        "El Periodo tiene realizado el Cierre y la Cancelacion de saldos de cuentas de "
                        "resultados");
                    resultado = false;
                } else if (c) {
                    Mensaje = QStringLiteral("El Periodo tiene realizado el Cierre de libros contables ");
                    resultado = false;
                } else if (k) {
                    Mensaje = QStringLiteral(
                        "El Periodo tiene realizada la Cancelacion de saldos de cuentas de resultados");
                    resultado = false;
                } else if (hayAnterior) {
                    // Here a Null counts as closed: only a year marked open holds the current one back.
                    if (!cerradoAnterior.isNull() && !asiento::Marcado(cerradoAnterior)) {
                        Mensaje =
                            "El Periodo anterior (" + periodoAnterior + ") no tiene realizado el cierre";
                        resultado = false;
                    }
                }
                return;
            }
        }))
        return resultado;
    asiento::Cerrar(rs);
    return resultado;
}

QDateTime Lbc_Asiento::FechaHastaUltimoPeriodo() {
    QDateTime resultado = FechaCero();
    vb::ManejadorErrores h(QStringLiteral("FechaHastaUltimoPeriodo"), asiento::Reporte());
    ado::RecordsetPtr rs;
    if (!h.paso([&] {
            asiento::AbrirDinamico(kTodosLosEjercicios, rs);
            if (rs->Bof()) return;
            rs->MoveLast();
            const QVariant hasta = rs->valor(QStringLiteral("fecha hasta"));
            if (!hasta.isNull()) resultado = vb::CDate(hasta);
        }))
        return resultado;
    asiento::Cerrar(rs);
    return resultado;
}

bool Lbc_Asiento::ValidaRangoFechaEjercicio(QString Fecha_Desde, QString Fecha_Hasta,
                                            const VariantOpcional& lPeriodo) {
    ado::RecordsetPtr rs;
    asiento::AbrirDinamico(kTodosLosEjercicios, rs);
    bool resultado = true;
    if (!rs->Bof()) {
        for (; !rs->Eof() && resultado; rs->MoveNext()) {
            const QVariant desde = rs->valor(QStringLiteral("Fecha Desde"));
            const QVariant hasta = rs->valor(QStringLiteral("fecha hasta"));
            const bool otroEjercicio = !lPeriodo || vb::Val(asiento::Campo(rs, QStringLiteral("PERIODO"))) !=
                                                        vb::Val(lPeriodo->toString());
            for (const QString& limite : {Fecha_Desde, Fecha_Hasta})
                if (Entre(vb::CDate(limite), desde, hasta) && otroEjercicio) resultado = false;
        }
    }
    asiento::Cerrar(rs);
    return resultado;
}

bool Lbc_Asiento::EjercicioAnteriorCerrado(QString& QueEjercicio) {
    if (!vb::IsNumeric(QueEjercicio)) vb::Raise(vb::kTiposNoCoinciden);
    if (vb::Val(QueEjercicio) == -1) QueEjercicio = QString::number(PeriodoActual);
    ado::RecordsetPtr rs;
    asiento::AbrirDinamico("SELECT * FROM MV_EJERCICIOS WHERE PERIODO < " + vb::CStr(vb::Val(QueEjercicio)) +
                               " ORDER BY PERIODO",
                           rs);
    bool resultado = true;
    if (!rs->Bof()) {
        rs->MoveLast();
        resultado = asiento::Marcado(rs->valor(QStringLiteral("Cerrado"))) ||
                    asiento::Marcado(rs->valor(QStringLiteral("Cierre")));
    }
    asiento::Cerrar(rs);
    return resultado;
}

bool Lbc_Asiento::ExistenMovFueraPeriodo(const QString& Periodo, QString NFecha_Desde, QString NFecha_Hasta) {
    bool resultado = false;
    vb::ManejadorErrores h(QStringLiteral("ExistenMovFueraPeriodo"), asiento::Reporte());
    ado::RecordsetPtr rs;
    QString sql;
    if (!h.paso([&] {
            sql = "SELECT * FROM MV_ASIENTOS WHERE CONVERT(INT, PERIODO) = " +
                  QString::number(vb::Val(Periodo), 'g', 15) +
                  " AND (FECHA <= " + maker::gUtilidades().FechaSQL(NFecha_Desde) +
                  " OR FECHA >= " + maker::gUtilidades().FechaSQL(NFecha_Hasta) + " )";
        }))
        return resultado;
    if (!h.paso([&] {
            asiento::AbrirDinamico(sql, rs);
            resultado = !rs->Bof();
        }))
        return resultado;
    h.paso([&] { asiento::Cerrar(rs); });
    return resultado;
}
