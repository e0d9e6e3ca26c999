#include "outside/controls/BusquedaCodigo.h"

#include "support/BaseDePrueba.h"

#include <gtest/gtest.h>
#include <QTreeWidget>

TEST(BusquedaCodigo, ItSearchesOnlyThroughAConnectionAndOnlyPlainTableNames) {
    BaseDePrueba base(true);
    ASSERT_TRUE(base.valida());
    vb::BusquedaCodigo control;
    EXPECT_TRUE(control.BusquedaDisponible("MA_CUENTAS").isNull());
    control.ConnectionString = "Provider=SQLOLEDB;Server=" + base.carpeta() + ";Database=NO_HAY";
    EXPECT_TRUE(control.BusquedaDisponible("MA_CUENTAS").isNull());

    control.ConnectionString = base.cadenaConexion();
    EXPECT_TRUE(control.BusquedaDisponible("ma_cuentas").toBool());
    EXPECT_TRUE(control.BusquedaDisponible("V_TA_FAMILIAS").toBool());
    EXPECT_FALSE(control.BusquedaDisponible("MA_CUENTAS; DELETE FROM MA_CUENTAS").toBool());
    control.Tabla = "MA_CUENTAS WHERE 1=1; DELETE FROM MA_CUENTAS";
    control.Busqueda();
    EXPECT_EQ(control.LstCodigos->topLevelItemCount(), 0);
    EXPECT_GT(base.escalar("SELECT count(*) FROM MA_CUENTAS").toInt(), 0);

    // The family view has no CODIGO: its Id column is the code.
    control.Tabla = "V_TA_FAMILIAS";
    control.Buscar = "01";
    control.Busqueda();
    ASSERT_EQ(control.LstCodigos->topLevelItemCount(), 3);
    EXPECT_EQ(control.LstCodigos->topLevelItem(2)->text(0), "010101");
    EXPECT_EQ(control.LstCodigos->topLevelItem(2)->text(1), "QUESOS");
}
