// The account manual: the tree of the chart, the two texts of the account chosen, and writes that
// change only those two columns.
#include "accounts/frmMa_ManualCuentas.h"
#include "accounts/CuentasDePrueba.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/TreeView.h"
#include "services/CNStuffContable.h"
#include "support/Control.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidgetItem>

namespace {

// The manual opened from the chart window, closed when the test ends.
class Manual {
  public:
    explicit Manual(CuentasDePrueba& c) : c_(c) { m_ = frmMa_ManualCuentas::Mostrar(); }
    ~Manual() {
        if (frmMa_ManualCuentas::Instancia()) frmMa_ManualCuentas::Instancia()->close();
        QApplication::processEvents();
    }
    frmMa_ManualCuentas* operator->() { return m_; }
    frmMa_ManualCuentas& operator*() { return *m_; }
    // Types at the end of a box and leaves it for the other one.
    void Escribir(int caja, const QString& texto) {
        m_->activateWindow();
        Control<QPlainTextEdit>(*m_, "txtFields", caja)->setFocus();
        QApplication::processEvents();
        Control<QPlainTextEdit>(*m_, "txtFields", caja)->moveCursor(QTextCursor::End);
        QTest::keyClicks(Control<QPlainTextEdit>(*m_, "txtFields", caja), texto);
        Control<QPlainTextEdit>(*m_, "txtFields", 1 - caja)->setFocus();
        QApplication::processEvents();
    }

  private:
    CuentasDePrueba& c_;
    frmMa_ManualCuentas* m_;
};

QString Padre(vb::TreeView* t, const QString& clave) {
    QTreeWidgetItem* n = t->Nodo(clave);
    if (!n) return "(no está)";
    return n->parent() ? t->Clave(n->parent()) : QString("(raíz)");
}

}  // namespace

TEST(ChartManual, OpensOnTheCurrentAccountAndLeavingABoxWritesBothTexts) {
    CuentasDePrueba c;
    c.Iniciar();
    c.EscribirCodigo("11010100101");
    ASSERT_EQ(CNStuffContable::gCuentaActual, "11010100101");
    Manual m(c);
    EXPECT_EQ(m->windowTitle(), "Manual de Cuentas");
    EXPECT_EQ(Control<QLabel>(*m, "LblCuenta")->text(), "Cuenta: 11010100101 CAJA PESOS");
    EXPECT_TRUE(Control<QPlainTextEdit>(*m, "txtFields", 0)->isEnabled());
    EXPECT_EQ(Control<QPlainTextEdit>(*m, "txtFields", 1)->toPlainText(),
              "Pagos en efectivo y depositos en bancos.");
    // Levels up to the end of level 3 are left out of the tree.
    EXPECT_TRUE(Control<vb::TreeView>(*m, "TreeV")->Existe("A1101"));
    EXPECT_FALSE(Control<vb::TreeView>(*m, "TreeV")->Existe("A11"));
    EXPECT_EQ(Control<vb::TreeView>(*m, "TreeV")->Nodo("A11010100101")->text(0), "11010100101 - CAJA PESOS");

    // Meanwhile the chart window renames the account and saves it: the manual's write leaves that
    // alone.
    c.f().activateWindow();
    Control<vb::CajaTexto>(c.f(), "txtFields", 0)->setFocus();
    Control<vb::CajaTexto>(c.f(), "txtFields", 0)->selectAll();
    QTest::keyClicks(Control<vb::CajaTexto>(c.f(), "txtFields", 0), "CAJA EN PESOS");
    c.Boton("GRABAR");
    ASSERT_EQ(c.Guardado("11010100101", "DESCRIPCION"), "CAJA EN PESOS");
    m.Escribir(0, " Y CHEQUES");
    EXPECT_EQ(
        c.base().filas(
            "SELECT DESCRIPCION, Manual, Manual_Haber FROM MA_CUENTAS WHERE CODIGO = '11010100101'"),
        (QList<QStringList>{{"CAJA EN PESOS",
                             "Ingresos de efectivo por cobranzas y reposiciones del fondo fijo. Y CHEQUES",
                             "Pagos en efectivo y depositos en bancos."}}));

    // Another account by its node: a null text shows empty and is stored as an empty text.
    m->TreeV_NodeClick("A11010100102");
    EXPECT_EQ(Control<QLabel>(*m, "LblCuenta")->text(), "Cuenta: 11010100102 CAJA DOLARES");
    EXPECT_EQ(Control<QPlainTextEdit>(*m, "txtFields", 0)->toPlainText(), "");
    m.Escribir(1, "VENTA DE DIVISAS");
    EXPECT_EQ(c.base().filas("SELECT Manual, Manual_Haber FROM MA_CUENTAS WHERE CODIGO = '11010100102'"),
              (QList<QStringList>{{"", "VENTA DE DIVISAS"}}));

    // The root shows nothing and writes nothing.
    m->TreeV_NodeClick("A");
    EXPECT_EQ(Control<QLabel>(*m, "LblCuenta")->text(), "");
    m.Escribir(0, "NADA");
    EXPECT_EQ(c.Filas("SELECT count(*) FROM MA_CUENTAS WHERE Manual = 'NADA'"), 0);
}

TEST(ChartManual, AUserOfTheRestrictedViewWritesOnlyTheTwoTexts) {
    CuentasDePrueba c({}, "OPERADOR");
    c.Iniciar();
    c.EscribirCodigo("11010100101");
    Manual m(c);
    ASSERT_EQ(Control<QLabel>(*m, "LblCuenta")->text(), "Cuenta: 11010100101 CAJA PESOS");
    EXPECT_FALSE(Control<vb::TreeView>(*m, "TreeV")->Existe("A51010100102"));  // confidential
    c.base().ejecutar(
        "UPDATE MA_CUENTAS SET DESCRIPCION = 'CAJA EN PESOS', P_RESPONSABLE = 'GERENCIA' "
        "WHERE CODIGO = '11010100101'");
    m.Escribir(1, " CON RECIBO");
    EXPECT_EQ(c.base().filas("SELECT DESCRIPCION, P_RESPONSABLE, Manual_Haber FROM MA_CUENTAS "
                             "WHERE CODIGO = '11010100101'"),
              (QList<QStringList>{
                  {"CAJA EN PESOS", "GERENCIA", "Pagos en efectivo y depositos en bancos. CON RECIBO"}}));
}

TEST(ChartManual, WithoutACurrentAccountTheBoxesWaitAndTheTreeNestsByLength) {
    CuentasDePrueba c({"DELETE FROM [MA_CASH-DETALLE]", "DELETE FROM MV_ASIENTOS", "DELETE FROM P_MA_LEGAJOS",
                       "DELETE FROM MA_CUENTAS",
                       "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, DADA_DE_BAJA) VALUES "
                       "('1', 'ACTIVO', 1, 0), ('11', 'CORRIENTE', 1, 0), ('1101', 'CAJA', 1, 0), "
                       "('110', NULL, 1, 0), ('12', 'PASIVO', 1, 0), ('13', 'BAJA', 1, 1)",
                       "UPDATE TA_CONFIGURACION SET VALOR = 'si' WHERE CLAVE = 'Rubro_Imputable'"});
    c.Iniciar();
    Manual m(c);
    EXPECT_EQ(Control<QLabel>(*m, "LblCuenta")->text(), "...");
    EXPECT_FALSE(Control<QPlainTextEdit>(*m, "txtFields", 0)->isEnabled());
    EXPECT_FALSE(Control<QPlainTextEdit>(*m, "txtFields", 1)->isEnabled());
    // From the end of level 2 on, nested by length alone: 1 is out; 1101 goes under 110; 12
    // climbs back to the root.
    EXPECT_FALSE(Control<vb::TreeView>(*m, "TreeV")->Existe("A1"));
    EXPECT_EQ(Padre(Control<vb::TreeView>(*m, "TreeV"), "A11"), "A");
    EXPECT_EQ(Padre(Control<vb::TreeView>(*m, "TreeV"), "A110"), "A11");
    EXPECT_EQ(Padre(Control<vb::TreeView>(*m, "TreeV"), "A1101"), "A110");
    EXPECT_EQ(Padre(Control<vb::TreeView>(*m, "TreeV"), "A12"), "A");
    EXPECT_EQ(Control<vb::TreeView>(*m, "TreeV")->Nodo("A110")->text(0), "110 - ");
    EXPECT_FALSE(Control<vb::TreeView>(*m, "TreeV")->Existe("A13"));
    // Expand and collapse every node.
    Control<QCheckBox>(*m, "ChkRama")->setChecked(true);
    m->ChkRama_Click();
    EXPECT_TRUE(Control<vb::TreeView>(*m, "TreeV")->Nodo("A11")->isExpanded());
    Control<QCheckBox>(*m, "ChkRama")->setChecked(false);
    m->ChkRama_Click();
    EXPECT_FALSE(Control<vb::TreeView>(*m, "TreeV")->Nodo("A11")->isExpanded());
    // A click on an account enables the boxes for it.
    m->TreeV_NodeClick("A1101");
    EXPECT_TRUE(Control<QPlainTextEdit>(*m, "txtFields", 0)->isEnabled());
    EXPECT_EQ(Control<QLabel>(*m, "LblCuenta")->text(), "Cuenta: 1101 CAJA");
    // The rebuild through the account rules keys every node by its code, so a click still finds it.
    QTest::mouseClick(Control<QPushButton>(*m, "CmdActualizar"), Qt::LeftButton);
    EXPECT_TRUE(Control<vb::TreeView>(*m, "TreeV")->Existe("A1"));
    EXPECT_TRUE(Control<vb::TreeView>(*m, "TreeV")->Existe("A1101"));
    m->TreeV_NodeClick("A12");
    EXPECT_EQ(Control<QLabel>(*m, "LblCuenta")->text(), "Cuenta: 12 PASIVO");
    // The window is shown once: a second opening brings the same one forward.
    EXPECT_EQ(frmMa_ManualCuentas::Mostrar(), frmMa_ManualCuentas::Instancia());
}

TEST(ChartManual, TheTreeShowsItsLabelsWholeAndScrollsSideways) {
    CuentasDePrueba c;
    c.Iniciar();
    Manual m(c);
    m->resize(500, 400);
    QApplication::processEvents();
    // Whole means the column holds the label and a narrow pane scrolls to it, before and after
    // the rebuild of "Actualizar".
    const auto entera = [&](const QString& clave) {
        QTreeWidgetItem* n = Control<vb::TreeView>(*m, "TreeV")->Nodo(clave);
        if (!n) return false;
        for (QTreeWidgetItem* p = n->parent(); p; p = p->parent()) p->setExpanded(true);
        QApplication::processEvents();
        const QRect r = Control<vb::TreeView>(*m, "TreeV")->visualItemRect(n);
        const int fin =
            r.left() + Control<vb::TreeView>(*m, "TreeV")->fontMetrics().horizontalAdvance(n->text(0));
        return Control<vb::TreeView>(*m, "TreeV")->columnWidth(0) >=
                   fin + Control<vb::TreeView>(*m, "TreeV")->horizontalScrollBar()->value() &&
               (fin <= Control<vb::TreeView>(*m, "TreeV")->viewport()->width() ||
                Control<vb::TreeView>(*m, "TreeV")->horizontalScrollBar()->maximum() > 0);
    };
    ASSERT_LT(Control<vb::TreeView>(*m, "TreeV")->viewport()->width(), 300);
    EXPECT_TRUE(entera("A11010100101"));
    QTest::mouseClick(Control<QPushButton>(*m, "CmdActualizar"), Qt::LeftButton);
    EXPECT_TRUE(entera("A11010100101"));
}

// Another program makes the account shown confidential: the user who may not see it is told once,
// in the program's words and naming the account, nothing is written and the boxes wait.
TEST(ChartManual, AnAccountHiddenMeanwhileIsToldOnceAndNothingIsWritten) {
    CuentasDePrueba c({}, "OPERADOR");
    c.Iniciar();
    c.EscribirCodigo("11010100202");
    Manual m(c);
    ASSERT_TRUE(Control<QPlainTextEdit>(*m, "txtFields", 0)->isEnabled());
    c.base().ejecutar("UPDATE MA_CUENTAS SET CONFIDENCIAL = 1 WHERE CODIGO = '11010100202'");
    const auto antes =
        c.base().filas("SELECT Manual, Manual_Haber FROM MA_CUENTAS WHERE CODIGO = '11010100202'");
    c.guion().esperarMsgBox(vb::vbOK);
    m.Escribir(0, "PAGOS VARIOS");
    m.Escribir(1, "COBROS VARIOS");
    ASSERT_EQ(c.guion().preguntas().size(), 1);
    EXPECT_EQ(
        c.guion().preguntas()[0],
        (Pregunta{"Otro usuario borró la cuenta 11010100202 antes de que usted grabara.\r\nNo se grabó nada.",
                  "Aviso al operador", vb::vbExclamation}));
    EXPECT_EQ(c.base().filas("SELECT Manual, Manual_Haber FROM MA_CUENTAS WHERE CODIGO = '11010100202'"),
              antes);
    EXPECT_FALSE(Control<QPlainTextEdit>(*m, "txtFields", 0)->isEnabled());
    EXPECT_FALSE(Control<QPlainTextEdit>(*m, "txtFields", 1)->isEnabled());
}
