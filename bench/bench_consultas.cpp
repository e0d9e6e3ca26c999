// The list lookup window on a chart of 50,000 accounts: the load (statement to the last row in
// the list) against reading the same rows straight through the SQLite C API into a plain list,
// and one keystroke of incremental search over the loaded rows against the same search over that
// plain list. Prints the times, each ratio and the targets.
#include "comun/Comparacion.h"
#include "comun/Control.h"
#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "lookup/Lib_FrmCons3.h"
#include "outside/ado/sqlite/ConstructorBase.h"
#include "outside/controls/ListView.h"
#include "outside/runtime/Programa.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <utility>
#include <vector>

namespace {

constexpr int kCuentas = 50000;
constexpr double kObjetivoCargaMs = 1500;
constexpr double kObjetivoCargaRelacion = 2;
constexpr double kObjetivoTeclaMs = 1;
constexpr const char* kSentencia = "SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY CODIGO";

QStringList Cuentas() {
    return {"DELETE FROM MA_CUENTAS;", "INSERT INTO TA_USUARIOS (nombre, Administrador) VALUES ('ADMIN', 1);",
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                QString::number(kCuentas) +
                ") INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO) SELECT printf('%011d', i * 7), "
                "'CUENTA ' || printf('%06d', (i * 7919) % 1000003) || ' DE PRUEBA', 0 FROM n;"};
}

using Filas = std::vector<std::pair<QString, QString>>;

// The same rows as texts into a plain list.
Filas LecturaDirecta(sqlite3* db) {
    Filas filas;
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, kSentencia, -1, &s, nullptr);
    while (sqlite3_step(s) == SQLITE_ROW) {
        auto texto = [s](int c) {
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, c)),
                                     sqlite3_column_bytes(s, c));
        };
        filas.emplace_back(texto(0), texto(1));
    }
    sqlite3_finalize(s);
    benchmark::DoNotOptimize(filas.data());
    return filas;
}

// The first row whose description starts with the text, case-blind, or -1.
long BusquedaDirecta(const Filas& filas, const QString& texto) {
    for (size_t i = 0; i < filas.size(); ++i)
        if (filas[i].second.startsWith(texto, Qt::CaseInsensitive)) return long(i);
    return -1;
}

double gCarga = 0, gDirecto = 0, gTecla = 0, gTeclaDirecta = 0;
int gFilas = 0;

void BM_CargaCuentas(benchmark::State& state) {
    EmpresaBench e(Cuentas());
    AbrirEmpresa(e);
    QString error;
    sqlite3* directa = ado::sqlite::AbrirBaseExistente(e.ruta(), &error);
    double programa = 0, directo = 0;
    int n = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        {
            Lib_FrmCons3 v;
            Lib_FrmCons3::Pedido p;
            p.Sql = kSentencia;
            v.Prepara(p);
            v.Cargar();
            vb::ListView* lista = Control<vb::ListView>(v, "ListView1");
            lista->EnsureVisible(lista->ListItemsCount());
            gFilas = lista->model()->rowCount();
        }
        programa += t.nsecsElapsed() / 1e6;
        t.restart();
        benchmark::DoNotOptimize(LecturaDirecta(directa).size());
        directo += t.nsecsElapsed() / 1e6;
        ++n;
    }
    sqlite3_close(directa);
    gCarga = programa / n;
    gDirecto = directo / n;
    state.counters["programa_ms"] = gCarga;
    state.counters["directo_ms"] = gDirecto;
    state.counters["relacion"] = gDirecto > 0 ? gCarga / gDirecto : 0;
}

// Each keystroke extends the text by one character; the last ones find no row, so the search
// walks the whole list.
void BM_TeclaBusqueda(benchmark::State& state) {
    EmpresaBench e(Cuentas());
    AbrirEmpresa(e);
    QString error;
    sqlite3* directa = ado::sqlite::AbrirBaseExistente(e.ruta(), &error);
    const Filas filas = LecturaDirecta(directa);
    sqlite3_close(directa);
    Lib_FrmCons3 v;
    Lib_FrmCons3::Pedido p;
    p.Sql = kSentencia;
    v.Prepara(p);
    v.Cargar();
    QComboBox* busqueda = Control<QComboBox>(v, "CmbSearch", 1);
    const QString texto = "CUENTA 99999Z";
    double total = 0, totalDirecto = 0;
    int n = 0;
    for (auto _ : state) {
        busqueda->setEditText(QString());
        for (int k = 1; k <= texto.size(); ++k) {
            QElapsedTimer t;
            t.start();
            busqueda->setEditText(texto.left(k));
            total += t.nsecsElapsed() / 1e6;
            t.restart();
            benchmark::DoNotOptimize(BusquedaDirecta(filas, texto.left(k)));
            totalDirecto += t.nsecsElapsed() / 1e6;
            ++n;
        }
    }
    gTecla = total / n;
    gTeclaDirecta = totalDirecto / n;
    state.counters["tecla_ms"] = gTecla;
    state.counters["directo_ms"] = gTeclaDirecta;
}

}  // namespace

BENCHMARK(BM_CargaCuentas)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_TeclaBusqueda)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ImprimeEncabezado();
    ImprimeComparacion("carga de 50.000 cuentas (<1500 ms, <=2x)", gCarga, gDirecto,
                       gCarga < kObjetivoCargaMs && Relacion(gCarga, gDirecto) <= kObjetivoCargaRelacion);
    ImprimeComparacion("una tecla de busqueda (<1 ms)", gTecla, gTeclaDirecta, gTecla < kObjetivoTeclaMs);
    std::printf("filas en la lista: %d\n", gFilas);
    return 0;
}
