#pragma once
// Every window of both programs, each opened the way a user opens it: the rows of the tests that
// hold every window to a promise (on the screen, by keyboard, by name). A new window is a new row.
#include <QList>
#include <QScreen>
#include <QWidget>
#include <functional>
#include <ostream>

using Revisa = std::function<void(QWidget*)>;

// A window and the way a user opens it on a screen; it hands the window to `revisa` once, then
// closes it. A window looked at after the user changed it need not be centred any more.
struct Ventana {
    const char* nombre;
    std::function<void(QScreen*, const Revisa&)> abre;
    bool recienAbierta = true;
};

inline void PrintTo(const Ventana& v, std::ostream* os) {
    *os << v.nombre;
}

const QList<Ventana>& VentanasDelPrograma();
