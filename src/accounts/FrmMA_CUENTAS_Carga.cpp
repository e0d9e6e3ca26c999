// Load and unload, the reset to the waiting state, the fixed lists, the form's recordset, the
// display of one account and the lookup of the current field.
#include "accounts/EnlacesCuentas.h"
#include "accounts/FrmMA_CUENTAS.h"
#include "accounts/ValoresCuenta.h"
#include "data/DB_Dll.h"
#include "outside/ado/Field.h"
#include "outside/ado/Recordset.h"
#include "outside/controls/BarraBotones.h"
#include "outside/controls/BarraEstado.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/TreeView.h"
#include "outside/controls/UtilVex.h"
#include "outside/maker/ArchivoIni.h"
#include "outside/maker/EnlaceControles.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/ManejadorErrores.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>

using CNStuffContable::Cfg;
using CNStuffContable::gBaseDatos;

namespace {

const char* const kArchivoIni = "QT742p.INI";
const char* const kClaveArbol = "Mostrar Treeview";
const char* const kClaveAnchoArbol = "Ancho Treeview";

// Payment means in list order; positions 9/10 and 3/11 share a code.
const char* const kMediosDePago[] = {"Ninguno",
                                     "Efectivo",
                                     "Cheque",
                                     "Tarjetas de Credito",
                                     "Debitos/Creditos Bancario",
                                     "Documentos varios",
                                     "Retenciones/Percep IVA",
                                     "Retención/Percep Ingresos Brutos",
                                     "Retención/Percep Ganancias",
                                     "Retención/Percep Varias",
                                     "Retención/Percep SUSS",
                                     "Solicitud de crédito"};

// A list position that the list does not hold is ignored.
void Posiciona(QComboBox* lista, int posicion) {
    if (posicion >= 0 && posicion < lista->count()) lista->setCurrentIndex(posicion);
}

}  // namespace

using CuentasValores::EsBlanco;
using CuentasValores::EsVerdadero;

// Over sixty lines: the start-up settings one after another, in the order the window needs them.
QStringList FrmMA_CUENTAS::TablasQueLee() {
    return {"MA_CUENTAS", "SS_MA_CUENTAS", "TA_CCOSTO", "TA_MONEDAS"};
}

void FrmMA_CUENTAS::Form_Load() {
    auto& util = maker::gUtilidades();
    CNStuffContable::AplicaSkin(this);
    util.PreparaFormulario(this);
    CNStuffContable::AplicaIconoBarras(this);

    TablaActual = "MA_CUENTAS";
    CNStuffContable::LeeDigitosNiveles();
    CNStuffContable::LeePosicionesNiveles();
    // The boxes that hold an account's code show the longest code of these levels whole (levels
    // that cannot format a code leave them as designed: the code's own routines report it).
    vb::SinDetenerse([&] {
        const QString codigoMasLargo =
            CNStuffContable::FormateaCuenta(QString(CNStuffContable::gDigitosTotal, QLatin1Char('0')));
        for (vb::CajaTexto* caja : {TxtCodigo, txtFields[1], txtFields[3]}) caja->setMuestra(codigoMasLargo);
    });

    BusquedaCodigo1->hide();
    BusquedaCodigo2->hide();

    QString valor;
    maker::gArchivoIni().Leer(kArchivoIni, Cfg("NOMBRE"), kClaveArbol, "False", valor);
    MostrarArbol = CNStuffContable::ValorLogico(valor.trimmed());
    maker::gArchivoIni().Leer(kArchivoIni, Cfg("NOMBRE"), kClaveAnchoArbol, "0", valor);
    anchoArbol_ = std::max(0, int(vb::Val(valor)));

    LimpiaPantalla();
    Generar(TablaActual);

    // The tree follows the setting kept in the ini file.
    Tbar->setValue(6, MostrarArbol ? 1 : 0);
    Treev_Estado(MostrarArbol);
    Tbar->Buttons(7)->setVisible(gMuestraCashFlow);

    Label1->setVisible(CNStuffContable::CfgActiva("USA BIENES DE USO"));
    ChkBdu->setVisible(!Label1->isHidden());

    const int codigo = maker::gEnlaceControles().CampoEnlazado("CODIGO", txtFields);
    if (codigo >= 0) txtFields[codigo]->clear();

    const bool digito = CNStuffContable::CfgActiva("USADIGITOVERIFICADOR");
    LblDV->setVisible(digito);
    LblTitulo[5]->setVisible(digito);

    Tbar->Buttons(4)->setVisible(CNStuffContable::CfgActiva("USACCOSTO"));

    CNStuffContable::CargaComboMonedas(*CmbMoneda);
    if (CNStuffContable::gUsaMultiMonedas) Posiciona(CmbMoneda, int(vb::Val(Cfg("MonedaVentas"))) - 1);

    QString sql = "SELECT TOP 1 * FROM TA_CCOSTO";
    ado::RecordsetPtr rs;
    auto& db = gBaseDatos();
    db.AbrirRecordset(sql, rs, db.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
    if (rs->Eof()) {
        chkCCostos->setEnabled(false);
        chkCCostos->setChecked(false);
        chkCCostos->setProperty("Tag", "VACIO");
    } else {
        CCostoDefecto = util.TextoCampo(rs->valor("Codigo"));
        chkCCostos->setProperty("Tag", "");
    }
    db.CierraRecordset(rs);

    TituloClientesBonos = Cfg("TituloClientesBonos");
    TituloClientesMutuales = Cfg("TituloClientesMutuales");

    // The chart only shows the till it was started with: it never registers one.
    CNStuffContable::MuestraBarraEstado(*sbStatusBar, "");
    CargaComboTitulo();
}

void FrmMA_CUENTAS::Form_Unload(int& Cancel) {
    (void)Cancel;
    if (cerrando_) return;
    cerrando_ = true;
    vb::ManejadorErrores h("Unload", maker::gUtilidades().Reportero());
    // Whatever the answer, the program ends with its main window.
    h.paso([&] {
        maker::gArchivoIni().Escribir(kArchivoIni, Cfg("NOMBRE"), kClaveArbol,
                                      MostrarArbol ? "True" : "False");
        if (anchoArbol_ > 0)
            maker::gArchivoIni().Escribir(kArchivoIni, Cfg("NOMBRE"), kClaveAnchoArbol,
                                          QString::number(anchoArbol_));
    }) &&
        h.paso([&] { CNStuffContable::gCuentaActual.clear(); }) && h.paso([&] {
            rsCuentas.reset();
            hide();
            if (gFrmMA_CUENTAS == this) gFrmMA_CUENTAS = nullptr;
        });
    vb::End();
}

void FrmMA_CUENTAS::LimpiaPantalla() {
    // Every step runs even when an earlier one fails.
    auto paso = [](const std::function<void()>& f) {
        try {
            f();
        } catch (const vb::ErrorVB&) {
        }
    };
    auto& enlace = maker::gEnlaceControles();
    paso([&] {
        Nuevo = Borrando = Modificando = false;
        codigoAceptado_.clear();
        CodigoCuenta.clear();
    });
    paso([&] {
        CNStuffContable::LeeDigitosNiveles();
        CNStuffContable::LeePosicionesNiveles();
    });
    paso([&] { enlace.PreparaFormulario(this); });
    paso([&] {
        TxtCodigo->clear();
        txtFields[0]->setMaxLength(150);
        txtFields[1]->setMaxLength(20);
        txtFields[2]->setMaxLength(15);
        txtFields[3]->setMaxLength(15);
        txtFields[4]->setMaxLength(15);
        TxtCodigo->setMaxLength(15);
    });
    paso([&] { CargaCombos(); });
    paso([&] {
        OptTipoCuenta[0]->setChecked(true);
        LblDV->setText("0");
        LblDescRelacionado->clear();
    });
    paso([&] {
        for (QCheckBox* c : {CHKAjustable, ChkBloqueo, ChkBdu, chkCCostos, ChkVto}) c->setChecked(false);
        LimpiaLibros();
    });
    paso([&] { HabilitaCampos(false); });
    paso([&] { SSTab1->setCurrentIndex(0); });
    paso([&] {
        if (!Combo1->currentText().trimmed().isEmpty() && Combo1->count() > 0) Combo1->setCurrentIndex(0);
    });
    paso([&] {
        OptTipoCuenta[0]->setChecked(true);
        CargaComboTitulo();
        TxtCodigo->setFocus();
    });
}

void FrmMA_CUENTAS::HabilitaCampos(bool habilita) {
    struct Marca {
        bool& b;
        bool antes;
        explicit Marca(bool& m) : b(m), antes(m) { b = true; }
        ~Marca() { b = antes; }
    } marca(habilitando_);
    for (vb::CajaTexto* caja : txtFields) caja->setEnabled(habilita);
    if (habilita) {
        UtilVex1->setEstado(0x68030011, false);
        UtilVex1->setEstado(0x68030010, true);
        UtilVex1->setEstado(0x6803000B, true);
        UtilVex1->setEstado(0x6803000A, false);
        UtilVex1->setEstado(0x6803000C, true);
        OptTipoCuenta[0]->setEnabled(true);
        OptTipoCuenta[1]->setEnabled(true);
    } else {
        txtFields[0]->setEnabled(true);
        UtilVex1->setEstado(0x68030011, true);
        UtilVex1->setEstado(0x68030010, false);
        UtilVex1->setEstado(0x6803000B, false);
        UtilVex1->setEstado(0x6803000A, true);
        UtilVex1->setEstado(0x6803000C, false);
        CHKAjustable->setEnabled(false);
        ChkBloqueo->setEnabled(false);
        OptTipoCuenta[0]->setEnabled(false);
        OptTipoCuenta[1]->setEnabled(false);
        Tbar->Buttons(4)->setEnabled(false);
        ChkBdu->setEnabled(false);
        ChkBdu->setChecked(false);
        LimpiaLibros();
        for (QRadioButton* o : optLibros) o->setEnabled(false);
    }
    SSTab1->setTabEnabled(1, habilita);
}

void FrmMA_CUENTAS::CargaCombos() {
    maker::gEnlaceControles().PreparaFormulario(this, maker::EnlaceControles::kModoConfigurar);
    LblDV->setText("0");
    CHKAjustable->setChecked(false);
    CHKAjustable->setEnabled(OptTipoCuenta[0]->isChecked());

    {
        const QSignalBlocker bloqueo(CmbIndices);
        CmbIndices->clear();
        for (int i = 1; i <= 4; ++i) CmbIndices->addItem(Cfg(QString("Nombre_Indice%1").arg(i)).trimmed());
        CmbIndices->setCurrentIndex(-1);
    }
    CmbIndices->setCurrentIndex(0);
    {
        const QSignalBlocker bloqueo(CmbMP);
        CmbMP->clear();
        for (const char* texto : kMediosDePago) CmbMP->addItem(QString::fromUtf8(texto));
        CmbMP->setCurrentIndex(-1);
    }
    CmbMP->setCurrentIndex(0);

    ChkCyB->setChecked(false);
    chkCCostos->setChecked(false);
    // No other account's personalised values.
    VaciaPersonalizados();
}

void FrmMA_CUENTAS::Generar(const QString& tabla) {
    (void)tabla;
    vb::ManejadorErrores h("Generar", maker::gUtilidades().Reportero());
    if (!h.paso([&] {
            CNStuffContable::LeeDigitosNiveles();
            CNStuffContable::LeePosicionesNiveles();
        }))
        return;
    // Built from the form's own table, the value every caller passes.
    QString sql = "SELECT  top 1 * FROM " + TablaActual + " WHERE TITULO = 0";
    h.paso([&] {
        auto& db = gBaseDatos();
        db.AbrirRecordset(sql, rsCuentas, db.gCnn, ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
    });
}

void FrmMA_CUENTAS::AsignarDatos() {
    auto& util = maker::gUtilidades();
    // No current row: leave quietly.
    vb::ManejadorErrores h("AsignarDatos", [&util](const vb::ErrorVB& e, const QString& rutina) {
        if (e.Number == 3021) return 0;
        int respuesta = 0;
        util.TrataError(e, rutina, respuesta);
        return respuesta;
    });
    Modificando = true;
    if (AsignaCamposYTipo(h) && AsignaMedioDePago(h) && AsignaOpcionesCuenta(h) && AsignaNodoYVencimiento(h))
        h.paso([&] { AsignarPersonalizados(MSFlexGrid1, rsCuentas); }) &&
            h.paso([&] { RecuerdaCuentaMostrada(); });
}

bool FrmMA_CUENTAS::AsignaCamposYTipo(vb::ManejadorErrores& h) {
    auto& util = maker::gUtilidades();
    auto campo = [this](const char* nombre) { return rsCuentas->valor(QString::fromLatin1(nombre)); };
    if (!h.paso([&] {
            if (!rsCuentas) vb::Raise(3021);
            for (vb::CajaTexto* caja : txtFields) {
                const QVariant v = rsCuentas->valor(caja->DataField);
                if (caja->DataField.compare("CODIGO", Qt::CaseInsensitive) == 0)
                    caja->setText(CNStuffContable::FormateaCuenta(util.TextoCampo(v).trimmed()));
                else
                    caja->setText(util.TextoCampo(v));
            }
            TxtCodigo->setText(txtFields[1]->text());
        }))
        return false;
    if (!h.paso([&] {
            if (EsVerdadero(campo("TITULO"))) {
                OptTipoCuenta[1]->setChecked(true);
                LblDV->clear();
            } else {
                OptTipoCuenta[0]->setChecked(true);
                LblDV->setText(util.TextoCampo(campo("dv")));
                const QVariant cc = campo("usaccostoS");
                chkCCostos->setChecked(!EsBlanco(cc) && EsVerdadero(cc));
            }
        }))
        return false;
    return h.paso([&] {
        if (EsVerdadero(campo("AJUSTE"))) {
            CHKAjustable->setChecked(true);
            CmbIndices->setVisible(true);
            Posiciona(CmbIndices, int(vb::Val(util.TextoCampo(campo("INDICE")))) - 1);
        } else {
            CHKAjustable->setChecked(false);
            CmbIndices->setVisible(false);
            Posiciona(CmbIndices, 0);
        }
    });
}

bool FrmMA_CUENTAS::AsignaMedioDePago(vb::ManejadorErrores& h) {
    auto& util = maker::gUtilidades();
    auto campo = [this](const char* nombre) { return rsCuentas->valor(QString::fromLatin1(nombre)); };
    if (!h.paso([&] {
            CmbMP->setEnabled(true);
            const QString medio = util.TextoCampo(campo("MedioDePago")).trimmed().toUpper();
            const QStringList codigos{"EF", "CH", "TJ", "DB", "DC", "RI", "RB", "RG", "RO"};
            if (medio == "TJ") {
                CmbMP->setCurrentIndex(3);
                chkTarjeta->setChecked(false);
                const QVariant t = campo("nopidedatostarjeta");
                if (!EsBlanco(t) && EsVerdadero(t)) chkTarjeta->setChecked(true);
                const QString solicitud = Cfg("CtaSolicitudCredito").trimmed();
                if (solicitud.compare(util.TextoCampo(campo("codigo")).trimmed(), Qt::CaseInsensitive) == 0)
                    CmbMP->setCurrentIndex(11);
            } else if (medio == "RO") {
                CmbMP->setCurrentIndex(9);
                QString codigo = TxtCodigo->text();
                codigo.remove('-');
                if (Cfg("CTA_RET_OTRA_" + codigo.trimmed()).trimmed().compare("SU", Qt::CaseInsensitive) == 0)
                    CmbMP->setCurrentIndex(10);
            } else if (codigos.contains(medio)) {
                CmbMP->setCurrentIndex(int(codigos.indexOf(medio)) + 1);
            } else {
                CmbMP->setCurrentIndex(0);
            }
        }))
        return false;
    return h.paso([&] {
        if (CmbMP->currentIndex() == 0) CmbMoneda->setVisible(false);
    });
}

bool FrmMA_CUENTAS::AsignaOpcionesCuenta(vb::ManejadorErrores& h) {
    auto& util = maker::gUtilidades();
    auto campo = [this](const char* nombre) { return rsCuentas->valor(QString::fromLatin1(nombre)); };
    if (!h.paso([&] {
            ChkBloqueo->setChecked(EsVerdadero(campo("BLOQUEO")));
            ChkCyB->setChecked(EsVerdadero(campo("CajayBanco")));
            if (EsVerdadero(campo("libro_iva_compras")))
                optLibros[1]->setChecked(true);
            else if (EsVerdadero(campo("libro_iva_ventas")))
                optLibros[2]->setChecked(true);
            else if (!campo("libro_iva_compras").isNull() && !campo("libro_iva_ventas").isNull())
                optLibros[0]->setChecked(true);
            ChkBdu->setChecked(EsVerdadero(campo("BIENES")));
        }))
        return false;
    if (!h.paso([&] {
            if (!CNStuffContable::gUsaMultiMonedas) CmbMoneda->setVisible(false);
            // Hidden too (no payment means), the list holds the stored currency: a payment means
            // chosen next shows it, and a save writes what it shows.
            const QVariant moneda = campo("Moneda");
            if (!EsBlanco(moneda))
                Posiciona(CmbMoneda, int(vb::Val(util.TextoCampo(moneda))) - 1);
            else
                Posiciona(CmbMoneda, 0);
        }))
        return false;
    return h.paso([&] {
        const QString relacionada = util.TextoCampo(campo("CuentaPrincipal")).trimmed();
        if (!relacionada.isEmpty())
            LblDescRelacionado->setText(
                util.TextoCampo(gBaseDatos().DatosTabla("ma_cuentas", relacionada, "Descripcion", "Codigo")));
        else
            LblDescRelacionado->clear();
    });
}

bool FrmMA_CUENTAS::AsignaNodoYVencimiento(vb::ManejadorErrores& h) {
    auto& util = maker::gUtilidades();
    auto campo = [this](const char* nombre) { return rsCuentas->valor(QString::fromLatin1(nombre)); };
    if (!h.paso([&] {
            // Keys are unique: the node of the key, when there is one.
            TreeV->Selecciona("A" + util.TextoCampo(campo("Codigo")));
        }))
        return false;
    return h.paso([&] {
        ChkVto->setChecked(false);
        const QVariant vto = campo("PideVencimiento");
        if (!EsBlanco(vto)) ChkVto->setChecked(EsVerdadero(vto));
    });
}

void FrmMA_CUENTAS::Consultar() {
    BusquedaCodigo1->hide();
    BusquedaCodigo2->hide();
    if (CampoActual < 0 || CampoActual >= txtFields.size()) return;
    vb::CajaTexto* caja = txtFields[CampoActual];
    const QString tabla = caja->Tag.trimmed();
    if (tabla.isEmpty()) return;
    const QString elegido = EnlacesCuentas::ConsultaTabla(tabla).trimmed();
    // A cancelled lookup leaves the field as it was.
    if (elegido.isEmpty()) return;
    auto& enlace = maker::gEnlaceControles();
    if (tabla.compare("MA_CUENTAS", Qt::CaseInsensitive) == 0) {
        const bool relacionada = caja->DataField.compare("CuentaPrincipal", Qt::CaseInsensitive) == 0;
        const int destino = enlace.CampoEnlazado(relacionada ? "CuentaPrincipal" : "Codigo", txtFields);
        if (destino >= 0) txtFields[destino]->setText(elegido);
        Campo_Valida(CampoActual, txtFields[CampoActual]);
    } else {
        const int destino = enlace.CampoEnlazado(caja->DataField, txtFields);
        if (destino >= 0) txtFields[destino]->setText(elegido);
    }
}

void FrmMA_CUENTAS::LimpiaLibros() {
    for (QRadioButton* o : optLibros) {
        const QSignalBlocker bloqueo(o);
        o->setChecked(false);
    }
}
