#include "accounts/EnlacesCuentas.h"

#include "outside/runtime/Dialogos.h"

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

}  // namespace

void RegistraFormulario(const QString& nombre, Abridor abridor) {
    Formularios().insert(nombre.toLower(), std::move(abridor));
}

bool MuestraFormulario(const QString& nombre) {
    const Abridor abridor = Formularios().value(nombre.toLower());
    if (!abridor) {
        NoDisponible("La ventana " + nombre);
        return false;
    }
    abridor();
    return true;
}

void RegistraConsultaTabla(ConsultaDeTabla consulta) {
    Consulta() = std::move(consulta);
}

QString ConsultaTabla(const QString& tabla) {
    if (!Consulta()) {
        NoDisponible("La consulta de " + tabla);
        return {};
    }
    return Consulta()(tabla);
}

void RegistraConsultaSearch(BusquedaCondicion busqueda) {
    Busqueda() = std::move(busqueda);
}

QString ConsultaSearch(const QString& tabla, const QString& condicion, const QString& campoDevuelto) {
    if (!Busqueda()) {
        NoDisponible("La consulta de " + tabla);
        return {};
    }
    return Busqueda()(tabla, condicion, campoDevuelto);
}

void RegistraVisorConsulta(Visor visor) {
    VisorRegistrado() = std::move(visor);
}

void VisorConsulta(const QString& sentencia, const QString& conexion, const QString& titulo) {
    if (!VisorRegistrado()) {
        NoDisponible("El visor de consultas");
        return;
    }
    VisorRegistrado()(sentencia, conexion, titulo);
}

}  // namespace EnlacesCuentas
