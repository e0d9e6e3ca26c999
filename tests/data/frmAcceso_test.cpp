#include "data/frmAcceso.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "outside/ado/AdoTipos.h"
#include "outside/maker/SistemaPC.h"
#include "outside/runtime/Procesos.h"
#include "outside/runtime/Programa.h"
#include "services/LBM_Common.h"
#include "support/BaseDePrueba.h"
#include "support/Control.h"
#include "support/DialogosGuionados.h"
#include "support/ProgramaDePrueba.h"
#include "support/VentanaIndices.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Lanzamiento {
    QString programa;
    QStringList argumentos;
};

// A program folder of its own with "BASES.TXT" in it, a fresh database object, the connection
// form installed as the database object's way to ask, and recorded launches.
class LoginForm : public ::testing::Test {
  protected:
    LoginForm()
        : base_(false, {"INSERT INTO TA_USUARIOS (NOMBRE, GRUPO, Administrador) VALUES ('ADMIN', 'G', 1)"}),
          otra_(base_, "OTRA") {}

    void SetUp() override {
        ASSERT_TRUE(base_.valida()) << base_.error().toStdString();
        ASSERT_TRUE(otra_.valida()) << otra_.error().toStdString();
        ASSERT_TRUE(programa_.isValid());
        CNStuffContable::gUsuarioLogeado = "ADMIN";
        LBM_Common::gArchivoBases.clear();
        frmAcceso::Destruir();
        frmAcceso::Instalar();
        vb::setLanzador([this](const QString& programa, const QStringList& argumentos) {
            lanzados_.append({programa, argumentos});
            return true;
        });
    }

    void TearDown() override {
        vb::setLanzador({});
        frmAcceso::Destruir();
        LBM_Common::gArchivoBases.clear();
    }

    QString rutaBases() const { return programa_.filePath("BASES.TXT"); }
    void escribirBases(const QByteArray& contenido) const {
        QFile f(rutaBases());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(contenido);
    }
    QByteArray bytesBases() const {
        QFile f(rutaBases());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The line Register writes for a database of the test folder.
    QByteArray lineaDe(const QString& nombre, const QString& claveHex) const {
        return (nombre + " / " + base_.carpeta().toUpper() + "," + nombre + "," + nombre + "," + claveHex +
                "," + base_.carpeta() + "\r\n")
            .toLatin1();
    }

    static void clic(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
    static void clicEnFila(QListWidget* lista, int fila, bool doble = false) {
        const QPoint p = lista->visualItemRect(lista->item(fila)).center();
        if (doble) {
            QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, p);
            QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, p);
        } else {
            QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, p);
        }
    }

    BaseDePrueba base_;
    BaseDePrueba otra_;
    ProgramaDePrueba programa_;
    QList<Lanzamiento> lanzados_;

  private:
};

const QByteArray kClavePrueba = "505255454241";  // "PRUEBA" as stored
const QByteArray kClaveOtra = "4F545241";        // "OTRA"

}  // namespace

TEST_F(LoginForm, ControlsAsDesigned) {
    frmAcceso f;
    EXPECT_EQ(f.windowTitle(), "Control de Acceso");
    EXPECT_EQ(Control<QLineEdit>(f, "TxtUserId")->text(), " ");
    EXPECT_EQ(Control<QLineEdit>(f, "TxtPuerto")->text(), "1433");
    EXPECT_EQ(Control<QLineEdit>(f, "TxtUserPassword")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(Control<QLineEdit>(f, "TxtUserId")->toolTip(), "Ingrese el nombre de usuario");
    EXPECT_EQ(Control<QLineEdit>(f, "TxtUserPassword")->toolTip(), "Ingrese la contraseña");
    EXPECT_EQ(Control<QLineEdit>(f, "TxtDbName")->toolTip(), "ingrese el nombre de la base de datos");
    EXPECT_EQ(Control<QLineEdit>(f, "TxtServidor")->toolTip(), "ingrese el nombre del servidor e instancia");
    EXPECT_EQ(Control<QLineEdit>(f, "TxtPuerto")->toolTip(), "Ingrese el Puerto ");
    ASSERT_EQ(Control<QComboBox>(f, "CboPlataformaDB")->count(), 2);
    EXPECT_EQ(Control<QComboBox>(f, "CboPlataformaDB")->itemText(0), "SQL Server");
    EXPECT_EQ(Control<QComboBox>(f, "CboPlataformaDB")->itemText(1), "ORACLE");
    const QStringList botones = {
        Control<QPushButton>(f, "bcAceptar")->text(), Control<QPushButton>(f, "bcCancelar")->text(),
        Control<QPushButton>(f, "CmdRegistrar")->text(), Control<QPushButton>(f, "CmdLineaComando")->text()};
    EXPECT_EQ(botones, (QStringList{"Conectar", "Cancelar", "Registrar", "Crear Acceso Directo"}));
    const QStringList etiquetas = {
        Control<QLabel>(f, "Label1", 0)->text(), Control<QLabel>(f, "Label1", 1)->text(),
        Control<QLabel>(f, "Label1", 2)->text(), Control<QLabel>(f, "Label2")->text(),
        Control<QLabel>(f, "Label3")->text(),    Control<QLabel>(f, "Label4")->text(),
        Control<QLabel>(f, "Label5")->text(),    Control<QLabel>(f, "Label6")->text(),
        Control<QLabel>(f, "Label7")->text()};
    EXPECT_EQ(etiquetas,
              (QStringList{"AUTENTICACION", "Conexiones registradas", "Control de Acceso", "&Usuario",
                           "C&ontraseña", "&Base de datos", "&Servidor", "&Plataforma", "TARVO VEX"}));
    // Each caption's Alt-letter reaches its box.
    EXPECT_EQ(Control<QLabel>(f, "Label2")->buddy(), Control<QLineEdit>(f, "TxtUserId"));
    EXPECT_EQ(Control<QLabel>(f, "Label3")->buddy(), Control<QLineEdit>(f, "TxtUserPassword"));
    EXPECT_EQ(Control<QLabel>(f, "Label4")->buddy(), Control<QLineEdit>(f, "TxtDbName"));
    EXPECT_EQ(Control<QLabel>(f, "Label5")->buddy(), Control<QLineEdit>(f, "TxtServidor"));
    EXPECT_EQ(Control<QLabel>(f, "Label6")->buddy(), Control<QComboBox>(f, "CboPlataformaDB"));

    // The focus chain visits the controls in the designed order.
    const QList<QWidget*> orden = {
        Control<QLineEdit>(f, "TxtUserId"),        Control<QLineEdit>(f, "TxtUserPassword"),
        Control<QLineEdit>(f, "TxtDbName"),        Control<QLineEdit>(f, "TxtServidor"),
        Control<QComboBox>(f, "CboPlataformaDB"),  Control<QPushButton>(f, "bcAceptar"),
        Control<QPushButton>(f, "bcCancelar"),     Control<QListWidget>(f, "lstBases"),
        Control<QPushButton>(f, "CmdRegistrar"),   Control<QLineEdit>(f, "TxtPuerto"),
        Control<QPushButton>(f, "CmdLineaComando")};
    QList<QWidget*> visto;
    QWidget* w = Control<QLineEdit>(f, "TxtUserId");
    do {
        if (orden.contains(w) && !visto.contains(w)) visto << w;
        w = w->nextInFocusChain();
    } while (w != Control<QLineEdit>(f, "TxtUserId"));
    EXPECT_EQ(visto, orden);
}

TEST_F(LoginForm, LoadListsTheEntriesAndCopiesTheFirstIntoTheBoxes) {
    escribirBases(
        ",sin,nombre,00,srv00\r\n"
        "EMPRESA1 / SRV01,empresa1,EMPRESA1,454D505245534131,srv01:1433\r\n"
        "OTRA / SRV02,otra,OTRA,4F545241,srv02\r\n"
        "EMPRESA1 / SRV01,segunda,SEGUNDA,00,srv09:9\r\n");
    frmAcceso f;
    f.Cargar();
    ASSERT_EQ(Control<QListWidget>(f, "lstBases")->count(), 3);  // the blank name is not listed
    EXPECT_EQ(Control<QListWidget>(f, "lstBases")->currentRow(), 0);
    EXPECT_EQ(f.Archivo(), rutaBases());
    EXPECT_EQ(Control<QLineEdit>(f, "TxtServidor")->text(), "SRV01");
    EXPECT_EQ(Control<QLineEdit>(f, "TxtPuerto")->text(), "1433");
    EXPECT_EQ(Control<QLineEdit>(f, "TxtDbName")->text(), "empresa1");
    EXPECT_EQ(Control<QLineEdit>(f, "TxtUserId")->text(), "");
    EXPECT_EQ(Control<QLineEdit>(f, "TxtUserPassword")->text(), "");
    EXPECT_EQ(Control<QLineEdit>(f, "TxtUserId")->placeholderText(), "Ingrese el usuario");
    EXPECT_EQ(Control<QLineEdit>(f, "TxtDbName")->placeholderText(), "ingrese el nombre de la base de datos");

    // A server without a port keeps the port last cut; the user and password boxes empty again.
    f.show();
    Control<QLineEdit>(f, "TxtUserId")->setText("ana");
    clicEnFila(Control<QListWidget>(f, "lstBases"), 1);
    EXPECT_EQ(Control<QLineEdit>(f, "TxtServidor")->text(), "srv02");
    EXPECT_EQ(Control<QLineEdit>(f, "TxtDbName")->text(), "otra");
    EXPECT_EQ(Control<QLineEdit>(f, "TxtPuerto")->text(), "1433");
    EXPECT_EQ(Control<QLineEdit>(f, "TxtUserId")->text(), "");

    // The same name twice: every lookup uses the first line.
    clicEnFila(Control<QListWidget>(f, "lstBases"), 2);
    EXPECT_EQ(Control<QLineEdit>(f, "TxtDbName")->text(), "empresa1");
    // A key in the list copies the selected entry again.
    Control<QLineEdit>(f, "TxtDbName")->setText("otro");
    QTest::keyClick(Control<QListWidget>(f, "lstBases"), Qt::Key_Space);
    EXPECT_EQ(Control<QLineEdit>(f, "TxtDbName")->text(), "empresa1");
}

TEST_F(LoginForm, HintsAreNeverTakenAsData) {
    escribirBases("OTRA / SRV02,otra,OTRA,4F545241,srv02\r\n");
    frmAcceso f;
    f.Cargar();
    Control<QLineEdit>(f, "TxtDbName")->setText("   ");
    EXPECT_EQ(Control<QLineEdit>(f, "TxtDbName")->text(), "");
    Control<QLineEdit>(f, "TxtServidor")->setText("ingrese el nombre del servidor e instancia");
    EXPECT_EQ(Control<QLineEdit>(f, "TxtServidor")->text(), "");
    Control<QLineEdit>(f, "TxtServidor")->setText(" srv ");
    EXPECT_EQ(Control<QLineEdit>(f, "TxtServidor")->text(), " srv ");
    Control<QLineEdit>(f, "TxtUserPassword")->setText("  ");
    EXPECT_EQ(Control<QLineEdit>(f, "TxtUserPassword")->text(), "");

    // An untouched user box gives an empty user; typed ones go as they stand.
    CNStuffContable::gUsuarioLogeado = "antes";
    f.bcAceptar_Click();
    EXPECT_TRUE(f.Aceptado());
    EXPECT_EQ(CNStuffContable::gUsuarioLogeado, "");
    Control<QLineEdit>(f, "TxtUserId")->setText(" ana ");
    Control<QLineEdit>(f, "TxtUserPassword")->setText(" x ");
    f.bcAceptar_Click();
    EXPECT_EQ(CNStuffContable::gUsuarioLogeado, " ana ");
    EXPECT_EQ(CNStuffContable::gPasswordLogeado, " x ");
    f.bcCancelar_Click();
    EXPECT_FALSE(f.Aceptado());
    EXPECT_EQ(bytesBases(), "OTRA / SRV02,otra,OTRA,4F545241,srv02\r\n");
}

TEST_F(LoginForm, EnterMovesTheFocusWithoutPressingConectar) {
    escribirBases("OTRA / SRV02,otra,OTRA,4F545241,srv02\r\n");
    frmAcceso f;
    f.Cargar();
    f.show();
    QApplication::setActiveWindow(&f);
    Control<QLineEdit>(f, "TxtUserId")->setFocus();
    const QList<QWidget*> orden = {Control<QLineEdit>(f, "TxtUserPassword"),
                                   Control<QLineEdit>(f, "TxtDbName"), Control<QLineEdit>(f, "TxtServidor"),
                                   Control<QPushButton>(f, "bcAceptar")};
    QWidget* actual = Control<QLineEdit>(f, "TxtUserId");
    for (QWidget* siguiente : orden) {
        QTest::keyClick(actual, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), siguiente);
        actual = siguiente;
    }
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(f.Aceptado());
}

TEST_F(LoginForm, TabWalksTheFormAndOnlyAKeyInTheListChoosesAnEntry) {
    for (const bool conEntradas : {false, true}) {
        SCOPED_TRACE(conEntradas ? "with registered entries" : "without registered entries");
        if (conEntradas) escribirBases("OTRA / SRV02,otra,OTRA,4F545241,srv02\r\n");
        frmAcceso f;
        f.Cargar();
        f.show();
        QApplication::setActiveWindow(&f);
        Control<QLineEdit>(f, "TxtUserId")->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), "ADMIN");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), "clave");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        Control<QLineEdit>(f, "TxtDbName")->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), "DEMO");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        Control<QLineEdit>(f, "TxtServidor")->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), "/srv/datos");
        const auto sinCambios = [&] {
            EXPECT_EQ(Control<QLineEdit>(f, "TxtUserId")->text(), "ADMIN");
            EXPECT_EQ(Control<QLineEdit>(f, "TxtUserPassword")->text(), "clave");
            EXPECT_EQ(Control<QLineEdit>(f, "TxtDbName")->text(), "DEMO");
            EXPECT_EQ(Control<QLineEdit>(f, "TxtServidor")->text(), "/srv/datos");
        };
        // Through the platform, Conectar, Cancelar, the list and Registrar to the port.
        while (QApplication::focusWidget() != Control<QLineEdit>(f, "TxtPuerto")) {
            QWidget* antes = QApplication::focusWidget();
            QTest::keyClick(antes, Qt::Key_Tab);
            ASSERT_NE(QApplication::focusWidget(), antes);
            sinCambios();
        }
        // And back into the list with Shift+Tab.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Shift);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Shift);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        ASSERT_EQ(QApplication::focusWidget(), Control<QListWidget>(f, "lstBases"));
        sinCambios();
        EXPECT_TRUE(f.isVisible());

        // A key in the list chooses its entry; an empty list has none.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        if (conEntradas) {
            EXPECT_EQ(Control<QLineEdit>(f, "TxtDbName")->text(), "otra");
            EXPECT_EQ(Control<QLineEdit>(f, "TxtServidor")->text(), "srv02");
            EXPECT_EQ(Control<QLineEdit>(f, "TxtUserId")->text(), "");
        } else {
            sinCambios();
        }
    }
}

TEST_F(LoginForm, WrongDatabaseAtStartAsksWithTheFailedDataAndGoesOnWithTheChosenOne) {
    VentanaIndices v;
    vb::App().Path = programa_.path();
    const QString carpeta = v.base().carpeta();
    vb::App().Command = "@Server=" + carpeta + ";@DbName=NOEXISTE;@UsuarioLogeado=ADMIN;@Caja=1;";
    escribirBases(
        ("PRUEBA / " + carpeta.toUpper() + ",PRUEBA,PRUEBA,505255454241," + carpeta + "\r\n").toLatin1());
    v.guion().esperarMsgBox(vb::vbYes);
    v.guion().esperarModal([&](QWidget* w) {
        auto* f = qobject_cast<frmAcceso*>(w);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(Control<QLineEdit>(*f, "TxtDbName")->text(), "NOEXISTE");
        EXPECT_EQ(Control<QLineEdit>(*f, "TxtServidor")->text(), carpeta);
        EXPECT_EQ(Control<QLineEdit>(*f, "TxtUserId")->text(), "ADMIN");
        EXPECT_EQ(Control<QComboBox>(*f, "CboPlataformaDB")->currentIndex(), 0);
        clicEnFila(Control<QListWidget>(*f, "lstBases"), 0);
        EXPECT_EQ(Control<QLineEdit>(*f, "TxtDbName")->text(), "PRUEBA");
        EXPECT_EQ(Control<QLineEdit>(*f, "TxtServidor")->text(), carpeta);
        EXPECT_EQ(Control<QLineEdit>(*f, "TxtUserId")->text(), "");
        QTest::keyClicks(Control<QLineEdit>(*f, "TxtUserId"), "ADMIN");
        clic(Control<QPushButton>(*f, "bcAceptar"));
    });
    v.Iniciar();
    const DB_Dll& db = CNStuffContable::gBaseDatos();
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_EQ(db.gDBName, "PRUEBA");
    EXPECT_EQ(db.gUsuario, "PRUEBA");
    EXPECT_EQ(CNStuffContable::gUsuarioLogeado, "ADMIN");
    EXPECT_TRUE(v.f().isVisible());
    EXPECT_GT(v.FilasIndices(), 0);
    EXPECT_FALSE(frmAcceso::instancia().isVisible());
}

TEST_F(LoginForm, CancelarAtStartEndsTheProgram) {
    VentanaIndices v;
    vb::App().Path = programa_.path();
    vb::App().Command = "@Server=" + v.base().carpeta() + ";@DbName=NOEXISTE;@UsuarioLogeado=ADMIN;@Caja=1;";
    v.guion().esperarMsgBox(vb::vbYes);
    v.guion().esperarModal([&](QWidget* w) { clic(Control<QPushButton>(*w, "bcCancelar")); });
    EXPECT_THROW(v.Iniciar(), vb::FinDelPrograma);
    EXPECT_FALSE(CNStuffContable::gBaseDatos().gOpenFlag);
    EXPECT_FALSE(QFile::exists(rutaBases()));
}

TEST_F(LoginForm, RegisterAppendsTheEntryOnceAndRefusesItTwice) {
    DialogosGuionados guion;
    frmAcceso f;
    f.Cargar();
    f.show();
    EXPECT_EQ(Control<QListWidget>(f, "lstBases")->count(), 0);
    Control<QLineEdit>(f, "TxtDbName")->setText("PRUEBA ");
    Control<QLineEdit>(f, "TxtServidor")->setText(" " + base_.carpeta());
    Control<QLineEdit>(f, "TxtPuerto")->setText("sin numero");
    clic(Control<QPushButton>(f, "CmdRegistrar"));
    EXPECT_EQ(bytesBases(), lineaDe("PRUEBA", kClavePrueba));
    EXPECT_TRUE(lanzados_.isEmpty());
    EXPECT_TRUE(guion.preguntas().isEmpty());
    ASSERT_EQ(Control<QListWidget>(f, "lstBases")->count(), 1);
    EXPECT_EQ(Control<QLineEdit>(f, "TxtDbName")->text(), "PRUEBA");
    EXPECT_EQ(Control<QLineEdit>(f, "TxtServidor")->text(), base_.carpeta());
    EXPECT_EQ(Control<QLineEdit>(f, "TxtPuerto")->text(), "1433");  // no number in the port box: 1433
    EXPECT_NE(CNStuffContable::gBaseDatos().gCnn->State(), ado::adStateOpen);

    // With the ODBC set-up program beside this one, it learns the new connection.
    QFile odbc(programa_.filePath("odbc"));
    ASSERT_TRUE(odbc.open(QIODevice::WriteOnly));
    Control<QLineEdit>(f, "TxtDbName")->setText("OTRA");
    Control<QLineEdit>(f, "TxtServidor")->setText(base_.carpeta());
    clic(Control<QPushButton>(f, "CmdRegistrar"));
    EXPECT_EQ(bytesBases(), lineaDe("PRUEBA", kClavePrueba) + lineaDe("OTRA", kClaveOtra));
    ASSERT_EQ(lanzados_.size(), 1);
    EXPECT_EQ(lanzados_[0].programa, odbc.fileName());
    EXPECT_EQ(lanzados_[0].argumentos, QStringList{"Server=" + base_.carpeta() + ";DB=OTRA;"});
    EXPECT_EQ(Control<QListWidget>(f, "lstBases")->count(), 2);
    EXPECT_EQ(Control<QLineEdit>(f, "TxtDbName")->text(), "PRUEBA");  // the first entry is shown again

    // A name already registered: the message, and nothing changes, not even the blanks.
    guion.esperarMsgBox(vb::vbOK);
    Control<QLineEdit>(f, "TxtDbName")->setText(" otra ");
    Control<QLineEdit>(f, "TxtServidor")->setText(base_.carpeta() + " ");
    Control<QLineEdit>(f, "TxtPuerto")->setText("99");
    clic(Control<QPushButton>(f, "CmdRegistrar"));
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(guion.preguntas()[0], (Pregunta{"La conexion que intenta registrar ya existe ", "Atencion",
                                              vb::vbInformation, Pregunta::Mensaje}));
    EXPECT_EQ(bytesBases(), lineaDe("PRUEBA", kClavePrueba) + lineaDe("OTRA", kClaveOtra));
    EXPECT_EQ(Control<QLineEdit>(f, "TxtDbName")->text(), " otra ");
    EXPECT_EQ(Control<QLineEdit>(f, "TxtServidor")->text(), base_.carpeta() + " ");
    EXPECT_EQ(f.Puerto().toInt(), 1433);
    EXPECT_EQ(lanzados_.size(), 1);
}

TEST_F(LoginForm, RegisterThatCannotConnectSaysSoAndWritesNothing) {
    DialogosGuionados guion;
    frmAcceso f;
    f.Cargar();
    f.show();
    Control<QLineEdit>(f, "TxtDbName")->setText("NOEXISTE");
    Control<QLineEdit>(f, "TxtServidor")->setText(base_.carpeta());
    Control<QLineEdit>(f, "TxtUserId")->setText("ADMIN");
    guion.esperarMsgBox(vb::vbNo);  // the database object's own failure question
    guion.esperarMsgBox(vb::vbOK);
    clic(Control<QPushButton>(f, "CmdRegistrar"));
    ASSERT_EQ(guion.preguntas().size(), 2);
    EXPECT_EQ(guion.preguntas()[0].titulo, " Error de Conexion a Base de Datos");
    EXPECT_EQ(guion.preguntas()[1], (Pregunta{"NO SE PUDO CONECTAR AL SERVIDOR " + base_.carpeta() +
                                                  " VERIFIQUE EL NOMBRE DE USUARIO Y PASSWORD INGRESADO",
                                              "AVISO AL OPERADOR", vb::vbInformation, Pregunta::Mensaje}));
    EXPECT_FALSE(QFile::exists(rutaBases()));
    EXPECT_FALSE(CNStuffContable::gBaseDatos().gOpenFlag);
}

TEST_F(LoginForm, RegisterWhoseRetryShowsTheFormAgainRegistersWhatOpenedOnce) {
    DialogosGuionados guion;
    frmAcceso& f = frmAcceso::instancia();
    f.Cargar();
    f.show();
    Control<QLineEdit>(f, "TxtDbName")->setText("NOEXISTE");
    Control<QLineEdit>(f, "TxtServidor")->setText(base_.carpeta());
    Control<QLineEdit>(f, "TxtUserId")->setText("ADMIN");
    guion.esperarMsgBox(vb::vbYes);  // the database object's failure question: try again
    guion.esperarModal([&](QWidget* w) {
        // The same form, shown again from inside its own Register.
        EXPECT_EQ(w, &f);
        Control<QLineEdit>(f, "TxtDbName")->setText("PRUEBA");
        Control<QLineEdit>(f, "TxtUserId")->setText("ADMIN");
        clic(Control<QPushButton>(f, "bcAceptar"));  // no file yet: registers PRUEBA itself
    });
    clic(Control<QPushButton>(f, "CmdRegistrar"));
    EXPECT_EQ(guion.pendientes(), 0);
    EXPECT_EQ(bytesBases(), lineaDe("PRUEBA", kClavePrueba));
    EXPECT_TRUE(f.Aceptado());
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(CNStuffContable::gBaseDatos().gDBName, "PRUEBA");
}

TEST_F(LoginForm, ConectarWithoutTheFileRegistersFirstAndKeepsWhatWasTyped) {
    DialogosGuionados guion;
    DB_Dll& db = CNStuffContable::gBaseDatos();
    db.gDBName = "NOEXISTE";
    db.gServidor = base_.carpeta();
    guion.esperarModal([&](QWidget* w) {
        auto* f = qobject_cast<frmAcceso*>(w);
        EXPECT_EQ(Control<QListWidget>(*f, "lstBases")->count(), 0);
        Control<QLineEdit>(*f, "TxtDbName")->setText("PRUEBA");
        Control<QLineEdit>(*f, "TxtUserId")->setText("ana");
        Control<QLineEdit>(*f, "TxtUserPassword")->setText("secreta");
        clic(Control<QPushButton>(*f, "bcAceptar"));
    });
    EXPECT_TRUE(DB_Dll::PedirDatosConexion(db));
    EXPECT_EQ(bytesBases(), lineaDe("PRUEBA", kClavePrueba));
    EXPECT_EQ(CNStuffContable::gUsuarioLogeado, "ana");
    EXPECT_EQ(CNStuffContable::gPasswordLogeado, "secreta");
    EXPECT_EQ(db.gDBName, "PRUEBA");
    EXPECT_EQ(db.gUsuario, "PRUEBA");
    EXPECT_EQ(db.gUserPassWord, "PRUEBA");
    EXPECT_EQ(db.gServidor, base_.carpeta());
    EXPECT_EQ(db.gProveedor, "SQLOLEDB");
    EXPECT_FALSE(frmAcceso::instancia().Cargado());
}

TEST_F(LoginForm, WhatTheCallerTakesFromTheForm) {
    escribirBases("EMPRESA1 / SRV01,empresa1,EMPRESA1,454D505245534131,srv01:1433\r\n");
    DialogosGuionados guion;
    DB_Dll d;
    d.gDBName = "EMP";
    d.gServidor = "srv01:1433";
    // The caller's data overwrite the first entry; a typed port reaches the caller unchanged.
    guion.esperarModal([&](QWidget* w) {
        auto* f = qobject_cast<frmAcceso*>(w);
        EXPECT_EQ(Control<QLineEdit>(*f, "TxtServidor")->text(), "srv01:1433");
        EXPECT_EQ(Control<QLineEdit>(*f, "TxtDbName")->text(), "EMP");
        clic(Control<QPushButton>(*f, "bcAceptar"));
    });
    EXPECT_TRUE(frmAcceso::PedirDatos(d));
    EXPECT_EQ(d.gServidor, "srv01:1433");
    EXPECT_EQ(d.gProveedor, "SQLOLEDB");

    // Oracle marks the server once.
    guion.esperarModal([&](QWidget* w) {
        auto* f = qobject_cast<frmAcceso*>(w);
        Control<QComboBox>(*f, "CboPlataformaDB")->setCurrentIndex(1);
        clic(Control<QPushButton>(*f, "bcAceptar"));
    });
    EXPECT_TRUE(frmAcceso::PedirDatos(d));
    EXPECT_EQ(d.gServidor, "srv01:1433#");
    EXPECT_EQ(d.gProveedor, "OraOLEDB.Oracle.1");
    guion.esperarModal([&](QWidget* w) {
        Control<QComboBox>(*w, "CboPlataformaDB")->setCurrentIndex(1);
        clic(Control<QPushButton>(*w, "bcAceptar"));
    });
    EXPECT_TRUE(frmAcceso::PedirDatos(d));
    EXPECT_EQ(d.gServidor, "srv01:1433#");

    // Cancelar, or closing the window, leaves the object's data as they were.
    guion.esperarModal([&](QWidget* w) {
        Control<QLineEdit>(*w, "TxtDbName")->setText("OTRA");
        clic(Control<QPushButton>(*w, "bcCancelar"));
    });
    EXPECT_FALSE(frmAcceso::PedirDatos(d));
    guion.esperarModal([&](QWidget* w) {
        Control<QLineEdit>(*w, "TxtDbName")->setText("OTRA");
        w->close();
    });
    EXPECT_FALSE(frmAcceso::PedirDatos(d));
    EXPECT_EQ(d.gDBName, "EMP");

    // A double click on an entry accepts it at once, with empty user and password.
    CNStuffContable::gUsuarioLogeado = "ADMIN";
    guion.esperarModal([&](QWidget* w) { clicEnFila(Control<QListWidget>(*w, "lstBases"), 0, true); });
    EXPECT_TRUE(frmAcceso::PedirDatos(d));
    EXPECT_EQ(d.gDBName, "empresa1");
    EXPECT_EQ(d.gServidor, "SRV01");
    EXPECT_EQ(CNStuffContable::gUsuarioLogeado, "");
}

TEST_F(LoginForm, ShortcutOnTheDesktopAndTheAddressLabel) {
    QTemporaryDir casa;
    ASSERT_TRUE(casa.isValid());
    const QByteArray home = qgetenv("HOME"), xdg = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", casa.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", casa.filePath(".config").toLocal8Bit());
    frmAcceso f;
    f.Cargar();
    f.show();
    clic(Control<QPushButton>(f, "CmdLineaComando"));
    const QString acceso = frmAcceso::ArchivoAccesoDirecto();
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", xdg);
    if (xdg.isEmpty()) qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(acceso, casa.filePath("Desktop/indajuste.desktop"));
    QFile archivo(acceso);
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    const QString texto = QString::fromUtf8(archivo.readAll());
    EXPECT_TRUE(texto.startsWith("[Desktop Entry]\nType=Application\n"));
    EXPECT_TRUE(texto.contains("\nExec=\"" + programa_.path() + "/indajuste\"\n")) << texto.toStdString();
    EXPECT_TRUE(texto.contains("\nName=indajuste\n"));
    EXPECT_TRUE(f.isVisible());

    QUrl abierta;
    maker::gSistemaPC().setAbridor([&](const QUrl& u) {
        abierta = u;
        return true;
    });
    clic(Control<QLabel>(f, "Label8"));
    maker::gSistemaPC().setAbridor({});
    EXPECT_TRUE(abierta.scheme().startsWith("http")) << abierta.toString().toStdString();
    EXPECT_EQ(abierta.host(), Control<QLabel>(f, "Label8")->text());
}
