#pragma once
// The maker's system object: machine and user names, the temporary folder, window set-up and
// opening a document or web address with the desktop's program for it.
#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

namespace maker {

class SistemaPC {
  public:
    QString NombreEquipo() const;
    // The name the operating system gives the process's user (its user number when it has none),
    // never what an environment variable claims.
    QString UsuarioWindows() const;
    // The system's temporary folder, without a final separator.
    QString CarpetaTemporal() const;
    // Set-up of a window before its skin and toolbars: the application's icon when it has none.
    void PreparaVentana(QWidget* ventana) const;

    // Opens a file or a web address with the desktop's program for it; true when it was handed
    // over. A relative file name is taken from carpeta when one is given. The window style and
    // the other Windows arguments have no meaning here.
    bool AbreDocumento(const QString& documento, int estiloVentana = 1) const;
    bool AbreDocumento(long ventana, const QString& operacion, const QString& documento,
                       const QString& parametros, const QString& carpeta, int estiloVentana) const;
    // The address AbreDocumento hands to the desktop.
    static QUrl DireccionDe(const QString& documento, const QString& carpeta = {});

    // Tests record the address instead of opening it; an empty function restores the desktop.
    void setAbridor(std::function<bool(const QUrl&)> abridor) { abridor_ = std::move(abridor); }

  private:
    std::function<bool(const QUrl&)> abridor_;
};

SistemaPC& gSistemaPC();

}  // namespace maker
