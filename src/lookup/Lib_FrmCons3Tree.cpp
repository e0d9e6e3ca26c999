// The tree window itself: its controls, how the lookup object shows it, load and unload.
#include "lookup/Lib_FrmCons3Tree.h"

#include "lookup/Lib_ClsCons3.h"
#include "outside/controls/Teclas.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ErrorVB.h"
#include "outside/runtime/ManejadorErrores.h"
#include "services/CNStuffContable.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

int Reporta(const vb::ErrorVB& e, const QString& rutina) {
    return CNStuffContable::MensajeError(e, 18, rutina);
}

}  // namespace

void Lib_FrmCons3Tree::Consulta(Lib_ClsCons3& consulta, const QString& sentencia) {
    auto ventana = std::make_unique<Lib_FrmCons3Tree>();
    ventana->Sql = sentencia;
    ventana->CampoDevuelto = consulta.CampoDevuelto;
    ventana->CheckBoxes = consulta.Checks;
    consulta.Valores.reset();
    ventana->Form_Load();
    // The window opens ready for the search text.
    ventana->CmbSearch[0]->setFocus();
    vb::MostrarModal(ventana.get());
    consulta.ValorDevuelto = ventana->ValorDevuelto;
    consulta.Valores = ventana->Valores;
    consulta.Checks = false;
}

Lib_FrmCons3Tree::Lib_FrmCons3Tree(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle("Consulta...");
    resize(520, 560);

    TreeV = new QTreeWidget(this);
    TreeV->setObjectName("TreeV");
    TreeV->setHeaderHidden(true);
    TreeV->setUniformRowHeights(true);
    TreeV->setRootIsDecorated(true);  // lines at the root, plus and minus signs
    TreeV->setExpandsOnDoubleClick(false);

    CmbSearch[0] = new QComboBox(this);
    CmbSearch[0]->setObjectName("CmbSearch");
    CmbSearch[0]->setEditable(true);
    CmbSearch[0]->setInsertPolicy(QComboBox::NoInsert);
    CmbSearch[0]->setToolTip("F5 realiza nueva busqueda");
    // An editable combo takes the keys itself and hands them to its line edit directly, so the
    // box's keys are caught on the combo, where a user's keys arrive.
    CmbSearch[0]->installEventFilter(this);

    picFields = new QFrame(this);
    picFields->hide();
    lblFieldName = new QLabel(picFields);
    Frame1 = new QFrame(this);
    Frame1->setFrameShape(QFrame::HLine);

    CmdAceptar = new QPushButton("&Aceptar", this);
    CmdCancelar = new QPushButton("&Cancelar", this);
    CmdNueva = new QPushButton("&Nueva Busqueda", this);
    for (QPushButton* b : {CmdAceptar, CmdCancelar, CmdNueva}) b->setAutoDefault(false);

    MNU_Emergente = new QMenu(this);
    MNU_Llena = MNU_Emergente->addAction("Llenar Con Posibles Valores");
    MNU_Separador = MNU_Emergente->addSeparator();
    MNU_Cancelar = MNU_Emergente->addAction("Cancelar");

    auto* barra = new QHBoxLayout;
    barra->addWidget(CmdNueva);
    barra->addStretch();
    barra->addWidget(CmdAceptar);
    barra->addWidget(CmdCancelar);
    auto* columna = new QVBoxLayout(this);
    columna->addWidget(CmbSearch[0]);
    columna->addWidget(TreeV, 1);
    columna->addWidget(Frame1);
    columna->addLayout(barra);

    connect(CmbSearch[0], &QComboBox::editTextChanged, this, [this] { CmbSearch_Change(0); });
    connect(CmbSearch[0], &QComboBox::activated, this, [this] { CmbSearch_Click(0); });
    connect(CmdAceptar, &QPushButton::clicked, this, [this] { CmdAceptar_Click(); });
    connect(CmdCancelar, &QPushButton::clicked, this, [this] { CmdCancelar_Click(); });
    connect(CmdNueva, &QPushButton::clicked, this, [this] { CmdNueva_Click(); });
    connect(TreeV, &QTreeWidget::itemDoubleClicked, this, [this] { TreeV_DblClick(); });
    connect(TreeV, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* nodo, int) {
        // Only a change of the box's state is a check event; text changes are not.
        if (propagando_ || !CheckBoxes) return;
        const bool marcado = nodo->checkState(0) == Qt::Checked;
        if (nodo->data(0, Qt::UserRole + 1).toBool() == marcado) return;
        nodo->setData(0, Qt::UserRole + 1, marcado);
        TreeV_NodeCheck(nodo);
    });
}

Lib_FrmCons3Tree::~Lib_FrmCons3Tree() = default;

void Lib_FrmCons3Tree::Form_Load() {
    vb::ManejadorErrores h("FORM_LOAD", Reporta);
    if (!h.paso([&] { Valores = NuevaColeccionValores(); })) return;
    // The check boxes (CheckBoxes) show on the nodes as the builder adds them.
    if (!h.paso([&] { QuitaNodos(); })) return;
    h.paso([&] { Arma(); });
}

void Lib_FrmCons3Tree::Arma() {
    if (Sql.contains("v_ta_familias", Qt::CaseInsensitive))
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

bool Lib_FrmCons3Tree::eventFilter(QObject* objeto, QEvent* evento) {
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
