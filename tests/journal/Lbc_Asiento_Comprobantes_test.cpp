// Voucher books, letters, incoming types and duplicates of a posted voucher.
#include "EntornoAsientos.h"

namespace {

class Vouchers : public EntornoAsientos {
  protected:
    Vouchers()
        : EntornoAsientos(
              {"INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('CONDIVA', '1')",
               "INSERT INTO TA_CPTE (CODIGO, UNEGOCIO, TALONARIO, A_SUC_DEFAULT, A_ULTIMO_NRO, "
               "B_SUC_DEFAULT, "
               "B_ULTIMO_NRO) VALUES ('  FC', '   1', 7, 1, 123, 3, 9), ('  FC', '   1', 4, 2, 50, NULL, "
               "NULL), "
               "('  FC', '   2', 9, 5, 500, 5, 5), ('  ND', '   2', 1, 8, 80, 8, 8), (' O''K', '   1', 2, 1, "
               "1, 1, 1)",
               "INSERT INTO MA_SUBDIARIOSCOMPROBANTES (SUBDIARIO, TC) VALUES ('V', '  FC'), ('V', '  NC')",
               "INSERT INTO TA_COMPROBANTES (CODIGO, Letras, ModificaNumeracion, A_ULTIMO_NRO, A_NRO_DESDE, "
               "A_NRO_HASTA, B_ULTIMO_NRO, B_NRO_DESDE, B_NRO_HASTA) VALUES "
               "('  FC', 'AB', 'falso', 0, 0, 0, 0, 0, 0), ('  NC', 'AB', 'VERDADERO', 0, 0, 0, 0, 0, 0), "
               "('  RC', 'AB', 'FALSE', 0, 0, 0, 5, 1, 99), ('  RE', 'BA', 'FALSE', 0, 0, 0, 5, 1, 99), "
               "('  XX', '', '0', 0, 0, 0, 0, 0, 0), ('  NU', 'A', '0', NULL, NULL, NULL, NULL, NULL, NULL), "
               "('  NB', 'AB', '0', 0, 0, 0, NULL, NULL, NULL)",
               "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], TIPO_REG, FECHA, CUENTA, "
               "TC, "
               "SUCURSAL, NUMERO, LETRA, CABCUENTA, ESRESUMEN) VALUES "
               "('2024', 3, 15, 'V', '2024-03-10', '1', '  FC', '0001', '00000123', 'A', 'PROV''1', 0), "
               "('2024', 3, 15, 'V', '2024-03-10', '2', '  FC', '0001', '00000124', 'A', 'PROV''1', 0), "
               "('2024', 3, 15, 'V', '2024-03-10', '2', '  NC', '0001', '00000123', 'A', NULL, 0), "
               "('2023', 3, 15, 'V', '2023-03-10', '2', 'FC', '0002', '00000007', 'B', 'P2', 0), "
               "('2024', 4, 3, char(255) || 'RS', '2024-04-30', '2', 'FC', '0002', '00000008', 'B', 'P2', "
               "1), "
               "('2024', 5, 4, '', '2024-05-30', '2', '  NC', '0009', '0''9', 'A', NULL, 0)"}) {}
};

TEST_F(Vouchers, TheBookWithTheLowestNumberGivesItsLastNumber) {
    QString suc = "s", nro = "n", l = "a";
    CNStuffContable::gTalonario = -1;
    a().DatosComprobante(" FC ", suc, nro, l);
    EXPECT_EQ(QStringList({suc, nro, l}), QStringList({"0002", "00000050", "a"}));
    EXPECT_EQ(CNStuffContable::gTalonario, 4);
    l = "B";
    a().DatosComprobante("FC", suc, nro, l, "1");  // null columns read as 0
    EXPECT_EQ(QStringList({suc, nro, l}), QStringList({"0000", "00000000", "B"}));
    l = "A";
    a().DatosComprobante("FC", suc, nro, l, "2");
    EXPECT_EQ(QStringList({suc, nro, l}), QStringList({"0005", "00000500", "A"}));
    EXPECT_EQ(CNStuffContable::gTalonario, 9);
    l = "A";
    a().DatosComprobante("ND", suc, nro, l, "1");  // no book of the unit: the type's books
    EXPECT_EQ(QStringList({suc, nro, l}), QStringList({"0008", "00000080", "A"}));
    l = "A";
    a().DatosComprobante("O'K", suc, nro, l);
    EXPECT_EQ(QStringList({suc, nro, l}), QStringList({"0001", "00000001", "A"}));
    EXPECT_EQ(CNStuffContable::gTalonario, 2);

    for (const QString& letra : {QString(), QStringLiteral("Z")}) {
        l = letra;
        a().DatosComprobante("FC", suc, nro, l);
        EXPECT_EQ(QStringList({suc, nro, l}), QStringList({"0001", "00000001", letra}));
        EXPECT_EQ(CNStuffContable::gTalonario, 2);
    }
    l = "A";
    a().DatosComprobante("NC", suc, nro, l);
    EXPECT_EQ(QStringList({suc, nro, l}), QStringList({"", "", ""}));
    EXPECT_EQ(CNStuffContable::gTalonario, 0);

    DialogosGuionados guion;  // "AB" passes the letter test and names no column
    guion.esperarMsgBox(vb::vbAbort);
    l = "AB";
    a().DatosComprobante("FC", suc, nro, l);
    EXPECT_TRUE(guion.preguntas().at(0).titulo.contains("DatosComprobante"));
}

TEST_F(Vouchers, TheLetterFollowsTheVatConditions) {
    EXPECT_EQ(a().DeterminaLetra("3"), "B");
    EXPECT_EQ(a().DeterminaLetra("2"), "A");
    EXPECT_EQ(a().DeterminaLetra(""), "A");
    EXPECT_EQ(a().DeterminaLetra("RI"), "A");
    base_.ejecutar("UPDATE TA_CONFIGURACION SET VALOR = '2' WHERE CLAVE = 'CONDIVA'");
    EXPECT_EQ(a().DeterminaLetra("3"), "C");
    base_.ejecutar("UPDATE TA_CONFIGURACION SET VALOR = '  ' WHERE CLAVE = 'CONDIVA'");
    EXPECT_EQ(a().DeterminaLetra("3"), "Z");
    base_.ejecutar("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'CONDIVA'");
    EXPECT_EQ(a().DeterminaLetra("3"), "Z");
}

TEST_F(Vouchers, ASystemNumberedDuplicateOffersTheNextNumberAndChecksItAgain) {
    DialogosGuionados guion;
    QString numero = "00000200", mensaje = "sin tocar";
    EXPECT_TRUE(a().ValidaComprobante("FC", "0001", numero, "A", mensaje));
    EXPECT_EQ(numero + mensaje, "00000200sin tocar");

    // No: the number comes back as received.
    guion.esperarMsgBox(vb::vbNo);
    numero = "00000123";
    EXPECT_FALSE(a().ValidaComprobante("FC", "0001", numero, "A", mensaje));
    EXPECT_EQ(guion.preguntas(),
              QList<Pregunta>({{"El Comprobante Duplicado, el nuevo numero es: 0001-00000124A", "Atencion",
                                vb::vbYesNo + vb::vbExclamation, Pregunta::Mensaje}}));
    EXPECT_EQ(numero + " " + mensaje, "00000123 Comprobante duplicado");

    // Yes: 00000124 is posted too (found because the width is kept); Yes again to 125, free.
    guion.esperarMsgBox(vb::vbYes);
    guion.esperarMsgBox(vb::vbYes);
    mensaje = "sin tocar";
    EXPECT_TRUE(a().ValidaComprobante("FC", "0001", numero, "A", mensaje));
    EXPECT_EQ(numero + mensaje, "00000125sin tocar");
    EXPECT_EQ(guion.preguntas().last().texto, "El Comprobante Duplicado, el nuevo numero es: 0001-00000125A");

    // Yes, then No on the next question: the number the answered call received.
    guion.esperarMsgBox(vb::vbYes);
    guion.esperarMsgBox(vb::vbNo);
    numero = "00000123";
    EXPECT_FALSE(a().ValidaComprobante("FC", "0001", numero, "A", mensaje));
    EXPECT_EQ(numero + " " + mensaje, "00000124 Comprobante duplicado");

    // An unpadded number becomes the plain next number.
    base_.ejecutar(
        "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], TIPO_REG, CUENTA, TC, SUCURSAL, "
        "NUMERO, LETRA) VALUES ('2024', 6, 1, 'V', '1', '  FC', '0003', '7', 'B')");
    guion.esperarMsgBox(vb::vbYes);
    numero = "7";
    EXPECT_TRUE(a().ValidaComprobante("FC", "0003", numero, "B", mensaje));
    EXPECT_EQ(numero, "8");
    EXPECT_EQ(guion.preguntas().last().texto, "El Comprobante Duplicado, el nuevo numero es: 0003-00000008B");
    EXPECT_EQ(guion.pendientes(), 0);
}

TEST_F(Vouchers, AnOperatorNumberedDuplicateReportsTheEntryThatHoldsIt) {
    QString numero = "00000123", mensaje, mes = "m", nro = "n", fecha = "", periodo = "p";
    EXPECT_FALSE(
        a().ValidaComprobante("NC", "0001", numero, " A ", mensaje, &mes, &nro, &fecha, nullptr, &periodo));
    EXPECT_EQ(mensaje, "Comprobante registrado en el Asiento 3-15\r\n Para el subdiario: V");
    EXPECT_EQ(QStringList({mes, nro, fecha, periodo, numero}),
              QStringList({"3", "15", "10/03/2024", "2024", "00000123"}));

    // A line in the general register reports no sub-journal; apostrophes select the stored row.
    numero = "0'9";
    EXPECT_FALSE(a().ValidaComprobante("NC", "0009", numero, "A", mensaje));
    EXPECT_EQ(mensaje, "Comprobante registrado en el Asiento 5-4");

    // An account restricts all three searches; blanks add no condition.
    QString cuenta = "1";
    numero = "00000123";
    EXPECT_TRUE(
        a().ValidaComprobante("NC", "0001", numero, "A", mensaje, nullptr, nullptr, nullptr, &cuenta));
    cuenta = "   ";
    EXPECT_FALSE(
        a().ValidaComprobante("NC", "0001", numero, "A", mensaje, nullptr, nullptr, nullptr, &cuenta));

    DialogosGuionados guion;  // its own handler shows the description alone
    fallar("MV_ASIENTOS");
    guion.esperarMsgBox(vb::vbIgnore);  // the database layer's report of the failed open
    guion.esperarMsgBox(vb::vbOK);
    EXPECT_FALSE(a().ValidaComprobante("NC", "0001", numero, "A", mensaje));
    EXPECT_EQ(guion.preguntas().last().estilo, vb::vbOKOnly);
    EXPECT_EQ(guion.preguntas().last().titulo, "indajuste");
}

TEST_F(Vouchers, IncomingTypesByListOrByTheirNumbering) {
    EXPECT_TRUE(a().ComprobanteEntrada("fcc"));
    EXPECT_FALSE(a().ComprobanteEntrada("FC"));
    EXPECT_FALSE(a().ComprobanteEntrada("nc"));
    EXPECT_TRUE(a().ComprobanteEntrada(" FC"));  // not in the lists: no letter of "  FC" is numbered
    EXPECT_FALSE(a().ComprobanteEntrada("RC"));  // the last letter B is numbered
    EXPECT_TRUE(a().ComprobanteEntrada("RE"));   // the last letter A is not
    EXPECT_FALSE(a().ComprobanteEntrada("XX"));  // no letters
    EXPECT_FALSE(a().ComprobanteEntrada("ZZ"));  // no such type

    DialogosGuionados guion;  // a null numbering column: Ignore counts the letter as numbered
    guion.esperarMsgBox(vb::vbIgnore);
    EXPECT_FALSE(a().ComprobanteEntrada("NU"));
    EXPECT_TRUE(guion.preguntas().at(0).titulo.contains("ComprobanteEntrada"));
    // Leaving at the second letter keeps the first letter's verdict; Ignore counts it numbered.
    guion.esperarMsgBox(vb::vbAbort);
    EXPECT_TRUE(a().ComprobanteEntrada("NB"));
    guion.esperarMsgBox(vb::vbIgnore);
    EXPECT_FALSE(a().ComprobanteEntrada("NB"));
    EXPECT_EQ(guion.pendientes(), 0);
}

// The letter is part of a voucher's key: the same point of sale and number under another letter is
// another voucher, on every road that looks a voucher up.
TEST_F(Vouchers, AnotherLetterIsAnotherVoucher) {
    DialogosGuionados guion;  // no duplicate question
    QString numero = "00000123", mensaje = "sin tocar";
    EXPECT_TRUE(a().ValidaComprobante("FC", "0001", numero, "B", mensaje));
    EXPECT_EQ(numero + mensaje, "00000123sin tocar");
    EXPECT_TRUE(a().ValidaComprobante("NC", "0001", numero, "B", mensaje));
    EXPECT_EQ(numero + mensaje, "00000123sin tocar");
    EXPECT_FALSE(a().ExisteEnMVAsientos("FC", "0002", "00000008", "A"));
    EXPECT_FALSE(a().ExisteEnMVAsientos2("FC", "0002", "00000007", "A", QVariant(), "15", "3", "2099"));
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

TEST_F(Vouchers, PostedLinesOfAVoucherAreHandedBackOpen) {
    ado::RecordsetPtr rs;
    EXPECT_TRUE(a().ExisteEnMVAsientos("FC", "0002", "00000008", "B", std::nullopt, &rs));
    ASSERT_TRUE(rs && rs->State() == ado::adStateOpen);
    EXPECT_EQ(rs->valor("ESRESUMEN").toInt(), 1);  // summary lines count here
    EXPECT_TRUE(a().ExisteEnMVAsientos(" FC ", "0002", "00000007", " B", QVariant(" P2 ")));
    EXPECT_FALSE(a().ExisteEnMVAsientos("FC", "0002", "00000007", "B", QVariant("P3")));
    EXPECT_FALSE(a().ExisteEnMVAsientos("FC", "0001", "00000123", "A"));  // stored right-aligned

    // Within one entry of any year, never a summary line.
    EXPECT_TRUE(a().ExisteEnMVAsientos2("FC", "0002", "00000007", "B", QVariant(), "15", " 3 ", "2099",
                                        std::nullopt, &rs));
    EXPECT_EQ(rs->valor("PERIODO").toString(), "2023");
    EXPECT_FALSE(a().ExisteEnMVAsientos2("FC", "0002", "00000008", "B", QVariant(), "3", "4", "2024"));
    EXPECT_TRUE(a().ExisteEnMVAsientos2("FC", "0002", "00000007", "B", QVariant(), "15", "3", "2023",
                                        QVariant("P2")));
    EXPECT_FALSE(a().ExisteEnMVAsientos2("FC", "0002", "00000007", "B", QVariant(), "15", "3", "2024",
                                         QVariant("P2")));

    DialogosGuionados guion;  // an entry number that is no number is reported, not run
    guion.esperarMsgBox(vb::vbAbort);
    EXPECT_FALSE(
        a().ExisteEnMVAsientos2("FC", "0002", "00000007", "B", QVariant(), "15 OR 1=1", "3", "2023"));
    EXPECT_TRUE(guion.preguntas().at(0).titulo.contains("ExisteEnMVAsientos2"));
}

}  // namespace
