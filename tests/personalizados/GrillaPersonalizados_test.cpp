// The personalised fields of a row in the two-column grid, edited through the cell editor.
#include "personalizados/GrillaPersonalizados.h"

#include "outside/ado/Connection.h"
#include "outside/ado/Recordset.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "support/BaseDePrueba.h"
#include "support/DialogosGuionados.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>
#include <QWidget>

namespace {

class PersonalisedGrid : public ::testing::Test {
  protected:
    void SetUp() override {
        vb::setLocaleNumeros(QLocale::c());
        ASSERT_TRUE(base_.valida()) << base_.error().toStdString();
        cn_ = ado::Connection::Crear();
        cn_->Open(base_.cadenaConexion());
        ventana_.resize(600, 300);
        grilla_ = new vb::FlexGrid(&ventana_);
        grilla_->setGeometry(10, 10, 500, 200);
        editor_ = new vb::CajaTexto(&ventana_);
        g_ = std::make_unique<personalizados::GrillaPersonalizados>(
            grilla_, editor_, personalizados::GrillaPersonalizados::FormaCuentas());
        ventana_.show();
        QApplication::setActiveWindow(&ventana_);
    }
    void TearDown() override { vb::setLocaleNumeros(QLocale::c()); }

    ado::RecordsetPtr Abrir(const QString& sql) {
        auto rs = ado::Recordset::Crear();
        rs->Open(sql, cn_, ado::adOpenDynamic, ado::adLockOptimistic);
        return rs;
    }
    // Moves to the value cell of the row and types there; the first key opens the editor.
    void Escribir(int fila, const QString& texto) {
        grilla_->setRow(fila);
        grilla_->setCol(1);
        grilla_->setFocus();
        QApplication::processEvents();
        QTest::keyClicks(grilla_, texto.left(1));
        QTest::keyClicks(editor_, texto.mid(1));
    }
    void Tecla(Qt::Key k) {
        QTest::keyClick(editor_, k);
        QApplication::processEvents();
    }

    BaseDePrueba base_{false,
                       {"CREATE TABLE PRUEBA (ID int PRIMARY KEY, NOMBRE varchar(10), P_TEXTO varchar(20), "
                        "XP_NO varchar(10), p_Numero decimal(18,2), P_FECHA datetime)",
                        "INSERT INTO PRUEBA VALUES (1, 'UNO', '  hola  ', 'x', 12.5, '2026-03-01')"}};
    ado::ConnectionPtr cn_;
    QWidget ventana_;
    vb::FlexGrid* grilla_ = nullptr;
    vb::CajaTexto* editor_ = nullptr;
    std::unique_ptr<personalizados::GrillaPersonalizados> g_;
};

}  // namespace

TEST_F(PersonalisedGrid, ListsTheFieldsThatBeginWithPInAnyCaseWithTheirPlainValues) {
    g_->AsignarPersonalizados(Abrir("SELECT * FROM PRUEBA"));
    ASSERT_EQ(grilla_->Rows(), 4);
    EXPECT_EQ(grilla_->TextMatrix(0, 0), "Campo");
    EXPECT_EQ(grilla_->TextMatrix(0, 1), "Valor");
    EXPECT_EQ(grilla_->TextMatrix(1, 0), "P_TEXTO");
    EXPECT_EQ(grilla_->TextMatrix(1, 1), "hola");
    EXPECT_EQ(grilla_->TextMatrix(2, 0), "p_Numero");
    EXPECT_EQ(grilla_->TextMatrix(2, 1), "12.5");
    EXPECT_EQ(grilla_->TextMatrix(3, 1), "01/03/2026");
    EXPECT_EQ(grilla_->FixedRows(), 1);
    EXPECT_EQ(grilla_->FixedCols(), 1);
    EXPECT_EQ(grilla_->ColWidth(1), 2000);

    // No current row: the names, no values.
    g_->AsignarPersonalizados(Abrir("SELECT * FROM PRUEBA WHERE ID = 0"));
    ASSERT_EQ(grilla_->Rows(), 4);
    EXPECT_EQ(grilla_->TextMatrix(2, 0), "p_Numero");
    EXPECT_EQ(grilla_->TextMatrix(2, 1), "");
    // No personalised field: the title row only.
    g_->AsignarPersonalizados(Abrir("SELECT ID, NOMBRE, XP_NO FROM PRUEBA"));
    EXPECT_EQ(grilla_->Rows(), 1);
}

TEST_F(PersonalisedGrid, TheEditorCommitsOnEnterUpAndDownAndEscapeDropsTheEdit) {
    g_->AsignarPersonalizados(Abrir("SELECT * FROM PRUEBA"));
    // Escape: the cell keeps its text.
    Escribir(1, "adios");
    ASSERT_TRUE(editor_->isVisible());
    Tecla(Qt::Key_Escape);
    EXPECT_FALSE(editor_->isVisible());
    EXPECT_EQ(grilla_->TextMatrix(1, 1), "hola");
    // Enter commits and moves down; on the last row it stays.
    Escribir(1, "chau");
    Tecla(Qt::Key_Return);
    EXPECT_EQ(grilla_->TextMatrix(1, 1), "chau");
    EXPECT_EQ(grilla_->Row(), 2);
    Escribir(3, "02/03/2026");
    Tecla(Qt::Key_Return);
    EXPECT_EQ(grilla_->TextMatrix(3, 1), "02/03/2026");
    EXPECT_EQ(grilla_->Row(), 3);
    // Up on the first field row commits and stays.
    Escribir(1, "otra");
    Tecla(Qt::Key_Up);
    EXPECT_EQ(grilla_->TextMatrix(1, 1), "otra");
    EXPECT_EQ(grilla_->Row(), 1);
    // A double click opens the editor on the cell's text with the caret at its end.
    grilla_->setRow(2);
    g_->MSFlexGrid1_DblClick();
    EXPECT_EQ(editor_->text(), "12.5");
    EXPECT_EQ(editor_->SelStart(), 4);
}

TEST_F(PersonalisedGrid, TheDecimalSeparatorIsTypedOnceAndOnlyInNumericFields) {
    vb::setLocaleNumeros(QLocale(QLocale::Spanish, QLocale::Argentina));
    g_->AsignarPersonalizados(Abrir("SELECT * FROM PRUEBA"));
    // The first key on the grid is taken as typed.
    Escribir(2, ",5.3,1");
    EXPECT_EQ(editor_->text(), ",531");
    Tecla(Qt::Key_Escape);
    Escribir(2, "7.25");
    EXPECT_EQ(editor_->text(), "7,25");
    Tecla(Qt::Key_Return);
    // A text keeps every "." and "," typed.
    Escribir(1, "a.b,c.d");
    EXPECT_EQ(editor_->text(), "a.b,c.d");
    Tecla(Qt::Key_Return);
    EXPECT_EQ(g_->Campos().at(0), (QPair<QString, QString>{"P_TEXTO", "a.b,c.d"}));
}

TEST_F(PersonalisedGrid, GrabarCopiesEveryRowIntoTheRecordAndSkipsAFieldThatRefusesItsText) {
    auto rs = Abrir("SELECT * FROM PRUEBA");
    g_->AsignarPersonalizados(rs);
    grilla_->setTextMatrix(1, 1, "nuevo");
    grilla_->setTextMatrix(2, 1, "no es numero");
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbIgnore);
    g_->GrabarPersonalizados(rs);
    rs->Update();
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_TRUE(guion.preguntas()[0].texto.contains("GrabarPersonalizados"))
        << guion.preguntas()[0].texto.toStdString();
    EXPECT_EQ(base_.escalar("SELECT P_TEXTO FROM PRUEBA").toString(), "nuevo");
    EXPECT_EQ(base_.escalar("SELECT p_Numero FROM PRUEBA").toDouble(), 12.5);
    EXPECT_EQ(base_.escalar("SELECT P_FECHA FROM PRUEBA").toString(), "2026-03-01");
}
