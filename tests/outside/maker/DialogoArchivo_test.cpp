#include "outside/maker/DialogoArchivo.h"

#include "support/DialogosGuionados.h"
#include "support/ImprimeQt.h"

#include <gtest/gtest.h>

using maker::DialogoArchivo;

namespace {

TEST(DialogoArchivo, WindowsFiltersBecomeQtFilters) {
    EXPECT_EQ(DialogoArchivo::FiltroQt("Bases de Datos (*.mdb)|*.mdb|Todos (*.*)|*.*"),
              "Bases de Datos (*.mdb);;Todos (*.*)");
    EXPECT_EQ(DialogoArchivo::FiltroQt("Bases|*.mdb;*.accdb"), "Bases (*.mdb *.accdb)");
    EXPECT_EQ(DialogoArchivo::FiltroQt("Textos (*.txt)"), "Textos (*.txt)");
}

TEST(DialogoArchivo, GivesTheChosenFileOrTheCancel) {
    DialogosGuionados guion;
    DialogoArchivo dlg;
    dlg.Titulo = "Abrir base";
    dlg.Filtro = "Bases (*.mdb)|*.mdb";
    guion.esperarArchivo("/datos/empresa.mdb");
    EXPECT_TRUE(dlg.MostrarAbrir());
    EXPECT_FALSE(dlg.Cancelado);
    EXPECT_EQ(dlg.NombreArchivo, "/datos/empresa.mdb");
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(guion.preguntas()[0].titulo, "Abrir base");
    EXPECT_EQ(guion.preguntas()[0].texto, "Bases (*.mdb)");

    guion.esperarArchivo("", true);
    EXPECT_FALSE(dlg.MostrarAbrir());
    EXPECT_TRUE(dlg.Cancelado);
    EXPECT_EQ(dlg.NombreArchivo, "");
}

}  // namespace
