#pragma once
// A second program on the same company file, played in the test's one process: it has its own
// connection, and while one of its turns lasts the program's statements run on that connection
// and the keys go to its window.
#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "outside/ado/Connection.h"

#include <QApplication>
#include <QWidget>
#include <utility>

class TurnoDeOtroPrograma {
  public:
    // `conexion` is the other program's; `ventana` takes the keys; `vuelta` is the window active
    // again when the turn ends (none: left as it is).
    TurnoDeOtroPrograma(ado::ConnectionPtr& conexion, QWidget* ventana, QWidget* vuelta = nullptr)
        : conexion_(conexion), vuelta_(vuelta) {
        std::swap(CNStuffContable::gBaseDatos().gCnn, conexion_);
        Activa(ventana);
    }
    ~TurnoDeOtroPrograma() {
        std::swap(CNStuffContable::gBaseDatos().gCnn, conexion_);
        if (vuelta_) Activa(vuelta_);
    }
    TurnoDeOtroPrograma(const TurnoDeOtroPrograma&) = delete;
    TurnoDeOtroPrograma& operator=(const TurnoDeOtroPrograma&) = delete;

    // A connection of its own to the company the program has open.
    static ado::ConnectionPtr ConexionPropia() {
        ado::ConnectionPtr c = ado::Connection::Crear();
        c->Open(CNStuffContable::gBaseDatos().gCnn->ConnectionString());
        return c;
    }

  private:
    // A window shown meanwhile may still be taking the activation it asked for: it comes first.
    static void Activa(QWidget* ventana) {
        QApplication::processEvents();
        QApplication::setActiveWindow(ventana);
        QApplication::processEvents();
    }

    ado::ConnectionPtr& conexion_;
    QWidget* vuelta_;
};
