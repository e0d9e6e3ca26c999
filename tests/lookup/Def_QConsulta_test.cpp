#include "lookup/Def_QConsulta.h"

#include "outside/controls/ListView.h"
#include "outside/runtime/Programa.h"
#include "support/ArchivoMascaras.h"
#include "support/ConsultaDePrueba.h"
#include "support/Control.h"

#include <gtest/gtest.h>

namespace {

struct Mapeo {
    const char* tabla;
    const char* desc;
    const char* codigo;
    const char* extra;
};

TEST(Def_QConsulta, EveryTableOfTheChainGetsItsColumns) {
    const Mapeo casos[] = {
        {"VT_CLIENTES", "Razon_Social", "Codigo", ""},
        {"V_TA_PERCEPCION", "DESCRIPCION", "IDPERCEPCION", ""},
        {"V_TA_RETENCIONES", "DESCRIPCION", "IDRETENCION", ""},
        {"V_TA_UNIDADNEGOCIO", "DESCRIPCION", "CODIGO", ""},
        {"V_ta_PoliticaPrecios", "Descripcion", "codigo", ""},
        {"V_TA_CATEGORIAARTICULO", "DESCRIPCION", "idcategoria", ""},
        {"V_TA_Rubros", "DESCRIPCION", "IDRubro", ""},
        {"V_TA_Bancos", "DESCRIPCION", "IDBanco", ""},
        {"V_TA_Tecnicos", "NOMBRE", "IDTecnico", ""},
        {"V_TA_CPRA_VTA", "DESCRIPCION", "IDCOND_CPRA_VTA", ""},
        {"V_TA_TipoArticulo", "DESCRIPCION", "IDTIPO", ""},
        {"v_ta_cajas", "DESCRIPCION", "IDCajas", ""},
        {"V_TA_ORIGEN", "DESCRIPCION", "IDORIGEN", ""},
        {"P_TA_Areas", "Descripcion", "IDAreas", ""},
        {"P_TA_TITULOs", "Descripcion", "IDTITULO", ""},
        {"P_TA_Grupos", "Descripcion", "IDGrupo", ""},
        {"P_MA_Empresas", "NombreEmpresa", "IDEmpresa", ""},
        {"P_SINDICATOS", "Descripcion", "IdSindicato", ""},
        {"P_TA_Funciones", "DESCRIPCION", "IDFunciones", ""},
        {"TA_Rubros", "DESCRIPCION", "IDRubro", ""},
        {"TA_CPRA_VTA", "DESCRIPCION", "IDCOND_CPRA_VTA", ""},
        {"TA_TipoArticulo", "DESCRIPCION", "IDTIPO", ""},
        {"P_MA_Clientes", "RAZON_SOCIAL", "IDCLIENTE", ""},
        {"TA_Cpte", "DESCRIPCION", "CODIGO", "DESCRIPCION"},
        {"V_TA_VENDEDORES", "NOMBRE", "idvendedor", "NOMBRE"},
        {"V_MA_ARTICULOS", "DESCRIPCION", "IDARTICULO", "DESCRIPCION"},
        {"V_MV_COTIZAR", "COT_OBSERVACIONES", "IDARTICULO", "COT_OBSERVACIONES"},
        {"MA_ARTICULOS", "DESCRIPCION", "IDARTICULO", "DESCRIPCION"},
        {"MA_MODELOS", "NOMBRE", "NOMBRE", "NOMBRE"},
        {"MA_CHOFERES", "APELLIDO", "CODIGO", "NOMBRES"},
        {"MA_DESTINATARIOS", "NOMBRE", "CODIGO", "NOMBRE"},
        {"MA_VEHICULOS", "PATENTE,TIPO_VEHICULO,MODELO,TIPO", "PATENTE", "MODELO"},
        {"MV_EJERCICIOS", "DESCRIPCION", "PERIODO", "DESCRIPCION"},
        {"TA_USUARIOS", "NOMBRE", "NOMBRE", ""},
        {"TA_MONEDAS", "DESCRIPCION", "CODIGO", "DESCRIPCION"},
        {"ta_codigospostales", "LOCALIDAD", "cp", "LOCALIDAD"},
        {"MA_PROVEEDORES", "Razon_Social", "Codigo", "Razon_Social"},
        {"ma_agentes", "Razon_Social", "Codigo", "Razon_Social"},
        {"MA_CLIENTES", "Razon_Social", "Codigo", "Codigo_sucursal"},
        {"MA_CUENTAS", "Descripcion", "Codigo", "Descripcion"},
        {"V_MA_PreciosCab", "DESCRIPCION", "IDLISTA", ""},
        {"[MA_CAMIONES]", "nombre", "Codigo", "nombre"},
        {"MV_PROYECTOS", "ASUNTO", "ID", "ASUNTO"},
        // Names the chain does not know keep the caller's columns.
        {"[MA_OTRA]", "d", "c", "e"},
        {"MV_ASIENTOS", "d", "c", "e"},
    };
    for (const Mapeo& m : casos) {
        QString tabla = m.tabla, d = "d", c = "c", e = "e";
        Def_QConsulta::MapeaTabla(tabla, d, c, e);
        EXPECT_EQ(QStringList({d, c, e}), QStringList({m.desc, m.codigo, m.extra})) << m.tabla;
        EXPECT_EQ(tabla, m.tabla);
    }
    for (const char* cpte : {"TA_COMPROBANTES", "v_ta_cpte"}) {
        QString tabla = cpte, d, c, e;
        Def_QConsulta::MapeaTabla(tabla, d, c, e);
        EXPECT_EQ(tabla, "VT_TA_Cpte");
        EXPECT_EQ(QStringList({d, c, e}), QStringList({"Descripcion", "Codigo", ""}));
    }
}

class LookupTable : public ConsultaDePrueba {
  protected:
    struct Salida {
        QString codigo, extra, sql;
    };
    // ConsultaTabla on `tabla`; the user accepts the row whose first column starts with `elige`
    // ("" cancels). The statement is the one the window showed, "" when none was shown.
    Salida Consulta(const QString& tabla, const QString& elige, bool mostrar = true, bool ventana = true) {
        Salida s;
        if (ventana)
            AlMostrar([&](Lib_FrmCons3& v) {
                s.sql = v.SqlOriginal().chopped(1);
                if (elige.isEmpty()) return v.CmdCancelar_Click();
                Control<vb::ListView>(v, "ListView1")->setSelectedItem(int(v.Busqueda(0, elige)));
                v.CmdAceptar_Click();
            });
        QString t = tabla, d, c, where;
        Def_QConsulta::ConsultaTabla(t, d, c, s.extra, mostrar, where);
        s.codigo = c;
        return s;
    }
};

TEST_F(LookupTable, WithoutTheMaskFileThePlainLookupReturnsTheCodeOnly) {
    Salida s = Consulta("MA_CUENTAS", "CAJA PESOS");
    EXPECT_EQ(s.sql, "select Descripcion,Codigo from MA_CUENTAS ");
    EXPECT_EQ(s.codigo, "11010100101");
    EXPECT_EQ(s.extra, "Descripcion");
    EXPECT_EQ(Consulta("VT_CLIENTES", "").codigo, "");
    EXPECT_TRUE(Consulta("MA_CUENTAS", "", false, false).sql.isEmpty());
}

TEST_F(LookupTable, TheMaskFileBesideTheProgramTakesTheMaskPath) {
    ASSERT_TRUE(
        EscribeMascaras(programa_.filePath("consultas.qnl"), {{"MA_CUENTAS", "Codigo|Descripcion", ""}}));
    // No record for the customers: the ready statement, with the code column "CODIGO".
    Salida s = Consulta("vt_clientes", "000003", false);
    EXPECT_EQ(s.sql, "select Razon_Social,CODIGO from vt_clientes ");
    s = Consulta("MA_CUENTAS", "11010100102");
    EXPECT_EQ(s.sql, "SELECT TOP 500 Codigo,Descripcion FROM MA_CUENTAS  with(nolock)  ORDER BY Codigo");
    EXPECT_EQ(s.codigo, "11010100102");
    EXPECT_EQ(s.extra, "CAJA DOLARES");
    EXPECT_TRUE(gConsulta().CmpsDevueltos->isEmpty());
    s = Consulta("MA_CUENTAS", "");
    EXPECT_EQ(s.codigo, "");
    EXPECT_EQ(s.extra, "");
    // A price list picked from its mask's columns comes back by its number.
    ASSERT_TRUE(EscribeMascaras(programa_.filePath("consultas.qnl"),
                                {{"V_MA_PreciosCab", "IdLista|Descripcion|TipoLista", ""}}));
    EXPECT_EQ(Consulta("V_MA_PreciosCab", "2").codigo, "2");
    // The sibling programs named never read the masks.
    vb::App().EXEName = "QLX";
    EXPECT_EQ(Consulta("MA_CUENTAS", "1101").sql, "select Descripcion,Codigo from MA_CUENTAS ");
}

}  // namespace
