// TEMPORARY until the ODBC provider lands: every server connection fails with a clear entry.
#include "outside/ado/ErroresAdo.h"
#include "outside/ado/FabricaProveedores.h"

namespace ado {

namespace {
class ProveedorAusente : public Proveedor {
  public:
    void abrir(const ParametrosConexion& p, const QString&, const QString&, Errors& errores) override {
        Error e;
        e.SQLState = "08001";
        e.Number = int32_t(0x80004005);
        e.NativeError = 0;
        e.Description =
            QString("El proveedor %1 no está disponible en este sistema.").arg(p.value("PROVIDER"));
        errores.Add(e);
        LanzarEntrada(errores, errores.Count() - 1);
    }
    void cerrar() override {}
    bool abierto() const override { return false; }
    Resultado ejecutar(const QString&, Errors&) override { return {}; }
    void comenzarTransaccion(Errors&) override {}
    void confirmarTransaccion(Errors&) override {}
    void deshacerTransaccion(Errors&) override {}
    void insertar(const QString&, const QList<Recordset::Columna>&, QList<QVariant>&, Errors&) override {}
    void actualizar(const QString&, const QList<Recordset::Columna>&, const QList<QVariant>&,
                    const QList<QVariant>&, Errors&) override {}
    void borrar(const QString&, const QList<Recordset::Columna>&, const QList<QVariant>&, Errors&) override {}
    Resultado esquema(int, const QVariantList&, Errors&) override { return {}; }
};
}  // namespace

std::unique_ptr<Proveedor> CrearProveedorOdbc() {
    return std::make_unique<ProveedorAusente>();
}

}  // namespace ado
