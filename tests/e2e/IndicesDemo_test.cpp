// The adjustment-index window on the demo company, driven the way a user drives it.
#include "data/DB_Dll.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/UtilVex.h"
#include "outside/maker/Progreso.h"
#include "outside/maker/Reporte.h"
#include "outside/maker/ReporteListado.h"
#include "services/CNStuffContable.h"
#include "services/LBM_Common.h"
#include "support/Control.h"
#include "support/ImprimeQt.h"
#include "support/LocaleNumeros.h"
#include "support/TextoPdf.h"
#include "support/VentanaIndices.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <memory>

namespace {

constexpr long kVerde = 0x00FF00;
constexpr long kCian = 0xFFFF00;

// Row of month (y, m) in the demo grid.
int Fila(int anio, int mes) {
    return (anio - 2022) * 12 + mes;
}

// Every end-to-end case runs with "," (true) and with "." as the decimal separator.
class IndexWindowDemo : public ::testing::TestWithParam<bool> {
  protected:
    QLocale locale() const { return GetParam() ? LocaleNumeros::coma() : LocaleNumeros::punto(); }
    // A number written with "." as decimal point, as the locale under test shows it.
    QString L(QString numero) const { return numero.replace('.', locale().decimalPoint()); }
    // A grid row as shown: the month, then the numbers in the locale's form.
    QStringList Numeros(QStringList fila) const {
        for (int c = 1; c < fila.size(); ++c) fila[c] = L(fila[c]);
        return fila;
    }
};

QStringList FilaGrilla(VentanaIndices& v, int fila) {
    QStringList l;
    for (int c = 0; c < 9; ++c) l << v.Celda(fila, c);
    return l;
}

double Num(const QString& s) {
    return s.toDouble();
}

void EsperaIndices(VentanaIndices& v, int k, int desdeFila, const std::vector<double>& esperados) {
    for (size_t i = 0; i < esperados.size(); ++i) {
        const int fila = desdeFila + int(i);
        const int anio = 2022 + (fila - 1) / 12, mes = (fila - 1) % 12 + 1;
        EXPECT_DOUBLE_EQ(Num(v.Guardado(anio, mes, QString("Indice%1").arg(k))), esperados[i])
            << "Indice" << k << " de " << mes << "/" << anio;
    }
}

}  // namespace

TEST_P(IndexWindowDemo, StartShowsEveryMonthCreatesTheMissingOnesAndResavesTheLastYear) {
    VentanaIndices v(true, {}, "ADMIN", locale());
    const int accesos = v.base().escalar("SELECT count(*) FROM Control_Acceso").toInt();
    v.Iniciar();
    auto& f = v.f();
    EXPECT_EQ(f.windowTitle(), "Indices de Ajustes");
    EXPECT_EQ(v.FilasIndices(), 66);
    for (int m = 1; m <= 6; ++m) EXPECT_EQ(Num(v.Guardado(2027, m, "Importe1")), 0);
    for (int m = 7; m <= 12; ++m) EXPECT_DOUBLE_EQ(Num(v.Guardado(2026, m, "Indice1")), 0.0);
    EXPECT_EQ(v.base().escalar("SELECT count(*) FROM Control_Acceso").toInt(), accesos + 1);
    EXPECT_EQ(
        v.base().escalar("SELECT NombreUsuario FROM Control_Acceso ORDER BY rowid DESC LIMIT 1").toString(),
        "ADMIN");

    auto* g = Control<vb::FlexGrid>(f, "FgAsiento");
    ASSERT_EQ(g->Rows(), 67);
    EXPECT_EQ(FilaGrilla(v, 0), QStringList({"", "I.P.I.M.", "Coef.", "I.P.C.", "Coef.", "C.E.R.", "Coef.",
                                             "U.V.A.", "Coef."}));
    EXPECT_EQ(FilaGrilla(v, 1), Numeros({"01/2022", "1000", "1.671", "800", "1.574", "", "", "", ""}));
    EXPECT_EQ(FilaGrilla(v, 43),
              Numeros({"07/2025", "7746.91", "1.693", "4364.58", "1.533", "660.52", "1.327", "", ""}));
    EXPECT_EQ(FilaGrilla(v, 54),
              Numeros({"06/2026", "13115.65", "1.000", "6691.03", "1.000", "876.54", "1.000", "", ""}));
    EXPECT_EQ(FilaGrilla(v, 55), Numeros({"07/2026", "13981.28", "", "6945.29", "", "887.94", "", "", ""}));
    EXPECT_EQ(FilaGrilla(v, 62), QStringList({"02/2027", "", "", "", "", "", "", "", ""}));

    const QList<int> verdes{Fila(2022, 1), Fila(2023, 1), Fila(2023, 7),
                            Fila(2024, 7), Fila(2025, 7), Fila(2026, 7)};
    for (int r = 1; r < g->Rows(); ++r) {
        EXPECT_EQ(g->CellBackColorAt(r, 0), verdes.contains(r) ? kVerde : kCian) << "fila " << r;
        EXPECT_EQ(g->CellBackColorAt(r, 2), kCian);
    }
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtFields", 0)->text(), "2022");
    EXPECT_TRUE(Control<vb::CajaTexto>(f, "txtFields", 0)->isEnabled());
    EXPECT_TRUE(g->isEnabled());
    EXPECT_EQ(g->Row(), 1);
    EXPECT_EQ(g->Col(), 1);
    EXPECT_TRUE(Control<QLabel>(f, "lblLabels", 1)->text().startsWith("Se destaca el mes de apertura"));
}

TEST_P(IndexWindowDemo, EditBeforeTheClosingMonthRecomputesToTheClosingMonth) {
    VentanaIndices v(true, {}, "ADMIN", locale());
    v.Iniciar();
    v.Escribir(45, 1, "8500");
    EXPECT_DOUBLE_EQ(Num(v.Guardado(2025, 9, "Importe1")), 8500);
    EsperaIndices(v, 1, 45, {1.543, 1.498, 1.394, 1.326, 1.291, 1.214, 1.167, 1.084, 1.029, 1.000});
    EXPECT_EQ(v.Celda(45, 2), L(" 1.543"));
    EXPECT_EQ(v.Celda(54, 2), L(" 1.000"));
    EXPECT_EQ(v.Celda(45, 8), "");
    EXPECT_EQ(v.Celda(43, 2), L("1.693"));
    EXPECT_EQ(v.Celda(44, 2), L("1.652"));
    EXPECT_DOUBLE_EQ(Num(v.Guardado(2025, 7, "Indice1")), 1.693);
    EXPECT_DOUBLE_EQ(Num(v.Guardado(2025, 9, "Indice2")), 1.431);
    EXPECT_EQ(Control<vb::FlexGrid>(v.f(), "FgAsiento")->Row(), 46);
    EXPECT_EQ(Control<vb::FlexGrid>(v.f(), "FgAsiento")->Col(), 1);
}

TEST_P(IndexWindowDemo, EditOfTheClosingMonthRecomputesTheWholeFiscalYear) {
    VentanaIndices v(true, {}, "ADMIN", locale());
    v.Iniciar();
    v.Escribir(54, 1, "13500");
    // 09/2025 keeps its demo index 8432.90 here (no earlier edit): 13500 / 8432.90.
    EsperaIndices(v, 1, 43,
                  {1.743, 1.700, 1.601, 1.542, 1.435, 1.365, 1.329, 1.249, 1.201, 1.115, 1.059, 1.000});
    EXPECT_EQ(v.Celda(43, 2), L(" 1.743"));
    EXPECT_DOUBLE_EQ(Num(v.Guardado(2025, 6, "Indice1")), 1.000);  // the year before is untouched
    EXPECT_EQ(Control<vb::FlexGrid>(v.f(), "FgAsiento")->Row(), 55);
}

TEST_P(IndexWindowDemo, ASixMonthFiscalYear) {
    VentanaIndices v(true, {}, "ADMIN", locale());
    v.Iniciar();
    v.Escribir(18, 3, "1600");
    EsperaIndices(v, 2, 13, {1.239, 1.181, 1.159, 1.112, 1.044, 1.000});
    EXPECT_DOUBLE_EQ(Num(v.Guardado(2022, 12, "Indice2")), 1.000);
    EXPECT_DOUBLE_EQ(Num(v.Guardado(2023, 7, "Indice2")), 1.568);
}

TEST_P(IndexWindowDemo, TheCurrentYearWithoutAClosingIndexAndTheLastGridRow) {
    VentanaIndices v(true, {}, "ADMIN", locale());
    v.Iniciar();
    v.Escribir(55, 7, "100");
    EXPECT_DOUBLE_EQ(Num(v.Guardado(2026, 7, "Importe4")), 100);
    EXPECT_DOUBLE_EQ(Num(v.Guardado(2026, 7, "Indice4")), 0);
    EXPECT_EQ(v.Celda(55, 8), "");
    v.Escribir(56, 7, "300");
    v.Escribir(66, 7, "120");
    EXPECT_EQ(Control<vb::FlexGrid>(v.f(), "FgAsiento")->Row(), 66);  // the last row: stays, column 1
    EXPECT_EQ(Control<vb::FlexGrid>(v.f(), "FgAsiento")->Col(), 1);
    EXPECT_EQ(v.Celda(55, 8), L(" 1.200"));
    EXPECT_EQ(v.Celda(56, 8), L(" 0.400"));
    for (int r = 57; r <= 65; ++r) EXPECT_EQ(v.Celda(r, 8), "") << r;
    EXPECT_EQ(v.Celda(66, 8), L(" 1.000"));
    EXPECT_EQ(v.Celda(55, 2), "");
    EXPECT_DOUBLE_EQ(Num(v.Guardado(2026, 7, "Indice4")), 1.2);
    v.Escribir(66, 7, "100");
    EXPECT_EQ(v.Celda(55, 8), L(" 1.000"));
    EXPECT_EQ(v.Celda(56, 8), L(" 0.333"));
    EXPECT_DOUBLE_EQ(Num(v.Guardado(2026, 8, "Indice4")), 0.333);
}

TEST_P(IndexWindowDemo, EditingKeys) {
    VentanaIndices v(true, {}, "ADMIN", locale());
    v.Iniciar();
    auto& f = v.f();
    // Escape cancels: cell and table unchanged.
    v.Escribir(45, 1, "9999", Qt::Key_Escape);
    EXPECT_EQ(v.Celda(45, 1), L("8432.9"));
    EXPECT_DOUBLE_EQ(Num(v.Guardado(2025, 9, "Importe1")), 8432.90);
    EXPECT_FALSE(Control<vb::CajaTexto>(f, "BrwTxt", 0)->isVisible());

    // Double click opens the editor on the cell's text; Enter re-saves from that month on.
    v.base().ejecutar("UPDATE MA_INDAJUSTE SET Indice1 = 9 WHERE Anio = 2022 AND Mes IN (1, 3)");
    v.DobleClic(2, 1);
    ASSERT_TRUE(Control<vb::CajaTexto>(f, "BrwTxt", 0)->isVisible());
    EXPECT_EQ(Control<vb::CajaTexto>(f, "BrwTxt", 0)->text(), "1057");
    EXPECT_EQ(Control<vb::CajaTexto>(f, "BrwTxt", 0)->SelStart(), 4);
    v.Tecla(Qt::Key_Return);
    EXPECT_DOUBLE_EQ(Num(v.Guardado(2022, 3, "Indice1")), 1.530);
    EXPECT_DOUBLE_EQ(Num(v.Guardado(2022, 1, "Indice1")), 9);  // before the edited month
    EXPECT_EQ(Control<vb::FlexGrid>(f, "FgAsiento")->Row(), 3);

    // A digit on a coefficient column opens nothing.
    v.Clic(5, 2);
    QTest::keyClicks(Control<vb::FlexGrid>(f, "FgAsiento"), "7");
    EXPECT_FALSE(Control<vb::CajaTexto>(f, "BrwTxt", 0)->isVisible());

    // Up from row 1 stays on row 1.
    v.Escribir(1, 1, "1000", Qt::Key_Up);
    EXPECT_EQ(Control<vb::FlexGrid>(f, "FgAsiento")->Row(), 1);

    // Upper-case typing.
    LBM_Common::gSoloMayusculas = true;
    v.Clic(7, 1);
    QTest::keyClicks(Control<vb::FlexGrid>(f, "FgAsiento"), "1");
    QTest::keyClicks(Control<vb::CajaTexto>(f, "BrwTxt", 0), "a");
    EXPECT_EQ(Control<vb::CajaTexto>(f, "BrwTxt", 0)->text(), "1A");
    QTest::keyClick(Control<vb::CajaTexto>(f, "BrwTxt", 0), Qt::Key_Escape);
}

TEST_P(IndexWindowDemo, ClickingAnotherCellWhileEditingCommitsTheEdit) {
    VentanaIndices v(true, {}, "ADMIN", locale());
    v.Iniciar();
    auto& f = v.f();
    v.Clic(45, 1);
    QTest::keyClicks(Control<vb::FlexGrid>(f, "FgAsiento"), "8");
    QTest::keyClicks(Control<vb::CajaTexto>(f, "BrwTxt", 0), "500 ");
    v.Clic(10, 3);
    EXPECT_EQ(v.Celda(45, 1), "8500");
    EXPECT_DOUBLE_EQ(Num(v.Guardado(2025, 9, "Importe1")), 8500);
    EXPECT_DOUBLE_EQ(Num(v.Guardado(2025, 9, "Indice1")), 1.543);
    EXPECT_FALSE(Control<vb::CajaTexto>(f, "BrwTxt", 0)->isVisible());
}

TEST_P(IndexWindowDemo, TheReportRequestEndsInAReadablePdfListing) {
    VentanaIndices v(true, {}, "ADMIN", locale());
    v.Iniciar();
    QTemporaryDir salida;
    const QList<QUrl> abiertos = ListadosDeIndices(salida, [&] { v.Boton("REPORTE"); });
    const auto& s = maker::gReporte().UltimaSolicitud();
    EXPECT_EQ(s.Nombre, "RP_QT040");
    EXPECT_EQ(s.Orden, QStringList({"+{MA_INDAJUSTE.anio}", "+{MA_INDAJUSTE.MES}"}));
    EXPECT_EQ(s.Seleccion, "");
    EXPECT_EQ(s.Conexion, CNStuffContable::gBaseDatos().gConnString);
    EXPECT_EQ(s.Formulas.mid(0, 5),
              QStringList({"empresa = 'DISTRIBUIDORA DEL SUR S.A.'", "INDICE1 = 'I.P.I.M.'",
                           "INDICE2 = 'I.P.C.'", "INDICE3 = 'C.E.R.'", "INDICE4 = 'U.V.A.'"}));
    EXPECT_EQ(s.Salida, 6);
    EXPECT_TRUE(v.guion().preguntas().isEmpty());
    ASSERT_EQ(abiertos.size(), 1);

    const auto paginas = PalabrasPdf(abiertos.at(0).toLocalFile());
    ASSERT_GE(paginas.size(), 2);
    const int m = int(paginas.size());
    QStringList meses;
    QList<QStringList> valores;               // per month row, its number words left to right
    QMap<int, QList<double>> bordesDerechos;  // per number column, the right edge of each value
    for (int n = 0; n < m; ++n) {
        // In reading order: line by line from the top, left to right.
        auto pagina = paginas[n];
        std::sort(pagina.begin(), pagina.end(), [](const Palabra& a, const Palabra& b) {
            return std::abs(a.yMin - b.yMin) >= 1 ? a.yMin < b.yMin : a.xMin < b.xMin;
        });
        QStringList textos;
        for (const auto& p : pagina) {
            textos << p.texto;
            EXPECT_GE(p.alto, 9.0) << p.texto.toStdString() << " en la pagina " << n + 1;
        }
        const QString todo = textos.join(' ');
        EXPECT_TRUE(
            todo.startsWith("DISTRIBUIDORA DEL SUR S.A. Indices de Ajustes Mes I.P.I.M. Coef. I.P.C. "
                            "Coef. C.E.R. Coef. U.V.A. Coef."))
            << "pagina " << n + 1 << ": " << todo.left(200).toStdString();
        EXPECT_TRUE(todo.endsWith(QString("Página %1 de %2").arg(n + 1).arg(m)))
            << todo.right(40).toStdString();
        for (const auto& p : pagina) {
            if (!QRegularExpression("^\\d\\d/\\d{4}$").match(p.texto).hasMatch()) continue;
            meses << p.texto;
            QList<Palabra> fila;
            for (const auto& q : pagina)
                if (q.xMin > p.xMax && std::abs(q.yMin - p.yMin) < 1) fila << q;
            std::sort(fila.begin(), fila.end(), [](const auto& a, const auto& b) { return a.xMin < b.xMin; });
            QStringList textosFila;
            for (const auto& q : fila) textosFila << q.texto;
            valores << textosFila;
            // Column of each value by its right edge: the same edge for a column on every row.
            for (const auto& q : fila) bordesDerechos[int(q.xMax / 20)] << q.xMax;
        }
    }
    EXPECT_EQ(m, (66 + maker::FilasPorPagina() - 1) / maker::FilasPorPagina());
    QStringList esperados;
    for (int r = 1; r <= 66; ++r) esperados << v.Celda(r, 0);
    EXPECT_EQ(meses, esperados);

    // Every stored value, in the locale's form: groups of thousands, three places for coefficients.
    const QLocale loc = locale();
    const auto filas = v.base().filas(
        "SELECT Importe1, Indice1, Importe2, Indice2, Importe3, Indice3, Importe4, Indice4 "
        "FROM MA_INDAJUSTE ORDER BY Anio, Mes");
    ASSERT_EQ(filas.size(), 66);
    ASSERT_EQ(valores.size(), 66);
    for (int r = 0; r < 66; ++r) {
        QStringList fila;
        for (int c = 0; c < 8; ++c) {
            const double d = filas[r][c].toDouble();
            // Indices with two places at least (more when stored), coefficients with three.
            const bool dosLugares = std::abs(std::round(d * 100) - d * 100) < 1e-6;
            if (d != 0)
                fila << (c % 2 == 1   ? loc.toString(d, 'f', 3)
                         : dosLugares ? loc.toString(d, 'f', 2)
                                      : loc.toString(d, 'f', QLocale::FloatingPointShortest));
        }
        EXPECT_EQ(valores[r], fila) << esperados[r].toStdString();
    }
    EXPECT_EQ(valores[Fila(2026, 6) - 1],
              QStringList({GetParam() ? "13.115,65" : "13,115.65", L("1.000"),
                           GetParam() ? "6.691,03" : "6,691.03", L("1.000"), L("876.54"), L("1.000")}));
    for (const auto& bordes : bordesDerechos) {
        if (bordes.size() < 10) continue;
        EXPECT_LT(
            *std::max_element(bordes.begin(), bordes.end()) - *std::min_element(bordes.begin(), bordes.end()),
            0.5);
    }
}

TEST_P(IndexWindowDemo, BorrarAsksAndReloads) {
    VentanaIndices v(true, {}, "ADMIN", locale());
    v.Iniciar();
    auto& f = v.f();
    v.guion().esperarMsgBox(vb::vbNo);
    v.Boton("BORRAR");
    EXPECT_EQ(v.guion().preguntas().at(0).texto, "Confirma la baja de este registro?");
    EXPECT_EQ(v.guion().preguntas().at(0).titulo, "Atención!");
    EXPECT_EQ(v.guion().preguntas().at(0).estilo, vb::vbYesNo | vb::vbExclamation | vb::vbDefaultButton2);
    EXPECT_EQ(v.FilasIndices(), 66);

    v.guion().esperarMsgBox(vb::vbYes);
    f.Utilvex1_Click("borrar");
    EXPECT_EQ(v.FilasIndices(), 66);
    EXPECT_EQ(v.Guardado(2022, 5, "Importe1").toDouble(), 0);
    EXPECT_EQ(v.Guardado(2022, 5, "Indice1"), QString());  // re-created without coefficients
    EXPECT_EQ(v.Celda(5, 1), "");
    EXPECT_EQ(Control<vb::FlexGrid>(f, "FgAsiento")->CellBackColorAt(1, 0), kVerde);
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtFields", 0)->text(), "2023");
    EXPECT_TRUE(Control<vb::FlexGrid>(f, "FgAsiento")->isEnabled());
}

TEST_P(IndexWindowDemo, GrabarRewritesTheYearFromItsGridRows) {
    VentanaIndices v(true, {}, "ADMIN", locale());
    v.Iniciar();
    auto& f = v.f();
    Control<vb::CajaTexto>(f, "txtFields", 0)->setText("2024");
    v.Boton("GRABAR");
    EXPECT_EQ(v.FilasIndices(), 66);
    // The 2024 rows keep their own values and carry the stamp.
    EXPECT_DOUBLE_EQ(Num(v.Guardado(2024, 3, "Importe1")), 3566.96);
    EXPECT_DOUBLE_EQ(Num(v.Guardado(2024, 3, "Indice1")), 1.190);
    EXPECT_EQ(v.Guardado(2024, 3, "fechahora_grabacion"), "2026-12-09 10:30:00");
    EXPECT_EQ(v.Guardado(2023, 3, "fechahora_grabacion"), QString());
    EXPECT_EQ(Control<vb::FlexGrid>(f, "FgAsiento")->Rows(), 13);
    EXPECT_FALSE(Control<vb::FlexGrid>(f, "FgAsiento")->isEnabled());
    EXPECT_EQ(Control<vb::CajaTexto>(f, "txtFields", 0)->text(), "2026");
    EXPECT_FALSE(Control<vb::CajaTexto>(f, "txtFields", 0)->isEnabled());
}

// The year of the grid's last row keeps every month, its last one (06/2027) included.
TEST_P(IndexWindowDemo, GrabarOfTheLastYearKeepsItsLastMonth) {
    VentanaIndices v(true, {}, "ADMIN", locale());
    v.Iniciar();
    const QString anio2027 =
        "SELECT Mes, Importe1, Importe2, Indice1 FROM MA_INDAJUSTE WHERE Anio = 2027 ORDER BY Mes";
    const auto antes = v.base().filas(anio2027);
    ASSERT_EQ(antes.size(), 6);
    Control<vb::CajaTexto>(v.f(), "txtFields", 0)->setText("2027");
    v.Boton("GRABAR");
    EXPECT_EQ(v.base().filas(anio2027), antes);
    EXPECT_EQ(v.FilasIndices(), 66);
}

TEST_P(IndexWindowDemo, AYearWithoutGridMonthsOrNotAYearIsRefusedAndNothingIsDeleted) {
    VentanaIndices v(true, {}, "ADMIN", locale());
    v.Iniciar();
    auto& f = v.f();
    v.Boton("NUEVO");
    v.guion().esperarMsgBox(vb::vbOK);
    v.Boton("GRABAR");
    EXPECT_EQ(v.guion().preguntas().last().texto, "No hay meses del año 2026 en la grilla");
    EXPECT_EQ(v.guion().preguntas().last().titulo, "Aviso al operador");
    EXPECT_EQ(v.base().escalar("SELECT count(*) FROM MA_INDAJUSTE WHERE Anio = 2026").toInt(), 12);

    Control<vb::CajaTexto>(f, "txtFields", 0)->setText("anio");
    v.guion().esperarMsgBox(vb::vbYes);
    v.guion().esperarMsgBox(vb::vbOK);
    v.Boton("BORRAR");
    const auto& p = v.guion().preguntas().last();
    EXPECT_EQ(p.titulo, "Error en conversion de datos");
    EXPECT_EQ(p.texto,
              "Verifique las siguientes opciones: \r\n\r\n1) Ha ingresado letras donde debe ingresar "
              "numeros\r\n\r\n2) "
              "Debe ingresar una fecha y el formato es incorrecto\r\n\r\nEn el campo: /anio");
    EXPECT_EQ(p.estilo, vb::vbOKOnly | vb::vbCritical);
    EXPECT_EQ(v.FilasIndices(), 66);
}

TEST_P(IndexWindowDemo, NuevoAndCancelarLeaveAnEmptyDisabledGrid) {
    for (const char* accion : {"NUEVO", "Cancelar"}) {
        VentanaIndices v(true, {}, "ADMIN", locale());
        v.Iniciar();
        auto& f = v.f();
        Control<vb::FlexGrid>(f, "FgAsiento")->setTopRow(60);
        f.Utilvex1_Click(accion);
        EXPECT_EQ(Control<vb::FlexGrid>(f, "FgAsiento")->Rows(), 13);
        EXPECT_EQ(Control<vb::FlexGrid>(f, "FgAsiento")->TopRow(), 1);
        for (int r = 1; r < 13; ++r) EXPECT_EQ(v.Celda(r, 1), "");
        EXPECT_EQ(Control<vb::FlexGrid>(f, "FgAsiento")->CellBackColorAt(3, 4), kCian);
        EXPECT_FALSE(Control<vb::FlexGrid>(f, "FgAsiento")->isEnabled());
        EXPECT_EQ(Control<vb::CajaTexto>(f, "txtFields", 0)->text(), "2026");
        EXPECT_EQ(v.FilasIndices(), 66);
    }
}

TEST_P(IndexWindowDemo, CerrarAndClosingTheWindowEndTheProgramAtOnce) {
    {
        VentanaIndices v(true, {}, "ADMIN", locale());
        v.Iniciar();
        EXPECT_THROW(v.Boton("CERRAR"), vb::FinDelPrograma);
        EXPECT_TRUE(v.guion().preguntas().isEmpty());
        EXPECT_EQ(v.FilasIndices(), 66);
    }
    {
        VentanaIndices v(true, {}, "ADMIN", locale());
        v.Iniciar();
        EXPECT_THROW(v.f().close(), vb::FinDelPrograma);
    }
    {
        VentanaIndices v(true, {}, "ADMIN", locale());
        v.Iniciar();
        v.f().Utilvex1_Click("otra cosa");
        v.f().Utilvex1_Click("PLANILLA");
        EXPECT_TRUE(v.f().isVisible());
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, IndexWindowDemo, ::testing::Bool(),
                         [](const auto& i) { return i.param ? "comma" : "point"; });

namespace {
// Types a value into the cell and leaves it in the editor, not committed.
void Teclea(VentanaIndices& v, int fila, int columna, const QString& texto) {
    v.Clic(fila, columna);
    QTest::keyClicks(Control<vb::FlexGrid>(v.f(), "FgAsiento"), texto.left(1));
    QTest::keyClicks(Control<vb::CajaTexto>(v.f(), "BrwTxt", 0), texto.mid(1));
    ASSERT_TRUE(Control<vb::CajaTexto>(v.f(), "BrwTxt", 0)->isVisible());
}

// Records whether the progress window was up when each question came.
class DialogosConProgreso : public DialogosGuionados {
  public:
    QList<bool> progresoVisible;
    int MsgBox(const QString& texto, int estilo, const QString& titulo) override {
        progresoVisible << maker::gProgreso().Visible();
        return DialogosGuionados::MsgBox(texto, estilo, titulo);
    }
};
}  // namespace

TEST_P(IndexWindowDemo, EitherDecimalMarkIsReadAndTheCellShowsTheNumberSaved) {
    VentanaIndices v(true, {}, "ADMIN", locale());
    v.Iniciar();
    v.Escribir(45, 1, "8500,5");
    v.Escribir(46, 1, "1500.5");
    v.Escribir(47, 1, GetParam() ? "1.500,25" : "1,500.25");
    EXPECT_DOUBLE_EQ(Num(v.Guardado(2025, 9, "Importe1")), 8500.5);
    EXPECT_DOUBLE_EQ(Num(v.Guardado(2025, 10, "Importe1")), 1500.5);
    EXPECT_DOUBLE_EQ(Num(v.Guardado(2025, 11, "Importe1")), 1500.25);
    EXPECT_EQ(v.Celda(45, 1), L("8500.5"));
    EXPECT_EQ(v.Celda(46, 1), L("1500.5"));
    EXPECT_EQ(v.Celda(47, 1), L("1500.25"));
    // 13115.65 / 1500.5, not / 15005.
    EXPECT_DOUBLE_EQ(Num(v.Guardado(2025, 10, "Indice1")), 8.741);

    // The keypad's decimal key types the locale's separator.
    v.Clic(48, 1);
    QTest::keyClicks(Control<vb::FlexGrid>(v.f(), "FgAsiento"), "7");
    QTest::keyClick(Control<vb::CajaTexto>(v.f(), "BrwTxt", 0), Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClicks(Control<vb::CajaTexto>(v.f(), "BrwTxt", 0), "5");
    EXPECT_EQ(Control<vb::CajaTexto>(v.f(), "BrwTxt", 0)->text(), L("7.5"));
    QTest::keyClick(Control<vb::CajaTexto>(v.f(), "BrwTxt", 0), Qt::Key_Return);
    EXPECT_DOUBLE_EQ(Num(v.Guardado(2025, 12, "Importe1")), 7.5);
}

TEST_P(IndexWindowDemo, AValueLeftInTheEditorIsSavedByEveryWayOut) {
    {  // "Grabar", and its function key
        VentanaIndices v(true, {}, "ADMIN", locale());
        v.Iniciar();
        Teclea(v, 45, 1, "8500,5");
        v.Boton("GRABAR");
        EXPECT_DOUBLE_EQ(Num(v.Guardado(2025, 9, "Importe1")), 8500.5);
        EXPECT_DOUBLE_EQ(Num(v.Guardado(2025, 9, "Indice1")), 1.543);
        EXPECT_FALSE(Control<vb::CajaTexto>(v.f(), "BrwTxt", 0)->isVisible());
    }
    {
        VentanaIndices v(true, {}, "ADMIN", locale());
        v.Iniciar();
        Teclea(v, 45, 1, "8500");
        QTest::keyClick(Control<vb::CajaTexto>(v.f(), "BrwTxt", 0), Qt::Key_F4);
        EXPECT_DOUBLE_EQ(Num(v.Guardado(2025, 9, "Importe1")), 8500);
        EXPECT_FALSE(Control<vb::CajaTexto>(v.f(), "BrwTxt", 0)->isVisible());
    }
    {  // Tab, then "Reporte"
        VentanaIndices v(true, {}, "ADMIN", locale());
        v.Iniciar();
        QList<double> vistoPorElReporte;
        class Lector : public maker::RenderizadorReporte {
          public:
            Lector(VentanaIndices& v, QList<double>& vistos) : v_(v), vistos_(vistos) {}
            bool Generar(const maker::SolicitudReporte&, QString&) override {
                vistos_ << v_.Guardado(2025, 10, "Importe1").toDouble();
                return true;
            }
            VentanaIndices& v_;
            QList<double>& vistos_;
        };
        maker::gReporte().setRenderizador(std::make_unique<Lector>(v, vistoPorElReporte));
        Teclea(v, 46, 1, "1500.5");
        QTest::keyClick(Control<vb::CajaTexto>(v.f(), "BrwTxt", 0), Qt::Key_Tab);
        EXPECT_FALSE(Control<vb::CajaTexto>(v.f(), "BrwTxt", 0)->isVisible());
        EXPECT_DOUBLE_EQ(Num(v.Guardado(2025, 10, "Importe1")), 1500.5);
        EXPECT_EQ(v.Celda(46, 1), L("1500.5"));
        v.Boton("REPORTE");
        maker::gReporte().setRenderizador(nullptr);
        EXPECT_EQ(vistoPorElReporte, QList<double>({1500.5}));
    }
    {  // closing the window
        VentanaIndices v(true, {}, "ADMIN", locale());
        v.Iniciar();
        Teclea(v, 47, 3, "4800,75");
        EXPECT_THROW(v.f().close(), vb::FinDelPrograma);
        EXPECT_DOUBLE_EQ(Num(v.Guardado(2025, 11, "Importe2")), 4800.75);
    }
}

TEST_P(IndexWindowDemo, TheYearSaveShowsItsProgressOnlyWhileItWritesRows) {
    VentanaIndices v(true, {}, "ADMIN", locale());
    v.Iniciar();
    DialogosConProgreso guion;
    v.f().Utilvex1_Click("NUEVO");
    guion.esperarMsgBox(vb::vbOK);
    v.Boton("GRABAR");
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(guion.preguntas().at(0).texto, "No hay meses del año 2026 en la grilla");
    EXPECT_EQ(guion.progresoVisible, QList<bool>({false}));
    EXPECT_FALSE(maker::gProgreso().Visible());
}
