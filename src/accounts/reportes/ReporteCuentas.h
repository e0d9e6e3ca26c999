#pragma once
// The chart-of-accounts report "Rp_PlanCtas": every active account in code order, its code with
// the level dashes, check digit, description, kind, adjustment index and block, as a listing PDF
// shown with the desktop's viewer. Registered in gReporte() under its name by the report program.
#include "outside/maker/Reporte.h"

#include <QString>

namespace maker {
struct Listado;
}
namespace ado {
class Connection;
}

class ReporteCuentas : public maker::RenderizadorReporte {
  public:
    static constexpr const char* kNombre = "Rp_PlanCtas";

    // Where the PDFs go; the temporary folder when empty.
    explicit ReporteCuentas(QString carpetaSalida = {});
    static void Registrar(const QString& carpetaSalida = {});

    bool Generar(const maker::SolicitudReporte& solicitud, QString& error) override;

    // The listing of the request: one row per active account.
    static maker::Listado Contenido(const maker::SolicitudReporte& solicitud, ado::Connection& cn);
    const QString& UltimoArchivo() const { return ultimo_; }

  private:
    QString carpeta_;
    QString ultimo_;
};
