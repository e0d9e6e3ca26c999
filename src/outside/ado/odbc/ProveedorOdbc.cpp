#include "outside/ado/odbc/ProveedorOdbc.h"

#include "outside/ado/FabricaProveedores.h"
#include "outside/ado/odbc/OdbcInterno.h"
#include "outside/runtime/ErrorVB.h"

#include <QDate>
#include <QDateTime>
#include <QSet>
#include <QTime>

namespace ado {

std::unique_ptr<ado::Proveedor> CrearProveedorOdbc() {
    return std::make_unique<odbc::ProveedorOdbc>();
}

}  // namespace ado

namespace ado::odbc {

using namespace interno;

namespace {

const QString kFuente = QStringLiteral("ODBC");

QString Valor(const ParametrosConexion& p, std::initializer_list<const char*> claves) {
    for (const char* c : claves) {
        const auto it = p.constFind(QString::fromLatin1(c));
        if (it != p.cend() && !it->isEmpty()) return *it;
    }
    return {};
}

// Braces keep ';' and blanks inside a value.
QString Par(const QString& clave, const QString& valor) {
    if (!valor.contains(u';') && !valor.contains(u'{') && !valor.contains(u'}') && valor == valor.trimmed())
        return clave + u'=' + valor + u';';
    QString v = valor;
    v.replace(u'}', QStringLiteral("}}"));
    return clave + QStringLiteral("={") + v + QStringLiteral("};");
}

long LargoAdo(int tipoAdo, SQLULEN tamano) {
    switch (tipoAdo) {
        case adSmallInt:
        case adBoolean:
            return 2;
        case adInteger:
        case adSingle:
            return 4;
        case adDouble:
        case adBigInt:
            return 8;
        case adUnsignedTinyInt:
            return 1;
        case adNumeric:
            return 19;
        case adDBTimeStamp:
            return 16;
        case adDBDate:
            return 6;
        default:
            return long(tamano);
    }
}

}  // namespace

// One case per column type; the cases read best side by side.
QVariant interno::ConvertirTexto(const QString& t, int tipoAdo) {
    bool ok = false;
    switch (tipoAdo) {
        case adSmallInt:
        case adInteger:
        case adTinyInt:
        case adUnsignedTinyInt:
        case adUnsignedSmallInt: {
            const int n = t.trimmed().toInt(&ok);
            if (ok) return n;
            break;
        }
        case adBigInt:
        case adUnsignedInt:
        case adUnsignedBigInt: {
            const qlonglong n = t.trimmed().toLongLong(&ok);
            if (ok) return n;
            break;
        }
        case adSingle:
        case adDouble:
        case adCurrency:
        case adDecimal:
        case adNumeric: {
            const double d = t.trimmed().toDouble(&ok);
            if (ok) return d;
            break;
        }
        case adBoolean: {
            const QString s = t.trimmed();
            if (s == u"1" || s.compare(u"true", Qt::CaseInsensitive) == 0) return true;
            if (s == u"0" || s.compare(u"false", Qt::CaseInsensitive) == 0) return false;
            break;
        }
        case adDBTimeStamp:
        case adDate: {
            QString s = t.trimmed();
            if (s.size() == 10) {
                const QDate d = QDate::fromString(s, Qt::ISODate);
                if (d.isValid()) return QDateTime(d, QTime(0, 0));
                break;
            }
            s.replace(u' ', u'T');
            const qsizetype punto = s.indexOf(u'.');
            if (punto > 0) s = s.left(punto + 4);  // milliseconds are all a date keeps here
            const QDateTime dt = QDateTime::fromString(s, punto > 0 ? Qt::ISODateWithMs : Qt::ISODate);
            if (dt.isValid()) return dt;
            break;
        }
        case adDBDate: {
            const QDate d = QDate::fromString(t.trimmed().left(10), Qt::ISODate);
            if (d.isValid()) return d;
            break;
        }
        case adDBTime: {
            const QTime h = QTime::fromString(t.trimmed().left(8), Qt::ISODate);
            if (h.isValid()) return h;
            break;
        }
        default:
            break;
    }
    return t;
}

namespace {

// Splits "catalog.schema.table" (with [ ] or " " around parts) into its parts, last is the table.
}  // namespace

QStringList interno::Partes(const QString& nombre) {
    QStringList partes;
    QString actual;
    QChar cierre;
    for (const QChar c : nombre) {
        if (!cierre.isNull()) {
            if (c == cierre)
                cierre = QChar();
            else
                actual += c;
        } else if (c == u'[') {
            cierre = u']';
        } else if (c == u'"') {
            cierre = u'"';
        } else if (c == u'.') {
            partes << actual;
            actual.clear();
        } else {
            actual += c;
        }
    }
    partes << actual.trimmed();
    return partes;
}

ProveedorOdbc::~ProveedorOdbc() {
    cerrar();
}

QString ProveedorOdbc::CadenaOdbc(const ParametrosConexion& p, const QString& usuario, const QString& clave) {
    const QString fija = qEnvironmentVariable("INDAJUSTE_ODBC_CADENA");
    if (!fija.isEmpty()) return fija;

    const QString uid = usuario.isEmpty() ? Valor(p, {"UID", "USER ID"}) : usuario;
    const QString pwd = clave.isEmpty() ? Valor(p, {"PWD", "PASSWORD"}) : clave;
    const QString driver = Valor(p, {"DRIVER"});
    const QString proveedor = Valor(p, {"PROVIDER"});
    QString c;
    if (!driver.isEmpty()) {
        c = Par(QStringLiteral("DRIVER"), driver);
        const QString servidor = Valor(p, {"SERVER"});
        if (!servidor.isEmpty()) c += Par(QStringLiteral("SERVER"), servidor);
        c += Par(QStringLiteral("DATABASE"), Valor(p, {"DATABASE", "INITIAL CATALOG"}));
    } else if (proveedor.startsWith(QStringLiteral("OraOLEDB"), Qt::CaseInsensitive)) {
        c = Par(QStringLiteral("DRIVER"), qEnvironmentVariable("INDAJUSTE_ODBC_ORACLE"));
        c += Par(QStringLiteral("DBQ"), Valor(p, {"DATA SOURCE", "SERVER"}));
    } else {
        const QString driverSql = qEnvironmentVariable("INDAJUSTE_ODBC_DRIVER", QStringLiteral("FreeTDS"));
        c = Par(QStringLiteral("DRIVER"), driverSql);
        QString servidor = Valor(p, {"SERVER", "DATA SOURCE"});
        QString puerto;
        const qsizetype sep = std::max(servidor.lastIndexOf(u':'), servidor.lastIndexOf(u','));
        if (sep > 0) {
            bool ok = false;
            servidor.mid(sep + 1).trimmed().toInt(&ok);
            if (ok) {
                puerto = servidor.mid(sep + 1).trimmed();
                servidor = servidor.left(sep).trimmed();
            }
        }
        c += Par(QStringLiteral("SERVER"), servidor);
        if (!puerto.isEmpty()) c += Par(QStringLiteral("PORT"), puerto);
        c += Par(QStringLiteral("DATABASE"), Valor(p, {"DATABASE", "INITIAL CATALOG"}));
    }
    if (!uid.isEmpty()) c += Par(QStringLiteral("UID"), uid) + Par(QStringLiteral("PWD"), pwd);
    return c;
}

int32_t ProveedorOdbc::NumeroAdo(const QString& s) {
    if (s == u"42S02" || s == u"S0002") return kErrTablaInexistente;
    if (s.startsWith(u"42") || s == u"37000") return kErrSintaxis;
    if (s.startsWith(u"23")) return kErrIntegridad;
    return kErrNoEspecificado;
}

Error ProveedorOdbc::EntradaDeDiagnostico(const QString& sqlState, int32_t nativo, const QString& texto,
                                          bool conectado) {
    Error e;
    e.SQLState = sqlState;
    e.NativeError = nativo;
    e.Description = texto;
    e.Number = NumeroAdo(sqlState);
    e.Source = kFuente;
    if (conectado && sqlState.startsWith(u"08")) {
        e.NativeError = kNativoConexionPerdida;
        e.Number = kErrNoEspecificado;
    }
    return e;
}

void ProveedorOdbc::limitar(SQLHSTMT st) const {
    SQLSetStmtAttrW(st, SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(SQLULEN(espera_)),
                    SQL_IS_UINTEGER);
}

int ProveedorOdbc::TipoAdo(int t) {
    switch (t) {
        case SQL_VARCHAR:
            return adVarChar;
        case SQL_CHAR:
            return adChar;
        case SQL_WVARCHAR:
            return adVarWChar;
        case SQL_WCHAR:
            return adWChar;
        case SQL_LONGVARCHAR:
            return adLongVarChar;
        case SQL_WLONGVARCHAR:
            return adLongVarWChar;
        case SQL_INTEGER:
            return adInteger;
        case SQL_SMALLINT:
            return adSmallInt;
        case SQL_TINYINT:
            return adUnsignedTinyInt;
        case SQL_BIGINT:
            return adBigInt;
        case SQL_BIT:
            return adBoolean;
        case SQL_DOUBLE:
        case SQL_FLOAT:
            return adDouble;
        case SQL_REAL:
            return adSingle;
        case SQL_DECIMAL:
        case SQL_NUMERIC:
            return adNumeric;
        case SQL_TYPE_TIMESTAMP:
        case SQL_TIMESTAMP:
            return adDBTimeStamp;
        case SQL_TYPE_DATE:
        case SQL_DATE:
            return adDBDate;
        case SQL_TYPE_TIME:
        case SQL_TIME:
            return adDBTime;
        default:
            return adVarChar;
    }
}

bool ProveedorOdbc::diagnosticos(SQLSMALLINT tipoHandle, SQLHANDLE h, Errors& errores) {
    bool hayError = false;
    for (SQLSMALLINT i = 1;; ++i) {
        SQLWCHAR estado[6] = {};
        SQLINTEGER nativo = 0;
        std::vector<SQLWCHAR> mensaje(1024);
        SQLSMALLINT largo = 0;
        SQLRETURN rc = SQLGetDiagRecW(tipoHandle, h, i, estado, &nativo, mensaje.data(),
                                      SQLSMALLINT(mensaje.size()), &largo);
        if (rc == SQL_SUCCESS_WITH_INFO && largo >= SQLSMALLINT(mensaje.size())) {
            mensaje.resize(size_t(largo) + 1);
            rc = SQLGetDiagRecW(tipoHandle, h, i, estado, &nativo, mensaje.data(),
                                SQLSMALLINT(mensaje.size()), &largo);
        }
        if (!SQL_SUCCEEDED(rc)) break;
        const Error e = EntradaDeDiagnostico(
            DeSqlW(estado, 5), nativo,
            DeSqlW(mensaje.data(), std::min<qsizetype>(largo, qsizetype(mensaje.size()) - 1)),
            dbc_ != SQL_NULL_HDBC);
        if (!e.SQLState.startsWith(u"01")) hayError = true;
        errores.Add(e);
    }
    return hayError;
}

void ProveedorOdbc::lanzar(Errors& errores, int desde, const QString& contexto) {
    for (int i = desde; i < errores.Count(); ++i) {
        const Error& e = errores.Item(i);
        if (!e.SQLState.startsWith(u"01")) throw vb::ErrorVB(e.Number, e.Description, e.Source);
    }
    // A failure the driver manager only explains with a warning ("can't open lib") raises that one.
    if (desde < errores.Count()) {
        const Error& e = errores.Item(desde);
        throw vb::ErrorVB(e.Number, e.Description, e.Source);
    }
    Error e;
    e.SQLState = QStringLiteral("HY000");
    e.Number = kErrNoEspecificado;
    e.Description = contexto;
    e.Source = kFuente;
    errores.Add(e);
    throw vb::ErrorVB(e.Number, e.Description, e.Source);
}

void ProveedorOdbc::exigirAbierto(Errors& errores) {
    if (abierto()) return;
    Error e;
    e.SQLState = QStringLiteral("08003");
    e.Number = kErrConexionInvalida;
    e.NativeError = kNativoConexionPerdida;
    e.Description = QStringLiteral("La conexión con el servidor no está abierta.");
    e.Source = kFuente;
    errores.Add(e);
    throw vb::ErrorVB(e.Number, e.Description, e.Source);
}

void ProveedorOdbc::revisarEnlace(const Errors& errores, int desde) {
    for (int i = desde; i < errores.Count(); ++i) {
        if (errores.Item(i).SQLState.startsWith(u"08")) {
            cerrar();
            return;
        }
    }
}

void ProveedorOdbc::leerDatosDelMotor() {
    SQLWCHAR info[256] = {};
    SQLSMALLINT bytes = 0;
    if (SQL_SUCCEEDED(SQLGetInfoW(dbc_, SQL_DBMS_NAME, info, sizeof(info), &bytes)))
        motor_ = DeSqlW(info, std::min<qsizetype>(bytes / qsizetype(sizeof(SQLWCHAR)), 255));
    if (SQL_SUCCEEDED(SQLGetInfoW(dbc_, SQL_IDENTIFIER_QUOTE_CHAR, info, sizeof(info), &bytes))) {
        const QString q =
            DeSqlW(info, std::min<qsizetype>(bytes / qsizetype(sizeof(SQLWCHAR)), 255)).trimmed();
        comilla_ = q.isEmpty() ? QStringLiteral("\"") : q;
    }
}

void ProveedorOdbc::abrir(const ParametrosConexion& p, const QString& usuario, const QString& clave,
                          Errors& errores) {
    cerrar();
    const int desde = errores.Count();
    if (Valor(p, {"DRIVER"}).isEmpty() && qEnvironmentVariable("INDAJUSTE_ODBC_CADENA").isEmpty() &&
        Valor(p, {"PROVIDER"}).startsWith(QStringLiteral("OraOLEDB"), Qt::CaseInsensitive) &&
        qEnvironmentVariable("INDAJUSTE_ODBC_ORACLE").isEmpty()) {
        Error e;
        e.SQLState = QStringLiteral("IM002");
        e.Number = kErrNoEspecificado;
        e.Description = QStringLiteral(
            "No hay un driver ODBC de Oracle configurado en este equipo (variable INDAJUSTE_ODBC_ORACLE).");
        e.Source = kFuente;
        errores.Add(e);
        throw vb::ErrorVB(e.Number, e.Description, e.Source);
    }
    if (env_ == SQL_NULL_HENV) {
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env_))) {
            env_ = SQL_NULL_HENV;
            lanzar(errores, desde, QStringLiteral("No se pudo iniciar el administrador de ODBC."));
        }
        SQLSetEnvAttr(env_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    }
    SQLHDBC dbc = SQL_NULL_HDBC;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, env_, &dbc))) {
        diagnosticos(SQL_HANDLE_ENV, env_, errores);
        lanzar(errores, desde, QStringLiteral("No se pudo iniciar la conexión ODBC."));
    }
    SQLSetConnectAttrW(dbc, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(SQLULEN(15)),
                       SQL_IS_UINTEGER);
    TextoW cadena(CadenaOdbc(p, usuario, clave));
    SQLWCHAR salida[1024];
    SQLSMALLINT largoSalida = 0;
    const SQLRETURN rc = SQLDriverConnectW(dbc, nullptr, cadena.ptr(), SQL_NTS, salida, 1024, &largoSalida,
                                           SQL_DRIVER_NOPROMPT);
    diagnosticos(SQL_HANDLE_DBC, dbc, errores);
    if (!SQL_SUCCEEDED(rc)) {
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        lanzar(errores, desde, QStringLiteral("No se pudo abrir la conexión con el servidor."));
    }
    dbc_ = dbc;
    leerDatosDelMotor();
    if (EsSqlServer()) {
        // Day-first date literals must mean the same on every server.
        try {
            ejecutar(QStringLiteral("SET DATEFORMAT dmy"), errores);
        } catch (...) {
            cerrar();
            throw;
        }
    }
}

void ProveedorOdbc::cerrar() {
    if (dbc_ != SQL_NULL_HDBC) {
        if (enTransaccion_) SQLEndTran(SQL_HANDLE_DBC, dbc_, SQL_ROLLBACK);
        SQLDisconnect(dbc_);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
        dbc_ = SQL_NULL_HDBC;
    }
    if (env_ != SQL_NULL_HENV) {
        SQLFreeHandle(SQL_HANDLE_ENV, env_);
        env_ = SQL_NULL_HENV;
    }
    enTransaccion_ = false;
    motor_.clear();
    tablas_.clear();
}

QString ProveedorOdbc::citar(const QString& nombre) const {
    const bool corchetes = EsSqlServer();
    // Quoted names are case-sensitive on Oracle: plain ones stay as they are there.
    const bool soloSiHaceFalta = motor_.contains(QStringLiteral("Oracle"), Qt::CaseInsensitive);
    QStringList partes;
    for (const QString& p : Partes(nombre)) {
        QString v = p;
        bool simple = !v.isEmpty() && v[0].isLetter();
        for (const QChar c : v) simple = simple && (c.isLetterOrNumber() || c == u'_');
        if (corchetes)
            partes << u'[' + v.replace(u']', QStringLiteral("]]")) + u']';
        else if (soloSiHaceFalta && simple)
            partes << v;
        else
            partes << comilla_ + v.replace(comilla_, comilla_ + comilla_) + comilla_;
    }
    return partes.join(u'.');
}

namespace {

// The columns of the statement's result as the driver describes them.
QList<Recordset::Columna> Columnas(SQLHSTMT st, SQLSMALLINT ncol) {
    QList<Recordset::Columna> columnas;
    for (SQLUSMALLINT i = 1; i <= SQLUSMALLINT(ncol); ++i) {
        SQLWCHAR nombre[256] = {};
        SQLSMALLINT largo = 0, tipo = 0, decimales = 0, nulos = 0;
        SQLULEN tamano = 0;
        SQLDescribeColW(st, i, nombre, 256, &largo, &tipo, &tamano, &decimales, &nulos);
        Recordset::Columna c;
        c.nombre = DeSqlW(nombre, std::clamp<qsizetype>(largo, 0, 255));
        c.tipo = ProveedorOdbc::TipoAdo(tipo);
        c.largo = LargoAdo(c.tipo, tamano);
        auto atributo = [&](SQLUSMALLINT campo) {
            SQLWCHAR texto[256] = {};
            SQLSMALLINT bytes = 0;
            if (!SQL_SUCCEEDED(SQLColAttributeW(st, i, campo, texto, sizeof(texto), &bytes, nullptr)))
                return QString();
            return DeSqlW(texto, std::clamp<qsizetype>(bytes / qsizetype(sizeof(SQLWCHAR)), 0, 255));
        };
        c.tablaBase = atributo(SQL_DESC_BASE_TABLE_NAME);
        c.columnaBase = atributo(SQL_DESC_BASE_COLUMN_NAME);
        if (c.tablaBase.isEmpty()) c.columnaBase.clear();
        columnas << c;
    }
    return columnas;
}

}  // namespace

bool ProveedorOdbc::leerFilas(SQLHSTMT st, Resultado& r, Errors& errores) {
    SQLSMALLINT ncol = 0;
    SQLNumResultCols(st, &ncol);
    r = Resultado();
    r.esConsulta = true;
    r.columnas = Columnas(st, ncol);

    std::vector<SQLWCHAR> buf(4096);
    const qsizetype capacidad = qsizetype(buf.size()) - 1;
    for (;;) {
        SQLRETURN rc = SQLFetch(st);
        if (rc == SQL_NO_DATA) break;
        if (rc == SQL_SUCCESS_WITH_INFO) diagnosticos(SQL_HANDLE_STMT, st, errores);
        if (!SQL_SUCCEEDED(rc)) {
            diagnosticos(SQL_HANDLE_STMT, st, errores);
            return false;
        }
        QList<QVariant> fila;
        fila.reserve(ncol);
        for (SQLUSMALLINT i = 1; i <= SQLUSMALLINT(ncol); ++i) {
            QString texto;
            bool nulo = false;
            for (;;) {
                SQLLEN ind = 0;
                rc = SQLGetData(st, i, SQL_C_WCHAR, buf.data(), SQLLEN(buf.size() * sizeof(SQLWCHAR)), &ind);
                if (rc == SQL_NO_DATA) break;
                if (!SQL_SUCCEEDED(rc)) {
                    diagnosticos(SQL_HANDLE_STMT, st, errores);
                    return false;
                }
                if (ind == SQL_NULL_DATA) {
                    nulo = true;
                    break;
                }
                const qsizetype n = (ind == SQL_NO_TOTAL || ind / qsizetype(sizeof(SQLWCHAR)) > capacidad)
                                        ? capacidad
                                        : ind / qsizetype(sizeof(SQLWCHAR));
                texto += DeSqlW(buf.data(), n);
                // Long values come in pieces: the driver says "truncated" until the last one.
                if (rc == SQL_SUCCESS || n < capacidad) break;
            }
            fila << (nulo ? QVariant() : ConvertirTexto(texto, r.columnas[i - 1].tipo));
        }
        r.filas << fila;
    }
    return true;
}

bool ProveedorOdbc::recorrerResultados(SQLHSTMT st, SQLRETURN rc, Resultado& r, Errors& errores,
                                       long* mayorConteo) {
    bool bien = true;
    bool hayFilas = false;
    // Bounded: a driver that keeps failing to move on must not hang the program.
    for (int vuelta = 0; vuelta < 100000; ++vuelta) {
        if (vuelta > 0) {
            rc = SQLMoreResults(st);
            if (rc == SQL_NO_DATA) break;
            if (rc == SQL_ERROR) {
                // A driver that cannot go on after a failure says so with a sequence error.
                Errors extra;
                diagnosticos(SQL_HANDLE_STMT, st, extra);
                if (extra.Count() == 0 || extra.Item(0).SQLState == u"HY010") break;
                for (int i = 0; i < extra.Count(); ++i) errores.Add(extra.Item(i));
                bien = false;
                continue;
            }
        }
        if (rc == SQL_INVALID_HANDLE) return false;
        if (rc == SQL_SUCCESS_WITH_INFO || rc == SQL_ERROR) diagnosticos(SQL_HANDLE_STMT, st, errores);
        if (rc == SQL_ERROR) {
            bien = false;
            continue;
        }
        SQLSMALLINT ncol = 0;
        SQLNumResultCols(st, &ncol);
        if (ncol > 0) {
            if (!leerFilas(st, r, errores)) bien = false;
            hayFilas = true;
        } else {
            SQLLEN n = -1;
            if (rc == SQL_NO_DATA)
                n = 0;
            else
                SQLRowCount(st, &n);
            if (mayorConteo) *mayorConteo = std::max(*mayorConteo, long(n));
            if (!hayFilas) {
                r = Resultado();
                r.afectados = long(n);
            }
        }
    }
    return bien;
}

Resultado ProveedorOdbc::ejecutar(const QString& sql, Errors& errores) {
    exigirAbierto(errores);
    const int desde = errores.Count();
    // What is known of the tables may change with the schema.
    for (const char* w : {"CREATE", "ALTER", "DROP"})
        if (sql.contains(QLatin1String(w), Qt::CaseInsensitive)) tablas_.clear();
    Resultado r;
    bool bien = true;
    {
        Sentencia st(dbc_);
        if (!st.valida()) {
            diagnosticos(SQL_HANDLE_DBC, dbc_, errores);
            revisarEnlace(errores, desde);
            lanzar(errores, desde, QStringLiteral("No se pudo preparar la sentencia."));
        }
        limitar(st.h());
        TextoW texto(sql);
        const EsperaDeTransaccion espera(enTransaccion_);
        const SQLRETURN rc = SQLExecDirectW(st.h(), texto.ptr(), texto.largo());
        bien = recorrerResultados(st.h(), rc, r, errores);
    }
    revisarEnlace(errores, desde);
    if (!bien) lanzar(errores, desde, QStringLiteral("Falló la sentencia en el servidor."));
    if (r.esConsulta) marcarClaves(r, sql);
    return r;
}

void ProveedorOdbc::autocommit(bool activo, Errors& errores) {
    const int desde = errores.Count();
    const SQLULEN valor = activo ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF;
    if (!SQL_SUCCEEDED(SQLSetConnectAttrW(dbc_, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(valor),
                                          SQL_IS_UINTEGER))) {
        diagnosticos(SQL_HANDLE_DBC, dbc_, errores);
        revisarEnlace(errores, desde);
        lanzar(errores, desde, QStringLiteral("El servidor no admitió el cambio de transacción."));
    }
}

void ProveedorOdbc::comenzarTransaccion(Errors& errores) {
    exigirAbierto(errores);
    autocommit(false, errores);
    enTransaccion_ = true;
}

void ProveedorOdbc::confirmarTransaccion(Errors& errores) {
    exigirAbierto(errores);
    const int desde = errores.Count();
    SQLRETURN rc = SQL_SUCCESS;
    {
        const EsperaDeTransaccion espera(enTransaccion_);
        rc = SQLEndTran(SQL_HANDLE_DBC, dbc_, SQL_COMMIT);
    }
    if (!SQL_SUCCEEDED(rc)) {
        diagnosticos(SQL_HANDLE_DBC, dbc_, errores);
        revisarEnlace(errores, desde);
        lanzar(errores, desde, QStringLiteral("No se pudo confirmar la transacción."));
    }
    enTransaccion_ = false;
    autocommit(true, errores);
}

void ProveedorOdbc::deshacerTransaccion(Errors& errores) {
    exigirAbierto(errores);
    const int desde = errores.Count();
    const SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, dbc_, SQL_ROLLBACK);
    enTransaccion_ = false;
    if (!SQL_SUCCEEDED(rc)) {
        diagnosticos(SQL_HANDLE_DBC, dbc_, errores);
        revisarEnlace(errores, desde);
        lanzar(errores, desde, QStringLiteral("No se pudo deshacer la transacción."));
    }
    autocommit(true, errores);
}

}  // namespace ado::odbc
