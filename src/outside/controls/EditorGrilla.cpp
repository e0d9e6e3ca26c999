#include "outside/controls/EditorGrilla.h"

#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/Teclas.h"
#include "outside/maker/EnlaceControles.h"
#include "outside/runtime/Programa.h"

#include <QApplication>
#include <QFocusEvent>
#include <cmath>

namespace vb {

EditorGrilla::EditorGrilla(FlexGrid* grilla, CajaTexto* editor, QObject* parent)
    : QObject(parent), grilla_(grilla), editor_(editor), grillaViva_(grilla) {
    editor_->installEventFilter(this);
    // The right button over a cell belongs to the window (its lookup): no edit menu of the box.
    editor_->setContextMenuPolicy(Qt::PreventContextMenu);
    grilla_->setContextMenuPolicy(Qt::PreventContextMenu);
}

// Tab, a click or a shortcut that takes the focus away from the editor commits it; the grid
// itself commits through its own GotFocus, and a dialog or code taking the focus commits nothing.
bool EditorGrilla::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == editor_ && grillaViva_ && evento->type() == QEvent::FocusOut && pendiente_) {
        const Qt::FocusReason razon = static_cast<QFocusEvent*>(evento)->reason();
        const bool usuario = razon == Qt::TabFocusReason || razon == Qt::BacktabFocusReason ||
                             razon == Qt::MouseFocusReason || razon == Qt::ShortcutFocusReason;
        if (usuario && QApplication::focusWidget() != static_cast<QWidget*>(grilla_)) Cierra();
    }
    return QObject::eventFilter(objeto, evento);
}

const TipoColumnaGrilla* EditorGrilla::columna(int c) const {
    return (c >= 0 && c < int(columnas_.size())) ? &columnas_[size_t(c)] : nullptr;
}

bool EditorGrilla::Editando() const {
    return editor_->isVisible();
}

void EditorGrilla::Inicializa(int filas, int relleno) {
    editor_->hide();
    editor_->setText("");
    pendiente_ = false;
    grilla_->Clear();
    grilla_->setCols(int(columnas_.size()));
    grilla_->setRows(filas);
    grilla_->setCol(0);
    grilla_->setRow(0);
    grilla_->setFillStyle(relleno);
}

void EditorGrilla::Propiedades(double numero) {
    const auto* col = columna(int(std::lround(numero)));
    if (!col) return;
    editor_->DataField = col->Campo;
    editor_->setEnabled(col->Editable);
    editor_->setMaxLength(col->Ancho);
    editor_->Tag = col->TablaBusqueda;
}

void EditorGrilla::Abre(int KeyAscii) {
    FlexGrid* g = grilla_;
    const auto* col = columna(g->Col());
    if (!col) return;
    if (KeyAscii == 13) {
        if (!(col->Obligatorio && g->Text().trimmed().isEmpty())) {
            Mueve(vbKeyReturn);
            return;
        }
    } else if (KeyAscii == 27) {
        return;
    }
    if (!col->Editable) return;
    if (KeyAscii >= 0 && KeyAscii <= 32) {
        editor_->setText(g->Text());
        editor_->setSelStart(1000);
    } else {
        editor_->setText(QString(QChar(KeyAscii)));
        editor_->setSelStart(1);
    }
    // Over the cell wherever the editor lives: beside the grid, or inside it.
    QPoint celda(PixelesDeTwips(g->CellLeft()), PixelesDeTwips(g->CellTop()));
    if (QWidget* padre = editor_->parentWidget(); padre && padre != g)
        celda = padre->mapFrom(g->window(), g->mapTo(g->window(), celda));
    editor_->setGeometry(celda.x(), celda.y(), PixelesDeTwips(g->CellWidth()),
                         PixelesDeTwips(g->CellHeight()));
    Propiedades(g->Col());
    editor_->show();
    editor_->raise();
    pendiente_ = true;
    if (editor_->isEnabled()) editor_->setFocus();
    if (opciones_.filtraPrimeraTecla) maker::gEnlaceControles().FiltraTecla(editor_, KeyAscii);
}

void EditorGrilla::SiguienteFila() {
    FlexGrid* g = grilla_;
    if (g->Row() <= g->Rows() - 2) {
        g->setRow(g->Row() + 1);
        return;
    }
    if (g->Row() != g->Rows() - 1) return;
    switch (opciones_.ultimaFila) {
        case UltimaFila::kColumnaUno:
            g->setCol(1);
            break;
        case UltimaFila::kAgregaFila:
            g->AddItem("");
            g->setRow(g->Rows() - 1);
            g->setCol(1);
            break;
        case UltimaFila::kQueda:
            break;
    }
}

void EditorGrilla::Mueve(int KeyCode) {
    FlexGrid* g = grilla_;
    const Reportero reportero = opciones_.reportero;
    ManejadorErrores h(opciones_.rutina, [reportero](const ErrorVB& e, const QString& rutina) {
        if (e.Number == kArgumentoInvalido) return kRespuestaIgnorar;
        return reportero ? reportero(e, rutina) : 0;
    });
    if (KeyCode == vbKeyReturn || KeyCode == vbKeyDown) {
        if (!h.paso([&] { g->setFocus(); })) return;
        DoEvents();
        const bool propio = KeyCode == vbKeyReturn && opciones_.movimientoEnter;
        if (!h.paso([&] { propio ? opciones_.movimientoEnter() : SiguienteFila(); })) return;
    } else if (KeyCode == vbKeyUp) {
        if (!h.paso([&] { g->setFocus(); })) return;
        DoEvents();
        if (!h.paso([&] {
                if (g->Row() > g->FixedRows()) g->setRow(g->Row() - 1);
            }))
            return;
    } else if (KeyCode == vbKeyEscape) {
        // Hidden first, so that the grid's focus handler finds nothing to commit.
        pendiente_ = false;
        editor_->hide();
        if (!h.paso([&] { g->setFocus(); })) return;
    }
    // The current row is brought fully into view above the scroll bar, not just its top.
    h.paso([&] {
        const int fondo = TwipsDePixeles(g->viewport()->y() + g->viewport()->height());
        while (g->Row() > g->TopRow() && g->CellTop() + g->CellHeight() > fondo) {
            const int antes = g->TopRow();
            g->setTopRow(antes + 1);
            if (g->TopRow() == antes) break;
        }
    });
}

bool EditorGrilla::confirma(bool mostrar) {
    pendiente_ = false;
    grilla_->setText(editor_->text().trimmed());
    const bool ok = valida_ ? valida_(mostrar) : true;
    // A refused value stays in the editor, still to be committed.
    if (!ok) pendiente_ = true;
    return ok;
}

void EditorGrilla::TeclaEditor(int KeyCode) {
    if (!editor_->isVisible()) editor_->show();
    auto& enlace = maker::gEnlaceControles();
    if (!enlace.TeclaSalida(KeyCode)) return;
    if (KeyCode == vbKeyEscape) {
        Mueve(KeyCode);
        return;
    }
    int enter = 13;
    enlace.FiltraTecla(editor_, enter);
    if (confirma(true)) {
        Mueve(KeyCode);
        return;
    }
    // The refused value stays in view, selected: the next key typed replaces it.
    editor_->selectAll();
}

bool EditorGrilla::Cierra() {
    bool ok = true;
    if (pendiente_) ok = confirma(false);
    pendiente_ = false;
    editor_->setText("");
    // The keyboard goes back to the cell the editor lay over, not on to whatever control follows
    // the editor (an action, a lookup or a message may come before the user's next key).
    if (grillaViva_ && editor_->window()->focusWidget() == editor_) grilla_->setFocus(Qt::OtherFocusReason);
    editor_->hide();
    return ok;
}

}  // namespace vb
