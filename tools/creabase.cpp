// Builds a company database file from SQL files: creabase <destino.sqlite> <archivo.sql>...
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "uso: creabase <destino.sqlite> <archivo.sql>...\n");
        return 2;
    }
    std::remove(argv[1]);
    sqlite3* db = nullptr;
    if (sqlite3_open(argv[1], &db) != SQLITE_OK) return 1;
    for (int i = 2; i < argc; ++i) {
        std::ifstream in(argv[i]);
        std::stringstream ss;
        ss << in.rdbuf();
        char* err = nullptr;
        if (sqlite3_exec(db, ss.str().c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
            std::fprintf(stderr, "%s: %s\n", argv[i], err);
            sqlite3_free(err);
            sqlite3_close(db);
            return 1;
        }
    }
    sqlite3_close(db);
    return 0;
}
