#include "services/frmMV_VENTAS.h"

#include "outside/controls/FlexGrid.h"

#include <QToolBar>
#include <QVBoxLayout>

frmMV_VENTAS::frmMV_VENTAS(QWidget* parent) : QWidget(parent) {
    setObjectName("frmMV_VENTAS");
    TbarImp = new QToolBar(this);
    TbarImp->setObjectName("TbarImp");
    MSFlexGrid1 = new vb::FlexGrid(this);
    MSFlexGrid1->setObjectName("MSFlexGrid1");
    MSFlexGrid2 = new vb::FlexGrid(this);
    MSFlexGrid2->setObjectName("MSFlexGrid2");
    MSComm1 = new QObject(this);
    MSComm1->setObjectName("MSComm1");
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(TbarImp);
    capa->addWidget(MSFlexGrid1, 1);
    capa->addWidget(MSFlexGrid2, 1);
}

void frmMV_VENTAS::AgregoRegargo() {}

void frmMV_VENTAS::MSComm1_OnComm() {}

void frmMV_VENTAS::AnulacionCompleta() {}

void frmMV_VENTAS::ObtieneBorrador() {}
