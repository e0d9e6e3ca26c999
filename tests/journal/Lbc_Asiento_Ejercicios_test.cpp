// Fiscal years, periods and the sub-journal rules.
#include "EntornoAsientos.h"

namespace {

const QString kSinEjercicios = QStringLiteral(
    "No se han creado Ejercicios!!!\rPara crear un Ejercicio debe hacerlo desde la configuración del "
    "sistema");

class FiscalYears : public EntornoAsientos {
  protected:
    FiscalYears()
        : EntornoAsientos(
              {"INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('FECHAOPERDESDE', '01/07/2023'), "
               "('FECHAOPERHASTA', '30/06/2024')",
               "INSERT INTO MV_EJERCICIOS (PERIODO, [Fecha Desde], [Fecha Hasta], Cerrado, Cancelacion, "
               "Cierre) "
               "VALUES (2023, '2022-07-01', '2023-06-30', 1, 0, 0), (2024, '2023-07-01', '2024-06-30', 0, 0, "
               "0)",
               "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], TIPO_REG, FECHA, CUENTA, "
               "EsAjuste, "
               "Ajuste_Hasta) VALUES ('2024', 7, 1, '', '2023-07-01', '1', 0, NULL), "
               "('2024', 6, 7, '', '2024-06-30', '2', 1, NULL), ('2023', 6, 2, '', '2023-06-30', '1', 0, "
               "NULL)"}) {}
};

TEST_F(FiscalYears, FechaValidadaChecksTheDateAndTheOperativeWindowInclusively) {
    auto validar = [&](const QString& campo, bool previo = false) {
        QString mensaje = "previo";
        bool error = previo;
        EXPECT_FALSE(a().FechaValidada(campo, mensaje, error).isValid());
        return error ? mensaje : QString();
    };
    EXPECT_EQ(validar("   "), "Debe ingresar una fecha");
    EXPECT_EQ(validar("31/02/2024"), "La fecha ingresada no es correcta!!");
    EXPECT_EQ(validar("01/07/2023"), "");
    EXPECT_EQ(validar("30/06/2024"), "");
    EXPECT_EQ(validar("30/06/2023"), "La fecha ingresada No es una Fecha Operativa posible!");
    EXPECT_EQ(validar("01/07/2024"), "La fecha ingresada No es una Fecha Operativa posible!");
    EXPECT_EQ(validar("30/06/2023", true), "previo");  // a caller's error skips the window
    base_.ejecutar("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'FECHAOPERHASTA'");
    QString mensaje;
    bool error = false;
    EXPECT_THROW(a().FechaValidada("01/08/2023", mensaje, error), vb::ErrorVB);
}

TEST_F(FiscalYears, ValidaEstadoPeriodoActualAnswersForEachClosingState) {
    QString mensaje = "sin tocar";
    QVariant cierre, cancelacion, noCreado;
    EXPECT_TRUE(a().ValidaEstadoPeriodoActual(mensaje, &cierre, &cancelacion, &noCreado));
    EXPECT_EQ(mensaje, "sin tocar");
    EXPECT_FALSE(noCreado.isValid());

    base_.ejecutar("UPDATE MV_EJERCICIOS SET Cerrado = 1, Cancelacion = 1 WHERE PERIODO = 2024");
    EXPECT_FALSE(a().ValidaEstadoPeriodoActual(mensaje, &cierre, &cancelacion));
    EXPECT_EQ(mensaje,
              "El Periodo tiene realizado el Cierre y la Cancelacion de saldos de cuentas de resultados");
    EXPECT_TRUE(cierre.toBool());
    EXPECT_TRUE(cancelacion.toBool());
    base_.ejecutar("UPDATE MV_EJERCICIOS SET Cerrado = 1, Cancelacion = NULL WHERE PERIODO = 2024");
    EXPECT_FALSE(a().ValidaEstadoPeriodoActual(mensaje, &cierre, &cancelacion));
    EXPECT_EQ(mensaje, "El Periodo tiene realizado el Cierre de libros contables ");
    EXPECT_TRUE(cancelacion.isNull());  // as stored
    base_.ejecutar("UPDATE MV_EJERCICIOS SET Cerrado = 0, Cancelacion = 1 WHERE PERIODO = 2024");
    EXPECT_FALSE(a().ValidaEstadoPeriodoActual(mensaje));
    EXPECT_EQ(mensaje, "El Periodo tiene realizada la Cancelacion de saldos de cuentas de resultados");

    base_.ejecutar("UPDATE MV_EJERCICIOS SET Cerrado = 0, Cancelacion = 0");
    EXPECT_FALSE(a().ValidaEstadoPeriodoActual(mensaje));
    EXPECT_EQ(mensaje, "El Periodo anterior (2023) no tiene realizado el cierre");
    base_.ejecutar("UPDATE MV_EJERCICIOS SET Cerrado = NULL WHERE PERIODO = 2023");
    mensaje = "sin tocar";
    EXPECT_TRUE(a().ValidaEstadoPeriodoActual(mensaje));  // a null previous flag counts as closed
    EXPECT_TRUE(a().ValidaEstadoPeriodoActual(mensaje, nullptr, nullptr, nullptr, "2023"));  // first year
    EXPECT_TRUE(a().ValidaEstadoPeriodoActual(mensaje, nullptr, nullptr, nullptr, "2030"));  // no such year
    EXPECT_EQ(mensaje, "sin tocar");

    base_.ejecutar("DELETE FROM MV_EJERCICIOS");
    EXPECT_FALSE(a().ValidaEstadoPeriodoActual(mensaje, nullptr, nullptr, &noCreado));
    EXPECT_EQ(mensaje, kSinEjercicios);
    EXPECT_TRUE(noCreado.toBool());
}

TEST_F(FiscalYears, RangesAndTheLastDayOfTheLatestYear) {
    EXPECT_EQ(a().FechaHastaUltimoPeriodo(), QDateTime(QDate(2024, 6, 30), QTime(0, 0)));
    EXPECT_TRUE(a().ValidaRangoFechaEjercicio("01/07/2023", "30/06/2024", QVariant("2024")));
    EXPECT_FALSE(a().ValidaRangoFechaEjercicio("01/07/2023", "30/06/2023", QVariant(2024)));
    EXPECT_FALSE(a().ValidaRangoFechaEjercicio("01/07/2023", "31/12/2030"));
    EXPECT_TRUE(a().ValidaRangoFechaEjercicio("01/07/2024", "31/12/2030"));
    EXPECT_THROW(a().ValidaRangoFechaEjercicio("no", "31/12/2030"), vb::ErrorVB);

    QString ejercicio = "-1";
    EXPECT_TRUE(a().EjercicioAnteriorCerrado(ejercicio));
    EXPECT_EQ(ejercicio, "2024");
    ejercicio = "2023";
    EXPECT_TRUE(a().EjercicioAnteriorCerrado(ejercicio));  // the first year
    base_.ejecutar("UPDATE MV_EJERCICIOS SET Cerrado = NULL, Cierre = 0 WHERE PERIODO = 2023");
    ejercicio = "2024";
    EXPECT_FALSE(a().EjercicioAnteriorCerrado(ejercicio));  // null beside not set: not closed, no error
    base_.ejecutar("UPDATE MV_EJERCICIOS SET Cierre = 1 WHERE PERIODO = 2023");
    EXPECT_TRUE(a().EjercicioAnteriorCerrado(ejercicio));

    QString desde = "x", hasta = "x";
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbOK);
    a().EjercicioRango(desde, hasta, QVariant(2030));
    EXPECT_EQ(guion.preguntas(),
              QList<Pregunta>({{kSinEjercicios, "indajuste", vb::vbOKOnly, Pregunta::Mensaje}}));
    EXPECT_TRUE(desde.isEmpty() && hasta.isEmpty());
    a().EjercicioRango(desde, hasta);
    EXPECT_EQ(desde + " " + hasta, "01/07/2023 30/06/2024");
    base_.ejecutar("UPDATE MV_EJERCICIOS SET [Fecha Hasta] = NULL");
    a().EjercicioRango(desde, hasta, QVariant("2023"));
    EXPECT_EQ(desde + "|" + hasta, "01/07/2022|");

    base_.ejecutar("DELETE FROM MV_EJERCICIOS");
    EXPECT_EQ(a().FechaHastaUltimoPeriodo(), QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    EXPECT_TRUE(a().ValidaRangoFechaEjercicio("01/07/2023", "30/06/2024"));
}

TEST_F(FiscalYears, EntriesOnABoundLieOutsideAndTheAdjustmentIsFound) {
    EXPECT_TRUE(a().ExistenMovFueraPeriodo("2024", "01/07/2023", "30/06/2024"));
    EXPECT_FALSE(a().ExistenMovFueraPeriodo("2024", "30/06/2023", "01/07/2024"));
    EXPECT_TRUE(a().ExistenMovFueraPeriodo(" 2023", "30/06/2022", "30/06/2023"));
    {
        // The company server has no VAL(): a statement using it is refused there.
        DialogosGuionados guion;
        fallar("VAL(", 10);
        EXPECT_TRUE(a().ExistenMovFueraPeriodo("2024", "01/07/2023", "30/06/2024"));
        EXPECT_TRUE(guion.preguntas().isEmpty());
        db().gCnn->QuitarFallas();
    }

    QString fecha = "x", hasta = "x";
    QVariant numero;
    a().UltimoAjuste(fecha, hasta, numero);
    EXPECT_EQ(fecha, "30/06/2024");
    EXPECT_EQ(hasta, "");  // a null reach reads as empty
    EXPECT_EQ(numero.toInt(), 7);
}

TEST_F(FiscalYears, TheFourWaysOfComparingThePeriodSelectTheSameRows) {
    for (const QString& periodo : {QStringLiteral("2024"), QStringLiteral("2023")}) {
        QList<int> filas;
        for (const QString& condicion : {"PERIODO = '" + periodo + "'", "PERIODO = " + periodo,
                                         "VAL(PERIODO) = " + periodo, "RTRIM(LTRIM(PERIODO)) = " + periodo}) {
            ado::RecordsetPtr rs;
            QString sql = "SELECT * FROM MV_ASIENTOS WHERE " + condicion;
            db().AbrirRecordset(sql, rs, nullptr, ado::adOpenDynamic, ado::adLockReadOnly);
            filas << (rs->Bof() ? 0 : (rs->MoveLast(), int(rs->RecordCount())));
        }
        EXPECT_EQ(filas, QList<int>(4, periodo == "2024" ? 2 : 1)) << periodo.toStdString();
    }
}

class Subledgers : public EntornoAsientos {
  protected:
    Subledgers()
        : EntornoAsientos(
              {"INSERT INTO MV_CONTROL_AS_RES (SUBDIARIO, ID, Fecha_Desde, Fecha_Hasta, PERIODO, Anulado) "
               "VALUES "
               "('V', 15, '2024-03-01', '2024-03-15', 2024, 0), ('V', 16, '2024-03-16', '2024-03-31', 2024, "
               "1), "
               "('V', 17, '2024-04-01', '2024-04-30', 2024, NULL), ('V', 18, NULL, '2024-05-31', 2024, 0), "
               "('V', 19, '2024-03-20', '2024-03-25', 2024, 0), ('V', 20, '2024-06-01', '2024-06-30', 2023, "
               "0), "
               "('O''K', 1, '2024-01-01', '2024-01-31', 2024, 0)",
               "INSERT INTO MA_SUBDIARIOSCOMPROBANTES (SUBDIARIO, TC) VALUES ('V', '  FC'), ('V', '  NC'), "
               "('C', 'FCC')"}) {}
};

TEST_F(Subledgers, ADateIsFreeOutsideTheSummariesThatWereNotReversed) {
    EXPECT_FALSE(a().ValidaFechaSubdiario("01/03/2024", " V "));
    EXPECT_FALSE(a().ValidaFechaSubdiario("15/03/2024", "V"));
    EXPECT_TRUE(a().ValidaFechaSubdiario("17/03/2024", "V"));   // only a reversed summary
    EXPECT_FALSE(a().ValidaFechaSubdiario("22/03/2024", "V"));  // a reversed and a standing one
    EXPECT_TRUE(a().ValidaFechaSubdiario("10/04/2024", "V"));   // Anulado null
    EXPECT_TRUE(a().ValidaFechaSubdiario("10/05/2024", "V"));   // Fecha_Desde null
    EXPECT_TRUE(a().ValidaFechaSubdiario("10/06/2024", "V"));   // another fiscal year's summary
    EXPECT_TRUE(a().ValidaFechaSubdiario("10/03/2024", "X"));
    EXPECT_TRUE(a().ValidaFechaSubdiario("no es fecha", "X"));  // nothing to compare with
    EXPECT_THROW(a().ValidaFechaSubdiario("no es fecha", "V"), vb::ErrorVB);
    EXPECT_FALSE(a().ValidaFechaSubdiario("10/01/2024", "O'K"));
}

TEST_F(Subledgers, VoucherTypesOfASubJournal) {
    EXPECT_TRUE(a().ValidaSubdiarioTC("V", "fc"));
    EXPECT_TRUE(a().ValidaSubdiarioTC(" V", "  NC "));
    EXPECT_FALSE(a().ValidaSubdiarioTC("V", "FCC"));
    EXPECT_FALSE(a().ValidaSubdiarioTC("Z", "FC"));
    EXPECT_TRUE(a().ValidaTCRegistraciones(" FCC "));
    EXPECT_FALSE(a().ValidaTCRegistraciones("FC"));  // stored with its leading blanks
    EXPECT_FALSE(a().ValidaTCRegistraciones("F'C"));
}

TEST_F(Subledgers, AReversedSummaryIsReportedOnce) {
    DialogosGuionados guion;
    EXPECT_FALSE(a().AsientoResumenAnulado("V", "03-0000015"));
    EXPECT_FALSE(a().AsientoResumenAnulado("V", "04-0000015"));
    guion.esperarMsgBox(vb::vbOK);
    EXPECT_TRUE(a().AsientoResumenAnulado(" V ", "03-0000016"));
    EXPECT_EQ(guion.preguntas(), QList<Pregunta>({{"Este Asiento Resumen ya fue Contrasentado!!!",
                                                   "indajuste", vb::vbCritical, Pregunta::Mensaje}}));
    EXPECT_FALSE(a().AsientoResumenAnulado("V", "04-0000017"));  // Anulado null

    guion.esperarMsgBox(vb::vbAbort);  // no dash: the split fails and is reported
    EXPECT_FALSE(a().AsientoResumenAnulado("V", "0300016"));
    guion.esperarMsgBox(vb::vbAbort);  // a number slot that holds no number
    EXPECT_FALSE(a().AsientoResumenAnulado("V", "03-1 OR 1=1"));
    EXPECT_EQ(titulos(guion).mid(1).join("|").count("AsientoResumenAnulado"), 2);
}

}  // namespace
