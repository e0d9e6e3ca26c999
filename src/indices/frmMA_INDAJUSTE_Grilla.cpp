// The month grid and its cell editor, through the shared grid editor.
#include "indices/frmMA_INDAJUSTE.h"

#include "outside/controls/CajaTexto.h"
#include "outside/controls/EditorGrilla.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/Teclas.h"
#include "outside/maker/EnlaceControles.h"
#include "outside/maker/Utilidades.h"
#include "services/CNStuffContable.h"
#include "services/LBM_Common.h"

#include <QLabel>

namespace {
constexpr long kCian = 0xFFFF00;
}

void frmMA_INDAJUSTE::PreparaEditor() {
    m_Editor = new vb::EditorGrilla(FgAsiento, BrwTxt[0], this);
    m_Editor->setColumnas(m_Col);
    m_Editor->opciones().rutina = "MsFlex_EditKeyCode";
    m_Editor->opciones().reportero = maker::gUtilidades().Reportero();
    m_Editor->setValida([this](bool mostrar) {
        int indice = 0;
        Campo_Valida(BrwTxt[0], indice, mostrar);
        return !m_Error;
    });
}

void frmMA_INDAJUSTE::MsFlex_Inicializa(int Filas) {
    m_EditorActual = 0;
    m_Col[0] = {"Mes", "", "Mes", 12, false, false};
    const char* importes[] = {"IMPORTE1", "IMPORTE2", "IMPORTE3", "IMPORTE4"};
    const char* indices[] = {"Indice1", "Indice2", "Indice3", "Indice4"};
    for (int k = 0; k < 4; ++k) {
        m_Col[1 + 2 * k] = {
            CNStuffContable::Cfg(QString("NOMBRE_INDICE%1").arg(k + 1)), "", importes[k], 0, true, false};
        m_Col[2 + 2 * k] = {"Coef.", "", indices[k], 0, false, false};
    }
    m_Editor->Inicializa(Filas, vb::flexFillSingle);

    auto* g = FgAsiento;
    for (int c = 1; c < int(m_Col.size()); ++c) {
        g->setColWidth(c, m_Col[c].Campo.left(3).compare("Ind", Qt::CaseInsensitive) == 0 ? 640 : 960);
        g->setTextMatrix(0, c, m_Col[c].Titulo);
        g->setColAlignment(c, vb::flexAlignRightBottom);
    }
    for (int r = 1; r < g->Rows(); ++r)
        for (int c : {2, 4, 6, 8}) {
            g->setRow(r);
            g->setCol(c);
            g->setCellBackColor(kCian);
        }
    g->setRow(0);
    g->setCol(0);
}

void frmMA_INDAJUSTE::Brw_Propiedades(double columna) {
    m_Editor->Propiedades(columna);
}

void frmMA_INDAJUSTE::MsflexGridEdt(vb::FlexGrid*, vb::CajaTexto*, int KeyAscii) {
    m_Editor->Abre(KeyAscii);
}

void frmMA_INDAJUSTE::MSFlex_EditKeyCode(vb::FlexGrid*, vb::CajaTexto*, int KeyCode, int) {
    m_Editor->Mueve(KeyCode);
}

void frmMA_INDAJUSTE::FgAsiento_KeyPress(int& KeyAscii) {
    MsflexGridEdt(FgAsiento, BrwTxt[0], KeyAscii);
}

void frmMA_INDAJUSTE::FgAsiento_DblClick() {
    MsflexGridEdt(FgAsiento, BrwTxt[0], 32);
}

void frmMA_INDAJUSTE::FgAsiento_Click() {
    m_EditorActual = 0;
    const auto& col = m_Col[FgAsiento->Col()];
    BotonConsulta(col.Editable && !col.TablaBusqueda.trimmed().isEmpty());
}

void frmMA_INDAJUSTE::FgAsiento_EnterCell() {
    m_EditorActual = 0;
    const int c = FgAsiento->Col();
    if (c < 0 || c >= int(m_Col.size())) return;
    BotonConsulta(!m_Col[c].TablaBusqueda.trimmed().isEmpty());
    Brw_Propiedades(c);
}

void frmMA_INDAJUSTE::FgAsiento_GotFocus() {
    m_EditorActual = 0;
    const int c = FgAsiento->Col();
    if (c >= 0 && c < int(m_Col.size())) BotonConsulta(!m_Col[c].TablaBusqueda.trimmed().isEmpty());
    if (m_Editor->Editando()) m_Editor->Cierra();
}

void frmMA_INDAJUSTE::FgAsiento_LeaveCell() {
    if (!m_Editor->Editando()) return;
    lblLabels[1]->setText("");
    m_Editor->Cierra();
}

void frmMA_INDAJUSTE::FgAsiento_Scroll() {
    if (m_Editor->Editando()) MSFlex_EditKeyCode(FgAsiento, BrwTxt[0], vb::vbKeyReturn, 0);
}

void frmMA_INDAJUSTE::BrwTxt_KeyPress(int Index, int& KeyAscii) {
    maker::gEnlaceControles().FiltraTecla(BrwTxt[Index], KeyAscii);
    KeyAscii = LBM_Common::ConvierteMayuscula(KeyAscii);
}

void frmMA_INDAJUSTE::BrwTxt_KeyDown(int, int& KeyCode, int) {
    m_Editor->TeclaEditor(KeyCode);
}

void frmMA_INDAJUSTE::BrwTxt_Click(int) {
    Brw_Propiedades(FgAsiento->Col());
}

void frmMA_INDAJUSTE::BrwTxt_GotFocus(int) {
    m_EditorActual = 0;
    Brw_Propiedades(FgAsiento->Col());
}
