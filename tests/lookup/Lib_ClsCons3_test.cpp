#include "lookup/Lib_ClsCons3.h"

#include "support/ImprimeQt.h"

#include <gtest/gtest.h>

namespace {

TEST(Lib_ClsCons3, TheSharedLookupObjectKeepsWhatStartUpGivesIt) {
    Lib_ClsCons3 nuevo;
    EXPECT_FALSE(nuevo.gUsarMascarasConsultas);
    EXPECT_TRUE(nuevo.gConnString.isEmpty());
    gConsulta().gConnString = "PROVIDER=SQLOLEDB;Server=s;Database =DEMO;";
    gConsulta().gUsarMascarasConsultas = true;
    gConsulta().gRutaMascaraConsultas = "/opt/indajuste/consultas.qnl";
    EXPECT_EQ(&gConsulta(), &gConsulta());
    EXPECT_EQ(gConsulta().gConnString, "PROVIDER=SQLOLEDB;Server=s;Database =DEMO;");
    EXPECT_TRUE(gConsulta().gUsarMascarasConsultas);
    EXPECT_EQ(gConsulta().gRutaMascaraConsultas, "/opt/indajuste/consultas.qnl");
}

}  // namespace
