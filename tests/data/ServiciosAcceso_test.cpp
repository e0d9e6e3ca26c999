#include "data/ServiciosAcceso.h"

#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ErrorVB.h"
#include "support/DialogosGuionados.h"
#include "support/ImprimeQt.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

// Services nobody installed: the connection form still runs, says what it cannot do and loses
// nothing.
TEST(ServiciosAcceso, EveryHookHasASafeDefault) {
    const data::ServiciosAcceso s;
    QTemporaryDir carpeta;
    const QString bases = carpeta.filePath("BASES.TXT");
    {
        QFile f(bases);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("EMPRESA1 / SRV01,EMPRESA1,EMPRESA1,x,SRV01\r\n");
    }

    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbRetry);
    EXPECT_EQ(s.MensajeError(vb::ErrorVB(5, "Falla de prueba"), vb::vbAbortRetryIgnore, "Rutina"),
              vb::vbRetry);
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(guion.preguntas().at(0).texto, "Falla de prueba");

    EXPECT_TRUE(s.ExisteArchivo(bases));
    EXPECT_FALSE(s.ExisteArchivo(carpeta.filePath("NOESTA.TXT")));
    EXPECT_EQ(s.RutaProgramaHermano("ODBC.exe"), "");
    EXPECT_NO_THROW(s.AbreDocumento("www.ejemplo.com", true));
    EXPECT_EQ(s.NombreEntradaBase("EMPRESA1", "SRV01"), "EMPRESA1 / SRV01");
    EXPECT_FALSE(s.LeeBasesArchivo(bases).has_value());
    QString servidor = "previo", puerto = "previo";
    EXPECT_FALSE(s.SeparaPuerto("SRV01:1433", servidor, puerto));
    EXPECT_EQ(servidor, "previo");

    // A registration that cannot be written is an error, never a silent success.
    try {
        s.AgregaBaseArchivo("EMPRESA2 / SRV02", "EMPRESA2", "EMPRESA2", "EMPRESA2", "SRV02", false);
        ADD_FAILURE() << "the registration was taken as done";
    } catch (const vb::ErrorVB& e) {
        EXPECT_EQ(e.Number, 75);
    }
    QFile f(bases);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "EMPRESA1 / SRV01,EMPRESA1,EMPRESA1,x,SRV01\r\n");
}
