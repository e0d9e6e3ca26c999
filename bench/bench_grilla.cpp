// The grid with 20,000 rows against the same grid with 60: a full repaint of the shown rows,
// and a page-down (the key, the move and the repaint it brings). Prints both times, the target
// (under 5 ms at 20,000 rows) and the ratio of the long grid to the short one. The grid reads
// no database, so the reference here is the short grid, not the SQLite C API.
#include "comun/Comparacion.h"
#include "outside/controls/FlexGrid.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>

#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr double kObjetivoMs = 5.0;

std::map<std::string, std::map<int, double>> gMedidas;  // measure -> rows -> ms

// A shown window-sized grid of the index window's shape: 9 columns, every cell with a text.
struct Grilla {
    vb::FlexGrid g;
    explicit Grilla(int filas) {
        g.resize(760, 480);
        g.setCols(9);
        g.setRows(filas + 1);
        for (int r = 1; r <= filas; ++r) {
            g.setTextMatrix(r, 0, QString("%1/%2").arg(r % 12 + 1, 2, 10, QChar('0')).arg(2000 + r / 12));
            for (int c = 1; c < 9; ++c) g.setTextMatrix(r, c, QString::number(r * 10.25 + c, 'f', 2));
        }
        g.show();
        QApplication::processEvents();
    }
};

void Anota(benchmark::State& state, const char* medida, double ms, int n) {
    const double media = ms / n;
    gMedidas[medida][int(state.range(0))] = media;
    state.counters["ms"] = media;
}

void BM_Repintado(benchmark::State& state) {
    Grilla v(int(state.range(0)));
    v.g.setTopRow(int(state.range(0)) / 2);
    double ms = 0;
    int n = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        v.g.viewport()->repaint();
        ms += t.nsecsElapsed() / 1e6;
        ++n;
    }
    Anota(state, "repintado", ms, n);
}

void BM_AvancePagina(benchmark::State& state) {
    const int filas = int(state.range(0));
    Grilla v(filas);
    v.g.setRow(1);
    double ms = 0;
    int n = 0;
    for (auto _ : state) {
        if (v.g.Row() >= filas - 40) {
            state.PauseTiming();
            v.g.setTopRow(1);
            v.g.setRow(1);
            state.ResumeTiming();
        }
        QElapsedTimer t;
        t.start();
        QKeyEvent tecla(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
        QApplication::sendEvent(&v.g, &tecla);
        v.g.viewport()->repaint();
        ms += t.nsecsElapsed() / 1e6;
        ++n;
    }
    Anota(state, "avance de pagina", ms, n);
}

}  // namespace

BENCHMARK(BM_Repintado)->Arg(60)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(BM_AvancePagina)->Arg(60)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(200);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ImprimeEncabezado("20000 filas ms", "60 filas ms");
    for (const auto& [medida, porFilas] : gMedidas) {
        if (!porFilas.count(20000) || !porFilas.count(60)) continue;
        ImprimeComparacion(medida.c_str(), porFilas.at(20000), porFilas.at(60),
                           porFilas.at(20000) < kObjetivoMs);
    }
    std::printf("objetivo: menos de %.0f ms con 20000 filas\n", kObjetivoMs);
    return 0;
}
