#pragma once
// The index report "RP_QT040": the adjustment-index table in year and month order, with the
// company name and the four index titles of the request, as a listing PDF shown with the
// desktop's viewer. Registered in gReporte() under its name by every program that offers it.
#include "outside/maker/Reporte.h"

#include <QString>

namespace maker {
struct Listado;
}
namespace ado {
class Connection;
}

class ReporteIndices : public maker::RenderizadorReporte {
  public:
    static constexpr const char* kNombre = "RP_QT040";

    // Where the PDFs go; the temporary folder when empty.
    explicit ReporteIndices(QString carpetaSalida = {});
    // Registers the report in gReporte().
    static void Registrar(const QString& carpetaSalida = {});

    bool Generar(const maker::SolicitudReporte& solicitud, QString& error) override;

    // The value of a "nombre = 'valor'" text of the request, "" when absent.
    static QString ValorFormula(const QStringList& formulas, const QString& nombre);
    // The listing of the request: heads and one row per month, numbers in the locale's form.
    static maker::Listado Contenido(const maker::SolicitudReporte& solicitud, ado::Connection& cn);
    // The PDF made by the last Generar.
    const QString& UltimoArchivo() const { return ultimo_; }

  private:
    QString carpeta_;
    QString ultimo_;
};
