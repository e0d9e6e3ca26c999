// The tree lookup window on 20,000 hierarchical cost-centre codes (three levels): one load of the
// window (statement, rows, one node per row under its parent), against reading the same rows
// straight through the SQLite C API. Prints the times, the ratio and the targets.
#include "comun/Comparacion.h"
#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "lookup/Lib_FrmCons3Tree.h"
#include "outside/ado/sqlite/ConstructorBase.h"
#include "outside/runtime/Programa.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kCodigos = 20000;
constexpr double kObjetivoMs = 500;
constexpr double kObjetivoRelacion = 4;
constexpr const char* kSentencia = "SELECT Codigo, DESCRIPCION FROM Ta_Ccosto ORDER BY Codigo";

// Level 1 "10".."99", under each ten "1001".."1010", under each of those the rest, up to 20,000.
QStringList Centros() {
    QStringList codigos;
    for (int a = 10; a < 100; ++a) codigos << QString::number(a);
    for (int a = 10; a < 100; ++a)
        for (int b = 1; b <= 10; ++b) codigos << QString("%1%2").arg(a).arg(b, 2, 10, QChar('0'));
    for (int c = 1; codigos.size() < kCodigos; ++c)
        for (int a = 10; a < 100 && codigos.size() < kCodigos; ++a)
            for (int b = 1; b <= 10 && codigos.size() < kCodigos; ++b)
                codigos << QString("%1%2%3").arg(a).arg(b, 2, 10, QChar('0')).arg(c, 3, 10, QChar('0'));
    QStringList sql{"DELETE FROM TA_CCOSTO;",
                    "INSERT INTO TA_USUARIOS (nombre, Administrador) VALUES ('ADMIN', 1);"};
    QString filas;
    for (const QString& c : codigos) {
        if (!filas.isEmpty()) filas += ",";
        filas += "('" + c + "', 'CENTRO " + c + "')";
    }
    sql << "INSERT INTO TA_CCOSTO (Codigo, DESCRIPCION) VALUES " + filas + ";";
    return sql;
}

double gPrograma = 0, gDirecto = 0;
int gNodos = 0;

void BM_ArbolCentros(benchmark::State& state) {
    EmpresaBench e(Centros());
    AbrirEmpresa(e);

    QString error;
    sqlite3* directa = ado::sqlite::AbrirBaseExistente(e.ruta(), &error);
    double programa = 0, directo = 0;
    int n = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        {
            Lib_FrmCons3Tree v;
            Lib_FrmCons3Tree::Pedido p;
            p.Sql = kSentencia;
            v.Prepara(p);
            v.Form_Load();
            gNodos = v.CantidadNodos();
        }
        programa += t.nsecsElapsed() / 1e6;
        t.restart();
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(directa, "SELECT Codigo, DESCRIPCION FROM TA_CCOSTO ORDER BY Codigo", -1, &s,
                           nullptr);
        while (sqlite3_step(s) == SQLITE_ROW) {
            benchmark::DoNotOptimize(sqlite3_column_text(s, 0));
            benchmark::DoNotOptimize(sqlite3_column_text(s, 1));
        }
        sqlite3_finalize(s);
        directo += t.nsecsElapsed() / 1e6;
        ++n;
    }
    sqlite3_close(directa);
    gPrograma = programa / n;
    gDirecto = directo / n;
    state.counters["programa_ms"] = gPrograma;
    state.counters["directo_ms"] = gDirecto;
    state.counters["relacion"] = gDirecto > 0 ? gPrograma / gDirecto : 0;
}

}  // namespace

BENCHMARK(BM_ArbolCentros)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ImprimeEncabezado();
    ImprimeComparacion(QByteArray("arbol de 20000 centros (<" + QByteArray::number(kObjetivoMs) +
                                  " ms, <=" + QByteArray::number(kObjetivoRelacion) + "x)")
                           .constData(),
                       gPrograma, gDirecto,
                       gPrograma < kObjetivoMs && Relacion(gPrograma, gDirecto) <= kObjetivoRelacion);
    std::printf("nodos: %d\n", gNodos);
    return 0;
}
