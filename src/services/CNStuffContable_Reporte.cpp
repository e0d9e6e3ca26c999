// Report requests: the report program "QT742R.EXE" beside this one produces the report a window
// names, reading the company connection from the suite's parameter string.
#include "services/CNStuffContable.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "outside/ado/AdoTipos.h"
#include "outside/maker/Reporte.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/Procesos.h"
#include "outside/runtime/Programa.h"

namespace CNStuffContable {

namespace {
constexpr int kVentanaNormalConFoco = 1;
constexpr int kSalidaReporte = 10;
const char* const kProgramaReportes = "QT742R.EXE";
}  // namespace

QString ParametrosReporte(const QString& nombreReporte) {
    const DB_Dll& db = gBaseDatos();
    // The reader drops every "=" and stops at ";": a name holding either would reach the report
    // program as another user's, so it travels as no user at all and prints as a restricted one.
    // No value can carry a key of its own ahead of the real one.
    QString usuario = ValorEnParametros(gUsuarioLogeado);
    if (usuario.contains('=')) usuario.clear();
    return "@Menu=" + ValorEnParametros(nombreReporte) + ";" + "@Server=" + ValorEnParametros(db.gServidor) +
           ";" + "@DbName=" + ValorEnParametros(db.gDBName) + ";" +
           "@Usuario=" + ValorEnParametros(db.gUsuario) + ";" +
           "@Password=" + ValorEnParametros(db.gUserPassWord) + ";" + "@UsuarioLogeado=" + usuario + ";" +
           "tarvo@" + ";";
}

void LlamaReporte(const QString& nombreReporte) {
    if (vb::Trim(nombreReporte).isEmpty()) return;
    try {
        const QString parametros = ParametrosReporte(nombreReporte);
        const QString programa = RutaProgramaHermano(kProgramaReportes);
        if (programa.isEmpty()) {
            vb::MsgBox(
                "Error de integridad en los Archivos del sistema (QT742R), copie este mensaje y comuniquese "
                "con su proveedor de software",
                vb::vbOKOnly + vb::vbCritical, "Aviso al operador");
            return;
        }
        // The path goes as the program, not inside a command line: no quoting needed for blanks.
        vb::Shell(programa, {parametros}, kVentanaNormalConFoco);
    } catch (const vb::ErrorVB&) {
    }
}

QStringList TablasDeLosReportes() {
    return {"MA_INDAJUSTE", "MA_CUENTAS", "SS_MA_CUENTAS"};
}

bool AtiendeReporte(const QString& parametros, QString& error) {
    QString menu, servidor, base, usuario, clave, logeado;
    ValorParametro(parametros, "@Menu", menu);
    ValorParametro(parametros, "@Server", servidor);
    ValorParametro(parametros, "@DbName", base);
    ValorParametro(parametros, "@Usuario", usuario);
    ValorParametro(parametros, "@Password", clave);
    ValorParametro(parametros, "@UsuarioLogeado", logeado);
    if (menu.isEmpty()) {
        error = "No se indico el reporte a imprimir";
        return false;
    }

    // A refused open has already been shown to the operator by the database object. The user's
    // rights are decided by the open itself, as in every window: no user, no unknown user and
    // no rights table all read as a user who is not an administrator.
    DB_Dll& db = gBaseDatos();
    db.gServidor = servidor;
    db.gDBName = base;
    db.gUsuario = usuario;
    db.gUserPassWord = clave;
    db.gEsAdmin = false;
    gUsuarioLogeado = logeado;
    db.OpenServerADODB(false, ado::adUseClient, QString(), true, true);
    if (!db.gOpenFlag) return false;

    // The company name and index titles are the headings the suite's reports print.
    auto& rep = maker::gReporte();
    rep.RutaPrograma(maker::gUtilidades().BarraFinal(vb::App().Path));
    rep.Imprime(menu, {QString()}, QString(), db.gConnString, "empresa = '" + Cfg("NOMBRE") + "'",
                "INDICE1 = '" + Cfg("NOMBRE_INDICE1") + "'", "INDICE2 = '" + Cfg("NOMBRE_INDICE2") + "'",
                "INDICE3 = '" + Cfg("NOMBRE_INDICE3") + "'", "INDICE4 = '" + Cfg("NOMBRE_INDICE4") + "'");
    return rep.Salida(kSalidaReporte);
}

}  // namespace CNStuffContable
