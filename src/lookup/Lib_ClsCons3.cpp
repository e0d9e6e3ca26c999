#include "lookup/Lib_ClsCons3.h"

#include "data/DB_Dll.h"
#include "lookup/Lib_FrmCons3.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "services/CNStuffContable.h"

namespace {

std::unique_ptr<Lib_ClsCons3>& Compartido() {
    static std::unique_ptr<Lib_ClsCons3> instancia;
    return instancia;
}

// A colour setting as the object keeps it: the text, or the whole number 0 for an empty one.
QVariant NivelStock(const QString& clave) {
    const QString valor = CNStuffContable::Cfg(clave);
    return valor.isEmpty() ? QVariant(0) : QVariant(valor);
}

}  // namespace

Lib_ClsCons3& gConsulta() {
    auto& c = Compartido();
    static unsigned tomada = 0;
    const CNStuffContable::AjustesConsultas& a = CNStuffContable::gAjustesConsultas();
    // A new object, or a new start-up, takes start-up's settings; a value set on the object itself
    // stays until then.
    if (!c || a.Generacion != tomada) {
        if (!c) c = std::make_unique<Lib_ClsCons3>();
        tomada = a.Generacion;
        c->gConnString = a.gConnString;
        c->gUsarMascarasConsultas = a.gUsarMascarasConsultas;
        c->gRutaMascaraConsultas = a.gRutaMascaraConsultas;
    }
    return *c;
}

void ReiniciarConsulta() {
    Compartido().reset();
}

Lib_ClsCons3::Lib_ClsCons3() {
    CmpsDevueltos = NuevaColeccion();
    Valores = NuevaColeccionValores();
    // Without a connection there is nothing to read (and no operator to bother with it).
    if (!CNStuffContable::gBaseDatos().gOpenFlag) return;
    vb::SinDetenerse([&] { MuestraStock = CNStuffContable::Cfg("MostrarStockenConsultas"); });
    vb::SinDetenerse([&] { StkNivel1 = NivelStock("Stk_Nivel1"); });
    vb::SinDetenerse([&] { StkNivel2 = NivelStock("Stk_Nivel2"); });
    vb::SinDetenerse([&] { StkNivel3 = NivelStock("Stk_Nivel3"); });
    vb::SinDetenerse([&] { StkNivel4 = NivelStock("Stk_Nivel4"); });
    vb::SinDetenerse([&] { usaConsultaLike_ = CNStuffContable::CfgActiva("UsaConsultaLike"); });
}

Lib_ClsCons3::~Lib_ClsCons3() = default;

maker::Utilidades& Lib_ClsCons3::Util() {
    if (!utilidades_) utilidades_ = std::make_unique<maker::Utilidades>();
    return *utilidades_;
}

void Lib_ClsCons3::GrabaConsultaDefault() {}

bool Lib_ClsCons3::MascaraUtilizable() {
    QString tabla = vb::Trim(regMascara_.Tabla);
    if (tabla.compare("V_MA_ARTICULOS", Qt::CaseInsensitive) == 0) tabla = "VT_MA_ARTICULOS";
    const QString faltante = MascaraConsulta::ColumnaFaltante(tabla, MascaraConsulta::Columnas(regMascara_));
    if (faltante.isEmpty()) return true;
    vb::MsgBox("La consulta configurada para la tabla " + tabla + " pide la columna " + faltante +
                   ", que la tabla no tiene.\r\nSe muestran las columnas propias de la tabla.",
               vb::vbExclamation, "Aviso al operador");
    return false;
}
