// The rules on the demo company, as a posting window of the suite meets them.
#include "journal/Lbc_Asiento.h"
#include "outside/maker/Progreso.h"
#include "services/CNStuffContable.h"
#include "support/BaseDePrueba.h"
#include "support/DialogosGuionados.h"
#include "support/ImprimeQt.h"
#include "support/ProgramaDePrueba.h"

#include <gtest/gtest.h>

namespace {

class Demo : public ::testing::Test {
  protected:
    Demo() : base_(true, {}, QStringLiteral("DEMO")) {}
    void SetUp() override {
        ASSERT_TRUE(base_.valida()) << base_.error().toStdString();
        CNStuffContable::gTablaConfiguracion.clear();
        CNStuffContable::gUsuarioLogeado = "ADMIN";
        DB_Dll& db = CNStuffContable::gBaseDatos();
        db.gServidor = base_.carpeta();
        db.gDBName = db.gUsuario = db.gUserPassWord = base_.nombre();
        db.OpenServerADODB(false, 3, QString(), true, true);
        ASSERT_TRUE(db.gOpenFlag);
    }
    BaseDePrueba base_;
    ProgramaDePrueba programa_;
};

TEST_F(Demo, ThePostingRulesHoldOnTheDemoCompany) {
    Lbc_Asiento a;
    EXPECT_EQ(a.UltimoNumeroAsiento(10), 4);  // two general entries and the month's summary
    EXPECT_EQ(a.UltimoNumeroAsiento(11), 3);  // November is not summarised yet
    EXPECT_EQ(a.UltimoNumeroAsiento(11, QVariant("V")), 4);
    EXPECT_FALSE(a.ValidaFechaSubdiario("15/10/2026", "V"));  // summarised
    EXPECT_TRUE(a.ValidaFechaSubdiario("15/11/2026", "V"));
    QString mensaje;
    EXPECT_TRUE(a.ValidaEstadoPeriodoActual(mensaje));
    EXPECT_TRUE(a.ValidaSubdiarioTC("V", "FC"));
    QString suc, nro, l = "A";
    a.DatosComprobante("FC", suc, nro, l, "1");
    EXPECT_EQ(suc + "-" + nro + l, "0001-00000177A");
    EXPECT_EQ(a.UltimoIDBienDeUso(), "42");
    QString fecha, hasta;
    QVariant numero;
    a.UltimoAjuste(fecha, hasta, numero);
    EXPECT_EQ(fecha, "");  // the adjustment belongs to 2026

    DialogosGuionados guion;  // the last invoice is posted: the system offers the next number
    guion.esperarMsgBox(vb::vbNo);
    nro = "00000177";
    EXPECT_FALSE(a.ValidaComprobante("FC", "0001", nro, "A", mensaje));
    EXPECT_EQ(guion.preguntas().at(0).texto, "El Comprobante Duplicado, el nuevo numero es: 0001-00000178A");

    QString desde = "01/10/2026";
    a.GeneraAuxiliarSubdiarios(desde, "31/10/2026", "V");
    EXPECT_EQ(
        base_.filas("SELECT [numero asiento], cuenta_D, importe_D, cuenta_H, descripcion_H, importe_H FROM "
                    "AUX_SUBDIARIOS ORDER BY rowid"),
        (QList<QStringList>{{"1", "11010100101", "1571", "11010100102", "CAJA DOLARES", "1571"},
                            {"2", "11010100101", "1572", "11010100102", "CAJA DOLARES", "1572"},
                            {"3", "11010100101", "1573", "11010100102", "CAJA DOLARES", "786.5"},
                            {"3", "", "0", "11010100102", "CAJA DOLARES", "786.5"}}));
}

}  // namespace
