// The group company: which tables it receives, the connection to a copy target and the target's
// columns.
#include "data/DB_Dll.h"
#include "outside/ado/Recordset.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "services/CNStuffContable.h"
#include "services/ModGruposEmp.h"

#include <memory>

namespace ModGruposEmp {

using CNStuffContable::Cfg;

namespace {
constexpr Qt::CaseSensitivity kCi = Qt::CaseInsensitive;
}

DB_Dll& gBaseDatosGrupo() {
    static std::unique_ptr<DB_Dll> base;
    if (!base) base = std::make_unique<DB_Dll>();
    return *base;
}

bool TablaEnGrupo(const QString& Tabla) {
    const QString deshabilitado = Cfg("GRP_Deshabilitado");
    QString lista;
    Cfg("GRP_Tablas", lista);
    bool resultado = false;
    if (deshabilitado != "0") return false;
    const QString tabla = QString(Tabla).remove("@ADMIN_", kCi);
    lista = vb::Trim(lista);
    if (!lista.isEmpty()) {
        if (!lista.startsWith('|')) lista = "|" + lista;
        resultado = lista.contains("|" + tabla + "|", kCi) || Tabla.contains("V_MV_STATUS", kCi) ||
                    Tabla.contains("V_MV_CPTE", kCi);
    }
    if (tabla.compare("ma_contactos_cuentas", kCi) == 0 || tabla.compare("ma_cuentas_servicios", kCi) == 0)
        resultado = true;
    if (tabla.compare("MA_CUENTAS", kCi) == 0 || tabla.compare("MA_CUENTASADIC", kCi) == 0) {
        const QString checks = vb::Trim(Cfg("GRP_CHECKS"));
        if (!checks.isEmpty()) {
            const bool adicional = CNStuffContable::gParametroAdicional == "1";
            if (adicional && checks.mid(0, 1) == "0") resultado = false;
            if (!adicional && checks.mid(2, 1) == "0") resultado = false;
        }
    }
    return resultado;
}

void ConectaGrupo(QString& Servidor, QString& Base, const QString& /*Usuario*/) {
    if (vb::Trim(Servidor).isEmpty()) Servidor = Cfg("GRP_Server");
    if (vb::Trim(Base).isEmpty()) Base = Cfg("GRP_Base");
    DB_Dll& grupo = gBaseDatosGrupo();
    if (grupo.gOpenFlag && grupo.gCnn && grupo.gCnn->State() == ado::adStateOpen) grupo.gCnn->Close();
    const qsizetype dosPuntos = Servidor.indexOf(':');
    grupo.gServidor = vb::Trim(dosPuntos < 0 ? Servidor : Servidor.left(dosPuntos));
    grupo.gDBName = vb::Trim(Base);
    grupo.gUsuario = grupo.gDBName;
    grupo.gUserPassWord = grupo.gDBName;
    // Silent: a target that does not open must never bring up the connection form or end the
    // program; the copy skips it.
    grupo.OpenServerADODB(false, ado::adUseClient, QString(), true, false);
}

QString VerificaCampos(const QString& Tabla, DB_Dll& Base, const QString& Excluido1, const QString& Excluido2,
                       const QString& Excluido3, const QString& Excluido4, bool ConCorchetes, QString& Tipos,
                       const QString& Excluido5) {
    vb::ManejadorErrores h("VerificaCampos", [](const vb::ErrorVB& e, const QString& rutina) {
        return CNStuffContable::MensajeError(e, 18, rutina);
    });
    const QString excluidos[] = {Excluido1, Excluido2, Excluido3, Excluido4, Excluido5};
    QString lista;
    ado::RecordsetPtr rs;
    Tipos.clear();
    if (!h.paso([&] {
            rs = Base.gCnn->OpenSchema(ado::adSchemaColumns, {Base.gDBName, QVariant(), Tabla, QVariant()});
        }))
        return lista;
    auto& util = maker::gUtilidades();
    bool fin = false;
    while (!fin) {
        if (!h.paso([&] { fin = rs->Eof(); })) return lista;
        if (fin) break;
        const bool sigue = h.paso([&] {
            const QString nombre = util.TextoCampo(rs->fields().Item("COLUMN_NAME").Value());
            bool excluido = false;
            for (const QString& x : excluidos)
                if (!x.isEmpty() && nombre.compare(x, kCi) == 0) excluido = true;
            if (!excluido) {
                if (ConCorchetes)
                    lista += (lista.isEmpty() ? "[" : ",[") + nombre + "]";
                else
                    lista += (lista.isEmpty() ? "" : ",") + nombre;
                const QString tipo = util.TextoCampo(rs->fields().Item("DATA_TYPE").Value());
                Tipos += (Tipos.isEmpty() ? "" : ",") + tipo;
            }
        });
        if (!sigue) return lista;
        if (!h.paso([&] { rs->MoveNext(); })) return lista;
    }
    h.paso([&] { rs->Close(); });
    return lista;
}

}  // namespace ModGruposEmp
