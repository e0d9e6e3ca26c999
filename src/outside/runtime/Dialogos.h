#pragma once
// Every question the program asks goes through one interface: Qt dialogs in the program,
// scripted answers in tests (tests/support/DialogosGuionados.h).
#include <QString>
#include <functional>

class QWidget;

namespace vb {

// VB message box styles (added together) and answers.
enum MsgBoxEstilo : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};
enum MsgBoxRespuesta : int {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7
};

class Dialogos {
  public:
    virtual ~Dialogos() = default;
    // Returns one of MsgBoxRespuesta.
    virtual int MsgBox(const QString& texto, int estilo, const QString& titulo) = 0;
    // "" when the user cancels.
    virtual QString InputBox(const QString& texto, const QString& titulo, const QString& porDefecto) = 0;
    // Shows a form modally; returns when the form is hidden or closed. Nesting is allowed.
    virtual void MostrarModal(QWidget* formulario) = 0;
    // File-open dialog; *cancelado tells whether the user cancelled.
    virtual QString AbrirArchivo(const QString& titulo, const QString& filtro, bool* cancelado) = 0;
};

// The dialogs in use: the Qt ones unless a test installed others.
Dialogos& dialogos();
// Installs other dialogs (not owned); nullptr brings back the Qt ones.
void setDialogos(Dialogos* d);

// Shortcuts for the dialogs in use. An empty title shows the application's title.
int MsgBox(const QString& texto, int estilo = vbOKOnly, const QString& titulo = {});
QString InputBox(const QString& texto, const QString& titulo = {}, const QString& porDefecto = {});
void MostrarModal(QWidget* formulario);
QString AbrirArchivo(const QString& titulo, const QString& filtro, bool* cancelado);

}  // namespace vb
