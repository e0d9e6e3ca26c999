#include "data/DB_Dll.h"

#include "data/DB_Dll_Texto.h"
#include "data/Globales.h"
#include "outside/ado/CortesSql.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/Programa.h"

using db_texto::Contiene;
using db_texto::QuitaMarca;

namespace {

// Only a statement that both creates and drops reaches the restricted views; ordinary writes keep
// the real tables and lose only the marker. The words count in the program's own text only, never
// inside a value the statement writes.
QString ReescribeAccion(DB_Dll& db, const QString& sentencia) {
    const QString propia = ado::TextoPropio(sentencia);
    if (Contiene(propia, "CREATE") && Contiene(propia, "DROP")) {
        if (db_texto::TieneMarca(sentencia)) return QuitaMarca(sentencia);
        if (Contiene(propia, "DELETE")) return sentencia;
        return db.SS_TSinonimos(sentencia);
    }
    return QuitaMarca(sentencia);
}

// A truncation warning of a statement outside a transaction block is not kept for the caller.
bool EsTruncadoSuelto(const ado::Errors& errores, const QString& sentencia) {
    return errores.Count() > 0 && !Contiene(sentencia, "TRANS") &&
           errores.Item(0).NativeError == ado::kNativoTruncado;
}

}  // namespace

QString DB_Dll::DescartaSentencia(QString& Sentencia) {
    if (Contiene(Sentencia, "SET NOCOUNT") || Contiene(Sentencia, "IF NOT EXIST")) {
        Sentencia.clear();
        return QString();
    }
    return Sentencia;
}

// ---- action statements ----

bool DB_Dll::EjecutaConsultaSQL(QString& SentenciaSQL) {
    return ejecutaConsulta(SentenciaSQL, nullptr, nullptr);
}

bool DB_Dll::EjecutaConsultaSQL(QString& SentenciaSQL, long& RecordsAffected) {
    return ejecutaConsulta(SentenciaSQL, &RecordsAffected, nullptr);
}

bool DB_Dll::EjecutaConsultaSQL(QString& SentenciaSQL, long& RecordsAffected, ado::RecordsetPtr& LRCS) {
    return ejecutaConsulta(SentenciaSQL, &RecordsAffected, &LRCS);
}

void DB_Dll::EjecutaConsultaRSQL(QString& SentenciaSQL) {
    ejecutaConsultaR(SentenciaSQL, nullptr, nullptr);
}

void DB_Dll::EjecutaConsultaRSQL(QString& SentenciaSQL, long& RecordsAffected) {
    ejecutaConsultaR(SentenciaSQL, &RecordsAffected, nullptr);
}

void DB_Dll::EjecutaConsultaRSQL(QString& SentenciaSQL, long& RecordsAffected, ado::RecordsetPtr& LRCS) {
    ejecutaConsultaR(SentenciaSQL, &RecordsAffected, &LRCS);
}

// On an Oracle connection the caller's variable goes to the script runner, which consumes it.
void DB_Dll::ejecutaSobreConexion(QString& sentencia, long* afectados, ado::RecordsetPtr* lrcs) {
    long propios = 0;
    long& cuenta = afectados ? *afectados : propios;
    if (Contiene(cnn()->ConnectionString(), "ORACLE")) {
        EjecutaScriptSQL(sentencia, cuenta);
        return;
    }
    ado::RecordsetPtr rs = cnn()->Execute(sentencia, &cuenta, -1);
    if (lrcs && *lrcs) *lrcs = rs;
}

bool DB_Dll::ejecutaConsulta(QString& sentencia, long* afectados, ado::RecordsetPtr* lrcs) {
    sentencia = ReescribeAccion(*this, sentencia);

    bool exito = true;
    int contador = 0;
    const bool yaEnTransaccion = cnn()->EnTransaccion();
    vb::ManejadorErrores h("EjecutaConsultaSQL", [&](const vb::ErrorVB& e, const QString& rutina) -> int {
        // A transaction this very text began (a script's) and lost with its session ends here:
        // the call fails, and no rest of the script runs again on another session.
        if (!yaEnTransaccion && cnn()->TransaccionPerdida()) {
            cnn()->RollbackTrans();
            exito = false;
            EscribeLog(" - " + rutina, TextoMensaje(e), 0);
            return 0;
        }
        CedeSiTransaccionPerdida(e);
        ado::Errors& compartidos = CNStuffContable::gBaseDatos().cnn()->errores();
        const bool perdida = compartidos.Count() > 0 && !Contiene(sentencia, "TRANS") &&
                             compartidos.Item(0).NativeError == ado::kNativoConexionPerdida;
        if (perdida && RecuperaConexion(FormaRecuperacion::ReintentaAntesDePreguntar, contador, e) ==
                           TrasRecuperacion::Repetir)
            return vb::kRespuestaReintentar;
        if (EsTruncadoSuelto(compartidos, sentencia)) compartidos.Clear();
        // Nothing is shown; the failure is recorded and the caller told.
        exito = false;
        EscribeLog(" - " + rutina, TextoMensaje(e), 0);
        return 0;
    });

    if (!h.paso([&] { ejecutaSobreConexion(sentencia, afectados, lrcs); })) return exito;
    ado::Errors& compartidos = CNStuffContable::gBaseDatos().cnn()->errores();
    if (compartidos.Count() <= 2 && EsTruncadoSuelto(compartidos, sentencia)) compartidos.Clear();
    return exito;
}

void DB_Dll::ejecutaConsultaR(QString& sentencia, long* afectados, ado::RecordsetPtr* lrcs) {
    sentencia = ReescribeAccion(*this, sentencia);

    const bool yaEnTransaccion = cnn()->EnTransaccion();
    vb::ManejadorErrores h("EjecutaConsultaRSQL", [&](const vb::ErrorVB& e, const QString&) -> int {
        if (!yaEnTransaccion && cnn()->TransaccionPerdida()) cnn()->RollbackTrans();
        CedeSiTransaccionPerdida(e);
        ado::Errors& compartidos = CNStuffContable::gBaseDatos().cnn()->errores();
        if (EsTruncadoSuelto(compartidos, sentencia)) {
            compartidos.Clear();
            return 0;
        }
        const bool callado = e.Number == ado::kErrNoEspecificado || e.Number == ado::kErrSintaxis ||
                             e.Number == ado::kErrTablaInexistente || e.Number == ado::kErrIntegridad ||
                             Contiene(sentencia, "TRANS");
        if (!callado) vb::MsgBox(e.Description, vb::vbOKOnly + vb::vbCritical, "Aviso al operador!!!");
        return 0;
    });

    if (!h.paso([&] { ejecutaSobreConexion(sentencia, afectados, lrcs); })) return;
    ado::Errors& compartidos = CNStuffContable::gBaseDatos().cnn()->errores();
    if (compartidos.Count() <= 2 && EsTruncadoSuelto(compartidos, sentencia)) compartidos.Clear();
}

// ---- queries ----

void DB_Dll::AbrirRecordset(QString& SentenciaSQL, ado::RecordsetPtr& LRCS,
                            const ado::ConnectionPtr& Conexionactiva, int CursorType, int LockType,
                            long Options, bool ConvOracle) {
    if (!LRCS) LRCS = ado::Recordset::Crear();
    if (!AbreConsulta(
            SentenciaSQL, ConvOracle, [&] { CierraRecordset(LRCS); },
            [&](const QString& texto) {
                LRCS->Open(texto, Conexionactiva ? Conexionactiva : cnn(), CursorType, LockType,
                           int(Options));
            })) {
        // Given up ("Anular") after its report, the recordset stays closed, and the caller that
        // reads it meets an error the operator was already told of: one word for one failure.
        // After "Omitir" the caller goes on and reports its own step, whose answer decides.
        LRCS->Abandonar();
        return;
    }
    vb::DoEvents();
}

bool DB_Dll::LeeConsulta(QString& SentenciaSQL, ado::Lectura& Filas, const ado::ConnectionPtr& Conexionactiva,
                         bool ConvOracle) {
    Filas = ado::Lectura();
    const bool leida = AbreConsulta(
        SentenciaSQL, ConvOracle, [] {},
        [&](const QString& texto) { Filas = (Conexionactiva ? Conexionactiva : cnn())->Leer(texto); });
    if (leida) vb::DoEvents();
    return leida && Filas.esConsulta;
}

bool DB_Dll::AbreConsulta(QString& SentenciaSQL, bool ConvOracle, const std::function<void()>& antes,
                          const std::function<void(const QString& texto)>& abre) {
    int contador = 2;
    vb::ManejadorErrores h("AbrirRecordset", [&](const vb::ErrorVB& e, const QString& rutina) -> int {
        CedeSiTransaccionPerdida(e);
        const bool perdida = (e.Number == ado::kErrNoEspecificado || e.Number == ado::kErrConexionInvalida) &&
                             cnn()->errores().Count() > 0;
        if (perdida && RecuperaConexion(FormaRecuperacion::ReintentaAntesDePreguntar, contador, e) ==
                           TrasRecuperacion::Repetir)
            return vb::kRespuestaReintentar;
        return Abandona(TratamientoErrores(e, 18, rutina));
    });

    if (!h.paso(antes)) return false;
    SentenciaSQL = SS_TSinonimos(SentenciaSQL);
    QString texto;
    if (!h.paso([&] {
            const bool oracle = cnn()->ConnectionString().indexOf("ORACLE", 0, Qt::CaseInsensitive) >= 1;
            texto = oracle && ConvOracle ? ORACLE_Dicc(SentenciaSQL) : SentenciaSQL;
        }))
        return false;
    return h.paso([&] { abre(texto); });
}
