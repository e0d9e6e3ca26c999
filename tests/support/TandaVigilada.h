#pragma once
// A shard of the suite run so that a test that ends its process (a crash, an abort, an exit)
// hides nothing: the tests run in a child process that records its progress; when the child
// dies inside a test, that test is named and the tests of the shard that never ran go on in a
// new child. CTest starts every shard this way (`--vigilar`).
#include <optional>

namespace TandaVigilada {

// Whether the command line asks for a watched run; the flag is taken out of argv.
bool Pedida(int& argc, char** argv);

// Forks the child processes in turn, before anything else exists. In the parent returns the
// shard's exit code; in a child returns nothing and leaves in argc/argv the arguments it goes on
// with.
std::optional<int> Ejecuta(int& argc, char**& argv);

// In a child: records the planned tests and each start and end for the parent.
void RegistraAvance();

}  // namespace TandaVigilada
