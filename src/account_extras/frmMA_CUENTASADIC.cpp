// The window itself: controls, opening, field keys, code search and toolbar.
#include "account_extras/frmMA_CUENTASADIC.h"

#include "accounts/personalizados/GrillaPersonalizados.h"
#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "journal/Lbc_Asiento.h"
#include "lookup/Rt_BusquedaCodigo.h"
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
#include "services/CNStuffContable.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QPointer<frmMA_CUENTASADIC> gForma;

constexpr long kColorFoco = 0xFFFF00;
constexpr long kColorNormal = 0xFFFFFF;

struct Campo {
    const char* columna;
    const char* tabla;
    const char* nombre;    // the tool tip: the field's name in messages
    const char* etiqueta;  // the caption beside the box
};

// The bound boxes in index order.
const std::array<Campo, 24> kCampos{{
    {"CODIGO", "MA_CUENTAS", "", "Cuenta"},
    {"CONTACTO", "", "", "Contacto"},
    {"CALLE", "", "Calle", "Calle"},
    {"NUMERO", "", "Número", "Número"},
    {"PISO", "", "", "Piso"},
    {"DEPARTAMENTO", "", "", "Departamento"},
    {"CPOSTAL", "", "Código Postal", "Código Postal"},
    {"LOCALIDAD", "", "Localidad", "Localidad"},
    {"PROVINCIA", "TA_ESTADOS", "Provincia", "Provincia"},
    {"PAIS", "TA_PAISES", "Pais", "País"},
    {"TELEFONO", "", "", "Teléfono"},
    {"DOCUMENTO_TIPO", "TA_TIPODOCUMENTO", "Tipo de Documento", "Tipo de Documento"},
    {"NUMERO_DOCUMENTO", "", "Número de Documento", "Número de Documento"},
    {"IVA", "TA_CONDIVA", "Condición de I.V.A.", "Condición de I.V.A."},
    {"OBSERVACIONES", "", "", "Observaciones"},
    {"FAX", "", "", "Fax"},
    {"MAIL", "", "", "E-Mail"},
    {"IDCOND_Cpra_Vta", "V_TA_Cpra_Vta", "", "Condición de Compra/Venta:"},
    {"LIMITE_CREDITO", "", "", "Límite de Crédito"},
    {"idcategoria", "V_TA_CATEGORIA", "", "Categoría"},
    {"IdMotivoVta", "V_TA_MotivoVta", "", "Motivo de Venta"},
    {"IdMotivoCpra", "V_TA_MotivoCpra", "", "Motivo de Compra"},
    {"IdVendedor", "V_TA_Vendedores", "", "Vendedor habitual"},
    {"IdLista", "V_MA_PreciosCab", "", "Lista de precios habitual"},
}};

// The Label1 element of the three optional fields.
int ElementoLabel1(int indice) {
    switch (indice) {
        case 17:
            return 0;
        case 19:
            return 1;
        case 18:
            return 3;
        default:
            return -1;
    }
}

void Colorea(QWidget* caja, long bgr) {
    // VB colours are BGR; these two are symmetric enough to read as RGB as well.
    const QColor color(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
    QPalette p = caja->palette();
    p.setColor(QPalette::Base, color);
    caja->setPalette(p);
}

}  // namespace

frmMA_CUENTASADIC::frmMA_CUENTASADIC(QWidget* parent) : QWidget(parent) {
    setObjectName("frmMA_CUENTASADIC");
    setWindowTitle("Plan General de Cuentas - Datos Adicionales -");
    setAttribute(Qt::WA_DeleteOnClose, false);
    crearControles();
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
    f.show();
    f.raise();
    f.activateWindow();
}

void frmMA_CUENTASADIC::crearControles() {
    resize(720, 520);
    UtilVex1 = new UtilVex(this);
    UtilVex1->setObjectName("UtilVex1");

    auto* cabecera = new QHBoxLayout;
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName("SSTab1");
    auto* general = new QWidget;
    auto* masDatos = new QWidget;
    auto* personales = new QWidget;
    SSTab1->addTab(general, "Datos Generales");
    SSTab1->addTab(masDatos, "Mas Datos");
    SSTab1->addTab(personales, "Personalizados");

    FrmMasDatos = new QGroupBox(masDatos);
    FrmMasDatos->setObjectName("FrmMasDatos");
    auto* layMas = new QVBoxLayout(masDatos);
    layMas->addWidget(FrmMasDatos);
    layMas->addStretch();
    auto* gridMas = new QGridLayout(FrmMasDatos);
    auto* gridGeneral = new QGridLayout(general);

    int filaGeneral = 0, filaMas = 0, otrasEtiquetas = 0;
    for (int i = 0; i < int(kCampos.size()); ++i) {
        const Campo& c = kCampos[i];
        auto* caja = new vb::CajaTexto(this);
        caja->setObjectName(QStringLiteral("txtFields_%1").arg(i));
        caja->DataField = QString::fromUtf8(c.columna);
        caja->Tag = QString::fromUtf8(c.tabla);
        caja->setToolTip(QString::fromUtf8(c.nombre));
        txtFields << caja;

        auto* etiqueta = new QLabel(QString::fromUtf8(c.etiqueta), this);
        etiqueta->setBuddy(caja);
        const int l1 = ElementoLabel1(i);
        if (l1 >= 0) {
            etiqueta->setObjectName(QStringLiteral("Label1_%1").arg(l1));
            Label1[l1] = etiqueta;
        } else {
            etiqueta->setObjectName(QStringLiteral("Etiqueta_%1").arg(otrasEtiquetas++));
        }
        QLabel* detalle = nullptr;
        if (!caja->Tag.isEmpty() && i != 0) {
            detalle = new QLabel("...", this);
            detalle->setObjectName(QStringLiteral("lblDetalle_%1").arg(lblDetalle.size()));
            detalle->setProperty("Tag", caja->Tag);
            lblDetalle << detalle;
        }
        if (i == 0) {
            LblTitulo = new QLabel("...", this);
            LblTitulo->setObjectName("LblTitulo");
            cabecera->addWidget(etiqueta);
            cabecera->addWidget(caja);
            cabecera->addWidget(LblTitulo, 1);
        } else {
            QGridLayout* grid = i >= 17 ? gridMas : gridGeneral;
            int& fila = i >= 17 ? filaMas : filaGeneral;
            caja->setMinimumWidth(i == 14 || i == 16 || i == 2 || i == 1 ? 320 : 200);
            grid->addWidget(etiqueta, fila, 0);
            grid->addWidget(caja, fila, 1);
            if (detalle) grid->addWidget(detalle, fila, 2);
            ++fila;
        }
    }
    gridGeneral->setRowStretch(filaGeneral, 1);
    gridGeneral->setColumnStretch(2, 1);
    gridMas->setColumnStretch(2, 1);

    MSFlexGrid1 = new vb::FlexGrid(personales);
    MSFlexGrid1->setObjectName("MSFlexGrid1");
    TxtEdit = new vb::CajaTexto(MSFlexGrid1);
    TxtEdit->setObjectName("TxtEdit");
    auto* layPers = new QVBoxLayout(personales);
    layPers->addWidget(MSFlexGrid1);
    m_Personalizados = std::make_unique<personalizados::GrillaPersonalizados>(
        MSFlexGrid1, TxtEdit, personalizados::GrillaPersonalizados::FormaDatosAdicionales(), this);

    BusquedaCodigo1 = new vb::BusquedaCodigo(this);
    BusquedaCodigo1->setObjectName("BusquedaCodigo1");
    BusquedaCodigo1->hide();

    auto* lay = new QVBoxLayout(this);
    lay->addWidget(UtilVex1);
    lay->addLayout(cabecera);
    lay->addWidget(SSTab1, 1);
    vb::AsignaAceleradores(this);

    connect(UtilVex1, &UtilVex::Click, this, &frmMA_CUENTASADIC::UtilVex1_ButtonClick);
    for (int i = 0; i < txtFields.size(); ++i) {
        vb::CajaTexto* caja = txtFields[i];
        connect(caja, &vb::CajaTexto::GotFocus, this, [this, i] { txtFields_GotFocus(i); });
        connect(caja, &vb::CajaTexto::LostFocus, this, [this, i] { txtFields_LostFocus(i); });
        connect(caja, &vb::CajaTexto::KeyDown, this,
                [this, i](int& k, int s) { txtFields_KeyDown(i, k, s); });
    }
    connect(BusquedaCodigo1, &vb::BusquedaCodigo::CodigoElegido, this,
            &frmMA_CUENTASADIC::BusquedaCodigo1_CodigoElegido);
    connect(BusquedaCodigo1, &vb::BusquedaCodigo::LostFocus, this,
            &frmMA_CUENTASADIC::BusquedaCodigo1_LostFocus);

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
            auto* tecla = static_cast<QKeyEvent*>(evento);
            int codigo = vb::CodigoTeclaVB(tecla);
            if (codigo != 0) Form_KeyDown(codigo, vb::EstadoShift(tecla->modifiers()));
            break;
        }
        case QEvent::KeyRelease:
            if (indice >= 0) {
                auto* tecla = static_cast<QKeyEvent*>(evento);
                const int codigo = vb::CodigoTeclaVB(tecla);
                if (codigo != 0) txtFields_KeyUp(indice, codigo, vb::EstadoShift(tecla->modifiers()));
            }
            break;
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
        QString sql = "SELECT top 1 * FROM " + tabla;
        auto& db = CNStuffContable::gBaseDatos();
        db.AbrirRecordset(sql, rsAdic, db.gCnn, ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
    });
}

void frmMA_CUENTASADIC::Form_Load() {
    vb::ManejadorErrores h("Form_Load", maker::gUtilidades().Reportero());
    auto& db = CNStuffContable::gBaseDatos();
    const auto paso = [&h](const std::function<void()>& f) { return h.paso(f); };
    if (!paso([&] { maker::gUtilidades().PreparaFormulario(this); })) return;
    if (!paso([&] { CNStuffContable::AplicaIconoBarras(this); })) return;
    if (!paso([&] { TablaActual = "MA_CUENTASADIC"; })) return;
    if (!paso([&] { AbreTabla(TablaActual); })) return;
    if (!paso([&] { BusquedaCodigo1->hide(); })) return;
    if (!paso([&] { LimpiaPantalla(); })) return;
    if (FormaIndependiente) return;

    const QString cuenta = CNStuffContable::gCuentaActual;
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
    if (!paso([&] {
            if (!rsAdic) rsAdic = ado::Recordset::Crear();
            if (rsAdic->State() != ado::adStateClosed) rsAdic->Close();
            rsAdic->LockType = ado::adLockOptimistic;
            rsAdic->CursorType = ado::adOpenDynamic;
            db.ExisteEnTabla("MA_CUENTASADIC", cuenta, "CODIGO", rsAdic, 8, QString(), false);
        }))
        return;
    if (!paso([&] { DetalleOn(true); })) return;
    if (!paso([&] { MuestraDatos(); })) return;
    paso([&] {
        txtFields[0]->setEnabled(false);
        txtFields[0]->setText(cuenta);
    });
}

void frmMA_CUENTASADIC::MuestraDatos() {
    vb::ManejadorErrores h("Form_Load", maker::gUtilidades().Reportero());
    if (!h.paso([&] { Modificando = true; })) return;
    if (!h.paso([&] { maker::gEnlaceControles().MuestraRegistro(txtFields, *rsAdic); })) return;
    for (vb::CajaTexto* caja : txtFields) {
        if (!h.paso([&] {
                QString mensaje;
                MuestraDetalle(caja->DataField, mensaje);
            }))
            return;
    }
    h.paso([&] { m_Personalizados->AsignarPersonalizados(rsAdic); });
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
        const int respuesta = vb::MsgBox("Confirma la baja de este registro?",
                                         vb::vbYesNo + vb::vbExclamation + vb::vbDefaultButton2, "Atención!");
        if (respuesta != vb::vbYes) return;
        if (!h.paso([&] {
                Nuevo = false;
                Borrando = true;
                Modificando = false;
            }))
            return;
        if (!h.paso([&] { ActualizarDatos(); })) return;
        if (!h.paso([&] { AbreTabla(TablaActual); })) return;
        h.paso([&] { MuestraDatos(); });
    } else if (accion == "GRABAR") {
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

void frmMA_CUENTASADIC::Form_KeyDown(int& KeyCode, int /*Shift*/) {
    if (BusquedaCodigo1->Visible()) {
        // The search keeps the keyboard; only F5 takes its value into the field.
        if (KeyCode != vb::vbKeyF5) return;
        txtFields[CampoActual]->setText(BusquedaCodigo1->CodigoActual());
    }
    UtilVex1->ProcesaTecla(KeyCode);
}

void frmMA_CUENTASADIC::txtFields_GotFocus(int Index) {
    CampoActual = Index;
    UtilVex1->setHabilitado("CONSULTAR", !txtFields[Index]->Tag.trimmed().isEmpty());
    Colorea(txtFields[Index], kColorFoco);
    // One search control serves every box: it must search the table of the box it opens under.
    if (BusquedaCodigo1->Tabla.compare(txtFields[Index]->Tag, Qt::CaseInsensitive) != 0)
        BusquedaCodigo1->Tabla.clear();
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
    if (!enlace.TeclaSalida(KeyCode)) return;
    Campo_valida(Index, txtFields[Index]);
    if (HuboError) return;
    if (Index == 0 && FormaIndependiente) return;
    enlace.MueveFoco(KeyCode, txtFields[Index]);
}

void frmMA_CUENTASADIC::txtFields_KeyUp(int Index, int KeyCode, int /*Shift*/) {
    BusquedaCodigo1->ConnectionString = CNStuffContable::gBaseDatos().gConnString;
    BusquedaCodigo1->Buscar = txtFields[Index]->text();
    Rt_BusquedaCodigo::MuestraBusquedaCodigo(BusquedaCodigo1, txtFields[Index], KeyCode, "0");
}

void frmMA_CUENTASADIC::BusquedaCodigo1_CodigoElegido(const QString& codigo) {
    try {
        vb::CajaTexto* caja = txtFields[CampoActual];
        caja->setText(codigo.trimmed());
        caja->setFocus();
        int tecla = vb::vbKeyReturn;
        txtFields_KeyDown(CampoActual, tecla, 0);
        BusquedaCodigo1->hide();
    } catch (const vb::ErrorVB&) {
        BusquedaCodigo1->hide();
    }
}

void frmMA_CUENTASADIC::BusquedaCodigo1_LostFocus() {
    BusquedaCodigo1->hide();
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
