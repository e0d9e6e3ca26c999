#pragma once
// The tree lookup window "Consulta...": the rows of a two-column statement (or of the family
// view) as a tree of codes nested under their parent codes. The user finds a node by typing the
// start of a code or description, narrows the statement with F5 and accepts the selected node,
// confirmed in its master table, or every checked node. Only the lookup object opens it. Its
// controls are laid out in Lib_FrmCons3Tree.ui.
#include "lookup/Coleccion.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class Lib_ClsCons3;
namespace Ui {
class Lib_FrmCons3Tree;
}
class QAction;
class QComboBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidgetItem;
namespace ado {
struct Lectura;
}
namespace vb {
class TreeView;
}

class Lib_FrmCons3Tree : public QWidget {
    Q_OBJECT

  public:
    // The lookup object's tree way: a fresh window gets the statement, the returned column and
    // the check-box setting, is shown modally, and its choice goes back into ValorDevuelto and
    // Valores; Checks is off afterwards. The window is discarded.
    static void Consulta(Lib_ClsCons3& consulta, const QString& sentencia);

    explicit Lib_FrmCons3Tree(QWidget* parent = nullptr);
    ~Lib_FrmCons3Tree() override;
    // What the caller asks of the window and what the window answers (ValorDevuelto, Valores).
    struct Pedido {
        // First column the code, second the description. F5 and the database layer rewrite it.
        QString Sql;
        // "IDFAMILIA", "IDPOSICION" or "CODIGO" (any case): which table confirms the choice.
        QString CampoDevuelto;
        // Released by Cancel; nothing else here reads it.
        Coleccion CmpsDevueltos;
        bool CheckBoxes = false;
        QString gConnString;  // not read by this window
        // The accepted code; "" after Cancel or when the code is not confirmed.
        QVariant ValorDevuelto = QString();
        QString FiltroInicial;       // not read by this window
        QString CampoBusqueda;       // not read by this window
        bool OrdenarPorLwv = false;  // not read by this window
        // The checked codes, in node order; null ("no collection") after Cancel.
        ColeccionValores Valores = NuevaColeccionValores();
        std::shared_ptr<QVariantList> Cantidades;  // not read by this window
        bool UsaCantidades = false;                // not read by this window
    };
    void Prepara(const Pedido& pedido) { pedido_ = pedido; }
    const Pedido& pedido() const { return pedido_; }
    // Builds the family tree from its own statement over V_TA_FAMILIAS.
    void ArmarTreeVFamilias();

    // ---- events ----
    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    void CmbSearch_Change(int Index);
    void CmbSearch_Click(int Index);
    void CmbSearch_KeyDown(int Index, int& KeyCode, int Shift);
    void CmdAceptar_Click();
    void CmdCancelar_Click();
    void CmdNueva_Click();
    void TreeV_DblClick();
    void TreeV_NodeCheck(QTreeWidgetItem* Node);

    // ---- the nodes, as the handlers walk them ----
    // Nodes in the order they were added, root first; Nodo(1) is the root. A node's item is made
    // when it is asked for.
    int CantidadNodos() const;
    QTreeWidgetItem* Nodo(int k) const;
    QTreeWidgetItem* NodoPorClave(const QString& clave) const;
    static QString Clave(const QTreeWidgetItem* nodo);

    // The families statement.
    static QString SentenciaFamilias();
    // The F5 statement: the description condition spliced before the "order by" tail.
    static QString SentenciaF5(const QString& sql, const QString& texto);

  protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    // ---- controls ----
    vb::TreeView* TreeV;
    std::array<QComboBox*, 1> CmbSearch;  // a control array of one element
    QFrame* picFields;
    QLabel* lblFieldName;
    QFrame* Frame1;
    QPushButton* CmdAceptar;
    QPushButton* CmdCancelar;
    QPushButton* CmdNueva;
    QMenu* MNU_Emergente;
    QAction* MNU_Llena;
    QAction* MNU_Separador;
    QAction* MNU_Cancelar;
    Pedido pedido_;

    bool TeclaDeBoton(const QKeyEvent* tecla);
    // The controls of the Designer file into the window's members.
    void RecogeControles();
    void ConectaControles();
    void ArmarTreeVAutomatico(const QVariant& sinUso = QVariant());
    // What both builders do: the root, then one node per row of Sql. `padre` gives a row's
    // parent key from its key and its row.
    // `padre` gives a row's parent node from its code and its row, -1 when it is not in the tree.
    void ArmaArbol(
        const QString& rutina,
        const std::function<int(const QString& codigo, const ado::Lectura& filas, qsizetype fila)>& padre);
    void QuitaNodos();
    // The node of a row under its parent; raises 35602 for a key already in the tree, 35601 for a
    // parent that is not (-1).
    int AgregaNodo(int padre, const QString& codigo, const QString& descripcion);
    void PropagaMarca(int nodo, bool marcado, int generacion);
    void Arma();  // the builder the statement asks for

    std::unique_ptr<Ui::Lib_FrmCons3Tree> ui_;
};
