#pragma once
// The index report "RP_QT040": the adjustment-index table in year and month order, with the
// company name and the four index titles of the request, as a PDF shown with the desktop's viewer.
#include "outside/maker/Reporte.h"

#include <QString>

class ReporteIndices : public maker::RenderizadorReporte {
  public:
    // Where the PDFs go; the temporary folder when empty.
    explicit ReporteIndices(QString carpetaSalida = {});

    bool Generar(const maker::SolicitudReporte& solicitud, QString& error) override;

    // The value of a "nombre = 'valor'" text of the request, "" when absent.
    static QString ValorFormula(const QStringList& formulas, const QString& nombre);
    // The PDF made by the last Generar.
    const QString& UltimoArchivo() const { return ultimo_; }

  private:
    QString carpeta_;
    QString ultimo_;
};
