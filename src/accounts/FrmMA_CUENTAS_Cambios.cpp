// Two users on one account: the account as it was shown is remembered, so that a save writes only
// the columns this user changed, and only while the stored value is still the one shown. A value
// someone else changed meanwhile is never overwritten without a word.
#include "accounts/FrmMA_CUENTAS.h"
#include "accounts/ValoresCuenta.h"
#include "data/DB_Dll.h"
#include "outside/ado/Field.h"
#include "outside/ado/Recordset.h"
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
QString Rotulo(const QString& columna) {
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
    };
    return rotulos.value(columna.toUpper(), columna);
}

// Null and an empty text are one value; numbers and texts compare as the form shows them.
bool MismoValor(const QVariant& a, const QVariant& b) {
    auto& u = maker::gUtilidades();
    return u.TextoCampo(a) == u.TextoCampo(b);
}

}  // namespace

void FrmMA_CUENTAS::RecuerdaCuentaMostrada() {
    using CNStuffContable::gCamposValores;
    mostrada_ = {};
    if (!rsCuentas || rsCuentas->Bof() || rsCuentas->Eof()) return;
    auto& u = maker::gUtilidades();
    CuentaMostrada m;
    ado::Fields& campos = rsCuentas->fields();
    for (int i = 0; i < campos.Count(); ++i)
        m.guardados.insert(vb::Trim(campos.Item(i).Name()).toUpper(), campos.Item(i).Value());
    m.codigo = vb::Trim(u.TextoCampo(m.guardados.value("CODIGO")));
    // The pairs the save would build from the form as shown; the view type as stored. Whatever goes
    // wrong leaves no account remembered, and the save writes every column as before.
    vb::ManejadorErrores h("RecuerdaCuentaMostrada", [](const vb::ErrorVB&, const QString&) { return 0; });
    QString tipoVista = vb::Trim(u.TextoCampo(m.guardados.value("TIPOVISTA")));
    const bool armados =
        ArmaPares(h, OptTipoCuenta[1]->isChecked(), CmbMP->currentIndex(), tipoVista, false, false);
    for (const CNStuffContable::CampoValor& c : gCamposValores)
        if (!c.Campo.isEmpty()) m.pares.insert(c.Campo.toUpper(), c.Valor);
    gCamposValores.clear();
    if (armados && !m.codigo.isEmpty()) mostrada_ = m;
}

void FrmMA_CUENTAS::VaciaPersonalizados() {
    mostrada_ = {};
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

bool FrmMA_CUENTAS::ParesCambiados(const Grabacion& g, const ado::RecordsetPtr& guardada,
                                   QList<QPair<QString, QString>>& cambiados) {
    const bool conocida =
        !mostrada_.codigo.isEmpty() && mostrada_.codigo.compare(g.codigo, Qt::CaseInsensitive) == 0;
    // No account remembered: every column, as the form holds it.
    if (!conocida) {
        cambiados = g.pares;
        return true;
    }
    ado::Fields& campos = guardada->fields();
    QStringList ajenos;
    for (const auto& par : g.pares) {
        const QString clave = par.first.toUpper();
        bool cambiado = !mostrada_.pares.contains(clave) || mostrada_.pares.value(clave) != par.second;
        // The fixed values are written where the stored one differs: a reused account comes back.
        if (clave == "DADA_DE_BAJA" || clave == "DV")
            cambiado = CuentasValores::EsVerdadero(mostrada_.guardados.value(clave));
        if (!cambiado) continue;
        cambiados.append(par);
        const int k = campos.indiceDe(par.first);
        if (k < 0 || !mostrada_.guardados.contains(clave)) continue;
        if (!MismoValor(campos.Item(k).Value(), mostrada_.guardados.value(clave))) {
            const QString rotulo = Rotulo(vb::Trim(par.first));
            if (!ajenos.contains(rotulo)) ajenos << rotulo;
        }
    }
    if (ajenos.isEmpty()) return true;
    // What is stored now is what the next "Grabar" writes over, knowingly.
    for (int i = 0; i < campos.Count(); ++i)
        mostrada_.guardados.insert(vb::Trim(campos.Item(i).Name()).toUpper(), campos.Item(i).Value());
    const QString campo =
        ajenos.size() == 1 ? "el campo " + ajenos.first() + " ya no tiene el valor que se mostró"
                           : "los campos " + ajenos.join(", ") + " ya no tienen los valores que se mostraron";
    vb::MsgBox("Otro usuario modificó la cuenta " + g.codigo + " mientras usted la editaba: " + campo +
                   ".\r\nNo se grabó nada. Lo que usted escribió sigue en pantalla: presione Grabar otra vez "
                   "para guardarlo.",
               vb::vbExclamation, "Aviso al operador");
    return false;
}
