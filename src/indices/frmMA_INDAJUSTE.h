#pragma once
// The adjustment-index window, the program's start-up window: every month of every fiscal year
// with four index series and their coefficients; an edited index is saved at once together with
// the recomputed coefficients of its fiscal year.
#include "outside/ado/Connection.h"
#include "outside/controls/TipoColumnaGrilla.h"
#include "services/GrabacionOptimista.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <memory>

class BarraEstado;
class QLabel;
class SkinFramework;
class UtilVex;
namespace Ui {
class frmMA_INDAJUSTE;
}
namespace vb {
class CajaTexto;
class EditorGrilla;
class FlexGrid;
}  // namespace vb

class frmMA_INDAJUSTE : public QWidget {
    Q_OBJECT
  public:
    explicit frmMA_INDAJUSTE(QWidget* parent = nullptr);
    ~frmMA_INDAJUSTE() override;

    // Whether the last validation or save refused.
    bool Rechazo() const { return m_Error; }

    // ---- public routines ----
    void MSFlex_EditKeyCode(vb::FlexGrid* grid, vb::CajaTexto* editor, int KeyCode, int Shift);
    void MsFlex_Inicializa(int Filas);
    void Brw_Propiedades(double columna);
    void ObtieneCoeficientes();
    void ObtieneCoeficientes2024();

    // The tables its load reads: a company database without one of them is refused at start-up.
    static QStringList TablasQueLee();

    // ---- events the runtime raises ----
    void Form_Load();
    void Form_KeyDown(int& KeyCode, int Shift);
    void Form_Unload(int& Cancel);
    void Utilvex1_Click(const QString& accion);

  protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    // ---- controls ----
    QList<vb::CajaTexto*> txtFields;  // the year box, element 0
    UtilVex* UtilVex1 = nullptr;
    vb::FlexGrid* FgAsiento = nullptr;
    QList<vb::CajaTexto*> BrwTxt;        // the grid's cell editor, element 0
    std::array<QLabel*, 2> lblLabels{};  // element 1
    SkinFramework* SkinFramework1 = nullptr;
    BarraEstado* sbStatusBar = nullptr;

    // ---- window variables ----
    QString m_Tabla;
    ado::RecordsetPtr m_Rs;
    std::array<TipoColumnaGrilla, 9> m_Col;
    bool m_Borrar = false;
    bool m_Error = false;
    int m_EditorActual = 0;
    bool m_Modificado = false;

    // The events of the controls of the layout (frmMA_INDAJUSTE.ui).
    void conectaControles();
    void Generar(const QString& tabla);
    void LimpiaPantalla();
    void HabilitaCampos(bool habilita);
    void ConfiguraControles();
    bool ValidaCampos();
    void Consultar();
    void Reporte();
    void txtFields_GotFocus(int Index);
    void txtFields_KeyPress(int Index, int& KeyAscii);
    void txtFields_KeyDown(int Index, int& KeyCode, int Shift);
    void txtFields_MouseDown(int Index, int Button);
    void BotonConsulta(bool habilitado);
    void MsflexGridEdt(vb::FlexGrid* grid, vb::CajaTexto* editor, int KeyAscii);
    void FgAsiento_KeyPress(int& KeyAscii);
    void FgAsiento_DblClick();
    void FgAsiento_Click();
    void FgAsiento_EnterCell();
    void FgAsiento_GotFocus();
    void FgAsiento_LeaveCell();
    void FgAsiento_Scroll();
    void BrwTxt_KeyPress(int Index, int& KeyAscii);
    void BrwTxt_KeyDown(int Index, int& KeyCode, int Shift);
    void BrwTxt_Click(int Index);
    void BrwTxt_GotFocus(int Index);
    // The shared grid editor over FgAsiento and BrwTxt(0), reading m_Col.
    void PreparaEditor();
    void CargaGrilla();
    // CargaGrilla's steps: a row for every month of the fiscal years that lacks one, and one
    // month of m_Rs shown in grid row r.
    void CreaMesesFaltantes();
    void MuestraMes(int r);
    void Campo_Valida(QWidget* control, int& index, bool flag);
    // A typed index: its grid column and the value typed.
    struct Edicion {
        int columna;
        double valor;
    };
    // Saves the edit and its recomputation as one, asking as Campo_Valida does on a failure;
    // whatever is not saved, the grid shows the stored values again.
    void GrabaIndice(int fila, const Edicion& edicion);
    // False when someone else changed or deleted the edited month since it was shown: nothing is
    // written, and the user is told.
    bool Recalcula(bool desdeApertura, const Edicion* edicion = nullptr);
    // Writes the edited value of the month, inside the caller's transaction.
    void EscribeEdicion(const QString& mesR, const Edicion& edicion);
    // The month as the grid showed it, for the save's check.
    GrabacionOptimista MesMostrado(const QString& mesR) const;
    // The series' titles, by index column, for the operator.
    QHash<QString, QString> RotulosIndices() const;
    // The stored indexes and coefficients of the fiscal year of the grid row, shown again.
    void MuestraGuardados(int fila);
    void ActualizarDatos();
    // Writes what the user changed in the year's grid rows since they were shown, or deletes the
    // year, in one transaction with the coefficients that follow; false when nothing was written
    // (no month of the year in the grid, or someone else changed what this would overwrite).
    bool EscribeAnio(const QString& anio);
    // The grid rows of the year, and the year's months as the grid showed them, for the check.
    QList<int> FilasDelAnio(int anio) const;
    GrabacionOptimista AnioMostrado(int anio) const;
    // For each month the user changed, the index columns changed since it was shown.
    QHash<QString, QStringList> CambiosDelAnio(const QList<int>& filas) const;
    // Writes the changed values and stamps the year's months shown, then recomputes the fiscal
    // years the changes reach; inside the caller's transaction.
    void EscribeCambios(int anio, const QList<int>& filas, const QHash<QString, QStringList>& cambios);
    // The conversion message for the field given (the year box's bound column by default).
    void MensajeConversion(const QString& campo = {});
    // An index value as the grid shows it: "" for 0.
    static QString TextoImporte(double valor);

    // Each month's indexes as the grid last showed them from the table: an edit is saved only
    // while the stored value is still the one shown.
    QHash<QString, std::array<double, 4>> m_Mostrados;
    vb::EditorGrilla* m_Editor = nullptr;
    std::unique_ptr<Ui::frmMA_INDAJUSTE> ui_;
};

// The window's global reference, cleared by its unload.
extern frmMA_INDAJUSTE* gfrmMA_INDAJUSTE;
