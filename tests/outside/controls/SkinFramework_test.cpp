#include "outside/controls/SkinFramework.h"

#include "outside/controls/BarraBotones.h"
#include "outside/controls/BarraEstado.h"
#include "outside/runtime/ErrorVB.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>

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

namespace {

// One control of each kind that takes the keyboard; the test's window holds it. A box shows the
// keyboard on its frame (its caret alone is too little to find it by).
struct Clase {
    const char* nombre;
    std::function<QWidget*(QWidget*)> crea;
    bool enElMarco = false;
};

// The outer ring of two pixels of a control's image.
QList<QRgb> Marco(const QImage& imagen) {
    QList<QRgb> l;
    for (int x = 0; x < imagen.width(); ++x)
        for (int y : {0, 1, imagen.height() - 2, imagen.height() - 1}) l << imagen.pixel(x, y);
    for (int y = 0; y < imagen.height(); ++y)
        for (int x : {0, 1, imagen.width() - 2, imagen.width() - 1}) l << imagen.pixel(x, y);
    return l;
}

const Clase kClases[] = {
    {"caja de texto", [](QWidget* v) { return new QLineEdit("123", v); }, true},
    {"lista desplegable",
     [](QWidget* v) {
         auto* c = new QComboBox(v);
         c->addItems({"Ninguno", "Efectivo"});
         return c;
     },
     true},
    {"botón", [](QWidget* v) { return new QPushButton("Aceptar", v); }},
    {"casilla", [](QWidget* v) { return new QCheckBox("Ajustable", v); }},
    {"botón de barra",
     [](QWidget* v) {
         auto* barra = new vb::BarraBotones(v);
         return barra->widgetForAction(barra->AgregaBoton("Datos Adicionales"));
     }},
};

}  // namespace

// A user who works by keyboard sees where the keyboard is, on every kind of control, under every
// skin as without one.
TEST(SkinFramework, UnderEverySkinTheControlWithTheKeyboardShowsIt) {
    const QDir estilos(QStringLiteral(INDAJUSTE_SQL_DIR "/../styles"));
    for (const QString& hoja :
         {QString(), QString("Office2007.qss"), QString("Vista.qss"), QString("WinXP.Luna.qss"),
          QString("WinXP.Royale.qss"), QString("iTunes/Normalitunes.qss")}) {
        for (const Clase& clase : kClases) {
            SCOPED_TRACE(hoja.toStdString() + " " + clase.nombre);
            QWidget ventana;
            if (!hoja.isEmpty()) {
                QFile archivo(estilos.filePath(hoja));
                ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
                ventana.setStyleSheet(QString::fromUtf8(archivo.readAll()));
            }
            auto* capa = new QVBoxLayout(&ventana);
            auto* otro = new QLineEdit(&ventana);
            capa->addWidget(otro);
            QWidget* control = clase.crea(&ventana);
            capa->addWidget(control->parentWidget() == &ventana ? control : control->parentWidget());
            ventana.show();
            QApplication::setActiveWindow(&ventana);
            otro->setFocus();
            QApplication::processEvents();
            const QImage sinTeclado = control->grab().toImage();
            QTest::keyClick(otro, Qt::Key_Tab);  // as a user moves the keyboard to it
            QApplication::processEvents();
            ASSERT_TRUE(control->hasFocus());
            const QImage conTeclado = control->grab().toImage();
            EXPECT_NE(conTeclado, sinTeclado);
            if (clase.enElMarco) {
                EXPECT_NE(Marco(conTeclado), Marco(sinTeclado));
            }
        }
    }
}
