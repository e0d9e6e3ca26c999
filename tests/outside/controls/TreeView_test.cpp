// The tree control keeps every node and makes an item only for the nodes shown: a parent's
// children get theirs when it opens or when one of them is asked for, in the order the nodes
// were added, with their marks.
#include "outside/controls/TreeView.h"

#include "outside/runtime/ErrorVB.h"
#include "support/ImprimeQt.h"

#include <gtest/gtest.h>
#include <QSignalSpy>
#include <QTreeWidgetItemIterator>
#include <functional>

namespace {

// Root "A" (open), then codes under their parents as the chart's rows come: 1, 11, 111, 12, 2, 21.
void Arma(vb::TreeView& t) {
    t.Add(QString(), vb::TreeView::tvwLast, "A", "Plan")->setExpanded(true);
    t.IniciarCarga();
    const int raiz = t.Indice("A");
    const int uno = t.AgregaCodigo(raiz, "1", "D1");
    const int once = t.AgregaCodigo(uno, "11", "D11");
    t.AgregaCodigo(once, "111", "D111");
    t.AgregaCodigo(uno, "12", "D12");
    t.AgregaCodigo(t.AgregaCodigo(raiz, "2", "D2"), "21", "D21");
    t.TerminarCarga();
}

// The number of the error the step raises; 0 when it runs through.
int NumeroDeError(const std::function<void()>& paso) {
    try {
        paso();
    } catch (const vb::ErrorVB& e) {
        return e.Number;
    }
    return 0;
}

int Items(vb::TreeView& t) {
    int n = 0;
    for (QTreeWidgetItemIterator it(&t); *it; ++it) ++n;
    return n;
}

QStringList Hijos(vb::TreeView& t, const QString& clave) {
    QStringList textos;
    QTreeWidgetItem* p = t.Nodo(clave);
    for (int i = 0; i < p->childCount(); ++i) textos << p->child(i)->text(0);
    return textos;
}

}  // namespace

TEST(TreeView, ItemsComeOnlyForTheNodesShownAndInTheOrderTheyWereAdded) {
    vb::TreeView t;
    Arma(t);
    ASSERT_EQ(t.Count(), 7);
    QStringList claves;
    for (int i = 1; i <= t.Count(); ++i) claves << t.Key(i);
    EXPECT_EQ(claves, (QStringList{"A", "A1", "A11", "A111", "A12", "A2", "A21"}));
    // The open root shows its children; theirs wait, with the sign that they have some.
    EXPECT_EQ(Items(t), 3);
    QTreeWidgetItem* uno = t.topLevelItem(0)->child(0);
    EXPECT_EQ(uno->text(0), "1 - D1");
    EXPECT_EQ(uno->childCount(), 0);
    EXPECT_EQ(uno->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    uno->setExpanded(true);
    EXPECT_EQ(Hijos(t, "A1"), (QStringList{"11 - D11", "12 - D12"}));
    EXPECT_EQ(Items(t), 5);
    // A node asked for by key comes with its branch.
    QTreeWidgetItem* hondo = t.Nodo("A111");
    ASSERT_NE(hondo, nullptr);
    EXPECT_EQ(hondo->text(0), "111 - D111");
    EXPECT_EQ(t.Clave(hondo->parent()), "A11");
    EXPECT_EQ(t.Clave(hondo->parent()->parent()), "A1");
    EXPECT_EQ(t.ClaveSeleccionada(), "");
    EXPECT_TRUE(t.Selecciona("A21"));
    EXPECT_EQ(t.ClaveSeleccionada(), "A21");
    EXPECT_FALSE(t.Selecciona("A9"));
    // A key already in the tree gets no second node.
    EXPECT_EQ(t.AgregaCodigo(t.Indice("A"), "1", "OTRA"), -1);
    EXPECT_EQ(t.Count(), 7);
    EXPECT_EQ(t.TextoDe(t.Indice("A1")), "1 - D1");
}

TEST(TreeView, NodesAddedAndRemovedKeepKeysOrderAndItemsTogether) {
    vb::TreeView t;
    Arma(t);
    // Relative to a node whose item is not made yet: the branch is made first.
    t.Add("A21", vb::TreeView::tvwNext, "A23", "23 - D23");
    t.Add("A23", vb::TreeView::tvwPrevious, "A22", "22 - D22");
    t.Add("A21", vb::TreeView::tvwFirst, "A20", "20 - D20");
    t.Add("A2", vb::TreeView::tvwChild, "A29", "29 - D29");
    EXPECT_EQ(Hijos(t, "A2"), (QStringList{"20 - D20", "21 - D21", "22 - D22", "23 - D23", "29 - D29"}));
    EXPECT_EQ(NumeroDeError([&] { t.Add("A2", vb::TreeView::tvwChild, "A21", "x"); }),
              vb::TreeView::kClaveRepetida);
    EXPECT_EQ(NumeroDeError([&] { t.Add("A7", vb::TreeView::tvwChild, "A71", "x"); }),
              vb::TreeView::kElementoNoEncontrado);

    t.Remove("A1");
    for (const char* fuera : {"A1", "A11", "A111", "A12"}) EXPECT_FALSE(t.Existe(fuera)) << fuera;
    ASSERT_EQ(t.Count(), 7);
    QStringList claves;
    for (int i = 1; i <= t.Count(); ++i) claves << t.Key(i);
    EXPECT_EQ(claves, (QStringList{"A", "A2", "A21", "A23", "A22", "A20", "A29"}));
    EXPECT_EQ(t.topLevelItem(0)->childCount(), 1);
    // The key is free again, and the node goes where a new one goes.
    const int uno = t.AgregaCodigo(t.Indice("A"), "1", "NUEVA");
    ASSERT_GE(uno, 0);
    EXPECT_EQ(Hijos(t, "A"), (QStringList{"2 - D2", "1 - NUEVA"}));
    t.Remove("A9");  // unknown: nothing
    EXPECT_EQ(t.Count(), 8);
}

TEST(TreeView, AMarkHoldsWhetherOrNotTheNodesItemIsMadeAndOnlyTheUsersChangeIsAnEvent) {
    vb::TreeView t;
    t.setCasillas(true);
    Arma(t);
    QSignalSpy marcas(&t, &vb::TreeView::NodeCheck);
    const int hondo = t.Indice("A111");
    t.setMarcado(hondo, true);
    EXPECT_TRUE(t.Marcado(hondo));
    EXPECT_EQ(t.Nodo("A111")->checkState(0), Qt::Checked);
    EXPECT_EQ(t.Nodo("A12")->checkState(0), Qt::Unchecked);
    t.setMarcado(t.Indice("A12"), true);  // its item made: it follows
    EXPECT_EQ(t.Nodo("A12")->checkState(0), Qt::Checked);
    EXPECT_EQ(marcas.count(), 0);
    // The user's click on a box.
    t.Nodo("A2")->setCheckState(0, Qt::Checked);
    ASSERT_EQ(marcas.count(), 1);
    EXPECT_EQ(marcas.at(0).at(0).toInt(), t.Indice("A2"));
    EXPECT_TRUE(t.Marcado(t.Indice("A2")));
    t.Nodo("A2")->setText(0, "otro texto");  // not a change of its box
    EXPECT_EQ(marcas.count(), 1);
}

TEST(TreeView, TheLongestBeginningIgnoringCaseIsTheFirstOfEqualKeys) {
    vb::TreeView t;
    t.setIndiceSinCaso(true);
    t.Add(QString(), vb::TreeView::tvwLast, "A", "Consulta...");
    const int raiz = t.Indice("A");
    const int minuscula = t.AgregaCodigo(raiz, "1a", "x");
    ASSERT_GE(t.AgregaCodigo(raiz, "1A", "y"), 0);  // another key, the same ignoring case
    const int enie = t.AgregaCodigo(raiz, "ñ", "z");
    EXPECT_EQ(t.PrefijoDeCodigo("1A5"), minuscula);
    EXPECT_EQ(t.PrefijoDeCodigo("1a"), minuscula);
    EXPECT_EQ(t.PrefijoDeCodigo("Ñ9"), enie);
    EXPECT_EQ(t.PrefijoDeCodigo("1"), raiz);
    EXPECT_EQ(t.PrefijoDeCodigo("9"), raiz);
    EXPECT_EQ(t.PrefijoDeCodigo(""), raiz);
}
