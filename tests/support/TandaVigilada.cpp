#include "support/TandaVigilada.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace TandaVigilada {

namespace {

constexpr const char* kArchivoAvance = "INDAJUSTE_AVANCE";
constexpr const char* kBandera = "--vigilar";

// Lines written straight to the file, unbuffered, so that they survive the process's death.
class RegistroDeAvance : public ::testing::EmptyTestEventListener {
  public:
    explicit RegistroDeAvance(int fd) : fd_(fd) {}

    void OnTestIterationStart(const ::testing::UnitTest& prueba, int) override {
        for (int i = 0; i < prueba.total_test_suite_count(); ++i) {
            const ::testing::TestSuite* s = prueba.GetTestSuite(i);
            for (int j = 0; j < s->total_test_count(); ++j)
                if (s->GetTestInfo(j)->should_run()) escribe("plan ", *s->GetTestInfo(j));
        }
    }
    void OnTestStart(const ::testing::TestInfo& t) override { escribe("> ", t); }
    void OnTestEnd(const ::testing::TestInfo& t) override { escribe("< ", t); }

  private:
    void escribe(const char* marca, const ::testing::TestInfo& t) {
        const std::string linea = std::string(marca) + t.test_suite_name() + "." + t.name() + "\n";
        if (::write(fd_, linea.data(), linea.size()) < 0) std::perror("avance");
    }
    int fd_;
};

struct Avance {
    std::vector<std::string> plan;
    std::set<std::string> empezadas;
    std::string enCurso;  // started and never ended
};

Avance Lee(const std::string& archivo) {
    Avance a;
    std::ifstream in(archivo);
    std::string linea;
    while (std::getline(in, linea)) {
        if (linea.rfind("plan ", 0) == 0) {
            a.plan.push_back(linea.substr(5));
        } else if (linea.rfind("> ", 0) == 0) {
            a.enCurso = linea.substr(2);
            a.empezadas.insert(a.enCurso);
        } else if (linea.rfind("< ", 0) == 0) {
            a.enCurso.clear();
        }
    }
    return a;
}

std::string ComoTermino(int estado) {
    if (WIFSIGNALED(estado)) {
        const int s = WTERMSIG(estado);
        return "señal " + std::to_string(s) + " (" + strsignal(s) + ")";
    }
    return "salida " + std::to_string(WEXITSTATUS(estado));
}

// Waits for a child; its wait status, or -1.
int Espera(pid_t pid) {
    int estado = 0;
    while (::waitpid(pid, &estado, 0) < 0)
        if (errno != EINTR) return -1;
    return estado;
}

// The arguments a child goes on with, kept for the life of the process.
std::vector<std::string> gArgs;
std::vector<char*> gArgv;

}  // namespace

bool Pedida(int& argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], kBandera) != 0) continue;
        for (int j = i; j + 1 < argc; ++j) argv[j] = argv[j + 1];
        argv[--argc] = nullptr;
        return true;
    }
    return false;
}

void RegistraAvance() {
    const char* archivo = std::getenv(kArchivoAvance);
    if (archivo == nullptr || *archivo == '\0') return;
    const int fd = ::open(archivo, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        std::perror(archivo);
        return;
    }
    ::testing::UnitTest::GetInstance()->listeners().Append(new RegistroDeAvance(fd));
}

std::optional<int> Ejecuta(int& argc, char**& argv) {
    char plantilla[] = "/tmp/indajuste_avance_XXXXXX";
    const int fd = ::mkstemp(plantilla);
    if (fd < 0) {
        std::perror("mkstemp");
        return 1;
    }
    ::close(fd);
    const std::string archivo = plantilla;
    ::setenv(kArchivoAvance, archivo.c_str(), 1);

    const std::vector<std::string> base(argv, argv + argc);
    std::vector<std::string> caidas;
    std::string resto;
    int codigo = 0;
    for (;;) {
        if (::truncate(archivo.c_str(), 0) != 0) std::perror(archivo.c_str());
        std::fflush(nullptr);
        // Nothing but this thread exists yet (no application object), so a forked child goes on
        // with main as if it had been started alone.
        const pid_t pid = ::fork();
        if (pid == 0) {
            // A child never outlives the shard (CTest's time limit ends the parent).
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            gArgs = base;
            if (!resto.empty()) gArgs.push_back("--gtest_filter=" + resto);
            for (std::string& a : gArgs) gArgv.push_back(a.data());
            argc = int(gArgv.size());
            gArgv.push_back(nullptr);
            argv = gArgv.data();
            return std::nullopt;
        }
        const int estado = pid < 0 ? -1 : Espera(pid);
        if (estado < 0) {
            std::perror("fork");
            codigo = 1;
            break;
        }
        const Avance avance = Lee(archivo);
        if (WIFEXITED(estado) && avance.enCurso.empty()) {
            if (WEXITSTATUS(estado) != 0) codigo = 1;
            break;
        }
        codigo = 1;
        if (avance.enCurso.empty()) {
            std::printf("[  CAÍDA   ] El proceso de pruebas terminó fuera de toda prueba: %s\n",
                        ComoTermino(estado).c_str());
            caidas.push_back("(fuera de toda prueba)");
            break;
        }
        std::printf("[  CAÍDA   ] %s terminó su proceso: %s\n", avance.enCurso.c_str(),
                    ComoTermino(estado).c_str());
        caidas.push_back(avance.enCurso);
        resto.clear();
        for (const std::string& p : avance.plan)
            if (!avance.empezadas.count(p)) resto += (resto.empty() ? "" : ":") + p;
        if (resto.empty()) break;
        std::printf("[  CAÍDA   ] Siguen en otro proceso las pruebas de la tanda que no corrieron\n");
        // Only the tests still due: the filter names them all, so the shard split is not needed.
        ::unsetenv("GTEST_TOTAL_SHARDS");
        ::unsetenv("GTEST_SHARD_INDEX");
    }
    ::unlink(archivo.c_str());
    if (!caidas.empty()) {
        std::printf("[  CAÍDA   ] %zu prueba(s) terminaron su proceso:\n", caidas.size());
        for (const std::string& c : caidas) std::printf("[  CAÍDA   ] %s\n", c.c_str());
    }
    std::fflush(stdout);
    return codigo;
}

}  // namespace TandaVigilada
