#pragma once
// The code-search control: laid over an entry box, it lists the rows of a table whose code or
// description begins with the text typed, narrowing as the user goes on typing in it, and
// reports the code the user picks (Enter or a double click) through CodigoElegido. A row is
// picked only when the user moved to it or clicked it, or when its code is exactly the code typed
// (level dashes aside): Enter over a list with no such row hands the text typed back to the box
// it was opened from and goes on to that box as if pressed there, as Tab does; Escape and a click
// elsewhere hand the text typed back and nothing more. Nothing longer than that box takes is typed
// or picked in it. It reads the server through the connection string its host gives it and writes
// nothing.
//
// Sizes and positions are in twips, in the coordinates of the control's parent (the form).
#include <QFrame>
#include <QHash>
#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

class QKeyEvent;

class QTreeWidget;

namespace ado {
class Connection;
}

namespace vb {

class BusquedaCodigo : public QFrame {
    Q_OBJECT

  public:
    explicit BusquedaCodigo(QWidget* parent = nullptr);
    ~BusquedaCodigo() override;

    // The connection the searches run on; a new text opens a new connection on the next search.
    QString ConnectionString;
    // The table searched; empty until a host sets it.
    QString Tabla;
    // The text to search for.
    QString Buscar;
    // The code to show in the entry box once a search returns: the text it searched.
    QString CodigoAnt;
    // At most this many rows are listed.
    int Filas = 50;
    // Applied to every statement before it runs (the host's restricted views); none by default.
    std::function<QString(const QString&)> ReescribeSentencia;

    // True when the table can be searched on the connection (it exists and has a code column);
    // a Null QVariant when there is no connection to ask.
    QVariant BusquedaDisponible(const QString& tabla);
    // Runs the search for Buscar on Tabla and lists the rows; a failing statement lists none.
    void Busqueda();
    // The code of the highlighted row; the text typed when no row is highlighted.
    QString CodigoActual() const;
    // Closes the search, the box it was opened from taking the text typed and the keyboard; the
    // key, when given, goes on to the box as if pressed there.
    void Devuelve(const QKeyEvent* tecla = nullptr);

    bool Visible() const { return !isHidden(); }
    void Move(int left, int top);
    int Width() const;
    int Height() const;
    void setWidth(int twips);
    void setHeight(int twips);
    // Fits the control, as placed over the box at caja (in the same coordinates), into the part of
    // its parent the user sees: its text stays over the box and its list goes below it, or above
    // it (the text then at the bottom) when only there it has room, shortened when it has room on
    // neither side.
    void Encaja(const QRect& caja);
    // Takes the keyboard from the box that has it, which becomes the box the search serves.
    void SetFocus();
    // The box the search was opened from; null when it took the keyboard from none.
    QLineEdit* Caja() const { return caja_; }

    QLineEdit* TxtBuscar;
    QTreeWidget* LstCodigos;

  Q_SIGNALS:
    // The user picked a row.
    void CodigoElegido(const QString& codigo);
    // The focus went to a control outside this one.
    void LostFocus();

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    struct Columnas {
        QString codigo;
        QString descripcion;
    };
    // The code and description columns of a table, found once per table and connection.
    bool ColumnasDe(const QString& tabla, Columnas& columnas);
    ado::Connection* Conexion();
    void Elige();
    // A screen reader names the text and the list after the box the search serves.
    void Nombra();
    // What the user sees of the parent (inside every frame that holds it and the screen), in its
    // coordinates; the screen's area for a control that is a window.
    QRect AreaVisible() const;

    std::shared_ptr<ado::Connection> conexion_;
    QString cadenaAbierta_;
    QHash<QString, Columnas> columnas_;
    QPointer<QLineEdit> caja_;
};

}  // namespace vb
