#pragma once
// The maker's toolbar of every maintenance window: eight action buttons that raise Click with
// their action key, one function-key map for every window (shown on the tooltips), a switch per
// button and the key method that a window's key-down handler feeds.
#include <QMap>
#include <QString>
#include <QStringList>
#include <QWidget>

class QToolButton;

class UtilVex : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool StyleBar READ StyleBar WRITE setStyleBar)

  public:
    explicit UtilVex(QWidget* parent = nullptr);

    // "NUEVO", "BORRAR", "GRABAR", "PLANILLA", "CONSULTAR", "REPORTE", "CERRAR", "CANCELAR".
    static const QStringList& Acciones();
    // The VB key code of the action's function key; 0 for an unknown action.
    static int TeclaDe(const QString& accion);
    // The action a key code raises; "" when none.
    static QString AccionDe(int codigoTecla);
    // "F2" and so on.
    static QString NombreTecla(int codigoTecla);

    // Button switches, by action key (case-blind). An unknown key is ignored.
    void setHabilitado(const QString& accion, bool habilitado);
    bool Habilitado(const QString& accion) const;
    // The same switches by the dispatch identifiers the windows set them with: 0x6803000A
    // "NUEVO", 0x6803000B "BORRAR", 0x6803000C "GRABAR", 0x6803000D "PLANILLA", 0x6803000E
    // "CONSULTAR", 0x6803000F "REPORTE", 0x68030010 "CANCELAR", 0x68030011 "CERRAR". The action
    // of an unknown identifier is "", and setting it does nothing.
    static QString AccionDeId(int idDespacho);
    void setEstado(int idDespacho, bool habilitado);
    bool Estado(int idDespacho) const { return Habilitado(AccionDeId(idDespacho)); }

    // The key method: a function key raises its button's action when the button is enabled.
    // Returns whether an action was raised.
    bool ProcesaTecla(int codigoTecla);

    // Flat buttons (true) or raised ones.
    bool StyleBar() const { return plana_; }
    void setStyleBar(bool plana);

    QToolButton* Boton(const QString& accion) const;

  Q_SIGNALS:
    // The action key of the button pressed or of the function key.
    void Click(const QString& boton);

  private:
    QMap<QString, QToolButton*> botones_;
    bool plana_ = true;
};
