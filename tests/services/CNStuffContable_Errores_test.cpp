#include "services/CNStuffContable.h"

#include "outside/runtime/Archivos.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/LogErrores.h"
#include "support/DialogosGuionados.h"
#include "support/ImprimeQt.h"
#include "support/LogDePrueba.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

namespace {

// The log in a folder of the test, and a fixed clock.
struct LogConReloj : LogDePrueba {
    LogConReloj() {
        vb::setReloj([] { return QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9)); });
    }
    ~LogConReloj() { vb::setReloj({}); }
};

}  // namespace

TEST(ErrorMessage, ShowsTheErrorAndLogsOneLineWithTheAnswerWord) {
    LogConReloj log;
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

TEST(ErrorMessage, ErrorZeroShowsAndWritesNothingButCreatesTheLog) {
    LogConReloj log;
    DialogosGuionados guion;
    EXPECT_EQ(CNStuffContable::MensajeError(vb::ErrorVB(0, ""), 18, "X"), 0);
    EXPECT_TRUE(QFile::exists(log.ruta()));
    EXPECT_TRUE(log.lineas().isEmpty());
}

TEST(ErrorMessage, TheQuestionIsAskedEvenWhenTheLogCannotBeWritten) {
    LogConReloj log;
    qputenv("TMP", "/no/existe/esta/carpeta");
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbIgnore);
    EXPECT_EQ(CNStuffContable::MensajeError(vb::ErrorVB(5, "x"), 18, "X"), vb::vbIgnore);
}

TEST(ErrorMessage, LogFolderIsTmpOnlyWhenTempIsSet) {
    LogConReloj log;
    EXPECT_EQ(CNStuffContable::RutaLogErrores(), log.dir.path() + "/XQERR.LOG");
    qputenv("TEMP", "");
    EXPECT_NE(CNStuffContable::RutaLogErrores(), log.dir.path() + "/XQERR.LOG");
    EXPECT_TRUE(CNStuffContable::RutaLogErrores().endsWith("/XQERR.LOG"));
    qputenv("TEMP", "x");
    qputenv("TMP", "   ");
    EXPECT_NE(CNStuffContable::RutaLogErrores(), "   /XQERR.LOG");
}

TEST(ErrorMessage, AnswerWords) {
    EXPECT_EQ(vb::PalabraRespuesta(4), "Reintentar");
    EXPECT_EQ(vb::PalabraRespuesta(5), "Ignorar");
    EXPECT_EQ(vb::PalabraRespuesta(3), "Abortar");
    EXPECT_EQ(vb::PalabraRespuesta(2), "Cancelar");
    EXPECT_EQ(vb::PalabraRespuesta(6), "Sí");
    EXPECT_EQ(vb::PalabraRespuesta(7), "No");
    EXPECT_EQ(vb::PalabraRespuesta(1), "");
}
