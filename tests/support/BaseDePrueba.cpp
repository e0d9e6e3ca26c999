#include "support/BaseDePrueba.h"

#include "outside/ado/sqlite/ConstructorBase.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>

namespace {

// Runs `sql` on `db`, row by row. Without the program's column checks: a test reads back, and may
// store what the program would refuse.
bool Consultar(sqlite3* db, const QString& sql, const std::function<void(sqlite3_stmt*)>& porFila) {
    if (!db) return false;
    const QByteArray texto = sql.toUtf8();
    const char* resto = texto.constData();
    const char* const fin = resto + texto.size();
    bool bien = true;
    while (bien && resto < fin) {
        sqlite3_stmt* sentencia = nullptr;
        const char* siguiente = nullptr;
        if (sqlite3_prepare_v2(db, resto, int(fin - resto), &sentencia, &siguiente) != SQLITE_OK) {
            ADD_FAILURE() << "SQL de la prueba: " << sqlite3_errmsg(db) << "\n" << sql.toStdString();
            bien = false;
            break;
        }
        if (!sentencia) break;  // only blanks or comments remain
        int rc;
        while ((rc = sqlite3_step(sentencia)) == SQLITE_ROW) porFila(sentencia);
        if (rc != SQLITE_DONE) {
            ADD_FAILURE() << "SQL de la prueba: " << sqlite3_errmsg(db) << "\n" << sql.toStdString();
            bien = false;
        }
        sqlite3_finalize(sentencia);
        resto = siguiente;
    }
    return bien;
}

QVariant Valor(sqlite3_stmt* s, int i) {
    switch (sqlite3_column_type(s, i)) {
        case SQLITE_NULL:
            return QVariant(QMetaType::fromType<QString>());
        case SQLITE_INTEGER:
            return QVariant(qlonglong(sqlite3_column_int64(s, i)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(s, i));
        case SQLITE_BLOB:
            return QVariant(
                QByteArray(static_cast<const char*>(sqlite3_column_blob(s, i)), sqlite3_column_bytes(s, i)));
        default:
            return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, i)),
                                              sqlite3_column_bytes(s, i)));
    }
}

// The schema alone, or with the demo company, as the build left it (or, without it, built once
// per test process); every test gets a copy. Null when it could not be built (`error` says why).
const QString* Plantilla(bool conDemo, QString* error) {
    static QString rutas[2];
    static QString errores[2];
    QString& ruta = rutas[conDemo];
    const QString nombre = conDemo ? QStringLiteral("DEMO.sqlite") : QStringLiteral("ESQUEMA.sqlite");
    if (ruta.isEmpty() && QFileInfo::exists(QStringLiteral(INDAJUSTE_PLANTILLAS_DIR "/") + nombre))
        ruta = QStringLiteral(INDAJUSTE_PLANTILLAS_DIR "/") + nombre;
    if (ruta.isEmpty() && errores[conDemo].isEmpty()) {
        static QTemporaryDir carpeta;  // only where the build left no test databases
        const QString destino = carpeta.filePath(nombre);
        if (!carpeta.isValid())
            errores[conDemo] =
                QStringLiteral("No se pudo crear la carpeta temporal: %1").arg(carpeta.errorString());
        else if (ado::sqlite::ConstruirBase(destino,
                                            ado::sqlite::GuionesBase(BaseDePrueba::carpetaSql(), conDemo), {},
                                            &errores[conDemo]))
            ruta = destino;
    }
    *error = errores[conDemo];
    return ruta.isEmpty() ? nullptr : &ruta;
}

// Runs every statement of `sql`; false with the engine's reason on the first that fails.
bool EjecutarTexto(sqlite3* db, const QByteArray& sql, QString* error) {
    const char* resto = sql.constData();
    const char* const fin = resto + sql.size();
    while (resto < fin) {
        sqlite3_stmt* sentencia = nullptr;
        const char* siguiente = nullptr;
        int rc = sqlite3_prepare_v2(db, resto, int(fin - resto), &sentencia, &siguiente);
        if (rc == SQLITE_OK && !sentencia) return true;  // only blanks or comments remain
        if (rc == SQLITE_OK) {
            while ((rc = sqlite3_step(sentencia)) == SQLITE_ROW) {
            }
            if (rc == SQLITE_DONE) rc = SQLITE_OK;
        }
        if (rc != SQLITE_OK)
            *error = QString::fromUtf8(sqlite3_errmsg(db)) + QStringLiteral("\n") + QString::fromUtf8(sql);
        sqlite3_finalize(sentencia);
        if (rc != SQLITE_OK) return false;
        resto = siguiente;
    }
    return true;
}

// The test's own texts, in order, in one transaction on the copy.
bool AgregarTextos(const QString& ruta, const QStringList& textos, QString* error) {
    if (textos.isEmpty()) return true;
    // As on the connection that built the schema, without the program's column checks, so that a
    // test may store what the program would refuse.
    sqlite3* db = ado::sqlite::AbrirBaseExistente(ruta, error, false);
    if (!db) return false;
    bool bien = EjecutarTexto(db, "BEGIN", error);
    for (qsizetype i = 0; bien && i < textos.size(); ++i) {
        bien = EjecutarTexto(db, textos.at(i).toUtf8(), error);
        if (!bien) *error = QStringLiteral("Error en el texto SQL %1: %2").arg(i + 1).arg(*error);
    }
    if (bien) bien = EjecutarTexto(db, "COMMIT", error);
    sqlite3_close(db);
    return bien;
}

void BorrarArchivos(const QString& ruta) {
    for (const char* sufijo : {"", "-journal", "-wal", "-shm"}) QFile::remove(ruta + QLatin1String(sufijo));
}

}  // namespace

BaseDePrueba::BaseDePrueba(bool conDemo, QStringList sqlExtra, QString nombre)
    : m_temporal(std::make_unique<QTemporaryDir>()), m_nombre(std::move(nombre)) {
    if (m_temporal->isValid()) {
        m_carpeta = m_temporal->path();
        construir(conDemo, sqlExtra);
    } else {
        m_error = QStringLiteral("No se pudo crear la carpeta temporal: %1").arg(m_temporal->errorString());
        ADD_FAILURE() << m_error.toStdString();
    }
}

BaseDePrueba::BaseDePrueba(const BaseDePrueba& vecina, QString nombre, bool conDemo, QStringList sqlExtra)
    : m_carpeta(vecina.carpeta()), m_nombre(std::move(nombre)) {
    construir(conDemo, sqlExtra);
}

void BaseDePrueba::construir(bool conDemo, const QStringList& sqlExtra) {
    BorrarArchivos(ruta());
    const QString* plantilla = Plantilla(conDemo, &m_error);
    if (plantilla && !QFile::copy(*plantilla, ruta()))
        m_error = QStringLiteral("No se pudo copiar la base %1 en %2").arg(*plantilla, ruta());
    else if (plantilla && !AgregarTextos(ruta(), sqlExtra, &m_error))
        BorrarArchivos(ruta());
    if (!m_error.isEmpty()) ADD_FAILURE() << "Base de prueba: " << m_error.toStdString();
}

BaseDePrueba::~BaseDePrueba() {
    cerrarLectura();
}

void BaseDePrueba::cerrarLectura() const {
    if (m_lectura) sqlite3_close(m_lectura);
    m_lectura = nullptr;
}

// The connection the read-backs share (opening one parses the whole schema again). It is given
// up when the path no longer leads to the file it opened: a test may move, remove or replace it.
sqlite3* BaseDePrueba::lectura() const {
    struct stat st {};
    const bool existe = ::stat(QFile::encodeName(ruta()).constData(), &st) == 0;
    if (m_lectura && (!existe || st.st_dev != m_dispositivo || st.st_ino != m_nodo)) cerrarLectura();
    if (m_lectura) return m_lectura;
    QString error;
    m_lectura = ado::sqlite::AbrirBaseExistente(ruta(), &error, false);
    if (!m_lectura) {
        ADD_FAILURE() << error.toStdString();
        return nullptr;
    }
    m_dispositivo = st.st_dev;
    m_nodo = st.st_ino;
    return m_lectura;
}

QString BaseDePrueba::carpetaSql() {
    return QStringLiteral(INDAJUSTE_SQL_DIR);
}

QString BaseDePrueba::ruta() const {
    return m_carpeta + QLatin1Char('/') + m_nombre + QStringLiteral(".sqlite");
}

QString BaseDePrueba::cadenaConexion() const {
    return QStringLiteral("PROVIDER=SQLOLEDB;Server=%1;Database =%2;UId=%2;Pwd=%2;").arg(carpeta(), m_nombre);
}

QVariant BaseDePrueba::escalar(const QString& sql) const {
    QVariant resultado;
    bool hay = false;
    Consultar(lectura(), sql, [&](sqlite3_stmt* s) {
        if (!hay && sqlite3_column_count(s) > 0) resultado = Valor(s, 0);
        hay = true;
    });
    return resultado;
}

QList<QStringList> BaseDePrueba::filas(const QString& sql) const {
    QList<QStringList> resultado;
    Consultar(lectura(), sql, [&](sqlite3_stmt* s) {
        QStringList fila;
        for (int i = 0; i < sqlite3_column_count(s); ++i) {
            if (sqlite3_column_type(s, i) == SQLITE_NULL)
                fila << QString();
            else if (sqlite3_column_bytes(s, i) == 0)
                fila << QStringLiteral("");
            else
                fila << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, i)),
                                          sqlite3_column_bytes(s, i));
        }
        resultado << fila;
    });
    return resultado;
}

void BaseDePrueba::ejecutar(const QString& sql) const {
    Consultar(lectura(), sql, [](sqlite3_stmt*) {});
}
