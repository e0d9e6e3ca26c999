// The suite's own safety nets: a prompt nobody scripted fails at once, and a test that ends its
// process is named while the rest of its shard still runs.
#include "support/TandaVigilada.h"

#include "outside/runtime/Dialogos.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QProcess>
#include <cstdlib>

TEST(UnansweredPrompt, APromptWithNoScriptFailsAtOnceNamingItsText) {
    EXPECT_NONFATAL_FAILURE(vb::MsgBox("¿Borra el ejercicio 2027?", vb::vbYesNo),
                            "Pregunta inesperada: MsgBox \"¿Borra el ejercicio 2027?\"");
}

// Run only by the test below, in a watched shard of their own.
TEST(DISABLED_WatchedShardChild, A_EndsItsProcess) {
    std::abort();
}
TEST(DISABLED_WatchedShardChild, B_RunsAfterIt) {
    SUCCEED();
}

TEST(WatchedShard, ATestThatEndsItsProcessIsNamedAndTheRestStillRun) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"GTEST_TOTAL_SHARDS", "GTEST_SHARD_INDEX", "GTEST_FILTER", "INDAJUSTE_AVANCE"})
        entorno.remove(v);
    entorno.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(entorno);
    p.start(QCoreApplication::applicationFilePath(),
            {"--vigilar", "--gtest_also_run_disabled_tests", "--gtest_filter=DISABLED_WatchedShardChild.*"});
    ASSERT_TRUE(p.waitForFinished(-1));
    const QString salida = QString::fromUtf8(p.readAll());
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(p.exitCode(), 0);
    EXPECT_TRUE(
        salida.contains("[  CAÍDA   ] DISABLED_WatchedShardChild.A_EndsItsProcess terminó su proceso"))
        << salida.toStdString();
    EXPECT_TRUE(salida.contains("[       OK ] DISABLED_WatchedShardChild.B_RunsAfterIt"))
        << salida.toStdString();
}
