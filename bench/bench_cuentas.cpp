// The chart-of-accounts window: the full rebuild of its tree on a chart of some 22,000 accounts,
// and the save of one changed account (validation, transaction, action record, replication with
// no targets) on the demo company and on the large chart, where the clear that ends a save reads
// the title list again. Each is set beside the same reads and writes done straight through the
// engine's own API.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>

#include "accounts/FrmMA_CUENTAS.h"
#include "comun/Comparacion.h"
#include "comun/Control.h"
#include "data/DB_Dll.h"
#include "outside/ado/sqlite/ConstructorBase.h"
#include "outside/ado/sqlite/ExtensionesSqlite.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/TreeView.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"

namespace {

using Reloj = std::chrono::steady_clock;

// Any question during a measured step is a fault of the set-up: counted, answered OK.
class SinPreguntas : public vb::Dialogos {
  public:
    int preguntas = 0;
    int MsgBox(const QString& texto, int, const QString&) override {
        ++preguntas;
        std::fprintf(stderr, "pregunta: %s\n", qPrintable(texto));
        return vb::vbOK;
    }
    QString InputBox(const QString&, const QString&, const QString&) override { return {}; }
    void MostrarModal(QWidget*) override {}
    QString AbrirArchivo(const QString&, const QString&, bool* c) override {
        if (c) *c = true;
        return {};
    }
};

// Four chapters of five sub-chapters, ten items of ten sub-items, ten accounts each (levels
// 1, 1, 2, 2, 3, 2).
QString Plan(int& cuentas) {
    QStringList filas;
    auto agrega = [&](const QString& codigo, bool titulo) {
        filas << QString("('%1', 'CUENTA %1', %2, 0)").arg(codigo).arg(titulo ? 1 : 0);
    };
    for (int c = 6; c <= 9; ++c) {
        const QString cap = QString::number(c);
        agrega(cap, true);
        for (int s = 1; s <= 5; ++s) {
            const QString sub = cap + QString::number(s);
            agrega(sub, true);
            for (int r = 1; r <= 10; ++r) {
                const QString rub = sub + QString("%1").arg(r, 2, 10, QChar('0'));
                agrega(rub, true);
                for (int sr = 1; sr <= 10; ++sr) {
                    const QString srub = rub + QString("%1").arg(sr, 2, 10, QChar('0'));
                    agrega(srub, true);
                    for (int k = 1; k <= 10; ++k)
                        agrega(srub + QString("%1").arg(k, 3, 10, QChar('0')), false);
                }
            }
        }
    }
    cuentas = int(filas.size());
    return "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, DADA_DE_BAJA) VALUES " + filas.join(", ");
}

// The benchmark's rows over the demo company: a large chart when asked, and the account saved.
QStringList Filas(bool grande, int& cuentas) {
    QStringList extra;
    if (grande) extra << Plan(cuentas);
    extra << "INSERT OR IGNORE INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, DADA_DE_BAJA) VALUES "
             "('71010100101', 'CUENTA 71010100101', 0, 0)";
    return extra;
}

struct Entorno {
    int cuentas = 0;
    EmpresaBench empresa;
    const QTemporaryDir& carpeta = empresa.dir;
    const QString ruta = empresa.ruta();
    std::unique_ptr<FrmMA_CUENTAS> f;
    SinPreguntas dialogos;

    explicit Entorno(bool grande) : empresa(Filas(grande, cuentas), true) {
        vb::setDialogos(&dialogos);
        vb::App().Path = carpeta.path();
        vb::App().Command = "@Server=" + carpeta.path() + ";@DbName=BENCH;@UsuarioLogeado=ADMIN;@Caja=1;";
        // A fresh database object: each company opens its own connection.
        CNStuffContable::ReiniciarBaseDatos();
        CNStuffContable::gTablaConfiguracion.clear();
        CNStuffContable::InicializaSistema();
        f = std::make_unique<FrmMA_CUENTAS>();
        f->Form_Load();
        // The node of a save waits 100 ms by design; the save is measured without the tree.
        f->Treev_Estado(false);
    }
    ~Entorno() {
        f.reset();
        vb::setDialogos(nullptr);
    }
};

std::unique_ptr<Entorno> gEntorno;
bool gGrande = false;
double arbolPrograma = 0, arbolDirecto = 0;
double grabarPrograma[2] = {}, grabarDirecto[2] = {};
int gCuentas = 0;

// One window and one company at a time: they share the program's database object.
Entorno& Usar(bool grande) {
    if (!gEntorno || gGrande != grande) {
        gEntorno.reset();
        gEntorno = std::make_unique<Entorno>(grande);
        gGrande = grande;
        if (grande) gCuentas = gEntorno->cuentas;
    }
    return *gEntorno;
}

// The engine's own API on a copy of the company file, so that the two never wait for each other.
sqlite3* AbrirDirecto() {
    const QString copia = QDir(gEntorno->carpeta.path()).filePath("DIRECTO.sqlite");
    QFile::remove(copia);
    sqlite3* origen = nullptr;
    sqlite3_open_v2(QFile::encodeName(gEntorno->ruta).constData(), &origen, SQLITE_OPEN_READONLY, nullptr);
    ado::sqlite::RegistrarExtensiones(origen);
    sqlite3_exec(origen, ("VACUUM INTO '" + copia + "'").toUtf8().constData(), nullptr, nullptr, nullptr);
    sqlite3_close(origen);
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(copia).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    ado::sqlite::RegistrarExtensiones(db);
    return db;
}

void BM_ArbolCuentas(benchmark::State& state) {
    Usar(true);
    sqlite3* db = AbrirDirecto();
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(
        db, "SELECT CODIGO, DESCRIPCION, TITULO FROM MA_CUENTAS WHERE DADA_DE_BAJA = 0 ORDER BY CODIGO", -1,
        &st, nullptr);
    Reloj::duration programa{}, directo{};
    int nodos = 0;
    for (auto _ : state) {
        auto t0 = Reloj::now();
        gEntorno->f->ArmarTreeVAutomatico(" ");
        auto t1 = Reloj::now();
        nodos = Control<vb::TreeView>(*gEntorno->f, "TreeV")->Count();
        while (sqlite3_step(st) == SQLITE_ROW) {
            benchmark::DoNotOptimize(sqlite3_column_text(st, 0));
            benchmark::DoNotOptimize(sqlite3_column_text(st, 1));
            benchmark::DoNotOptimize(sqlite3_column_int(st, 2));
        }
        sqlite3_reset(st);
        directo += Reloj::now() - t1;
        programa += t1 - t0;
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    arbolPrograma = std::chrono::duration<double>(programa).count() / double(state.iterations());
    arbolDirecto = std::chrono::duration<double>(directo).count() / double(state.iterations());
    state.counters["nodos"] = nodos;
    state.counters["programa_ms"] = 1e3 * arbolPrograma;
    state.counters["directo_ms"] = 1e3 * arbolDirecto;
}

void BM_GrabarCuenta(benchmark::State& state) {
    const bool grande = state.range(0) != 0;
    FrmMA_CUENTAS& f = *Usar(grande).f;
    const QString codigo = "71010100101";
    sqlite3* db = AbrirDirecto();
    sqlite3_stmt* lee = nullptr;
    sqlite3_stmt* legajo = nullptr;
    sqlite3_stmt* escribe = nullptr;
    sqlite3_stmt* accion = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM MA_CUENTAS WHERE CODIGO = ?", -1, &lee, nullptr);
    sqlite3_prepare_v2(db, "SELECT * FROM P_MA_LEGAJOS WHERE CUENTA = ?", -1, &legajo, nullptr);
    sqlite3_prepare_v2(db, "UPDATE MA_CUENTAS SET DESCRIPCION = ?, BLOQUEO = 0, Moneda = 1 WHERE CODIGO = ?",
                       -1, &escribe, nullptr);
    sqlite3_prepare_v2(
        db,
        "INSERT INTO MV_CPTEACCIONES (TC, IdComprobante, IdComplemento, Tipo_accion, FECHAHORA, "
        "Usuario, PC) VALUES ('', '', 0, 'M', '2026-12-09 10:30:00', 'u', 'pc')",
        -1, &accion, nullptr);
    const QByteArray cod = codigo.toUtf8();
    Reloj::duration programa{}, directo{};
    long n = 0;
    for (auto _ : state) {
        // The account shown, as the code box leaves it; its description changed.
        state.PauseTiming();
        f.LimpiaPantalla();
        Control<vb::CajaTexto>(f, "txtFields", 1)->setText(codigo);
        f.Campo_Valida(1, Control<vb::CajaTexto>(f, "txtFields", 1));
        Control<vb::CajaTexto>(f, "txtFields", 0)->setText(QString("CUENTA CAMBIADA %1").arg(n));
        state.ResumeTiming();

        auto t0 = Reloj::now();
        f.Utilvex1_Click("GRABAR");  // the toolbar's save: validation and write
        auto t1 = Reloj::now();
        if (f.Rechazo()) state.SkipWithError("la cuenta no se grabó");

        for (sqlite3_stmt* s : {lee, legajo}) {
            sqlite3_bind_text(s, 1, cod.constData(), int(cod.size()), SQLITE_TRANSIENT);
            while (sqlite3_step(s) == SQLITE_ROW) benchmark::DoNotOptimize(sqlite3_column_text(s, 0));
            sqlite3_reset(s);
        }
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        const QByteArray desc = QString("CUENTA DIRECTA %1").arg(n).toUtf8();
        sqlite3_bind_text(escribe, 1, desc.constData(), int(desc.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(escribe, 2, cod.constData(), int(cod.size()), SQLITE_TRANSIENT);
        sqlite3_step(escribe);
        sqlite3_reset(escribe);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_step(accion);
        sqlite3_reset(accion);
        directo += Reloj::now() - t1;
        programa += t1 - t0;
        ++n;
    }
    for (sqlite3_stmt* s : {lee, legajo, escribe, accion}) sqlite3_finalize(s);
    sqlite3_close(db);
    grabarPrograma[grande] = std::chrono::duration<double>(programa).count() / double(state.iterations());
    grabarDirecto[grande] = std::chrono::duration<double>(directo).count() / double(state.iterations());
    state.counters["programa_ms"] = 1e3 * grabarPrograma[grande];
    state.counters["directo_ms"] = 1e3 * grabarDirecto[grande];
}

}  // namespace

BENCHMARK(BM_GrabarCuenta)->Arg(0)->Iterations(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArbolCuentas)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrabarCuenta)->Arg(1)->Iterations(50)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vb::setLocaleNumeros(QLocale::c());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const int preguntas = gEntorno ? gEntorno->dialogos.preguntas : 0;
    gEntorno.reset();
    ImprimeEncabezado();
    ImprimeComparacion(
        QByteArray("arbol de " + QByteArray::number(gCuentas) + " cuentas (<150 ms, <=4x)").constData(),
        1e3 * arbolPrograma, 1e3 * arbolDirecto,
        1e3 * arbolPrograma < 150 && Relacion(arbolPrograma, arbolDirecto) <= 4);
    ImprimeComparacion("grabar una cuenta en la demo (<50 ms)", 1e3 * grabarPrograma[0],
                       1e3 * grabarDirecto[0], 1e3 * grabarPrograma[0] < 50);
    ImprimeComparacion(
        QByteArray("grabar en un plan de " + QByteArray::number(gCuentas) + " cuentas (<20 ms)").constData(),
        1e3 * grabarPrograma[1], 1e3 * grabarDirecto[1], 1e3 * grabarPrograma[1] < 20);
    std::printf("Preguntas durante la última medición: %d\n", preguntas);
    return 0;
}
