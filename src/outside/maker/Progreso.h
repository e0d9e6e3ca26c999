#pragma once
// The maker's progress window: a small window with a caption, the step being done and a cancel
// button. While it shows it is modal to the whole program, so the only input a step lets through
// is the operator's cancel.
#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <functional>

class QDialog;
class QLabel;
class QPushButton;

namespace maker {

class Progreso {
  public:
    Progreso() = default;
    ~Progreso();
    Progreso(const Progreso&) = delete;
    Progreso& operator=(const Progreso&) = delete;

    // Shows the window with its caption; a new showing forgets an earlier cancel request.
    void Mostrar(const QString& titulo, bool permiteCancelar = true);
    // Shows the step and its detail; cancelar (and the result) tells whether the operator asked
    // to cancel since the window was shown.
    bool Avance(bool& cancelar, const QString& texto, const QString& detalle = {});
    bool Avance(const QString& texto, const QString& detalle = {}) {
        bool cancelar = false;
        return Avance(cancelar, texto, detalle);
    }
    void Ocultar();
    // Enables or disables the window (and so its cancel button).
    void Habilitar(bool habilitado);

    bool Visible() const;
    QString Titulo() const;
    QString Texto() const;
    QString Detalle() const;
    bool Habilitada() const;
    bool CancelacionPedida() const { return cancelado_; }
    // What the cancel button does; tests use it.
    void PedirCancelacion() { cancelado_ = true; }
    // Tests play the operator here: called by every Avance once the window shows the step, before
    // the cancel request is read (so a script can click the button at a chosen step).
    std::function<void(Progreso&)> AlAvanzar;

  private:
    void crear();

    QPointer<QDialog> ventana_;
    QLabel* titulo_ = nullptr;
    QLabel* texto_ = nullptr;
    QLabel* detalle_ = nullptr;
    QPushButton* cancelar_ = nullptr;
    bool cancelado_ = false;
    QString textoActual_, detalleActual_;  // the labels catch up at the next repaint
    QElapsedTimer refresco_;               // a step repaints at most every few milliseconds
};

Progreso& gProgreso();

}  // namespace maker
