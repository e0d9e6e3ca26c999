#include "outside/runtime/Dialogos.h"

#include "outside/runtime/DialogosQt.h"
#include "outside/runtime/Programa.h"

namespace vb {

namespace {
Dialogos*& instalados() {
    static Dialogos* d = nullptr;
    return d;
}

QString tituloOApp(const QString& titulo) {
    return titulo.isEmpty() ? App().Title : titulo;
}
}  // namespace

Dialogos& dialogos() {
    static DialogosQt qt;
    return instalados() != nullptr ? *instalados() : qt;
}

void setDialogos(Dialogos* d) {
    instalados() = d;
}

int MsgBox(const QString& texto, int estilo, const QString& titulo) {
    return dialogos().MsgBox(texto, estilo, tituloOApp(titulo));
}

QString InputBox(const QString& texto, const QString& titulo, const QString& porDefecto) {
    return dialogos().InputBox(texto, tituloOApp(titulo), porDefecto);
}

void MostrarModal(QWidget* formulario) {
    dialogos().MostrarModal(formulario);
}

QString AbrirArchivo(const QString& titulo, const QString& filtro, bool* cancelado) {
    return dialogos().AbrirArchivo(titulo, filtro, cancelado);
}

}  // namespace vb
