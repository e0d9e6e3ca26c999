#include "lookup/Rt_BusquedaCodigo.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/Teclas.h"
#include "support/AbrirComo.h"
#include "support/BaseDePrueba.h"
#include "support/ProgramaDePrueba.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>

namespace {

// A form as the account forms use the code search: the box hands the control the connection and
// its text on every released key and runs the routine; a picked code goes into the box.
struct Formulario : QWidget {
    QFrame* marco = new QFrame(this);
    vb::CajaTexto* txtCodigo = new vb::CajaTexto(marco);
    vb::BusquedaCodigo* BusquedaCodigo1 = new vb::BusquedaCodigo(this);
    QString modo = "0";

    Formulario() {
        resize(700, 500);
        marco->setGeometry(30, 40, 600, 300);
        txtCodigo->setGeometry(10, 50, 200, 20);
        txtCodigo->Tag = "MA_CUENTAS";
        txtCodigo->installEventFilter(this);
        connect(BusquedaCodigo1, &vb::BusquedaCodigo::CodigoElegido, this, [this](const QString& codigo) {
            txtCodigo->setText(codigo.trimmed());
            txtCodigo->setFocus();
            BusquedaCodigo1->hide();
        });
        connect(BusquedaCodigo1, &vb::BusquedaCodigo::LostFocus, BusquedaCodigo1, &QWidget::hide);
    }
    void teclaArriba(int codigo, int shift = 0) {
        BusquedaCodigo1->ConnectionString = CNStuffContable::gBaseDatos().gConnString;
        BusquedaCodigo1->Buscar = txtCodigo->text();
        Rt_BusquedaCodigo::MuestraBusquedaCodigo(BusquedaCodigo1, txtCodigo, codigo, modo, shift);
    }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (o == txtCodigo && e->type() == QEvent::KeyRelease) {
            auto* k = static_cast<QKeyEvent*>(e);
            teclaArriba(vb::CodigoTeclaVB(k), vb::EstadoShift(k->modifiers()));
        }
        return QWidget::eventFilter(o, e);
    }
};

class CodeSearch : public ::testing::Test {
  protected:
    CodeSearch()
        : base_(true, {"CREATE TABLE FECHA (CODIGO varchar(10), DESCRIPCION varchar(20))",
                       "CREATE TABLE REC (CODIGO varchar(10), DESCRIPCION varchar(20))"}) {}
    void SetUp() override {
        ASSERT_TRUE(base_.valida()) << base_.error().toStdString();
        ASSERT_TRUE(AbrirComo(base_));
        f_.show();
        QApplication::setActiveWindow(&f_);
    }
    vb::BusquedaCodigo& control() { return *f_.BusquedaCodigo1; }
    // Runs the routine for one key on a closed control.
    void Tecla(int codigo, const QString& tag = "MA_CUENTAS") {
        control().hide();
        control().Tabla.clear();
        f_.txtCodigo->Tag = tag;
        f_.teclaArriba(codigo);
    }
    QStringList Codigos() {
        QStringList c;
        for (int i = 0; i < control().LstCodigos->topLevelItemCount(); ++i)
            c << control().LstCodigos->topLevelItem(i)->text(0);
        return c;
    }

    ProgramaDePrueba programa_;
    BaseDePrueba base_;
    Formulario f_;
};

}  // namespace

TEST_F(CodeSearch, TheControlLies20TwipsAboveTheBoxInFormCoordinates) {
    Tecla('A');
    ASSERT_TRUE(control().Visible());
    // In a frame: the frame's offsets count, the form's do not.
    EXPECT_EQ(control().pos(), QPoint(40, (90 * 15 - 20) / 15));
    f_.modo = "1";
    Tecla('A');
    EXPECT_EQ(control().pos(), QPoint(10, (50 * 15 - 20) / 15));
    f_.modo = "2";
    Tecla('A');
    EXPECT_EQ(control().pos(), QPoint(0, 0));

    // On the form itself; then five frames deep, where every frame's offsets count.
    f_.modo = "0";
    f_.txtCodigo->setParent(&f_);
    f_.txtCodigo->setGeometry(100, 60, 200, 20);
    f_.txtCodigo->show();
    Tecla('A');
    EXPECT_EQ(control().pos(), QPoint(100, (60 * 15 - 20) / 15));
    QWidget* contenedor = &f_;
    for (int i = 0; i < 5; ++i) {
        auto* marco = new QFrame(contenedor);
        marco->setGeometry(10, 10, 500, 300);
        marco->show();
        contenedor = marco;
    }
    f_.txtCodigo->setParent(contenedor);
    f_.txtCodigo->setGeometry(0, 0, 200, 20);
    f_.txtCodigo->show();
    Tecla('A');
    EXPECT_EQ(control().pos(), QPoint(50, (50 * 15 - 20) / 15));
}

TEST_F(CodeSearch, WidthAtLeast3900TwipsOr2295ForDatesAndTenBoxesHigh) {
    Tecla('1');
    EXPECT_EQ(control().Width(), 3900);  // a 3000-twip box
    EXPECT_EQ(control().Height(), 3000);
    f_.txtCodigo->resize(5000 / 15, 20);
    Tecla('1');
    EXPECT_EQ(control().Width(), 4995);  // the box's own 5000 twips, in whole pixels
    f_.txtCodigo->resize(100, 20);
    Tecla('1', "FECHA");
    EXPECT_EQ(control().Width(), 2295 / 15 * 15);
}

TEST_F(CodeSearch, OnlyCharacterAndEditingKeysOpenASearch) {
    for (int k : {32, 48, 57, 65, 90, 96, 111, 112, 122, 46, 8}) {
        Tecla(k);
        EXPECT_TRUE(control().Visible()) << k;
    }
    for (int k : {13, 27, 9, 37, 40, 123}) {
        Tecla(k);
        EXPECT_FALSE(control().Visible()) << k;
    }
    // A search already open is left alone.
    Tecla('1');
    control().Tabla = "OTRA";
    f_.teclaArriba('2');
    EXPECT_EQ(control().Tabla, "OTRA");
}

TEST_F(CodeSearch, TagsAreSkippedSwappedAndCutAsTheRulesSay) {
    Tecla('1', " zona ");
    EXPECT_FALSE(control().Visible());
    Tecla('1', "v_ma_preciosCab");
    EXPECT_FALSE(control().Visible());
    Tecla('1', "REC ");  // compared untrimmed: searched
    EXPECT_TRUE(control().Visible());
    Tecla('1', "Vt_TA_Cpte");
    EXPECT_EQ(control().Tabla, "V_TA_Cpte");
    EXPECT_EQ(f_.txtCodigo->Tag, "Vt_TA_Cpte");
    Tecla('1', "FIS_MA_CUENTAS");  // no such table: the rest of the tag is searched
    EXPECT_TRUE(control().Visible());
    EXPECT_EQ(control().Tabla, "MA_CUENTAS");
    Tecla('1', "NO_EXISTE");  // the control cannot search it
    EXPECT_FALSE(control().Visible());
}

TEST_F(CodeSearch, TypingFindsCodesOnTheServerAndThePickedCodeGoesIntoTheBox) {
    f_.txtCodigo->setFocus();
    QTest::keyClicks(f_.txtCodigo, "1");
    ASSERT_TRUE(control().Visible());
    ASSERT_EQ(QApplication::focusWidget(), control().TxtBuscar);  // the next keys go to the control
    EXPECT_EQ(f_.txtCodigo->text(), "1");
    QTest::keyClicks(QApplication::focusWidget(), "1");
    EXPECT_EQ(control().TxtBuscar->text(), "11");
    EXPECT_EQ(Codigos().mid(0, 4), QStringList({"11", "1101", "110101", "110101001"}));
    EXPECT_EQ(Codigos().filter(QRegularExpression("^11")).size(), Codigos().size());
    QTest::keyClicks(control().TxtBuscar, "0101001");
    EXPECT_EQ(Codigos().mid(0, 3), QStringList({"110101001", "11010100101", "11010100102"}));
    EXPECT_EQ(Codigos().filter(QRegularExpression("^110101001")).size(), Codigos().size());
    QTest::keyClick(control().TxtBuscar, Qt::Key_Down);
    EXPECT_EQ(control().CodigoActual(), "11010100101");
    QTest::keyClick(control().TxtBuscar, Qt::Key_Return);
    EXPECT_EQ(f_.txtCodigo->text(), "11010100101");
    EXPECT_FALSE(control().Visible());

    // By the beginning of a description, apostrophes included.
    base_.ejecutar("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('6', 'D''ORO')");
    f_.txtCodigo->clear();
    QTest::keyClicks(f_.txtCodigo, "c");
    QTest::keyClicks(control().TxtBuscar, "aja d");
    EXPECT_EQ(Codigos(), QStringList({"11010100102"}));
    control().TxtBuscar->clear();
    QTest::keyClicks(control().TxtBuscar, "d'o");
    EXPECT_EQ(Codigos(), QStringList({"6"}));
    // Escape closes it and the box takes the text typed.
    QTest::keyClick(control().TxtBuscar, Qt::Key_Escape);
    EXPECT_FALSE(control().Visible());
    EXPECT_EQ(f_.txtCodigo->text(), "d'o");
}

TEST_F(CodeSearch, AUserWhoIsNotAnAdministratorSearchesTheRestrictedView) {
    base_.ejecutar("UPDATE MA_CUENTAS SET CONFIDENCIAL = 1 WHERE CODIGO = '1101'");
    CNStuffContable::gUsuarioLogeado = "OPERADOR";
    DB_Dll& db = CNStuffContable::gBaseDatos();
    db.OpenServerADODB(false, 3, QString(), true, true);
    ASSERT_FALSE(db.gEsAdmin);
    Tecla('1');
    f_.BusquedaCodigo1->Buscar = "110";
    f_.BusquedaCodigo1->Busqueda();
    EXPECT_FALSE(Codigos().contains("1101"));
    EXPECT_TRUE(Codigos().contains("110101"));
}

TEST_F(CodeSearch, TheSearchStartsFromTheTextAsEditedAndNeverCutsACode) {
    f_.txtCodigo->setFocus();
    f_.txtCodigo->setText("1101");
    // Ctrl+A selects: neither its release nor the selection opens a search, nor a Ctrl key.
    QTest::keyClick(f_.txtCodigo, Qt::Key_A, Qt::ControlModifier);
    EXPECT_FALSE(control().Visible());
    f_.txtCodigo->deselect();
    QTest::keyClick(f_.txtCodigo, Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(control().Visible());
    f_.txtCodigo->selectAll();
    QTest::keyClick(f_.txtCodigo, Qt::Key_Backspace);
    ASSERT_TRUE(control().Visible());
    EXPECT_EQ(control().TxtBuscar->text(), "");
    QTest::keyClicks(QApplication::focusWidget(), "5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(f_.txtCodigo->text(), "5");

    // No more is typed in the search than the box takes, and a longer code is not picked.
    f_.txtCodigo->clear();
    f_.txtCodigo->setMaxLength(4);
    QTest::keyClicks(f_.txtCodigo, "1");
    ASSERT_TRUE(control().Visible());
    QTest::keyClicks(QApplication::focusWidget(), "101001");
    EXPECT_EQ(control().TxtBuscar->text(), "1101");
    ASSERT_EQ(control().CodigoActual(), "1101");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    ASSERT_EQ(control().CodigoActual(), "110101");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(control().Visible());
    EXPECT_EQ(f_.txtCodigo->text(), "1");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(f_.txtCodigo->text(), "1101");
}

TEST_F(CodeSearch, ABoxSearchesItsOwnTableWhateverTheControlSearchedBefore) {
    Tecla('1', "MA_CUENTAS");
    ASSERT_EQ(control().Tabla, "MA_CUENTAS");
    // The same control under a box of another table, then under a box of none.
    control().hide();
    f_.txtCodigo->Tag = "TA_ESTADOS";
    f_.txtCodigo->setText("1");
    f_.teclaArriba('1');
    ASSERT_TRUE(control().Visible());
    EXPECT_EQ(control().Tabla, "TA_ESTADOS");
    EXPECT_EQ(Codigos(), QStringList({"1"}));
    control().hide();
    f_.txtCodigo->Tag.clear();
    f_.teclaArriba('1');
    EXPECT_FALSE(control().Visible());
}

TEST_F(CodeSearch, ACodeShownWithItsLevelDashesIsSearchedByItsDigits) {
    f_.txtCodigo->setFocus();
    f_.txtCodigo->setText("1-1-01-01-0010");
    QTest::keyClick(f_.txtCodigo, Qt::Key_End);
    QTest::keyClick(f_.txtCodigo, Qt::Key_Backspace);
    ASSERT_TRUE(control().Visible());
    EXPECT_EQ(control().TxtBuscar->text(), "1-1-01-01-001");
    EXPECT_EQ(Codigos().mid(0, 3), QStringList({"110101001", "11010100101", "11010100102"}));
    EXPECT_EQ(Codigos().filter(QRegularExpression("^110101001")).size(), Codigos().size());
    // The row of exactly the code typed, dashes and all, is the one Enter takes.
    QTest::keyClicks(control().TxtBuscar, "02");
    EXPECT_EQ(control().CodigoActual(), "11010100102");
    QTest::keyClick(control().TxtBuscar, Qt::Key_Return);
    EXPECT_EQ(f_.txtCodigo->text(), "11010100102");
}
