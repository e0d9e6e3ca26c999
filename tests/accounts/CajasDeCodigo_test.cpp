// Every box that holds a code, on every window, driven through the same keys as a user types
// them, each key to the focused widget of the window: a new code box is covered by adding its
// row to the table.
#include "account_extras/Frmta_asigccosto.h"
#include "account_extras/frmMA_CUENTASADIC.h"
#include "accounts/CuentasDePrueba.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/Teclas.h"
#include "outside/controls/UtilVex.h"
#include "outside/maker/VisorConsulta.h"
#include "outside/runtime/Pantalla.h"
#include "services/CNStuffContable.h"
#include "support/Control.h"
#include "support/LocaleNumeros.h"
#include "support/Pantallas.h"
#include "support/Teclado.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace {

enum class Ventana { Plan, CentrosDeCostos, DatosAdicionales, DatosAdicionalesSolos };

struct CajaDeCodigo {
    Ventana ventana;
    const char* caja;      // the box, by its name
    const char* antes;     // a code the user types back in after another ("" when none)
    const char* codigo;    // the code the user types
    const char* etiqueta;  // what names the row of the code taken
    const char* nombre;    // what it shows once the code typed is taken
    const char* vacio;     // the refusal of an emptied box left with Enter ("" none)
    const char* otra;      // a control the user clicks to leave the box ("" none at hand)
    Qt::Key tecla;         // a function key of the window's toolbar pressed over the box's search
    const char* pregunta;  // what its action asks, answered No ("" nothing)
};

std::ostream& operator<<(std::ostream& os, const CajaDeCodigo& c) {
    return os << c.caja;
}

// The chart shows 11030100119, related to 11010100101; the additional data are those of the
// customer 11030100103; the cost centres and the additional data on their own start empty.
const CajaDeCodigo kCajas[] = {
    {Ventana::Plan, "TxtCodigo", "11030100119", "11030100105", "txtFields_0", "DISTRIBUIDORA NORTE SRL", "",
     "txtFields_2", Qt::Key_F6, ""},
    {Ventana::Plan, "txtFields_1", "11030100119", "11030100105", "txtFields_0", "DISTRIBUIDORA NORTE SRL",
     "La cuenta Ingresada no es correcta verifique la cantidad de Digitos", "txtFields_2", Qt::Key_F8,
     "¿Está seguro de abandonar la carga de datos?"},
    {Ventana::Plan, "txtFields_3", "11010100101", "11010100102", "LblDescRelacionado", "CAJA DOLARES", "",
     "txtFields_2", Qt::Key_F4,
     "Esta cuenta esta informada en el rango de cuentas de datos adicionales, ¿Desea Actualizar los "
     "datos adicionales?"},
    {Ventana::CentrosDeCostos, "txtCuenta_0", "", "51010100101", "lblDescripcion", "SUELDOS PERSONAL",
     "Debe Ingresar una Cuenta", "ChkPideConf", Qt::Key_F2, ""},
    {Ventana::DatosAdicionales, "txtFields_8", "1", "2", "lblDetalle_0", "CAPITAL FEDERAL",
     "Debe ingresar el campo : Provincia", "txtFields_7", Qt::Key_F4, ""},
    {Ventana::DatosAdicionales, "txtFields_9", "1", "3", "lblDetalle_1", "CHILE",
     "Debe ingresar el campo : Pais", "txtFields_7", Qt::Key_F4, ""},
    {Ventana::DatosAdicionales, "txtFields_11", "80", "96", "lblDetalle_2", "D.N.I.", "", "txtFields_7",
     Qt::Key_F4, ""},
    {Ventana::DatosAdicionales, "txtFields_13", "6", "4", "lblDetalle_3", "EXENTO", "", "txtFields_7",
     Qt::Key_F4, ""},
    {Ventana::DatosAdicionales, "txtFields_17", "2", "3", "lblDetalle_4", "CUENTA CORRIENTE 60 DIAS", "",
     "txtFields_18", Qt::Key_F4, ""},
    {Ventana::DatosAdicionales, "txtFields_19", "2", "3", "lblDetalle_5", "CONSUMIDOR FINAL", "",
     "txtFields_18", Qt::Key_F4, ""},
    {Ventana::DatosAdicionales, "txtFields_20", "1", "2", "lblDetalle_6", "BONIFICACION", "", "txtFields_18",
     Qt::Key_F4, ""},
    {Ventana::DatosAdicionales, "txtFields_21", "1", "2", "lblDetalle_7", "COMPRA ESPECIAL", "",
     "txtFields_18", Qt::Key_F4, ""},
    {Ventana::DatosAdicionales, "txtFields_22", "1", "4", "lblDetalle_8", "RIVERO, CLAUDIA", "",
     "txtFields_18", Qt::Key_F4, ""},
    {Ventana::DatosAdicionalesSolos, "txtFields_0", "", "11030100104", "LblTitulo", "SUPERMERCADO EL SOL",
     "La cuenta ingresada no existe!!!", "", Qt::Key_F8, ""},
};

// The window of the row opened over the chart, as a user opens it, on the chart's screen.
QWidget& AbreVentana(FrmMA_CUENTAS& plan, Ventana ventana) {
    QWidget* w = &plan;
    switch (ventana) {
        case Ventana::Plan:
            break;
        case Ventana::CentrosDeCostos:
            Frmta_asigccosto::instancia().Mostrar(true);
            w = &Frmta_asigccosto::instancia();
            break;
        case Ventana::DatosAdicionales:
            CNStuffContable::gCuentaActual = "11030100103";
            frmMA_CUENTASADIC::Muestra();
            w = &frmMA_CUENTASADIC::instancia();
            break;
        case Ventana::DatosAdicionalesSolos: {
            frmMA_CUENTASADIC& a = frmMA_CUENTASADIC::instancia();
            a.FijaFormaIndependiente(true);
            a.Form_Load();
            vb::MuestraVentana(&a);
            w = &a;
            break;
        }
    }
    QApplication::setActiveWindow(w);
    QApplication::processEvents();
    return *w;
}
// The search open over a box of the window, if any.
vb::BusquedaCodigo* Busqueda(QWidget& w) {
    for (vb::BusquedaCodigo* b : w.findChildren<vb::BusquedaCodigo*>())
        if (b->Visible()) return b;
    return nullptr;
}
// The control's tab brought forward, then a click on it, as a user reaches it.
void Clic(QWidget* control) {
    for (QWidget* p = control->parentWidget(); p; p = p->parentWidget())
        if (auto* pestanias = qobject_cast<QTabWidget*>(p))
            for (int i = 0; i < pestanias->count(); ++i)
                if (pestanias->widget(i)->isAncestorOf(control) && pestanias->currentIndex() != i)
                    QTest::mouseClick(pestanias->tabBar(), Qt::LeftButton, {},
                                      pestanias->tabBar()->tabRect(i).center());
    teclado::Clic(control);
}
void Pulsa(Qt::Key tecla, Qt::KeyboardModifiers mod = {}) {
    teclado::Tecla(tecla, mod);
}
void Teclea(const QString& texto) {
    teclado::Teclea(texto);
}
// The box clicked, what it shows selected and a code typed over it: the search opens on the
// first key and takes the rest.
void TecleaSobreLoMostrado(vb::CajaTexto* caja, const QString& codigo) {
    Clic(caja);
    Pulsa(Qt::Key_A, Qt::ControlModifier);
    Teclea(codigo);
}
QString Digitos(const vb::CajaTexto* caja) {
    return QString(caja->text()).remove('-').trimmed();
}

// Runs a check as a key reaches the box, before any of the window's own handlers sees it there.
class AntesDeLaCaja : public QObject {
  public:
    AntesDeLaCaja(QWidget* caja, Qt::Key tecla, std::function<void()> mira)
        : caja_(caja), tecla_(tecla), mira_(std::move(mira)) {
        qApp->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (objeto == caja_ && evento->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(evento)->key() == tecla_)
            mira_();
        return false;
    }

  private:
    QWidget* caja_;
    Qt::Key tecla_;
    std::function<void()> mira_;
};

class CodeBoxes : public ::testing::TestWithParam<CajaDeCodigo> {
  protected:
    void SetUp() override {
        v.Iniciar();
        v.EscribirCodigo("11030100119");
        ASSERT_TRUE(v.f().CuentaGuardada());
    }
    QWidget& Abre(Ventana ventana) { return AbreVentana(v.f(), ventana); }

    LocaleNumeros locale_{LocaleNumeros::coma()};
    CuentasDePrueba v{{"UPDATE MA_CUENTAS SET CuentaPrincipal = '11010100101' WHERE CODIGO = '11030100119'"}};
};

TEST_P(CodeBoxes, EveryKeyLeavesTheBoxWithExactlyWhatTheUserTyped) {
    const CajaDeCodigo& c = GetParam();
    QWidget& w = Abre(c.ventana);
    auto* caja = Control<vb::CajaTexto>(w, c.caja);
    const QString codigo = c.codigo;
    const QString antes = *c.antes ? QString(c.antes) : codigo;

    // Ctrl+A selects the whole code and neither opens a search nor touches it.
    Clic(caja);
    const QString mostrado = caja->text();
    Pulsa(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(caja->text(), mostrado);
    EXPECT_EQ(caja->selectedText(), mostrado);
    EXPECT_EQ(Busqueda(w), nullptr);

    // BackSpace empties it; a key typed opens the box's search; Escape closes it over what was
    // typed and leaves the keyboard in the box, nothing checked.
    Pulsa(Qt::Key_Backspace);
    EXPECT_EQ(caja->text(), "");
    Teclea(codigo.left(1));
    ASSERT_NE(Busqueda(w), nullptr);
    EXPECT_EQ(Busqueda(w)->Tabla.compare(caja->Tag.trimmed(), Qt::CaseInsensitive), 0);
    Pulsa(Qt::Key_Escape);
    EXPECT_EQ(Busqueda(w), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), caja);
    EXPECT_EQ(caja->text(), codigo.left(1));

    // The whole code typed and Tab: the box keeps it and the keyboard goes on.
    Pulsa(Qt::Key_A, Qt::ControlModifier);
    Teclea(codigo);
    Pulsa(Qt::Key_Tab);
    EXPECT_EQ(Busqueda(w), nullptr);
    EXPECT_EQ(Digitos(caja), codigo);
    EXPECT_NE(QApplication::focusWidget(), caja);

    // Another code typed and a click elsewhere: the box keeps it.
    if (*c.otra) {
        Clic(caja);
        Pulsa(Qt::Key_A, Qt::ControlModifier);
        Teclea(antes);
        QWidget* otra = Control<QWidget>(w, c.otra);
        Clic(otra);
        EXPECT_EQ(Busqueda(w), nullptr);
        EXPECT_EQ(Digitos(caja), antes);
        EXPECT_EQ(QApplication::focusWidget(), otra);
    }

    // Ctrl+A, BackSpace, the code, Enter: exactly that code is taken.
    Clic(caja);
    Pulsa(Qt::Key_A, Qt::ControlModifier);
    Pulsa(Qt::Key_Backspace);
    Teclea(codigo);
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(Busqueda(w), nullptr);
    EXPECT_EQ(Digitos(caja), codigo);
    EXPECT_EQ(Control<QWidget>(w, c.etiqueta)->property("text").toString(), c.nombre);
    EXPECT_TRUE(v.guion().preguntas().isEmpty());
}

TEST_P(CodeBoxes, AnEmptiedBoxStaysEmpty) {
    const CajaDeCodigo& c = GetParam();
    QWidget& w = Abre(c.ventana);
    auto* caja = Control<vb::CajaTexto>(w, c.caja);
    if (*c.vacio) v.guion().esperarMsgBox(vb::vbOK);
    Clic(caja);
    Pulsa(Qt::Key_A, Qt::ControlModifier);
    Pulsa(Qt::Key_Backspace);
    Pulsa(Qt::Key_Return);
    EXPECT_EQ(Busqueda(w), nullptr);
    EXPECT_EQ(caja->text(), "");
    QStringList avisos;
    for (const Pregunta& p : v.guion().preguntas()) avisos << p.texto;
    EXPECT_EQ(avisos, *c.vacio ? QStringList{c.vacio} : QStringList{});
}

// The search open over the box and a click on the window's toolbar: the button acts on exactly
// what the user typed, never on the first key the box kept when the search opened.
TEST_P(CodeBoxes, AToolbarClickActsOnTheCodeTyped) {
    const CajaDeCodigo& c = GetParam();
    QWidget& w = Abre(c.ventana);
    auto* caja = Control<vb::CajaTexto>(w, c.caja);
    TecleaSobreLoMostrado(caja, c.codigo);
    ASSERT_NE(Busqueda(w), nullptr);
    // The additional data of an account save; elsewhere the list of the window's table shows.
    const bool graba = c.ventana == Ventana::DatosAdicionales;
    QToolButton* boton = Control<UtilVex>(w, "UtilVex1")->Boton(graba ? "GRABAR" : "PLANILLA");
    ASSERT_TRUE(boton->isEnabled());
    // What the box holds as the button acts: the release comes just before its action.
    QString alActuar = "(sin actuar)";
    bool abierta = true;
    QObject::connect(boton, &QAbstractButton::released, boton, [&] {
        alActuar = Digitos(caja);
        abierta = Busqueda(w) != nullptr;
    });
    QTest::mouseClick(boton, Qt::LeftButton);
    EXPECT_EQ(alActuar, c.codigo);
    EXPECT_FALSE(abierta);
    EXPECT_EQ(Busqueda(w), nullptr);
    if (graba) {
        const QString columna = caja->DataField;
        EXPECT_EQ(
            v.base().filas("SELECT TRIM(" + columna + ") FROM MA_CUENTASADIC WHERE CODIGO = '11030100103'"),
            QList<QStringList>{{c.codigo}});
        EXPECT_TRUE(v.guion().preguntas().isEmpty());
        return;
    }
    // The list the button shows is the action's own: it opened, on top of the window.
    ASSERT_NE(maker::gVisorConsulta().Ventana(), nullptr);
    EXPECT_TRUE(maker::gVisorConsulta().Ventana()->isVisible());
    maker::gVisorConsulta().Ventana()->close();
    EXPECT_TRUE(v.guion().preguntas().isEmpty());
}

// The search open over the box and a function key of the window's toolbar: the key takes the
// click's road, the box holding exactly the code typed and the search closed as the toolbar acts.
TEST_P(CodeBoxes, AToolbarKeyActsOnTheCodeTyped) {
    const CajaDeCodigo& c = GetParam();
    QWidget& w = Abre(c.ventana);
    auto* caja = Control<vb::CajaTexto>(w, c.caja);
    auto* barra = Control<UtilVex>(w, "UtilVex1");
    const QString accion = UtilVex::AccionDe(vb::vbKeyF1 + (c.tecla - Qt::Key_F1));
    ASSERT_TRUE(barra->Habilitado(accion)) << accion.toStdString();
    TecleaSobreLoMostrado(caja, c.codigo);
    ASSERT_NE(Busqueda(w), nullptr);
    // The window's toolbar acts on the key as the box receives it.
    QString alActuar = "(sin actuar)";
    bool abierta = true;
    AntesDeLaCaja antes(caja, c.tecla, [&] {
        alActuar = Digitos(caja);
        abierta = Busqueda(w) != nullptr;
    });
    QStringList acciones;
    QObject::connect(barra, &UtilVex::Click, barra, [&](const QString& a) { acciones << a; });
    if (*c.pregunta) v.guion().esperarMsgBox(vb::vbNo);
    const QString columna = caja->DataField;
    Pulsa(c.tecla);
    EXPECT_EQ(alActuar, c.codigo);
    EXPECT_FALSE(abierta);
    EXPECT_EQ(acciones, QStringList{accion});
    QStringList preguntas;
    for (const Pregunta& p : v.guion().preguntas()) preguntas << p.texto.simplified();
    EXPECT_EQ(preguntas, *c.pregunta ? QStringList{QString(c.pregunta)} : QStringList{});
    // "Grabar" stored the code typed: in the chart's account, or in the account's additional data.
    if (accion == "GRABAR") {
        const bool plan = c.ventana == Ventana::Plan;
        const QString sql = "SELECT TRIM(" + columna + ") FROM " + (plan ? "MA_CUENTAS" : "MA_CUENTASADIC") +
                            " WHERE CODIGO = '" + (plan ? "11030100119" : "11030100103") + "'";
        EXPECT_EQ(v.base().filas(sql), QList<QStringList>{{c.codigo}});
    }
    if (maker::gVisorConsulta().Ventana()) maker::gVisorConsulta().Ventana()->close();
}

// A screen reader names the open search after the box it searches for: its text and its list.
TEST_P(CodeBoxes, TheOpenSearchIsNamedAfterItsBox) {
    const CajaDeCodigo& c = GetParam();
    QWidget& w = Abre(c.ventana);
    auto* caja = Control<vb::CajaTexto>(w, c.caja);
    TecleaSobreLoMostrado(caja, QString(c.codigo).left(1));
    vb::BusquedaCodigo* b = Busqueda(w);
    ASSERT_NE(b, nullptr);
    auto nombre = [](QWidget* control) {
        QAccessibleInterface* interfaz = QAccessible::queryAccessibleInterface(control);
        return interfaz ? interfaz->text(QAccessible::Name) : QString();
    };
    QString deLaCaja = nombre(caja).trimmed();
    while (deLaCaja.endsWith(':')) deLaCaja = deLaCaja.chopped(1).trimmed();
    ASSERT_FALSE(deLaCaja.isEmpty());
    EXPECT_EQ(nombre(b->TxtBuscar), "Búsqueda de " + deLaCaja);
    EXPECT_EQ(nombre(b->LstCodigos), "Resultados de la búsqueda de " + deLaCaja);
    Pulsa(Qt::Key_Escape);
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, CodeBoxes, ::testing::ValuesIn(kCajas));

// The search lies whole where the user sees it: on the screen, inside its window and every frame
// that holds it (a scrolled view's among them); its text over the box, and a list of a few rows.
std::string Texto(const QRect& r) {
    return QStringLiteral("%1x%2+%3+%4").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y()).toStdString();
}
testing::AssertionResult SeVeEntera(const vb::BusquedaCodigo* b, const QWidget* caja) {
    const QRect enPantalla(b->mapToGlobal(QPoint(0, 0)), b->size());
    if (!b->screen()->availableGeometry().contains(enPantalla))
        return testing::AssertionFailure() << "fuera de la pantalla: " << Texto(enPantalla);
    for (const QWidget* p = b->parentWidget(); p; p = p->isWindow() ? nullptr : p->parentWidget())
        if (const QRect marco(p->mapToGlobal(QPoint(0, 0)), p->size()); !marco.contains(enPantalla))
            return testing::AssertionFailure() << "cortada por " << p->objectName().toStdString() << ": "
                                               << Texto(enPantalla) << " fuera de " << Texto(marco);
    const QRect texto(b->TxtBuscar->mapToGlobal(QPoint(0, 0)), b->TxtBuscar->size());
    const QRect sobre(caja->mapToGlobal(QPoint(0, 0)), caja->size());
    if (texto.bottom() < sobre.top() || texto.top() > sobre.bottom())
        return testing::AssertionFailure() << "su texto no está sobre la caja";
    const int filas = b->LstCodigos->viewport()->height() / b->LstCodigos->fontMetrics().height();
    if (filas < 4) return testing::AssertionFailure() << "la lista muestra " << filas << " filas";
    return testing::AssertionSuccess();
}

class CodeBoxSearchOnTheScreen : public ::testing::TestWithParam<CajaDeCodigo> {};

// Where a search's room runs out: the larger screen, the smaller one, and the smaller one at 200 %
// by font and by scaling (the larger screen's 150 % and 200 % leave more room than these).
const Configuracion kDondeFaltaLugar[] = {kConfiguraciones[0], kConfiguraciones[4], kConfiguraciones[6],
                                          kConfiguraciones[7]};

// Every box's search opens whole, however near the window's edge the box lies, wherever room is
// shortest.
TEST_P(CodeBoxSearchOnTheScreen, OpensWholeInsideItsWindow) {
    const CajaDeCodigo& c = GetParam();
    for (const Configuracion& conf : kDondeFaltaLugar) {
        SCOPED_TRACE(conf.nombre);
        QScreen* pantalla = PantallaDePrueba(conf.pantalla);
        if (!pantalla) GTEST_SKIP() << "sin las pantallas de la suite";
        const LetraEscalada letra(conf.letra);
        const LocaleNumeros locale{LocaleNumeros::coma()};
        CuentasDePrueba v;
        v.Iniciar(pantalla);
        v.EscribirCodigo("11030100119");
        QWidget& w = AbreVentana(v.f(), c.ventana);
        ASSERT_EQ(w.screen(), pantalla);
        auto* caja = Control<vb::CajaTexto>(w, c.caja);
        TecleaSobreLoMostrado(caja, QString(c.codigo).left(1));
        vb::BusquedaCodigo* b = Busqueda(w);
        ASSERT_NE(b, nullptr);
        EXPECT_TRUE(SeVeEntera(b, caja));
        Pulsa(Qt::Key_Escape);
        EXPECT_TRUE(v.guion().preguntas().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, CodeBoxSearchOnTheScreen, ::testing::ValuesIn(kCajas));

// After one box's search, every other code box of the window searches its own table, and a box
// whose own tag names no table opens no search at all.
TEST_P(CodeBoxes, EachBoxSearchesItsOwnTableAndAFreeBoxNone) {
    const CajaDeCodigo& c = GetParam();
    QWidget& w = Abre(c.ventana);
    auto* caja = Control<vb::CajaTexto>(w, c.caja);
    TecleaSobreLoMostrado(caja, c.codigo);
    ASSERT_NE(Busqueda(w), nullptr);
    Pulsa(Qt::Key_Return);
    ASSERT_TRUE(v.guion().preguntas().isEmpty());
    for (const CajaDeCodigo& otra : kCajas) {
        auto* otraCaja = w.findChild<vb::CajaTexto*>(otra.caja);
        if (otra.ventana != c.ventana || !otraCaja || otraCaja == caja || !otraCaja->isEnabled()) continue;
        SCOPED_TRACE(otra.caja);
        Clic(otraCaja);
        Pulsa(Qt::Key_End);
        const QString tenia = otraCaja->text();
        Pulsa(Qt::Key_Backspace);
        ASSERT_NE(Busqueda(w), nullptr);
        EXPECT_EQ(Busqueda(w)->Tabla.compare(otraCaja->Tag.trimmed(), Qt::CaseInsensitive), 0);
        // Back as it was: the last character typed again in the search, which Escape closes.
        Teclea(tenia.right(1));
        Pulsa(Qt::Key_Escape);
        EXPECT_EQ(otraCaja->text(), tenia);
    }
    int libres = 0;
    for (vb::CajaTexto* libre : w.findChildren<vb::CajaTexto*>()) {
        if (!libre->Tag.trimmed().isEmpty() || !libre->isEnabled()) continue;
        bool visible = true;
        for (QWidget* p = libre; p && p != &w; p = p->parentWidget()) visible = visible && !p->isHidden();
        if (!visible || libre->objectName().isEmpty()) continue;
        SCOPED_TRACE(libre->objectName().toStdString());
        Clic(libre);
        Pulsa(Qt::Key_End);
        Teclea(" X");
        EXPECT_EQ(Busqueda(w), nullptr);
        EXPECT_EQ(QApplication::focusWidget(), libre);
        ++libres;
    }
    // The cost centres have no free box.
    EXPECT_EQ(libres > 0, c.ventana != Ventana::CentrosDeCostos);
    EXPECT_TRUE(v.guion().preguntas().isEmpty());
}

}  // namespace
