#pragma once
// The personalised fields of a master row (its columns named "P_..." in any case) in a two-column
// grid, "Campo" and "Valor", edited in place through the shared grid editor laid over the value
// cell. The chart-of-accounts form and the additional-data form each keep one, wired to their own
// grid and editor.
#include "outside/ado/Connection.h"
#include "outside/ado/Recordset.h"
#include "outside/controls/TipoColumnaGrilla.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <array>

namespace vb {
class CajaTexto;
class EditorGrilla;
class FlexGrid;
}  // namespace vb

namespace personalizados {

// Whether a column of a recordset is a personalised field.
bool EsPersonalizado(const QString& nombreCampo);

class GrillaPersonalizados : public QObject {
    Q_OBJECT
  public:
    // How a form lays its grid out.
    struct Forma {
        bool fijaColumnas = true;  // fixed columns set to 1 on every fill
        int anchoValor = 2000;     // twips
    };
    static Forma FormaCuentas() { return {true, 2000}; }
    static Forma FormaDatosAdicionales() { return {false, 4000}; }

    // Connects the grid's and the editor's events to the handlers below; hides the editor.
    GrillaPersonalizados(vb::FlexGrid* grilla, vb::CajaTexto* editor, Forma forma, QObject* parent = nullptr);

    // Fills the grid from the recordset's current row (names only when it has none, or when the
    // values are not wanted: a cleared form, a new record).
    void AsignarPersonalizados(const ado::RecordsetPtr& rs, bool conValores = true);
    // Copies every value cell into the field named beside it; the caller updates the record.
    void GrabarPersonalizados(const ado::RecordsetPtr& rs);
    // Opens the editor over the current cell, seeded with the typed key or the cell's text.
    void MsflexGridEdt(int& KeyAscii);
    // Enter, Escape, Up and Down in the editor.
    void EditKeyCode(int& KeyCode, int Shift);
    // The editor's text goes into the current cell and the editor is hidden (when it is shown).
    void Confirmar();
    bool Editando() const;

    // Field rows as (column name, value as typed), rows 1 to last.
    QList<QPair<QString, QString>> Campos() const;

    vb::FlexGrid* grilla() const { return grilla_; }
    vb::CajaTexto* editor() const { return editor_; }

    // Event handlers.
    void MSFlexGrid1_KeyPress(int& KeyAscii) { MsflexGridEdt(KeyAscii); }
    void MSFlexGrid1_DblClick();
    void MSFlexGrid1_GotFocus() { Confirmar(); }
    void MSFlexGrid1_LeaveCell() { Confirmar(); }
    void TxtEdit_KeyDown(int& KeyCode, int Shift) { EditKeyCode(KeyCode, Shift); }
    // The decimal separator: "," and "." type the user's separator, once, in a numeric field.
    void TxtEdit_KeyPress(int& KeyAscii);

  private:
    bool filaNumerica(int fila) const;

    vb::FlexGrid* grilla_;
    vb::CajaTexto* editor_;
    vb::EditorGrilla* edicion_;
    Forma forma_;
    std::array<TipoColumnaGrilla, 2> columnas_;
    QList<bool> numericas_;  // per field row, from the column's type
};

}  // namespace personalizados
