#include "support/DialogosGuionados.h"

#include "outside/runtime/Pantalla.h"

#include <gtest/gtest.h>
#include <QPointer>
#include <QWidget>

namespace {
const char* nombreDe(Pregunta::Tipo tipo) {
    switch (tipo) {
        case Pregunta::Mensaje:
            return "MsgBox";
        case Pregunta::Entrada:
            return "InputBox";
        case Pregunta::Modal:
            return "MostrarModal";
        case Pregunta::Archivo:
            return "AbrirArchivo";
    }
    return "?";
}
}  // namespace

void PrintTo(const Pregunta& p, std::ostream* os) {
    *os << nombreDe(p.tipo) << "(\"" << p.texto.toStdString() << "\", " << p.estilo << ", \""
        << p.titulo.toStdString() << "\")";
}

DialogosGuionados::DialogosGuionados() : anteriores_(&vb::dialogos()) {
    vb::setDialogos(this);
}

DialogosGuionados::~DialogosGuionados() {
    vb::setDialogos(anteriores_);
    for (const Respuesta& r : guion_)
        ADD_FAILURE() << "Respuesta sin usar: se esperaba un " << nombreDe(r.tipo) << " que nunca llegó";
}

void DialogosGuionados::esperarMsgBox(int respuesta) {
    guion_.append({Pregunta::Mensaje, respuesta, {}, false, {}});
}

void DialogosGuionados::esperarInputBox(const QString& respuesta) {
    guion_.append({Pregunta::Entrada, 0, respuesta, false, {}});
}

void DialogosGuionados::esperarModal(std::function<void(QWidget*)> accion) {
    guion_.append({Pregunta::Modal, 0, {}, false, std::move(accion)});
}

void DialogosGuionados::esperarArchivo(const QString& archivo, bool cancelado) {
    guion_.append({Pregunta::Archivo, 0, archivo, cancelado, {}});
}

bool DialogosGuionados::tomar(Pregunta::Tipo tipo, const Pregunta& pregunta, Respuesta& respuesta) {
    preguntas_.append(pregunta);
    if (guion_.isEmpty() || guion_.first().tipo != tipo) {
        ADD_FAILURE() << "Pregunta inesperada: " << nombreDe(tipo) << " \"" << pregunta.texto.toStdString()
                      << "\" (título \"" << pregunta.titulo.toStdString() << "\", estilo " << pregunta.estilo
                      << ")"
                      << (guion_.isEmpty()
                              ? std::string(", no quedaban respuestas")
                              : std::string(", se esperaba un ") + nombreDe(guion_.first().tipo));
        return false;
    }
    respuesta = guion_.takeFirst();
    return true;
}

int DialogosGuionados::MsgBox(const QString& texto, int estilo, const QString& titulo) {
    Respuesta r;
    if (!tomar(Pregunta::Mensaje, {texto, titulo, estilo, Pregunta::Mensaje}, r)) return vb::vbCancel;
    return r.numero;
}

QString DialogosGuionados::InputBox(const QString& texto, const QString& titulo, const QString&) {
    Respuesta r;
    if (!tomar(Pregunta::Entrada, {texto, titulo, 0, Pregunta::Entrada}, r)) return {};
    return r.texto;
}

void DialogosGuionados::MostrarModal(QWidget* formulario) {
    if (formulario == nullptr) {
        ADD_FAILURE() << "MostrarModal sin formulario";
        return;
    }
    Respuesta r;
    if (!tomar(Pregunta::Modal, {formulario->windowTitle(), formulario->objectName(), 0, Pregunta::Modal}, r))
        return;
    QPointer<QWidget> vigilado(formulario);
    // Placed on its screen as the program's own dialogs place it.
    if (!formulario->isVisible()) vb::EncajaEnPantalla(formulario);
    formulario->show();
    if (r.accion) r.accion(formulario);
    if (vigilado && formulario->isVisible()) {
        ADD_FAILURE() << "El formulario \"" << formulario->windowTitle().toStdString()
                      << "\" sigue abierto: el programa esperaría para siempre";
        formulario->hide();
    }
}

QString DialogosGuionados::AbrirArchivo(const QString& titulo, const QString& filtro, bool* cancelado) {
    Respuesta r;
    const bool esperada = tomar(Pregunta::Archivo, {filtro, titulo, 0, Pregunta::Archivo}, r);
    const bool cancela = !esperada || r.cancelado;
    if (cancelado != nullptr) *cancelado = cancela;
    return cancela ? QString() : r.texto;
}
