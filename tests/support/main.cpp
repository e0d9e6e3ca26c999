// Test entry point: one application object for every test (offscreen platform under CTest).
#include "outside/runtime/Aplicacion.h"
#include "services/CNStuffContable.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    vb::Aplicacion app(argc, argv);
    // The connection form reaches the services through what start-up installs.
    CNStuffContable::InstalaServiciosAcceso();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
