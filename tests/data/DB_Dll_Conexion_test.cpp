#include "data/EntornoDB_Dll.h"
#include "outside/ado/Transaccion.h"
#include "support/DialogosGuionados.h"
#include "support/FinObservado.h"

#include <QDir>

namespace {

class DB_DllConnection : public EntornoDB_Dll {};

TEST_F(DB_DllConnection, ConnectionStrings) {
    QTemporaryDir servidor;  // an existing folder: the embedded engine, which fails at once
    DB_Dll d;
    d.gServidor = servidor.path();
    d.gDBName = "NOEXISTE";
    d.gUsuario = "u";
    d.gUserPassWord = "p";
    d.gExtended = "Packet Size=4096;";
    d.gProveedor = "OTRO";
    d.OpenServerADODB(false, 3, "   ", false, false);
    EXPECT_EQ(d.gConnString, "PROVIDER=SQLOLEDB;Server=" + servidor.path() +
                                 ";Database =NOEXISTE;UId=u;Pwd=p;Packet Size=4096;");
    EXPECT_EQ(d.gProveedor, "OTRO");
    EXPECT_FALSE(d.gOpenFlag);

    const QString propia = "  PROVIDER=SQLOLEDB;Server=" + servidor.path() + ";Database =OTRA;  ";
    d.OpenServerADODB(false, 3, propia, false, false);
    EXPECT_EQ(d.gConnString, propia);

    DB_Dll vacio;
    vacio.OpenServerADODB(false, 3, "", false, false);
    EXPECT_EQ(vacio.gProveedor, "SQLOLEDB");
}

TEST_F(DB_DllConnection, AnOracleStringWithoutServerOrExtendedProperties) {
    DB_Dll d;
    d.gServidor = "ora#srv";
    d.gDBName = "ORCL";
    d.gUsuario = "u";
    d.gUserPassWord = "p";
    d.gExtended = "X=1;";
    d.OpenServerADODB(false, 3, "", false, false);
    EXPECT_EQ(d.gConnString, "Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=u;Password=p;");
    EXPECT_FALSE(d.gOpenFlag);
}

TEST_F(DB_DllConnection, OpensAndDecidesTheAdministrator) {
    DialogosGuionados guion;
    ASSERT_TRUE(abrirComo("ADMIN"));
    EXPECT_EQ(db().gCnn->State(), ado::adStateOpen);
    EXPECT_TRUE(db().gEsAdmin);
    EXPECT_EQ(db().gConnString, base_.cadenaConexion());

    // Each case on a fresh shared object: a new object is not an administrator.
    const struct {
        const char* usuario;
        bool admin;
    } casos[] = {
        {"OPERADOR", false}, {"NULO", false}, {"NADIE", false}, {"  ADMIN ", true}, {"BLANCO", true}};
    for (const auto& c : casos) {
        CNStuffContable::ReiniciarBaseDatos();
        ASSERT_TRUE(abrirComo(c.usuario)) << c.usuario;
        EXPECT_EQ(db().gEsAdmin, c.admin) << c.usuario;
    }

    // The lookup is of the application user, not of the database login.
    CNStuffContable::ReiniciarBaseDatos();
    CNStuffContable::gUsuarioLogeado = "OPERADOR";
    apuntar(db(), base_.nombre());
    db().gUsuario = "ADMIN";
    db().OpenServerADODB(false, 3, base_.cadenaConexion(), true, true);
    EXPECT_TRUE(db().gOpenFlag);
    EXPECT_FALSE(db().gEsAdmin);

    // Without the error display (a terminal's link) and without validation everybody is.
    CNStuffContable::ReiniciarBaseDatos();
    CNStuffContable::gUsuarioLogeado = "OPERADOR";
    apuntar(db(), base_.nombre());
    db().OpenServerADODB(false, 3, QString(), true, false);
    EXPECT_TRUE(db().gEsAdmin);
    CNStuffContable::ReiniciarBaseDatos();
    apuntar(db(), base_.nombre());
    db().OpenServerADODB(false, 3, QString(), false, true);
    EXPECT_TRUE(db().gEsAdmin);
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

class DB_DllConnectionWithoutUsers : public EntornoDB_Dll {
  protected:
    DB_DllConnectionWithoutUsers() : EntornoDB_Dll({"DROP TABLE TA_USUARIOS"}) {}
};

TEST_F(DB_DllConnectionWithoutUsers, WithoutAUsersTableNobodyIsAnAdministrator) {
    DialogosGuionados guion;
    ASSERT_TRUE(abrirComo("ADMIN"));
    EXPECT_FALSE(db().gEsAdmin);

    // A blank database name skips the decision as well.
    CNStuffContable::ReiniciarBaseDatos();
    apuntar(db(), "   ");
    db().OpenServerADODB(false, 3, base_.cadenaConexion(), true, false);
    EXPECT_TRUE(db().gOpenFlag);
    EXPECT_FALSE(db().gEsAdmin);
}

TEST_F(DB_DllConnection, AWrongNameAsksAndDoesNotLeaveItClosed) {
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbNo);
    apuntar(db(), "NOEXISTE");
    db().OpenServerADODB(false, 3, QString(), true, true);

    EXPECT_FALSE(db().gOpenFlag);
    EXPECT_EQ(db().gCnn->State(), ado::adStateClosed);
    ASSERT_GE(db().gCnn->errores().Count(), 1);
    const ado::Error e = db().gCnn->errores().Item(0);
    EXPECT_FALSE(e.Description.isEmpty());
    ASSERT_EQ(guion.preguntas().size(), 1);
    const Pregunta& p = guion.preguntas().at(0);
    EXPECT_EQ(p.titulo, " Error de Conexion a Base de Datos");
    EXPECT_EQ(p.estilo, vb::vbYesNo + vb::vbCritical);
    EXPECT_EQ(
        p.texto,
        " Estado de Sql: " + e.SQLState + "\rNumero de Error: " + QString::number(e.Number) +
            "\rDescripcion: " + e.Description + "\rCodigo Nativo: " + QString::number(e.NativeError) +
            "\r\r\nNombre de Proceso: indajuste\r\r\n\r\n"
            "1. Verifique el Usuario, contraseña y base de datos\r\n"
            "2. Verifique el nombre del servidor, quizas necesite agregarle el nombre de la instancia, por "
            "ejemplo : " +
            base_.carpeta() +
            "\\TARVOVEX\r\n"
            "3. Verifique si el inicio de sesion para el usuario NOEXISTE existe\r\n\r\n\r\n"
            " - Desea Intentarlo Nuevamente??? ");
}

TEST_F(DB_DllConnection, YesAsksForTheDetailsAndRetries) {
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbYes);
    int pedidos = 0;
    DB_Dll::PedirDatosConexion = [&](DB_Dll& d) {
        ++pedidos;
        EXPECT_EQ(d.gDBName, "NOEXISTE");
        apuntar(d, base_.nombre());
        return true;
    };
    CNStuffContable::gUsuarioLogeado = "ADMIN";
    apuntar(db(), "NOEXISTE");
    db().OpenServerADODB(false, 3, QString(), true, true);
    EXPECT_EQ(pedidos, 1);
    EXPECT_TRUE(db().gOpenFlag);
    EXPECT_EQ(db().gCnn->State(), ado::adStateOpen);
    EXPECT_TRUE(db().gEsAdmin);
    EXPECT_EQ(db().gCnn->errores().Count(), 0);

    // Yes, then the form cancelled: closed and reported closed.
    CNStuffContable::ReiniciarBaseDatos();
    guion.esperarMsgBox(vb::vbYes);
    DB_Dll::PedirDatosConexion = [](DB_Dll&) { return false; };
    apuntar(db(), "NOEXISTE");
    db().OpenServerADODB(false, 3, QString(), true, true);
    EXPECT_FALSE(db().gOpenFlag);
    EXPECT_EQ(db().gCnn->State(), ado::adStateClosed);
}

TEST_F(DB_DllConnection, OpeningAnOpenConnectionClosesAndRetriesOnce) {
    DialogosGuionados guion;
    ASSERT_TRUE(abrirComo("ADMIN"));
    db().OpenServerADODB(false, 3, QString(), true, true);
    EXPECT_TRUE(db().gOpenFlag);
    EXPECT_EQ(db().gCnn->State(), ado::adStateOpen);
    db().OpenServerADODB(false, 3, QString(), true, false);
    EXPECT_TRUE(db().gOpenFlag);
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

// A transaction begun on a lost link gets it back first, as any statement outside one: on a
// company file replaced by a copy it begins on the copy without a word; with the file gone the
// lost-connection question is asked, and No ends the program with nothing begun.
TEST_F(DB_DllConnection, ATransactionBegunOnALostLinkGetsItBackFirst) {
    DialogosGuionados guion;
    FinObservado fin;
    ASSERT_TRUE(abrirComo("ADMIN"));
    const QString ruta = base_.ruta();
    ASSERT_TRUE(QFile::rename(ruta, ruta + ".anterior"));
    ASSERT_TRUE(QFile::copy(ruta + ".anterior", ruta));
    ASSERT_EQ(db().gCnn->State(), ado::adStateClosed);
    {
        ado::Transaccion t(db().gCnn);
        db().gCnn->Execute("UPDATE MA_CUENTAS SET DESCRIPCION = 'CAJA CHICA' WHERE CODIGO = '1'");
        t.Confirmar();
    }
    EXPECT_TRUE(guion.preguntas().isEmpty());
    EXPECT_EQ(base_.escalar("SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '1'").toString(),
              "CAJA CHICA");

    ASSERT_TRUE(QFile::rename(ruta, ruta + ".fuera"));
    guion.esperarMsgBox(vb::vbNo);
    EXPECT_THROW(ado::Transaccion t(db().gCnn), vb::FinDelPrograma);
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_TRUE(guion.preguntas()[0].texto.contains("Se perdio la conexion con la base de datos"));
    EXPECT_FALSE(db().gCnn->EnTransaccion());
    ASSERT_TRUE(QFile::rename(ruta + ".fuera", ruta));
}

TEST_F(DB_DllConnection, ALocalDatabasePicksTheFileAndReportsTheFailure) {
    DialogosGuionados guion;
    guion.esperarArchivo("/datos/BASE.MDB");
    guion.esperarMsgBox(vb::vbOK);
    DB_Dll d;
    d.gProveedor = d.pJETOLEDB40();
    d.OpenLocalADODB(QString(), "User ID", "Password");
    EXPECT_EQ(d.gDBName, "/datos/BASE.MDB");
    ASSERT_EQ(guion.preguntas().size(), 2);
    EXPECT_EQ(guion.preguntas().at(0).titulo, "Buscar Base de Datos");
    EXPECT_EQ(guion.preguntas().at(1).titulo, "indajuste");
    EXPECT_EQ(guion.preguntas().at(1).estilo, vb::vbOKOnly + vb::vbCritical);
    ASSERT_GE(d.gCnn->errores().Count(), 1);
    EXPECT_EQ(guion.preguntas().at(1).texto, QString::number(d.gCnn->errores().Item(0).Number) + "  " +
                                                 d.gCnn->errores().Item(0).Description);
    EXPECT_EQ(d.gCnn->State(), ado::adStateClosed);
    EXPECT_TRUE(d.gConnString.isEmpty());

    // A cancelled choice opens nothing and says nothing.
    guion.esperarArchivo(QString(), true);
    DB_Dll otro;
    otro.OpenLocalADODB(QString(), "User ID", "Password");
    EXPECT_EQ(guion.preguntas().size(), 3);
    EXPECT_TRUE(otro.gDBName.isEmpty());
}

}  // namespace
