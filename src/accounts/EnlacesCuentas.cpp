#include "accounts/EnlacesCuentas.h"

#include "account_extras/Frmta_asigccosto.h"
#include "account_extras/frmMA_CUENTASADIC.h"
#include "accounts/frmMa_ManualCuentas.h"
#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "lookup/Coleccion.h"
#include "lookup/Def_QConsulta.h"
#include "lookup/Lib_ClsCons3.h"
#include "outside/maker/VisorConsulta.h"
#include "outside/runtime/Dialogos.h"
#include "services/CNStuffContable.h"

#include <QHash>

namespace EnlacesCuentas {

namespace {

QHash<QString, Abridor>& Formularios() {
    static QHash<QString, Abridor> f;
    return f;
}
ConsultaDeTabla& Consulta() {
    static ConsultaDeTabla c;
    return c;
}
BusquedaCondicion& Busqueda() {
    static BusquedaCondicion b;
    return b;
}
Visor& VisorRegistrado() {
    static Visor v;
    return v;
}

void NoDisponible(const QString& que) {
    vb::MsgBox(que + " no está disponible en esta instalación", vb::vbExclamation, "Aviso al operador");
}

// The suite's own companion windows, called directly; false for a name that is none of them.
bool MuestraDelSistema(const QString& nombre) {
    if (nombre.compare("frmMa_ManualCuentas", Qt::CaseInsensitive) == 0) {
        frmMa_ManualCuentas::Mostrar();
        return true;
    }
    if (nombre.compare("frmMA_CUENTASADIC", Qt::CaseInsensitive) == 0) {
        frmMA_CUENTASADIC::Muestra();
        return true;
    }
    if (nombre.compare("Frmta_asigccosto", Qt::CaseInsensitive) == 0) {
        // Opened from the chart: not from the menu.
        Frmta_asigccosto::instancia().Mostrar(false);
        return true;
    }
    return false;
}

}  // namespace

void RegistraFormulario(const QString& nombre, Abridor abridor) {
    Formularios().insert(nombre.toLower(), std::move(abridor));
}

bool MuestraFormulario(const QString& nombre, const QString& cuenta) {
    CNStuffContable::gCuentaActual = cuenta;
    const auto registrado = Formularios().constFind(nombre.toLower());
    if (registrado == Formularios().cend()) {
        if (MuestraDelSistema(nombre)) return true;
    } else if (*registrado) {
        (*registrado)();
        return true;
    }
    NoDisponible("La ventana " + nombre);
    return false;
}

void RegistraFormulariosDelSistema() {
    Formularios().clear();
}

void RegistraConsultaTabla(ConsultaDeTabla consulta) {
    Consulta() = std::move(consulta);
}

QString ConsultaTabla(const QString& tabla) {
    if (Consulta()) return Consulta()(tabla);
    QString t = tabla, descripcion, codigo, extra, condicion;
    bool mostrar = true;
    Def_QConsulta::ConsultaTabla(t, descripcion, codigo, extra, mostrar, condicion);
    return codigo;
}

void RegistraConsultaSearch(BusquedaCondicion busqueda) {
    Busqueda() = std::move(busqueda);
}

QString ConsultaSearch(const QString& tabla, const QString& condicion, const QString& campoDevuelto) {
    if (Busqueda()) return Busqueda()(tabla, condicion, campoDevuelto);
    Lib_ClsCons3& consulta = gConsulta();
    consulta.CampoDevuelto = campoDevuelto;
    Coleccion ninguna;
    QString clave, busqueda, where = condicion, opcional, defecto;
    bool arbol = false;
    consulta.ConsultaSearch(tabla, ninguna, clave, busqueda, where, opcional, arbol, defecto);
    return consulta.ValorDevuelto.toString();
}

void RegistraVisorConsulta(Visor visor) {
    VisorRegistrado() = std::move(visor);
}

void VisorConsulta(const QString& sentencia, const QString& conexion, const QString& titulo) {
    if (VisorRegistrado()) {
        VisorRegistrado()(sentencia, conexion, titulo);
        return;
    }
    maker::VisorConsulta& visor = maker::gVisorConsulta();
    visor.ReescribeSentencia = [](const QString& s) {
        return CNStuffContable::gBaseDatos().SS_TSinonimos(s);
    };
    visor.Muestra(sentencia, conexion, titulo);
}

}  // namespace EnlacesCuentas
