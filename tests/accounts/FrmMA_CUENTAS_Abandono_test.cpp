// An account with a change the user has not saved never gives way to another without a word: every
// road that would show another account (or none) asks first, and "No" keeps the account and the
// change as they were.
#include "accounts/CuentasDePrueba.h"
#include "accounts/EnlacesCuentas.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/TreeView.h"
#include "outside/controls/UtilVex.h"
#include "outside/runtime/Dialogos.h"
#include "support/Control.h"
#include "support/LocaleNumeros.h"
#include "support/Teclado.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>
#include <QToolButton>
#include <functional>

namespace {

using namespace teclado;

const Pregunta kAbandono{"¿Está seguro de abandonar la carga de datos?", "Atención!!!",
                         vb::vbYesNo | vb::vbExclamation | vb::vbDefaultButton2};

class ChartUnsavedChange : public ::testing::Test {
  public:
    void SetUp() override {
        v.Iniciar();
        v.EscribirCodigo("11030100104");
        ASSERT_TRUE(v.f().CuentaGuardada());
        mostrado = Caja("TxtCodigo")->text();
        ASSERT_EQ(Caja("txtFields", 1)->text(), mostrado);
    }
    void TearDown() override {
        EnlacesCuentas::RegistraConsultaTabla({});
        EnlacesCuentas::RegistraConsultaSearch({});
    }
    vb::CajaTexto* Caja(const char* nombre, int indice = -1) {
        return indice < 0 ? Control<vb::CajaTexto>(v.f(), nombre)
                          : Control<vb::CajaTexto>(v.f(), nombre, indice);
    }
    void AgregaZ() {
        Clic(Caja("txtFields", 0));
        Tecla(Qt::Key_End);
        Teclea(" Z");
    }
    // The box clicked, its code selected and another typed.
    void Escribe(vb::CajaTexto* caja, const QString& codigo) {
        Clic(caja);
        Tecla(Qt::Key_A, Qt::ControlModifier);
        Teclea(codigo);
    }
    QString Codigo(vb::CajaTexto* caja) { return QString(caja->text()).remove('-').trimmed(); }
    int Auditadas() const { return v.Filas("SELECT count(*) FROM MV_CPTEACCIONES"); }

    LocaleNumeros locale_{LocaleNumeros::coma()};
    CuentasDePrueba v;
    // The code of 11030100104 as its load shows it.
    QString mostrado;
};

struct Camino {
    const char* nombre;
    std::function<void(ChartUnsavedChange&)> toma;  // from the description, to 11030100103
    const char* foco;                               // the box that keeps the keyboard on "No"
};

QList<Camino> Caminos() {
    auto enCaja = [](Qt::Key tecla) {
        return [tecla](ChartUnsavedChange& t) {
            auto& r = t;
            r.Escribe(r.Caja("TxtCodigo"), "11030100103");
            Tecla(tecla);
        };
    };
    auto enCampo = [](Qt::Key tecla) {
        return [tecla](ChartUnsavedChange& t) {
            auto& r = t;
            r.Escribe(r.Caja("txtFields", 1), "11030100103");
            Tecla(tecla);
        };
    };
    return {
        {"the code box left with Enter", enCaja(Qt::Key_Return), "TxtCodigo"},
        {"the code box left with Tab", enCaja(Qt::Key_Tab), "TxtCodigo"},
        {"the code box left by a click",
         [](ChartUnsavedChange& t) {
             auto& r = t;
             r.Escribe(r.Caja("TxtCodigo"), "11030100103");
             Clic(r.Caja("txtFields", 2));
         },
         "TxtCodigo"},
        {"the code box and the save key", enCaja(Qt::Key_F4), "TxtCodigo"},
        {"the code box and the save button",
         [](ChartUnsavedChange& t) {
             auto& r = t;
             r.Escribe(r.Caja("TxtCodigo"), "11030100103");
             QTest::mouseClick(Control<UtilVex>(r.v.f(), "UtilVex1")->Boton("GRABAR"), Qt::LeftButton);
             QApplication::processEvents();
         },
         "TxtCodigo"},
        {"the code field left with Enter", enCampo(Qt::Key_Return), "txtFields_1"},
        {"the code field left with Tab", enCampo(Qt::Key_Tab), "txtFields_1"},
        {"the code field left by a click",
         [](ChartUnsavedChange& t) {
             auto& r = t;
             r.Escribe(r.Caja("txtFields", 1), "11030100103");
             Clic(r.Caja("txtFields", 2));
         },
         "txtFields_1"},
        {"the tree's node",
         [](ChartUnsavedChange& t) {
             auto& r = t;
             r.v.f().Treev_Estado(true);
             auto* arbol = Control<vb::TreeView>(r.v.f(), "TreeV");
             QTreeWidgetItem* nodo = arbol->Nodo("A11030100103");
             ASSERT_NE(nodo, nullptr);
             arbol->scrollToItem(nodo);
             QTest::mouseClick(arbol->viewport(), Qt::LeftButton, {}, arbol->visualItemRect(nodo).center());
             QApplication::processEvents();
         },
         "txtFields_1"},
        {"the code box's lookup",
         [](ChartUnsavedChange& t) {
             auto& r = t;
             EnlacesCuentas::RegistraConsultaSearch(
                 [](const QString&, const QString&, const QString&) { return QString("11030100103"); });
             Clic(r.Caja("TxtCodigo"));
             // Only the press: the release lands in the lookup's own window.
             QTest::keyPress(QApplication::focusWidget(), Qt::Key_F5);
             QApplication::processEvents();
         },
         "TxtCodigo"},
        {"the code field's lookup",
         [](ChartUnsavedChange& t) {
             auto& r = t;
             EnlacesCuentas::RegistraConsultaTabla([](const QString&) { return QString("11030100103"); });
             Clic(r.Caja("txtFields", 1));
             Tecla(Qt::Key_F5);
         },
         "txtFields_1"},
    };
}

TEST_F(ChartUnsavedChange, NoKeepsTheAccountAndTheChangeOnEveryRoad) {
    for (const Camino& camino : Caminos()) {
        SCOPED_TRACE(camino.nombre);
        const qsizetype antes = v.guion().preguntas().size();
        v.guion().esperarMsgBox(vb::vbNo);
        AgregaZ();
        camino.toma(*this);
        ASSERT_EQ(v.guion().preguntas().mid(antes), QList<Pregunta>{kAbandono});
        EXPECT_TRUE(v.f().CuentaGuardada());
        EXPECT_EQ(Caja("txtFields", 0)->text(), "SUPERMERCADO EL SOL Z");
        EXPECT_EQ(Codigo(Caja("TxtCodigo")), "11030100104");
        EXPECT_EQ(Caja("TxtCodigo")->text(), mostrado);
        EXPECT_EQ(Caja("txtFields", 1)->text(), mostrado);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), camino.foco);
        EXPECT_EQ(v.Guardado("11030100104", "DESCRIPCION"), "SUPERMERCADO EL SOL");
        EXPECT_EQ(Auditadas(), 0);
        // The change is still the one a save writes, on the account shown.
        v.guion().esperarMsgBox(vb::vbNo);  // its additional data, not now
        Tecla(Qt::Key_F4);
        EXPECT_EQ(v.Guardado("11030100104", "DESCRIPCION"), "SUPERMERCADO EL SOL Z");
        EXPECT_EQ(v.Guardado("11030100103", "DESCRIPCION"), "ALMACEN DON PEDRO");
        // Back as it was for the next road.
        v.base().ejecutar(
            "UPDATE MA_CUENTAS SET DESCRIPCION = 'SUPERMERCADO EL SOL' WHERE CODIGO = '11030100104'");
        v.base().ejecutar("DELETE FROM MV_CPTEACCIONES");
        v.f().Treev_Estado(false);
        v.EscribirCodigo("11030100104");
        ASSERT_EQ(Caja("txtFields", 0)->text().trimmed(), "SUPERMERCADO EL SOL");
    }
}

TEST_F(ChartUnsavedChange, YesLoadsTheOtherAccountAndNothingIsWritten) {
    AgregaZ();
    v.guion().esperarMsgBox(vb::vbYes);
    Escribe(Caja("TxtCodigo"), "11030100103");
    Tecla(Qt::Key_Return);
    EXPECT_EQ(v.guion().preguntas(), QList<Pregunta>{kAbandono});
    EXPECT_TRUE(v.f().CuentaGuardada());
    EXPECT_EQ(Codigo(Caja("txtFields", 1)), "11030100103");
    EXPECT_EQ(Caja("txtFields", 0)->text().trimmed(), "ALMACEN DON PEDRO");
    EXPECT_EQ(v.Guardado("11030100104", "DESCRIPCION"), "SUPERMERCADO EL SOL");
    EXPECT_EQ(Auditadas(), 0);
}

TEST_F(ChartUnsavedChange, NothingChangedNothingAsked) {
    // Into the description and out again, without a key that changes it.
    Clic(Caja("txtFields", 0));
    Tecla(Qt::Key_End);
    Escribe(Caja("TxtCodigo"), "11030100103");
    Tecla(Qt::Key_Return);
    EXPECT_TRUE(v.guion().preguntas().isEmpty());
    EXPECT_EQ(Caja("txtFields", 0)->text().trimmed(), "ALMACEN DON PEDRO");
}

}  // namespace
