// The audit rows of V_MV_CPTEACCIONES and the refused statements of AUX_ERR.
#include "data/DB_Dll.h"
#include "outside/ado/TextoSql.h"
#include "outside/maker/SistemaPC.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"

#include <functional>

namespace CNStuffContable {

namespace {

// Apostrophes doubled, so that a name or a description can never end the literal early.
QString Entrecomillado(const QString& texto) {
    return ado::LiteralTexto(texto);
}

QString FechaHoraActual() {
    return vb::Format(vb::Now(), FormatoFecha() + QStringLiteral(" ") + FormatoHora());
}

}  // namespace

QString FormatoFecha() {
    return QStringLiteral("dd/mm/yy");
}

QString FormatoHora() {
    return QStringLiteral("hh:mm");
}

void RegistraAccionComprobante(const QString& TC, const QString& IdComprobante, const QString& IdComplemento,
                               bool Alta, bool Modifica, bool /*Baja*/, const QString& TextoSistema) {
    // An audit row the server refuses is dropped: the save that asked for it goes on.
    vb::ManejadorErrores h(QStringLiteral("RegistraAccionComprobante"),
                           [](const vb::ErrorVB&, const QString&) { return vb::kRespuestaIgnorar; });

    h.paso([] { gCamposValores = QList<CampoValor>(8); });
    QString sentencia = QStringLiteral(" INSERT INTO V_MV_CPTEACCIONES ");
    const QString accion = Alta       ? QStringLiteral("'A'")
                           : Modifica ? QStringLiteral("'M'")
                                      : QStringLiteral("'B'");
    const struct {
        const char* campo;
        std::function<QString()> valor;
    } pares[] = {
        {"TC", [&] { return Entrecomillado(maker::gUtilidades().AlineaDerecha(vb::Trim(TC), 4)); }},
        {"IdComprobante", [&] { return Entrecomillado(IdComprobante); }},
        {"IdComplemento", [&] { return IdComplemento; }},
        {"Tipo_accion", [&] { return accion; }},
        {"FECHAHORA", [] { return Entrecomillado(FechaHoraActual()); }},
        {"Usuario", [] { return Entrecomillado(maker::gSistemaPC().UsuarioWindows()); }},
        {"PC", [] { return Entrecomillado(maker::gSistemaPC().NombreEquipo()); }},
        {"SYSTEMUSER", [&] { return Entrecomillado(TextoSistema); }},
    };
    for (int i = 0; i < 8; ++i) {
        h.paso([&] {
            if (i >= gCamposValores.size()) vb::Raise(9);
            gCamposValores[i] = {QString::fromLatin1(pares[i].campo), pares[i].valor()};
        });
    }
    h.paso([&] { ArmaListaValores(sentencia, gCamposValores, true); });
    h.paso([&] { gBaseDatos().EjecutaConsultaSQL(sentencia); });
}

void RegistraErrorSQL(const QString& Sentencia, const QString& /*Proceso*/, int32_t NumeroError,
                      const QString& Descripcion) {
    DB_Dll& db = gBaseDatos();
    QString consulta = QStringLiteral("select  top 1 * from AUX_ERR");
    ado::RecordsetPtr rs;
    db.AbrirRecordset(consulta, rs, nullptr, ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
    rs->AddNew();
    ado::Fields& f = rs->fields();
    f.Item(QStringLiteral("Proceso")).setValue(vb::App().EXEName);
    // The day-first text is read as a date, as the company server converts it.
    const QString momento = FechaHoraActual();
    f.Item(QStringLiteral("fecha"))
        .setValue(vb::IsDate(momento) ? QVariant(vb::CDate(momento)) : QVariant(momento));
    f.Item(QStringLiteral("Error")).setValue(NumeroError);
    f.Item(QStringLiteral("Descripcion")).setValue(maker::gUtilidades().Trunca(Descripcion, 250));
    f.Item(QStringLiteral("Sql")).setValue(Sentencia);
    f.Item(QStringLiteral("PC")).setValue(maker::gSistemaPC().NombreEquipo());
    f.Item(QStringLiteral("Usuario")).setValue(db.gUsuario);
    rs->Update();
    db.CierraRecordset(rs);
}

}  // namespace CNStuffContable
