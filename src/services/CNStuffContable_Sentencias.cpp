// Statements built from (column, value) pairs and statement lists run as one transaction.
#include "data/DB_Dll.h"
#include "outside/ado/CortesSql.h"
#include "outside/maker/Progreso.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/LogErrores.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"

namespace CNStuffContable {

QList<CampoValor> gCamposValores;

namespace {

constexpr int32_t kSubindiceFueraDeRango = 9;
const QChar kCR(13);

// The pair list must have been started: a list that never was is a subscript error to the caller.
void ExigeIniciada(const QList<CampoValor>& campos) {
    if (campos.isEmpty()) vb::Raise(kSubindiceFueraDeRango);
}

QString Columnas(const QList<CampoValor>& campos) {
    QStringList r;
    for (const CampoValor& c : campos) r << c.Campo;
    return r.join(',');
}

QString Valores(const QList<CampoValor>& campos) {
    QStringList r;
    for (const CampoValor& c : campos) r << c.Valor;
    return r.join(',');
}

// A record that could not be written must not hide the message it belongs to; it still goes to
// the error log.
void AnotaRegistroFallido(const vb::ErrorVB& e) {
    const QDateTime ahora = vb::Now();
    vb::AgregarAlLog(RutaLogErrores(),
                     vb::Format(ahora, "mm-dd-yyyy") + " " + vb::Format(ahora, "hh:mm:ss") +
                         " Rutina: - EjecutaTransaccion Mensaje Ha ocurrido el Siguiente Error (" +
                         QString::number(e.Number) + ") " + e.Description.trimmed() + " Respondió : ");
}

}  // namespace

void AgregaCampoValor(const QString& Campo, const QString& Valor, const QString& Tipo, bool Primero) {
    if (Primero) {
        gCamposValores = QList<CampoValor>(1);
    } else {
        ExigeIniciada(gCamposValores);
        gCamposValores.append(CampoValor());
    }
    CampoValor& nuevo = gCamposValores.last();
    nuevo.Campo = Campo;
    if (Valor.compare(QStringLiteral("NULL"), Qt::CaseInsensitive) == 0)
        nuevo.Valor = QStringLiteral("Null");
    else
        nuevo.Valor = gBaseDatos().SQLValue(Valor, Tipo).toString();
}

void ValorCampoSQL(const ado::RecordsetPtr& Rs, QString& Campo, const QString& Valor, bool Primero) {
    Campo.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    if (!Rs) vb::Raise(vb::kObjetoNoAsignado);
    ado::Field& campo = Rs->fields().Item(Campo);
    const QVariant tipo = campo.Type();
    DB_Dll& db = gBaseDatos();
    if (db.ADOText(tipo)) {
        const long ancho = campo.DefinedSize();
        if (vb::Trim(Valor).isEmpty())
            AgregaCampoValor(Campo, QStringLiteral("Null"), QStringLiteral("'"), Primero);
        else if (ancho >= 30)
            AgregaCampoValor(Campo, vb::Trim(Valor), QStringLiteral("'"), Primero);
        else
            AgregaCampoValor(Campo, maker::gUtilidades().AlineaDerecha(Valor, int(ancho)),
                             QStringLiteral("'"), Primero);
    } else if (db.ADONumeric(tipo)) {
        AgregaCampoValor(Campo, Valor, QStringLiteral("@"), Primero);
    } else if (db.ADOBoolean(tipo)) {
        AgregaCampoValor(Campo, ValorLogico(Valor) ? QStringLiteral("1") : QStringLiteral("0"),
                         QStringLiteral("'"), Primero);
    } else if (db.ADOCurrency(tipo)) {
        AgregaCampoValor(Campo, Valor, QStringLiteral("@"), Primero);
    } else if (db.adodate(tipo)) {
        AgregaCampoValor(Campo, vb::IsDate(Valor) ? Valor : QStringLiteral("Null"), QStringLiteral("'"),
                         Primero);
    } else {
        AgregaCampoValor(Campo, Valor, QStringLiteral("'"), Primero);
    }
}

bool ValorLogico(const QString& Texto) {
    const QString t = Texto.toUpper();
    return !(t == QStringLiteral("FALSE") || t == QStringLiteral("FALSO") || t == QStringLiteral("0"));
}

void ArmaSentenciaSQL(QList<CampoValor>& Campos, QStringList& Sentencias, const QString& Tabla,
                      bool Actualiza, QString& Condicion) {
    ExigeIniciada(Campos);
    if (Sentencias.isEmpty()) vb::Raise(kSubindiceFueraDeRango);
    QString sentencia;
    if (Actualiza) {
        QStringList pares;
        for (const CampoValor& c : Campos) pares << c.Campo + QStringLiteral(" = ") + c.Valor;
        // A WHERE of the condition's own, never the word inside one of its values.
        if (!ado::TieneClausula(Condicion, u"where")) Condicion = QStringLiteral(" WHERE ") + Condicion;
        sentencia = QStringLiteral("UPDATE ") + Tabla + QStringLiteral(" SET ") + pares.join(',') +
                    QStringLiteral(" ") + Condicion;
    } else {
        sentencia = QStringLiteral("INSERT INTO ") + Tabla + QStringLiteral(" (") + Columnas(Campos) +
                    QStringLiteral(") VALUES (") + Valores(Campos) + QStringLiteral(")");
    }
    Sentencias.last() = sentencia;
    Sentencias.append(QString());
    Campos = QList<CampoValor>(1);
}

void ArmaSentenciaSQL(QList<CampoValor>& Campos, QStringList& Sentencias, const QString& Tabla,
                      bool Actualiza, const QString& Condicion) {
    QString condicion = Condicion;
    ArmaSentenciaSQL(Campos, Sentencias, Tabla, Actualiza, condicion);
}

void ArmaListaValores(QString& Texto, QList<CampoValor>& Campos, bool Limpia) {
    ExigeIniciada(Campos);
    Texto += QStringLiteral("(") + Columnas(Campos) + QStringLiteral(") VALUES (") + Valores(Campos) +
             QStringLiteral(")");
    if (Limpia) Campos.clear();
}

namespace {

// A batch or a commit the server refused: rolled back, recorded and shown alike.
void DeshaceLote(const QString& lote, ado::Errors& errores, bool& Fallo, int32_t& NumeroError,
                 bool SilenciaDuplicado, bool SilenciaReferencia) {
    DB_Dll& db = gBaseDatos();
    maker::gProgreso().Ocultar();
    QString mensaje;
    const bool alcanzado = errores.Count() > 0;
    if (!alcanzado) {
        // The batch never reached the server (no connection): a failure all the same.
        mensaje = QStringLiteral("No se pudo ejecutar la transacción: no hay conexión con la base de datos.");
    } else {
        NumeroError = errores.Item(0).NativeError;
        const int lineas = errores.Count() == 1 ? 1 : errores.Count() - 1;
        for (int i = 0; i < lineas; ++i) {
            const ado::Error& e = errores.Item(i);
            mensaje += QString::number(e.NativeError) + QStringLiteral(" : ") + e.Description +
                       QStringLiteral("\r\n");
        }
    }
    Fallo = true;
    // A silenced refusal is still recorded with the server's text; only the dialog is spared.
    const QString registrado = mensaje;
    if (SilenciaDuplicado && NumeroError == ado::kNativoClaveDuplicada) mensaje.clear();
    if (SilenciaReferencia && NumeroError == ado::kNativoReferencia) mensaje.clear();
    errores.Clear();
    QString deshace = QStringLiteral("ROLLBACK TRANSACTION");
    db.EjecutaConsultaSQL(deshace);
    // Without a connection there is nowhere to write the record; the database object has
    // logged the failure already.
    if (alcanzado) {
        try {
            RegistraErrorSQL(lote, vb::App().EXEName, NumeroError, registrado);
        } catch (const vb::ErrorVB& e) {
            AnotaRegistroFallido(e);
        }
    }
    if (!vb::Trim(mensaje).isEmpty())
        vb::MsgBox(mensaje, vb::vbOKOnly + vb::vbCritical, QStringLiteral("Aviso al Operador!"));
}

}  // namespace

void EjecutaTransaccion(QStringList& Sentencias, bool& Fallo, int32_t& NumeroError, bool SilenciaDuplicado,
                        const QString& /*Texto1*/, const QString& /*Texto2*/, bool /*Marca*/,
                        bool SilenciaReferencia) {
    vb::ManejadorErrores h(QString(), [](const vb::ErrorVB& e, const QString&) {
        maker::gProgreso().Ocultar();
        int respuesta = 0;
        maker::gUtilidades().TrataError(e, QString(), respuesta);
        return respuesta;
    });

    QString lote;
    if (!h.paso([&] { Fallo = false; })) return;
    if (!h.paso([&] {
            lote = QStringLiteral("BEGIN TRANSACTION ") + kCR + kCR;
            for (const QString& s : Sentencias)
                if (!vb::Trim(s).isEmpty()) lote += kCR + s;
            lote += kCR;
        }))
        return;

    DB_Dll& db = gBaseDatos();
    ado::Errors& errores = db.gCnn->errores();
    NumeroError = 0;
    auto fracaso = [&] {
        DeshaceLote(lote, errores, Fallo, NumeroError, SilenciaDuplicado, SilenciaReferencia);
    };

    const bool ejecutado = db.EjecutaConsultaSQL(lote);
    if (errores.Count() == 0 && ejecutado) {
        QString confirma = QStringLiteral("COMMIT TRANSACTION");
        // A commit the server refuses leaves the transaction open: the later writes would be lost
        // inside it.
        if (!db.EjecutaConsultaSQL(confirma) || errores.Count() > 0) fracaso();
    } else {
        fracaso();
    }
    maker::gProgreso().Ocultar();
}

void EjecutaTransaccion(QStringList& Sentencias, bool& Fallo) {
    int32_t numero = 0;
    EjecutaTransaccion(Sentencias, Fallo, numero);
}

}  // namespace CNStuffContable
