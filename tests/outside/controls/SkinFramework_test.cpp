#include "outside/controls/SkinFramework.h"

#include "outside/controls/BarraEstado.h"
#include "outside/runtime/ErrorVB.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QWidget>

namespace {
void Escribe(const QString& ruta, const QByteArray& contenido) {
    QDir().mkpath(QFileInfo(ruta).path());
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(contenido);
}
}  // namespace

TEST(SkinFramework, ASkinFileStandsForTheStyleSheetBesideIt) {
    EXPECT_EQ(SkinFramework::HojaDeSkin("/p/Styles/Vista.cjstyles", ""), "/p/Styles/Vista.qss");
    // Only the last extension goes.
    EXPECT_EQ(SkinFramework::HojaDeSkin("/p/Styles/WinXP.Luna.cjstyles", ""), "/p/Styles/WinXP.Luna.qss");

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir(dir.path()).mkpath("Styles/iTunes");
    // A folder: the sheet in it named after the skin ini.
    EXPECT_EQ(SkinFramework::HojaDeSkin(dir.path() + "/Styles/iTunes", "Normalitunes.ini"),
              dir.path() + "/Styles/iTunes/Normalitunes.qss");
    EXPECT_EQ(SkinFramework::HojaDeSkin(dir.path() + "/Styles/iTunes", ""), "");
}

TEST(SkinFramework, AMissingSkinKeepsTheWindowsLookAndAFoundOneIsApplied) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QWidget ventana;
    ventana.setStyleSheet("QWidget { color: red; }");
    SkinFramework skin(&ventana);

    EXPECT_FALSE(skin.LoadSkin(dir.path() + "/Styles/Vista.cjstyles", ""));
    skin.ApplyWindow(&ventana);
    EXPECT_EQ(ventana.styleSheet(), "QWidget { color: red; }");

    Escribe(dir.path() + "/Styles/Vista.qss", "QWidget { color: blue; }");
    EXPECT_TRUE(skin.LoadSkin(dir.path() + "/Styles/Vista.cjstyles", ""));
    skin.ApplyWindow(&ventana);
    EXPECT_EQ(ventana.styleSheet(), "QWidget { color: blue; }");

    // A later skin that cannot be read loads nothing and changes nothing.
    EXPECT_FALSE(skin.LoadSkin(dir.path() + "/Styles/Office2007.cjstyles", ""));
    EXPECT_TRUE(skin.Hoja().isEmpty());
    skin.ApplyWindow(&ventana);
    EXPECT_EQ(ventana.styleSheet(), "QWidget { color: blue; }");
}

TEST(BarraEstado, PanelsByKeyAndAMissingKeyRaises) {
    BarraEstado barra;
    barra.AgregaPanel("MENSAJE", {}, true);
    barra.AgregaPanel("SERVER", "Srv: x");
    EXPECT_EQ(barra.Claves(), QStringList({"MENSAJE", "SERVER"}));
    barra.setTexto("mensaje", "hola");  // keys are case-blind
    EXPECT_EQ(barra.Texto("MENSAJE"), "hola");
    EXPECT_EQ(barra.Panel("SERVER")->text(), "Srv: x");
    try {
        barra.setTexto("CAJA", "1");
        FAIL() << "a missing panel must raise";
    } catch (const vb::ErrorVB& e) {
        EXPECT_EQ(e.Number, 35601);
    }
    EXPECT_FALSE(barra.ExistePanel("CAJA"));
}
