#include "outside/ado/Connection.h"

#include "outside/ado/CortesSql.h"
#include "outside/ado/ErroresAdo.h"
#include "outside/ado/FabricaProveedores.h"
#include "outside/ado/Proveedor.h"
#include "outside/ado/Recordset.h"
#include "outside/ado/sqlite/ProveedorSqlite.h"
#include "outside/runtime/ErrorVB.h"

#include <unistd.h>
#include <QFileInfo>
#include <csignal>

namespace ado {

std::shared_ptr<Connection> Connection::Crear() {
    return std::shared_ptr<Connection>(new Connection());
}

Connection::~Connection() {
    if (proveedor_ && proveedor_->abierto()) proveedor_->cerrar();
}

namespace {

bool empiezaCon(const QString& s, const QString& prefijo) {
    return s.startsWith(prefijo, Qt::CaseInsensitive);
}

[[noreturn]] void proveedorAusente(const QString& nombre, Errors& errores) {
    Error e;
    e.Number = kErrProveedorAusente;
    e.Description = QString("El proveedor %1 no está disponible en este sistema.").arg(nombre);
    e.Source = "ADODB.Connection";
    errores.Add(e);
    LanzarEntrada(errores, errores.Count() - 1);
}

}  // namespace

void Connection::Open(const QString& connectionString, const QString& usuario, const QString& clave, int) {
    if (State() == adStateOpen) LanzarAdo(kErrObjetoAbierto);
    if (EnTransaccion()) LanzarAdo(kErrTransaccionPerdida);
    errores_.Clear();
    if (!connectionString.isEmpty()) connectionString_ = connectionString;
    const ParametrosConexion p = AnalizarCadenaConexion(connectionString_);
    QString nombre = p.value("PROVIDER");
    std::unique_ptr<Proveedor> nuevo;
    if (nombre.isEmpty() || empiezaCon(nombre, "SQLOLEDB")) {
        const QString servidor = p.contains("SERVER") ? p.value("SERVER") : p.value("DATA SOURCE");
        if (!servidor.isEmpty() && QFileInfo(servidor).isDir())
            nuevo = std::make_unique<sqlite::ProveedorSqlite>();
        else
            nuevo = CrearProveedorOdbc();
        if (nombre.isEmpty()) nombre = "SQLOLEDB";
    } else if (empiezaCon(nombre, "OraOLEDB.Oracle")) {
        nuevo = CrearProveedorOdbc();
    } else {
        proveedorAusente(nombre, errores_);
    }
    proveedor_.reset();
    proveedorNombre_ = nombre;
    nuevo->abrir(p, usuario, clave, errores_);
    nuevo->tiempoDeEspera(commandTimeout_);
    proveedor_ = std::move(nuevo);
    cerradaPorPrograma_ = false;
    ++sesion_;
    const QString base = p.contains("DATABASE") ? p.value("DATABASE") : p.value("INITIAL CATALOG");
    if (!base.isEmpty()) defaultDatabase_ = base;
}

void Connection::Close() {
    cerradaPorPrograma_ = true;
    if (State() != adStateOpen) LanzarAdo(kErrObjetoCerrado);
    proveedor_->cerrar();
}

void Connection::setCommandTimeout(int s) {
    commandTimeout_ = s;
    if (proveedor_) proveedor_->tiempoDeEspera(s);
}

bool Connection::TransaccionPerdida() const {
    return EnTransaccion() && (Sesion() != sesionTransaccion_ || !proveedor_->enTransaccion());
}

void Connection::exigirAbierta() {
    if (State() == adStateOpen) return;
    if (proveedor_ && !cerradaPorPrograma_) {
        errores_.Clear();
        Error e;
        e.SQLState = "08S01";
        e.Number = kErrConexionInvalida;
        e.NativeError = kNativoConexionPerdida;
        e.Description = "Se perdió el vínculo de comunicación con el servidor: la conexión está cerrada.";
        e.Source = "ADODB.Connection";
        errores_.Add(e);
        LanzarEntrada(errores_, 0);
    }
    LanzarAdo(kErrConexionInvalida);
}

void Connection::exigirTransaccionViva() const {
    if (TransaccionPerdida()) LanzarAdo(kErrTransaccionPerdida);
}

long Connection::Sesion() const {
    return State() == adStateOpen ? sesion_ : 0;
}

int Connection::State() const {
    return proveedor_ && proveedor_->abierto() ? adStateOpen : adStateClosed;
}

bool Connection::EsMotorEmbebido() const {
    return State() == adStateOpen && proveedor_->esMotorEmbebido();
}

void Connection::antesDeConsulta(const QString& sql) {
    exigirAbierta();
    exigirTransaccionViva();
    errores_.Clear();
    // A recordset shows one query: anything else (a second statement from typed text that escaped
    // its value or from a file beside the program, a write) is refused before anything runs, on
    // every engine; an engine that can read the statement itself refuses it again.
    if (!ConsultaDeLectura(sql)) LanzarNoEsLectura(errores_);
    aplicarFallaInyectada(sql);
}

Lectura Connection::Leer(const QString& sql) {
    antesDeConsulta(sql);
    return proveedor_->leerColumnas(sql, errores_);
}

RecordsetPtr Connection::Execute(const QString& sql, long* registrosAfectados, int) {
    exigirAbierta();
    exigirTransaccionViva();
    errores_.Clear();
    aplicarFallaInyectada(sql);
    Resultado r = proveedor_->ejecutar(sql, errores_);
    if (registrosAfectados) *registrosAfectados = r.afectados;
    auto rs = Recordset::Crear();
    if (r.esConsulta) {
        rs->cargar(r.columnas, std::move(r.filas), {}, false);
        rs->LockType = adLockReadOnly;
        rs->CursorType = adOpenForwardOnly;
    }
    return rs;
}

namespace {
std::function<bool(Connection&)>& RecuperaVinculo() {
    static std::function<bool(Connection&)> recupera;
    return recupera;
}
}  // namespace

void Connection::setRecuperaVinculo(std::function<bool(Connection&)> recupera) {
    RecuperaVinculo() = std::move(recupera);
}

long Connection::BeginTrans() {
    if (TransaccionPerdida()) LanzarAdo(kErrTransaccionPerdida);
    if (State() != adStateOpen && proveedor_ && !cerradaPorPrograma_ && !EnTransaccion() && RecuperaVinculo())
        RecuperaVinculo()(*this);
    exigirAbierta();
    if (EnTransaccion()) LanzarAdo(kErrTransaccionAbierta);
    proveedor_->comenzarTransaccion(errores_);
    sesionTransaccion_ = sesion_;
    return 1;
}

void Connection::CommitTrans() {
    if (TransaccionPerdida()) {
        sesionTransaccion_ = 0;
        LanzarAdo(kErrTransaccionPerdida);
    }
    exigirAbierta();
    // An injected fault meets a commit as the statement "COMMIT".
    aplicarFallaInyectada(QStringLiteral("COMMIT"));
    // A commit the server refuses leaves the transaction open, for the rollback.
    proveedor_->confirmarTransaccion(errores_);
    sesionTransaccion_ = 0;
}

void Connection::RollbackTrans() {
    if (TransaccionPerdida()) {
        sesionTransaccion_ = 0;
        return;
    }
    exigirAbierta();
    sesionTransaccion_ = 0;
    proveedor_->deshacerTransaccion(errores_);
}

RecordsetPtr Connection::OpenSchema(int esquema, const QVariantList& criterios) {
    exigirAbierta();
    if (esquema != adSchemaTables && esquema != adSchemaColumns) vb::Raise(vb::kArgumentoInvalido);
    errores_.Clear();
    Resultado r = proveedor_->esquema(esquema, criterios, errores_);
    auto rs = Recordset::Crear();
    rs->cargar(r.columnas, std::move(r.filas), {}, false);
    return rs;
}

void Connection::InyectarFalla(const FallaInyectada& f) {
    fallas_.append(f);
}

void Connection::QuitarFallas() {
    fallas_.clear();
}

void Connection::aplicarFallaInyectada(const QString& sql) {
    if (observador_) observador_(sql, EnTransaccion());
    for (int i = 0; i < fallas_.size(); ++i) {
        FallaInyectada& f = fallas_[i];
        if (f.veces <= 0 || !(f.contiene.isEmpty() || sql.contains(f.contiene, Qt::CaseInsensitive)))
            continue;
        if (f.saltar > 0) {
            --f.saltar;
            continue;
        }
        const FallaInyectada copia = f;
        if (copia.terminaProceso) ::kill(::getpid(), SIGKILL);
        if (--f.veces <= 0) fallas_.removeAt(i);
        errores_.Add(copia.error);
        if (copia.cierraConexion && proveedor_ && proveedor_->abierto()) proveedor_->cerrar();
        vb::Raise(copia.error.Number, copia.error.Description, copia.error.Source);
    }
}

ParametrosConexion AnalizarCadenaConexion(const QString& cadena) {
    ParametrosConexion p;
    for (const QString& parte : cadena.split(';', Qt::SkipEmptyParts)) {
        const int igual = parte.indexOf('=');
        if (igual < 0) continue;
        const QString clave = parte.left(igual).simplified().toUpper();
        if (clave.isEmpty()) continue;
        QString valor = parte.mid(igual + 1).trimmed();
        if (valor.size() >= 2 && (valor.front() == '"' || valor.front() == '\'') &&
            valor.back() == valor.front())
            valor = valor.mid(1, valor.size() - 2);
        p.insert(clave, valor);
    }
    return p;
}

}  // namespace ado
