#include "outside/maker/DialogoArchivo.h"

#include "outside/maker/DialogosFalsos.h"
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
    DialogosFalsos d;
    DialogoArchivo dlg;
    dlg.Titulo = "Abrir base";
    dlg.Filtro = "Bases (*.mdb)|*.mdb";
    d.archivo = "/datos/empresa.mdb";
    EXPECT_TRUE(dlg.MostrarAbrir());
    EXPECT_FALSE(dlg.Cancelado);
    EXPECT_EQ(dlg.NombreArchivo, "/datos/empresa.mdb");
    EXPECT_EQ(d.tituloArchivo, "Abrir base");
    EXPECT_EQ(d.filtroArchivo, "Bases (*.mdb)");

    d.cancelarArchivo = true;
    EXPECT_FALSE(dlg.MostrarAbrir());
    EXPECT_TRUE(dlg.Cancelado);
    EXPECT_EQ(dlg.NombreArchivo, "");
}

}  // namespace
