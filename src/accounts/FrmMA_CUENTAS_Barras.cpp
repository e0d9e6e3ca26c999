// The two toolbars: the main one (new, delete, save, list, lookup, report, close, cancel) with
// the chart report, and the side one that opens the companion windows of the current account.
#include "accounts/EnlacesCuentas.h"
#include "accounts/FrmMA_CUENTAS.h"
#include "data/DB_Dll.h"
#include "data/LecturasVigiladas.h"
#include "outside/controls/BarraBotones.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/Teclas.h"
#include "outside/maker/EnlaceControles.h"
#include "outside/maker/ReglasCuentas.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "outside/runtime/Procesos.h"
#include "services/CNStuffContable.h"

#include <QAction>
#include <QRadioButton>
#include <optional>

using CNStuffContable::gBaseDatos;
using CNStuffContable::gCuentaActual;

namespace {

// Caret after the trimmed description and the focus there.
void AlFinalDeDescripcion(vb::CajaTexto* caja) {
    caja->setSelStart(int(caja->text().trimmed().size()));
    caja->setFocus();
}

QString SinGuiones(const QString& texto) {
    return maker::gUtilidades().QuitaCaracter(texto, "-").trimmed();
}

// A code hidden from the user is answered as one that does not exist: nothing says it does.
void CuentaInexistente() {
    vb::MsgBox("La cuenta es inexistente", vb::vbInformation, "Aviso al operador...");
}

}  // namespace

bool FrmMA_CUENTAS::CuentaValidadaParaAccion() {
    HuboError = false;
    const int i = maker::gEnlaceControles().CampoEnlazado("Codigo", txtFields);
    if (i < 0) return false;
    vb::CajaTexto* campo = txtFields[i];
    // The code field being typed in speaks for the box, which follows it only once it is left.
    if (campo->hasFocus()) TxtCodigo->setText(campo->text());
    // An empty box acts on nothing, whatever the form still shows.
    if (SinGuiones(TxtCodigo->text()).isEmpty()) return false;
    ValidaCajaCodigo();
    if (HuboError) return false;
    return (Nuevo || Modificando) && !codigoAceptado_.isEmpty() &&
           SinGuiones(TxtCodigo->text()) == codigoAceptado_ && SinGuiones(campo->text()) == codigoAceptado_;
}

bool FrmMA_CUENTAS::RefusaCuentaOculta(vb::ManejadorErrores& h, const QString& codigo) {
    bool oculta = true;
    // A check that could not be answered refuses, as a hidden account would be.
    if (!h.paso([&] { oculta = CuentaOculta(codigo); })) {
        HuboError = true;
        return true;
    }
    if (oculta) {
        HuboError = true;
        // A check the operator gave up refuses too, without another word than its own.
        if (!LecturasVigiladas::Abandonada()) CuentaInexistente();
    }
    return oculta;
}

void FrmMA_CUENTAS::BorraCuentaMostrada(vb::ManejadorErrores& h) {
    // Only the account loaded, and the code in the box is that account.
    const bool cuenta = CuentaValidadaParaAccion();
    if (HuboError) return;
    if (!cuenta || !Modificando) {
        vb::MsgBox("Debe ingresar una cuenta existente para borrarla", vb::vbInformation,
                   "Aviso al operador...");
        return;
    }
    if (RefusaCuentaOculta(h, codigoAceptado_)) return;
    Nuevo = false;
    Borrando = true;
    Modificando = false;
    if (!h.paso([&] { GrabarCuenta(); })) return;
    // A delete that wrote nothing leaves the account loaded and the focus where it was.
    if (Modificando) return;
    h.paso([&] {
        AlFinalDeDescripcion(txtFields[0]);
        TxtCodigo->setFocus();
    });
}

bool FrmMA_CUENTAS::NivelesLeidos(vb::ManejadorErrores& h,
                                  std::optional<CNStuffContable::NivelesDeUnaAccion>& niveles) {
    // Every check and write of the action takes the same levels; levels that cannot be read stop
    // it, told once, before any check would refuse the code for them.
    if (h.paso([&] { niveles.emplace(); }) && niveles && niveles->Leidos()) return true;
    HuboError = true;
    return false;
}

// Over sixty lines: one short branch per toolbar action, kept together so the actions read side by side.
void FrmMA_CUENTAS::Utilvex1_Click(const QString& accion) {
    const QString clave = accion.trimmed().toUpper();
    vb::ManejadorErrores h("Utilvex1_Click", maker::gUtilidades().Reportero());
    std::optional<CNStuffContable::NivelesDeUnaAccion> niveles;
    // A save or a delete stops before it writes when a read it made was given up.
    LecturasVigiladas lecturas;
    if (clave == "NUEVO") {
        h.paso([&] { LimpiaPantalla(); }) && h.paso([&] {
            Nuevo = true;
            Borrando = false;
            Modificando = false;
            AlFinalDeDescripcion(txtFields[0]);
        });
    } else if (clave == "BORRAR") {
        if (!NivelesLeidos(h, niveles)) return;
        BorraCuentaMostrada(h);
    } else if (clave == "GRABAR") {
        if (!NivelesLeidos(h, niveles)) return;
        if (!CuentaValidadaParaAccion()) {
            // No code in the box: refused as the empty code it is, whatever the fields still hold.
            if (!HuboError && SinGuiones(TxtCodigo->text()).isEmpty())
                Refusa(-1, "La cuenta Ingresada no es correcta verifique la cantidad de Digitos");
            return;
        }
        // A new code that an account hidden from the user holds is refused as no account at all.
        if (RefusaCuentaOculta(h, codigoAceptado_)) return;
        Grabando = true;
        h.paso([&] {
            if (ValidaCampos()) {
                CargandoDatos = false;
                GrabarCuenta();
            }
        });
        // Cleared on every way out.
        Grabando = false;
        // A refused field keeps the focus: moving it would validate the field again.
        if (HuboError) return;
        // The account handed to the additional data waits in the code box; otherwise the
        // description takes the next account.
        h.paso([&] {
            if (entregadaAdicionales_)
                TxtCodigo->setFocus();
            else
                AlFinalDeDescripcion(txtFields[0]);
        });
    } else if (clave == "PLANILLA") {
        CuentaValidadaParaAccion();
        if (HuboError) return;
        h.paso([&] {
            EnlacesCuentas::VisorConsulta("SELECT CODIGO,DV,DESCRIPCION,TITULO,AJUSTE,INDICE,BLOQUEO FROM " +
                                              TablaActual + " WHERE (DADA_DE_BAJA = 0) ORDER BY CODIGO",
                                          gBaseDatos().gConnString, "Plan General de Cuentas");
        });
    } else if (clave == "CONSULTAR") {
        h.paso([&] {
            if (CampoActual == 0) {
                int tecla = vb::vbKeyF5;
                TxtCodigo_KeyDown(tecla, 0);
            } else {
                Consultar();
            }
        });
    } else if (clave == "REPORTE") {
        CuentaValidadaParaAccion();
        if (HuboError) return;
        h.paso([&] { LlamarReporte("Rp_PlanCtas"); });
    } else if (clave == "CERRAR") {
        int cancelar = 0;
        Form_Unload(cancelar);
    } else if (clave == "CANCELAR") {
        if (CargandoDatos && !ConfirmaAbandono()) return;
        CargandoDatos = false;
        h.paso([&] { LimpiaPantalla(); }) && h.paso([&] { Generar(TablaActual); }) && h.paso([&] {
            AlFinalDeDescripcion(txtFields[0]);
            TxtCodigo->setFocus();
        });
    }
}

void FrmMA_CUENTAS::LlamarReporte(const QString& Reporte) {
    try {
        if (Reporte.trimmed().isEmpty()) return;
        // The suite's request, the logged user with it, so that the paper hides what the screen hides.
        const QString parametros = CNStuffContable::ParametrosReporte(Reporte);
        const QString programa = CNStuffContable::RutaProgramaHermano("QT742R.EXE");
        if (programa.isEmpty()) {
            vb::MsgBox(
                "Error de integridad en los Archivos del sistema (QT742R), copie este mensaje y comuniquese "
                "con su proveedor de software",
                vb::vbCritical, "Aviso al operador");
            return;
        }
        // The path goes as the program, not inside a command line: a blank in it needs no quotes.
        vb::Shell(programa, {parametros}, 1);
    } catch (const vb::ErrorVB&) {
    }
}

QString FrmMA_CUENTAS::CuentaDeLaAccion() {
    return CuentaValidadaParaAccion() ? codigoAceptado_ : QString();
}

void FrmMA_CUENTAS::ActualizaBotonCentros() {
    Tbar->Buttons(4)->setEnabled(!codigoAceptado_.isEmpty() && (Nuevo || Modificando) &&
                                 OptTipoCuenta[0]->isChecked());
}

// Every action on an account takes the one the form shows and validated, never the shared current
// account, which a companion window may have changed meanwhile; a companion gets it at its opening.
void FrmMA_CUENTAS::Tbar_ButtonClick(QAction* Button) {
    if (!Button) return;
    vb::ManejadorErrores h("ButtonClick", maker::gUtilidades().Reportero());
    const QString texto = Button->text();
    auto es = [&](const char* t) { return texto.compare(QString::fromUtf8(t), Qt::CaseInsensitive) == 0; };

    if (es("Actualizar Jerarquías de cuentas")) {
        h.paso([&] { ArmarTreeVAutomatico(" "); });
    } else if (es("Datos Adicionales")) {
        const QString cuenta = CuentaDeLaAccion();
        if (HuboError) return;
        if (!Modificando) {
            vb::MsgBox("Para asignar datos adicionales a esta cuenta debe primero grabarla", vb::vbCritical,
                       "Aviso al Operador!!!");
            return;
        }
        if (!cuenta.isEmpty())
            h.paso([&] { EnlacesCuentas::MuestraFormulario("frmMA_CUENTASADIC", cuenta); });
    } else if (es("Manual de Cuentas")) {
        const QString cuenta = CuentaDeLaAccion();
        if (HuboError) return;
        // A new code typed here opens the manual empty, unless an account hidden from the user holds it.
        if (RefusaCuentaOculta(h, cuenta)) return;
        h.paso([&] { EnlacesCuentas::MuestraFormulario("frmMa_ManualCuentas", cuenta); });
    } else if (es("Centros de costos")) {
        const QString cuenta = CuentaDeLaAccion();
        if (HuboError || cuenta.isEmpty()) return;
        // A new code may get its distribution before it is saved, but not one held by a hidden account.
        if (RefusaCuentaOculta(h, cuenta)) return;
        // The opener sets the form's Menu flag to False before it shows it.
        h.paso([&] { EnlacesCuentas::MuestraFormulario("Frmta_asigccosto", cuenta); });
    } else if (es("Jerarquías de cuentas")) {
        h.paso([&] { Reglas().JerarquiasCuentas(); });
    } else if (es("Adjuntar Jerarquías ")) {
        h.paso([&] { Treev_Estado(Tbar->Value(6) != 0); });
    } else if (es("Actualizar Cash Flow")) {
        const QString cuenta = CuentaDeLaAccion();
        if (HuboError || cuenta.isEmpty()) return;
        bool existe = false;
        if (!h.paso(
                [&] { existe = gBaseDatos().ExisteEnTabla("ma_cuentas", cuenta, "codigo", 8, "", true); }))
            return;
        if (existe) {
            if (vb::MsgBox("¿Desea actualizar la estructura de Cash-Flow?", vb::vbYesNo | vb::vbQuestion) ==
                vb::vbYes)
                h.paso([&] { Reglas().ActualizaCashFlow(cuenta); });
        } else {
            vb::MsgBox("La cuenta " + cuenta + " no existe en el Plan General de Cuentas" + "\r" +
                           "Ingrese una cuenta nueva e intentelo de nuevo",
                       vb::vbCritical, "Aviso al Operador...");
            gCuentaActual.clear();
        }
    }
}
