#include "accounts/personalizados/GrillaPersonalizados.h"

#include "data/DB_Dll.h"
#include "outside/ado/Field.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/Teclas.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/ManejadorErrores.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"

namespace personalizados {

bool EsPersonalizado(const QString& nombreCampo) {
    return nombreCampo.left(2).compare(QStringLiteral("P_"), Qt::CaseInsensitive) == 0;
}

GrillaPersonalizados::GrillaPersonalizados(vb::FlexGrid* grilla, vb::CajaTexto* editor, Forma forma,
                                           QObject* parent)
    : QObject(parent), grilla_(grilla), editor_(editor), forma_(forma) {
    editor_->hide();
    connect(grilla_, &vb::FlexGrid::KeyPress, this, [this](int& k) { MSFlexGrid1_KeyPress(k); });
    connect(grilla_, &vb::FlexGrid::DblClick, this, [this] { MSFlexGrid1_DblClick(); });
    connect(grilla_, &vb::FlexGrid::GotFocus, this, [this] { MSFlexGrid1_GotFocus(); });
    connect(grilla_, &vb::FlexGrid::LeaveCell, this, [this] { MSFlexGrid1_LeaveCell(); });
    connect(editor_, &vb::CajaTexto::KeyDown, this, [this](int& k, int s) { TxtEdit_KeyDown(k, s); });
    connect(editor_, &vb::CajaTexto::KeyPress, this, [this](int& k) { TxtEdit_KeyPress(k); });
}

void GrillaPersonalizados::AsignarPersonalizados(const ado::RecordsetPtr& rs) {
    vb::ManejadorErrores h("AsignarPersonalizados", maker::gUtilidades().Reportero());
    // Refilling forgets an edit that was never committed.
    editor_->hide();
    numericas_.clear();
    if (!h.paso([&] {
            grilla_->setRows(1);
            if (grilla_->Cols() < 2) grilla_->setCols(2);
            if (forma_.fijaColumnas) grilla_->setFixedCols(1);
        }))
        return;
    if (!h.paso([&] {
            grilla_->setTextMatrix(0, 0, QStringLiteral("Campo"));
            grilla_->setTextMatrix(0, 1, QStringLiteral("Valor"));
        }))
        return;
    DB_Dll& db = CNStuffContable::gBaseDatos();
    const int campos = rs ? rs->fields().Count() : 0;
    const bool conFila = campos > 0 && !rs->Bof() && !rs->Eof();
    for (int i = 0; i < campos; ++i) {
        if (!h.paso([&] {
                ado::Field& f = rs->fields().Item(i);
                if (!EsPersonalizado(f.Name())) return;
                const int fila = grilla_->Rows();
                grilla_->setRows(fila + 1);
                numericas_.append(db.ADONumeric(f.Type()) || db.ADOCurrency(f.Type()));
                grilla_->setTextMatrix(fila, 0, vb::Trim(f.Name()));
                grilla_->setTextMatrix(
                    fila, 1, conFila ? vb::Trim(maker::gUtilidades().TextoCampo(f.Value())) : QString());
            }))
            return;
    }
    if (!h.paso([&] {
            grilla_->setColWidth(0, 2000);
            grilla_->setColWidth(1, forma_.anchoValor);
        }))
        return;
    h.paso([&] {
        if (grilla_->Rows() > 1) grilla_->setFixedRows(1);
    });
}

void GrillaPersonalizados::GrabarPersonalizados(const ado::RecordsetPtr& rs) {
    vb::ManejadorErrores h("GrabarPersonalizados", maker::gUtilidades().Reportero());
    if (grilla_->Rows() <= 1) return;
    for (int r = 1; r < grilla_->Rows(); ++r)
        if (!h.paso([&] {
                ado::Field& campo = rs->fields().Item(grilla_->TextMatrix(r, 0));
                const QString valor = grilla_->TextMatrix(r, 1);
                // A number left blank has no value; it is not a text the column refuses.
                if (filaNumerica(r) && valor.trimmed().isEmpty())
                    campo.setValue(QVariant(QMetaType::fromType<double>()));
                else
                    campo.setValue(valor);
            }))
            return;
}

void GrillaPersonalizados::MsflexGridEdt(int& KeyAscii) {
    if (KeyAscii > 32 || KeyAscii < 0) {
        editor_->setText(QString(QChar(KeyAscii)));
        editor_->setSelStart(1);
    } else {
        editor_->setText(grilla_->Text());
        editor_->setSelStart(1000);
    }
    // The editor lives on the grid's parent, as the grid's own geometry is given in it.
    editor_->setGeometry(vb::PixelesDeTwips(grilla_->Left() + grilla_->CellLeft()),
                         vb::PixelesDeTwips(grilla_->Top() + grilla_->CellTop()),
                         vb::PixelesDeTwips(grilla_->CellWidth()), vb::PixelesDeTwips(grilla_->CellHeight()));
    editor_->show();
    editor_->raise();
    editor_->setFocus();
}

void GrillaPersonalizados::MSFlexGrid1_DblClick() {
    int k = vb::vbKeySpace;
    MsflexGridEdt(k);
}

void GrillaPersonalizados::Confirmar() {
    if (!editor_->isVisible()) return;
    grilla_->setText(editor_->text());
    editor_->hide();
}

bool GrillaPersonalizados::Editando() const {
    return editor_->isVisible();
}

void GrillaPersonalizados::EditKeyCode(int& KeyCode, int) {
    vb::ManejadorErrores h("EditKeyCode", [](const vb::ErrorVB& e, const QString& rutina) {
        if (e.Number == vb::kArgumentoInvalido) return vb::kRespuestaIgnorar;
        int respuesta = 0;
        maker::gUtilidades().TrataError(e, rutina, respuesta);
        return respuesta;
    });
    auto alGrid = [&] {
        grilla_->setFocus();
        // Offscreen or in a hidden window the focus may not move: the commit must happen anyway.
        Confirmar();
    };
    switch (KeyCode) {
        case vb::vbKeyReturn:
            if (!h.paso(alGrid)) return;
            vb::DoEvents();
            h.paso([&] {
                const int ultima = grilla_->Cols() - 1;
                if (grilla_->Col() == ultima) {
                    if (grilla_->Row() < grilla_->Rows() - 1) {
                        grilla_->setRow(grilla_->Row() + 1);
                        grilla_->setCol(1);
                    }
                } else {
                    grilla_->setCol(grilla_->Col() + 1);
                }
            });
            break;
        case vb::vbKeyEscape:
            editor_->hide();
            h.paso([&] { grilla_->setFocus(); });
            break;
        case vb::vbKeyUp:
            if (!h.paso(alGrid)) return;
            vb::DoEvents();
            h.paso([&] {
                if (grilla_->Row() > grilla_->FixedRows()) grilla_->setRow(grilla_->Row() - 1);
            });
            break;
        case vb::vbKeyDown:
            if (!h.paso(alGrid)) return;
            vb::DoEvents();
            h.paso([&] {
                if (grilla_->Row() < grilla_->Rows() - 1) grilla_->setRow(grilla_->Row() + 1);
            });
            break;
        default:
            break;
    }
}

bool GrillaPersonalizados::filaNumerica(int fila) const {
    return fila >= 1 && fila <= numericas_.size() && numericas_[fila - 1];
}

void GrillaPersonalizados::TxtEdit_KeyPress(int& KeyAscii) {
    if (grilla_->Col() <= 0 || !filaNumerica(grilla_->Row())) return;
    if (KeyAscii != ',' && KeyAscii != '.') return;
    const QChar separador = vb::localeNumeros().decimalPoint().at(0);
    KeyAscii = separador.unicode();
    if (vb::Trim(editor_->text()).contains(separador)) KeyAscii = 0;
}

QList<QPair<QString, QString>> GrillaPersonalizados::Campos() const {
    QList<QPair<QString, QString>> l;
    for (int r = 1; r < grilla_->Rows(); ++r)
        l.append({grilla_->TextMatrix(r, 0), grilla_->TextMatrix(r, 1)});
    return l;
}

}  // namespace personalizados
