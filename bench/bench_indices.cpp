// The index window on a company of 40 fiscal years (480 months): the first load that creates
// every month row, a reload, and one edit of a fiscal year's first month, each against the same
// statements run directly through the SQLite C API. Prints the times and their ratios.
#include "comun/Comparacion.h"
#include "comun/Control.h"
#include "data/DB_Dll.h"
#include "indices/frmMA_INDAJUSTE.h"
#include "outside/ado/sqlite/ConstructorBase.h"
#include "outside/controls/FlexGrid.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr int kPrimerAnio = 1987;
constexpr int kAnios = 40;

QStringList Ejercicios() {
    QStringList sql;
    for (int i = 0; i < kAnios; ++i) {
        const int a = kPrimerAnio + i;
        sql << QString(
                   "INSERT INTO MV_EJERCICIOS (PERIODO, DESCRIPCION, [Fecha Desde], [Fecha Hasta]) VALUES "
                   "(%1, 'Ejercicio %1', '%1-01-01', '%1-12-31');")
                   .arg(a);
    }
    sql << "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('NOMBRE_INDICE1', 'I.P.I.M.');";
    sql << "INSERT INTO TA_USUARIOS (nombre, Administrador) VALUES ('ADMIN', 1);";
    return sql;
}

void PreparaPrograma(const EmpresaBench& e) {
    CNStuffContable::ReiniciarBaseDatos();
    CNStuffContable::gUsuarioLogeado.clear();
    CNStuffContable::gTablaConfiguracion.clear();
    vb::setLocaleNumeros(QLocale::c());
    vb::App().Path = e.dir.path();
    vb::App().Command = "@Server=" + e.dir.path() + ";@DbName=" + e.nombre + ";@UsuarioLogeado=ADMIN;";
}

// The statements of the load and of one edit, prepared once and run through the C API.
struct Directo {
    sqlite3* db = nullptr;
    std::map<std::string, sqlite3_stmt*> cache;
    explicit Directo(const QString& ruta) {
        QString error;
        db = ado::sqlite::AbrirBaseExistente(ruta, &error);
        // The same journal as the program's engine, so both pay the same per commit.
        sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    }
    ~Directo() {
        for (auto& [k, s] : cache) sqlite3_finalize(s);
        sqlite3_close(db);
    }
    sqlite3_stmt* st(const char* sql) {
        auto& s = cache[sql];
        if (!s) sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
        sqlite3_reset(s);
        return s;
    }
    int filas(sqlite3_stmt* s) {
        int n = 0;
        while (sqlite3_step(s) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(s); ++c)
                benchmark::DoNotOptimize(sqlite3_column_text(s, c));
            ++n;
        }
        return n;
    }
    void cargar() {
        filas(st("SELECT min([fecha desde]) FROM mv_ejercicios"));
        filas(st("SELECT max([fecha hasta]) FROM mv_ejercicios"));
        for (int a = kPrimerAnio; a < kPrimerAnio + kAnios; ++a)
            for (int m = 1; m <= 12; ++m) {
                auto* s = st("SELECT * FROM MA_INDAJUSTE WHERE ANIO = ? AND MES = ?");
                sqlite3_bind_int(s, 1, a);
                sqlite3_bind_int(s, 2, m);
                if (filas(s) == 0) {
                    auto* i = st(
                        "INSERT INTO MA_INDAJUSTE (Mes, Anio, Importe1, Importe2, Importe3, Importe4) VALUES "
                        "(?, ?, 0, 0, 0, 0)");
                    sqlite3_bind_int(i, 1, m);
                    sqlite3_bind_int(i, 2, a);
                    sqlite3_step(i);
                }
            }
        filas(st("SELECT count(*) FROM ma_indajuste"));
        auto* todos = st("SELECT * FROM MA_INDAJUSTE ORDER BY anio, MES");
        while (sqlite3_step(todos) == SQLITE_ROW) {
            auto* v =
                st("SELECT * FROM mv_ejercicios WHERE month([Fecha Desde]) = ? AND year([Fecha Desde]) = ?");
            sqlite3_bind_int(v, 1, sqlite3_column_int(todos, 1));
            sqlite3_bind_int(v, 2, sqlite3_column_int(todos, 0));
            filas(v);
        }
        editar(kPrimerAnio + kAnios - 1, 12, 12);
    }
    // The recomputation of one fiscal year from month `mes`: its lookups and one save per month.
    void editar(int anio, int mes, int meses) {
        auto* e = st("SELECT * FROM mv_ejercicios WHERE [fecha desde] <= ? AND [fecha hasta] >= ?");
        const std::string f = QDate(anio, mes, 1).toString("yyyy-MM-dd").toStdString();
        sqlite3_bind_text(e, 1, f.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(e, 2, f.c_str(), -1, SQLITE_TRANSIENT);
        filas(e);
        auto guarda = [&](int m) {
            auto* s = st("SELECT * FROM MA_INDAJUSTE WHERE MES = ? AND anio = ?");
            sqlite3_bind_int(s, 1, m);
            sqlite3_bind_int(s, 2, anio);
            filas(s);
            auto* u = st(
                "UPDATE MA_INDAJUSTE SET Importe1 = ?, Indice1 = ?, Importe2 = 0, Indice2 = 0, Importe3 = 0, "
                "Indice3 = 0, Importe4 = 0, Indice4 = 0 WHERE Anio = ? AND Mes = ?");
            sqlite3_bind_double(u, 1, 100 + m);
            sqlite3_bind_double(u, 2, 1.0);
            sqlite3_bind_int(u, 3, anio);
            sqlite3_bind_int(u, 4, m);
            sqlite3_step(u);
        };
        guarda(mes);
        auto* r = st("SELECT * FROM MA_INDAJUSTE WHERE MES = 12 AND anio = ?");
        sqlite3_bind_int(r, 1, anio);
        filas(r);
        for (int m = mes; m < mes + meses; ++m) guarda(m);
    }
};

std::map<std::string, double> gPrograma, gDirecto;

void Informa(benchmark::State& state, const char* nombre, double programa, double directo) {
    gPrograma[nombre] = programa;
    gDirecto[nombre] = directo;
    state.counters["programa_ms"] = programa;
    state.counters["directo_ms"] = directo;
    state.counters["relacion"] = directo > 0 ? programa / directo : 0;
}

// One load of the window, then the same load's statements on `directa`; adds both times in ms.
void MideCarga(const QString& directa, double& programa, double& directo) {
    QElapsedTimer t;
    t.start();
    {
        frmMA_INDAJUSTE f;
        f.Form_Load();
        benchmark::DoNotOptimize(Control<vb::FlexGrid>(f, "FgAsiento")->Rows());
    }
    programa += t.nsecsElapsed() / 1e6;
    t.restart();
    {
        Directo d(directa);
        d.cargar();
    }
    directo += t.nsecsElapsed() / 1e6;
}

void BM_PrimeraCarga(benchmark::State& state) {
    double programa = 0, directo = 0;
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        EmpresaBench e(Ejercicios());
        PreparaPrograma(e);
        EmpresaBench e2(Ejercicios());
        state.ResumeTiming();
        MideCarga(e2.ruta(), programa, directo);
        ++n;
    }
    Informa(state, "primera carga", programa / n, directo / n);
}

void BM_Recarga(benchmark::State& state) {
    EmpresaBench e(Ejercicios());
    PreparaPrograma(e);
    {
        frmMA_INDAJUSTE f;
        f.Form_Load();
    }
    double programa = 0, directo = 0;
    int n = 0;
    for (auto _ : state) {
        MideCarga(e.ruta(), programa, directo);
        ++n;
    }
    Informa(state, "recarga", programa / n, directo / n);
}

void BM_EdicionPrimerMes(benchmark::State& state) {
    EmpresaBench e(Ejercicios());
    PreparaPrograma(e);
    frmMA_INDAJUSTE f;
    f.Form_Load();
    Directo d(e.ruta());
    const int anio = kPrimerAnio + 20;
    const int fila = (anio - kPrimerAnio) * 12 + 1;
    double programa = 0, directo = 0;
    int n = 0;
    for (auto _ : state) {
        Control<vb::FlexGrid>(f, "FgAsiento")->setRow(fila);
        for (int k = 1; k <= 4; ++k)
            Control<vb::FlexGrid>(f, "FgAsiento")->setTextMatrix(fila + 11, 2 * k - 1, "200");
        Control<vb::FlexGrid>(f, "FgAsiento")->setTextMatrix(fila, 1, QString::number(100 + n % 7));
        QElapsedTimer t;
        t.start();
        // The typed index, then the recomputation from the stored indexes (an edit saves both in
        // one transaction; here they are two, so this is an upper bound).
        QString sql = QString("UPDATE MA_INDAJUSTE SET Importe1 = %1 WHERE Anio = %2 AND Mes = 1")
                          .arg(100 + n % 7)
                          .arg(anio);
        CNStuffContable::gBaseDatos().EjecutaConsultaSQL(sql);
        f.ObtieneCoeficientes2024();
        programa += t.nsecsElapsed() / 1e6;
        t.restart();
        d.editar(anio, 1, 12);
        directo += t.nsecsElapsed() / 1e6;
        ++n;
    }
    Informa(state, "edicion del primer mes", programa / n, directo / n);
}

}  // namespace

BENCHMARK(BM_PrimeraCarga)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Recarga)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_EdicionPrimerMes)->Unit(benchmark::kMillisecond)->Iterations(50);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const std::map<std::string, double> objetivo{
        {"primera carga", 500}, {"recarga", 200}, {"edicion del primer mes", 20}};
    ImprimeEncabezado();
    for (const auto& [nombre, ms] : gPrograma) {
        const double dir = gDirecto[nombre];
        ImprimeComparacion(nombre.c_str(), ms, dir, ms < objetivo.at(nombre) && Relacion(ms, dir) <= 3.0);
    }
    return 0;
}
