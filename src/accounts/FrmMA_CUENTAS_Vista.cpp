// The view type of an account: from its range of additional data and that range's view, else
// from the title accounts the settings name.
#include "accounts/FrmMA_CUENTAS.h"

#include "data/DB_Dll.h"
#include "outside/ado/TextoSql.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/ManejadorErrores.h"
#include "services/CNStuffContable.h"

using CNStuffContable::gBaseDatos;

namespace {

bool EmpiezaCon(const QString& codigo, const QString& prefijo) {
    return !prefijo.isEmpty() && codigo.size() >= prefijo.size() &&
           codigo.left(prefijo.size()).compare(prefijo, Qt::CaseInsensitive) == 0;
}

}  // namespace

bool FrmMA_CUENTAS::VistaDelRango(vb::ManejadorErrores& h, const ado::RecordsetPtr& rangos,
                                  const QString& cuenta, QString* descripcion, QString* vista,
                                  QString& tipoVista, bool* pideVencimiento) {
    auto& u = maker::gUtilidades();
    DB_Dll& db = gBaseDatos();
    QString desc, nombreVista;
    bool vto = false;
    bool hallado = false;
    while (!hallado) {
        bool fin = false;
        if (!h.paso([&] { fin = rangos->Eof(); })) return false;
        if (fin) break;
        if (!h.paso([&] {
                const QString desde = vb::Trim(u.TextoCampo(rangos->valor("CUENTA-DESDE")));
                const QString hasta = vb::Trim(u.TextoCampo(rangos->valor("CUENTA-HASTA")));
                hallado = cuenta.compare(desde, Qt::CaseInsensitive) >= 0 &&
                          cuenta.compare(hasta, Qt::CaseInsensitive) <= 0;
                if (hallado) {
                    desc = vb::Trim(u.TextoCampo(rangos->valor("Descripcion")));
                    nombreVista = vb::Trim(u.TextoCampo(rangos->valor("Vista")));
                }
            }))
            return false;
        if (hallado) {
            // A blank flag asks for nothing.
            h.paso([&] {
                const QVariant v = rangos->valor("PideVencimiento");
                vto = !v.isNull() && v.toBool();
            });
            break;
        }
        if (!h.paso([&] { rangos->MoveNext(); })) return false;
    }
    if (descripcion) *descripcion = desc;
    if (vista) *vista = nombreVista;
    if (pideVencimiento) *pideVencimiento = vto;

    if (!desc.isEmpty() && nombreVista.isEmpty()) {
        tipoVista = "NN";
    } else {
        ado::RecordsetPtr vistas;
        QString sqlVista =
            "SELECT * FROM TA_VISTAS WHERE LTRIM(RTRIM(NOMBRE)) = " + ado::LiteralTexto(nombreVista);
        if (!h.paso([&] {
                db.AbrirRecordset(sqlVista, vistas, db.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1,
                                  true);
            }))
            return false;
        if (!h.paso([&] {
                if (vistas->Bof() && vistas->Eof()) return;
                vistas->MoveFirst();
                tipoVista = vb::Trim(u.TextoCampo(vistas->valor("TipoVista")));
            }))
            return false;
    }
    return true;
}

void FrmMA_CUENTAS::ObtieneVistaRangoVto(const QString& codigo, QString* descripcion, QString* vista,
                                         QString& tipoVista, bool* pideVencimiento) {
    // A read that failed is told, and the save that asked does not go on with a guessed view.
    vistaFallida_ = false;
    vb::ManejadorErrores h("ObtieneVistaRango", [this](const vb::ErrorVB& e, const QString& rutina) {
        const int respuesta = maker::gUtilidades().Reportero()(e, rutina);
        if (respuesta != vb::kRespuestaReintentar && respuesta != vb::kRespuestaIgnorar) vistaFallida_ = true;
        return respuesta;
    });
    DB_Dll& db = gBaseDatos();
    const QString cuenta = vb::Trim(codigo);

    ado::RecordsetPtr rangos;
    QString sql = "SELECT * FROM TA_RANGOS_DATOS_ADIC ORDER BY [CUENTA-DESDE]";
    if (!h.paso([&] {
            db.AbrirRecordset(sql, rangos, db.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
        }))
        return;
    bool hayRangos = false;
    if (!h.paso([&] { hayRangos = !(rangos->Bof() && rangos->Eof()); })) return;

    if (hayRangos && !VistaDelRango(h, rangos, cuenta, descripcion, vista, tipoVista, pideVencimiento))
        return;

    if (!vb::Trim(tipoVista).isEmpty()) return;

    // Title prefixes: the settings as stored (not trimmed), then the form's copies, trimmed.
    struct Prefijo {
        const char* clave;
        const char* tipo;
    };
    static const Prefijo ajustes[] = {{"TituloClientes", "CL"},
                                      {"TituloProveedores", "PR"},
                                      {"TituloBancos", "BC"},
                                      {"TituloBancosDiferido", "BC"},
                                      {"TITULOPERSONAL", "PE"}};
    for (const auto& p : ajustes) {
        QString prefijo, aux;
        // Told once by the read; the save does not go on with a guessed view.
        if (!CNStuffContable::LeeCfg(p.clave, prefijo, aux)) {
            vistaFallida_ = true;
            return;
        }
        if (EmpiezaCon(codigo, prefijo)) {
            tipoVista = p.tipo;
            return;
        }
    }
    if (EmpiezaCon(codigo, vb::Trim(TituloClientesBonos))) {
        tipoVista = "CB";
        return;
    }
    if (EmpiezaCon(codigo, vb::Trim(TituloClientesMutuales))) tipoVista = "CM";
}
