// Loading the month grid and the coefficient rule on small companies.
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "support/Control.h"
#include "support/ImprimeQt.h"
#include "support/VentanaIndices.h"

#include <gtest/gtest.h>

namespace {

constexpr long kVerde = 0x00FF00;
constexpr long kCian = 0xFFFF00;

QString Ejercicio(int periodo, const QString& desde, const QString& hasta) {
    return QString(
               "INSERT INTO MV_EJERCICIOS (PERIODO, DESCRIPCION, [Fecha Desde], [Fecha Hasta]) VALUES (%1, "
               "'E', '%2', "
               "'%3')")
        .arg(periodo)
        .arg(desde, hasta);
}

QStringList Meses(const VentanaIndices& v) {
    QStringList l;
    auto* g = Control<vb::FlexGrid>(const_cast<VentanaIndices&>(v).f(), "FgAsiento");
    for (int r = 1; r < g->Rows(); ++r) l << g->TextMatrix(r, 0);
    return l;
}

QList<int> Verdes(VentanaIndices& v) {
    QList<int> l;
    auto* g = Control<vb::FlexGrid>(v.f(), "FgAsiento");
    for (int r = 1; r < g->Rows(); ++r)
        if (g->CellBackColorAt(r, 0) == kVerde)
            l << r;
        else
            EXPECT_EQ(g->CellBackColorAt(r, 0), kCian) << r;
    return l;
}

}  // namespace

TEST(GridLoad, TwoCalendarYearsCreateTheirMonthsAndMarkEachJanuary) {
    VentanaIndices v(
        false, {Ejercicio(2023, "2023-01-01", "2023-12-31"), Ejercicio(2024, "2024-01-01", "2024-12-31")});
    v.Iniciar();
    EXPECT_EQ(v.FilasIndices(), 24);
    const QStringList meses = Meses(v);
    ASSERT_EQ(meses.size(), 24);
    EXPECT_EQ(meses.first(), "01/2023");
    EXPECT_EQ(meses.last(), "12/2024");
    for (int r = 1; r <= 24; ++r)
        for (int c = 1; c <= 8; ++c) EXPECT_EQ(v.Celda(r, c), "") << r << "," << c;
    EXPECT_EQ(Verdes(v), QList<int>({1, 13}));
    EXPECT_EQ(v.Guardado(2023, 5, "Importe1").toDouble(), 0);
    EXPECT_EQ(v.Guardado(2023, 5, "Indice1"), QString());  // the load leaves coefficients unset
}

TEST(GridLoad, JulyToJuneYearsMarkTheirOpeningJuly) {
    {
        VentanaIndices v(false, {Ejercicio(2024, "2023-07-01", "2024-06-30")});
        v.Iniciar();
        EXPECT_EQ(Meses(v).first(), "07/2023");
        EXPECT_EQ(Meses(v).size(), 12);
        EXPECT_EQ(Verdes(v), QList<int>({1}));
    }
    {
        VentanaIndices v(false, {Ejercicio(2023, "2022-07-01", "2023-06-30"),
                                 Ejercicio(2024, "2023-07-01", "2024-06-30")});
        v.Iniciar();
        EXPECT_EQ(Meses(v).size(), 24);
        EXPECT_EQ(Verdes(v), QList<int>({1, 13}));
    }
}

TEST(GridLoad, AnExistingMonthIsNeverChangedByTheLoadAndAMonthOutsideEveryYearIsShownCyan) {
    VentanaIndices v(
        false, {Ejercicio(2023, "2023-01-01", "2023-12-31"),
                "INSERT INTO MA_INDAJUSTE (Anio, Mes, Importe1, Indice1, Importe2) VALUES (2023, 3, 1234.5, "
                "1.05, 7), (2021, 12, 99, 0, 0)"});
    v.Iniciar();
    EXPECT_EQ(v.FilasIndices(), 13);
    EXPECT_EQ(Meses(v).first(), "12/2021");
    EXPECT_EQ(Control<vb::FlexGrid>(v.f(), "FgAsiento")->CellBackColorAt(1, 0), kCian);
    // 12/2023 closes the year; its index is 0, so the last year's recomputation clears March's
    // coefficient but keeps its index.
    EXPECT_EQ(v.Celda(4, 0), "03/2023");
    EXPECT_EQ(v.Celda(4, 1), "1234.5");
    EXPECT_DOUBLE_EQ(v.Guardado(2023, 3, "Importe1").toDouble(), 1234.5);

    // A month outside every fiscal year is not saved: the typed text stays in the grid only.
    v.Escribir(1, 1, "50");
    EXPECT_EQ(v.Celda(1, 1), "50");
    EXPECT_DOUBLE_EQ(v.Guardado(2021, 12, "Importe1").toDouble(), 99);
}

TEST(GridLoad, StoredCoefficientsShowWithThreeDecimals) {
    VentanaIndices v(
        false, {Ejercicio(2023, "2023-01-01", "2023-12-31"),
                "INSERT INTO MA_INDAJUSTE (Anio, Mes, Importe1, Indice1) VALUES (2022, 1, 1234.5, 1.05)"});
    v.Iniciar();
    EXPECT_EQ(v.Celda(1, 1), "1234.5");
    EXPECT_EQ(v.Celda(1, 2), "1.050");  // a year outside the recomputation keeps the load's pattern
}

TEST(GridLoad, WithoutFiscalYearsTheGridStaysEmptyAndNoMessageComes) {
    VentanaIndices v(false,
                     {"INSERT INTO MA_INDAJUSTE (Anio, Mes, Importe1) VALUES (2023, 1, 10), (2023, 2, 20)"});
    v.Iniciar();
    EXPECT_EQ(Control<vb::FlexGrid>(v.f(), "FgAsiento")->Rows(), 13);
    EXPECT_EQ(v.Celda(1, 0), "");
    EXPECT_EQ(Control<vb::FlexGrid>(v.f(), "FgAsiento")->Row(), 1);
    EXPECT_EQ(Control<vb::FlexGrid>(v.f(), "FgAsiento")->Col(), 1);
    EXPECT_TRUE(v.guion().preguntas().isEmpty());
    EXPECT_EQ(v.FilasIndices(), 2);
}

TEST(Coefficients, AnEmptyZeroOrNegativeIndexGivesNoCoefficientAndStoresZero) {
    VentanaIndices v(false, {Ejercicio(2023, "2023-01-01", "2023-12-31")});
    v.Iniciar();
    v.Escribir(12, 1, "120");
    v.Escribir(1, 1, "100");
    v.Escribir(2, 1, "0");
    v.Escribir(3, 1, "-5");
    v.Escribir(4, 1, "300");
    v.Escribir(1, 1, "100 ");  // the blank after the typed value is dropped
    EXPECT_EQ(v.Celda(1, 1), "100");
    EXPECT_EQ(v.Celda(1, 2), " 1.200");
    EXPECT_DOUBLE_EQ(v.Guardado(2023, 1, "Indice1").toDouble(), 1.2);
    EXPECT_EQ(v.Celda(2, 2), "");
    EXPECT_EQ(v.Celda(3, 2), "");
    EXPECT_DOUBLE_EQ(v.Guardado(2023, 3, "Importe1").toDouble(), -5);
    EXPECT_DOUBLE_EQ(v.Guardado(2023, 3, "Indice1").toDouble(), 0);
    EXPECT_EQ(v.Celda(4, 2), " 0.400");
    EXPECT_EQ(v.Celda(5, 2), "");  // empty index
    EXPECT_DOUBLE_EQ(v.Guardado(2023, 5, "Indice1").toDouble(), 0);
    EXPECT_EQ(v.Celda(12, 2), " 1.000");
}

TEST(Coefficients, WithoutAStoredClosingMonthEveryCoefficientOfTheRangeIsEmpty) {
    VentanaIndices v(false, {Ejercicio(2023, "2023-01-01", "2023-12-31")});
    v.Iniciar();
    v.Escribir(12, 1, "120");
    v.Escribir(1, 1, "100");
    EXPECT_EQ(v.Celda(1, 2), " 1.200");
    v.base().ejecutar("DELETE FROM MA_INDAJUSTE WHERE Anio = 2023 AND Mes = 12");
    v.Escribir(2, 1, "110");
    for (int r = 2; r <= 12; ++r) EXPECT_EQ(v.Celda(r, 2), "") << r;
    EXPECT_DOUBLE_EQ(v.Guardado(2023, 2, "Indice1").toDouble(), 0);
    EXPECT_EQ(v.Celda(1, 2), " 1.200");  // before the edited month
}

TEST(Coefficients, AMonthWhoseTextIsNotAMonthIsNotSaved) {
    VentanaIndices v(false, {Ejercicio(2023, "2023-01-01", "2023-12-31")});
    v.Iniciar();
    Control<vb::FlexGrid>(v.f(), "FgAsiento")->setTextMatrix(3, 0, "xx");
    v.Escribir(3, 1, "77");
    EXPECT_EQ(v.Celda(3, 1), "77");
    EXPECT_DOUBLE_EQ(v.Guardado(2023, 3, "Importe1").toDouble(), 0);
    EXPECT_TRUE(v.guion().preguntas().isEmpty());
}
