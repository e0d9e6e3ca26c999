#include "personalizados/GrillaPersonalizados.h"

#include "data/DB_Dll.h"
#include "outside/ado/Field.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/EditorGrilla.h"
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
    columnas_[0] = {"Campo", {}, "Campo", 0, false, false};
    columnas_[1] = {"Valor", {}, "Valor", 0, true, false};
    edicion_ = new vb::EditorGrilla(grilla_, editor_, this);
    edicion_->setColumnas(columnas_);
    auto& o = edicion_->opciones();
    o.rutina = "EditKeyCode";
    o.reportero = maker::gUtilidades().Reportero();
    o.ultimaFila = vb::EditorGrilla::UltimaFila::kQueda;
    // Enter in the value column goes down a row and stops at the last one.
    o.movimientoEnter = [this] {
        const int ultima = grilla_->Cols() - 1;
        if (grilla_->Col() != ultima) {
            grilla_->setCol(grilla_->Col() + 1);
        } else if (grilla_->Row() < grilla_->Rows() - 1) {
            grilla_->setRow(grilla_->Row() + 1);
            grilla_->setCol(1);
        }
    };
    connect(grilla_, &vb::FlexGrid::KeyPress, this, [this](int& k) { MSFlexGrid1_KeyPress(k); });
    connect(grilla_, &vb::FlexGrid::DblClick, this, [this] { MSFlexGrid1_DblClick(); });
    connect(grilla_, &vb::FlexGrid::GotFocus, this, [this] { MSFlexGrid1_GotFocus(); });
    connect(grilla_, &vb::FlexGrid::LeaveCell, this, [this] { MSFlexGrid1_LeaveCell(); });
    connect(editor_, &vb::CajaTexto::KeyDown, this, [this](int& k, int s) { TxtEdit_KeyDown(k, s); });
    connect(editor_, &vb::CajaTexto::KeyPress, this, [this](int& k) { TxtEdit_KeyPress(k); });
}

void GrillaPersonalizados::AsignarPersonalizados(const ado::RecordsetPtr& rs, bool conValores) {
    vb::ManejadorErrores h("AsignarPersonalizados", maker::gUtilidades().Reportero());
    numericas_.clear();
    // Refilling forgets an edit that was never committed.
    if (!h.paso([&] {
            edicion_->Inicializa(1);
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
    const bool conFila = conValores && campos > 0 && !rs->Bof() && !rs->Eof();
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
        if (grilla_->Rows() <= 1) return;
        grilla_->setFixedRows(1);
        grilla_->setRow(1);
        grilla_->setCol(1);
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
    // Every control key, Enter and Escape included, opens the editor on the cell's text.
    edicion_->Abre(KeyAscii >= 0 && KeyAscii <= 32 ? int(vb::vbKeySpace) : KeyAscii);
}

void GrillaPersonalizados::MSFlexGrid1_DblClick() {
    edicion_->Abre(vb::vbKeySpace);
}

void GrillaPersonalizados::Confirmar() {
    edicion_->Cierra();
}

bool GrillaPersonalizados::Editando() const {
    return edicion_->Editando();
}

void GrillaPersonalizados::EditKeyCode(int& KeyCode, int) {
    const int tecla = KeyCode;
    edicion_->TeclaEditor(tecla);
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
