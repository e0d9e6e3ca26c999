#pragma once
// The application object of every program. An error that leaves an event handler (a key, a
// click, a focus change, and whatever they start) is told to the operator through the hook that
// start-up installs, and the program goes on with its windows as they are: it never ends the
// program without a word.
#include "outside/runtime/ErrorVB.h"

#include <QApplication>
#include <QString>
#include <functional>

class QEvent;
class QObject;

namespace vb {

// Every program's application object: it speaks Spanish in Qt's own texts too
// (InstalaTraduccionQt), a screen reader reads each list box by its caption
// (InstalaAccesibilidadListas), a list box's list shows its entries whole
// (InstalaListasDesplegadas) and a button's Alt-letter clicks it at once (InstalaAccesoInmediato).
class Aplicacion : public QApplication {
  public:
    Aplicacion(int& argc, char** argv);
    bool notify(QObject* receptor, QEvent* evento) override;
};

// Loads Qt's own Spanish translation (the texts Qt draws: a text box's context menu, the file
// dialog, standard buttons) from Qt's translations folder, once per program. False when the
// file is missing there: the program goes on with Qt's English texts.
bool InstalaTraduccionQt();

// Tells the operator of an error that left the handler of an event; `rutina` names the control
// and the event ("TxtCodigo_KeyDown"). The services install their common error message.
using AvisoErrorEvento = std::function<void(const ErrorVB& error, const QString& rutina)>;
void setAvisoErrorEvento(AvisoErrorEvento aviso);

// What the application object does with such an error: the hook, or a plain message without one.
// An error without a number, or one that is not the program's own, is told as an internal error.
void AvisaErrorEvento(const std::exception& error, const QString& rutina);

// Runs what a program does before its event loop (its first window's load) as an event handler
// runs: an error that leaves it is told through AvisaErrorEvento, and the program goes on.
void ComoEvento(const QString& rutina, const std::function<void()>& paso);

// "<name of the control or its nearest named parent>_<event>".
QString RutinaDeEvento(const QObject* receptor, const QEvent* evento);

}  // namespace vb
