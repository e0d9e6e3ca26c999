// Saving one month of the adjustment indices 10,000 times: through an updatable recordset and
// through the engine's own API with the same statements, on the same company database file.
// The two saves alternate in one loop, so that the load of the machine and of the disk weighs
// the same on both.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>

#include "comun/Comparacion.h"
#include "outside/ado/Connection.h"
#include "outside/ado/Recordset.h"
#include "outside/ado/sqlite/ExtensionesSqlite.h"

namespace {

using Reloj = std::chrono::steady_clock;

constexpr int kGuardados = 10000;
const char* kSelect = "SELECT * FROM MA_INDAJUSTE WHERE Anio = 2024 AND Mes = 5";
const char* kUpdate =
    "UPDATE MA_INDAJUSTE SET Importe1 = ?, Importe2 = ?, Importe3 = ?, Importe4 = ?, Indice1 = ?, Indice2 = "
    "?, "
    "Indice3 = ?, Indice4 = ?, fechahora_grabacion = ? WHERE Anio = 2024 AND Mes = 5";
const char* kCampos[] = {"Importe1", "Importe2", "Importe3", "Importe4",
                         "Indice1",  "Indice2",  "Indice3",  "Indice4"};

double segundosRecordset = 0;
double segundosDirecto = 0;

QString crearBase(const QTemporaryDir& carpeta) {
    const QString ruta = QDir(carpeta.path()).filePath("BENCH.sqlite");
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(ruta).constData(), &db);
    sqlite3_exec(
        db,
        "PRAGMA journal_mode=WAL;"
        "CREATE TABLE MA_INDAJUSTE (Anio int NOT NULL, Mes int NOT NULL, Importe1 float, Importe2 float, "
        "Importe3 float, Importe4 float, Indice1 float, Indice2 float, Indice3 float, Indice4 float, "
        "fechahora_grabacion datetime, PRIMARY KEY (Anio, Mes));"
        "INSERT INTO MA_INDAJUSTE VALUES (2024, 5, 0, 0, 0, 0, 1, 1, 1, 1, '2024-05-31');"
        "INSERT INTO MA_INDAJUSTE VALUES (2024, 4, 0, 0, 0, 0, 1, 1, 1, 1, '2024-04-30');",
        nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return ruta;
}

void BM_Guardado(benchmark::State& state) {
    QTemporaryDir carpeta;
    const QString ruta = crearBase(carpeta);

    auto cn = ado::Connection::Crear();
    cn->Open(QString("Provider=SQLOLEDB;Server=%1;Database=BENCH").arg(carpeta.path()));
    const QString select = kSelect;

    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(ruta).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    ado::sqlite::RegistrarExtensiones(db);
    sqlite3_stmt* sel = nullptr;
    sqlite3_stmt* upd = nullptr;
    sqlite3_prepare_v2(db, kSelect, -1, &sel, nullptr);
    sqlite3_prepare_v2(db, kUpdate, -1, &upd, nullptr);

    const QDateTime ahora(QDate(2024, 6, 1), QTime(9, 30));
    Reloj::duration porRecordset{}, directo{};
    long n = 0;
    for (auto _ : state) {
        auto t0 = Reloj::now();
        auto rs = ado::Recordset::Crear();
        rs->Open(select, cn, ado::adOpenDynamic, ado::adLockOptimistic);
        ado::Fields& f = rs->fields();
        for (int i = 0; i < 8; ++i) f[kCampos[i]].setValue(double(n + i) / 7.0);
        f["fechahora_grabacion"].setValue(ahora.addSecs(n));
        rs->Update();
        rs->Close();
        auto t1 = Reloj::now();
        porRecordset += t1 - t0;

        ++n;
        while (sqlite3_step(sel) == SQLITE_ROW)
            for (int c = 0; c < sqlite3_column_count(sel); ++c)
                benchmark::DoNotOptimize(sqlite3_column_double(sel, c));
        sqlite3_reset(sel);
        for (int i = 0; i < 8; ++i) sqlite3_bind_double(upd, i + 1, double(n + i) / 7.0);
        const QByteArray fecha = ahora.addSecs(n).toString("yyyy-MM-dd HH:mm:ss").toUtf8();
        sqlite3_bind_text(upd, 9, fecha.constData(), int(fecha.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(upd) != SQLITE_DONE) state.SkipWithError(sqlite3_errmsg(db));
        sqlite3_reset(upd);
        directo += Reloj::now() - t1;
        ++n;
    }
    sqlite3_finalize(sel);
    sqlite3_finalize(upd);
    sqlite3_close(db);
    segundosRecordset = std::chrono::duration<double>(porRecordset).count();
    segundosDirecto = std::chrono::duration<double>(directo).count();
    state.counters["recordset_us"] = 1e6 * segundosRecordset / double(state.iterations());
    state.counters["directo_us"] = 1e6 * segundosDirecto / double(state.iterations());
}

}  // namespace

BENCHMARK(BM_Guardado)->Iterations(kGuardados)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ImprimeEncabezado("recordset s", "directo s");
    ImprimeComparacion(
        QByteArray::number(kGuardados).append(" guardados (relacion de 2 o menos)").constData(),
        segundosRecordset, segundosDirecto, Relacion(segundosRecordset, segundosDirecto) <= 2);
    return 0;
}
