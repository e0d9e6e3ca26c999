// The account save: the fields checked again, the pairs of the row built from the form, the
// refusals; once the row and its companion rows are committed (FrmMA_CUENTAS_Transaccion.cpp),
// the tree node, the settings of the payment means, the replication and the question about
// additional data.
#include "accounts/EnlacesCuentas.h"
#include "accounts/FrmMA_CUENTAS.h"
#include "data/DB_Dll.h"
#include "outside/ado/Field.h"
#include "outside/ado/TextoSql.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/maker/EnlaceControles.h"
#include "outside/maker/ReglasCuentas.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "personalizados/GrillaPersonalizados.h"
#include "services/CNStuffContable.h"
#include "services/ModGruposEmp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

using CNStuffContable::AgregaCampoValor;
using CNStuffContable::Cfg;
using CNStuffContable::gBaseDatos;

namespace {

const QString kCRLF = QStringLiteral("\r\n");

QString Marca(const QCheckBox* c) {
    return c->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

// The payment-means code of a list position; empty for none.
QString CodigoMedioDePago(int posicion) {
    static const char* const codigos[] = {"",   "EF", "CH", "TJ", "DB", "DC",
                                          "RI", "RB", "RG", "RO", "RO", "TJ"};
    return posicion >= 0 && posicion < 12 ? QString(codigos[posicion]) : QString();
}

// A personalised value as the column takes it: numbers with "." as decimal point. False when the
// text is not a number for a numeric column.
bool ValorPersonalizado(const QString& texto, bool numerico, QString& valor) {
    if (!numerico) {
        valor = texto;
        return true;
    }
    const QString t = vb::Trim(texto);
    if (!vb::IsNumeric(t)) return false;
    valor = QString::number(maker::gUtilidades().ValorDoble(t), 'g', 15);
    return true;
}

}  // namespace

int FrmMA_CUENTAS::ErrorActualizarDatos(const vb::ErrorVB& e) {
    HuboError = true;
    maker::gUtilidades().Ocupado(false);
    if (e.Number == ado::kErrValorNoAdmitido) {
        QString campo;
        vb::CajaTexto* caja = nullptr;
        if (indiceCampoEnCurso_ >= 0 && indiceCampoEnCurso_ < txtFields.size()) {
            caja = txtFields[indiceCampoEnCurso_];
            campo = caja->Tag + "/" + caja->DataField;
        }
        vb::MsgBox("Verifique las siguientes opciones: " + kCRLF + kCRLF +
                       "1) Ha ingresado letras donde debe ingresar numeros" + kCRLF + kCRLF +
                       "2) Debe ingresar una fecha y el formato es incorrecto" + kCRLF + kCRLF +
                       "En el campo: " + campo,
                   vb::vbCritical, "Error en conversion de datos");
        if (caja && caja->isEnabled()) caja->setFocus();
        return 0;
    }
    int respuesta = 0;
    maker::gUtilidades().TrataError(e, "ActualizarDatos", respuesta);
    return respuesta;
}

bool FrmMA_CUENTAS::ValidaCampos() {
    // A value still in the grid's editor is the user's value.
    if (personalizados_) personalizados_->Confirmar();
    HuboError = false;
    for (int i = 0; i < txtFields.size(); ++i) {
        Campo_Valida(i, txtFields[i]);
        if (HuboError) break;
    }
    auto& u = maker::gUtilidades();
    const int iCodigo = maker::gEnlaceControles().CampoEnlazado("CODIGO", txtFields);
    const QString codigo =
        iCodigo >= 0 ? vb::Trim(u.QuitaCaracter(u.TextoCampo(txtFields[iCodigo]->text()), "-")) : QString();
    ado::RecordsetPtr legajo;
    if (gBaseDatos().ExisteEnTabla("P_MA_LEGAJOS", codigo, "CUENTA", legajo, 8, QString(), true)) {
        HuboError = true;
        vb::MsgBox(QString::fromUtf8("La cuenta que intenta modificar está configurada para el legajo ") +
                       vb::Trim(u.TextoCampo(legajo->valor("Legajo"))) +
                       QString::fromUtf8(" del código de empresa ") +
                       vb::Trim(u.TextoCampo(legajo->valor("IdEmpresa"))) + kCRLF +
                       "Los cambios deben realizarse desde el sistema de personal",
                   vb::vbInformation, "Aviso al Usuario");
    }
    return !HuboError;
}

void FrmMA_CUENTAS::GrabarCuenta() {
    vb::ManejadorErrores h("ActualizarDatos",
                           [this](const vb::ErrorVB& e, const QString&) { return ErrorActualizarDatos(e); });
    indiceCampoEnCurso_ = -1;
    QString codigo;
    if (!h.paso([&] {
            auto& u = maker::gUtilidades();
            const int i = maker::gEnlaceControles().CampoEnlazado("CODIGO", txtFields);
            codigo = i >= 0 ? vb::Trim(u.QuitaCaracter(u.TextoCampo(txtFields[i]->text()), "-")) : QString();
        }))
        return;
    if (codigo.size() > 15) {
        HuboError = true;
        vb::MsgBox("La longitud de la cuenta no puede superar los 15 caracteres!!!", vb::vbInformation,
                   QString::fromUtf8("Atención"));
        return;
    }
    if (Nuevo || Modificando || !Borrando)
        GuardaCuenta(codigo);
    else
        BorraCuenta(codigo);
}

void FrmMA_CUENTAS::GuardaCuenta(const QString& codigo) {
    vb::ManejadorErrores h("ActualizarDatos",
                           [this](const vb::ErrorVB& e, const QString&) { return ErrorActualizarDatos(e); });
    // The account the user was shown decides: a new code someone else saved meanwhile is still a
    // new account (refused as taken), and an account someone else deleted is still an update
    // (refused as deleted), whatever the fields' check found now.
    if (mostrada_.Recordado() && codigoMostrado_ == codigo) {
        Nuevo = mostrada_.EsNuevo();
        Modificando = !Nuevo;
    }
    Grabacion g;
    g.codigo = codigo;
    g.titulo = OptTipoCuenta[1]->isChecked();
    g.medio = CmbMP->currentIndex();
    const bool armados = ArmaPares(h, g.titulo, g.medio, g.tipoVista, true, true);
    for (const CNStuffContable::CampoValor& c : CNStuffContable::gCamposValores)
        if (!c.Campo.isEmpty()) g.pares.append({c.Campo, c.Valor});
    CNStuffContable::gCamposValores.clear();
    // A value that could not be worked out stops the save, which keeps what was typed.
    if (!armados) HuboError = true;
    if (!armados || !CompruebaTipoCuenta(h, codigo, g.titulo)) return;
    // Without a mode there is nothing to write, and nothing is recorded.
    if (!Nuevo && !Modificando) {
        HuboError = true;
        return;
    }
    Escritura escrita = Escritura::Reintento;
    while (escrita == Escritura::Reintento) escrita = EscribeCuenta(g);
    // The form keeps what the user typed for another "Grabar".
    // A failure the operator retried past is no failure of the save.
    HuboError = escrita != Escritura::Hecha;
    if (HuboError) return;
    TrasConfirmar(h, g);
}

bool FrmMA_CUENTAS::ArmaPares(vb::ManejadorErrores& h, bool titulo, int medio, QString& tipoVista,
                              bool calculaVista, bool avisa) {
    auto& u = maker::gUtilidades();
    const int i = maker::gEnlaceControles().CampoEnlazado("CODIGO", txtFields);
    const QString codigo =
        i >= 0 ? vb::Trim(u.QuitaCaracter(u.TextoCampo(txtFields[i]->text()), "-")) : QString();
    return AgregaCamposEnlazados(h, titulo) && AgregaTipoCuenta(h, titulo) &&
           AgregaOpciones(h, codigo, titulo, medio, tipoVista, calculaVista) &&
           AgregaPersonalizados(h, avisa);
}

bool FrmMA_CUENTAS::AgregaCamposEnlazados(vb::ManejadorErrores& h, bool titulo) {
    auto& u = maker::gUtilidades();
    // The bound fields, in the order of the array.
    for (int i = 0; i < txtFields.size(); ++i) {
        indiceCampoEnCurso_ = i;
        if (!h.paso([&] {
                vb::CajaTexto* caja = txtFields[i];
                QString columna = caja->DataField;
                const QString texto = u.TextoCampo(caja->text());
                if (columna.compare("CODIGO", Qt::CaseInsensitive) == 0 ||
                    columna.compare("CODIGOOPCIONAL", Qt::CaseInsensitive) == 0)
                    AgregaCampoValor(columna, vb::Trim(u.QuitaCaracter(texto, "-")), "'", i == 0);
                else if (columna.compare("CodTarjeta_ConcAuto", Qt::CaseInsensitive) == 0 ||
                         columna.compare("CuentaPrincipal", Qt::CaseInsensitive) == 0)
                    AgregaCampoValor(columna, vb::Trim(caja->text()), "'", false);
                else
                    CNStuffContable::ValorCampoSQL(rsCuentas, columna, texto, i == 0);
            }))
            return false;
    }
    indiceCampoEnCurso_ = -1;
    return h.paso([&] { AgregaCampoValor("TITULO", titulo ? "1" : "0", "'", false); });
}

bool FrmMA_CUENTAS::AgregaTipoCuenta(vb::ManejadorErrores& h, bool titulo) {
    return h.paso([&] {
        if (titulo) {
            AgregaCampoValor("AJUSTE", "0", "'", false);
            AgregaCampoValor("INDICE", "0", "'", false);
            return;
        }
        AgregaCampoValor("AJUSTE", Marca(CHKAjustable), "'", false);
        const int indice = CHKAjustable->isChecked() ? std::abs(CmbIndices->currentIndex()) + 1 : 0;
        AgregaCampoValor("INDICE", QString::number(indice), "'", false);
    });
}

bool FrmMA_CUENTAS::CompruebaTipoCuenta(vb::ManejadorErrores& h, const QString& codigo, bool titulo) {
    if (titulo) {
        bool movimientos = false;
        if (!h.paso([&] { movimientos = Reglas().TieneMovimientos(codigo); })) return false;
        if (movimientos) {
            HuboError = true;
            vb::MsgBox(QString::fromUtf8(
                           "La cuenta no puede cambiarse a Título porque tiene movimientos registrados!!!"),
                       vb::vbCritical);
            return false;
        }
        return true;
    }
    bool inferior = false;
    if (!h.paso([&] { inferior = Reglas().ExisteNivelInferior(codigo); })) return false;
    if (inferior) {
        vb::MsgBox("No puede cambiar el tipo de cuenta porque existe un nivel inferior", vb::vbCritical);
        HuboError = true;
        return false;
    }
    return true;
}

bool FrmMA_CUENTAS::AgregaOpciones(vb::ManejadorErrores& h, const QString& codigo, bool titulo, int medio,
                                   QString& tipoVista, bool calculaVista) {
    // The payment means; its settings are written once the row is.
    if (!h.paso([&] {
            AgregaCampoValor("BLOQUEO", Marca(ChkBloqueo), "'", false);
            // The check digit the form shows.
            AgregaCampoValor("dv",
                             titulo ? QString("0") : QString::number(Reglas().DigitoVerificador(codigo)), "'",
                             false);
            AgregaCampoValor("Bienes", Marca(ChkBdu), "'", false);
            AgregaCampoValor("Dada_De_Baja", "0", "'", false);
            // The books follow the option the user chose.
            AgregaCampoValor("LIBRO_IVA_COMPRAS", !titulo && optLibros[1]->isChecked() ? "1" : "0", "'",
                             false);
            AgregaCampoValor("LIBRO_IVA_VENTAS", !titulo && optLibros[2]->isChecked() ? "1" : "0", "'",
                             false);
            AgregaCampoValor("PideVencimiento", Marca(ChkVto), "'", false);
            if (medio >= 0) {
                const QString cod = CodigoMedioDePago(medio);
                AgregaCampoValor("MedioDePago", cod.isEmpty() ? "Null" : cod, "'", false);
                if (medio == 3) AgregaCampoValor("NoPideDatosTarjeta", Marca(chkTarjeta), "@", false);
                if (medio == 4) tipoVista = "BC";
            }
        }))
        return false;
    // Otherwise the view type is the one given (the stored one of an account shown).
    if (calculaVista && tipoVista.isEmpty() && !codigo.isEmpty()) {
        bool vto = false;
        if (!h.paso([&] { ObtieneVistaRangoVto(codigo, nullptr, nullptr, tipoVista, &vto); })) return false;
        // Told already; the row is not written with a view that was not read.
        if (vistaFallida_) return false;
    }
    return h.paso([&] {
        AgregaCampoValor("TipoVista", titulo ? "Null" : tipoVista, "'", false);
        AgregaCampoValor("UsaCCostos", chkCCostos->isChecked() ? "1" : "0", "@", false);
        AgregaCampoValor("CajayBanco", Marca(ChkCyB), "'", false);
        AgregaCampoValor(
            "Moneda", maker::gUtilidades().AlineaDerecha(QString::number(CmbMoneda->currentIndex() + 1), 4),
            "'", false);
    });
}

bool FrmMA_CUENTAS::AgregaPersonalizados(vb::ManejadorErrores& h, bool avisa) {
    DB_Dll& db = gBaseDatos();
    // Personalised fields: a blank value leaves the column as it is.
    if (personalizados_) personalizados_->Confirmar();
    for (int r = 1; r < MSFlexGrid1->Rows(); ++r) {
        const QString columna = vb::Trim(MSFlexGrid1->TextMatrix(r, 0));
        const QString texto = MSFlexGrid1->TextMatrix(r, 1);
        if (vb::Trim(texto).isEmpty()) continue;
        // Only a personalised column of the table is ever named in the statement.
        const int k = rsCuentas && personalizados::EsPersonalizado(columna)
                          ? rsCuentas->fields().indiceDe(columna)
                          : -1;
        if (k < 0) continue;
        const int tipo = rsCuentas->fields().Item(k).Type();
        const bool numerico = db.ADONumeric(tipo) || db.ADOCurrency(tipo);
        QString valor;
        if (!ValorPersonalizado(texto, numerico, valor)) {
            if (!avisa) return false;
            HuboError = true;
            vb::MsgBox("Verifique las siguientes opciones: " + kCRLF + kCRLF +
                           "1) Ha ingresado letras donde debe ingresar numeros" + kCRLF + kCRLF +
                           "En el campo: " + columna,
                       vb::vbCritical, "Error en conversion de datos");
            return false;
        }
        if (!h.paso([&] { AgregaCampoValor(columna, valor, "'", false); })) return false;
    }
    return true;
}

void FrmMA_CUENTAS::TrasConfirmar(vb::ManejadorErrores& h, const Grabacion& g) {
    using namespace CNStuffContable;
    auto& u = maker::gUtilidades();
    auto& enlace = maker::gEnlaceControles();
    const QString& codigo = g.codigo;
    const int iCodigo = enlace.CampoEnlazado("codigo", txtFields);
    const int iDescripcion = enlace.CampoEnlazado("Descripcion", txtFields);
    h.paso([&] {
        if (MostrarArbol && iCodigo >= 0 && iDescripcion >= 0)
            ActualizaTreeV(u.QuitaCaracter(txtFields[iCodigo]->text(), "-"), txtFields[iDescripcion]->text());
    });
    // The copies to the group follow the commit, the account first.
    h.paso([&] { ModGruposEmp::ActualizaGEmpresas("@ADMIN_MA_CUENTAS", 1, ado::LiteralTexto(codigo)); });
    for (const QStringList& r : g.replicas)
        h.paso([&] { ModGruposEmp::ActualizaGEmpresas(r.value(0), 1, r.value(1), r.value(2)); });
    if (!h.paso([&] {
            CNStuffContable::gCuentaActual =
                txtFields.size() > 1 ? vb::Trim(u.QuitaCaracter(txtFields[1]->text(), "-")) : codigo;
        }))
        return;
    if (!PreparaSiguiente(h)) return;
    PreguntaDatosAdicionales(h, g.titulo, g.tipoVista);
}

bool FrmMA_CUENTAS::PreparaSiguiente(vb::ManejadorErrores& h) {
    using namespace CNStuffContable;
    if (!h.paso([&] {
            LimpiaPantalla();
            HabilitaCampos(false);
        }))
        return false;
    // The code field keeps the code of the account above, ready for the next one.
    return h.paso([&] {
        const int l = int(gCuentaActual.size());
        int n = 0;
        if (l == gPosCuenta)
            n = gPosSubrubro;
        else if (l == gPosSubcuenta)
            n = gPosCuenta;
        else if (l == gPosSubrubro)
            n = gPosRubro;
        else if (l == gPosRubro)
            n = gPosSubcapitulo;
        if (txtFields.size() > 1) txtFields[1]->setText(gCuentaActual.left(n));
    });
}

void FrmMA_CUENTAS::PreguntaDatosAdicionales(vb::ManejadorErrores& h, bool titulo, const QString& tipoVista) {
    using namespace CNStuffContable;
    // Additional data, for a postable account in a range of additional data.
    h.paso([&] {
        bool abre = false;
        if (!titulo && CfgActiva("USADATOSADIC") && !vb::Trim(tipoVista).isEmpty()) {
            const int r = vb::MsgBox(
                "Esta cuenta esta informada en el rango de cuentas de datos adicionales,\r                "
                "¿Desea "
                "Actualizar los datos adicionales?",
                vb::vbYesNo + vb::vbExclamation, QString::fromUtf8("Atención!"));
            abre = r == vb::vbYes;
        }
        if (!abre || !EnlacesCuentas::MuestraFormulario("frmMA_CUENTASADIC", gCuentaActual))
            gCuentaActual.clear();
    });
}
