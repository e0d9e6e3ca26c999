// The window itself: its controls, the wiring of their events, the rules object and the close.
#include "accounts/FrmMA_CUENTAS.h"

#include "data/DB_Dll.h"
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

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

FrmMA_CUENTAS* gFrmMA_CUENTAS = nullptr;
bool FrmMA_CUENTAS::gMuestraCashFlow = true;

using CNStuffContable::gBaseDatos;

FrmMA_CUENTAS::FrmMA_CUENTAS(QWidget* parent) : QWidget(parent) {
    gFrmMA_CUENTAS = this;
    setObjectName("FrmMA_CUENTAS");
    setWindowTitle("Actualización Plan General de Cuentas");
    resize(1080, 680);
    ArmaControles();
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

void FrmMA_CUENTAS::ArmaControles() {
    UtilVex1 = new UtilVex(this);
    UtilVex1->setObjectName("UtilVex1");
    SkinFramework1 = new SkinFramework(this);
    SkinFramework1->setObjectName("SkinFramework1");

    Tbar = new vb::BarraBotones(this);
    Tbar->setObjectName("Tbar");
    Tbar->setOrientation(Qt::Vertical);
    for (const char* texto : {"Actualizar Jerarquías de Cuentas", "Datos Adicionales", "Manual de Cuentas",
                              "Centros de Costos", "Jerarquías de Cuentas"})
        Tbar->AgregaBoton(QString::fromUtf8(texto));
    Tbar->AgregaBoton(QString::fromUtf8("Adjuntar Jerarquías "), true);
    Tbar->AgregaBoton("Actualizar Cash Flow");

    TreeV = new vb::TreeView(this);
    TreeV->setObjectName("TreeV");

    auto* derecha = new QWidget(this);
    auto* layDerecha = new QVBoxLayout(derecha);
    layDerecha->setContentsMargins(0, 0, 0, 0);

    for (int i = 0; i < int(LblTitulo.size()); ++i) {
        LblTitulo[i] = new QLabel(this);
        LblTitulo[i]->setObjectName(QString("LblTitulo_%1").arg(i));
    }
    const char* titulos[] = {"Descripción",     "Código",
                             "Código Opcional", "Cuenta Relacionada",
                             "Medio de Pago",   "Dígito Verificador",
                             "Ajustable",       "Bloqueada",
                             "Caja y Bancos",   "Pide Vencimiento",
                             "Moneda",          "Índice",
                             "Cuenta",          "Título"};
    for (int i = 0; i < int(LblTitulo.size()); ++i) LblTitulo[i]->setText(QString::fromUtf8(titulos[i]));

    // The code box and the title list above the tabs.
    TxtCodigo = new vb::CajaTexto(this);
    TxtCodigo->setObjectName("TxtCodigo");
    TxtCodigo->Tag = "MA_CUENTAS";
    TxtCodigo->setMaxLength(15);
    // Room for the longest code with its level separators.
    TxtCodigo->setMinimumWidth(TxtCodigo->fontMetrics().horizontalAdvance("0-0-00-00-000-0000") + 12);
    Combo1 = new QComboBox(this);
    Combo1->setObjectName("Combo1");
    Combo1->setEditable(false);
    Combo1->setMinimumWidth(160);
    auto* filaCodigo = new QHBoxLayout;
    filaCodigo->addWidget(LblTitulo[12]);
    filaCodigo->addWidget(TxtCodigo);
    filaCodigo->addSpacing(12);
    filaCodigo->addWidget(LblTitulo[13]);
    filaCodigo->addWidget(Combo1, 1);
    layDerecha->addLayout(filaCodigo);

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName("SSTab1");
    auto* general = new QWidget;
    auto* masDatos = new QWidget;
    SSTab1->addTab(general, "Datos Generales");
    SSTab1->addTab(masDatos, "Mas Datos");
    layDerecha->addWidget(SSTab1, 1);

    const char* columnas[] = {"DESCRIPCION", "Codigo", "CodigoOpcional", "CuentaPrincipal",
                              "CodTarjeta_ConcAuto"};
    for (int i = 0; i < 5; ++i) {
        auto* caja = new vb::CajaTexto(general);
        caja->setObjectName(QString("txtFields_%1").arg(i));
        caja->DataField = columnas[i];
        txtFields << caja;
        validacionPendiente_ << false;
    }
    txtFields[1]->Tag = "MA_CUENTAS";
    txtFields[3]->Tag = "MA_CUENTAS";

    OptTipoCuenta[0] = new QRadioButton("Imputable", general);
    OptTipoCuenta[1] = new QRadioButton(QString::fromUtf8("Título"), general);
    auto* grupoTipo = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        OptTipoCuenta[i]->setObjectName(QString("OptTipoCuenta_%1").arg(i));
        grupoTipo->addButton(OptTipoCuenta[i], i);
    }
    const char* libros[] = {"Ningún Libro de I.V.A.", "Asignar a Libro de I.V.A. Compras",
                            "Asignar a Libro de I.V.A. Ventas"};
    for (int i = 0; i < 3; ++i) {
        optLibros[i] = new QRadioButton(QString::fromUtf8(libros[i]), general);
        optLibros[i]->setObjectName(QString("optLibros_%1").arg(i));
        // Exclusive by hand: the reset leaves all three cleared.
        optLibros[i]->setAutoExclusive(false);
    }

    auto nuevaCasilla = [&](QCheckBox*& c, const char* nombre, const QString& texto) {
        c = new QCheckBox(texto, general);
        c->setObjectName(nombre);
    };
    nuevaCasilla(chkCCostos, "chkCCostos", "&Usa Centros de Costos");
    nuevaCasilla(CHKAjustable, "CHKAjustable", "NO");
    nuevaCasilla(chkTarjeta, "chkTarjeta", "No pide datos de la tarjeta.");
    nuevaCasilla(ChkBloqueo, "ChkBloqueo", "NO");
    nuevaCasilla(ChkCyB, "ChkCyB", "NO");
    nuevaCasilla(ChkBdu, "ChkBdu", "NO");
    nuevaCasilla(ChkVto, "ChkVto", "NO");

    auto nuevaLista = [&](QComboBox*& c, const char* nombre) {
        c = new QComboBox(general);
        c->setObjectName(nombre);
        c->setEditable(false);
    };
    nuevaLista(CmbIndices, "CmbIndices");
    nuevaLista(CmbMP, "CmbMP");
    nuevaLista(CmbMoneda, "CmbMoneda");

    LblDV = new QLabel("0", general);
    LblDV->setObjectName("LblDV");
    LblDescRelacionado = new QLabel(general);
    LblDescRelacionado->setObjectName("LblDescRelacionado");
    lblCodTarjetaConcAuto = new QLabel(general);
    lblCodTarjetaConcAuto->setObjectName("lblCodTarjetaConcAuto");
    // A long caption folds rather than taking the room of the account tree.
    lblCodTarjetaConcAuto->setWordWrap(true);
    Label1 = new QLabel("Bienes de Uso", general);
    Label1->setObjectName("Label1");

    auto* g = new QGridLayout(general);
    int f = 0;
    g->addWidget(LblTitulo[0], f, 0);
    g->addWidget(txtFields[0], f++, 1, 1, 3);
    g->addWidget(LblTitulo[1], f, 0);
    g->addWidget(txtFields[1], f, 1);
    g->addWidget(LblTitulo[5], f, 2);
    g->addWidget(LblDV, f++, 3);
    g->addWidget(LblTitulo[2], f, 0);
    g->addWidget(txtFields[2], f++, 1);
    g->addWidget(LblTitulo[3], f, 0);
    g->addWidget(txtFields[3], f, 1);
    g->addWidget(LblDescRelacionado, f++, 2, 1, 2);
    auto* cajaTipo = new QGroupBox("Tipo de Cuenta", general);
    auto* layTipo = new QHBoxLayout(cajaTipo);
    layTipo->addWidget(OptTipoCuenta[0]);
    layTipo->addWidget(OptTipoCuenta[1]);
    g->addWidget(cajaTipo, f++, 0, 1, 4);
    g->addWidget(LblTitulo[6], f, 0);
    g->addWidget(CHKAjustable, f, 1);
    g->addWidget(LblTitulo[11], f, 2);
    g->addWidget(CmbIndices, f++, 3);
    g->addWidget(LblTitulo[7], f, 0);
    g->addWidget(ChkBloqueo, f++, 1);
    g->addWidget(LblTitulo[4], f, 0);
    g->addWidget(CmbMP, f, 1);
    g->addWidget(LblTitulo[10], f, 2);
    g->addWidget(CmbMoneda, f++, 3);
    g->addWidget(chkTarjeta, f, 1);
    g->addWidget(lblCodTarjetaConcAuto, f, 2);
    g->addWidget(txtFields[4], f++, 3);
    g->addWidget(LblTitulo[8], f, 0);
    g->addWidget(ChkCyB, f++, 1);
    auto* cajaLibros = new QGroupBox("Libros de I.V.A.", general);
    auto* layLibros = new QVBoxLayout(cajaLibros);
    for (auto* o : optLibros) layLibros->addWidget(o);
    g->addWidget(cajaLibros, f++, 0, 1, 4);
    g->addWidget(Label1, f, 0);
    g->addWidget(ChkBdu, f, 1);
    g->addWidget(chkCCostos, f++, 2, 1, 2);
    g->addWidget(LblTitulo[9], f, 0);
    g->addWidget(ChkVto, f++, 1);
    g->setRowStretch(f, 1);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);

    MSFlexGrid1 = new vb::FlexGrid(masDatos);
    MSFlexGrid1->setObjectName("MSFlexGrid1");
    TxtEdit = new vb::CajaTexto(MSFlexGrid1);
    TxtEdit->setObjectName("TxtEdit");
    TxtEdit->hide();
    auto* layMas = new QVBoxLayout(masDatos);
    layMas->addWidget(MSFlexGrid1);

    // The code searches drop down under their text box; they stay hidden until asked.
    BusquedaCodigo1 = new vb::BusquedaCodigo(this);
    BusquedaCodigo1->setObjectName("BusquedaCodigo1");
    BusquedaCodigo1->hide();
    BusquedaCodigo2 = new vb::BusquedaCodigo(this);
    BusquedaCodigo2->setObjectName("BusquedaCodigo2");
    BusquedaCodigo2->hide();

    sbStatusBar = new BarraEstado(this);
    sbStatusBar->setObjectName("sbStatusBar");
    sbStatusBar->AgregaPanel("MENSAJE", {}, true);
    for (const char* clave : {"SERVER", "USUARIO", "BASEDEDATOS", "CAJA", "VERSION"})
        sbStatusBar->AgregaPanel(clave);

    // A label wider than the pane scrolls instead of being cut short.
    TreeV->header()->setStretchLastSection(false);
    TreeV->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    divisor_ = new QSplitter(Qt::Horizontal, this);
    divisor_->setObjectName("divisor");
    divisor_->addWidget(TreeV);
    divisor_->addWidget(derecha);
    divisor_->setStretchFactor(0, 0);
    divisor_->setStretchFactor(1, 1);
    divisor_->setChildrenCollapsible(false);

    auto* lay = new QVBoxLayout(this);
    lay->addWidget(UtilVex1);
    auto* centro = new QHBoxLayout;
    centro->addWidget(Tbar);
    centro->addWidget(divisor_, 1);
    lay->addLayout(centro, 1);
    lay->addWidget(sbStatusBar);

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

    connect(BusquedaCodigo1, &vb::BusquedaCodigo::CodigoElegido, this,
            &FrmMA_CUENTAS::BusquedaCodigo1_Elegido);
    connect(BusquedaCodigo2, &vb::BusquedaCodigo::CodigoElegido, this,
            &FrmMA_CUENTAS::BusquedaCodigo2_Elegido);
    connect(BusquedaCodigo1, &vb::BusquedaCodigo::LostFocus, this, &FrmMA_CUENTAS::BusquedaCodigo1_LostFocus);
    connect(BusquedaCodigo2, &vb::BusquedaCodigo::LostFocus, this, &FrmMA_CUENTAS::BusquedaCodigo2_LostFocus);

    connect(TxtCodigo, &QLineEdit::textChanged, this, &FrmMA_CUENTAS::TxtCodigo_Change);
    connect(TxtCodigo, &vb::CajaTexto::KeyDown, this, &FrmMA_CUENTAS::TxtCodigo_KeyDown);
    for (int i = 0; i < txtFields.size(); ++i) {
        connect(txtFields[i], &vb::CajaTexto::KeyDown, this,
                [this, i](int& KeyCode, int Shift) { txtFields_KeyDown(i, KeyCode, Shift); });
        connect(txtFields[i], &vb::CajaTexto::KeyPress, this,
                [this, i](int& KeyAscii) { txtFields_KeyPress(i, KeyAscii); });
    }
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
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
    if (!reglas_) {
        maker::ReglasCuentas::Entorno entorno;
        entorno.abrir = [](const QString& sql) {
            ado::RecordsetPtr rs;
            QString s = sql;
            auto& db = gBaseDatos();
            db.AbrirRecordset(s, rs, db.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
            return rs;
        };
        entorno.ejecutar = [](const QString& sql) {
            QString s = sql;
            return gBaseDatos().EjecutaConsultaSQL(s);
        };
        entorno.niveles = [] {
            CNStuffContable::LeeDigitosNiveles();
            using namespace CNStuffContable;
            return std::array<int, 6>{gDigitosCapitulo, gDigitosSubcapitulo, gDigitosRubro,
                                      gDigitosSubrubro, gDigitosCuenta,      gDigitosSubcuenta};
        };
        reglas_ = std::make_unique<maker::ReglasCuentas>(std::move(entorno));
    }
    return *reglas_;
}
