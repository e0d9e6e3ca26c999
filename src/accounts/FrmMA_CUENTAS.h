#pragma once
// The chart-of-accounts window: keeps the accounts of MA_CUENTAS. It validates a typed code
// level by level, shows an existing account or starts a new one, and opens the companion
// windows of the current account. It is the main window of its program: closing it ends the
// program. One header; one .cpp per topic (FrmMA_CUENTAS_*.cpp); its layout in FrmMA_CUENTAS.ui.
#include "outside/ado/Connection.h"
#include "services/GrabacionOptimista.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class BarraEstado;
class CajasDeCodigo;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QSplitter;
class QTabWidget;
class QTreeWidgetItem;
class SkinFramework;
class UtilVex;
namespace ado {
class Transaccion;
}
namespace CNStuffContable {
class NivelesDeUnaAccion;
}
namespace maker {
class ReglasCuentas;
}
namespace Ui {
class FrmMA_CUENTAS;
}
namespace personalizados {
class GrillaPersonalizados;
}
namespace vb {
class BarraBotones;
class ErrorVB;
class BusquedaCodigo;
class CajaTexto;
class FlexGrid;
class ManejadorErrores;
class TreeView;
}  // namespace vb

class FrmMA_CUENTAS : public QWidget {
    Q_OBJECT
  public:
    explicit FrmMA_CUENTAS(QWidget* parent = nullptr);
    ~FrmMA_CUENTAS() override;

    // The form's account rules, created on first use.
    maker::ReglasCuentas& Reglas();

    // What the form is doing with the code shown: a new account, a stored one, or neither (the
    // form waits for a code); and whether the last validation or save refused.
    bool CuentaNueva() const { return Nuevo; }
    bool CuentaGuardada() const { return Modificando; }
    bool Rechazo() const { return HuboError; }

    // ---- public routines ----
    void LimpiaPantalla();
    void HabilitaCampos(bool habilita);
    void CargaCombos();
    void AsignarDatos();
    void Consultar();
    void Generar(const QString& tabla);
    void Campo_Valida(int Index, QWidget* control = nullptr);
    bool ExisteNivelSuperior(const QString& codigo, QString& nombre);
    bool ValidaCuentaSubD(const QString& codigo, QString& texto);
    void LlamarReporte(const QString& Reporte);

    // The tables its load reads: a company database without one of them is refused at start-up.
    static QStringList TablasQueLee();

    // ---- events the runtime raises ----
    void Form_Load();
    void Form_Unload(int& Cancel);
    void Form_KeyDown(int& KeyCode, int Shift);
    void Utilvex1_Click(const QString& accion);
    void Tbar_ButtonClick(QAction* Button);
    // Code box and bound fields.
    void TxtCodigo_Change();
    void TxtCodigo_GotFocus();
    void TxtCodigo_KeyDown(int& KeyCode, int Shift);
    void TxtCodigo_LostFocus();
    void txtFields_GotFocus(int Index);
    void txtFields_KeyDown(int Index, int& KeyCode, int Shift);
    void txtFields_KeyPress(int Index, int& KeyAscii);
    void txtFields_LostFocus(int Index);
    void txtFields_Validate(int Index, bool& Cancel);
    // Options, check boxes and lists.
    void OptTipoCuenta_Click(int Index);
    void CHKAjustable_Click();
    void ChkCyB_Click();
    void ChkVto_Click();
    void ChkBdu_Click();
    void ChkBloqueo_Click();
    void CmbMP_Click();
    void CmbMP_KeyDown(int& KeyCode, int Shift);
    void CmbMP_KeyPress(int& KeyAscii);
    void CmbIndices_KeyPress(int& KeyAscii);
    void Combo1_KeyPress(int& KeyAscii);
    void Combo1_LostFocus();

  protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    // ---- controls ----
    // Bound text boxes: 0 "DESCRIPCION", 1 "Codigo", 2 "CodigoOpcional", 3 "CuentaPrincipal",
    // 4 "CodTarjeta_ConcAuto".
    QList<vb::CajaTexto*> txtFields;
    vb::CajaTexto* TxtCodigo = nullptr;
    std::array<QRadioButton*, 2> OptTipoCuenta{};  // 0 "Imputable", 1 "Título"
    std::array<QRadioButton*, 3> optLibros{};      // 0 none, 1 purchases, 2 sales
    QCheckBox* chkCCostos = nullptr;
    QCheckBox* CHKAjustable = nullptr;
    QCheckBox* chkTarjeta = nullptr;
    QCheckBox* ChkBloqueo = nullptr;
    QCheckBox* ChkCyB = nullptr;
    QCheckBox* ChkBdu = nullptr;
    QCheckBox* ChkVto = nullptr;
    QComboBox* CmbIndices = nullptr;
    QComboBox* CmbMP = nullptr;
    QComboBox* CmbMoneda = nullptr;
    QComboBox* Combo1 = nullptr;  // title accounts
    QLabel* LblDV = nullptr;
    QLabel* LblDescRelacionado = nullptr;
    QLabel* lblCodTarjetaConcAuto = nullptr;
    QLabel* Label1 = nullptr;             // "Bienes de Uso"
    std::array<QLabel*, 14> LblTitulo{};  // captions; 5 "Dígito Verificador"
    QTabWidget* SSTab1 = nullptr;         // "Datos Generales", "Mas Datos"
    vb::FlexGrid* MSFlexGrid1 = nullptr;  // personalised fields
    vb::CajaTexto* TxtEdit = nullptr;     // its cell editor
    vb::TreeView* TreeV = nullptr;
    vb::BusquedaCodigo* BusquedaCodigo1 = nullptr;  // code search of the bound fields
    vb::BusquedaCodigo* BusquedaCodigo2 = nullptr;  // code search of the code box
    // The code box, the code field and the related account, as every code box behaves.
    CajasDeCodigo* codigos_ = nullptr;
    BarraEstado* sbStatusBar = nullptr;
    UtilVex* UtilVex1 = nullptr;
    vb::BarraBotones* Tbar = nullptr;  // side toolbar, seven buttons
    SkinFramework* SkinFramework1 = nullptr;

    // ---- form state ----
    QString TablaActual;
    ado::RecordsetPtr rsCuentas;
    bool Modificando = false;
    bool Nuevo = false;
    bool Borrando = false;
    bool Grabando = false;
    bool CargandoDatos = false;
    bool HuboError = false;
    int CampoActual = 0;
    bool MostrarArbol = false;
    QString CCostoDefecto;
    QString TituloClientesBonos;
    QString TituloClientesMutuales;
    // The code under validation, trimmed and without "-".
    QString CodigoCuenta;
    // Whether side-toolbar button 7 ("Actualizar Cash Flow") is shown.
    static bool gMuestraCashFlow;

    // The controls of the layout file into the form's members and arrays.
    void RecogeControles(const Ui::FrmMA_CUENTAS& ui);
    // What the layout file cannot say: the buttons and panels of the bars, the code searches, the
    // grid's cell editor, the tree's header and the tab order.
    void CompletaControles();
    // The steps of AsignarDatos, under its one handler; each returns false when it stops.
    bool AsignaCamposYTipo(vb::ManejadorErrores& h);
    bool AsignaMedioDePago(vb::ManejadorErrores& h);
    bool AsignaOpcionesCuenta(vb::ManejadorErrores& h);
    bool AsignaNodoYVencimiento(vb::ManejadorErrores& h);
    void ConectaEventos();
    // Every option of optLibros unselected.
    void LimpiaLibros();
    // The lookup button of the toolbar.
    void BotonConsulta(bool encendido);
    bool BotonConsultaEncendido() const;
    void Refusa(int Index, const QString& mensaje);
    // The steps of Campo_Valida, under its one handler; each returns false when it refused or stopped.
    bool ValidaCodigo(vb::ManejadorErrores& h, int Index, QString valor);
    bool MuestraCuentaExistente(vb::ManejadorErrores& h, const QString& valor);
    bool ValidaDescripcion(int Index, const QString& valor);
    bool ValidaCuentaPrincipal(vb::ManejadorErrores& h, int Index, const QString& valor);
    bool ValidaCodigoOpcional(vb::ManejadorErrores& h, int Index, const QString& valor);
    // The controls only a postable account may use, after a validation that did not refuse.
    void AplicaTipoCuenta(vb::ManejadorErrores& h, int Index);
    // The focus went into one of the code searches (it asks for no validation).
    bool FocoEnBusqueda() const;
    // The field is the code field and holds the code the form already shows: leaving it again
    // must neither reload the account nor reset a new one.
    bool CodigoYaAceptado(const vb::CajaTexto* caja) const;
    // The code box's text to the code field, validated unless it is the code already shown.
    void ValidaCajaCodigo();
    // The code the last validation accepted (without "-"); empty while the form waits for one.
    QString codigoAceptado_;
    // The user typed in the code box or the code field since the code was last validated: the
    // same code typed again is validated again.
    bool codigoTecleado_ = false;
    // Before a toolbar action on the account: a code in the box or the code field other than the
    // one validated is validated first, as leaving the box does. True when the form then holds a
    // validated account (new or loaded) whose code both hold; false, with HuboError set when a
    // validation refused, otherwise.
    bool CuentaValidadaParaAccion();
    // The account a side-toolbar action acts on: after the same validation, the code the form shows
    // and validated (new or stored); "" when it shows none.
    QString CuentaDeLaAccion();
    // Side-toolbar button 4 ("Centros de Costos") is on only while the form holds a validated postable
    // account, whichever event ran last.
    void ActualizaBotonCentros();
    // The code is held by an account of the company that row security hides from this user.
    bool CuentaOculta(const QString& codigo);
    // Such a code is refused as no account at all ("La cuenta es inexistente", HuboError set);
    // true when refused, or when the question could not be answered.
    bool RefusaCuentaOculta(vb::ManejadorErrores& h, const QString& codigo);
    // "Borrar": the account loaded, validated afresh when the box holds another code.
    void BorraCuentaMostrada(vb::ManejadorErrores& h);
    // The levels read once for a save or a delete from the toolbar; false, told once and with
    // HuboError set, when they cannot be read.
    bool NivelesLeidos(vb::ManejadorErrores& h, std::optional<CNStuffContable::NivelesDeUnaAccion>& niveles);
    // Whether any account of the company, hidden or dada de baja, holds the code.
    bool CodigoExiste(const QString& codigo);
    // Pending-validation marks of txtFields (set on entry, cleared by a key that validated).
    QList<bool> validacionPendiente_;
    std::unique_ptr<maker::ReglasCuentas> reglas_;
    bool cerrando_ = false;
    // A validation under way: the focus it moves validates nothing more.
    int enValidacion_ = 0;
    // Fields being enabled or disabled: the focus that moves off a disabled field is no user's move.
    bool habilitando_ = false;

    // ==== Routines of the code proposal, view type, tree, personalised grid, save and delete
    // (FrmMA_CUENTAS_Propuesta/_Vista/_Arbol/_Grabar/_Borrar.cpp, personalizados/).
    // Declared here for their callers in the form's other files; further declarations of those
    // topics go in this block only. ====
  public:
    void CargaComboTitulo(const QString& Desde = QString());
    void IdentificaCuenta();
    void ArmarTreeVAutomatico(const QString& Desde = QString());
    void Treev_Estado(bool estado);
    void AsignarPersonalizados(vb::FlexGrid* grilla, const ado::RecordsetPtr& rs);
    bool ValidaCampos();
    void GrabarCuenta();

    // Tree (FrmMA_CUENTAS_Arbol.cpp).
    void ActualizaTreeV(const QString& Clave, const QString& Texto);
    void TreeV_NodeClick(const QString& clave);
    void TreeV_KeyPress(int& KeyAscii);
    void TreeV_BeforeLabelEdit(bool& Cancel);
    void TreeV_AfterLabelEdit(bool& Cancel, const QString& NewString);
    // View type (FrmMA_CUENTAS_Vista.cpp). Null pointers stand for omitted arguments.
    void ObtieneVistaRangoVto(const QString& codigo, QString* descripcion, QString* vista, QString& tipoVista,
                              bool* pideVencimiento);
    // Delete (FrmMA_CUENTAS_Borrar.cpp). The statement removing the account's cash-flow lines,
    // run in the account's own delete transaction.
    static QString BorraCashFlow(const QString& cuenta);
    // The personalised-field grid on MSFlexGrid1 and TxtEdit, wired on first use.
    personalizados::GrillaPersonalizados& Personalizados();

  private:
    // Wires the tree and the personalised grid to their handlers, once.
    void EnlazaArbolYGrilla();
    // The tree pane's width: the one the user gave it, else one that shows the widest account of
    // the deepest level whole (the window grows for it as far as the screen allows).
    void AjustaAnchoArbol();
    // Hangs the rows (code, description) from the root, each under the account above it.
    void CuelgaCuentas(vb::ManejadorErrores& h, const QList<QList<QVariant>>& filas);
    // The title list from rows (code, description, title) in code order: the titles among them,
    // each indented by its level.
    void LlenaComboTitulo(vb::ManejadorErrores& h, const QList<QList<QVariant>>& filas);
    // The view type from the range of additional data that holds the account; false to leave.
    bool VistaDelRango(vb::ManejadorErrores& h, const ado::RecordsetPtr& rangos, const QString& cuenta,
                       QString* descripcion, QString* vista, QString& tipoVista, bool* pideVencimiento);
    // The last ObtieneVistaRangoVto could not read what the view depends on.
    bool vistaFallida_ = false;
    // The divider between the tree and the fields.
    QSplitter* divisor_ = nullptr;
    // The width the user gave the tree pane, kept in the ini file with the tree setting; 0: none.
    int anchoArbol_ = 0;
    // The widest label of the deepest accounts of the last rebuild, by characters.
    QString rotuloMasAncho_;
    // The save and the delete behind GrabarCuenta's common entry.
    void GuardaCuenta(const QString& codigo);
    void BorraCuenta(const QString& codigo);
    // The steps of the save, under its one handler; each returns false when the save stops.
    bool AgregaCamposEnlazados(vb::ManejadorErrores& h, bool titulo);
    bool AgregaTipoCuenta(vb::ManejadorErrores& h, bool titulo);
    bool AgregaOpciones(vb::ManejadorErrores& h, const QString& codigo, bool titulo, int medio,
                        QString& tipoVista, bool calculaVista);
    bool AgregaPersonalizados(vb::ManejadorErrores& h, bool avisa);
    // Every pair of the row as the form holds it; the view type is worked out unless given.
    bool ArmaPares(vb::ManejadorErrores& h, bool titulo, int medio, QString& tipoVista, bool calculaVista,
                   bool avisa);
    bool CompruebaTipoCuenta(vb::ManejadorErrores& h, const QString& codigo, bool titulo);
    // The account's row, its audit row, its default cost-centre row and its user-group rows, in one
    // transaction; replication and everything else only after the commit.
    enum class Escritura { Hecha, Reintento, Fallida };
    struct Grabacion {
        QString codigo;                        // trimmed, without "-"
        QList<QPair<QString, QString>> pares;  // column, value in SQL form, in the row's order
        bool titulo = false;
        int medio = -1;
        QString tipoVista;
        QString sentencia;            // the statement under way, recorded when refused
        QList<QStringList> replicas;  // table then key values, copied after the commit
        std::shared_ptr<ado::Transaccion> transaccion;
        bool reintentar = false;  // the operator chose Retry: the whole save again
        bool referida = false;    // a delete the database refused because other rows refer to it
        bool marca = false;       // the mark dada de baja that takes the place of such a delete
        QString rechazo;          // why the mark was refused (the account's movements), once undone
    };
    // The steps in one transaction, under the one handler of both writes: committed when every
    // step goes through, otherwise rolled back (Reintento when the operator chose Retry).
    Escritura EnTransaccion(Grabacion& g, const std::function<bool(vb::ManejadorErrores&)>& pasos);
    Escritura EscribeCuenta(Grabacion& g);
    // The delete: the account's row and every row that exists only for it (cash-flow lines when
    // asked, additional data, user groups, cost centres, its withholding setting) with its audit
    // row, in one transaction.
    Escritura EscribeBaja(Grabacion& g, bool conCashFlow);
    // The account other rows refer to, marked dada de baja instead: the same check of the account
    // as shown, its movements of the year, the cash-flow lines when asked, the mark and its audit
    // row, in one transaction.
    Escritura EscribeBajaLogica(Grabacion& g, bool conCashFlow);
    // Inside the mark's transaction: false, with the refusal in g.rechazo, when the account has
    // movements of the current year or an opening balance that is not zero.
    bool SinMovimientosDelEjercicio(vb::ManejadorErrores& h, Grabacion& g);
    int ErrorEnTransaccion(Grabacion& g, const vb::ErrorVB& e);
    bool EscribeFila(vb::ManejadorErrores& h, Grabacion& g);
    bool RegistraAccion(vb::ManejadorErrores& h, Grabacion& g);
    bool GrabaCCostoDefecto(vb::ManejadorErrores& h, Grabacion& g);
    bool AsignaGruposUsuarios(vb::ManejadorErrores& h, Grabacion& g);
    // The settings of the payment means ("CTA_RET_OTRA_" + code, "CtaSolicitudCredito").
    bool GrabaAjustesMedio(vb::ManejadorErrores& h, Grabacion& g);
    bool AsignaGrupos(vb::ManejadorErrores& h, Grabacion& g, const ado::RecordsetPtr& filas,
                      const QString& columna, bool saltaSinNombre);
    void TrasConfirmar(vb::ManejadorErrores& h, const Grabacion& g);
    // The pairs to write on an update: the ones the user changed since the account was shown.
    QList<QPair<QString, QString>> ParesCambiados(const Grabacion& g) const;
    // Another user took the new code, deleted the account or changed a value this save writes
    // (for a delete, any value shown): false, with the one message, and the form keeps what was
    // typed.
    bool SinCambiosAjenos(vb::ManejadorErrores& h, Grabacion& g, const QList<QPair<QString, QString>>& pares);
    bool PreparaSiguiente(vb::ManejadorErrores& h);
    void PreguntaDatosAdicionales(vb::ManejadorErrores& h, const Grabacion& g);
    // The last save handed its account to the additional-data window: the chart's own record of
    // it, which the focus after the save follows, whatever a companion does to the shared one.
    bool entregadaAdicionales_ = false;
    // The shared error handler of GrabarCuenta: the operator's answer (4 repeat, 5 go on, else leave);
    // an error he was already told of leaves without a word.
    int ErrorActualizarDatos(const vb::ErrorVB& e);
    // Marks the account as deleted when the database keeps it because other rows refer to it;
    // true when it was marked.
    bool BajaLogica(const QString& codigo, bool conCashFlow);
    // A child of the form.
    personalizados::GrillaPersonalizados* personalizados_ = nullptr;
    bool arbolYGrillaEnlazados_ = false;
    // Index of the bound field the save was building when an error rose (-1 outside the walk).
    int indiceCampoEnCurso_ = -1;

    // Two users on one account (FrmMA_CUENTAS_Cambios.cpp): the account as it was shown, so that a
    // save writes only the columns the user changed and only while no one else changed them.
  public:
    // The record just shown (end of AsignarDatos): its stored row and the pairs the save would build.
    void RecuerdaCuentaMostrada();
    // A cleared form or a new account (CargaCombos): every personalised field listed, none valued,
    // and no account remembered.
    void VaciaPersonalizados();

  private:
    // A new code typed: the save must still find it free.
    void RecuerdaCuentaNueva(const QString& codigo);
    // The account as shown (stored row and the pairs the form then held), or a new code; nothing
    // remembered when the form shows no account.
    GrabacionOptimista mostrada_;
    // The code the remembered account is for.
    QString codigoMostrado_;
    // The stored account shown holds a change the user has not saved (its code and check digit
    // aside: they follow the code being typed).
    bool CambiosSinGuardar();
    // Before the account shown gives way to `otro` ("" for none): true when nothing typed would be
    // lost, or the user agreed to lose it.
    bool DejaLaCuentaMostrada(const QString& otro);
    // The user kept his change: the shown account's code back in the code box and the code field,
    // and the keyboard in the one being left.
    void VuelveALaCuentaMostrada(int Index);
    // "¿Está seguro de abandonar la carga de datos?": true on "Sí".
    static bool ConfirmaAbandono();
    // The user already agreed to leave the account shown; cleared when another is shown.
    bool abandonoAceptado_ = false;
    // The code box is being left (rather than the code field).
    bool validandoCaja_ = false;
    // ==== end of the block ====
};

// The window's global reference, cleared by its unload.
extern FrmMA_CUENTAS* gFrmMA_CUENTAS;
