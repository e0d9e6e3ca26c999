// The additional data of a customer account created in the chart, saved as a user saves it: a
// refused save leaves nothing behind, and the next one writes every corrected field once.
#include "account_extras/frmMA_CUENTASADIC.h"
#include "accounts/CuentasDePrueba.h"
#include "accounts/EnlacesCuentas.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/Teclas.h"
#include "outside/controls/UtilVex.h"
#include "support/Control.h"
#include "support/LocaleNumeros.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

// A user at the additional-data window: clicks a field, types, leaves it with Enter.
class Usuario {
  public:
    explicit Usuario(frmMA_CUENTASADIC& f) : f_(f) {}

    void Escribe(int indice, const QString& texto) {
        vb::CajaTexto* caja = Control<vb::CajaTexto>(f_, "txtFields", indice);
        QTest::mouseClick(caja, Qt::LeftButton);
        caja->selectAll();
        Teclea(texto);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
    }
    void Solapa(int indice) {
        QTabBar* barra = Control<QTabWidget>(f_, "SSTab1")->tabBar();
        QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(indice).center());
        QApplication::processEvents();
    }
    // The value cell of a personalised field, clicked and typed into.
    void Personalizado(const QString& campo, const QString& texto) {
        vb::FlexGrid* g = Control<vb::FlexGrid>(f_, "MSFlexGrid1");
        int fila = -1;
        for (int r = 1; r < g->Rows(); ++r)
            if (g->TextMatrix(r, 0).compare(campo, Qt::CaseInsensitive) == 0) fila = r;
        ASSERT_GT(fila, 0) << campo.toStdString();
        const int y = g->viewport()->mapFrom(g, QPoint(0, 0)).y();
        QPoint donde(vb::PixelesDeTwips(g->ColWidth(0)) + 4, 0);
        for (int r = 0; r < fila; ++r) donde.ry() += vb::PixelesDeTwips(g->RowHeight(r));
        donde.ry() += 4 + y;
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, donde);
        Teclea(texto);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
    }
    void Graba() {
        QTest::mouseClick(Control<UtilVex>(f_, "UtilVex1")->Boton("GRABAR"), Qt::LeftButton);
        QApplication::processEvents();
    }

  private:
    static void Teclea(const QString& texto) {
        for (QChar c : texto) QTest::keyClicks(QApplication::focusWidget(), QString(c));
    }
    frmMA_CUENTASADIC& f_;
};

}  // namespace

TEST(AdditionalDataFromTheChart, ARefusedSaveLeavesNothingPendingAndTheNextWritesEveryCorrectedField) {
    CuentasDePrueba c({"DELETE FROM MA_CUENTAS WHERE CODIGO = '11030100123'",
                       "UPDATE TA_CONFIGURACION SET VALOR = 'L2' WHERE CLAVE = 'ClaseDePrecioDefault'"});
    LocaleNumeros coma(LocaleNumeros::coma());
    EnlacesCuentas::RegistraFormulariosDelSistema();
    c.Iniciar();
    c.EscribirCodigo("11030100123");
    c.EscribirCampo(0, "CLIENTE NUEVO");
    c.guion().esperarMsgBox(vb::vbYes);
    c.Boton("GRABAR");
    ASSERT_TRUE(frmMA_CUENTASADIC::Existe());
    frmMA_CUENTASADIC& f = frmMA_CUENTASADIC::instancia();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    ASSERT_TRUE(f.CuentaNueva());

    Usuario u(f);
    const QList<std::pair<int, QString>> generales{
        {2, "SAN MARTIN"}, {3, "123"}, {6, "8300"},           {7, "NEUQUEN"}, {8, "6"},
        {9, "1"},          {11, "80"}, {12, "30-12345678-9"}, {13, "1"}};
    for (const auto& [i, texto] : generales) u.Escribe(i, texto);
    u.Solapa(1);
    u.Escribe(18, "abc");
    u.Escribe(19, "2");
    u.Solapa(2);
    u.Personalizado("P_RUBRO", "FERRETERIA");
    c.guion().esperarMsgBox(vb::vbOK);
    u.Graba();
    ASSERT_EQ(c.guion().preguntas().last().titulo, "Error en conversion de datos");
    EXPECT_TRUE(c.guion().preguntas().last().texto.endsWith("En el campo: /LIMITE_CREDITO"));
    EXPECT_EQ(c.base().escalar("SELECT COUNT(*) FROM MA_CUENTASADIC WHERE CODIGO = '11030100123'").toInt(),
              0);
    // The user is back in the refused field, on its tab, the only one in the focus colour.
    EXPECT_EQ(QApplication::focusWidget(), Control<vb::CajaTexto>(f, "txtFields", 18));
    EXPECT_EQ(Control<QTabWidget>(f, "SSTab1")->currentIndex(), 1);
    const QColor foco = Control<vb::CajaTexto>(f, "txtFields", 18)->palette().color(QPalette::Base);
    for (int i = 0; i < 24; ++i) {
        if (i == 18) continue;
        EXPECT_NE(Control<vb::CajaTexto>(f, "txtFields", i)->palette().color(QPalette::Base), foco) << i;
    }

    u.Escribe(18, "1500,50");
    u.Graba();
    EXPECT_FALSE(frmMA_CUENTASADIC::Existe() && f.isVisible());
    EXPECT_EQ(c.base().filas("SELECT TRIM(CALLE), LIMITE_CREDITO, idcategoria, TRIM(P_RUBRO), CLASE, "
                             "TRIM(NUMERO_DOCUMENTO) FROM MA_CUENTASADIC WHERE CODIGO = '11030100123'"),
              (QList<QStringList>{{"SAN MARTIN", "1500.5", "   2", "FERRETERIA", "L2", "30-12345678-9"}}));
    EnlacesCuentas::RegistraFormulario("frmMA_CUENTASADIC", {});
}
