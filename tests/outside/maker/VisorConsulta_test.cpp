// The list viewer and the lookups as the chart's user opens them: a Boolean column reads the
// same Spanish words in both.
#include "outside/maker/VisorConsulta.h"

#include "accounts/CuentasDePrueba.h"
#include "lookup/Lib_FrmCons3.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/ListView.h"
#include "outside/controls/UtilVex.h"
#include "support/Control.h"
#include "support/LocaleNumeros.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

namespace {

// The texts of a column by row code, for the codes asked.
using PorCodigo = QMap<QString, QString>;

}  // namespace

TEST(BooleanViews, PlanillaAndTheLookupShowFlagsAsSiAndNo) {
    CuentasDePrueba c;
    LocaleNumeros coma(LocaleNumeros::coma());
    c.Iniciar();
    const QStringList codigos{"1", "11010100101"};
    const PorCodigo esperado{{"1", "SI"}, {"11010100101", "NO"}};

    QTest::mouseClick(Control<UtilVex>(c.f(), "UtilVex1")->Boton("PLANILLA"), Qt::LeftButton);
    QTableWidget* g = maker::gVisorConsulta().Grilla();
    ASSERT_NE(g, nullptr);
    int titulo = -1;
    for (int k = 0; k < g->columnCount(); ++k)
        if (g->horizontalHeaderItem(k)->text().compare("TITULO", Qt::CaseInsensitive) == 0) titulo = k;
    ASSERT_GE(titulo, 0);
    PorCodigo planilla;
    for (int r = 0; r < g->rowCount(); ++r)
        if (codigos.contains(g->item(r, 0)->text().trimmed()))
            planilla[g->item(r, 0)->text().trimmed()] = g->item(r, titulo)->text();
    EXPECT_EQ(planilla, esperado);
    maker::gVisorConsulta().Ventana()->close();

    // F5 in the code box: the accounts' lookup.
    PorCodigo consulta;
    c.guion().esperarModal([&](QWidget* w) {
        auto* v = qobject_cast<Lib_FrmCons3*>(w);
        ASSERT_NE(v, nullptr);
        int col = -1, cod = -1;
        for (int i = 1; i <= Control<vb::ListView>(*v, "ListView1")->ColumnHeadersCount(); ++i) {
            if (Control<vb::ListView>(*v, "ListView1")
                    ->ColumnHeaderText(i)
                    .compare("TITULO", Qt::CaseInsensitive) == 0)
                col = i - 1;
            if (Control<vb::ListView>(*v, "ListView1")
                    ->ColumnHeaderText(i)
                    .compare("CODIGO", Qt::CaseInsensitive) == 0)
                cod = i - 1;
        }
        ASSERT_GE(col, 0);
        ASSERT_GE(cod, 0);
        for (int r = 1; r <= Control<vb::ListView>(*v, "ListView1")->ListItemsCount(); ++r) {
            const QString codigo = Control<vb::ListView>(*v, "ListView1")->SubItem(r, cod).trimmed();
            if (codigos.contains(codigo))
                consulta[codigo] = Control<vb::ListView>(*v, "ListView1")->SubItem(r, col).trimmed();
        }
        Control<QPushButton>(*v, "CmdCancelar")->click();
    });
    Control<vb::CajaTexto>(c.f(), "TxtCodigo")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    QApplication::processEvents();
    EXPECT_EQ(consulta, esperado);
}

// "Planilla" is a window over the one it comes from, and a key closes it: Escape, where the
// user's keyboard is.
TEST(Planilla, OpensOverItsWindowAndEscapeClosesIt) {
    CuentasDePrueba c;
    c.Iniciar();
    QTest::mouseClick(Control<UtilVex>(c.f(), "UtilVex1")->Boton("PLANILLA"), Qt::LeftButton);
    QWidget* planilla = maker::gVisorConsulta().Ventana();
    ASSERT_NE(planilla, nullptr);
    EXPECT_TRUE(planilla->isWindow());
    EXPECT_EQ(planilla->parentWidget(), &c.f());
    QApplication::setActiveWindow(planilla);
    maker::gVisorConsulta().Grilla()->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), maker::gVisorConsulta().Grilla());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(maker::gVisorConsulta().Ventana() == nullptr ||
                !maker::gVisorConsulta().Ventana()->isVisible());
}
