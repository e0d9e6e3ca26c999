#include "services/LBM_Common.h"
#include "services/LBM_Common1.h"

#include "outside/maker/SistemaPC.h"
#include "support/ImprimeQt.h"

#include <gtest/gtest.h>
#include <QList>
#include <QUrl>

TEST(UppercaseConversion, CapitalsOnlyTheFilterListAndOnlyWithTheSwitchOn) {
    LBM_Common::gSoloMayusculas = false;
    EXPECT_EQ(LBM_Common::ConvierteMayuscula('a'), 'a');
    EXPECT_EQ(LBM_Common::ConvierteMayuscula(0xF1), 0xF1);  // ñ
    LBM_Common::gSoloMayusculas = true;
    EXPECT_EQ(LBM_Common::ConvierteMayuscula('a'), 'A');
    EXPECT_EQ(LBM_Common::ConvierteMayuscula(0xF1), 0xD1);  // ñ -> Ñ
    EXPECT_EQ(LBM_Common::ConvierteMayuscula(0xE1), 0xE1);  // á is not in the list
    EXPECT_EQ(LBM_Common::ConvierteMayuscula('.'), '.');
    EXPECT_EQ(LBM_Common::ConvierteMayuscula('7'), '7');
    EXPECT_EQ(LBM_Common::ConvierteMayuscula(13), 13);
    EXPECT_EQ(LBM_Common::ConvierteMayuscula(' '), ' ');
    LBM_Common::gSoloMayusculas = false;
}

TEST(VoucherFormat, PadsPointOfSaleAndNumberAndKeepsLongerNumbers) {
    EXPECT_EQ(LBM_Common1::FormatoComprobante("1", "234", "A"), "0001-00000234A");
    EXPECT_EQ(LBM_Common1::FormatoComprobante("12345", "7", "B"), "12345-00000007B");
    EXPECT_EQ(LBM_Common1::FormatoComprobante("0003x", "", ""), "0003-00000000 ");
}

TEST(OpenDocument, APathWithBlanksOpensThatFile) {
    QList<QUrl> abiertas;
    maker::gSistemaPC().setAbridor([&](const QUrl& u) {
        abiertas << u;
        return true;
    });
    LBM_Common::AbreDocumento("/tmp/manual de uso.pdf", true);
    LBM_Common::AbreDocumento("\"/tmp/otro manual.pdf\"", false);
    LBM_Common::AbreDocumento("www.ejemplo.com.ar", true);
    maker::gSistemaPC().setAbridor({});
    ASSERT_EQ(abiertas.size(), 3);
    EXPECT_EQ(abiertas[0].toLocalFile(), "/tmp/manual de uso.pdf");
    EXPECT_EQ(abiertas[1].toLocalFile(), "/tmp/otro manual.pdf");
    EXPECT_EQ(abiertas[2].host(), "www.ejemplo.com.ar");
}
