// Checking a field, the descriptions of coded fields, opening the fields and the lookup.
#include "account_extras/frmMA_CUENTASADIC.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "data/LecturasVigiladas.h"
#include "lookup/Def_QConsulta.h"
#include "outside/ado/TextoSql.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/UtilVex.h"
#include "outside/maker/EnlaceControles.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "personalizados/GrillaPersonalizados.h"
#include "services/CNStuffContable.h"

#include <QLabel>
#include <QTabWidget>

namespace {

bool Es(const QString& a, const char* b) {
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

bool EmpiezaCon(const QString& a, const char* prefijo) {
    return a.startsWith(QLatin1String(prefijo), Qt::CaseInsensitive);
}

// A Null title flag is no title.
bool EsTitulo(const QVariant& v) {
    if (v.isNull()) return false;
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    return maker::gUtilidades().ValorNumerico(maker::gUtilidades().TextoCampo(v)) != 0;
}

}  // namespace

void frmMA_CUENTASADIC::Campo_valida(int index, vb::CajaTexto* control) {
    vb::ManejadorErrores h("Campo_valida", maker::gUtilidades().Reportero());
    QString mensaje;
    QString valor;
    QString columna;

    if (!h.paso([&] {
            HuboError = false;
            valor = vb::Trim(txtFields[index]->text());
            columna = txtFields[index]->DataField;
        }))
        return;

    const auto falla = [&](const QString& texto) {
        mensaje = texto;
        HuboError = true;
    };
    const QString nombre = control->toolTip();
    bool sigueDetalle = true;
    if (Es(columna, "CODIGO")) {
        if (!ValidaCodigo(h, valor, mensaje)) return;
    } else if (Es(columna, "CALLE") || Es(columna, "NUMERO") || Es(columna, "CPOSTAL") ||
               Es(columna, "LOCALIDAD") || Es(columna, "PROVINCIA") || Es(columna, "PAIS")) {
        if (valor.isEmpty()) falla("Debe ingresar el campo : " + nombre);
    } else if (Es(columna, "NUMERO_DOCUMENTO")) {
        if (valor.isEmpty())
            falla("Debe ingresar el campo : " + nombre);
        else if (valor.size() != 13)
            falla("La C.U.I.T. debe tener 13 caracteres");
    }
    sigueDetalle = !HuboError;

    if (sigueDetalle && !control->Tag.trimmed().isEmpty()) {
        if (!h.paso([&] { MuestraDetalle(columna, mensaje); })) return;
    }

    if (HuboError) {
        if (!mensaje.isEmpty()) vb::MsgBox(mensaje, vb::vbInformation + vb::vbOKOnly, "Aviso al operador...");
        mensaje.clear();
        EnfocaCampo(index);
    }
}

bool frmMA_CUENTASADIC::ValidaCodigo(vb::ManejadorErrores& h, const QString& valor, QString& mensaje) {
    if (!FormaIndependiente) {
        if (!h.paso([&] {
                const QString nombre =
                    maker::gUtilidades().TextoCampo(CNStuffContable::gBaseDatos().DatosTabla(
                        "MA_CUENTAS", cuenta_.Codigo(), "DESCRIPCION", "CODIGO", 8));
                // A lookup the operator gave up leaves the account's name shown.
                if (!LecturasVigiladas::Abandonada()) LblTitulo->setText(nombre);
            }))
            return false;
    } else if (!ValidaCuentaTecleada(h, valor, mensaje)) {
        return false;
    }
    return HuboError || h.paso([&] { DeterminaVista(valor); });
}

bool frmMA_CUENTASADIC::ValidaCuentaTecleada(vb::ManejadorErrores& h, const QString& valor,
                                             QString& mensaje) {
    auto& util = maker::gUtilidades();
    ado::RecordsetPtr cuenta;
    bool existe = false;
    // The account typed is the form's own only once it is accepted.
    cuenta_.Suelta();
    if (!h.paso([&] {
            existe = CNStuffContable::gBaseDatos().ExisteEnTabla("MA_CUENTAS", valor, "CODIGO", cuenta, 8,
                                                                 QString());
        }))
        return false;
    bool aceptada = false;
    if (!existe) {
        LblTitulo->setText("...");
        mensaje = "La cuenta ingresada no existe!!!";
        HuboError = true;
    } else if (!h.paso([&] {
                   LblTitulo->setText(vb::Trim(util.TextoCampo(cuenta->valor("Descripcion"))));
                   aceptada = Es(CNStuffContable::Cfg("USADATOSADIC"), "SI") &&
                              !EsTitulo(cuenta->valor("Titulo")) &&
                              !vb::Trim(util.TextoCampo(cuenta->valor("TipoVista"))).isEmpty();
                   if (!aceptada) {
                       mensaje = "La cuenta Ingresada no pertenece a ningún rango de datos adicionales!!!";
                       HuboError = true;
                   }
               })) {
        return false;
    }
    if (!aceptada) return true;
    cuenta_.Toma(valor);
    return AbreFilaDeCuenta(h, valor);
}

bool frmMA_CUENTASADIC::AbreFilaDeCuenta(vb::ManejadorErrores& h, const QString& valor) {
    bool hay = false;
    if (!h.paso([&] { hay = AbreFila(valor); })) return false;
    if (!hay) {
        Nuevo = true;
        Borrando = false;
        Modificando = false;
        // A new record starts with no personalised values of the account shown before.
        m_Personalizados->AsignarPersonalizados(rsAdic);
        for (QLabel* l : lblDetalle) l->setText("...");
    } else {
        Modificando = true;
        Nuevo = false;
        Borrando = false;
        if (!Grabando && !h.paso([&] { MuestraDatos(); })) return false;
    }
    return h.paso([&] { DetalleOn(true); });
}

void frmMA_CUENTASADIC::MuestraDetalle(const QString& campo, QString& mensaje) {
    try {
        auto& util = maker::gUtilidades();
        auto& db = CNStuffContable::gBaseDatos();
        const int indice = maker::gEnlaceControles().CampoEnlazado(campo, txtFields);
        if (indice < 0) return;
        const vb::CajaTexto* caja = txtFields[indice];
        for (QLabel* etiqueta : lblDetalle) {
            const QString tag = etiqueta->property("Tag").toString().trimmed();
            if (tag.isEmpty() || !(EmpiezaCon(tag, "TA_") || EmpiezaCon(tag, "V_TA_"))) continue;
            if (tag.compare(caja->Tag, Qt::CaseInsensitive) != 0) continue;
            QString clave, descripcion;
            if (Es(tag, "V_TA_VENDEDORES")) {
                clave = caja->DataField;
                descripcion = "NOMBRE";
            } else if (EmpiezaCon(tag, "V_TA_")) {
                clave = caja->DataField;
                descripcion = "DESCRIPCION";
            } else {
                clave = "CODIGO";
                descripcion = "DESCRIPCION";
            }
            const QString codigo = vb::Trim(caja->text());
            if (codigo.isEmpty()) {
                etiqueta->setText("...");
                continue;
            }
            ado::RecordsetPtr rs;
            const QString condicion = " WHERE LTRIM(RTRIM(" + clave + ")) = " + ado::LiteralTexto(codigo);
            if (db.ExisteEnTabla(tag, QString(), clave, rs, 8, condicion, true)) {
                etiqueta->setText(util.TextoCampo(rs->valor(descripcion)));
            } else {
                // A lookup the operator gave up was told already: the code is not called wrong.
                if (!LecturasVigiladas::Abandonada()) mensaje = "CODIGO INCORRECTO";
                HuboError = true;
                break;
            }
        }
    } catch (const vb::ErrorVB&) {
        HuboError = true;
    }
}

void frmMA_CUENTASADIC::DetalleOn(bool activar) {
    for (vb::CajaTexto* caja : txtFields) caja->setEnabled(activar);
    const bool solo = FormaIndependiente;
    UtilVex1->setEstado(0x68030011, solo ? !activar : false);
    UtilVex1->setEstado(0x68030010, true);
    UtilVex1->setEstado(0x6803000D, solo);
    UtilVex1->setEstado(0x6803000F, !solo);
    UtilVex1->setEstado(0x6803000E, false);
    UtilVex1->setEstado(0x6803000C, solo ? activar : true);
    UtilVex1->setEstado(0x6803000B, solo ? activar : true);
    // On its own the code is typed while the other fields are closed, and locked while they are open.
    if (solo) txtFields[0]->setEnabled(!activar);
    SSTab1->setTabEnabled(1, activar);
    SSTab1->setTabEnabled(2, activar);
}

void frmMA_CUENTASADIC::Consultar() {
    BusquedaCodigo1->hide();
    QString tabla = txtFields[CampoActual]->Tag.trimmed();
    // A free field has nothing to look up in.
    if (tabla.isEmpty()) return;
    QString descripcion, codigo, extra, condicion;
    bool mostrar = true;
    Def_QConsulta::ConsultaTabla(tabla, descripcion, codigo, extra, mostrar, condicion);
    // A cancelled lookup leaves the field as it was.
    if (vb::Trim(codigo).isEmpty()) return;
    const int indice = maker::gEnlaceControles().CampoEnlazado(txtFields[CampoActual]->DataField, txtFields);
    if (indice < 0) return;
    txtFields[indice]->setText(vb::Trim(codigo));
    Campo_valida(CampoActual, txtFields[CampoActual]);
}
