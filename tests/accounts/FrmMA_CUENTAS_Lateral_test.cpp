// The side toolbar and the companion windows it opens act on the account the chart shows and
// validated, whatever state the chart was left in and whatever a companion window did to the
// shared current account: nothing is written for any other account.
#include "account_extras/Frmta_asigccosto.h"
#include "account_extras/frmMA_CUENTASADIC.h"
#include "accounts/CuentasDePrueba.h"
#include "accounts/EnlacesCuentas.h"
#include "accounts/frmMa_ManualCuentas.h"
#include "outside/controls/BarraBotones.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/TreeView.h"
#include "outside/runtime/Dialogos.h"
#include "services/CNStuffContable.h"
#include "support/ContenidoBase.h"
#include "support/Control.h"
#include "support/ImprimeQt.h"
#include "support/Teclado.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <functional>
#include <tuple>

namespace {

// Every question answered with the answer that lets the action go on (Yes, OK) and recorded: the
// table looks for writes, so nothing that could lead to one is turned down. A lookup window or
// a file dialog has no place on these roads.
class DialogosQueAceptan : public vb::Dialogos {
  public:
    DialogosQueAceptan() : anteriores_(&vb::dialogos()) { vb::setDialogos(this); }
    ~DialogosQueAceptan() override { vb::setDialogos(anteriores_); }
    DialogosQueAceptan(const DialogosQueAceptan&) = delete;
    DialogosQueAceptan& operator=(const DialogosQueAceptan&) = delete;

    int MsgBox(const QString& texto, int estilo, const QString&) override {
        textos << texto;
        const int botones = estilo & 7;
        return botones == vb::vbYesNo || botones == vb::vbYesNoCancel ? vb::vbYes : vb::vbOK;
    }
    QString InputBox(const QString& texto, const QString&, const QString&) override {
        ADD_FAILURE() << "unexpected input box: " << texto.toStdString();
        return {};
    }
    void MostrarModal(QWidget* formulario) override {
        ADD_FAILURE() << "unexpected window: " << formulario->windowTitle().toStdString();
        formulario->hide();
    }
    QString AbrirArchivo(const QString&, const QString&, bool* cancelado) override {
        ADD_FAILURE() << "unexpected file dialog";
        if (cancelado) *cancelado = true;
        return {};
    }
    QStringList textos;

  private:
    vb::Dialogos* anteriores_;
};

// The chart as a user leaves it, then every action of the side toolbar and what can be done in
// the windows they open. 11030100104 is the account a state shows; 11030100103, one key away,
// is confidential; 11030100105 is what a companion window loads of its own.
const QString kMostrada = "11030100104";
const QString kVecina = "11030100103";

QStringList Datos() {
    return {"UPDATE MA_CUENTAS SET CONFIDENCIAL = 1 WHERE CODIGO = '11030100103'",
            "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, TipoVista) VALUES "
            "('11030100150', 'CLIENTE A BORRAR', 0, 'CL')",
            "INSERT INTO [MA_CASH-DETALLE] (CODIGO_CASH, CUENTA, DESCRIPCION) VALUES "
            "('VEN', '110301001', 'COBRANZAS')",
            "INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE) VALUES ('11030100103', '111', 100), "
            "('11030100104', '111', 100), ('11030100105', '21', 100)"};
}

class Escena {
  public:
    explicit Escena(const QString& usuario) : v(Datos(), usuario) {
        EnlacesCuentas::RegistraFormulariosDelSistema();
        v.Iniciar();
    }
    ~Escena() {
        if (frmMa_ManualCuentas* m = frmMa_ManualCuentas::Instancia()) delete m;
    }

    void Lateral(int boton) {
        teclado::Activa(&v.f());
        Control<vb::BarraBotones>(v.f(), "Tbar")->Pulsa(boton);
        QApplication::processEvents();
    }
    // The cost-centre window, opened by the chart, loads another account in its own box.
    void CentrosConOtraCuenta(const QString& otra) {
        Lateral(4);
        ASSERT_TRUE(Frmta_asigccosto::Existe());
        Frmta_asigccosto& cc = Frmta_asigccosto::instancia();
        teclado::Activa(&cc);
        vb::CajaTexto* caja = Control<vb::CajaTexto>(cc, "txtCuenta", 0);
        QTest::mouseClick(caja, Qt::LeftButton);
        caja->selectAll();
        teclado::Teclea(otra);
        teclado::Tecla(Qt::Key_Return);
    }

    CuentasDePrueba v;
};

struct Estado {
    const char* nombre;
    QString mostrada;  // the account the chart shows and validated after it; "" for none
    std::function<void(Escena&)> prepara;
};

const QList<Estado>& Estados() {
    static const QList<Estado> estados{
        {"Nuevo", "", [](Escena& e) { e.v.Boton("NUEVO"); }},
        {"Cancelar", "",
         [](Escena& e) {
             e.v.EscribirCodigo(kMostrada);
             e.v.Boton("CANCELAR");
         }},
        {"Borrar", "",
         [](Escena& e) {
             e.v.EscribirCodigo("11030100150");
             e.v.Boton("BORRAR");
             EXPECT_EQ(e.v.Guardado("11030100150", "DESCRIPCION"), "(sin fila)");
         }},
        {"Grabar rechazado", kMostrada,
         [](Escena& e) {
             e.v.EscribirCodigo(kMostrada);
             vb::CajaTexto* d = Control<vb::CajaTexto>(e.v.f(), "txtFields", 0);
             d->setFocus();
             d->selectAll();
             QTest::keyClick(d, Qt::Key_Delete);
             e.v.Tecla(Qt::Key_F4);
             EXPECT_TRUE(e.v.f().Rechazo());
         }},
        {"Companera con otra cuenta", kMostrada,
         [](Escena& e) {
             e.v.EscribirCodigo(kMostrada);
             e.CentrosConOtraCuenta("11030100105");
             Frmta_asigccosto::instancia().close();
             QApplication::processEvents();
             // Whatever a companion leaves in the shared account, the neighbour included.
             CNStuffContable::gCuentaActual = kVecina;
         }},
    };
    return estados;
}

struct Accion {
    const char* nombre;
    std::function<void(Escena&)> hace;
};

const QList<Accion>& Acciones() {
    static const QList<Accion> acciones{
        {"Actualizar Jerarquías de Cuentas", [](Escena& e) { e.Lateral(1); }},
        {"Datos Adicionales: Borrar, Borrar, Grabar, Nuevo, Borrar, Grabar",
         [](Escena& e) {
             e.Lateral(2);
             if (!frmMA_CUENTASADIC::Existe()) return;
             frmMA_CUENTASADIC& f = frmMA_CUENTASADIC::instancia();
             teclado::Activa(&f);
             QTest::mouseClick(Control<vb::CajaTexto>(f, "txtFields", 1), Qt::LeftButton);
             for (Qt::Key k : {Qt::Key_F3, Qt::Key_F3, Qt::Key_F4, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4})
                 if (frmMA_CUENTASADIC::Existe() && f.isVisible()) teclado::Tecla(k);
             if (frmMA_CUENTASADIC::Existe()) delete &frmMA_CUENTASADIC::instancia();
         }},
        {"Manual de Cuentas: a text typed and left",
         [](Escena& e) {
             e.Lateral(3);
             frmMa_ManualCuentas* m = frmMa_ManualCuentas::Instancia();
             ASSERT_NE(m, nullptr);
             teclado::Activa(m);
             auto* debe = Control<QPlainTextEdit>(*m, "txtFields", 0);
             if (debe->isEnabled()) {
                 QTest::mouseClick(debe->viewport(), Qt::LeftButton);
                 teclado::Teclea("NUEVO TEXTO");
                 // Left for the other text, which writes both.
                 QTest::mouseClick(Control<QPlainTextEdit>(*m, "txtFields", 1)->viewport(), Qt::LeftButton);
             }
             m->close();
             QApplication::processEvents();
         }},
        {"Centros de Costos: Cancelar, Grabar, Borrar",
         [](Escena& e) {
             e.Lateral(4);
             if (!Frmta_asigccosto::Existe()) return;
             Frmta_asigccosto& cc = Frmta_asigccosto::instancia();
             teclado::Activa(&cc);
             teclado::Tecla(Qt::Key_F8);
             // Cleared, the window shows nothing of the account and acts on none.
             EXPECT_TRUE(Control<QLabel>(cc, "lblDescripcion")->text().isEmpty());
             EXPECT_TRUE(Control<vb::CajaTexto>(cc, "txtCuenta", 0)->text().isEmpty());
             for (Qt::Key k : {Qt::Key_F4, Qt::Key_F3}) teclado::Tecla(k);
             cc.close();
             QApplication::processEvents();
         }},
        {"Centros de Costos: Grabar, Borrar",
         [](Escena& e) {
             e.Lateral(4);
             if (!Frmta_asigccosto::Existe()) return;
             Frmta_asigccosto& cc = Frmta_asigccosto::instancia();
             teclado::Activa(&cc);
             for (Qt::Key k : {Qt::Key_F4, Qt::Key_F3}) teclado::Tecla(k);
             cc.close();
             QApplication::processEvents();
         }},
        {"Jerarquías de Cuentas", [](Escena& e) { e.Lateral(5); }},
        {"Adjuntar Jerarquías", [](Escena& e) { e.Lateral(6); }},
        {"Actualizar Cash Flow", [](Escena& e) { e.Lateral(7); }},
    };
    return acciones;
}

// What the chart still shows or offers of an account: its check digit, its description, the
// boxes only an account may use.
QStringList RestosDeCuenta(FrmMA_CUENTAS& f) {
    QStringList restos;
    const QString digito = Control<QLabel>(f, "LblDV")->text();
    if (digito != "0") restos << "Dígito Verificador " + digito;
    for (const char* caja : {"CHKAjustable", "ChkBloqueo", "ChkBdu"})
        if (Control<QCheckBox>(f, caja)->isEnabled()) restos << QString(caja) + " habilitado";
    if (!Control<QLabel>(f, "LblDescRelacionado")->text().isEmpty()) restos << "Cuenta Relacionada";
    if (!Control<vb::CajaTexto>(f, "txtFields", 0)->text().trimmed().isEmpty()) restos << "Descripción";
    return restos;
}

// A changed row that belongs to the account: one of its fields is the code.
bool DeLaCuenta(const QString& diferencia, const QString& cuenta) {
    if (cuenta.isEmpty()) return false;
    const QString fila = diferencia.mid(diferencia.indexOf(QRegularExpression(" [-+]")) + 2);
    for (const QString& campo : fila.split('|'))
        if (campo.trimmed() == cuenta) return true;
    return false;
}

// One test per user and state, so that the suite's processes share the table.
class EveryWindowAtEveryState : public ::testing::TestWithParam<std::tuple<const char*, int>> {};

TEST_P(EveryWindowAtEveryState, NothingIsWrittenForAnyAccountButTheOneShown) {
    const QString usuario = std::get<0>(GetParam());
    const Estado& estado = Estados().at(std::get<1>(GetParam()));
    SCOPED_TRACE(estado.nombre);
    Escena e(usuario);
    DialogosQueAceptan dialogos;
    estado.prepara(e);
    ASSERT_EQ(e.v.f().CuentaGuardada() ? kMostrada : QString(), estado.mostrada);
    // A form that holds no account shows nothing of the one it held and offers nothing for one.
    if (estado.mostrada.isEmpty()) {
        EXPECT_EQ(RestosDeCuenta(e.v.f()), QStringList());
    }
    ContenidoBase antes = Contenido(e.v.base());
    for (const Accion& a : Acciones()) {
        SCOPED_TRACE(a.nombre);
        a.hace(e);
        ContenidoBase despues = Contenido(e.v.base());
        for (const QString& d : Diferencias(antes, despues))
            EXPECT_TRUE(DeLaCuenta(d, estado.mostrada)) << d.toStdString();
        antes = std::move(despues);
    }
    for (const QString& t : dialogos.textos) {
        EXPECT_FALSE(t.startsWith("Se produjo un error")) << t.toStdString();
        if (usuario == "OPERADOR") {
            EXPECT_FALSE(t.contains(kVecina)) << t.toStdString();
            EXPECT_FALSE(t.contains("ALMACEN DON PEDRO")) << t.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SideToolbar, EveryWindowAtEveryState,
                         ::testing::Combine(::testing::Values("ADMIN", "OPERADOR"),
                                            ::testing::Range(0, int(Estados().size()))));

class TheChartsAccount : public ::testing::TestWithParam<const char*> {};

// The cost-centre window loads another account in its own box; back in the chart, which still
// shows the first one, the cash flow and the manual act on the chart's account.
TEST_P(TheChartsAccount, AfterTheCostCentresLoadedAnother) {
    CuentasDePrueba v({"INSERT INTO [MA_CASH-DETALLE] (CODIGO_CASH, CUENTA, DESCRIPCION) VALUES "
                       "('SUE', '510101001', 'SUELDOS')"},
                      GetParam());
    EnlacesCuentas::RegistraFormulariosDelSistema();
    v.Iniciar();
    v.EscribirCodigo("51010100101");
    Control<vb::BarraBotones>(v.f(), "Tbar")->Pulsa(4);
    ASSERT_TRUE(Frmta_asigccosto::Existe());
    Frmta_asigccosto& cc = Frmta_asigccosto::instancia();
    teclado::Activa(&cc);
    v.guion().esperarMsgBox(vb::vbYes);
    teclado::Tecla(Qt::Key_F8);
    EXPECT_EQ(v.guion().preguntas().value(0).texto, "¿Está seguro de abandonar la carga de datos?");
    ASSERT_EQ(QApplication::focusWidget(), Control<vb::CajaTexto>(cc, "txtCuenta", 0));
    teclado::Teclea("51010100103");
    teclado::Tecla(Qt::Key_Return);
    EXPECT_EQ(Control<QLabel>(cc, "lblDescripcion")->text(), "CARGAS SOCIALES");

    teclado::Activa(&v.f());
    EXPECT_EQ(Control<vb::CajaTexto>(v.f(), "TxtCodigo")->text(), "5-1-01-01-00101");
    const ContenidoBase antes = Contenido(v.base());
    v.guion().esperarMsgBox(vb::vbYes);
    Control<vb::BarraBotones>(v.f(), "Tbar")->Pulsa(7);
    EXPECT_EQ(v.guion().preguntas().value(1).texto, "¿Desea actualizar la estructura de Cash-Flow?");
    Control<vb::BarraBotones>(v.f(), "Tbar")->Pulsa(3);
    frmMa_ManualCuentas* m = frmMa_ManualCuentas::Instancia();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(Control<QLabel>(*m, "LblCuenta")->text(), "Cuenta: 51010100101 SUELDOS PERSONAL");
    teclado::Activa(m);
    QTest::mouseClick(Control<QPlainTextEdit>(*m, "txtFields", 0)->viewport(), Qt::LeftButton);
    teclado::Teclea("SUELDOS DEL MES");
    QTest::mouseClick(Control<QPlainTextEdit>(*m, "txtFields", 1)->viewport(), Qt::LeftButton);
    delete m;

    const QStringList cambios = Diferencias(antes, Contenido(v.base()));
    EXPECT_EQ(cambios.size(), 3) << cambios.join('\n').toStdString();
    for (const QString& d : cambios) EXPECT_TRUE(DeLaCuenta(d, "51010100101")) << d.toStdString();
    EXPECT_EQ(v.Guardado("51010100101", "Manual"), "SUELDOS DEL MES");
    EXPECT_EQ(v.Filas("SELECT count(*) FROM [MA_CASH-DETALLE] WHERE CUENTA = '51010100101'"), 1);
    EXPECT_EQ(v.guion().preguntas().size(), 2);
}

// "Centros de Costos" is on only while the chart holds a validated postable account, whatever
// event ran last; off, it opens nothing.
TEST(SideToolbarCostCentres, TheButtonFollowsTheAccountShown) {
    CuentasDePrueba v;
    QStringList abiertos;
    EnlacesCuentas::RegistraFormulario("Frmta_asigccosto",
                                       [&abiertos] { abiertos << CNStuffContable::gCuentaActual; });
    v.Iniciar();
    QAction* centros = Control<vb::BarraBotones>(v.f(), "Tbar")->Buttons(4);
    struct Paso {
        const char* que;
        std::function<void()> hace;
        bool encendido;
    };
    const QList<Paso> pasos{
        {"al abrir", [] {}, false},
        {"una cuenta imputable", [&] { v.EscribirCodigo("51010100101"); }, true},
        {"Cancelar",
         [&] {
             v.guion().esperarMsgBox(vb::vbYes);
             v.Tecla(Qt::Key_F8);
         },
         false},
        {"un título", [&] { v.EscribirCodigo("510101001"); }, false},
        {"una cuenta nueva", [&] { v.EscribirCodigo("51010100199"); }, true},
        {"Nuevo tras Cancelar",
         [&] {
             v.guion().esperarMsgBox(vb::vbYes);
             v.Tecla(Qt::Key_F8);
             v.Tecla(Qt::Key_F2);
         },
         false},
    };
    for (const Paso& p : pasos) {
        SCOPED_TRACE(p.que);
        p.hace();
        EXPECT_EQ(centros->isEnabled(), p.encendido);
        const qsizetype antes = abiertos.size();
        Control<vb::BarraBotones>(v.f(), "Tbar")->Pulsa(4);
        EXPECT_EQ(abiertos.size(), antes + (p.encendido ? 1 : 0));
    }
    EXPECT_EQ(abiertos, (QStringList{"51010100101", "51010100199"}));
    EnlacesCuentas::RegistraFormulario("Frmta_asigccosto", {});
}

// An account deleted, physically or by its mark, leaves the tree and the form alike: no other node
// is chosen in its place, the form waits for a code, and a save then writes nothing.
TEST(SideToolbarCostCentres, AfterADeleteTheTreeAndTheFormShowNoAccount) {
    CuentasDePrueba v(
        {"INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO) VALUES "
         "('21019900101', 'AÑO ANTERIOR', 0), ('21019900102', 'SIN MOVIMIENTOS', 0)",
         "INSERT INTO MV_ASIENTOS (PERIODO, CUENTA, IMPORTE, ES_SALDO_APERTURA) VALUES "
         "('2026', '21019900101', 1200, 0)"});
    v.Iniciar();
    v.f().Treev_Estado(true);
    auto* arbol = Control<vb::TreeView>(v.f(), "TreeV");
    for (const char* codigo : {"21019900101", "21019900102"}) {
        SCOPED_TRACE(codigo);
        v.EscribirCodigo(codigo);
        ASSERT_EQ(arbol->ClaveSeleccionada(), QString("A") + codigo);
        v.guion().esperarMsgBox(vb::vbYes);
        v.Tecla(Qt::Key_F3);
        EXPECT_EQ(v.Filas(QString("SELECT count(*) FROM MA_CUENTAS WHERE CODIGO = '") + codigo +
                          "' AND DADA_DE_BAJA = 0"),
                  0);
        EXPECT_FALSE(arbol->Existe(QString("A") + codigo));
        EXPECT_EQ(arbol->currentItem(), nullptr);
        EXPECT_TRUE(arbol->selectedItems().isEmpty());
        EXPECT_FALSE(v.f().CuentaGuardada());
        EXPECT_TRUE(Control<vb::CajaTexto>(v.f(), "TxtCodigo")->text().isEmpty());
        EXPECT_TRUE(Control<vb::CajaTexto>(v.f(), "txtFields", 0)->text().isEmpty());
        const ContenidoBase antes = Contenido(v.base());
        v.Tecla(Qt::Key_F4);
        EXPECT_EQ(Diferencias(antes, Contenido(v.base())), QStringList());
    }
    EXPECT_EQ(v.Guardado("21019900101", "DADA_DE_BAJA"), "1");
    EXPECT_EQ(v.Guardado("21019900102", "DESCRIPCION"), "(sin fila)");
}

INSTANTIATE_TEST_SUITE_P(SideToolbar, TheChartsAccount, ::testing::Values("ADMIN", "OPERADOR"));

}  // namespace
