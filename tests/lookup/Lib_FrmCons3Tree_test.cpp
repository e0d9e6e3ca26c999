#include "lookup/Lib_FrmCons3Tree.h"
#include "support/Pide.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "lookup/Lib_ClsCons3.h"
#include "support/AbrirComo.h"
#include "support/BaseDePrueba.h"
#include "support/Control.h"
#include "support/DialogosGuionados.h"
#include "support/ProgramaDePrueba.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

// The demo company (cost centres 1, 11, 111, 12, 2, 21, 22, 3; families 01 to 0201) and a table of
// codes in a chosen row order.
class TreeLookup : public ::testing::Test {
  protected:
    TreeLookup()
        : base_(true, {"CREATE TABLE T_ARBOL (Codigo varchar(12) COLLATE SERVIDOR, Descripcion varchar(30) "
                       "COLLATE SERVIDOR, Orden int)"}) {}

    void SetUp() override {
        ASSERT_TRUE(base_.valida()) << base_.error().toStdString();
        ASSERT_TRUE(AbrirComo(base_));
    }

    // T_ARBOL holds the codes in this order, each described as "D" + code.
    void Codigos(const QStringList& codigos) {
        base_.ejecutar("DELETE FROM T_ARBOL");
        for (int i = 0; i < codigos.size(); ++i)
            base_.ejecutar(QString("INSERT INTO T_ARBOL VALUES ('%1', 'D%1', %2)").arg(codigos[i]).arg(i));
    }
    static constexpr const char* kArbol = "SELECT Codigo, Descripcion FROM T_ARBOL ORDER BY Orden";
    static constexpr const char* kCentros = "SELECT Codigo, DESCRIPCION FROM Ta_Ccosto ORDER BY Codigo";

    // Parent key of every node but the root, by key.
    static QMap<QString, QString> Padres(const Lib_FrmCons3Tree& v) {
        QMap<QString, QString> m;
        for (int k = 2; k <= v.CantidadNodos(); ++k)
            m[Lib_FrmCons3Tree::Clave(v.Nodo(k))] = Lib_FrmCons3Tree::Clave(v.Nodo(k)->parent());
        return m;
    }
    static void Escribe(Lib_FrmCons3Tree& v, const QString& texto) {
        Control<QComboBox>(v, "CmbSearch", 0)->setEditText(texto);
    }
    // Keys as a user's arrive: to the focused widget of the active window.
    static void Muestra(Lib_FrmCons3Tree& v) {
        v.show();
        QApplication::setActiveWindow(&v);
        QApplication::processEvents();
    }
    // The shared lookup asked for a cost centre's code, in its tree.
    static Lib_ClsCons3& BuscaCentroEnArbol() {
        Lib_ClsCons3& c = gConsulta();
        c.CampoDevuelto = "CODIGO";
        Coleccion ninguna;
        QString clave, campo, donde, opcional, porDefecto;
        bool arbol = true;
        c.ConsultaSearch(kCentros, ninguna, clave, campo, donde, opcional, arbol, porDefecto);
        return c;
    }
    static void Teclea(const QString& texto) { QTest::keyClicks(QApplication::focusWidget(), texto); }
    static void Tecla(Qt::Key tecla) { QTest::keyClick(QApplication::focusWidget(), tecla); }

    ProgramaDePrueba programa_;
    BaseDePrueba base_;
};

}  // namespace

TEST_F(TreeLookup, GeneralBuilderNestsUnderTheLongestEarlierPrefix) {
    Lib_FrmCons3Tree v;
    Codigos({"1", "11", "111", "12", "2", "21"});
    Pide(v, [&](auto& p) { p.Sql = kArbol; });
    v.Form_Load();
    ASSERT_EQ(v.CantidadNodos(), 7);
    EXPECT_EQ(Lib_FrmCons3Tree::Clave(v.Nodo(1)), "A");
    EXPECT_EQ(v.Nodo(1)->text(0), "Consulta...");
    EXPECT_EQ(Padres(v),
              (QMap<QString, QString>{
                  {"A1", "A"}, {"A11", "A1"}, {"A111", "A11"}, {"A12", "A1"}, {"A2", "A"}, {"A21", "A2"}}));
    EXPECT_EQ(v.NodoPorClave("A111")->text(0), "111 - D111");

    // Row order decides: 1 comes after 10, so both stay at the root; a case-blind prefix nests.
    Codigos({"10", "1", "ab", "ABC"});
    v.Form_Load();
    EXPECT_EQ(Padres(v), (QMap<QString, QString>{{"A10", "A"}, {"A1", "A"}, {"Aab", "A"}, {"AABC", "Aab"}}));

    Codigos({});
    v.Form_Load();
    ASSERT_EQ(v.CantidadNodos(), 1);
    EXPECT_TRUE(v.Nodo(1)->isExpanded());
}

TEST_F(TreeLookup, ARowThatCannotBeAddedIsReportedAndSkippedOnIgnore) {
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbIgnore);  // the repeated code
    guion.esperarMsgBox(vb::vbIgnore);  // the Null code
    Codigos({"1", "1", "2"});
    base_.ejecutar("INSERT INTO T_ARBOL VALUES (NULL, 'SIN CODIGO', 9)");
    Lib_FrmCons3Tree v;
    Pide(v, [&](auto& p) { p.Sql = kArbol; });
    v.Form_Load();
    EXPECT_EQ(v.CantidadNodos(), 3);
    ASSERT_EQ(guion.preguntas().size(), 2);
    EXPECT_TRUE(guion.preguntas()[0].texto.startsWith("Ha ocurrido el Siguiente Error (35602)"));
    EXPECT_TRUE(guion.preguntas()[0].titulo.contains("ArmarTreeVAutomatico"));
}

// Of codes equal but for case, each a node of its own, the first one made is the parent of the
// longer codes that begin with them.
TEST_F(TreeLookup, CodesEqualButForCaseLeaveTheLongerOnesUnderTheFirst) {
    Codigos({"1a", "1A", "1A5", "1a6", "2"});
    Lib_FrmCons3Tree v;
    Pide(v, [&](auto& p) { p.Sql = kArbol; });
    v.Form_Load();
    EXPECT_EQ(Padres(v), (QMap<QString, QString>{
                             {"A1a", "A"}, {"A1A", "A1a"}, {"A1A5", "A1a"}, {"A1a6", "A1a"}, {"A2", "A"}}));
}

TEST_F(TreeLookup, FamiliesComeNestedFromTheirOwnStatement) {
    Lib_FrmCons3Tree v;
    Pide(v, [&](auto& p) { p.Sql = "SELECT * FROM V_TA_FAMILIAS"; });
    v.Form_Load();
    EXPECT_EQ(Padres(v),
              (QMap<QString, QString>{
                  {"A01", "A"}, {"A0101", "A01"}, {"A010101", "A0101"}, {"A02", "A"}, {"A0201", "A02"}}));
    EXPECT_EQ(v.NodoPorClave("A0201")->text(0), "0201 - GASEOSAS");
    // The caller's statement is discarded; the marker was resolved by the database layer.
    EXPECT_TRUE(v.pedido().Sql.contains("AS [relative]"));
    EXPECT_FALSE(v.pedido().Sql.contains("@Admin_", Qt::CaseInsensitive));
}

TEST_F(TreeLookup, TypingSelectsTheFirstNodeByCodeOrDescriptionPrefix) {
    Lib_FrmCons3Tree v;
    Pide(v, [&](auto& p) { p.Sql = kCentros; });
    v.Form_Load();
    Escribe(v, "c");  // the root's description "Consulta..."
    EXPECT_EQ(Lib_FrmCons3Tree::Clave(Control<QTreeWidget>(v, "TreeV")->currentItem()), "A");
    Escribe(v, "cont");
    EXPECT_EQ(Lib_FrmCons3Tree::Clave(Control<QTreeWidget>(v, "TreeV")->currentItem()), "A111");
    Escribe(v, "12");
    EXPECT_EQ(Lib_FrmCons3Tree::Clave(Control<QTreeWidget>(v, "TreeV")->currentItem()), "A12");
    Escribe(v, "VENTAS mi");
    EXPECT_EQ(Lib_FrmCons3Tree::Clave(Control<QTreeWidget>(v, "TreeV")->currentItem()), "A22");
    Escribe(v, "zzz");  // no match keeps the selection
    EXPECT_EQ(Lib_FrmCons3Tree::Clave(Control<QTreeWidget>(v, "TreeV")->currentItem()), "A22");

    // The first "-" splits code from description.
    Codigos({"1-2"});
    base_.ejecutar("UPDATE T_ARBOL SET Descripcion = 'Caja'");
    Pide(v, [&](auto& p) { p.Sql = kArbol; });
    v.Form_Load();
    Escribe(v, "2 - c");
    EXPECT_EQ(Lib_FrmCons3Tree::Clave(Control<QTreeWidget>(v, "TreeV")->currentItem()), "A1-2");
}

TEST_F(TreeLookup, F5NarrowsTheStatementOnTheServer) {
    EXPECT_EQ(Lib_FrmCons3Tree::SentenciaF5(kCentros, "caja"),
              "SELECT Codigo, DESCRIPCION FROM Ta_Ccosto  where Descripcion like '%caja%' ORDER BY Codigo");
    EXPECT_EQ(
        Lib_FrmCons3Tree::SentenciaF5(Lib_FrmCons3Tree::SentenciaF5(kCentros, "caja"), "ch"),
        "SELECT Codigo, DESCRIPCION FROM Ta_Ccosto  where Descripcion like '%caja%'  and Descripcion like "
        "'%ch%' ORDER BY Codigo");
    EXPECT_EQ(Lib_FrmCons3Tree::SentenciaF5("SELECT Codigo, DESCRIPCION FROM Ta_Ccosto", "d'or"),
              "SELECT Codigo, DESCRIPCION FROM Ta_Ccosto where Descripcion like '%d''or%' ");

    DialogosGuionados guion;  // no error may come up, not even for an apostrophe
    Lib_FrmCons3Tree v;
    Pide(v, [&](auto& p) { p.Sql = kCentros; });
    v.Form_Load();
    Muestra(v);
    Control<QComboBox>(v, "CmbSearch", 0)->setFocus();
    Teclea("ventas");
    Tecla(Qt::Key_F5);
    EXPECT_EQ(Control<QComboBox>(v, "CmbSearch", 0)->currentText(), "");
    EXPECT_EQ(Control<QComboBox>(v, "CmbSearch", 0)->property("Tag").toString(), "Descripcion");
    EXPECT_EQ(v.CantidadNodos(), 4);  // the root, 21, 22 and the base demo's VTA
    Teclea("ma'");
    Tecla(Qt::Key_F5);
    EXPECT_EQ(v.CantidadNodos(), 1);
    EXPECT_EQ(Control<QComboBox>(v, "CmbSearch", 0)->currentText(), "");
}

TEST_F(TreeLookup, ArrowsAndPagesInTheSearchBoxGoToTheTreeAndLeaveTheBoxAlone) {
    for (const Qt::Key tecla : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_PageUp}) {
        Lib_FrmCons3Tree v;
        Pide(v, [&](auto& p) { p.Sql = kCentros; });
        v.Form_Load();
        Muestra(v);
        Control<QComboBox>(v, "CmbSearch", 0)
            ->addItems({"uno", "dos"});  // a list the combo would otherwise step through
        Control<QComboBox>(v, "CmbSearch", 0)->setEditText("");
        Control<QComboBox>(v, "CmbSearch", 0)->setFocus();
        Teclea("ven");
        Tecla(tecla);
        EXPECT_TRUE(Control<QTreeWidget>(v, "TreeV")->hasFocus()) << tecla;
        EXPECT_EQ(Control<QComboBox>(v, "CmbSearch", 0)->currentText(), "ven") << tecla;
        EXPECT_EQ(Lib_FrmCons3Tree::Clave(Control<QTreeWidget>(v, "TreeV")->currentItem()), "A21") << tecla;
    }
}

// A text typed in an earlier F5 never moves the next cut: the next text stays one value.
TEST_F(TreeLookup, AnEarlierF5TextNeverMovesTheCut) {
    const QString inyectado = "');DELETE FROM Ta_Ccosto;--";
    EXPECT_EQ(
        Lib_FrmCons3Tree::SentenciaF5(Lib_FrmCons3Tree::SentenciaF5(kCentros, "order by"), inyectado),
        "SELECT Codigo, DESCRIPCION FROM Ta_Ccosto  where Descripcion like '%order by%'  and Descripcion "
        "like '%'');DELETE FROM Ta_Ccosto;--%' ORDER BY Codigo");

    DialogosGuionados guion;
    const int centros = base_.escalar("SELECT COUNT(*) FROM TA_CCOSTO").toInt();
    Lib_FrmCons3Tree v;
    Pide(v, [&](auto& p) { p.Sql = kCentros; });
    v.Form_Load();
    v.show();
    Control<QComboBox>(v, "CmbSearch", 0)->setFocus();
    QApplication::processEvents();
    for (const QString& texto : {QString("order by"), inyectado}) {
        Teclea(texto);
        Tecla(Qt::Key_F5);
    }
    EXPECT_EQ(v.CantidadNodos(), 1);
    EXPECT_EQ(base_.escalar("SELECT COUNT(*) FROM TA_CCOSTO").toInt(), centros);
}

TEST_F(TreeLookup, ACheckReachesSixGenerationsBelowAndNoAncestor) {
    Codigos({"1", "12", "123", "1234", "12345", "123456", "1234567", "12345678", "2"});
    Lib_FrmCons3Tree v;
    Pide(v, [&](auto& p) { p.Sql = kArbol; });
    Pide(v, [&](auto& p) { p.CheckBoxes = true; });
    v.Form_Load();
    auto marcado = [&](const char* codigo) {
        return v.NodoPorClave(QString("A") + codigo)->checkState(0) == Qt::Checked;
    };
    v.NodoPorClave("A12")->setCheckState(0, Qt::Checked);  // as the user ticks it
    for (const char* c : {"12", "123", "1234", "12345", "123456", "1234567", "12345678"})
        EXPECT_TRUE(marcado(c)) << c;
    EXPECT_FALSE(marcado("1"));
    v.NodoPorClave("A1")->setCheckState(0, Qt::Checked);
    v.NodoPorClave("A1")->setCheckState(0, Qt::Unchecked);
    for (const char* c : {"12", "123", "1234", "12345", "123456", "1234567"}) EXPECT_FALSE(marcado(c)) << c;
    EXPECT_TRUE(marcado("12345678"));  // seventh generation below 1
    EXPECT_FALSE(marcado("2"));
}

TEST_F(TreeLookup, AcceptanceConfirmsTheCodeInCostCentresThenAccounts) {
    // "7 " is stored with a blank in the cost centres, "7" in the accounts: the first table wins.
    base_.ejecutar("INSERT INTO TA_CCOSTO (Codigo, DESCRIPCION) VALUES ('7 ', 'SIETE')");
    base_.ejecutar("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('7', 'SIETE')");
    auto elige = [&](const QString& clave) {
        DialogosGuionados guion;
        guion.esperarModal([&](QWidget* w) {
            auto* v = static_cast<Lib_FrmCons3Tree*>(w);
            Control<QTreeWidget>(*v, "TreeV")->setCurrentItem(v->NodoPorClave(clave));
            Control<QPushButton>(*v, "CmdAceptar")->click();
        });
        gConsulta().CampoDevuelto = "CODIGO";
        Lib_FrmCons3Tree::Consulta(gConsulta(), "SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY CODIGO");
        return gConsulta().ValorDevuelto.toString();
    };
    EXPECT_EQ(elige("A7"), "7 ");
    EXPECT_EQ(elige("A51"), "51");  // an account only
    EXPECT_EQ(elige("A"), "");      // the root's empty code is in neither
    ASSERT_TRUE(gConsulta().Valores);
    EXPECT_TRUE(gConsulta().Valores->isEmpty());
}

TEST_F(TreeLookup, AFamilyIsConfirmedInTheFamilyTable) {
    DialogosGuionados guion;
    guion.esperarModal([&](QWidget* w) {
        auto* v = static_cast<Lib_FrmCons3Tree*>(w);
        Escribe(*v, "lacteos");
        ASSERT_EQ(Control<QTreeWidget>(*v, "TreeV")->currentItem(), v->NodoPorClave("A0101"));
        QCoreApplication::processEvents();  // lays the opened branch out
        const QPoint p = Control<QTreeWidget>(*v, "TreeV")
                             ->visualItemRect(Control<QTreeWidget>(*v, "TreeV")->currentItem())
                             .center();
        QTest::mouseClick(Control<QTreeWidget>(*v, "TreeV")->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(Control<QTreeWidget>(*v, "TreeV")->viewport(), Qt::LeftButton, {}, p);
    });
    gConsulta().CampoDevuelto = "IdFamilia";
    Lib_FrmCons3Tree::Consulta(gConsulta(), "SELECT IdFamilia, Descripcion FROM V_TA_FAMILIAS");
    EXPECT_EQ(gConsulta().ValorDevuelto.toString(), "0101");
}

TEST_F(TreeLookup, CheckModeReturnsTheCheckedCodesAndCancelReturnsNothing) {
    {
        DialogosGuionados guion;
        guion.esperarModal([&](QWidget* w) {
            auto* v = static_cast<Lib_FrmCons3Tree*>(w);
            v->NodoPorClave("A")->setCheckState(0, Qt::Checked);
            v->NodoPorClave("A11")->setCheckState(0, Qt::Unchecked);
            v->NodoPorClave("A3")->setCheckState(0, Qt::Unchecked);
            Control<QPushButton>(*v, "CmdAceptar")->click();
        });
        gConsulta().CampoDevuelto = "CODIGO";
        gConsulta().Checks = true;
        gConsulta().ValorDevuelto = "previo";
        Lib_FrmCons3Tree::Consulta(gConsulta(), kCentros);
    }
    EXPECT_FALSE(gConsulta().Checks);
    EXPECT_EQ(gConsulta().ValorDevuelto.toString(), "");  // the window's, not the previous one
    ASSERT_TRUE(gConsulta().Valores);
    EXPECT_EQ(*gConsulta().Valores, (QVariantList{"", "1", "12", "2", "21", "22", "ADM", "VTA"}));

    DialogosGuionados guion;
    guion.esperarModal([&](QWidget* w) {
        auto* v = static_cast<Lib_FrmCons3Tree*>(w);
        v->NodoPorClave("A1")->setCheckState(0, Qt::Checked);
        Control<QTreeWidget>(*v, "TreeV")->setCurrentItem(v->NodoPorClave("A1"));
        Control<QPushButton>(*v, "CmdCancelar")->click();
    });
    gConsulta().Checks = true;
    Lib_FrmCons3Tree::Consulta(gConsulta(), kCentros);
    EXPECT_EQ(gConsulta().ValorDevuelto.toString(), "");
    EXPECT_FALSE(gConsulta().Valores);
    EXPECT_FALSE(gConsulta().Checks);
}

TEST_F(TreeLookup, AcceptingWithoutASelectionIsReportedAndTheWindowStaysOpen) {
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbAbort);
    Lib_FrmCons3Tree v;
    Pide(v, [&](auto& p) { p.Sql = kCentros; });
    Pide(v, [&](auto& p) { p.CampoDevuelto = "CODIGO"; });
    v.Form_Load();
    v.show();
    Control<QTreeWidget>(v, "TreeV")->setCurrentItem(nullptr);
    v.CmdAceptar_Click();
    EXPECT_TRUE(v.isVisible());
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_TRUE(guion.preguntas()[0].titulo.contains("CmdAceptar_Click"));
}

TEST_F(TreeLookup, ConsultaSearchWithTheTreeFlagShowsTheTreeAndReturnsTheChoice) {
    DialogosGuionados guion;
    guion.esperarModal([&](QWidget* w) {
        auto* v = qobject_cast<Lib_FrmCons3Tree*>(w);
        ASSERT_NE(v, nullptr);
        Escribe(*v, "ventas m");
        Control<QPushButton>(*v, "CmdAceptar")->click();
    });
    Lib_ClsCons3& c = BuscaCentroEnArbol();
    EXPECT_EQ(c.ValorDevuelto.toString(), "21");
    EXPECT_EQ(c.CampoDevuelto, "");  // the lookup is reset for the next one
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(guion.preguntas()[0].texto, "Consulta...");
}

TEST_F(TreeLookup, TheWindowOpensOnTheSearchBoxSoTypingAndF5NarrowTheTree) {
    DialogosGuionados guion;
    guion.esperarModal([&](QWidget* w) {
        auto* v = qobject_cast<Lib_FrmCons3Tree*>(w);
        ASSERT_NE(v, nullptr);
        QApplication::setActiveWindow(v);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), Control<QComboBox>(*v, "CmbSearch", 0));
        Teclea("caja");
        Tecla(Qt::Key_F5);
        EXPECT_EQ(Control<QComboBox>(*v, "CmbSearch", 0)->currentText(), "");
        EXPECT_EQ(Padres(*v), (QMap<QString, QString>{{"A3", "A"}}));
        Tecla(Qt::Key_Down);
        Tecla(Qt::Key_Down);
        Control<QPushButton>(*v, "CmdAceptar")->click();
    });
    Lib_ClsCons3& c = BuscaCentroEnArbol();
    EXPECT_EQ(c.ValorDevuelto.toString(), "3");
}

// "&Aceptar" is the default button and "&Cancelar" the cancel one: Enter accepts and Escape
// cancels from the search box and from the tree, as in the list window.
TEST_F(TreeLookup, EnterAcceptsAndEscapeCancelsFromEveryControl) {
    const auto teclea = [&](bool enArbol, Qt::Key tecla) {
        DialogosGuionados guion;
        guion.esperarModal([&](QWidget* w) {
            auto* v = static_cast<Lib_FrmCons3Tree*>(w);
            Muestra(*v);
            Control<QTreeWidget>(*v, "TreeV")->setCurrentItem(v->NodoPorClave("A21"));
            if (enArbol) Control<QTreeWidget>(*v, "TreeV")->setFocus();
            QApplication::processEvents();
            QTest::keyClick(QApplication::focusWidget(), tecla);
            EXPECT_FALSE(v->isVisible());
        });
        gConsulta().ValorDevuelto = "previo";
        gConsulta().CampoDevuelto = "CODIGO";
        Lib_FrmCons3Tree::Consulta(gConsulta(), kCentros);
        return gConsulta().ValorDevuelto.toString();
    };
    EXPECT_EQ(teclea(false, Qt::Key_Return), "21");
    EXPECT_EQ(teclea(true, Qt::Key_Enter), "21");
    EXPECT_EQ(teclea(false, Qt::Key_Escape), "");
    EXPECT_EQ(teclea(true, Qt::Key_Escape), "");
}
