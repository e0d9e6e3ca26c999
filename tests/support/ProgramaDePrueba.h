#pragma once
// The program as a test runs it: a program folder of its own, the program's name and title, a
// fresh shared database object and no logged user. Everything goes back as it was on destruction.
#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "outside/runtime/Programa.h"

#include <QString>
#include <QTemporaryDir>
#include <functional>

class ProgramaDePrueba {
  public:
    ProgramaDePrueba()
        : appAnterior_(vb::App()),
          pedirAnterior_(DB_Dll::PedirDatosConexion),
          tablasAnteriores_(DB_Dll::TablasDeLaEmpresa) {
        vb::App().Path = carpeta_.path();
        vb::App().EXEName = "indajuste";
        vb::App().Title = "indajuste";
        CNStuffContable::ReiniciarBaseDatos();
        CNStuffContable::gUsuarioLogeado.clear();
        CNStuffContable::gPasswordLogeado.clear();
        CNStuffContable::gSSConfidencialidad = false;
    }
    ~ProgramaDePrueba() {
        CNStuffContable::ReiniciarBaseDatos();
        DB_Dll::PedirDatosConexion = pedirAnterior_;
        DB_Dll::TablasDeLaEmpresa = tablasAnteriores_;
        vb::App() = appAnterior_;
    }
    ProgramaDePrueba(const ProgramaDePrueba&) = delete;
    ProgramaDePrueba& operator=(const ProgramaDePrueba&) = delete;

    bool isValid() const { return carpeta_.isValid(); }
    QString path() const { return carpeta_.path(); }
    QString filePath(const QString& nombre) const { return carpeta_.filePath(nombre); }

  private:
    QTemporaryDir carpeta_;
    vb::AppInfo appAnterior_;
    std::function<bool(DB_Dll&)> pedirAnterior_;
    QStringList tablasAnteriores_;
};
