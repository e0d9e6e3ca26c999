// Fixed lists of options and the lines of a text file, offered in the list window.
#include "lookup/Lib_ClsCons3.h"
#include "support/Pide.h"

#include "outside/controls/ListView.h"
#include "support/ConsultaDePrueba.h"
#include "support/Control.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

class LookupOptions : public ConsultaDePrueba {
  protected:
    static QStringList Filas(Lib_FrmCons3& v) {
        QStringList f;
        for (int r = 1; r <= Control<vb::ListView>(v, "ListView1")->ListItemsCount(); ++r)
            f << (Control<vb::ListView>(v, "ListView1")->Checked(r) ? "[x] " : "[ ] ") +
                     Control<vb::ListView>(v, "ListView1")->ItemText(r);
        return f;
    }
};

}  // namespace

TEST_F(LookupOptions, CheckedOptionsComeBackWithoutTheirFlags) {
    Lib_ClsCons3& c = gConsulta();
    AlMostrar([](Lib_FrmCons3& v) {
        EXPECT_EQ(v.windowTitle(), "Provincias");
        EXPECT_TRUE(Control<QPushButton>(v, "CmdNueva")->isHidden());
        EXPECT_EQ(Control<vb::ListView>(v, "ListView1")->ColumnHeaderText(1), "Provincias");
        EXPECT_EQ(Filas(v), (QStringList{"[x] Uno", "[ ] Dos"}));
        // No statement: F5 narrows nothing and "N&uevo" opens nothing.
        Control<QComboBox>(v, "CmbSearch", 0)->setFocus();
        QTest::keyClick(Control<QComboBox>(v, "CmbSearch", 0), Qt::Key_F5);
        v.CmdNuevo_Click();
        EXPECT_EQ(Control<vb::ListView>(v, "ListView1")->ListItemsCount(), 2);
        Control<vb::ListView>(v, "ListView1")->setChecked(2, true);
        QTest::keyClick(Control<vb::ListView>(v, "ListView1"), Qt::Key_Return);
    });
    EXPECT_EQ(c.CheckOpciones("Provincias", QVariant(), {"1Uno", "0Dos"}), "");
    EXPECT_EQ(*c.Valores, (QVariantList{"Uno", "Dos"}));

    // A single option, given as one list, is offered too.
    AlMostrar([](Lib_FrmCons3& v) { EXPECT_EQ(Filas(v), QStringList{"[ ] Tres"}); });
    c.CheckOpciones("Otra", QVariant(), {QVariant(QStringList{"0Tres"})});
    EXPECT_FALSE(c.Valores);  // cancelled
}

TEST_F(LookupOptions, AMenuReturnsTheChosenOptionAndWidensToItsLongestText) {
    const QString larga(60, QLatin1Char('M'));
    AlMostrar([&](Lib_FrmCons3& v) {
        Pide(v, [&](auto& p) { p.anchoPantallaFijo = 20000; });
        EXPECT_EQ(Filas(v), (QStringList{"[ ] Alta", "[ ] " + larga}));
        EXPECT_FALSE(Control<vb::ListView>(v, "ListView1")->CheckBoxes());
        Control<QComboBox>(v, "CmbSearch", 0)->setEditText("al");
        QTest::keyClick(Control<vb::ListView>(v, "ListView1"), Qt::Key_Return);
    });
    EXPECT_EQ(gConsulta().MenuOpciones("Opciones", {"Alta", larga}), "Alta");
}

TEST_F(LookupOptions, TheLinesOfAWindowsFileAreOfferedAndAMissingFileIsSaid) {
    const QString ruta = programa_.filePath("localidades.txt");
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        "Bah\xed"
        "a Blanca\r\nCa\xf1uelas\r\nGeneral Daniel Cerri\r\n");
    f.close();
    AlMostrar([](Lib_FrmCons3& v) {
        EXPECT_EQ(Filas(v), (QStringList{"[ ] Bahía Blanca", "[ ] Cañuelas", "[ ] General Daniel Cerri"}));
        Control<vb::ListView>(v, "ListView1")->setSelectedItem(2);
        v.ListView1_DblClick();
    });
    EXPECT_EQ(gConsulta().ConsultaDesdeArchivo("Localidades", ruta), "Cañuelas");

    guion_.esperarMsgBox(vb::vbOK);
    EXPECT_EQ(gConsulta().ConsultaDesdeArchivo("Localidades", programa_.filePath("no.txt")), "");
    EXPECT_EQ(guion_.preguntas().last().texto,
              "No existe el archivo " + programa_.filePath("no.txt") + " que desea consultar consulta ");
}

// Short options and title: the window still holds "Aceptar" and "Cancelar" whole, side by side.
TEST_F(LookupOptions, AListOfShortOptionsIsAtLeastAsWideAsItsButtons) {
    AlMostrar([](Lib_FrmCons3& v) {
        Pide(v, [&](auto& p) { p.anchoPantallaFijo = 20000; });
        const QRect aceptar = Control<QPushButton>(v, "CmdAceptar")->geometry(),
                    cancelar = Control<QPushButton>(v, "CmdCancelar")->geometry();
        const QFontMetrics fm(Control<QPushButton>(v, "CmdAceptar")->font());
        EXPECT_GE(aceptar.width(), fm.horizontalAdvance("Aceptar"));
        EXPECT_GE(cancelar.width(), fm.horizontalAdvance("Cancelar"));
        EXPECT_LE(aceptar.right(), cancelar.left());  // side by side, not one under the other
        EXPECT_EQ(aceptar.top(), cancelar.top());
        const QRect marco = Control<QPushButton>(v, "CmdAceptar")->parentWidget()->rect();
        EXPECT_TRUE(marco.contains(aceptar) && marco.contains(cancelar));
        EXPECT_LE(cancelar.right(), v.width());
        Control<QPushButton>(v, "CmdCancelar")->click();
    });
    gConsulta().CheckOpciones("Opciones", QVariant(), {"1Uno", "0Dos", "XTres"});
}

// The list window opens with its whole frame, title bar included, inside its screen.
TEST_F(LookupOptions, TheListWindowOpensWithItsWholeFrameOnTheScreen) {
    AlMostrar([](Lib_FrmCons3& v) {
        const QRect libre = v.screen()->availableGeometry();
        EXPECT_TRUE(libre.contains(v.frameGeometry()));
        EXPECT_GT(v.geometry().top(), v.frameGeometry().top());
    });
    gConsulta().MenuOpciones("Opciones", {"Alta", "Baja"});
}
