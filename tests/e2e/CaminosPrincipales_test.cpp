// The main road of every window, end to end on the demo company: the window opened as its user
// opens it, driven by keys to the focused widget and clicks on what a user clicks, and the rows
// the road must leave stored, every other row of the company as it was.
//
// A new window's main road is covered by adding its row to kCaminos.
#include "account_extras/Frmta_asigccosto.h"
#include "account_extras/frmMA_CUENTASADIC.h"
#include "accounts/CuentasDePrueba.h"
#include "accounts/EnlacesCuentas.h"
#include "accounts/frmMa_ManualCuentas.h"
#include "outside/controls/BarraBotones.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/UtilVex.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/Programa.h"
#include "support/CoeficientesAcordes.h"
#include "support/ContenidoBase.h"
#include "support/Control.h"
#include "support/ImprimeQt.h"
#include "support/LocaleNumeros.h"
#include "support/Teclado.h"
#include "support/TextoPdf.h"
#include "support/VentanaIndices.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMap>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>
#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>

using teclado::Clic;
using teclado::Tecla;
using teclado::Teclea;

namespace {

// ---- the programs a road starts in ----

// The chart of accounts with its companion windows, numbers in the "," locale.
class Plan : public CuentasDePrueba {
  public:
    explicit Plan(QStringList datos) : CuentasDePrueba(std::move(datos)) {
        EnlacesCuentas::RegistraFormulariosDelSistema();
    }

    // The account typed in the code box, key by key, and Enter.
    void Carga(const QString& codigo) {
        teclado::Clic(Control<vb::CajaTexto>(f(), "TxtCodigo"));
        teclado::Tecla(Qt::Key_A, Qt::ControlModifier);
        teclado::Teclea(codigo);
        teclado::Tecla(Qt::Key_Return);
    }
    // A button of the side toolbar, clicked.
    void Lateral(int boton) {
        auto* barra = Control<vb::BarraBotones>(f(), "Tbar");
        QWidget* b = barra->widgetForAction(barra->Buttons(boton));
        ASSERT_NE(b, nullptr);
        ASSERT_TRUE(b->isEnabled()) << barra->Buttons(boton)->text().toStdString();
        teclado::Clic(b);
    }

  private:
    LocaleNumeros coma_{LocaleNumeros::coma()};
};

// The index window, numbers in the "," locale.
class Indices : public VentanaIndices {
  public:
    explicit Indices(QStringList datos)
        : VentanaIndices(true, std::move(datos), "ADMIN", LocaleNumeros::coma()) {}
};

// A road ready to drive: its program started on a fresh demo company with the road's own rows.
class Recorrido {
  public:
    virtual ~Recorrido() = default;
    virtual BaseDePrueba& base() = 0;
    virtual void Recorre() = 0;
};

template <class Programa>
class RecorridoEn : public Recorrido {
  public:
    RecorridoEn(void (*camino)(Programa&), QStringList datos) : p_(std::move(datos)), camino_(camino) {
        p_.Iniciar();
    }
    BaseDePrueba& base() override { return p_.base(); }
    void Recorre() override { camino_(p_); }

  private:
    Programa p_;
    void (*camino_)(Programa&);
};

template <class Programa>
std::function<std::unique_ptr<Recorrido>()> En(void (*camino)(Programa&), QStringList datos = {}) {
    return [camino, datos] { return std::make_unique<RecorridoEn<Programa>>(camino, datos); };
}

// ---- the roads ----

// The audit rows of an account, by action.
int Acciones(CuentasDePrueba& c, const QString& cuenta, const char* tipo) {
    return c.Filas("SELECT count(*) FROM MV_CPTEACCIONES WHERE SYSTEMUSER LIKE '" + cuenta +
                   " %' AND Tipo_accion = '" + tipo + "'");
}

// The title "CAJA" chosen in the list by its arrows and left with Tab: its first free code is
// proposed. A name, the default cost centre, F4; the code typed again shows what was saved.
void CuentaNuevaDesdeLaPropuesta(Plan& c) {
    auto& f = c.f();
    ASSERT_EQ(c.Guardado("11010100103", "CODIGO"), "(sin fila)");
    auto* titulos = Control<QComboBox>(f, "Combo1");
    titulos->setFocus(Qt::TabFocusReason);
    for (int n = 0; n < titulos->count() && titulos->currentText().right(50).trimmed() != "110101001"; ++n)
        Tecla(Qt::Key_Down);
    ASSERT_EQ(titulos->currentText().left(80).trimmed(), "CAJA");
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtFields", 1)->text().remove('-'), "11010100103");
    EXPECT_TRUE(f.CuentaNueva());
    EXPECT_EQ(QApplication::focusWidget(), Control<vb::CajaTexto>(f, "txtFields", 2));

    Clic(Control<vb::CajaTexto>(f, "txtFields", 0));
    Teclea("CAJA CHICA");
    Clic(Control<QCheckBox>(f, "chkCCostos"));
    Tecla(Qt::Key_F4);
    ASSERT_FALSE(f.Rechazo()) << c.guion().preguntas().value(0).texto.toStdString();
    EXPECT_EQ(Acciones(c, "11010100103", "A"), 1);

    c.Carga("11010100103");
    ASSERT_TRUE(f.CuentaGuardada());
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtFields", 0)->text(), "CAJA CHICA");
    EXPECT_TRUE(Control<QCheckBox>(f, "chkCCostos")->isChecked());
    EXPECT_TRUE(c.guion().preguntas().isEmpty());
}

// A stored account loaded by its code, its name lengthened, F4.
void CuentaModificada(Plan& c) {
    auto& f = c.f();
    c.Carga("11010100201");
    ASSERT_TRUE(f.CuentaGuardada());
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtFields", 0)->text(), "FONDO FIJO ADMINISTRACION");
    Clic(Control<vb::CajaTexto>(f, "txtFields", 0));
    Tecla(Qt::Key_End);
    Teclea(" SUCURSAL");
    Tecla(Qt::Key_F4);
    ASSERT_FALSE(f.Rechazo()) << c.guion().preguntas().value(0).texto.toStdString();
    EXPECT_TRUE(c.guion().preguntas().isEmpty());
    EXPECT_EQ(Acciones(c, "11010100201", "M"), 1);
}

// A stored account with cash-flow lines and rows of its own loaded, F3 and both its questions
// answered Yes; F12 then ends the program, wherever the keyboard is.
void CuentaBorrada(Plan& c) {
    auto& f = c.f();
    c.Carga("11010100104");
    ASSERT_TRUE(f.CuentaGuardada());
    c.guion().esperarMsgBox(vb::vbYes);
    c.guion().esperarMsgBox(vb::vbYes);
    Tecla(Qt::Key_F3);
    ASSERT_FALSE(f.Rechazo());
    ASSERT_EQ(c.guion().preguntas().size(), 2);
    EXPECT_EQ(c.guion().preguntas().value(0).texto, "Confirma la baja de esta cuenta? 11010100104");
    EXPECT_EQ(c.guion().preguntas().value(1).texto,
              QString::fromUtf8(
                  "La cuenta está asociada a un Cash-Flow se darán de baja sus movimientos\rAcepta???"));
    EXPECT_EQ(Acciones(c, "11010100104", "B"), 1);
    EXPECT_THROW(Tecla(Qt::Key_F12), vb::FinDelPrograma);
}

// The chart's whole road on one account: proposed and saved as above, then loaded again by its
// code, its name changed and saved, deleted with F3, and F12 ends the program.
void CuentaDePuntaAPunta(Plan& c) {
    CuentaNuevaDesdeLaPropuesta(c);
    if (::testing::Test::HasFatalFailure()) return;
    auto& f = c.f();
    Clic(Control<vb::CajaTexto>(f, "txtFields", 0));
    Tecla(Qt::Key_End);
    Teclea(" SUCURSAL");
    Tecla(Qt::Key_F4);
    ASSERT_FALSE(f.Rechazo()) << c.guion().preguntas().value(0).texto.toStdString();
    EXPECT_EQ(c.Guardado("11010100103", "DESCRIPCION"), "CAJA CHICA SUCURSAL");
    EXPECT_EQ(Acciones(c, "11010100103", "M"), 1);

    c.Carga("11010100103");
    ASSERT_TRUE(f.CuentaGuardada());
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtFields", 0)->text(), "CAJA CHICA SUCURSAL");
    c.guion().esperarMsgBox(vb::vbYes);
    Tecla(Qt::Key_F3);
    ASSERT_FALSE(f.Rechazo());
    ASSERT_EQ(c.guion().preguntas().size(), 1);
    EXPECT_EQ(c.guion().preguntas().value(0).texto, "Confirma la baja de esta cuenta? 11010100103");
    EXPECT_EQ(Acciones(c, "11010100103", "B"), 1);
    EXPECT_THROW(Tecla(Qt::Key_F12), vb::FinDelPrograma);
}

int Fila(int anio, int mes) {
    return (anio - 2022) * 12 + mes;
}

// An index typed into the closing month of 2025/26: the whole fiscal year recomputed on screen
// and in the table, Enter on to the next month, and F7's listing showing what is stored.
void IndiceTecleado(Indices& v) {
    v.Escribir(Fila(2026, 6), 1, "13500,5");
    EXPECT_TRUE(v.guion().preguntas().isEmpty());
    // Each month's coefficient is the closing index over its own.
    EXPECT_EQ(CoeficientesEnDesacuerdo(v.base()), QStringList());
    EXPECT_EQ(v.Celda(Fila(2026, 6), 1), "13500,5");
    EXPECT_EQ(v.Celda(Fila(2025, 7), 2), " 1,743");
    EXPECT_EQ(v.Celda(Fila(2026, 6), 2), " 1,000");
    EXPECT_EQ(Control<vb::FlexGrid>(v.f(), "FgAsiento")->Row(), Fila(2026, 7));

    QTemporaryDir salida;
    const QList<QUrl> abiertos = ListadosDeIndices(salida, [&] { v.Tecla(Qt::Key_F7); });
    ASSERT_EQ(abiertos.size(), 1);
    QMap<QString, QStringList> lineas;  // month -> the words of its line
    for (const QString& linea : TextoPdf(abiertos.at(0).toLocalFile()).split('\n')) {
        const QStringList palabras = linea.simplified().split(' ');
        if (QRegularExpression("^\\d\\d/\\d{4}$").match(palabras.first()).hasMatch())
            lineas.insert(palabras.first(), palabras.mid(1));
    }
    EXPECT_EQ(lineas.size(), 66);
    EXPECT_EQ(lineas.value("06/2026"),
              QStringList({"13.500,50", "1,000", "6.691,03", "1,000", "876,54", "1,000"}));
    EXPECT_EQ(lineas.value("07/2025"),
              QStringList({"7.746,91", "1,743", "4.364,58", "1,533", "660,52", "1,327"}));
    EXPECT_EQ(lineas.value("03/2024"), QStringList({"3.566,96", "1,190", "2.334,25", "1,127"}));
}

// The distribution of a postable account without one, opened from the chart's side toolbar:
// two cost centres typed into the grid, each code then its percentage, and F4.
void DistribucionDeCentros(Plan& c) {
    c.Carga("51020100101");
    ASSERT_TRUE(c.f().CuentaGuardada());
    c.Lateral(4);
    ASSERT_TRUE(Frmta_asigccosto::Existe());
    Frmta_asigccosto& f = Frmta_asigccosto::instancia();
    teclado::Activa(&f);
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtCuenta", 0)->text(), "51020100101");
    // Enter on the account opens the first cost centre.
    Tecla(Qt::Key_Return);
    for (const char* texto : {"111", "60", "21", "40"}) {
        Teclea(texto);
        Tecla(Qt::Key_Return);
    }
    Tecla(Qt::Key_F4);
    EXPECT_FALSE(f.Rechazo());
    EXPECT_TRUE(c.guion().preguntas().isEmpty()) << c.guion().preguntas().value(0).texto.toStdString();
}

// The additional data opened from the side toolbar.
frmMA_CUENTASADIC& DatosAdicionales(Plan& c, const QString& cuenta) {
    teclado::Activa(&c.f());
    c.Carga(cuenta);
    c.Lateral(2);
    EXPECT_TRUE(frmMA_CUENTASADIC::Existe());
    frmMA_CUENTASADIC& f = frmMA_CUENTASADIC::instancia();
    teclado::Activa(&f);
    return f;
}

vb::CajaTexto* Campo(int i) {
    return Control<vb::CajaTexto>(frmMA_CUENTASADIC::instancia(), "txtFields", i);
}

bool Abiertos() {
    return frmMA_CUENTASADIC::Existe() && frmMA_CUENTASADIC::instancia().isVisible();
}

// A customer's record from its creation to its delete: each save stores what was typed, a value
// shown aligned to its column takes a digit typed after it, and the delete leaves nothing.
void RegistroDeDatosAdicionales(Plan& c) {
    const auto fila = [&c](const QString& columnas) {
        return c.base()
            .filas("SELECT " + columnas + " FROM MA_CUENTASADIC WHERE CODIGO = '11030100105'")
            .value(0);
    };
    ASSERT_TRUE(fila("CODIGO").isEmpty());
    frmMA_CUENTASADIC& f = DatosAdicionales(c, "11030100105");
    EXPECT_TRUE(f.CuentaNueva());
    const QList<std::pair<int, QString>> tipeado{
        {1, "JUAN PEREZ"}, {2, "SAN MARTIN"}, {3, "10"},  {6, "8300"},           {7, "NEUQUEN"},
        {8, "6"},          {9, "1"},          {11, "80"}, {12, "30-12345678-9"}, {13, "1"}};
    for (const auto& [i, texto] : tipeado) {
        // A click in the field, what it holds selected and replaced, a code search that opened
        // left with Escape, and Enter.
        Clic(Campo(i));
        Tecla(Qt::Key_A, Qt::ControlModifier);
        Teclea(texto);
        if (Control<vb::BusquedaCodigo>(f, "BusquedaCodigo1")->Visible()) Tecla(Qt::Key_Escape);
        Tecla(Qt::Key_Return);
    }
    EXPECT_TRUE(c.guion().preguntas().isEmpty());
    Tecla(Qt::Key_F4);
    EXPECT_FALSE(Abiertos());
    EXPECT_EQ(fila("CONTACTO, CALLE, NUMERO, CPOSTAL, TRIM(LOCALIDAD), PROVINCIA, PAIS, DOCUMENTO_TIPO, "
                   "NUMERO_DOCUMENTO, IVA, CLASE, fechahora_grabacion, fechahora_modificacion IS NULL"),
              (QStringList{QString(40, ' ') + "JUAN PEREZ", QString(40, ' ') + "SAN MARTIN", "        10",
                           "      8300", "NEUQUEN", "   6", "   1", "  80", "30-12345678-9", "   1", "1",
                           "2026-12-09 10:30:00", "1"}));

    // Changed: a digit after the number, a word after the contact.
    DatosAdicionales(c, "11030100105");
    EXPECT_TRUE(frmMA_CUENTASADIC::instancia().CuentaGuardada());
    for (const auto& [i, texto] : QList<std::pair<int, QString>>{{3, "5"}, {1, " H"}}) {
        Clic(Campo(i));
        Tecla(Qt::Key_End);
        Teclea(texto);
    }
    Tecla(Qt::Key_F4);
    EXPECT_TRUE(c.guion().preguntas().isEmpty());
    EXPECT_FALSE(Abiertos());
    EXPECT_EQ(fila("CONTACTO, NUMERO, CALLE, fechahora_modificacion"),
              (QStringList{QString(38, ' ') + "JUAN PEREZ H", "       105", QString(40, ' ') + "SAN MARTIN",
                           "2026-12-09 10:30:00"}));

    // Deleted: F3 and its question answered Yes; opened again the account has a new record.
    DatosAdicionales(c, "11030100105");
    c.guion().esperarMsgBox(vb::vbYes);
    Clic(Campo(1));
    Tecla(Qt::Key_F3);
    EXPECT_EQ(c.guion().preguntas().value(0).texto, "Confirma la baja de este registro?");
    EXPECT_TRUE(fila("CODIGO").isEmpty());
    Clic(Control<UtilVex>(frmMA_CUENTASADIC::instancia(), "UtilVex1")->Boton("CANCELAR"));
    frmMA_CUENTASADIC& g = DatosAdicionales(c, "11030100105");
    EXPECT_TRUE(g.CuentaNueva());
    EXPECT_EQ(Campo(1)->text(), "");
}

// The manual of an account opened from the side toolbar: a sentence typed after each of its two
// texts, the first written on leaving it for the second, the second on closing the window.
void ManualDeCuentas(Plan& c) {
    c.Carga("11010100101");
    ASSERT_TRUE(c.f().CuentaGuardada());
    c.Lateral(3);
    frmMa_ManualCuentas* m = frmMa_ManualCuentas::Instancia();
    ASSERT_NE(m, nullptr);
    teclado::Activa(m);
    EXPECT_EQ(Control<QLabel>(*m, "LblCuenta")->text(), "Cuenta: 11010100101 CAJA PESOS");
    for (const auto& [i, texto] : QList<std::pair<int, QString>>{{0, " Y CHEQUES"}, {1, " Y PAGOS"}}) {
        Clic(Control<QPlainTextEdit>(*m, "txtFields", i));
        Tecla(Qt::Key_End, Qt::ControlModifier);
        Teclea(texto);
    }
    Clic(Control<QWidget>(*m, "cmdClose"));
    EXPECT_EQ(frmMa_ManualCuentas::Instancia(), nullptr);
    EXPECT_TRUE(c.guion().preguntas().isEmpty());
}

// ---- the table ----

// Rows of one table the road writes, what of them it must leave, and every other row of that
// table as it was.
struct Guardadas {
    const char* tabla;
    QString donde;     // the rows the road writes
    QString columnas;  // what of them is compared
    QList<QStringList> filas;
};

struct Camino {
    const char* nombre;
    std::function<std::unique_ptr<Recorrido>()> abre;
    // The rows left stored; a table not named here is left as it was.
    QList<Guardadas> guardadas;
};

void PrintTo(const Camino& c, std::ostream* os) {
    *os << c.nombre;
}

const QString kCajaChica = "CODIGO = '11010100103'";
const QString kCuentaBorrada = "CODIGO = '11010100104'";
const QString kAnioFiscal = "Anio * 100 + Mes BETWEEN 202507 AND 202606";

const Camino kCaminos[] = {
    {"cuenta_nueva_desde_la_propuesta_del_titulo",
     En(CuentaNuevaDesdeLaPropuesta),
     {{"MA_CUENTAS", kCajaChica, "DESCRIPCION, TITULO", {{"CAJA CHICA", "0"}}},
      {"MA_CUENTASCCOSTO", kCajaChica, "CCOSTO, PORCENTAJE", {{"ADM", "0"}}},
      {"MA_CUENTAS_USUARIOS", "CUENTA = '11010100103'", "GRUPOUSER", {{"ADMINISTRADORES"}, {"OPERADORES"}}},
      {"MV_CPTEACCIONES", "SYSTEMUSER LIKE '11010100103 %'", "Tipo_accion", {{"A"}}}}},
    // One account from its proposal to its delete: its audit rows stay, nothing else of it.
    {"cuenta_de_punta_a_punta",
     En(CuentaDePuntaAPunta),
     {{"MA_CUENTAS", kCajaChica, "CODIGO", {}},
      {"MA_CUENTASCCOSTO", kCajaChica, "CCOSTO", {}},
      {"MA_CUENTAS_USUARIOS", "CUENTA = '11010100103'", "GRUPOUSER", {}},
      {"MV_CPTEACCIONES", "SYSTEMUSER LIKE '11010100103 %'", "Tipo_accion", {{"A"}, {"B"}, {"M"}}}}},
    {"cuenta_modificada",
     En(CuentaModificada),
     {{"MA_CUENTAS",
       "CODIGO = '11010100201'",
       "DESCRIPCION, TITULO",
       {{"FONDO FIJO ADMINISTRACION SUCURSAL", "0"}}},
      // An account that takes cost centres gets its default one when saved.
      {"MA_CUENTASCCOSTO", "CODIGO = '11010100201'", "CCOSTO, PORCENTAJE", {{"ADM", "0"}}},
      {"MV_CPTEACCIONES", "SYSTEMUSER LIKE '11010100201 %'", "Tipo_accion", {{"M"}}}}},
    {"cuenta_borrada",
     En(CuentaBorrada,
        {"INSERT INTO MA_CUENTASADIC (CODIGO, CONTACTO) VALUES ('11010100104', 'ANA')",
         "INSERT OR IGNORE INTO MA_CUENTAS_USUARIOS (GRUPOUSER, CUENTA) VALUES ('ADMINISTRADORES', "
         "'11010100104'), ('OPERADORES', '11010100104')",
         "INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE) VALUES ('11010100104', 'ADM', 100)",
         "INSERT INTO MA_CUENTASCCOSTO_UNEG (CODIGO, CCOSTO, UNEGOCIO, PORCENTAJE) VALUES ('11010100104', "
         "'ADM', '   1', 100)",
         "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, GRUPO) VALUES ('CTA_RET_OTRA_11010100104', 'SU', "
         "'DATOS')"}),
     // Nothing of the account stays behind.
     {{"MA_CUENTAS", kCuentaBorrada, "CODIGO", {}},
      {"MA_CASH-DETALLE", "CUENTA = '11010100104'", "CODIGO_CASH", {}},
      {"MA_CUENTASADIC", kCuentaBorrada, "CODIGO", {}},
      {"MA_CUENTAS_USUARIOS", "CUENTA = '11010100104'", "GRUPOUSER", {}},
      {"MA_CUENTASCCOSTO", kCuentaBorrada, "CCOSTO", {}},
      {"MA_CUENTASCCOSTO_UNEG", kCuentaBorrada, "CCOSTO", {}},
      {"TA_CONFIGURACION", "CLAVE = 'CTA_RET_OTRA_11010100104'", "VALOR", {}},
      {"MV_CPTEACCIONES", "SYSTEMUSER LIKE '11010100104 %'", "Tipo_accion", {{"B"}}}}},
    {"indice_tecleado",
     En(IndiceTecleado),
     // Each coefficient of the fiscal year is 13500.50 over the month's index; the other series
     // keep theirs.
     {{"MA_INDAJUSTE",
       kAnioFiscal,
       "Anio, Mes, printf('%.2f', Importe1), printf('%.3f', Indice1), printf('%.3f', Indice2)",
       {{"2025", "7", "7746.91", "1.743", "1.533"},
        {"2025", "8", "7940.58", "1.700", "1.460"},
        {"2025", "9", "8432.90", "1.601", "1.431"},
        {"2025", "10", "8753.35", "1.542", "1.372"},
        {"2025", "11", "9409.85", "1.435", "1.287"},
        {"2025", "12", "9889.75", "1.365", "1.243"},
        {"2026", "1", "10156.77", "1.329", "1.173"},
        {"2026", "2", "10806.80", "1.249", "1.140"},
        {"2026", "3", "11239.07", "1.201", "1.084"},
        {"2026", "4", "12104.48", "1.115", "1.061"},
        {"2026", "5", "12746.02", "1.059", "1.015"},
        {"2026", "6", "13500.50", "1.000", "1.000"}}}}},
    {"distribucion_de_centros_de_costos",
     En(DistribucionDeCentros),
     {{"MA_CUENTASCCOSTO",
       "CODIGO = '51020100101'",
       "CCOSTO, printf('%g', PORCENTAJE)",
       {{"111", "60"}, {"21", "40"}}},
      {"MA_CUENTASCCOSTO_UNEG",
       "CODIGO = '51020100101'",
       "UNEGOCIO, CCOSTO, printf('%g', PORCENTAJE)",
       {{"Gene", "111", "60"}, {"Gene", "21", "40"}}}}},
    // Created, changed and deleted: nothing of the record stays behind.
    {"registro_de_datos_adicionales",
     En(RegistroDeDatosAdicionales),
     {{"MA_CUENTASADIC", "CODIGO = '11030100105'", "CODIGO", {}}}},
    {"manual_de_cuentas",
     En(ManualDeCuentas),
     {{"MA_CUENTAS",
       "CODIGO = '11010100101'",
       "DESCRIPCION, Manual, Manual_Haber",
       {{"CAJA PESOS", "Ingresos de efectivo por cobranzas y reposiciones del fondo fijo. Y CHEQUES",
         "Pagos en efectivo y depositos en bancos. Y PAGOS"}}}}},
};

// The rows of a table outside the ones a road writes.
ContenidoBase Resto(const BaseDePrueba& b, const Guardadas& g) {
    return {{g.tabla,
             b.filas("SELECT * FROM [" + QString(g.tabla) + "] WHERE NOT coalesce((" + g.donde + "), 0)")}};
}

class MainRoad : public ::testing::TestWithParam<Camino> {};

}  // namespace

TEST_P(MainRoad, LeavesItsRowsStoredAndEveryOtherRowAsItWas) {
    const Camino& camino = GetParam();
    std::unique_ptr<Recorrido> r = camino.abre();
    const ContenidoBase antes = Contenido(r->base());
    QList<ContenidoBase> restos;
    for (const Guardadas& g : camino.guardadas) restos << Resto(r->base(), g);

    r->Recorre();
    if (HasFatalFailure()) return;

    QStringList nombradas;
    for (qsizetype i = 0; i < camino.guardadas.size(); ++i) {
        const Guardadas& g = camino.guardadas[i];
        SCOPED_TRACE(g.tabla);
        nombradas << g.tabla;
        QStringList filas, esperadas;
        for (const QStringList& f :
             r->base().filas("SELECT " + g.columnas + " FROM [" + g.tabla + "] WHERE " + g.donde))
            filas << f.join('|');
        for (const QStringList& f : g.filas) esperadas << f.join('|');
        filas.sort();
        esperadas.sort();
        EXPECT_EQ(filas, esperadas);
        EXPECT_EQ(Diferencias(restos[i], Resto(r->base(), g)), QStringList());
    }
    const ContenidoBase despues = Contenido(r->base());
    QStringList otras;
    for (const QString& d : Diferencias(antes, despues))
        if (!nombradas.contains(d.section(' ', 0, 0), Qt::CaseInsensitive)) otras << d;
    EXPECT_EQ(otras, QStringList());
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, MainRoad, ::testing::ValuesIn(kCaminos),
                         [](const auto& info) { return std::string(info.param.nombre); });
