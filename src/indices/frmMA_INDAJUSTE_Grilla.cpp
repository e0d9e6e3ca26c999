// The month grid and its cell editor.
#include "indices/frmMA_INDAJUSTE.h"

#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/Teclas.h"
#include "outside/maker/EnlaceControles.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/ManejadorErrores.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"
#include "services/LBM_Common.h"

#include <QLabel>
#include <cmath>

namespace {
constexpr long kCian = 0xFFFF00;
}

void frmMA_INDAJUSTE::MsFlex_Inicializa(int Filas) {
    BrwTxt[0]->hide();
    BrwTxt[0]->setText("");
    m_EdicionPendiente = false;
    m_EditorActual = 0;

    m_Col[0] = {"Mes", "", "Mes", 12, false, false};
    const char* importes[] = {"IMPORTE1", "IMPORTE2", "IMPORTE3", "IMPORTE4"};
    const char* indices[] = {"Indice1", "Indice2", "Indice3", "Indice4"};
    for (int k = 0; k < 4; ++k) {
        m_Col[1 + 2 * k] = {
            CNStuffContable::Cfg(QString("NOMBRE_INDICE%1").arg(k + 1)), "", importes[k], 0, true, false};
        m_Col[2 + 2 * k] = {"Coef.", "", indices[k], 0, false, false};
    }

    auto* g = FgAsiento;
    g->Clear();
    g->setCols(int(m_Col.size()));
    g->setRows(Filas);
    g->setCol(0);
    g->setRow(0);
    g->setFillStyle(vb::flexFillSingle);
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
    const int c = int(std::lround(columna));
    if (c < 0 || c >= int(m_Col.size())) return;
    auto* editor = BrwTxt[m_EditorActual];
    editor->DataField = m_Col[c].Campo;
    editor->setEnabled(m_Col[c].Editable);
    editor->setMaxLength(m_Col[c].Ancho);
    editor->Tag = m_Col[c].TablaBusqueda;
}

void frmMA_INDAJUSTE::MsflexGridEdt(vb::FlexGrid* grid, vb::CajaTexto* editor, int KeyAscii) {
    const int c = grid->Col();
    if (c < 0 || c >= int(m_Col.size())) return;
    if (KeyAscii == 13) {
        if (!(m_Col[c].Obligatorio && grid->Text().trimmed().isEmpty())) {
            MSFlex_EditKeyCode(grid, editor, 13, 0);
            return;
        }
    } else if (KeyAscii == 27) {
        return;
    }
    if (!m_Col[c].Editable) return;
    if (KeyAscii >= 0 && KeyAscii <= 32) {
        editor->setText(grid->Text());
        editor->setSelStart(1000);
    } else {
        editor->setText(QString(QChar(KeyAscii)));
        editor->setSelStart(1);
    }
    editor->setGeometry(vb::PixelesDeTwips(grid->Left() + grid->CellLeft()),
                        vb::PixelesDeTwips(grid->Top() + grid->CellTop()),
                        vb::PixelesDeTwips(grid->CellWidth()), vb::PixelesDeTwips(grid->CellHeight()));
    Brw_Propiedades(grid->Col());
    editor->show();
    editor->raise();
    m_EdicionPendiente = true;
    if (editor->isEnabled()) editor->setFocus();
    maker::gEnlaceControles().FiltraTecla(editor, KeyAscii);
}

void frmMA_INDAJUSTE::MSFlex_EditKeyCode(vb::FlexGrid* grid, vb::CajaTexto* editor, int KeyCode, int) {
    vb::ManejadorErrores h("MsFlex_EditKeyCode", [](const vb::ErrorVB& e, const QString& rutina) {
        if (e.Number == vb::kArgumentoInvalido) return vb::kRespuestaIgnorar;
        int respuesta = 0;
        maker::gUtilidades().TrataError(e, rutina, respuesta);
        return respuesta;
    });
    if (KeyCode == vb::vbKeyReturn || KeyCode == vb::vbKeyDown) {
        if (!h.paso([&] { grid->setFocus(); })) return;
        vb::DoEvents();
        if (!h.paso([&] {
                if (grid->Row() <= grid->Rows() - 2)
                    grid->setRow(grid->Row() + 1);
                else if (grid->Row() == grid->Rows() - 1)
                    grid->setCol(1);
            }))
            return;
    } else if (KeyCode == vb::vbKeyUp) {
        if (!h.paso([&] { grid->setFocus(); })) return;
        vb::DoEvents();
        if (!h.paso([&] {
                if (grid->Row() > grid->FixedRows()) grid->setRow(grid->Row() - 1);
            }))
            return;
    } else if (KeyCode == vb::vbKeyEscape) {
        // Escape cancels: the editor's text never reaches the cell.
        m_EdicionPendiente = false;
        editor->hide();
        if (!h.paso([&] { grid->setFocus(); })) return;
    }
    h.paso([&] {
        if (grid->Height() < grid->CellTop() + grid->CellHeight()) grid->setTopRow(grid->TopRow() + 1);
    });
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
    if (BrwTxt[0]->isVisible()) CierraEditor();
}

// A text still in the editor is committed like any other, so that what is shown is saved.
void frmMA_INDAJUSTE::CierraEditor() {
    if (m_EdicionPendiente) {
        FgAsiento->setText(BrwTxt[0]->text());
        int indice = 0;
        Campo_Valida(BrwTxt[0], indice, false);
    }
    BrwTxt[0]->setText("");
    BrwTxt[0]->hide();
}

void frmMA_INDAJUSTE::FgAsiento_LeaveCell() {
    if (!BrwTxt[0]->isVisible()) return;
    lblLabels[1]->setText("");
    CierraEditor();
}

void frmMA_INDAJUSTE::FgAsiento_Scroll() {
    if (BrwTxt[0]->isVisible()) MSFlex_EditKeyCode(FgAsiento, BrwTxt[0], vb::vbKeyReturn, 0);
}

void frmMA_INDAJUSTE::BrwTxt_KeyPress(int Index, int& KeyAscii) {
    maker::gEnlaceControles().FiltraTecla(BrwTxt[Index], KeyAscii);
    KeyAscii = LBM_Common::ConvierteMayuscula(KeyAscii);
}

void frmMA_INDAJUSTE::BrwTxt_KeyDown(int Index, int& KeyCode, int Shift) {
    auto* editor = BrwTxt[m_EditorActual];
    if (!editor->isVisible()) editor->show();
    auto& enlace = maker::gEnlaceControles();
    if (!enlace.TeclaSalida(KeyCode)) return;
    if (KeyCode == vb::vbKeyEscape) {
        MSFlex_EditKeyCode(FgAsiento, BrwTxt[0], KeyCode, Shift);
        return;
    }
    int enter = 13;
    enlace.FiltraTecla(BrwTxt[Index], enter);
    Campo_Valida(BrwTxt[Index], Index, true);
    if (!m_Error) MSFlex_EditKeyCode(FgAsiento, BrwTxt[0], KeyCode, Shift);
}

void frmMA_INDAJUSTE::BrwTxt_Click(int) {
    Brw_Propiedades(FgAsiento->Col());
}

void frmMA_INDAJUSTE::BrwTxt_GotFocus(int) {
    m_EditorActual = 0;
    Brw_Propiedades(FgAsiento->Col());
}
