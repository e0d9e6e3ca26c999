// Start-up from the command line: connection, report and lookup set-up, settings, access log.
#include "data/DB_Dll.h"
#include "data/ServiciosAcceso.h"
#include "data/frmAcceso.h"
#include "outside/maker/ArchivoIni.h"
#include "outside/maker/Reporte.h"
#include "outside/maker/SistemaPC.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Aplicacion.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"
#include "services/LBM_Common.h"

namespace CNStuffContable {

QString gSeccionEquipo;
bool gFlatToolbars = false;
QString gParametroAdicional;
QString gMenu;
QString gCaja;
QString gConexionReporte;
bool gSSBloqueoActivo = false;
QString gPeriodo;
QString gUNegocio;
long gColorFondo = 0;
long gColorLetra = 0;

namespace {
constexpr long kCian = 0xFFFF00;

// A key matches only where the next character cannot continue a key name, so "@Usuario"
// never matches inside "@UsuarioLogeado".
int BuscaClave(const QString& linea, const QString& clave) {
    int desde = 0;
    for (;;) {
        const int pos = linea.indexOf(clave, desde, Qt::CaseInsensitive);
        if (pos < 0) return -1;
        const int fin = pos + int(clave.size());
        if (fin >= linea.size()) return pos;
        const QChar c = linea.at(fin);
        if (!c.isLetterOrNumber() && c != '_') return pos;
        desde = pos + 1;
    }
}
}  // namespace

QString ValorEnParametros(const QString& valor) {
    // Every key the suite's programs read from a parameter string.
    static const char* const kClaves[] = {
        "@ParametroAdicional", "@Menu",           "@Server", "@DbName", "@Usuario",
        "@Password",           "@UsuarioLogeado", "@Caja"};
    if (valor.contains(QLatin1Char(';'))) return QString();
    // Blanked only where the reader would read a key inside it, by the reader's own rule: a value
    // ends at its ";", so a key at its end counts too.
    for (const char* clave : kClaves)
        if (BuscaClave(valor, QLatin1String(clave)) >= 0) return QString();
    return valor;
}

bool ValorParametro(const QString& lineaComandos, const QString& clave, QString& valor) {
    const int pos = BuscaClave(lineaComandos, clave);
    if (pos < 0) {
        valor.clear();
        return true;
    }
    const int inicio = pos + int(clave.size());
    const int fin = lineaComandos.indexOf(';', inicio);
    if (fin < 0) return false;  // the value keeps what it had
    valor = lineaComandos.mid(inicio, fin - inicio).remove('=').trimmed();
    return true;
}

namespace {
AjustesConsultas& Ajustes() {
    static AjustesConsultas ajustes;
    return ajustes;
}
}  // namespace

const AjustesConsultas& gAjustesConsultas() {
    return Ajustes();
}

void FijaAjustesConsultas(const QString& conexion, bool usarMascaras, const QString& rutaMascaras) {
    AjustesConsultas& a = Ajustes();
    a.gConnString = conexion;
    a.gUsarMascarasConsultas = usarMascaras;
    a.gRutaMascaraConsultas = rutaMascaras;
    ++a.Generacion;
}

void InstalaServiciosAcceso() {
    data::ServiciosAcceso& s = data::gServiciosAcceso();
    s.MensajeError = [](const vb::ErrorVB& e, int botones, const QString& rutina) {
        return MensajeError(e, botones, rutina);
    };
    s.ExisteArchivo = &ExisteArchivo;
    s.RutaProgramaHermano = &RutaProgramaHermano;
    s.AbreDocumento = &LBM_Common::AbreDocumento;
    s.NombreEntradaBase = &LBM_Common::NombreEntradaBase;
    s.AgregaBaseArchivo = &LBM_Common::AgregaBaseArchivo;
    s.LeeBasesArchivo = &LBM_Common::LeeBasesArchivo;
    s.SeparaPuerto = &LBM_Common::SeparaPuerto;
    // A transaction begun on the company's lost link first gets it back, as any statement outside
    // one does.
    ado::Connection::setRecuperaVinculo([](ado::Connection& c) {
        DB_Dll& db = gBaseDatos();
        return db.gCnn.get() == &c && db.RecuperaAntesDeComenzar();
    });
    // An error that leaves an event handler gets the common message and its log line.
    vb::setAvisoErrorEvento([](const vb::ErrorVB& e, const QString& rutina) {
        MensajeError(e, vb::vbOKOnly + vb::vbCritical, rutina);
    });
}

QStringList TablasDelInicio() {
    return {"TA_CONFIGURACION", "TA_USUARIOS", "TA_MENU",    "TA_TAREAS",
            "Control_Acceso",   "TA_CAJAS",    "V_TA_CAJAS", "SS_V_TA_CAJAS"};
}

void InstalaPrograma(std::initializer_list<RegistroReporte> reportes, const QStringList& tablas) {
    InstalaServiciosAcceso();
    // A database that does not open, or is not a company database for this program, asks for
    // the connection data with the connection form.
    frmAcceso::Instalar();
    DB_Dll::TablasDeLaEmpresa = TablasDelInicio() + tablas;
    for (const RegistroReporte registra : reportes) registra({});
}

void InicializaSistema() {
    auto& util = maker::gUtilidades();
    auto& db = gBaseDatos();
    // One handler for the whole routine: a key without ";" goes on, an error with the connection's
    // list filled leaves, a missing item goes on, anything else leaves; all silently.
    vb::ManejadorErrores h("InicializaSistema", [&db](const vb::ErrorVB& e, const QString&) {
        if (e.Number == vb::kArgumentoInvalido) return vb::kRespuestaIgnorar;
        if (db.gCnn && db.gCnn->errores().Count() > 0) return 0;
        if (e.Number == ado::kErrElementoNoEncontrado) return vb::kRespuestaIgnorar;
        return 0;
    });
    auto paso = [&h](const std::function<void()>& f) { return h.paso(f); };

    const QString carpeta = util.BarraFinal(vb::App().Path);
    const QString linea = vb::App().Command;
    gSeccionEquipo =
        maker::gSistemaPC().NombreEquipo().toUpper() + "|" + maker::gSistemaPC().UsuarioWindows().toUpper();
    if (!paso([&] {
            const QString flat = maker::gArchivoIni().Leer("QT742p.INI", gSeccionEquipo, "FlatToolbars", "1");
            gFlatToolbars = vb::Val(flat) != 0;
        }))
        return;

    if (!db.gOpenFlag) {
        QString servidor, base, usuario, clave;
        auto lee = [&](const char* k, QString& destino) {
            return paso([&] {
                if (!ValorParametro(linea, k, destino)) vb::Raise(vb::kArgumentoInvalido);
            });
        };
        if (!lee("@ParametroAdicional", gParametroAdicional) || !lee("@Menu", gMenu) ||
            !lee("@Server", servidor) || !lee("@DbName", base) || !lee("@Usuario", usuario) ||
            !lee("@Password", clave) || !lee("@UsuarioLogeado", gUsuarioLogeado))
            return;
        if (gUsuarioLogeado.isEmpty()) gUsuarioLogeado = usuario;
        if (!lee("@Caja", gCaja)) return;

        // The suite's login rule: login and password are the database name.
        db.gUsuario = base;
        db.gDBName = base;
        db.gUserPassWord = base;
        db.gServidor = servidor;
        if (!paso([&] { db.OpenServerADODB(false, ado::adUseClient, QString(), true, true); })) return;
        if (!db.gOpenFlag) vb::End();
        if (!paso([&] { db.gCnn->setCommandTimeout(360); })) return;
        if (!paso([&] { db.gCnn->setDefaultDatabase(db.gDBName); })) return;
    }

    gConexionReporte = "DSN=" + db.gDBName + "; UID=" + db.gUsuario + "; PWD=" + db.gUserPassWord;
    maker::gReporte().RutaPrograma(carpeta);
    FijaAjustesConsultas(db.gConnString, true, util.BarraFinal(vb::App().Path) + "consultas.qnl");
    if (!paso([] { IniContable(); })) return;
    if (!paso([] { ControlAcceso(QString(), false); })) return;
    if (!paso([&] {
            gColorFondo = long(util.ValorNumerico(Cfg("CFondo")));
            gColorLetra = long(util.ValorNumerico(Cfg("CLetra")));
            if (gColorFondo == 0) gColorFondo = kCian;
        }))
        return;
}

void IniContable() {
    auto& util = maker::gUtilidades();
    vb::ManejadorErrores h("IniContable", util.Reportero());
    if (!h.paso([] { LBM_Common::gSoloMayusculas = CfgActiva("ESCRIBE_SOLO_MAYUSCULAS"); })) return;
    if (!h.paso([] { gSSBloqueoActivo = CfgActiva("SS_BloqueoActivo"); })) return;
    if (!h.paso([] { gPeriodo = Cfg("PERIODO"); })) return;
    if (!h.paso([&] {
            const QVariant unidad = gBaseDatos().DatosTabla("ta_usuarios", gUsuarioLogeado, "UNegocio",
                                                            "nombre", 8, QString(), true, false);
            gUNegocio = util.AlineaDerecha(util.TextoCampo(unidad), 4);
        }))
        return;
    if (!h.paso([] { gSSConfidencialidad = CfgActiva("SS_CONFIDENCIALIDAD"); })) return;
    if (gUNegocio.isEmpty()) gUNegocio = "   1";
}

}  // namespace CNStuffContable
