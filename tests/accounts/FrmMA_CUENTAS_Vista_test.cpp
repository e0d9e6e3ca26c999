// The view type of an account: ranges of additional data first, then the title prefixes.
#include "accounts/CuentasDePrueba.h"

#include <gtest/gtest.h>

namespace {

struct Resultado {
    QString tipo, descripcion, vista;
    bool vto = false;
};

Resultado Vista(CuentasDePrueba& c, const QString& codigo, QString tipoInicial = {}) {
    Resultado r{tipoInicial, "(sin tocar)", "(sin tocar)", true};
    c.f().ObtieneVistaRangoVto(codigo, &r.descripcion, &r.vista, r.tipo, &r.vto);
    return r;
}

const QStringList kRangos = {
    "DELETE FROM TA_RANGOS_DATOS_ADIC",
    "DELETE FROM TA_VISTAS",
    "INSERT INTO TA_VISTAS (NOMBRE, Campo, TipoVista) VALUES ('DEUDORES', 'Categoría', 'CL'), "
    "('SOCIOS', 'Categoría', 'SO'), ('VACIA', 'Categoría', '  ')",
    // Overlapping ranges: the lower CUENTA-DESDE wins whatever the table order.
    "INSERT INTO TA_RANGOS_DATOS_ADIC ([CUENTA-DESDE], [CUENTA-HASTA], DESCRIPCION, Vista, PideVencimiento) "
    "VALUES "
    "('1120', '1129', 'B SOCIOS', 'SOCIOS', 0), ('1100', '1125', 'A DEUDORES', 'DEUDORES', 1), "
    "('3000', '3999', 'SIN VISTA', '', 0), ('4000', '4999', 'VISTA SIN FILAS', 'NINGUNA', NULL), "
    "('5000', '5999', 'TIPO EN BLANCO', 'VACIA', 0)",
    "UPDATE TA_CONFIGURACION SET VALOR = '11' WHERE CLAVE = 'TituloClientes'",
    "UPDATE TA_CONFIGURACION SET VALOR = '1' WHERE CLAVE = 'TituloProveedores'",
    "UPDATE TA_CONFIGURACION SET VALOR = '4' WHERE CLAVE = 'TituloBancos'",
    "UPDATE TA_CONFIGURACION SET VALOR = '41' WHERE CLAVE = 'TituloBancosDiferido'",
    "UPDATE TA_CONFIGURACION SET VALOR = '5' WHERE CLAVE = 'TITULOPERSONAL'",
};

}  // namespace

TEST(AccountView, RangesDecideBeforeTitlePrefixesWithInclusiveBoundsAndCodeOrder) {
    CuentasDePrueba c(kRangos);
    c.Iniciar();
    // Both bounds lie in the range; 1122 is in both ranges and the lower start wins.
    const Resultado desde = Vista(c, "1100");
    EXPECT_EQ(desde.tipo, "CL");
    EXPECT_EQ(desde.descripcion, "A DEUDORES");
    EXPECT_EQ(desde.vista, "DEUDORES");
    EXPECT_TRUE(desde.vto);
    EXPECT_EQ(Vista(c, "1125").tipo, "CL");
    EXPECT_EQ(Vista(c, "1122").descripcion, "A DEUDORES");
    EXPECT_EQ(Vista(c, "1126").tipo, "SO");
    // Text order: 2 lies after 1999, so 12 is in no range and gets the prefix of "1".
    const Resultado fuera = Vista(c, "12");
    EXPECT_EQ(fuera.tipo, "PR");
    EXPECT_EQ(fuera.descripcion, "");
    EXPECT_EQ(fuera.vista, "");
    EXPECT_FALSE(fuera.vto);
    // A range with a description and no view is "NN", prefixes not tried.
    EXPECT_EQ(Vista(c, "3100").tipo, "NN");
    // A view without rows or with a blank type: the prefixes decide; the first bank prefix wins.
    const Resultado sinFilas = Vista(c, "4100");
    EXPECT_EQ(sinFilas.tipo, "BC");
    EXPECT_FALSE(sinFilas.vto);  // a blank flag asks for nothing
    EXPECT_EQ(Vista(c, "5100").tipo, "PE");
    // A type given on entry is kept when no range gives one.
    EXPECT_EQ(Vista(c, "99", "XX").tipo, "XX");
    EXPECT_EQ(Vista(c, "99").tipo, "");
}

TEST(AccountView, WithoutRangesOnlyPrefixesDecideAndOutputsStayAsGiven) {
    QStringList sql = kRangos;
    sql << "DELETE FROM TA_RANGOS_DATOS_ADIC"
        << "UPDATE TA_CONFIGURACION SET VALOR = '61' WHERE CLAVE = 'TituloClientesBonos'"
        << "UPDATE TA_CONFIGURACION SET VALOR = '62' WHERE CLAVE = 'TituloClientesMutuales'";
    CuentasDePrueba c(sql);
    c.Iniciar();
    const Resultado r = Vista(c, "1105");
    EXPECT_EQ(r.tipo, "CL");
    EXPECT_EQ(r.descripcion, "(sin tocar)");
    EXPECT_EQ(r.vista, "(sin tocar)");
    EXPECT_TRUE(r.vto);
    EXPECT_EQ(Vista(c, "1205").tipo, "PR");
    // The bond and mutual titles are the copies read at load, not the settings of now.
    c.base().ejecutar("UPDATE TA_CONFIGURACION SET VALOR = '6' WHERE CLAVE = 'TituloClientesBonos'");
    EXPECT_EQ(Vista(c, "6105").tipo, "CB");
    EXPECT_EQ(Vista(c, "6205").tipo, "CM");
    EXPECT_EQ(Vista(c, "6305").tipo, "");
}
