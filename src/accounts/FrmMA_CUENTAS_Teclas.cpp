// Focus and keys of the code box and of the bound fields: colours, the lookup button, the
// description search on F5 and validation once per field however it is left. The code search and
// the re-punctuation of a code as it is typed are every code box's (CajasDeCodigo).
#include "accounts/EnlacesCuentas.h"
#include "accounts/FrmMA_CUENTAS.h"
#include "data/DB_Dll.h"
#include "outside/ado/TextoSql.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/Teclas.h"
#include "outside/controls/UtilVex.h"
#include "outside/maker/EnlaceControles.h"
#include "outside/maker/Utilidades.h"
#include "services/CNStuffContable.h"

namespace {

constexpr long kColorConFoco = 0xFFFF00;
constexpr long kColorSinFoco = 0xFFFFFF;

void Colorea(QWidget* w, long bgr) {
    w->setStyleSheet(QString("background-color: %1;").arg(vb::ColorDeVB(bgr).name()));
}

void SeleccionaTodo(vb::CajaTexto* caja) {
    caja->setSelection(0, int(caja->text().trimmed().size()));
}

}  // namespace

void FrmMA_CUENTAS::BotonConsulta(bool encendido) {
    UtilVex1->setEstado(0x6803000E, encendido);
}

bool FrmMA_CUENTAS::BotonConsultaEncendido() const {
    return UtilVex1->Estado(0x6803000E);
}

bool FrmMA_CUENTAS::CodigoYaAceptado(const vb::CajaTexto* caja) const {
    // A code typed again is the user asking for the account again (a companion window may have
    // changed the shared account meanwhile): it is validated afresh.
    if (codigoAceptado_.isEmpty() || codigoTecleado_ || !(Nuevo || Modificando) ||
        caja->DataField.compare("Codigo", Qt::CaseInsensitive) != 0)
        return false;
    return QString(caja->text()).remove('-').trimmed() == codigoAceptado_;
}

void FrmMA_CUENTAS::TxtCodigo_Change() {
    const int i = maker::gEnlaceControles().CampoEnlazado("Codigo", txtFields);
    if (i >= 0 && txtFields[i]->text() != TxtCodigo->text().trimmed())
        txtFields[i]->setText(TxtCodigo->text().trimmed());
}

void FrmMA_CUENTAS::TxtCodigo_GotFocus() {
    BotonConsulta(true);
    Colorea(TxtCodigo, kColorConFoco);
    if (BotonConsultaEncendido()) SeleccionaTodo(TxtCodigo);
}

void FrmMA_CUENTAS::TxtCodigo_KeyDown(int& KeyCode, int Shift) {
    (void)Shift;
    BusquedaCodigo2->Buscar = TxtCodigo->text();
    auto& enlace = maker::gEnlaceControles();
    if (enlace.TeclaSalida(KeyCode)) {
        enlace.MueveFoco(KeyCode, TxtCodigo);
        return;
    }
    if (KeyCode != vb::vbKeyF5) return;
    const int iDescripcion = enlace.CampoEnlazado("descripcion", txtFields);
    const QString descripcion = iDescripcion >= 0 ? txtFields[iDescripcion]->text() : QString();
    const QString elegido =
        EnlacesCuentas::ConsultaSearch(
            "MA_CUENTAS", "(DESCRIPCION LIKE " + ado::LiteralTexto(descripcion + "%") + ")", "CODIGO")
            .trimmed();
    // Nothing chosen: the code box stays as it was.
    if (elegido.isEmpty()) return;
    if (!DejaLaCuentaMostrada(elegido)) {
        VuelveALaCuentaMostrada(-1);
        return;
    }
    TxtCodigo->setText(elegido);
    Nuevo = false;
    Modificando = false;
    codigoAceptado_.clear();
    // The lookup's window had the keyboard, and the focus comes back to this one by its
    // activation, which leaves no box: the code is validated here, as leaving the box does.
    HuboError = false;
    ValidaCajaCodigo();
    if (!HuboError) enlace.MueveFoco(vb::vbKeyReturn, TxtCodigo);
}

void FrmMA_CUENTAS::TxtCodigo_LostFocus() {
    BotonConsulta(false);
    Colorea(TxtCodigo, kColorSinFoco);
    ValidaCajaCodigo();
}

void FrmMA_CUENTAS::ValidaCajaCodigo() {
    const int i = maker::gEnlaceControles().CampoEnlazado("Codigo", txtFields);
    if (i < 0) return;
    CampoActual = i;
    // An empty box has nothing to hand over: what the user erased there is gone from the code field
    // already, and the code above that a save leaves in the field stays.
    if (TxtCodigo->text().trimmed().isEmpty()) return;
    txtFields[i]->setText(TxtCodigo->text().trimmed());
    if (enValidacion_ > 0 || CodigoYaAceptado(txtFields[i])) return;
    validandoCaja_ = true;
    Campo_Valida(CampoActual, txtFields[i]);
    validandoCaja_ = false;
}

void FrmMA_CUENTAS::txtFields_GotFocus(int Index) {
    validacionPendiente_[Index] = true;
    CampoActual = Index;
    BotonConsulta(!txtFields[Index]->Tag.trimmed().isEmpty());
    Colorea(txtFields[Index], kColorConFoco);
    if (BotonConsultaEncendido()) SeleccionaTodo(txtFields[Index]);
}

void FrmMA_CUENTAS::txtFields_KeyDown(int Index, int& KeyCode, int Shift) {
    (void)Shift;
    vb::CajaTexto* caja = txtFields[Index];
    BusquedaCodigo1->Buscar = caja->text();
    if (Index == 1) TxtCodigo->setText(caja->text());
    auto& enlace = maker::gEnlaceControles();
    if (enlace.TeclaSalida(KeyCode)) {
        const int tecla = KeyCode;
        if (CodigoYaAceptado(caja))
            HuboError = false;
        else
            Campo_Valida(Index, caja);
        // A refused field stays pending: the user is still in it, and a click away validates it.
        validacionPendiente_[Index] = HuboError;
        if (!HuboError) enlace.MueveFoco(tecla, caja);
        // The key was used to leave the field.
        KeyCode = 0;
    }
    BotonConsulta(!caja->Tag.trimmed().isEmpty() && caja->hasFocus());
}

void FrmMA_CUENTAS::txtFields_KeyPress(int Index, int& KeyAscii) {
    (void)Index;
    (void)KeyAscii;
}

void FrmMA_CUENTAS::txtFields_LostFocus(int Index) {
    if (Index == 1) TxtCodigo->setText(txtFields[1]->text());
    Colorea(txtFields[Index], kColorSinFoco);
}

void FrmMA_CUENTAS::txtFields_Validate(int Index, bool& Cancel) {
    (void)Cancel;
    // The focus a refusal or the save's walk moves validates nothing more.
    if (!validacionPendiente_[Index] || enValidacion_ > 0 || Grabando) return;
    validacionPendiente_[Index] = false;
    if (CodigoYaAceptado(txtFields[Index])) return;
    Campo_Valida(Index, txtFields[Index]);
}
