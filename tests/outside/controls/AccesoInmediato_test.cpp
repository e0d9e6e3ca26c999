// A button's Alt-letter acts before the next key is read, whatever the kind of button.
#include "outside/controls/BarraBotones.h"
#include "outside/runtime/DialogosQt.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>

#include "support/AlAparecer.h"

namespace {

// A window that saves on F4, as the program's windows do, remembering what it saw then.
class Ventana : public QWidget {
  public:
    std::function<bool()> hecho;
    int grabaciones = 0;
    bool hechoAlGrabar = false;

  protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() != Qt::Key_F4) return QWidget::keyPressEvent(e);
        ++grabaciones;
        hechoAlGrabar = hecho();
    }
};

struct Pulsacion {
    const char* boton;
    Qt::Key letra;
    // Adds the button to the window and says whether it has acted.
    std::function<std::function<bool()>(Ventana&, QVBoxLayout&)> crea;
    // Where the keyboard is after the letter: on the button (as a click puts it), else on the field.
    bool focoEnBoton;
};

// A button that a click ticks: it has acted when it is ticked.
template <class Boton>
std::function<std::function<bool()>(Ventana&, QVBoxLayout&)> Marcable(const char* texto) {
    return [texto](Ventana& v, QVBoxLayout& capa) -> std::function<bool()> {
        auto* b = new Boton(texto, &v);
        capa.addWidget(b);
        return [b] { return b->isChecked(); };
    };
}

void Letra(Qt::Key letra) {
    QTest::keyClick(QApplication::focusWidget(), letra, Qt::AltModifier);
}

}  // namespace

// The letter, then F4 at once, with nothing run between them but the keys' own delivery: the
// save sees the button's action done, and the keyboard is where a click would have put it.
TEST(AccesoInmediato, EveryKindOfButtonActsOnItsAltLetterBeforeTheNextKey) {
    const QList<Pulsacion> filas = {
        {"check box", Qt::Key_U, Marcable<QCheckBox>("&Usa Centros de Costos"), true},
        {"option button", Qt::Key_L, Marcable<QRadioButton>("Asignar a &Libro de I.V.A. Compras"), true},
        {"push button", Qt::Key_A,
         [](Ventana& v, QVBoxLayout& capa) -> std::function<bool()> {
             auto* b = new QPushButton("&Aceptar", &v);
             capa.addWidget(b);
             auto clics = std::make_shared<int>(0);
             QObject::connect(b, &QPushButton::clicked, [clics] { ++*clics; });
             return [clics] { return *clics == 1; };
         },
         true},
        {"side toolbar button", Qt::Key_M,
         [](Ventana& v, QVBoxLayout& capa) -> std::function<bool()> {
             auto* barra = new vb::BarraBotones(&v);
             capa.addWidget(barra);
             barra->AgregaBoton("Datos Adicionales");
             QAction* manual = barra->AgregaBoton("Manual de Cuentas");
             auto pulsados = std::make_shared<QList<QAction*>>();
             QObject::connect(barra, &vb::BarraBotones::ButtonClick,
                              [pulsados](QAction* a) { *pulsados << a; });
             return [pulsados, manual] { return *pulsados == QList<QAction*>{manual}; };
         },
         false},
        {"two-state side toolbar button", Qt::Key_A,
         [](Ventana& v, QVBoxLayout& capa) -> std::function<bool()> {
             auto* barra = new vb::BarraBotones(&v);
             capa.addWidget(barra);
             barra->AgregaBoton(QString::fromUtf8("Adjuntar Jerarquías "), true);
             return [barra] { return barra->Value(1) == 1; };
         },
         false},
    };
    for (const Pulsacion& fila : filas) {
        SCOPED_TRACE(fila.boton);
        Ventana v;
        auto* capa = new QVBoxLayout(&v);
        auto* campo = new QLineEdit(&v);
        capa->addWidget(campo);
        v.hecho = fila.crea(v, *capa);
        v.show();
        QApplication::setActiveWindow(&v);
        QApplication::processEvents();
        campo->setFocus();
        ASSERT_FALSE(v.hecho());

        Letra(fila.letra);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
        EXPECT_EQ(v.grabaciones, 1);
        EXPECT_TRUE(v.hechoAlGrabar);
        EXPECT_EQ(QApplication::focusWidget() != campo, fila.focoEnBoton);
        // Once: nothing is left to click it again later.
        QApplication::processEvents();
        EXPECT_TRUE(v.hecho());
    }
}

// A message box answers its Alt-letter at once: closed with that answer before any other key.
TEST(AccesoInmediato, AMessageBoxButtonAnswersOnItsAltLetter) {
    vb::DialogosQt d;
    bool abiertaTrasLaLetra = true;
    AlAparecer<QMessageBox>([&](QMessageBox* caja) {
        QApplication::setActiveWindow(caja);
        Letra(Qt::Key_S);
        abiertaTrasLaLetra = caja->isVisible();
        if (caja->isVisible()) caja->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(d.MsgBox(QString::fromUtf8("¿Reintenta?"), vb::vbYesNo + vb::vbCritical + vb::vbDefaultButton2,
                       QString::fromUtf8("Conexión")),
              vb::vbYes);
    EXPECT_FALSE(abiertaTrasLaLetra);
}

// A letter two buttons share only moves the keyboard between them; a letter whose move the field
// being left refuses (it keeps the keyboard) clicks nothing, as a click would not either.
TEST(AccesoInmediato, ASharedLetterMovesTheKeyboardAndARefusedMoveClicksNothing) {
    class Terco : public QLineEdit {
      public:
        bool retiene = false;

      protected:
        void focusOutEvent(QFocusEvent* e) override {
            QLineEdit::focusOutEvent(e);
            if (retiene) setFocus();
        }
    };
    QWidget v;
    auto* capa = new QVBoxLayout(&v);
    auto* campo = new Terco;
    auto* uno = new QCheckBox("&Usa Centros de Costos");
    auto* otro = new QCheckBox("&Unidad de Negocio");
    auto* aceptar = new QPushButton("&Aceptar");
    for (QWidget* w : std::initializer_list<QWidget*>{campo, uno, otro, aceptar}) capa->addWidget(w);
    int clics = 0;
    QObject::connect(aceptar, &QPushButton::clicked, [&] { ++clics; });
    v.show();
    QApplication::setActiveWindow(&v);
    QApplication::processEvents();

    campo->setFocus();
    Letra(Qt::Key_U);
    EXPECT_EQ(QApplication::focusWidget(), uno);
    Letra(Qt::Key_U);
    EXPECT_EQ(QApplication::focusWidget(), otro);
    QApplication::processEvents();
    EXPECT_FALSE(uno->isChecked());
    EXPECT_FALSE(otro->isChecked());

    campo->setFocus();
    campo->retiene = true;
    Letra(Qt::Key_A);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), campo);
    EXPECT_EQ(clics, 0);
    campo->retiene = false;
    Letra(Qt::Key_A);
    EXPECT_EQ(clics, 1);
}
