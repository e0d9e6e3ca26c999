#include "outside/maker/Utilidades.h"

#include "outside/runtime/Conversiones.h"
#include "outside/runtime/ManejadorErrores.h"
#include "support/DialogosGuionados.h"
#include "support/ImprimeQt.h"
#include "support/LocaleNumeros.h"

#include <gtest/gtest.h>
#include <QDate>
#include <QDateTime>
#include <QLocale>

using maker::Utilidades;

namespace {

// Runs each number test under a locale with "," and one with "." as decimal separator.
class UtilidadesNumbers : public ::testing::TestWithParam<bool> {
  protected:
    // The parameter: "," as decimal separator.
    LocaleNumeros locale_{GetParam() ? LocaleNumeros::coma() : LocaleNumeros::punto()};
    QString dec_ = vb::localeNumeros().decimalPoint();
    // A number text written with "," as decimal mark, in the locale under test.
    QString n(QString texto) const { return texto.replace(QLatin1Char(','), dec_); }

    Utilidades u;
};

TEST_P(UtilidadesNumbers, ValorNumericoReadsTheLeadingNumberRoundedToFourPlaces) {
    EXPECT_DOUBLE_EQ(u.ValorNumerico(n("12,5")), 12.5);
    EXPECT_DOUBLE_EQ(u.ValorNumerico(n("1234,56789")), 1234.5679);
    EXPECT_DOUBLE_EQ(u.ValorNumerico(n("-0,00005")), -0.0001);  // half away from zero
    EXPECT_DOUBLE_EQ(u.ValorNumerico(n("  -3,25 ")), -3.25);
    EXPECT_DOUBLE_EQ(u.ValorNumerico(n(",5")), 0.5);
    EXPECT_DOUBLE_EQ(u.ValorNumerico("1433abc"), 1433);
    EXPECT_DOUBLE_EQ(u.ValorNumerico(""), 0);
    EXPECT_DOUBLE_EQ(u.ValorNumerico("   "), 0);
    EXPECT_DOUBLE_EQ(u.ValorNumerico("abc"), 0);
    EXPECT_DOUBLE_EQ(u.ValorNumerico("-"), 0);
    // The thousands separator is skipped between digits only.
    const QString grupo = vb::localeNumeros().groupSeparator();
    EXPECT_DOUBLE_EQ(u.ValorNumerico("1" + grupo + "234" + dec_ + "5"), 1234.5);
    EXPECT_DOUBLE_EQ(u.ValorNumerico("12" + grupo), 12);
}

TEST_P(UtilidadesNumbers, ValorDobleReadsBackWhatTheProgramWrites) {
    for (double v : {0.0, 1.2, 0.0625, 1234.5678, -3.5, 987654.321, 1.0 / 16}) {
        const QString coef = vb::Format(v, " ##0.##0");
        EXPECT_DOUBLE_EQ(u.ValorDoble(coef), vb::Redondear(v, 3)) << coef.toStdString();
        const QString campo = u.TextoCampo(v);
        EXPECT_DOUBLE_EQ(u.ValorDoble(campo), v) << campo.toStdString();
    }
    EXPECT_DOUBLE_EQ(u.ValorDoble(u.TextoCampo(0.00001)), 0.00001);
    EXPECT_DOUBLE_EQ(u.ValorDoble(u.TextoCampo(1.5e20)), 1.5e20);
    EXPECT_DOUBLE_EQ(u.ValorDoble(n("1234,56789")), 1234.56789);  // no rounding here
    EXPECT_DOUBLE_EQ(u.ValorDoble(""), 0);
    EXPECT_DOUBLE_EQ(u.ValorDoble(u.TextoCampo(QVariant())), 0);
    // Too small for a double reads as 0, as the server reads it; only too large overflows.
    EXPECT_EQ(u.ValorDoble("1e-400"), 0.0);
    EXPECT_EQ(u.ValorDoble("-2" + dec_ + "5e-999"), 0.0);
    EXPECT_GT(u.ValorDoble("4e-320"), 0.0);
    EXPECT_DOUBLE_EQ(u.ValorDoble("1" + dec_ + "5e308"), 1.5e308);
    for (const char* grande : {"1e400", "-1e309"}) {
        try {
            u.ValorDoble(grande);
            ADD_FAILURE() << grande << ": no overflow error";
        } catch (const vb::ErrorVB& e) {
            EXPECT_EQ(e.Number, 6);
            EXPECT_EQ(e.Description, "Desbordamiento");
        }
    }
}

TEST_P(UtilidadesNumbers, ValorEnteroRoundsLikeCIntAndRefusesOverflow) {
    EXPECT_EQ(u.ValorEntero(n("2,5")), 2);
    EXPECT_EQ(u.ValorEntero(n("3,5")), 4);
    EXPECT_EQ(u.ValorEntero("-32768"), -32768);
    EXPECT_EQ(u.ValorEntero("abc"), 0);
    try {
        u.ValorEntero("32768");
        ADD_FAILURE() << "no overflow error";
    } catch (const vb::ErrorVB& e) {
        EXPECT_EQ(e.Number, 6);
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, UtilidadesNumbers, ::testing::Bool());

TEST(Utilidades, TextoCampoWritesDatesDayFirstAndNullAsEmpty) {
    Utilidades u;
    EXPECT_EQ(u.TextoCampo(QVariant()), "");
    EXPECT_EQ(u.TextoCampo(QVariant(QMetaType(QMetaType::QString))), "");
    EXPECT_EQ(u.TextoCampo(QDate(2024, 3, 5)), "05/03/2024");
    EXPECT_EQ(u.TextoCampo(QDateTime(QDate(2024, 3, 5), QTime(0, 0))), "05/03/2024");
    EXPECT_EQ(u.TextoCampo(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9))), "05/03/2024 14:07:09");
    EXPECT_EQ(u.TextoCampo(2024), "2024");
    EXPECT_EQ(u.TextoCampo(QStringLiteral(" ab ")), " ab ");
    EXPECT_EQ(u.TextoCampo(true), "True");
}

TEST(Utilidades, WidthsPadButNeverCutUnlessAsked) {
    Utilidades u;
    EXPECT_EQ(u.AlineaDerecha("1", 4), "   1");
    EXPECT_EQ(u.AlineaDerecha("", 4), "    ");
    EXPECT_EQ(u.AlineaDerecha("12345", 4), "12345");
    EXPECT_EQ(u.AlineaDerecha(" 7 "), " 7 ");
    EXPECT_EQ(u.AjustaLargo("", 1), " ");
    EXPECT_EQ(u.AjustaLargo("2024", 4), "2024");
    EXPECT_EQ(u.AjustaLargo("7", 4), "7   ");
    EXPECT_EQ(u.AjustaLargo("12345", 4), "1234");
    EXPECT_EQ(u.AjustaLargo("abc", 0), "");
    EXPECT_EQ(u.Trunca("0001 Ventas", 4), "0001");
    EXPECT_EQ(u.Trunca("ab", 4), "ab");
    EXPECT_EQ(u.Trunca("ab", -1), "");
}

TEST(Utilidades, TextHelpers) {
    Utilidades u;
    EXPECT_EQ(u.QuitaCaracter("1.234,56", "."), "1234,56");
    EXPECT_EQ(u.QuitaCaracter("a-b/c-d", "-/"), "abcd");
    EXPECT_EQ(u.QuitaCaracter("abc", ""), "abc");
    EXPECT_EQ(u.Reemplaza("12,5", ",", "."), "12.5");
    EXPECT_EQ(u.Reemplaza("a*b*", "*", "%"), "a%b%");
    EXPECT_EQ(u.Reemplaza("abc", "", "x"), "abc");
    EXPECT_EQ(u.Reemplaza("Aa", "a", "b"), "Ab");
    EXPECT_EQ(u.CantidadPalabras("  SELECT   *  FROM t "), 4);
    EXPECT_EQ(u.CantidadPalabras("LEN"), 1);
    EXPECT_EQ(u.CantidadPalabras("   "), 0);
    EXPECT_EQ(u.BarraFinal("/opt/indajuste"), "/opt/indajuste/");
    EXPECT_EQ(u.BarraFinal(u.BarraFinal("/opt/indajuste")), "/opt/indajuste/");
    EXPECT_EQ(u.BarraFinal(""), "");
}

TEST(Utilidades, PasswordEncodingRoundTripsWithoutCommasOrLineBreaks) {
    Utilidades u;
    for (const QString& clave :
         {QString(), QStringLiteral("secreta"), QStringLiteral("a,b,,c"), QStringLiteral("Ñandú ácido"),
          QStringLiteral("  blancos  "), QStringLiteral("línea\r\notra"), QStringLiteral("CAFE"),
          QStringLiteral("\"q\"")}) {
        const QString guardada = u.CodificaClave(clave);
        EXPECT_FALSE(guardada.contains(',')) << guardada.toStdString();
        EXPECT_FALSE(guardada.contains('\r') || guardada.contains('\n') || guardada.contains(' '));
        EXPECT_FALSE(guardada.contains('"'));
        EXPECT_EQ(guardada, guardada.trimmed());
        EXPECT_EQ(u.DecodificaClave(guardada), clave);
        EXPECT_EQ(u.DecodificaClave(" " + guardada + " "), clave);
    }
    EXPECT_EQ(u.CodificaClave(""), "");
    EXPECT_EQ(u.DecodificaClave("no es hex"), "no es hex");
}

TEST(Utilidades, TrataErrorAsksWithNumberDescriptionAndRoutine) {
    DialogosGuionados guion;
    Utilidades u;
    guion.esperarMsgBox(vb::vbRetry);
    guion.esperarMsgBox(vb::vbCancel);
    int respuesta = 0;
    u.TrataError(vb::ErrorVB(3421, "El valor no es del tipo correcto"), "Generar", respuesta);
    EXPECT_EQ(respuesta, 4);
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(guion.preguntas()[0].estilo, vb::vbAbortRetryIgnore + vb::vbCritical);
    EXPECT_TRUE(guion.preguntas()[0].texto.contains("3421"));
    EXPECT_TRUE(guion.preguntas()[0].texto.contains("El valor no es del tipo correcto"));
    EXPECT_TRUE(guion.preguntas()[0].texto.contains("Generar"));
    EXPECT_FALSE(guion.preguntas()[0].titulo.isEmpty());

    u.TrataError(vb::ErrorVB(int32_t(0x80040E14), "Sintaxis"), vb::vbRetryCancel, "Conexion Base Remota",
                 respuesta);
    EXPECT_EQ(respuesta, vb::vbCancel);
    EXPECT_EQ(guion.preguntas()[1].estilo, vb::vbRetryCancel);
    EXPECT_TRUE(guion.preguntas()[1].texto.contains("&H80040E14"));
}

TEST(Utilidades, ReporteroDrivesTheStepHandler) {
    DialogosGuionados guion;
    Utilidades u;
    int intentos = 0;
    guion.esperarMsgBox(vb::vbRetry);
    vb::ManejadorErrores h("Generar", u.Reportero());
    EXPECT_TRUE(h.paso([&] {
        if (++intentos == 1) vb::Raise(3704, "Objeto cerrado");
    }));
    EXPECT_EQ(intentos, 2);
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_TRUE(guion.preguntas()[0].texto.contains("Generar"));

    guion.esperarMsgBox(vb::vbIgnore);
    guion.esperarMsgBox(vb::vbAbort);
    EXPECT_TRUE(h.paso([] { vb::Raise(5, "Argumento no válido"); }));   // 5 goes on
    EXPECT_FALSE(h.paso([] { vb::Raise(5, "Argumento no válido"); }));  // 3 leaves
    EXPECT_EQ(guion.pendientes(), 0);
}

}  // namespace
