// The program's own dialogs, driven offscreen.
#include "outside/runtime/DialogosQt.h"
#include "outside/runtime/Pantalla.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCloseEvent>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <algorithm>

#include "support/AlAparecer.h"
#include "support/ImprimeQt.h"
#include "support/Pantallas.h"
#include "support/Teclado.h"

using vb::DialogosQt;

namespace {

QStringList textos(QMessageBox* caja) {
    QStringList t;
    for (QAbstractButton* b : caja->buttons()) t << b->text();
    t.sort();
    return t;
}

// The button whose caption, without its Alt-letter mark, is texto.
QAbstractButton* boton(QWidget* dialogo, const QString& texto) {
    for (QAbstractButton* b : dialogo->findChildren<QAbstractButton*>())
        if (QString(b->text()).remove('&') == texto) return b;
    ADD_FAILURE() << "No hay botón " << texto.toStdString();
    return nullptr;
}

void escape(QWidget* w) {
    QKeyEvent e(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

}  // namespace

TEST(DialogosQt, YesNoHasSpanishButtonsTheStyleIconAndNoEscape) {
    DialogosQt d;
    AlAparecer<QMessageBox>([](QMessageBox* caja) {
        EXPECT_EQ(textos(caja), QStringList({"&No", "&Sí"}));
        EXPECT_EQ(caja->icon(), QMessageBox::Critical);
        EXPECT_EQ(caja->windowTitle(), "Conexión");
        EXPECT_EQ(caja->text(), "¿Reintenta?");
        ASSERT_NE(caja->defaultButton(), nullptr);
        EXPECT_EQ(caja->defaultButton()->text(), "&No");
        // The user must choose: Escape and the close button do nothing.
        escape(caja);
        caja->close();
        EXPECT_TRUE(caja->isVisible());
        // Answered from the keyboard, at once.
        QApplication::setActiveWindow(caja);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
        if (caja->isVisible()) {
            ADD_FAILURE() << "Alt+S no respondió";
            boton(caja, "Sí")->click();
        }
    });
    EXPECT_EQ(d.MsgBox("¿Reintenta?", vb::vbYesNo + vb::vbCritical + vb::vbDefaultButton2, "Conexión"),
              vb::vbYes);
}

TEST(DialogosQt, EveryButtonSetAnswersWithItsVbCode) {
    DialogosQt d;
    AlAparecer<QMessageBox>([](QMessageBox* caja) {
        EXPECT_EQ(textos(caja), QStringList({"&Anular", "&Omitir", "&Reintentar"}));
        EXPECT_EQ(caja->icon(), QMessageBox::Critical);
        EXPECT_EQ(caja->defaultButton()->text(), "&Anular");
        escape(caja);
        EXPECT_TRUE(caja->isVisible());
        boton(caja, "Omitir")->click();
    });
    EXPECT_EQ(d.MsgBox("Error", vb::vbAbortRetryIgnore + vb::vbCritical, "X"), vb::vbIgnore);

    AlAparecer<QMessageBox>([](QMessageBox* caja) {
        EXPECT_EQ(textos(caja), QStringList({"&Cancelar", "&No", "&Sí"}));
        EXPECT_EQ(caja->icon(), QMessageBox::Question);
        EXPECT_EQ(caja->defaultButton()->text(), "&Cancelar");
        escape(caja);
    });
    EXPECT_EQ(d.MsgBox("¿Guarda?", vb::vbYesNoCancel + vb::vbQuestion + vb::vbDefaultButton3, "X"),
              vb::vbCancel);

    AlAparecer<QMessageBox>([](QMessageBox* caja) {
        EXPECT_EQ(textos(caja), QStringList({"&Aceptar"}));
        EXPECT_EQ(caja->icon(), QMessageBox::Information);
        escape(caja);
    });
    EXPECT_EQ(d.MsgBox("Listo", vb::vbInformation, "X"), vb::vbOK);

    AlAparecer<QMessageBox>([](QMessageBox* caja) {
        EXPECT_EQ(textos(caja), QStringList({"&Cancelar", "&Reintentar"}));
        EXPECT_EQ(caja->icon(), QMessageBox::Warning);
        boton(caja, "Reintentar")->click();
    });
    EXPECT_EQ(d.MsgBox("Ocupado", vb::vbRetryCancel + vb::vbExclamation, "X"), vb::vbRetry);
}

TEST(DialogosQt, InputBoxGivesTheTextOrEmptyOnCancel) {
    DialogosQt d;
    AlAparecer<QInputDialog>([](QInputDialog* dlg) {
        EXPECT_EQ(dlg->windowTitle(), "Indices");
        EXPECT_EQ(dlg->labelText(), "Año");
        auto* caja = dlg->findChild<QLineEdit*>();
        ASSERT_NE(caja, nullptr);
        EXPECT_EQ(caja->text(), "2022");
        caja->setText("2024");
        boton(dlg, "Aceptar")->click();
    });
    EXPECT_EQ(d.InputBox("Año", "Indices", "2022"), "2024");

    AlAparecer<QInputDialog>([](QInputDialog* dlg) { boton(dlg, "Cancelar")->click(); });
    EXPECT_EQ(d.InputBox("Año", "Indices", "2022"), "");
}

namespace {
struct FormularioQueNoCierra : QWidget {
    int negativas = 1;
    void closeEvent(QCloseEvent* e) override {
        if (negativas-- > 0)
            e->ignore();
        else
            e->accept();
    }
};
}  // namespace

TEST(DialogosQt, MostrarModalReturnsWhenTheFormIsHiddenClosedOrDestroyed) {
    DialogosQt d;
    QWidget w;
    bool visible = false;
    Qt::WindowModality modalidad = Qt::NonModal;
    QTimer::singleShot(0, [&] {
        visible = w.isVisible();
        modalidad = w.windowModality();
        w.hide();
    });
    d.MostrarModal(&w);
    EXPECT_TRUE(visible);
    EXPECT_EQ(modalidad, Qt::ApplicationModal);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.windowModality(), Qt::NonModal);

    // A refused close (Unload cancelled) keeps it open.
    FormularioQueNoCierra f;
    int cierres = 0;
    std::function<void()> cerrar = [&] {
        ++cierres;
        f.close();
        if (f.isVisible()) QTimer::singleShot(0, cerrar);
    };
    QTimer::singleShot(0, cerrar);
    d.MostrarModal(&f);
    EXPECT_EQ(cierres, 2);
    EXPECT_FALSE(f.isVisible());

    QPointer<QWidget> borrable = new QWidget;
    borrable->setAttribute(Qt::WA_DeleteOnClose);
    QTimer::singleShot(0, [&] { borrable->close(); });
    d.MostrarModal(borrable);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(borrable.isNull());
}

TEST(DialogosQt, MostrarModalNests) {
    DialogosQt d;
    QWidget exterior, interior;
    QStringList orden;
    QTimer::singleShot(0, [&] {
        orden << "exterior";
        QTimer::singleShot(0, [&] {
            orden << "interior";
            interior.hide();
        });
        d.MostrarModal(&interior);
        orden << "vuelve";
        EXPECT_TRUE(exterior.isVisible());
        exterior.hide();
    });
    d.MostrarModal(&exterior);
    EXPECT_EQ(orden, QStringList({"exterior", "interior", "vuelve"}));
}

TEST(DialogosQt, VbFiltersBecomeQtFilters) {
    EXPECT_EQ(DialogosQt::filtroQt("Consultas|*.qnl|Todos|*.*"), "Consultas (*.qnl);;Todos (*.*)");
    EXPECT_EQ(DialogosQt::filtroQt("Textos|*.txt; *.log"), "Textos (*.txt *.log)");
    EXPECT_EQ(DialogosQt::filtroQt("Textos (*.txt)"), "Textos (*.txt)");
}

// Each modal window hands the keyboard back to the window it came from, to the control that had
// it: a message box back to a modal form, the form back to the main window.
TEST(DialogosQt, EveryModalWindowHandsTheKeyboardBackToTheWindowItCameFrom) {
    DialogosQt d;
    QWidget principal;
    auto* primero = new QLineEdit(&principal);
    auto* segundo = new QLineEdit(&principal);
    segundo->move(0, 40);
    principal.show();
    principal.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&principal));
    segundo->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), segundo);

    QWidget consulta;
    auto* busca = new QLineEdit(&consulta);
    new QLineEdit(&consulta);
    QWidget* activaTrasMensaje = nullptr;
    QWidget* focoTrasMensaje = nullptr;
    QTimer::singleShot(0, [&] {
        consulta.activateWindow();
        busca->setFocus();
        AlAparecer<QMessageBox>([](QMessageBox* caja) { boton(caja, "Aceptar")->click(); });
        d.MsgBox("Sin datos", vb::vbOKOnly, "Aviso");
        QApplication::processEvents();  // what the window system was asked for
        activaTrasMensaje = QApplication::activeWindow();
        focoTrasMensaje = QApplication::focusWidget();
        consulta.hide();
    });
    d.MostrarModal(&consulta);
    QApplication::processEvents();
    EXPECT_EQ(activaTrasMensaje, &consulta);
    EXPECT_EQ(focoTrasMensaje, busca);
    EXPECT_EQ(QApplication::activeWindow(), &principal);
    EXPECT_EQ(QApplication::focusWidget(), segundo);
    QTest::keyClicks(QApplication::focusWidget(), "100");
    EXPECT_EQ(segundo->text(), "100");
    EXPECT_EQ(primero->text(), "");
}

// A message right after a first modal window (a message, a lookup): the window system has not yet
// confirmed that the main window got the keyboard back, and still the message gives it back too.
TEST(DialogosQt, AMessageRightAfterAnotherModalWindowStillHandsTheKeyboardBack) {
    for (const bool consulta : {false, true}) {
        SCOPED_TRACE(consulta ? "after a lookup" : "after a message");
        DialogosQt d;
        QWidget principal;
        auto* campo = new QLineEdit(&principal);
        new QLineEdit(&principal);
        principal.show();
        principal.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&principal));
        campo->setFocus();
        if (consulta) {
            QWidget lista;
            new QLineEdit(&lista);
            QTimer::singleShot(0, &lista, &QWidget::hide);
            d.MostrarModal(&lista);
        } else {
            AlAparecer<QMessageBox>([](QMessageBox* caja) { boton(caja, "Sí")->click(); });
            ASSERT_EQ(d.MsgBox("¿Borra?", vb::vbYesNo, "Atención!"), vb::vbYes);
        }
        AlAparecer<QMessageBox>([&principal](QMessageBox* caja) {
            // It comes from the window the first one came from.
            EXPECT_EQ(caja->parentWidget(), &principal);
            boton(caja, "No")->click();
        });
        ASSERT_EQ(d.MsgBox("Acepta???", vb::vbYesNo, "Aviso"), vb::vbNo);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), &principal);
        ASSERT_EQ(QApplication::focusWidget(), campo);
        QTest::keyClicks(QApplication::focusWidget(), "7");
        EXPECT_EQ(campo->text(), "7");
    }
}

namespace {

// Where the message's first line is, as the box shows it, relative to the top of its view.
int ArribaDelTexto(QMessageBox* caja) {
    auto* area = caja->findChild<QScrollArea*>("vb_desplazamiento");
    auto* texto = caja->findChild<QLabel*>("qt_msgbox_label");
    if (!area || !texto) return -1;
    return texto->mapTo(area->viewport(), QPoint()).y();
}

}  // namespace

// A message longer than the screen opens showing its text from the top, and the keyboard scrolls
// it both ways; Enter still gives the default answer.
TEST(DialogosQt, AMessageLongerThanTheScreenOpensAtItsTopAndScrollsByKeyboard) {
    QScreen* pantalla = PantallaDePrueba("512x384");
    if (!pantalla) GTEST_SKIP() << "sin las pantallas de la suite";
    DialogosQt d;
    QWidget principal;
    principal.setScreen(pantalla);
    new QLineEdit(&principal);
    vb::MuestraVentana(&principal);
    QApplication::setActiveWindow(&principal);
    QStringList lineas{"Estado de Sql: 08S01"};
    for (int i = 1; i < 40; ++i) lineas << QStringLiteral("Línea %1 del mensaje").arg(i);
    lineas << " - Desea Intentarlo Nuevamente???";
    AlAparecer<QMessageBox>([](QMessageBox* caja) {
        QApplication::processEvents();
        auto* area = caja->findChild<QScrollArea*>("vb_desplazamiento");
        ASSERT_NE(area, nullptr) << "el mensaje cabe en " << caja->screen()->name().toStdString() << " "
                                 << caja->height();
        EXPECT_GE(ArribaDelTexto(caja), 0);
        QScrollBar* barra = area->verticalScrollBar();
        ASSERT_GT(barra->maximum(), 0);
        // A page down, and the view stays there.
        teclado::Tecla(Qt::Key_PageDown);
        QApplication::processEvents();
        EXPECT_EQ(barra->value(), std::min(barra->maximum(), barra->pageStep()));
        teclado::Tecla(Qt::Key_End);
        QApplication::processEvents();
        EXPECT_EQ(barra->value(), barra->maximum());
        teclado::Tecla(Qt::Key_Up);
        QApplication::processEvents();
        EXPECT_LT(barra->value(), barra->maximum());
        teclado::Tecla(Qt::Key_Home);
        QApplication::processEvents();
        EXPECT_GE(ArribaDelTexto(caja), 0);
        teclado::Tecla(Qt::Key_Return);
    });
    EXPECT_EQ(d.MsgBox(lineas.join('\n'), vb::vbYesNo + vb::vbCritical, "Error de Conexion a Base de Datos"),
              vb::vbYes);
}
