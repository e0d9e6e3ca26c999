// Rights of the logged user for this program and the access-log row.
#include "data/DB_Dll.h"
#include "outside/ado/TextoSql.h"
#include "outside/maker/SistemaPC.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"

namespace CNStuffContable {

void ControlAcceso(const QString& formulario, bool detener) {
    // Every failing statement is skipped: a missing menu table leaves the task empty, a missing
    // log table writes no row.
    vb::ManejadorErrores h("ControlAcceso",
                           [](const vb::ErrorVB&, const QString&) { return vb::kRespuestaIgnorar; });
    auto& db = gBaseDatos();
    auto& util = maker::gUtilidades();
    const QString programa = vb::App().EXEName;
    const QString nombreFormulario = formulario.isEmpty() ? programa : formulario;
    if (gUsuarioLogeado.isEmpty()) gUsuarioLogeado = db.gUsuario;

    QString tarea;
    ado::RecordsetPtr rs;
    QString sql =
        "SELECT TA_TAREAS.USUARIO, TA_MENU.Proceso, TA_MENU.Clave , TA_MENU.Nombre  FROM TA_TAREAS INNER "
        "JOIN TA_MENU "
        "ON TA_TAREAS.TAREA = TA_MENU.Clave  WHERE (TA_TAREAS.USUARIO = '" +
        ado::DuplicaApostrofes(gUsuarioLogeado) + " ') AND (TA_MENU.Proceso LIKE '%" +
        ado::DuplicaApostrofes(programa) + "%')";
    h.paso(
        [&] { db.AbrirRecordset(sql, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true); });
    bool sinFilas = true;
    h.paso([&] { sinFilas = rs->Bof(); });
    if (sinFilas) {
        if (programa.compare("QT742PR", Qt::CaseInsensitive) == 0) {
            tarea = "Menu Principal";
        } else if (detener) {
            vb::MsgBox("NO TIENE ACCESO A ESTE PROCESO, UTILICE EL MENU CORRESPONDIENTE!!!",
                       vb::vbOKOnly | vb::vbCritical, "ATENCION!");
            vb::End();
        }
    } else {
        h.paso([&] {
            rs->MoveFirst();
            tarea = util.TextoCampo(rs->fields().Item("Nombre").Value());
        });
    }
    h.paso([&] { db.CierraRecordset(rs); });

    QString sqlLog = "Select top 1 * from Control_Acceso";
    ado::RecordsetPtr log;
    h.paso([&] {
        db.AbrirRecordset(sqlLog, log, nullptr, ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
    });
    auto campo = [&](const char* nombre, const QVariant& valor) {
        h.paso([&] { log->fields().Item(nombre).setValue(valor); });
    };
    if (!h.paso([&] { log->AddNew(); })) return;
    campo("Maquina", maker::gSistemaPC().NombreEquipo().trimmed().toUpper());
    campo("Usuario", maker::gSistemaPC().UsuarioWindows().trimmed().toUpper());
    campo("Formulario", nombreFormulario.trimmed().toUpper());
    campo("Tarea", tarea.trimmed().toUpper());
    campo("Ingreso", vb::Format(vb::Now(), "dd/mm/yy hh:mm"));
    campo("NombreUsuario", gUsuarioLogeado);
    h.paso([&] { log->Update(); });
    h.paso([&] { db.CierraRecordset(log); });
}

}  // namespace CNStuffContable
