// Writing and deleting the row, clearing the window and closing it.
#include "account_extras/frmMA_CUENTASADIC.h"

#include "account_extras/AlcanceCuenta.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "data/LecturasVigiladas.h"
#include "outside/ado/AdoTipos.h"
#include "outside/ado/Field.h"
#include "outside/ado/TextoSql.h"
#include "outside/ado/Transaccion.h"
#include "outside/controls/CajaTexto.h"
#include "outside/maker/EnlaceControles.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "outside/runtime/Programa.h"
#include "personalizados/GrillaPersonalizados.h"
#include "services/CNStuffContable.h"
#include "services/ModGruposEmp.h"

#include <QLabel>
#include <QTabWidget>
#include <optional>

namespace {

bool Es(const QString& a, const char* b) {
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

// Long text columns are stored as typed: padding them to their size would build huge texts.
constexpr long kLargoMaximoRelleno = 8000;

QString MensajeConversion(const vb::CajaTexto* caja) {
    return QStringLiteral(
               "Verifique las siguientes opciones: \r\n\r\n"
               "1) Ha ingresado letras donde debe ingresar numeros\r\n\r\n"
               "2) Debe ingresar una fecha y el formato es incorrecto\r\n\r\n"
               "En el campo: ") +
           caja->Tag + "/" + caja->DataField;
}

}  // namespace

void frmMA_CUENTASADIC::ActualizarDatos() {
    int campo = -1;  // the box being written, for the conversion message
    vb::ManejadorErrores h("ActualizarDatos", [&](const vb::ErrorVB& e, const QString& rutina) {
        HuboError = true;
        if (e.Number == ado::kErrValorNoAdmitido) {
            vb::MsgBox(MensajeConversion(txtFields[campo >= 0 ? campo : 0]), vb::vbCritical,
                       "Error en conversion de datos");
            // The user corrects the refused field where it is, on its own tab.
            if (campo >= 0) EnfocaCampo(campo);
            return 0;
        }
        int respuesta = 0;
        maker::gUtilidades().TrataError(e, rutina, respuesta);
        return respuesta;
    });
    // A save that stops halfway leaves nothing pending: the next one starts from the stored row,
    // or from a new one, and writes every field once.
    struct DescartaPendiente {
        ado::RecordsetPtr& rs;
        ~DescartaPendiente() {
            vb::SinDetenerse([&] {
                if (rs && rs->State() != ado::adStateClosed && rs->EditMode() != ado::adEditNone)
                    rs->CancelUpdate();
            });
        }
    } descarta{rsAdic};

    // Nothing loaded, nothing written; nothing for an account the user may not see either, and he
    // is told only that it is missing.
    if (!cuenta_.Cargada()) return;
    if (!cuenta_.Escribible()) {
        HuboError = true;
        vb::MsgBox("La cuenta es inexistente", vb::vbInformation, "Aviso al operador...");
        return;
    }
    if (Nuevo || Modificando) {
        if (!FechaDeGrabacion(h)) return;
    } else if (Borrando) {
        BorraFila(h);
        return;
    }
    for (campo = 0; campo < txtFields.size(); ++campo) {
        const vb::CajaTexto* caja = txtFields[campo];
        if (!h.paso([&] { EscribeCampo(caja); })) return;
    }
    campo = -1;
    if (!GuardaFila(h)) return;
    h.paso([&] { LimpiaPantalla(); });
}

bool frmMA_CUENTASADIC::FechaDeGrabacion(vb::ManejadorErrores& h) {
    const QString ahora = vb::Format(vb::Now(), CNStuffContable::FormatoFechaHora());
    if (!Nuevo) return h.paso([&] { rsAdic->fields()["fechahora_modificacion"].setValue(ahora); });
    if (!h.paso([&] { rsAdic->AddNew(); })) return false;
    return h.paso([&] { rsAdic->fields()["fechahora_grabacion"].setValue(ahora); });
}

void frmMA_CUENTASADIC::BorraFila(vb::ManejadorErrores& h) {
    // A new record has no row to delete, whatever another user stored meanwhile.
    if (!mostrada_.Recordado() || mostrada_.EsNuevo()) return;
    const QString codigo = cuenta_.Codigo();
    if (!NadaAbandonado()) return;
    // The row as shown, still so, deleted in one transaction: a row someone else changed or
    // deleted since it was shown is not deleted, and the user is told.
    std::optional<ado::Transaccion> transaccion;
    if (!h.paso([&] { transaccion.emplace(CNStuffContable::gBaseDatos().gCnn); })) return;
    bool hay = false;
    if (!h.paso([&] {
            hay = AbreFila(codigo);
            LecturasVigiladas::SalSiAbandonada();
        }))
        return;
    QStringList columnas;
    if (hay)
        for (int i = 0; i < rsAdic->fields().Count(); ++i) columnas << rsAdic->fields().Item(i).Name();
    if (!SinCambiosAjenos(h, columnas, true)) return;
    if (!h.paso([&] { rsAdic->Delete(); })) return;
    if (!h.paso([&] { transaccion->Confirmar(); })) return;
    mostrada_.Eliminado();
    if (!h.paso([&] { ModGruposEmp::ActualizaGEmpresas("MA_CUENTASADIC", 3, "'" + codigo + "'"); })) return;
    h.paso([&] { LimpiaPantalla(); });
}

void frmMA_CUENTASADIC::EscribeCampo(const vb::CajaTexto* caja) {
    auto& util = maker::gUtilidades();
    auto& db = CNStuffContable::gBaseDatos();
    const QString columna = caja->DataField;
    const QString texto = caja->text();
    ado::Field& f = rsAdic->fields()[columna];
    if (Es(columna, "CODIGO")) {
        const QString codigo = vb::Trim(texto);
        f.setValue(codigo.isEmpty() ? QVariant() : QVariant(codigo));
    } else if (Es(columna, "IDCATEGORIA") || Es(columna, "IDCOND_Cpra_Vta") ||
               Es(columna, "DOCUMENTO_TIPO")) {
        const QString codigo = vb::Trim(texto);
        if (codigo.isEmpty() || !Visible(caja))
            f.setValue(QVariant());
        else
            f.setValue(util.AlineaDerecha(codigo, 4));
    } else if (db.ADOText(f.Type())) {
        // Trimmed first: a value shown aligned to its column and then typed at is the value typed.
        const QString valor = vb::Trim(util.TextoCampo(texto));
        f.setValue(f.DefinedSize() > kLargoMaximoRelleno ? vb::Trim(valor)
                                                         : util.AlineaDerecha(valor, int(f.DefinedSize())));
    } else if (db.ADOCurrency(f.Type()) || db.ADONumeric(f.Type())) {
        const QString valor = vb::Trim(util.TextoCampo(texto));
        // Letters where a number goes are refused, never stored as 0.
        if (!valor.isEmpty() && !vb::IsNumeric(QVariant(util.QuitaCaracter(valor, " "))))
            vb::Raise(ado::kErrValorNoAdmitido);
        f.setValue(util.ValorNumerico(valor));
    } else {
        f.setValue(vb::Trim(texto));
    }
}

bool frmMA_CUENTASADIC::ClaseDePrecio(vb::ManejadorErrores& h) {
    auto& util = maker::gUtilidades();
    QString vista;
    bool leida = false;
    if (!h.paso([&] {
            auto& db = CNStuffContable::gBaseDatos();
            QString sql =
                "SELECT TIPOVISTA FROM MA_CUENTAS WHERE CODIGO = " + ado::LiteralTexto(cuenta_.Codigo());
            ado::RecordsetPtr rs;
            db.AbrirRecordset(sql, rs, db.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
            if (!rs || rs->State() == ado::adStateClosed) return;
            leida = true;
            vista = rs->Eof() ? QString() : vb::Trim(util.TextoCampo(rs->valor("TIPOVISTA")));
            db.CierraRecordset(rs);
        }))
        return false;
    const QString clave = vista == "CL"   ? QStringLiteral("ClaseDePrecioDefault")
                          : vista == "PR" ? QStringLiteral("ClaseDePrecioDefaultCompras")
                                          : QString();
    QString clase, aux;
    if (leida && !clave.isEmpty()) leida = CNStuffContable::LeeCfg(clave, clase, aux);
    // What could not be read (the user was told why) stops the save: no price class is left out or
    // blanked unseen.
    if (!leida) {
        HuboError = true;
        return false;
    }
    return clave.isEmpty() || h.paso([&] { rsAdic->fields()["CLASE"].setValue(clase); });
}

bool frmMA_CUENTASADIC::GuardaFila(vb::ManejadorErrores& h) {
    if (!ClaseDePrecio(h)) return false;
    if (!h.paso([&] { m_Personalizados->GrabarPersonalizados(rsAdic); })) return false;
    if (!Nuevo && !Modificando) return true;
    if (!NadaAbandonado()) return false;
    // The check of what others did since the row was shown and the write are one transaction.
    std::optional<ado::Transaccion> transaccion;
    if (!h.paso([&] { transaccion.emplace(CNStuffContable::gBaseDatos().gCnn); })) return false;
    const QStringList cambiados = Nuevo ? QStringList() : mostrada_.Cambiados(EnPantalla());
    if (!SinCambiosAjenos(h, cambiados, false)) return false;
    if (!h.paso([&] {
            if (Nuevo)
                rsAdic->Update();
            else
                EscribeCambios(cambiados);
        }))
        return false;
    if (!h.paso([&] { transaccion->Confirmar(); })) return false;
    return h.paso(
        [&] { ModGruposEmp::ActualizaGEmpresas("MA_CUENTASADIC", 1, "'" + cuenta_.Codigo() + "'"); });
}

bool frmMA_CUENTASADIC::NadaAbandonado() {
    // A check the operator gave up, told once, leaves the save without its answer.
    if (!LecturasVigiladas::Abandonada()) return true;
    HuboError = true;
    return false;
}

bool frmMA_CUENTASADIC::SinCambiosAjenos(vb::ManejadorErrores& h, const QStringList& columnas, bool borra) {
    GrabacionOptimista::Veredicto v;
    if (!h.paso([&] { v = mostrada_.Comprueba(columnas); })) return false;
    v.baja = borra;
    if (v.ok()) return true;
    HuboError = true;
    QString despues;
    if (v.estado == GrabacionOptimista::Estado::Cambiado) {
        // What is stored now is what the next "Grabar" or "Borrar" acts on, knowingly.
        mostrada_.AceptaGuardado();
        despues = borra ? "Presione Borrar otra vez para borrarlos de todos modos."
                        : "Lo que usted escribió sigue en pantalla: presione Grabar otra vez para guardarlo.";
    } else if (!borra) {
        despues =
            "Lo que usted escribió sigue en pantalla: cierre la ventana y ábrala otra vez para ver lo "
            "guardado.";
    }
    mostrada_.Avisa(v, despues);
    return false;
}

void frmMA_CUENTASADIC::EscribeCambios(const QStringList& cambiados) {
    ado::Fields& campos = rsAdic->fields();
    // The columns the user changed; the stamp and the price class go with them, nobody's edit.
    QStringList columnas = cambiados;
    if (columnas.isEmpty()) return;
    for (const char* c : {"FECHAHORA_MODIFICACION", "CLASE"}) {
        const ado::Field& f = campos[QString::fromLatin1(c)];
        if (f.Value() != f.OriginalValue() || f.Value().isNull() != f.OriginalValue().isNull())
            columnas << QString::fromLatin1(c);
    }
    ado::RecordsetPtr actual = ado::Recordset::Crear();
    actual->CursorType = ado::adOpenDynamic;
    actual->LockType = ado::adLockOptimistic;
    if (!CNStuffContable::gBaseDatos().ExisteEnTabla(TablaActual, cuenta_.Codigo(), "CODIGO", actual, 8,
                                                     QString(), false)) {
        LecturasVigiladas::SalSiAbandonada();
        vb::Raise(ado::kErrBofEof, "No se encuentra la fila para actualizar");
    }
    for (const QString& c : columnas) actual->fields()[c].setValue(campos[c].Value());
    actual->Update();
    rsAdic->CancelUpdate();
}

QHash<QString, QString> frmMA_CUENTASADIC::EnPantalla() const {
    QHash<QString, QString> valores;
    // The key is the account's own and never changes with the form.
    for (const vb::CajaTexto* caja : txtFields)
        if (!Es(caja->DataField, "CODIGO")) valores.insert(caja->DataField.toUpper(), caja->text());
    for (const auto& [columna, valor] : m_Personalizados->Campos()) valores.insert(columna.toUpper(), valor);
    return valores;
}

void frmMA_CUENTASADIC::RecuerdaMostrada() {
    mostrada_ = GrabacionOptimista(
        {"los datos adicionales de la cuenta " + cuenta_.Codigo(),
         TablaActual,
         "CODIGO = " + ado::LiteralTexto(cuenta_.Codigo()),
         {},
         {},
         "SELECT CODIGO FROM MA_CUENTAS WHERE CODIGO = " + ado::LiteralTexto(cuenta_.Codigo()),
         Rotulos()});
    if (Nuevo)
        mostrada_.RecuerdaNuevo();
    else
        mostrada_.RecuerdaFila(rsAdic);
    mostrada_.RecuerdaEnPantalla(EnPantalla());
}

QHash<QString, QString> frmMA_CUENTASADIC::Rotulos() const {
    // The caption of the label beside each box.
    QHash<QString, QString> rotulos;
    for (const QLabel* l : findChildren<QLabel*>()) {
        const auto* caja = qobject_cast<const vb::CajaTexto*>(l->buddy());
        if (!caja || !txtFields.contains(caja)) continue;
        QString texto = l->text().remove('&').trimmed();
        if (texto.endsWith(':')) texto.chop(1);
        rotulos.insert(caja->DataField.toUpper(), texto.trimmed());
    }
    return rotulos;
}

void frmMA_CUENTASADIC::LimpiaPantalla() {
    vb::ManejadorErrores h("Form_Unload", maker::gUtilidades().Reportero());
    auto& enlace = maker::gEnlaceControles();
    const auto paso = [&h](const std::function<void()>& f) { return h.paso(f); };
    if (!paso([&] {
            Nuevo = false;
            Borrando = false;
            Modificando = false;
            mostrada_.Olvida();
            cuenta_.Suelta();
        }))
        return;
    if (!paso([&] { enlace.PreparaFormulario(this); })) return;
    if (!paso([&] {
            enlace.EnlazaControles(txtFields, TablaActual, CNStuffContable::gBaseDatos().gConnString);
        }))
        return;
    if (!paso([&] { LblTitulo->setText("..."); })) return;
    if (!paso([&] {
            const int i = enlace.CampoEnlazado("numero_documento", txtFields);
            if (i >= 0) txtFields[i]->setMaxLength(13);
        }))
        return;
    if (!paso([&] { AbreTabla(TablaActual); })) return;
    if (!paso([&] { SSTab1->setCurrentIndex(0); })) return;
    if (!paso([&] { DetalleOn(false); })) return;
    // The next account starts with no description and no personalised values of this one.
    paso([&] {
        for (QLabel* l : lblDetalle) l->setText("...");
        if (rsAdic && rsAdic->State() != ado::adStateClosed) {
            ado::RecordsetPtr vacio = ado::Recordset::Crear();
            QString sql = "SELECT top 1 * FROM " + TablaActual + " WHERE 1 = 0";
            auto& db = CNStuffContable::gBaseDatos();
            db.AbrirRecordset(sql, vacio, db.gCnn);
            m_Personalizados->AsignarPersonalizados(vacio);
        }
    });
}

void frmMA_CUENTASADIC::Form_Unload(int& /*Cancel*/) {
    vb::ManejadorErrores h("Form_Unload", maker::gUtilidades().Reportero());
    h.paso([&] {
        if (rsAdic && rsAdic->State() != ado::adStateClosed) rsAdic->Close();
        rsAdic.reset();
    });
    if (FormaIndependiente) vb::End();
}
