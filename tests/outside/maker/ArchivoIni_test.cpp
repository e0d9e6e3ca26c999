#include "outside/maker/ArchivoIni.h"

#include "outside/runtime/Programa.h"
#include "support/ImprimeQt.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using maker::ArchivoIni;

namespace {

class ArchivoIniTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        anterior_ = vb::App().Path;
        vb::App().Path = dir_.path();
    }
    void TearDown() override { vb::App().Path = anterior_; }
    void escribirArchivo(const QString& nombre, const QByteArray& datos) {
        QFile f(dir_.filePath(nombre));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(datos);
    }

    QByteArray leerArchivo(const QString& nombre) {
        QFile f(dir_.filePath(nombre));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(no se lee)");
    }

    QTemporaryDir dir_;
    QString anterior_;
    ArchivoIni ini;
};

TEST_F(ArchivoIniTest, MissingFileOrKeyGivesTheDefault) {
    QString valor = "basura";
    EXPECT_FALSE(ini.Leer("QT742p.INI", "EQUIPO|USUARIO", "FlatToolbars", "1", valor));
    EXPECT_EQ(valor, "1");
    EXPECT_FALSE(QFile::exists(dir_.filePath("QT742p.INI")));  // reading creates nothing

    escribirArchivo("QT742p.INI", "[Otra]\r\nFlatToolbars=0\r\n");
    EXPECT_EQ(ini.Leer("QT742p.INI", "EQUIPO|USUARIO", "FlatToolbars", "1"), "1");
    EXPECT_EQ(ini.Leer("QT742p.INI", "Otra", "NoEsta", ""), "");
}

TEST_F(ArchivoIniTest, ReadsWindowsFilesCaseBlind) {
    escribirArchivo(
        "qt742p.ini",
        "; comentario\r\n[Pc1|Juan]\r\nFlatToolbars = 0 \r\nSkin=iTunes\r\n[Empresa Demo]\r\nMostrar "
        "Treeview=True\r\nNombre=Compa\xf1\xed"
        "a\r\n");
    QString valor;
    EXPECT_TRUE(ini.Leer("QT742p.INI", "PC1|JUAN", "flattoolbars", "1", valor));
    EXPECT_EQ(valor, "0");
    EXPECT_EQ(ini.Leer("QT742p.INI", "pc1|juan", "SKIN"), "iTunes");
    EXPECT_EQ(ini.Leer("QT742p.INI", "EMPRESA DEMO", "Mostrar Treeview", "False"), "True");
    EXPECT_EQ(ini.Leer("QT742p.INI", "Empresa Demo", "Nombre"), QString::fromUtf8("Compañía"));
    EXPECT_EQ(ArchivoIni::RutaDe("QT742p.INI"), dir_.filePath("qt742p.ini"));
}

// A file edited by hand reads as the Windows profile calls read it, shape by shape: each row is a
// file, the section and key asked for, and the value read ("<def>" when it is not there).
TEST_F(ArchivoIniTest, AHandEditedFileReadsAsTheProfileCallsReadIt) {
    struct Forma {
        const char* que;
        QByteArray archivo;
        const char* seccion;
        const char* clave;
        QString esperado;
    };
    const QList<Forma> formas{
        {"blanks around names and values", "[ S ]\r\n  Clave  =  v 1  \r\n", " s ", " CLAVE ", "v 1"},
        {"a value in quotes keeps its blanks", "[S]\r\nk=\" v \"\r\n", "S", "k", " v "},
        {"one quote alone is the value", "[S]\r\nk=\"\r\n", "S", "k", "\""},
        {"a value with its own equals sign", "[S]\r\nk=a=b\r\n", "S", "k", "a=b"},
        {"a NUL ends the line's text", QByteArrayLiteral("[S]\r\nk=1\0x\r\n"), "S", "k", "1"},
        {"a line written in UTF-8",
         "[S]\r\nk=Compa\xc3\xb1\xc3\xad"
         "a\r\n",
         "S", "k", QString::fromUtf8("Compañía")},
        {"a line in the code page",
         "[S]\r\nk=Compa\xf1\xed"
         "a\r\n",
         "S", "k", QString::fromUtf8("Compañía")},
        {"a comment is no key", "[S]\r\n;k=1\r\n", "S", ";k", "<def>"},
        {"a bracket inside a key's line opens nothing", "[S]\r\nx]=1\r\nk=2\r\n", "S", "k", "2"},
        {"the first of two equal keys", "[S]\r\nk=1\r\nK=2\r\n", "S", "k", "1"},
        {"a section given twice", "[S]\r\na=1\r\n[T]\r\nk=0\r\n[s]\r\nk=2\r\n", "S", "k", "2"},
        {"a key of another section", "[S]\r\na=1\r\n[T]\r\nk=0\r\n", "S", "k", "<def>"},
        {"line ends of every kind", "[S]\ra=1\nb=2\r\nk=3", "S", "k", "3"},
        {"the last line without its end", "[S]\r\nk=fin", "S", "k", "fin"},
        {"a line without an equals sign", "[S]\r\nk\r\n", "S", "k", "<def>"},
        {"a key before any section", "k=1\r\n[S]\r\n", "S", "k", "<def>"},
        {"an unclosed section header", "[S\r\nk=1\r\n", "S", "k", "<def>"},
        {"an empty value", "[S]\r\nk=\r\n", "S", "k", ""},
        {"text after the header's bracket", "[S] ; nota\r\nk=1\r\n", "S", "k", "1"},
        {"a blank key name", "[S]\r\n =1\r\n", "S", " ", "<def>"},
    };
    for (const Forma& f : formas) {
        SCOPED_TRACE(f.que);
        escribirArchivo("forma.ini", f.archivo);
        EXPECT_EQ(ini.Leer("forma.ini", f.seccion, f.clave, "<def>"), f.esperado);
    }
}

TEST_F(ArchivoIniTest, ReadsTheWindowsOnlyCharactersOfASingleByteFile) {
    escribirArchivo("qt742p.ini",
                    "[Empresa]\r\nMoneda=\x80 \x93"
                    "Caf\xe9\x94\r\n");
    EXPECT_EQ(ini.Leer("QT742p.INI", "Empresa", "Moneda"), QString::fromUtf8("€ “Café”"));
}

TEST_F(ArchivoIniTest, WritesKeysAndKeepsTheRest) {
    EXPECT_TRUE(ini.Escribir("QT742p.INI", "Empresa Demo", "Mostrar Treeview", "True"));
    EXPECT_TRUE(ini.Escribir("QT742p.INI", "EQUIPO|USUARIO", "FlatToolbars", "0"));
    EXPECT_TRUE(ini.Escribir("QT742p.INI", "empresa demo", "MOSTRAR TREEVIEW", "False"));
    EXPECT_TRUE(ini.Escribir("QT742p.INI", "Empresa Demo", "Nombre", QString::fromUtf8("Compañía 'B'")));
    EXPECT_EQ(ini.Leer("QT742p.INI", "Empresa Demo", "Mostrar Treeview", "?"), "False");
    EXPECT_EQ(ini.Leer("QT742p.INI", "EQUIPO|USUARIO", "FlatToolbars", "1"), "0");
    EXPECT_EQ(ini.Leer("QT742p.INI", "Empresa Demo", "Nombre"), QString::fromUtf8("Compañía 'B'"));

    QFile f(dir_.filePath("QT742p.INI"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString texto = QString::fromUtf8(f.readAll());
    EXPECT_EQ(texto.count("Mostrar Treeview", Qt::CaseInsensitive), 1) << texto.toStdString();
}

TEST_F(ArchivoIniTest, AUsersSectionWrittenOnWindowsIsReadAndWrittenInItsCodePage) {
    // "peña" as the suite's Windows programs write it: one byte for the "ñ".
    escribirArchivo("QT742p.INI",
                    "[PC1|pe\xf1"
                    "a]\r\nSkin=iTunes\r\n");
    const QString seccion = QString::fromUtf8("PC1|PEÑA");
    EXPECT_EQ(ini.Leer("QT742p.INI", seccion, "Skin"), "iTunes");

    EXPECT_TRUE(ini.Escribir("QT742p.INI", seccion, "Skin", QString::fromUtf8("Año €")));
    EXPECT_TRUE(ini.Escribir("QT742p.INI", QString::fromUtf8("Compañía"), "Mostrar Treeview", "True"));
    EXPECT_EQ(leerArchivo("QT742p.INI"), QByteArray("[PC1|pe\xf1"
                                                    "a]\r\nSkin=A\xf1o \x80\r\n\r\n[Compa\xf1\xed"
                                                    "a]\r\n"
                                                    "Mostrar Treeview=True\r\n"));
    EXPECT_EQ(ini.Leer("QT742p.INI", seccion, "Skin"), QString::fromUtf8("Año €"));

    // What the code page cannot hold is refused, not written as something else.
    EXPECT_FALSE(ini.Escribir("QT742p.INI", seccion, "Skin", QString::fromUtf8("日本")));
    EXPECT_FALSE(ini.Escribir("QT742p.INI", seccion, "Skin", "uno\r\nOtra=dos"));
    EXPECT_EQ(ini.Leer("QT742p.INI", seccion, "Skin"), QString::fromUtf8("Año €"));
}

TEST_F(ArchivoIniTest, WritingAKeyKeepsEveryOtherByteOfADamagedFile) {
    const QByteArray danado =
        QByteArrayLiteral("[Extra]\r\nk=1\0x\r\n[Otra]\r\nclave=valor\r\nsuelta\nfin sin salto");
    escribirArchivo("QT742p.INI", danado);
    EXPECT_EQ(ini.Leer("QT742p.INI", "Otra", "clave"), "valor");
    EXPECT_TRUE(ini.Escribir("QT742p.INI", "DISTRIBUIDORA DEL SUR S.A.", "Mostrar Treeview", "True"));
    EXPECT_EQ(leerArchivo("QT742p.INI"),
              danado + "\r\n\r\n[DISTRIBUIDORA DEL SUR S.A.]\r\nMostrar Treeview=True\r\n");
    EXPECT_TRUE(ini.Escribir("QT742p.INI", "Otra", "nueva", " con blancos "));
    EXPECT_TRUE(ini.Escribir("QT742p.INI", "OTRA", "CLAVE", "otro"));
    EXPECT_EQ(leerArchivo("QT742p.INI"),
              QByteArrayLiteral("[Extra]\r\nk=1\0x\r\n[Otra]\r\nclave=otro\r\nsuelta\nfin sin salto\r\n"
                                "nueva=\" con blancos \"\r\n\r\n[DISTRIBUIDORA DEL SUR S.A.]\r\n"
                                "Mostrar Treeview=True\r\n"));
    EXPECT_EQ(ini.Leer("QT742p.INI", "Otra", "Nueva"), " con blancos ");

    // A binary file keeps all its bytes and gains the key at its end.
    QByteArray binario;
    for (int i = 0; i < 10240; ++i) binario += char((i * 7919) % 256);
    escribirArchivo("otro.ini", binario);
    EXPECT_TRUE(ini.Escribir("otro.ini", "S", "K", "V"));
    const QByteArray escrito = leerArchivo("otro.ini");
    EXPECT_TRUE(escrito.startsWith(binario));
    EXPECT_TRUE(escrito.endsWith("[S]\r\nK=V\r\n"));
    EXPECT_EQ(ini.Leer("otro.ini", "s", "k"), "V");
}

// A section given twice: a key of the second is found and rewritten there; a new key goes to the
// end of the first.
TEST_F(ArchivoIniTest, ASectionGivenTwiceTakesANewKeyInTheFirst) {
    escribirArchivo("doble.ini", "[S]\r\na=1\r\n\r\n[T]\r\nx=0\r\n[s]\r\nb=2\r\n");
    EXPECT_TRUE(ini.Escribir("doble.ini", "S", "c", "3"));
    EXPECT_TRUE(ini.Escribir("doble.ini", "S", "B", "4"));
    EXPECT_EQ(leerArchivo("doble.ini"), "[S]\r\na=1\r\nc=3\r\n\r\n[T]\r\nx=0\r\n[s]\r\nb=4\r\n");
}

// A key added to a section whose last line has no line end gets its own line; a name or value that
// would read back as something else is refused and the file left as it was.
TEST_F(ArchivoIniTest, WhatWouldReadBackAsSomethingElseIsNeverWritten) {
    escribirArchivo("fin.ini", "[S]\r\nk=1");
    EXPECT_TRUE(ini.Escribir("fin.ini", "S", "n", "2"));
    EXPECT_EQ(leerArchivo("fin.ini"), "[S]\r\nk=1\r\nn=2\r\n");
    for (const auto& [seccion, clave, valor] : {std::tuple{"A]B", "k", "v"},
                                                {"S", "k=2", "v"},
                                                {"S", ";k", "v"},
                                                {"S", "[k", "v"},
                                                {"S", "k", "a\rb"},
                                                {"S", "k", "a\nb"},
                                                {" ", "k", "v"},
                                                {"S", " ", "v"}}) {
        EXPECT_FALSE(ini.Escribir("fin.ini", seccion, clave, valor)) << seccion << " " << clave;
        EXPECT_EQ(leerArchivo("fin.ini"), "[S]\r\nk=1\r\nn=2\r\n") << seccion << " " << clave;
    }
}

TEST_F(ArchivoIniTest, AFileThatCannotBeWrittenIsReported) {
    EXPECT_FALSE(ini.Escribir(dir_.filePath("no/existe/x.ini"), "S", "K", "V"));
    ASSERT_TRUE(QDir(dir_.path()).mkdir("carpeta.ini"));
    EXPECT_FALSE(ini.Escribir("carpeta.ini", "S", "K", "V"));
    EXPECT_EQ(ini.Leer("carpeta.ini", "S", "K", "def"), "def");
}

}  // namespace
