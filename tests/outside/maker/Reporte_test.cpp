#include "outside/maker/Reporte.h"

#include "support/DialogosGuionados.h"
#include "support/ImprimeQt.h"

#include <gtest/gtest.h>

using maker::Reporte;
using maker::SolicitudReporte;

namespace {

struct RenderizadorFalso : maker::RenderizadorReporte {
    QList<SolicitudReporte>* recibidas;
    bool exito = true;
    QString motivo;
    explicit RenderizadorFalso(QList<SolicitudReporte>* r) : recibidas(r) {}
    bool Generar(const SolicitudReporte& s, QString& error) override {
        recibidas->append(s);
        error = motivo;
        return exito;
    }
};

void pedirIndices(Reporte& r) {
    r.Imprime("RP_QT040", {"+{MA_INDAJUSTE.anio}", "+{MA_INDAJUSTE.MES}"}, "", "PROVIDER=SQLOLEDB;Server=x;",
              "empresa = 'Demo S.A.'", "INDICE1 = 'IPC'", "INDICE2 = ' '", "INDICE3 = 'Mayorista'",
              "INDICE4 = 'CAC'", "", "", "");
}

TEST(Reporte, TheRequestReachesTheRendererAsGiven) {
    DialogosGuionados guion;
    Reporte r;
    QList<SolicitudReporte> recibidas;
    r.RutaPrograma("/opt/indajuste");
    r.setRenderizador(std::make_unique<RenderizadorFalso>(&recibidas));
    pedirIndices(r);
    EXPECT_TRUE(recibidas.isEmpty());  // Imprime only records
    EXPECT_TRUE(r.Salida(6));
    ASSERT_EQ(recibidas.size(), 1);
    const SolicitudReporte& s = recibidas[0];
    EXPECT_EQ(s.Nombre, "RP_QT040");
    EXPECT_EQ(s.Orden, QStringList({"+{MA_INDAJUSTE.anio}", "+{MA_INDAJUSTE.MES}"}));
    EXPECT_EQ(s.Seleccion, "");
    EXPECT_EQ(s.Conexion, "PROVIDER=SQLOLEDB;Server=x;");
    ASSERT_EQ(s.Formulas.size(), 8);
    EXPECT_EQ(s.Formulas[0], "empresa = 'Demo S.A.'");
    EXPECT_EQ(s.Formulas[2], "INDICE2 = ' '");
    EXPECT_EQ(s.Formulas[7], "");
    EXPECT_EQ(s.CarpetaPrograma, "/opt/indajuste");
    EXPECT_EQ(s.Salida, 6);
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

TEST(Reporte, AReportThatCannotBeMadeIsNeverReportedAsDone) {
    DialogosGuionados guion;
    Reporte r;
    for (int i = 0; i < 3; ++i) guion.esperarMsgBox(vb::vbOK);
    EXPECT_FALSE(r.Salida(6));  // nothing asked for
    pedirIndices(r);
    EXPECT_FALSE(r.Salida(6));  // no renderer
    ASSERT_EQ(guion.preguntas().size(), 2);
    EXPECT_TRUE(guion.preguntas()[1].texto.contains("RP_QT040"));

    QList<SolicitudReporte> recibidas;
    auto falla = std::make_unique<RenderizadorFalso>(&recibidas);
    falla->exito = false;
    falla->motivo = "No hay datos para el reporte.";
    r.setRenderizador(std::move(falla));
    EXPECT_FALSE(r.Salida(6));
    ASSERT_EQ(guion.preguntas().size(), 3);
    EXPECT_EQ(guion.preguntas()[2].texto, "No hay datos para el reporte.");
}

TEST(Reporte, EachNameGoesToTheRendererRegisteredForIt) {
    DialogosGuionados guion;
    Reporte r;
    QList<SolicitudReporte> indices, plan;
    r.Registra("RP_QT040", std::make_unique<RenderizadorFalso>(&indices));
    r.Registra("Rp_PlanCtas", std::make_unique<RenderizadorFalso>(&plan));
    r.Imprime("rp_qt040 ");
    EXPECT_TRUE(r.Salida(10));
    r.Imprime("RP_PLANCTAS");
    EXPECT_TRUE(r.Salida(10));
    EXPECT_EQ(indices.size(), 1);
    EXPECT_EQ(plan.size(), 1);

    r.Registra("Rp_PlanCtas", nullptr);
    guion.esperarMsgBox(vb::vbOK);
    r.Imprime("Rp_PlanCtas");
    EXPECT_FALSE(r.Salida(10));
    EXPECT_EQ(guion.preguntas().at(0).texto, "El reporte Rp_PlanCtas no está disponible en este equipo.");
    EXPECT_EQ(plan.size(), 1);
}

}  // namespace
