#include "data/EntornoDB_Dll.h"
#include "support/DialogosGuionados.h"

namespace {

class DB_DllSearches : public EntornoDB_Dll {
  protected:
    void SetUp() override {
        EntornoDB_Dll::SetUp();
        if (HasFatalFailure()) return;
        DialogosGuionados sinPreguntas;
        ASSERT_TRUE(abrirComo("ADMIN"));
    }

    // Fails the one statement with exactly this text; the report that follows proves it was sent.
    void fallaSiLlega(const QString& sentencia) {
        ado::FallaInyectada f;
        f.contiene = sentencia;
        f.error.Number = 3001;
        f.error.Description = "Sentencia reconocida";
        f.error.Source = "Prueba";
        db().gCnn->InyectarFalla(f);
    }
};

TEST_F(DB_DllSearches, StatementsOfTheExistenceChecks) {
    DialogosGuionados guion;
    ado::RecordsetPtr rs;
    EXPECT_TRUE(db().ExisteEnTabla("TA_USUARIOS", "  BLANCO ", "NOMBRE", rs));
    EXPECT_EQ(rs->Source(),
              "SELECT TOP 1  * FROM TA_USUARIOS with(nolock)  WHERE LTRIM(RTRIM(NOMBRE)) ='BLANCO'");
    EXPECT_EQ(rs->fields()["GRUPO"].Value().toString(), "G");

    // The table-only form compares the key as given.
    EXPECT_FALSE(db().ExisteEnTablaST("TA_USUARIOS", "BLANCO", "NOMBRE", rs));
    EXPECT_EQ(rs->Source(), "SELECT * FROM TA_USUARIOS with(nolock)   WHERE NOMBRE ='BLANCO'");
    EXPECT_TRUE(db().ExisteEnTablaST("TA_USUARIOS", " BLANCO ", "NOMBRE", rs));

    // Numeric keys: the leading number, "." as separator; none gives 0.
    EXPECT_TRUE(db().ExisteEnTabla("TA_USUARIOS", "abc", "Administrador", rs, 3));
    EXPECT_EQ(rs->Source(), "SELECT TOP 1 * FROM TA_USUARIOS with(nolock)  WHERE Administrador = 0");
    EXPECT_FALSE(db().ExisteEnTablaST("TA_USUARIOS", " 1.5kg", "Administrador", rs, 5));
    EXPECT_EQ(rs->Source(), "SELECT * FROM TA_USUARIOS with(nolock)   WHERE Administrador = 1.5");

    // Dates are quoted day-first texts.
    EXPECT_FALSE(db().ExisteEnTabla("TA_USUARIOS", " 15/03/2024 ", "NOMBRE", rs, 7));
    EXPECT_EQ(rs->Source(), "SELECT TOP 1 * FROM TA_USUARIOS with(nolock)  WHERE NOMBRE = '15/03/2024' ");

    // A condition replaces the key test; its own WHERE gets a blank.
    EXPECT_TRUE(db().ExisteEnTabla("TA_USUARIOS", "nadie", "NOMBRE", rs, 8, "Administrador = 0"));
    EXPECT_EQ(rs->Source(), "SELECT TOP 1 * FROM TA_USUARIOS with(nolock)  WHERE Administrador = 0");
    EXPECT_TRUE(db().ExisteEnTablaST("TA_USUARIOS", "nadie", "NOMBRE", rs, 8, "T where T.NOMBRE = 'ADMIN'"));
    EXPECT_EQ(rs->Source(), "SELECT * FROM TA_USUARIOS with(nolock)   T where T.NOMBRE = 'ADMIN'");
    // The word inside a value is no WHERE of the condition.
    EXPECT_TRUE(db().ExisteEnTabla("TA_USUARIOS", "nadie", "NOMBRE", rs, 8, "NOMBRE <> ' where '"));

    // An apostrophe in a key is part of the value.
    EXPECT_FALSE(db().ExisteEnTabla("TA_USUARIOS", "O'BRIEN", "NOMBRE", rs));
    EXPECT_EQ(rs->Source(),
              "SELECT TOP 1  * FROM TA_USUARIOS with(nolock)  WHERE LTRIM(RTRIM(NOMBRE)) ='O''BRIEN'");
    EXPECT_FALSE(db().ExisteEnTabla("TA_USUARIOS", "O'BRIEN", "NOMBRE"));
    EXPECT_TRUE(db().ExisteEnTabla("TA_USUARIOS", "OPERADOR", "NOMBRE"));

    // Read-write: the caller's cursor and lock are kept, and the row can be changed.
    rs->Close();
    rs->CursorType = ado::adOpenDynamic;
    rs->LockType = ado::adLockOptimistic;
    ASSERT_TRUE(db().ExisteEnTabla("TA_USUARIOS", "NULO", "NOMBRE", rs, 8, QString(), false));
    rs->fields()["GRUPO"].setValue("CAMBIADO");
    rs->Update();
    EXPECT_EQ(base_.escalar("SELECT GRUPO FROM TA_USUARIOS WHERE NOMBRE = 'NULO'").toString(), "CAMBIADO");
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

TEST_F(DB_DllSearches, RestrictedViewsOnlyInTheCommonSearch) {
    DialogosGuionados guion;
    CNStuffContable::ReiniciarBaseDatos();
    ASSERT_TRUE(abrirComo("OPERADOR"));
    ado::RecordsetPtr rs;
    EXPECT_FALSE(db().ExisteEnTabla("MA_CUENTAS", "9", "CODIGO", rs));
    EXPECT_EQ(rs->Source(),
              "SELECT TOP 1  * FROM SS_MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(CODIGO)) ='9'");
    EXPECT_FALSE(db().ExisteEnTabla("MA_CUENTAS", "9", "CODIGO"));
    EXPECT_TRUE(db().ExisteEnTablaST("MA_CUENTAS", "9", "CODIGO"));
    EXPECT_TRUE(db().ExisteEnTabla("@Admin_MA_CUENTAS", "9", "CODIGO"));
    EXPECT_EQ(db().DatosTabla("MA_CUENTAS", "9", "DESCRIPCION", "CODIGO").toString(), "");
    EXPECT_EQ(db().DatosTabla("MA_CUENTAS", "1", "DESCRIPCION", "CODIGO").toString(), "CAJA");
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

TEST_F(DB_DllSearches, DatosTabla) {
    DialogosGuionados guion;
    EXPECT_EQ(db().DatosTabla("TA_USUARIOS", " BLANCO", "GRUPO", "NOMBRE").toString(), "G");
    EXPECT_EQ(db().DatosTabla("TA_USUARIOS", "BLANCO", "GRUPO", "NOMBRE", "'").toString(), "G");
    EXPECT_EQ(db().DatosTabla("TA_USUARIOS", "BLANCO ", "GRUPO", "NOMBRE", 8, QString(), false).toString(),
              "");
    EXPECT_EQ(db().DatosTabla("TA_USUARIOS", " BLANCO ", "GRUPO", "NOMBRE", 8, QString(), false).toString(),
              "G");
    // Null and a missing row read as empty text.
    const QVariant nulo = db().DatosTabla("TA_USUARIOS", "NULO", "Administrador", "NOMBRE");
    EXPECT_TRUE(nulo.isValid());
    EXPECT_EQ(nulo.toString(), "");
    EXPECT_EQ(db().DatosTabla("TA_USUARIOS", "NADIE", "GRUPO", "NOMBRE").toString(), "");
    // A blank condition adds nothing; a real one is joined with AND.
    EXPECT_EQ(db().DatosTabla("TA_USUARIOS", "ADMIN", "GRUPO", "NOMBRE", 8, "   ").toString(), "G");
    EXPECT_EQ(db().DatosTabla("TA_USUARIOS", "ADMIN", "GRUPO", "NOMBRE", 8, "Administrador = 0").toString(),
              "");
    EXPECT_EQ(
        db().DatosTabla("TA_USUARIOS", "x", "NOMBRE", "Administrador", 3, "NOMBRE <> 'NULO'").toString(),
        "OPERADOR");
    EXPECT_EQ(db().DatosTabla("TA_USUARIOS", "O'BRIEN", "GRUPO", "NOMBRE").toString(), "");
    // With IgnoraError a column the table does not have is empty text and no message.
    EXPECT_EQ(
        db().DatosTabla("TA_USUARIOS", "ADMIN", "NO_HAY", "NOMBRE", 8, QString(), true, true).toString(), "");
    EXPECT_TRUE(guion.preguntas().isEmpty());

    // Without it the general message asks.
    guion.esperarMsgBox(vb::vbAbort);
    EXPECT_EQ(db().DatosTabla("TA_USUARIOS", "ADMIN", "NO_HAY", "NOMBRE").toString(), "");
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(guion.preguntas().at(0).titulo, "Aviso al Operador");
    EXPECT_EQ(guion.preguntas().at(0).estilo, vb::vbAbortRetryIgnore + vb::vbCritical);
}

TEST_F(DB_DllSearches, StatementsOfDatosTabla) {
    DialogosGuionados guion;
    const QStringList esperadas = {
        "SELECT TOP 1 * FROM ta_usuarios with(nolock)  WHERE LTRIM(RTRIM(nombre)) ='ADMIN' ",
        "SELECT TOP 1 * FROM TA_USUARIOS with(nolock)  WHERE NOMBRE =' A''B ' ",
        "SELECT TOP 1 * FROM TA_USUARIOS with(nolock)  WHERE NOMBRE = '01/02/2024'  AND GRUPO = 'G'",
        "SELECT TOP 1 * FROM TA_USUARIOS with(nolock)  WHERE Administrador = 12.5 AND GRUPO = 'G'",
        "SELECT TOP 1 * FROM TA_USUARIOS with(nolock)  WHERE Administrador = 1   ",
    };
    for (const QString& s : esperadas) {
        fallaSiLlega(s);
        guion.esperarMsgBox(vb::vbAbort);
    }
    EXPECT_EQ(db().DatosTabla("ta_usuarios", " ADMIN", "GRUPO", "nombre").toString(), "");
    EXPECT_EQ(db().DatosTabla("TA_USUARIOS", " A'B ", "GRUPO", "NOMBRE", 8, "", false).toString(), "");
    EXPECT_EQ(db().DatosTabla("TA_USUARIOS", " 01/02/2024", "GRUPO", "NOMBRE", 7, "GRUPO = 'G'").toString(),
              "");
    EXPECT_EQ(db().DatosTabla("TA_USUARIOS", "12.5", "GRUPO", "Administrador", 4, "GRUPO = 'G'").toString(),
              "");
    EXPECT_EQ(db().DatosTabla("TA_USUARIOS", "1", "GRUPO", "Administrador", 11, "   ").toString(), "");
    ASSERT_EQ(guion.preguntas().size(), esperadas.size());
    for (const Pregunta& p : guion.preguntas())
        EXPECT_EQ(p.texto, "Ha ocurrido el Siguiente Error (3001) Sentencia reconocida");
}

TEST_F(DB_DllSearches, ALostConnectionInASearch) {
    DialogosGuionados guion;
    ado::FallaInyectada f;
    f.contiene = "TA_USUARIOS";
    f.error.Number = ado::kErrNoEspecificado;
    f.error.NativeError = ado::kNativoConexionPerdida;
    f.error.Description = "Vínculo de comunicación perdido";
    f.cierraConexion = true;
    f.veces = 2;
    db().gCnn->InyectarFalla(f);
    EXPECT_TRUE(db().ExisteEnTabla("TA_USUARIOS", "ADMIN", "NOMBRE"));
    EXPECT_TRUE(guion.preguntas().isEmpty());

    // Reconnected at once every time: two re-runs, then the general message.
    f.veces = 3;
    db().gCnn->InyectarFalla(f);
    guion.esperarMsgBox(vb::vbAbort);
    EXPECT_FALSE(db().ExisteEnTabla("TA_USUARIOS", "ADMIN", "NOMBRE"));
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(guion.preguntas().at(0).texto, "Vínculo de comunicación perdido");
    EXPECT_EQ(guion.preguntas().at(0).titulo, "Aviso al Operador");
    EXPECT_TRUE(db().gOpenFlag);
}

}  // namespace
