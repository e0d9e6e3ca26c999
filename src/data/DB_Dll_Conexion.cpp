#include "data/DB_Dll.h"

#include "data/DB_Dll_Texto.h"
#include "data/Globales.h"
#include "outside/ado/ErroresAdo.h"
#include "outside/maker/DialogoArchivo.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/Programa.h"

#include <QSet>

using db_texto::Contiene;

std::function<bool(DB_Dll&)> DB_Dll::PedirDatosConexion = [](DB_Dll&) { return false; };
QStringList DB_Dll::TablasDeLaEmpresa;

DB_Dll::DB_Dll() = default;
DB_Dll::~DB_Dll() = default;

ado::ConnectionPtr& DB_Dll::cnn() {
    if (!gCnn) gCnn = ado::Connection::Crear();
    return gCnn;
}

maker::Utilidades& DB_Dll::Util() {
    if (!utilidades_) utilidades_ = std::make_unique<maker::Utilidades>();
    return *utilidades_;
}

void DB_Dll::ArmaCadenaServidor() {
    if (Contiene(gServidor, "#")) {
        gConnString = "Provider=OraOLEDB.Oracle.1;Data Source=" + gDBName + ";User Id=" + gUsuario +
                      ";Password=" + gUserPassWord + ";";
        return;
    }
    gConnString = "PROVIDER=" + CNStuffContable::gBaseDatos().pSQLOLEDB() + ";" + "Server=" + gServidor +
                  ";" + "Database =" + gDBName + ";" + "UId=" + gUsuario + ";" + "Pwd=" + gUserPassWord +
                  ";" + gExtended;
}

bool DB_Dll::PideDatosConexion() {
    gOpenFlag = PedirDatosConexion ? PedirDatosConexion(*this) : false;
    return gOpenFlag;
}

void DB_Dll::OpenServerADODB(bool PideParametrosSQL, int lCursor, const QString& ConnString, bool ValidaAdmin,
                             bool MuestraError) {
    // Whatever road the call takes, a connection that is not open is not reported as open.
    struct AlSalir {
        DB_Dll& db;
        ~AlSalir() {
            if (db.cnn()->State() != ado::adStateOpen) db.gOpenFlag = false;
        }
    } alSalir{*this};

    bool reintento3705 = false;
    vb::ManejadorErrores h("OpenServerADODB", [&](const vb::ErrorVB& e, const QString&) {
        return RespuestaErrorApertura(e, MuestraError, reintento3705);
    });

    gOpenFlag = true;
    if (gProveedor.isEmpty()) gProveedor = "SQLOLEDB";
    if (vb::Trim(ConnString).isEmpty())
        ArmaCadenaServidor();
    else
        gConnString = ConnString;
    if (PideParametrosSQL) {
        if (!h.paso([&] { PideDatosConexion(); })) return;
        if (!gOpenFlag) return;
        ArmaCadenaServidor();
    }
    cnn()->setCursorLocation(lCursor);
    if (!h.paso([&] {
            cnn()->Open(gConnString, QString(), QString(), -1);
            if (ValidaAdmin && MuestraError) ExigeTablasDeLaEmpresa();
        }))
        return;
    if (!ValidaAdmin) {
        gEsAdmin = true;
        return;
    }
    if (vb::Trim(gDBName).isEmpty()) return;
    if (!h.paso([&] { cnn()->setDefaultDatabase(gDBName); })) return;
    h.paso([&] { LeeAdministrador(MuestraError); });
}

void DB_Dll::LeeAdministrador(bool MuestraError) {
    if (!CNStuffContable::gBaseDatos().ExisteTablaDB("TA_USUARIOS")) return;
    if (!MuestraError) {
        gEsAdmin = true;
        return;
    }
    const QVariant administrador = DatosTabla("ta_usuarios", CNStuffContable::gUsuarioLogeado,
                                              "Administrador", "nombre", 8, QString(), true, false);
    gEsAdmin = vb::Val(administrador.toString()) == 1;
}

void DB_Dll::ExigeTablasDeLaEmpresa() {
    if (TablasDeLaEmpresa.isEmpty()) return;
    QSet<QString> hay;
    const ado::RecordsetPtr rs = cnn()->OpenSchema(ado::adSchemaTables);
    for (; !rs->Eof(); rs->MoveNext())
        hay.insert(vb::Trim(rs->valor(QStringLiteral("TABLE_NAME")).toString()).toUpper());
    for (const QString& tabla : std::as_const(TablasDeLaEmpresa)) {
        if (hay.contains(tabla.toUpper())) continue;
        ado::Error e;
        e.SQLState = QStringLiteral("42S02");
        e.Number = ado::kErrTablaInexistente;
        e.NativeError = 208;
        e.Source = QStringLiteral("Motor de datos");
        e.Description =
            QString("La base de datos %1 no es una base de datos de la empresa: le falta la tabla %2.")
                .arg(gDBName, tabla);
        // Closed before anything is read from it or written to it.
        cnn()->Close();
        cnn()->errores().Clear();
        cnn()->errores().Add(e);
        ado::LanzarEntrada(cnn()->errores(), 0);
    }
}

int DB_Dll::RespuestaErrorApertura(const vb::ErrorVB& e, bool MuestraError, bool& reintento3705) {
    auto cierraYReintenta = [&]() {
        reintento3705 = true;
        try {
            cnn()->Close();
        } catch (const vb::ErrorVB&) {
        }
        return vb::kRespuestaReintentar;
    };
    ado::Errors& errores = cnn()->errores();
    // A refused open always leaves its reason in the list, even when the engine left no entry of
    // its own.
    if (errores.Count() == 0 && cnn()->State() != ado::adStateOpen && e.Number != ado::kErrObjetoAbierto) {
        ado::Error entrada;
        entrada.Number = e.Number;
        entrada.Description = e.Description;
        entrada.Source = e.Source;
        errores.Add(entrada);
    }
    if (!MuestraError) {
        if (e.Number == ado::kErrObjetoAbierto && !reintento3705) return cierraYReintenta();
        gOpenFlag = false;
        return 0;
    }
    if (errores.Count() > 0) {
        const int respuesta = vb::MsgBox(TextoErrorConexion(errores.Item(0)), vb::vbYesNo + vb::vbCritical,
                                         " Error de Conexion a Base de Datos");
        if (respuesta != vb::vbYes) {
            gOpenFlag = false;
            return 0;
        }
        errores.Clear();
        if (!PideDatosConexion()) return 0;
        ArmaCadenaServidor();
        return vb::kRespuestaReintentar;
    }
    if (e.Number == ado::kErrObjetoAbierto && !reintento3705) return cierraYReintenta();
    vb::MsgBox(e.Description, vb::vbOKOnly, vb::App().Title);
    return 0;
}

QString DB_Dll::TextoErrorConexion(const ado::Error& primero) {
    const QString CR = "\r";
    const QString CRLF = "\r\n";
    const DB_Dll& base = CNStuffContable::gBaseDatos();
    return " Estado de Sql: " + primero.SQLState + CR +
           "Numero de Error: " + QString::number(primero.Number) + CR +
           "Descripcion: " + primero.Description + CR +
           "Codigo Nativo: " + QString::number(primero.NativeError) + CR + CRLF +
           "Nombre de Proceso: " + vb::App().EXEName + CR + CRLF + CRLF +
           "1. Verifique el Usuario, contraseña y base de datos" + CRLF +
           "2. Verifique el nombre del servidor, quizas necesite agregarle el nombre "
           "de la instancia, por ejemplo : " +
           base.gServidor + "\\TARVOVEX" + CRLF + "3. Verifique si el inicio de sesion para el usuario " +
           base.gUsuario + " existe" + CRLF + CRLF + CRLF + " - Desea Intentarlo Nuevamente??? ";
}

void DB_Dll::ReintentaConectar() {
    gOpenFlag = false;
    vb::ManejadorErrores h("AbrirRecordset", [&](const vb::ErrorVB& e, const QString& rutina) -> int {
        if (e.Number == ado::kErrObjetoCerrado) return vb::kRespuestaIgnorar;
        gOpenFlag = false;
        if (e.Number == ado::kErrNoEspecificado) return 0;
        return TratamientoErrores(e, 18, rutina);
    });
    if (!h.paso([&] { cnn()->setCommandTimeout(90); })) return;
    if (!h.paso([&] { cnn()->Close(); })) return;
    // Each object reconnects with its own login: the shared one's would not open another
    // company's database.
    if (!h.paso([&] { cnn()->Open(cnn()->ConnectionString(), gUsuario, gUserPassWord, -1); })) return;
    gOpenFlag = cnn()->State() == ado::adStateOpen;
}

bool DB_Dll::RecuperaAntesDeComenzar() {
    int contador = 0;
    const vb::ErrorVB causa(ado::kErrConexionInvalida, QString());
    return RecuperaConexion(FormaRecuperacion::ReintentaAntesDePreguntar, contador, causa) ==
               TrasRecuperacion::Repetir &&
           cnn()->State() == ado::adStateOpen;
}

void DB_Dll::OpenLocalADODB(const QString& ConnString, const QString& CadenaID, const QString& CadenaPWD) {
    constexpr int kMaximoClaves = 3;
    int clavesProbadas = 0;
    QString clausulaClave;
    bool cancelado = false;

    auto eligeArchivo = [&]() {
        if (!CmdDlg) CmdDlg = std::make_shared<maker::DialogoArchivo>();
        CmdDlg->Titulo = "Buscar Base de Datos";
        CmdDlg->Filtro = "Base de Datos de Microsoft Access |*.MDB";
        if (!CmdDlg->MostrarAbrir()) {
            cancelado = true;
            return false;
        }
        gDBName = CmdDlg->NombreArchivo;
        return true;
    };

    vb::ManejadorErrores h("OpenLocalADODB", [&](const vb::ErrorVB& e, const QString&) -> int {
        if (cancelado) return 0;
        const ado::Errors& errores = cnn()->errores();
        if (errores.Count() > 0) {
            const QString estado = errores.Item(0).SQLState;
            if (estado == "3024" || estado == "3051" || estado == "3044")
                return eligeArchivo() ? vb::kRespuestaReintentar : 0;
            // A password refused again and again, or a prompt left empty, ends the call.
            if (estado == "3031" && ++clavesProbadas <= kMaximoClaves) {
                if (gIgnoraPassWord.toBool()) {
                    clausulaClave = "Jet OLEDB:Database Password=" + gUserPassWord + ";";
                    return vb::kRespuestaReintentar;
                }
                const QString clave = vb::InputBox("ingrese el password:", "Password Access");
                if (clave.isEmpty()) return 0;
                clausulaClave = " Jet OLEDB:Database Password=" + clave + ";";
                return vb::kRespuestaReintentar;
            }
        }
        vb::MsgBox(QString::number(e.Number) + "  " + e.Description, vb::vbOKOnly + vb::vbCritical,
                   vb::App().Title);
        return 0;
    });

    h.paso([&] {
        if (vb::Trim(gDBName).isEmpty() && !eligeArchivo()) return;
        QString cadena = !ConnString.isEmpty()
                             ? ConnString
                             : "PROVIDER=" + gProveedor + ";" + "Data Source =" + gDBName + ";" + CadenaID +
                                   "=" + gUsuario + ";" + CadenaPWD + "=" + gUserPassWord + ";" + gExtended;
        cadena += clausulaClave;
        cnn()->Open(cadena, QString(), QString(), -1);
        gConnString = cadena;
    });
}

// ---- lost-connection recovery ----

bool DB_Dll::ConexionPerdidaCompartida() {
    const ado::Errors& errores = CNStuffContable::gBaseDatos().cnn()->errores();
    return errores.Count() > 0 && errores.Item(0).NativeError == ado::kNativoConexionPerdida;
}

void DB_Dll::CedeSiTransaccionPerdida(const vb::ErrorVB& e) {
    if (cnn()->TransaccionPerdida() || CNStuffContable::gBaseDatos().cnn()->TransaccionPerdida()) throw e;
}

bool DB_Dll::PreguntaConexionPerdida() {
    const DB_Dll& base = CNStuffContable::gBaseDatos();
    const QString CRLF = "\r\n";
    const QString texto = CRLF + CRLF + CRLF + "Se perdio la conexion con la base de datos " + base.gDBName +
                          CRLF + " Servidor " + base.gServidor + CRLF + CRLF +
                          "Elija SI para reintentar conectarse" + CRLF +
                          "Elija NO para cerrar la aplicacion" + CRLF + CRLF + CRLF;
    return vb::MsgBox(texto, vb::vbYesNo + vb::vbCritical, "AVISO AL OPERADOR") == vb::vbYes;
}

DB_Dll::TrasRecuperacion DB_Dll::RecuperaConexion(FormaRecuperacion forma, int& contador,
                                                  const vb::ErrorVB& causa) {
    // The server has undone the transaction with the session; going on in a new one would write
    // outside it.
    if (cnn()->EnTransaccion() || CNStuffContable::gBaseDatos().cnn()->EnTransaccion()) throw causa;
    ReintentaConectar();
    if (gOpenFlag) return ++contador < 3 ? TrasRecuperacion::Repetir : TrasRecuperacion::Rendirse;
    for (;;) {
        ReintentaConectar();
        if (gOpenFlag) {
            if (forma == FormaRecuperacion::ReintentaAntesDePreguntar) return TrasRecuperacion::Repetir;
            return ++contador < 3 ? TrasRecuperacion::Repetir : TrasRecuperacion::Rendirse;
        }
        if (forma == FormaRecuperacion::ReintentaAntesDePreguntar && ++contador < 3) continue;
        if (!PreguntaConexionPerdida()) vb::End();
    }
}
