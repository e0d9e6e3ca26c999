#include "lookup/Lib_FrmCons3.h"
#include "support/Pide.h"

#include "outside/controls/ListView.h"
#include "outside/controls/Teclas.h"
#include "support/ConsultaDePrueba.h"
#include "support/Control.h"
#include "support/LocaleNumeros.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPushButton>

namespace {

class LookupWindow : public ConsultaDePrueba {
  protected:
    LookupWindow()
        : ConsultaDePrueba(
              {"INSERT INTO MA_ARTICULOS (idarticulo, Descripcion, PUNTOPEDIDO, Stock) VALUES "
               "('Z1', 'NIVEL UNO', 0, 5), ('Z2', 'NIVEL DOS', 10, 15), ('Z3', 'NIVEL TRES', 10, 5), "
               "('Z4', 'IGUALES', 10, 10), ('Z5', 'SIN NADA', 0, 0), ('Z6', 'NEGATIVO', 0, -3), "
               "('Z7', 'EN BLANCO', NULL, NULL)",
               "CREATE TABLE T_COD (CODIGO varchar(5) COLLATE SERVIDOR)",
               "INSERT INTO T_COD VALUES ('001'), ('002'), ('1'), ('01'), ('00'), ('2'), ('3')",
               "CREATE TABLE T_ANGOSTA (S varchar(1), N varchar(1), CODIGO varchar(5))",
               "INSERT INTO T_ANGOSTA VALUES ('S', 'N', '001')"}) {}

    // The window loaded on a statement with the lookup object's settings.
    void Carga(Lib_FrmCons3& v, const QString& sql) {
        const Lib_ClsCons3& c = gConsulta();
        Pide(v, [&](auto& p) { p.StkNivel1 = c.StkNivel1; });
        Pide(v, [&](auto& p) { p.StkNivel2 = c.StkNivel2; });
        Pide(v, [&](auto& p) { p.StkNivel3 = c.StkNivel3; });
        Pide(v, [&](auto& p) { p.StkNivel4 = c.StkNivel4; });
        Pide(v, [&](auto& p) { p.MuestraStock = c.MuestraStock; });
        Pide(v, [&](auto& p) { p.Sql = sql; });
        v.Cargar();
    }
    int Equis(const Lib_FrmCons3& v, int n) {
        return vb::TwipsDePixeles(
            QFontMetrics(Control<vb::ListView>(v, "ListView1")->font()).horizontalAdvance(QString(n, 'X')));
    }
};

}  // namespace

TEST_F(LookupWindow, ColumnsAndSearchBoxesFollowTheStatementsFields) {
    Lib_FrmCons3 v;
    Carga(v, "SELECT idarticulo, Descripcion, PUNTOPEDIDO, PRECIO3, precio1 FROM V_MA_ARTICULOS ORDER BY 1");
    EXPECT_EQ(v.TablaConsulta(), "V_MA_ARTICULOS");
    EXPECT_TRUE(v.pedido().Sql.endsWith("ORDER BY 1 "));
    ASSERT_EQ(Control<vb::ListView>(v, "ListView1")->ColumnHeadersCount(), 5);
    QStringList titulos, campos;
    for (int i = 1; i <= 5; ++i) titulos << Control<vb::ListView>(v, "ListView1")->ColumnHeaderText(i);
    for (QComboBox* c : Controles<QComboBox>(v, "CmbSearch"))
        campos << c->property("campo").toString().toUpper();
    EXPECT_EQ(titulos, (QStringList{"idarticulo", "Descripcion", "PUNTOPEDIDO", "CONTADO", "MAYORISTA"}));
    EXPECT_EQ(campos, (QStringList{"IDARTICULO", "DESCRIPCION", "PUNTOPEDIDO", "PRECIO3", "PRECIO1"}));
    // A 20-character code, a 100-character text capped at 60, numbers and money 12.
    EXPECT_EQ(Control<vb::ListView>(v, "ListView1")->ColumnHeaderWidth(1), Equis(v, 20));
    EXPECT_EQ(Control<vb::ListView>(v, "ListView1")->ColumnHeaderWidth(2), Equis(v, 60));
    EXPECT_EQ(Control<vb::ListView>(v, "ListView1")->ColumnHeaderWidth(3), Equis(v, 12));
    EXPECT_EQ(Control<vb::ListView>(v, "ListView1")->ColumnHeaderWidth(4), Equis(v, 12));
    // Each box over its column, 50 twips narrower.
    EXPECT_EQ(v.Left(Control<QComboBox>(v, "CmbSearch", 1)),
              Control<vb::ListView>(v, "ListView1")->ColumnHeaderLeft(2));
    EXPECT_EQ(v.Width(Control<QComboBox>(v, "CmbSearch", 1)), Equis(v, 60) - 50);
    EXPECT_EQ(Control<QComboBox>(v, "CmbSearch", 2)->toolTip(), "F5 realiza nueva busqueda");

    // Outside article statements "@10" widens every column, after the cap.
    Lib_FrmCons3 w;
    Pide(w, [&](auto& p) { p.ValoresDefault = "@10"; });
    Carga(w, "SELECT CODIGO, DESCRIPCION, INDICE FROM MA_CUENTAS");
    EXPECT_EQ(Control<vb::ListView>(w, "ListView1")->ColumnHeaderWidth(1), Equis(w, 25));
    EXPECT_EQ(Control<vb::ListView>(w, "ListView1")->ColumnHeaderWidth(2), Equis(w, 70));
    EXPECT_EQ(Control<vb::ListView>(w, "ListView1")->ColumnHeaderWidth(3), Equis(w, 12));
    EXPECT_EQ(Control<vb::ListView>(w, "ListView1")->ListItemsCount(),
              base_.escalar("SELECT count(*) FROM MA_CUENTAS").toInt());
    EXPECT_EQ(w.SqlOriginal(), "SELECT CODIGO, DESCRIPCION, INDICE FROM MA_CUENTAS ");
    w.Form_Load();
    EXPECT_EQ(w.pedido().Sql, "SELECT CODIGO, DESCRIPCION, INDICE FROM MA_CUENTAS  ");
    EXPECT_EQ(w.SqlOriginal(), "SELECT CODIGO, DESCRIPCION, INDICE FROM MA_CUENTAS ");
}

TEST_F(LookupWindow, EveryBoxSitsOverItsColumnNarrowOnesToo) {
    Lib_FrmCons3 v;
    Carga(v, "SELECT S, N, CODIGO FROM T_ANGOSTA");
    v.show();
    QApplication::processEvents();
    const QHeaderView* cabecera = Control<vb::ListView>(v, "ListView1")->header();
    for (int j = 0; j < 3; ++j) {
        const int caja = Control<QComboBox>(v, "CmbSearch", j)->mapToGlobal(QPoint(0, 0)).x();
        const int columna =
            cabecera->viewport()->mapToGlobal(QPoint(cabecera->sectionViewportPosition(j), 0)).x();
        EXPECT_NEAR(caja, columna, 1) << j;
        EXPECT_LE(Control<QComboBox>(v, "CmbSearch", j)->width(), cabecera->sectionSize(j)) << j;
    }
}

TEST_F(LookupWindow, ArticleRowsTakeTheColourOfTheirStockLevel) {
    // Through the lookup object, which hands the window its stock settings, in both number locales.
    for (const QLocale& l : {LocaleNumeros::coma(), LocaleNumeros::punto()}) {
        LocaleNumeros locale(l);
        AlMostrar([](Lib_FrmCons3& v) {
            ASSERT_EQ(Control<vb::ListView>(v, "ListView1")->ListItemsCount(), 7);
            const QList<long> esperados = {32768, 12582912, 255, 8421504, 8421504, 8421504, 8421504};
            for (int r = 1; r <= 7; ++r) {
                EXPECT_EQ(Control<vb::ListView>(v, "ListView1")->RowColor(r), vb::ColorDeVB(esperados[r - 1]))
                    << Control<vb::ListView>(v, "ListView1")->ItemText(r).toStdString();
                EXPECT_TRUE(Control<vb::ListView>(v, "ListView1")->RowBold(r));
            }
        });
        Coleccion ninguna;
        QString clave, busqueda, where = "idarticulo LIKE 'Z%'", opcional, defecto;
        bool arbol = false;
        gConsulta().ConsultaSearch("SELECT idarticulo, Descripcion, PUNTOPEDIDO, Stock FROM MA_ARTICULOS",
                                   ninguna, clave, busqueda, where, opcional, arbol, defecto);
    }
    // Without the stock column, or with the switch off, no row is coloured.
    Lib_FrmCons3 sin;
    Carga(sin, "SELECT idarticulo, Descripcion FROM MA_ARTICULOS WHERE idarticulo LIKE 'Z%'");
    EXPECT_FALSE(Control<vb::ListView>(sin, "ListView1")->RowColor(1).isValid());
    Lib_FrmCons3 apagado;
    Pide(apagado, [&](auto& p) { p.MuestraStock = "NO"; });
    Pide(apagado, [&](auto& p) {
        p.Sql = "SELECT idarticulo, PUNTOPEDIDO, Stock FROM MA_ARTICULOS WHERE idarticulo = 'Z1'";
    });
    apagado.Cargar();
    EXPECT_FALSE(Control<vb::ListView>(apagado, "ListView1")->RowColor(1).isValid());
    EXPECT_FALSE(Control<vb::ListView>(apagado, "ListView1")->RowBold(1));
}

TEST_F(LookupWindow, DefaultCodesCheckEveryRowWhoseCodeTheyContain) {
    Lib_FrmCons3 v;
    Pide(v, [&](auto& p) { p.CheckBoxes = true; });
    Pide(v, [&](auto& p) { p.CampoDevuelto = "CODIGO"; });
    Pide(v, [&](auto& p) { p.ValoresDefault = "001,002"; });
    Carga(v, "SELECT CODIGO FROM T_COD");
    QStringList marcados;
    for (int r = 1; r <= Control<vb::ListView>(v, "ListView1")->ListItemsCount(); ++r)
        if (Control<vb::ListView>(v, "ListView1")->Checked(r))
            marcados << Control<vb::ListView>(v, "ListView1")->ItemText(r);
    EXPECT_EQ(marcados, (QStringList{"001", "002", "1", "01", "00", "2"}));
    Lib_FrmCons3 sin;
    Pide(sin, [&](auto& p) { p.CampoDevuelto = "CODIGO"; });
    Pide(sin, [&](auto& p) { p.ValoresDefault = "001,002"; });
    Carga(sin, "SELECT CODIGO FROM T_COD");
    EXPECT_FALSE(Control<vb::ListView>(sin, "ListView1")->Checked(1));
    EXPECT_FALSE(Control<vb::ListView>(sin, "ListView1")->CheckBoxes());
}

TEST_F(LookupWindow, AFailingStatementIsToldOnceAndTheLoadStopsThere) {
    // Whatever the answer to the database layer's own message, the window reads nothing from the
    // recordset that never opened: no second message, no column, no row.
    for (const int respuesta : {int(vb::vbAbort), int(vb::vbIgnore)}) {
        SCOPED_TRACE(respuesta);
        Lib_FrmCons3 v;
        const qsizetype antes = guion_.preguntas().size();
        guion_.esperarMsgBox(respuesta);
        Carga(v, "SELECT CODIGO FROM NO_EXISTE");
        ASSERT_EQ(guion_.preguntas().size(), antes + 1);
        EXPECT_TRUE(guion_.preguntas()[antes].texto.contains("NO_EXISTE"))
            << guion_.preguntas()[antes].texto.toStdString();
        EXPECT_EQ(Control<vb::ListView>(v, "ListView1")->ColumnHeadersCount(), 0);
        EXPECT_EQ(Control<vb::ListView>(v, "ListView1")->ListItemsCount(), 0);
    }
}

TEST_F(LookupWindow, AFreshWindowStartsFromItsDesignInTwips) {
    Lib_FrmCons3 v;
    EXPECT_EQ(v.Width(&v), 9000);
    EXPECT_EQ(v.Height(&v), 6615);
    EXPECT_EQ(v.Width(Control<QPushButton>(v, "CmdAceptar")), Lib_FrmCons3::kAnchoBoton);
    EXPECT_EQ(v.Height(Control<QPushButton>(v, "CmdAceptar")), Lib_FrmCons3::kAltoBoton);
    EXPECT_EQ(v.Left(Control<QPushButton>(v, "CmdCancelar")), (9000 - Lib_FrmCons3::kAnchoBoton) / 2);
    // Twips that whole pixels cannot hold (590.67 pixels) stay as designed.
    EXPECT_EQ(v.Width(Control<vb::ListView>(v, "ListView1")), 8860);
    EXPECT_EQ(v.Width(Control<QComboBox>(v, "CmbSearch", 0)), 1200);
}

TEST_F(LookupWindow, TheLayoutFollowsTheColumnWidths) {
    Lib_FrmCons3 v;
    Control<vb::ListView>(v, "ListView1")->ColumnHeadersAdd("A", 400);
    Control<vb::ListView>(v, "ListView1")->ColumnHeadersAdd("B", 600);
    Pide(v, [&](auto& p) { p.anchoPantallaFijo = 12000; });
    v.CalcularAncho();
    // A strip of 1360 twips, the window 280 wider than the list; the resize then fills it.
    EXPECT_EQ(v.HScrollMax(), 1104);
    EXPECT_EQ(v.Width(&v), 1640);
    EXPECT_EQ(v.Width(Control<QWidget>(v, "picFields")), 1520);
    EXPECT_EQ(v.Left(Control<QComboBox>(v, "CmbSearch", 0)), 0);
    EXPECT_EQ(v.Width(Control<QComboBox>(v, "CmbSearch", 0)), 350);
    Control<vb::ListView>(v, "ListView1")->setColumnHeaderWidth(2, 7240);
    v.CalcularAncho();
    EXPECT_EQ(v.Width(&v), 8280);
    Pide(v, [&](auto& p) { p.anchoPantallaFijo = 8300; });
    v.CalcularAncho();
    EXPECT_EQ(v.Width(&v), 7820);
    Control<vb::ListView>(v, "ListView1")->setColumnHeaderWidth(2, 40000);
    v.CalcularAncho();
    EXPECT_EQ(v.HScrollMax(), 32700);

    // Without "&Nueva Busqueda" a narrow bar halves the two buttons once, however often it resizes.
    Control<QPushButton>(v, "CmdNueva")->hide();
    v.setWidth(&v, 3000);
    v.Form_Resize();
    v.Form_Resize();
    EXPECT_EQ(v.Width(Control<QPushButton>(v, "CmdAceptar")), Lib_FrmCons3::kAnchoBoton / 2);
    EXPECT_EQ(v.Width(Control<QPushButton>(v, "CmdCancelar")), Lib_FrmCons3::kAnchoBoton / 2);
    EXPECT_EQ(v.Left(Control<QPushButton>(v, "CmdCancelar")), 3000 - (Lib_FrmCons3::kAnchoBoton / 2 + 150));
    v.setWidth(&v, 9000);
    v.Form_Resize();
    EXPECT_EQ(v.Width(Control<QPushButton>(v, "CmdAceptar")), Lib_FrmCons3::kAnchoBoton);
    EXPECT_EQ(v.Left(Control<QPushButton>(v, "CmdCancelar")), 9000 - (Lib_FrmCons3::kAnchoBoton + 150));
}
