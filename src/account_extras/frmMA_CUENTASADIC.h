#pragma once
// The additional customer or supplier data of one account, one MA_CUENTASADIC row per account.
// The chart of accounts opens it for the current account (gCuentaActual); on its own
// (FormaIndependiente) the code is typed and each save or cancel clears it for the next account.
// One header; one .cpp per topic (frmMA_CUENTASADIC_*.cpp).
#include "account_extras/AlcanceCuenta.h"
#include "outside/ado/Connection.h"
#include "outside/ado/Recordset.h"
#include "services/GrabacionOptimista.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <memory>

class CajasDeCodigo;
class Lbc_Asiento;
class QGroupBox;
class QLabel;
class QTabWidget;
class UtilVex;
namespace personalizados {
class GrillaPersonalizados;
}
namespace Ui {
class frmMA_CUENTASADIC;
}
namespace vb {
class BusquedaCodigo;
class CajaTexto;
class FlexGrid;
class ManejadorErrores;
}  // namespace vb

class frmMA_CUENTASADIC : public QWidget {
    Q_OBJECT
  public:
    explicit frmMA_CUENTASADIC(QWidget* parent = nullptr);
    ~frmMA_CUENTASADIC() override;

    // The program's one window of this form, created on first use and released by its unload.
    static frmMA_CUENTASADIC& instancia();
    static bool Existe();
    // Shows the window modeless: a new one is loaded for gCuentaActual, an open one is brought
    // forward and keeps its account.
    static void Muestra();

    // The form runs on its own (the code typed, each save or cancel clearing it for the next
    // account) instead of serving the account of the chart of accounts.
    void FijaFormaIndependiente(bool independiente) { FormaIndependiente = independiente; }
    // The account the form acts on ("" when none is loaded).
    const QString& Cuenta() const { return cuenta_.Codigo(); }
    // What the form holds: a new row, a stored one; and whether the last validation or save refused.
    bool CuentaNueva() const { return Nuevo; }
    bool CuentaGuardada() const { return Modificando; }
    bool Rechazo() const { return HuboError; }

    // ---- opening, keys and toolbar ----
    bool ValidaCampos();
    void AbreTabla(const QString& tabla);
    void MuestraDatos();
    void Form_Load();
    void Form_KeyDown(int& KeyCode, int Shift);
    void UtilVex1_ButtonClick(const QString& boton);

    // ---- validation and coded-field details ----
    void Campo_valida(int index, vb::CajaTexto* control);
    void MuestraDetalle(const QString& campo, QString& mensaje);
    void DetalleOn(bool activar);
    void Consultar();

    // ---- views and ranges ----
    void DeterminaVista(const QString& cuenta);
    QString Rangos_Adicionales();

    // ---- save and delete ----
    void ActualizarDatos();
    void LimpiaPantalla();
    void Form_Unload(int& Cancel);

    // The box's own visibility flag: hidden by the account's view, whatever tab is shown.
    static bool Visible(const QWidget* control);
    personalizados::GrillaPersonalizados& Personalizados() { return *m_Personalizados; }

  protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    // ---- controls ----
    // Bound text boxes 0 to 23: DataField the column, Tag the lookup table, tool tip the name.
    QList<vb::CajaTexto*> txtFields;
    // Description labels of the coded fields; each Tag names the table of its field.
    QList<QLabel*> lblDetalle;
    // Labels of the optional fields: 0 condition, 1 category, 3 credit limit.
    std::array<QLabel*, 4> Label1{};
    QLabel* LblTitulo = nullptr;
    QGroupBox* FrmMasDatos = nullptr;
    QTabWidget* SSTab1 = nullptr;
    vb::FlexGrid* MSFlexGrid1 = nullptr;
    vb::CajaTexto* TxtEdit = nullptr;
    vb::BusquedaCodigo* BusquedaCodigo1 = nullptr;
    // The coded fields, as every code box behaves.
    CajasDeCodigo* m_Codigos = nullptr;
    UtilVex* UtilVex1 = nullptr;

    // True: the form runs on its own; false: it serves the account of the chart of accounts.
    bool FormaIndependiente = false;
    // The account the form acts on: the one it was opened for or the one its user loaded; none
    // after a clearing, and then "Borrar" and "Grabar" do nothing.
    account_extras::CuentaDeVentana cuenta_;

    // ---- form state ----
    QString TablaActual;
    ado::RecordsetPtr rsAdic;
    int CampoActual = 0;
    bool HuboError = false;
    bool Grabando = false;
    bool Nuevo = false;
    bool Borrando = false;
    bool Modificando = false;

    // The controls of the .ui file in the members and arrays the routines use.
    void RecogeControles();
    void ConectaEventos();
    Lbc_Asiento& Asiento();
    void txtFields_GotFocus(int Index);
    void txtFields_LostFocus(int Index);
    void txtFields_MouseDown(int Index);
    void txtFields_KeyDown(int Index, int& KeyCode, int Shift);
    // The field at its index, brought forward on its tab before it takes the focus.
    void EnfocaCampo(int index);
    void Descargar();
    // The toolbar's delete and save under the toolbar's handler.
    void BorraDesdeBarra(vb::ManejadorErrores& h);
    void GrabaDesdeBarra(vb::ManejadorErrores& h);
    // The checks of the account code (Campo_valida) under its one handler; false when a step failed.
    bool ValidaCodigo(vb::ManejadorErrores& h, const QString& valor, QString& mensaje);
    bool ValidaCuentaTecleada(vb::ManejadorErrores& h, const QString& valor, QString& mensaje);
    bool AbreFilaDeCuenta(vb::ManejadorErrores& h, const QString& valor);
    // The form's recordset reopened updatable on the account's row; true when it has one.
    bool AbreFila(const QString& cuenta);
    // The steps of a save (ActualizarDatos) under its one handler.
    bool FechaDeGrabacion(vb::ManejadorErrores& h);
    void BorraFila(vb::ManejadorErrores& h);
    void EscribeCampo(const vb::CajaTexto* caja);
    bool GuardaFila(vb::ManejadorErrores& h);
    // The price class of the account's view type into the row; false, the save stopped, when the
    // view type or the setting could not be read.
    bool ClaseDePrecio(vb::ManejadorErrores& h);
    // The row as shown (or a new one) and the form as shown, for the save: it writes only the columns
    // the user changed, and only while nobody else changed them or saved the row meanwhile.
    void RecuerdaMostrada();
    // What the form shows now, by column: each box's text, each personalised value as typed.
    QHash<QString, QString> EnPantalla() const;
    // The operator's name of each column: the caption beside its box.
    QHash<QString, QString> Rotulos() const;
    // Before the save's or the delete's transaction: no read of its checks was given up; false,
    // the operator already told, otherwise.
    bool NadaAbandonado();
    // Inside the save's or the delete's transaction: nobody else changed what it writes or deleted
    // the row; false, with the message, otherwise.
    bool SinCambiosAjenos(vb::ManejadorErrores& h, const QStringList& columnas, bool borra);
    // An existing row: the columns the user changed, written over the row as stored now.
    void EscribeCambios(const QStringList& cambiados);

    std::unique_ptr<Ui::frmMA_CUENTASADIC> ui_;
    std::unique_ptr<Lbc_Asiento> m_Asiento;
    std::unique_ptr<personalizados::GrillaPersonalizados> m_Personalizados;
    bool m_Descargando = false;
    GrabacionOptimista mostrada_;
};
