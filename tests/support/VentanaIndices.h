#pragma once
// The adjustment-index window started the way the program starts it, on a fresh company
// database, with scripted dialogs, an observed program end and a fixed clock; and a user who
// types into it. A second program on the same company file has its own window and connection.
#include "indices/frmMA_INDAJUSTE.h"
#include "outside/ado/Connection.h"
#include "outside/runtime/Programa.h"
#include "support/BaseDePrueba.h"
#include "support/DialogosGuionados.h"
#include "support/FinObservado.h"
#include "support/ProgramaDePrueba.h"
#include "support/TurnoDeOtroPrograma.h"

#include <QList>
#include <QScreen>
#include <QTemporaryDir>
#include <QUrl>
#include <functional>
#include <memory>

// A user's keys and clicks on one index window, landing where they land for a user: on the
// focused widget of the active window.
class UsuarioIndices {
  public:
    frmMA_INDAJUSTE& f() { return *ventana_; }

    // Moves to the cell with a click, then types the text into the grid (the first key opens the
    // editor) and ends it with the key given (Enter by default).
    void Escribir(int fila, int columna, const QString& texto, Qt::Key fin = Qt::Key_Return);
    void Clic(int fila, int columna);
    void DobleClic(int fila, int columna);
    void Tecla(Qt::Key tecla);
    // Clicks the year box and types the year over its text, as a user does.
    void EscribirAnio(const QString& anio);
    // Clicks the toolbar button of the action.
    void Boton(const QString& accion);
    QString Celda(int fila, int columna) const;

  protected:
    std::unique_ptr<frmMA_INDAJUSTE> ventana_;
};

class VentanaIndices : public UsuarioIndices {
  public:
    // conDemo: the demo company; sqlExtra: the test's own rows; numbers shown and typed in the
    // locale given. The window is not loaded yet.
    explicit VentanaIndices(bool conDemo = true, QStringList sqlExtra = {}, QString usuario = "ADMIN",
                            const QLocale& locale = QLocale::c());
    ~VentanaIndices();

    // Form_Load and show, as the program does at start; on the screen given, placed there as the
    // program places it.
    void Iniciar(QScreen* pantalla = nullptr);
    // The window gone and a new one loaded and shown, as the program started again.
    void Reinicia();

    BaseDePrueba& base() { return base_; }
    DialogosGuionados& guion() { return guion_; }

    // A stored value of MA_INDAJUSTE, as text ("" for Null).
    QString Guardado(int anio, int mes, const QString& columna) const;
    int FilasIndices() const;

  private:
    ProgramaDePrueba programa_;
    BaseDePrueba base_;
    DialogosGuionados guion_;
    FinObservado fin_;
};

// A second program with the index window open on the company of the first, on a connection of
// its own: its statements and keys are its own while one of its turns lasts.
class OtroProgramaIndices : public UsuarioIndices {
  public:
    // Loads and shows its window, in a turn of its own.
    explicit OtroProgramaIndices(VentanaIndices& primero);
    ~OtroProgramaIndices();

    class Turno : public TurnoDeOtroPrograma {
      public:
        explicit Turno(OtroProgramaIndices& otro)
            : TurnoDeOtroPrograma(otro.propia_, otro.ventana_.get(), &otro.primero_.f()) {}
    };

  private:
    VentanaIndices& primero_;
    ado::ConnectionPtr propia_;
};

// The index listings the action rendered into the folder and opened for the user.
QList<QUrl> ListadosDeIndices(const QTemporaryDir& salida, const std::function<void()>& accion);
