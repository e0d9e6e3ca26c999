// Two programs with the cost-centre form open on one account, each on its own connection: a
// distribution is written only over the rows its user was shown; otherwise the user is told,
// with the account named, and nothing is written.
#include "account_extras/Frmta_asigccosto.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/UtilVex.h"
#include "services/CNStuffContable.h"
#include "support/AbrirComo.h"
#include "support/BaseDePrueba.h"
#include "support/Control.h"
#include "support/DialogosGuionados.h"
#include "support/ProgramaDePrueba.h"
#include "support/Teclado.h"
#include "support/TurnoDeOtroPrograma.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QToolButton>
#include <memory>

namespace {

constexpr const char* kCuenta = "51010100101";          // 111 60 / 21 40 in general
constexpr const char* kSinMovimientos = "11010100102";  // all on 3, without movements

// One user's cost-centre form, opened from a menu, on his own connection.
class Usuario {
  public:
    explicit Usuario(ado::ConnectionPtr conexion) : conexion_(std::move(conexion)) {
        Turno t(*this);
        f_.setAttribute(Qt::WA_DeleteOnClose, false);
        f_.Mostrar(true);
    }
    Frmta_asigccosto& f() { return f_; }

    // While alive, the statements and keys are this user's.
    class Turno : public TurnoDeOtroPrograma {
      public:
        explicit Turno(Usuario& u) : TurnoDeOtroPrograma(u.conexion_, &u.f_) {}
    };

    // The account typed and accepted with Enter: the editor opens on its first cost centre.
    void Elige(const QString& cuenta) {
        Turno t(*this);
        teclado::Clic(Control<vb::CajaTexto>(f_, "txtCuenta", 0));
        teclado::Teclea(cuenta);
        teclado::Tecla(Qt::Key_Return);
    }
    // Each text typed into the cell Enter reached, then Enter, from the first cost centre on:
    // centre, percentage, centre, percentage...
    void Teclea(const QStringList& textos) {
        Turno t(*this);
        for (const QString& texto : textos) {
            // In the open editor the old text is selected first; on the grid the first key opens it.
            if (QApplication::focusWidget() == Control<QWidget>(f_, "BrwTxt_0")) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ShiftModifier);
            }
            teclado::Teclea(texto);
            teclado::Tecla(Qt::Key_Return);
        }
    }
    void Boton(const QString& accion) {
        Turno t(*this);
        QTest::mouseClick(Control<UtilVex>(f_, "UtilVex1")->Boton(accion), Qt::LeftButton);
    }
    QString Celda(int fila, int columna) {
        return Control<vb::FlexGrid>(f_, "FGCCosto")->TextMatrix(fila, columna);
    }

  private:
    ado::ConnectionPtr conexion_;
    Frmta_asigccosto f_;
};

class CostCentresTwoUsers : public ::testing::Test {
  protected:
    CostCentresTwoUsers() : base_(true) {}
    void SetUp() override {
        ASSERT_TRUE(base_.valida()) << base_.error().toStdString();
        ASSERT_TRUE(AbrirComo(base_));
        a_ = std::make_unique<Usuario>(CNStuffContable::gBaseDatos().gCnn);
        b_ = std::make_unique<Usuario>(TurnoDeOtroPrograma::ConexionPropia());
    }
    // Both users show the account's distribution.
    void Muestran(const QString& cuenta) {
        a_->Elige(cuenta);
        b_->Elige(cuenta);
    }
    void TearDown() override {
        a_.reset();
        b_.reset();
    }
    QList<QStringList> Distribucion(const QString& tabla, const QString& cuenta = kCuenta) const {
        return base_.filas("SELECT " + QString(tabla.endsWith("UNEG") ? "UNEGOCIO || '|' || " : "") +
                           "CCOSTO, printf('%g', PORCENTAJE) FROM " + tabla + " WHERE CODIGO = '" + cuenta +
                           "' ORDER BY 1, 2");
    }

    ProgramaDePrueba programa_;
    BaseDePrueba base_;
    DialogosGuionados guion_;
    std::unique_ptr<Usuario> a_, b_;
};

}  // namespace

// A saves 50/50; B, from the grid he was shown before, saves 30/70: B is told, A's stands.
TEST_F(CostCentresTwoUsers, ADistributionSavedMeanwhileIsNotReplacedFromAStaleGrid) {
    Muestran(kCuenta);
    a_->Teclea({"111", "50", "21", "50"});
    a_->Boton("GRABAR");
    ASSERT_FALSE(a_->f().Rechazo());
    const auto general = Distribucion("MA_CUENTASCCOSTO");
    const auto porUnidad = Distribucion("MA_CUENTASCCOSTO_UNEG");
    ASSERT_EQ(general, (QList<QStringList>{{"111", "50"}, {"21", "50"}}));

    b_->Teclea({"111", "30", "21", "70"});
    guion_.esperarMsgBox(vb::vbOK);
    b_->Boton("GRABAR");
    ASSERT_EQ(guion_.preguntas().size(), 1);
    const Pregunta aviso = guion_.preguntas().last();
    EXPECT_TRUE(aviso.titulo.compare("Aviso al operador", Qt::CaseInsensitive) == 0)
        << aviso.titulo.toStdString();
    EXPECT_TRUE(aviso.texto.contains(kCuenta)) << aviso.texto.toStdString();
    EXPECT_TRUE(b_->f().Rechazo());
    EXPECT_EQ(Distribucion("MA_CUENTASCCOSTO"), general);
    EXPECT_EQ(Distribucion("MA_CUENTASCCOSTO_UNEG"), porUnidad);
    EXPECT_EQ(b_->Celda(1, 3), "30");  // kept on screen
}

// A deletes the account's distribution; B's save of the one he was shown is refused, and his
// second "Grabar" writes it, knowingly.
TEST_F(CostCentresTwoUsers, ADistributionDeletedMeanwhileIsNotWrittenBackFromAStaleGrid) {
    Muestran(kSinMovimientos);
    a_->Boton("BORRAR");
    ASSERT_FALSE(a_->f().Rechazo());
    ASSERT_TRUE(Distribucion("MA_CUENTASCCOSTO", kSinMovimientos).isEmpty());
    const auto porUnidad = Distribucion("MA_CUENTASCCOSTO_UNEG", kSinMovimientos);

    b_->Teclea({"3", "60"});
    guion_.esperarMsgBox(vb::vbOK);
    b_->Boton("GRABAR");
    ASSERT_EQ(guion_.preguntas().size(), 1);
    EXPECT_TRUE(guion_.preguntas().last().texto.contains(kSinMovimientos))
        << guion_.preguntas().last().texto.toStdString();
    EXPECT_TRUE(b_->f().Rechazo());
    EXPECT_TRUE(Distribucion("MA_CUENTASCCOSTO", kSinMovimientos).isEmpty());
    EXPECT_EQ(Distribucion("MA_CUENTASCCOSTO_UNEG", kSinMovimientos), porUnidad);

    b_->Boton("GRABAR");
    EXPECT_FALSE(b_->f().Rechazo());
    EXPECT_EQ(Distribucion("MA_CUENTASCCOSTO", kSinMovimientos), (QList<QStringList>{{"3", "60"}}));
}

// A changes only the flags; B's save over the rows he was shown is refused too, the flags being
// the account's own settings on every row.
TEST_F(CostCentresTwoUsers, FlagsSavedMeanwhileAreNotReplacedFromAStaleForm) {
    Muestran(kCuenta);
    a_->Teclea({"111", "60"});
    {
        Usuario::Turno t(*a_);
        QTest::mouseClick(Control<QWidget>(a_->f(), "ChkPideConf"), Qt::LeftButton, {}, QPoint(4, 4));
    }
    a_->Boton("GRABAR");
    ASSERT_FALSE(a_->f().Rechazo());
    ASSERT_EQ(
        base_
            .escalar("SELECT PideConfirmacion FROM MA_CUENTASCCOSTO WHERE CCOSTO = '111' AND CODIGO = '" +
                     QString(kCuenta) + "'")
            .toInt(),
        1);
    b_->Teclea({"111", "55"});
    guion_.esperarMsgBox(vb::vbOK);
    b_->Boton("GRABAR");
    ASSERT_EQ(guion_.preguntas().size(), 1);
    EXPECT_TRUE(b_->f().Rechazo());
    EXPECT_EQ(Distribucion("MA_CUENTASCCOSTO"), (QList<QStringList>{{"111", "60"}, {"21", "40"}}));
}

// With a business unit shown, another program changed only that unit's rows: the save, which
// rewrites them, is refused too.
TEST_F(CostCentresTwoUsers, AUnitsRowsChangedMeanwhileAreNotReplacedFromAStaleGrid) {
    a_->Elige(kCuenta);
    {
        Usuario::Turno t(*a_);
        Control<QComboBox>(a_->f(), "CmbUnegocio")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);  // "   1", 111 70 / 21 30
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    ASSERT_EQ(a_->Celda(1, 3), "70");
    base_.ejecutar("UPDATE MA_CUENTASCCOSTO_UNEG SET PORCENTAJE = 65 WHERE CODIGO = '" + QString(kCuenta) +
                   "' AND UNEGOCIO = '   1' AND CCOSTO = '111'");
    const auto general = Distribucion("MA_CUENTASCCOSTO");
    a_->Teclea({"111", "60"});
    guion_.esperarMsgBox(vb::vbOK);
    a_->Boton("GRABAR");
    ASSERT_EQ(guion_.preguntas().size(), 1);
    EXPECT_TRUE(guion_.preguntas().last().texto.contains("centro de costos 111"))
        << guion_.preguntas().last().texto.toStdString();
    EXPECT_TRUE(a_->f().Rechazo());
    EXPECT_EQ(Distribucion("MA_CUENTASCCOSTO"), general);
    EXPECT_EQ(base_
                  .escalar("SELECT PORCENTAJE FROM MA_CUENTASCCOSTO_UNEG WHERE CODIGO = '" +
                           QString(kCuenta) + "' AND UNEGOCIO = '   1' AND CCOSTO = '111'")
                  .toDouble(),
              65);
}

// B saved another percentage after A was shown the distribution: A's "Borrar" deletes nothing.
TEST_F(CostCentresTwoUsers, ADistributionChangedMeanwhileIsNotDeletedFromAStaleGrid) {
    Muestran(kSinMovimientos);
    b_->Teclea({"3", "60"});
    b_->Boton("GRABAR");
    ASSERT_FALSE(b_->f().Rechazo());
    guion_.esperarMsgBox(vb::vbOK);
    a_->Boton("BORRAR");
    ASSERT_EQ(guion_.preguntas().size(), 1);
    EXPECT_TRUE(guion_.preguntas().last().texto.contains(kSinMovimientos))
        << guion_.preguntas().last().texto.toStdString();
    EXPECT_TRUE(guion_.preguntas().last().texto.contains("antes de que usted confirmara la baja"))
        << guion_.preguntas().last().texto.toStdString();
    EXPECT_TRUE(a_->f().Rechazo());
    EXPECT_EQ(Distribucion("MA_CUENTASCCOSTO", kSinMovimientos), (QList<QStringList>{{"3", "60"}}));
}
