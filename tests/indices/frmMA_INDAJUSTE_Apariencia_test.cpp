#include "indices/frmMA_INDAJUSTE.h"

#include "outside/controls/BarraEstado.h"
#include "outside/controls/SkinFramework.h"
#include "outside/maker/ArchivoIni.h"
#include "outside/maker/SistemaPC.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"
#include "support/VentanaIndices.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QImage>

TEST(IndexWindowAppearance, TheWindowTakesTheSkinTheIconAndShowsTheConnectionInItsStatusBar) {
    VentanaIndices v;
    const QString programa = vb::App().Path;
    QDir(programa).mkpath("Styles");
    QDir(programa).mkpath("Iconos");
    {
        QFile hoja(programa + "/Styles/WinXP.Royale.qss");
        ASSERT_TRUE(hoja.open(QIODevice::WriteOnly));
        hoja.write("QWidget { background: #edeef2; }");
    }
    QImage imagen(16, 16, QImage::Format_ARGB32);
    imagen.fill(Qt::blue);
    ASSERT_TRUE(imagen.save(programa + "/Iconos/INDICES.png"));
    const QString seccion = maker::gSistemaPC().UsuarioWindows().toUpper() + "Styles";
    ASSERT_TRUE(maker::gArchivoIni().Escribir("qt742pr.ini", seccion, "Styles", "3"));
    ASSERT_TRUE(maker::gArchivoIni().Escribir("QT742p.INI", "Iconos", "IconoDelSistema", "indices"));

    v.Iniciar();
    EXPECT_EQ(v.f().styleSheet(), "QWidget { background: #edeef2; }");
    EXPECT_EQ(v.f().SkinFramework1->ArchivoHoja(), programa + "/Styles/WinXP.Royale.qss");
    EXPECT_EQ(v.f().windowIcon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::blue));

    BarraEstado& barra = *v.f().sbStatusBar;
    EXPECT_EQ(barra.Texto("SERVER"), "Srv: " + v.base().carpeta());
    EXPECT_EQ(barra.Texto("USUARIO"), "Uid: " + v.base().nombre());
    EXPECT_EQ(barra.Texto("BASEDEDATOS"), "Db: " + v.base().nombre());
    const QString caja =
        v.base().escalar("SELECT Descripcion FROM TA_CAJAS WHERE IdCajas = '   1'").toString();
    EXPECT_FALSE(caja.isEmpty());
    EXPECT_EQ(barra.Texto("CAJA"), "1 " + caja);
    EXPECT_TRUE(barra.Texto("VERSION").startsWith("V."));
    EXPECT_TRUE(v.guion().preguntas().isEmpty());
}

TEST(IndexWindowAppearance, EverySkinChoiceHasItsStyleSheetBesideTheBuiltProgram) {
    const QString styles = QStringLiteral(INDAJUSTE_BUILD_DIR) + "/Styles/";
    for (const char* eleccion : {"1", "2", "3", "4", "0"}) {
        QString ruta, ini;
        CNStuffContable::ArchivoSkin(eleccion, ruta, ini);
        const QString relativa = ruta.mid(ruta.indexOf("Styles/") + 7);
        const QString hoja = SkinFramework::HojaDeSkin(styles + relativa, ini);
        EXPECT_TRUE(QFile::exists(hoja)) << eleccion << " " << hoja.toStdString();
    }
}
