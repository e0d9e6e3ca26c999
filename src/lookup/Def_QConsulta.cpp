#include "lookup/Def_QConsulta.h"

#include "lookup/Lib_ClsCons3.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Programa.h"

#include <QFileInfo>
#include <initializer_list>

namespace Def_QConsulta {

namespace {

bool Es(const QString& tabla, const char* nombre) {
    return tabla.compare(QLatin1String(nombre), Qt::CaseInsensitive) == 0;
}

bool EsAlguna(const QString& tabla, std::initializer_list<const char*> nombres) {
    for (const char* n : nombres)
        if (Es(tabla, n)) return true;
    return false;
}

QString SinEseFinal(QString s) {
    if (s.endsWith(QLatin1Char('s'), Qt::CaseInsensitive)) s.chop(1);
    return s;
}

// "ID" and the part of the name after the first prefix, a final "s" dropped.
QString CodigoDerivado(const QString& tabla, const QString& prefijo) {
    const qsizetype p = tabla.indexOf(prefijo, 0, Qt::CaseInsensitive);
    return SinEseFinal("ID" + tabla.mid(p < 0 ? 0 : p + prefijo.size()));
}

void Asigna(QString& d, QString& c, QString& e, const QString& desc, const QString& cod,
            const QString& extra) {
    d = desc;
    c = cod;
    e = extra;
}

bool CaminoMascara() {
    const QString ruta = maker::gUtilidades().BarraFinal(vb::App().Path) + "consultas.qnl";
    const QString programa = QFileInfo(vb::App().EXEName).completeBaseName();
    return QFileInfo(ruta).isFile() && !EsAlguna(programa, {"hrbase", "qlx", "xqtrans"});
}

// The lookup tables, by name or by family of names; false for a table that is none of them.
bool MapeaTablaAuxiliar(QString& tabla, QString& d, QString& c, QString& e) {
    if (EsAlguna(tabla, {"vt_proveedores", "vt_clientes"})) {
        Asigna(d, c, e, "Razon_Social", "Codigo", "");
    } else if (EsAlguna(tabla, {"TA_COMPROBANTES", "V_TA_Cpte"})) {
        tabla = "VT_TA_Cpte";
        Asigna(d, c, e, "Descripcion", "Codigo", "");
    } else if (Es(tabla, "V_TA_PERCEPCION")) {
        Asigna(d, c, e, "DESCRIPCION", "IDPERCEPCION", "");
    } else if (Es(tabla, "V_TA_RETENCIONES")) {
        Asigna(d, c, e, "DESCRIPCION", "IDRETENCION", "");
    } else if (Es(tabla, "V_TA_UNIDADNEGOCIO")) {
        Asigna(d, c, e, "DESCRIPCION", "CODIGO", "");
    } else if (Es(tabla, "V_ta_PoliticaPrecios")) {
        Asigna(d, c, e, "Descripcion", "codigo", "");
    } else if (Es(tabla, "V_MA_PreciosCab")) {
        // A list picked in the lookup is returned by its number.
        Asigna(d, c, e, "DESCRIPCION", "IDLISTA", "");
    } else if (Es(tabla, "V_TA_CATEGORIAARTICULO")) {
        Asigna(d, c, e, "DESCRIPCION", "idcategoria", "");
    } else if (EsAlguna(tabla, {"V_TA_Cajas", "V_TA_Bancos", "V_TA_MotivoVta", "V_TA_MotivoCpra",
                                "V_TA_Deposito", "V_TA_Tecnicos", "V_TA_Tareas", "V_TA_Unidad",
                                "V_TA_TipoArticulo", "V_TA_Rubros", "V_TA_MotivoStock", "V_TA_CPRA_VTA",
                                "V_TA_CATEGORIA", "V_TA_DESTINO", "V_TA_ORIGEN"})) {
        QString codigo = CodigoDerivado(tabla, "V_TA_");
        if (Es(tabla, "V_TA_CPRA_VTA")) codigo = "IDCOND_CPRA_VTA";
        if (Es(tabla, "V_TA_TipoArticulo")) codigo = "IDTIPO";
        if (Es(tabla, "V_TA_Cajas")) codigo = "IDCajas";
        Asigna(d, c, e, Es(tabla, "V_TA_Tecnicos") ? "NOMBRE" : "DESCRIPCION", codigo, "");
    } else if (EsAlguna(tabla, {"P_TA_NIVELESTUDIO", "P_TA_CONOCIMIENTOS", "P_TA_Categorizacion",
                                "P_TA_CentroMedico", "P_TA_FormasDePago", "P_MA_Empresas",
                                "P_TA_ZONARESIDENCIA", "P_TA_ObraSocial", "P_TA_MotivoEgreso", "P_TA_Grupos",
                                "P_TA_EstadoBusqueda", "P_TA_Areas", "P_TA_IDIOMAS", "P_TA_TITULOs",
                                "P_TA_ESTADOPOSTULANTE", "P_TA_Parentesco", "P_TA_EstadoCivil"})) {
        const QString resto = "ID" + tabla.mid(5);
        Asigna(d, c, e, Es(tabla, "P_MA_Empresas") ? "NombreEmpresa" : "Descripcion",
               Es(tabla, "P_TA_Areas") ? resto : SinEseFinal(resto), "");
    } else if (Es(tabla, "P_SINDICATOS")) {
        Asigna(d, c, e, "Descripcion", "IdSindicato", "");
    } else if (Es(tabla, "P_TA_Funciones")) {
        Asigna(d, c, e, "DESCRIPCION", "ID" + tabla.mid(5), "");
    } else if (EsAlguna(tabla, {"TA_Categoria", "TA_Deposito", "TA_MotivoStock", "TA_TipoArticulo",
                                "TA_Rubros", "TA_CPRA_VTA"})) {
        QString codigo = CodigoDerivado(tabla, "TA_");
        if (Es(tabla, "TA_CPRA_VTA")) codigo = "IDCOND_CPRA_VTA";
        if (Es(tabla, "TA_TipoArticulo")) codigo = "IDTIPO";
        Asigna(d, c, e, "DESCRIPCION", codigo, "");
    } else {
        return false;
    }
    return true;
}

// The masters and movements with names of their own; false for any other.
bool MapeaMaestro(const QString& tabla, QString& d, QString& c, QString& e) {
    if (Es(tabla, "P_MA_Clientes")) {
        Asigna(d, c, e, "RAZON_SOCIAL", "IDCLIENTE", "");
    } else if (Es(tabla, "TA_Cpte")) {
        Asigna(d, c, e, "DESCRIPCION", "CODIGO", "DESCRIPCION");
    } else if (Es(tabla, "V_TA_VENDEDORES")) {
        Asigna(d, c, e, "NOMBRE", "idvendedor", "NOMBRE");
    } else if (Es(tabla, "V_MA_ARTICULOS")) {
        Asigna(d, c, e, "DESCRIPCION", CodigoDerivado(tabla, "V_MA_"), "DESCRIPCION");
    } else if (Es(tabla, "V_MV_COTIZAR")) {
        Asigna(d, c, e, "COT_OBSERVACIONES", "IDARTICULO", "COT_OBSERVACIONES");
    } else if (Es(tabla, "MA_ARTICULOS")) {
        Asigna(d, c, e, "DESCRIPCION", CodigoDerivado(tabla, "MA_"), "DESCRIPCION");
    } else if (Es(tabla, "MA_MODELOS")) {
        Asigna(d, c, e, "NOMBRE", "NOMBRE", "NOMBRE");
    } else if (Es(tabla, "MA_CHOFERES")) {
        Asigna(d, c, e, "APELLIDO", "CODIGO", "NOMBRES");
    } else if (Es(tabla, "MA_DESTINATARIOS")) {
        Asigna(d, c, e, "NOMBRE", "CODIGO", "NOMBRE");
    } else if (Es(tabla, "MA_VEHICULOS")) {
        Asigna(d, c, e, "PATENTE,TIPO_VEHICULO,MODELO,TIPO", "PATENTE", "MODELO");
    } else if (Es(tabla, "MV_EJERCICIOS")) {
        Asigna(d, c, e, "DESCRIPCION", "PERIODO", "DESCRIPCION");
    } else if (Es(tabla, "TA_USUARIOS")) {
        Asigna(d, c, e, "NOMBRE", "NOMBRE", "");
    } else {
        return false;
    }
    return true;
}

// Any other table by the start of its name.
void MapeaPorPrefijo(const QString& tabla, QString& d, QString& c, QString& e) {
    const QString t3 = tabla.left(3).toUpper();
    const QString t6 = tabla.left(6).toUpper();
    if (t3 == "TA_") {
        Asigna(d, c, e, "DESCRIPCION", "CODIGO", "DESCRIPCION");
    } else if (t3 == "MA_") {
        if (t6 == "MA_PRO" || t6 == "MA_VEN" || t6 == "MA_TRA" || t6 == "MA_CON" || t6 == "MA_AGE")
            Asigna(d, c, e, "Razon_Social", "Codigo", "Razon_Social");
        else if (t6 == "MA_CLI")
            Asigna(d, c, e, "Razon_Social", "Codigo", "Codigo_sucursal");
        else
            Asigna(d, c, e, "Descripcion", "Codigo", "Descripcion");
    } else if (t3 == "[MA") {
        if (t6 == "[MA_CA") Asigna(d, c, e, "nombre", "Codigo", "nombre");
    } else if (t3 == "MV_") {
        if (t6 == "MV_PRO") Asigna(d, c, e, "ASUNTO", "ID", "ASUNTO");
    }
}

}  // namespace

void MapeaTabla(QString& tabla, QString& d, QString& c, QString& e) {
    if (!MapeaTablaAuxiliar(tabla, d, c, e) && !MapeaMaestro(tabla, d, c, e)) MapeaPorPrefijo(tabla, d, c, e);
    if (Es(tabla, "ta_codigospostales")) Asigna(d, c, e, "LOCALIDAD", "cp", "LOCALIDAD");
}

void ConsultaTabla(QString& tabla, QString& campoDesc, QString& campoCodigo, QString& campoExtra,
                   bool& mostrar, QString& where) {
    MapeaTabla(tabla, campoDesc, campoCodigo, campoExtra);
    Lib_ClsCons3& consulta = gConsulta();
    if (CaminoMascara()) {
        if (EsAlguna(tabla, {"VT_CLIENTES", "VT_PROVEEDORES"})) campoCodigo = "CODIGO";
        QString sentencia = "select " + campoDesc + "," + campoCodigo + " from " + tabla + " " + where;
        consulta.CampoDevuelto = campoCodigo;
        if (!campoExtra.isEmpty()) {
            if (!consulta.CmpsDevueltos) consulta.CmpsDevueltos = NuevaColeccion();
            consulta.CmpsDevueltos->append(campoExtra);
        }
        QString clave, busqueda, condicion = where, ninguno;
        bool arbol = false;
        consulta.ConsultaSearch(tabla, consulta.CmpsDevueltos, clave, busqueda, condicion, sentencia, arbol,
                                ninguno);
        const QString elegido = consulta.ValorDevuelto.toString();
        if (!elegido.isEmpty()) {
            campoCodigo = elegido;
            if (consulta.Valores && !consulta.Valores->isEmpty())
                campoExtra = consulta.Valores->first().toString();
        } else {
            campoCodigo.clear();
            campoExtra.clear();
        }
        return;
    }
    if (!mostrar) return;
    if (campoDesc.trimmed().isEmpty()) campoDesc = " * ";
    consulta.CampoDevuelto = campoCodigo;
    QString sql = "select " + campoDesc + "," + campoCodigo + " from " + tabla + " " + where;
    Coleccion ninguna;
    QString clave, busqueda, condicion, opcional, defecto;
    bool arbol = false;
    consulta.ConsultaSearch(sql, ninguna, clave, busqueda, condicion, opcional, arbol, defecto);
    const QString elegido = consulta.ValorDevuelto.toString();
    campoCodigo = elegido.isEmpty() ? QString() : elegido;
}

}  // namespace Def_QConsulta
