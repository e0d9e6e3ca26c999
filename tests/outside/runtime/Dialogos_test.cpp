// The scripted dialogs the other tests rely on.
#include "outside/runtime/Dialogos.h"

#include "outside/runtime/Programa.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include "support/DialogosGuionados.h"
#include "support/ImprimeQt.h"

namespace {
// A small form: a box and a button that hides the form.
struct FormularioAnio : QWidget {
    QLineEdit* anio = new QLineEdit(this);
    QPushButton* aceptar = new QPushButton("Aceptar", this);
    FormularioAnio() {
        setWindowTitle("Año");
        auto* l = new QVBoxLayout(this);
        l->addWidget(anio);
        l->addWidget(aceptar);
        QObject::connect(aceptar, &QPushButton::clicked, this, &QWidget::hide);
    }
};
}  // namespace

TEST(DialogosGuionados, AnswersInOrderAndRecordsEveryPrompt) {
    vb::Dialogos* antes = &vb::dialogos();
    {
        DialogosGuionados guion;
        EXPECT_EQ(&vb::dialogos(), &guion);
        guion.esperarMsgBox(vb::vbNo);
        guion.esperarInputBox("2023");
        guion.esperarArchivo("/tmp/a.txt");
        guion.esperarArchivo("", true);

        EXPECT_EQ(
            vb::MsgBox("¿Borra el año?", vb::vbYesNo + vb::vbExclamation + vb::vbDefaultButton2, "Atención!"),
            vb::vbNo);
        EXPECT_EQ(vb::InputBox("Año"), "2023");
        bool cancelado = true;
        EXPECT_EQ(vb::AbrirArchivo("Abrir", "Texto|*.txt", &cancelado), "/tmp/a.txt");
        EXPECT_FALSE(cancelado);
        EXPECT_EQ(vb::AbrirArchivo("Abrir", "Texto|*.txt", &cancelado), "");
        EXPECT_TRUE(cancelado);
        EXPECT_EQ(guion.pendientes(), 0);

        ASSERT_EQ(guion.preguntas().size(), 4);
        EXPECT_EQ(guion.preguntas()[0],
                  (Pregunta{"¿Borra el año?", "Atención!", 4 + 48 + 256, Pregunta::Mensaje}));
        // An empty title shows the application's.
        EXPECT_EQ(guion.preguntas()[1], (Pregunta{"Año", vb::App().Title, 0, Pregunta::Entrada}));
        EXPECT_EQ(guion.preguntas()[2], (Pregunta{"Texto|*.txt", "Abrir", 0, Pregunta::Archivo}));
    }
    EXPECT_EQ(&vb::dialogos(), antes);
}

TEST(DialogosGuionados, UnexpectedPromptFailsTheTestAndAnswersCancel) {
    EXPECT_NONFATAL_FAILURE(
        {
            DialogosGuionados guion;
            EXPECT_EQ(vb::MsgBox("Se perdió la conexión", vb::vbCritical, "Error"), vb::vbCancel);
        },
        "Pregunta inesperada: MsgBox \"Se perdió la conexión\"");

    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbOK);
    // A prompt of another kind does not take the queued answer.
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(vb::InputBox("Año", "X"), ""), "Pregunta inesperada: InputBox \"Año\"");
    EXPECT_EQ(vb::MsgBox("Listo"), vb::vbOK);
}

TEST(DialogosGuionados, AnAnswerLeftUnusedFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            DialogosGuionados guion;
            guion.esperarMsgBox(vb::vbYes);
        },
        "Respuesta sin usar: se esperaba un MsgBox");
}

TEST(DialogosGuionados, ModalActionPlaysTheUserOnTheShownForm) {
    FormularioAnio form;
    DialogosGuionados guion;
    guion.esperarModal([](QWidget* w) {
        auto* f = static_cast<FormularioAnio*>(w);
        EXPECT_TRUE(f->isVisible());
        f->anio->setText("2024");
        f->aceptar->click();
    });
    vb::MostrarModal(&form);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.anio->text(), "2024");
    EXPECT_EQ(guion.preguntas().value(0).texto, "Año");

    // A form left open would block the program for ever.
    guion.esperarModal([](QWidget*) {});
    EXPECT_NONFATAL_FAILURE(vb::MostrarModal(&form), "sigue abierto");
    EXPECT_FALSE(form.isVisible());
}

TEST(DialogosGuionados, NestedModalsTakeTheirAnswersInOrder) {
    FormularioAnio exterior, interior;
    interior.setWindowTitle("Detalle");
    QStringList orden;
    DialogosGuionados guion;
    guion.esperarModal([&](QWidget*) {
        orden << "exterior";
        vb::MostrarModal(&interior);
        orden << "vuelve";
        exterior.aceptar->click();
    });
    guion.esperarModal([&](QWidget*) {
        orden << "interior";
        EXPECT_EQ(vb::MsgBox("¿Guarda?", vb::vbYesNo), vb::vbYes);
        interior.aceptar->click();
    });
    guion.esperarMsgBox(vb::vbYes);
    vb::MostrarModal(&exterior);
    EXPECT_EQ(orden, QStringList({"exterior", "interior", "vuelve"}));
    EXPECT_EQ(guion.pendientes(), 0);
}
