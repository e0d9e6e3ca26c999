#include "services/CNStuffContable.h"

#include "data/EntornoDB_Dll.h"
#include "outside/ado/Connection.h"
#include "outside/ado/sqlite/ProveedorSqlite.h"
#include "outside/maker/SistemaPC.h"
#include "outside/runtime/Archivos.h"
#include "support/DialogosGuionados.h"

#include <gtest/gtest.h>

using namespace CNStuffContable;

namespace {

const QString kCR = QString(QChar(13));

// A table with the column kinds a save types its values by.
QStringList tablaDePrueba() {
    return {
        "CREATE TABLE T_PRUEBA (C4 char(4) COLLATE SERVIDOR NULL, LARGO varchar(40) COLLATE SERVIDOR NULL, "
        "F datetime NULL, B bit NULL, N smallint NULL, M money NULL)"};
}

class Statements : public EntornoDB_Dll {
  protected:
    Statements() : EntornoDB_Dll(tablaDePrueba()) {}

    void SetUp() override {
        EntornoDB_Dll::SetUp();
        if (HasFatalFailure()) return;
        qputenv("TEMP", "x");
        qputenv("TMP", temporal_.path().toUtf8());
        vb::setReloj([] { return QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9)); });
        DialogosGuionados sinPreguntas;
        ASSERT_TRUE(abrirComo("ADMIN"));
        gCamposValores.clear();
    }

    void TearDown() override {
        qunsetenv("TEMP");
        qunsetenv("TMP");
        gCamposValores.clear();
        EntornoDB_Dll::TearDown();
    }

    // The folder of the program's own error log, apart from the database object's log.
    QTemporaryDir temporal_;

    int cuenta(const QString& tabla) const { return base_.escalar("SELECT COUNT(*) FROM " + tabla).toInt(); }

    // The statement list of a save that inserts one account per code.
    static QStringList altas(const QStringList& codigos) {
        QStringList lista{QString()};
        for (const QString& c : codigos) {
            AgregaCampoValor("CODIGO", c, "'", true);
            AgregaCampoValor("DESCRIPCION", "CUENTA " + c, "'", false);
            ArmaSentenciaSQL(gCamposValores, lista, "@Admin_MA_Cuentas", false);
        }
        return lista;
    }
};

}  // namespace

TEST_F(Statements, InsertAndUpdateTextsFromThePairs) {
    QStringList lista{QString()};
    AgregaCampoValor("CODIGO", "1.1", "'", true);
    AgregaCampoValor("DESCRIPCION", "D'Amico", "'", false);
    AgregaCampoValor("INDICE", "3", "@", false);
    AgregaCampoValor("Moneda", "null", "@", false);
    ArmaSentenciaSQL(gCamposValores, lista, "@Admin_MA_Cuentas", false);
    ASSERT_EQ(lista.size(), 2);
    // The value is doubled once, when it becomes a literal, and pasted as it stands.
    EXPECT_EQ(lista[0],
              "INSERT INTO @Admin_MA_Cuentas (CODIGO,DESCRIPCION,INDICE,Moneda) VALUES "
              "('1.1','D''Amico',3,Null)");
    EXPECT_EQ(lista[1], "");
    ASSERT_EQ(gCamposValores.size(), 1);
    EXPECT_TRUE(gCamposValores[0].Campo.isEmpty() && gCamposValores[0].Valor.isEmpty());

    // A condition without WHERE gets it, also in the caller's text.
    AgregaCampoValor("DESCRIPCION", "CAJA", "'", true);
    AgregaCampoValor("INDICE", "NULL", "@", false);
    QString condicion = " CODIGO = '1'";
    ArmaSentenciaSQL(gCamposValores, lista, "@Admin_MA_Cuentas", true, condicion);
    EXPECT_EQ(lista[1],
              "UPDATE @Admin_MA_Cuentas SET DESCRIPCION = 'CAJA',INDICE = Null  WHERE  CODIGO = '1'");
    EXPECT_EQ(condicion, " WHERE  CODIGO = '1'");
    ASSERT_EQ(lista.size(), 3);

    // One that holds the word in any case is used as it is.
    AgregaCampoValor("DESCRIPCION", "BANCO", "'", true);
    condicion = "where CODIGO = '2'";
    ArmaSentenciaSQL(gCamposValores, lista, "MA_CUENTAS", true, condicion);
    EXPECT_EQ(lista[2], "UPDATE MA_CUENTAS SET DESCRIPCION = 'BANCO' where CODIGO = '2'");
    EXPECT_EQ(condicion, "where CODIGO = '2'");
    // The word inside a value is no WHERE of the condition.
    AgregaCampoValor("DESCRIPCION", "BANCO", "'", true);
    condicion = " CODIGO = 'where'";
    ArmaSentenciaSQL(gCamposValores, lista, "MA_CUENTAS", true, condicion);
    EXPECT_EQ(condicion, " WHERE  CODIGO = 'where'");

    // The value list of an audit row, and a list that was cleared cannot be added to.
    AgregaCampoValor("A", "x", "'", true);
    AgregaCampoValor("B", "2", "@", false);
    QString texto = "INSERT INTO T ";
    ArmaListaValores(texto, gCamposValores, true);
    EXPECT_EQ(texto, "INSERT INTO T (A,B) VALUES ('x',2)");
    EXPECT_TRUE(gCamposValores.isEmpty());
    try {
        AgregaCampoValor("A", "x", "'", false);
        ADD_FAILURE() << "no error";
    } catch (const vb::ErrorVB& e) {
        EXPECT_EQ(e.Number, 9);
    }
    EXPECT_THROW(ArmaSentenciaSQL(gCamposValores, lista, "T", false), vb::ErrorVB);
}

TEST_F(Statements, ValuesTypedByTheRecordsetColumn) {
    QString consulta = "SELECT * FROM T_PRUEBA";
    ado::RecordsetPtr rs;
    db().AbrirRecordset(consulta, rs, nullptr, ado::adOpenDynamic, ado::adLockOptimistic);
    ASSERT_TRUE(rs && rs->State() == ado::adStateOpen);

    QString campo = "[C4]";
    ValorCampoSQL(rs, campo, "1", true);
    EXPECT_EQ(campo, "C4");
    campo = "LARGO";
    ValorCampoSQL(rs, campo, "  texto  ", false);
    ValorCampoSQL(rs, campo, "   ", false);
    campo = "F";
    ValorCampoSQL(rs, campo, "05/03/2026", false);
    ValorCampoSQL(rs, campo, "no es fecha", false);
    campo = "B";
    ValorCampoSQL(rs, campo, "falso", false);
    ValorCampoSQL(rs, campo, "", false);
    campo = "N";
    ValorCampoSQL(rs, campo, "7", false);
    campo = "M";
    ValorCampoSQL(rs, campo, "2", false);

    QStringList valores;
    for (const CampoValor& c : gCamposValores) valores << c.Valor;
    EXPECT_EQ(valores,
              QStringList({"'   1'", "'texto'", "Null", "'05/03/2026'", "Null", "'0'", "'1'", "7", "2"}));
    campo = "NO_EXISTE";
    EXPECT_THROW(ValorCampoSQL(rs, campo, "1", false), vb::ErrorVB);

    EXPECT_TRUE(ValorLogico(""));
    EXPECT_TRUE(ValorLogico(" 0"));
    EXPECT_TRUE(ValorLogico("si"));
    EXPECT_FALSE(ValorLogico("falso"));
    EXPECT_FALSE(ValorLogico("False"));
    EXPECT_FALSE(ValorLogico("0"));
}

TEST_F(Statements, ABatchWithoutErrorsCommits) {
    DialogosGuionados guion;
    QStringList lista = altas({"5", "6"});
    lista.insert(1, "   ");
    AgregaCampoValor("DESCRIPCION", "CAJA CHICA", "'", true);
    ArmaSentenciaSQL(gCamposValores, lista, "@Admin_MA_Cuentas", true, " CODIGO = '1'");
    bool fallo = true;
    int32_t numero = -1;
    EjecutaTransaccion(lista, fallo, numero, false, "", "", true);
    EXPECT_FALSE(fallo);
    EXPECT_EQ(numero, 0);
    EXPECT_EQ(cuenta("MA_CUENTAS"), 5);
    EXPECT_EQ(base_.escalar("SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '6'").toString(), "CUENTA 6");
    EXPECT_EQ(base_.escalar("SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '1'").toString(),
              "CAJA CHICA");
    EXPECT_EQ(cuenta("AUX_ERR"), 0);
    EXPECT_TRUE(guion.preguntas().isEmpty());

    // Nothing is left open: a later batch commits on its own.
    QStringList otra = altas({"7"});
    EjecutaTransaccion(otra, fallo);
    EXPECT_FALSE(fallo);
    EXPECT_EQ(cuenta("MA_CUENTAS"), 6);
}

TEST_F(Statements, AFailingStatementRollsEveryStatementBackAndIsRecorded) {
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbOK);
    // The update and the new account go with the duplicate; a second error is not shown.
    QStringList lista = altas({"5", "1"});
    AgregaCampoValor("DESCRIPCION", "CAMBIADA", "'", true);
    ArmaSentenciaSQL(gCamposValores, lista, "@Admin_MA_Cuentas", true, " CODIGO = '2'");
    lista.last() = "INSERT INTO @Admin_MA_Cuentas (CODIGO) VALUES (Null)";
    lista.append(QString());
    bool fallo = false;
    int32_t numero = 0;
    EjecutaTransaccion(lista, fallo, numero);
    EXPECT_TRUE(fallo);
    EXPECT_EQ(numero, 2627);
    EXPECT_EQ(cuenta("MA_CUENTAS"), 3);
    EXPECT_EQ(cuenta("MA_CUENTAS WHERE CODIGO = '5'"), 0);
    EXPECT_EQ(base_.escalar("SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '2'").toString(), "BANCO");

    const QString mensaje =
        "2627 : Infracción de la restricción de clave: no se puede insertar una clave duplicada: UNIQUE "
        "constraint failed: MA_CUENTAS.CODIGO\r\n";
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(guion.preguntas()[0],
              (Pregunta{mensaje, "Aviso al Operador!", vb::vbOKOnly + vb::vbCritical, Pregunta::Mensaje}));

    const auto filas =
        base_.filas("SELECT Proceso, Error, Descripcion, Sql, PC, Usuario, fecha FROM AUX_ERR");
    ASSERT_EQ(filas.size(), 1);
    EXPECT_EQ(filas[0][0], "indajuste");
    EXPECT_EQ(filas[0][1], "2627");
    EXPECT_EQ(filas[0][2], mensaje);
    // The marker is gone from the recorded batch: it is the text that reached the server.
    EXPECT_EQ(filas[0][3], "BEGIN TRANSACTION " + kCR + kCR + kCR +
                               "INSERT INTO MA_Cuentas (CODIGO,DESCRIPCION) VALUES ('5','CUENTA 5')" + kCR +
                               "INSERT INTO MA_Cuentas (CODIGO,DESCRIPCION) VALUES ('1','CUENTA 1')" + kCR +
                               "UPDATE MA_Cuentas SET DESCRIPCION = 'CAMBIADA'  WHERE  CODIGO = '2'" + kCR +
                               "INSERT INTO MA_Cuentas (CODIGO) VALUES (Null)" + kCR);
    EXPECT_EQ(filas[0][4], maker::gSistemaPC().NombreEquipo());
    EXPECT_EQ(filas[0][5], base_.nombre());
    EXPECT_FALSE(filas[0][6].isEmpty());
    EXPECT_EQ(db().gCnn->errores().Count(), 0);

    // The rollback closed the transaction: the next batch opens its own and commits.
    QStringList otra = altas({"7"});
    EjecutaTransaccion(otra, fallo, numero);
    EXPECT_FALSE(fallo);
    EXPECT_EQ(numero, 0);
    EXPECT_EQ(base_.filas("SELECT CODIGO FROM MA_CUENTAS ORDER BY CODIGO"),
              QList<QStringList>({{"1"}, {"2"}, {"7"}, {"9"}}));
}

TEST_F(Statements, AQuietDuplicateShowsNothingButIsStillRolledBackAndRecordedWithTheServersText) {
    DialogosGuionados guion;
    QStringList lista = altas({"5", "2"});
    bool fallo = false;
    int32_t numero = 0;
    EjecutaTransaccion(lista, fallo, numero, true);
    EXPECT_TRUE(fallo);
    EXPECT_EQ(numero, 2627);
    EXPECT_EQ(cuenta("MA_CUENTAS WHERE CODIGO = '5'"), 0);
    EXPECT_TRUE(guion.preguntas().isEmpty());
    const auto filas = base_.filas("SELECT Error, Descripcion FROM AUX_ERR");
    ASSERT_EQ(filas.size(), 1);
    EXPECT_EQ(filas[0][0], "2627");
    // The record keeps the server's text, as the log file does.
    EXPECT_TRUE(filas[0][1].startsWith("2627 : ")) << filas[0][1].toStdString();

    // Another server error is shown even with the flag.
    guion.esperarMsgBox(vb::vbOK);
    lista = {"INSERT INTO @Admin_MA_Cuentas (CODIGO) VALUES (Null)", ""};
    EjecutaTransaccion(lista, fallo, numero, true);
    EXPECT_EQ(numero, 515);
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(guion.preguntas()[0].texto,
              "515 : No se admite un valor nulo en la columna: NOT NULL constraint failed: "
              "MA_CUENTAS.CODIGO\r\n");
}

TEST_F(Statements, TheBatchTextLeavesBlankElementsOut) {
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbOK);
    ado::FallaInyectada f;
    f.contiene = "BEGIN TRANSACTION";
    f.error.Number = ado::kErrNoEspecificado;
    f.error.NativeError = 1205;
    f.error.Description = "Interbloqueo";
    db().gCnn->InyectarFalla(f);
    QStringList lista{"  ", "", ""};
    bool fallo = false;
    EjecutaTransaccion(lista, fallo);
    EXPECT_TRUE(fallo);
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(guion.preguntas()[0].texto, "1205 : Interbloqueo\r\n");
    EXPECT_EQ(base_.escalar("SELECT Sql FROM AUX_ERR").toString(), "BEGIN TRANSACTION " + kCR + kCR + kCR);
}

// The record of the failure cannot be written: the operator still learns what the server said.
TEST_F(Statements, AFailedErrorRecordDoesNotHideTheServersMessage) {
    base_.ejecutar(
        "CREATE TRIGGER AUX_ERR_LLENA BEFORE INSERT ON AUX_ERR BEGIN SELECT RAISE(ABORT, 'sin lugar'); END");
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbOK);
    QStringList lista = altas({"1"});
    bool fallo = false;
    int32_t numero = 0;
    EjecutaTransaccion(lista, fallo, numero);
    EXPECT_TRUE(fallo);
    EXPECT_EQ(numero, 2627);
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(
        guion.preguntas()[0].texto,
        "2627 : Infracción de la restricción de clave: no se puede insertar una clave duplicada: UNIQUE "
        "constraint failed: MA_CUENTAS.CODIGO\r\n");
    EXPECT_EQ(cuenta("AUX_ERR"), 0);
    const QStringList log = vb::LeerLineas(RutaLogErrores()).value_or(QStringList());
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log[0].contains("EjecutaTransaccion")) << log[0].toStdString();
    EXPECT_TRUE(log[0].contains("sin lugar")) << log[0].toStdString();
}

TEST_F(Statements, WithoutAConnectionTheBatchFails) {
    db().gCnn->Close();
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbOK);
    QStringList lista = altas({"5"});
    bool fallo = false;
    EjecutaTransaccion(lista, fallo);
    EXPECT_TRUE(fallo);
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(guion.preguntas()[0].titulo, "Aviso al Operador!");
    EXPECT_EQ(cuenta("MA_CUENTAS"), 3);
}

// Quotes, line breaks and semicolons in a value are data: stored as typed, never run.
TEST_F(Statements, AValueWithQuotesLineBreaksAndSemicolonsIsStoredExactly) {
    DialogosGuionados guion;
    const QString valor = "O'Brien'; DELETE FROM MA_CUENTAS;\r\nDROP TABLE AUX_ERR\r--'";
    QStringList lista{QString()};
    AgregaCampoValor("CODIGO", "5", "'", true);
    AgregaCampoValor("DESCRIPCION", valor, "'", false);
    ArmaSentenciaSQL(gCamposValores, lista, "@Admin_MA_Cuentas", false);
    AgregaCampoValor("DESCRIPCION", valor + "x", "'", true);
    ArmaSentenciaSQL(gCamposValores, lista, "@Admin_MA_Cuentas", true, " CODIGO = '1'");
    bool fallo = true;
    EjecutaTransaccion(lista, fallo);
    EXPECT_FALSE(fallo);
    EXPECT_TRUE(guion.preguntas().isEmpty());
    EXPECT_EQ(cuenta("MA_CUENTAS"), 4);
    EXPECT_EQ(base_.escalar("SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '5'").toString(), valor);
    EXPECT_EQ(base_.escalar("SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '1'").toString(), valor + "x");
    EXPECT_EQ(cuenta("AUX_ERR"), 0);
}

// The server refuses the commit itself (a deferred reference check): nothing of the batch stays,
// the transaction is closed, and the operator learns it as for a refused batch.
TEST_F(Statements, ARefusedCommitIsAFailedTransaction) {
    base_.ejecutar("CREATE TABLE T_PADRE (ID int PRIMARY KEY)");
    base_.ejecutar("CREATE TABLE T_HIJO (P int REFERENCES T_PADRE (ID) DEFERRABLE INITIALLY DEFERRED)");
    auto* motor = dynamic_cast<ado::sqlite::ProveedorSqlite*>(db().gCnn->proveedor());
    ASSERT_NE(motor, nullptr);
    ASSERT_EQ(sqlite3_exec(motor->manejador(), "PRAGMA foreign_keys = ON", nullptr, nullptr, nullptr),
              SQLITE_OK);

    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbOK);
    QStringList lista = altas({"5"});
    lista.last() = "INSERT INTO T_HIJO VALUES (8)";
    lista.append(QString());
    bool fallo = false;
    int32_t numero = 0;
    EjecutaTransaccion(lista, fallo, numero);
    EXPECT_TRUE(fallo);
    EXPECT_EQ(numero, 547);
    EXPECT_EQ(cuenta("MA_CUENTAS WHERE CODIGO = '5'"), 0);
    EXPECT_EQ(cuenta("T_HIJO"), 0);
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(guion.preguntas()[0].titulo, "Aviso al Operador!");
    EXPECT_TRUE(guion.preguntas()[0].texto.startsWith("547 : ")) << guion.preguntas()[0].texto.toStdString();
    const auto filas = base_.filas("SELECT Error, Sql FROM AUX_ERR");
    ASSERT_EQ(filas.size(), 1);
    EXPECT_EQ(filas[0][0], "547");
    EXPECT_TRUE(filas[0][1].contains("INSERT INTO T_HIJO VALUES (8)"));

    // The next write is not swallowed by a transaction left open.
    QString sql = "INSERT INTO T_PADRE VALUES (1)";
    EXPECT_TRUE(db().EjecutaConsultaSQL(sql));
    EXPECT_EQ(cuenta("T_PADRE"), 1);

    // A refused delete its caller handles shows nothing and is recorded with the server's text.
    sql = "INSERT INTO T_HIJO VALUES (1)";
    ASSERT_TRUE(db().EjecutaConsultaSQL(sql));
    QStringList baja{"DELETE FROM T_PADRE WHERE ID = 1", QString()};
    EjecutaTransaccion(baja, fallo, numero, false, QString(), QString(), false, true);
    EXPECT_TRUE(fallo);
    EXPECT_EQ(numero, 547);
    EXPECT_EQ(guion.preguntas().size(), 1);
    const QString descripcion =
        base_.escalar("SELECT Descripcion FROM AUX_ERR WHERE Sql LIKE '%DELETE FROM T_PADRE%'").toString();
    EXPECT_TRUE(descripcion.startsWith("547 : ")) << descripcion.toStdString();
}
