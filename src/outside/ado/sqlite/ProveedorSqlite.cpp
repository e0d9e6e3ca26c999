#include "outside/ado/sqlite/ProveedorSqlite.h"

#include "outside/ado/AdoTipos.h"
#include "outside/ado/ErroresAdo.h"
#include "outside/ado/TipoColumna.h"
#include "outside/ado/sqlite/ExtensionesSqlite.h"
#include "outside/ado/sqlite/FuncionesServidor.h"
#include "outside/ado/sqlite/TraductorSql.h"

#include <optional>
#include <vector>

namespace ado {
std::unique_ptr<Proveedor> CrearProveedorSqlite() {
    return std::make_unique<sqlite::ProveedorSqlite>();
}
}  // namespace ado

namespace ado::sqlite {

namespace {

// Enough for a window that reads every month of forty years one statement at a time, so that a
// second load finds its statements prepared.
constexpr int kMaxPreparadas = 2000;
constexpr int kMaxPlanes = 2000;
const QString kColumnaFila = QStringLiteral("__fila__");

bool esBlanco(const QString& s) {
    for (QChar c : s)
        if (!c.isSpace() && c != ';') return false;
    return true;
}

// The statement's first word, in upper case.
QString PrimeraPalabra(const QString& sql) {
    qsizetype i = 0;
    while (i < sql.size() && sql[i].isSpace()) ++i;
    qsizetype fin = i;
    while (fin < sql.size() && sql[fin].isLetter()) ++fin;
    return sql.sliced(i, fin - i).toUpper();
}

}  // namespace

ProveedorSqlite::~ProveedorSqlite() {
    cerrar();
}

Error ProveedorSqlite::ErrorDelMotor(int codigo, const QString& mensaje) {
    Error e;
    e.Description = mensaje;
    e.Source = "Motor de datos";
    e.Number = kErrNoEspecificado;
    e.SQLState = "HY000";
    // Engine codes are kept clear of the server's numbers the program tests (11, 2627, 8152).
    e.NativeError = 100000 + codigo;
    switch (codigo & 0xff) {
        case SQLITE_CONSTRAINT:
            e.Number = kErrIntegridad;
            e.SQLState = "23000";
            if (codigo == SQLITE_CONSTRAINT_UNIQUE || codigo == SQLITE_CONSTRAINT_PRIMARYKEY)
                e.NativeError = kNativoClaveDuplicada;
            else if (codigo == SQLITE_CONSTRAINT_NOTNULL)
                e.NativeError = 515;
            else
                e.NativeError = 547;
            break;
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            e.SQLState = "HYT00";
            e.NativeError = 1222;
            break;
        case SQLITE_ERROR:
            if (mensaje.startsWith("no such table") || mensaje.startsWith("no such view")) {
                e.Number = kErrTablaInexistente;
                e.SQLState = "42S02";
                e.NativeError = 208;
            } else if (mensaje.startsWith("no such column")) {
                e.Number = kErrSintaxis;
                e.SQLState = "42S22";
                e.NativeError = 207;
            } else {
                e.Number = kErrSintaxis;
                e.SQLState = "42000";
                if (mensaje.contains("syntax error") || mensaje.startsWith("incomplete input") ||
                    mensaje.startsWith("unrecognized token"))
                    e.NativeError = 102;
            }
            break;
        case SQLITE_INTERRUPT:  // the command time-out ran out
            e.Number = kErrTiempoAgotado;
            e.SQLState = "HYT00";
            break;
        case SQLITE_MISMATCH:
        case SQLITE_RANGE:
        case SQLITE_TOOBIG:
            e.Number = kErrSintaxis;
            e.SQLState = "42000";
            break;
        default:
            break;
    }
    AjustarErrorDelMotor(codigo, mensaje, e);
    return e;
}

void ProveedorSqlite::agregarFallo(int codigo, Errors& errores) {
    errores.Add(ErrorDelMotor(codigo, QString::fromUtf8(sqlite3_errmsg(db_))));
}

void ProveedorSqlite::lanzarFallo(int codigo, Errors& errores) {
    agregarFallo(codigo, errores);
    LanzarEntrada(errores, errores.Count() - 1);
}

void ProveedorSqlite::olvidarEsquema() {
    mapaDeControles_ = {};
    for (auto& p : preparadas_) sqlite3_finalize(p.stmt);
    preparadas_.clear();
    objetos_.clear();
}

const QList<ProveedorSqlite::Paso>& ProveedorSqlite::plan(const QString& lote) {
    auto it = planes_.constFind(lote);
    if (it != planes_.constEnd()) return *it;
    if (planes_.size() >= kMaxPlanes) planes_.clear();
    QList<Paso> pasos;
    for (const SentenciaTraducida& s : TraducirLote(lote)) {
        Paso p;
        p.sql = s.sql;
        p.original = s.original;
        p.objeto = ObjetoDeConsulta(s.original);
        if (!p.objeto.isEmpty()) p.sqlConFila = ConColumnaDelante(s.sql, "_rowid_ AS " + kColumnaFila);
        const QString inicio = PrimeraPalabra(s.sql);
        p.cambiaEsquema = inicio == "CREATE" || inicio == "DROP" || inicio == "ALTER";
        p.consulta = inicio == "SELECT" || inicio == "WITH" || inicio == "VALUES";
        if (p.consulta) p.deTexto = ColumnasDeTexto(p.sql);
        pasos.append(p);
    }
    return *planes_.insert(lote, pasos);
}

ProveedorSqlite::Preparada* ProveedorSqlite::prepararTexto(const QString& sql, Errors& errores,
                                                           bool informar) {
    auto it = preparadas_.find(sql);
    if (it != preparadas_.end()) return &*it;
    if (preparadas_.size() >= kMaxPreparadas) {
        // A full cache drops the statements only; what is known of the tables still holds.
        for (auto& q : preparadas_) sqlite3_finalize(q.stmt);
        preparadas_.clear();
    }
    asegurarControles(sql);
    Preparada p;
    const QByteArray texto = sql.toUtf8();
    const char* cola = nullptr;
    const int rc = sqlite3_prepare_v3(db_, texto.constData(), int(texto.size()), SQLITE_PREPARE_PERSISTENT,
                                      &p.stmt, &cola);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(p.stmt);
        if (informar) agregarFallo(rc, errores);
        return nullptr;
    }
    if (cola && *cola) {
        p.resto = QString::fromUtf8(cola);
        if (esBlanco(p.resto)) p.resto.clear();
    }
    if (!p.stmt) return nullptr;  // only blanks or comments
    return &*preparadas_.insert(sql, p);
}

const ProveedorSqlite::Objeto& ProveedorSqlite::objeto(const QString& nombre) {
    const QString& k = nombre;
    auto it = objetos_.constFind(k);
    if (it != objetos_.constEnd()) return *it;
    Objeto o;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_,
                           "SELECT type, sql FROM sqlite_master WHERE name = ?1 COLLATE NOCASE AND type IN "
                           "('table', 'view')",
                           -1, &st, nullptr) == SQLITE_OK) {
        const QByteArray n = nombre.toUtf8();
        sqlite3_bind_text(st, 1, n.constData(), int(n.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(st) == SQLITE_ROW) {
            o.existe = true;
            o.vista = QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))) == "view";
            const QString ddl = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
            o.conRowid = !o.vista && !ddl.simplified().contains("WITHOUT ROWID", Qt::CaseInsensitive);
        }
    }
    sqlite3_finalize(st);
    if (o.existe) {
        const QByteArray q = ("PRAGMA table_info(\"" + QString(nombre).replace('"', "\"\"") + "\")").toUtf8();
        QList<QPair<int, QString>> clave;
        if (sqlite3_prepare_v2(db_, q.constData(), -1, &st, nullptr) == SQLITE_OK)
            while (sqlite3_step(st) == SQLITE_ROW)
                if (const int pk = sqlite3_column_int(st, 5); pk > 0)
                    clave.append(
                        {pk, QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)))});
        sqlite3_finalize(st);
        std::sort(clave.begin(), clave.end());
        for (const auto& c : clave) o.clave << c.second;
        if (o.vista &&
            sqlite3_prepare_v2(
                db_, "SELECT 1 FROM sqlite_master WHERE type = 'trigger' AND tbl_name = ?1 COLLATE NOCASE",
                -1, &st, nullptr) == SQLITE_OK) {
            const QByteArray n = nombre.toUtf8();
            sqlite3_bind_text(st, 1, n.constData(), int(n.size()), SQLITE_TRANSIENT);
            o.conDisparadores = sqlite3_step(st) == SQLITE_ROW;
            sqlite3_finalize(st);
        }
    }
    return *objetos_.insert(k, o);
}

void ProveedorSqlite::describirColumnas(Preparada& p, const Objeto* destino, const QString& nombreObjeto,
                                        bool conFila) {
    sqlite3_stmt* st = p.stmt;
    const int n = sqlite3_column_count(st);
    QList<Recordset::Columna> cols;
    for (int i = 0; i < n; ++i) {
        Recordset::Columna c;
        c.nombre = QString::fromUtf8(sqlite3_column_name(st, i));
        const TipoColumna t = TipoDeDeclarado(QString::fromUtf8(sqlite3_column_decltype(st, i)));
        c.tipo = t.tipo;
        c.largo = t.largo;
        c.tablaBase = QString::fromUtf8(sqlite3_column_table_name(st, i));
        c.columnaBase = QString::fromUtf8(sqlite3_column_origin_name(st, i));
        c.oculta = conFila && i == 0;
        cols.append(c);
    }
    if (conFila) cols.move(0, cols.size() - 1);  // the rowid goes last, out of Fields
    if (destino) {
        // Key columns: the base table's primary key. Through a view only when every column
        // comes from one table and the whole key is shown; otherwise the row is found by all
        // its original values.
        QString base = nombreObjeto;
        if (destino->vista) {
            QSet<QString> tablas;
            for (const auto& c : cols)
                if (!c.tablaBase.isEmpty()) tablas.insert(c.tablaBase.toLower());
            base = tablas.size() == 1 ? *tablas.begin() : QString();
        }
        if (!base.isEmpty()) {
            const QStringList clave = objeto(base).clave;
            int vistas = 0;
            QList<bool> marcas(cols.size(), false);
            for (int i = 0; i < cols.size(); ++i)
                if (!cols[i].oculta && cols[i].tablaBase.compare(base, Qt::CaseInsensitive) == 0 &&
                    clave.contains(cols[i].columnaBase, Qt::CaseInsensitive)) {
                    marcas[i] = true;
                    ++vistas;
                }
            if (!clave.isEmpty() && vistas >= clave.size())
                for (int i = 0; i < cols.size(); ++i) cols[i].clave = marcas[i];
        }
    }
    p.columnas = cols;
    p.columnasListas = true;
}

QString TextoDeColumna(sqlite3_stmt* st, int i) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)),
                             sqlite3_column_bytes(st, i));
}

QVariant LeerValor(sqlite3_stmt* st, int i, int tipo) {
    const int almacen = sqlite3_column_type(st, i);
    switch (almacen) {
        case SQLITE_NULL:
            return {};
        case SQLITE_INTEGER: {
            const qlonglong v = sqlite3_column_int64(st, i);
            // A flag column is read as the number stored: only 0 and 1 are its two values.
            if (tipo == adBoolean && (v == 0 || v == 1)) return v != 0;
            if (EsTipoDecimal(tipo)) return double(v);
            if (EsTipoTexto(tipo)) return QString::number(v);
            if (tipo != adBigInt && v >= INT_MIN && v <= INT_MAX) return int(v);
            return v;
        }
        case SQLITE_FLOAT: {
            const double v = sqlite3_column_double(st, i);
            if (EsTipoTexto(tipo)) return QString::number(v, 'g', 15);
            return v;
        }
        case SQLITE_BLOB:
            return QByteArray(static_cast<const char*>(sqlite3_column_blob(st, i)),
                              sqlite3_column_bytes(st, i));
        default: {
            const QString s = TextoDeColumna(st, i);
            if (EsTipoFecha(tipo)) {
                QVariant f = FechaDesdeTextoIso(s, tipo);
                if (f.isValid()) return f;
            } else if (EsTipoEntero(tipo) || EsTipoDecimal(tipo) || tipo == adBoolean) {
                QVariant n;
                if (ConvertirParaColumna(tipo, 0, s, n)) return n;
            }
            return s;
        }
    }
}

void EnlazarValor(sqlite3_stmt* st, int pos, const QVariant& v) {
    if (v.isNull() && v.typeId() != QMetaType::QString) {
        sqlite3_bind_null(st, pos);
        return;
    }
    switch (v.typeId()) {
        case QMetaType::Bool:
            sqlite3_bind_int(st, pos, v.toBool() ? 1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Short:
        case QMetaType::Long:
        case QMetaType::LongLong:
            sqlite3_bind_int64(st, pos, v.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            sqlite3_bind_double(st, pos, v.toDouble());
            break;
        case QMetaType::QDate:
        case QMetaType::QDateTime:
        case QMetaType::QTime: {
            const QByteArray t = TextoIsoDeFecha(v).toUtf8();
            sqlite3_bind_text(st, pos, t.constData(), int(t.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            sqlite3_bind_blob(st, pos, b.constData(), int(b.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray t = v.toString().toUtf8();
            sqlite3_bind_text(st, pos, t.constData(), int(t.size()), SQLITE_TRANSIENT);
            break;
        }
    }
}

namespace {

// The rows of a query, each value read as its column's type; the engine's last answer goes in rc.
// With conFila the hidden rowid, read first, is kept last.
QList<QList<QVariant>> LeerFilas(sqlite3_stmt* st, const QList<Recordset::Columna>& columnas, bool conFila,
                                 int& rc, std::vector<char>& deTexto) {
    const int n = int(columnas.size());
    QList<QList<QVariant>> filas;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        QList<QVariant> fila(n);
        for (int i = 0; i < n; ++i) {
            const int j = conFila ? (i == 0 ? n - 1 : i - 1) : i;
            fila[j] = LeerValor(st, i, columnas[j].tipo);
            // A text function's result stays a text, even one that looks like a date.
            if (sqlite3_value_subtype(sqlite3_column_value(st, i)) == kSubtipoTexto) deTexto[size_t(j)] = 1;
        }
        filas.append(std::move(fila));
    }
    return filas;
}

// The rows of a query by column, each value read as its column's type; `previstas` rows are room
// made beforehand.
QList<QList<QVariant>> LeerColumnas(sqlite3_stmt* st, const QList<Recordset::Columna>& columnas, int& rc,
                                    qsizetype previstas) {
    const int n = int(columnas.size());
    QList<QList<QVariant>> valores(n);
    for (QList<QVariant>& columna : valores) columna.reserve(previstas);
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        for (int i = 0; i < n; ++i) valores[i].append(LeerValor(st, i, columnas[i].tipo));
    return valores;
}

// A column without a declared type (an expression, an aggregate) takes its type from the values
// of column j; ISO dates (min()/max() of a date column) come back as dates.
void TipoPorValores(Recordset::Columna& col, QList<QList<QVariant>>& filas, int j, bool deTexto) {
    bool fechas = false, texto = false, decimales = false, grandes = false;
    bool todasFechas = true;
    long largo = 0;
    for (const auto& f : filas) {
        const QVariant& v = f[j];
        if (v.isNull()) continue;
        if (v.typeId() == QMetaType::QString) {
            texto = true;
            largo = std::max<long>(largo, v.toString().size());
            if (PareceFechaIso(v.toString()))
                fechas = true;
            else
                todasFechas = false;
        } else if (v.typeId() == QMetaType::Double) {
            decimales = true;
        } else if (v.typeId() == QMetaType::LongLong) {
            grandes = true;
        }
    }
    if (texto && fechas && todasFechas && !deTexto) {
        col.tipo = adDBTimeStamp;
        col.largo = 16;
        for (auto& f : filas)
            if (!f[j].isNull()) f[j] = FechaDesdeTextoIso(f[j].toString(), adDBTimeStamp);
    } else if (texto) {
        col.tipo = adVarWChar;
        col.largo = std::max<long>(largo, 1);
    } else if (decimales) {
        col.tipo = adDouble;
        col.largo = 8;
    } else {
        col.tipo = grandes ? adBigInt : adInteger;
        col.largo = grandes ? 8 : 4;
    }
}

}  // namespace

std::optional<ProveedorSqlite::Objeto> ProveedorSqlite::destinoDe(const Paso& paso) {
    // A copy: preparing a statement may empty the cache of objects, and describing its
    // columns may add to it.
    std::optional<Objeto> destino;
    if (!paso.objeto.isEmpty()) {
        const Objeto o = objeto(paso.objeto);
        if (o.existe && (o.conRowid || (o.vista && o.conDisparadores))) destino = o;
    }
    return destino;
}

bool ProveedorSqlite::correrPaso(const Paso& paso, Resultado& r, Errors& errores, bool soloLectura) {
    const std::optional<Objeto> destino = destinoDe(paso);
    return correr(paso.sql, paso, destino ? &*destino : nullptr, r, errores, soloLectura);
}

bool ProveedorSqlite::correr(const QString& sql, const Paso& paso, const Objeto* destino, Resultado& r,
                             Errors& errores, bool soloLectura, Lectura* lectura) {
    // A table's rows are found again by rowid, read as a hidden first column.
    const bool conFila = !lectura && destino && destino->conRowid && !paso.sqlConFila.isEmpty();
    const QString& texto = conFila ? paso.sqlConFila : sql;
    const int antes = errores.Count();
    Preparada* p = preparar(texto, errores, !conFila);
    // Not a plain select after all: run it as written, read-only.
    if (!p && conFila) return correr(sql, paso, nullptr, r, errores, soloLectura);
    if (soloLectura && (!p || !paso.consulta || !p->resto.isEmpty() || !sqlite3_stmt_readonly(p->stmt) ||
                        sqlite3_stmt_isexplain(p->stmt) != 0 || sqlite3_column_count(p->stmt) == 0)) {
        if (p || errores.Count() == antes) LanzarNoEsLectura(errores);
        return false;
    }
    if (!p) return errores.Count() == antes;  // blanks only
    sqlite3_stmt* st = p->stmt;
    const int n = sqlite3_column_count(st);
    int rc = SQLITE_OK;
    if (n > 0) {
        // Another connection may have changed the schema under a kept statement.
        if (!p->columnasListas || p->columnas.size() != n)
            describirColumnas(*p, destino, paso.objeto, conFila);
        QList<Recordset::Columna> cols = p->columnas;  // shared until a type is settled below
        const QList<Recordset::Columna>& leidas = p->columnas;
        QList<int> sinTipo;
        for (int i = 0; i < leidas.size(); ++i)
            if (leidas[i].tipo == adEmpty) sinTipo.append(i);
        if (lectura && sinTipo.isEmpty()) {
            // As many rows as the last reading of the statement, the usual case of a list read again.
            QList<QList<QVariant>> valores = LeerColumnas(st, leidas, rc, p->filasLeidas);
            if (rc == SQLITE_DONE) {
                p->filasLeidas = valores.isEmpty() ? 0 : valores[0].size();
                r = Resultado();
                r.esConsulta = true;
                r.columnas = cols;
                lectura->esConsulta = true;
                lectura->columnas = std::move(cols);
                lectura->valores = std::move(valores);
            }
        } else {
            std::vector<char> deTexto(size_t(leidas.size()), 0);
            for (int j = 0; j < paso.deTexto.size() && j < leidas.size(); ++j)
                deTexto[size_t(j)] = paso.deTexto[j];
            QList<QList<QVariant>> filas = LeerFilas(st, leidas, conFila, rc, deTexto);
            for (int j : sinTipo) TipoPorValores(cols[j], filas, j, deTexto[size_t(j)]);
            if (rc == SQLITE_DONE) {
                r = Resultado();
                r.esConsulta = true;
                r.columnas = std::move(cols);
                r.filas = std::move(filas);
                r.afectados = -1;
                if (destino) {
                    r.tablaBase = paso.objeto;
                    r.actualizable = true;
                }
            }
        }
    } else {
        rc = sqlite3_step(st);
        if (rc == SQLITE_DONE) {
            r = Resultado();
            r.afectados = sqlite3_changes(db_);
        }
    }
    sqlite3_reset(st);
    if (rc != SQLITE_DONE) {
        agregarFallo(rc, errores);
        return false;
    }
    const QString resto = p->resto;
    if (paso.cambiaEsquema) olvidarEsquema();  // p is gone from here on
    if (!resto.isEmpty()) {
        Resultado siguiente;
        if (!correr(resto, paso, nullptr, siguiente, errores)) return false;
        if (siguiente.esConsulta || !r.esConsulta) {
            r = std::move(siguiente);
            if (lectura) *lectura = Lectura();
        }
    }
    return true;
}

Resultado ProveedorSqlite::ejecutar(const QString& sql, Errors& errores) {
    if (!db_) LanzarAdo(kErrConexionInvalida);
    const Turno turno(*this);
    empezarReloj();
    const QList<Paso> pasos = planConNumeros(sql);
    for (const Paso& paso : pasos)
        if (!paso.sql.trimmed().startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive)) {
            asegurarWal(errores);
            break;
        }
    const int antes = errores.Count();
    bool fallo = false;
    bool hayConsulta = false;
    Resultado final;
    // Like the server, a failing statement does not stop the batch.
    for (const Paso& paso : pasos) {
        Resultado r;
        if (!correrPaso(paso, r, errores)) {
            fallo = true;
            continue;
        }
        if (r.esConsulta) {
            final = std::move(r);
            hayConsulta = true;
        } else if (!hayConsulta) {
            final = std::move(r);
        }
    }
    if (fallo) LanzarEntrada(errores, antes);
    return final;
}

Resultado ProveedorSqlite::leer(const QString& sql, Errors& errores) {
    if (!db_) LanzarAdo(kErrConexionInvalida);
    const Turno turno(*this);
    empezarReloj();
    const QList<Paso> pasos = planConNumeros(sql);
    if (pasos.size() != 1) LanzarNoEsLectura(errores);
    const int antes = errores.Count();
    Resultado r;
    if (!correrPaso(pasos[0], r, errores, true)) LanzarEntrada(errores, antes);
    return r;
}

Lectura ProveedorSqlite::leerColumnas(const QString& sql, Errors& errores) {
    if (!db_) LanzarAdo(kErrConexionInvalida);
    const Turno turno(*this);
    empezarReloj();
    const QList<Paso> pasos = planConNumeros(sql);
    if (pasos.size() != 1) LanzarNoEsLectura(errores);
    // No rowid is read, and a table's columns are described as the statement's own text is
    // everywhere else; a view that takes writes keeps its key columns.
    const std::optional<Objeto> destino = destinoDe(pasos[0]);
    const Objeto* vista = destino && !destino->conRowid ? &*destino : nullptr;
    const int antes = errores.Count();
    Resultado r;
    Lectura lectura;
    if (!correr(pasos[0].sql, pasos[0], vista, r, errores, true, &lectura)) LanzarEntrada(errores, antes);
    if (!lectura.esConsulta) return PorColumnas(std::move(r));
    return lectura;
}

void ProveedorSqlite::ejecutarSimple(const char* sql, Errors& errores) {
    if (!db_) LanzarAdo(kErrConexionInvalida);
    const Turno turno(*this);
    if (qstrncmp(sql, "BEGIN", 5) == 0) asegurarWal(errores);
    empezarReloj();
    const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) lanzarFallo(sqlite3_extended_errcode(db_), errores);
}

void ProveedorSqlite::comenzarTransaccion(Errors& errores) {
    if (db_) vigilarTodo();
    // The write lock is taken now: a transaction that read first could not wait for it later
    // (the engine would refuse at once rather than risk a deadlock).
    ejecutarSimple("BEGIN IMMEDIATE", errores);
}
void ProveedorSqlite::confirmarTransaccion(Errors& errores) {
    ejecutarSimple("COMMIT", errores);
}
void ProveedorSqlite::deshacerTransaccion(Errors& errores) {
    ejecutarSimple("ROLLBACK", errores);
}

}  // namespace ado::sqlite
