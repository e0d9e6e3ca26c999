#pragma once
// The dialogs the program shows: Qt message boxes with Spanish buttons.
#include "outside/runtime/Dialogos.h"

namespace vb {

class DialogosQt : public Dialogos {
  public:
    int MsgBox(const QString& texto, int estilo, const QString& titulo) override;
    QString InputBox(const QString& texto, const QString& titulo, const QString& porDefecto) override;
    void MostrarModal(QWidget* formulario) override;
    // The filter is VB's "Descripción|*.ext;*.otra|..." or Qt's own form.
    QString AbrirArchivo(const QString& titulo, const QString& filtro, bool* cancelado) override;

    // VB's "Descripción|*.a;*.b|..." as Qt's "Descripción (*.a *.b);;...".
    static QString filtroQt(const QString& filtro);
};

}  // namespace vb
