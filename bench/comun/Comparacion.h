#pragma once
// What every benchmark shares: its company database, built from the schema scripts (and the demo
// company if asked) plus its own rows in a folder of its own; the shared database object opened on
// it; and the table that compares the program with the direct road and the target.
#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "outside/ado/sqlite/ConstructorBase.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"

#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>

struct EmpresaBench {
    QTemporaryDir dir;
    QString nombre;
    explicit EmpresaBench(const QStringList& sqlExtra, bool conDemo = false,
                          const QString& nombreBase = QStringLiteral("BENCH"))
        : nombre(nombreBase) {
        QString error;
        if (!ado::sqlite::ConstruirBase(ruta(), ado::sqlite::GuionesBase(INDAJUSTE_SQL_DIR, conDemo),
                                        sqlExtra, &error))
            std::fprintf(stderr, "%s\n", qPrintable(error));
    }
    QString ruta() const { return dir.path() + "/" + nombre + ".sqlite"; }
};

// A fresh shared database object opened on the company as ADMIN, the program's folder beside it.
inline bool AbrirEmpresa(const EmpresaBench& e) {
    CNStuffContable::ReiniciarBaseDatos();
    CNStuffContable::gUsuarioLogeado = "ADMIN";
    vb::App().Path = e.dir.path();
    DB_Dll& db = CNStuffContable::gBaseDatos();
    db.gServidor = e.dir.path();
    db.gDBName = db.gUsuario = db.gUserPassWord = e.nombre;
    db.OpenServerADODB(false, 3, QString(), true, true);
    return db.gOpenFlag;
}

inline double Relacion(double programa, double directo) {
    return directo > 0 ? programa / directo : 0;
}

// The head of the table: the names of the two measured columns ("programa ms", "directo ms").
inline void ImprimeEncabezado(const char* medidaA = "programa ms", const char* medidaB = "directo ms") {
    std::printf("\n%-48s %14s %14s %9s %10s\n", "medida", medidaA, medidaB, "relacion", "objetivo");
}

// One row: the first time against the second, their ratio, and whether the target is met.
inline void ImprimeComparacion(const char* medida, double a, double b, bool cumple) {
    std::printf("%-48s %14.3f %14.3f %9.2f %10s\n", medida, a, b, Relacion(a, b),
                cumple ? "cumple" : "NO CUMPLE");
}
