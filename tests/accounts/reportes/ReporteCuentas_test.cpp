#include "accounts/reportes/ReporteCuentas.h"

#include "accounts/CuentasDePrueba.h"
#include "outside/maker/SistemaPC.h"
#include "outside/runtime/Procesos.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"
#include "support/TextoPdf.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

TEST(ReporteCuentas, TheReportButtonEndsInAReadableListingOfTheActiveChart) {
    CuentasDePrueba v;
    v.Iniciar();
    QTemporaryDir salida;
    auto renderer = std::make_unique<ReporteCuentas>(salida.path());
    ReporteCuentas* reporte = renderer.get();
    maker::gReporte().Registra(ReporteCuentas::kNombre, std::move(renderer));
    maker::gSistemaPC().setAbridor([](const QUrl&) { return true; });
    QFile programa(vb::App().Path + "/qt742r");
    ASSERT_TRUE(programa.open(QIODevice::WriteOnly));
    programa.close();
    QString error;
    bool atendido = false;
    // The report program, run here on the command line the window gives it.
    vb::setLanzador([&](const QString&, const QStringList& argumentos) {
        atendido = CNStuffContable::AtiendeReporte(argumentos.join(' '), error);
        return true;
    });
    v.Boton("REPORTE");
    vb::setLanzador({});
    maker::gSistemaPC().setAbridor({});
    ASSERT_TRUE(atendido) << error.toStdString();

    const QString texto = TextoPdf(reporte->UltimoArchivo());
    EXPECT_TRUE(texto.contains("DISTRIBUIDORA DEL SUR S.A."));
    EXPECT_TRUE(texto.contains("Plan General de Cuentas"));
    EXPECT_TRUE(
        texto.contains(QRegularExpression("1-1-01-01-00201 +2 +FONDO FIJO ADMINISTRACION +Imputable")));
    EXPECT_TRUE(
        texto.contains(QRegularExpression("1-1-05-01-00101 +\\d +MERCADERIAS EN DEPOSITO +Imputable +SI 1")));
    EXPECT_FALSE(texto.contains("CLIENTE DADO DE BAJA"));
    // Titles before their accounts, in code order, over several pages.
    EXPECT_LT(texto.indexOf("ACTIVO CORRIENTE"), texto.indexOf("CAJA PESOS"));
    EXPECT_LT(texto.indexOf("CAJA PESOS"), texto.indexOf("PASIVO"));
    EXPECT_TRUE(texto.contains(QRegularExpression("Página 1 de [2-9]")));
}

}  // namespace
