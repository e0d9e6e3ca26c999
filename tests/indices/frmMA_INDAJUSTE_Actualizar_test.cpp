// The year save when the connection drops while it writes: the year stays as it was.
#include "data/DB_Dll.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/maker/Progreso.h"
#include "services/CNStuffContable.h"
#include "support/CoeficientesAcordes.h"
#include "support/ConexionCaida.h"
#include "support/Control.h"
#include "support/LocaleNumeros.h"
#include "support/VentanaIndices.h"

#include <gtest/gtest.h>

// The drop comes on the save's check, on the third row it writes, or on the delete; the server
// has undone the year's rows with the session, and nothing is written again on a reconnected one.
TEST(YearSave, ALostConnectionKeepsTheYearAsItWasAndIsShown) {
    VentanaIndices v;
    v.Iniciar();
    const QString tabla =
        "SELECT Anio, Mes, Importe1, Indice1, fechahora_grabacion FROM MA_INDAJUSTE ORDER BY Anio, Mes";
    const auto antes = v.base().filas(tabla);
    DB_Dll& db = CNStuffContable::gBaseDatos();
    struct Caso {
        const char* accion;
        const char* donde;
        int fila;  // the row written before the drop; 0: at once
    };
    for (const Caso& caso :
         {Caso{"GRABAR", "UPDATE MA_INDAJUSTE SET MES = MES", 0}, Caso{"GRABAR", "UPDATE MA_INDAJUSTE", 3},
          Caso{"BORRAR", "DELETE MA_INDAJUSTE", 0}}) {
        SCOPED_TRACE(std::string(caso.accion) + " " + caso.donde);
        const ado::FallaInyectada caida = ConexionCaida(caso.donde);
        int filas = 0;
        maker::gProgreso().AlAvanzar = [&](maker::Progreso&) {
            if (++filas == caso.fila) db.gCnn->InyectarFalla(caida);
        };
        if (caso.fila == 0) db.gCnn->InyectarFalla(caida);
        const qsizetype vistas = v.guion().preguntas().size();
        Control<vb::CajaTexto>(v.f(), "txtFields", 0)->setText("2024");
        if (QString(caso.accion) == "BORRAR") v.guion().esperarMsgBox(vb::vbYes);
        v.guion().esperarMsgBox(vb::vbAbort);
        v.Boton(caso.accion);
        maker::gProgreso().AlAvanzar = nullptr;
        db.gCnn->QuitarFallas();
        EXPECT_EQ(v.base().filas(tabla), antes);
        ASSERT_EQ(v.guion().preguntas().size(), vistas + (QString(caso.accion) == "BORRAR" ? 2 : 1));
        const Pregunta p = v.guion().preguntas().last();
        EXPECT_TRUE(p.texto.contains("Vínculo de comunicación perdido")) << p.texto.toStdString();
        EXPECT_TRUE(p.texto.contains("no se guardó nada")) << p.texto.toStdString();
        EXPECT_EQ(p.estilo, vb::vbOKOnly + vb::vbCritical);
        EXPECT_TRUE(v.f().Rechazo());
        // Outside a transaction a lookup reconnects as before.
        EXPECT_TRUE(db.ExisteEnTabla("MA_INDAJUSTE", "2024", "Anio", 3));
    }
}

namespace {

const QString kIndices =
    "SELECT Anio, Mes, Importe1, Importe2, Importe3, Importe4, Indice1, Indice2, Indice3, Indice4 FROM "
    "MA_INDAJUSTE ORDER BY Anio, Mes";

}  // namespace

// 2024 holds 06/2024, the closing month of 07/2023-06/2024: deleting the year takes the
// coefficients of 07-12/2023 with it, in the delete's own transaction.
TEST(YearDelete, AClosingMonthDeletedTakesTheCoefficientsOfItsFiscalYearWithIt) {
    VentanaIndices v(true, {}, "ADMIN", LocaleNumeros::coma());
    v.Iniciar();
    ASSERT_EQ(CoeficientesEnDesacuerdo(v.base()), QStringList());
    ASSERT_EQ(v.Guardado(2023, 7, "Indice1"), "1.781");
    v.EscribirAnio("2024");
    v.guion().esperarMsgBox(vb::vbYes);
    v.Tecla(Qt::Key_F3);
    ASSERT_EQ(v.guion().preguntas().size(), 1);
    EXPECT_EQ(v.guion().preguntas().last().texto, "Confirma la baja de este registro?");
    EXPECT_EQ(CoeficientesEnDesacuerdo(v.base()), QStringList());
    for (int mes = 7; mes <= 12; ++mes) {
        EXPECT_EQ(v.Guardado(2023, mes, "Indice1").toDouble(), 0) << mes;
        EXPECT_EQ(v.Celda(18 + mes, 2), "") << mes;  // row 19 is 07/2023
    }
    // Fiscal years closing in other years keep theirs.
    EXPECT_EQ(v.Guardado(2023, 6, "Indice1").toDouble(), 1);
    EXPECT_EQ(v.Guardado(2025, 1, "Indice1").toDouble(), 1.262);
}

// 12/2021 lay outside every fiscal year when its index was typed, so only the year save writes
// it; meanwhile a fiscal year closing in 12/2021 was recorded: the save recomputes that year's
// coefficients from the index it writes, in its own transaction.
TEST(YearSave, AClosingIndexItWritesTakesItsFiscalYearsCoefficientsAlong) {
    VentanaIndices v(
        true,
        {"INSERT INTO MA_INDAJUSTE (Anio, Mes, Importe1, Importe2, Importe3, Importe4) VALUES (2021, 11, "
         "100, 80, 0, 0), (2021, 12, 100, 80, 0, 0)"},
        "ADMIN", LocaleNumeros::coma());
    v.Iniciar();
    v.Escribir(2, 1, "125");
    ASSERT_EQ(v.Guardado(2021, 12, "Importe1").toDouble(), 100);  // typed, not yet saved
    v.base().ejecutar(
        "INSERT INTO MV_EJERCICIOS (PERIODO, DESCRIPCION, [Fecha Desde], [Fecha Hasta]) VALUES (2021, 'E', "
        "'2021-07-01', '2021-12-31')");
    v.EscribirAnio("2021");
    v.Tecla(Qt::Key_F4);
    EXPECT_TRUE(v.guion().preguntas().isEmpty());
    EXPECT_EQ(v.Guardado(2021, 12, "Importe1").toDouble(), 125);
    EXPECT_EQ(v.Guardado(2021, 11, "Indice1").toDouble(), 1.25);
    EXPECT_EQ(v.Guardado(2021, 12, "Indice1").toDouble(), 1);
    EXPECT_EQ(CoeficientesEnDesacuerdo(v.base()), QStringList());
}

// The year save refused at a row it writes: given up or ignored, the year stays as stored and
// the grid as it was, never cleared as after a save.
TEST(YearSave, AFailedSaveGivenUpOrIgnoredWritesNothingAndKeepsTheGrid) {
    VentanaIndices v(true, {}, "ADMIN", LocaleNumeros::coma());
    v.Iniciar();
    const auto antes = v.base().filas(kIndices);
    for (const int respuesta : {vb::vbAbort, vb::vbIgnore}) {
        SCOPED_TRACE(respuesta);
        ado::FallaInyectada lleno;
        lleno.contiene = "UPDATE MA_INDAJUSTE";
        lleno.saltar = 3;  // the check's lock and two rows
        lleno.error = {"HY000", ado::kErrNoEspecificado, "database or disk is full", 13, {}};
        CNStuffContable::gBaseDatos().gCnn->InyectarFalla(lleno);
        v.EscribirAnio("2024");
        v.guion().esperarMsgBox(respuesta);
        v.Tecla(Qt::Key_F4);
        CNStuffContable::gBaseDatos().gCnn->QuitarFallas();
        ASSERT_FALSE(v.guion().preguntas().isEmpty());
        EXPECT_TRUE(v.guion().preguntas().last().texto.contains("disk is full"));
        EXPECT_EQ(v.base().filas(kIndices), antes);
        EXPECT_TRUE(v.f().Rechazo());
        EXPECT_EQ(Control<vb::FlexGrid>(v.f(), "FgAsiento")->Rows(), 67);
    }
}
