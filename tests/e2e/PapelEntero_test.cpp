// Both reports hold every figure and every description whole on paper, read back as a reader
// reads them (pdftotext): one row per report and the values that once came out cut.
#include "accounts/CuentasDePrueba.h"
#include "accounts/reportes/ReporteCuentas.h"
#include "indices/reportes/ReporteIndices.h"
#include "outside/maker/Reporte.h"
#include "outside/maker/SistemaPC.h"
#include "outside/runtime/Procesos.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"
#include "support/AbrirComo.h"
#include "support/BaseDePrueba.h"
#include "support/LocaleNumeros.h"
#include "support/ProgramaDePrueba.h"
#include "support/TextoPdf.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

namespace {

// The index report of a company whose indices the test sets, as the report program renders it.
QString ReporteDeIndices(const QStringList& sql, const QTemporaryDir& salida) {
    ProgramaDePrueba programa;
    BaseDePrueba base(true, sql);
    EXPECT_TRUE(AbrirComo(base));
    ReporteIndices reporte(salida.path());
    maker::SolicitudReporte pedido;
    pedido.Nombre = ReporteIndices::kNombre;
    pedido.Conexion = base.cadenaConexion();
    pedido.Formulas = {"empresa = 'DISTRIBUIDORA DEL SUR S.A.'", "INDICE1 = 'I.P.I.M.'", "INDICE2 = 'I.P.C.'",
                       "INDICE3 = 'C.E.R.'", "INDICE4 = 'U.V.A.'"};
    maker::gSistemaPC().setAbridor([](const QUrl&) { return true; });
    QString error;
    EXPECT_TRUE(reporte.Generar(pedido, error)) << error.toStdString();
    maker::gSistemaPC().setAbridor({});
    return reporte.UltimoArchivo();
}

// The chart report asked for from the chart's toolbar, with the test's own rows.
QString ReporteDelPlan(const QStringList& sql, const QTemporaryDir& salida) {
    CuentasDePrueba v(sql);
    v.Iniciar();
    auto renderer = std::make_unique<ReporteCuentas>(salida.path());
    ReporteCuentas* reporte = renderer.get();
    maker::gReporte().Registra(ReporteCuentas::kNombre, std::move(renderer));
    maker::gSistemaPC().setAbridor([](const QUrl&) { return true; });
    QFile programa(vb::App().Path + "/qt742r");
    EXPECT_TRUE(programa.open(QIODevice::WriteOnly));
    programa.close();
    QString error;
    vb::setLanzador([&](const QString&, const QStringList& argumentos) {
        EXPECT_TRUE(CNStuffContable::AtiendeReporte(argumentos.join(' '), error)) << error.toStdString();
        return true;
    });
    v.Boton("REPORTE");
    vb::setLanzador({});
    maker::gSistemaPC().setAbridor({});
    const QString archivo = reporte->UltimoArchivo();
    maker::gReporte().Registra(ReporteCuentas::kNombre, nullptr);
    return archivo;
}

// The words of the cell whose row starts with `clave` and whose column is headed `cabecera`,
// wrapped lines included, in reading order.
QString Celda(const QList<QList<Palabra>>& paginas, const QString& clave, const QString& cabecera,
              const QString& siguiente) {
    for (const QList<Palabra>& pagina : paginas) {
        double desde = -1, hasta = 1e9, y = -1, finFila = 1e9;
        for (const Palabra& p : pagina) {
            if (p.texto == cabecera) desde = p.xMin - 1;
            if (p.texto == siguiente) hasta = p.xMin - 1;
        }
        for (const Palabra& p : pagina)
            if (p.texto == clave) y = p.yMin;
        if (y < 0 || desde < 0) continue;
        // The row ends where the next row's first word stands.
        for (const Palabra& p : pagina)
            if (p.xMin < desde && p.yMin > y + 1) finFila = std::min(finFila, p.yMin - 1);
        QStringList palabras;
        for (const Palabra& p : pagina)
            if (p.xMin >= desde && p.xMax <= hasta && p.yMin >= y - 1 && p.yMin < finFila)
                palabras << p.texto;
        return palabras.join(' ');
    }
    return {};
}

struct Papel {
    const char* nombre;
    std::function<QString(const QTemporaryDir&)> imprime;
    QStringList enteros;  // texts each on one line of the page, whole
    // cells that may wrap: {row's first word, column head, next column's head, text}
    QList<QStringList> celdas;
};

void PrintTo(const Papel& p, std::ostream* os) {
    *os << p.nombre;
}

const QString kLarga =
    "PREVISION PARA DEUDORES INCOBRABLES DE CLIENTES DEL INTERIOR Y DEL EXTERIOR CONSTITUIDA AL CIERRE DEL "
    "EJERCICIO SEGUN LA ANTIGUEDAD DE LOS SALDOS";

const Papel kPapeles[] = {
    {"índices: un índice y un coeficiente de ocho cifras",
     [](const QTemporaryDir& salida) {
         return ReporteDeIndices({"UPDATE MA_INDAJUSTE SET Importe1 = 98765432.1234, Indice1 = 1416666.667 "
                                  "WHERE anio = 2023 AND mes = 5"},
                                 salida);
     },
     {"98.765.432,1234", "1.416.666,667"},
     {}},
    {"índices: las cuatro series de ocho cifras en un mes",
     [](const QTemporaryDir& salida) {
         return ReporteDeIndices(
             {"UPDATE MA_INDAJUSTE SET Importe1 = 98765432.1234, Indice1 = 1416666.667, "
              "Importe2 = 87654321.4321, Indice2 = 2416666.667, Importe3 = 76543210.9876, "
              "Indice3 = 3416666.667, Importe4 = 65432109.8765, Indice4 = 4416666.667 "
              "WHERE anio = 2023 AND mes = 5"},
             salida);
     },
     {"98.765.432,1234", "1.416.666,667", "87.654.321,4321", "2.416.666,667", "76.543.210,9876",
      "3.416.666,667", "65.432.109,8765", "4.416.666,667"},
     {}},
    {"plan de cuentas: las descripciones de más de 36 letras",
     [](const QTemporaryDir& salida) { return ReporteDelPlan({}, salida); },
     {},
     {{"1-2-01-03-002", "Descripción", "Tipo", "AMORTIZACION ACUMULADA MUEBLES Y UTILES"},
      {"1-2-01-04-002", "Descripción", "Tipo", "AMORTIZACION ACUMULADA EQUIPOS DE COMPUTACION"},
      {"1-2-01-05-002", "Descripción", "Tipo", "AMORTIZACION ACUMULADA INSTALACIONES"},
      {"3-2-02-01-00103", "Descripción", "Tipo", "AJUSTE DE RESULTADOS DE EJERCICIOS ANTERIORES"}}},
    {"plan de cuentas: una descripción más larga que su columna",
     [](const QTemporaryDir& salida) {
         return ReporteDelPlan(
             {"UPDATE MA_CUENTAS SET DESCRIPCION = '" + kLarga + "' WHERE CODIGO = '11030100103'"}, salida);
     },
     {},
     {{"1-1-03-01-00103", "Descripción", "Tipo", kLarga}}},
};

class WholeOnPaper : public ::testing::TestWithParam<Papel> {};

TEST_P(WholeOnPaper, EveryFigureAndDescriptionIsPrintedWhole) {
    const Papel& papel = GetParam();
    LocaleNumeros locale(LocaleNumeros::coma());
    QTemporaryDir salida;
    const QString archivo = papel.imprime(salida);
    ASSERT_FALSE(archivo.isEmpty());
    const QString texto = TextoPdf(archivo);
    for (const QString& entero : papel.enteros)
        EXPECT_TRUE(texto.contains(entero)) << entero.toStdString() << " en\n" << texto.toStdString();
    // Nothing stands for a cut text or a number that did not fit.
    EXPECT_FALSE(texto.contains(QChar(0x2026)));
    EXPECT_FALSE(texto.contains("##"));
    const auto paginas = PalabrasPdf(archivo);
    for (const QStringList& c : papel.celdas) EXPECT_EQ(Celda(paginas, c[0], c[1], c[2]), c[3]);
}

INSTANTIATE_TEST_SUITE_P(BothReports, WholeOnPaper, ::testing::ValuesIn(kPapeles),
                         [](const ::testing::TestParamInfo<Papel>& i) { return std::to_string(i.index); });

}  // namespace
