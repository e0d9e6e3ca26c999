#include "outside/runtime/Archivos.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include "support/ImprimeQt.h"

using namespace vb;

namespace {
QByteArray contenido(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no se pudo leer>");
}
void escribirBytes(const QString& ruta, const QByteArray& bytes) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
}  // namespace

TEST(Archivos, Windows1252RoundTripAndUnrepresentableCharacters) {
    EXPECT_EQ(aWindows1252("ñÑáé€"), QByteArray("\xF1\xD1\xE1\xE9\x80"));
    EXPECT_EQ(desdeWindows1252("\xF1\xD1\xE1\xE9\x80"), "ñÑáé€");
    EXPECT_EQ(aWindows1252("“Año” – ™ Œ ž"), QByteArray("\x93"
                                                        "A\xF1o\x94 \x96 \x99 \x8C \x9E"));
    EXPECT_EQ(aWindows1252("a日b"), QByteArray("a?b"));
    EXPECT_EQ(aWindows1252(QString::fromUtf8("x\xF0\x9F\x98\x80y")), QByteArray("x?y"));
    // U+0080 is a C1 control, not the euro: byte 0x80 is the euro.
    EXPECT_EQ(aWindows1252(QString(QChar(0x80))), QByteArray("?"));

    QByteArray todos;
    for (int b = 0; b < 256; ++b) todos += static_cast<char>(b);
    EXPECT_EQ(aWindows1252(desdeWindows1252(todos)), todos);
}

TEST(Archivos, AppendCreatesTheFileAndWritesCrLf) {
    QTemporaryDir dir;
    const QString ruta = dir.filePath("XQERR.LOG");
    EXPECT_FALSE(ExisteArchivo(ruta));
    EXPECT_TRUE(AgregarLinea(ruta, "ñÑáé€"));
    EXPECT_TRUE(AgregarLinea(ruta, "segunda"));
    EXPECT_EQ(contenido(ruta), QByteArray("\xF1\xD1\xE1\xE9\x80\r\nsegunda\r\n"));
    EXPECT_TRUE(ExisteArchivo(ruta));
    EXPECT_EQ(LeerLineas(ruta), QStringList({"ñÑáé€", "segunda"}));

    EXPECT_TRUE(EscribirLineas(ruta, {"uno", "", "tres"}));
    EXPECT_EQ(contenido(ruta), QByteArray("uno\r\n\r\ntres\r\n"));

    EXPECT_FALSE(AgregarLinea(dir.filePath("no/existe/XQERR.LOG"), "x"));
    EXPECT_FALSE(EscribirLineas(dir.filePath("no/existe/BASES.TXT"), {"x"}));
    EXPECT_FALSE(ExisteArchivo(dir.path()));
    EXPECT_FALSE(ExisteArchivo(""));
}

TEST(Archivos, ReadingSplitsOnAnyLineEndAndDropsOnlyTheFinalEmptyLine) {
    QTemporaryDir dir;
    const QString ruta = dir.filePath("BASES.TXT");
    escribirBytes(ruta, "a\r\nb\nc\rd");
    EXPECT_EQ(LeerLineas(ruta), QStringList({"a", "b", "c", "d"}));
    escribirBytes(ruta, "a\r\n\r\n");
    EXPECT_EQ(LeerLineas(ruta), QStringList({"a", ""}));
    escribirBytes(ruta, "");
    EXPECT_EQ(LeerLineas(ruta), QStringList());
    EXPECT_EQ(LeerLineas(dir.filePath("falta.txt")), std::nullopt);
}

TEST(Archivos, ItemsFollowInputRules) {
    EXPECT_EQ(ItemsDeTexto("DEMO / SRV,DEMO,demo,6465,srv:1433\r\n"),
              QStringList({"DEMO / SRV", "DEMO", "demo", "6465", "srv:1433"}));
    // Blanks before an item are skipped, after it dropped; quotes keep commas and blanks.
    EXPECT_EQ(ItemsDeTexto("  a  , \"b, c \" x,d"), QStringList({"a", "b, c ", "d"}));
    // Any line end separates; a short line borrows from the next; blank lines give nothing.
    EXPECT_EQ(ItemsDeTexto("a,b\rc\nd\r\n\r\n\ne"), QStringList({"a", "b", "c", "d", "e"}));
    EXPECT_EQ(ItemsDeTexto("a,,b,\r\nc,"), QStringList({"a", "", "b", "", "c", ""}));
    EXPECT_EQ(ItemsDeTexto("\"sin cierre, x"), QStringList({"sin cierre, x"}));
    EXPECT_EQ(ItemsDeTexto(""), QStringList());

    QTemporaryDir dir;
    const QString ruta = dir.filePath("BASES.TXT");
    EXPECT_EQ(LeerItems(ruta), std::nullopt);
    // A last line without its end is closed with a lone CR before the next entry.
    escribirBytes(ruta, "A / S,a,u,p,s");
    EXPECT_EQ(LeerTodo(ruta), "A / S,a,u,p,s");
    EXPECT_TRUE(AgregarTexto(ruta, "\r"));
    EXPECT_TRUE(AgregarLinea(ruta, "AÑO / S,año,u,p,s"));
    EXPECT_EQ(contenido(ruta), QByteArray("A / S,a,u,p,s\rA\xD1O / S,a\xF1o,u,p,s\r\n"));
    EXPECT_EQ(LeerItems(ruta), QStringList({"A / S", "a", "u", "p", "s", "AÑO / S", "año", "u", "p", "s"}));
}

TEST(Archivos, BarraFinal) {
    EXPECT_EQ(BarraFinal("/opt/datos"), "/opt/datos/");
    EXPECT_EQ(BarraFinal("/opt/datos/"), "/opt/datos/");
    EXPECT_EQ(BarraFinal(""), "");
}
