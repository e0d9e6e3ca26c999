// Rebuilding the sub-journal work table for 50,000 journal lines (12,500 entries of two debits
// and two credits): through the rules object, and the same statements straight through the
// SQLite C API, each on its own copy of one company database, in one run.
#include "comun/Comparacion.h"
#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "journal/Lbc_Asiento.h"
#include "outside/ado/sqlite/ConstructorBase.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// INDAJUSTE_BENCH_LINEAS gives another size (a profile on fewer lines).
const int kLineas = qEnvironmentVariableIsEmpty("INDAJUSTE_BENCH_LINEAS")
                        ? 50000
                        : qEnvironmentVariableIntValue("INDAJUSTE_BENCH_LINEAS");
constexpr double kObjetivoSegundos = 5.0;
constexpr double kObjetivoRelacion = 3.0;

double gPrograma = 0, gDirecto = 0;
long gFilasPrograma = 0, gFilasDirecto = 0;

QStringList Datos() {
    QStringList sql;
    sql << "INSERT INTO TA_USUARIOS (nombre, Administrador) VALUES ('ADMIN', 1);";
    sql << "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PERIODO', '2024');";
    sql << "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) "
           "WITH RECURSIVE C(N) AS (SELECT 1 UNION ALL SELECT N + 1 FROM C WHERE N < 40) "
           "SELECT printf('1101%03d', N), 'CUENTA ' || N FROM C;";
    // Entry e: month e % 12 + 1, number e / 12 + 1; lines on accounts e, e+1 (debit), e+2, e+3 (credit).
    sql << QString(
               "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], SECUENCIA, TIPO_REG, "
               "FECHA, "
               "[DEBE-HABER], CUENTA, IMPORTE, DETALLE, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE) "
               "WITH RECURSIVE E(N) AS (SELECT 0 UNION ALL SELECT N + 1 FROM E WHERE N < %1 - 1), "
               "L(S) AS (SELECT 0 UNION ALL SELECT S + 1 FROM L WHERE S < 3) "
               "SELECT '2024', N % 12 + 1, N / 12 + 1, S + 1, 'V', "
               "printf('2024-%02d-%02d', N % 12 + 1, N % 28 + 1), CASE WHEN S < 2 THEN 'D' ELSE 'H' END, "
               "printf('1101%03d', (N + S) % 40 + 1), 100 + S, 'FACTURA ' || N, '  FC', '0001', "
               "printf('%08d', N), "
               "'A', 200 FROM E, L;")
               .arg(kLineas / 4);
    return sql;
}

long Filas(sqlite3* db, const char* sql) {
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
    long n = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int64(s, 0) : -1;
    sqlite3_finalize(s);
    return n;
}

// The rebuild's statements, prepared once and run through the C API.
struct Directo {
    sqlite3* db = nullptr;
    explicit Directo(const QString& ruta) {
        QString error;
        db = ado::sqlite::AbrirBaseExistente(ruta, &error);
        sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    }
    ~Directo() { sqlite3_close(db); }
    sqlite3_stmt* prep(const char* sql) {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK)
            std::fprintf(stderr, "%s\n", sqlite3_errmsg(db));
        return s;
    }
    static QString texto(sqlite3_stmt* s, int c) {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, c)),
                                 sqlite3_column_bytes(s, c));
    }

    void generar() {
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_exec(db, "DELETE FROM AUX_SUBDIARIOS WHERE RTRIM(LTRIM(USUARIO)) = 'ADMIN' COLLATE SERVIDOR",
                     nullptr, nullptr, nullptr);
        sqlite3_stmt* lista = prep(
            "SELECT DISTINCT Periodo,[MES_OPERATIVO],[NUMERO ASIENTO] FROM MV_ASIENTOS WHERE "
            "RTRIM(LTRIM(TIPO_REG)) "
            "= 'V' COLLATE SERVIDOR AND FECHA >= '1990-01-01' AND FECHA <= '2024-12-31' ORDER BY "
            "[MES_OPERATIVO],[NUMERO ASIENTO]");
        // Each entry's lines: the statement text with the entry's values in it, as the routine sends
        // it, prepared for that entry. An account's lookup has one text, prepared once.
        auto lineas = [&](int p, int m, int n, char lado) {
            const QByteArray sql =
                QString(
                    "SELECT * FROM MV_ASIENTOS WHERE RTRIM(LTRIM(TIPO_REG)) = 'V' COLLATE SERVIDOR AND "
                    "[NUMERO ASIENTO] = CAST(%1 AS NUMERIC) AND MES_OPERATIVO = CAST(%2 AS NUMERIC) AND "
                    "RTRIM(LTRIM(PERIODO)) = CAST(%3 AS NUMERIC) AND [DEBE-HABER] = '%4' COLLATE SERVIDOR "
                    "ORDER "
                    "BY CUENTA")
                    .arg(n)
                    .arg(m)
                    .arg(p)
                    .arg(QChar(lado))
                    .toUtf8();
            return prep(sql.constData());
        };
        std::map<QString, sqlite3_stmt*> cuentas;
        auto cuenta = [&](const QString& c) {
            sqlite3_stmt*& s = cuentas[c];
            if (!s)
                s = prep(("SELECT * FROM MA_CUENTAS WHERE LTRIM(RTRIM(CODIGO)) ='" + c.trimmed() +
                          "' COLLATE SERVIDOR LIMIT 1")
                             .toUtf8()
                             .constData());
            return s;
        };
        sqlite3_stmt* alta = prep(
            "INSERT INTO AUX_SUBDIARIOS (Usuario, Periodo, Mes_Operativo, [numero asiento], fecha, TC, "
            "Sucursal, "
            "Numero, letra, Cabimporte, cuenta_D, descripcion_D, importe_D, cuenta_H, descripcion_H, "
            "importe_H, "
            "Concepto) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        struct Linea {
            QString cuenta, descripcion, fecha, tc, suc, nro, letra, detalle, periodo;
            double importe = 0, cab = 0;
            int mes = 0, numero = 0;
        };
        auto descripcion = [&](const QString& c) {
            sqlite3_stmt* s = cuenta(c);
            QString d = sqlite3_step(s) == SQLITE_ROW ? texto(s, 1) : QString();
            sqlite3_reset(s);
            return d;
        };
        std::vector<QByteArray> guardados;
        auto bindTexto = [&](int i, const QString& t) {
            guardados.push_back(t.toUtf8());
            sqlite3_bind_text(alta, i, guardados.back().constData(), int(guardados.back().size()),
                              SQLITE_TRANSIENT);
        };
        while (sqlite3_step(lista) == SQLITE_ROW) {
            const int p = sqlite3_column_int(lista, 0), m = sqlite3_column_int(lista, 1),
                      n = sqlite3_column_int(lista, 2);
            std::vector<Linea> l[2];
            for (int k = 0; k < 2; ++k) {
                sqlite3_stmt* lado = lineas(p, m, n, k == 0 ? 'D' : 'H');
                while (sqlite3_step(lado) == SQLITE_ROW) {
                    Linea x;
                    x.periodo = texto(lado, 1);
                    x.mes = sqlite3_column_int(lado, 2);
                    x.numero = sqlite3_column_int(lado, 3);
                    x.fecha = texto(lado, 6);
                    x.cuenta = texto(lado, 8);
                    x.importe = sqlite3_column_double(lado, 9);
                    x.detalle = texto(lado, 10);
                    x.tc = texto(lado, 11);
                    x.suc = texto(lado, 12);
                    x.nro = texto(lado, 13);
                    x.letra = texto(lado, 14);
                    x.cab = sqlite3_column_double(lado, 16);
                    l[k].push_back(x);
                }
                sqlite3_finalize(lado);
            }
            const int g = l[0].size() >= l[1].size() ? 0 : 1;
            for (size_t i = 0; i < l[g].size(); ++i) {
                const Linea& x = l[g][i];
                guardados.clear();
                bindTexto(1, QStringLiteral("ADMIN"));
                sqlite3_bind_int(alta, 2, x.periodo.toInt());
                sqlite3_bind_int(alta, 3, x.mes);
                sqlite3_bind_int(alta, 4, x.numero);
                bindTexto(5, x.fecha);
                bindTexto(6, x.tc);
                bindTexto(7, x.suc);
                bindTexto(8, x.nro);
                bindTexto(9, x.letra);
                sqlite3_bind_double(alta, 10, x.cab);
                for (int k = 0; k < 2; ++k) {
                    const int base = k == 0 ? 11 : 14;
                    if (k == g || i < l[k].size()) {
                        const Linea& y = l[k][k == g ? i : i];
                        bindTexto(base, y.cuenta);
                        bindTexto(base + 1, descripcion(y.cuenta));
                        sqlite3_bind_double(alta, base + 2, y.importe);
                    } else {
                        bindTexto(base, QString());
                        bindTexto(base + 1, QString());
                        sqlite3_bind_double(alta, base + 2, 0);
                    }
                }
                bindTexto(17, x.detalle);
                sqlite3_step(alta);
                sqlite3_reset(alta);
            }
        }
        for (auto& [c, s] : cuentas) sqlite3_finalize(s);
        for (sqlite3_stmt* s : {lista, alta}) sqlite3_finalize(s);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
};

void BM_GeneraAuxiliarSubdiarios(benchmark::State& state) {
    EmpresaBench programa(Datos(), false, QStringLiteral("PROGRAMA")),
        directa(Datos(), false, QStringLiteral("DIRECTO"));
    CNStuffContable::gTablaConfiguracion.clear();
    vb::setLocaleNumeros(QLocale::c());
    if (!AbrirEmpresa(programa)) state.SkipWithError("no abre la base del programa");
    Lbc_Asiento asiento;
    Directo d(directa.ruta());
    // The best of the runs: on a shared machine the other load only ever adds time.
    double segPrograma = 1e9, segDirecto = 1e9;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        QString desde = "01/01/1990";
        asiento.GeneraAuxiliarSubdiarios(desde, "31/12/2024", "V");
        segPrograma = std::min(segPrograma, t.nsecsElapsed() / 1e9);
        t.restart();
        d.generar();
        segDirecto = std::min(segDirecto, t.nsecsElapsed() / 1e9);
    }
    QString error;
    sqlite3* leida = ado::sqlite::AbrirBaseExistente(programa.ruta(), &error);
    gFilasPrograma = Filas(leida, "SELECT count(*) FROM AUX_SUBDIARIOS");
    sqlite3_close(leida);
    gFilasDirecto = Filas(d.db, "SELECT count(*) FROM AUX_SUBDIARIOS");
    gPrograma = segPrograma;
    gDirecto = segDirecto;
    state.counters["programa_s"] = gPrograma;
    state.counters["directo_s"] = gDirecto;
    state.counters["relacion"] = gDirecto > 0 ? gPrograma / gDirecto : 0;
}

}  // namespace

BENCHMARK(BM_GeneraAuxiliarSubdiarios)->Unit(benchmark::kSecond)->Iterations(3);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const bool ok = gPrograma < kObjetivoSegundos && Relacion(gPrograma, gDirecto) <= kObjetivoRelacion &&
                    gFilasPrograma == gFilasDirecto && gFilasPrograma == kLineas / 2;
    ImprimeEncabezado("programa s", "directo s");
    ImprimeComparacion(QByteArray::number(kLineas).append(" lineas de diario").constData(), gPrograma,
                       gDirecto, ok);
    std::printf("filas: programa %ld, directo %ld; objetivo: menos de %.0f s y relacion de %.0f o menos\n",
                gFilasPrograma, gFilasDirecto, kObjetivoSegundos, kObjetivoRelacion);
    return 0;
}
