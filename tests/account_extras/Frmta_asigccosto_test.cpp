#include "account_extras/Frmta_asigccosto.h"

#include "accounts/CuentasDePrueba.h"
#include "accounts/EnlacesCuentas.h"
#include "accounts/FrmMA_CUENTAS.h"
#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "lookup/Lib_FrmCons3Tree.h"
#include "outside/controls/BarraBotones.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/EditorGrilla.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/Teclas.h"
#include "outside/controls/UtilVex.h"
#include "outside/maker/VisorConsulta.h"
#include "services/CNStuffContable.h"
#include "services/ModGruposEmp.h"
#include "support/AbrirComo.h"
#include "support/BaseDePrueba.h"
#include "support/ConexionCaida.h"
#include "support/Control.h"
#include "support/DialogosGuionados.h"
#include "support/ImprimeQt.h"
#include "support/LocaleNumeros.h"
#include "support/ProgramaDePrueba.h"
#include "support/Teclado.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <memory>

namespace {

// The demo company: account 51010100101 spread 111 60 / 21 40 in general, with other splits per
// unit and cost-centre movements; 11010100102 all on 3, without movements. A group company takes
// the copies of both distribution tables; an active terminal takes none (they are in no group).
class CostCentres : public ::testing::Test {
  protected:
    CostCentres() : base_(true) {}

    void SetUp() override {
        ASSERT_TRUE(base_.valida()) << base_.error().toStdString();
        grupo_ = std::make_unique<BaseDePrueba>(base_, "GRUPO");
        tpv_ = std::make_unique<BaseDePrueba>(base_, "TPV1");
        const QString carpeta = base_.carpeta();
        base_.ejecutar(
            "INSERT INTO TA_TPV (CODIGO, Descripcion, Server, Dbname, INTERNET, BAJA, CONECTADO) VALUES "
            "('   9', 'LOCAL', '" +
            carpeta + "', 'TPV1', 0, 0, 0)");
        base_.ejecutar(
            "INSERT OR REPLACE INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux) VALUES ('GRP_Deshabilitado', "
            "'0', NULL), "
            "('GRP_Tablas', '', '|MA_CUENTASCCOSTO|MA_CUENTASCCOSTO_UNEG|'), ('GRP_Tipos', '111', NULL), "
            "('GRP_Server', '" +
            carpeta + "', NULL), ('GRP_Base', 'GRUPO', NULL)");
        // What the group had: a stale centre of the account, and another unit's rows.
        grupo_->ejecutar(
            "INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE) VALUES ('51010100101', '3', 5)");
        grupo_->ejecutar(
            "INSERT INTO MA_CUENTASCCOSTO_UNEG (CODIGO, CCOSTO, UNEGOCIO, PORCENTAJE) VALUES "
            "('51010100101', '12', '   2', 50)");
        ASSERT_TRUE(AbrirComo(base_));
    }
    void TearDown() override {
        f_.reset();
        for (DB_Dll* d : {&ModGruposEmp::gBaseDatosGrupo(), &CNStuffContable::gBaseDatosRemota()})
            if (d->gCnn && d->gCnn->State() == ado::adStateOpen) d->gCnn->Close();
    }

    // Opened as the chart of accounts opens it, or from a menu.
    Frmta_asigccosto& Abre(const QString& cuenta, bool menu = false) {
        CNStuffContable::gCuentaActual = cuenta;
        f_ = std::make_unique<Frmta_asigccosto>();
        f_->setAttribute(Qt::WA_DeleteOnClose, false);
        f_->Mostrar(menu);
        QApplication::setActiveWindow(f_.get());
        return *f_;
    }
    // The account typed and accepted with Enter: the editor opens on the first cost centre.
    void Elige(const QString& cuenta) {
        Control<vb::CajaTexto>(*f_, "txtCuenta", 0)->setFocus();
        Control<vb::CajaTexto>(*f_, "txtCuenta", 0)->setText(cuenta);
        QTest::keyClick(Control<vb::CajaTexto>(*f_, "txtCuenta", 0), Qt::Key_Return);
    }
    vb::CajaTexto* editor() { return Control<vb::CajaTexto>(*f_, "BrwTxt", 0); }
    // Replaces the editor's text and presses Enter.
    void Teclea(const QString& texto) {
        editor()->selectAll();
        QTest::keyClicks(editor(), texto);
        QTest::keyClick(editor(), Qt::Key_Return);
    }
    // A key typed on the grid's current cell opens the editor with it.
    void TecleaEnGrilla(const QString& texto) {
        Control<vb::FlexGrid>(*f_, "FGCCosto")->setFocus();
        QTest::keyClicks(Control<vb::FlexGrid>(*f_, "FGCCosto"), texto.left(1));
        QTest::keyClicks(editor(), texto.mid(1));
        QTest::keyClick(editor(), Qt::Key_Return);
    }
    QStringList Celdas(int fila) const {
        return {Control<vb::FlexGrid>(*f_, "FGCCosto")->TextMatrix(fila, 1),
                Control<vb::FlexGrid>(*f_, "FGCCosto")->TextMatrix(fila, 2),
                Control<vb::FlexGrid>(*f_, "FGCCosto")->TextMatrix(fila, 3)};
    }
    static QList<QStringList> Distribucion(const BaseDePrueba& b, const QString& tabla) {
        return b.filas("SELECT " + QString(tabla.endsWith("UNEG") ? "UNEGOCIO || '|' || " : "") +
                       "CCOSTO, printf('%g', PORCENTAJE) FROM " + tabla +
                       " WHERE CODIGO = '51010100101' ORDER BY 1, 2");
    }

    ProgramaDePrueba programa_;
    BaseDePrueba base_;
    std::unique_ptr<BaseDePrueba> grupo_, tpv_;
    std::unique_ptr<Frmta_asigccosto> f_;
};

}  // namespace

TEST_F(CostCentres, OpenedForAnAccountItShowsItsGeneralDistributionAndFromAMenuNothing) {
    DialogosGuionados guion;
    Frmta_asigccosto& f = Abre("51010100101");
    EXPECT_EQ(f.windowTitle(), "Actualización de Centros de Costos");
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtCuenta", 0)->text(), "51010100101");
    EXPECT_EQ(Celdas(1), QStringList({"111", "CONTADURIA", "60"}));
    EXPECT_EQ(Celdas(2), QStringList({"21", "VENTAS MAYORISTAS", "40"}));
    EXPECT_EQ(Control<vb::FlexGrid>(f, "FGCCosto")->Rows(), 20);
    EXPECT_TRUE(Control<QCheckBox>(f, "ChkVariable")->isChecked());
    EXPECT_TRUE(Control<QComboBox>(f, "CmbUnegocio")->isEnabled());
    ASSERT_EQ(Control<QComboBox>(f, "CmbUnegocio")->count(), 3);
    EXPECT_EQ(Control<QComboBox>(f, "CmbUnegocio")->itemText(1), "   1 CASA CENTRAL");
    EXPECT_EQ(Control<vb::FlexGrid>(f, "MSHFlexGrid1")->TextMatrix(1, 0),
              "11010100102");  // accounts with a distribution

    // Another unit's own rows; a unit without rows shows none although the general ones exist.
    Control<QComboBox>(f, "CmbUnegocio")->setCurrentIndex(2);
    EXPECT_EQ(Celdas(1), QStringList({"12", "RECURSOS HUMANOS", "50"}));
    EXPECT_EQ(Celdas(2), QStringList({"22", "VENTAS MINORISTAS", "50"}));
    base_.ejecutar("DELETE FROM MA_CUENTASCCOSTO_UNEG WHERE UNEGOCIO = '   1'");
    Control<QComboBox>(f, "CmbUnegocio")->setCurrentIndex(1);
    EXPECT_EQ(Celdas(1), QStringList({"", "", ""}));
    EXPECT_TRUE(f.CuentaNueva());

    Frmta_asigccosto& m = Abre("51010100101", true);
    EXPECT_EQ(Control<vb::CajaTexto>(m, "txtCuenta", 0)->text(), "");
    EXPECT_EQ(Celdas(1), QStringList({"", "", ""}));
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

TEST_F(CostCentres, EveryCheckOfACellFromTheKeyboard) {
    Frmta_asigccosto& f = Abre("", true);
    DialogosGuionados guion;
    for (int i = 0; i < 5; ++i) guion.esperarMsgBox(vb::vbOK);
    Elige("51010100101");
    ASSERT_TRUE(f.Editor()->Editando());
    EXPECT_EQ(editor()->text(), "111");
    EXPECT_FALSE(Control<vb::CajaTexto>(f, "txtCuenta", 0)->isEnabled());
    Teclea("999");  // unknown

    Teclea("1");                          // a title
    Teclea("21");                         // already on row 2
    EXPECT_TRUE(f.Editor()->Editando());  // a refused value keeps the editor on the cell
    EXPECT_EQ(Control<vb::FlexGrid>(f, "FGCCosto")->Row(), 1);
    Teclea("12");  // accepted: on to its percentage
    EXPECT_EQ(Celdas(1), QStringList({"12", "RECURSOS HUMANOS", "60"}));
    EXPECT_EQ(Control<vb::FlexGrid>(f, "FGCCosto")->Col(), 3);
    TecleaEnGrilla("101");
    Teclea("61");  // 61 + 40 is over 100 once rounded
    Teclea("59.6");
    EXPECT_EQ(Control<vb::FlexGrid>(f, "FGCCosto")->Row(), 2);  // on to the next row's cost centre
    EXPECT_EQ(Control<vb::FlexGrid>(f, "FGCCosto")->Col(), 1);
    EXPECT_EQ(f.Filas().at(1).Porcentaje.trimmed(), "59.6");

    QStringList textos;
    for (const Pregunta& p : guion.preguntas()) {
        textos << p.texto;
        EXPECT_EQ(p.titulo, "Aviso al Operador");
    }
    EXPECT_EQ(textos, QStringList({"Codigo_Inexistente", "El centro de Costos es Titulo, seleccione otro!",
                                   "El centro de Costo ingresado ya fue informado anteriormente",
                                   "El porcentaje debe estar en un rango de 0 a 100",
                                   "La suma de los porcentajes debe estar entre 0 y 100"}));
    EXPECT_EQ(guion.pendientes(), 0);
}

TEST_F(CostCentres, EnterAndDownWalkTheRowsAndAppendOnesAtTheEnd) {
    Frmta_asigccosto& f = Abre("", true);
    DialogosGuionados guion;
    Elige("11010100102");
    Teclea("3");  // the same code on its own row is accepted
    EXPECT_EQ(Control<vb::FlexGrid>(f, "FGCCosto")->Col(), 3);
    QTest::keyClick(Control<vb::FlexGrid>(f, "FGCCosto"),
                    Qt::Key_Return);  // Enter on the grid moves on, never opens
    EXPECT_FALSE(f.Editor()->Editando());
    EXPECT_EQ(Control<vb::FlexGrid>(f, "FGCCosto")->Row(), 2);
    EXPECT_EQ(Control<vb::FlexGrid>(f, "FGCCosto")->Col(), 1);
    // An empty row's percentage cannot be typed.
    Control<vb::FlexGrid>(f, "FGCCosto")->setCol(3);
    QTest::keyClicks(Control<vb::FlexGrid>(f, "FGCCosto"), "5");
    EXPECT_FALSE(f.Editor()->Editando());
    Control<vb::FlexGrid>(f, "FGCCosto")->setCol(1);
    for (int i = 0; i < 18; ++i)
        f.MSFlex_EditKeyCode(Control<vb::FlexGrid>(f, "FGCCosto"), editor(), vb::vbKeyDown, 0);
    EXPECT_EQ(Control<vb::FlexGrid>(f, "FGCCosto")->Rows(), 21);
    EXPECT_EQ(Control<vb::FlexGrid>(f, "FGCCosto")->Row(), 20);
    QTest::keyClicks(Control<vb::FlexGrid>(f, "FGCCosto"), "2");
    QTest::keyClicks(editor(), "2");
    QTest::keyClick(editor(), Qt::Key_Down);
    EXPECT_EQ(Control<vb::FlexGrid>(f, "FGCCosto")->Rows(), 22);
    EXPECT_EQ(Celdas(20).at(0), "22");
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

TEST_F(CostCentres, SaveRewritesBothTablesInOneTransactionAndTheGroupGetsTheRowsByTheirKeys) {
    Frmta_asigccosto& f = Abre("", true);
    DialogosGuionados guion;
    Elige("51010100101");
    Teclea("12");
    TecleaEnGrilla("50");
    EXPECT_EQ(Control<vb::FlexGrid>(f, "FGCCosto")->Row(), 2);
    // Row 2's code is emptied: the row goes, with its percentage.
    editor()->clear();
    Control<vb::FlexGrid>(f, "FGCCosto")->setFocus();
    QTest::keyClicks(Control<vb::FlexGrid>(f, "FGCCosto"), "x");
    editor()->clear();
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(Celdas(2), QStringList({"", "", ""}));
    Control<QCheckBox>(f, "ChkPideConf")->setChecked(true);
    Control<UtilVex>(f, "UtilVex1")->Boton("GRABAR")->click();
    EXPECT_TRUE(guion.preguntas().isEmpty());
    EXPECT_FALSE(f.Rechazo());
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtCuenta", 0)->text(), "");  // cleared for the next account

    // With "General" shown the unit rows go under "Gene".
    EXPECT_EQ(Distribucion(base_, "MA_CUENTASCCOSTO"), (QList<QStringList>{{"12", "50"}}));
    EXPECT_EQ(
        base_.filas(
            "SELECT PideConfirmacion, VariablePorUD FROM MA_CUENTASCCOSTO WHERE CODIGO = '51010100101'"),
        (QList<QStringList>{{"1", "1"}}));
    EXPECT_EQ(
        Distribucion(base_, "MA_CUENTASCCOSTO_UNEG"),
        (QList<QStringList>{
            {"   1|111", "70"}, {"   1|21", "30"}, {"   2|12", "50"}, {"   2|22", "50"}, {"Gene|12", "50"}}));
    // The group: the stale centre gone, the other unit kept, each row copied by its keys.
    EXPECT_EQ(Distribucion(*grupo_, "MA_CUENTASCCOSTO"), (QList<QStringList>{{"12", "50"}}));
    EXPECT_EQ(Distribucion(*grupo_, "MA_CUENTASCCOSTO_UNEG"),
              (QList<QStringList>{{"   2|12", "50"}, {"Gene|12", "50"}}));
    EXPECT_TRUE(Distribucion(*tpv_, "MA_CUENTASCCOSTO").isEmpty());
}

TEST_F(CostCentres, AFailedInsertRollsTheSaveBackAndKeepsTheDistributionOnScreen) {
    Frmta_asigccosto& f = Abre("", true);
    DialogosGuionados guion;
    Elige("51010100101");
    Teclea("12");
    ado::FallaInyectada falla;
    falla.contiene = "INSERT INTO MA_CUENTASCCOSTO_UNEG";
    falla.veces = 1;
    falla.error = {"42000", 2627, "Violation of PRIMARY KEY constraint", 2627, {}};
    CNStuffContable::gBaseDatos().gCnn->InyectarFalla(falla);
    guion.esperarMsgBox(vb::vbAbort);
    Control<UtilVex>(f, "UtilVex1")->Boton("GRABAR")->click();
    CNStuffContable::gBaseDatos().gCnn->QuitarFallas();
    EXPECT_TRUE(f.Rechazo());
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtCuenta", 0)->text(), "51010100101");
    EXPECT_EQ(Celdas(1).at(0), "12");
    EXPECT_EQ(Distribucion(base_, "MA_CUENTASCCOSTO"), (QList<QStringList>{{"111", "60"}, {"21", "40"}}));
    EXPECT_EQ(Distribucion(*grupo_, "MA_CUENTASCCOSTO"), (QList<QStringList>{{"3", "5"}}));  // told nothing
}

// "Ignore" after any statement of the save is refused fails: going on past it would commit a
// distribution with a table or a row missing, so the save ends as a failure and writes nothing.
TEST_F(CostCentres, IgnoringAFailedStatementNeverCommitsHalfADistribution) {
    Frmta_asigccosto& f = Abre("", true);
    DialogosGuionados guion;
    Elige("51010100101");
    Teclea("12");
    const auto general = Distribucion(base_, "MA_CUENTASCCOSTO");
    const auto porUnidad = Distribucion(base_, "MA_CUENTASCCOSTO_UNEG");
    for (const char* sentencia : {"DELETE MA_CUENTASCCOSTO where", "INSERT INTO MA_CUENTASCCOSTO",
                                  "DELETE MA_CUENTASCCOSTO_UNEG", "INSERT INTO MA_CUENTASCCOSTO_UNEG"}) {
        SCOPED_TRACE(sentencia);
        ado::FallaInyectada falla;
        falla.contiene = sentencia;
        falla.error = {"HY000", ado::kErrNoEspecificado, "No queda espacio en el disco", 112, {}};
        CNStuffContable::gBaseDatos().gCnn->InyectarFalla(falla);
        const qsizetype dichas = guion.preguntas().size();
        guion.esperarMsgBox(vb::vbIgnore);
        Control<UtilVex>(f, "UtilVex1")->Boton("GRABAR")->click();
        CNStuffContable::gBaseDatos().gCnn->QuitarFallas();
        ASSERT_EQ(guion.preguntas().size(), dichas + 1);
        EXPECT_TRUE(guion.preguntas().last().texto.contains("No queda espacio"));
        EXPECT_TRUE(f.Rechazo());
        EXPECT_EQ(Celdas(1).at(0), "12");  // still on screen for another try
        EXPECT_EQ(Distribucion(base_, "MA_CUENTASCCOSTO"), general);
        EXPECT_EQ(Distribucion(base_, "MA_CUENTASCCOSTO_UNEG"), porUnidad);
        EXPECT_EQ(Distribucion(*grupo_, "MA_CUENTASCCOSTO"), (QList<QStringList>{{"3", "5"}}));
    }
}

// The connection drops between the two tables: the server has undone the first one with the
// session, and the second is not written on a reconnected one.
TEST_F(CostCentres, ALostConnectionKeepsBothTablesAsTheyWereAndIsShown) {
    Frmta_asigccosto& f = Abre("", true);
    DialogosGuionados guion;
    Elige("51010100101");
    Teclea("12");
    const auto general = Distribucion(base_, "MA_CUENTASCCOSTO");
    const auto porUnidad = Distribucion(base_, "MA_CUENTASCCOSTO_UNEG");
    const ado::FallaInyectada caida = ConexionCaida("DELETE MA_CUENTASCCOSTO_UNEG");
    CNStuffContable::gBaseDatos().gCnn->InyectarFalla(caida);
    guion.esperarMsgBox(vb::vbAbort);
    Control<UtilVex>(f, "UtilVex1")->Boton("GRABAR")->click();
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_TRUE(guion.preguntas()[0].texto.contains("Vínculo de comunicación perdido"));
    EXPECT_TRUE(guion.preguntas()[0].texto.contains("no se guardó nada"));
    EXPECT_EQ(guion.preguntas()[0].estilo, vb::vbOKOnly + vb::vbCritical);
    EXPECT_TRUE(f.Rechazo());
    EXPECT_EQ(Celdas(1).at(0), "12");
    EXPECT_EQ(Distribucion(base_, "MA_CUENTASCCOSTO"), general);
    EXPECT_EQ(Distribucion(base_, "MA_CUENTASCCOSTO_UNEG"), porUnidad);
    EXPECT_EQ(Distribucion(*grupo_, "MA_CUENTASCCOSTO"), (QList<QStringList>{{"3", "5"}}));  // told nothing
}

// The session drops at the very commit: the save is a lost transaction, shown once with no
// Retry or Ignore to let it pass, and neither table nor the group holds any of it.
TEST_F(CostCentres, ASessionLostAtTheCommitIsALostSaveNeverAnErrorToIgnore) {
    Frmta_asigccosto& f = Abre("", true);
    DialogosGuionados guion;
    Elige("51010100101");
    Teclea("12");
    const auto general = Distribucion(base_, "MA_CUENTASCCOSTO");
    const auto porUnidad = Distribucion(base_, "MA_CUENTASCCOSTO_UNEG");
    CNStuffContable::gBaseDatos().gCnn->InyectarFalla(ConexionCaida("COMMIT"));
    guion.esperarMsgBox(vb::vbIgnore);
    Control<UtilVex>(f, "UtilVex1")->Boton("GRABAR")->click();
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_TRUE(guion.preguntas()[0].texto.contains("no se guardó nada"));
    EXPECT_EQ(guion.preguntas()[0].estilo, vb::vbOKOnly + vb::vbCritical);
    EXPECT_TRUE(f.Rechazo());
    EXPECT_EQ(Celdas(1).at(0), "12");  // still on screen for another try
    EXPECT_EQ(Distribucion(base_, "MA_CUENTASCCOSTO"), general);
    EXPECT_EQ(Distribucion(base_, "MA_CUENTASCCOSTO_UNEG"), porUnidad);
    EXPECT_EQ(Distribucion(*grupo_, "MA_CUENTASCCOSTO"), (QList<QStringList>{{"3", "5"}}));
}

TEST_F(CostCentres, ACellLeftWithTheMouseIsCheckedSilentlyAndTheSaveRefusesIt) {
    Frmta_asigccosto& f = Abre("", true);
    DialogosGuionados guion;
    Elige("51010100101");
    editor()->selectAll();
    QTest::keyClicks(editor(), "999");
    // A click on row 3's description.
    vb::FlexGrid* g = Control<vb::FlexGrid>(f, "FGCCosto");
    const QPoint p(vb::PixelesDeTwips(g->ColWidth(0)) + vb::PixelesDeTwips(g->ColWidth(1)) + 10,
                   vb::PixelesDeTwips(g->RowHeight(0)) * 3 + 5);
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->viewport()->mapFrom(g, p));
    EXPECT_EQ(g->Row(), 3);
    EXPECT_FALSE(f.Editor()->Editando());
    EXPECT_TRUE(f.Rechazo());
    EXPECT_TRUE(guion.preguntas().isEmpty());
    guion.esperarMsgBox(vb::vbOK);
    Control<UtilVex>(f, "UtilVex1")->Boton("GRABAR")->click();
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(guion.preguntas()[0].texto, "Codigo_Inexistente");
    EXPECT_EQ(Distribucion(base_, "MA_CUENTASCCOSTO"), (QList<QStringList>{{"111", "60"}, {"21", "40"}}));
}

TEST_F(CostCentres, DeleteRefusesAnAccountWithMovementsAndRemovesOnlyTheShownGeneralRows) {
    Frmta_asigccosto& f = Abre("", true);
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbOK);
    Control<UtilVex>(f, "UtilVex1")->Boton("BORRAR")->click();  // nothing loaded: nothing deleted
    Elige("51010100101");
    guion.esperarMsgBox(vb::vbOK);
    Control<UtilVex>(f, "UtilVex1")->Boton("BORRAR")->click();
    ASSERT_EQ(guion.preguntas().size(), 2);
    EXPECT_EQ(guion.preguntas()[0].texto, "Debe Ingresar una Cuenta");
    EXPECT_EQ(guion.preguntas()[1].texto, "La cuenta 51010100101 tiene movimientos");
    EXPECT_EQ(Distribucion(base_, "MA_CUENTASCCOSTO").size(), 2);

    // A movement without an amount does not count.
    base_.ejecutar(
        "INSERT INTO MV_ASIENTOSCCOSTO (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], SECUENCIA, CCOSTO, "
        "CUENTA, Importe) VALUES ('2027', 8, 5, 1, '3', '11010100102', NULL)");
    Elige("11010100102");
    Control<UtilVex>(f, "UtilVex1")->Boton("BORRAR")->click();
    EXPECT_EQ(base_.escalar("SELECT count(*) FROM MA_CUENTASCCOSTO WHERE CODIGO = '11010100102'").toInt(), 0);
    EXPECT_EQ(Distribucion(base_, "MA_CUENTASCCOSTO").size(), 2);  // another account's rows stay
    EXPECT_EQ(Distribucion(base_, "MA_CUENTASCCOSTO_UNEG").size(), 4);
}

TEST_F(CostCentres, TheCostCentreLookupIsTheTreeAndACancelLeavesTheCellAsItWas) {
    Frmta_asigccosto& f = Abre("", true);
    DialogosGuionados guion;
    Elige("51010100101");
    auto elige = [&](const QString& clave) {
        guion.esperarModal([clave](QWidget* w) {
            auto* v = qobject_cast<Lib_FrmCons3Tree*>(w);
            ASSERT_NE(v, nullptr);
            if (clave.isEmpty()) return Control<QPushButton>(*v, "CmdCancelar")->click();
            Control<QTreeWidget>(*v, "TreeV")->setCurrentItem(v->NodoPorClave(clave));
            Control<QPushButton>(*v, "CmdAceptar")->click();
        });
        QTest::mouseClick(editor(), Qt::RightButton);
    };
    elige("");
    EXPECT_EQ(f.Filas().at(1).CCosto.trimmed(), "111");
    elige("A22");
    EXPECT_EQ(Celdas(1), QStringList({"22", "VENTAS MINORISTAS", "60"}));
    EXPECT_EQ(Control<vb::FlexGrid>(f, "FGCCosto")->Col(), 3);
    EXPECT_EQ(guion.pendientes(), 0);
}

TEST_F(CostCentres, HeadsAndCodesAreWholeAndTheRightButtonOnACellOpensOnlyTheLookup) {
    Frmta_asigccosto& f = Abre("", true);
    DialogosGuionados guion;
    vb::FlexGrid* g = Control<vb::FlexGrid>(f, "FGCCosto");
    const QFontMetrics fm(g->font());
    // A cell shows its text whole when the text and the cell's margins fit in the column.
    const auto entero = [&](int c, const QString& texto) {
        return fm.horizontalAdvance(texto) + 5 < vb::PixelesDeTwips(g->ColWidth(c));
    };
    for (int c = 0; c < g->Cols(); ++c) EXPECT_TRUE(entero(c, g->TextMatrix(0, c))) << c;
    EXPECT_TRUE(entero(1, "ADM"));
    EXPECT_TRUE(entero(3, "100"));

    Elige("51010100101");
    ASSERT_TRUE(f.Editor()->Editando());
    guion.esperarModal([](QWidget* w) {
        auto* v = qobject_cast<Lib_FrmCons3Tree*>(w);
        ASSERT_NE(v, nullptr);
        Control<QPushButton>(*v, "CmdCancelar")->click();
    });
    // The window system follows a right click with a context-menu request to the same box.
    const auto menus = [] {
        int n = 0;
        for (QWidget* t : QApplication::topLevelWidgets()) n += qobject_cast<QMenu*>(t) != nullptr;
        return n;
    };
    const int antes = menus();
    QTest::mouseClick(editor(), Qt::RightButton, {}, QPoint(4, 4));
    QContextMenuEvent pedido(QContextMenuEvent::Mouse, QPoint(4, 4), editor()->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(editor(), &pedido);
    QApplication::processEvents();
    EXPECT_EQ(menus(), antes);
    EXPECT_EQ(guion.pendientes(), 0);
}

TEST_F(CostCentres, PlanillaShowsTheDistributionsAndCancelAsksOnlyWithDataLoaded) {
    Frmta_asigccosto& f = Abre("", true);
    DialogosGuionados guion;
    Control<UtilVex>(f, "UtilVex1")->Boton("CANCELAR")->click();  // nothing loaded: no question
    EXPECT_TRUE(guion.preguntas().isEmpty());
    // The form hands its function keys to the toolbar, from the grid too.
    const int tecla = UtilVex::TeclaDe("PLANILLA");
    ASSERT_GE(tecla, vb::vbKeyF1);
    QTest::keyClick(Control<vb::FlexGrid>(f, "FGCCosto"), Qt::Key(Qt::Key_F1 + (tecla - vb::vbKeyF1)));
    maker::VisorConsulta& visor = maker::gVisorConsulta();
    ASSERT_NE(visor.Ventana(), nullptr);
    EXPECT_EQ(visor.Ventana()->windowTitle(), "Plan General de Cuentas, Centros de Costos");
    QTableWidget* g = visor.Grilla();
    ASSERT_EQ(g->columnCount(), 5);
    EXPECT_EQ(g->horizontalHeaderItem(2)->text(), "C COSTOS");
    EXPECT_EQ(g->horizontalHeaderItem(3)->text(), "DESCRIPCION");  // a repeated name is shown as it is
    EXPECT_EQ(g->rowCount(), 3);
    visor.Ventana()->close();

    Elige("51010100101");
    guion.esperarMsgBox(vb::vbNo);
    Control<UtilVex>(f, "UtilVex1")->Boton("CANCELAR")->click();
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtCuenta", 0)->text(), "51010100101");
    ASSERT_TRUE(Control<QCheckBox>(f, "ChkVariable")->isChecked());
    guion.esperarMsgBox(vb::vbYes);
    Control<UtilVex>(f, "UtilVex1")->Boton("CANCELAR")->click();
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtCuenta", 0)->text(), "");
    // Nothing of the account stays: neither its name nor its flags, which the next account would
    // otherwise be saved with.
    EXPECT_TRUE(Control<QLabel>(f, "lblDescripcion")->text().isEmpty());
    EXPECT_FALSE(Control<QCheckBox>(f, "ChkVariable")->isChecked());
    EXPECT_FALSE(Control<QCheckBox>(f, "ChkPideConf")->isChecked());
    EXPECT_FALSE(Control<QComboBox>(f, "CmbUnegocio")->isEnabled());
    ASSERT_EQ(guion.preguntas().size(), 2);
    EXPECT_EQ(guion.preguntas()[0], (Pregunta{"¿Está seguro de abandonar la carga de datos?", "Atención!!!",
                                              vb::vbYesNo + vb::vbExclamation + vb::vbDefaultButton2}));
}

TEST_F(CostCentres, AFormBeingDestroyedRunsNoneOfItsHandlers) {
    Frmta_asigccosto& f = Abre("51010100101");
    Control<vb::CajaTexto>(f, "txtCuenta", 0)->setFocus();
    ASSERT_EQ(Control<vb::CajaTexto>(f, "txtCuenta", 0)->styleSheet(), "background-color: #00FFFF;");
    // The box outlives the form's body while the form goes: what its own focus handler would
    // have done to it shows after the form's handlers had their turn.
    QStringList vistos;
    QObject testigo;
    vb::CajaTexto* caja = Control<vb::CajaTexto>(f, "txtCuenta", 0);
    QObject::connect(caja, &vb::CajaTexto::LostFocus, &testigo, [&] { vistos << caja->styleSheet(); });
    f_.reset();
    ASSERT_FALSE(vistos.isEmpty());
    EXPECT_EQ(vistos[0], "background-color: #00FFFF;");
}

TEST_F(CostCentres, TheToolbarTakesTheStyleSetForEveryWindow) {
    const bool antes = CNStuffContable::gFlatToolbars;
    CNStuffContable::gFlatToolbars = false;
    Frmta_asigccosto& f = Abre("51010100101");
    CNStuffContable::gFlatToolbars = antes;
    EXPECT_FALSE(Control<UtilVex>(f, "UtilVex1")->StyleBar());
}

TEST(CostCentresFromTheChart, TheChartOfAccountsOpensTheFormOnItsCurrentAccount) {
    CuentasDePrueba c;
    c.Iniciar();
    EnlacesCuentas::RegistraFormulario("Frmta_asigccosto", [] {
        Frmta_asigccosto& f = Frmta_asigccosto::instancia();
        f.Mostrar(false);
    });
    c.EscribirCodigo("51010100101");
    Control<vb::BarraBotones>(c.f(), "Tbar")->Buttons(4)->trigger();
    ASSERT_TRUE(Frmta_asigccosto::Existe());
    Frmta_asigccosto& f = Frmta_asigccosto::instancia();
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtCuenta", 0)->text(), "51010100101");
    EXPECT_EQ(Control<vb::FlexGrid>(f, "FGCCosto")->TextMatrix(1, 1), "111");
    EXPECT_EQ(Control<vb::FlexGrid>(f, "FGCCosto")->TextMatrix(2, 1), "21");
    f.close();  // the form goes and takes the current account with it
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(Frmta_asigccosto::Existe());
    EXPECT_EQ(CNStuffContable::gCuentaActual, "");
}

TEST_F(CostCentres, APercentageTypedWithACommaIsTheNumberTheUserMeant) {
    LocaleNumeros coma(LocaleNumeros::coma());
    Frmta_asigccosto& f = Abre("", true);
    DialogosGuionados guion;
    Elige("51010100101");
    Teclea("111");
    TecleaEnGrilla("59,6");
    Control<UtilVex>(f, "UtilVex1")->Boton("GRABAR")->click();
    EXPECT_TRUE(guion.preguntas().isEmpty());
    EXPECT_EQ(Distribucion(base_, "MA_CUENTASCCOSTO"), (QList<QStringList>{{"111", "59.6"}, {"21", "40"}}));
}

// As OPERADOR, the confidential account's distribution is neither shown nor written, whichever
// way the code reaches the form; he is told only that the account is missing.
TEST_F(CostCentres, AUserWhoMayNotSeeAnAccountGetsNothingOfItsDistribution) {
    base_.ejecutar(
        "INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE, PideConfirmacion, VariablePorUD) "
        "VALUES ('51010100102', '12', 100, 0, 1)");
    ASSERT_TRUE(AbrirComo(base_, "OPERADOR"));
    const auto oculta = [&] {
        return base_.filas(
            "SELECT CCOSTO || '|' || PORCENTAJE FROM MA_CUENTASCCOSTO WHERE CODIGO = '51010100102' UNION ALL "
            "SELECT CCOSTO || '|' || UNEGOCIO FROM MA_CUENTASCCOSTO_UNEG WHERE CODIGO = '51010100102'");
    };
    const auto antes = oculta();
    DialogosGuionados guion;
    // Handed over as the chart's current account.
    Frmta_asigccosto& f = Abre("51010100102");
    EXPECT_EQ(Celdas(1), QStringList({"", "", ""}));
    EXPECT_FALSE(Control<QCheckBox>(f, "ChkVariable")->isChecked());
    EXPECT_EQ(Control<QLabel>(f, "lblDescripcion")->text(), "");
    for (int r = 1; r < Control<vb::FlexGrid>(f, "MSHFlexGrid1")->Rows(); ++r)
        EXPECT_NE(Control<vb::FlexGrid>(f, "MSHFlexGrid1")->TextMatrix(r, 0), "51010100102");
    guion.esperarMsgBox(vb::vbOK);
    Control<UtilVex>(f, "UtilVex1")->Boton("BORRAR")->click();
    guion.esperarMsgBox(vb::vbOK);
    Control<UtilVex>(f, "UtilVex1")->Boton("GRABAR")->click();
    // Typed into the box and accepted with Enter.
    guion.esperarMsgBox(vb::vbOK);
    Control<vb::CajaTexto>(f, "txtCuenta", 0)->setEnabled(true);
    Elige("51010100102");
    EXPECT_EQ(Celdas(1), QStringList({"", "", ""}));
    // The save itself refuses the code, whatever state led to it.
    guion.esperarMsgBox(vb::vbOK);
    CNStuffContable::gCuentaActual = "51010100102";
    f.Actualizar_Datos();
    EXPECT_TRUE(f.Rechazo());
    ASSERT_EQ(guion.preguntas().size(), 4);
    for (const Pregunta& p : guion.preguntas())
        EXPECT_TRUE(p.texto == "La cuenta es inexistente" || p.texto == "Debe Ingresar una Cuenta")
            << p.texto.toStdString();
    EXPECT_EQ(guion.preguntas()[3].texto, "La cuenta es inexistente");
    EXPECT_EQ(oculta(), antes);
    EXPECT_EQ(Distribucion(*grupo_, "MA_CUENTASCCOSTO"), (QList<QStringList>{{"3", "5"}}));  // told nothing
}

// Opened for an account with its distribution shown, the first cell's lookup is at hand and
// "Borrar" acts on the account at once.
TEST_F(CostCentres, TheFirstCellOffersItsLookupAndTheAccountHandedOverCanBeDeleted) {
    DialogosGuionados guion;
    Frmta_asigccosto& f = Abre("", true);
    Elige("51010100101");
    ASSERT_TRUE(f.Editor()->Editando());
    ASSERT_EQ(QApplication::focusWidget(), editor());
    EXPECT_TRUE(Control<UtilVex>(f, "UtilVex1")->Boton("CONSULTAR")->isEnabled());
    guion.esperarModal([](QWidget* w) {
        auto* v = qobject_cast<Lib_FrmCons3Tree*>(w);
        ASSERT_NE(v, nullptr);
        Control<QTreeWidget>(*v, "TreeV")->setCurrentItem(v->NodoPorClave("A22"));
        Control<QPushButton>(*v, "CmdAceptar")->click();
    });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    EXPECT_EQ(guion.pendientes(), 0);
    EXPECT_EQ(Celdas(1).at(0), "22");

    base_.ejecutar(
        "INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE) VALUES ('11010100101', '3', 100)");
    Frmta_asigccosto& g = Abre("11010100101");
    EXPECT_EQ(Celdas(1).at(0), "3");
    Control<UtilVex>(g, "UtilVex1")->Boton("BORRAR")->click();
    EXPECT_EQ(guion.preguntas().size(), 1);  // the lookup only
    EXPECT_EQ(base_.escalar("SELECT count(*) FROM MA_CUENTASCCOSTO WHERE CODIGO = '11010100101'").toInt(), 0);
}

// The checks of a percentage and of "Grabar": one centre at 100 passes; each cell counts the
// rows' sum with every percentage rounded to the nearest integer, halves to even; "Grabar" adds
// them as typed, so rows that each pass but come to more than 100 are refused.
TEST_F(CostCentres, TheSumOfThePercentagesAsEachCellAndTheSaveCountIt) {
    LocaleNumeros coma(LocaleNumeros::coma());
    Frmta_asigccosto& f = Abre("", true);
    DialogosGuionados guion;
    Elige("11010100102");
    Teclea("12");
    TecleaEnGrilla("100");
    Control<UtilVex>(f, "UtilVex1")->Boton("GRABAR")->click();
    EXPECT_TRUE(guion.preguntas().isEmpty());
    EXPECT_EQ(base_.filas("SELECT CCOSTO, printf('%g', PORCENTAJE) FROM MA_CUENTASCCOSTO "
                          "WHERE CODIGO = '11010100102'"),
              (QList<QStringList>{{"12", "100"}}));

    Elige("51010100101");  // 111 at 60, 21 at 40
    const auto porcentaje = [&](int fila, const QString& texto) {
        if (f.Editor()->Editando()) QTest::keyClick(editor(), Qt::Key_Escape);
        Control<vb::FlexGrid>(f, "FGCCosto")->setRow(fila);
        Control<vb::FlexGrid>(f, "FGCCosto")->setCol(3);
        TecleaEnGrilla(texto);
    };
    guion.esperarMsgBox(vb::vbOK);
    porcentaje(2, "40,6");  // 60 + 41
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(guion.preguntas()[0].texto, "La suma de los porcentajes debe estar entre 0 y 100");
    porcentaje(2, "40,4");  // 60 + 40
    porcentaje(1, "59,5");  // 60 + 40
    porcentaje(2, "40,5");  // 60 + 40, halves to even
    EXPECT_EQ(guion.preguntas().size(), 1);
    Control<UtilVex>(f, "UtilVex1")->Boton("GRABAR")->click();
    EXPECT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(Distribucion(base_, "MA_CUENTASCCOSTO"), (QList<QStringList>{{"111", "59.5"}, {"21", "40.5"}}));

    Elige("51010100101");
    porcentaje(1, "50,4");
    porcentaje(2, "50,4");  // 50 + 50 in the cell, 100,8 at the save
    EXPECT_EQ(guion.preguntas().size(), 1);
    guion.esperarMsgBox(vb::vbOK);
    Control<UtilVex>(f, "UtilVex1")->Boton("GRABAR")->click();
    ASSERT_EQ(guion.preguntas().size(), 2);
    EXPECT_EQ(guion.preguntas()[1].texto, "La suma de los porcentajes debe estar en un rango de 0 a 100");
    EXPECT_EQ(Distribucion(base_, "MA_CUENTASCCOSTO"), (QList<QStringList>{{"111", "59.5"}, {"21", "40.5"}}));
}

using teclado::Tecla;

// Every way the form clears for the next account leaves the keyboard in the account box with its
// lookup at hand: the button and F5.
TEST_F(CostCentres, AfterEveryClearingTheAccountBoxHasTheKeyboardAndItsLookup) {
    struct Camino {
        const char* como;
        const char* cuenta;  // "" : nothing loaded, as from a menu
        Qt::Key tecla;
        int respuesta;  // to the question the way asks, 0: none
    };
    const Camino caminos[] = {
        {"Grabar", "51010100101", Qt::Key_F4, 0},
        {"Cancelar", "51010100101", Qt::Key_F8, vb::vbYes},
        {"Borrar", "11010100102", Qt::Key_F3, 0},
        {"Borrar, tiene movimientos", "51010100101", Qt::Key_F3, vb::vbOK},
        {"Nuevo", "", Qt::Key_F2, 0},
    };
    for (const Camino& c : caminos) {
        SCOPED_TRACE(c.como);
        DialogosGuionados guion;
        Frmta_asigccosto& f = Abre("", true);
        vb::CajaTexto* cuenta = Control<vb::CajaTexto>(f, "txtCuenta", 0);
        if (*c.cuenta) {
            teclado::Teclea(c.cuenta);
            Tecla(Qt::Key_Return);
            ASSERT_EQ(QApplication::focusWidget(), editor());
        }
        if (c.respuesta) guion.esperarMsgBox(c.respuesta);
        Tecla(c.tecla);
        EXPECT_EQ(guion.pendientes(), 0);
        EXPECT_EQ(QApplication::focusWidget(), cuenta);
        EXPECT_TRUE(Control<UtilVex>(f, "UtilVex1")->Boton("CONSULTAR")->isEnabled());
        // F5 opens the account lookup; a cancel leaves the box empty and the keyboard in it.
        guion.esperarModal([](QWidget* w) { Control<QPushButton>(*w, "CmdCancelar")->click(); });
        Tecla(Qt::Key_F5);
        EXPECT_EQ(guion.pendientes(), 0);
        EXPECT_EQ(cuenta->text(), "");
        // The lookup's window gives the keyboard back to the control that had it.
        EXPECT_EQ(f.focusWidget(), cuenta);
        f_.reset();
    }
}

// The cost-centre lookup from a cell being edited: cancelled, it gives the keyboard back to that
// cell, never to the list of accounts below, whose Enter would load another account; a title
// picked there is refused and the keyboard stays in the cell's editor for another code.
TEST_F(CostCentres, TheCellsLookupGivesTheKeyboardBackToItsCell) {
    DialogosGuionados guion;
    Frmta_asigccosto& f = Abre("51010100101");
    Tecla(Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), editor());
    guion.esperarModal([](QWidget* w) { Control<QPushButton>(*w, "CmdCancelar")->click(); });
    Tecla(Qt::Key_F5);
    ASSERT_EQ(guion.pendientes(), 0);
    vb::FlexGrid* g = Control<vb::FlexGrid>(f, "FGCCosto");
    EXPECT_EQ(f.focusWidget(), g);
    EXPECT_EQ(QPoint(g->Row(), g->Col()), QPoint(1, 1));
    // The window active again: Enter moves on in the grid and loads nothing.
    QApplication::setActiveWindow(&f);
    Tecla(Qt::Key_Return);
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtCuenta", 0)->text(), "51010100101");
    EXPECT_EQ(Celdas(1), QStringList({"111", "CONTADURIA", "60"}));
    EXPECT_EQ(QPoint(g->Row(), g->Col()), QPoint(1, 3));
    EXPECT_EQ(guion.preguntas().size(), 1);

    // The title 1 picked in the lookup of the first cell.
    Frmta_asigccosto& h = Abre("11010100101");
    Tecla(Qt::Key_Return);
    guion.esperarModal([](QWidget* w) {
        auto* v = qobject_cast<Lib_FrmCons3Tree*>(w);
        ASSERT_NE(v, nullptr);
        Control<QTreeWidget>(*v, "TreeV")->setCurrentItem(v->NodoPorClave("A1"));
        Control<QPushButton>(*v, "CmdAceptar")->click();
    });
    guion.esperarMsgBox(vb::vbOK);
    Tecla(Qt::Key_F5);
    ASSERT_EQ(guion.pendientes(), 0);
    EXPECT_EQ(guion.preguntas().last().texto, "El centro de Costos es Titulo, seleccione otro!");
    EXPECT_EQ(h.focusWidget(), editor());
    EXPECT_EQ(editor()->text(), "1");
    // The refused code waits selected: the next code typed replaces it.
    EXPECT_EQ(editor()->selectedText(), "1");
    QApplication::setActiveWindow(&h);
    teclado::Teclea("21");
    Tecla(Qt::Key_Return);
    teclado::Teclea("100");
    Tecla(Qt::Key_Return);
    Tecla(Qt::Key_F4);
    EXPECT_EQ(base_.filas("SELECT CCOSTO, printf('%g', PORCENTAJE) FROM MA_CUENTASCCOSTO "
                          "WHERE CODIGO = '11010100101'"),
              (QList<QStringList>{{"21", "100"}}));
    EXPECT_EQ(QApplication::focusWidget(), Control<vb::CajaTexto>(h, "txtCuenta", 0));

    // The same title typed by hand in the cell.
    Frmta_asigccosto& m = Abre("11010100201");
    Tecla(Qt::Key_Return);
    ASSERT_EQ(m.focusWidget(), editor());
    ASSERT_EQ(editor()->text(), "");
    guion.esperarMsgBox(vb::vbOK);
    for (const char* tecleado : {"1", "21", "100"}) {
        teclado::Teclea(tecleado);
        Tecla(Qt::Key_Return);
    }
    Tecla(Qt::Key_F4);
    EXPECT_EQ(guion.preguntas().last().texto, "El centro de Costos es Titulo, seleccione otro!");
    EXPECT_EQ(base_.filas("SELECT CCOSTO, printf('%g', PORCENTAJE) FROM MA_CUENTASCCOSTO "
                          "WHERE CODIGO = '11010100201'"),
              (QList<QStringList>{{"21", "100"}}));
}

// The right button on either box that offers a lookup opens the lookup alone: the window system's
// context-menu request that follows it shows no edit menu of the box.
TEST_F(CostCentres, TheRightButtonOnTheAccountBoxOpensOnlyTheLookup) {
    Frmta_asigccosto& f = Abre("", true);
    DialogosGuionados guion;
    vb::CajaTexto* cuenta = Control<vb::CajaTexto>(f, "txtCuenta", 0);
    const auto menus = [] {
        int n = 0;
        for (QWidget* t : QApplication::topLevelWidgets()) n += qobject_cast<QMenu*>(t) != nullptr;
        return n;
    };
    const int antes = menus();
    guion.esperarModal([](QWidget* w) { Control<QPushButton>(*w, "CmdCancelar")->click(); });
    QTest::mouseClick(cuenta, Qt::RightButton, {}, QPoint(4, 4));
    QContextMenuEvent pedido(QContextMenuEvent::Mouse, QPoint(4, 4), cuenta->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(cuenta, &pedido);
    QApplication::processEvents();
    EXPECT_EQ(menus(), antes);
    EXPECT_EQ(guion.pendientes(), 0);
}

// Another code typed over the account handed over and never left: "Grabar" and "Borrar" first load
// it, as leaving the box would, and then act on it; the distribution shown before goes to no other
// account, and the one shown keeps its own. Done, the window is cleared and names no account.
TEST_F(CostCentres, SaveAndDeleteActOnACodeTypedInTheBoxOnlyOnceItIsLoaded) {
    DialogosGuionados guion;
    const QString mostrada = "SELECT * FROM MA_CUENTASCCOSTO WHERE CODIGO = '51010100101' ORDER BY CCOSTO";
    const auto antes = base_.filas(mostrada);
    ASSERT_EQ(antes.size(), 2);
    const QString otra =
        "SELECT CCOSTO, printf('%g', PORCENTAJE) FROM MA_CUENTASCCOSTO WHERE CODIGO = '11010100102'";
    ASSERT_EQ(base_.filas(otra), (QList<QStringList>{{"3", "100"}}));
    for (Qt::Key tecla : {Qt::Key_F4, Qt::Key_F3}) {
        SCOPED_TRACE(tecla == Qt::Key_F4 ? "Grabar" : "Borrar");
        Frmta_asigccosto& f = Abre("51010100101");
        ASSERT_EQ(Celdas(1), (QStringList{"111", "CONTADURIA", "60"}));
        vb::CajaTexto* caja = Control<vb::CajaTexto>(f, "txtCuenta", 0);
        QTest::mouseClick(caja, Qt::LeftButton);
        ASSERT_EQ(QApplication::focusWidget(), caja);
        caja->selectAll();
        teclado::Teclea("11010100102");
        teclado::Tecla(tecla);
        EXPECT_TRUE(caja->text().isEmpty());
        EXPECT_TRUE(Control<QLabel>(f, "lblDescripcion")->text().isEmpty());
        const QList<QStringList> esperada =
            tecla == Qt::Key_F4 ? QList<QStringList>{{"3", "100"}} : QList<QStringList>{};
        EXPECT_EQ(base_.filas(otra), esperada);
        EXPECT_EQ(base_.filas(mostrada), antes);
    }
    EXPECT_TRUE(guion.preguntas().isEmpty());
}
