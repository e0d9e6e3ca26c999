#include "data/DB_Dll.h"

#include "data/DB_Dll_Texto.h"
#include "data/Globales.h"
#include "data/LecturasVigiladas.h"
#include "outside/ado/CortesSql.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/Programa.h"

#include <cmath>

using db_texto::DuplicaApostrofes;

namespace db_texto {

QString NumeroSQL(double valor) {
    if (std::isfinite(valor) && std::floor(valor) == valor && std::fabs(valor) < 1e15)
        return QString::number(static_cast<qlonglong>(valor));
    return QString::number(valor, 'g', 15);
}

}  // namespace db_texto

namespace {

enum TipoClave { kTexto = 8, kFecha = 7, kEntero = 3, kDoble = 5, kSimple = 4 };

bool EsNumerico(int tipo) {
    return tipo == kEntero || tipo == kDoble || tipo == kSimple;
}

// The leading number of a key, as a statement writes it.
QString ValorNumericoClave(const QString& valor) {
    return db_texto::NumeroSQL(vb::Val(valor));
}

}  // namespace

// ---- the lookups' general error message ----

int DB_Dll::MensajeGeneral(const vb::ErrorVB& e) {
    if (e.Informado) return Abandona(vb::RespuestaYaInformado(e));
    return Abandona(vb::MsgBox(e.Description, vb::vbAbortRetryIgnore + vb::vbCritical, "Aviso al Operador"));
}

int DB_Dll::Abandona(int respuesta) {
    if (respuesta != vb::kRespuestaReintentar && respuesta != vb::kRespuestaIgnorar)
        LecturasVigiladas::AnotaAbandonada();
    return respuesta;
}

// ---- existence tests ----

bool DB_Dll::ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                             const QVariant& Tipodato, const QString& Condicion, bool SoloLectura) {
    return existe(true, Tabla, ValorBuscado, Campo, nullptr, Tipodato, Condicion, SoloLectura);
}

bool DB_Dll::ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                             ado::RecordsetPtr& LRCS, const QVariant& Tipodato, const QString& Condicion,
                             bool SoloLectura) {
    return existe(true, Tabla, ValorBuscado, Campo, &LRCS, Tipodato, Condicion, SoloLectura);
}

bool DB_Dll::ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                           const QVariant& Tipodato, const QString& Condicion, bool SoloLectura) {
    return existe(false, Tabla, ValorBuscado, Campo, nullptr, Tipodato, Condicion, SoloLectura);
}

bool DB_Dll::ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                           ado::RecordsetPtr& LRCS, const QVariant& Tipodato, const QString& Condicion,
                           bool SoloLectura) {
    return existe(false, Tabla, ValorBuscado, Campo, &LRCS, Tipodato, Condicion, SoloLectura);
}

QString DB_Dll::SentenciaExiste(bool st, const QString& Tabla, const QString& ValorBuscado,
                                const QString& Campo, int tipo, const QString& Condicion) {
    // Dates are quoted day-first literals, as everywhere else in the program.
    QString sql;
    if (st) {
        const QString cabeza = "SELECT * FROM " + Tabla + " with(nolock)   WHERE " + Campo;
        if (!Condicion.isEmpty())
            sql = "SELECT * FROM " + Tabla + " with(nolock)  " +
                  (ado::TieneClausula(Condicion, u"where") ? " " : " WHERE ") + Condicion;
        else if (tipo == kTexto)
            sql = cabeza + " ='" + DuplicaApostrofes(ValorBuscado) + "'";
        else if (tipo == kFecha)
            sql = cabeza + " = '" + DuplicaApostrofes(vb::Trim(ValorBuscado)) + "' ";
        else if (EsNumerico(tipo))
            sql = cabeza + " = " + ValorNumericoClave(ValorBuscado);
        else
            sql = cabeza + " = " + ValorBuscado;
    } else {
        const QString cabeza = "SELECT TOP 1 * FROM " + Tabla + " with(nolock)  WHERE " + Campo;
        if (!Condicion.isEmpty())
            sql = "SELECT TOP 1 * FROM " + Tabla + " with(nolock) " +
                  (ado::TieneClausula(Condicion, u"where") ? " " : " WHERE ") + Condicion;
        else if (tipo == kTexto)
            sql = "SELECT TOP 1  * FROM " + Tabla + " with(nolock)  WHERE LTRIM(RTRIM(" + Campo + ")) ='" +
                  DuplicaApostrofes(vb::Trim(ValorBuscado)) + "'";
        else if (tipo == kFecha)
            sql = cabeza + " = '" + DuplicaApostrofes(vb::Trim(ValorBuscado)) + "' ";
        else if (EsNumerico(tipo))
            sql = cabeza + " = " + ValorNumericoClave(ValorBuscado);
        else
            sql = cabeza + " = " + ValorBuscado;
        sql = SS_TSinonimos(sql);
    }
    return sql;
}

bool DB_Dll::existe(bool st, const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                    ado::RecordsetPtr* LRCS, const QVariant& Tipodato, const QString& Condicion,
                    bool SoloLectura) {
    const QString sql = SentenciaExiste(st, Tabla, ValorBuscado, Campo, Tipodato.toInt(), Condicion);
    const ado::ConnectionPtr conexion = st ? CNStuffContable::gBaseDatos().cnn() : cnn();

    bool resultado = false;
    int contador = 0;
    vb::ManejadorErrores h(
        st ? "ExisteEnTablaST" : "ExisteEnTabla", [&](const vb::ErrorVB& e, const QString&) {
            CedeSiTransaccionPerdida(e);
            if (ConexionPerdidaCompartida() && RecuperaConexion(FormaRecuperacion::PreguntaTrasCadaFallo,
                                                                contador, e) == TrasRecuperacion::Repetir)
                return vb::kRespuestaReintentar;
            return MensajeGeneral(e);
        });

    if (LRCS) {
        ado::RecordsetPtr& rs = *LRCS;
        if (!rs) rs = ado::Recordset::Crear();
        if (!h.paso([&] {
                if (rs->State() != ado::adStateClosed) rs->Close();
            }))
            return resultado;
        if (!h.paso([&] {
                if (SoloLectura)
                    rs->Open(sql, conexion, ado::adOpenForwardOnly, ado::adLockReadOnly, -1);
                else
                    rs->Open(sql, conexion, rs->CursorType, rs->LockType, -1);
            }))
            return resultado;
        // An open that was passed over finds no row.
        h.paso([&] { resultado = rs->State() != ado::adStateClosed && !rs->Bof(); });
        return resultado;
    }

    ado::RecordsetPtr rs = ado::Recordset::Crear();
    const QString texto = st ? sql : ORACLE_Dicc(sql);
    if (!h.paso([&] { rs->Open(texto, conexion, ado::adOpenForwardOnly, ado::adLockReadOnly, -1); }))
        return resultado;
    if (!h.paso([&] { resultado = rs->State() != ado::adStateClosed && !rs->Bof(); })) return resultado;
    h.paso([&] {
        if (rs->State() != ado::adStateClosed) rs->Close();
    });
    return resultado;
}

bool DB_Dll::HayFilasReales(const QString& Tabla, const QString& Condicion) {
    QString sql = "SELECT TOP 1 1 AS HAY FROM @Admin_" + Tabla + " WHERE " + Condicion;
    ado::RecordsetPtr rs;
    AbrirRecordset(sql, rs, gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
    // A statement that failed leaves the recordset closed: reading it raises.
    const bool hay = !rs->Eof();
    CierraRecordset(rs);
    return hay;
}

// ---- one column of the first matching row ----

QVariant DB_Dll::DatosTabla(const QString& Tabla, const QString& ValorBuscado, const QString& CampoDevuelto,
                            const QString& Campo, const QVariant& Tipodato, const QString& Condicion,
                            bool UsaTrim, bool IgnoraError) {
    const int tipo = Tipodato.toString() == "'" ? int(kTexto) : Tipodato.toInt();
    const QString condicion = vb::Trim(Condicion).isEmpty() ? Condicion : " AND " + Condicion;
    const QString cabeza = "SELECT TOP 1 * FROM " + Tabla + " with(nolock)  WHERE ";
    QString sql;
    if (tipo == kTexto && UsaTrim)
        sql = cabeza + "LTRIM(RTRIM(" + Campo + ")) ='" + DuplicaApostrofes(vb::Trim(ValorBuscado)) + "' " +
              condicion;
    else if (tipo == kTexto)
        sql = cabeza + Campo + " ='" + DuplicaApostrofes(ValorBuscado) + "' " + condicion;
    else if (tipo == kFecha)
        sql = cabeza + Campo + " = '" + DuplicaApostrofes(vb::Trim(ValorBuscado)) + "' " + condicion;
    else if (EsNumerico(tipo))
        sql = cabeza + Campo + " = " + ValorNumericoClave(ValorBuscado) + condicion;
    else
        sql = cabeza + Campo + " = " + ValorBuscado + condicion;

    QVariant resultado;
    int contador = 0;
    vb::ManejadorErrores h("DatosTabla", [&](const vb::ErrorVB& e, const QString&) {
        CedeSiTransaccionPerdida(e);
        if (IgnoraError) {
            resultado = QString();
            return 0;
        }
        if (ConexionPerdidaCompartida() && RecuperaConexion(FormaRecuperacion::ReintentaAntesDePreguntar,
                                                            contador, e) == TrasRecuperacion::Repetir)
            return vb::kRespuestaReintentar;
        return MensajeGeneral(e);
    });

    ado::RecordsetPtr rs = ado::Recordset::Crear();
    if (!h.paso(
            [&] { AbrirRecordset(sql, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true); }))
        return resultado;
    if (!gOpenFlag) return QVariant();
    if (!h.paso([&] {
            if (rs->State() != ado::adStateClosed && !rs->Bof())
                resultado = Util().TextoCampo(rs->fields()[CampoDevuelto].Value());
            else
                resultado = QString();
        }))
        return resultado;
    h.paso([&] {
        if (rs->State() != ado::adStateClosed) rs->Close();
    });
    return resultado;
}
