// Validation of one bound field: the code (which also changes record), the description, the
// related account and the optional code; the title above a code; the sub-journal of a code.
#include "accounts/FrmMA_CUENTAS.h"
#include "accounts/ValoresCuenta.h"
#include "data/DB_Dll.h"
#include "data/LecturasVigiladas.h"
#include "outside/ado/Field.h"
#include "outside/ado/Recordset.h"
#include "outside/ado/TextoSql.h"
#include "outside/controls/BarraBotones.h"
#include "outside/controls/CajaTexto.h"
#include "outside/maker/EnlaceControles.h"
#include "outside/maker/ReglasCuentas.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "services/CNStuffContable.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

using CNStuffContable::gBaseDatos;
using CuentasValores::EsVerdadero;

namespace {

// An empty code is left to the length check.
bool SoloDigitos(const QString& texto) {
    for (QChar c : texto)
        if (!c.isDigit()) return false;
    return true;
}

bool EsTitulo(const QVariant& v) {
    return EsVerdadero(v);
}

}  // namespace

void FrmMA_CUENTAS::Refusa(int Index, const QString& mensaje) {
    HuboError = true;
    vb::MsgBox(mensaje, vb::vbInformation, "Aviso al operador...");
    if (Index < 0 || Index >= txtFields.size()) return;
    // While waiting for a code the code field is disabled: the code is typed in the code box.
    if (txtFields[Index]->isEnabled())
        txtFields[Index]->setFocus();
    else if (txtFields[Index]->DataField.compare("Codigo", Qt::CaseInsensitive) == 0)
        TxtCodigo->setFocus();
}

void FrmMA_CUENTAS::Campo_Valida(int Index, QWidget* control) {
    (void)control;
    struct EnCurso {
        int& n;
        explicit EnCurso(int& contador) : n(++contador) {}
        ~EnCurso() { --n; }
    } enCurso(enValidacion_);
    HuboError = false;
    if (Index < 0 || Index >= txtFields.size()) return;
    // A check the database could not answer refuses the field: the save never goes on without it.
    vb::ManejadorErrores h("Campo_Valida", [this](const vb::ErrorVB& e, const QString& rutina) {
        const int respuesta = maker::gUtilidades().Reportero()(e, rutina);
        if (respuesta != vb::kRespuestaReintentar && respuesta != vb::kRespuestaIgnorar) HuboError = true;
        return respuesta;
    });
    vb::CajaTexto* caja = txtFields[Index];
    const QString valor = caja->text().trimmed();
    const QString columna = caja->DataField;
    auto es = [&](const char* nombre) {
        return columna.compare(QLatin1String(nombre), Qt::CaseInsensitive) == 0;
    };
    bool sigue = true;
    if (es("Codigo"))
        sigue = ValidaCodigo(h, Index, valor);
    else if (es("Descripcion"))
        sigue = ValidaDescripcion(Index, valor);
    else if (es("CuentaPrincipal"))
        sigue = ValidaCuentaPrincipal(h, Index, valor);
    else if (es("CodigoOpcional") && !valor.isEmpty())
        sigue = ValidaCodigoOpcional(h, Index, valor);
    // A form that holds no account shows no check digit and opens nothing for one.
    if (sigue && (Nuevo || Modificando)) AplicaTipoCuenta(h, Index);
}

bool FrmMA_CUENTAS::ValidaCodigo(vb::ManejadorErrores& h, int Index, QString valor) {
    auto& db = gBaseDatos();
    valor.remove('-');
    valor = valor.trimmed();
    // Another code must not drop, without a word, a change the user has not saved.
    if (!Grabando && !DejaLaCuentaMostrada(valor)) {
        VuelveALaCuentaMostrada(Index);
        return false;
    }
    CodigoCuenta = valor;
    // A save checks the code the user validated again: a refusal then leaves it validated, so that
    // the next "Grabar" does not take it for a code typed afresh (and clear what was typed).
    if (!Grabando) codigoAceptado_.clear();
    codigoTecleado_ = false;
    // A setting that cannot be read was told, and refuses the code without a second message.
    QString alfanumericas, aux;
    if (!CNStuffContable::LeeCfg("CUENTASALFANUMERICAS", alfanumericas, aux)) {
        HuboError = true;
        return false;
    }
    if (alfanumericas.trimmed().compare("SI", Qt::CaseInsensitive) != 0 && !SoloDigitos(valor)) {
        Refusa(Index, " No esta permitido ingresar cuentas \rAlfanuméricas en esta configuración");
        return false;
    }
    bool largoValido = false;
    if (!h.paso([&] { largoValido = Reglas().LongitudValida(valor); })) return false;
    if (!largoValido) {
        // A save keeps what the user typed for another try.
        if (!Grabando) {
            CargaCombos();
            HabilitaCampos(false);
        }
        Refusa(Index, "La cuenta Ingresada no es correcta verifique la cantidad de Digitos");
        return false;
    }
    bool existe = false;
    if (!h.paso([&] {
            if (rsCuentas) {
                rsCuentas->CursorType = ado::adOpenDynamic;
                rsCuentas->LockType = ado::adLockOptimistic;
            }
            existe = db.ExisteEnTabla("MA_CUENTAS", valor, "Codigo", rsCuentas, 8, "", false);
            // Not found is not what a save may take from a lookup the operator gave up.
            LecturasVigiladas::SalSiAbandonada();
        }))
        return false;
    if (existe) {
        Modificando = true;
        Nuevo = false;
        if (!Grabando && !MuestraCuentaExistente(h, valor)) return false;
    } else {
        if (!Grabando) {
            CargaCombos();
            OptTipoCuenta[0]->setChecked(true);
            RecuerdaCuentaNueva(valor);
        }
        Nuevo = true;
        Modificando = false;
    }
    CNStuffContable::gCuentaActual = CodigoCuenta;
    codigoAceptado_ = CodigoCuenta;
    // The code accepted is the form's own in both places: one the form proposed, or a lookup put,
    // in the code field is the code box's too, where the toolbar takes it from.
    if (QString(TxtCodigo->text()).remove('-').trimmed() != CodigoCuenta)
        TxtCodigo->setText(txtFields[Index]->text().trimmed());
    HabilitaCampos(true);
    ChkBloqueo->setEnabled(Modificando);
    CargandoDatos = true;
    return true;
}

bool FrmMA_CUENTAS::MuestraCuentaExistente(vb::ManejadorErrores& h, const QString& valor) {
    if (EsVerdadero(rsCuentas->valor("DADA_DE_BAJA"))) {
        const int r =
            vb::MsgBox("La cuenta Solicitada se encuentra Actualmente dada de Baja ¿Desea reutilizarla?",
                       vb::vbYesNo | vb::vbQuestion, "Confirmación!!!");
        if (r != vb::vbYes) {
            // Back to waiting for a code.
            LimpiaPantalla();
            return false;
        }
    }
    if (Combo1->count() > 0) Combo1->setCurrentIndex(0);
    AsignarDatos();
    QString nombre;
    bool arriba = false;
    if (!h.paso([&] { arriba = ExisteNivelSuperior(valor, nombre); })) return false;
    if (arriba)
        for (int i = 1; i < Combo1->count(); ++i)
            if (Combo1->itemText(i).left(80).trimmed().compare(nombre.trimmed(), Qt::CaseInsensitive) == 0)
                Combo1->setCurrentIndex(i);
    return true;
}

bool FrmMA_CUENTAS::CodigoExiste(const QString& codigo) {
    // Existence only: the real table is asked for the code and nothing else of the row.
    return gBaseDatos().HayFilasReales("MA_CUENTAS",
                                       "LTRIM(RTRIM(CODIGO)) = " + ado::LiteralTexto(codigo.trimmed()));
}

bool FrmMA_CUENTAS::CuentaOculta(const QString& codigo) {
    if (codigo.trimmed().isEmpty() || !CodigoExiste(codigo)) return false;
    return !gBaseDatos().ExisteEnTabla("MA_CUENTAS", codigo.trimmed(), "Codigo", 8, QString(), true);
}

bool FrmMA_CUENTAS::ValidaDescripcion(int Index, const QString& valor) {
    const int codigo = maker::gEnlaceControles().CampoEnlazado("codigo", txtFields);
    // While the form waits for a code, the code field may hold the code above the last one
    // saved: no account is being entered, so none lacks its name.
    if (valor.isEmpty() && (Nuevo || Modificando) && codigo >= 0 &&
        !txtFields[codigo]->text().trimmed().isEmpty()) {
        Refusa(Index, "Debe ingresar el nombre de la cuenta");
        return false;
    }
    return true;
}

bool FrmMA_CUENTAS::ValidaCuentaPrincipal(vb::ManejadorErrores& h, int Index, const QString& valor) {
    if (valor.isEmpty()) {
        LblDescRelacionado->clear();
        return true;
    }
    auto& db = gBaseDatos();
    ado::RecordsetPtr rs;
    bool existe = false;
    if (!h.paso([&] { existe = db.ExisteEnTabla("MA_CUENTAS", valor, "Codigo", rs, 8, ""); })) return false;
    if (!existe) {
        LblDescRelacionado->clear();
        db.CierraRecordset(rs);
        // A related account hidden from this user, left as stored, is kept without a check.
        bool oculta = false;
        const bool guardada =
            mostrada_.Recordado() && !mostrada_.EsNuevo() && codigoMostrado_ == CodigoCuenta &&
            vb::Trim(maker::gUtilidades().TextoCampo(mostrada_.Mostrado("CUENTAPRINCIPAL"))) == valor;
        if (guardada && !h.paso([&] { oculta = CuentaOculta(valor); })) return false;
        if (oculta) return true;
        Refusa(Index, "La cuenta ingresada no existe!");
        return false;
    }
    const bool baja = EsVerdadero(rs->valor("DADA_DE_BAJA"));
    const bool titulo = EsTitulo(rs->valor("TITULO"));
    const QString descripcion = maker::gUtilidades().TextoCampo(rs->valor("Descripcion"));
    db.CierraRecordset(rs);
    if (baja) {
        Refusa(Index, "La cuenta Solicitada se encuentra Actualmente dada de Baja ");
        return false;
    }
    if (titulo) {
        Refusa(Index, "Debe seleccionar una Cuenta Imputable");
        return false;
    }
    LblDescRelacionado->setText(descripcion);
    return true;
}

bool FrmMA_CUENTAS::ValidaCodigoOpcional(vb::ManejadorErrores& h, int Index, const QString& valor) {
    auto& util = maker::gUtilidades();
    auto& db = gBaseDatos();
    auto& enlace = maker::gEnlaceControles();
    const int iOpcional = enlace.CampoEnlazado("CODIGOOPCIONAL", txtFields);
    const int iCodigo = enlace.CampoEnlazado("Codigo", txtFields);
    const QString opcional = iOpcional >= 0 ? txtFields[iOpcional]->text() : valor;
    QString codigo = iCodigo >= 0 ? txtFields[iCodigo]->text() : QString();
    codigo.remove('-');
    codigo = codigo.trimmed();
    QString sql = "SELECT * FROM MA_CUENTAS WHERE CODIGOOPCIONAL = " + ado::LiteralTexto(opcional) +
                  " AND CODIGO <> " + ado::LiteralTexto(codigo);
    ado::RecordsetPtr rs;
    bool libre = false;
    // A statement that failed leaves the recordset closed: reading it raises under the handler.
    if (!h.paso([&] {
            db.AbrirRecordset(sql, rs, db.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
            libre = rs->Eof();
        }))
        return false;
    if (libre) {
        if (opcional.trimmed().size() > 4)
            vb::MsgBox(
                "Recuerde, si el codigo opcional tiene mas de 4 caracteres no podrá utilizarlo en el "
                "modulo de caja y banco, se recomienda dejar codigos opcionales de 4 caracteres maximo!",
                vb::vbInformation, "Aviso al operador");
        db.CierraRecordset(rs);
        return true;
    }
    const QString otro =
        util.TextoCampo(rs->valor("Codigo")) + " " + util.TextoCampo(rs->valor("Descripcion"));
    db.CierraRecordset(rs);
    Refusa(Index, "El Código Opcional ingresado se repite para la cuenta: " + otro +
                      "\r\nModifique el mismo y vuelva a intentarlo.");
    return false;
}

void FrmMA_CUENTAS::AplicaTipoCuenta(vb::ManejadorErrores& h, int Index) {
    // What only a postable account may use.
    const bool imputable = OptTipoCuenta[0]->isChecked();
    const int iCodigo = maker::gEnlaceControles().CampoEnlazado("Codigo", txtFields);
    QString codigoCampo = iCodigo >= 0 ? txtFields[iCodigo]->text() : QString();
    if (imputable) {
        if (!h.paso([&] { LblDV->setText(QString::number(Reglas().DigitoVerificador(CodigoCuenta))); }))
            return;
        QString mensaje;
        bool valida = true;
        if (!h.paso([&] { valida = Reglas().ValidaImputable(codigoCampo.trimmed(), mensaje); })) return;
        if (!valida && Grabando) {
            Refusa(Index, mensaje);
            return;
        }
    } else {
        LblDV->setText("0");
        if (Grabando) {
            codigoCampo.remove('-');
            bool permite = true;
            if (!h.paso([&] { permite = Reglas().PermiteTitulo(codigoCampo); })) return;
            if (!permite) {
                Refusa(Index, "La cantidad de digitos ingresados, no permite que sea cuenta Titulo!");
                return;
            }
        }
    }
    CHKAjustable->setEnabled(imputable);
    for (QRadioButton* o : optLibros) o->setEnabled(imputable);
    ChkBdu->setEnabled(imputable);
    ChkBloqueo->setEnabled(imputable);
    ActualizaBotonCentros();
}

bool FrmMA_CUENTAS::ExisteNivelSuperior(const QString& codigo, QString& nombre) {
    auto& util = maker::gUtilidades();
    auto& db = gBaseDatos();
    QString sql = "select codigo,descripcion,titulo from ma_cuentas where dada_de_baja=0 and (codigo>=" +
                  ado::LiteralTexto(codigo.left(1)) + " and codigo<=" + ado::LiteralTexto(codigo) +
                  ") order by codigo";
    ado::RecordsetPtr rs;
    db.AbrirRecordset(sql, rs, db.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
    const QString buscado = codigo.trimmed();
    QString recordado;
    bool hallado = false;
    while (!rs->Eof()) {
        const QString fila = util.TextoCampo(rs->valor("codigo")).trimmed();
        if (EsTitulo(rs->valor("titulo")) && fila != buscado && codigo.size() > fila.size())
            recordado = util.TextoCampo(rs->valor("descripcion"));
        if (fila.compare(buscado, Qt::CaseInsensitive) == 0) {
            nombre = recordado;
            hallado = true;
            break;
        }
        rs->MoveNext();
    }
    db.CierraRecordset(rs);
    return hallado;
}

bool FrmMA_CUENTAS::ValidaCuentaSubD(const QString& codigo, QString& texto) {
    (void)texto;
    auto& util = maker::gUtilidades();
    auto& db = gBaseDatos();
    bool resultado = false;
    vb::ManejadorErrores h("ValidaCuentaSubd", util.Reportero());
    ado::RecordsetPtr rs;
    QString sql = "SELECT * FROM MA_SUBDIARIOS";
    if (!h.paso([&] {
            db.AbrirRecordset(sql, rs, db.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
        }))
        return false;
    if (!rs || rs->Eof()) {
        db.CierraRecordset(rs);
        return false;
    }
    const QString quitar = QString(QChar(0)) + QChar(255);
    auto limpio = [&](const char* columna) {
        return util.QuitaCaracter(util.TextoCampo(rs->valor(QString::fromLatin1(columna))), quitar).trimmed();
    };
    auto igual = [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; };
    auto entre = [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive); };
    const QString recortado = codigo.trimmed();
    while (!rs->Eof()) {
        bool cubre = false;
        const bool sigue = h.paso([&] {
            const QString cuenta = limpio("CUENTA");
            const QString desde = limpio("CUENTA-DESDE");
            const QString hasta = limpio("CUENTA-HASTA");
            if (Reglas().EsImputable(cuenta))
                cubre = igual(recortado, cuenta);
            else if (desde.isEmpty())
                cubre = igual(codigo.left(cuenta.size()), cuenta);
            else
                cubre = entre(recortado, desde) >= 0 && entre(recortado, hasta) <= 0;
        });
        if (!sigue) return false;
        if (cubre) {
            resultado = true;
            break;
        }
        rs->MoveNext();
    }
    db.CierraRecordset(rs);
    return resultado;
}
