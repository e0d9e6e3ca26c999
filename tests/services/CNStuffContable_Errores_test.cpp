#include "services/CNStuffContable.h"

#include "outside/runtime/Archivos.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/LogErrores.h"
#include "support/DialogosGuionados.h"
#include "support/ImprimeQt.h"
#include "support/LogDePrueba.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>

#include <sys/stat.h>
#include <unistd.h>

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
    EXPECT_EQ(CNStuffContable::RutaLogErrores(), log.ruta());
    qputenv("TEMP", "");
    EXPECT_NE(CNStuffContable::RutaLogErrores(), log.ruta());
    EXPECT_TRUE(CNStuffContable::RutaLogErrores().endsWith("/XQERR.LOG"));
    qputenv("TEMP", "x");
    qputenv("TMP", "   ");
    EXPECT_NE(CNStuffContable::RutaLogErrores(), "   /XQERR.LOG");
}

// Whatever someone planted in the temporary folder before the program wrote its first line: the
// old shared name, or the user's own folder taken by a link or by someone else, the operator still
// gets the message and nothing is written where another user reads it.
TEST(ErrorMessage, TheLogIsTheUsersOwnWhateverWasPlantedBeforeIt) {
    struct Caso {
        const char* que;
        std::function<bool(const LogDePrueba&, const QString& otro)> plantar;
        bool escribe;  // the line still reaches the user's own log
    };
    const auto carpetaPropia = [](const LogDePrueba& l) { return QFileInfo(l.ruta()).absolutePath(); };
    const QList<Caso> casos{
        {"a link under the shared name",
         [](const LogDePrueba& l, const QString& otro) {
             return QFile::link(otro, l.dir.filePath("XQERR.LOG"));
         },
         true},
        {"a link in place of the user's folder",
         [&](const LogDePrueba& l, const QString&) {
             return QDir(l.dir.path()).mkdir("ajena") &&
                    QFile::link(l.dir.filePath("ajena"), carpetaPropia(l));
         },
         false},
        {"a link in place of the log",
         [&](const LogDePrueba& l, const QString& otro) {
             return QDir().mkdir(carpetaPropia(l)) && QFile::link(otro, l.ruta());
         },
         false},
        {"the user's folder made by someone else",
         [&](const LogDePrueba& l, const QString&) {
             const QByteArray c = QFile::encodeName(carpetaPropia(l));
             return geteuid() == 0 && QDir().mkdir(carpetaPropia(l)) && chmod(c.constData(), 0777) == 0 &&
                    chown(c.constData(), 65534, 65534) == 0;
         },
         false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        LogConReloj log;
        const QString otro = log.dir.filePath("otro.txt");
        ASSERT_TRUE(vb::EscribirLineas(otro, {"de otro"}));
        if (!c.plantar(log, otro)) {
            ASSERT_NE(geteuid(), 0u);  // only handing a folder to another user may be out of reach
            continue;
        }
        DialogosGuionados guion;
        guion.esperarMsgBox(vb::vbIgnore);
        EXPECT_EQ(CNStuffContable::MensajeError(vb::ErrorVB(5, "No se pudo conectar"), 18, "X"),
                  vb::vbIgnore);
        EXPECT_EQ(guion.preguntas().size(), 1);
        EXPECT_EQ(vb::LeerLineas(otro), QStringList({"de otro"}));
        EXPECT_TRUE(QDir(log.dir.filePath("ajena")).isEmpty());
        EXPECT_EQ(log.lineas().join("").contains("No se pudo conectar"), c.escribe);
        if (c.escribe) {
            EXPECT_EQ(QFileInfo(log.ruta()).permissions() & 0x7777,
                      QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                          QFileDevice::WriteUser);
            EXPECT_EQ(QFileInfo(carpetaPropia(log)).permissions() & 0x7777,
                      QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                          QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
        }
    }
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
