#pragma once
// Dialogs for tests: each prompt takes the next queued answer, in order, and is recorded.
// A prompt that was not expected fails the test and answers Cancel / "". While alive the
// script is the program's dialogs; on destruction the previous ones come back and an answer
// left unused fails the test.
//
//     DialogosGuionados guion;
//     guion.esperarMsgBox(vb::vbYes);
//     form.Borrar();
//     EXPECT_EQ(guion.preguntas().at(0).texto, "¿Borra el año?");
#include "outside/runtime/Dialogos.h"

#include <QList>
#include <QString>
#include <functional>
#include <ostream>

struct Pregunta {
    enum Tipo { Mensaje, Entrada, Modal, Archivo };
    QString texto;   // the prompt; the form's caption for Modal; the filter for Archivo
    QString titulo;  // the caption
    int estilo = 0;  // MsgBox style; 0 for the others
    Tipo tipo = Mensaje;

    bool operator==(const Pregunta&) const = default;
};
void PrintTo(const Pregunta& p, std::ostream* os);

class DialogosGuionados : public vb::Dialogos {
  public:
    DialogosGuionados();
    ~DialogosGuionados() override;
    DialogosGuionados(const DialogosGuionados&) = delete;
    DialogosGuionados& operator=(const DialogosGuionados&) = delete;

    void esperarMsgBox(int respuesta);
    void esperarInputBox(const QString& respuesta);
    // The action plays the user on the shown form (fills boxes, clicks buttons); the form
    // must be hidden or closed when it returns.
    void esperarModal(std::function<void(QWidget*)> accion);
    void esperarArchivo(const QString& archivo, bool cancelado = false);

    const QList<Pregunta>& preguntas() const { return preguntas_; }
    // Answers still queued.
    qsizetype pendientes() const { return guion_.size(); }

    int MsgBox(const QString& texto, int estilo, const QString& titulo) override;
    QString InputBox(const QString& texto, const QString& titulo, const QString& porDefecto) override;
    void MostrarModal(QWidget* formulario) override;
    QString AbrirArchivo(const QString& titulo, const QString& filtro, bool* cancelado) override;

  private:
    struct Respuesta {
        Pregunta::Tipo tipo;
        int numero = 0;
        QString texto;
        bool cancelado = false;
        std::function<void(QWidget*)> accion;
    };
    // The next answer when it is of this kind; otherwise fails the test.
    bool tomar(Pregunta::Tipo tipo, const Pregunta& pregunta, Respuesta& respuesta);

    vb::Dialogos* anteriores_;
    QList<Respuesta> guion_;
    QList<Pregunta> preguntas_;
};
