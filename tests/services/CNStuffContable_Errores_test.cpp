#include "services/CNStuffContable.h"

#include "outside/runtime/Archivos.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/LogErrores.h"
#include "support/DialogosGuionados.h"
#include "support/ImprimeQt.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

namespace {

// Points TEMP and TMP at a folder of the test and fixes the clock.
struct LogDePrueba {
    QTemporaryDir dir;
    QByteArray temp = qgetenv("TEMP"), tmp = qgetenv("TMP");
    LogDePrueba() {
        qputenv("TEMP", "x");
        qputenv("TMP", dir.path().toUtf8());
        vb::setReloj([] { return QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9)); });
    }
    ~LogDePrueba() {
        qputenv("TEMP", temp);
        qputenv("TMP", tmp);
        vb::setReloj({});
    }
    QString ruta() const { return dir.path() + "/XQERR.LOG"; }
    QStringList lineas() const { return vb::LeerLineas(ruta()).value_or(QStringList()); }
};

}  // namespace

TEST(MensajeError, ShowsTheErrorAndLogsOneLineWithTheAnswerWord) {
    LogDePrueba log;
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbRetry);
    guion.esperarMsgBox(vb::vbOK);
    const vb::ErrorVB e(3704, "  La operación no está permitida si el objeto está cerrado. ", "indajuste");
    EXPECT_EQ(CNStuffContable::MensajeError(e, 18, "ValidaSubdiarioTC"), vb::vbRetry);
    EXPECT_EQ(CNStuffContable::MensajeError(e, vb::vbOKOnly), vb::vbOK);

    ASSERT_EQ(guion.preguntas().size(), 2);
    const Pregunta& p = guion.preguntas().at(0);
    EXPECT_EQ(
        p.texto,
        "Ha ocurrido el Siguiente Error (3704) La operación no está permitida si el objeto está cerrado.");
    EXPECT_EQ(p.titulo, "indajuste - ValidaSubdiarioTC Aviso al operador!!! ");
    EXPECT_EQ(p.estilo, 18);
    EXPECT_EQ(guion.preguntas().at(1).titulo, "indajuste Aviso al operador!!! ");

    const QStringList l = log.lineas();
    ASSERT_EQ(l.size(), 2);
    EXPECT_EQ(
        l[0],
        "03-05-2026 14:07:09 Rutina: - ValidaSubdiarioTC Mensaje Ha ocurrido el Siguiente Error (3704) La "
        "operación no está permitida si el objeto está cerrado. Respondió : Reintentar");
    EXPECT_TRUE(l[1].contains(" Rutina:  Mensaje Ha ocurrido"));
    EXPECT_TRUE(l[1].endsWith(" Respondió : "));
    // The shared log is Windows-1252: "ó" is one byte.
    QFile f(log.ruta());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("Respondi\xF3 : Reintentar\r\n"));
}

TEST(MensajeError, ErrorZeroShowsAndWritesNothingButCreatesTheLog) {
    LogDePrueba log;
    DialogosGuionados guion;
    EXPECT_EQ(CNStuffContable::MensajeError(vb::ErrorVB(0, ""), 18, "X"), 0);
    EXPECT_TRUE(QFile::exists(log.ruta()));
    EXPECT_TRUE(log.lineas().isEmpty());
}

TEST(MensajeError, TheQuestionIsAskedEvenWhenTheLogCannotBeWritten) {
    LogDePrueba log;
    qputenv("TMP", "/no/existe/esta/carpeta");
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbIgnore);
    EXPECT_EQ(CNStuffContable::MensajeError(vb::ErrorVB(5, "x"), 18, "X"), vb::vbIgnore);
}

TEST(MensajeError, LogFolderIsTmpOnlyWhenTempIsSet) {
    LogDePrueba log;
    EXPECT_EQ(CNStuffContable::RutaLogErrores(), log.dir.path() + "/XQERR.LOG");
    qputenv("TEMP", "");
    EXPECT_NE(CNStuffContable::RutaLogErrores(), log.dir.path() + "/XQERR.LOG");
    EXPECT_TRUE(CNStuffContable::RutaLogErrores().endsWith("/XQERR.LOG"));
    qputenv("TEMP", "x");
    qputenv("TMP", "   ");
    EXPECT_NE(CNStuffContable::RutaLogErrores(), "   /XQERR.LOG");
}

TEST(MensajeError, AnswerWords) {
    EXPECT_EQ(vb::PalabraRespuesta(4), "Reintentar");
    EXPECT_EQ(vb::PalabraRespuesta(5), "Ignorar");
    EXPECT_EQ(vb::PalabraRespuesta(3), "Abortar");
    EXPECT_EQ(vb::PalabraRespuesta(2), "Cancelar");
    EXPECT_EQ(vb::PalabraRespuesta(6), "Sí");
    EXPECT_EQ(vb::PalabraRespuesta(7), "No");
    EXPECT_EQ(vb::PalabraRespuesta(1), "");
}
