#include "outside/runtime/Pantalla.h"

#include "outside/controls/FlexGrid.h"
#include "outside/controls/Teclas.h"
#include "support/Pantallas.h"
#include "support/Teclado.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QGridLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>
#include <functional>

namespace {

// A form of a grid of boxes, each at least 100x30, with a button below: its least size grows
// with the rows and columns asked for.
class Formulario : public QWidget {
  public:
    Formulario(int filas, int columnas) {
        auto* rejilla = new QGridLayout(this);
        for (int f = 0; f < filas; ++f)
            for (int c = 0; c < columnas; ++c) {
                auto* caja = new QLineEdit(this);
                caja->setObjectName(QStringLiteral("caja_%1_%2").arg(f).arg(c));
                caja->setMinimumSize(100, 30);
                rejilla->addWidget(caja, f, c);
            }
        boton = new QPushButton("Aceptar", this);
        boton->setObjectName("boton");
        rejilla->addWidget(boton, filas, 0);
        oculto = new QPushButton("Oculto", this);
        oculto->setObjectName("oculto");
        oculto->hide();
        rejilla->addWidget(oculto, filas, 1);
    }
    QPushButton* boton = nullptr;
    QPushButton* oculto = nullptr;
};

QScreen* Pantalla(const char* nombre) {
    QScreen* s = PantallaDePrueba(nombre);
    if (!s) ADD_FAILURE() << "sin la pantalla " << nombre;
    return s;
}

void Muestra(QWidget& v, QScreen* pantalla) {
    v.setScreen(pantalla);
    vb::MuestraVentana(&v);
    QApplication::processEvents();
}

}  // namespace

TEST(ScreenFit, AWindowThatFitsKeepsItsOwnSizeAndIsCentredByIt) {
    QScreen* pantalla = Pantalla("1280x1024");
    ASSERT_TRUE(pantalla);
    // Never sized by its program: it opens at its contents' size, not at a default one.
    Formulario propio(2, 2);
    const QSize contenido = propio.sizeHint();
    Muestra(propio, pantalla);
    EXPECT_EQ(propio.size(), contenido);
    EXPECT_TRUE(EnteraEnPantalla(&propio, pantalla));
    // Sized by its program: it keeps that size.
    Formulario disenado(2, 2);
    disenado.resize(700, 500);
    Muestra(disenado, pantalla);
    EXPECT_EQ(disenado.size(), QSize(700, 500));
    EXPECT_TRUE(EnteraEnPantalla(&disenado, pantalla));
    EXPECT_EQ(disenado.findChild<QScrollArea*>(), nullptr);
}

TEST(ScreenFit, AWindowLargerThanTheScreenFillsItAndItsControlsScrollIntoViewWithTheKeyboard) {
    QScreen* pantalla = Pantalla("512x384");
    ASSERT_TRUE(pantalla);
    Formulario v(16, 6);  // at least 600x480 of boxes
    auto* primera = v.findChild<QLineEdit*>("caja_0_0");
    primera->setFocus();
    Muestra(v, pantalla);
    const QRect area = pantalla->availableGeometry();
    EXPECT_TRUE(EnteraEnPantalla(&v, pantalla));
    EXPECT_EQ(v.frameGeometry().size(), area.size());
    // Every control is still there, the hidden one still hidden, and the keyboard where it was.
    EXPECT_EQ(v.findChildren<QLineEdit*>().size(), 96);
    EXPECT_TRUE(v.boton->isVisible());
    EXPECT_FALSE(v.oculto->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), primera);
    // A control reached by the keyboard beyond the window's edge comes into view.
    auto* ultima = v.findChild<QLineEdit*>("caja_15_5");
    ultima->setFocus();
    QApplication::processEvents();
    const QRect enVentana(ultima->mapTo(&v, QPoint()), ultima->size());
    EXPECT_TRUE(v.rect().contains(enVentana)) << enVentana.x() << "," << enVentana.y();
}

TEST(ScreenFit, AWindowWithoutALayoutIsSizedToTheScreenAndLaysItselfOut) {
    QScreen* pantalla = Pantalla("512x384");
    ASSERT_TRUE(pantalla);
    QWidget v;
    auto* caja = new QLineEdit(&v);
    v.resize(900, 700);
    Muestra(v, pantalla);
    EXPECT_TRUE(EnteraEnPantalla(&v, pantalla));
    EXPECT_EQ(v.findChild<QScrollArea*>(), nullptr);
    EXPECT_EQ(caja->parentWidget(), &v);
}

TEST(ScreenFit, AWindowPushedPastTheScreensEdgeComesBackWhole) {
    QScreen* pantalla = Pantalla("1024x768");
    ASSERT_TRUE(pantalla);
    Formulario v(2, 2);
    v.resize(600, 400);
    Muestra(v, pantalla);
    const QRect area = pantalla->availableGeometry();
    v.move(area.left() - 50, area.top() - 50);
    ASSERT_FALSE(area.contains(v.frameGeometry()));
    vb::MantieneEnPantalla(&v);
    EXPECT_TRUE(area.contains(v.frameGeometry()));
    EXPECT_EQ(v.size(), QSize(600, 400));
}

// A window whose contents scroll sideways takes the screen's height as its contents grow, rather
// than scrolling both ways while the screen has room.
TEST(ScreenFit, ScrollingContentsThatGrowTakeTheRoomTheScreenStillHas) {
    QScreen* pantalla = Pantalla("512x384");
    ASSERT_TRUE(pantalla);
    Formulario v(2, 7);  // wider than the screen, two rows high
    Muestra(v, pantalla);
    auto* d = v.findChild<QScrollArea*>();
    ASSERT_TRUE(d);
    const int antes = v.height();
    ASSERT_LT(antes, pantalla->availableGeometry().height() - 40);
    v.oculto->show();
    v.oculto->setMinimumHeight(120);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_GT(v.height(), antes);
    EXPECT_EQ(d->verticalScrollBar()->maximum(), 0);
    EXPECT_TRUE(EnteraEnPantalla(&v, pantalla, false));
}

// A window that fitted when it opened, whose contents come to need more than the screen (a list
// box grown for its entries), stays on the screen, and its contents scroll, the keyboard where it was.
TEST(ScreenFit, ContentsThatOutgrowTheScreenLaterScrollInsideIt) {
    QScreen* pantalla = Pantalla("512x384");
    ASSERT_TRUE(pantalla);
    Formulario v(2, 2);
    auto* primera = v.findChild<QLineEdit*>("caja_0_0");
    primera->setFocus();
    Muestra(v, pantalla);
    ASSERT_EQ(v.findChild<QScrollArea*>(), nullptr);
    v.boton->setMinimumWidth(900);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_NE(v.findChild<QScrollArea*>(), nullptr);
    EXPECT_TRUE(EnteraEnPantalla(&v, pantalla, false));
    EXPECT_EQ(QApplication::focusWidget(), primera);
    // Every control still shown, the hidden one still hidden.
    EXPECT_TRUE(v.boton->isVisible());
    EXPECT_TRUE(primera->isVisible());
    EXPECT_FALSE(v.oculto->isVisible());
}

// A control whose leaving keeps its window on the screen (as the chart's fields, through the
// account tree, do): the contents moved into a scroll area, which takes the keyboard from it, are
// moved once, whole.
class Vigilante : public QLineEdit {
  public:
    Vigilante(QWidget* ventana) : QLineEdit(ventana), ventana_(ventana) {}

  protected:
    void focusOutEvent(QFocusEvent* e) override {
        QLineEdit::focusOutEvent(e);
        vb::MantieneEnPantalla(ventana_);
    }

  private:
    QWidget* ventana_;
};

TEST(ScreenFit, AControlThatKeepsItsWindowOnTheScreenOnLeavingDoesNotSplitTheContents) {
    QScreen* pantalla = Pantalla("512x384");
    ASSERT_TRUE(pantalla);
    Formulario v(2, 2);
    auto* vigilante = new Vigilante(&v);
    vigilante->setObjectName("vigilante");
    v.layout()->addWidget(vigilante);
    auto* suelto = new QPushButton("Suelto", &v);  // placed by hand, beside the layout
    suelto->setObjectName("suelto");
    vigilante->setFocus();
    Muestra(v, pantalla);
    ASSERT_EQ(QApplication::focusWidget(), vigilante);
    v.boton->setMinimumWidth(900);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(v.findChildren<QScrollArea*>().size(), 1);
    auto* area = v.findChild<QScrollArea*>();
    ASSERT_TRUE(area && area->widget());
    for (QWidget* w :
         {static_cast<QWidget*>(v.boton), static_cast<QWidget*>(vigilante), static_cast<QWidget*>(suelto)}) {
        EXPECT_TRUE(area->widget()->isAncestorOf(w)) << w->objectName().toStdString();
        EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
    }
    EXPECT_TRUE(EnteraEnPantalla(&v, pantalla, false));
}

namespace {

// A grid wider and taller than the screen, eight columns of 150 pixels, in a window of its own.
struct Grilla {
    const char* nombre;
    std::function<QWidget*(QWidget*)> crea;      // made inside the window given
    std::function<QRect(QWidget*)> celdaActual;  // in the grid's coordinates
};

const Grilla kGrillas[] = {
    {"vb::FlexGrid",
     [](QWidget* ventana) {
         auto* g = new vb::FlexGrid(ventana);
         g->setRows(12);
         g->setCols(8);
         for (int c = 0; c < 8; ++c) g->setColWidth(c, vb::TwipsDePixeles(150));
         g->setRow(1);
         g->setCol(1);
         return g;
     },
     [](QWidget* w) {
         auto* g = static_cast<vb::FlexGrid*>(w);
         return QRect(vb::PixelesDeTwips(g->CellLeft()), vb::PixelesDeTwips(g->CellTop()),
                      vb::PixelesDeTwips(g->CellWidth()), vb::PixelesDeTwips(g->CellHeight()));
     }},
    {"QTableWidget",
     [](QWidget* ventana) {
         auto* t = new QTableWidget(12, 8, ventana);
         t->horizontalHeader()->setDefaultSectionSize(150);
         t->setCurrentCell(1, 1);
         return t;
     },
     [](QWidget* w) {
         auto* t = static_cast<QTableWidget*>(w);
         return t->visualRect(t->currentIndex()).translated(t->viewport()->pos());
     }},
};

}  // namespace

// In a window whose contents scroll, the view follows the grid's current cell as the keyboard
// moves it, so the cell is never shown in part.
TEST(ScreenFit, TheViewFollowsAGridsCurrentCellWhole) {
    QScreen* pantalla = Pantalla("512x384");
    ASSERT_TRUE(pantalla);
    for (const Grilla& tipo : kGrillas) {
        SCOPED_TRACE(tipo.nombre);
        QWidget v;
        auto* capa = new QVBoxLayout(&v);
        QWidget* grilla = tipo.crea(&v);
        grilla->setMinimumSize(8 * 150 + 60, 330);
        capa->addWidget(grilla);
        capa->addWidget(new QPushButton("Aceptar", &v));
        grilla->setFocus();
        Muestra(v, pantalla);
        auto* area = v.findChild<QScrollArea*>();
        ASSERT_TRUE(area);
        auto entera = [&] {
            const QRect celda =
                tipo.celdaActual(grilla).translated(grilla->mapTo(area->viewport(), QPoint()));
            return area->viewport()->rect().contains(celda);
        };
        EXPECT_TRUE(entera());
        for (int paso = 0; paso < 6; ++paso) {
            teclado::Tecla(Qt::Key_Right);
            QApplication::processEvents();
            EXPECT_TRUE(entera()) << "columna " << paso + 2;
        }
        for (int paso = 0; paso < 6; ++paso) {
            teclado::Tecla(Qt::Key_Left);
            QApplication::processEvents();
            EXPECT_TRUE(entera()) << "de vuelta, " << paso;
        }
    }
}
