// The chart saves what the user did with Alt-letters, however soon after them F4 comes.
#include "accounts/CuentasDePrueba.h"
#include "outside/runtime/Dialogos.h"
#include "support/Control.h"
#include "support/LocaleNumeros.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QTest>

namespace {

struct CuentaTocada {
    const char* caso;
    const char* codigo;
    bool nueva;
    // A bank account is offered its additional data after the save: not now.
    bool preguntaDatosAdicionales;
};

}  // namespace

// Alt+U ("Usa Centros de Costos") and F4 at once, on a new account and on one loaded without cost
// centres: stored with them and with the default cost-centre row.
TEST(ChartAltLetters, CostCentresTickedByAltUAreSavedByAnF4RightAfter) {
    const QList<CuentaTocada> filas = {
        {"new account", "11010100103", true, false},
        {"loaded account", "11010200103", false, true},
    };
    for (const CuentaTocada& fila : filas) {
        SCOPED_TRACE(fila.caso);
        LocaleNumeros locale(LocaleNumeros::coma());
        CuentasDePrueba v;
        v.Iniciar();
        v.EscribirCodigo(fila.codigo);
        ASSERT_EQ(v.f().CuentaNueva(), fila.nueva);
        if (fila.nueva) v.EscribirCampo(0, "CAJA CHICA");
        QCheckBox* casilla = Control<QCheckBox>(v.f(), "chkCCostos");
        ASSERT_TRUE(casilla->isEnabled());
        ASSERT_FALSE(casilla->isChecked());

        if (fila.preguntaDatosAdicionales) v.guion().esperarMsgBox(vb::vbNo);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_U, Qt::AltModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
        QApplication::processEvents();

        ASSERT_FALSE(v.f().Rechazo());
        EXPECT_EQ(v.Guardado(fila.codigo, "usaccostoS"), "1");
        EXPECT_EQ(v.base().filas(QString("SELECT CCOSTO, PORCENTAJE FROM MA_CUENTASCCOSTO WHERE CODIGO = '") +
                                 fila.codigo + "'"),
                  (QList<QStringList>{{"ADM", "0"}}));
    }
}
