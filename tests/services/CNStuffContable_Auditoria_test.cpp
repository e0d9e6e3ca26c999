#include "services/CNStuffContable.h"

#include "data/EntornoDB_Dll.h"
#include "outside/maker/SistemaPC.h"
#include "support/DialogosGuionados.h"

#include <gtest/gtest.h>

using namespace CNStuffContable;

namespace {

class Audit : public EntornoDB_Dll {
  protected:
    void SetUp() override {
        EntornoDB_Dll::SetUp();
        if (HasFatalFailure()) return;
        vb::setReloj([] { return QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9)); });
        DialogosGuionados sinPreguntas;
        ASSERT_TRUE(abrirComo("ADMIN"));
    }
    void TearDown() override {
        gCamposValores.clear();
        EntornoDB_Dll::TearDown();
    }

    QList<QStringList> acciones() const {
        return base_.filas(
            "SELECT TC, IdComprobante, IdComplemento, Tipo_accion, Usuario, PC, SYSTEMUSER "
            "FROM V_MV_CPTEACCIONES ORDER BY ID");
    }
};

}  // namespace

TEST_F(Audit, OneRowPerActionWithItsLetter) {
    DialogosGuionados guion;
    // Created wins over changed; with neither the action is a delete, whatever the delete flag.
    RegistraAccionComprobante("FC", "A-0001", "0", true, true, false, "1.1 CAJA");
    EXPECT_TRUE(gCamposValores.isEmpty());
    RegistraAccionComprobante(" X ", "7", "3", false, true, true, "D'Amico; DELETE FROM MA_CUENTAS\r\nfin");
    RegistraAccionComprobante("", "", "0", false, false, false, "");

    const QString usuario = maker::gSistemaPC().UsuarioWindows();
    const QString pc = maker::gSistemaPC().NombreEquipo();
    const QList<QStringList> esperado = {
        {"  FC", "A-0001", "0", "A", usuario, pc, "1.1 CAJA"},
        {"   X", "7", "3", "M", usuario, pc, "D'Amico; DELETE FROM MA_CUENTAS\r\nfin"},
        {"    ", "", "0", "B", usuario, pc, ""},
    };
    EXPECT_EQ(acciones(), esperado);
    EXPECT_EQ(base_.escalar("SELECT COUNT(*) FROM MA_CUENTAS").toInt(), 3);
    // The moment goes in day first and is stored as a date, as the server reads it.
    EXPECT_EQ(base_.escalar("SELECT FECHAHORA FROM MV_CPTEACCIONES WHERE ID = 1").toString(),
              "2026-03-05 14:07:00");
    EXPECT_EQ(base_.escalar("SELECT COUNT(*) FROM V_MV_CPTEACCIONES WHERE FECHAHORA < '2026-03-06'").toInt(),
              3);
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

TEST_F(Audit, ARefusedAuditRowIsDroppedSilently) {
    base_.ejecutar("DROP VIEW V_MV_CPTEACCIONES");
    DialogosGuionados guion;
    RegistraAccionComprobante("FC", "1", "0", true, false, false, "x");
    EXPECT_TRUE(guion.preguntas().isEmpty());
    EXPECT_TRUE(gCamposValores.isEmpty());
    EXPECT_EQ(base_.escalar("SELECT COUNT(*) FROM MV_CPTEACCIONES").toInt(), 0);
}

TEST_F(Audit, ErrorRowKeepsTheProgramNameAndCutsTheDescription) {
    const QString descripcion = QString(249, 'd') + "XYZ" + QString(48, 'e');
    const QString sentencia = "UPDATE T SET A = '" + QString(600, 'a') + "'\r\n";
    RegistraErrorSQL(sentencia, "indajuste/SERVIDOR", 547, descripcion);
    const auto filas = base_.filas("SELECT Proceso, Error, Descripcion, Sql, PC, Usuario FROM AUX_ERR");
    ASSERT_EQ(filas.size(), 1);
    EXPECT_EQ(filas[0], QStringList({"indajuste", "547", QString(249, 'd') + "X", sentencia,
                                     maker::gSistemaPC().NombreEquipo(), base_.nombre()}));

    // No handler: a missing table reaches the caller.
    base_.ejecutar("DROP TABLE AUX_ERR");
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbAbort);
    EXPECT_THROW(RegistraErrorSQL("x", "indajuste", 1, "y"), vb::ErrorVB);
}
