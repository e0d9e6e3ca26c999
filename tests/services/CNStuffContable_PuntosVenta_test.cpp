#include "services/CNStuffContable.h"

#include "data/EntornoDB_Dll.h"
#include "support/DialogosGuionados.h"

#include <gtest/gtest.h>

using namespace CNStuffContable;

namespace {

class PointsOfSale : public EntornoDB_Dll {
  protected:
    PointsOfSale()
        : EntornoDB_Dll({"INSERT INTO TA_TPV (CODIGO, Descripcion, Server, Dbname, CONECTADO) VALUES "
                         "('1', 'LOCAL 1', 'x', 'TPV1', 0), ('2', 'LOCAL 2', 'x', 'NOEXISTE', 1)"}) {}
    void SetUp() override {
        EntornoDB_Dll::SetUp();
        if (HasFatalFailure()) return;
        DialogosGuionados sinPreguntas;
        ASSERT_TRUE(abrirComo("ADMIN"));
        tpv_ = std::make_unique<BaseDePrueba>(base_, "TPV1");
        vb::setReloj([] { return QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9)); });
    }
    void TearDown() override {
        if (gBaseDatosRemota().gCnn && gBaseDatosRemota().gCnn->State() == ado::adStateOpen)
            gBaseDatosRemota().gCnn->Close();
        tpv_.reset();
        EntornoDB_Dll::TearDown();
    }
    QStringList estado(const QString& codigo) const {
        const auto filas = base_.filas(
            "SELECT CONECTADO, ULTIMA_DETECCION IS NOT NULL, PEND_CLIENTES, PEND_PROVEEDORES, PEND_TABLAS, "
            "PEND_ARTICULOS, PEND_PRECIOS FROM TA_TPV WHERE CODIGO = '" +
            codigo + "'");
        return filas.value(0);
    }

    std::unique_ptr<BaseDePrueba> tpv_;
};

}  // namespace

TEST(CodeWithoutPrefix, TheTextAfterTheFirstSlash) {
    EXPECT_EQ(CodigoSinPrefijo("TPV/SRV1"), "SRV1");
    EXPECT_EQ(CodigoSinPrefijo("A/B/C"), "B/C");
    EXPECT_EQ(CodigoSinPrefijo("SRV1:1433"), "SRV1:1433");
    EXPECT_EQ(CodigoSinPrefijo(""), "");
}

TEST_F(PointsOfSale, AReachableTerminalIsMarkedConnected) {
    DialogosGuionados guion;
    // The server carries a prefix; the folder after it is the embedded engine's server.
    EXPECT_TRUE(ConexionBaseRemota("CAJA/" + base_.carpeta(), " TPV1 ", "TPV1", "TPV1", "1"));
    EXPECT_EQ(gBaseDatosRemota().gServidor, base_.carpeta());
    EXPECT_EQ(gBaseDatosRemota().gDBName, "TPV1");
    EXPECT_EQ(gBaseDatosRemota().gCnn->DefaultDatabase(), "TPV1");
    EXPECT_EQ(estado("1").value(0), "1");

    // Without a code nothing is written.
    base_.ejecutar("UPDATE TA_TPV SET CONECTADO = 0");
    EXPECT_TRUE(ConexionBaseRemota(base_.carpeta(), "TPV1", "TPV1", "TPV1", ""));
    EXPECT_EQ(estado("1").value(0), "0");
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

TEST_F(PointsOfSale, AnUnreachableTerminalIsRecordedSilentlyWithThePendingFlagsOfTheProgram) {
    DialogosGuionados guion;
    const QDate antes = QDate::currentDate();
    EXPECT_FALSE(ConexionBaseRemota(base_.carpeta(), "NOEXISTE", "NOEXISTE", "NOEXISTE", "2"));
    const QDate despues = QDate::currentDate();
    // This program sets no pending flag.
    EXPECT_EQ(estado("2"), QStringList({"0", "1", "0", "0", "0", "0", "0"}));
    // Today's date, or tomorrow's when the call ran past midnight.
    const QString deteccion =
        base_.escalar("SELECT ULTIMA_DETECCION FROM TA_TPV WHERE CODIGO = '2'").toString().left(10);
    EXPECT_TRUE(deteccion == antes.toString("yyyy-MM-dd") || deteccion == despues.toString("yyyy-MM-dd"))
        << deteccion.toStdString();

    vb::App().EXEName = "v_ma_clientes";
    EXPECT_FALSE(ConexionBaseRemota(base_.carpeta(), "NOEXISTE", "NOEXISTE", "NOEXISTE", "2"));
    EXPECT_EQ(estado("2"), QStringList({"0", "1", "1", "1", "0", "0", "0"}));
    vb::App().EXEName = "V_TA_VENDEDORES";
    EXPECT_FALSE(ConexionBaseRemota(base_.carpeta(), "NOEXISTE", "NOEXISTE", "NOEXISTE", "2"));
    EXPECT_EQ(estado("2").value(4), "1");
    vb::App().EXEName = "EM_PlanillaEditDatos";
    EXPECT_FALSE(ConexionBaseRemota(base_.carpeta(), "NOEXISTE", "NOEXISTE", "NOEXISTE", "2"));
    EXPECT_EQ(estado("2"), QStringList({"0", "1", "1", "1", "1", "1", "1"}));
    EXPECT_FALSE(gBaseDatosRemota().gOpenFlag);
    // Without a code nothing is recorded.
    base_.ejecutar("UPDATE TA_TPV SET CONECTADO = 1");
    EXPECT_FALSE(ConexionBaseRemota(base_.carpeta(), "NOEXISTE", "NOEXISTE", "NOEXISTE", ""));
    EXPECT_EQ(estado("2").value(0), "1");
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

TEST_F(PointsOfSale, ServerDateComesFromTheServer) {
    const QDateTime antes = QDateTime::currentDateTime().addSecs(-2);
    const QDateTime fecha = FechaServidor();
    EXPECT_GE(fecha, antes.addSecs(-86400));  // the server's clock, not the program's test clock
    EXPECT_NE(fecha, QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9)));
    EXPECT_EQ(fecha.time().msec(), 0);
}
