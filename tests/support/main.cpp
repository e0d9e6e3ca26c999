// Test entry point: one application object for every test (offscreen platform under CTest).
#include "outside/runtime/Aplicacion.h"
#include "services/CNStuffContable.h"
#include "support/TandaVigilada.h"
#include "support/VigiaModal.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // CTest's shards: the tests run in child processes, so that a crash names its test and the
    // rest of the shard still runs.
    if (TandaVigilada::Pedida(argc, argv))
        if (const std::optional<int> codigo = TandaVigilada::Ejecuta(argc, argv)) return *codigo;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    vb::Aplicacion app(argc, argv);
    // The connection form reaches the services through what start-up installs.
    CNStuffContable::InstalaServiciosAcceso();
    ::testing::InitGoogleTest(&argc, argv);
    TandaVigilada::RegistraAvance();
    // No test waits on a window nobody answers.
    VigiaModal vigia;
    return RUN_ALL_TESTS();
}
