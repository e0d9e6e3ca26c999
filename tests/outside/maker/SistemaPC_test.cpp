#include "outside/maker/SistemaPC.h"

#include "support/ImprimeQt.h"
#include "support/UsuarioDelSistema.h"

#include <gtest/gtest.h>
#include <QDir>

using maker::SistemaPC;

namespace {

TEST(SistemaPC, DocumentsAndAddressesGoToTheDesktopAsUrls) {
    SistemaPC s;
    QList<QUrl> abiertas;
    s.setAbridor([&](const QUrl& u) {
        abiertas.append(u);
        return true;
    });
    EXPECT_TRUE(s.AbreDocumento("www.ejemplo.com.ar", 1));
    EXPECT_TRUE(s.AbreDocumento(0, "", "https://ejemplo.com/a b", "", "", 1));
    EXPECT_TRUE(s.AbreDocumento(0, "", "manual.pdf", "", "/opt/indajuste", 1));
    EXPECT_TRUE(s.AbreDocumento("/tmp/reporte con blancos.pdf"));
    EXPECT_FALSE(s.AbreDocumento("   "));
    ASSERT_EQ(abiertas.size(), 4);
    EXPECT_EQ(abiertas[0].host(), "www.ejemplo.com.ar");
    EXPECT_EQ(abiertas[1].scheme(), "https");
    EXPECT_EQ(abiertas[2], QUrl::fromLocalFile("/opt/indajuste/manual.pdf"));
    EXPECT_EQ(abiertas[3].toLocalFile(), "/tmp/reporte con blancos.pdf");
}

TEST(SistemaPC, NamesAndFolderComeFromTheSystem) {
    SistemaPC s;
    EXPECT_FALSE(s.NombreEquipo().isEmpty());
    EXPECT_TRUE(QDir(s.CarpetaTemporal()).exists());
    EXPECT_EQ(s.UsuarioWindows(), UsuarioDelSistema());
}

}  // namespace
