#pragma once
// The grid editor every grid window with a cell editor shares: a FlexGrid, the CajaTexto laid
// over its current cell while a cell is edited, and one TipoColumnaGrilla per grid column.
//
// A window keeps its own procedures and event handlers under their usual names and lets each
// one call the editor:
//
//   window                                  editor
//   MsFlex_Inicializa(Filas)                Inicializa(Filas), then the window's widths, titles
//                                           and colours
//   Brw_Propiedades(columna)                Propiedades(columna)
//   MsflexGridEdt(grid, editor, KeyAscii)   Abre(KeyAscii)
//   MSFlex_EditKeyCode(grid, editor, k, s)  Mueve(k)
//   <grid>_KeyPress(KeyAscii)               Abre(KeyAscii)
//   <grid>_DblClick                         Abre(32)
//   <grid>_LeaveCell, <grid>_GotFocus       Cierra()
//   <grid>_Scroll                           when Editando(): Mueve(vbKeyReturn)
//   <editor>_KeyDown(KeyCode, Shift)        TeclaEditor(KeyCode)
//   any other action (toolbar button,       Cierra() first, so that a typed value is never
//   function key, save, close)              lost
//
// Tab, a click elsewhere or a shortcut that takes the focus from the editor commits it too.
//
// Committing: the editor's trimmed text is written into the current cell, then the window's
// Valida runs (its Campo_Valida / ValidaCampo, which saves or checks the value and may rewrite
// the cell). A value Valida refuses on a leaving key keeps the editor open on the cell, the value
// selected so that the next key typed starts a new one.
// Escape drops the edit: the cell keeps its text and Valida does not run.
//
// What differs between windows is set through Opciones; the descriptors stay in the window's
// own array (m_Col) and are read live, so a window may change Editable while editing. Every grid
// column needs a descriptor: a column without one opens no editor.
//
// A window sets it up once, after creating its grid and editor:
//
//   m_Editor = new vb::EditorGrilla(FGCCosto, BrwTxt[0], this);
//   m_Editor->setColumnas(m_Col);
//   m_Editor->opciones().ultimaFila = vb::EditorGrilla::UltimaFila::kAgregaFila;
//   m_Editor->setValida([this](bool mostrar) { ValidaCampo(BrwTxt[0], 0, mostrar); return !HuboError; });
#include "outside/controls/TipoColumnaGrilla.h"
#include "outside/runtime/ManejadorErrores.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <span>

namespace vb {

class CajaTexto;
class FlexGrid;

class EditorGrilla : public QObject {
    Q_OBJECT
  public:
    // Where the next-row step goes from the last row.
    enum class UltimaFila {
        kColumnaUno,  // stays on the row and goes to column 1
        kAgregaFila,  // adds an empty row and goes to its column 1
        kQueda,       // stays where it is
    };

    struct Opciones {
        // The routine named when Mueve reports an error.
        QString rutina = "MsFlex_EditKeyCode";
        // Asks about an error in Mueve other than 5 (which is passed over); empty: Mueve leaves.
        Reportero reportero;
        UltimaFila ultimaFila = UltimaFila::kColumnaUno;
        // Replaces the move of Enter (the default is the next-row step); runs after the grid took
        // the focus and pending events ran.
        std::function<void()> movimientoEnter;
        // The first key typed on the grid goes through the binder's key filter.
        bool filtraPrimeraTecla = true;
    };

    // Valida(mostrar): the window's validation of the committed cell; mostrar says whether a
    // refusal may be shown. Returns false when the value is refused.
    using Validacion = std::function<bool(bool mostrar)>;

    EditorGrilla(FlexGrid* grilla, CajaTexto* editor, QObject* parent = nullptr);

    FlexGrid* grilla() const { return grilla_; }
    CajaTexto* editor() const { return editor_; }

    // The window's descriptors, one per grid column; the storage must outlive the editor.
    void setColumnas(std::span<const TipoColumnaGrilla> columnas) { columnas_ = columnas; }
    std::span<const TipoColumnaGrilla> columnas() const { return columnas_; }
    void setValida(Validacion v) { valida_ = std::move(v); }
    Opciones& opciones() { return opciones_; }

    // The editor hidden and empty, the grid cleared with as many columns as descriptors and
    // the given rows, current cell (0, 0), the given fill style.
    void Inicializa(int filas, int relleno = 0);
    // The descriptor of the column (a number, taken as a whole number) copied into the editor:
    // DataField, Enabled, MaxLength, Tag.
    void Propiedades(double columna);
    // Opens the editor over the current cell for a key (32 from a double click): Enter moves on
    // unless the column is required and the cell empty; a non-editable column opens nothing.
    void Abre(int KeyAscii);
    // Key movement of the editor and grid: Enter and Down the next-row step, Up one row up
    // (never above the first data row), Escape drops the edit; then the current cell is brought
    // into view.
    void Mueve(int KeyCode);
    // The editor's KeyDown: a key that ends the edit commits (showing a refusal) and, when
    // accepted, moves; Escape drops the edit.
    void TeclaEditor(int KeyCode);
    // Commits a pending edit without asking anything and hides the editor. Returns false only
    // when Valida refused the value.
    bool Cierra();

    // The editor is shown over a cell.
    bool Editando() const;
    // The editor holds a text not committed yet.
    bool Pendiente() const { return pendiente_; }

    // The next-row step of Enter and Down.
    void SiguienteFila();

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    const TipoColumnaGrilla* columna(int c) const;
    bool confirma(bool mostrar);

    FlexGrid* grilla_;
    CajaTexto* editor_;
    // The window may destroy its grid before its editor, which still raises focus events.
    QPointer<QObject> grillaViva_;
    std::span<const TipoColumnaGrilla> columnas_;
    Validacion valida_;
    Opciones opciones_;
    bool pendiente_ = false;
};

}  // namespace vb
