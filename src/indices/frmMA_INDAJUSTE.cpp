// The window itself: controls, load road, toolbar actions, year box and close.
#include "indices/frmMA_INDAJUSTE.h"

#include "data/DB_Dll.h"
#include "outside/controls/BarraEstado.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/EditorGrilla.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/SkinFramework.h"
#include "outside/controls/Teclas.h"
#include "outside/controls/UtilVex.h"
#include "outside/maker/EnlaceControles.h"
#include "outside/maker/Reporte.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"
#include "services/LBM_Common.h"
#include "ui_frmMA_INDAJUSTE.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

frmMA_INDAJUSTE* gfrmMA_INDAJUSTE = nullptr;

using CNStuffContable::gBaseDatos;

frmMA_INDAJUSTE::frmMA_INDAJUSTE(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::frmMA_INDAJUSTE>()) {
    gfrmMA_INDAJUSTE = this;
    ui_->setupUi(this);
    UtilVex1 = ui_->UtilVex1;
    txtFields << ui_->txtFields_0;
    txtFields[0]->DataField = "anio";
    FgAsiento = ui_->FgAsiento;
    FgAsiento->setColWidth(0, 1000);
    BrwTxt << ui_->BrwTxt_0;
    // The cell editor floats over the grid.
    BrwTxt[0]->raise();
    PreparaEditor();
    lblLabels[1] = ui_->lblLabels_1;

    SkinFramework1 = new SkinFramework(this);
    SkinFramework1->setObjectName("SkinFramework1");
    sbStatusBar = ui_->sbStatusBar;
    sbStatusBar->AgregaPanel("MENSAJE", {}, true);
    for (const char* clave : {"SERVER", "USUARIO", "BASEDEDATOS", "CAJA", "VERSION"})
        sbStatusBar->AgregaPanel(clave);
    conectaControles();

    // The window sees every key first, as the toolbar's function keys work from any control.
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
    installEventFilter(this);
}

void frmMA_INDAJUSTE::conectaControles() {
    vb::CajaTexto* anio = txtFields[0];
    vb::CajaTexto* editor = BrwTxt[0];
    connect(UtilVex1, &UtilVex::Click, this, &frmMA_INDAJUSTE::Utilvex1_Click);
    connect(anio, &vb::CajaTexto::GotFocus, this, [this] { txtFields_GotFocus(0); });
    connect(anio, &vb::CajaTexto::KeyPress, this, [this](int& k) { txtFields_KeyPress(0, k); });
    connect(anio, &vb::CajaTexto::KeyDown, this, [this](int& k, int s) { txtFields_KeyDown(0, k, s); });
    connect(FgAsiento, &vb::FlexGrid::KeyPress, this, &frmMA_INDAJUSTE::FgAsiento_KeyPress);
    connect(FgAsiento, &vb::FlexGrid::DblClick, this, &frmMA_INDAJUSTE::FgAsiento_DblClick);
    connect(FgAsiento, &vb::FlexGrid::Click, this, &frmMA_INDAJUSTE::FgAsiento_Click);
    connect(FgAsiento, &vb::FlexGrid::EnterCell, this, &frmMA_INDAJUSTE::FgAsiento_EnterCell);
    connect(FgAsiento, &vb::FlexGrid::GotFocus, this, &frmMA_INDAJUSTE::FgAsiento_GotFocus);
    connect(FgAsiento, &vb::FlexGrid::LeaveCell, this, &frmMA_INDAJUSTE::FgAsiento_LeaveCell);
    connect(FgAsiento, &vb::FlexGrid::Scroll, this, &frmMA_INDAJUSTE::FgAsiento_Scroll);
    connect(editor, &vb::CajaTexto::KeyPress, this, [this](int& k) { BrwTxt_KeyPress(0, k); });
    connect(editor, &vb::CajaTexto::KeyDown, this, [this](int& k, int s) { BrwTxt_KeyDown(0, k, s); });
    connect(editor, &vb::CajaTexto::Click, this, [this] { BrwTxt_Click(0); });
    connect(editor, &vb::CajaTexto::GotFocus, this, [this] { BrwTxt_GotFocus(0); });
}

frmMA_INDAJUSTE::~frmMA_INDAJUSTE() {
    if (gfrmMA_INDAJUSTE == this) gfrmMA_INDAJUSTE = nullptr;
}

bool frmMA_INDAJUSTE::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress) {
        int codigo = vb::CodigoTeclaVB(static_cast<QKeyEvent*>(evento));
        if (codigo != 0) {
            Form_KeyDown(codigo, vb::EstadoShift(static_cast<QKeyEvent*>(evento)->modifiers()));
            // A function key that ran an action is spent: the control under it never sees it.
            if (codigo == 0) return true;
        }
    } else if (evento->type() == QEvent::MouseButtonPress && objeto == txtFields[0]) {
        const auto* m = static_cast<QMouseEvent*>(evento);
        txtFields_MouseDown(0, m->button() == Qt::RightButton ? 2 : m->button() == Qt::LeftButton ? 1 : 4);
    }
    return QWidget::eventFilter(objeto, evento);
}

QStringList frmMA_INDAJUSTE::TablasQueLee() {
    return {"MA_INDAJUSTE", "MV_EJERCICIOS"};
}

void frmMA_INDAJUSTE::Form_Load() {
    CNStuffContable::InicializaSistema();
    CNStuffContable::AplicaSkin(this);
    maker::gUtilidades().PreparaFormulario(this);
    CNStuffContable::AplicaIconoBarras(this);
    CNStuffContable::MuestraBarraEstado(*sbStatusBar, "");
    m_Tabla = "MA_INDAJUSTE";
    Generar(m_Tabla);
    LimpiaPantalla();
    CargaGrilla();
    // The year box takes the keyboard at start, full: the year shown is selected, so that a year
    // typed at once replaces it instead of being refused at the box's length.
    txtFields[0]->selectAll();
}

void frmMA_INDAJUSTE::Generar(const QString& tabla) {
    vb::ManejadorErrores h("Generar", maker::gUtilidades().Reportero());
    QString sql = "SELECT top 1 * FROM " + tabla + " ORDER BY anio";
    h.paso([&] {
        auto& db = gBaseDatos();
        db.AbrirRecordset(sql, m_Rs, db.gCnn, ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
    });
}

void frmMA_INDAJUSTE::LimpiaPantalla() {
    m_Borrar = false;
    maker::gEnlaceControles().IniciaControles(this);
    txtFields[0]->setMaxLength(4);
    txtFields[0]->setText(QString::number(vb::Now().date().year()));
    ConfiguraControles();
    MsFlex_Inicializa(13);
    HabilitaCampos(false);
    m_Modificado = false;
}

void frmMA_INDAJUSTE::ConfiguraControles() {
    maker::gEnlaceControles().IniciaControles(this, maker::EnlaceControles::kModoConfigurar);
}

void frmMA_INDAJUSTE::HabilitaCampos(bool habilita) {
    for (auto* caja : txtFields) caja->setEnabled(habilita);
    // Every action stays usable whatever the state; the lookup button follows its own rule.
    for (const QString& accion : UtilVex::Acciones())
        if (accion != "CONSULTAR") UtilVex1->setHabilitado(accion, true);
    FgAsiento->setEnabled(habilita);
}

bool frmMA_INDAJUSTE::ValidaCampos() {
    m_Error = false;
    for (int i = 0; i < txtFields.size(); ++i) {
        Campo_Valida(txtFields[i], i, true);
        if (m_Error) break;
    }
    return !m_Error;
}

void frmMA_INDAJUSTE::Consultar() {}

void frmMA_INDAJUSTE::BotonConsulta(bool habilitado) {
    UtilVex1->setHabilitado("CONSULTAR", habilitado);
}

void frmMA_INDAJUSTE::Utilvex1_Click(const QString& accion) {
    // Buttons and function keys alike: a value still in the cell editor is saved first.
    m_Editor->Cierra();
    const QString clave = accion.toUpper();
    if (clave == "NUEVO") {
        LimpiaPantalla();
        txtFields[0]->setFocus();
    } else if (clave == "BORRAR") {
        const int r = vb::MsgBox("Confirma la baja de este registro?",
                                 vb::vbYesNo | vb::vbExclamation | vb::vbDefaultButton2, "Atención!");
        if (r != vb::vbYes) return;
        m_Borrar = true;
        ActualizarDatos();
        Generar(m_Tabla);
        CargaGrilla();
    } else if (clave == "GRABAR") {
        if (ValidaCampos()) {
            // A delete that failed earlier must not turn this save into another delete.
            m_Borrar = false;
            ActualizarDatos();
            m_Modificado = false;
        }
        txtFields[0]->setFocus();
    } else if (clave == "PLANILLA") {
    } else if (clave == "CONSULTAR") {
        Consultar();
    } else if (clave == "REPORTE") {
        Reporte();
    } else if (clave == "CERRAR") {
        int cancelar = 0;
        Form_Unload(cancelar);
    } else if (clave == "CANCELAR") {
        LimpiaPantalla();
        Generar(m_Tabla);
        txtFields[0]->setSelStart(int(txtFields[0]->text().trimmed().size()));
    }
}

void frmMA_INDAJUSTE::Reporte() {
    using CNStuffContable::Cfg;
    auto& rep = maker::gReporte();
    rep.Imprime("RP_QT040", {"+{MA_INDAJUSTE.anio}", "+{MA_INDAJUSTE.MES}"}, "", gBaseDatos().gConnString,
                "empresa = '" + Cfg("NOMBRE") + "'", "INDICE1 = '" + Cfg("NOMBRE_INDICE1") + "'",
                "INDICE2 = '" + Cfg("NOMBRE_INDICE2") + "'", "INDICE3 = '" + Cfg("NOMBRE_INDICE3") + "'",
                "INDICE4 = '" + Cfg("NOMBRE_INDICE4") + "'", "", "", "");
    rep.Salida(6);
}

void frmMA_INDAJUSTE::txtFields_GotFocus(int Index) {
    BotonConsulta(!txtFields[Index]->Tag.trimmed().isEmpty());
}

void frmMA_INDAJUSTE::txtFields_KeyPress(int, int& KeyAscii) {
    KeyAscii = LBM_Common::ConvierteMayuscula(KeyAscii);
}

void frmMA_INDAJUSTE::txtFields_KeyDown(int Index, int& KeyCode, int) {
    auto& enlace = maker::gEnlaceControles();
    if (enlace.TeclaSalida(KeyCode)) {
        Campo_Valida(txtFields[Index], Index, true);
        if (!m_Error) enlace.MueveFoco(KeyCode, txtFields[Index]);
    }
    BotonConsulta(!txtFields[Index]->Tag.trimmed().isEmpty());
}

void frmMA_INDAJUSTE::txtFields_MouseDown(int, int Button) {
    if (Button == 2) Consultar();
}

void frmMA_INDAJUSTE::Form_KeyDown(int& KeyCode, int) {
    if (UtilVex1->ProcesaTecla(KeyCode)) KeyCode = 0;
}

void frmMA_INDAJUSTE::Form_Unload(int&) {
    try {
        m_Editor->Cierra();
        m_Rs.reset();
        hide();
        gfrmMA_INDAJUSTE = nullptr;
    } catch (const vb::ErrorVB& e) {
        vb::MsgBox(e.Description, vb::vbOKOnly);
        return;
    }
    vb::End();
}

void frmMA_INDAJUSTE::closeEvent(QCloseEvent* e) {
    int cancelar = 0;
    Form_Unload(cancelar);
    e->accept();
}
