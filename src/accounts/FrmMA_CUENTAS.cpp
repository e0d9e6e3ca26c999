// The window itself: its controls, the wiring of their events, the rules object and the close.
#include "accounts/FrmMA_CUENTAS.h"

#include "accounts/EntornoReglas.h"
#include "data/DB_Dll.h"
#include "lookup/CajasDeCodigo.h"
#include "outside/ado/Recordset.h"
#include "outside/controls/BarraBotones.h"
#include "outside/controls/BarraEstado.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/SkinFramework.h"
#include "outside/controls/Teclas.h"
#include "outside/controls/TreeView.h"
#include "outside/controls/UtilVex.h"
#include "outside/maker/ReglasCuentas.h"
#include "services/CNStuffContable.h"
#include "ui_FrmMA_CUENTAS.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QRadioButton>
#include <QSplitter>

FrmMA_CUENTAS* gFrmMA_CUENTAS = nullptr;
bool FrmMA_CUENTAS::gMuestraCashFlow = true;

using CNStuffContable::gBaseDatos;

FrmMA_CUENTAS::FrmMA_CUENTAS(QWidget* parent) : QWidget(parent) {
    gFrmMA_CUENTAS = this;
    setObjectName("FrmMA_CUENTAS");
    Ui::FrmMA_CUENTAS ui;
    ui.setupUi(this);
    RecogeControles(ui);
    CompletaControles();
    ConectaEventos();
}

FrmMA_CUENTAS::~FrmMA_CUENTAS() {
    // The controls lose their focus while the base class destroys them: nothing of this form may run.
    for (QWidget* w : findChildren<QWidget*>()) {
        w->removeEventFilter(this);
        w->disconnect(this);
    }
    if (gFrmMA_CUENTAS == this) gFrmMA_CUENTAS = nullptr;
}

void FrmMA_CUENTAS::RecogeControles(const Ui::FrmMA_CUENTAS& ui) {
    UtilVex1 = ui.UtilVex1;
    Tbar = ui.Tbar;
    TreeV = ui.TreeV;
    LblTitulo = {ui.LblTitulo_0,  ui.LblTitulo_1,  ui.LblTitulo_2,  ui.LblTitulo_3, ui.LblTitulo_4,
                 ui.LblTitulo_5,  ui.LblTitulo_6,  ui.LblTitulo_7,  ui.LblTitulo_8, ui.LblTitulo_9,
                 ui.LblTitulo_10, ui.LblTitulo_11, ui.LblTitulo_12, ui.LblTitulo_13};

    TxtCodigo = ui.TxtCodigo;
    Combo1 = ui.Combo1;
    SSTab1 = ui.SSTab1;

    const char* columnas[] = {"DESCRIPCION", "Codigo", "CodigoOpcional", "CuentaPrincipal",
                              "CodTarjeta_ConcAuto"};
    txtFields = {ui.txtFields_0, ui.txtFields_1, ui.txtFields_2, ui.txtFields_3, ui.txtFields_4};
    for (int i = 0; i < txtFields.size(); ++i) {
        txtFields[i]->DataField = columnas[i];
        validacionPendiente_ << false;
    }
    txtFields[1]->Tag = "MA_CUENTAS";
    txtFields[3]->Tag = "MA_CUENTAS";

    OptTipoCuenta = {ui.OptTipoCuenta_0, ui.OptTipoCuenta_1};
    // Not exclusive of themselves: the reset leaves all three cleared, and ConectaEventos keeps one.
    optLibros = {ui.optLibros_0, ui.optLibros_1, ui.optLibros_2};

    chkCCostos = ui.chkCCostos;
    CHKAjustable = ui.CHKAjustable;
    chkTarjeta = ui.chkTarjeta;
    ChkBloqueo = ui.ChkBloqueo;
    ChkCyB = ui.ChkCyB;
    ChkBdu = ui.ChkBdu;
    ChkVto = ui.ChkVto;
    CmbIndices = ui.CmbIndices;
    CmbMP = ui.CmbMP;
    CmbMoneda = ui.CmbMoneda;
    LblDV = ui.LblDV;
    LblDescRelacionado = ui.LblDescRelacionado;
    // Its long caption folds (word wrap) rather than taking the room of the account tree.
    lblCodTarjetaConcAuto = ui.lblCodTarjetaConcAuto;
    Label1 = ui.Label1;

    MSFlexGrid1 = ui.MSFlexGrid1;
    sbStatusBar = ui.sbStatusBar;
    divisor_ = ui.divisor;
}

void FrmMA_CUENTAS::CompletaControles() {
    SkinFramework1 = new SkinFramework(this);
    SkinFramework1->setObjectName("SkinFramework1");
    for (const char* texto : {"Actualizar Jerarquías de Cuentas", "Datos Adicionales", "Manual de Cuentas",
                              "Centros de Costos", "Jerarquías de Cuentas"})
        Tbar->AgregaBoton(QString::fromUtf8(texto));
    Tbar->AgregaBoton(QString::fromUtf8("Adjuntar Jerarquías "), true);
    Tbar->AgregaBoton("Actualizar Cash Flow");

    TxtCodigo->Tag = "MA_CUENTAS";
    auto* grupoTipo = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) grupoTipo->addButton(OptTipoCuenta[i], i);

    TxtEdit = new vb::CajaTexto(MSFlexGrid1);
    TxtEdit->setObjectName("TxtEdit");
    TxtEdit->hide();

    // The code searches drop down under their text box; they stay hidden until asked.
    BusquedaCodigo1 = new vb::BusquedaCodigo(this);
    BusquedaCodigo1->setObjectName("BusquedaCodigo1");
    BusquedaCodigo1->hide();
    BusquedaCodigo2 = new vb::BusquedaCodigo(this);
    BusquedaCodigo2->setObjectName("BusquedaCodigo2");
    BusquedaCodigo2->hide();

    sbStatusBar->AgregaPanel("MENSAJE", {}, true);
    for (const char* clave : {"SERVER", "USUARIO", "BASEDEDATOS", "CAJA", "VERSION"})
        sbStatusBar->AgregaPanel(clave);

    // A label wider than the pane scrolls instead of being cut short.
    TreeV->header()->setStretchLastSection(false);
    TreeV->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    divisor_->setStretchFactor(0, 0);
    divisor_->setStretchFactor(1, 1);

    setTabOrder(TxtCodigo, txtFields[0]);
    setTabOrder(txtFields[0], txtFields[1]);
    setTabOrder(txtFields[1], txtFields[2]);
    setTabOrder(txtFields[2], txtFields[3]);
}

void FrmMA_CUENTAS::ConectaEventos() {
    connect(divisor_, &QSplitter::splitterMoved, this, [this] {
        if (!TreeV->isHidden()) anchoArbol_ = divisor_->sizes().value(0);
    });
    connect(UtilVex1, &UtilVex::Click, this, &FrmMA_CUENTAS::Utilvex1_Click);
    connect(Tbar, &vb::BarraBotones::ButtonClick, this, &FrmMA_CUENTAS::Tbar_ButtonClick);

    // A value set from code raises the same handling as the user's change.
    for (int i = 0; i < 2; ++i)
        connect(OptTipoCuenta[i], &QRadioButton::toggled, this, [this, i](bool marcado) {
            if (marcado) OptTipoCuenta_Click(i);
        });
    for (int i = 0; i < 3; ++i)
        connect(optLibros[i], &QRadioButton::toggled, this, [this, i](bool marcado) {
            if (!marcado) return;
            for (int j = 0; j < 3; ++j)
                if (j != i) optLibros[j]->setChecked(false);
        });
    connect(CHKAjustable, &QCheckBox::toggled, this, &FrmMA_CUENTAS::CHKAjustable_Click);
    connect(ChkCyB, &QCheckBox::toggled, this, &FrmMA_CUENTAS::ChkCyB_Click);
    connect(ChkVto, &QCheckBox::toggled, this, &FrmMA_CUENTAS::ChkVto_Click);
    connect(ChkBdu, &QCheckBox::toggled, this, &FrmMA_CUENTAS::ChkBdu_Click);
    connect(ChkBloqueo, &QCheckBox::toggled, this, &FrmMA_CUENTAS::ChkBloqueo_Click);
    connect(CmbMP, &QComboBox::currentIndexChanged, this, &FrmMA_CUENTAS::CmbMP_Click);

    connect(TxtCodigo, &QLineEdit::textChanged, this, &FrmMA_CUENTAS::TxtCodigo_Change);
    connect(TxtCodigo, &QLineEdit::textEdited, this, [this] { codigoTecleado_ = true; });
    connect(txtFields[1], &QLineEdit::textEdited, this, [this] { codigoTecleado_ = true; });
    connect(TxtCodigo, &vb::CajaTexto::KeyDown, this, &FrmMA_CUENTAS::TxtCodigo_KeyDown);
    for (int i = 0; i < txtFields.size(); ++i) {
        connect(txtFields[i], &vb::CajaTexto::KeyDown, this,
                [this, i](int& KeyCode, int Shift) { txtFields_KeyDown(i, KeyCode, Shift); });
        connect(txtFields[i], &vb::CajaTexto::KeyPress, this,
                [this, i](int& KeyAscii) { txtFields_KeyPress(i, KeyAscii); });
    }
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);

    // The code field shows the code with its level dashes while it is typed.
    codigos_ = new CajasDeCodigo(this);
    codigos_->Agrega(TxtCodigo, BusquedaCodigo2);
    codigos_->Agrega(txtFields[1], BusquedaCodigo1, true);
    codigos_->Agrega(txtFields[3], BusquedaCodigo1);
    // A box left by a click while its search was open is left as any box is: validated.
    codigos_->Dejada = [this](vb::CajaTexto* caja) {
        if (caja == TxtCodigo) {
            TxtCodigo_LostFocus();
            return;
        }
        const int i = int(txtFields.indexOf(caja));
        if (i < 0) return;
        bool cancelar = false;
        txtFields_Validate(i, cancelar);
        txtFields_LostFocus(i);
    };
}

void FrmMA_CUENTAS::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    AjustaAnchoArbol();
}

void FrmMA_CUENTAS::closeEvent(QCloseEvent* e) {
    int cancelar = 0;
    Form_Unload(cancelar);
    e->accept();
}

maker::ReglasCuentas& FrmMA_CUENTAS::Reglas() {
    if (!reglas_) reglas_ = std::make_unique<maker::ReglasCuentas>(cuentas::EntornoReglas());
    return *reglas_;
}
