// How the account type, the check boxes, the lists and the code searches react as the user
// edits; the form's own key handling. None of them writes the database.
#include "accounts/FrmMA_CUENTAS.h"
#include "lookup/CajasDeCodigo.h"
#include "outside/controls/BarraBotones.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/Teclas.h"
#include "outside/controls/UtilVex.h"
#include "outside/maker/EnlaceControles.h"
#include "outside/maker/ReglasCuentas.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/ManejadorErrores.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QTreeWidget>

namespace {

void SiNo(QCheckBox* c) {
    c->setText(c->isChecked() ? "SI" : "NO");
}

// Any error of these statements is ignored and the next one runs.
void Ignorando(const std::function<void()>& f) {
    try {
        f();
    } catch (const vb::ErrorVB&) {
    }
}

}  // namespace

void FrmMA_CUENTAS::CHKAjustable_Click() {
    SiNo(CHKAjustable);
    CmbIndices->setVisible(CHKAjustable->isChecked());
}

void FrmMA_CUENTAS::ChkCyB_Click() {
    SiNo(ChkCyB);
    CmbMoneda->setEnabled(ChkCyB->isChecked());
    CmbMP->setEnabled(true);
}

void FrmMA_CUENTAS::ChkVto_Click() {
    SiNo(ChkVto);
}

void FrmMA_CUENTAS::ChkBdu_Click() {
    SiNo(ChkBdu);
}

void FrmMA_CUENTAS::ChkBloqueo_Click() {
    SiNo(ChkBloqueo);
}

void FrmMA_CUENTAS::OptTipoCuenta_Click(int Index) {
    vb::ManejadorErrores h("OptTipoCuenta", maker::gUtilidades().Reportero());
    if (Index == 0) {
        h.paso([&] {
            CHKAjustable->setEnabled(true);
            ChkBloqueo->setEnabled(true);
            ChkBdu->setEnabled(true);
            CmbIndices->setVisible(CHKAjustable->isChecked());
        }) &&
            h.paso([&] { LblDV->setText(QString::number(Reglas().DigitoVerificador(CodigoCuenta))); }) &&
            h.paso([&] {
                ActualizaBotonCentros();
                for (QRadioButton* o : optLibros) o->setEnabled(true);
                chkCCostos->setEnabled(chkCCostos->property("Tag").toString().isEmpty());
            });
    } else if (Index == 1) {
        h.paso([&] {
            CHKAjustable->setChecked(false);
            CHKAjustable->setEnabled(false);
            ChkBloqueo->setEnabled(false);
            ChkBdu->setEnabled(false);
            if (CmbIndices->count() > 0) CmbIndices->setCurrentIndex(0);
            CmbIndices->setVisible(false);
            LblDV->setText("0");
            ActualizaBotonCentros();
            for (QRadioButton* o : optLibros) o->setEnabled(false);
            chkCCostos->setEnabled(false);
            chkCCostos->setChecked(false);
        });
    }
}

void FrmMA_CUENTAS::CmbMP_Click() {
    const int i = CmbMP->currentIndex();
    CmbMoneda->setVisible(i != 0);
    if (i == 4) lblCodTarjetaConcAuto->setText("Código para conciliación automática: (Datanet)");
    if (i == 3) lblCodTarjetaConcAuto->setText("Código para conciliación automática: (Tarjetas)");
    if (i == 11) lblCodTarjetaConcAuto->clear();
    const bool tarjeta = i == 3 || i == 4 || i == 11;
    chkTarjeta->setVisible(tarjeta);
    lblCodTarjetaConcAuto->setVisible(tarjeta);
    const int campo = maker::gEnlaceControles().CampoEnlazado("CodTarjeta_ConcAuto", txtFields);
    if (campo >= 0) txtFields[campo]->setVisible(tarjeta);
}

void FrmMA_CUENTAS::CmbMP_KeyDown(int& KeyCode, int Shift) {
    (void)KeyCode;
    (void)Shift;
    CmbMoneda->setVisible(CmbMP->currentIndex() != 0);
}

void FrmMA_CUENTAS::CmbMP_KeyPress(int& KeyAscii) {
    KeyAscii = 0;
}

void FrmMA_CUENTAS::CmbIndices_KeyPress(int& KeyAscii) {
    if (KeyAscii == vb::vbKeyReturn) focusNextChild();
    KeyAscii = 0;
}

void FrmMA_CUENTAS::Combo1_KeyPress(int& KeyAscii) {
    if (KeyAscii != vb::vbKeyReturn) return;
    Ignorando([&] {
        if (!txtFields[1]->isEnabled()) txtFields[1]->setEnabled(true);
        txtFields[1]->setFocus();
    });
}

void FrmMA_CUENTAS::Combo1_LostFocus() {
    if (!Modificando) IdentificaCuenta();
}

void FrmMA_CUENTAS::Form_KeyDown(int& KeyCode, int Shift) {
    (void)Shift;
    if (BusquedaCodigo1->isHidden()) {
        // The code box handles F5 itself: the toolbar must not act on it a second time.
        if (KeyCode == vb::vbKeyF5 && QApplication::focusWidget() == TxtCodigo) return;
        // The lookup key over the code box's search looks up the code typed there; the toolbar's
        // other keys reach the window only once the search gave the code back (CajasDeCodigo).
        if (KeyCode == vb::vbKeyF5) codigos_->Devuelve();
        if (UtilVex1->ProcesaTecla(KeyCode)) KeyCode = 0;
        return;
    }
    if (KeyCode == vb::vbKeyF5) {
        // The code the search holds goes to the field, and the toolbar looks it up.
        const QString codigo = BusquedaCodigo1->CodigoActual();
        if (CampoActual >= 0 && CampoActual < txtFields.size()) txtFields[CampoActual]->setText(codigo);
        if (UtilVex1->ProcesaTecla(KeyCode)) KeyCode = 0;
    }
}

bool FrmMA_CUENTAS::FocoEnBusqueda() const {
    const QWidget* foco = QApplication::focusWidget();
    return foco && (BusquedaCodigo1->isAncestorOf(foco) || BusquedaCodigo2->isAncestorOf(foco) ||
                    foco == BusquedaCodigo1 || foco == BusquedaCodigo2);
}

// Over sixty lines: the one place that routes keys and focus moves to the form's handlers, in the
// order a user's key or move reaches them.
bool FrmMA_CUENTAS::eventFilter(QObject* objeto, QEvent* evento) {
    const auto tipo = evento->type();
    auto* w = qobject_cast<QWidget*>(objeto);
    if (!w || w->window() != this) return QWidget::eventFilter(objeto, evento);
    auto* caja = qobject_cast<vb::CajaTexto*>(w);
    const int indice = caja ? int(txtFields.indexOf(caja)) : -1;

    // A key that its control leaves unused comes back through the parents: it is seen once.
    if (tipo == QEvent::KeyPress && w == QApplication::focusWidget()) {
        auto* k = static_cast<QKeyEvent*>(evento);
        int codigo = vb::CodigoTeclaVB(k);
        const int shift = vb::EstadoShift(k->modifiers());
        if (codigo != 0) {
            Form_KeyDown(codigo, shift);
            if (codigo == 0) return true;
        }
        if (w == CmbMP && codigo != 0) CmbMP_KeyDown(codigo, shift);
        int ascii = vb::CodigoAsciiVB(k);
        // Tab moves between the controls: no list's handler takes it as a typed key.
        if (ascii != 0 && codigo != vb::vbKeyTab) {
            if (w == CmbMP) CmbMP_KeyPress(ascii);
            if (w == CmbIndices) CmbIndices_KeyPress(ascii);
            if (w == Combo1) Combo1_KeyPress(ascii);
            if (ascii == 0) return true;
        }
    } else if (tipo == QEvent::FocusIn || tipo == QEvent::FocusOut) {
        // A dialog or a popup taking the focus for a while is no move between the form's controls.
        const auto razon = static_cast<QFocusEvent*>(evento)->reason();
        if (razon == Qt::ActiveWindowFocusReason || razon == Qt::PopupFocusReason)
            return QWidget::eventFilter(objeto, evento);
        if (habilitando_) {
            // Opening or closing the fields moves the focus without a visit: only its colour follows.
            if (w == TxtCodigo || indice >= 0)
                w->setStyleSheet(tipo == QEvent::FocusIn ? QStringLiteral("background-color: #00ffff;")
                                                         : QStringLiteral("background-color: #ffffff;"));
            return QWidget::eventFilter(objeto, evento);
        }
        if (tipo == QEvent::FocusIn) {
            if (w == TxtCodigo) TxtCodigo_GotFocus();
            if (indice >= 0) txtFields_GotFocus(indice);
        } else if (!FocoEnBusqueda()) {
            if (indice >= 0) {
                bool cancelar = false;
                txtFields_Validate(indice, cancelar);
                txtFields_LostFocus(indice);
            }
            if (w == TxtCodigo) TxtCodigo_LostFocus();
            if (w == Combo1) Combo1_LostFocus();
        }
    }
    return QWidget::eventFilter(objeto, evento);
}
