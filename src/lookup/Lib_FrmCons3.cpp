#include "lookup/Lib_FrmCons3.h"

#include "outside/controls/ListView.h"
#include "outside/controls/Teclas.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ErrorVB.h"
#include "outside/runtime/ManejadorErrores.h"
#include "ui_Lib_FrmCons3.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <exception>
#include <tuple>

namespace {

constexpr int kAltoMarco = 405;

QRect Diseno(const QWidget* w) {
    return w->property("twips").toRect();
}

}  // namespace

Lib_FrmCons3::Lib_FrmCons3(QWidget* parent)
    : QWidget(parent, Qt::Dialog), ui_(std::make_unique<Ui::Lib_FrmCons3>()) {
    ui_->setupUi(this);
    RecogeControles();

    // The design keeps each control's place in twips beside the pixels they round to; the
    // window's formulas count in twips, so the twips are what it starts from.
    const QRect ventana = Diseno(this);
    Move(this, ventana.x(), ventana.y(), ventana.width(), ventana.height());
    for (QWidget* w : findChildren<QWidget*>()) {
        const QRect r = Diseno(w);
        if (r.isValid()) Move(w, r.x(), r.y(), r.width(), r.height());
    }
    ConectaControles();
}

void Lib_FrmCons3::RecogeControles() {
    const Ui::Lib_FrmCons3& u = *ui_;
    picFields = u.picFields;
    ListView1 = u.ListView1;
    HScroll1 = u.HScroll1;
    tiraCombos_ = u.tiraCombos;
    EnlazaCombo(u.CmbSearch_0, 0);
    std::tie(Label1, CmdNuevo, CmdTodos) = std::tuple(u.Label1, u.CmdNuevo, u.CmdTodos);
    lblFieldName = u.lblFieldName;
    Frame1 = u.Frame1;
    std::tie(CmdAceptar, CmdCancelar, CmdNueva) = std::tuple(u.CmdAceptar, u.CmdCancelar, u.CmdNueva);
    std::tie(MNU_Llena, MNU_Separador, MNU_Cancelar) =
        std::tuple(u.MNU_Llena, u.MNU_Separador, u.MNU_Cancelar);
    // Designer keeps a pop-up menu only on a menu bar: the menu is put together here.
    MNU_Emergente = new QMenu(this);
    MNU_Emergente->addActions({MNU_Llena, MNU_Separador, MNU_Cancelar});
}

void Lib_FrmCons3::ConectaControles() {
    connect(CmdAceptar, &QPushButton::clicked, this, [this] { CmdAceptar_Click(); });
    connect(CmdCancelar, &QPushButton::clicked, this, [this] { CmdCancelar_Click(); });
    connect(CmdNueva, &QPushButton::clicked, this, [this] { CmdNueva_Click(); });
    connect(CmdNuevo, &QPushButton::clicked, this, [this] { CmdNuevo_Click(); });
    connect(CmdTodos, &QPushButton::clicked, this, [this] { CmdTodos_Click(); });
    connect(ListView1, &vb::ListView::ColumnClick, this, [this](int c) { ListView1_ColumnClick(c); });
    connect(ListView1, &vb::ListView::DblClick, this, [this] { ListView1_DblClick(); });
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
    // The search boxes stay over their columns when the list scrolls on its own.
    connect(ListView1->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int px) { tiraCombos_->move(-px, tiraCombos_->y()); });
    ListView1->installEventFilter(this);
}

Lib_FrmCons3::~Lib_FrmCons3() = default;

maker::Utilidades& Lib_FrmCons3::Util() {
    if (!utilidades_) utilidades_ = std::make_unique<maker::Utilidades>();
    return *utilidades_;
}

void Lib_FrmCons3::CreaCombo(int j) {
    const QComboBox* modelo = ui_->CmbSearch_0;
    auto* c = new QComboBox(tiraCombos_);
    c->setObjectName(QStringLiteral("CmbSearch_%1").arg(j));
    c->setEditable(modelo->isEditable());
    c->setInsertPolicy(modelo->insertPolicy());
    c->setToolTip(modelo->toolTip());
    EnlazaCombo(c, j);
    const QRect r = Diseno(modelo);
    Move(c, r.x(), r.y(), r.width(), r.height());
}

void Lib_FrmCons3::NombraBusquedas() {
    // Each box is read as the column it searches, and so is the text field inside it.
    for (int j = 0; j < CmbSearch.size(); ++j) {
        const QString nombre = ListView1->ColumnHeaderText(j + 1);
        CmbSearch[j]->setAccessibleName(nombre);
        CmbSearch[j]->lineEdit()->setAccessibleName(nombre);
    }
}

void Lib_FrmCons3::EnlazaCombo(QComboBox* c, int j) {
    c->setProperty("indice", j);
    c->lineEdit()->setProperty("indice", j);
    c->installEventFilter(this);
    c->lineEdit()->installEventFilter(this);
    connect(c, &QComboBox::editTextChanged, this, [this, j] { CmbSearch_Change(j); });
    connect(c, &QComboBox::activated, this, [this, j] { CmbSearch_Click(j); });
    CmbSearch.append(c);
}

// ---- geometry in twips ----

int Lib_FrmCons3::Left(const QWidget* w) const {
    return twips_.value(w).x();
}
int Lib_FrmCons3::Top(const QWidget* w) const {
    return twips_.value(w).y();
}
int Lib_FrmCons3::Width(const QWidget* w) const {
    return twips_.value(w).width();
}
int Lib_FrmCons3::Height(const QWidget* w) const {
    return twips_.value(w).height();
}

void Lib_FrmCons3::Move(QWidget* w, int left, int top, int width, int height) {
    // Negative sizes (a minimised window) are refused, as the control would refuse them.
    if (width < 0 || height < 0) vb::Raise(380, "Valor de propiedad no válido");
    twips_[w] = QRect(left, top, width, height);
    aplica(w);
}
void Lib_FrmCons3::setLeft(QWidget* w, int v) {
    const QRect r = twips_.value(w);
    Move(w, v, r.y(), r.width(), r.height());
}
void Lib_FrmCons3::setTop(QWidget* w, int v) {
    const QRect r = twips_.value(w);
    Move(w, r.x(), v, r.width(), r.height());
}
void Lib_FrmCons3::setWidth(QWidget* w, int v) {
    const QRect r = twips_.value(w);
    Move(w, r.x(), r.y(), v, r.height());
}
void Lib_FrmCons3::setHeight(QWidget* w, int v) {
    const QRect r = twips_.value(w);
    Move(w, r.x(), r.y(), r.width(), v);
}

void Lib_FrmCons3::aplica(QWidget* w) {
    const QRect r = twips_.value(w);
    if (w == this) {
        ajustando_ = true;
        resize(vb::PixelesDeTwips(r.width()), vb::PixelesDeTwips(r.height()));
        ajustando_ = false;
        return;
    }
    w->setGeometry(vb::PixelesDeTwips(r.x()), vb::PixelesDeTwips(r.y()), vb::PixelesDeTwips(r.width()),
                   vb::PixelesDeTwips(r.height()));
}

int Lib_FrmCons3::AnchoPantalla() const {
    if (pedido_.anchoPantallaFijo > 0) return pedido_.anchoPantallaFijo;
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? vb::TwipsDePixeles(s->availableGeometry().width()) : 12000 * 15;
}

// ---- load, show, unload ----

void Lib_FrmCons3::Cargar() {
    if (cargado_) return;
    cargado_ = true;
    Form_Load();
}

void Lib_FrmCons3::Mostrar() {
    Cargar();
    // A statement the database refused gave no column, so there is nothing to choose from: the
    // refusal was the user's one message and the lookup ends with nothing chosen.
    if (!vb::Trim(pedido_.Sql).isEmpty() && ListView1->ColumnHeadersCount() == 0) return;
    aceptado_ = false;
    if (!CmbSearch.isEmpty()) CmbSearch[0]->setFocus();
    vb::MostrarModal(this);
}

void Lib_FrmCons3::Descargar() {
    if (!cargado_) return;
    hide();
    Form_Unload();
    cargado_ = false;
}

void Lib_FrmCons3::Form_Unload() {
    pedido_.UsarUDBC = false;
    try {
        GrabaAnchosColumnas();
    } catch (const vb::ErrorVB& e) {
        vb::MsgBox(e.Description, vb::vbCritical, "Aviso al Operador");
    } catch (const std::exception& e) {
        vb::MsgBox(QString::fromLocal8Bit(e.what()), vb::vbCritical, "Aviso al Operador");
    }
    ListView1->ListItemsClear();
}

void Lib_FrmCons3::Form_Resize() {
    // The window's height as the formulas count it: with its title bar and borders.
    const int H = Height(this) + kAltoMarco;
    const int W = Width(this);
    vb::SinDetenerse([&] { setHeight(picFields, H - Height(Frame1) - 480); });
    vb::SinDetenerse([&] { setHeight(ListView1, Height(picFields) - Height(Frame1) - 600); });
    vb::SinDetenerse([&] {
        setWidth(picFields, W - 120);
        setWidth(ListView1, Width(picFields) - 20);
    });
    vb::SinDetenerse([&] { setTop(Frame1, H - Height(Frame1) - 520); });
    vb::SinDetenerse([&] {
        setTop(HScroll1, Height(picFields) - Height(HScroll1) - 120);
        setWidth(HScroll1, W - 120);
    });
    vb::SinDetenerse([&] {
        setLeft(Frame1, 0);
        setWidth(Frame1, W);
    });
    vb::SinDetenerse([&] {
        // Sized from their design widths, so that repeated resizes never shrink them.
        setWidth(CmdAceptar, kAnchoBoton);
        setWidth(CmdCancelar, kAnchoBoton);
        setLeft(CmdAceptar, Left(Frame1) + 100);
        setLeft(CmdCancelar, (Width(Frame1) - Width(CmdCancelar)) / 2);
        setLeft(CmdNueva, Width(Frame1) - (Width(CmdCancelar) + 150));
    });
    if (CmdNueva->isHidden())
        vb::SinDetenerse([&] {
            if (kAnchoBoton + kAnchoBoton + 400 > Width(Frame1)) {
                setWidth(CmdAceptar, kAnchoBoton / 2);
                setWidth(CmdCancelar, Width(CmdAceptar));
                setLeft(CmdAceptar, Left(Frame1) + 100);
                setLeft(CmdCancelar, Width(Frame1) - (Width(CmdCancelar) + 150));
                setLeft(CmdNueva, Left(CmdCancelar));
            } else {
                setLeft(CmdCancelar, Left(CmdNueva));
            }
        });
    vb::SinDetenerse([&] {
        setWidth(Label1, Width(ListView1) - Width(CmdNuevo));
        setLeft(CmdNuevo, Width(Label1));
        setLeft(CmdTodos, Width(Label1) - Width(CmdTodos));
    });
}

void Lib_FrmCons3::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (ajustando_) return;
    // A resize by the user: the window's size in twips follows, then the layout.
    QRect& r = twips_[this];
    r.setWidth(vb::TwipsDePixeles(width()));
    r.setHeight(vb::TwipsDePixeles(height()));
    Form_Resize();
}

void Lib_FrmCons3::closeEvent(QCloseEvent* e) {
    // The window's close box cancels; the lookup object unloads the window afterwards.
    e->ignore();
    CmdCancelar_Click();
}

void Lib_FrmCons3::OlvidaEleccion() {
    pedido_.CampoDevuelto.clear();
    pedido_.Valores.reset();
    pedido_.Cantidades.reset();
}

void Lib_FrmCons3::DesmarcaFilas() {
    for (int r = 1; r <= ListView1->ListItemsCount(); ++r) ListView1->setChecked(r, false);
}

void Lib_FrmCons3::PreparaListaSimple(const QString& titulo, bool checks) {
    vb::SinDetenerse([&] { Cargar(); });
    vb::SinDetenerse([&] { setWindowTitle(titulo); });
    vb::SinDetenerse([&] { CmdNueva->hide(); });
    pedido_.OrdenarPorLwv = true;
    pedido_.Sql.clear();
    pedido_.gConnString.clear();
    pedido_.CampoDevuelto = titulo;
    pedido_.CheckBoxes = checks;
    vb::SinDetenerse([&] {
        ListView1->setCheckBoxes(checks);
        CmdTodos->setVisible(checks);
    });
    vb::SinDetenerse([&] { setWidth(CmbSearch[0], Width(ListView1)); });
    vb::SinDetenerse([&] {
        ListView1->ColumnHeadersClear();
        ListView1->ColumnHeadersAdd(titulo, Width(ListView1));
    });
    NombraBusquedas();
}

void Lib_FrmCons3::AgregaFilaSimple(const QString& texto) {
    ListView1->ListItemsAdd(texto);
}

void Lib_FrmCons3::AgregaFilaSimple(const QString& texto, bool marcada) {
    ListView1->setChecked(ListView1->ListItemsAdd(texto), marcada);
}
