// The window itself: controls, opening, field keys, code search and toolbar.
#include "account_extras/frmMA_CUENTASADIC.h"

#include "account_extras/AlcanceCuenta.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "data/LecturasVigiladas.h"
#include "journal/Lbc_Asiento.h"
#include "lookup/CajasDeCodigo.h"
#include "outside/controls/Aceleradores.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/Teclas.h"
#include "outside/controls/UtilVex.h"
#include "outside/maker/EnlaceControles.h"
#include "outside/maker/Utilidades.h"
#include "outside/maker/VisorConsulta.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "outside/runtime/Pantalla.h"
#include "personalizados/GrillaPersonalizados.h"
#include "services/CNStuffContable.h"
#include "ui_frmMA_CUENTASADIC.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>

namespace {

QPointer<frmMA_CUENTASADIC> gForma;

constexpr long kColorFoco = 0xFFFF00;
constexpr long kColorNormal = 0xFFFFFF;

// The column and lookup table of each bound box, in index order; the captions and names shown
// are in the form's .ui file.
struct Campo {
    const char* columna;
    const char* tabla;
};

const std::array<Campo, 24> kCampos{{
    {"CODIGO", "MA_CUENTAS"},
    {"CONTACTO", ""},
    {"CALLE", ""},
    {"NUMERO", ""},
    {"PISO", ""},
    {"DEPARTAMENTO", ""},
    {"CPOSTAL", ""},
    {"LOCALIDAD", ""},
    {"PROVINCIA", "TA_ESTADOS"},
    {"PAIS", "TA_PAISES"},
    {"TELEFONO", ""},
    {"DOCUMENTO_TIPO", "TA_TIPODOCUMENTO"},
    {"NUMERO_DOCUMENTO", ""},
    {"IVA", "TA_CONDIVA"},
    {"OBSERVACIONES", ""},
    {"FAX", ""},
    {"MAIL", ""},
    {"IDCOND_Cpra_Vta", "V_TA_Cpra_Vta"},
    {"LIMITE_CREDITO", ""},
    {"idcategoria", "V_TA_CATEGORIA"},
    {"IdMotivoVta", "V_TA_MotivoVta"},
    {"IdMotivoCpra", "V_TA_MotivoCpra"},
    {"IdVendedor", "V_TA_Vendedores"},
    {"IdLista", "V_MA_PreciosCab"},
}};

// The last widget inside `w` that the focus chain reaches, or `w` itself.
QWidget* UltimoEnCadena(QWidget* w) {
    QWidget* ultimo = w;
    for (QWidget* s = w->nextInFocusChain(); w->isAncestorOf(s); s = s->nextInFocusChain()) ultimo = s;
    return ultimo;
}

void Colorea(QWidget* caja, long bgr) {
    // VB colours are BGR; these two are symmetric enough to read as RGB as well.
    const QColor color(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
    QPalette p = caja->palette();
    p.setColor(QPalette::Base, color);
    caja->setPalette(p);
}

}  // namespace

frmMA_CUENTASADIC::frmMA_CUENTASADIC(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::frmMA_CUENTASADIC>()) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    ui_->setupUi(this);
    RecogeControles();
    ConectaEventos();
}

frmMA_CUENTASADIC::~frmMA_CUENTASADIC() {
    // The boxes lose their focus while the base class destroys them: nothing of this form may run.
    for (QWidget* w : findChildren<QWidget*>()) {
        w->removeEventFilter(this);
        w->disconnect(this);
    }
    if (gForma == this) gForma = nullptr;
}

frmMA_CUENTASADIC& frmMA_CUENTASADIC::instancia() {
    if (!gForma) gForma = new frmMA_CUENTASADIC;
    return *gForma;
}

bool frmMA_CUENTASADIC::Existe() {
    return !gForma.isNull();
}

void frmMA_CUENTASADIC::Muestra() {
    const bool nueva = !Existe();
    frmMA_CUENTASADIC& f = instancia();
    if (nueva) f.Form_Load();
    vb::MuestraVentana(&f);
}

void frmMA_CUENTASADIC::RecogeControles() {
    const Ui::frmMA_CUENTASADIC& u = *ui_;
    txtFields = {u.txtFields_0,  u.txtFields_1,  u.txtFields_2,  u.txtFields_3,  u.txtFields_4,
                 u.txtFields_5,  u.txtFields_6,  u.txtFields_7,  u.txtFields_8,  u.txtFields_9,
                 u.txtFields_10, u.txtFields_11, u.txtFields_12, u.txtFields_13, u.txtFields_14,
                 u.txtFields_15, u.txtFields_16, u.txtFields_17, u.txtFields_18, u.txtFields_19,
                 u.txtFields_20, u.txtFields_21, u.txtFields_22, u.txtFields_23};
    for (int i = 0; i < int(kCampos.size()); ++i) {
        txtFields[i]->DataField = QString::fromUtf8(kCampos[i].columna);
        txtFields[i]->Tag = QString::fromUtf8(kCampos[i].tabla);
    }
    lblDetalle = {u.lblDetalle_0, u.lblDetalle_1, u.lblDetalle_2, u.lblDetalle_3, u.lblDetalle_4,
                  u.lblDetalle_5, u.lblDetalle_6, u.lblDetalle_7, u.lblDetalle_8, u.lblDetalle_9};
    Label1 = {u.Label1_0, u.Label1_1, nullptr, u.Label1_3};
    LblTitulo = u.LblTitulo;
    FrmMasDatos = u.FrmMasDatos;
    SSTab1 = u.SSTab1;
    MSFlexGrid1 = u.MSFlexGrid1;
    TxtEdit = u.TxtEdit;
    BusquedaCodigo1 = u.BusquedaCodigo1;
    UtilVex1 = u.UtilVex1;
    BusquedaCodigo1->hide();
    // The focus walks the boxes in the chain's order: the account box comes right after the tabs
    // and before their fields.
    QWidget::setTabOrder(UltimoEnCadena(SSTab1->tabBar()), txtFields[0]);
    m_Personalizados = std::make_unique<personalizados::GrillaPersonalizados>(
        MSFlexGrid1, TxtEdit, personalizados::GrillaPersonalizados::FormaDatosAdicionales(), this);
    vb::AsignaAceleradores(this);
}

void frmMA_CUENTASADIC::ConectaEventos() {
    connect(UtilVex1, &UtilVex::Click, this, &frmMA_CUENTASADIC::UtilVex1_ButtonClick);
    for (int i = 0; i < txtFields.size(); ++i) {
        vb::CajaTexto* caja = txtFields[i];
        connect(caja, &vb::CajaTexto::GotFocus, this, [this, i] { txtFields_GotFocus(i); });
        connect(caja, &vb::CajaTexto::LostFocus, this, [this, i] { txtFields_LostFocus(i); });
        connect(caja, &vb::CajaTexto::KeyDown, this,
                [this, i](int& k, int s) { txtFields_KeyDown(i, k, s); });
    }
    // Every field whose tag names a table is a code box.
    m_Codigos = new CajasDeCodigo(this);
    for (vb::CajaTexto* caja : txtFields)
        if (!caja->Tag.trimmed().isEmpty()) m_Codigos->Agrega(caja, BusquedaCodigo1);

    // The window sees every key first (its key preview), as the toolbar's function keys work from
    // any control; key releases and mouse presses of the boxes come the same way.
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
    installEventFilter(this);
}

bool frmMA_CUENTASADIC::eventFilter(QObject* objeto, QEvent* evento) {
    auto* caja = qobject_cast<vb::CajaTexto*>(objeto);
    const int indice = caja ? int(txtFields.indexOf(caja)) : -1;
    switch (evento->type()) {
        case QEvent::KeyPress: {
            // A key the focused control leaves goes on to its parents, each watched too: the
            // form takes it once, where it lands.
            QWidget* foco = QApplication::focusWidget();
            if (objeto != foco && !(objeto == this && !(foco && isAncestorOf(foco)))) break;
            auto* tecla = static_cast<QKeyEvent*>(evento);
            int codigo = vb::CodigoTeclaVB(tecla);
            if (codigo == 0) break;
            Form_KeyDown(codigo, vb::EstadoShift(tecla->modifiers()));
            if (codigo == 0) return true;
            break;
        }
        case QEvent::MouseButtonPress:
            if (indice >= 0) txtFields_MouseDown(indice);
            break;
        default:
            break;
    }
    return QWidget::eventFilter(objeto, evento);
}

Lbc_Asiento& frmMA_CUENTASADIC::Asiento() {
    if (!m_Asiento) m_Asiento = std::make_unique<Lbc_Asiento>();
    return *m_Asiento;
}

bool frmMA_CUENTASADIC::Visible(const QWidget* control) {
    return control && !control->isHidden();
}

// ---- opening ----

bool frmMA_CUENTASADIC::AbreFila(const QString& cuenta) {
    if (!rsAdic) rsAdic = ado::Recordset::Crear();
    rsAdic->LockType = ado::adLockOptimistic;
    rsAdic->CursorType = ado::adOpenDynamic;
    return CNStuffContable::gBaseDatos().ExisteEnTabla(TablaActual, cuenta, "CODIGO", rsAdic, 8, QString(),
                                                       false);
}

bool frmMA_CUENTASADIC::ValidaCampos() {
    HuboError = false;
    for (int i = 0; i < txtFields.size(); ++i) {
        Campo_valida(i, txtFields[i]);
        if (HuboError) break;
    }
    return !HuboError;
}

void frmMA_CUENTASADIC::AbreTabla(const QString& tabla) {
    vb::ManejadorErrores h("Generar", maker::gUtilidades().Reportero());
    h.paso([&] {
        // The table's columns and no row: nothing the form did not load can be shown or written.
        QString sql = "SELECT top 1 * FROM " + tabla + " WHERE 1 = 0";
        auto& db = CNStuffContable::gBaseDatos();
        db.AbrirRecordset(sql, rsAdic, db.gCnn, ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
    });
}

void frmMA_CUENTASADIC::Form_Load() {
    vb::ManejadorErrores h("Form_Load", maker::gUtilidades().Reportero());
    const auto paso = [&h](const std::function<void()>& f) { return h.paso(f); };
    if (!paso([&] { maker::gUtilidades().PreparaFormulario(this); })) return;
    if (!paso([&] { CNStuffContable::AplicaIconoBarras(this); })) return;
    if (!paso([&] { TablaActual = "MA_CUENTASADIC"; })) return;
    if (!paso([&] { AbreTabla(TablaActual); })) return;
    if (!paso([&] { BusquedaCodigo1->hide(); })) return;
    if (!paso([&] { LimpiaPantalla(); })) return;
    if (FormaIndependiente) return;

    // The account handed over becomes the form's own; one the user may not see is not loaded:
    // the form waits empty, its fields closed.
    bool cargada = false;
    if (!paso([&] { cargada = cuenta_.Toma(CNStuffContable::gCuentaActual); }) || !cargada) return;
    const QString cuenta = cuenta_.Codigo();
    bool encontrado = false;
    if (!paso([&] { encontrado = Asiento().ExisteDatosAdicionales(cuenta, rsAdic); })) return;
    if (!paso([&] {
            if (encontrado) {
                Nuevo = false;
                Modificando = true;
            } else {
                maker::gEnlaceControles().PreparaFormulario(this, 1);
                Nuevo = true;
                Modificando = false;
            }
        }))
        return;
    if (!paso([&] {
            QVariant descripcion;
            const bool existe = Asiento().ExisteCuentas(cuenta, nullptr, &descripcion);
            LblTitulo->setText(existe ? maker::gUtilidades().TextoCampo(descripcion) : QString());
        }))
        return;
    // Reopened updatable on the account's row: the save writes through it.
    if (!paso([&] { AbreFila(cuenta); })) return;
    if (!paso([&] { DetalleOn(true); })) return;
    if (!paso([&] { MuestraDatos(); })) return;
    if (!paso([&] {
            txtFields[0]->setEnabled(false);
            txtFields[0]->setText(cuenta);
        }))
        return;
    // The account's view is applied as the row is shown, so no field it hides takes typing.
    paso([&] { DeterminaVista(cuenta); });
}

void frmMA_CUENTASADIC::MuestraDatos() {
    vb::ManejadorErrores h("Form_Load", maker::gUtilidades().Reportero());
    // The row of an account the user may not see is never shown (the first row of the table
    // after a delete may be one): an empty row stands for it.
    if (!h.paso([&] {
            if (!rsAdic || rsAdic->State() == ado::adStateClosed || rsAdic->Bof() || rsAdic->Eof()) return;
            if (account_extras::CuentaAlAlcance(maker::gUtilidades().TextoCampo(rsAdic->valor("CODIGO"))))
                return;
            QString sql = "SELECT top 1 * FROM " + TablaActual + " WHERE 1 = 0";
            auto& db = CNStuffContable::gBaseDatos();
            db.AbrirRecordset(sql, rsAdic, db.gCnn, ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
        }))
        return;
    if (!h.paso([&] { Modificando = true; })) return;
    if (!h.paso([&] { maker::gEnlaceControles().MuestraRegistro(txtFields, *rsAdic); })) return;
    for (vb::CajaTexto* caja : txtFields) {
        if (!h.paso([&] {
                QString mensaje;
                MuestraDetalle(caja->DataField, mensaje);
            }))
            return;
    }
    if (!h.paso([&] { m_Personalizados->AsignarPersonalizados(rsAdic); })) return;
    // What the user saw: a save writes only what differs from it.
    h.paso([&] { RecuerdaMostrada(); });
}

// ---- toolbar and keys ----

void frmMA_CUENTASADIC::UtilVex1_ButtonClick(const QString& boton) {
    vb::ManejadorErrores h("Form_Load", maker::gUtilidades().Reportero());
    const QString accion = boton.toUpper();
    if (accion == "NUEVO") {
        if (!h.paso([&] { LimpiaPantalla(); })) return;
        if (!h.paso([&] {
                Nuevo = true;
                Borrando = false;
                Modificando = false;
            }))
            return;
        h.paso([&] { EnfocaCampo(0); });
    } else if (accion == "BORRAR") {
        BorraDesdeBarra(h);
    } else if (accion == "GRABAR") {
        GrabaDesdeBarra(h);
    } else if (accion == "PLANILLA") {
        h.paso([&] {
            auto& db = CNStuffContable::gBaseDatos();
            maker::VisorConsulta& visor = maker::gVisorConsulta();
            visor.ReescribeSentencia = [&db](const QString& s) { return db.SS_TSinonimos(s); };
            visor.Muestra("SELECT * FROM " + TablaActual, db.gConnString,
                          "Plan General de Cuentas, Datos Adicionales");
        });
    } else if (accion == "CONSULTAR") {
        h.paso([&] { Consultar(); });
    } else if (accion == "REPORTE") {
        h.paso([&] {
            QString reporte = "Rp_PlanCtas";
            CNStuffContable::LlamaReporte(reporte);
        });
    } else if (accion == "CERRAR") {
        h.paso([&] { Descargar(); });
    } else if (accion == "CANCELAR") {
        if (!FormaIndependiente)
            h.paso([&] { Descargar(); });
        else
            h.paso([&] { LimpiaPantalla(); });
    }
}

void frmMA_CUENTASADIC::BorraDesdeBarra(vb::ManejadorErrores& h) {
    // Nothing loaded, nothing to delete.
    if (!cuenta_.Cargada()) return;
    // The delete stops before it writes when a read it made was given up.
    LecturasVigiladas lecturas;
    const int respuesta = vb::MsgBox("Confirma la baja de este registro?",
                                     vb::vbYesNo + vb::vbExclamation + vb::vbDefaultButton2, "Atención!");
    if (respuesta != vb::vbYes) return;
    if (!h.paso([&] {
            Nuevo = false;
            Borrando = true;
            Modificando = false;
        }))
        return;
    // A delete leaves the form cleared, with nothing loaded: no other row takes its place.
    h.paso([&] { ActualizarDatos(); });
}

void frmMA_CUENTASADIC::GrabaDesdeBarra(vb::ManejadorErrores& h) {
    // Nothing loaded, nothing to check or save.
    if (!cuenta_.Cargada()) return;
    // The save stops before it writes when a read its checks made was given up.
    LecturasVigiladas lecturas;
    if (!h.paso([&] { Grabando = true; })) return;
    bool valido = false;
    if (!h.paso([&] { valido = ValidaCampos(); })) {
        Grabando = false;
        return;
    }
    if (valido && !h.paso([&] { ActualizarDatos(); })) {
        Grabando = false;
        return;
    }
    Grabando = false;
    if (HuboError) return;
    if (!FormaIndependiente)
        h.paso([&] { Descargar(); });
    else
        h.paso([&] { LimpiaPantalla(); });
}

void frmMA_CUENTASADIC::Form_KeyDown(int& KeyCode, int /*Shift*/) {
    if (BusquedaCodigo1->Visible()) {
        // The search keeps the keyboard; only F5 takes its value into the field.
        if (KeyCode != vb::vbKeyF5) return;
        txtFields[CampoActual]->setText(BusquedaCodigo1->CodigoActual());
    }
    // A key the toolbar acted on is spent: it reaches no field, and nothing after the action
    // (a closed window, another window's field) sees it again.
    if (UtilVex1->ProcesaTecla(KeyCode)) KeyCode = 0;
}

void frmMA_CUENTASADIC::txtFields_GotFocus(int Index) {
    CampoActual = Index;
    UtilVex1->setHabilitado("CONSULTAR", !txtFields[Index]->Tag.trimmed().isEmpty());
    Colorea(txtFields[Index], kColorFoco);
}

void frmMA_CUENTASADIC::txtFields_LostFocus(int Index) {
    Colorea(txtFields[Index], kColorNormal);
}

void frmMA_CUENTASADIC::txtFields_MouseDown(int Index) {
    CampoActual = Index;
}

void frmMA_CUENTASADIC::txtFields_KeyDown(int Index, int& KeyCode, int /*Shift*/) {
    BusquedaCodigo1->Buscar = txtFields[Index]->text();
    auto& enlace = maker::gEnlaceControles();
    // Escape leaves the value typed as it is, unchecked: the Enter that follows checks it, and
    // is not spent answering a message the Escape raised.
    if (KeyCode == vb::vbKeyEscape || !enlace.TeclaSalida(KeyCode)) return;
    Campo_valida(Index, txtFields[Index]);
    if (HuboError) return;
    if (Index == 0 && FormaIndependiente) return;
    enlace.MueveFoco(KeyCode, txtFields[Index]);
}

void frmMA_CUENTASADIC::EnfocaCampo(int index) {
    vb::CajaTexto* caja = txtFields[index];
    for (int t = 0; t < SSTab1->count(); ++t)
        if (SSTab1->widget(t)->isAncestorOf(caja)) SSTab1->setCurrentIndex(t);
    caja->setFocus();
}

void frmMA_CUENTASADIC::Descargar() {
    int cancelar = 0;
    Form_Unload(cancelar);
    if (cancelar) return;
    m_Descargando = true;
    hide();
    // The form's global instance is released; the next showing loads a new one.
    if (gForma == this) gForma = nullptr;
    deleteLater();
}

void frmMA_CUENTASADIC::closeEvent(QCloseEvent* e) {
    if (m_Descargando) {
        e->accept();
        return;
    }
    e->ignore();
    Descargar();
}
