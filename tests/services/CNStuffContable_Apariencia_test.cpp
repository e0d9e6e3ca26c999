#include "services/CNStuffContable.h"

#include "data/EntornoDB_Dll.h"
#include "outside/controls/BarraEstado.h"
#include "outside/controls/SkinFramework.h"
#include "outside/controls/UtilVex.h"
#include "outside/maker/ArchivoIni.h"
#include "outside/maker/SistemaPC.h"
#include "support/DialogosGuionados.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QWidget>

using namespace CNStuffContable;

namespace {

class Appearance : public EntornoDB_Dll {
  protected:
    void SetUp() override {
        EntornoDB_Dll::SetUp();
        if (HasFatalFailure()) return;
        DialogosGuionados sinPreguntas;
        ASSERT_TRUE(abrirComo("ADMIN"));
        cajaAnterior_ = gCaja;
        flatAnterior_ = gFlatToolbars;
        versionAnterior_ = QCoreApplication::applicationVersion();
    }
    void TearDown() override {
        gCaja = cajaAnterior_;
        gFlatToolbars = flatAnterior_;
        QCoreApplication::setApplicationVersion(versionAnterior_);
        EntornoDB_Dll::TearDown();
    }
    void eligeSkin(const QString& valor) {
        const QString seccion = maker::gSistemaPC().UsuarioWindows().toUpper() + "Styles";
        ASSERT_TRUE(maker::gArchivoIni().Escribir("qt742pr.ini", seccion, "Styles", valor));
    }
    void hoja(const QString& relativa, const QByteArray& texto) {
        const QString ruta = programa_.path() + "/Styles/" + relativa;
        QDir().mkpath(QFileInfo(ruta).path());
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(texto);
    }

    QString cajaAnterior_;
    bool flatAnterior_ = false;
    QString versionAnterior_;
};

// A window as the suite's windows are: its skin control and a toolbar.
struct Ventana : QWidget {
    Ventana() {
        auto* skin = new SkinFramework(this);
        skin->setObjectName("SkinFramework1");
        barra = new UtilVex(this);
        barra->setObjectName("UtilVex1");
    }
    SkinFramework* skin() const { return findChild<SkinFramework*>("SkinFramework1"); }
    UtilVex* barra = nullptr;
};

}  // namespace

TEST_F(Appearance, TheChoiceOfSkinPicksItsFile) {
    const QString styles = programa_.path() + "/Styles/";
    const struct {
        const char* eleccion;
        QString ruta;
        QString ini;
    } casos[] = {
        {"1", styles + "Vista.cjstyles", ""},
        {"2", styles + "WinXP.Luna.cjstyles", ""},
        {"3", styles + "WinXP.Royale.cjstyles", ""},
        {"4", styles + "iTunes", "Normalitunes.ini"},
        {"9", styles + "Office2007.cjstyles", ""},
        {"abc", styles + "Office2007.cjstyles", ""},
        {"2.5", styles + "WinXP.Luna.cjstyles", ""},  // rounded half to even
        {"3.5 azul", styles + "iTunes", "Normalitunes.ini"},
        {"99999", styles + "Office2007.cjstyles", ""},  // out of range: no choice, never an error
    };
    for (const auto& c : casos) {
        QString ruta, ini;
        ArchivoSkin(c.eleccion, ruta, ini);
        EXPECT_EQ(ruta, c.ruta) << c.eleccion;
        EXPECT_EQ(ini, c.ini) << c.eleccion;
    }
}

TEST_F(Appearance, TheWindowTakesTheChosenSkinOrKeepsItsLook) {
    DialogosGuionados guion;
    hoja("iTunes/Normalitunes.qss", "QWidget { background: grey; }");
    Ventana v;
    // No key for this user: the first skin, whose sheet is missing here.
    AplicaSkin(&v);
    EXPECT_EQ(v.skin()->Ruta(), programa_.path() + "/Styles/Vista.cjstyles");
    EXPECT_TRUE(v.styleSheet().isEmpty());
    EXPECT_EQ(v.skin()->ApplyOptions() & 1, 1);

    eligeSkin("4");
    AplicaSkin(&v);
    EXPECT_EQ(v.skin()->Ini(), "Normalitunes.ini");
    EXPECT_EQ(v.styleSheet(), "QWidget { background: grey; }");

    // A window without the control is left alone.
    QWidget sinControl;
    AplicaSkin(&sinControl);
    EXPECT_TRUE(sinControl.styleSheet().isEmpty());
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

TEST_F(Appearance, IconAndToolbarStyle) {
    Ventana v;
    gFlatToolbars = false;
    // The default icon name names no resource: the window keeps its icon, the toolbar its style.
    AplicaIconoBarras(&v);
    EXPECT_FALSE(v.barra->StyleBar());

    QDir(programa_.path()).mkpath("Iconos");
    QImage imagen(16, 16, QImage::Format_ARGB32);
    imagen.fill(Qt::red);
    ASSERT_TRUE(imagen.save(programa_.path() + "/Iconos/Empresa.png"));
    ASSERT_TRUE(maker::gArchivoIni().Escribir("QT742p.INI", "Iconos", "IconoDelSistema", "EMPRESA"));
    gFlatToolbars = true;
    AplicaIconoBarras(&v);
    EXPECT_FALSE(v.windowIcon().isNull());
    EXPECT_EQ(v.windowIcon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));
    EXPECT_TRUE(v.barra->StyleBar());
}

TEST_F(Appearance, StatusBarFillsOnceAndRegistersTheTill) {
    DialogosGuionados guion;
    QCoreApplication::setApplicationVersion("2.7.31");
    BarraEstado barra;
    for (const char* clave : {"MENSAJE", "SERVER", "USUARIO", "BASEDEDATOS", "CAJA", "VERSION"})
        barra.AgregaPanel(clave);
    gCaja.clear();
    ActualizaBarraEstado(barra, "Listo");
    EXPECT_EQ(gCaja, "1");
    EXPECT_EQ(base_.filas("SELECT IdCajas, Descripcion FROM TA_CAJAS"),
              QList<QStringList>({{"   1", "CAJA 1"}}));
    EXPECT_EQ(barra.Texto("MENSAJE"), "Listo");
    EXPECT_EQ(barra.Texto("SERVER"), "Srv: " + base_.carpeta());
    EXPECT_EQ(barra.Texto("USUARIO"), "Uid: " + base_.nombre());
    EXPECT_EQ(barra.Texto("BASEDEDATOS"), "Db: " + base_.nombre());
    EXPECT_EQ(barra.Texto("CAJA"), "1 CAJA 1");
    EXPECT_EQ(barra.Texto("VERSION"), "V.2.7.31");

    // Later calls change the message only.
    db().gServidor = "OTRO";
    gCaja = "2";
    ActualizaBarraEstado(barra, "Grabando");
    EXPECT_EQ(barra.Texto("MENSAJE"), "Grabando");
    EXPECT_EQ(barra.Texto("SERVER"), "Srv: " + base_.carpeta());
    EXPECT_EQ(barra.Texto("CAJA"), "1 CAJA 1");
    EXPECT_EQ(base_.escalar("SELECT COUNT(*) FROM TA_CAJAS").toInt(), 1);
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

TEST_F(Appearance, AnExistingTillIsNotRegisteredAgainAndMissingPanelsAreSkipped) {
    base_.ejecutar("INSERT INTO TA_CAJAS (IdCajas, Descripcion) VALUES ('  7''', 'CAJA DEL O''HARA')");
    DialogosGuionados guion;
    BarraEstado barra;
    barra.AgregaPanel("SERVER");
    barra.AgregaPanel("CAJA");
    gCaja = "7'";
    ActualizaBarraEstado(barra, "x");  // no MENSAJE, USUARIO, ... panels
    EXPECT_EQ(barra.Texto("CAJA"), "7' CAJA DEL O'HARA");
    EXPECT_EQ(base_.escalar("SELECT COUNT(*) FROM TA_CAJAS").toInt(), 1);

    // A new till with an apostrophe is registered as typed.
    BarraEstado otra;
    otra.AgregaPanel("SERVER");
    otra.AgregaPanel("CAJA");
    gCaja = "8'";
    ActualizaBarraEstado(otra, "");
    EXPECT_EQ(base_.escalar("SELECT Descripcion FROM TA_CAJAS WHERE IdCajas = '  8'''").toString(),
              "CAJA 8'");
    EXPECT_TRUE(guion.preguntas().isEmpty());
}
