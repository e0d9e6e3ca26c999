#pragma once
// The maker's report object. A window asks for a report by name (Imprime) and then says where
// it goes (Salida); the report itself is drawn by the renderer registered under its name.
#include <QString>
#include <QStringList>
#include <map>
#include <memory>

namespace maker {

// One report request, as the window gives it.
struct SolicitudReporte {
    QString Nombre;           // "RP_QT040"
    QStringList Orden;        // sort fields, "+{TABLA.campo}"
    QString Seleccion;        // record selection, "" for all
    QString Conexion;         // the company connection string
    QStringList Formulas;     // "nombre = 'valor'" texts, in the order given (blank ones kept)
    QString CarpetaPrograma;  // given once at start-up
    int Salida = 0;           // the number of the follow-up call
};

class RenderizadorReporte {
  public:
    virtual ~RenderizadorReporte() = default;
    // Produces and shows the report; false (with a reason in error) when it could not.
    virtual bool Generar(const SolicitudReporte& solicitud, QString& error) = 0;
};

class Reporte {
  public:
    // The program's folder, where the report definitions live.
    void RutaPrograma(const QString& carpeta) { carpeta_ = carpeta; }
    const QString& RutaPrograma() const { return carpeta_; }

    // Records the request; nothing is produced until Salida.
    void Imprime(const QString& nombre, const QStringList& orden = {}, const QString& seleccion = {},
                 const QString& conexion = {}, const QString& formula1 = {}, const QString& formula2 = {},
                 const QString& formula3 = {}, const QString& formula4 = {}, const QString& formula5 = {},
                 const QString& formula6 = {}, const QString& formula7 = {}, const QString& formula8 = {});

    // Produces the requested report through the renderer. When there is no request, no renderer
    // or the renderer fails, the operator is told and the result is false.
    bool Salida(int modo);

    const SolicitudReporte& UltimaSolicitud() const { return solicitud_; }

    // One renderer per report name (compared case-blind), registered at start-up by the
    // subsystem that owns the report, so that every program (the windows' and the report
    // program) writes a report the same way. A second registration replaces the first;
    // nullptr removes it.
    void Registra(const QString& nombre, std::unique_ptr<RenderizadorReporte> r);
    // The renderer that produces the report of that name; nullptr when none.
    RenderizadorReporte* RenderizadorDe(const QString& nombre) const;

    // A renderer that takes every report ahead of the registered ones (owned); tests use it to
    // see the requests. nullptr removes it.
    void setRenderizador(std::unique_ptr<RenderizadorReporte> r) { renderizador_ = std::move(r); }
    RenderizadorReporte* renderizador() const { return renderizador_.get(); }

  private:
    QString carpeta_;
    SolicitudReporte solicitud_;
    bool pendiente_ = false;
    std::unique_ptr<RenderizadorReporte> renderizador_;
    std::map<QString, std::unique_ptr<RenderizadorReporte>> registrados_;  // by upper-case name
};

Reporte& gReporte();

}  // namespace maker
