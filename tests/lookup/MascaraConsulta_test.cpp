// A hostile "consultas.qnl" beside the program: what it holds is data, never the program's text.
#include "lookup/MascaraConsulta.h"

#include "outside/controls/ListView.h"
#include "support/ArchivoMascaras.h"
#include "support/ConsultaDePrueba.h"
#include "support/Control.h"

namespace {

const QString kOculta = QStringLiteral("51010100102");

class HostileMask : public ConsultaDePrueba {
  protected:
    void SetUp() override {
        ConsultaDePrueba::SetUp();
        ASSERT_TRUE(AbrirComo(base_, "OPERADOR"));
        ASSERT_FALSE(CNStuffContable::gBaseDatos().gEsAdmin);
    }

    // The codes the list lookup over MA_CUENTAS shows with the given mask record.
    QStringList Codigos(const QString& campos, const QString& condicion = {}) {
        EXPECT_TRUE(
            EscribeMascaras(programa_.filePath("consultas.qnl"), {{"MA_CUENTAS", campos, condicion}}));
        QStringList codigos;
        AlMostrar([&](Lib_FrmCons3& v) {
            for (int i = 1; i <= Control<vb::ListView>(v, "ListView1")->ListItemsCount(); ++i)
                codigos << Control<vb::ListView>(v, "ListView1")->ItemText(i);
        });
        Coleccion ninguna;
        QString clave, busqueda, where, opcional, defecto;
        bool arbol = false;
        gConsulta().ConsultaSearch("MA_CUENTAS", ninguna, clave, busqueda, where, opcional, arbol, defecto);
        return codigos;
    }

    int Administrador() {
        return base_.escalar("SELECT MAX(Administrador) FROM TA_USUARIOS WHERE NOMBRE = 'OPERADOR'").toInt();
    }
};

TEST_F(HostileMask, ItsWordsNeverLiftTheRestrictedView) {
    // The plain mask lists the visible accounts, the hidden one not.
    const QStringList visibles = Codigos("Codigo|Descripcion");
    ASSERT_TRUE(visibles.contains("51010100101"));
    EXPECT_FALSE(visibles.contains(kOculta));

    for (const QString& campos :
         {QString("Codigo|Descripcion|'x' AS MV_ASIENTOS"), QString("Codigo|Descripcion|1 AS [@Admin_x]"),
          QString("Codigo|Descripcion|(SELECT COUNT(*) FROM @Admin_MA_CUENTAS) AS N"),
          QString("Codigo|Descripcion|1 AS @admin_X")}) {
        const QStringList codigos = Codigos(campos);
        EXPECT_FALSE(codigos.contains(kOculta)) << campos.toStdString();
    }
    EXPECT_FALSE(
        Codigos("Codigo|Descripcion", "CODIGO IN (SELECT CODIGO FROM @Admin_MA_CUENTAS)").contains(kOculta));
}

TEST_F(HostileMask, ASecondStatementInItsConditionRunsNothing) {
    for (const QString& condicion :
         {QString("DADA_DE_BAJA = 0\r\nUPDATE TA_USUARIOS SET ADMINISTRADOR = 1 WHERE NOMBRE = 'OPERADOR'\r\n"
                  "SELECT 1 AS Codigo"),
          QString("DADA_DE_BAJA = 0 UPDATE TA_USUARIOS SET ADMINISTRADOR = 1 WHERE NOMBRE = 'OPERADOR' "
                  "SELECT 1 AS Codigo"),
          QString("DADA_DE_BAJA = 0; UPDATE TA_USUARIOS SET ADMINISTRADOR = 1 WHERE NOMBRE = 'OPERADOR'")}) {
        // The refusal is the one message; no window follows it.
        const qsizetype antes = guion_.preguntas().size();
        guion_.esperarMsgBox(vb::vbAbort);
        ASSERT_TRUE(EscribeMascaras(programa_.filePath("consultas.qnl"),
                                    {{"MA_CUENTAS", "Codigo|Descripcion", condicion}}));
        Coleccion ninguna;
        QString clave, busqueda, where, opcional, defecto;
        bool arbol = false;
        gConsulta().ConsultaSearch("MA_CUENTAS", ninguna, clave, busqueda, where, opcional, arbol, defecto);
        EXPECT_EQ(Administrador(), 0) << condicion.toStdString();
        ASSERT_EQ(guion_.preguntas().size(), antes + 1);
        EXPECT_TRUE(guion_.preguntas()[antes].texto.contains("una sola sentencia de lectura"))
            << guion_.preguntas()[antes].texto.toStdString();
        EXPECT_TRUE(gConsulta().ValorDevuelto.toString().isEmpty());
    }
}

}  // namespace
