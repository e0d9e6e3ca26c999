// The cost-centre form itself: its controls, opening and closing, clearing, the business units,
// the list of accounts with a distribution, the toolbar and the movement check.
#include "account_extras/Frmta_asigccosto.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "data/LecturasVigiladas.h"
#include "lookup/CajasDeCodigo.h"
#include "outside/ado/TextoSql.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/EditorGrilla.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/Teclas.h"
#include "outside/controls/UtilVex.h"
#include "outside/maker/EnlaceControles.h"
#include "outside/maker/Utilidades.h"
#include "outside/maker/VisorConsulta.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ErrorVB.h"
#include "outside/runtime/ManejadorErrores.h"
#include "outside/runtime/Pantalla.h"
#include "services/CNStuffContable.h"
#include "services/LBM_Common.h"
#include "ui_Frmta_asigccosto.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>

namespace {

QPointer<Frmta_asigccosto> gFormulario;

}  // namespace

Frmta_asigccosto& Frmta_asigccosto::instancia() {
    if (!gFormulario) gFormulario = new Frmta_asigccosto;
    return *gFormulario;
}

bool Frmta_asigccosto::Existe() {
    return !gFormulario.isNull();
}

Frmta_asigccosto::Frmta_asigccosto(QWidget* parent)
    : QWidget(parent, Qt::Window), ui_(std::make_unique<Ui::Frmta_asigccosto>()) {
    setAttribute(Qt::WA_DeleteOnClose);
    ui_->setupUi(this);
    RecogeControles();
    ConectaEventos();
    ConectaCuentaYEditor();
    ConectaGrilla();
    // The right button asks for the lookup; the form sees every key first, in the code search too.
    for (QWidget* w :
         std::initializer_list<QWidget*>{txtCuenta[0], BrwTxt[0], FGCCosto, MSHFlexGrid1, CmbUnegocio,
                                         ChkVariable, ChkPideConf, BusquedaCodigo1->TxtBuscar})
        w->installEventFilter(this);
    codigos_ = new CajasDeCodigo(this);
    codigos_->Agrega(txtCuenta[0], BusquedaCodigo1);
}

void Frmta_asigccosto::RecogeControles() {
    const Ui::Frmta_asigccosto& u = *ui_;
    UtilVex1 = u.UtilVex1;
    txtCuenta[0] = u.txtCuenta_0;
    txtCuenta[0]->DataField = "CODIGO";
    txtCuenta[0]->Tag = "MA_CUENTAS";
    // Its right button is the lookup, not the box's own edit menu.
    txtCuenta[0]->setContextMenuPolicy(Qt::PreventContextMenu);
    BusquedaCodigo1 = new vb::BusquedaCodigo(this);
    BusquedaCodigo1->setObjectName("BusquedaCodigo1");
    BusquedaCodigo1->hide();
    lblDescripcion = u.lblDescripcion;
    CmbUnegocio = u.CmbUnegocio;
    ChkVariable = u.ChkVariable;
    ChkPideConf = u.ChkPideConf;
    FGCCosto = u.FGCCosto;
    BrwTxt[0] = u.BrwTxt_0;
    BrwTxt[0]->hide();
    MSHFlexGrid1 = u.MSHFlexGrid1;
    // The cell editor comes right after the grid it edits as the focus walks the controls.
    QWidget::setTabOrder(FGCCosto, BrwTxt[0]);

    editor_ = new vb::EditorGrilla(FGCCosto, BrwTxt[0], this);
    editor_->setColumnas(m_Col);
    editor_->opciones().ultimaFila = vb::EditorGrilla::UltimaFila::kAgregaFila;
    editor_->opciones().movimientoEnter = [this] { MovimientoEnter(); };
    editor_->setValida([this](bool mostrar) {
        ValidaCampo(BrwTxt[0], 0, mostrar);
        return !HuboError;
    });
}

void Frmta_asigccosto::ConectaEventos() {
    connect(UtilVex1, &UtilVex::Click, this, &Frmta_asigccosto::UtilVex1_Click);
    connect(CmbUnegocio, &QComboBox::currentIndexChanged, this, [this] { CmbUnegocio_Click(); });
    connect(ChkVariable, &QCheckBox::stateChanged, this, [this] { ChkVariable_Click(); });
    connect(MSHFlexGrid1, &vb::FlexGrid::DblClick, this, [this] { MSHFlexGrid1_DblClick(); });
    connect(MSHFlexGrid1, &vb::FlexGrid::KeyPress, this, [this](int& KeyAscii) {
        if (KeyAscii == 13) MSHFlexGrid1_DblClick();
    });
    connect(MSHFlexGrid1, &vb::FlexGrid::RowColChange, this,
            [this] { MSHFlexGrid1->setToolTip(MSHFlexGrid1->TextMatrix(MSHFlexGrid1->Row(), 1)); });
}

void Frmta_asigccosto::ConectaCuentaYEditor() {
    connect(txtCuenta[0], &vb::CajaTexto::KeyDown, this,
            [this](int& KeyCode, int Shift) { txtCuenta_KeyDown(0, KeyCode, Shift); });
    connect(txtCuenta[0], &vb::CajaTexto::GotFocus, this, [this] { txtCuenta_GotFocus(0); });
    connect(txtCuenta[0], &vb::CajaTexto::LostFocus, this,
            [this] { txtCuenta[0]->setStyleSheet(QString()); });

    connect(BrwTxt[0], &vb::CajaTexto::GotFocus, this, [this] {
        marcaEditor_ = 0;
        marcaCuenta_ = -2;
        // The cell's lookup, wherever the editor got the keyboard from.
        UtilVex1->setHabilitado("CONSULTAR", !BrwTxt[0]->Tag.trimmed().isEmpty());
    });
    connect(BrwTxt[0], &vb::CajaTexto::KeyPress, this, [this](int& KeyAscii) {
        maker::gEnlaceControles().FiltraTecla(BrwTxt[0], KeyAscii);
        KeyAscii = LBM_Common::ConvierteMayuscula(KeyAscii);
    });
    connect(BrwTxt[0], &vb::CajaTexto::KeyDown, this,
            [this](int& KeyCode, int Shift) { BrwTxt_KeyDown(0, KeyCode, Shift); });
}

void Frmta_asigccosto::ConectaGrilla() {
    connect(FGCCosto, &vb::FlexGrid::KeyPress, this,
            [this](int& KeyAscii) { MSFlex_Editar(FGCCosto, BrwTxt[0], KeyAscii); });
    connect(FGCCosto, &vb::FlexGrid::DblClick, this, [this] { MSFlex_Editar(FGCCosto, BrwTxt[0], 32); });
    connect(FGCCosto, &vb::FlexGrid::Click, this, [this] {
        marcaEditor_ = 0;
        marcaCuenta_ = -2;
        const TipoColumnaGrilla& c = m_Col[size_t(std::clamp(FGCCosto->Col(), 0, 3))];
        UtilVex1->setHabilitado("CONSULTAR", c.Editable && !c.TablaBusqueda.isEmpty());
    });
    connect(FGCCosto, &vb::FlexGrid::EnterCell, this, [this] { FGCCosto_EnterCell(); });
    connect(FGCCosto, &vb::FlexGrid::GotFocus, this, [this] {
        marcaEditor_ = 0;
        marcaCuenta_ = -2;
        UtilVex1->setHabilitado("CONSULTAR",
                                !m_Col[size_t(std::clamp(FGCCosto->Col(), 0, 3))].TablaBusqueda.isEmpty());
        if (editor_->Editando()) editor_->Cierra();
    });
    connect(FGCCosto, &vb::FlexGrid::LeaveCell, this, [this] {
        if (editor_->Editando()) editor_->Cierra();
    });
}

Frmta_asigccosto::~Frmta_asigccosto() {
    // The controls lose their focus while the base class hides and destroys them: nothing of
    // this form may run then.
    for (QWidget* w : findChildren<QWidget*>()) {
        w->removeEventFilter(this);
        w->disconnect(this);
    }
    // The editor stops watching its box before the box goes with the form's children.
    delete editor_;
    editor_ = nullptr;
}

void Frmta_asigccosto::Mostrar(bool desdeMenu) {
    Menu = desdeMenu;
    if (!cargado_) {
        cargado_ = true;
        Form_Load();
    }
    vb::MuestraVentana(this);
}

bool Frmta_asigccosto::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(evento)->button() == Qt::RightButton &&
        (objeto == txtCuenta[0] || objeto == BrwTxt[0])) {
        Consultar();
        return true;
    }
    if (evento->type() == QEvent::KeyPress) {
        // Form_KeyDown: the toolbar's function keys, after a pending edit is committed.
        const int codigo = vb::CodigoTeclaVB(static_cast<QKeyEvent*>(evento));
        if (!UtilVex::AccionDe(codigo).isEmpty()) {
            if (editor_->Editando()) editor_->Cierra();
            // The lookup key over the account's search looks up the code typed there; the other
            // keys come here only once the search gave it back.
            if (codigo == vb::vbKeyF5) codigos_->Devuelve();
            UtilVex1->ProcesaTecla(codigo);
            return true;
        }
        // Enter in the unit list goes to the first cost centre.
        if (objeto == CmbUnegocio && codigo == vb::vbKeyReturn) {
            FGCCosto->setRow(1);
            FGCCosto->setCol(1);
            FGCCosto->setFocus();
            return true;
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

void Frmta_asigccosto::Form_Load() {
    // The account handed over is taken before the clearing and the unit list can change it.
    const QString cuenta = CNStuffContable::gCuentaActual;
    maker::gUtilidades().PreparaFormulario(this);
    CNStuffContable::AplicaIconoBarras(this);
    TablaActual = "MA_CUENTASCCOSTO";
    setWindowTitle("Actualización de Centros de Costos");
    LimpiaPantalla();
    txtCuenta[0]->setText(Menu ? QString() : cuenta);
    CargaDistribucion(TablaActual);
    // A distribution shown for the account handed over is loaded: "Borrar" acts on it at once.
    DatosCargados = !Menu && Modificando;
    maker::gEnlaceControles().IniciaControles(this, maker::EnlaceControles::kModoConfigurar);
    lblDescripcion->setText(
        CNStuffContable::gBaseDatos()
            .DatosTabla("MA_CUENTAS", cuenta_.Codigo(), "DESCRIPCION", "CODIGO", 8, QString(), true, false)
            .toString());
    for (const char* b : {"NUEVO", "BORRAR", "GRABAR", "CANCELAR"}) UtilVex1->setHabilitado(b, true);
    UtilVex1->setHabilitado("CONSULTAR", true);
    CargaComboUnegocio();
    CargaCuentasConCCosto();
    UtilVex1->setHabilitado("PLANILLA", true);
}

void Frmta_asigccosto::closeEvent(QCloseEvent* e) {
    Form_Unload();
    QWidget::closeEvent(e);
}

void Frmta_asigccosto::Form_Unload() {
    hide();
    CNStuffContable::gCuentaActual.clear();
}

void Frmta_asigccosto::LimpiaPantalla() {
    Nuevo = Borrando = Modificando = Grabando = false;
    // Nothing is shown any more: nothing to write over, and no account to act on or to name.
    generalMostrada_.Olvida();
    unidadMostrada_.Olvida();
    cuenta_.Suelta();
    lblDescripcion->clear();
    // The flags are the account's own: the next account starts without them.
    for (QCheckBox* marca : {ChkVariable, ChkPideConf}) marca->setChecked(false);
    try {
        maker::gEnlaceControles().IniciaControles(this);
        Filas_ = {FilaDistribucion{}};
        MsFlex_Inicializa();
        IniciaEdicion(false);
        txtCuenta[0]->setText(QString());
        txtCuenta[0]->setFocus();
        CargaComboUnegocio();
        // The box may have kept the keyboard all along, with no focus event to say so: the
        // lookup markers and button are its own again, whatever the grid's reset said.
        if (focusWidget() == txtCuenta[0]) txtCuenta_GotFocus(0);
    } catch (const vb::ErrorVB& e) {
        if (e.Number != vb::kArgumentoInvalido)
            vb::MsgBox(e.Description, vb::vbCritical, "AVISO AL OPERADOR");
    }
}

QString Frmta_asigccosto::UnidadActual() const {
    // The item keeps its unit code; a typed or unknown text gives it from its first characters.
    const QVariant dato = CmbUnegocio->currentData();
    if (dato.isValid()) return dato.toString();
    return maker::gUtilidades().AlineaDerecha(CmbUnegocio->currentText().left(4).trimmed(), 4);
}

void Frmta_asigccosto::CargaComboUnegocio() {
    maker::Utilidades& u = maker::gUtilidades();
    {
        const QSignalBlocker quieto(CmbUnegocio);
        CmbUnegocio->clear();
        CmbUnegocio->addItem("General", u.AlineaDerecha("Gene", 4));
        ado::RecordsetPtr rs;
        DB_Dll& db = CNStuffContable::gBaseDatos();
        QString sql = "SELECT * FROM V_TA_UNIDADNEGOCIO ORDER BY CODIGO";
        db.AbrirRecordset(sql, rs);
        try {
            for (; rs && rs->State() == ado::adStateOpen && !rs->Eof(); rs->MoveNext()) {
                const QString codigo = u.TextoCampo(rs->valor("Codigo"));
                CmbUnegocio->addItem(u.Trunca(codigo, 4) + " " + u.TextoCampo(rs->valor("Descripcion")),
                                     u.AlineaDerecha(u.Trunca(codigo, 4).trimmed(), 4));
            }
        } catch (const vb::ErrorVB&) {
            // A unit list that cannot be read leaves "General" alone.
        }
        db.CierraRecordset(rs);
        CmbUnegocio->setCurrentIndex(-1);
    }
    // Choosing the first item from code is a click, as the user's.
    CmbUnegocio->setCurrentIndex(0);
}

void Frmta_asigccosto::CmbUnegocio_Click() {
    if (CmbUnegocio->currentIndex() < 0) return;
    CargaDistribucion(TablaActual);
}

void Frmta_asigccosto::ChkVariable_Click() {
    CmbUnegocio->setEnabled(ChkVariable->isChecked());
}

void Frmta_asigccosto::CargaCuentasConCCosto() {
    DB_Dll& db = CNStuffContable::gBaseDatos();
    ado::RecordsetPtr rs;
    QString sql = QStringLiteral("SELECT MA_CUENTASCCOSTO.CODIGO,DESCRIPCION FROM MA_CUENTASCCOSTO ") +
                  "INNER JOIN MA_CUENTAS " + "ON MA_CUENTASCCOSTO.CODIGO = MA_CUENTAS.CODIGO " +
                  "GROUP BY MA_CUENTASCCOSTO.CODIGO ,DESCRIPCION";
    db.AbrirRecordset(sql, rs);
    QList<QStringList> filas;
    try {
        for (; rs && rs->State() == ado::adStateOpen && !rs->Eof(); rs->MoveNext())
            filas << QStringList{maker::gUtilidades().TextoCampo(rs->fields().Item(0).Value()),
                                 maker::gUtilidades().TextoCampo(rs->fields().Item(1).Value())};
    } catch (const vb::ErrorVB&) {
    }
    db.CierraRecordset(rs);
    vb::FlexGrid* g = MSHFlexGrid1;
    g->setCols(2);
    g->setRows(int(filas.size()) + 1);
    g->setFixedRows(1);
    g->setFixedCols(0);
    g->setLeftCol(0);
    g->setCol(0);
    g->setTextMatrix(0, 0, "CODIGO");
    g->setTextMatrix(0, 1, "DESCRIPCION");
    for (int r = 0; r < filas.size(); ++r) {
        g->setTextMatrix(r + 1, 0, filas[r][0]);
        g->setTextMatrix(r + 1, 1, filas[r][1]);
    }
    AnchosLista();
}

void Frmta_asigccosto::AnchosLista() {
    vb::FlexGrid* g = MSHFlexGrid1;
    if (g->Cols() < 2) return;
    g->setColWidth(0, g->Width() / 2);
    g->setColWidth(1, g->Width() / 2 - 300);
}

void Frmta_asigccosto::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    // The list is laid out only once the window is; its columns follow its width.
    AnchosLista();
}

void Frmta_asigccosto::MSHFlexGrid1_DblClick() {
    if (MSHFlexGrid1->Row() < MSHFlexGrid1->FixedRows()) return;
    txtCuenta[0]->setText(MSHFlexGrid1->TextMatrix(MSHFlexGrid1->Row(), 0));
    int enter = 13;
    txtCuenta_KeyDown(0, enter, 0);
}

void Frmta_asigccosto::txtCuenta_GotFocus(int Index) {
    marcaCuenta_ = Index;
    marcaEditor_ = -2;
    UtilVex1->setHabilitado("CONSULTAR", !txtCuenta[size_t(Index)]->Tag.trimmed().isEmpty());
    txtCuenta[0]->setStyleSheet("background-color: #00FFFF;");
}

void Frmta_asigccosto::TieneMov(const QString& cuenta, bool& tiene) {
    tiene = false;
    vb::ManejadorErrores h("TieneMov", maker::gUtilidades().Reportero());
    // A line with an amount, whoever may see it.
    h.paso([&] {
        tiene = CNStuffContable::gBaseDatos().HayFilasReales(
            "MV_ASIENTOSCCOSTO",
            "LTRIM(RTRIM(CUENTA)) = " + ado::LiteralTexto(cuenta.trimmed()) + " AND Importe IS NOT NULL");
    });
}

void Frmta_asigccosto::ValidaCampos(bool& correcto) {
    HuboError = false;
    for (int i = 0; i < int(txtCuenta.size()); ++i) {
        ValidaCampo(txtCuenta[size_t(i)], i, true);
        if (HuboError) break;
    }
    correcto = !HuboError;
}

void Frmta_asigccosto::UtilVex1_Click(const QString& boton) {
    // A save or a delete stops before it writes when a read of its checks, the cell's commit
    // included, was given up.
    LecturasVigiladas lecturas;
    try {
        // A cell being edited is committed before any action, so what is shown is what counts.
        if (editor_->Editando()) editor_->Cierra();
        const QString clave = boton.toUpper();
        if (clave == "NUEVO") {
            LimpiaPantalla();
            Nuevo = true;
            BrwTxt[0]->setSelStart(int(BrwTxt[0]->text().trimmed().size()));
            if (BrwTxt[0]->isVisible()) BrwTxt[0]->setFocus();
        } else if (clave == "BORRAR") {
            BorraCuentaMostrada();
        } else if (clave == "GRABAR") {
            GrabaDistribucion();
        } else if (clave == "PLANILLA") {
            maker::VisorConsulta& visor = maker::gVisorConsulta();
            visor.ReescribeSentencia = [](const QString& s) {
                return CNStuffContable::gBaseDatos().SS_TSinonimos(s);
            };
            visor.Muestra(
                "SELECT MA_CUENTASCCOSTO.CODIGO,MA_CUENTAS.DESCRIPCION ,MA_CUENTASCCOSTO.CCOSTO AS [C "
                "COSTOS],TA_CCOSTO.DESCRIPCION, MA_CUENTASCCOSTO.PORCENTAJE FROM "
                "MA_CUENTAS,MA_CUENTASCCOSTO,TA_CCOSTO "
                "WHERE LTRIM(RTRIM(MA_CUENTASCCOSTO.CODIGO)) = LTRIM(RTRIM(MA_CUENTAS.CODIGO)) AND "
                "LTRIM(RTRIM(TA_CCOSTO.CODIGO)) = LTRIM(RTRIM(MA_CUENTASCCOSTO.CCOSTO))",
                CNStuffContable::gBaseDatos().gConnString, "Plan General de Cuentas, Centros de Costos");
        } else if (clave == "CONSULTAR") {
            Consultar();
        } else if (clave == "REPORTE") {
            CNStuffContable::LlamaReporte("Rp_PlanCtas");
        } else if (clave == "CERRAR") {
            close();
        } else if (clave == "CANCELAR") {
            if (DatosCargados && vb::MsgBox("¿Está seguro de abandonar la carga de datos?",
                                            vb::vbYesNo + vb::vbExclamation + vb::vbDefaultButton2,
                                            "Atención!!!") == vb::vbYes) {
                DatosCargados = false;
                LimpiaPantalla();
            }
        }
    } catch (const vb::ErrorVB& e) {
        Grabando = false;
        if (e.Number != vb::kArgumentoInvalido)
            vb::MsgBox(e.Description, vb::vbCritical, "Aviso al operador");
    }
}

bool Frmta_asigccosto::CuentaDeLaCaja() {
    // Another code in the box is taken as leaving the box takes it, before the action runs.
    if (!txtCuenta[0]->text().trimmed().isEmpty() && !cuenta_.Es(txtCuenta[0]->text())) {
        ValidaCampo(txtCuenta[0], 0, true);
        if (HuboError) return false;
    }
    return cuenta_.Es(txtCuenta[0]->text());
}

void Frmta_asigccosto::BorraCuentaMostrada() {
    if (!DatosCargados || txtCuenta[0]->text().trimmed().isEmpty()) {
        Aviso("Debe Ingresar una Cuenta");
        return;
    }
    // Only the account on screen, the one checked for movements, is deleted.
    if (!CuentaDeLaCaja()) return;
    const QString cuenta = cuenta_.Codigo();
    bool tiene = false;
    TieneMov(cuenta, tiene);
    if (tiene) {
        vb::MsgBox("La cuenta " + cuenta + " tiene movimientos", vb::vbOKOnly);
        LimpiaPantalla();
        return;
    }
    Borrando = true;
    Actualizar_Datos();
    if (!HuboError) {
        DatosCargados = false;
        LimpiaPantalla();
        CargaCuentasConCCosto();
    }
    Borrando = false;
}

void Frmta_asigccosto::GrabaDistribucion() {
    // An empty box is refused by the checks below; another code is loaded first.
    if (!txtCuenta[0]->text().trimmed().isEmpty() && !CuentaDeLaCaja()) return;
    Grabando = true;
    bool correcto = false;
    ValidaCampos(correcto);
    if (correcto) {
        const QString problema = RevisaFilas();
        if (!problema.isEmpty()) {
            HuboError = true;
            if (!LecturasVigiladas::Abandonada()) Aviso(problema);
        } else {
            Actualizar_Datos();
        }
    }
    Grabando = false;
    if (correcto && !HuboError) {
        DatosCargados = false;
        LimpiaPantalla();
        CargaCuentasConCCosto();
    }
}

void Frmta_asigccosto::Aviso(const QString& texto) {
    vb::MsgBox(texto, vb::vbExclamation, "Aviso al Operador");
}
