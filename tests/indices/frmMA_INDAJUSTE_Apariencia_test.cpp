#include "indices/frmMA_INDAJUSTE.h"

#include "outside/controls/BarraEstado.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/SkinFramework.h"
#include "outside/maker/ArchivoIni.h"
#include "outside/maker/SistemaPC.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"
#include "support/Control.h"
#include "support/LocaleNumeros.h"
#include "support/VentanaIndices.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>
#include <algorithm>

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
    EXPECT_EQ(Control<SkinFramework>(v.f(), "SkinFramework1")->ArchivoHoja(),
              programa + "/Styles/WinXP.Royale.qss");
    EXPECT_EQ(v.f().windowIcon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::blue));

    BarraEstado& barra = *Control<BarraEstado>(v.f(), "sbStatusBar");
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

namespace {
// A stored number as the "," locale shows it, with the grid's decimals.
QString ComoSeMuestra(const QString& guardado, int decimales) {
    return LocaleNumeros::coma().toString(guardado.toDouble(), 'f', decimales).remove('.');
}
}  // namespace

TEST(IndexWindowAppearance, EveryNumberTypedOrComputedIsDrawnWholeAsItIsStored) {
    VentanaIndices v(true, {}, "ADMIN", LocaleNumeros::coma());
    v.Iniciar();
    v.Escribir(1, 1, "123,5");      // closing index 1670,89: coefficient 13,529
    v.Escribir(2, 1, "12,5");       // 133,671
    v.Escribir(1, 3, "0,0001");     // closing index 1258,92: 12589200,000
    v.Escribir(2, 3, "6945,2937");  // as the published indices come
    ASSERT_TRUE(v.guion().preguntas().isEmpty());

    struct Esperado {
        int fila, columna;
        QString texto, campo;
        int decimales;
    };
    const Esperado esperados[] = {{1, 2, "13,529", "Indice1", 3},
                                  {2, 2, "133,671", "Indice1", 3},
                                  {1, 4, "12589200,000", "Indice2", 3},
                                  {2, 3, "6945,2937", "Importe2", 4}};
    auto* g = Control<vb::FlexGrid>(v.f(), "FgAsiento");
    for (const Esperado& e : esperados) {
        SCOPED_TRACE(e.texto.toStdString());
        g->setTopRow(1);
        EXPECT_EQ(v.Celda(e.fila, e.columna).trimmed(), e.texto);
        EXPECT_EQ(ComoSeMuestra(v.Guardado(2022, e.fila, e.campo), e.decimales), e.texto);
        // Brought into view, as a user scrolls to it.
        g->setLeftCol(e.columna);
        EXPECT_EQ(g->TextoMostrado(e.fila, e.columna), v.Celda(e.fila, e.columna));
    }
}

TEST(IndexWindowAppearance, TheGridIsATableToAssistiveTechnologyAndItsCurrentCellFollowsTheKeys) {
    VentanaIndices v;
    v.Iniciar();
    auto* g = Control<vb::FlexGrid>(v.f(), "FgAsiento");
    QAccessibleInterface* grilla = QAccessible::queryAccessibleInterface(g);
    ASSERT_NE(grilla, nullptr);
    EXPECT_EQ(grilla->role(), QAccessible::Table);
    QAccessibleTableInterface* tabla = grilla->tableInterface();
    ASSERT_NE(tabla, nullptr);
    EXPECT_EQ(tabla->rowCount(), g->Rows());
    EXPECT_EQ(tabla->columnCount(), 9);
    ASSERT_NE(tabla->cellAt(1, 0), nullptr);
    EXPECT_EQ(tabla->cellAt(1, 0)->text(QAccessible::Name), "01/2022");
    EXPECT_EQ(tabla->cellAt(0, 1)->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(tabla->columnDescription(1), "I.P.I.M.");
    EXPECT_EQ(tabla->rowDescription(1), "01/2022");
    // The head objects a screen reader asks the table for, through the first row's and column's cells.
    EXPECT_EQ(
        tabla->cellAt(0, 3)->tableCellInterface()->columnHeaderCells().value(0)->text(QAccessible::Name),
        "I.P.C.");
    EXPECT_EQ(tabla->cellAt(2, 0)->tableCellInterface()->rowHeaderCells().value(0)->text(QAccessible::Name),
              "02/2022");
    QAccessibleInterface* celda = tabla->cellAt(1, 1);
    EXPECT_EQ(grilla->indexOfChild(celda), 1 * 9 + 1);
    EXPECT_EQ(grilla->child(1 * 9 + 0)->text(QAccessible::Name), "01/2022");
    EXPECT_EQ(celda->text(QAccessible::Name), g->TextMatrix(1, 1));

    v.Clic(1, 1);
    ASSERT_EQ(QApplication::focusWidget(), g);
    v.Tecla(Qt::Key_Down);
    v.Tecla(Qt::Key_Right);
    QAccessibleInterface* actual = grilla->focusChild();
    ASSERT_NE(actual, nullptr);
    EXPECT_EQ(actual->tableCellInterface()->rowIndex(), 2);
    EXPECT_EQ(actual->tableCellInterface()->columnIndex(), 2);
    EXPECT_TRUE(actual->state().focused);
    EXPECT_EQ(tabla->selectedCells(), QList<QAccessibleInterface*>{actual});
}

TEST(IndexWindowAppearance, TabAndShiftTabLeaveTheGridWithoutOpeningTheCellEditor) {
    VentanaIndices v;
    v.Iniciar();
    auto* g = Control<vb::FlexGrid>(v.f(), "FgAsiento");
    v.Clic(1, 1);
    ASSERT_EQ(QApplication::focusWidget(), g);
    v.Tecla(Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), g);
    EXPECT_FALSE(Control<vb::CajaTexto>(v.f(), "BrwTxt", 0)->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), g);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_NE(QApplication::focusWidget(), g);
    EXPECT_FALSE(Control<vb::CajaTexto>(v.f(), "BrwTxt", 0)->isVisible());
    EXPECT_EQ(g->Row(), 1);
    EXPECT_EQ(g->Col(), 1);
}

TEST(IndexWindowAppearance, AtTwiceTheFontSizeEveryTextOfTheGridIsWhole) {
    VentanaIndices v(true, {}, "ADMIN", LocaleNumeros::coma());
    v.Iniciar();
    auto* g = Control<vb::FlexGrid>(v.f(), "FgAsiento");
    QFont grande = v.f().font();
    grande.setPointSizeF(grande.pointSizeF() * 2);
    v.f().setFont(grande);
    ASSERT_EQ(g->font().pointSizeF(), grande.pointSizeF());
    for (int c = 0; c < g->Cols(); ++c) {
        g->setLeftCol(std::max(c, 1));
        for (int r = 0; r <= 2; ++r) EXPECT_EQ(g->TextoMostrado(r, c), g->TextMatrix(r, c)) << r << "," << c;
    }
    // The cell editor covers the whole cell.
    v.DobleClic(1, 1);
    EXPECT_GE(Control<vb::CajaTexto>(v.f(), "BrwTxt", 0)->height(), QFontMetrics(grande).height());
}
