// TEMPORARY stand-in until the engine extensions land.
#include "outside/ado/sqlite/ExtensionesSqlite.h"

#include <strings.h>
#include <cstring>

namespace ado::sqlite {

namespace {
int comparar(void*, int n1, const void* a, int n2, const void* b) {
    while (n1 > 0 && static_cast<const char*>(a)[n1 - 1] == ' ') --n1;
    while (n2 > 0 && static_cast<const char*>(b)[n2 - 1] == ' ') --n2;
    const int r =
        strncasecmp(static_cast<const char*>(a), static_cast<const char*>(b), size_t(n1 < n2 ? n1 : n2));
    return r != 0 ? r : n1 - n2;
}
}  // namespace

void RegistrarExtensiones(sqlite3* db) {
    sqlite3_create_collation(db, "SERVIDOR", SQLITE_UTF8, nullptr, comparar);
}

}  // namespace ado::sqlite
