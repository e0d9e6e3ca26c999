#pragma once
// A fresh company database for one test, in a temporary folder that disappears with the object:
// the schema of sql/esquema.sql, optionally the demo company (both built once, with the build,
// then copied), then the test's own SQL in one transaction. Read-back helpers speak plain SQLite
// SQL (not the program's dialect) with the engine's collation, on one connection of their own.
#include <sys/types.h>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <memory>

struct sqlite3;

class BaseDePrueba {
  public:
    explicit BaseDePrueba(bool conDemo = false, QStringList sqlExtra = {},
                          QString nombre = QStringLiteral("PRUEBA"));
    // Another database in the folder of `vecina` (a terminal's, the group company's), reached
    // through the same server folder. It must not outlive `vecina`, which owns the folder.
    BaseDePrueba(const BaseDePrueba& vecina, QString nombre, bool conDemo = false, QStringList sqlExtra = {});
    ~BaseDePrueba();
    BaseDePrueba(const BaseDePrueba&) = delete;
    BaseDePrueba& operator=(const BaseDePrueba&) = delete;

    bool valida() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }

    QString carpeta() const { return m_carpeta; }
    QString nombre() const { return m_nombre; }
    QString ruta() const;  // the .sqlite file
    // What the program is given to open this database as its company database.
    QString cadenaConexion() const;

    // First column of the first row; invalid QVariant for no row, null for NULL.
    QVariant escalar(const QString& sql) const;
    // Every row as texts; NULL gives a null QString.
    QList<QStringList> filas(const QString& sql) const;
    void ejecutar(const QString& sql) const;

    static QString carpetaSql();

  private:
    void construir(bool conDemo, const QStringList& sqlExtra);
    sqlite3* lectura() const;
    void cerrarLectura() const;

    std::unique_ptr<QTemporaryDir> m_temporal;  // null for a database in a neighbour's folder
    QString m_carpeta;
    QString m_nombre;
    QString m_error;
    mutable sqlite3* m_lectura = nullptr;
    mutable dev_t m_dispositivo = 0;
    mutable ino_t m_nodo = 0;
};
