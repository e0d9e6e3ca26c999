// The tree window itself: its controls, how the lookup object shows it, load and unload.
#include "lookup/Lib_FrmCons3Tree.h"

#include "lookup/Lib_ClsCons3.h"
#include "outside/controls/Teclas.h"
#include "outside/controls/TreeView.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ErrorVB.h"
#include "outside/runtime/ManejadorErrores.h"
#include "services/CNStuffContable.h"
#include "ui_Lib_FrmCons3Tree.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <tuple>

namespace {

int Reporta(const vb::ErrorVB& e, const QString& rutina) {
    return CNStuffContable::MensajeError(e, 18, rutina);
}

}  // namespace

void Lib_FrmCons3Tree::Consulta(Lib_ClsCons3& consulta, const QString& sentencia) {
    auto ventana = std::make_unique<Lib_FrmCons3Tree>();
    ventana->pedido_.Sql = sentencia;
    ventana->pedido_.CampoDevuelto = consulta.CampoDevuelto;
    ventana->pedido_.CheckBoxes = consulta.Checks;
    consulta.Valores.reset();
    ventana->Form_Load();
    // A refused statement built no tree: the lookup ends with nothing chosen, without a window.
    if (ventana->TreeV->Count() == 0) {
        consulta.ValorDevuelto = QString();
        consulta.Checks = false;
        return;
    }
    // The window opens ready for the search text.
    ventana->CmbSearch[0]->setFocus();
    vb::MostrarModal(ventana.get());
    consulta.ValorDevuelto = ventana->pedido_.ValorDevuelto;
    consulta.Valores = ventana->pedido_.Valores;
    consulta.Checks = false;
}

Lib_FrmCons3Tree::Lib_FrmCons3Tree(QWidget* parent)
    : QWidget(parent, Qt::Window), ui_(std::make_unique<Ui::Lib_FrmCons3Tree>()) {
    ui_->setupUi(this);
    RecogeControles();
    ConectaControles();
}

void Lib_FrmCons3Tree::RecogeControles() {
    const Ui::Lib_FrmCons3Tree& u = *ui_;
    TreeV = u.TreeV;
    CmbSearch[0] = u.CmbSearch_0;
    // An editable combo takes the keys itself and hands them to its line edit directly, so the
    // box's keys are caught on the combo, where a user's keys arrive.
    CmbSearch[0]->installEventFilter(this);
    // A screen reader finds the box's text field by the box's name.
    CmbSearch[0]->lineEdit()->setAccessibleName(CmbSearch[0]->accessibleName());
    picFields = u.picFields;
    lblFieldName = u.lblFieldName;
    Frame1 = u.Frame1;
    std::tie(CmdAceptar, CmdCancelar, CmdNueva) = std::tuple(u.CmdAceptar, u.CmdCancelar, u.CmdNueva);
    std::tie(MNU_Llena, MNU_Separador, MNU_Cancelar) =
        std::tuple(u.MNU_Llena, u.MNU_Separador, u.MNU_Cancelar);
    // Designer keeps a pop-up menu only on a menu bar: the menu is put together here.
    MNU_Emergente = new QMenu(this);
    MNU_Emergente->addActions({MNU_Llena, MNU_Separador, MNU_Cancelar});
    // "&Aceptar" is the default button and "&Cancelar" the cancel one, as in the list window:
    // Enter and Escape reach them from every control.
    CmdAceptar->setDefault(true);
    for (QWidget* w : std::initializer_list<QWidget*>{TreeV, CmdAceptar, CmdCancelar, CmdNueva})
        w->installEventFilter(this);
}

void Lib_FrmCons3Tree::ConectaControles() {
    connect(CmbSearch[0], &QComboBox::editTextChanged, this, [this] { CmbSearch_Change(0); });
    connect(CmbSearch[0], &QComboBox::activated, this, [this] { CmbSearch_Click(0); });
    connect(CmdAceptar, &QPushButton::clicked, this, [this] { CmdAceptar_Click(); });
    connect(CmdCancelar, &QPushButton::clicked, this, [this] { CmdCancelar_Click(); });
    connect(CmdNueva, &QPushButton::clicked, this, [this] { CmdNueva_Click(); });
    connect(TreeV, &QTreeWidget::itemDoubleClicked, this, [this] { TreeV_DblClick(); });
    connect(TreeV, &vb::TreeView::NodeCheck, this, [this](int nodo) { TreeV_NodeCheck(TreeV->Item(nodo)); });
}

Lib_FrmCons3Tree::~Lib_FrmCons3Tree() = default;

void Lib_FrmCons3Tree::Form_Load() {
    vb::ManejadorErrores h("FORM_LOAD", Reporta);
    if (!h.paso([&] { pedido_.Valores = NuevaColeccionValores(); })) return;
    // The check boxes (CheckBoxes) show on the nodes as the builder adds them.
    if (!h.paso([&] { QuitaNodos(); })) return;
    h.paso([&] { Arma(); });
}

void Lib_FrmCons3Tree::Arma() {
    if (pedido_.Sql.contains("v_ta_familias", Qt::CaseInsensitive))
        ArmarTreeVFamilias();
    else
        ArmarTreeVAutomatico();
}

void Lib_FrmCons3Tree::Form_Resize() {
    // The controls keep their places.
}

void Lib_FrmCons3Tree::Form_Unload() {
    try {
        QuitaNodos();
    } catch (const vb::ErrorVB& e) {
        vb::MsgBox(e.Description, vb::vbCritical, "Aviso al Operador");
    }
}

void Lib_FrmCons3Tree::closeEvent(QCloseEvent* e) {
    Form_Unload();
    QWidget::closeEvent(e);
}

void Lib_FrmCons3Tree::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Form_Resize();
}

// Enter accepts and Escape cancels, once; false for any other key.
bool Lib_FrmCons3Tree::TeclaDeBoton(const QKeyEvent* tecla) {
    if (tecla->modifiers() & ~Qt::KeypadModifier) return false;
    if (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter) {
        CmdAceptar_Click();
        return true;
    }
    if (tecla->key() == Qt::Key_Escape) {
        CmdCancelar_Click();
        return true;
    }
    return false;
}

void Lib_FrmCons3Tree::keyPressEvent(QKeyEvent* e) {
    if (!TeclaDeBoton(e)) QWidget::keyPressEvent(e);
}

bool Lib_FrmCons3Tree::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress && TeclaDeBoton(static_cast<QKeyEvent*>(evento))) return true;
    if (evento->type() == QEvent::KeyPress && objeto == CmbSearch[0]) {
        auto* tecla = static_cast<QKeyEvent*>(evento);
        int codigo = vb::CodigoTeclaVB(tecla);
        if (codigo != 0) {
            const int antes = codigo;
            CmbSearch_KeyDown(0, codigo, vb::EstadoShift(tecla->modifiers()));
            // F5 and the moves to the tree are the handler's; the box gets the rest.
            if (codigo == 0 || antes == vb::vbKeyF5 || antes == vb::vbKeyDown || antes == vb::vbKeyUp ||
                antes == vb::vbKeyPageDown || antes == vb::vbKeyPageUp)
                return true;
        }
    }
    return QWidget::eventFilter(objeto, evento);
}
