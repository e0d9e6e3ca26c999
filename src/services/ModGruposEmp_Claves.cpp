// Key columns of the replicated tables: a fixed rule list, tried in order, first match wins.
#include "services/ModGruposEmp.h"

#include <QStringList>
#include <initializer_list>

namespace ModGruposEmp {

namespace {

constexpr Qt::CaseSensitivity kCi = Qt::CaseInsensitive;

bool Es(const QString& tabla, const char* nombre) {
    return tabla.compare(QLatin1String(nombre), kCi) == 0;
}

bool EsUna(const QString& tabla, std::initializer_list<const char*> nombres) {
    for (const char* n : nombres)
        if (Es(tabla, n)) return true;
    return false;
}

// One final "S" or "s" less.
QString SinS(const QString& texto) {
    return texto.endsWith('s', kCi) ? texto.left(texto.size() - 1) : texto;
}

QStringList Claves(const QString& t) {
    // Exact names first.
    if (Es(t, "V_TA_CategoriaArticulo")) return {"IdCategoria"};
    if (Es(t, "s_ta_equiv")) return {"IDARTICULO", "IDUNIDAD", "IDUNIDAD_EQUIV"};
    if (Es(t, "V_MA_ARTCATREL")) return {"IDARTICULO", "IDCATEGORIA"};
    if (Es(t, "V_TA_INTERODBC")) return {"Proveedor"};
    if (EsUna(t, {"AC_VENTASDIARIA", "AC_VENTASMES"})) return {"UNEGOCIO", "FECHA", "IDARTICULO"};
    if (Es(t, "ta_cai")) return {"cuenta", "cai", "vencimiento", "tc", "Sucursal", "Letra"};
    if (Es(t, "V_TA_Cpte")) return {"CODIGO", "TALONARIO"};
    if (Es(t, "V_TA_PERCEPCION")) return {"IDPERCEPCION"};
    if (Es(t, "V_TA_RETENCIONES")) return {"IDRETENCION"};
    if (Es(t, "V_ta_PoliticaPrecios")) return {"codigo"};
    if (Es(t, "V_TA_TarifaFlete")) return {"IdTarifaFlete"};
    if (Es(t, "V_TA_UnidadNegocio")) return {"Codigo"};
    if (Es(t, "V_TA_FAMILIAS")) return {"IdFamilia"};
    if (Es(t, "V_TA_FAMILIAS_USUARIOS")) return {"GrupoUser", "IdFamilia"};

    // Code views: "ID" and the name after "V_TA_", less one final "s".
    if (Es(t, "V_TA_CPRA_VTA")) return {"IDCOND_CPRA_VTA"};
    if (Es(t, "V_TA_TipoArticulo")) return {"IDTIPO"};
    if (Es(t, "V_TA_Cajas")) return {"IDCajas"};
    if (EsUna(t, {"V_TA_Bancos", "V_TA_MotivoVta", "V_TA_MotivoCpra", "V_TA_Deposito", "V_TA_Tecnicos",
                  "V_TA_Tareas", "V_TA_Unidad", "V_TA_Rubros", "V_TA_MotivoStock", "V_TA_CATEGORIA",
                  "V_TA_DESTINO", "V_TA_ORIGEN"}))
        return {"ID" + SinS(t.mid(5))};

    // Personnel code tables: "ID" and the name from its sixth character.
    if (Es(t, "P_TA_Areas")) return {"ID" + t.mid(5)};
    if (EsUna(t, {"P_TA_NIVELESTUDIO", "P_TA_CONOCIMIENTOS", "P_TA_Categorizacion", "P_TA_CentroMedico",
                  "P_TA_FormasDePago", "P_MA_Empresas", "P_TA_ZONARESIDENCIA", "P_TA_ObraSocial",
                  "P_TA_MotivoEgreso", "P_TA_Grupos", "P_TA_EstadoBusqueda", "P_TA_IDIOMAS", "P_TA_TITULOs",
                  "P_TA_ESTADOPOSTULANTE", "P_TA_Parentesco", "P_TA_EstadoCivil"}))
        return {"ID" + SinS(t.mid(5))};
    if (Es(t, "P_SINDICATOS")) return {"IdSindicato"};
    if (Es(t, "P_TA_Funciones")) return {"ID" + t.mid(5)};

    if (Es(t, "TA_TipoArticulo")) return {"IDTIPO"};
    if (EsUna(t, {"TA_Categoria", "TA_Deposito", "TA_MotivoStock", "TA_Rubros"}))
        return {"ID" + SinS(t.mid(3))};
    if (Es(t, "P_MA_Clientes")) return {"IDCLIENTE"};
    if (Es(t, "TA_Cpte")) return {"CODIGO", "DESCRIPCION"};
    if (Es(t, "V_MA_ARTICULOS")) return {"IDARTICULO"};
    if (Es(t, "MA_ARTICULOS")) return {"IDARTICULO", "DESCRIPCION"};
    if (Es(t, "MA_MODELOS")) return {"TIPO_REG", "NOMBRE", "SECUENCIA"};
    if (Es(t, "MA_CHOFERES")) return {"CODIGO", "NOMBRES"};
    if (Es(t, "MA_DESTINATARIOS")) return {"CODIGO", "NOMBRE"};
    if (Es(t, "MA_VEHICULOS")) return {"PATENTE", "MODELO"};
    if (Es(t, "MA_CONTACTOS_CUENTAS")) return {"IDCONTACTO", "CUENTA"};
    if (Es(t, "MA_CONTACTOS")) return {"IDCONTACTO"};
    if (Es(t, "MV_EJERCICIOS")) return {"PERIODO"};
    if (Es(t, "TA_USUARIOS")) return {"NOMBRE", "GRUPO"};
    if (Es(t, "MV_APLICACION"))
        return {"CUENTA",
                "TC",
                "SUCURSAL",
                "NUMERO",
                "LETRA",
                "TCO_ORIGEN",
                "IDCOMPROBANTE_ORIGEN",
                "IDCOMPROBANTE_PRINT"};
    if (Es(t, "MV_ASIENTOS"))
        return {"CUENTA", "SECUENCIA",        "TC",           "SUCURSAL", "NUMERO",
                "LETRA",  "[NUMERO ASIENTO]", "MES_OPERATIVO"};
    if (Es(t, "MV_ASIENTOSCCOSTO"))
        return {"PERIODO", "MES_OPERATIVO", "[NUMERO ASIENTO]", "CUENTA", "SECUENCIA", "CCOSTO", "TIPO_REG"};
    if (Es(t, "MA_CUENTASCCOSTO")) return {"CODIGO", "CCOSTO"};
    if (Es(t, "MA_CUENTASCCOSTO_UNEG")) return {"CODIGO", "CCOSTO", "UNEGOCIO"};
    if (Es(t, "MA_CUENTAS_CCDIST")) return {"ID"};
    if (Es(t, "TA_REPORTES")) return {"NOMBRE"};

    // Prefix groups.
    if (t.startsWith("TA_", kCi)) {
        if (Es(t, "ta_configuracion")) return {"Clave"};
        if (Es(t, "ta_cotizacion")) return {"FECHA_HORA"};
        if (Es(t, "ta_config_form")) return {"Formulario", "Usuario", "TipoObjeto", "Nombre"};
        if (Es(t, "TA_LOGOS")) return {"IDLOGO"};
        if (Es(t, "ta_cuentasiva")) return {"CFI_IVARI"};
        if (Es(t, "ta_menu")) return {"Menu", "Clave"};
        if (Es(t, "TA_RANGOS_DATOS_ADIC")) return {"DESCRIPCION"};
        if (Es(t, "TA_TAREAS")) return {"USUARIO", "SISTEMA", "TAREA"};
        if (Es(t, "TA_MONEDAS_BILLETE")) return {"CUENTA", "DENOMINACION"};
        // A print setting is one per voucher type and letter; a view column one per view.
        if (Es(t, "TA_CONFIG_IMP_CPTE")) return {"tc", "letra"};
        if (Es(t, "TA_VISTAS")) return {"Nombre", "Campo"};
        return {"CODIGO"};
    }
    if (t.startsWith("MA_", kCi)) {
        const QString seis = t.left(6);
        if (EsUna(seis, {"MA_PRO", "MA_VEN", "MA_TRA", "MA_AGE"})) return {"Codigo", "Razon_Social"};
        if (Es(seis, "MA_CLI")) return {"Codigo", "Codigo_sucursal"};
        if (Es(seis, "Ma_con")) return {"id"};
        if (Es(seis, "ma_cue")) {
            if (Es(t, "MA_CUENTAS_USUARIOS")) return {"GrupoUser", "Cuenta"};
            if (Es(t, "MA_CUENTAS")) return {"codigo"};
            if (Es(t, "MA_CUENTASSUC")) return {"CODIGO", "SUCURSAL"};
            if (Es(t, "MA_CUENTAS_AUTOCPTES")) return {"CUENTA", "SUCURSALCUENTA"};
            if (Es(t, "MA_CUENTAS_SALDOS")) return {"CUENTA", "IDVENDEDOR"};
            return {"CODIGO"};
        }
        if (Es(seis, "ma_est")) return {"ID"};
        if (Es(t, "MA_ClavePIN")) return {"CUENTA", "MOTIVO", "FECHASOLICITUD"};
        if (Es(t, "MA_SUBDIARIOSCOMPROBANTES")) return {"SUBDIARIO", "TC"};
        if (Es(t, "MA_CALENDARIO")) return {"FECHA"};
        if (EsUna(t,
                  {"MA_CASH_CONTROL", "MA_CASH-DETALLE", "MA_CASH_PROYECTADO", "MA_CASH_CTAS_PRINCIPALES"}))
            return {"ID"};
        if (Es(t, "MA_CASH-GRUPO")) return {"CODIGO_CASH"};
        return {"Codigo"};
    }
    if (t.startsWith("[MA", kCi)) {
        if (Es(t.left(6), "[MA_CA")) return {"Codigo", "nombre"};
        return {};
    }
    if (t.startsWith("MV_", kCi)) {
        const QString seis = t.left(6);
        if (Es(seis, "MV_PRO")) return {"ID", "ASUNTO"};
        if (Es(seis, "MV_AGE")) return {"ID"};
        return {};
    }

    // Names of no prefix group.
    if (Es(t, "v_ta_input_compras")) return {"IdMotivoCpra", "CondIva"};
    if (Es(t, "v_ta_input_ventas")) return {"IdMotivoVta", "CondIva"};
    if (Es(t, "v_ta_colores")) return {"Color"};
    if (Es(t, "v_ta_ctrl_chequeras")) return {"idbanco", "Serie", "Talonario"};
    if (Es(t, "v_ta_cuentascomision")) return {"id"};
    if (Es(t, "v_ta_interfaces")) return {"nombre"};
    if (Es(t, "V_TA_Interfaces_Detalle")) return {"INTERFACE", "NOMBRE_CAMPO"};
    if (Es(t, "V_TA_Interfaces_asignacionCampos"))
        return {"INTERFACE", "CAMPO_ORIGEN", "CAMPO_TABLA", "TABLA_ORIGEN", "CAMPO"};
    if (Es(t, "V_TA_Interfaces_EquiSueldo")) return {"TIPO", "SECUENCIA"};
    if (Es(t, "V_TA_Interfaces_Equivalencia")) return {"INTERFACE", "CAMPO_ORIGEN", "CAMPO"};
    if (Es(t, "V_TA_INTERFACES_FILTROS")) return {"NOMBRE_INTERFACE", "CAMPO"};
    if (EsUna(t, {"v_ta_vendedores", "v_ta_vendedorescm"})) return {"idvendedor"};
    if (Es(t, "P_MA_FAMILIAR")) return {"IDEMPRESA", "LEGAJO", "APELLIDO", "NOMBRE"};
    if (Es(t, "P_MA_LEGAJOS")) return {"IDEMPRESA", "LEGAJO"};
    if (Es(t, "V_MA_INSUMOS")) return {"IDARTICULO", "IDARTICULOINSUMO"};
    if (Es(t, "V_MA_PRECIOS")) return {"IDLISTA", "TipoLista", "IDARTICULO"};
    if (Es(t, "V_MA_PRECIOSCAB")) return {"IDLISTA", "TIPOLISTA"};
    if (Es(t, "V_MV_STATUS")) return {"TC", "IDCOMPROBANTE", "IDTAREA", "FECHAHORA"};
    if (Es(t, "V_MV_CPTE")) return {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO"};
    if (Es(t, "V_MV_CPTE_ELECTRONICOS")) return {"TC", "IDCOMPROBANTE", "IDREQUERIMIENTO"};
    if (Es(t, "V_MV_CPTE_OBSERV")) return {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "SECUENCIA"};
    if (Es(t, "V_MV_CPTEDOC")) return {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "DOCUMENTO"};
    if (Es(t, "V_MV_CPTEACCIONES"))
        return {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "TIPO_ACCION", "FECHAHORA", "SYSTEMUSER"};
    if (Es(t, "V_MV_CPTEENCOMISION")) return {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "CUENTA", "IMPORTE"};
    if (Es(t, "V_MV_CPTEINSUMOS")) return {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "IDARTICULO", "SECUENCIA"};
    if (Es(t, "V_MV_CPTETAREAS")) return {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "IDTAREA", "SECUENCIA"};
    if (Es(t, "V_MV_CPTETERCEROS")) return {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "CUENTA", "DETALLE"};
    if (Es(t, "C_MV_CPTE")) return {"TC", "IDCOMPROBANTE", "CUENTA"};
    if (Es(t, "C_MV_CPTE_OBSERV")) return {"TC", "IDCOMPROBANTE", "CUENTA", "TIPO_OBS"};
    if (Es(t, "C_MV_CPTEINSUMOS")) return {"TC", "IDCOMPROBANTE", "CUENTA", "IDARTICULO", "CANTIDAD"};
    if (Es(t, "C_MV_CPTETAREAS")) return {"TC", "IDCOMPROBANTE", "CUENTA", "IDTAREA", "HORAS"};
    if (Es(t, "P_MV_CTROLHORARIOS")) return {"IDEMPRESA", "LEGAJO", "FECHAOPERATIVA"};
    if (Es(t, "P_MV_LIQUIDACIONES")) return {"EMPRESA", "NRO_LiQ", "LEGAJO", "PRIORIDAD", "CONCEPTO"};
    if (Es(t, "P_MV_LIQUIDACIONESCAB")) return {"EMPRESA", "NRO_LiQ", "LEGAJO"};
    if (Es(t, "V_MV_COMANDA")) return {"COMANDA", "IDCOMPROBANTE", "IDCOMPROBANTEG"};
    if (Es(t, "V_MV_PRECIOSHIS")) return {"FECHAHORA", "IDARTICULO", "USUARIO"};
    if (Es(t, "V_MV_STOCK")) return {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "SECUENCIA", "IDARTICULO"};
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
