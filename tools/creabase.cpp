// Builds a company database file from SQL files: creabase <destino.sqlite> <archivo.sql>...
#include "outside/ado/sqlite/ConstructorBase.h"

#include <QFile>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "uso: creabase <destino.sqlite> <archivo.sql>...\n");
        return 2;
    }
    const QString destino = QFile::decodeName(argv[1]);
    QStringList archivos;
    for (int i = 2; i < argc; ++i) archivos << QFile::decodeName(argv[i]);

    QString error;
    if (!ado::sqlite::ConstruirBase(destino, archivos, {}, &error)) {
        std::fprintf(stderr, "creabase: no se pudo crear %s\n%s\n", argv[1], error.toUtf8().constData());
        return 1;
    }
    return 0;
}
