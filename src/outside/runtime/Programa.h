#pragma once
// The program itself: its folder, name and command line, the event pump and the program end.
#include <QEvent>
#include <QString>
#include <functional>

namespace vb {

// What VB calls App.
struct AppInfo {
    QString Path;     // the program's folder, without a final separator
    QString EXEName;  // "indajuste"
    QString Title;
    QString Command;  // the command line after the program name
};
AppInfo& App();

// Keys, clicks, wheel, touch and pen: what a user sends the program.
bool EsEntradaDelUsuario(QEvent::Type tipo);

// Repaints and runs timers without delivering user input: no click or key runs inside
// a load, a recomputation or a save.
void DoEvents();

// Holds the program still for the given milliseconds (the Windows Sleep).
void Sleep(int milisegundos);
// Who pauses: tests record the pause instead of waiting. An empty function brings back the real
// wait.
void setPausa(std::function<void(int milisegundos)> pausa);

// Thrown by the test hook of End so that a test can observe the program end.
struct FinDelPrograma {};

// Ends the program at once through the one hook.
[[noreturn]] void End();
// Replaces what End does (tests throw FinDelPrograma); an empty function restores the default.
void setFinDelPrograma(std::function<void()> gancho);
// The hook in place (empty: the default end).
std::function<void()> finDelPrograma();

}  // namespace vb
