// The account save from the toolbar: the row in one transaction, then the tree node, the settings
// of the payment means, the action record, the replication, the default cost-centre row and the
// user-group rows; every refusal; and a failed write that leaves nothing behind.
#include "accounts/CuentasDePrueba.h"
#include "accounts/EnlacesCuentas.h"
#include "data/DB_Dll.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/Teclas.h"
#include "outside/controls/TreeView.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "services/CNStuffContable.h"
#include "services/ModGruposEmp.h"
#include "support/Control.h"
#include "support/LocaleNumeros.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidgetItem>

namespace {

constexpr const char* kNueva = "11010100105";

int Acciones(CuentasDePrueba& c, const QString& tipo) {
    return c.Filas("SELECT count(*) FROM MV_CPTEACCIONES WHERE Tipo_accion = '" + tipo + "'");
}

// A new postable account typed by the user: code, description, cost centres ticked.
void NuevaCuenta(CuentasDePrueba& c, int medioDePago = 0) {
    c.Iniciar();
    c.f().Treev_Estado(true);
    c.EscribirCodigo(kNueva);
    ASSERT_TRUE(c.f().CuentaNueva());
    c.EscribirCampo(0, "CAJA CHICA");
    Control<QCheckBox>(c.f(), "chkCCostos")->setEnabled(true);
    QTest::mouseClick(Control<QCheckBox>(c.f(), "chkCCostos"), Qt::LeftButton, {}, QPoint(4, 4));
    Control<QComboBox>(c.f(), "CmbMP")->setCurrentIndex(medioDePago);
}

}  // namespace

TEST(AccountSave, ANewAccountIsWrittenWithItsActionNodeCostCentreAndUserGroups) {
    CuentasDePrueba c({"DELETE FROM MA_CUENTAS WHERE CODIGO = '11010100105'"});
    BaseDePrueba grupo(c.base(), "GRUPO");
    c.base().ejecutar("UPDATE TA_CONFIGURACION SET VALOR = '0' WHERE CLAVE = 'GRP_Deshabilitado'");
    c.base().ejecutar(
        "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux) VALUES "
        "('GRP_Tablas', '', '|MA_CUENTAS|MA_CUENTAS_USUARIOS|'), ('GRP_Tipos', '111', NULL), "
        "('GRP_Server', '" +
        c.base().carpeta() + "', NULL), ('GRP_Base', 'GRUPO', NULL)");
    NuevaCuenta(c, 10);
    ASSERT_TRUE(Control<QCheckBox>(c.f(), "chkCCostos")->isChecked());
    c.Boton("GRABAR");

    EXPECT_FALSE(c.f().Rechazo());
    EXPECT_EQ(
        c.base().filas("SELECT DESCRIPCION, TITULO, AJUSTE, INDICE, MedioDePago, TipoVista, usaccostoS, "
                       "DADA_DE_BAJA, Moneda FROM MA_CUENTAS WHERE CODIGO = '11010100105'"),
        (QList<QStringList>{{"CAJA CHICA", "0", "0", "0", "RO", "", "1", "0", "1"}}));
    EXPECT_EQ(c.Ajuste("CTA_RET_OTRA_11010100105"), "SU");
    EXPECT_EQ(Acciones(c, "A"), 1);
    EXPECT_EQ(c.base().filas(
                  "SELECT CODIGO, CCOSTO, PORCENTAJE FROM MA_CUENTASCCOSTO WHERE CODIGO = '11010100105'"),
              (QList<QStringList>{{"11010100105", "ADM", "0"}}));
    // The groups of the accounts above it: 1 and 11.
    EXPECT_EQ(
        c.base().filas("SELECT GRUPOUSER FROM MA_CUENTAS_USUARIOS WHERE CUENTA = '11010100105' ORDER BY 1"),
        (QList<QStringList>{{"ADMINISTRADORES"}, {"OPERADORES"}}));
    // Replicated to the group company: the account and its user groups.
    EXPECT_EQ(grupo.escalar("SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '11010100105'").toString(),
              "CAJA CHICA");
    EXPECT_EQ(grupo.escalar("SELECT count(*) FROM MA_CUENTAS_USUARIOS WHERE CUENTA = '11010100105'").toInt(),
              2);
    // The node hangs under its title.
    QTreeWidgetItem* nodo = Control<vb::TreeView>(c.f(), "TreeV")->Nodo("A11010100105");
    ASSERT_NE(nodo, nullptr);
    EXPECT_EQ(Control<vb::TreeView>(c.f(), "TreeV")->Clave(nodo->parent()), "A110101001");
    EXPECT_FALSE(c.f().CuentaNueva());
    EXPECT_EQ(CNStuffContable::gCuentaActual, "");
    ModGruposEmp::gBaseDatosGrupo().gCnn.reset();
}

TEST(AccountSave, AFailedWriteLeavesNoRowNodeSettingOrActionAndRecordsTheStatement) {
    CuentasDePrueba c({"DELETE FROM MA_CUENTAS WHERE CODIGO = '11010100105'"});
    NuevaCuenta(c, 11);
    ado::FallaInyectada falla;
    falla.contiene = "INSERT INTO MA_Cuentas";
    falla.error.Number = ado::kErrIntegridad;
    falla.error.NativeError = 8152;
    falla.error.Description = "Los datos de cadena o binarios se truncarían.";
    CNStuffContable::gBaseDatos().gCnn->InyectarFalla(falla);
    c.guion().esperarMsgBox(vb::vbOK);
    c.Boton("GRABAR");

    EXPECT_TRUE(c.f().Rechazo());
    EXPECT_TRUE(c.f().CuentaNueva());
    EXPECT_EQ(c.Guardado(kNueva, "DESCRIPCION"), "(sin fila)");
    EXPECT_FALSE(Control<vb::TreeView>(c.f(), "TreeV")->Existe("A11010100105"));
    EXPECT_NE(c.Ajuste("CtaSolicitudCredito"), kNueva);
    EXPECT_EQ(Acciones(c, "A"), 0);
    EXPECT_EQ(c.Filas("SELECT count(*) FROM MA_CUENTASCCOSTO WHERE CODIGO = '11010100105'"), 0);
    EXPECT_EQ(Control<vb::CajaTexto>(c.f(), "txtFields", 0)->text(), "CAJA CHICA");
    const QString refusada = c.base().escalar("SELECT Sql FROM AUX_ERR").toString();
    EXPECT_EQ(
        refusada.toStdString(),
        std::string("INSERT INTO MA_Cuentas "
                    "(DESCRIPCION,Codigo,CodigoOpcional,CuentaPrincipal,CodTarjeta_ConcAuto,TITULO,AJUSTE,"
                    "INDICE,BLOQUEO,dv,Bienes,Dada_De_Baja,LIBRO_IVA_COMPRAS,LIBRO_IVA_VENTAS,"
                    "PideVencimiento,MedioDePago,"
                    "TipoVista,UsaCCostos,CajayBanco,Moneda) VALUES ('CAJA "
                    "CHICA','11010100105','','','','0','0','0','0','9','0',"
                    "'0','0','0','0','TJ','',1,'0','   1')"));
}

namespace {

// Types into the value cell of a personalised field: the first key on the grid opens the editor.
void EscribirPersonalizado(CuentasDePrueba& c, int fila, const QString& texto, bool confirmar = true) {
    vb::FlexGrid* g = Control<vb::FlexGrid>(c.f(), "MSFlexGrid1");
    g->setRow(fila);
    g->setCol(1);
    g->setFocus();
    QApplication::processEvents();
    if (texto.isEmpty()) {
        QTest::mouseDClick(
            g->viewport(), Qt::LeftButton, {},
            QPoint(vb::PixelesDeTwips(g->CellLeft() + 50), vb::PixelesDeTwips(g->CellTop() + 50)));
        Control<vb::CajaTexto>(c.f(), "TxtEdit")->selectAll();
        QTest::keyClick(Control<vb::CajaTexto>(c.f(), "TxtEdit"), Qt::Key_Delete);
    } else {
        QTest::keyClicks(g, texto.left(1));
        QTest::keyClicks(Control<vb::CajaTexto>(c.f(), "TxtEdit"), texto.mid(1));
    }
    if (confirmar) QTest::keyClick(Control<vb::CajaTexto>(c.f(), "TxtEdit"), Qt::Key_Return);
    QApplication::processEvents();
}

}  // namespace

TEST(AccountSave, AChangedAccountKeepsBlankPersonalisedFieldsAndTakesNumbersInTheUsersLocale) {
    CuentasDePrueba c;
    vb::setLocaleNumeros(QLocale(QLocale::Spanish, QLocale::Argentina));
    c.Iniciar();
    c.EscribirCodigo("11010100101");
    ASSERT_TRUE(c.f().CuentaGuardada());
    vb::FlexGrid* g = Control<vb::FlexGrid>(c.f(), "MSFlexGrid1");
    ASSERT_EQ(g->Rows(), 4);
    EXPECT_EQ(g->TextMatrix(1, 0), "P_RESPONSABLE");
    EXPECT_EQ(g->TextMatrix(2, 1), "50000");
    EXPECT_EQ(g->TextMatrix(3, 0), "p_Nota");
    // The description typed and left for the grid, as a user does.
    Control<vb::CajaTexto>(c.f(), "txtFields", 0)->setFocus();
    Control<vb::CajaTexto>(c.f(), "txtFields", 0)->selectAll();
    QTest::keyClicks(Control<vb::CajaTexto>(c.f(), "txtFields", 0), "CAJA CENTRAL");
    Control<QTabWidget>(c.f(), "SSTab1")->setCurrentIndex(1);
    EscribirPersonalizado(c, 1, "A.B,C");  // a text: stored as typed
    EscribirPersonalizado(c, 3, "");       // blank: the column keeps its value
    // A number: "." types the decimal comma once; the edit still open when saving counts.
    EscribirPersonalizado(c, 2, "1250.5.3", false);
    EXPECT_EQ(Control<vb::CajaTexto>(c.f(), "TxtEdit")->text(), "1250,53");
    c.Boton("GRABAR");

    EXPECT_FALSE(c.f().Rechazo());
    EXPECT_EQ(c.base().filas("SELECT DESCRIPCION, P_RESPONSABLE, P_LIMITE, p_Nota, Manual FROM MA_CUENTAS "
                             "WHERE CODIGO = '11010100101'"),
              (QList<QStringList>{{"CAJA CENTRAL", "A.B,C", "1250.53", "Arqueo diario",
                                   "Ingresos de efectivo por cobranzas y reposiciones del fondo fijo."}}));
    EXPECT_EQ(Acciones(c, "M"), 1);
    EXPECT_EQ(Acciones(c, "A"), 0);
}

TEST(AccountSave, AMovedPaymentMeansClearsTheSettingItNoLongerHolds) {
    CuentasDePrueba c;
    // Bank accounts have additional data; not asked here.
    c.guion().esperarMsgBox(vb::vbNo);
    c.guion().esperarMsgBox(vb::vbNo);
    c.Iniciar();
    c.EscribirCodigo("21030100101");
    ASSERT_EQ(Control<QComboBox>(c.f(), "CmbMP")->currentIndex(), 10);
    Control<QComboBox>(c.f(), "CmbMP")->setCurrentIndex(9);
    c.Boton("GRABAR");
    EXPECT_EQ(c.Guardado("21030100101", "MedioDePago"), "RO");
    EXPECT_NE(c.Ajuste("CTA_RET_OTRA_21030100101"), "SU");

    c.EscribirCodigo("11010200102");
    ASSERT_EQ(Control<QComboBox>(c.f(), "CmbMP")->currentIndex(), 11);
    Control<QComboBox>(c.f(), "CmbMP")->setCurrentIndex(3);
    c.Boton("GRABAR");
    EXPECT_EQ(c.Guardado("11010200102", "MedioDePago"), "TJ");
    EXPECT_EQ(c.Ajuste("CtaSolicitudCredito"), "");
    // Position 4 is a bank account whatever the ranges say.
    c.EscribirCodigo("21010100101");
    Control<QComboBox>(c.f(), "CmbMP")->setCurrentIndex(4);
    c.Boton("GRABAR");
    EXPECT_EQ(c.Guardado("21010100101", "TipoVista"), "BC");
}

TEST(AccountSave, RefusalsWriteNothing) {
    CuentasDePrueba c(
        {"DELETE FROM MA_CUENTAS WHERE CODIGO = '110101009'",
         "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO) VALUES ('110101009', 'CAJA VIEJA', 0)",
         "INSERT INTO MV_ASIENTOS (PERIODO, CUENTA, IMPORTE, ES_SALDO_APERTURA) VALUES "
         "('2026', '110101009', 10, 0)"});
    c.Iniciar();
    // Kept by the payroll system.
    c.EscribirCodigo("51010100101");
    c.guion().esperarMsgBox(vb::vbOK);
    c.Boton("GRABAR");
    ASSERT_EQ(c.guion().preguntas().size(), 1);
    EXPECT_EQ(
        c.guion().preguntas().last(),
        (Pregunta{
            "La cuenta que intenta modificar está configurada para el legajo 0001 del código de empresa "
            "1\r\nLos cambios deben realizarse desde el sistema de personal",
            "Aviso al Usuario", vb::vbInformation}));
    // A postable account with movements cannot become a title.
    c.EscribirCodigo("110101009");
    QTest::mouseClick(Control<QRadioButton>(c.f(), "OptTipoCuenta", 1), Qt::LeftButton, {}, QPoint(4, 4));
    ASSERT_TRUE(Control<QRadioButton>(c.f(), "OptTipoCuenta", 1)->isChecked());
    c.guion().esperarMsgBox(vb::vbOK);
    c.Boton("GRABAR");
    EXPECT_EQ(c.guion().preguntas().last().texto,
              "La cuenta no puede cambiarse a Título porque tiene movimientos registrados!!!");
    EXPECT_EQ(c.guion().preguntas().last().estilo, vb::vbCritical);
    EXPECT_TRUE(c.f().Rechazo());
    EXPECT_EQ(c.Guardado("110101009", "TITULO"), "0");
    // A title with accounts under it cannot become postable (the refused change left behind).
    c.guion().esperarMsgBox(vb::vbYes);
    c.EscribirCodigo("110101001");
    Control<QRadioButton>(c.f(), "OptTipoCuenta", 0)->setChecked(true);
    c.guion().esperarMsgBox(vb::vbOK);
    c.f().GrabarCuenta();
    EXPECT_EQ(c.guion().preguntas().last().texto,
              "No puede cambiar el tipo de cuenta porque existe un nivel inferior");
    EXPECT_EQ(c.Guardado("110101001", "TITULO"), "1");
    EXPECT_EQ(c.Filas("SELECT count(*) FROM MV_CPTEACCIONES"), 0);
}

TEST(AccountSave, CodesUpToFifteenCharactersSaveAndTheFormKeepsTheCodeAbove) {
    CuentasDePrueba c({"DELETE FROM MA_CUENTAS WHERE CODIGO = '1109'",
                       "UPDATE TA_CONFIGURACION SET VALOR = '2' WHERE CLAVE = 'DIGITOS_CUENTA'",
                       "UPDATE TA_CONFIGURACION SET VALOR = '2' WHERE CLAVE = 'DIGITOS_SUBCUENTA'"});
    c.Iniciar();
    // Levels 1, 1, 2, 2, 2, 2: the new 1109 leaves 11 in the code field.
    c.EscribirCodigo("1109");
    ASSERT_TRUE(c.f().CuentaNueva());
    c.EscribirCampo(0, "CREDITOS");
    c.Boton("GRABAR");
    EXPECT_EQ(c.Guardado("1109", "DESCRIPCION"), "CREDITOS");
    EXPECT_EQ(Control<vb::CajaTexto>(c.f(), "txtFields", 1)->text(), "11");

    // A new account whose code field holds more than the levels give.
    c.Boton("CANCELAR");
    c.Boton("NUEVO");
    ASSERT_TRUE(c.f().CuentaNueva());
    Control<vb::CajaTexto>(c.f(), "txtFields", 0)->setText("QUINCE");
    Control<vb::CajaTexto>(c.f(), "txtFields", 1)->setText("1-1-01-01-01-0123456");
    c.f().GrabarCuenta();
    EXPECT_EQ(c.Guardado("110101010123456", "DESCRIPCION"), "QUINCE");
    c.Boton("CANCELAR");
    c.Boton("NUEVO");
    Control<vb::CajaTexto>(c.f(), "txtFields", 1)->setText("1101010101234567");
    c.guion().esperarMsgBox(vb::vbOK);
    c.f().GrabarCuenta();
    EXPECT_TRUE(c.f().Rechazo());
    EXPECT_EQ(c.guion().preguntas().last(),
              (Pregunta{"La longitud de la cuenta no puede superar los 15 caracteres!!!", "Atención",
                        vb::vbInformation}));
    EXPECT_EQ(c.Guardado("1101010101234567", "DESCRIPCION"), "(sin fila)");
}

TEST(AccountSave, OnlyAPostableAccountInARangeAsksForItsAdditionalData) {
    CuentasDePrueba c({"DELETE FROM MA_CUENTAS WHERE CODIGO IN ('11030100190', '11030100191', '110301009')"});
    QString abierta = "(no)";
    // The window takes its account and, as a companion may, leaves the shared current account
    // changed: the chart's focus follows what the chart did, not the shared account.
    EnlacesCuentas::RegistraFormulario("frmMA_CUENTASADIC", [&] {
        abierta = CNStuffContable::gCuentaActual;
        CNStuffContable::gCuentaActual.clear();
    });
    c.Iniciar();
    c.EscribirCodigo("11030100190");
    c.EscribirCampo(0, "CLIENTE NUEVO");
    c.guion().esperarMsgBox(vb::vbYes);
    c.Boton("GRABAR");
    EXPECT_EQ(
        c.guion().preguntas().last(),
        (Pregunta{"Esta cuenta esta informada en el rango de cuentas de datos adicionales,\r                "
                  "¿Desea Actualizar los datos adicionales?",
                  "Atención!", vb::vbYesNo + vb::vbExclamation}));
    EXPECT_EQ(abierta, "11030100190");
    EXPECT_EQ(c.Guardado("11030100190", "TipoVista"), "CL");
    // Handed to the additional data, the chart waits in its code box.
    EXPECT_EQ(QApplication::focusWidget(), Control<vb::CajaTexto>(c.f(), "TxtCodigo"));

    // No: nothing opens and the current account is given up.
    abierta = "(no)";
    c.EscribirCodigo("11030100191");
    c.EscribirCampo(0, "OTRO CLIENTE");
    c.guion().esperarMsgBox(vb::vbNo);
    c.Boton("GRABAR");
    EXPECT_EQ(abierta, "(no)");
    EXPECT_EQ(CNStuffContable::gCuentaActual, "");
    // Kept by no other window, it waits in the description for the next account.
    EXPECT_EQ(QApplication::focusWidget(), Control<vb::CajaTexto>(c.f(), "txtFields", 0));

    // A title in the range is saved without the question.
    const auto preguntas = c.guion().preguntas().size();
    c.EscribirCodigo("110301009");
    c.EscribirCampo(0, "CLIENTES DEL EXTERIOR");
    QTest::mouseClick(Control<QRadioButton>(c.f(), "OptTipoCuenta", 1), Qt::LeftButton, {}, QPoint(4, 4));
    c.Boton("GRABAR");
    EXPECT_EQ(c.guion().preguntas().size(), preguntas);
    EXPECT_EQ(c.Guardado("110301009", "TITULO"), "1");
    EXPECT_EQ(c.Guardado("110301009", "TipoVista"), "");
    EnlacesCuentas::RegistraFormulario("frmMA_CUENTASADIC", {});
}

TEST(AccountSave, AfterASaveFromTheToolbarTheCodeFieldKeepsTheCodeAbove) {
    CuentasDePrueba c;
    LocaleNumeros locale(LocaleNumeros::coma());
    c.Iniciar();
    c.EscribirCodigo("1101");
    ASSERT_TRUE(c.f().CuentaGuardada());
    c.Boton("GRABAR");
    ASSERT_FALSE(c.f().Rechazo());
    EXPECT_EQ(Control<vb::CajaTexto>(c.f(), "txtFields", 1)->text(), "11");
    EXPECT_FALSE(c.f().CuentaGuardada());
}

TEST(AccountSave, ACodeTakenByAnAccountTheUserCannotSeeIsRefusedInPlainWords) {
    CuentasDePrueba c({}, "OPERADOR");
    LocaleNumeros locale(LocaleNumeros::coma());
    c.Iniciar();
    c.EscribirCodigo("51010100102");  // confidential
    ASSERT_TRUE(c.f().CuentaNueva());
    c.EscribirCampo(0, "OTRA CUENTA");
    c.guion().esperarMsgBox(vb::vbOK);
    c.Boton("GRABAR");
    EXPECT_TRUE(c.f().Rechazo());
    ASSERT_EQ(c.guion().preguntas().size(), 1);
    EXPECT_EQ(c.guion().preguntas().at(0).texto, "La cuenta es inexistente");
    // Nothing is lost: the form keeps what was typed, the hidden account stays as it was.
    EXPECT_TRUE(c.f().CuentaNueva());
    EXPECT_EQ(Control<vb::CajaTexto>(c.f(), "txtFields", 0)->text(), "OTRA CUENTA");
    EXPECT_EQ(c.base().filas("SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '51010100102'"),
              (QList<QStringList>{{"HONORARIOS DIRECTORIO"}}));
}

TEST(AccountSave, ANewAccountStartsWithEveryPersonalisedFieldEmptyAndSavesTheOnesTyped) {
    CuentasDePrueba c({"DELETE FROM MA_CUENTAS WHERE CODIGO IN ('11010100105', '11010100103')"});
    c.Iniciar();
    // Another account's values are shown first; F8 clears the form.
    c.EscribirCodigo("11010100101");
    ASSERT_EQ(Control<vb::FlexGrid>(c.f(), "MSFlexGrid1")->TextMatrix(1, 1), "TESORERIA");
    c.guion().esperarMsgBox(vb::vbYes);  // "¿Está seguro de abandonar la carga de datos?"
    c.Tecla(Qt::Key_F8);
    c.EscribirCodigo(kNueva);
    ASSERT_TRUE(c.f().CuentaNueva());
    vb::FlexGrid* g = Control<vb::FlexGrid>(c.f(), "MSFlexGrid1");
    ASSERT_EQ(g->Rows(), 4);
    EXPECT_EQ(g->TextMatrix(0, 0), "Campo");
    const QStringList campos{g->TextMatrix(1, 0), g->TextMatrix(2, 0), g->TextMatrix(3, 0)};
    EXPECT_EQ(campos, (QStringList{"P_RESPONSABLE", "P_LIMITE", "p_Nota"}));
    EXPECT_EQ(g->TextMatrix(1, 1) + g->TextMatrix(2, 1) + g->TextMatrix(3, 1), "");
    c.EscribirCampo(0, "CAJA CHICA");
    c.Tecla(Qt::Key_F4);
    EXPECT_FALSE(c.f().Rechazo());
    EXPECT_EQ(c.base().filas("SELECT DESCRIPCION, P_RESPONSABLE, P_LIMITE, p_Nota FROM MA_CUENTAS WHERE "
                             "CODIGO = '11010100105'"),
              (QList<QStringList>{{"CAJA CHICA", QString(), QString(), QString()}}));

    // Typed straight over a shown account: none of its values either; the one typed is saved.
    c.EscribirCodigo("11010100101");
    // The first free code under the title, which leaving the title list proposes again.
    c.EscribirCodigo("11010100103");
    ASSERT_TRUE(c.f().CuentaNueva());
    EXPECT_EQ(g->TextMatrix(1, 1) + g->TextMatrix(2, 1) + g->TextMatrix(3, 1), "");
    Control<QTabWidget>(c.f(), "SSTab1")->setCurrentIndex(1);
    EscribirPersonalizado(c, 1, "RESPONSABLE UNO");
    c.Tecla(Qt::Key_F4);
    EXPECT_FALSE(c.f().Rechazo());
    EXPECT_EQ(
        c.base().filas("SELECT P_RESPONSABLE, P_LIMITE, p_Nota FROM MA_CUENTAS WHERE CODIGO = '11010100103'"),
        (QList<QStringList>{{"RESPONSABLE UNO", QString(), QString()}}));
}

TEST(AccountSave, AnAccountSavedAgainUnchangedIsNotItsOwnDuplicateAndGetsNoSecondCostCentreRow) {
    CuentasDePrueba c({"UPDATE MA_CUENTAS SET usaccostoS = 1 WHERE CODIGO = '11010100102'"});
    c.Iniciar();
    // Its optional code "BGAL" belongs to itself.
    c.EscribirCodigo("11010200105");
    ASSERT_EQ(Control<vb::CajaTexto>(c.f(), "txtFields", 2)->text(), "BGAL");
    c.guion().esperarMsgBox(vb::vbNo);  // its additional data
    c.Tecla(Qt::Key_F4);
    EXPECT_FALSE(c.f().Rechazo());
    ASSERT_EQ(c.guion().preguntas().size(), 1);
    EXPECT_TRUE(c.guion().preguntas().at(0).texto.startsWith("Esta cuenta esta informada"));
    EXPECT_EQ(c.Guardado("11010200105", "CODIGOOPCIONAL"), "BGAL");
    EXPECT_EQ(Acciones(c, "M"), 1);

    // A distribution of its own: nothing added beside it.
    c.EscribirCodigo("11010100102");
    ASSERT_TRUE(Control<QCheckBox>(c.f(), "chkCCostos")->isChecked());
    c.Tecla(Qt::Key_F4);
    EXPECT_FALSE(c.f().Rechazo());
    EXPECT_EQ(c.base().filas("SELECT CCOSTO, PORCENTAJE FROM MA_CUENTASCCOSTO WHERE CODIGO = '11010100102'"),
              (QList<QStringList>{{"3", "100"}}));
    EXPECT_EQ(Acciones(c, "M"), 2);
}

TEST(AccountSave, OnlyAnOptionalCodeOverFourCharactersIsRemindedOfTheCashModule) {
    CuentasDePrueba c;
    c.Iniciar();
    c.EscribirCodigo("11010100101");
    c.EscribirCampo(2, "CC01");
    EXPECT_TRUE(c.guion().preguntas().isEmpty());
    c.guion().esperarMsgBox(vb::vbOK);
    c.EscribirCampo(2, "CC012");
    ASSERT_EQ(c.guion().preguntas().size(), 1);
    EXPECT_TRUE(
        c.guion().preguntas().at(0).texto.startsWith("Recuerde, si el codigo opcional tiene mas de 4"));
    EXPECT_EQ(c.guion().preguntas().at(0).titulo, "Aviso al operador");
}

TEST(AccountSave, TheAlphanumericCodeSettingIsReadWithoutRegardToCase) {
    for (const char* valor : {"si", "Si", "NO"}) {
        SCOPED_TRACE(valor);
        CuentasDePrueba c(
            {QString("UPDATE TA_CONFIGURACION SET VALOR = '%1' WHERE CLAVE = 'CUENTASALFANUMERICAS'")
                 .arg(valor)});
        c.Iniciar();
        const bool permitidas = QString(valor).toUpper() == "SI";
        if (!permitidas) c.guion().esperarMsgBox(vb::vbOK);
        c.EscribirCodigo("11010100A01");
        EXPECT_EQ(c.f().CuentaNueva(), permitidas);
        EXPECT_EQ(c.guion().preguntas().size(), permitidas ? 0 : 1);
    }
}

namespace {

// A setting the save or the delete reads before it writes, and the action.
struct AjusteIlegible {
    const char* clave;
    const char* accion;
};

}  // namespace

// A setting the save or the delete cannot read stops it with the one message of the failed read,
// never a second one about a code it could not check: nothing is written, the form keeps what was
// typed, and the next try goes through.
TEST(AccountSave, ASettingThatCannotBeReadStopsTheActionWithOneMessage) {
    const AjusteIlegible filas[] = {{"DIGITOS_CAPITULO", "GRABAR"},
                                    {"DIGITOS_SUBCUENTA", "GRABAR"},
                                    {"CUENTASALFANUMERICAS", "GRABAR"},
                                    {"TituloClientes", "GRABAR"},
                                    {"DIGITOS_RUBRO", "BORRAR"}};
    for (const AjusteIlegible& fila : filas) {
        SCOPED_TRACE(std::string(fila.clave) + " " + fila.accion);
        const bool graba = QString(fila.accion) == "GRABAR";
        CuentasDePrueba c;
        c.Iniciar();
        c.EscribirCodigo("11010100104");
        if (graba) c.EscribirCampo(0, "CAJA REALES X");
        const auto cuenta = [&] {
            return c.base().filas("SELECT * FROM MA_CUENTAS WHERE CODIGO = '11010100104'");
        };
        const auto antes = cuenta();
        ado::FallaInyectada falla;
        falla.contiene = QString("CLAVE = '%1'").arg(fila.clave);
        falla.error = {"HYT00", ado::kErrTiempoAgotado, "Tiempo de espera agotado", 0, {}};
        CNStuffContable::gBaseDatos().gCnn->InyectarFalla(falla);
        c.guion().esperarMsgBox(vb::vbAbort);
        c.Boton(fila.accion);
        CNStuffContable::gBaseDatos().gCnn->QuitarFallas();
        ASSERT_EQ(c.guion().preguntas().size(), 1);
        EXPECT_TRUE(c.guion().preguntas()[0].texto.contains("Tiempo de espera agotado"));
        EXPECT_TRUE(c.f().Rechazo());
        EXPECT_EQ(cuenta(), antes);
        EXPECT_EQ(Acciones(c, graba ? "M" : "B"), 0);
        EXPECT_TRUE(c.f().CuentaGuardada());
        EXPECT_EQ(Control<vb::CajaTexto>(c.f(), "txtFields", 0)->text(),
                  graba ? "CAJA REALES X" : "CAJA REALES");

        if (!graba) {
            c.guion().esperarMsgBox(vb::vbYes);  // "Confirma la baja de esta cuenta? "
            c.guion().esperarMsgBox(vb::vbYes);  // its cash-flow lines
        }
        c.Boton(fila.accion);
        EXPECT_FALSE(c.f().Rechazo());
        EXPECT_EQ(c.Guardado("11010100104", "DESCRIPCION"), graba ? "CAJA REALES X" : "(sin fila)");
    }
}
