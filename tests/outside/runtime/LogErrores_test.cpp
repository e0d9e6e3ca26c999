// The error log is its user's own file: whatever someone planted where it goes, nothing of it is
// written into a place another user reads or owns.
#include "outside/runtime/LogErrores.h"

#include "outside/runtime/Archivos.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Someone else's user id, to own what a test plants; only root may hand a file over.
constexpr uid_t kOtroUsuario = 65534;
bool PuedeDarAOtro() {
    return geteuid() == 0;
}

mode_t Modo(const QString& ruta) {
    struct stat datos {};
    return lstat(QFile::encodeName(ruta).constData(), &datos) == 0 ? datos.st_mode & 07777 : mode_t(-1);
}

QByteArray Contenido(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no se lee>");
}

struct Plantado {
    const char* que;
    bool deOtro;  // needs a file handed to another user
    // Plants at `ruta` (the log's path) using `aparte`, a file elsewhere with known contents.
    std::function<bool(const QString& ruta, const QString& aparte)> plantar;
};

}  // namespace

TEST(ErrorLog, IsNeverWrittenIntoWhatSomeoneElsePlantedWhereItGoes) {
    const QList<Plantado> plantados{
        {"a link to a file", false, [](const QString& r, const QString& a) { return QFile::link(a, r); }},
        {"a link to nowhere", false,
         [](const QString& r, const QString& a) { return QFile::link(a + ".nuevo", r); }},
        {"a second name of a file", false,
         [](const QString& r, const QString& a) {
             return ::link(QFile::encodeName(a).constData(), QFile::encodeName(r).constData()) == 0;
         }},
        {"a file of another user", true,
         [](const QString& r, const QString&) {
             QFile f(r);
             return f.open(QIODevice::WriteOnly) && f.write("ajeno\r\n") == 7 &&
                    chown(QFile::encodeName(r).constData(), kOtroUsuario, kOtroUsuario) == 0;
         }},
        {"a folder", false, [](const QString& r, const QString&) { return QDir().mkdir(r); }},
        {"a pipe", false,
         [](const QString& r, const QString&) {
             return mkfifo(QFile::encodeName(r).constData(), 0666) == 0;
         }},
    };
    for (const Plantado& p : plantados) {
        SCOPED_TRACE(p.que);
        if (p.deOtro && !PuedeDarAOtro()) continue;
        QTemporaryDir dir;
        const QString ruta = dir.filePath("XQERR.LOG"), aparte = dir.filePath("otro.txt");
        ASSERT_TRUE(vb::EscribirLineas(aparte, {"de otro"}));
        ASSERT_TRUE(p.plantar(ruta, aparte));
        EXPECT_FALSE(vb::AgregarAlLog(ruta, "secreto"));
        EXPECT_EQ(Contenido(aparte), "de otro\r\n");
        EXPECT_FALSE(QFile::exists(aparte + ".nuevo"));
        if (QFileInfo(ruta).isFile() && !QFileInfo(ruta).isSymLink()) {
            EXPECT_FALSE(Contenido(ruta).contains("secreto"));
        }
    }
}

TEST(ErrorLog, IsCreatedForItsUserAloneAndKeptSo) {
    QTemporaryDir dir;
    const QString ruta = dir.filePath("XQERR.LOG");
    EXPECT_TRUE(vb::AgregarAlLog(ruta, {}));  // only created
    EXPECT_EQ(Modo(ruta), 0600u);
    EXPECT_EQ(Contenido(ruta), "");
    // One left readable by an older program is made private as it is written.
    ASSERT_EQ(chmod(QFile::encodeName(ruta).constData(), 0644), 0);
    EXPECT_TRUE(vb::AgregarAlLog(ruta, "Respondió : Sí"));
    EXPECT_TRUE(vb::AgregarAlLog(ruta, "dos"));
    EXPECT_EQ(Modo(ruta), 0600u);
    EXPECT_EQ(Contenido(ruta), "Respondi\xF3 : S\xED\r\ndos\r\n");
}

TEST(ErrorLog, ItsFolderIsTheUsersOwn) {
    QTemporaryDir dir;
    const QString propia = dir.filePath(QStringLiteral("indajuste-%1").arg(uint(geteuid())));
    EXPECT_EQ(vb::CarpetaPrivada(dir.path(), "indajuste"), propia);
    EXPECT_EQ(Modo(propia), 0700u);
    ASSERT_EQ(chmod(QFile::encodeName(propia).constData(), 0755), 0);
    EXPECT_EQ(vb::CarpetaPrivada(dir.path(), "indajuste"), propia);
    EXPECT_EQ(Modo(propia), 0700u);
    EXPECT_EQ(vb::CarpetaPrivada(QString(), "indajuste"), "");

    // Taken by someone else's folder, a link to another folder, or a file: not used.
    ASSERT_TRUE(QDir(propia).removeRecursively());
    ASSERT_TRUE(QDir(dir.path()).mkdir("otra"));
    ASSERT_TRUE(QFile::link(dir.filePath("otra"), propia));
    EXPECT_EQ(vb::CarpetaPrivada(dir.path(), "indajuste"), "");
    ASSERT_TRUE(QFile::remove(propia));
    ASSERT_TRUE(vb::EscribirLineas(propia, {"x"}));
    EXPECT_EQ(vb::CarpetaPrivada(dir.path(), "indajuste"), "");
    ASSERT_TRUE(QFile::remove(propia));
    if (PuedeDarAOtro()) {
        ASSERT_TRUE(QDir(dir.path()).mkdir(QFileInfo(propia).fileName()));
        ASSERT_EQ(chmod(QFile::encodeName(propia).constData(), 0777), 0);
        ASSERT_EQ(chown(QFile::encodeName(propia).constData(), kOtroUsuario, kOtroUsuario), 0);
        EXPECT_EQ(vb::CarpetaPrivada(dir.path(), "indajuste"), "");
        EXPECT_EQ(Modo(propia), 0777u);  // left as its owner made it
    }
}
