#include "data/ServiciosAcceso.h"

#include "outside/runtime/Archivos.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ErrorVB.h"

namespace data {

namespace {

constexpr int kErrAccesoArchivo = 75;

}  // namespace

ServiciosAcceso::ServiciosAcceso()
    : MensajeError([](const vb::ErrorVB& error, int botones, const QString& rutina) {
          return vb::MsgBox(error.Description, botones, rutina + " Aviso al operador");
      }),
      ExisteArchivo(&vb::ExisteArchivo),
      RutaProgramaHermano([](const QString&) { return QString(); }),
      AbreDocumento([](const QString&, bool) {}),
      NombreEntradaBase([](const QString& base, const QString& servidor) { return base + " / " + servidor; }),
      AgregaBaseArchivo(
          [](const QString&, const QString&, const QString&, const QString&, const QString&, bool) {
              vb::Raise(kErrAccesoArchivo, "El registro de conexiones no esta disponible en este programa");
          }),
      LeeBasesArchivo([](const QString&) { return std::optional<QList<EntradaBase>>(); }),
      SeparaPuerto([](const QString&, QString&, QString&) { return false; }) {}

ServiciosAcceso& gServiciosAcceso() {
    static ServiciosAcceso servicios;
    return servicios;
}

}  // namespace data
