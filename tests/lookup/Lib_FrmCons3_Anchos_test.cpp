// The saved column widths of the list window, in "CONSULTASLEN.QNL" beside the program.
#include "lookup/Lib_FrmCons3.h"
#include "support/Pide.h"

#include "outside/controls/ListView.h"
#include "outside/runtime/Archivos.h"
#include "support/ConsultaDePrueba.h"
#include "support/Control.h"

#include <QComboBox>
#include <QDir>
#include <QFile>

namespace {

class LookupColumnWidths : public ConsultaDePrueba {
  protected:
    QString Qnl() const { return programa_.filePath("CONSULTASLEN.QNL"); }
    QString Aux() const { return programa_.filePath("CONSULTASLEN.AUX"); }
    void Escribe(const QByteArray& bytes) {
        QFile f(Qnl());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray Lee() {
        QFile f(Qnl());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QList<int> Anchos(Lib_FrmCons3& v) {
        QList<int> a;
        for (int i = 1; i <= Control<vb::ListView>(v, "ListView1")->ColumnHeadersCount(); ++i)
            a << Control<vb::ListView>(v, "ListView1")->ColumnHeaderWidth(i);
        return a;
    }
};

}  // namespace

TEST_F(LookupColumnWidths, ATablesWidthsAreAppliedAndWrittenBackWhole) {
    // As the suite's Windows programs write it: CR LF, Windows-1252.
    Escribe("\"V_TA_RUBROS\",\"900|2100|\"\r\n\"MA_CUENTAS\",\"1440|3000|\"\r\n\"A\xd1O\",\"1|\"\r\n");
    Lib_FrmCons3 v;
    Pide(v, [&](auto& p) { p.Sql = "SELECT CODIGO, DESCRIPCION, INDICE FROM ma_cuentas"; });
    v.Cargar();
    const int tercera = Control<vb::ListView>(v, "ListView1")->ColumnHeaderWidth(3);
    EXPECT_EQ(Anchos(v), (QList<int>{1440, 3000, tercera}));  // two widths for three columns
    EXPECT_EQ(v.Width(Control<QComboBox>(v, "CmbSearch", 1)), 3000 - 50);
    Control<vb::ListView>(v, "ListView1")->setColumnHeaderWidth(1, 1500);
    Pide(v, [&](auto& p) { p.GrabarCfg = true; });
    v.Descargar();
    EXPECT_EQ(Lee(), "\"V_TA_RUBROS\",\"900|2100|\"\r\n\"A\xd1O\",\"1|\"\r\n\"ma_cuentas\",\"1500|3000|" +
                         QByteArray::number(tercera) + "|\"\r\n");
    EXPECT_FALSE(QFile::exists(Aux()));

    // Four widths for three columns: the fourth is ignored; the last line of a table wins.
    Escribe("\"MA_CUENTAS\",\"1|2|3|\"\r\n\"MA_CUENTAS\",\"100|200|300|400|\"\r\n");
    Lib_FrmCons3 w;
    Pide(w, [&](auto& p) { p.Sql = "SELECT CODIGO, DESCRIPCION, INDICE FROM MA_CUENTAS"; });
    w.Cargar();
    EXPECT_EQ(Anchos(w), (QList<int>{100, 200, 300}));
    w.Descargar();  // GrabarCfg off: the file is only read
    EXPECT_EQ(Lee(), "\"MA_CUENTAS\",\"1|2|3|\"\r\n\"MA_CUENTAS\",\"100|200|300|400|\"\r\n");
}

TEST_F(LookupColumnWidths, WidthsBeyondAnyScreenAreCutBeforeTheyAreNumbers) {
    Escribe("\"MA_CUENTAS\",\"1e20|2000000000|2000000000|\"\r\n\"V_TA_RUBROS\",\"-5|nan|\"\r\n");
    Lib_FrmCons3 v;
    Pide(v, [&](auto& p) { p.Sql = "SELECT CODIGO, DESCRIPCION, INDICE FROM MA_CUENTAS"; });
    v.Cargar();
    EXPECT_EQ(Anchos(v), (QList<int>{100000, 100000, 100000}));
    EXPECT_EQ(Control<vb::ListView>(v, "ListView1")->ColumnHeaderLeft(4), 300000);
    // The search boxes stand over their columns, in order.
    EXPECT_LT(v.Left(Control<QComboBox>(v, "CmbSearch", 0)), v.Left(Control<QComboBox>(v, "CmbSearch", 1)));
    EXPECT_LT(v.Left(Control<QComboBox>(v, "CmbSearch", 1)), v.Left(Control<QComboBox>(v, "CmbSearch", 2)));
    Lib_FrmCons3 w;
    Pide(w, [&](auto& p) { p.Sql = "SELECT IDRubro, Descripcion FROM V_TA_RUBROS"; });
    w.Cargar();
    EXPECT_EQ(Anchos(w), (QList<int>{0, 0}));
}

TEST_F(LookupColumnWidths, TheArticleStockViewIsKeptUnderTheArticleViewsName) {
    Escribe("\"VT_MA_ARTICULOS\",\"700|800|\"\r\n");
    Lib_FrmCons3 v;
    Pide(v, [&](auto& p) { p.Sql = "SELECT IDARTICULO, DESCRIPCION FROM STK_MA_ARTICULOS"; });
    v.Cargar();
    EXPECT_EQ(Anchos(v), (QList<int>{700, 800}));
    Pide(v, [&](auto& p) { p.GrabarCfg = true; });
    v.Descargar();
    EXPECT_EQ(Lee(), "\"VT_MA_ARTICULOS\",\"700|800|\"\r\n");
    // Without a file a save creates it with the one line.
    QFile::remove(Qnl());
    Lib_FrmCons3 w;
    Pide(w, [&](auto& p) { p.Sql = "SELECT IDRubro FROM V_TA_RUBROS"; });
    w.Cargar();
    Pide(w, [&](auto& p) { p.GrabarCfg = true; });
    w.Descargar();
    EXPECT_EQ(Lee(), "\"V_TA_RUBROS\",\"" +
                         QByteArray::number(Control<vb::ListView>(w, "ListView1")->ColumnHeaderWidth(1)) +
                         "|\"\r\n");
}

TEST_F(LookupColumnWidths, ASaveThatFailsLeavesTheOldFileWhole) {
    const QByteArray viejo = "\"V_TA_RUBROS\",\"900|2100|\"\r\n";
    Escribe(viejo);
    ASSERT_TRUE(QDir().mkdir(Aux()));  // the temporary file cannot be written
    Lib_FrmCons3 v;
    Pide(v, [&](auto& p) { p.Sql = "SELECT CODIGO FROM MA_CUENTAS"; });
    v.Cargar();
    Pide(v, [&](auto& p) { p.GrabarCfg = true; });
    guion_.esperarMsgBox(vb::vbOK);
    v.Descargar();
    ASSERT_EQ(guion_.preguntas().size(), 1);
    EXPECT_EQ(guion_.preguntas()[0].titulo, "Aviso al Operador");
    EXPECT_EQ(guion_.preguntas()[0].estilo, vb::vbCritical);
    EXPECT_EQ(Lee(), viejo);
    EXPECT_FALSE(v.pedido().UsarUDBC);
    EXPECT_EQ(Control<vb::ListView>(v, "ListView1")->ListItemsCount(), 0);
}
