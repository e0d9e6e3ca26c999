#include "outside/runtime/Procesos.h"

#include <gtest/gtest.h>

#include "support/ImprimeQt.h"

TEST(Procesos, ShellGoesThroughTheLauncherAndReportsAFailedStart) {
    QStringList lanzados;
    vb::setLanzador([&](const QString& programa, const QStringList& argumentos) {
        lanzados << programa + " " + argumentos.join(",");
        return true;
    });
    EXPECT_TRUE(vb::Shell("/opt/indajuste/odbc", {"-a", "b c"}, 6));
    EXPECT_FALSE(vb::Shell("", {}, 2));
    EXPECT_EQ(lanzados, QStringList({"/opt/indajuste/odbc -a,b c"}));
    vb::setLanzador({});

    EXPECT_FALSE(vb::Shell("/no/existe/programa", {}, 2));
    EXPECT_TRUE(vb::Shell("true", {}, 2));
}
