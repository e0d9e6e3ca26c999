#pragma once
// The maker's query viewer: a window that shows the rows of one statement in a grid, read on a
// connection of its own opened from the connection text it is given. Columns of the same name are
// all shown. Modeless; each call opens a new window.
#include <QString>
#include <QWidget>
#include <functional>

class QLabel;
class QTableWidget;

namespace maker {

class VisorConsulta : public QWidget {
    Q_OBJECT
  public:
    // Applied to the statement before it runs (the caller's restricted views); none by default.
    using Reescritura = std::function<QString(const QString&)>;

    explicit VisorConsulta(QWidget* parent = nullptr);

    // Runs the statement and shows its rows under the caption. A statement that fails shows the
    // server's message in the window instead of rows.
    void Carga(const QString& sentencia, const QString& conexion, const QString& titulo,
               const Reescritura& reescribe = {});
    // A new window with the rows of the statement, shown modeless.
    static VisorConsulta* Muestra(const QString& sentencia, const QString& conexion, const QString& titulo,
                                  const Reescritura& reescribe = {});

    QTableWidget* Grilla = nullptr;
    QLabel* Mensaje = nullptr;
};

}  // namespace maker
