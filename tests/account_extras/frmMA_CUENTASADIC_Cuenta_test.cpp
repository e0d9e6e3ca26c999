// The additional data as the chart opens it, driven by keys: it acts only on the account it was
// opened for or that its user loaded, a cleared form writes nothing, F4 and the toolbar button
// are one road, and a value shown aligned to its column is edited as the text it is.
#include "account_extras/frmMA_CUENTASADIC.h"
#include "accounts/CuentasDePrueba.h"
#include "accounts/EnlacesCuentas.h"
#include "outside/controls/BarraBotones.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/UtilVex.h"
#include "support/ContenidoBase.h"
#include "support/Control.h"
#include "support/Teclado.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QToolButton>

namespace {

// A user at the chart who opens the additional data of the account shown and works in it.
class Usuario {
  public:
    explicit Usuario(const QString& usuario, QStringList datos = {})
        : v(datos << "UPDATE MA_CUENTAS SET CONFIDENCIAL = 1 WHERE CODIGO = '11030100103'", usuario) {
        EnlacesCuentas::RegistraFormulariosDelSistema();
        v.Iniciar();
    }

    // "Datos Adicionales" of the account the chart shows; the window, active.
    frmMA_CUENTASADIC& Abre(const QString& cuenta) {
        QApplication::setActiveWindow(&v.f());
        if (!v.f().CuentaGuardada() ||
            Control<vb::CajaTexto>(v.f(), "TxtCodigo")->text().remove('-') != cuenta)
            v.EscribirCodigo(cuenta);
        Control<vb::BarraBotones>(v.f(), "Tbar")->Pulsa(2);
        QApplication::processEvents();
        EXPECT_TRUE(frmMA_CUENTASADIC::Existe());
        frmMA_CUENTASADIC& f = frmMA_CUENTASADIC::instancia();
        teclado::Activa(&f);
        f_ = &f;
        return f;
    }
    vb::CajaTexto* Caja(int i) { return Control<vb::CajaTexto>(*f_, "txtFields", i); }
    // A click in the field, its text replaced by the one typed key by key, the code search (if it
    // opened) left with Escape, and Enter.
    void Escribe(int i, const QString& texto) {
        QTest::mouseClick(Caja(i), Qt::LeftButton);
        Caja(i)->selectAll();
        teclado::Teclea(texto);
        if (Control<vb::BusquedaCodigo>(*f_, "BusquedaCodigo1")->Visible()) teclado::Tecla(Qt::Key_Escape);
        teclado::Tecla(Qt::Key_Return);
    }
    // A click in the field, End, and the text typed after what it shows.
    void Agrega(int i, const QString& texto) {
        QTest::mouseClick(Caja(i), Qt::LeftButton);
        teclado::Tecla(Qt::Key_End);
        teclado::Teclea(texto);
    }
    void Boton(const QString& accion) {
        QTest::mouseClick(Control<UtilVex>(*f_, "UtilVex1")->Boton(accion), Qt::LeftButton);
        QApplication::processEvents();
    }
    bool Abierta() const { return frmMA_CUENTASADIC::Existe() && frmMA_CUENTASADIC::instancia().isVisible(); }
    QStringList Fila(const QString& cuenta, const QString& columnas) {
        return v.base()
            .filas("SELECT " + columnas + " FROM MA_CUENTASADIC WHERE CODIGO = '" + cuenta + "'")
            .value(0);
    }

    CuentasDePrueba v;

  private:
    frmMA_CUENTASADIC* f_ = nullptr;
};

class AdditionalDataAccount : public ::testing::TestWithParam<const char*> {};

// New, then Delete and Save: nothing loaded, nothing asked, nothing written, the confidential
// account one row away included. Delete on the account shown removes its row only, and the form
// then shows no other row, so a second Delete or a Save has nothing to act on.
TEST_P(AdditionalDataAccount, ItActsOnlyOnTheAccountItWasOpenedFor) {
    Usuario u(GetParam());
    frmMA_CUENTASADIC& f = u.Abre("11030100104");
    EXPECT_EQ(u.Caja(1)->text().trimmed(), "LAURA MENDEZ");
    const ContenidoBase antes = Contenido(u.v.base());
    QTest::mouseClick(u.Caja(1), Qt::LeftButton);
    for (Qt::Key k : {Qt::Key_F2, Qt::Key_F3, Qt::Key_F4}) teclado::Tecla(k);
    u.Boton("BORRAR");
    u.Boton("GRABAR");
    EXPECT_EQ(f.Cuenta(), "");
    EXPECT_TRUE(u.v.guion().preguntas().isEmpty());
    EXPECT_EQ(Diferencias(antes, Contenido(u.v.base())), QStringList());
    u.Boton("CANCELAR");
    ASSERT_FALSE(u.Abierta());

    frmMA_CUENTASADIC& g = u.Abre("11030100104");
    const QStringList fila =
        u.v.base().filas("SELECT * FROM MA_CUENTASADIC WHERE CODIGO = '11030100104'").value(0);
    u.v.guion().esperarMsgBox(vb::vbYes);
    QTest::mouseClick(u.Caja(2), Qt::LeftButton);
    teclado::Tecla(Qt::Key_F3);
    EXPECT_EQ(u.v.guion().preguntas().value(0).texto, "Confirma la baja de este registro?");
    EXPECT_EQ(g.Cuenta(), "");
    for (vb::CajaTexto* c : Controles<vb::CajaTexto>(g, "txtFields"))
        EXPECT_EQ(c->text(), "") << c->DataField.toStdString();
    EXPECT_EQ(Control<QLabel>(g, "LblTitulo")->text(), "...");
    teclado::Tecla(Qt::Key_F3);
    teclado::Tecla(Qt::Key_F4);
    EXPECT_EQ(u.v.guion().preguntas().size(), 1);
    EXPECT_EQ(Diferencias(antes, Contenido(u.v.base())), QStringList{"MA_CUENTASADIC -" + fila.join('|')});
}

// F4 and the toolbar's "Grabar" run one save with one outcome: a valid change is stored once and
// the window closes without a word; a refused field is said once and the window stays, as typed.
TEST_P(AdditionalDataAccount, F4AndTheSaveButtonAreOneRoad) {
    Usuario u(GetParam());
    for (const bool porTecla : {true, false}) {
        SCOPED_TRACE(porTecla ? "F4" : "Grabar");
        const auto graba = [&] {
            if (porTecla)
                teclado::Tecla(Qt::Key_F4);
            else
                u.Boton("GRABAR");
        };
        const qsizetype dichas = u.v.guion().preguntas().size();
        u.Abre("11030100104");
        u.Agrega(1, porTecla ? " A" : " B");
        graba();
        EXPECT_FALSE(u.Abierta());
        EXPECT_EQ(u.Fila("11030100104", "TRIM(CONTACTO)"),
                  QStringList{porTecla ? "LAURA MENDEZ A" : "LAURA MENDEZ A B"});
        EXPECT_EQ(u.v.guion().preguntas().size(), dichas);

        u.Abre("11030100104");
        const QStringList antes = u.Fila("11030100104", "*");
        QTest::mouseClick(u.Caja(2), Qt::LeftButton);
        u.Caja(2)->selectAll();
        teclado::Tecla(Qt::Key_Delete);
        u.Agrega(1, " C");
        u.v.guion().esperarMsgBox(vb::vbOK);
        graba();
        ASSERT_EQ(u.v.guion().preguntas().size(), dichas + 1);
        EXPECT_EQ(u.v.guion().preguntas().last().texto, "Debe ingresar el campo : Calle");
        EXPECT_TRUE(u.Abierta());
        EXPECT_EQ(QApplication::focusWidget(), u.Caja(2));
        EXPECT_TRUE(u.Caja(1)->text().endsWith(" C"));
        EXPECT_EQ(u.Fila("11030100104", "*"), antes);
        u.Boton("CANCELAR");
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryUser, AdditionalDataAccount, ::testing::Values("ADMIN", "OPERADOR"));

}  // namespace
