// Eight programs at once on one company file, each a process of its own with its own connection,
// writing as the index window does: its own year in one transaction, its own months one row at a
// time, and all of them the same shared month. Nothing may be lost without a word.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <memory>
#include <vector>

#include "outside/ado/Connection.h"
#include "outside/ado/ErroresAdo.h"
#include "outside/ado/Recordset.h"
#include "outside/runtime/ErrorVB.h"
#include "support/BaseDePrueba.h"
#include "support/ImprimeQt.h"

using namespace ado;

namespace {

const char* kPrograma = "INDAJUSTE_PRUEBA_PROGRAMA";
const char* kEmpresa = "INDAJUSTE_PRUEBA_EMPRESA";
const char* kResultado = "INDAJUSTE_PRUEBA_RESULTADO";
constexpr int kProgramas = 8;
constexpr int kVueltas = 50;
constexpr int kEsperaSegundos = 20;

struct Cuentas {
    int ganadas = 0;            // updates of the shared month that were stored
    int informadas = 0;         // updates of the shared month refused with 0x80040E38
    int esperasSinMensaje = 0;  // operations that waited past the time-out and said nothing
    QStringList otros;          // any other error, with its text
};

RecordsetPtr abrirMes(const ConnectionPtr& cn, int mes, int anio) {
    auto rs = Recordset::Crear();
    rs->Open(QString("SELECT * FROM MA_INDAJUSTE WHERE MES = %1 AND anio = %2").arg(mes).arg(anio), cn,
             adOpenDynamic, adLockOptimistic);
    return rs;
}

// The year rewritten from the grid, as the window's save does.
void GrabaAnio(const ConnectionPtr& cn, int anio, int base) {
    cn->BeginTrans();
    try {
        cn->Execute(QString("DELETE MA_INDAJUSTE WHERE Anio = %1").arg(anio));
        auto rs = Recordset::Crear();
        rs->Open("SELECT top 1 * FROM MA_INDAJUSTE ORDER BY anio", cn, adOpenDynamic, adLockOptimistic);
        for (int mes = 1; mes <= 12; ++mes) {
            rs->AddNew();
            rs->fields()["Anio"].setValue(anio);
            rs->fields()["Mes"].setValue(mes);
            rs->fields()["Importe1"].setValue(base + mes);
            rs->Update();
        }
        cn->CommitTrans();
    } catch (...) {
        cn->RollbackTrans();
        throw;
    }
}

// One program's work; every error it meets is what its user would be shown.
Cuentas Trabaja(const QString& cadena, int programa) {
    Cuentas c;
    auto cn = Connection::Crear();
    cn->Open(cadena);
    cn->setCommandTimeout(kEsperaSegundos);
    const int anio = 2000 + programa;
    auto medir = [&](const std::function<void()>& paso) {
        QElapsedTimer reloj;
        reloj.start();
        int32_t numero = 0;
        QString texto;
        try {
            paso();
        } catch (const vb::ErrorVB& e) {
            numero = e.Number;
            texto = e.Description;
        }
        if (numero == 0 && reloj.elapsed() > (kEsperaSegundos + 2) * 1000) ++c.esperasSinMensaje;
        return std::make_pair(numero, texto);
    };
    auto anota = [&](const std::pair<int32_t, QString>& r) {
        if (r.first != 0) c.otros << QString("%1 %2").arg(r.first).arg(r.second);
    };
    anota(medir([&] { GrabaAnio(cn, anio, 0); }));
    for (int k = 0; k < kVueltas; ++k) {
        anota(medir([&] {
            auto rs = abrirMes(cn, k % 12 + 1, anio);
            rs->fields()["Importe2"].setValue(k);
            rs->Update();
        }));
        const auto r = medir([&] {
            auto rs = abrirMes(cn, 1, 1990);
            rs->fields()["Importe1"].setValue(rs->valor("Importe1").toDouble() + 1);
            QThread::msleep(2);  // the window works out the rest of the row before it saves
            rs->Update();
        });
        if (r.first == 0)
            ++c.ganadas;
        else if (r.first == kErrFilaNoEncontrada)
            ++c.informadas;
        else
            anota(r);
    }
    anota(medir([&] { GrabaAnio(cn, anio, 100); }));
    return c;
}

}  // namespace

// What each program runs, in a process of its own; skipped when the suite runs it directly.
TEST(ConcurrentPrograms, OneProgram) {
    if (qEnvironmentVariableIsEmpty(kPrograma)) GTEST_SKIP() << "lo lanza EightProgramsOnOneCompany";
    // At the start line: the launcher waits for every program's word, then starts them all at once
    // with a line on their input.
    std::fputs("listo\n", stdout);
    std::fflush(stdout);
    char largada[8];
    ASSERT_NE(std::fgets(largada, sizeof largada, stdin), nullptr);
    const Cuentas c = Trabaja(qEnvironmentVariable(kEmpresa), qEnvironmentVariableIntValue(kPrograma));
    QFile f(qEnvironmentVariable(kResultado));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QString("%1 %2 %3\n%4")
                .arg(c.ganadas)
                .arg(c.informadas)
                .arg(c.esperasSinMensaje)
                .arg(c.otros.join('\n'))
                .toUtf8());
}

TEST(ConcurrentPrograms, EightProgramsOnOneCompany) {
    if (!qEnvironmentVariableIsEmpty(kPrograma)) GTEST_SKIP();
    BaseDePrueba base;
    ASSERT_TRUE(base.valida()) << base.error().toStdString();
    base.ejecutar("INSERT INTO MA_INDAJUSTE (Anio, Mes, Importe1, Importe2) VALUES (1990, 1, 0, 0)");
    QTemporaryDir resultados;
    ASSERT_TRUE(resultados.isValid());

    // Owned here, so that a failed check ends and reaps the programs still running.
    std::vector<std::unique_ptr<QProcess>> programas;
    for (int i = 0; i < kProgramas; ++i) {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // Each program runs its one test, whichever share of the suite launched it.
        env.remove("GTEST_TOTAL_SHARDS");
        env.remove("GTEST_SHARD_INDEX");
        // Nor is it one of the shard's tests: the shard's record of progress stays its own.
        env.remove("INDAJUSTE_AVANCE");
        env.insert(kPrograma, QString::number(i));
        env.insert(kEmpresa, base.cadenaConexion());
        env.insert(kResultado, QDir(resultados.path()).filePath(QString::number(i)));
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QCoreApplication::applicationFilePath(), {"--gtest_filter=ConcurrentPrograms.OneProgram"});
        programas.push_back(std::move(p));
    }
    for (int i = 0; i < kProgramas; ++i) {
        QProcess* p = programas[i].get();
        QByteArray linea;
        while (linea != "listo\n") {
            if (p->canReadLine())
                linea = p->readLine();
            else
                ASSERT_TRUE(p->waitForReadyRead(-1)) << "programa " << i << " no llegó a la largada";
        }
    }
    for (const auto& p : programas) p->write("ya\n");
    for (const auto& p : programas)
        while (p->bytesToWrite() > 0) ASSERT_TRUE(p->waitForBytesWritten(-1));
    int ganadas = 0, informadas = 0;
    for (int i = 0; i < kProgramas; ++i) {
        QProcess* p = programas[i].get();
        ASSERT_TRUE(p->waitForFinished(240000)) << "programa " << i;
        EXPECT_EQ(p->exitCode(), 0) << QString::fromUtf8(p->readAllStandardOutput()).toStdString();
        QFile f(QDir(resultados.path()).filePath(QString::number(i)));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << "programa " << i;
        const QStringList lineas = QString::fromUtf8(f.readAll()).split('\n');
        const QStringList n = lineas.value(0).split(' ');
        ASSERT_EQ(n.size(), 3);
        ganadas += n[0].toInt();
        informadas += n[1].toInt();
        EXPECT_EQ(n[0].toInt() + n[1].toInt(), kVueltas)
            << "programa " << i << ": " << lineas.mid(1).join("; ").toStdString();
        EXPECT_EQ(n[2].toInt(), 0) << "programa " << i << " esperó sin aviso";
        EXPECT_EQ(lineas.mid(1).join(""), "") << "programa " << i;

        // Its own months, as it last saved them.
        const int anio = 2000 + i;
        EXPECT_EQ(base.filas(
                      QString("SELECT COUNT(*), CAST(SUM(Importe1) AS INT) FROM MA_INDAJUSTE WHERE Anio = %1")
                          .arg(anio)),
                  QList<QStringList>({{"12", QString::number(12 * 100 + 78)}}))
            << "programa " << i;
    }
    programas.clear();
    // Every stored update of the shared month counts; the others were each reported.
    EXPECT_EQ(
        base.escalar("SELECT CAST(Importe1 AS INT) FROM MA_INDAJUSTE WHERE Anio = 1990 AND Mes = 1").toInt(),
        ganadas);
    EXPECT_EQ(ganadas + informadas, kProgramas * kVueltas);
    EXPECT_GT(ganadas, 0);
}
