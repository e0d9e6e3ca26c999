#include "outside/maker/Reporte.h"

#include "outside/runtime/Dialogos.h"

namespace maker {

Reporte& gReporte() {
    static Reporte instancia;
    return instancia;
}

void Reporte::Imprime(const QString& nombre, const QStringList& orden, const QString& seleccion,
                      const QString& conexion, const QString& formula1, const QString& formula2,
                      const QString& formula3, const QString& formula4, const QString& formula5,
                      const QString& formula6, const QString& formula7, const QString& formula8) {
    solicitud_ = SolicitudReporte{};
    solicitud_.Nombre = nombre.trimmed();
    solicitud_.Orden = orden;
    solicitud_.Seleccion = seleccion;
    solicitud_.Conexion = conexion;
    solicitud_.Formulas = {formula1, formula2, formula3, formula4, formula5, formula6, formula7, formula8};
    solicitud_.CarpetaPrograma = carpeta_;
    pendiente_ = true;
}

void Reporte::Registra(const QString& nombre, std::unique_ptr<RenderizadorReporte> r) {
    const QString clave = nombre.trimmed().toUpper();
    if (r)
        registrados_[clave] = std::move(r);
    else
        registrados_.erase(clave);
}

RenderizadorReporte* Reporte::RenderizadorDe(const QString& nombre) const {
    const auto it = registrados_.find(nombre.trimmed().toUpper());
    return it == registrados_.end() ? nullptr : it->second.get();
}

bool Reporte::Salida(int modo) {
    solicitud_.Salida = modo;
    QString error;
    RenderizadorReporte* r = renderizador_ ? renderizador_.get() : RenderizadorDe(solicitud_.Nombre);
    if (!pendiente_ || solicitud_.Nombre.isEmpty())
        error = QStringLiteral("No se indicó qué reporte emitir.");
    else if (!r)
        error = QStringLiteral("El reporte %1 no está disponible en este equipo.").arg(solicitud_.Nombre);
    else if (r->Generar(solicitud_, error))
        return true;
    else if (error.isEmpty())
        error = QStringLiteral("No se pudo emitir el reporte %1.").arg(solicitud_.Nombre);
    vb::MsgBox(error, vb::vbOKOnly + vb::vbExclamation, QStringLiteral("Aviso al operador"));
    return false;
}

}  // namespace maker
