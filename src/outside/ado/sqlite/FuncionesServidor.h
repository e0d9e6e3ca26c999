#pragma once
// The server's functions that the rewritten statements call (see ExtensionesSqlite.h).
struct sqlite3;

namespace ado::sqlite {

void RegistrarFuncionesServidor(sqlite3* db);

}  // namespace ado::sqlite
