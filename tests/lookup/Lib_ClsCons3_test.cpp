#include "lookup/Lib_ClsCons3.h"

#include "support/ImprimeQt.h"

#include <gtest/gtest.h>

namespace {

TEST(Lib_ClsCons3, TheSharedLookupObjectKeepsWhatStartUpGivesIt) {
    Lib_ClsCons3 nuevo;
    EXPECT_FALSE(nuevo.gUsarMascarasConsultas);
    EXPECT_TRUE(nuevo.gConnString.isEmpty());
    gConsulta().gConnString = "PROVIDER=SQLOLEDB;Server=s;Database =DEMO;";
    gConsulta().gUsarMascarasConsultas = true;
    gConsulta().gRutaMascaraConsultas = "/opt/indajuste/consultas.qnl";
    EXPECT_EQ(&gConsulta(), &gConsulta());
    EXPECT_EQ(gConsulta().gConnString, "PROVIDER=SQLOLEDB;Server=s;Database =DEMO;");
    EXPECT_TRUE(gConsulta().gUsarMascarasConsultas);
    EXPECT_EQ(gConsulta().gRutaMascaraConsultas, "/opt/indajuste/consultas.qnl");
}

}  // namespace

#include "lookup/Lib_FrmCons3Tree.h"
#include "outside/controls/ListView.h"
#include "support/ArchivoMascaras.h"
#include "support/ConsultaDePrueba.h"
#include "support/Control.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>

namespace {

class LookupSearch : public ConsultaDePrueba {
  protected:
    LookupSearch()
        : ConsultaDePrueba(
              {"CREATE TABLE T_DESC (CODIGO varchar(10) COLLATE SERVIDOR, DESCRIPCION varchar(40) "
               "COLLATE SERVIDOR, ID int, FECHAHORA_GRABACION datetime)",
               "INSERT INTO T_DESC VALUES ('A1', 'UNO', 1, NULL)",
               "DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'TopConsArt'"}) {}

    struct Resultado {
        QString sql;  // as handed to the window (its load's blank taken off)
        QString campoBusqueda;
        QString where;
        bool ordenarPorLwv = false;
    };
    // One lookup by the given texts; the window shown is cancelled.
    Resultado Busca(const QString& sql, QString where = {}, QString campoBusqueda = {},
                    QString opcional = {}) {
        Resultado r;
        AlMostrar([&](Lib_FrmCons3& v) {
            r.sql = v.SqlOriginal().chopped(1);
            r.ordenarPorLwv = v.pedido().OrdenarPorLwv;
        });
        Coleccion ninguna;
        QString clave, defecto;
        bool arbol = false;
        gConsulta().ConsultaSearch(sql, ninguna, clave, campoBusqueda, where, opcional, arbol, defecto);
        r.campoBusqueda = campoBusqueda;
        r.where = where;
        return r;
    }
    void Mascaras(const QList<RegistroMascara>& r) {
        ASSERT_TRUE(EscribeMascaras(programa_.filePath("consultas.qnl"), r));
    }
};

}  // namespace

TEST_F(LookupSearch, MaskRecordsGiveTheirColumnsConditionAndTable) {
    Mascaras({{"select IDRubro, DESCRIPCION from V_TA_RUBROS", "X|Y", ""},
              {"ma_cuentas", "|Codigo|Descripcion|", "", '\0'},
              {"MA_CUENTAS", "Descripcion|Codigo", ""},  // a second record: never used
              {"VT_CLIENTES", "Codigo|Razon_Social", ""},
              {"v_ma_articulos", "IDARTICULO|DESCRIPCION|Stock", "", '\xff'},
              {"VT_PROVEEDORES", "Codigo,Razon_Social", "Localidad = 'BAHIA BLANCA'"}});
    // The NUL-padded "ma_cuentas" serves " MA_CUENTAS ", and names the table read.
    Resultado r = Busca(" MA_CUENTAS ");
    EXPECT_EQ(r.sql, "SELECT TOP 1000 Codigo,Descripcion FROM ma_cuentas  with(nolock)  ORDER BY Codigo");
    EXPECT_EQ(r.campoBusqueda, "Codigo");
    EXPECT_FALSE(r.ordenarPorLwv);
    r = Busca("MA_CUENTAS", "(DESCRIPCION LIKE 'A%')");
    EXPECT_EQ(
        r.sql,
        "SELECT TOP 1000 Codigo,Descripcion FROM ma_cuentas  with(nolock)  WHERE (DESCRIPCION LIKE 'A%') "
        "ORDER BY Codigo");
    r = Busca("MA_CUENTAS", "codigo = 1");
    EXPECT_EQ(r.where, " (codigo = 1) ");
    EXPECT_EQ(r.sql,
              "SELECT TOP 1000 Codigo,Descripcion FROM ma_cuentas  with(nolock)  WHERE  (codigo = 1)  "
              "ORDER BY Codigo");
    EXPECT_EQ(Busca("VT_CLIENTES").sql,
              "SELECT TOP 1000 Codigo,Razon_Social FROM VT_CLIENTES  with(nolock)  WHERE "
              "Dada_De_Baja = 0 ORDER BY Codigo");
    EXPECT_EQ(Busca("V_MA_ARTICULOS").sql,
              "SELECT TOP 1000 IDARTICULO,DESCRIPCION,Stock FROM VT_MA_ARTICULOS  "
              "with(nolock)  WHERE SUSPENDIDO = 0 ORDER BY IDARTICULO");
    // The record's own condition wins over the caller's.
    EXPECT_EQ(
        Busca("VT_PROVEEDORES", "(Codigo = '1')").sql,
        "SELECT TOP 1000 Codigo,Razon_Social FROM VT_PROVEEDORES  with(nolock)  WHERE Localidad = 'BAHIA "
        "BLANCA' ORDER BY Codigo");
    // A statement is never looked up, even when a record carries it as its table.
    EXPECT_EQ(Busca("select IDRubro, DESCRIPCION from V_TA_RUBROS").sql,
              "select IDRubro, DESCRIPCION from V_TA_RUBROS");
}

TEST_F(LookupSearch, WithoutAMaskFixedListsTheTablesColumnsOrTheOptionalStatement) {
    // Masks switched on, no file: the way of a table without a record.
    EXPECT_EQ(Busca("V_TA_STATUS").sql,
              "SELECT TOP 1000 Descripcion,Tipo,CodigoEstado FROM V_TA_STATUS  ORDER BY "
              "CodigoEstado");
    const Resultado r = Busca("T_DESC", "", "PEDIDO");
    EXPECT_EQ(r.sql, "SELECT TOP 1000 DESCRIPCION,CODIGO FROM T_DESC  ORDER BY DESCRIPCION");
    EXPECT_EQ(r.campoBusqueda, "DESCRIPCION");
    EXPECT_EQ(
        Busca("V_TA_Unidad", "IdUnidad > '0'").sql,
        "SELECT TOP 1000 Descripcion,IdUnidad FROM V_TA_Unidad WHERE   (IdUnidad > '0')  ORDER BY IdUnidad");
    EXPECT_EQ(Busca("MA_CUENTAS", "", "", "select CODIGO from MA_CUENTAS").sql,
              "select CODIGO from MA_CUENTAS");
    gConsulta().gUsarMascarasConsultas = false;
    Mascaras({{"V_TA_STATUS", "Descripcion", ""}});
    EXPECT_EQ(Busca("V_TA_DEPOSITO").sql,
              "SELECT TOP 1000 Descripcion,Unidad,IdDeposito FROM V_TA_DEPOSITO  ORDER BY IdDeposito");
    // A given statement: the article view read through VT_, the caller's condition appended.
    Resultado g = Busca("select * from v_ma_articulos", "SUSPENDIDO = 0");
    EXPECT_EQ(g.sql, "select * from VT_MA_ARTICULOS WHERE  (SUSPENDIDO = 0) ");
    EXPECT_TRUE(g.ordenarPorLwv);
    EXPECT_EQ(Busca("select * from MA_CUENTAS where TITULO = 0", "DADA_DE_BAJA = 0").sql,
              "select * from MA_CUENTAS where TITULO = 0 AND  (DADA_DE_BAJA = 0) ");
    // The clauses are the statements' own: the condition goes before the ORDER BY, and words in
    // its value decide nothing.
    Resultado o =
        Busca("select CODIGO from MA_CUENTAS order by CODIGO", "DESCRIPCION LIKE 'a where b order by'");
    EXPECT_EQ(
        o.sql,
        "select CODIGO from MA_CUENTAS  WHERE  (DESCRIPCION LIKE 'a where b order by')  order by CODIGO");
    EXPECT_FALSE(o.ordenarPorLwv);
}

TEST_F(LookupSearch, TheRowLimitIsTheWholePositiveTopConsArt) {
    const QList<std::pair<QString, QString>> casos = {{"250", "250"}, {"0", "1000"},  {"abc", "1000"},
                                                      {"2.5", "2"},   {"-5", "1000"}, {"", "1000"}};
    for (const auto& [valor, top] : casos) {
        base_.ejecutar("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'TopConsArt'");
        base_.ejecutar("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('TopConsArt', '" + valor + "')");
        EXPECT_EQ(
            Busca("V_TA_STATUS").sql,
            "SELECT TOP " + top + " Descripcion,Tipo,CodigoEstado FROM V_TA_STATUS  ORDER BY CodigoEstado")
            << valor.toStdString();
    }
}

TEST_F(LookupSearch, TheWindowGetsTheObjectsSettingsAndTheObjectIsResetAfterwards) {
    Lib_ClsCons3& c = gConsulta();
    EXPECT_EQ(c.MuestraStock, "SI");
    EXPECT_EQ(c.StkNivel3, QVariant("255"));
    EXPECT_TRUE(c.UsaConsultaLike());
    c.gConnString.clear();
    c.CampoDevuelto = "CODIGO";
    c.Checks = true;
    c.UsaCantidades = true;
    c.CmpsDevueltos->append("descripcion");
    QString clave = "1.1", busqueda, where, opcional, defecto = "1101,5101";
    bool arbol = false;
    AlMostrar([&](Lib_FrmCons3& v) {
        EXPECT_TRUE(v.pedido().CheckBoxes);
        EXPECT_TRUE(v.pedido().UsaCantidades);
        EXPECT_TRUE(v.pedido().CfgUsaConsultaLIKE);
        EXPECT_EQ(v.pedido().MuestraStock, "SI");
        EXPECT_EQ(v.pedido().StkNivel1, QVariant("32768"));
        EXPECT_EQ(v.pedido().FiltroInicial, "1.1");
        EXPECT_EQ(v.pedido().CampoDevuelto, "CODIGO");
        EXPECT_EQ(v.pedido().ValoresDefault, "1101,5101");
        EXPECT_EQ(v.pedido().gConnString, CNStuffContable::gBaseDatos().gConnString);
        ASSERT_TRUE(v.pedido().CmpsDevueltos);
        EXPECT_EQ(*v.pedido().CmpsDevueltos, QStringList{"descripcion"});
        // The defaults' codes are not checked: the window opens with no row checked.
        for (int r = 1; r <= Control<vb::ListView>(v, "ListView1")->ListItemsCount(); ++r)
            EXPECT_FALSE(Control<vb::ListView>(v, "ListView1")->Checked(r));
        const int fila = int(v.Busqueda(0, "5101"));
        ASSERT_GT(fila, 0);
        Control<vb::ListView>(v, "ListView1")->setChecked(fila, true);
        v.CmdAceptar_Click();
    });
    c.ConsultaSearch("select CODIGO, DESCRIPCION from MA_CUENTAS order by CODIGO", c.CmpsDevueltos, clave,
                     busqueda, where, opcional, arbol, defecto);
    EXPECT_FALSE(c.Checks);
    EXPECT_TRUE(c.CampoDevuelto.isEmpty());
    ASSERT_TRUE(c.CmpsDevueltos);  // still a collection, now empty
    EXPECT_TRUE(c.CmpsDevueltos->isEmpty());
    ASSERT_TRUE(c.Valores);
    EXPECT_EQ(*c.Valores, QVariantList{"5101"});
    EXPECT_TRUE(c.UsaCantidades);
    EXPECT_EQ(c.gConnString, CNStuffContable::gBaseDatos().gConnString);

    // The caller's own collection is emptied and its variable released.
    Coleccion propia = NuevaColeccion();
    propia->append("DESCRIPCION");
    const Coleccion vigia = propia;
    AlMostrar([](Lib_FrmCons3& v) { v.CmdCancelar_Click(); });
    c.ConsultaSearch("select CODIGO, DESCRIPCION from MA_CUENTAS", propia, clave, busqueda, where, opcional,
                     arbol, defecto);
    EXPECT_FALSE(propia);
    EXPECT_TRUE(vigia->isEmpty());
    EXPECT_EQ(c.ValorDevuelto, QVariant(QString()));
    EXPECT_FALSE(c.Valores);
}

TEST_F(LookupSearch, AMaskWithoutASearchColumnAsksToConfigureAndReturnsNothing) {
    Mascaras({{"MA_CUENTAS", "Codigo", ""}});
    Lib_ClsCons3& c = gConsulta();
    c.ValorDevuelto = "1101";
    c.Valores->append("CAJA");
    c.CampoDevuelto = "CODIGO";
    c.CmpsDevueltos->append("DESCRIPCION");
    guion_.esperarMsgBox(vb::vbOK);
    QString clave, busqueda, where, opcional, defecto;
    bool arbol = false;
    c.ConsultaSearch("MA_CUENTAS", c.CmpsDevueltos, clave, busqueda, where, opcional, arbol, defecto);
    ASSERT_EQ(guion_.preguntas().size(), 1);
    EXPECT_EQ(guion_.preguntas()[0], (Pregunta{"Debe configurar la consulta para esta tabla",
                                               "Aviso al operador", vb::vbInformation}));
    EXPECT_EQ(c.ValorDevuelto.toString(), "");
    ASSERT_TRUE(c.Valores);
    EXPECT_TRUE(c.Valores->isEmpty());
    EXPECT_TRUE(c.CampoDevuelto.isEmpty());
    EXPECT_TRUE(c.CmpsDevueltos->isEmpty());
}

TEST_F(LookupSearch, AMaskNamingAMissingColumnSaysWhichOnceAndShowsTheTablesOwnColumns) {
    Mascaras({{"T_DESC", "CODIGO|[T_DESC].DESCRIPCIONX|LEFT(DESCRIPCION, 2)", ""},
              {"MA_CUENTAS", "Codigo|ma_cuentas.[Descripcion]|UPPER(Descripcion)", ""}});
    guion_.esperarMsgBox(vb::vbOK);
    QString mostrada;
    AlMostrar([&](Lib_FrmCons3& v) {
        mostrada = v.SqlOriginal().chopped(1);
        QApplication::setActiveWindow(&v);
        QApplication::processEvents();
        QTest::keyClicks(QApplication::focusWidget(), "un");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    Lib_ClsCons3& c = gConsulta();
    c.CampoDevuelto = "CODIGO";
    Coleccion ninguna;
    QString clave, busqueda, where, opcional, defecto;
    bool arbol = false;
    c.ConsultaSearch("T_DESC", ninguna, clave, busqueda, where, opcional, arbol, defecto);
    EXPECT_EQ(mostrada, "SELECT TOP 1000 DESCRIPCION,CODIGO FROM T_DESC  ORDER BY DESCRIPCION");
    EXPECT_EQ(c.ValorDevuelto.toString(), "A1");
    ASSERT_EQ(guion_.preguntas().size(), 2);
    EXPECT_EQ(guion_.preguntas()[0],
              (Pregunta{"La consulta configurada para la tabla T_DESC pide la columna DESCRIPCIONX, que la "
                        "tabla no tiene.\r\nSe muestran las columnas propias de la tabla.",
                        "Aviso al operador", vb::vbExclamation}));
    EXPECT_EQ(guion_.preguntas()[1].texto, "Consulta...");
    // Every column there, written any way, with an expression among them: the mask, silently.
    EXPECT_EQ(
        Busca("MA_CUENTAS").sql,
        "SELECT TOP 1000 Codigo,ma_cuentas.[Descripcion],UPPER(Descripcion) FROM MA_CUENTAS  with(nolock)  "
        "ORDER BY Codigo");
    EXPECT_EQ(guion_.preguntas().size(), 3);
}

TEST_F(LookupSearch, CreationReadsTheStockAndLikeSettings) {
    base_.ejecutar("UPDATE TA_CONFIGURACION SET VALOR = '' WHERE CLAVE = 'Stk_Nivel2'");
    base_.ejecutar("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'Stk_Nivel4'");
    base_.ejecutar("UPDATE TA_CONFIGURACION SET VALOR = 'si' WHERE CLAVE = 'UsaConsultaLike'");
    Lib_ClsCons3 c;
    EXPECT_EQ(c.StkNivel2, QVariant(0));
    EXPECT_EQ(c.StkNivel4, QVariant(" "));
    EXPECT_TRUE(c.UsaConsultaLike());
    base_.ejecutar("UPDATE TA_CONFIGURACION SET VALOR = 'S' WHERE CLAVE = 'UsaConsultaLike'");
    EXPECT_FALSE(Lib_ClsCons3().UsaConsultaLike());
    EXPECT_FALSE(c.Cantidades);
}

TEST_F(LookupSearch, ATreeLookupLeavesTheQuantitiesAlone) {
    Lib_ClsCons3& c = gConsulta();
    c.Cantidades = NuevaColeccionValores();
    c.Cantidades->append("2");
    const ColeccionValores antes = c.Cantidades;
    c.CampoDevuelto = "CODIGO";
    c.Checks = true;
    guion_.esperarModal([](QWidget* w) {
        EXPECT_NE(qobject_cast<Lib_FrmCons3Tree*>(w), nullptr);
        w->close();
    });
    Coleccion ninguna;
    QString clave, busqueda, where, opcional, defecto;
    bool arbol = true;
    c.ConsultaSearch("SELECT Codigo, DESCRIPCION FROM Ta_Ccosto ORDER BY Codigo", ninguna, clave, busqueda,
                     where, opcional, arbol, defecto);
    EXPECT_EQ(c.Cantidades, antes);
    EXPECT_FALSE(c.Checks);
    EXPECT_TRUE(c.CampoDevuelto.isEmpty());
}

TEST_F(LookupSearch, ATableWhoseColumnsCannotBeReadGetsNoEmptyOrderByAndEndsWithItsRefusal) {
    guion_.esperarMsgBox(vb::vbAbort);  // reading the columns
    guion_.esperarMsgBox(vb::vbAbort);  // the window's own statement
    Coleccion ninguna;
    QString clave, busqueda, where, opcional, defecto;
    bool arbol = false;
    gConsulta().ConsultaSearch("NO_EXISTE", ninguna, clave, busqueda, where, opcional, arbol, defecto);
    // The window's statement reaches the server whole: it is refused for its table, not for an
    // "ORDER BY" with nothing after it. Nothing else is shown.
    ASSERT_EQ(guion_.preguntas().size(), 2);
    EXPECT_TRUE(guion_.preguntas()[1].texto.endsWith("no such table: NO_EXISTE"))
        << guion_.preguntas()[1].texto.toStdString();
    EXPECT_TRUE(gConsulta().ValorDevuelto.toString().isEmpty());
}
