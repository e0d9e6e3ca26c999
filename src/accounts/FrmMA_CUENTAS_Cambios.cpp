// Two users on one account: the account as it was shown is remembered, so that a save writes only
// the columns this user changed, and only while the stored value is still the one shown. A value
// someone else changed meanwhile is never overwritten without a word.
#include "accounts/FrmMA_CUENTAS.h"
#include "accounts/ValoresCuenta.h"
#include "data/DB_Dll.h"
#include "outside/ado/Field.h"
#include "outside/ado/Recordset.h"
#include "outside/ado/TextoSql.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "personalizados/GrillaPersonalizados.h"
#include "services/CNStuffContable.h"

#include <QComboBox>
#include <QRadioButton>

namespace {

// What the operator reads for a column of the row.
const QHash<QString, QString>& Rotulos() {
    static const QHash<QString, QString> rotulos{
        {"DESCRIPCION", "Descripción"},
        {"CODIGOOPCIONAL", "Código Opcional"},
        {"CUENTAPRINCIPAL", "Cuenta Relacionada"},
        {"CODTARJETA_CONCAUTO", "Código de Tarjeta"},
        {"TITULO", "Tipo de Cuenta"},
        {"AJUSTE", "Ajustable"},
        {"INDICE", "Índice"},
        {"BLOQUEO", "Bloqueada"},
        {"DV", "Dígito Verificador"},
        {"BIENES", "Bienes de Uso"},
        {"DADA_DE_BAJA", "Dada de Baja"},
        {"LIBRO_IVA_COMPRAS", "Libros de I.V.A."},
        {"LIBRO_IVA_VENTAS", "Libros de I.V.A."},
        {"PIDEVENCIMIENTO", "Pide Vencimiento"},
        {"MEDIODEPAGO", "Medio de Pago"},
        {"NOPIDEDATOSTARJETA", "No pide datos de la tarjeta"},
        {"TIPOVISTA", "Tipo de Vista"},
        {"USACCOSTOS", "Usa Centros de Costos"},
        {"CAJAYBANCO", "Caja y Bancos"},
        {"MONEDA", "Moneda"},
        {"MANUAL", "Se debita por"},
        {"MANUAL_HABER", "Se acredita por"},
    };
    return rotulos;
}

GrabacionOptimista::Origen Cuenta(const QString& codigo) {
    return {"la cuenta " + codigo,
            "MA_CUENTAS",
            "CODIGO = " + ado::LiteralTexto(codigo),
            {},
            "DADA_DE_BAJA",
            {},
            Rotulos()};
}

}  // namespace

void FrmMA_CUENTAS::RecuerdaCuentaMostrada() {
    using CNStuffContable::gCamposValores;
    abandonoAceptado_ = false;
    mostrada_.Olvida();
    codigoMostrado_.clear();
    if (!rsCuentas || rsCuentas->Bof() || rsCuentas->Eof()) return;
    auto& u = maker::gUtilidades();
    const QString codigo = vb::Trim(u.TextoCampo(rsCuentas->valor("CODIGO")));
    // The pairs the save would build from the form as shown; the view type as stored. Whatever goes
    // wrong leaves no account remembered: the save then writes every column over the stored row.
    vb::ManejadorErrores h("RecuerdaCuentaMostrada", [](const vb::ErrorVB&, const QString&) { return 0; });
    QString tipoVista = vb::Trim(u.TextoCampo(rsCuentas->valor("TIPOVISTA")));
    const bool armados =
        ArmaPares(h, OptTipoCuenta[1]->isChecked(), CmbMP->currentIndex(), tipoVista, false, false);
    QHash<QString, QString> pares;
    for (const CNStuffContable::CampoValor& c : gCamposValores)
        if (!c.Campo.isEmpty()) pares.insert(c.Campo.toUpper(), c.Valor);
    gCamposValores.clear();
    if (!armados || codigo.isEmpty()) return;
    mostrada_ = GrabacionOptimista(Cuenta(codigo));
    mostrada_.RecuerdaFila(rsCuentas);
    mostrada_.RecuerdaEnPantalla(pares);
    codigoMostrado_ = codigo;
}

void FrmMA_CUENTAS::RecuerdaCuentaNueva(const QString& codigo) {
    abandonoAceptado_ = false;
    mostrada_ = GrabacionOptimista(Cuenta(codigo));
    mostrada_.RecuerdaNuevo();
    codigoMostrado_ = codigo;
}

void FrmMA_CUENTAS::VaciaPersonalizados() {
    abandonoAceptado_ = false;
    mostrada_.Olvida();
    codigoMostrado_.clear();
    EnlazaArbolYGrilla();
    ado::RecordsetPtr rs = rsCuentas;
    // Before the form's recordset exists the fields are read from a statement with no row.
    if (!rs || rs->fields().Count() == 0) {
        vb::ManejadorErrores h("VaciaPersonalizados", [](const vb::ErrorVB&, const QString&) { return 0; });
        h.paso([&] {
            DB_Dll& db = CNStuffContable::gBaseDatos();
            QString sql = "SELECT * FROM MA_CUENTAS WHERE 1 = 0";
            rs.reset();
            db.AbrirRecordset(sql, rs, db.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
        });
    }
    Personalizados().AsignarPersonalizados(rs, false);
}

bool FrmMA_CUENTAS::CambiosSinGuardar() {
    using CNStuffContable::gCamposValores;
    if (Grabando || abandonoAceptado_ || !Modificando || !mostrada_.Recordado() || mostrada_.EsNuevo() ||
        codigoMostrado_.isEmpty())
        return false;
    // The pairs the save would build now, against the ones built when the account was shown.
    vb::ManejadorErrores h("CambiosSinGuardar", [](const vb::ErrorVB&, const QString&) { return 0; });
    QString tipoVista = vb::Trim(maker::gUtilidades().TextoCampo(mostrada_.Mostrado("TIPOVISTA")));
    const QList<CNStuffContable::CampoValor> previos = gCamposValores;
    gCamposValores.clear();
    const bool armados =
        ArmaPares(h, OptTipoCuenta[1]->isChecked(), CmbMP->currentIndex(), tipoVista, false, false);
    QHash<QString, QString> ahora;
    for (const CNStuffContable::CampoValor& c : gCamposValores)
        if (!c.Campo.isEmpty()) ahora.insert(c.Campo.toUpper(), c.Valor);
    gCamposValores = previos;
    // What cannot be read back may hold a change: the user is asked rather than lose it.
    if (!armados) return true;
    ahora.remove("CODIGO");
    ahora.remove("DV");
    return !mostrada_.Cambiados(ahora).isEmpty();
}

bool FrmMA_CUENTAS::ConfirmaAbandono() {
    return vb::MsgBox("¿Está seguro de abandonar la carga de datos?",
                      vb::vbYesNo | vb::vbExclamation | vb::vbDefaultButton2, "Atención!!!") == vb::vbYes;
}

bool FrmMA_CUENTAS::DejaLaCuentaMostrada(const QString& otro) {
    if (QString(otro).remove('-').trimmed() == codigoMostrado_ || !CambiosSinGuardar()) return true;
    if (!ConfirmaAbandono()) return false;
    abandonoAceptado_ = true;
    return true;
}

void FrmMA_CUENTAS::VuelveALaCuentaMostrada(int Index) {
    HuboError = true;
    codigoTecleado_ = false;
    CodigoCuenta = codigoMostrado_;
    // As the load shows it.
    const QString codigo = CNStuffContable::FormateaCuenta(codigoMostrado_);
    TxtCodigo->setText(codigo);
    const bool campo = Index >= 0 && Index < txtFields.size();
    if (campo) txtFields[Index]->setText(codigo);
    // The code put back opens no search over the box.
    BusquedaCodigo1->hide();
    BusquedaCodigo2->hide();
    if (campo && !validandoCaja_ && txtFields[Index]->isEnabled())
        txtFields[Index]->setFocus();
    else
        TxtCodigo->setFocus();
}

QList<QPair<QString, QString>> FrmMA_CUENTAS::ParesCambiados(const Grabacion& g) const {
    // No account remembered: every column, as the form holds it.
    if (!mostrada_.Recordado() || mostrada_.EsNuevo() || codigoMostrado_ != g.codigo) return g.pares;
    QHash<QString, QString> ahora;
    for (const auto& par : g.pares) ahora.insert(par.first.toUpper(), par.second);
    const QStringList cambiados = mostrada_.Cambiados(ahora);
    // An account taken back into use is no longer dada de baja.
    const bool reutilizada = CuentasValores::EsVerdadero(mostrada_.Mostrado("DADA_DE_BAJA"));
    QList<QPair<QString, QString>> r;
    for (const auto& par : g.pares) {
        const QString clave = par.first.toUpper();
        if (cambiados.contains(clave) || (clave == "DADA_DE_BAJA" && reutilizada)) r.append(par);
    }
    return r;
}

bool FrmMA_CUENTAS::SinCambiosAjenos(vb::ManejadorErrores& h, Grabacion& g,
                                     const QList<QPair<QString, QString>>& pares) {
    QStringList columnas;
    for (const auto& par : pares) columnas << par.first;
    GrabacionOptimista::Veredicto v;
    GrabacionOptimista* cuenta = &mostrada_;
    // Nothing remembered for this code: the row as stored now is what the save writes over.
    GrabacionOptimista ahora(Cuenta(g.codigo));
    if (!mostrada_.Recordado() || codigoMostrado_ != g.codigo) {
        cuenta = &ahora;
        if (!h.paso([&] {
                if (Nuevo && !Borrando)
                    ahora.RecuerdaNuevo();
                else
                    ahora.RecuerdaGuardado();
            }))
            return false;
        if ((!Nuevo || Borrando) && ahora.EsNuevo()) v.estado = GrabacionOptimista::Estado::Borrado;
    }
    g.sentencia = "SELECT * FROM MA_CUENTAS WHERE CODIGO = " + ado::LiteralTexto(g.codigo);
    if (v.ok() && !h.paso([&] { v = Borrando ? cuenta->CompruebaBaja() : cuenta->Comprueba(columnas); }))
        return false;
    if (v.ok()) return true;
    g.transaccion.reset();
    v.baja = Borrando;
    QString despues = Borrando ? QString() : "Lo que usted escribió sigue en pantalla";
    if (v.estado == GrabacionOptimista::Estado::Cambiado) {
        // What is stored now is what the next "Grabar" or "Borrar" acts on, knowingly.
        cuenta->AceptaGuardado();
        despues += Borrando ? "Si aún quiere borrarla, presione Borrar otra vez."
                            : ": presione Grabar otra vez para guardarlo.";
    } else if (v.estado == GrabacionOptimista::Estado::Tomado) {
        despues += ": ingrese otro código para grabarlo.";
    } else if (!Borrando) {
        despues += ".";
    }
    cuenta->Avisa(v, despues);
    return false;
}
