#pragma once
// The maker's query viewer: a window that shows the rows of a statement in a grid, with the
// statement's own column titles (repeated names included). It opens its own connection from the
// connection text it is given and only reads.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

class QTableWidget;

namespace maker {

class VisorConsulta {
  public:
    VisorConsulta() = default;
    ~VisorConsulta();
    VisorConsulta(const VisorConsulta&) = delete;
    VisorConsulta& operator=(const VisorConsulta&) = delete;

    // Runs the statement on the connection and shows its rows in a window with the caption; a
    // statement or connection that fails is reported in a message and shows no window.
    // Returns whether the rows are shown.
    bool Muestra(const QString& sentencia, const QString& cadenaConexion, const QString& titulo);

    // Applied to the statement before it runs (the host's restricted views); none by default.
    std::function<QString(const QString&)> ReescribeSentencia;

    // The window last shown (null once closed) and its grid.
    QWidget* Ventana() const { return ventana_; }
    QTableWidget* Grilla() const;

  private:
    QPointer<QWidget> ventana_;
};

VisorConsulta& gVisorConsulta();

}  // namespace maker
