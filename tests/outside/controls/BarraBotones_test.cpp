#include "outside/controls/BarraBotones.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* Vista(vb::BarraBotones& barra, int i) {
    return qobject_cast<QToolButton*>(barra.widgetForAction(barra.Buttons(i)));
}

}  // namespace

// Every button of the toolbar is reached by the keyboard: by Tab, and by an Alt-letter of its own
// caption that no other caption of the window takes; its text, which the window reads, stays.
TEST(BarraBotones, EveryButtonTakesTabAndAnAltLetterOfItsOwnThatPressesIt) {
    QWidget ventana;
    auto* capa = new QVBoxLayout(&ventana);
    auto* casilla = new QCheckBox("&Usa Centros de Costos", &ventana);
    auto* barra = new vb::BarraBotones(&ventana);
    capa->addWidget(casilla);
    capa->addWidget(barra);
    for (const char* t :
         {"Datos Adicionales", "Manual de Cuentas", "Centros de Costos", "Actualizar Cash Flow"})
        barra->AgregaBoton(QString::fromUtf8(t));
    barra->AgregaBoton(QString::fromUtf8("Adjuntar Jerarquías "), true);
    ventana.show();
    QApplication::setActiveWindow(&ventana);
    QApplication::processEvents();

    QStringList letras;
    for (int i = 1; i <= barra->Count(); ++i) {
        QToolButton* b = Vista(*barra, i);
        ASSERT_TRUE(b);
        // Never folded away into the toolbar's overflow menu.
        EXPECT_TRUE(b->isVisible()) << b->text().toStdString();
        EXPECT_TRUE(b->focusPolicy() & Qt::TabFocus) << b->text().toStdString();
        const QKeySequence tecla = QKeySequence::mnemonic(b->text());
        ASSERT_FALSE(tecla.isEmpty()) << b->text().toStdString();
        letras << tecla.toString();
    }
    // "Centros de Costos" cannot take C twice, nor "Actualizar Cash Flow" the check box's U.
    EXPECT_EQ(letras, QStringList({"Alt+D", "Alt+M", "Alt+C", "Alt+A", "Alt+J"}));
    EXPECT_EQ(barra->Buttons(5)->text(), QString::fromUtf8("Adjuntar Jerarquías "));

    // The letter presses its button, and only it.
    QList<QAction*> pulsados;
    QObject::connect(barra, &vb::BarraBotones::ButtonClick, [&](QAction* a) { pulsados << a; });
    casilla->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_M, Qt::AltModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_J, Qt::AltModifier);
    EXPECT_EQ(pulsados, (QList<QAction*>{barra->Buttons(2), barra->Buttons(5)}));
    EXPECT_EQ(barra->Value(5), 1);
    // A hidden button answers no key.
    barra->Buttons(3)->setVisible(false);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(pulsados.size(), 2);
}
