// Two programs with the index window open on one company file, each on its own connection: a
// save writes only what its user changed, keeps the other's changes, or refuses with a word; and
// every stored coefficient agrees with the stored indexes afterwards.
#include "support/CoeficientesAcordes.h"
#include "support/LocaleNumeros.h"
#include "support/VentanaIndices.h"

#include <gtest/gtest.h>

namespace {

// Grid row of a month of the demo, whose first month is 01/2022; one more with 12/2021 added.
int Fila(int anio, int mes, int antes = 0) {
    return (anio - 2022) * 12 + mes + antes;
}

// The demo with a month that no fiscal year holds, whose typed values are kept only on screen
// until a year "Grabar" writes them.
const QString kDiciembre2021 =
    "INSERT INTO MA_INDAJUSTE (Anio, Mes, Importe1, Importe2, Importe3, Importe4) VALUES (2021, 12, 100, 80, "
    "0, "
    "0)";

}  // namespace

// B types 13000 into I.P.I.M. of 06/2024, the closing month of 2023/24; A, who changed nothing
// of 2024, saves the year: B's index stands and the fiscal year's coefficients follow it.
TEST(IndexTwoUsers, AYearSaveKeepsAnIndexTheOtherUserTypedMeanwhile) {
    VentanaIndices a(true, {}, "ADMIN", LocaleNumeros::coma());
    a.Iniciar();
    OtroProgramaIndices b(a);
    {
        OtroProgramaIndices::Turno turno(b);
        b.Escribir(Fila(2024, 6), 1, "13000");
    }
    ASSERT_EQ(a.Guardado(2024, 6, "Importe1").toDouble(), 13000);
    a.EscribirAnio("2024");
    a.Tecla(Qt::Key_F4);
    EXPECT_TRUE(a.guion().preguntas().isEmpty());
    EXPECT_EQ(a.Guardado(2024, 6, "Importe1").toDouble(), 13000);
    EXPECT_EQ(a.Guardado(2024, 3, "Importe1").toDouble(), 3566.96);
    EXPECT_EQ(CoeficientesEnDesacuerdo(a.base()), QStringList());
    EXPECT_EQ(a.Guardado(2023, 7, "Indice1").toDouble(), 5.457);  // 13000 / 2382.47
}

// A typed I.P.I.M. of 12/2021 (kept on screen: no fiscal year holds it); B typed and saved the
// same value meanwhile. A's year save writes nothing, names the month and series, and shows the
// year as stored; another series of the month is kept and written.
TEST(IndexTwoUsers, AYearSaveOverTheOtherUsersChangeOfTheSameValueIsRefusedWithAWord) {
    VentanaIndices a(true, {kDiciembre2021}, "ADMIN", LocaleNumeros::coma());
    a.Iniciar();
    OtroProgramaIndices b(a);
    a.Escribir(1, 1, "500");
    a.Escribir(1, 3, "90");
    {
        OtroProgramaIndices::Turno turno(b);
        b.Escribir(1, 1, "600");
        b.EscribirAnio("2021");
        b.Tecla(Qt::Key_F4);
    }
    ASSERT_EQ(a.Guardado(2021, 12, "Importe1").toDouble(), 600);
    a.EscribirAnio("2021");
    a.guion().esperarMsgBox(vb::vbOK);
    a.Tecla(Qt::Key_F4);
    ASSERT_EQ(a.guion().preguntas().size(), 1);
    const Pregunta aviso = a.guion().preguntas().last();
    EXPECT_EQ(aviso.titulo, "Aviso al operador");
    EXPECT_TRUE(aviso.texto.contains("12/2021")) << aviso.texto.toStdString();
    EXPECT_TRUE(aviso.texto.contains("I.P.I.M.")) << aviso.texto.toStdString();
    EXPECT_EQ(a.Guardado(2021, 12, "Importe1").toDouble(), 600);
    EXPECT_EQ(a.Guardado(2021, 12, "Importe2").toDouble(), 80);
    EXPECT_EQ(a.Celda(1, 1), "600");
    EXPECT_EQ(a.Celda(1, 3), "80");
    EXPECT_TRUE(a.f().Rechazo());
}

// B changed another series of the month A changed: A's year save writes its own and keeps B's.
TEST(IndexTwoUsers, AYearSaveKeepsTheOtherUsersChangeOfAnotherSeries) {
    VentanaIndices a(true, {kDiciembre2021}, "ADMIN", LocaleNumeros::coma());
    a.Iniciar();
    OtroProgramaIndices b(a);
    a.Escribir(1, 1, "500");
    {
        OtroProgramaIndices::Turno turno(b);
        b.Escribir(1, 3, "95");
        b.EscribirAnio("2021");
        b.Tecla(Qt::Key_F4);
    }
    a.EscribirAnio("2021");
    a.Tecla(Qt::Key_F4);
    EXPECT_TRUE(a.guion().preguntas().isEmpty());
    EXPECT_FALSE(a.f().Rechazo());
    EXPECT_EQ(a.Guardado(2021, 12, "Importe1").toDouble(), 500);
    EXPECT_EQ(a.Guardado(2021, 12, "Importe2").toDouble(), 95);
}

// B changed an index of 2024 after A was shown it; A deletes 2024: nothing is deleted, A is told
// the month and series, and the grid shows what is stored.
TEST(IndexTwoUsers, AYearDeleteOverTheOtherUsersChangeIsRefusedWithAWord) {
    VentanaIndices a(true, {}, "ADMIN", LocaleNumeros::coma());
    a.Iniciar();
    OtroProgramaIndices b(a);
    {
        OtroProgramaIndices::Turno turno(b);
        b.Escribir(Fila(2024, 6), 3, "2700");
    }
    const auto antes = a.base().filas("SELECT * FROM MA_INDAJUSTE ORDER BY Anio, Mes");
    a.EscribirAnio("2024");
    a.guion().esperarMsgBox(vb::vbYes);
    a.guion().esperarMsgBox(vb::vbOK);
    a.Tecla(Qt::Key_F3);
    ASSERT_EQ(a.guion().preguntas().size(), 2);
    const Pregunta aviso = a.guion().preguntas().last();
    EXPECT_EQ(aviso.titulo, "Aviso al operador");
    EXPECT_TRUE(aviso.texto.contains("06/2024")) << aviso.texto.toStdString();
    EXPECT_TRUE(aviso.texto.contains("I.P.C.")) << aviso.texto.toStdString();
    EXPECT_TRUE(aviso.texto.contains("antes de que usted confirmara la baja")) << aviso.texto.toStdString();
    EXPECT_EQ(a.base().filas("SELECT * FROM MA_INDAJUSTE ORDER BY Anio, Mes"), antes);
    EXPECT_EQ(a.Celda(Fila(2024, 6), 3), "2700");
}

// B deleted 2024 (its reload adds the months again, empty) after A was shown it; A's index typed
// into 03/2024 is refused with a word, and the grid shows the empty month.
TEST(IndexTwoUsers, AnIndexTypedIntoAMonthTheOtherUserDeletedIsRefusedWithAWord) {
    VentanaIndices a(true, {}, "ADMIN", LocaleNumeros::coma());
    a.Iniciar();
    OtroProgramaIndices b(a);
    {
        OtroProgramaIndices::Turno turno(b);
        b.EscribirAnio("2024");
        a.guion().esperarMsgBox(vb::vbYes);
        b.Tecla(Qt::Key_F3);
    }
    ASSERT_EQ(a.Guardado(2024, 3, "Importe1").toDouble(), 0);
    a.guion().esperarMsgBox(vb::vbOK);
    a.Escribir(Fila(2024, 3), 1, "3600");
    ASSERT_EQ(a.guion().preguntas().size(), 2);
    EXPECT_EQ(a.guion().preguntas().last().titulo, "Aviso al operador");
    EXPECT_TRUE(a.guion().preguntas().last().texto.contains("03/2024"));
    EXPECT_EQ(a.Guardado(2024, 3, "Importe1").toDouble(), 0);
    EXPECT_EQ(a.Celda(Fila(2024, 3), 1), "");
    EXPECT_EQ(CoeficientesEnDesacuerdo(a.base()), QStringList());
}
