// The rules object, entry numbers, check digits, month lengths and the account checks.
#include "EntornoAsientos.h"

namespace {

class Numbering : public EntornoAsientos {
  protected:
    Numbering()
        : EntornoAsientos(
              {"INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], TIPO_REG, CUENTA) VALUES "
               "('2024', 3, 5, '', '1'), ('2024', 3, 57, char(255) || 'RS', '1'), "
               "('2024', 3, 80, 'V', '1'), ('2023', 3, 9, '', '1'), ('2024', 3, 99, 'ÿRSX', '1')"}) {}
};

TEST_F(Numbering, EntryNumbersFormatAndParseAsTheUserTypesThem) {
    Lbc_Asiento* a = asiento_.get();
    EXPECT_EQ(a->EliminaCarNroAsiento("03-0000123"), QVariant("3123"));
    EXPECT_EQ(a->EliminaCarNroAsiento("03-0000123", 3), QVariant(int32_t(3123)));
    EXPECT_EQ(a->EliminaCarNroAsiento("03-0000123", 2).typeId(), QMetaType::Int);
    EXPECT_EQ(a->EliminaCarNroAsiento("03-0000123", 8), QVariant("3123"));
    EXPECT_EQ(a->EliminaCarNroAsiento("03-0000123", 5), QVariant("3123"));
    EXPECT_EQ(a->EliminaCarNroAsiento("0000123"), QVariant("0000123"));
    EXPECT_EQ(a->EliminaCarNroAsiento("0000123", 3), QVariant(int32_t(123)));
    EXPECT_EQ(a->EliminaCarNroAsiento(""), QVariant(""));
    EXPECT_EQ(a->EliminaCarNroAsiento("03/45", std::nullopt, QVariant("/")), QVariant("345"));
    EXPECT_THROW(a->EliminaCarNroAsiento("AB", 2), vb::ErrorVB);

    EXPECT_EQ(a->FormatDisplayNroAsiento(5, QDateTime(QDate(2024, 3, 9), QTime())), "03-0000005");
    EXPECT_EQ(a->FormatDisplayNroAsiento(12345678, QDateTime(QDate(2024, 3, 9), QTime())), "03-12345678");
    EXPECT_THROW(a->FormatDisplayNroAsiento("abc", QDateTime(QDate(2024, 3, 9), QTime())), vb::ErrorVB);
    EXPECT_EQ(a->FormatNroAsiento("03-0000123"), "123");
    EXPECT_EQ(a->FormatNroAsiento("123"), "123");
    EXPECT_EQ(a->FormatNroAsiento("03-"), "0");
    EXPECT_EQ(a->FormatNroAsiento(""), "0");

    EXPECT_EQ(a->FMTNroAsiento("03123"), "03-0000123");
    EXPECT_EQ(a->FMTNroAsiento("03-123"), "03-0000123");
    EXPECT_EQ(a->FMTNroAsiento("3-123"), "03-0000123");  // March, never month 31
    EXPECT_EQ(a->FMTNroAsiento("12"), "12");
    EXPECT_EQ(a->FMTNroAsiento("1-2"), "1-2");
    EXPECT_EQ(a->FMTNroAsiento("121"), "12-0000001");
}

TEST_F(Numbering, CheckDigitsAndMonthLengths) {
    Lbc_Asiento* a = asiento_.get();
    EXPECT_EQ(a->CalculoDV(""), 0);
    EXPECT_EQ(a->CalculoDV("1234"), 50);
    EXPECT_EQ(a->CalculoDV("123456"), 10);
    EXPECT_EQ(a->CalculoDV("1101"), 19);
    EXPECT_EQ(a->CalculoDV("1.1.01"), 23);
    EXPECT_EQ(a->CalculoDV("99999"), 22);
    EXPECT_EQ(a->CalculoDV(110101), 28);
    EXPECT_THROW(a->CalculoDV(QVariant()), vb::ErrorVB);

    EXPECT_EQ(a->UltimoDiaMes("02", "2024"), 29);
    EXPECT_EQ(a->UltimoDiaMes("02", "2023"), 28);
    EXPECT_EQ(a->UltimoDiaMes("04", "2024"), 30);
    EXPECT_EQ(a->UltimoDiaMes("12", "2024"), 31);
    EXPECT_EQ(a->UltimoDiaMes("2", "24"), 29);
    // Three digits are the year itself, as four: 204 is a leap year, 100 is not.
    EXPECT_EQ(a->UltimoDiaMes("02", "204"), a->UltimoDiaMes("02", "0204"));
    EXPECT_EQ(a->UltimoDiaMes("02", " 204 "), 29);
    EXPECT_EQ(a->UltimoDiaMes("02", "100"), 28);
    // Months or years that make no date end at once.
    EXPECT_EQ(a->UltimoDiaMes("13", "2024"), 0);
    EXPECT_EQ(a->UltimoDiaMes("02", "año"), 0);
}

TEST_F(Numbering, TheGeneralRegisterAndTheSummaryEntriesAreNumberedTogether) {
    EXPECT_EQ(a().UltimoNumeroAsiento(3), 58);
    EXPECT_EQ(a().UltimoNumeroAsiento("3", QVariant("   ")), 58);  // blanks count as omitted
    EXPECT_EQ(a().UltimoNumeroAsiento(3, QVariant(" V ")), 81);
    EXPECT_EQ(a().UltimoNumeroAsiento(4), 1);
    EXPECT_EQ(a().UltimoNumeroAsiento(3, std::nullopt, QVariant("2023")), 10);
    EXPECT_EQ(a().UltimoNumeroAsiento(3, QVariant("O'NEIL")), 1);  // a quoted value, not a broken statement

    QString mensaje;
    a().ValidaEstadoPeriodoActual(mensaje, nullptr, nullptr, nullptr, "2023");
    EXPECT_EQ(a().UltimoNumeroAsiento(3), 10);
}

// A user who is not an administrator, with confidentiality on, numbers after every entry of the
// month, also one on an account hidden from him: two entries never share a number.
TEST_F(Numbering, TheNextNumberCountsTheEntriesAUserCannotSee) {
    base_.ejecutar(
        "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], TIPO_REG, CUENTA) VALUES "
        "('2024', 6, 4, 'V', '1'), ('2024', 6, 7, 'V', '9')");
    DialogosGuionados sinPreguntas;
    ASSERT_TRUE(abrirComo("OPERADOR"));
    struct Confidencialidad {
        bool antes = CNStuffContable::gSSConfidencialidad;
        Confidencialidad() { CNStuffContable::gSSConfidencialidad = true; }
        ~Confidencialidad() { CNStuffContable::gSSConfidencialidad = antes; }
    } encendida;
    asiento_ = std::make_unique<Lbc_Asiento>();
    // The restricted view shows him entry 4 only.
    QString sql = "SELECT MAX([NUMERO ASIENTO]) FROM MV_ASIENTOS WHERE MES_OPERATIVO = 6";
    ado::RecordsetPtr rs;
    db().AbrirRecordset(sql, rs);
    ASSERT_EQ(rs->fields().Item(0).Value().toInt(), 4);
    EXPECT_EQ(a().UltimoNumeroAsiento(6, QVariant("V")), 8);
}

// The month's last number is the highest the column holds: the next one cannot be numbered, and
// the operator is told instead of getting a negative number.
TEST_F(Numbering, AMonthAtTheHighestNumberReportsTheOverflowAndGivesZero) {
    base_.ejecutar(
        "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], TIPO_REG) VALUES ('2024', 5, "
        "2147483646, 'V'), ('2024', 5, 2147483647, 'W')");
    EXPECT_EQ(a().UltimoNumeroAsiento(5, QVariant("V")), 2147483647);
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbAbort);
    EXPECT_EQ(a().UltimoNumeroAsiento(5, QVariant("W")), 0);
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_TRUE(guion.preguntas()[0].titulo.contains("UltimoNumeroAsiento"));
    EXPECT_TRUE(guion.preguntas()[0].texto.contains("(6)")) << guion.preguntas()[0].texto.toStdString();
}

TEST_F(Numbering, CreationNeedsANumericPeriod) {
    base_.ejecutar("UPDATE TA_CONFIGURACION SET VALOR = 'dos mil' WHERE CLAVE = 'PERIODO'");
    EXPECT_THROW(Lbc_Asiento(), vb::ErrorVB);
    base_.ejecutar("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'PERIODO'");
    try {
        Lbc_Asiento sinPeriodo;
        ADD_FAILURE() << "created without a period";
    } catch (const vb::ErrorVB& e) {
        EXPECT_EQ(e.Number, vb::kTiposNoCoinciden);
    }
}

TEST_F(Numbering, AFailedReadIsReportedOnceUnderTheRoutineAndTheAnswerDecides) {
    DialogosGuionados guion;
    // The database layer reports the failed open and goes on; then the member reports its read.
    fallar("NRO_ASIENTO");
    guion.esperarMsgBox(vb::vbIgnore);
    guion.esperarMsgBox(vb::vbAbort);
    EXPECT_EQ(a().UltimoNumeroAsiento(3), 0);
    ASSERT_EQ(guion.preguntas().size(), 2);
    EXPECT_EQ(guion.preguntas()[1].titulo.count("UltimoNumeroAsiento"), 1);
    EXPECT_EQ(guion.preguntas()[1].estilo, vb::vbAbortRetryIgnore + vb::vbCritical);
    EXPECT_TRUE(guion.preguntas()[1].texto.startsWith("Ha ocurrido el Siguiente Error ("));

    fallar("NRO_ASIENTO");  // Retry opens the statement again
    guion.esperarMsgBox(vb::vbIgnore);
    guion.esperarMsgBox(vb::vbRetry);
    EXPECT_EQ(a().UltimoNumeroAsiento(3), 58);

    fallar("NRO_ASIENTO");  // Ignore goes on past the read, with nothing read
    guion.esperarMsgBox(vb::vbIgnore);
    guion.esperarMsgBox(vb::vbIgnore);
    EXPECT_EQ(a().UltimoNumeroAsiento(3), 0);

    guion.esperarMsgBox(vb::vbAbort);  // a month that is not a number never reaches the database
    EXPECT_EQ(a().UltimoNumeroAsiento(QString()), 0);
    EXPECT_TRUE(guion.preguntas().last().titulo.contains("UltimoNumeroAsiento"));
    EXPECT_EQ(guion.pendientes(), 0);
}

class EntryAccounts : public EntornoAsientos {
  protected:
    EntryAccounts()
        : EntornoAsientos(
              {"INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, DADA_DE_BAJA, BLOQUEO, BIENES, AJUSTE) "
               "VALUES "
               "('1101', 'CAJA', 0, 0, 0, 1, 0), ('11', 'ACTIVO', 1, 0, 0, 0, 0), "
               "('1102', 'BAJA', 0, 1, 0, 0, 0), ('1103', 'BLOQUEADA', 0, 0, 1, 0, 0), "
               "('1104', 'BLOQUEO 2', 0, 0, 2, 0, 0), ('1105', 'SIN MARCAS', NULL, NULL, NULL, NULL, NULL), "
               "('1106', 'TITULO NULO', NULL, 0, 0, 0, 0), "
               "('O''BRIEN', 'CON APOSTROFO', 0, 0, 0, 0, 1)",
               "INSERT INTO MA_CUENTASADIC (CODIGO) VALUES ('1101')",
               "INSERT INTO MA_BIENES (CODIGO) VALUES (9), (41), (10)",
               "INSERT INTO MA_BIENES_novedades (CODIGO, ID) VALUES (41, 1), (41, 2), (41, 3)"}) {}
};

TEST_F(EntryAccounts, OnlyActivePostingAccountsTakePostings) {
    EXPECT_TRUE(a().CuentaImputable("  1101 "));
    EXPECT_TRUE(a().CuentaImputable(QString("1101") + QChar(0)));
    EXPECT_TRUE(a().CuentaImputable("1106"));   // a null title is not a title
    EXPECT_FALSE(a().CuentaImputable("1105"));  // only flags stored as 0 pass
    EXPECT_FALSE(a().CuentaImputable("11"));
    EXPECT_FALSE(a().CuentaImputable("1102"));
    EXPECT_FALSE(a().CuentaImputable("1103"));
    EXPECT_FALSE(a().CuentaImputable("1104"));
    EXPECT_FALSE(a().CuentaImputable("9999"));
    EXPECT_TRUE(a().CuentaImputable("O'BRIEN"));
}

TEST_F(EntryAccounts, ExisteCuentasGivesTheFlagsOfAnActiveAccountOnly) {
    QVariant tipo, nombre("sin tocar"), bienes, ajuste;
    EXPECT_TRUE(a().ExisteCuentas(" 1101 ", &tipo, &nombre, &bienes, &ajuste));
    EXPECT_EQ(nombre.toString(), "CAJA");
    EXPECT_FALSE(tipo.toBool());
    EXPECT_TRUE(bienes.toBool());
    nombre = "sin tocar";
    EXPECT_FALSE(a().ExisteCuentas("1103", nullptr, &nombre));
    EXPECT_EQ(nombre.toString(), "sin tocar");
    EXPECT_FALSE(a().ExisteCuentas("1102", nullptr, &nombre));
    EXPECT_FALSE(a().ExisteCuentas("9999", nullptr, &nombre));
    EXPECT_EQ(nombre.toString(), "sin tocar");
    // Null flags read as not set: no error, the account exists.
    EXPECT_TRUE(a().ExisteCuentas("1105", &tipo, &nombre));
    EXPECT_EQ(nombre.toString(), "SIN MARCAS");
    EXPECT_TRUE(tipo.isNull());
    EXPECT_TRUE(a().ExisteCuentas("O'BRIEN", nullptr, &nombre));
    EXPECT_EQ(nombre.toString(), "CON APOSTROFO");
    // Only a flag equal to 1 blocks: a stored 2 is a number, not a set flag.
    EXPECT_TRUE(a().ExisteCuentas("1104", nullptr, &nombre));
    EXPECT_EQ(nombre.toString(), "BLOQUEO 2");
}

TEST_F(EntryAccounts, AUserWhoIsNotAnAdministratorReadsTheRestrictedChart) {
    QVariant nombre;
    EXPECT_TRUE(a().ExisteCuentas("9", nullptr, &nombre));
    EXPECT_TRUE(a().CuentaImputable("9"));
    CNStuffContable::ReiniciarBaseDatos();
    ASSERT_TRUE(abrirComo("OPERADOR"));
    EXPECT_FALSE(db().gEsAdmin);
    EXPECT_FALSE(a().ExisteCuentas("9", nullptr, &nombre));
    EXPECT_FALSE(a().CuentaImputable("9"));
    EXPECT_TRUE(a().ExisteCuentas("1", nullptr, &nombre));
}

TEST_F(EntryAccounts, AdditionalDataHandsTheRecordsetBackClosed) {
    ado::RecordsetPtr rs = ado::Recordset::Crear();
    QString sql = "SELECT * FROM MA_CUENTAS";
    db().AbrirRecordset(sql, rs);
    ASSERT_EQ(rs->State(), ado::adStateOpen);
    const ado::RecordsetPtr mismo = rs;
    EXPECT_TRUE(a().ExisteDatosAdicionales(" 1101 ", rs));
    EXPECT_EQ(rs, mismo);
    EXPECT_EQ(rs->State(), ado::adStateClosed);
    EXPECT_FALSE(a().ExisteDatosAdicionales("11", rs));
    EXPECT_EQ(rs->State(), ado::adStateClosed);

    DialogosGuionados guion;
    fallar("MA_CUENTASADIC");
    guion.esperarMsgBox(vb::vbIgnore);
    guion.esperarMsgBox(vb::vbAbort);
    EXPECT_FALSE(a().ExisteDatosAdicionales("1101", rs));
    EXPECT_EQ(rs->State(), ado::adStateClosed);
    EXPECT_TRUE(guion.preguntas().last().titulo.contains("ExisteDatosAdicionales"));
}

TEST_F(EntryAccounts, FixedAssetCodesCountAsNumbers) {
    EXPECT_EQ(a().UltimoIDBienDeUso(), "42");
    EXPECT_EQ(a().UltimoIDNovedadBienDeUso(" 41 "), "4");
    EXPECT_EQ(a().UltimoIDNovedadBienDeUso("9"), "1");
    base_.ejecutar("DELETE FROM MA_BIENES");
    EXPECT_EQ(a().UltimoIDBienDeUso(), "1");

    DialogosGuionados guion;  // an empty code is reported by the member, once
    guion.esperarMsgBox(vb::vbAbort);
    EXPECT_EQ(a().UltimoIDNovedadBienDeUso(""), "");
    EXPECT_EQ(titulos(guion).join("|").count("UltimoIdNovedadBienDeUso"), 1);
}

}  // namespace
