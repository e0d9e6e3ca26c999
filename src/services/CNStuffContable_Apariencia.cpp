// The look of the windows: skin, icon and toolbar style, and the status bar's panels.
#include "data/DB_Dll.h"
#include "outside/ado/TextoSql.h"
#include "outside/controls/BarraEstado.h"
#include "outside/controls/IconosPrograma.h"
#include "outside/controls/SkinFramework.h"
#include "outside/maker/ArchivoIni.h"
#include "outside/maker/SistemaPC.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"

#include <QCoreApplication>
#include <QVersionNumber>
#include <QWidget>
#include <functional>

namespace CNStuffContable {

namespace {

// "Every failing step is skipped and the next one runs."
void Paso(const std::function<void()>& paso) {
    try {
        paso();
    } catch (const vb::ErrorVB&) {
    }
}

QString TextoVersion() {
    const QVersionNumber v = QVersionNumber::fromString(QCoreApplication::applicationVersion());
    return "V." + QString::number(v.majorVersion()) + "." + QString::number(v.minorVersion()) + "." +
           QString::number(v.microVersion());
}

}  // namespace

void ArchivoSkin(const QString& eleccion, QString& ruta, QString& ini) {
    // The leading number, rounded as the runtime rounds; a number out of range is no choice.
    int numero = 0;
    try {
        numero = vb::CInt(vb::Val(eleccion));
    } catch (const vb::ErrorVB&) {
        numero = 0;
    }
    QString relativa;
    ini.clear();
    switch (numero) {
        case 1:
            relativa = "Styles/Vista.cjstyles";
            break;
        case 2:
            relativa = "Styles/WinXP.Luna.cjstyles";
            break;
        case 3:
            relativa = "Styles/WinXP.Royale.cjstyles";
            break;
        case 4:
            relativa = "Styles/iTunes";
            ini = "Normalitunes.ini";
            break;
        default:
            relativa = "Styles/Office2007.cjstyles";
            break;
    }
    ruta = maker::gUtilidades().BarraFinal(vb::App().Path) + relativa;
}

void AplicaSkin(QWidget* ventana) {
    if (!ventana) return;
    // Cosmetics never stop a window from opening: without the control there is nothing to skin.
    auto* skin = ventana->findChild<SkinFramework*>("SkinFramework1");
    if (!skin) return;
    const QString seccion = maker::gSistemaPC().UsuarioWindows().toUpper() + "Styles";
    const QString eleccion = maker::gArchivoIni().Leer("qt742pr.ini", seccion, "Styles", "1");
    QString ruta, ini;
    ArchivoSkin(eleccion, ruta, ini);
    skin->LoadSkin(ruta, ini);
    skin->ApplyWindow(ventana);
    skin->setApplyOptions(skin->ApplyOptions() | 1);
}

void AplicaIconoBarras(QWidget* ventana) {
    if (!ventana) return;
    Paso([&] {
        const QString nombre =
            maker::gArchivoIni().Leer("QT742p.INI", "Iconos", "IconoDelSistema", "ICONVEX");
        const QIcon icono = vb::IconoRecurso(nombre);
        // No such resource: the window keeps the icon it was designed with.
        if (!icono.isNull()) ventana->setWindowIcon(icono);
    });
    if (QString::fromLatin1(ventana->metaObject()->className()).compare("FRMMDI", Qt::CaseInsensitive) == 0)
        return;
    Paso([&] { maker::gSistemaPC().PreparaVentana(ventana); });
    for (const char* nombre : {"UtilVex1", "TBarRep1", "Util0011"}) {
        Paso([&] {
            QObject* barra = ventana->findChild<QObject*>(QString::fromLatin1(nombre));
            if (barra) barra->setProperty("StyleBar", gFlatToolbars);
        });
    }
    vb::DoEvents();
}

namespace {

void LlenaBarraEstado(BarraEstado& barra, const QString& mensaje, bool registraCaja) {
    Paso([&] { barra.setTexto("MENSAJE", mensaje); });
    bool yaLlena = false;
    Paso([&] { yaLlena = !barra.Texto("SERVER").isEmpty(); });
    if (yaLlena) return;

    DB_Dll& db = gBaseDatos();
    Paso([&] { barra.setTexto("SERVER", "Srv: " + db.gServidor); });
    Paso([&] { barra.setTexto("USUARIO", "Uid: " + db.gUsuario); });
    Paso([&] { barra.setTexto("BASEDEDATOS", "Db: " + db.gDBName); });
    if (gCaja.isEmpty()) gCaja = "1";
    if (registraCaja)
        Paso([&] {
            // The base table, never a restricted view: the till must be found to be registered once.
            const QString descripcion =
                db.DatosTabla("@Admin_V_TA_Cajas", gCaja, "Descripcion", "IdCajas", 8).toString();
            if (!vb::Trim(descripcion).isEmpty()) return;
            const QString codigo = maker::gUtilidades().AlineaDerecha(vb::Trim(gCaja), 4);
            QString sql = "INSERT INTO @Admin_V_TA_Cajas (IDCAJAS,DESCRIPCION) VALUES('" +
                          ado::DuplicaApostrofes(codigo) + "','CAJA " + ado::DuplicaApostrofes(gCaja) + "')";
            db.EjecutaConsultaSQL(sql);
        });
    Paso([&] {
        const QString descripcion =
            db.DatosTabla("V_TA_Cajas", gCaja, "Descripcion", "IdCajas", 8).toString();
        barra.setTexto("CAJA", gCaja + " " + descripcion);
    });
    Paso([&] { barra.setTexto("VERSION", TextoVersion()); });
}

}  // namespace

void ActualizaBarraEstado(BarraEstado& barra, const QString& mensaje) {
    LlenaBarraEstado(barra, mensaje, true);
}

void MuestraBarraEstado(BarraEstado& barra, const QString& mensaje) {
    LlenaBarraEstado(barra, mensaje, false);
}

}  // namespace CNStuffContable
