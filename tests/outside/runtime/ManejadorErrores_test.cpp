#include "outside/runtime/ManejadorErrores.h"

#include <gtest/gtest.h>

#include "support/ImprimeQt.h"

using vb::ErrorVB;
using vb::ManejadorErrores;

TEST(ManejadorErrores, RetryRunsTheStepAgainIgnoreGoesOnAnythingElseLeaves) {
    QList<int> respuestas{4, 4, 5};
    QStringList preguntas;
    ManejadorErrores h("Generar", [&](const ErrorVB& e, const QString& rutina) {
        preguntas << QString("%1 %2").arg(rutina).arg(e.Number);
        return respuestas.takeFirst();
    });
    int intentos = 0;
    EXPECT_TRUE(h.paso([&] {
        ++intentos;
        throw ErrorVB(3704, "cerrado");
    }));
    EXPECT_EQ(intentos, 3);
    EXPECT_EQ(preguntas, QStringList({"Generar 3704", "Generar 3704", "Generar 3704"}));

    ManejadorErrores sale("X", [](const ErrorVB&, const QString&) { return 3; });
    bool siguiente = false;
    EXPECT_FALSE(sale.paso([] { throw ErrorVB(13, "tipos"); }));
    ASSERT_TRUE(sale.ultimoError().has_value());
    EXPECT_EQ(sale.ultimoError()->Number, 13);
    EXPECT_TRUE(sale.paso([&] { siguiente = true; }));
    EXPECT_TRUE(siguiente);
}

TEST(ManejadorErrores, OtherExceptionsAreNotSwallowed) {
    ManejadorErrores h("X", [](const ErrorVB&, const QString&) { return 5; });
    EXPECT_THROW(h.paso([] { throw std::runtime_error("no es un error del programa"); }), std::runtime_error);
}
