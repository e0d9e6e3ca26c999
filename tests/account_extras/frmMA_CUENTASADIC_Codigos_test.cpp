// A coded field of the additional data as the user replaces its code: the code search starts from
// the field's text as edited, never from what the field held before.
#include "account_extras/frmMA_CUENTASADIC.h"

#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "services/CNStuffContable.h"
#include "support/AbrirComo.h"
#include "support/BaseDePrueba.h"
#include "support/Control.h"
#include "support/DialogosGuionados.h"
#include "support/FinObservado.h"
#include "support/ProgramaDePrueba.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>

TEST(AdditionalDataCodes, CtrlABackSpaceAndANewCodeGiveTheNewCode) {
    FinObservado fin;
    ProgramaDePrueba programa;
    BaseDePrueba base(true, {"INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, TipoVista) VALUES "
                             "('11030199901', 'FERRETERIA', 0, 'CL')"});
    ASSERT_TRUE(base.valida()) << base.error().toStdString();
    ASSERT_TRUE(AbrirComo(base));
    DialogosGuionados guion;
    CNStuffContable::gCuentaActual = "11030199901";
    frmMA_CUENTASADIC& f = frmMA_CUENTASADIC::instancia();
    f.Form_Load();
    f.show();
    QApplication::setActiveWindow(&f);
    vb::CajaTexto* provincia = nullptr;
    for (vb::CajaTexto* c : Controles<vb::CajaTexto>(f, "txtFields"))
        if (c->DataField.compare("PROVINCIA", Qt::CaseInsensitive) == 0) provincia = c;
    ASSERT_NE(provincia, nullptr);
    provincia->setFocus();
    provincia->setText("99");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_FALSE(Control<vb::BusquedaCodigo>(f, "BusquedaCodigo1")->Visible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    ASSERT_TRUE(Control<vb::BusquedaCodigo>(f, "BusquedaCodigo1")->Visible());
    QTest::keyClicks(QApplication::focusWidget(), "5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(Control<vb::BusquedaCodigo>(f, "BusquedaCodigo1")->Visible());
    EXPECT_EQ(provincia->text(), "5");
    delete &f;
    CNStuffContable::gCuentaActual.clear();
}
