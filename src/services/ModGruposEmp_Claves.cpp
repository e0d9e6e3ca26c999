// Key columns of the replicated tables: a fixed rule list, tried in order, first match wins.
#include "services/ModGruposEmp.h"

#include <QStringList>
#include <vector>

namespace ModGruposEmp {

namespace {

constexpr Qt::CaseSensitivity kCi = Qt::CaseInsensitive;

// One rule: the tables it names (whole names, or the start of a name), and their keys, either
// fixed or "ID" followed by the table's own name from a position (less one final "s" when
// asked). A rule that names tables but lists no keys ends the search with none.
struct Regla {
    enum Prueba { kNombre, kPrefijo };
    Prueba prueba;
    QStringList nombres;
    QStringList claves;
    int idDesde = -1;
    bool sinS = false;
};

Regla Nombres(QStringList nombres, QStringList claves) {
    return {Regla::kNombre, std::move(nombres), std::move(claves)};
}
Regla Prefijo(const QString& prefijo, QStringList claves) {
    return {Regla::kPrefijo, {prefijo}, std::move(claves)};
}
Regla IdDelNombre(QStringList nombres, int desde, bool sinS) {
    return {Regla::kNombre, std::move(nombres), {}, desde, sinS};
}

// clang-format off
const std::vector<Regla> kReglas = {
    // Exact names first.
    Nombres({"V_TA_CategoriaArticulo"}, {"IdCategoria"}),
    Nombres({"s_ta_equiv"}, {"IDARTICULO", "IDUNIDAD", "IDUNIDAD_EQUIV"}),
    Nombres({"V_MA_ARTCATREL"}, {"IDARTICULO", "IDCATEGORIA"}),
    Nombres({"V_TA_INTERODBC"}, {"Proveedor"}),
    Nombres({"AC_VENTASDIARIA", "AC_VENTASMES"}, {"UNEGOCIO", "FECHA", "IDARTICULO"}),
    Nombres({"ta_cai"}, {"cuenta", "cai", "vencimiento", "tc", "Sucursal", "Letra"}),
    Nombres({"V_TA_Cpte"}, {"CODIGO", "TALONARIO"}),
    Nombres({"V_TA_PERCEPCION"}, {"IDPERCEPCION"}),
    Nombres({"V_TA_RETENCIONES"}, {"IDRETENCION"}),
    Nombres({"V_ta_PoliticaPrecios"}, {"codigo"}),
    Nombres({"V_TA_TarifaFlete"}, {"IdTarifaFlete"}),
    Nombres({"V_TA_UnidadNegocio"}, {"Codigo"}),
    Nombres({"V_TA_FAMILIAS"}, {"IdFamilia"}),
    Nombres({"V_TA_FAMILIAS_USUARIOS"}, {"GrupoUser", "IdFamilia"}),

    // Code views: "ID" and the name after "V_TA_", less one final "s".
    Nombres({"V_TA_CPRA_VTA"}, {"IDCOND_CPRA_VTA"}),
    Nombres({"V_TA_TipoArticulo"}, {"IDTIPO"}),
    Nombres({"V_TA_Cajas"}, {"IDCajas"}),
    IdDelNombre({"V_TA_Bancos", "V_TA_MotivoVta", "V_TA_MotivoCpra", "V_TA_Deposito", "V_TA_Tecnicos",
                 "V_TA_Tareas", "V_TA_Unidad", "V_TA_Rubros", "V_TA_MotivoStock", "V_TA_CATEGORIA",
                 "V_TA_DESTINO", "V_TA_ORIGEN"}, 5, true),

    // Personnel code tables: "ID" and the name from its sixth character.
    IdDelNombre({"P_TA_Areas"}, 5, false),
    IdDelNombre({"P_TA_NIVELESTUDIO", "P_TA_CONOCIMIENTOS", "P_TA_Categorizacion", "P_TA_CentroMedico",
                 "P_TA_FormasDePago", "P_MA_Empresas", "P_TA_ZONARESIDENCIA", "P_TA_ObraSocial",
                 "P_TA_MotivoEgreso", "P_TA_Grupos", "P_TA_EstadoBusqueda", "P_TA_IDIOMAS", "P_TA_TITULOs",
                 "P_TA_ESTADOPOSTULANTE", "P_TA_Parentesco", "P_TA_EstadoCivil"}, 5, true),
    Nombres({"P_SINDICATOS"}, {"IdSindicato"}),
    IdDelNombre({"P_TA_Funciones"}, 5, false),

    Nombres({"TA_TipoArticulo"}, {"IDTIPO"}),
    IdDelNombre({"TA_Categoria", "TA_Deposito", "TA_MotivoStock", "TA_Rubros"}, 3, true),
    Nombres({"P_MA_Clientes"}, {"IDCLIENTE"}),
    Nombres({"TA_Cpte"}, {"CODIGO", "DESCRIPCION"}),
    Nombres({"V_MA_ARTICULOS"}, {"IDARTICULO"}),
    Nombres({"MA_ARTICULOS"}, {"IDARTICULO", "DESCRIPCION"}),
    Nombres({"MA_MODELOS"}, {"TIPO_REG", "NOMBRE", "SECUENCIA"}),
    Nombres({"MA_CHOFERES"}, {"CODIGO", "NOMBRES"}),
    Nombres({"MA_DESTINATARIOS"}, {"CODIGO", "NOMBRE"}),
    Nombres({"MA_VEHICULOS"}, {"PATENTE", "MODELO"}),
    Nombres({"MA_CONTACTOS_CUENTAS"}, {"IDCONTACTO", "CUENTA"}),
    Nombres({"MA_CONTACTOS"}, {"IDCONTACTO"}),
    Nombres({"MV_EJERCICIOS"}, {"PERIODO"}),
    Nombres({"TA_USUARIOS"}, {"NOMBRE", "GRUPO"}),
    Nombres({"MV_APLICACION"}, {"CUENTA", "TC", "SUCURSAL", "NUMERO", "LETRA", "TCO_ORIGEN",
                                "IDCOMPROBANTE_ORIGEN", "IDCOMPROBANTE_PRINT"}),
    Nombres({"MV_ASIENTOS"}, {"CUENTA", "SECUENCIA", "TC", "SUCURSAL", "NUMERO", "LETRA",
                              "[NUMERO ASIENTO]", "MES_OPERATIVO"}),
    Nombres({"MV_ASIENTOSCCOSTO"}, {"PERIODO", "MES_OPERATIVO", "[NUMERO ASIENTO]", "CUENTA", "SECUENCIA",
                                    "CCOSTO", "TIPO_REG"}),
    Nombres({"MA_CUENTASCCOSTO"}, {"CODIGO", "CCOSTO"}),
    Nombres({"MA_CUENTASCCOSTO_UNEG"}, {"CODIGO", "CCOSTO", "UNEGOCIO"}),
    Nombres({"MA_CUENTAS_CCDIST"}, {"ID"}),
    Nombres({"TA_REPORTES"}, {"NOMBRE"}),

    // Prefix groups: the names of a group, then the group's own keys.
    Nombres({"ta_configuracion"}, {"Clave"}),
    Nombres({"ta_cotizacion"}, {"FECHA_HORA"}),
    Nombres({"ta_config_form"}, {"Formulario", "Usuario", "TipoObjeto", "Nombre"}),
    Nombres({"TA_LOGOS"}, {"IDLOGO"}),
    Nombres({"ta_cuentasiva"}, {"CFI_IVARI"}),
    Nombres({"ta_menu"}, {"Menu", "Clave"}),
    Nombres({"TA_RANGOS_DATOS_ADIC"}, {"DESCRIPCION"}),
    Nombres({"TA_TAREAS"}, {"USUARIO", "SISTEMA", "TAREA"}),
    Nombres({"TA_MONEDAS_BILLETE"}, {"CUENTA", "DENOMINACION"}),
    // A print setting is one per voucher type and letter; a view column one per view.
    Nombres({"TA_CONFIG_IMP_CPTE"}, {"tc", "letra"}),
    Nombres({"TA_VISTAS"}, {"Nombre", "Campo"}),
    Prefijo("TA_", {"CODIGO"}),

    Prefijo("MA_PRO", {"Codigo", "Razon_Social"}),
    Prefijo("MA_VEN", {"Codigo", "Razon_Social"}),
    Prefijo("MA_TRA", {"Codigo", "Razon_Social"}),
    Prefijo("MA_AGE", {"Codigo", "Razon_Social"}),
    Prefijo("MA_CLI", {"Codigo", "Codigo_sucursal"}),
    Prefijo("Ma_con", {"id"}),
    Nombres({"MA_CUENTAS_USUARIOS"}, {"GrupoUser", "Cuenta"}),
    Nombres({"MA_CUENTAS"}, {"codigo"}),
    Nombres({"MA_CUENTASSUC"}, {"CODIGO", "SUCURSAL"}),
    Nombres({"MA_CUENTAS_AUTOCPTES"}, {"CUENTA", "SUCURSALCUENTA"}),
    Nombres({"MA_CUENTAS_SALDOS"}, {"CUENTA", "IDVENDEDOR"}),
    Prefijo("ma_cue", {"CODIGO"}),
    Prefijo("ma_est", {"ID"}),
    Nombres({"MA_ClavePIN"}, {"CUENTA", "MOTIVO", "FECHASOLICITUD"}),
    Nombres({"MA_SUBDIARIOSCOMPROBANTES"}, {"SUBDIARIO", "TC"}),
    Nombres({"MA_CALENDARIO"}, {"FECHA"}),
    Nombres({"MA_CASH_CONTROL", "MA_CASH-DETALLE", "MA_CASH_PROYECTADO", "MA_CASH_CTAS_PRINCIPALES"}, {"ID"}),
    Nombres({"MA_CASH-GRUPO"}, {"CODIGO_CASH"}),
    Prefijo("MA_", {"Codigo"}),

    Prefijo("[MA_CA", {"Codigo", "nombre"}),
    Prefijo("[MA", {}),

    Prefijo("MV_PRO", {"ID", "ASUNTO"}),
    Prefijo("MV_AGE", {"ID"}),
    Prefijo("MV_", {}),

    // Names of no prefix group.
    Nombres({"v_ta_input_compras"}, {"IdMotivoCpra", "CondIva"}),
    Nombres({"v_ta_input_ventas"}, {"IdMotivoVta", "CondIva"}),
    Nombres({"v_ta_colores"}, {"Color"}),
    Nombres({"v_ta_ctrl_chequeras"}, {"idbanco", "Serie", "Talonario"}),
    Nombres({"v_ta_cuentascomision"}, {"id"}),
    Nombres({"v_ta_interfaces"}, {"nombre"}),
    Nombres({"V_TA_Interfaces_Detalle"}, {"INTERFACE", "NOMBRE_CAMPO"}),
    Nombres({"V_TA_Interfaces_asignacionCampos"},
            {"INTERFACE", "CAMPO_ORIGEN", "CAMPO_TABLA", "TABLA_ORIGEN", "CAMPO"}),
    Nombres({"V_TA_Interfaces_EquiSueldo"}, {"TIPO", "SECUENCIA"}),
    Nombres({"V_TA_Interfaces_Equivalencia"}, {"INTERFACE", "CAMPO_ORIGEN", "CAMPO"}),
    Nombres({"V_TA_INTERFACES_FILTROS"}, {"NOMBRE_INTERFACE", "CAMPO"}),
    Nombres({"v_ta_vendedores", "v_ta_vendedorescm"}, {"idvendedor"}),
    Nombres({"P_MA_FAMILIAR"}, {"IDEMPRESA", "LEGAJO", "APELLIDO", "NOMBRE"}),
    Nombres({"P_MA_LEGAJOS"}, {"IDEMPRESA", "LEGAJO"}),
    Nombres({"V_MA_INSUMOS"}, {"IDARTICULO", "IDARTICULOINSUMO"}),
    Nombres({"V_MA_PRECIOS"}, {"IDLISTA", "TipoLista", "IDARTICULO"}),
    Nombres({"V_MA_PRECIOSCAB"}, {"IDLISTA", "TIPOLISTA"}),
    Nombres({"V_MV_STATUS"}, {"TC", "IDCOMPROBANTE", "IDTAREA", "FECHAHORA"}),
    Nombres({"V_MV_CPTE"}, {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO"}),
    Nombres({"V_MV_CPTE_ELECTRONICOS"}, {"TC", "IDCOMPROBANTE", "IDREQUERIMIENTO"}),
    Nombres({"V_MV_CPTE_OBSERV"}, {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "SECUENCIA"}),
    Nombres({"V_MV_CPTEDOC"}, {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "DOCUMENTO"}),
    Nombres({"V_MV_CPTEACCIONES"},
            {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "TIPO_ACCION", "FECHAHORA", "SYSTEMUSER"}),
    Nombres({"V_MV_CPTEENCOMISION"}, {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "CUENTA", "IMPORTE"}),
    Nombres({"V_MV_CPTEINSUMOS"}, {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "IDARTICULO", "SECUENCIA"}),
    Nombres({"V_MV_CPTETAREAS"}, {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "IDTAREA", "SECUENCIA"}),
    Nombres({"V_MV_CPTETERCEROS"}, {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "CUENTA", "DETALLE"}),
    Nombres({"C_MV_CPTE"}, {"TC", "IDCOMPROBANTE", "CUENTA"}),
    Nombres({"C_MV_CPTE_OBSERV"}, {"TC", "IDCOMPROBANTE", "CUENTA", "TIPO_OBS"}),
    Nombres({"C_MV_CPTEINSUMOS"}, {"TC", "IDCOMPROBANTE", "CUENTA", "IDARTICULO", "CANTIDAD"}),
    Nombres({"C_MV_CPTETAREAS"}, {"TC", "IDCOMPROBANTE", "CUENTA", "IDTAREA", "HORAS"}),
    Nombres({"P_MV_CTROLHORARIOS"}, {"IDEMPRESA", "LEGAJO", "FECHAOPERATIVA"}),
    Nombres({"P_MV_LIQUIDACIONES"}, {"EMPRESA", "NRO_LiQ", "LEGAJO", "PRIORIDAD", "CONCEPTO"}),
    Nombres({"P_MV_LIQUIDACIONESCAB"}, {"EMPRESA", "NRO_LiQ", "LEGAJO"}),
    Nombres({"V_MV_COMANDA"}, {"COMANDA", "IDCOMPROBANTE", "IDCOMPROBANTEG"}),
    Nombres({"V_MV_PRECIOSHIS"}, {"FECHAHORA", "IDARTICULO", "USUARIO"}),
    Nombres({"V_MV_STOCK"}, {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "SECUENCIA", "IDARTICULO"}),
};
// clang-format on

bool Aplica(const Regla& regla, const QString& tabla) {
    for (const QString& nombre : regla.nombres) {
        const bool coincide =
            regla.prueba == Regla::kPrefijo ? tabla.startsWith(nombre, kCi) : tabla.compare(nombre, kCi) == 0;
        if (coincide) return true;
    }
    return false;
}

QStringList Claves(const QString& tabla) {
    for (const Regla& regla : kReglas) {
        if (!Aplica(regla, tabla)) continue;
        if (regla.idDesde < 0) return regla.claves;
        QString resto = tabla.mid(regla.idDesde);
        if (regla.sinS && resto.endsWith('s', kCi)) resto.chop(1);
        return {"ID" + resto};
    }
    return {};
}

}  // namespace

void ClavesTabla(const QString& Tabla, QString& K1, QString& K2, QString& K3, QString& K4, QString& K5,
                 QString& K6, QString& K7, QString& K8) {
    QString* const salidas[] = {&K1, &K2, &K3, &K4, &K5, &K6, &K7, &K8};
    for (QString* k : salidas) k->clear();
    const QStringList claves = Claves(QString(Tabla).remove("@ADMIN_", kCi));
    for (qsizetype i = 0; i < claves.size() && i < 8; ++i) *salidas[i] = claves[i];
}

}  // namespace ModGruposEmp
