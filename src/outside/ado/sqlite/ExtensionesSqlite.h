#pragma once
// TEMPORARY stand-in until the engine extensions land.
#include <sqlite3.h>

namespace ado::sqlite {

void RegistrarExtensiones(sqlite3* db);

}  // namespace ado::sqlite
