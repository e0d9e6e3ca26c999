#pragma once
// What the connection form needs of the application services: the operator's error report, the
// registered-connections file and the suite's sibling programs. The services install theirs at
// start-up (CNStuffContable::InstalaPrograma), so this layer never reaches up to them; until then
// each hook does the safe thing on its own.
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace vb {
class ErrorVB;
}

namespace data {

// One line of the registered-connections file "BASES.TXT".
struct EntradaBase {
    QString Nombre;    // "EMPRESA1 / SRV01"
    QString Base;      // the database as typed
    QString Usuario;   // the login
    QString Clave;     // the password as stored (CodificaClave)
    QString Servidor;  // as typed, maybe "name:port", a "#" for Oracle
};

struct ServiciosAcceso {
    // Every hook with its safe default: the error shown as it stands, the file looked up on disk,
    // no sibling program, no document opened, the entry named by database and server, no port in
    // a server name, and the registered-connections file neither read nor written (an error says
    // so, nothing is lost in silence).
    ServiciosAcceso();

    std::function<int(const vb::ErrorVB& error, int botones, const QString& rutina)> MensajeError;
    std::function<bool(const QString& ruta)> ExisteArchivo;
    std::function<QString(const QString& nombre)> RutaProgramaHermano;
    std::function<void(const QString& documento, bool maximizado)> AbreDocumento;
    std::function<QString(const QString& base, const QString& servidor)> NombreEntradaBase;
    std::function<void(const QString& nombre, const QString& base, const QString& usuario,
                       const QString& password, const QString& servidor, bool oracle)>
        AgregaBaseArchivo;
    std::function<std::optional<QList<EntradaBase>>(const QString& ruta)> LeeBasesArchivo;
    std::function<bool(const QString& campo, QString& servidor, QString& puerto)> SeparaPuerto;
};

// The installed services; until start-up installs them every member is its safe default.
ServiciosAcceso& gServiciosAcceso();

}  // namespace data
