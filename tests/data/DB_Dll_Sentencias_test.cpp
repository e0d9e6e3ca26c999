#include "data/EntornoDB_Dll.h"
#include "support/DialogosGuionados.h"
#include "support/FinObservado.h"
#include "support/SentenciasHostiles.h"

#include <functional>

namespace {

class DB_DllStatements : public EntornoDB_Dll {
  protected:
    void SetUp() override {
        EntornoDB_Dll::SetUp();
        if (HasFatalFailure()) return;
        DialogosGuionados sinPreguntas;
        ASSERT_TRUE(abrirComo("OPERADOR"));
        ASSERT_FALSE(db().gEsAdmin);
    }

    // A dropped link as the company server reports it.
    static ado::FallaInyectada conexionPerdida(const QString& contiene, int veces) {
        ado::FallaInyectada f;
        f.contiene = contiene;
        f.veces = veces;
        f.error.Number = ado::kErrNoEspecificado;
        f.error.NativeError = ado::kNativoConexionPerdida;
        f.error.SQLState = "08S01";
        f.error.Description = "Vínculo de comunicación perdido";
        f.error.Source = "Motor de datos";
        f.cierraConexion = true;
        return f;
    }

    QString pregunta() const {
        return "\r\n\r\n\r\nSe perdio la conexion con la base de datos " + base_.nombre() + "\r\n Servidor " +
               base_.carpeta() +
               "\r\n\r\nElija SI para reintentar conectarse\r\nElija NO para cerrar la "
               "aplicacion\r\n\r\n\r\n";
    }
};

TEST_F(DB_DllStatements, WritesOnTheTableAndQueriesOnTheView) {
    DialogosGuionados guion;
    QString sql = "UPDATE MA_CUENTAS SET DESCRIPCION = 'OCULTA' WHERE CODIGO = '9'";
    long afectados = -1;
    EXPECT_TRUE(db().EjecutaConsultaSQL(sql, afectados));
    EXPECT_EQ(sql, "UPDATE MA_CUENTAS SET DESCRIPCION = 'OCULTA' WHERE CODIGO = '9'");
    EXPECT_EQ(afectados, 1);
    EXPECT_EQ(base_.escalar("SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '9'").toString(), "OCULTA");

    QString consulta = "SELECT * FROM MA_CUENTAS";
    ado::RecordsetPtr rs;
    db().AbrirRecordset(consulta, rs);
    EXPECT_EQ(consulta, "SELECT * FROM SS_MA_CUENTAS");
    ASSERT_TRUE(rs);
    ASSERT_EQ(rs->State(), ado::adStateOpen);
    EXPECT_EQ(rs->RecordCount(), 2);

    // The marker reaches the real table and never the database.
    consulta = "SELECT * FROM @admin_MA_CUENTAS WHERE CODIGO = '9'";
    db().AbrirRecordset(consulta, rs);
    EXPECT_EQ(consulta, "SELECT * FROM MA_CUENTAS WHERE CODIGO = '9'");
    EXPECT_FALSE(rs->Bof());
    sql = "DELETE FROM @Admin_MA_CUENTAS WHERE CODIGO = '9'";
    EXPECT_TRUE(db().EjecutaConsultaSQL(sql));
    EXPECT_EQ(sql, "DELETE FROM MA_CUENTAS WHERE CODIGO = '9'");
    EXPECT_EQ(base_.escalar("SELECT COUNT(*) FROM MA_CUENTAS").toInt(), 2);
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

TEST_F(DB_DllStatements, CreatingAndDroppingAViewUsesTheRestrictedViews) {
    DialogosGuionados guion;
    // "CREATE" and "DROP" count anywhere, also inside a name.
    QString sql = "CREATE VIEW V_DROP_PRUEBA AS SELECT CODIGO FROM MA_CUENTAS";
    EXPECT_TRUE(db().EjecutaConsultaSQL(sql)) << logPrograma().toStdString();
    EXPECT_EQ(sql, "CREATE VIEW V_DROP_PRUEBA AS SELECT CODIGO FROM SS_MA_CUENTAS");
    EXPECT_EQ(base_.escalar("SELECT COUNT(*) FROM V_DROP_PRUEBA").toInt(), 2);

    // With the marker before any name only the marker goes; one inside a quoted text is no marker.
    sql = "CREATE VIEW V_DROP_ADMIN AS SELECT CODIGO FROM @Admin_MA_CUENTAS WHERE '@Admin_' <> ''";
    EXPECT_TRUE(db().EjecutaConsultaSQL(sql));
    EXPECT_EQ(sql, "CREATE VIEW V_DROP_ADMIN AS SELECT CODIGO FROM MA_CUENTAS WHERE '@Admin_' <> ''");
    EXPECT_EQ(base_.escalar("SELECT COUNT(*) FROM V_DROP_ADMIN").toInt(), 3);
    sql = "CREATE VIEW V_DROP_TEXTO AS SELECT CODIGO FROM MA_CUENTAS WHERE '@Admin_' <> ''";
    EXPECT_TRUE(db().EjecutaConsultaSQL(sql));
    EXPECT_EQ(base_.escalar("SELECT COUNT(*) FROM V_DROP_TEXTO").toInt(), 2);

    // And a statement that also deletes keeps its names.
    sql = "CREATE VIEW V_DROP_DELETE AS SELECT CODIGO FROM MA_CUENTAS";
    EXPECT_TRUE(db().EjecutaConsultaSQL(sql));
    EXPECT_EQ(sql, "CREATE VIEW V_DROP_DELETE AS SELECT CODIGO FROM MA_CUENTAS");
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

// Words inside a value the statement writes are data: they never send it to the restricted views,
// and a query never carries a second statement.
TEST_F(DB_DllStatements, ValuesDoNotDecideTheRewriteAndAQueryIsAStatement) {
    DialogosGuionados guion;
    QString sql = "UPDATE MA_CUENTAS SET DESCRIPCION = 'create or drop' WHERE CODIGO = '9'";
    EXPECT_TRUE(db().EjecutaConsultaSQL(sql));
    EXPECT_EQ(sql, "UPDATE MA_CUENTAS SET DESCRIPCION = 'create or drop' WHERE CODIGO = '9'");
    EXPECT_EQ(base_.escalar("SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '9'").toString(),
              "create or drop");

    guion.esperarMsgBox(vb::vbAbort);
    QString consulta =
        "SELECT * FROM TA_USUARIOS WHERE NOMBRE LIKE '%';UPDATE TA_USUARIOS SET Administrador=1;--%'";
    ado::RecordsetPtr rs;
    db().AbrirRecordset(consulta, rs);
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_TRUE(guion.preguntas().at(0).texto.contains("una sola sentencia de lectura"))
        << guion.preguntas().at(0).texto.toStdString();
    EXPECT_EQ(rs->State(), ado::adStateClosed);
    EXPECT_EQ(base_.escalar("SELECT Administrador FROM TA_USUARIOS WHERE NOMBRE = 'OPERADOR'").toInt(), 0);
}

// Whatever a hostile text puts after the query, for every statement word of the server's dialect
// and of the embedded engine, after a batch separator, a line break or a blank: one message, the
// recordset closed, and nothing written (no user changed, no table, no copy of the company).
TEST_F(DB_DllStatements, ARecordsetRunsOneQueryWhateverFollowsIt) {
    const QString copia = programa_.path() + "/copia.sqlite";
    const auto usuarios = base_.filas("SELECT * FROM TA_USUARIOS ORDER BY NOMBRE");
    const auto esquema = base_.filas("SELECT name, sql FROM sqlite_master ORDER BY name");
    for (const SentenciaHostil& h : SentenciasHostiles(copia))
        for (const QString& entre : Separadores()) {
            QString consulta = "SELECT CODIGO FROM MA_CUENTAS WHERE CODIGO = '1'" + entre + h.sentencia;
            SCOPED_TRACE(consulta.toStdString());
            DialogosGuionados guion;
            guion.esperarMsgBox(vb::vbIgnore);
            ado::RecordsetPtr rs;
            db().AbrirRecordset(consulta, rs);
            ASSERT_EQ(guion.preguntas().size(), 1);
            // A word the engine alone knows, with nothing before it, is the engine's syntax error.
            if (h.delDialecto || entre.contains("GO")) {
                EXPECT_TRUE(guion.preguntas()[0].texto.contains("una sola sentencia de lectura"))
                    << guion.preguntas()[0].texto.toStdString();
            }
            EXPECT_EQ(rs->State(), ado::adStateClosed);
        }
    EXPECT_EQ(base_.filas("SELECT * FROM TA_USUARIOS ORDER BY NOMBRE"), usuarios);
    EXPECT_EQ(base_.filas("SELECT name, sql FROM sqlite_master ORDER BY name"), esquema);
    EXPECT_EQ(base_.escalar("PRAGMA user_version").toInt(), 0);
    EXPECT_FALSE(QFile::exists(copia));
}

TEST_F(DB_DllStatements, AQuietFailureIsStillLoggedAndListedByTRANS) {
    DialogosGuionados guion;
    // An ordinary failure: nothing shown, the list kept, the log written, the caller told.
    QString sql = "INSERT INTO NO_EXISTE (A) VALUES (1)";
    EXPECT_FALSE(db().EjecutaConsultaSQL(sql));
    EXPECT_GE(db().gCnn->errores().Count(), 1);
    EXPECT_TRUE(
        logPrograma().contains(" Rutina: - EjecutaConsultaSQL Mensaje Ha ocurrido el Siguiente Error ("));
    EXPECT_TRUE(logPrograma().endsWith(" Respondió : \r\n"));

    // A truncation warning outside a transaction block is cleared ...
    ado::FallaInyectada truncado;
    truncado.error.Number = ado::kErrNoEspecificado;
    truncado.error.NativeError = ado::kNativoTruncado;
    truncado.error.Description = "Los datos de cadena o binarios se truncarían.";
    db().gCnn->InyectarFalla(truncado);
    sql = "UPDATE MA_CUENTAS SET DESCRIPCION = 'X' WHERE CODIGO = '1'";
    EXPECT_FALSE(db().EjecutaConsultaSQL(sql));
    EXPECT_EQ(db().gCnn->errores().Count(), 0);

    // ... but kept when the statement holds "TRANS", even inside a name.
    db().gCnn->InyectarFalla(truncado);
    sql = "UPDATE TRANSPORTES SET A = 1";
    EXPECT_FALSE(db().EjecutaConsultaSQL(sql));
    ASSERT_EQ(db().gCnn->errores().Count(), 1);
    EXPECT_EQ(db().gCnn->errores().Item(0).NativeError, ado::kNativoTruncado);
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

TEST_F(DB_DllStatements, ALostConnectionIsRerunAtMostTwice) {
    DialogosGuionados guion;
    QString sql = "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('K1', 'V')";
    db().gCnn->InyectarFalla(conexionPerdida("TA_CONFIGURACION", 2));
    EXPECT_TRUE(db().EjecutaConsultaSQL(sql));
    EXPECT_TRUE(db().gOpenFlag);
    EXPECT_EQ(base_.escalar("SELECT COUNT(*) FROM TA_CONFIGURACION WHERE CLAVE = 'K1'").toInt(), 1);

    // A third loss in the same call gives up without a word.
    sql = "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('K2', 'V')";
    db().gCnn->InyectarFalla(conexionPerdida("TA_CONFIGURACION", 3));
    EXPECT_FALSE(db().EjecutaConsultaSQL(sql));
    EXPECT_EQ(base_.escalar("SELECT COUNT(*) FROM TA_CONFIGURACION WHERE CLAVE = 'K2'").toInt(), 0);
    EXPECT_EQ(db().gCnn->State(), ado::adStateOpen);
    EXPECT_TRUE(guion.preguntas().isEmpty());

    // Inside a transaction block a lost link is the caller's to see.
    sql = "INSERT INTO TRANS_X VALUES (1)";
    db().gCnn->InyectarFalla(conexionPerdida("TRANS_X", 1));
    EXPECT_FALSE(db().EjecutaConsultaSQL(sql));
    EXPECT_EQ(db().gCnn->State(), ado::adStateClosed);
}

TEST_F(DB_DllStatements, WithoutReconnectingItAsksAndDoesNotEndTheProgram) {
    DialogosGuionados guion;
    FinObservado fin;
    // The database goes away with the link: every reconnection fails.
    const QString ruta = base_.ruta();
    ASSERT_TRUE(QFile::rename(ruta, ruta + ".fuera"));
    db().gCnn->InyectarFalla(conexionPerdida("TA_CONFIGURACION", 1));
    guion.esperarMsgBox(vb::vbNo);
    QString sql = "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('K3', 'V')";
    EXPECT_THROW(db().EjecutaConsultaSQL(sql), vb::FinDelPrograma);
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(guion.preguntas().at(0).texto, pregunta());
    EXPECT_EQ(guion.preguntas().at(0).titulo, "AVISO AL OPERADOR");
    EXPECT_EQ(guion.preguntas().at(0).estilo, vb::vbYesNo + vb::vbCritical);
    ASSERT_TRUE(QFile::rename(ruta + ".fuera", ruta));
}

TEST_F(DB_DllStatements, YesToTheQuestionReconnectsAndEnds) {
    const QString ruta = base_.ruta();
    // The file moved away is itself the lost connection.
    ASSERT_TRUE(QFile::rename(ruta, ruta + ".fuera"));
    // The operator brings the database back before answering.
    struct Devuelve : DialogosGuionados {
        QString ruta;
        int MsgBox(const QString& t, int e, const QString& c) override {
            QFile::rename(ruta + ".fuera", ruta);
            return DialogosGuionados::MsgBox(t, e, c);
        }
    };
    Devuelve operador;
    operador.ruta = ruta;
    operador.esperarMsgBox(vb::vbYes);
    QString sql = "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('K4', 'V')";
    EXPECT_TRUE(db().EjecutaConsultaSQL(sql));
    EXPECT_EQ(operador.preguntas().size(), 1);
    EXPECT_TRUE(db().gOpenFlag);
    EXPECT_EQ(base_.escalar("SELECT COUNT(*) FROM TA_CONFIGURACION WHERE CLAVE = 'K4'").toInt(), 1);
}

TEST_F(DB_DllStatements, AbrirRecordsetDoesNotRerunWithoutAsking) {
    DialogosGuionados guion;
    // After one silent reconnection the report asks; Retry opens it.
    db().gCnn->InyectarFalla(conexionPerdida("TA_USUARIOS", 1));
    guion.esperarMsgBox(vb::vbRetry);
    QString sql = "SELECT * FROM TA_USUARIOS";
    ado::RecordsetPtr rs;
    db().AbrirRecordset(sql, rs);
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(guion.preguntas().at(0).titulo, "Motor de datos - AbrirRecordset Aviso al operador!!! - 5 ");
    EXPECT_EQ(guion.preguntas().at(0).estilo, 18);
    EXPECT_TRUE(guion.preguntas().at(0).texto.startsWith("Ha ocurrido el Siguiente Error (-2147467259) "));
    ASSERT_EQ(rs->State(), ado::adStateOpen);
    EXPECT_EQ(rs->RecordCount(), 4);

    // Abort leaves the recordset closed; reading it raises instead of crashing.
    db().gCnn->InyectarFalla(conexionPerdida("TA_USUARIOS", 1));
    guion.esperarMsgBox(vb::vbAbort);
    db().AbrirRecordset(sql, rs);
    EXPECT_EQ(rs->State(), ado::adStateClosed);
    EXPECT_THROW(rs->Bof(), vb::ErrorVB);
}

// Both roads a query takes, a recordset and a reading straight into columns: the user's views, a
// lost link asked about once and read once, and an abort that reads nothing.
TEST_F(DB_DllStatements, EveryQueryRoadReadsThroughTheUsersViewsAndRecoversAlike) {
    struct Camino {
        const char* nombre;
        // The first column of every row read; false when nothing was read.
        std::function<bool(DB_Dll&, QString&, QStringList&)> lee;
    };
    const Camino caminos[] = {
        {"AbrirRecordset",
         [](DB_Dll& d, QString& sql, QStringList& codigos) {
             ado::RecordsetPtr rs;
             d.AbrirRecordset(sql, rs);
             if (rs->State() != ado::adStateOpen) return false;
             for (; !rs->Eof(); rs->MoveNext()) codigos << rs->fields().Item(0).Value().toString();
             return true;
         }},
        {"LeeConsulta",
         [](DB_Dll& d, QString& sql, QStringList& codigos) {
             ado::Lectura l;
             if (!d.LeeConsulta(sql, l)) return false;
             for (const QVariant& v : l.valores.value(0)) codigos << v.toString();
             return true;
         }},
    };
    for (const Camino& c : caminos) {
        DialogosGuionados guion;
        QString sql = "SELECT CODIGO FROM MA_CUENTAS ORDER BY CODIGO";
        QStringList codigos;
        EXPECT_TRUE(c.lee(db(), sql, codigos)) << c.nombre;
        EXPECT_EQ(sql, "SELECT CODIGO FROM SS_MA_CUENTAS ORDER BY CODIGO") << c.nombre;
        EXPECT_EQ(codigos, (QStringList{"1", "2"})) << c.nombre;

        // After one silent reconnection the report asks; Retry reads the rows, once.
        db().gCnn->InyectarFalla(conexionPerdida("TA_USUARIOS", 1));
        guion.esperarMsgBox(vb::vbRetry);
        sql = "SELECT NOMBRE FROM TA_USUARIOS ORDER BY NOMBRE";
        codigos.clear();
        EXPECT_TRUE(c.lee(db(), sql, codigos)) << c.nombre;
        EXPECT_EQ(codigos, (QStringList{" BLANCO ", "ADMIN", "NULO", "OPERADOR"})) << c.nombre;
        ASSERT_EQ(guion.preguntas().size(), 1) << c.nombre;
        EXPECT_EQ(guion.preguntas().at(0).titulo,
                  "Motor de datos - AbrirRecordset Aviso al operador!!! - 5 ");

        // Abort reads nothing.
        db().gCnn->InyectarFalla(conexionPerdida("TA_USUARIOS", 1));
        guion.esperarMsgBox(vb::vbAbort);
        codigos.clear();
        EXPECT_FALSE(c.lee(db(), sql, codigos)) << c.nombre;
        EXPECT_TRUE(codigos.isEmpty()) << c.nombre;
        EXPECT_EQ(guion.preguntas().size(), 2) << c.nombre;
    }
}

TEST_F(DB_DllStatements, RSQLShowsOnlyWhatItDoesNotSilence) {
    DialogosGuionados guion;
    ado::FallaInyectada f;
    f.error.Number = 3001;
    f.error.Description = "Argumentos incorrectos";
    db().gCnn->InyectarFalla(f);
    guion.esperarMsgBox(vb::vbOK);
    QString sql = "UPDATE @ADMIN_MA_CUENTAS SET DESCRIPCION = 'X' WHERE CODIGO = '1'";
    db().EjecutaConsultaRSQL(sql);
    EXPECT_EQ(sql, "UPDATE MA_CUENTAS SET DESCRIPCION = 'X' WHERE CODIGO = '1'");
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(guion.preguntas().at(0).texto, "Argumentos incorrectos");
    EXPECT_EQ(guion.preguntas().at(0).titulo, "Aviso al operador!!!");
    EXPECT_EQ(guion.preguntas().at(0).estilo, vb::vbOKOnly + vb::vbCritical);

    // Syntax errors and missing tables are not shown.
    sql = "UPDATE NO_EXISTE SET A = 1";
    db().EjecutaConsultaRSQL(sql);
    EXPECT_EQ(guion.preguntas().size(), 1);
}

}  // namespace
