#include "account_extras/frmMA_CUENTASADIC.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "lookup/Lib_FrmCons3.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/ListView.h"
#include "outside/controls/Teclas.h"
#include "outside/controls/UtilVex.h"
#include "outside/runtime/Conversiones.h"
#include "personalizados/GrillaPersonalizados.h"
#include "services/CNStuffContable.h"
#include "support/AbrirComo.h"
#include "support/BaseDePrueba.h"
#include "support/Control.h"
#include "support/DialogosGuionados.h"
#include "support/FinObservado.h"
#include "support/ProgramaDePrueba.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <memory>

namespace {

// Accounts of their own, inside and outside the demo's ranges of additional data: a customer with
// a row, a customer and a supplier without one, a title, and an account in no range.
const QStringList kDatos{
    "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, TipoVista) VALUES "
    "('11030199901', 'FERRETERIA O''HIGGINS', 0, 'CL'), ('11030199902', 'ALMACEN NUEVO', 0, 'CL'), "
    "('21010199901', 'PAPELERA DEL PLATA', 0, 'PR'), ('11030199900', 'CLIENTES VARIOS', 1, 'CL'), "
    "('11030199903', 'SIN VISTA', 0, NULL), ('31010199901', 'FUERA DE RANGO', 0, 'CL')",
    "INSERT INTO MA_CUENTASADIC (CODIGO, CONTACTO, CALLE, NUMERO, CPOSTAL, LOCALIDAD, PROVINCIA, PAIS, "
    "DOCUMENTO_TIPO, NUMERO_DOCUMENTO, IVA, idcategoria, IdVendedor, LIMITE_CREDITO, CLASE, P_RUBRO) VALUES "
    "('11030199901', 'JUAN PEREZ', 'AV. SAN MARTIN', '1234', '8300', 'NEUQUEN', '   6', '   1', '  80', "
    "'30-12345678-9', '   1', '   7', '   2', 150000, 'X', 'FERRETERIA')",
};

class AdditionalData : public ::testing::Test {
  protected:
    AdditionalData() : base_(true, kDatos) {}

    void SetUp() override {
        ASSERT_TRUE(base_.valida()) << base_.error().toStdString();
        vb::setLocaleNumeros(QLocale(QLocale::Spanish, QLocale::Argentina));
        ASSERT_TRUE(AbrirComo(base_));
        CNStuffContable::gTablaConfiguracion.clear();
    }
    void TearDown() override {
        if (frmMA_CUENTASADIC::Existe()) delete &frmMA_CUENTASADIC::instancia();
        CNStuffContable::gCuentaActual.clear();
        vb::setLocaleNumeros(QLocale::c());
    }

    // The form opened by the chart of accounts for an account.
    frmMA_CUENTASADIC& abrirPara(const QString& cuenta) {
        CNStuffContable::gCuentaActual = cuenta;
        frmMA_CUENTASADIC& f = frmMA_CUENTASADIC::instancia();
        f.Form_Load();
        muestra(f);
        return f;
    }
    frmMA_CUENTASADIC& abrirSola() {
        frmMA_CUENTASADIC& f = frmMA_CUENTASADIC::instancia();
        f.FijaFormaIndependiente(true);
        f.Form_Load();
        muestra(f);
        return f;
    }

    static void muestra(frmMA_CUENTASADIC& f) {
        f.show();
        f.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&f));
    }
    static vb::CajaTexto* caja(frmMA_CUENTASADIC& f, int i) {
        return Control<vb::CajaTexto>(f, "txtFields", i);
    }
    static QLabel* detalle(frmMA_CUENTASADIC& f, const QString& tabla) {
        for (QLabel* l : Controles<QLabel>(f, "lblDetalle"))
            if (l->property("Tag").toString() == tabla) return l;
        return nullptr;
    }
    // Types a field's value and leaves it with Enter, as a user does.
    static void escribe(frmMA_CUENTASADIC& f, int i, const QString& texto) {
        vb::CajaTexto* c = Control<vb::CajaTexto>(f, "txtFields", i);
        c->setFocus();
        c->setText(texto);
        QTest::keyClick(c, Qt::Key_Return);
    }
    QStringList fila(const QString& codigo, const QString& columnas) const {
        return base_.filas("SELECT " + columnas + " FROM MA_CUENTASADIC WHERE CODIGO = '" + codigo + "'")
            .value(0);
    }

    FinObservado fin_;
    ProgramaDePrueba programa_;
    BaseDePrueba base_;
};

}  // namespace

TEST_F(AdditionalData, OpenedForAnAccountShowsItsRowOrAnEmptyNewOneWithTheCodeLocked) {
    DialogosGuionados guion;
    frmMA_CUENTASADIC& f = abrirPara("11030199901");
    EXPECT_EQ(f.windowTitle(), "Plan General de Cuentas - Datos Adicionales -");
    EXPECT_FALSE(f.CuentaNueva());
    EXPECT_TRUE(f.CuentaGuardada());
    EXPECT_EQ(Control<QLabel>(f, "LblTitulo")->text(), "FERRETERIA O'HIGGINS");
    EXPECT_EQ(caja(f, 0)->text(), "11030199901");
    EXPECT_FALSE(caja(f, 0)->isEnabled());
    EXPECT_EQ(caja(f, 2)->text().trimmed(), "AV. SAN MARTIN");
    EXPECT_EQ(detalle(f, "TA_ESTADOS")->text(), "NEUQUÉN");
    EXPECT_EQ(detalle(f, "V_TA_Vendedores")->text(), "LOPEZ, ANALIA");
    EXPECT_EQ(detalle(f, "V_TA_CATEGORIA")->text(), "DISTRIBUIDOR");
    EXPECT_EQ(detalle(f, "V_TA_MotivoVta")->text(), "...");
    EXPECT_EQ(Control<vb::FlexGrid>(f, "MSFlexGrid1")->TextMatrix(1, 1).trimmed(), "FERRETERIA");
    delete &f;

    frmMA_CUENTASADIC& g = abrirPara("11030199902");
    EXPECT_TRUE(g.CuentaNueva());
    EXPECT_FALSE(g.CuentaGuardada() && !g.CuentaNueva());
    EXPECT_EQ(caja(g, 0)->text(), "11030199902");
    EXPECT_FALSE(caja(g, 0)->isEnabled());
    EXPECT_TRUE(caja(g, 2)->text().isEmpty());
    EXPECT_TRUE(caja(g, 2)->isEnabled());
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

TEST_F(AdditionalData, AnAccountWhoseBlockFlagHoldsTwoIsShownWithItsName) {
    DialogosGuionados guion;
    base_.ejecutar("UPDATE MA_CUENTAS SET BLOQUEO = 2 WHERE CODIGO = '11030199902'");
    frmMA_CUENTASADIC& f = abrirPara("11030199902");
    EXPECT_EQ(Control<QLabel>(f, "LblTitulo")->text(), "ALMACEN NUEVO");
}

TEST_F(AdditionalData, TheToolbarFollowsTheModeOfTheForm) {
    DialogosGuionados guion;
    frmMA_CUENTASADIC& f = abrirPara("11030199901");
    // For an account: close off, cancel on, list off, report on, lookup off, save and delete on.
    EXPECT_FALSE(Control<UtilVex>(f, "UtilVex1")->Habilitado("CERRAR"));
    EXPECT_TRUE(Control<UtilVex>(f, "UtilVex1")->Habilitado("CANCELAR"));
    EXPECT_FALSE(Control<UtilVex>(f, "UtilVex1")->Habilitado("PLANILLA"));
    EXPECT_TRUE(Control<UtilVex>(f, "UtilVex1")->Habilitado("REPORTE"));
    EXPECT_TRUE(Control<UtilVex>(f, "UtilVex1")->Habilitado("GRABAR"));
    EXPECT_TRUE(Control<QTabWidget>(f, "SSTab1")->isTabEnabled(1));
    delete &f;

    frmMA_CUENTASADIC& g = abrirSola();
    // On its own and closed: the code is typed, save and delete wait for an account.
    EXPECT_TRUE(caja(g, 0)->isEnabled());
    EXPECT_FALSE(caja(g, 2)->isEnabled());
    EXPECT_TRUE(Control<UtilVex>(g, "UtilVex1")->Habilitado("CERRAR"));
    EXPECT_TRUE(Control<UtilVex>(g, "UtilVex1")->Habilitado("PLANILLA"));
    EXPECT_FALSE(Control<UtilVex>(g, "UtilVex1")->Habilitado("REPORTE"));
    EXPECT_FALSE(Control<UtilVex>(g, "UtilVex1")->Habilitado("GRABAR"));
    EXPECT_FALSE(Control<UtilVex>(g, "UtilVex1")->Habilitado("BORRAR"));
    EXPECT_FALSE(Control<QTabWidget>(g, "SSTab1")->isTabEnabled(1));
    // The lookup button follows the field with the focus.
    caja(g, 0)->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(Control<UtilVex>(g, "UtilVex1")->Habilitado("CONSULTAR"));
}

TEST_F(AdditionalData, OnItsOwnOnlyAnAccountOfARangeOfAdditionalDataIsTaken) {
    frmMA_CUENTASADIC& f = abrirSola();
    const QString noPertenece = "La cuenta Ingresada no pertenece a ningún rango de datos adicionales!!!";
    for (const auto& [codigo, mensaje] :
         {std::pair<QString, QString>{"99999999999", "La cuenta ingresada no existe!!!"},
          {"11030199900", noPertenece},
          {"11030199903", noPertenece}}) {
        DialogosGuionados guion;
        guion.esperarMsgBox(vb::vbOK);
        escribe(f, 0, codigo);
        ASSERT_EQ(guion.preguntas().size(), 1) << codigo.toStdString();
        EXPECT_EQ(guion.preguntas()[0].texto, mensaje);
        EXPECT_EQ(guion.preguntas()[0].titulo, "Aviso al operador...");
        EXPECT_EQ(guion.preguntas()[0].estilo, vb::vbInformation);
        EXPECT_TRUE(f.Rechazo());
        EXPECT_FALSE(caja(f, 2)->isEnabled());
    }
    {
        // Without the setting every account is refused.
        base_.ejecutar("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'USADATOSADIC'");
        DialogosGuionados guion;
        guion.esperarMsgBox(vb::vbOK);
        escribe(f, 0, "11030199902");
        ASSERT_EQ(guion.preguntas().size(), 1);
        EXPECT_EQ(guion.preguntas()[0].texto, noPertenece);
        base_.ejecutar("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('USADATOSADIC', 'si')");
    }
    DialogosGuionados guion;
    escribe(f, 0, "11030199901");
    EXPECT_FALSE(f.Rechazo());
    EXPECT_TRUE(f.CuentaGuardada());
    EXPECT_EQ(f.Cuenta(), "11030199901");
    EXPECT_EQ(Control<QLabel>(f, "LblTitulo")->text(), "FERRETERIA O'HIGGINS");
    EXPECT_EQ(caja(f, 7)->text().trimmed(), "NEUQUEN");
    EXPECT_TRUE(caja(f, 2)->isEnabled());
    EXPECT_FALSE(caja(f, 0)->isEnabled());
}

TEST_F(AdditionalData, TheAccountsViewShowsOnlyItsOptionalFields) {
    DialogosGuionados guion;
    frmMA_CUENTASADIC& f = abrirPara("21010199901");
    f.DeterminaVista("21010199901");
    EXPECT_TRUE(frmMA_CUENTASADIC::Visible(Control<QGroupBox>(f, "FrmMasDatos")));
    EXPECT_TRUE(frmMA_CUENTASADIC::Visible(caja(f, 17)));
    EXPECT_TRUE(frmMA_CUENTASADIC::Visible(Control<QLabel>(f, "Label1", 0)));
    EXPECT_FALSE(frmMA_CUENTASADIC::Visible(caja(f, 18)));
    EXPECT_FALSE(frmMA_CUENTASADIC::Visible(Control<QLabel>(f, "Label1", 3)));
    EXPECT_FALSE(frmMA_CUENTASADIC::Visible(caja(f, 19)));
    EXPECT_FALSE(frmMA_CUENTASADIC::Visible(Control<QLabel>(f, "Label1", 1)));
    // Another account of no range leaves the form as it is.
    f.DeterminaVista("31010199901");
    EXPECT_FALSE(frmMA_CUENTASADIC::Visible(caja(f, 19)));
    // Bounds are inclusive and compare as text; a view with no titles hides the frame.
    base_.ejecutar(
        "INSERT INTO TA_RANGOS_DATOS_ADIC ([CUENTA-DESDE], [CUENTA-HASTA], DESCRIPCION, Vista) VALUES "
        "('3101', '3199', 'OTROS', 'VACIA')");
    f.DeterminaVista("31010199901");
    EXPECT_FALSE(frmMA_CUENTASADIC::Visible(Control<QGroupBox>(f, "FrmMasDatos")));
    f.DeterminaVista("11030199902");
    EXPECT_TRUE(frmMA_CUENTASADIC::Visible(Control<QGroupBox>(f, "FrmMasDatos")));
    for (int i : {17, 18, 19}) EXPECT_TRUE(frmMA_CUENTASADIC::Visible(caja(f, i))) << i;

    base_.ejecutar("DELETE FROM TA_RANGOS_DATOS_ADIC");
    EXPECT_EQ(f.Rangos_Adicionales(), "");
    base_.ejecutar(
        "INSERT INTO TA_RANGOS_DATOS_ADIC ([CUENTA-DESDE], [CUENTA-HASTA], DESCRIPCION, Vista) VALUES "
        "('c', 'd', 'B', 'V'), ('a', 'b', 'A', 'V')");
    EXPECT_EQ(
        f.Rangos_Adicionales(),
        " (LTRIM(RTRIM(CODIGO))>= 'a' AND LTRIM(RTRIM(CODIGO))<= 'b' )  OR  (LTRIM(RTRIM(CODIGO))>= 'c' AND "
        "LTRIM(RTRIM(CODIGO))<= 'd' ) ");
}

TEST_F(AdditionalData, EachFieldIsCheckedWithItsOwnMessage) {
    frmMA_CUENTASADIC& f = abrirPara("11030199902");
    const auto mensaje = [&](int i, const QString& texto) {
        DialogosGuionados guion;
        guion.esperarMsgBox(vb::vbOK);
        escribe(f, i, texto);
        return guion.preguntas().value(0).texto;
    };
    EXPECT_EQ(mensaje(2, "  "), "Debe ingresar el campo : Calle");
    EXPECT_EQ(mensaje(6, ""), "Debe ingresar el campo : Código Postal");
    EXPECT_EQ(mensaje(12, "   "), "Debe ingresar el campo : Número de Documento");
    EXPECT_EQ(mensaje(12, "30-1234567-9"), "La C.U.I.T. debe tener 13 caracteres");
    EXPECT_EQ(QApplication::focusWidget(), caja(f, 12));
    // An empty province gets the required-field message before any lookup; an unknown one is refused.
    EXPECT_EQ(mensaje(8, ""), "Debe ingresar el campo : Provincia");
    EXPECT_EQ(mensaje(8, "99"), "CODIGO INCORRECTO");
    EXPECT_EQ(mensaje(9, "O'X"), "CODIGO INCORRECTO");

    DialogosGuionados guion;
    escribe(f, 12, "30-71234567-1");
    escribe(f, 8, "3");
    EXPECT_EQ(detalle(f, "TA_ESTADOS")->text(), "CÓRDOBA");
    escribe(f, 22, "3");
    EXPECT_EQ(detalle(f, "V_TA_Vendedores")->text(), "SOSA, MARCELO");
    escribe(f, 22, "");
    EXPECT_EQ(detalle(f, "V_TA_Vendedores")->text(), "...");
    // The price list is not checked.
    escribe(f, 23, "77");
    EXPECT_FALSE(f.Rechazo());
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

TEST_F(AdditionalData, ANewRowIsWrittenWithItsStampCodesAndClassThenTheFormCloses) {
    DialogosGuionados guion;
    vb::setReloj([] { return QDateTime(QDate(2026, 12, 9), QTime(10, 30)); });
    QPointer<frmMA_CUENTASADIC> f = &abrirPara("11030199902");
    const QStringList valores{"11030199902",
                              "ANA DIAZ",
                              "BELGRANO",
                              "250",
                              "",
                              "",
                              "8000",
                              "BAHIA BLANCA",
                              "1",
                              "1",
                              "",
                              "80",
                              "30-70000000-1",
                              "1",
                              "",
                              "",
                              "",
                              "2",
                              "12500,5",
                              "7",
                              "",
                              "",
                              "1",
                              "2"};
    for (int i = 1; i < 24; ++i) Control<vb::CajaTexto>(*f, "txtFields", i)->setText(valores[i]);
    f->UtilVex1_ButtonClick("GRABAR");
    EXPECT_TRUE(guion.preguntas().isEmpty());
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(f.isNull());
    EXPECT_EQ(
        fila("11030199902",
             "TRIM(CONTACTO), idcategoria, IDCOND_Cpra_Vta, DOCUMENTO_TIPO, LIMITE_CREDITO, CLASE, "
             "fechahora_grabacion, fechahora_modificacion IS NULL, IdLista"),
        (QStringList{"ANA DIAZ", "   7", "   2", "  80", "12500.5", "1", "2026-12-09 10:30:00", "1", "2"}));
    // Text columns are right-aligned to their size.
    EXPECT_EQ(fila("11030199902", "CALLE").value(0), QString(42, ' ') + "BELGRANO");
}

TEST_F(AdditionalData, AChangedRowIsStampedAsModifiedAndHiddenOrBlankCodesAreNull) {
    DialogosGuionados guion;
    vb::setReloj([] { return QDateTime(QDate(2026, 12, 9), QTime(11, 0)); });
    frmMA_CUENTASADIC& f = abrirPara("21010199901");
    f.DeterminaVista("21010199901");  // a supplier: the category is hidden
    for (int i : {2, 3, 6, 7}) Control<vb::CajaTexto>(f, "txtFields", i)->setText("X" + QString::number(i));
    Control<vb::CajaTexto>(f, "txtFields", 8)->setText("1");
    Control<vb::CajaTexto>(f, "txtFields", 9)->setText("1");
    Control<vb::CajaTexto>(f, "txtFields", 12)->setText("30-70000000-1");
    Control<vb::CajaTexto>(f, "txtFields", 19)->setText("7");
    Control<vb::CajaTexto>(f, "txtFields", 17)->setText("");
    f.UtilVex1_ButtonClick("GRABAR");
    EXPECT_EQ(fila("21010199901", "idcategoria IS NULL, IDCOND_Cpra_Vta IS NULL, CLASE"),
              (QStringList{"1", "1", "2"}));

    frmMA_CUENTASADIC& g = abrirPara("11030199901");
    Control<vb::CajaTexto>(g, "txtFields", 1)->setText("OTRO CONTACTO");
    g.UtilVex1_ButtonClick("GRABAR");
    EXPECT_EQ(fila("11030199901",
                   "CONTACTO, fechahora_grabacion IS NULL, fechahora_modificacion, NUMERO_DOCUMENTO"),
              (QStringList{QString(37, ' ') + "OTRO CONTACTO", "1", "2026-12-09 11:00:00", "30-12345678-9"}));
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

TEST_F(AdditionalData, LettersInTheCreditLimitGiveTheConversionMessageAndNothingIsStored) {
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbOK);
    frmMA_CUENTASADIC& f = abrirPara("11030199901");
    Control<vb::CajaTexto>(f, "txtFields", 18)->setText("mil");
    f.UtilVex1_ButtonClick("GRABAR");
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(guion.preguntas()[0].titulo, "Error en conversion de datos");
    EXPECT_EQ(guion.preguntas()[0].estilo, vb::vbCritical);
    EXPECT_TRUE(guion.preguntas()[0].texto.endsWith("En el campo: /LIMITE_CREDITO"));
    EXPECT_TRUE(guion.preguntas()[0].texto.startsWith(
        "Verifique las siguientes opciones: \r\n\r\n1) Ha ingresado letras donde debe ingresar numeros"));
    EXPECT_TRUE(f.Rechazo());
    EXPECT_TRUE(frmMA_CUENTASADIC::Existe());
    EXPECT_EQ(fila("11030199901", "LIMITE_CREDITO").value(0), "150000");
}

TEST_F(AdditionalData, DeleteAsksFirstAndRemovesOnlyTheShownAccount) {
    frmMA_CUENTASADIC& f = abrirPara("11030199901");
    {
        DialogosGuionados guion;
        guion.esperarMsgBox(vb::vbNo);
        f.UtilVex1_ButtonClick("BORRAR");
        EXPECT_EQ(guion.preguntas()[0].texto, "Confirma la baja de este registro?");
        EXPECT_EQ(guion.preguntas()[0].titulo, "Atención!");
        EXPECT_EQ(guion.preguntas()[0].estilo, vb::vbYesNo + vb::vbExclamation + vb::vbDefaultButton2);
        EXPECT_EQ(fila("11030199901", "COUNT(*)").value(0), "1");
    }
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbYes);
    f.UtilVex1_ButtonClick("BORRAR");
    EXPECT_EQ(base_.escalar("SELECT COUNT(*) FROM MA_CUENTASADIC WHERE CODIGO = '11030199901'").toInt(), 0);
    delete &f;

    // An account without a row has nothing to delete.
    frmMA_CUENTASADIC& g = abrirPara("11030199902");
    const int antes = base_.escalar("SELECT COUNT(*) FROM MA_CUENTASADIC").toInt();
    DialogosGuionados otro;
    otro.esperarMsgBox(vb::vbYes);
    g.UtilVex1_ButtonClick("BORRAR");
    EXPECT_EQ(base_.escalar("SELECT COUNT(*) FROM MA_CUENTASADIC").toInt(), antes);
}

TEST_F(AdditionalData, OnItsOwnTheNextAccountStartsWithoutThePreviousPersonalisedValues) {
    DialogosGuionados guion;
    frmMA_CUENTASADIC& f = abrirSola();
    escribe(f, 0, "11030199901");
    EXPECT_EQ(Control<vb::FlexGrid>(f, "MSFlexGrid1")->TextMatrix(1, 1).trimmed(), "FERRETERIA");
    f.UtilVex1_ButtonClick("CANCELAR");
    EXPECT_TRUE(frmMA_CUENTASADIC::Existe());
    EXPECT_FALSE(caja(f, 2)->isEnabled());
    escribe(f, 0, "11030199902");
    EXPECT_TRUE(f.CuentaNueva());
    EXPECT_EQ(Control<vb::FlexGrid>(f, "MSFlexGrid1")->TextMatrix(1, 1).trimmed(), "");
    for (int i : {2, 3, 6, 7}) Control<vb::CajaTexto>(f, "txtFields", i)->setText("X");
    for (int i : {8, 9}) Control<vb::CajaTexto>(f, "txtFields", i)->setText("1");
    Control<vb::CajaTexto>(f, "txtFields", 12)->setText("30-70000000-1");
    f.UtilVex1_ButtonClick("GRABAR");
    EXPECT_TRUE(frmMA_CUENTASADIC::Existe());  // cleared for the next account, not closed
    EXPECT_EQ(fila("11030199902", "COALESCE(TRIM(P_RUBRO), ''), P_EMPLEADOS IS NULL"),
              (QStringList{"", "1"}));
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

TEST_F(AdditionalData, WhileTheCodeSearchIsOpenOnlyF5ReachesTheForm) {
    DialogosGuionados guion;
    frmMA_CUENTASADIC& f = abrirPara("11030199902");
    QStringList acciones;
    QObject::connect(Control<UtilVex>(f, "UtilVex1"), &UtilVex::Click,
                     [&](const QString& a) { acciones << a; });
    caja(f, 8)->setFocus();  // the field whose code search is open
    QApplication::processEvents();
    Control<UtilVex>(f, "UtilVex1")->setHabilitado("CONSULTAR", false);
    Control<vb::BusquedaCodigo>(f, "BusquedaCodigo1")->show();
    Control<vb::BusquedaCodigo>(f, "BusquedaCodigo1")->TxtBuscar->setText("3");
    int f4 = vb::vbKeyF1 + 3;
    f.Form_KeyDown(f4, 0);
    EXPECT_TRUE(acciones.isEmpty());
    EXPECT_EQ(caja(f, 8)->text(), "");
    int f5 = vb::vbKeyF1 + 4;
    f.Form_KeyDown(f5, 0);
    EXPECT_EQ(caja(f, 8)->text(), "3");
}

TEST_F(AdditionalData, SavesAndDeletesReachThePointOfSaleWithTheAccountsCode) {
    BaseDePrueba tpv(base_, "TPV1", false, {});
    ASSERT_TRUE(tpv.valida());
    base_.ejecutar("UPDATE TA_TPV SET BAJA = 1");
    base_.ejecutar(
        "INSERT INTO TA_TPV (CODIGO, Descripcion, Server, Dbname, INTERNET, BAJA, OL_ExceptoCuentas, "
        "CONECTADO) "
        "VALUES ('   9', 'LOCAL', '" +
        base_.carpeta() + "', 'TPV1', 0, 0, 0, 0)");
    DialogosGuionados guion;
    frmMA_CUENTASADIC& f = abrirPara("11030199901");
    Control<vb::CajaTexto>(f, "txtFields", 1)->setText("NUEVO CONTACTO");
    f.UtilVex1_ButtonClick("GRABAR");
    EXPECT_EQ(tpv.filas("SELECT TRIM(CONTACTO) FROM MA_CUENTASADIC WHERE CODIGO = '11030199901'"),
              QList<QStringList>{{"NUEVO CONTACTO"}});
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    guion.esperarMsgBox(vb::vbYes);
    frmMA_CUENTASADIC& g = abrirPara("11030199901");
    g.UtilVex1_ButtonClick("BORRAR");
    EXPECT_EQ(tpv.escalar("SELECT COUNT(*) FROM MA_CUENTASADIC").toInt(), 0);
    EXPECT_EQ(base_.escalar("SELECT COUNT(*) FROM MA_CUENTASADIC WHERE CODIGO = '11030199901'").toInt(), 0);
}

// Escape hands what was typed back to its field unchecked and without a word, so the Enter that
// follows is the one that checks it: its message is seen, or the field is taken and left.
TEST_F(AdditionalData, EscapeLeavesTheTypedValueForTheEnterThatFollows) {
    frmMA_CUENTASADIC& f = abrirPara("11030199902");
    const auto teclea = [](const QString& texto) {
        for (QChar c : texto) QTest::keyClicks(QApplication::focusWidget(), QString(c));
    };
    const auto tecla = [](Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); };
    struct Caso {
        int campo;
        QString texto;
        bool busqueda;  // the code search opens as the value is typed
        QString mensaje;
    };
    for (const Caso& c : {Caso{12, "20-1234", false, "La C.U.I.T. debe tener 13 caracteres"},
                          Caso{8, "99", true, "CODIGO INCORRECTO"}, Caso{9, "9", true, "CODIGO INCORRECTO"},
                          Caso{8, "3", true, ""}}) {
        SCOPED_TRACE(c.texto.toStdString());
        DialogosGuionados guion;
        QTest::mouseClick(caja(f, c.campo), Qt::LeftButton);
        caja(f, c.campo)->selectAll();
        teclea(c.texto);
        EXPECT_EQ(Control<vb::BusquedaCodigo>(f, "BusquedaCodigo1")->Visible(), c.busqueda);
        tecla(Qt::Key_Escape);
        EXPECT_FALSE(Control<vb::BusquedaCodigo>(f, "BusquedaCodigo1")->Visible());
        EXPECT_EQ(caja(f, c.campo)->text(), c.texto);
        EXPECT_EQ(QApplication::focusWidget(), caja(f, c.campo));
        ASSERT_TRUE(guion.preguntas().isEmpty());
        if (!c.mensaje.isEmpty()) guion.esperarMsgBox(vb::vbOK);
        tecla(Qt::Key_Return);
        if (c.mensaje.isEmpty()) {
            EXPECT_TRUE(guion.preguntas().isEmpty());
            EXPECT_EQ(detalle(f, "TA_ESTADOS")->text(), "CÓRDOBA");
            EXPECT_NE(QApplication::focusWidget(), caja(f, c.campo));
        } else {
            ASSERT_EQ(guion.preguntas().size(), 1);
            EXPECT_EQ(guion.preguntas()[0].texto, c.mensaje);
            EXPECT_EQ(QApplication::focusWidget(), caja(f, c.campo));
        }
    }
}

namespace {

// A second window of the form, as a second program would hold one, loaded for an account.
QPointer<frmMA_CUENTASADIC> OtraVentana(const QString& cuenta) {
    CNStuffContable::gCuentaActual = cuenta;
    auto* f = new frmMA_CUENTASADIC;
    f->Form_Load();
    f->show();
    return f;
}

}  // namespace

// Two windows on one account: each save writes only the fields its user changed; a field that
// someone else changed since it was shown is not overwritten, and the user is told.
TEST_F(AdditionalData, TwoWindowsOnOneAccountKeepBothUsersChanges) {
    DialogosGuionados guion;
    QPointer<frmMA_CUENTASADIC> a = OtraVentana("11030199901");
    QPointer<frmMA_CUENTASADIC> b = OtraVentana("11030199901");
    QPointer<frmMA_CUENTASADIC> c = OtraVentana("11030199901");
    Control<vb::CajaTexto>(*a, "txtFields", 1)->setText("ANA DIAZ");
    Control<UtilVex>(*a, "UtilVex1")->Boton("GRABAR")->click();
    EXPECT_TRUE(guion.preguntas().isEmpty());
    Control<vb::CajaTexto>(*b, "txtFields", 2)->setText("BELGRANO");
    Control<vb::CajaTexto>(*b, "txtFields", 7)->setText("CIPOLLETTI");
    Control<UtilVex>(*b, "UtilVex1")->Boton("GRABAR")->click();
    EXPECT_TRUE(guion.preguntas().isEmpty());
    EXPECT_EQ(fila("11030199901", "TRIM(CONTACTO), TRIM(CALLE), TRIM(LOCALIDAD), TRIM(NUMERO)"),
              (QStringList{"ANA DIAZ", "BELGRANO", "CIPOLLETTI", "1234"}));

    // The third window still shows the first contact; its change of that field is refused whole.
    guion.esperarMsgBox(vb::vbOK);
    Control<vb::CajaTexto>(*c, "txtFields", 1)->setText("LUIS GOMEZ");
    Control<vb::CajaTexto>(*c, "txtFields", 3)->setText("99");
    Control<UtilVex>(*c, "UtilVex1")->Boton("GRABAR")->click();
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(
        guion.preguntas()[0],
        (Pregunta{"Otro usuario cambió el campo Contacto de los datos adicionales de la cuenta 11030199901 "
                  "antes de que usted grabara.\r\nNo se grabó nada. Lo que usted escribió sigue en "
                  "pantalla: presione Grabar otra vez para guardarlo.",
                  "Aviso al operador", vb::vbExclamation}));
    EXPECT_EQ(fila("11030199901", "TRIM(CONTACTO), TRIM(CALLE), TRIM(NUMERO)"),
              (QStringList{"ANA DIAZ", "BELGRANO", "1234"}));
    ASSERT_FALSE(c.isNull());  // still open with what was typed
    EXPECT_EQ(Control<vb::CajaTexto>(*c, "txtFields", 1)->text(), "LUIS GOMEZ");
    // Told, the user saves again knowingly: his values over the stored ones, the others kept.
    Control<UtilVex>(*c, "UtilVex1")->Boton("GRABAR")->click();
    EXPECT_EQ(fila("11030199901", "TRIM(CONTACTO), TRIM(CALLE), TRIM(NUMERO)"),
              (QStringList{"LUIS GOMEZ", "BELGRANO", "99"}));
    EXPECT_EQ(guion.preguntas().size(), 1);
}

// A row another window changed since it was shown is not deleted unseen: the user is told, and
// the second "Borrar" deletes it knowingly.
TEST_F(AdditionalData, ARowChangedByAnotherWindowIsDeletedOnlyKnowingly) {
    DialogosGuionados guion;
    QPointer<frmMA_CUENTASADIC> e = OtraVentana("11030199901");
    base_.ejecutar("UPDATE MA_CUENTASADIC SET CONTACTO = 'DE OTRO' WHERE CODIGO = '11030199901'");
    for (int vez = 0; vez < 2; ++vez) {
        guion.esperarMsgBox(vb::vbYes);
        if (vez == 0) guion.esperarMsgBox(vb::vbOK);
        Control<UtilVex>(*e, "UtilVex1")->Boton("BORRAR")->click();
        EXPECT_EQ(fila("11030199901", "TRIM(CONTACTO)"), vez == 0 ? QStringList{"DE OTRO"} : QStringList{});
    }
    ASSERT_EQ(guion.preguntas().size(), 3);
    EXPECT_EQ(
        guion.preguntas()[1].texto,
        "Otro usuario cambió el campo Contacto de los datos adicionales de la cuenta 11030199901 antes de "
        "que usted confirmara la baja.\r\nNo se grabó nada. Presione Borrar otra vez para borrarlos de todos "
        "modos.");
    delete e.data();
}

// As OPERADOR, the confidential account handed over is not loaded, and a form with nothing
// loaded stores nothing, whatever is typed in it and whichever button is pressed. An account made
// confidential while its data is open is refused as missing.
TEST_F(AdditionalData, AUserWhoMayNotSeeAnAccountStoresNothingForIt) {
    base_.ejecutar(
        "INSERT INTO MA_CUENTASADIC (CODIGO, CONTACTO, CALLE) VALUES ('51010100102', 'DIRECTOR', 'SECRETA')");
    ASSERT_TRUE(AbrirComo(base_, "OPERADOR"));
    const QString tabla = "SELECT * FROM MA_CUENTASADIC ORDER BY CODIGO";
    const auto antes = base_.filas(tabla);
    DialogosGuionados guion;
    frmMA_CUENTASADIC& f = abrirPara("51010100102");
    EXPECT_EQ(f.Cuenta(), "");
    EXPECT_EQ(caja(f, 1)->text().trimmed(), "");
    EXPECT_FALSE(caja(f, 2)->isEnabled());
    EXPECT_EQ(Control<QLabel>(f, "LblTitulo")->text(), "...");
    for (const char* boton : {"GRABAR", "BORRAR", "NUEVO", "GRABAR", "BORRAR"})
        Control<UtilVex>(f, "UtilVex1")->Boton(boton)->click();
    for (int i : {2, 3, 6, 7}) caja(f, i)->setText("X");
    f.ActualizarDatos();
    EXPECT_FALSE(f.Rechazo());
    EXPECT_TRUE(guion.preguntas().isEmpty());
    EXPECT_EQ(base_.filas(tabla), antes);
    delete &f;

    frmMA_CUENTASADIC& g = abrirPara("11030199901");
    ASSERT_EQ(g.Cuenta(), "11030199901");
    base_.ejecutar("UPDATE MA_CUENTAS SET CONFIDENCIAL = 1 WHERE CODIGO = '11030199901'");
    caja(g, 1)->setText("OTRO");
    guion.esperarMsgBox(vb::vbOK);
    Control<UtilVex>(g, "UtilVex1")->Boton("GRABAR")->click();
    guion.esperarMsgBox(vb::vbYes);
    guion.esperarMsgBox(vb::vbOK);
    Control<UtilVex>(g, "UtilVex1")->Boton("BORRAR")->click();
    ASSERT_EQ(guion.preguntas().size(), 3);
    EXPECT_EQ(guion.preguntas()[0].texto, "La cuenta es inexistente");
    EXPECT_EQ(guion.preguntas()[2].texto, "La cuenta es inexistente");
    for (const Pregunta& p : guion.preguntas()) EXPECT_FALSE(p.texto.contains("FERRETERIA"));
    EXPECT_EQ(base_.filas(tabla), antes);
}

// After a delete the form shows the table's first row: never one of an account the user may
// not see.
TEST_F(AdditionalData, AfterADeleteNoConfidentialRowIsShown) {
    base_.ejecutar("CREATE TABLE resto_prueba AS SELECT * FROM MA_CUENTASADIC");
    base_.ejecutar("DELETE FROM MA_CUENTASADIC");
    base_.ejecutar(
        "INSERT INTO MA_CUENTASADIC (CODIGO, CONTACTO, CALLE) VALUES ('51010100102', 'DIRECTOR', 'SECRETA')");
    base_.ejecutar("INSERT INTO MA_CUENTASADIC SELECT * FROM resto_prueba");
    ASSERT_TRUE(AbrirComo(base_, "OPERADOR"));
    DialogosGuionados guion;
    frmMA_CUENTASADIC& f = abrirPara("11030199901");
    guion.esperarMsgBox(vb::vbYes);
    f.UtilVex1_ButtonClick("BORRAR");
    EXPECT_EQ(base_.escalar("SELECT COUNT(*) FROM MA_CUENTASADIC WHERE CODIGO = '11030199901'").toInt(), 0);
    for (vb::CajaTexto* c : Controles<vb::CajaTexto>(f, "txtFields")) {
        EXPECT_NE(c->text().trimmed(), "DIRECTOR");
        EXPECT_NE(c->text().trimmed(), "SECRETA");
        EXPECT_NE(c->text().trimmed(), "51010100102");
    }
    EXPECT_EQ(guion.preguntas().size(), 1);
}

// A supplier's view is applied as the row is shown: what it hides takes no typing.
TEST_F(AdditionalData, ASuppliersViewIsAppliedWhenItsRowIsShown) {
    DialogosGuionados guion;
    frmMA_CUENTASADIC& f = abrirPara("21010199901");
    EXPECT_TRUE(frmMA_CUENTASADIC::Visible(caja(f, 17)));
    for (int i : {18, 19}) EXPECT_FALSE(frmMA_CUENTASADIC::Visible(caja(f, i))) << i;
    EXPECT_FALSE(frmMA_CUENTASADIC::Visible(Control<QLabel>(f, "Label1", 1)));
    EXPECT_FALSE(frmMA_CUENTASADIC::Visible(Control<QLabel>(f, "Label1", 3)));
    delete &f;
    frmMA_CUENTASADIC& g = abrirPara("11030199902");
    for (int i : {17, 18, 19}) EXPECT_TRUE(frmMA_CUENTASADIC::Visible(caja(g, i))) << i;
}

// A blank country is refused like every required field; both codes that bound a range lie in it.
TEST_F(AdditionalData, ABlankCountryIsRefusedAndARangeHoldsItsBounds) {
    frmMA_CUENTASADIC& f = abrirPara("11030199902");
    {
        DialogosGuionados guion;
        guion.esperarMsgBox(vb::vbOK);
        escribe(f, 9, " ");
        ASSERT_EQ(guion.preguntas().size(), 1);
        EXPECT_EQ(guion.preguntas()[0].texto, "Debe ingresar el campo : Pais");
        EXPECT_EQ(QApplication::focusWidget(), caja(f, 9));
    }
    base_.ejecutar(
        "INSERT INTO TA_RANGOS_DATOS_ADIC ([CUENTA-DESDE], [CUENTA-HASTA], DESCRIPCION, Vista) VALUES "
        "('31010199901', '31010199905', 'OTROS', 'SOLOCAT')");
    base_.ejecutar("INSERT INTO TA_VISTAS (NOMBRE, Campo) VALUES ('SOLOCAT', 'Categoría')");
    const auto enRango = [&](const QString& codigo) {
        f.DeterminaVista("21010199901");  // hides the category
        f.DeterminaVista(codigo);
        return frmMA_CUENTASADIC::Visible(caja(f, 19)) && !frmMA_CUENTASADIC::Visible(caja(f, 17));
    };
    EXPECT_TRUE(enRango("31010199901"));
    EXPECT_TRUE(enRango("31010199905"));
    EXPECT_TRUE(enRango("31010199903"));
    EXPECT_FALSE(enRango("31010199906"));
    EXPECT_FALSE(enRango("31010199900"));
}

// "Lista de precios habitual" takes the list picked in its lookup, by its number; a cancelled
// lookup leaves the field as it was.
TEST_F(AdditionalData, ThePriceListFieldTakesTheListPickedInItsLookup) {
    DialogosGuionados guion;
    frmMA_CUENTASADIC& f = abrirPara("11030199902");
    vb::CajaTexto* lista = caja(f, 23);
    Control<QTabWidget>(f, "SSTab1")->setCurrentWidget(Control<QTabWidget>(f, "SSTab1")->widget(1));
    lista->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), lista);
    const auto consulta = [&](const QString& elige) {
        guion.esperarModal([elige](QWidget* w) {
            auto* v = qobject_cast<Lib_FrmCons3*>(w);
            ASSERT_NE(v, nullptr);
            if (elige.isEmpty()) return v->CmdCancelar_Click();
            Control<vb::ListView>(*v, "ListView1")->setSelectedItem(int(v->Busqueda(0, elige)));
            v->CmdAceptar_Click();
        });
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    };
    consulta("LISTA MAYORISTA");
    EXPECT_EQ(lista->text(), "2");
    consulta("");
    EXPECT_EQ(lista->text(), "2");
    EXPECT_EQ(guion.pendientes(), 0);
    EXPECT_EQ(guion.preguntas().size(), 2);  // the two lookups, once each, and no message
}
