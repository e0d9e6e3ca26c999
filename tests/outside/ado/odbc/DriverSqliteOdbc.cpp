#include "outside/ado/odbc/DriverSqliteOdbc.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

namespace {

const QString kBibliotecaDriver = QStringLiteral("/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so");

// Registers the driver under "SQLite3" for this process when the system list lacks it.
bool PrepararDriver(QString* motivo) {
    if (!QFile::exists(kBibliotecaDriver)) {
        *motivo = QStringLiteral("falta la biblioteca del driver ODBC de SQLite: ") + kBibliotecaDriver;
        return false;
    }
    const QString carpeta = qEnvironmentVariable("ODBCSYSINI", QStringLiteral("/etc"));
    QFile ini(carpeta + QStringLiteral("/odbcinst.ini"));
    if (ini.open(QIODevice::ReadOnly) &&
        QString::fromUtf8(ini.readAll()).contains(QStringLiteral("[SQLite3]")))
        return true;
    static QTemporaryDir propia;
    QFile nuevo(propia.path() + QStringLiteral("/odbcinst.ini"));
    if (!nuevo.open(QIODevice::WriteOnly)) {
        *motivo = QStringLiteral("no se pudo registrar el driver");
        return false;
    }
    nuevo.write(QStringLiteral("[SQLite3]\nDriver=%1\n").arg(kBibliotecaDriver).toUtf8());
    nuevo.close();
    qputenv("ODBCSYSINI", propia.path().toUtf8());
    return true;
}

QString gMotivo;

// The driver manager reads its driver list once per process: register before any test uses it.
class EntornoOdbc : public ::testing::Environment {
  public:
    void SetUp() override {
        QString motivo;
        if (!PrepararDriver(&motivo)) gMotivo = motivo;
    }
};
[[maybe_unused]] ::testing::Environment* const kEntornoOdbc =
    ::testing::AddGlobalTestEnvironment(new EntornoOdbc);

}  // namespace

QString MotivoSinDriverOdbc() {
    return gMotivo;
}
