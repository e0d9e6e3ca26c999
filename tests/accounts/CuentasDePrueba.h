#pragma once
// The chart-of-accounts window started as its program starts it, on a fresh demo company with
// the test's own rows, scripted dialogs, an observed program end and a fixed clock; and a user
// who types codes and presses the toolbar.
#include "accounts/FrmMA_CUENTAS.h"
#include "support/BaseDePrueba.h"
#include "support/DialogosGuionados.h"
#include "support/FinObservado.h"
#include "support/ProgramaDePrueba.h"

#include <QScreen>
#include <QString>
#include <QStringList>
#include <memory>

class CuentasDePrueba {
  public:
    explicit CuentasDePrueba(QStringList sqlExtra = {}, QString usuario = "ADMIN");
    ~CuentasDePrueba();

    // Start-up and Form_Load, then the window shown; on the screen given, as the program shows it
    // (placed on that screen).
    void Iniciar(QScreen* pantalla = nullptr);

    FrmMA_CUENTAS& f() { return *ventana_; }
    BaseDePrueba& base() { return base_; }
    DialogosGuionados& guion() { return guion_; }

    // Types the code into the code box and leaves it with Enter, as a user does.
    void EscribirCodigo(const QString& codigo);
    // Types into a bound text box (after clearing it) and leaves it with Enter.
    void EscribirCampo(int indice, const QString& texto);
    // Presses the toolbar button of the action.
    void Boton(const QString& accion);
    // The function key of the window.
    void Tecla(Qt::Key tecla);

    // One stored value as text ("" for Null, "(sin fila)" when the row is missing).
    QString Guardado(const QString& codigo, const QString& columna) const;
    QString Ajuste(const QString& clave) const;
    int Filas(const QString& sql) const;

  private:
    // Types the text key by key into the focused control, then Enter.
    void Teclear(const QString& texto);
    ProgramaDePrueba programa_;
    BaseDePrueba base_;
    DialogosGuionados guion_;
    FinObservado fin_;
    std::unique_ptr<FrmMA_CUENTAS> ventana_;
};
