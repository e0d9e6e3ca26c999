#pragma once
// The sales-movements form: two grids, the print toolbar and the serial-port control. Nothing
// creates or shows it and its members do nothing; it is kept as the suite ships it.
#include <QWidget>

class QObject;
class QToolBar;
namespace vb {
class FlexGrid;
}

class frmMV_VENTAS : public QWidget {
    Q_OBJECT

  public:
    explicit frmMV_VENTAS(QWidget* parent = nullptr);

    void AgregoRegargo();
    void MSComm1_OnComm();
    void AnulacionCompleta();
    void ObtieneBorrador();

  private:
    vb::FlexGrid* MSFlexGrid1 = nullptr;
    vb::FlexGrid* MSFlexGrid2 = nullptr;
    QToolBar* TbarImp = nullptr;
    // No serial port is opened: the control is a placeholder.
    QObject* MSComm1 = nullptr;
};
