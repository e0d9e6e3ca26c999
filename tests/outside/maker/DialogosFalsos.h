#pragma once
// Dialogs for the maker's tests: queued answers, every prompt recorded, an unexpected prompt
// fails the test.
#include "outside/runtime/Dialogos.h"

#include <gtest/gtest.h>
#include <QList>
#include <QString>

struct PreguntaHecha {
    QString texto;
    int estilo = 0;
    QString titulo;
};

class DialogosFalsos : public vb::Dialogos {
  public:
    DialogosFalsos() { vb::setDialogos(this); }
    ~DialogosFalsos() override { vb::setDialogos(nullptr); }

    QList<int> respuestas;
    QList<PreguntaHecha> preguntas;
    QString archivo;
    bool cancelarArchivo = false;
    QString tituloArchivo, filtroArchivo;

    int MsgBox(const QString& texto, int estilo, const QString& titulo) override {
        preguntas.append({texto, estilo, titulo});
        if (respuestas.isEmpty()) {
            ADD_FAILURE() << "unexpected message box: " << texto.toStdString();
            return vb::vbCancel;
        }
        return respuestas.takeFirst();
    }
    QString InputBox(const QString& texto, const QString&, const QString&) override {
        ADD_FAILURE() << "unexpected input box: " << texto.toStdString();
        return {};
    }
    void MostrarModal(QWidget*) override { ADD_FAILURE() << "unexpected modal form"; }
    QString AbrirArchivo(const QString& titulo, const QString& filtro, bool* cancelado) override {
        tituloArchivo = titulo;
        filtroArchivo = filtro;
        if (cancelado) *cancelado = cancelarArchivo;
        return cancelarArchivo ? QString() : archivo;
    }
};
