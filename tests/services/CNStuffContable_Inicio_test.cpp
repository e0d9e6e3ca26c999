#include "services/CNStuffContable.h"

#include "support/ImprimeQt.h"

#include <gtest/gtest.h>

using CNStuffContable::ValorParametro;

TEST(ValorParametro, KeysAnywhereInAnyCaseValueUpToTheNextSemicolon) {
    const QString linea = "algo @dbname = DE=MO ; @SERVER=srv:1433;@Caja=0001";
    QString v;
    EXPECT_TRUE(ValorParametro(linea, "@DbName", v));
    EXPECT_EQ(v, "DEMO");  // every "=" removed, trimmed
    EXPECT_TRUE(ValorParametro(linea, "@Server", v));
    EXPECT_EQ(v, "srv:1433");
    v = "anterior";
    EXPECT_FALSE(ValorParametro(linea, "@Caja", v));  // no ";" after it: the value stays
    EXPECT_EQ(v, "anterior");
    EXPECT_TRUE(ValorParametro(linea, "@Menu", v));  // missing key: empty
    EXPECT_EQ(v, "");
}

TEST(ValorParametro, UsuarioDoesNotMatchInsideUsuarioLogeado) {
    QString v;
    EXPECT_TRUE(ValorParametro("@UsuarioLogeado=;@Usuario=PEPE;", "@Usuario", v));
    EXPECT_EQ(v, "PEPE");
    EXPECT_TRUE(ValorParametro("@UsuarioLogeado=ANA;", "@Usuario", v));
    EXPECT_EQ(v, "");
    EXPECT_TRUE(ValorParametro("@UsuarioLogeado=ANA;", "@UsuarioLogeado", v));
    EXPECT_EQ(v, "ANA");
}
