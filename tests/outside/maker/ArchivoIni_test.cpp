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

TEST_F(ArchivoIniTest, AFileThatCannotBeWrittenIsReported) {
    EXPECT_FALSE(ini.Escribir(dir_.filePath("no/existe/x.ini"), "S", "K", "V"));
    ASSERT_TRUE(QDir(dir_.path()).mkdir("carpeta.ini"));
    EXPECT_FALSE(ini.Escribir("carpeta.ini", "S", "K", "V"));
    EXPECT_EQ(ini.Leer("carpeta.ini", "S", "K", "def"), "def");
}

}  // namespace
