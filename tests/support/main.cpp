// Test entry point: one application object for every test (offscreen platform under CTest).
#include "outside/runtime/Aplicacion.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"
#include "support/TandaVigilada.h"
#include "support/VigiaModal.h"

#include <gtest/gtest.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cstdlib>

namespace {

// A test's company files go to memory when the machine has room there and nobody chose another
// folder: every save syncs its file, and waiting on a disk tests nothing of the program.
void TemporalesEnMemoria() {
    if (std::getenv("TMPDIR") != nullptr) return;
    struct statvfs s {};
    if (::statvfs("/dev/shm", &s) != 0 || ::access("/dev/shm", W_OK | X_OK) != 0) return;
    if (static_cast<unsigned long long>(s.f_bavail) * s.f_frsize < (1ull << 30)) return;
    ::setenv("TMPDIR", "/dev/shm", 1);
}

}  // namespace

int main(int argc, char** argv) {
    TemporalesEnMemoria();
    // CTest's shards: the tests run in child processes, so that a crash names its test and the
    // rest of the shard still runs.
    if (TandaVigilada::Pedida(argc, argv))
        if (const std::optional<int> codigo = TandaVigilada::Ejecuta(argc, argv)) return *codigo;
    // Offscreen, with screens of the sizes the windows are tried on beside the usual one (the
    // first, primary).
    const QByteArray plataforma = qgetenv("QT_QPA_PLATFORM");
    if (plataforma.isEmpty() || plataforma == "offscreen")
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" INDAJUSTE_PANTALLAS);
    vb::Aplicacion app(argc, argv);
    // The connection form reaches the services through what start-up installs.
    CNStuffContable::InstalaServiciosAcceso();
    ::testing::InitGoogleTest(&argc, argv);
    TandaVigilada::RegistraAvance();
    // No test waits on the program's pauses.
    vb::setPausa([](int) {});
    // No test waits on a window nobody answers.
    VigiaModal vigia;
    return RUN_ALL_TESTS();
}
