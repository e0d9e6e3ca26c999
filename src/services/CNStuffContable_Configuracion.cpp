// Settings of the company database, read afresh on every call.
#include "data/DB_Dll.h"
#include "outside/ado/TextoSql.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/ManejadorErrores.h"
#include "services/CNStuffContable.h"

namespace CNStuffContable {

QString gTablaConfiguracion;

bool LeeCfg(const QString& clave, QString& valor, QString& valorAux) {
    if (gTablaConfiguracion.trimmed().isEmpty()) gTablaConfiguracion = "TA_CONFIGURACION";
    auto& util = maker::gUtilidades();
    // Cfg never retries: any answer but "skip" gives an empty value.
    vb::ManejadorErrores h("Cfg", [&util](const vb::ErrorVB& e, const QString& rutina) {
        int respuesta = 0;
        util.TrataError(e, rutina, respuesta);
        return respuesta == vb::kRespuestaIgnorar ? respuesta : 0;
    });
    const QString llave = clave.trimmed();
    QString sql =
        "SELECT VALOR, valoraux FROM " + gTablaConfiguracion + " WHERE CLAVE = " + ado::LiteralTexto(llave);
    if (llave.compare("[FECHA HASTA]", Qt::CaseInsensitive) == 0 ||
        llave.compare("[FECHA DESDE]", Qt::CaseInsensitive) == 0)
        sql = sql.toUpper();
    ado::RecordsetPtr rs;
    valor.clear();
    if (!h.paso([&] { gBaseDatos().AbrirRecordset(sql, rs); })) return false;
    // A refused open was told by the read itself.
    if (!rs || rs->State() != ado::adStateOpen) return false;
    bool vacio = false;
    if (!h.paso([&] { vacio = rs->Bof(); })) return false;
    if (vacio) {
        valor = " ";
        valorAux.clear();
    } else {
        if (!h.paso([&] { valor = util.TextoCampo(rs->fields().Item("Valor").Value()); })) return false;
        if (!h.paso([&] { valorAux = util.TextoCampo(rs->fields().Item("ValorAux").Value()); })) {
            valor.clear();
            return false;
        }
    }
    if (h.paso([&] { gBaseDatos().CierraRecordset(rs); })) return true;
    valor.clear();
    return false;
}

QString Cfg(const QString& clave, QString& valorAux) {
    QString valor;
    LeeCfg(clave, valor, valorAux);
    return valor;
}

QString Cfg(const QString& clave) {
    QString aux;
    return Cfg(clave, aux);
}

bool CfgActiva(const QString& clave) {
    return Cfg(clave).compare("SI", Qt::CaseInsensitive) == 0;
}

void GrabaDfg(const QString& clave, const QVariant& valor, const QString& valorAux, bool politica,
              const QString& grupo) {
    auto& util = maker::gUtilidades();
    vb::ManejadorErrores h("GrabaDfg", util.Reportero());
    if (gTablaConfiguracion.trimmed().isEmpty()) gTablaConfiguracion = "TA_CONFIGURACION";
    // Looked up by the key as it is stored, so that a key never gets two rows.
    QString sql =
        "SELECT * FROM " + gTablaConfiguracion + " WHERE CLAVE = " + ado::LiteralTexto(clave.trimmed());
    ado::RecordsetPtr rs;
    auto& db = gBaseDatos();
    if (!h.paso([&] { db.AbrirRecordset(sql, rs, db.gCnn, ado::adOpenDynamic, ado::adLockOptimistic); }))
        return;
    if (!h.paso([&] {
            if (rs->Bof())
                rs->AddNew();
            else
                rs->MoveFirst();
        }))
        return;
    auto f = [&]() -> ado::Fields& { return rs->fields(); };
    if (!h.paso([&] { f().Item("Grupo").setValue(grupo); })) return;
    if (!h.paso([&] { f().Item("Clave").setValue(clave.trimmed().toUpper()); })) return;
    if (!h.paso([&] { f().Item("Valor").setValue(util.TextoCampo(valor).trimmed()); })) return;
    if (!h.paso([&] { f().Item("PoliticaNegocio").setValue(politica); })) return;
    if (!valorAux.isEmpty() && !h.paso([&] { f().Item("ValorAux").setValue(valorAux.trimmed()); })) return;
    if (!h.paso([&] { rs->Update(); })) return;
    h.paso([&] { db.CierraRecordset(rs); });
}

}  // namespace CNStuffContable
