// Where a listing report's PDF goes: a folder of its user alone, a new file for every request.
#include "outside/maker/ReporteListado.h"

#include "outside/maker/Reporte.h"
#include "outside/maker/SistemaPC.h"
#include "outside/runtime/Conversiones.h"
#include "support/BaseDePrueba.h"
#include "support/TextoPdf.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QUrl>

namespace {

class TemporalPropio {
  public:
    TemporalPropio() : anterior_(qgetenv("TMPDIR")) { qputenv("TMPDIR", dir_.path().toLocal8Bit()); }
    ~TemporalPropio() {
        if (anterior_.isEmpty())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", anterior_);
    }
    QTemporaryDir dir_;

  private:
    QByteArray anterior_;
};

}  // namespace

TEST(ReporteListado, EachRequestGetsItsOwnFileThatOnlyItsUserReads) {
    BaseDePrueba base;
    ASSERT_TRUE(base.valida()) << base.error().toStdString();
    TemporalPropio temporal;
    ASSERT_TRUE(temporal.dir_.isValid());
    ASSERT_EQ(QDir::cleanPath(QDir::tempPath()), QDir::cleanPath(temporal.dir_.path()));
    QList<QUrl> abiertos;
    maker::gSistemaPC().setAbridor([&](const QUrl& u) {
        abiertos << u;
        return true;
    });
    // Every request in the same second.
    vb::setReloj([] { return QDateTime(QDate(2026, 12, 9), QTime(10, 30, 0)); });
    maker::SolicitudReporte pedido;
    pedido.Nombre = "Rp_PlanCtas";
    pedido.Conexion = base.cadenaConexion();
    const auto contenido = [](ado::Connection&) {
        maker::Listado l;
        l.Titulo = "Plan de Cuentas";
        l.Columnas = {{"Código", 1, false}};
        l.Filas = {{"51010100102"}};
        return l;
    };
    QSet<QString> archivos;
    for (int i = 0; i < 5; ++i) {
        QString archivo, error;
        ASSERT_TRUE(maker::GeneraListado(pedido, "Rp_PlanCtas", "el plan", contenido, {}, archivo, error))
            << error.toStdString();
        archivos << archivo;
        const QFileInfo info(archivo);
        EXPECT_EQ(info.permissions() & 0x7777, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ReadUser | QFileDevice::WriteUser)
            << archivo.toStdString();
        EXPECT_TRUE(info.fileName().startsWith("Rp_PlanCtas-20261209-103000-")) << archivo.toStdString();
        EXPECT_GT(info.size(), 0);
    }
    vb::setReloj({});
    maker::gSistemaPC().setAbridor({});
    EXPECT_EQ(archivos.size(), 5);
    EXPECT_EQ(abiertos.size(), 5);

    const QFileInfo carpeta(QFileInfo(*archivos.begin()).absolutePath());
    EXPECT_NE(carpeta.absoluteFilePath(), QDir::tempPath());
    EXPECT_EQ(carpeta.absoluteFilePath(), maker::CarpetaPrivadaReportes());
    EXPECT_EQ(carpeta.permissions() & 0x7777, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner | QFileDevice::ReadUser |
                                                  QFileDevice::WriteUser | QFileDevice::ExeUser);

    // A folder of that name that is a link is not used.
    const QString ruta = maker::CarpetaPrivadaReportes();
    ASSERT_TRUE(QDir(ruta).removeRecursively());
    ASSERT_TRUE(QDir(temporal.dir_.path()).mkdir("otra"));
    ASSERT_TRUE(QFile::link(temporal.dir_.filePath("otra"), ruta));
    EXPECT_EQ(maker::CarpetaPrivadaReportes(), "");
    QString archivo, error;
    EXPECT_FALSE(maker::GeneraListado(pedido, "Rp_PlanCtas", "el plan", contenido, {}, archivo, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QDir(temporal.dir_.filePath("otra")).isEmpty());
}

// Not even a turned page holds these numbers side by side: each that does not fit its column is
// a row of marks, never a part of the number.
TEST(ReporteListado, ANumberNoPageHoldsIsMarkedNeverPrintedInPart) {
    QTemporaryDir carpeta;
    maker::Listado l;
    l.Titulo = "Saldos";
    QStringList fila;
    for (int c = 0; c < 14; ++c) {
        l.Columnas << maker::ColumnaListado{QString("Saldo %1").arg(c + 1), 1, true};
        fila << "98.765.432.109,1234";
    }
    l.Columnas << maker::ColumnaListado{"Mes", 1, false};
    fila << "05/2023";
    l.Filas << fila;
    const QString archivo = carpeta.filePath("saldos.pdf");
    QString error;
    ASSERT_TRUE(maker::EscribeListadoPdf(l, archivo, error)) << error.toStdString();
    const QString texto = TextoPdf(archivo);
    EXPECT_TRUE(texto.contains("05/2023")) << texto.toStdString();
    EXPECT_TRUE(texto.contains("###"));
    // Every figure printed is the whole one.
    const QRegularExpression cifra("[0-9][0-9.,]*");
    for (auto it = cifra.globalMatch(texto); it.hasNext();) {
        const QString c = it.next().captured();
        EXPECT_TRUE(c == "98.765.432.109,1234" || QRegularExpression("^\\d+$").match(c).hasMatch() ||
                    c == "05/2023")
            << c.toStdString();
    }
}
