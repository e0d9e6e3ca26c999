#include "outside/controls/ListaAccesible.h"

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

// A list box beside its label, as a form lays them out.
struct Formulario {
    QWidget ventana;
    QLabel* etiqueta = new QLabel("&Moneda", &ventana);
    QComboBox* lista = new QComboBox(&ventana);
    Formulario() {
        auto* capa = new QHBoxLayout(&ventana);
        capa->addWidget(etiqueta);
        capa->addWidget(lista);
        etiqueta->setBuddy(lista);
        lista->addItems({"PESOS", "DOLARES", "EUROS"});
        ventana.show();
        QApplication::processEvents();
    }
    QAccessibleInterface* interfaz() const { return QAccessible::queryAccessibleInterface(lista); }
};

TEST(ListBoxAccessibility, NamedByItsCaptionValuedByItsEntry) {
    Formulario f;
    QAccessibleInterface* i = f.interfaz();
    ASSERT_NE(i, nullptr);
    EXPECT_EQ(i->role(), QAccessible::ComboBox);
    f.lista->setCurrentIndex(2);
    EXPECT_EQ(i->text(QAccessible::Name), "Moneda");
    EXPECT_EQ(i->text(QAccessible::Value), "EUROS");
    // A name given is read before the label's.
    f.lista->setAccessibleName("Moneda de la cuenta");
    EXPECT_EQ(i->text(QAccessible::Name), "Moneda de la cuenta");
    // Without either, the entry shown, never nothing.
    f.lista->setAccessibleName(QString());
    f.etiqueta->setBuddy(nullptr);
    EXPECT_EQ(i->text(QAccessible::Name), "EUROS");
}

TEST(ListBoxAccessibility, ItsListAndTextBoxAreItsChildrenAndItOpensOnRequest) {
    Formulario f;
    QAccessibleInterface* i = f.interfaz();
    ASSERT_EQ(i->childCount(), 1);
    ASSERT_NE(i->child(0), nullptr);
    EXPECT_EQ(i->child(0)->object(), f.lista->view());
    EXPECT_EQ(i->indexOfChild(i->child(0)), 0);
    EXPECT_EQ(i->child(1), nullptr);

    f.lista->setEditable(true);
    ASSERT_EQ(i->childCount(), 2);
    EXPECT_EQ(i->child(1)->object(), f.lista->lineEdit());
    EXPECT_EQ(i->indexOfChild(i->child(1)), 1);
    EXPECT_TRUE(i->state().editable);
    f.lista->lineEdit()->setText("LIBRAS");
    EXPECT_EQ(i->text(QAccessible::Value), "LIBRAS");
    EXPECT_EQ(i->text(QAccessible::Name), "Moneda");

    QAccessibleActionInterface* acciones = i->actionInterface();
    ASSERT_NE(acciones, nullptr);
    ASSERT_TRUE(acciones->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
    EXPECT_FALSE(i->state().expanded);
    acciones->doAction(QAccessibleActionInterface::showMenuAction());
    QApplication::processEvents();
    EXPECT_TRUE(f.lista->view()->isVisible());
    EXPECT_TRUE(i->state().expanded);
    acciones->doAction(QAccessibleActionInterface::showMenuAction());
    QApplication::processEvents();
    EXPECT_FALSE(f.lista->view()->isVisible());
}

}  // namespace
