// The rules on the demo company, as a posting window of the suite meets them.
#include "journal/Lbc_Asiento.h"
#include "outside/maker/Progreso.h"
#include "outside/maker/Utilidades.h"
#include "services/CNStuffContable.h"
#include "support/AbrirComo.h"
#include "support/BaseDePrueba.h"
#include "support/ConexionCaida.h"
#include "support/DialogosGuionados.h"
#include "support/ImprimeQt.h"
#include "support/ProgramaDePrueba.h"

#include <gtest/gtest.h>

namespace {

class JournalDemo : public ::testing::Test {
  protected:
    JournalDemo() : base_(true, {}, QStringLiteral("DEMO")) {}
    void SetUp() override {
        ASSERT_TRUE(base_.valida()) << base_.error().toStdString();
        CNStuffContable::gTablaConfiguracion.clear();
        ASSERT_TRUE(AbrirComo(base_));
    }
    BaseDePrueba base_;
    ProgramaDePrueba programa_;
};

TEST_F(JournalDemo, ThePostingRulesHoldOnTheDemoCompany) {
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

// The connection drops in the middle of the sub-journal rebuild: the server has undone the run,
// so the user's previous rows are all there is, whatever the operator answers, and nothing is
// written on a reconnected session. A lookup outside the run still reconnects on its own.
TEST_F(JournalDemo, ALostConnectionLeavesTheWorkTableAsItWas) {
    base_.ejecutar(
        "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO) VALUES ('11010100199', 'CAJA NUEVA', 0)");
    base_.ejecutar(
        "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], TIPO_REG, FECHA, [DEBE-HABER], "
        "CUENTA, IMPORTE, DETALLE) VALUES ('2027', 10, 2, 'V', '2026-10-15', 'D', '11010100199', 5, "
        "'NUEVA')");
    base_.ejecutar(
        "INSERT INTO AUX_SUBDIARIOS (Usuario, Periodo, Concepto) VALUES ('ADMIN', 2019, 'anterior')");
    const QString tabla = "SELECT Usuario, Periodo, [numero asiento], cuenta_D, Concepto FROM AUX_SUBDIARIOS";
    const auto antes = base_.filas(tabla);
    DB_Dll& db = CNStuffContable::gBaseDatos();
    ado::FallaInyectada caida = ConexionCaida();

    const struct {
        const char* donde;
        int respuesta;
    } casos[] = {{"CODIGO)) ='11010100199'", vb::vbAbort},  // the new account's description
                 {"[NUMERO ASIENTO] = 2 AND MES_OPERATIVO = 10", vb::vbIgnore}};  // the entry's lines
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.donde);
        ASSERT_EQ(db.gCnn->State(), ado::adStateOpen);
        caida.contiene = caso.donde;
        db.gCnn->InyectarFalla(caida);
        DialogosGuionados guion;
        guion.esperarMsgBox(caso.respuesta);
        Lbc_Asiento a;
        QString desde = "01/07/2026";
        a.GeneraAuxiliarSubdiarios(desde, "30/11/2026", "V");
        EXPECT_EQ(base_.filas(tabla), antes);
        ASSERT_EQ(guion.preguntas().size(), 1);
        const Pregunta& p = guion.preguntas()[0];
        EXPECT_TRUE(p.titulo.contains("GeneraAuxiliarSubdiarios")) << p.titulo.toStdString();
        EXPECT_TRUE(p.texto.contains("Vínculo de comunicación perdido")) << p.texto.toStdString();
        EXPECT_TRUE(p.texto.contains("no se guardó nada")) << p.texto.toStdString();
        EXPECT_EQ(p.estilo, vb::vbOKOnly + vb::vbCritical);
        EXPECT_FALSE(maker::gProgreso().Visible());
        EXPECT_FALSE(maker::gUtilidades().EstaOcupado());
        EXPECT_FALSE(db.gCnn->EnTransaccion());
        // Outside a transaction the lost connection is recovered as before, without a word.
        EXPECT_TRUE(db.ExisteEnTabla("MA_CUENTAS", "11010100199", "CODIGO"));
    }

    // With the connection back the rebuild writes the run, the new account's line included.
    Lbc_Asiento a;
    QString desde = "01/07/2026";
    a.GeneraAuxiliarSubdiarios(desde, "30/11/2026", "V");
    EXPECT_EQ(base_.escalar("SELECT count(*) FROM AUX_SUBDIARIOS WHERE Usuario = 'ADMIN'").toInt(), 21);
    EXPECT_EQ(
        base_.escalar("SELECT descripcion_D FROM AUX_SUBDIARIOS WHERE cuenta_D = '11010100199'").toString(),
        "CAJA NUEVA");
}

}  // namespace
