// The company database of the embedded engine: schema and demo company.
#include "support/BaseDePrueba.h"

#include "outside/ado/sqlite/TraductorSql.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QDate>
#include <QFileInfo>
#include <cmath>

namespace {

int Entero(const BaseDePrueba& b, const QString& sql) {
    return b.escalar(sql).toInt();
}

}  // namespace

TEST(Schema, TheDemoDatabaseIsBuiltWithTheDemoCompany) {
    BaseDePrueba b(true, {}, QStringLiteral("DEMO"));
    ASSERT_TRUE(b.valida()) << b.error().toStdString();
    EXPECT_TRUE(QFileInfo(b.ruta()).isFile());
    EXPECT_EQ(b.ruta(), b.carpeta() + QStringLiteral("/DEMO.sqlite"));
    EXPECT_EQ(
        b.cadenaConexion(),
        QStringLiteral("PROVIDER=SQLOLEDB;Server=%1;Database =DEMO;UId=DEMO;Pwd=DEMO;").arg(b.carpeta()));

    EXPECT_EQ(Entero(b, "SELECT count(*) FROM MV_EJERCICIOS"), 6);
    EXPECT_EQ(Entero(b, "SELECT count(*) FROM MA_INDAJUSTE"), 59);
    EXPECT_EQ(b.filas("SELECT min(Anio * 100 + Mes), max(Anio * 100 + Mes) FROM MA_INDAJUSTE"),
              (QList<QStringList>{{"202201", "202611"}}));
    // No gaps between the first and the last month.
    EXPECT_EQ(Entero(b, "SELECT count(DISTINCT Anio * 12 + Mes) FROM MA_INDAJUSTE"), 59);
    EXPECT_EQ(b.filas("SELECT NOMBRE, Administrador, UNegocio FROM TA_USUARIOS ORDER BY NOMBRE"),
              (QList<QStringList>{{"ADMIN", "1", "   1"}, {"OPERADOR", "0", "   1"}}));
    EXPECT_EQ(b.escalar("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'NOMBRE'").toString(),
              QStringLiteral("DISTRIBUIDORA DEL SUR S.A."));
    EXPECT_EQ(b.filas("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE LIKE 'NOMBRE_INDICE_' ORDER BY CLAVE"),
              (QList<QStringList>{{"I.P.I.M."}, {"I.P.C."}, {"C.E.R."}, {"U.V.A."}}));
    // The rights of both users name the program.
    EXPECT_EQ(Entero(b,
                     "SELECT count(*) FROM TA_TAREAS T JOIN TA_MENU M ON T.TAREA = M.Clave "
                     "WHERE M.Proceso LIKE '%indajuste%'"),
              2);
}

TEST(Schema, TheDemoIndicesKeepTheCoefficientRule) {
    BaseDePrueba b(true);
    ASSERT_TRUE(b.valida());
    // A closed year's coefficient is its closing index over the month's index, to three decimals.
    const auto filas = b.filas(
        "SELECT I.Importe1, I.Indice1, C.Importe1, I.Importe2, I.Indice2, C.Importe2 FROM MA_INDAJUSTE I "
        "JOIN MV_EJERCICIOS E ON printf('%04d-%02d-01', I.Anio, I.Mes) BETWEEN E.[Fecha Desde] AND E.[Fecha "
        "Hasta] "
        "JOIN MA_INDAJUSTE C ON C.Anio = CAST(substr(E.[Fecha Hasta], 1, 4) AS int) "
        "AND C.Mes = CAST(substr(E.[Fecha Hasta], 6, 2) AS int) WHERE E.PERIODO <= 2026");
    ASSERT_EQ(filas.size(), 54);
    for (const QStringList& f : filas) {
        EXPECT_NEAR(f[1].toDouble(), std::round(f[2].toDouble() / f[0].toDouble() * 1000) / 1000, 1e-9)
            << f.join(' ').toStdString();
        EXPECT_NEAR(f[4].toDouble(), std::round(f[5].toDouble() / f[3].toDouble() * 1000) / 1000, 1e-9)
            << f.join(' ').toStdString();
    }
    EXPECT_EQ(
        Entero(b, "SELECT count(*) FROM MA_INDAJUSTE WHERE Importe3 <> 0 AND Anio * 100 + Mes < 202407"), 0);
    EXPECT_EQ(Entero(b, "SELECT count(*) FROM MA_INDAJUSTE WHERE Importe4 <> 0 OR Indice4 <> 0"), 0);
}

TEST(Schema, FiscalYearDatesCompareWithIsoLiterals) {
    BaseDePrueba b(true);
    ASSERT_TRUE(b.valida());
    // The opening and the closing day both belong to their fiscal year.
    EXPECT_EQ(b.escalar("SELECT PERIODO FROM MV_EJERCICIOS WHERE [fecha desde] <= '2023-07-01' "
                        "AND [fecha hasta] >= '2023-07-01'")
                  .toInt(),
              2024);
    EXPECT_EQ(b.escalar("SELECT PERIODO FROM MV_EJERCICIOS WHERE [fecha desde] <= '2023-06-30' "
                        "AND [fecha hasta] >= '2023-06-30'")
                  .toInt(),
              2023);
    EXPECT_FALSE(b.escalar("SELECT PERIODO FROM MV_EJERCICIOS WHERE [fecha desde] <= '2021-12-01' "
                           "AND [fecha hasta] >= '2021-12-01'")
                     .isValid());
    for (const QStringList& f : b.filas("SELECT [Fecha Desde], [Fecha Hasta] FROM MV_EJERCICIOS")) {
        EXPECT_TRUE(QDate::fromString(f[0], Qt::ISODate).isValid()) << f[0].toStdString();
        EXPECT_TRUE(QDate::fromString(f[1], Qt::ISODate).isValid()) << f[1].toStdString();
    }
}

TEST(Schema, TextsCompareAsOnTheServer) {
    BaseDePrueba b(true);
    ASSERT_TRUE(b.valida());
    EXPECT_EQ(b.escalar("SELECT NOMBRE FROM TA_USUARIOS WHERE NOMBRE = 'admin'").toString(),
              QStringLiteral("ADMIN"));
    EXPECT_EQ(b.escalar("SELECT NOMBRE FROM TA_USUARIOS WHERE NOMBRE = 'OPERADOR  '").toString(),
              QStringLiteral("OPERADOR"));
    EXPECT_EQ(b.escalar("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'cfondo'").toString(),
              QStringLiteral("0"));
    // Leading blanks count: "   1" is not "1".
    EXPECT_FALSE(b.escalar("SELECT CODIGO FROM TA_MONEDAS WHERE CODIGO = '1'").isValid());
    EXPECT_EQ(Entero(b, "SELECT count(*) FROM TA_MONEDAS WHERE CODIGO = '   1'"), 1);
    // Beyond ASCII too, and the key refuses a name that differs only in case or trailing blanks.
    b.ejecutar("INSERT INTO TA_USUARIOS (NOMBRE, Administrador) VALUES ('MUÑOZ', 0)");
    EXPECT_EQ(b.escalar("SELECT NOMBRE FROM TA_USUARIOS WHERE NOMBRE = 'muñoz'").toString(),
              QStringLiteral("MUÑOZ"));
    EXPECT_NONFATAL_FAILURE(
        b.ejecutar("INSERT INTO TA_USUARIOS (NOMBRE, Administrador) VALUES ('admin ', 0)"), "UNIQUE");
    EXPECT_EQ(Entero(b, "SELECT count(*) FROM TA_USUARIOS"), 3);
}

TEST(Schema, TheRestrictedViewsHideWhatIsConfidential) {
    BaseDePrueba b(true);
    ASSERT_TRUE(b.valida());
    const int total = Entero(b, "SELECT count(*) FROM MA_CUENTAS");
    EXPECT_EQ(Entero(b, "SELECT count(*) FROM SS_MA_CUENTAS"), total - 1);
    EXPECT_FALSE(b.escalar("SELECT CODIGO FROM SS_MA_CUENTAS WHERE CODIGO = '51010100102'").isValid());
    EXPECT_FALSE(b.escalar("SELECT CUENTA FROM SS_MV_ASIENTOS WHERE CUENTA = '51010100102'").isValid());
    EXPECT_EQ(Entero(b, "SELECT count(*) FROM SS_MV_ASIENTOS"),
              Entero(b, "SELECT count(*) FROM MV_ASIENTOS WHERE CUENTA <> '51010100102'"));
    EXPECT_GT(Entero(b, "SELECT count(*) FROM SS_MV_ASIENTOS"), 2);
    EXPECT_EQ(Entero(b, "SELECT count(*) FROM SS_V_TA_CAJAS"), 1);
    EXPECT_EQ(Entero(b, "SELECT count(*) FROM V_TA_CAJAS"), 2);

    // Writes through the restricted view land in the table, and never reach a hidden account.
    b.ejecutar("UPDATE SS_MA_CUENTAS SET DESCRIPCION = 'CAJA EN PESOS' WHERE CODIGO = '11010100101'");
    b.ejecutar("UPDATE SS_MA_CUENTAS SET DESCRIPCION = 'X' WHERE CODIGO = '51010100102'");
    b.ejecutar("INSERT INTO SS_MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('11010100103', 'CAJA EUROS')");
    b.ejecutar("DELETE FROM SS_MA_CUENTAS WHERE CODIGO = '51010100102'");
    EXPECT_EQ(b.filas("SELECT CODIGO, DESCRIPCION, TITULO, CONFIDENCIAL FROM MA_CUENTAS "
                      "WHERE CODIGO IN ('11010100101', '11010100103', '51010100102') ORDER BY CODIGO"),
              (QList<QStringList>{{"11010100101", "CAJA EN PESOS", "0", "0"},
                                  {"11010100103", "CAJA EUROS", "0", "0"},
                                  {"51010100102", "HONORARIOS DIRECTORIO", "0", "1"}}));

    b.ejecutar(
        "INSERT INTO SS_MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], CUENTA, IMPORTE) "
        "VALUES ('2027', 8, 2, '11010100101', 5)");
    EXPECT_EQ(
        b.filas(
            "SELECT [NUMERO ASIENTO], ESRESUMEN, ES_SALDO_APERTURA FROM MV_ASIENTOS WHERE MES_OPERATIVO = 8 "
            "AND IMPORTE = 5"),
        (QList<QStringList>{{"2", "0", "0"}}));

    b.ejecutar(
        "INSERT INTO SS_AC_CUENTAS_DIARIO_CCOSTO (CUENTA, CCOSTO, FECHA, DEBE, HABER) "
        "VALUES ('11010100101', 'ADM', '2026-07-31 00:00:00', 10, 0)");
    EXPECT_EQ(Entero(b, "SELECT count(*) FROM AC_CUENTASDIARIO_CCOSTO"), 1);
}

TEST(Schema, TheViewsTheProgramWritesAcceptWrites) {
    BaseDePrueba b(true);
    ASSERT_TRUE(b.valida());
    b.ejecutar(
        "INSERT INTO V_MV_CPTEACCIONES (TC,IdComprobante,IdComplemento,Tipo_accion,FECHAHORA,Usuario,PC,"
        "SYSTEMUSER) VALUES ('  CT','1101',0,'A','2026-12-09 10:30:00','ADMIN','PC1','1101 CAJA')");
    // The same action in the same minute is a second row, not a refused insert.
    b.ejecutar(
        "INSERT INTO V_MV_CPTEACCIONES (TC,IdComprobante,IdComplemento,Tipo_accion,FECHAHORA,Usuario,PC,"
        "SYSTEMUSER) VALUES ('  CT','1101',0,'A','2026-12-09 10:30:00','ADMIN','PC1','1101 CAJA')");
    EXPECT_EQ(Entero(b, "SELECT count(*) FROM MV_CPTEACCIONES WHERE Tipo_accion = 'a'"), 2);

    b.ejecutar(
        "UPDATE V_TA_TPV SET PEND_TABLAS = 1, ULTIMA_DETECCION = '2026-12-09 10:30:00' WHERE CODIGO = '   "
        "2'");
    EXPECT_EQ(b.filas("SELECT CODIGO, PEND_TABLAS, ULTIMA_DETECCION FROM TA_TPV ORDER BY CODIGO"),
              (QList<QStringList>{{"   1", "0", QString()}, {"   2", "1", "2026-12-09 10:30:00"}}));

    b.ejecutar("INSERT INTO V_TA_CAJAS (IDCAJAS, DESCRIPCION) VALUES ('   3', 'CAJA 3')");
    EXPECT_EQ(b.filas("SELECT Descripcion, CONFIDENCIAL FROM TA_CAJAS WHERE IdCajas = '   3'"),
              (QList<QStringList>{{"CAJA 3", "0"}}));
}

TEST(Schema, TheRowsTheLoadAddsHaveNoCoefficients) {
    BaseDePrueba b(false, {"INSERT INTO MA_INDAJUSTE (Anio, Mes, Importe1, Importe2, Importe3, Importe4) "
                           "VALUES (2023, 1, 0, 0, 0, 0)"});
    ASSERT_TRUE(b.valida());
    EXPECT_EQ(b.filas("SELECT Indice1, Indice4, fechahora_grabacion FROM MA_INDAJUSTE"),
              (QList<QStringList>{{QString(), QString(), QString()}}));
    EXPECT_EQ(Entero(b, "SELECT count(*) FROM MV_EJERCICIOS"), 0);
    EXPECT_NONFATAL_FAILURE(b.ejecutar("INSERT INTO MA_INDAJUSTE (Anio, Mes) VALUES (2023, 1)"), "UNIQUE");
}

TEST(Schema, ANeighbourTerminalSharesTheServerFolder) {
    BaseDePrueba central(true);
    ASSERT_TRUE(central.valida());
    BaseDePrueba terminal(central, QStringLiteral("TPV01"), false,
                          {"INSERT INTO MA_CUENTAS (CODIGO) VALUES ('9')"});
    ASSERT_TRUE(terminal.valida());
    EXPECT_EQ(terminal.carpeta(), central.carpeta());
    EXPECT_EQ(terminal.ruta(), central.carpeta() + QStringLiteral("/TPV01.sqlite"));
    EXPECT_EQ(terminal.escalar("SELECT count(*) FROM MA_CUENTAS").toInt(), 1);
    EXPECT_EQ(terminal.escalar("SELECT count(*) FROM MA_INDAJUSTE").toInt(), 0);
    EXPECT_EQ(central.escalar("SELECT count(*) FROM MA_INDAJUSTE").toInt(), 59);
}

TEST(Schema, TheProgramsTranslatedStatementsReadTheDemoCompany) {
    BaseDePrueba b(true);
    ASSERT_TRUE(b.valida());
    auto traducida = [](const char* sql) { return ado::sqlite::TraducirSentencia(QString::fromUtf8(sql)); };
    // The fiscal year of a month by its day-first date, the opening day included.
    EXPECT_EQ(b.escalar(traducida("select * from mv_ejercicios where  [fecha desde] <= '01/07/2023' and "
                                  "[fecha hasta] >= '01/07/2023' "))
                  .toInt(),
              2024);
    EXPECT_EQ(b.escalar(traducida("select * from mv_ejercicios where  [fecha desde] <= '01/06/2027' and "
                                  "[fecha hasta] >= '01/06/2027' "))
                  .toInt(),
              2027);
    EXPECT_EQ(b.escalar(traducida("Select min([fecha desde]) as desde from mv_ejercicios")).toString(),
              QStringLiteral("2022-01-01"));
    EXPECT_EQ(b.escalar(traducida("Select max([fecha hasta]) as hasta from mv_ejercicios")).toString(),
              QStringLiteral("2027-06-30"));
    EXPECT_EQ(b.escalar(traducida("select count(*) from mv_ejercicios where month([Fecha Desde]) = 7 and "
                                  "year([Fecha hasta]) = 2024"))
                  .toInt(),
              1);
    EXPECT_EQ(b.escalar(traducida("SELECT TOP 1 * FROM ta_usuarios with(nolock)  WHERE LTRIM(RTRIM(nombre)) "
                                  "='operador' "))
                  .toString(),
              QStringLiteral("OPERADOR"));
    EXPECT_EQ(
        b.filas(traducida("SELECT TA_TAREAS.USUARIO, TA_MENU.Proceso, TA_MENU.Clave , TA_MENU.Nombre  FROM "
                          "TA_TAREAS INNER JOIN TA_MENU ON TA_TAREAS.TAREA = TA_MENU.Clave  WHERE "
                          "(TA_TAREAS.USUARIO = 'admin ') AND (TA_MENU.Proceso LIKE '%INDAJUSTE%')")),
        (QList<QStringList>{{"ADMIN", "indajuste", "IND01", "Indices de Ajuste"}}));
    EXPECT_EQ(b.escalar(traducida("Select count(*) as filas from ma_indajuste ")).toInt(), 59);
}
