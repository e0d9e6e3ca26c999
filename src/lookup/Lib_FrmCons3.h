#pragma once
// The list lookup window "Consulta...": the rows of one statement in a multi-column list, one
// search box above each column, and the bar of buttons. Only the lookup object opens it: it sets
// its request (Pedido), shows the window modally and reads the answer back once the window has
// hidden itself. Sizes and positions are kept in twips, as the window's formulas give them.
//
// Files: Lib_FrmCons3.ui (the controls as designed), Lib_FrmCons3.cpp (layout, resize, unload),
// _Carga (load, columns, rows), _Anchos (saved column widths), _Teclas (search and keys),
// _Comandos (sorting, acceptance, buttons).
#include "lookup/Coleccion.h"
#include "outside/ado/Connection.h"
#include "outside/ado/Proveedor.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <memory>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;
namespace maker {
class Utilidades;
}
namespace Ui {
class Lib_FrmCons3;
}
namespace vb {
class ListView;
class ManejadorErrores;
}  // namespace vb
class DB_Dll;

// The second database object the window may read through (UsarUDBC); nothing opens it.
DB_Dll& gBaseDatosConsulta();

class Lib_FrmCons3 : public QWidget {
    Q_OBJECT

  public:
    explicit Lib_FrmCons3(QWidget* parent = nullptr);
    ~Lib_FrmCons3() override;

    // VB's Load (Form_Load once until the next Unload), Show modal (loads when needed; returns
    // once the window is hidden) and Unload.
    void Cargar();
    void Mostrar();
    void Descargar();
    bool Cargado() const { return cargado_; }

    // What the caller asks of the window and what the window answers (ValorDevuelto, Valores,
    // Cantidades).
    struct Pedido {
        QVariant StkNivel1;
        QVariant StkNivel2;
        QVariant StkNivel3;
        QVariant StkNivel4;
        QString MuestraStock;
        // The statement shown; each load appends one blank. Empty when the caller fills the list.
        QString Sql;
        QString CampoDevuelto;
        Coleccion CmpsDevueltos;
        bool CheckBoxes = false;
        QString gConnString;
        QVariant ValorDevuelto = QString();
        QString FiltroInicial;
        QString CampoBusqueda;
        bool OrdenarPorLwv = false;
        ColeccionValores Valores;
        ColeccionValores Cantidades;
        bool UsaCantidades = false;
        // Codes to pre-check; "@10" widens every column instead.
        QString ValoresDefault;
        bool CfgUsaConsultaLIKE = false;
        // Save the column widths when the window unloads.
        bool GrabarCfg = false;
        // Open the statement on gBaseDatosConsulta instead of gBaseDatos; each unload clears it.
        bool UsarUDBC = false;
        // A screen width in twips instead of the screen's own (0: the screen's).
        int anchoPantallaFijo = 0;
    };
    // The request before the window loads; a request changed while it is open takes effect on the
    // next load or key that reads it.
    void Prepara(const Pedido& pedido) { pedido_ = pedido; }
    // The request as the window holds it now (its statement with the filters typed since) and its
    // answer.
    const Pedido& pedido() const { return pedido_; }
    // The answer forgotten, before the window unloads.
    void OlvidaEleccion();
    // Every row unchecked.
    void DesmarcaFilas();
    // A list the caller fills row by row instead of a statement: one column under the title, the
    // new-query button hidden, check boxes (and "all") when asked.
    void PreparaListaSimple(const QString& titulo, bool checks);
    // One row of such a list; with a mark, checked or not.
    void AgregaFilaSimple(const QString& texto);
    void AgregaFilaSimple(const QString& texto, bool marcada);
    void CalcularAncho();
    // Every record from the recordset's position to its end becomes a row.
    void Leer(long& Cdesde, int& Cuantas);
    void Encolumnar();
    void OrdenarPorFecha(const QString& Cual);
    // The first row (from 1) whose column Clave (0 or less: the row's text) starts with QueValor.
    long Busqueda(long Clave, const QString& QueValor);
    // The first header (from 1) whose text equals Columna, both trimmed, case-blind; 0 for none.
    int IndiceColumna(const QString& Columna);

    // ---- events ----
    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    void Form_KeyDown(int& KeyCode, int Shift);
    void CmbSearch_GotFocus(int Index);
    void CmbSearch_LostFocus(int Index);
    void CmbSearch_Change(int Index);
    void CmbSearch_Click(int Index);
    void CmbSearch_KeyDown(int Index, int& KeyCode, int Shift);
    void ListView1_KeyDown(int& KeyCode, int Shift);
    // With the text the key types, which goes to the current search box as typed.
    void ListView1_KeyDown(int& KeyCode, int Shift, const QString& texto);
    void HScroll1_Change();
    void ListView1_ColumnClick(int columna);
    void ListView1_DblClick();
    // No row text is edited in place: both set their cancel flag (the list has no edit triggers).
    void ListView1_BeforeLabelEdit(int& Cancel) { Cancel = 1; }
    void ListView1_AfterLabelEdit(int& Cancel, QString& NewString) {
        Q_UNUSED(NewString);
        Cancel = 1;
    }
    void CmdAceptar_Click();
    void CmdCancelar_Click();
    void CmdNueva_Click();
    void CmdNuevo_Click();
    void CmdTodos_Click();

    // ---- geometry in twips ----
    int Left(const QWidget* w) const;
    int Top(const QWidget* w) const;
    int Width(const QWidget* w) const;
    int Height(const QWidget* w) const;
    void Move(QWidget* w, int left, int top, int width, int height);
    void setLeft(QWidget* w, int v);
    void setTop(QWidget* w, int v);
    void setWidth(QWidget* w, int v);
    void setHeight(QWidget* w, int v);
    int HScrollMax() const { return hscrollMax_; }
    // The screen's width in twips; a request may fix it (anchoPantallaFijo).
    int AnchoPantalla() const;

    // ---- private state, readable ----
    QString TablaConsulta() const { return TablaConsulta_; }
    QString SqlOriginal() const { return SqlOriginal_; }
    QString SqlCabecera() const { return SqlCabecera_; }
    int ComboActual() const { return ComboActual_; }
    bool EsArticulos() const { return EsArticulos_; }

    // Design size of the bottom buttons (twips), as in the .ui: a resize starts from it.
    static constexpr int kAnchoBoton = 1695;
    static constexpr int kAltoBoton = 375;

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    // ---- controls ----
    vb::ListView* ListView1;
    QList<QComboBox*> CmbSearch;  // element i above column i
    QWidget* picFields;
    QScrollBar* HScroll1;
    QFrame* Frame1;
    QPushButton* CmdAceptar;
    QPushButton* CmdCancelar;
    QPushButton* CmdNueva;
    QPushButton* CmdNuevo;
    QPushButton* CmdTodos;
    QLabel* Label1;
    QLabel* lblFieldName;
    QMenu* MNU_Emergente;
    QAction* MNU_Llena;
    QAction* MNU_Separador;
    QAction* MNU_Cancelar;
    Pedido pedido_;

    // The search box above column j, a copy of the designed first one.
    void CreaCombo(int j);
    // Each search box named as its column, for a screen reader.
    void NombraBusquedas();
    // What every search box answers to: its index, its keys and focus, its text.
    void EnlazaCombo(QComboBox* c, int j);
    // The controls of the Designer file into the window's members.
    void RecogeControles();
    void ConectaControles();
    // The load's steps, all under the load's one handler; each says whether the load goes on.
    bool PreparaCarga(vb::ManejadorErrores& h);
    bool AbreSentencia(vb::ManejadorErrores& h, DB_Dll& db);
    bool LlenaLista(vb::ManejadorErrores& h);
    void TerminaCarga(vb::ManejadorErrores& h);
    // One record as a row: its cells, its pre-check and its stock colour.
    struct Columnas {
        int n = 0;          // of the statement
        int devuelto = -1;  // CampoDevuelto's, for the pre-check
        int punto = -1;     // PUNTOPEDIDO's
        int stock = -1;     // Stock's
        bool colorea = false;
    };
    void AgregaFila(qsizetype fila, const Columnas& c);
    void LeeAnchosColumnas();
    void GrabaAnchosColumnas();
    // One row's stock colour (a Windows colour value as text; "" for none).
    QString ColorStock(qsizetype fila, int iPunto, int iStock);
    // The row's value under a column name: the header text first, then the field a search box
    // carries; "" when neither matches.
    QString ValorDeFila(int fila, const QString& nombre);
    // The row's quantity cell, "" without a "Cantidad" column.
    QString CantidadDeFila(int fila);
    // The text appended to the current search box from a key in the list.
    void AgregaAlCombo(const QString& texto);
    void Cantidad(int KeyCode, int Shift, vb::ManejadorErrores& h);
    void Faltante();
    void aplica(QWidget* w);
    // Acceptance already hid the window in this showing: a second Enter adds nothing.
    bool aceptado_ = false;
    maker::Utilidades& Util();

    bool cargado_ = false;
    bool EsArticulos_ = false;
    // The statement's records, read during the load only.
    ado::Lectura rsConsulta;
    bool consultaAbierta_ = false;
    QString SqlCabecera_;
    QString SqlOriginal_;
    QString SqlCola_;
    int ComboActual_ = 0;
    QString TablaConsulta_;
    std::unique_ptr<maker::Utilidades> utilidades_;
    std::unique_ptr<Ui::Lib_FrmCons3> ui_;
    QWidget* tiraCombos_;
    QHash<const QWidget*, QRect> twips_;
    int hscrollMax_ = 0;
    bool ajustando_ = false;
};
