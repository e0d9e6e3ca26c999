// Connection state of the points of sale, recorded in the central V_TA_TPV.
#include "data/DB_Dll.h"
#include "outside/ado/Recordset.h"
#include "outside/ado/TextoSql.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"

#include <QFileInfo>
#include <memory>

namespace CNStuffContable {

namespace {

bool EsPrograma(const QStringList& nombres) {
    for (const QString& n : nombres)
        if (vb::App().EXEName.compare(n, Qt::CaseInsensitive) == 0) return true;
    return false;
}

}  // namespace

DB_Dll& gBaseDatosRemota() {
    static std::unique_ptr<DB_Dll> base;
    if (!base) base = std::make_unique<DB_Dll>();
    return *base;
}

QString CodigoSinPrefijo(const QString& Texto) {
    // A folder of the embedded engine is a whole server name, slashes and all.
    if (!Texto.isEmpty() && QFileInfo(Texto).isDir()) return Texto;
    const qsizetype barra = Texto.indexOf('/');
    return barra < 0 ? Texto : Texto.mid(barra + 1);
}

QDateTime FechaServidor() {
    DB_Dll& db = gBaseDatos();
    QString sql = "select getDate() as fecha";
    ado::RecordsetPtr rs;
    db.AbrirRecordset(sql, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
    QDateTime fecha;
    if (rs->State() == ado::adStateOpen && !rs->Eof())
        fecha = vb::CDate(vb::Format(rs->fields().Item("fecha").Value(), "dd/mm/yyyy hh:mm:ss"));
    else
        fecha = QDateTime(vb::Now().date(), QTime(0, 0));
    db.CierraRecordset(rs);
    return fecha;
}

bool ConexionBaseRemota(const QString& Servidor, const QString& Base, const QString& Usuario,
                        const QString& Clave, const QString& Codigo) {
    auto& util = maker::gUtilidades();
    vb::ManejadorErrores h("Conexion Base Remota", [&util](const vb::ErrorVB& e, const QString& rutina) {
        int respuesta = 0;
        util.TrataError(e, vb::vbRetryCancel, rutina, respuesta);
        return respuesta == vb::kRespuestaReintentar ? respuesta : 0;
    });
    DB_Dll& remota = gBaseDatosRemota();
    DB_Dll& central = gBaseDatos();

    if (!h.paso([&] {
            if (remota.gCnn && remota.gCnn->State() == ado::adStateOpen) remota.gCnn->Close();
        }))
        return false;
    if (!h.paso([&] {
            remota.gProveedor = remota.pSQLOLEDB();
            remota.gServidor = CodigoSinPrefijo(vb::Trim(Servidor));
            remota.gDBName = vb::Trim(Base);
            remota.gUsuario = vb::Trim(Usuario);
            remota.gUserPassWord = vb::Trim(Clave);
        }))
        return false;
    // Silent: an unreachable terminal is recorded below, never asked about.
    if (!h.paso([&] { remota.OpenServerADODB(false, ado::adUseClient, QString(), true, false); }))
        return false;

    const QString codigo = ado::LiteralTexto(util.AlineaDerecha(Codigo));
    if (remota.gOpenFlag) {
        if (!h.paso([&] { remota.gCnn->setDefaultDatabase(remota.gDBName); })) return false;
        if (!Codigo.isEmpty()) {
            if (!h.paso([&] {
                    QString sql = "UPDATE V_TA_TPV SET CONECTADO = 1 WHERE CODIGO = " + codigo;
                    central.EjecutaConsultaSQL(sql);
                }))
                return false;
        }
        return true;
    }
    if (Codigo.isEmpty()) return false;
    if (!h.paso([&] {
            QString sql = "UPDATE V_TA_TPV SET CONECTADO = 0, ULTIMA_DETECCION = '" +
                          vb::CStr(QVariant(FechaServidor())) + "' WHERE CODIGO = " + codigo;
            central.EjecutaConsultaSQL(sql);
        }))
        return false;
    h.paso([&] {
        QString sql;
        if (EsPrograma({"V_MA_CLIENTES"}))
            sql = "UPDATE V_TA_TPV SET PEND_CLIENTES= 1, PEND_PROVEEDORES = 1 WHERE CODIGO = ";
        else if (EsPrograma({"V_TA_TABLAS", "V_TA_VENDEDORES"}))
            sql = "UPDATE V_TA_TPV SET PEND_TABLAS = 1 WHERE CODIGO = ";
        else if (EsPrograma(
                     {"V_MA_ARTICULOS", "V_MA_ARTICULOS2", "EM_PlanillaEditDatos2", "EM_PlanillaEditDatos"}))
            sql = "UPDATE V_TA_TPV SET PEND_ARTICULOS = 1,PEND_PRECIOS = 1 WHERE CODIGO = ";
        if (sql.isEmpty()) return;
        sql += codigo;
        central.EjecutaConsultaSQL(sql);
    });
    return false;
}

}  // namespace CNStuffContable
