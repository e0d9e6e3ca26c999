// The year save when the connection drops while it writes: the year stays as it was.
#include "data/DB_Dll.h"
#include "outside/controls/CajaTexto.h"
#include "outside/maker/Progreso.h"
#include "services/CNStuffContable.h"
#include "support/ConexionCaida.h"
#include "support/Control.h"
#include "support/VentanaIndices.h"

#include <gtest/gtest.h>

// The drop comes on the delete, or on the third row written; the server has undone the year's
// delete and rows with the session, and nothing is written again on a reconnected one.
TEST(YearSave, ALostConnectionKeepsTheYearAsItWasAndIsShown) {
    VentanaIndices v;
    v.Iniciar();
    const QString tabla =
        "SELECT Anio, Mes, Importe1, Indice1, fechahora_grabacion FROM MA_INDAJUSTE ORDER BY Anio, Mes";
    const auto antes = v.base().filas(tabla);
    DB_Dll& db = CNStuffContable::gBaseDatos();
    ado::FallaInyectada caida = ConexionCaida();

    for (const char* donde : {"DELETE MA_INDAJUSTE", "INSERT INTO MA_INDAJUSTE"}) {
        SCOPED_TRACE(donde);
        caida.contiene = donde;
        int filas = 0;
        maker::gProgreso().AlAvanzar = [&](maker::Progreso&) {
            if (++filas == 3) db.gCnn->InyectarFalla(caida);
        };
        if (caida.contiene.startsWith("DELETE")) db.gCnn->InyectarFalla(caida);
        const qsizetype vistas = v.guion().preguntas().size();
        Control<vb::CajaTexto>(v.f(), "txtFields", 0)->setText("2024");
        v.guion().esperarMsgBox(vb::vbAbort);
        v.Boton("GRABAR");
        maker::gProgreso().AlAvanzar = nullptr;
        EXPECT_EQ(v.base().filas(tabla), antes);
        ASSERT_EQ(v.guion().preguntas().size(), vistas + 1);
        const Pregunta p = v.guion().preguntas().last();
        EXPECT_TRUE(p.texto.contains("Vínculo de comunicación perdido")) << p.texto.toStdString();
        EXPECT_TRUE(p.texto.contains("no se guardó nada")) << p.texto.toStdString();
        EXPECT_EQ(p.estilo, vb::vbOKOnly + vb::vbCritical);
        EXPECT_TRUE(v.f().Rechazo());
        // Outside a transaction a lookup reconnects as before.
        EXPECT_TRUE(db.ExisteEnTabla("MA_INDAJUSTE", "2024", "Anio", 3));
    }
}
