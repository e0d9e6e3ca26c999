#pragma once
// The cost-centre form "Actualización de Centros de Costos": an account's distribution over cost
// centres, in general or per business unit, edited cell by cell in a grid, saved or deleted.
// The chart of accounts opens it for its current account (gCuentaActual, Menu False); from a
// menu it opens empty.
#include "account_extras/AlcanceCuenta.h"
#include "outside/ado/Connection.h"
#include "outside/ado/Recordset.h"
#include "outside/controls/TipoColumnaGrilla.h"
#include "services/GrabacionOptimista.h"

#include <QList>
#include <QString>
#include <QWidget>
#include <array>
#include <memory>

class CajasDeCodigo;
class QCheckBox;
class QComboBox;
class QLabel;
class UtilVex;

namespace Ui {
class Frmta_asigccosto;
}
namespace vb {
class BusquedaCodigo;
class CajaTexto;
class EditorGrilla;
class ErrorVB;
class ManejadorErrores;
class FlexGrid;
}  // namespace vb

// One grid row of the distribution: fixed texts, left-aligned, blank-padded, cut when longer.
struct FilaDistribucion {
    QString CCosto;       // 4
    QString Descripcion;  // 50
    QString Porcentaje;   // 6
};

class Frmta_asigccosto : public QWidget {
    Q_OBJECT

  public:
    explicit Frmta_asigccosto(QWidget* parent = nullptr);
    ~Frmta_asigccosto() override;

    // The one form, created on first use (without loading it); Descargar drops it.
    static Frmta_asigccosto& instancia();
    static bool Existe();
    // Loads (once) and shows the form modeless; an open form is only brought forward. Opened from
    // a menu its account box is empty; from the chart of accounts it holds the current account.
    void Mostrar(bool desdeMenu = false);
    // What the form holds: a new distribution; and whether the last validation or save refused.
    bool CuentaNueva() const { return Nuevo; }
    bool Rechazo() const { return HuboError; }

    // ---- grid ----
    void MsFlex_Inicializa();
    void MSFlex_EditKeyCode(vb::FlexGrid* grilla, vb::CajaTexto* editor, int KeyCode, int Shift);
    void Brw_Propiedades(int columna);

    // ---- distribution ----
    void CargaDistribucion(const QString& tabla);
    void Actualizar_Datos();
    void ValidaSumaPorcentajes(QString& mensaje, bool& correcto);

    // ---- form ----
    void Form_Load();
    void Form_Unload();
    void LimpiaPantalla();
    void ValidaCampos(bool& correcto);
    void Consultar();
    void TieneMov(const QString& cuenta, bool& tiene);
    void CargaComboUnegocio();
    void CargaCuentasConCCosto();
    void UtilVex1_Click(const QString& boton);

    // ---- events ----
    void txtCuenta_GotFocus(int Index);
    void txtCuenta_KeyDown(int Index, int& KeyCode, int Shift);
    void BrwTxt_KeyDown(int Index, int& KeyCode, int Shift);
    void CmbUnegocio_Click();
    void ChkVariable_Click();
    void MSHFlexGrid1_DblClick();
    void FGCCosto_EnterCell();

    // ---- state a test or the chart of accounts reads ----
    const QList<FilaDistribucion>& Filas() const { return Filas_; }
    vb::EditorGrilla* Editor() const { return editor_; }

  protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    // True: opened from a menu, with an empty account box.
    bool Menu = false;
    std::array<vb::CajaTexto*, 1> txtCuenta;
    QLabel* lblDescripcion;
    vb::FlexGrid* FGCCosto;
    std::array<vb::CajaTexto*, 1> BrwTxt;
    QComboBox* CmbUnegocio;
    QCheckBox* ChkVariable;
    QCheckBox* ChkPideConf;
    vb::FlexGrid* MSHFlexGrid1;
    UtilVex* UtilVex1;
    // The code search of the account box, which behaves as every code box does.
    vb::BusquedaCodigo* BusquedaCodigo1;
    CajasDeCodigo* codigos_ = nullptr;
    QString TablaActual = "MA_CUENTASCCOSTO";
    bool Nuevo = false;
    bool Modificando = false;
    bool Borrando = false;
    bool Grabando = false;
    bool HuboError = false;
    bool DatosCargados = false;
    int FilaEnEdicion = 0;
    // The account whose distribution is shown: the one handed over or loaded from the box.
    account_extras::CuentaDeVentana cuenta_;
    // The rows a save rewrites, in both tables, as they were when the distribution was shown.
    GrabacionOptimista generalMostrada_, unidadMostrada_;
    QString mostradaPara_;  // the account and unit they are of, "code|unit"

    // The controls of the .ui file in the members the routines use, and the grid's editor.
    void RecogeControles();
    void ConectaEventos();
    void ConectaCuentaYEditor();
    void ConectaGrilla();
    void MSFlex_Editar(vb::FlexGrid* grilla, vb::CajaTexto* editor, int KeyAscii);
    void MuestraFila(int fila);
    void ValidaCampo(vb::CajaTexto* control, int indice, bool mostrar);
    // The checks of ValidaCampo for the cell being edited and for the account box; each gives the
    // message of the first failure, "" when the value holds.
    QString ValidaCelda(const QString& campo, const QString& texto);
    QString ValidaCentro(FilaDistribucion f, const QString& texto);
    QString ValidaPorcentaje(FilaDistribucion f, const QString& texto);
    QString ValidaCuenta(const QString& texto);
    void IniciaEdicion(bool activar);
    void MovimientoEnter();
    // The rows checked once more before a save: each code exists, is no title, is not repeated,
    // its percentage lies in 0..100, and the sum too. "" when all hold, else the first message.
    QString RevisaFilas();
    // The unit code of the combo's current item (kept as its data).
    QString UnidadActual() const;
    // The rows of the open distribution into the grid, from row 1, each also as read; false when
    // a step failed.
    bool LeeFilas(vb::ManejadorErrores& h, QList<GrabacionOptimista::Fila>& leidas);
    // The rows of the account in a table (of one unit in the per-unit table), for the check.
    GrabacionOptimista Distribucion(const QString& tabla, const QString& unidad = {}) const;
    // Remembers what a save of the distribution shown rewrites: the table loaded from the rows
    // read, the other table's rows for that unit as stored now.
    void RecuerdaMostrada(bool general, const QList<GrabacionOptimista::Fila>& leidas);
    // The steps of one save (Actualizar_Datos) under its one handler; Guardado is what they share.
    struct Guardado;
    // Inside the save's transaction: true when the rows it rewrites are still the ones shown;
    // otherwise the user is told, with the account named, and the save must write nothing.
    bool SinCambiosAjenos(Guardado& g, vb::ManejadorErrores& h);
    bool ReescribeTablas(Guardado& g, vb::ManejadorErrores& h);
    void EscribeFilas(Guardado& g, const QString& tabla);
    static void BorraFilas(const QString& sql);
    int ErrorAlGuardar(Guardado& g, const vb::ErrorVB& e, const QString& rutina);
    void TerminaGuardado(Guardado& g, bool bien);
    // Before the toolbar's delete or save: a code in the box other than the account shown is
    // validated as leaving the box does; true when the box then names the account shown.
    bool CuentaDeLaCaja();
    // The toolbar's delete and save, inside its one error catch.
    void BorraCuentaMostrada();
    void GrabaDistribucion();
    void Aviso(const QString& texto);
    void FijaFila(int fila, const FilaDistribucion& f);
    void AseguraFilas(int n);
    // Half the list's width for the code, the rest less 300 twips for the description.
    void AnchosLista();

    std::unique_ptr<Ui::Frmta_asigccosto> ui_;
    QList<FilaDistribucion> Filas_{FilaDistribucion{}};
    std::array<TipoColumnaGrilla, 4> m_Col;
    vb::EditorGrilla* editor_ = nullptr;
    ado::RecordsetPtr mRs;
    int FilaActual = 0;
    int marcaEditor_ = 0;
    int marcaCuenta_ = -2;
    bool cargado_ = false;
};
