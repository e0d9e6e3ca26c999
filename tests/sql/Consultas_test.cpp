// The lookup masks the build writes beside the programs, read back as the lookup reads them, and
// the chart's F5 on the demo company with them in place.
#include "account_extras/frmMA_CUENTASADIC.h"
#include "accounts/CuentasDePrueba.h"
#include "lookup/Def_QConsulta.h"
#include "lookup/Lib_FrmCons3.h"
#include "lookup/MascaraConsulta.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/ListView.h"
#include "outside/runtime/Programa.h"
#include "support/BaseDePrueba.h"
#include "support/Control.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>

namespace {

QString Mascaras() {
    return QStringLiteral(INDAJUSTE_BUILD_DIR "/consultas.qnl");
}

// The tables a window of the chart program looks up on the demo company.
QStringList TablasConsultadas() {
    QStringList tablas{"MA_CUENTAS", "TA_CCOSTO", "VT_CLIENTES", "VT_PROVEEDORES"};
    QPointer<frmMA_CUENTASADIC> adicionales = &frmMA_CUENTASADIC::instancia();
    for (const vb::CajaTexto* caja : Controles<vb::CajaTexto>(*adicionales, "txtFields"))
        if (!caja->Tag.trimmed().isEmpty() && !tablas.contains(caja->Tag.trimmed(), Qt::CaseInsensitive))
            tablas << caja->Tag.trimmed();
    delete adicionales.data();
    return tablas;
}

}  // namespace

TEST(LookupMasks, EveryLookedUpTableHasARecordWithItsCodeFirstAndColumnsThatExist) {
    QFile archivo(Mascaras());
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly)) << Mascaras().toStdString();
    const QByteArray todo = archivo.readAll();
    ASSERT_GT(todo.size(), 0);
    ASSERT_EQ(todo.size() % MascaraConsulta::kLargoRegistro, 0);
    for (qsizetype r = 0; r < todo.size(); r += MascaraConsulta::kLargoRegistro)
        EXPECT_EQ(todo.mid(r + 1200, 2), "\r\n") << "record at byte " << r;

    BaseDePrueba demo(true);
    ASSERT_TRUE(demo.valida()) << demo.error().toStdString();
    const QStringList tablas = TablasConsultadas();
    ASSERT_GE(tablas.size(), 10);
    for (const QString& tabla : tablas) {
        SCOPED_TRACE(tabla.toStdString());
        RegMascaraConsulta reg;
        ASSERT_TRUE(MascaraConsulta::Buscar(Mascaras(), " " + tabla.toLower() + " ", reg));
        const QStringList columnas = MascaraConsulta::Columnas(reg).split(',');
        ASSERT_GE(columnas.size(), 2);
        // The code the lookup hands back leads; a description-like column follows it.
        QString t = tabla, descripcion, codigo, extra;
        Def_QConsulta::MapeaTabla(t, descripcion, codigo, extra);
        if (!codigo.isEmpty()) {
            EXPECT_EQ(columnas[0].toUpper(), codigo.toUpper());
        }
        EXPECT_TRUE(QStringList({"DESCRIPCION", "RAZON_SOCIAL", "NOMBRE"}).contains(columnas[1].toUpper()))
            << columnas[1].toStdString();
        // Every column is one the demo's table has: a missing one would break the lookup.
        EXPECT_EQ(
            demo.filas("SELECT count(*) FROM (SELECT " + columnas.join(',') + " FROM " + reg.Tabla + ")")
                .size(),
            1);
        // No condition: the caller's narrowing (the chart's F5 by description) must hold.
        EXPECT_TRUE(reg.Condicion.isEmpty());
    }
}

// The code column of every row the chart's F5 lists, after the column titles.
QStringList F5EnElCodigo(const QString& usuario) {
    CuentasDePrueba c({}, usuario);
    // The build's file beside the program, where start-up looks for it.
    EXPECT_TRUE(QFile::copy(Mascaras(), vb::App().Path + "/consultas.qnl"));
    c.Iniciar();
    QStringList vistas;
    c.guion().esperarModal([&](QWidget* w) {
        auto* v = qobject_cast<Lib_FrmCons3*>(w);
        ASSERT_NE(v, nullptr);
        QStringList titulos;
        for (int i = 1; i <= Control<vb::ListView>(*v, "ListView1")->ColumnHeadersCount(); ++i)
            titulos << Control<vb::ListView>(*v, "ListView1")->ColumnHeaderText(i);
        vistas << titulos.mid(0, 2).join(',').toUpper();
        for (int r = 1; r <= Control<vb::ListView>(*v, "ListView1")->ListItemsCount(); ++r)
            vistas << Control<vb::ListView>(*v, "ListView1")->ItemText(r);
        v->CmdCancelar_Click();
    });
    Control<vb::CajaTexto>(c.f(), "TxtCodigo")->setFocus();
    QApplication::processEvents();
    c.Tecla(Qt::Key_F5);
    return vistas;
}

TEST(LookupMasks, F5InTheChartsCodeBoxOpensWithCodeAndDescriptionFirst) {
    const QStringList admin = F5EnElCodigo("ADMIN");
    ASSERT_GE(admin.size(), 3);
    EXPECT_EQ(admin[0], "CODIGO,DESCRIPCION");
    EXPECT_EQ(admin[1], "1");
    EXPECT_TRUE(admin.contains("51010100102"));
    // The mask's statement reads the restricted view like any other for a user who is not an
    // administrator.
    const QStringList operador = F5EnElCodigo("OPERADOR");
    EXPECT_EQ(operador.size(), admin.size() - 1);
    EXPECT_FALSE(operador.contains("51010100102"));
}

TEST(LookupMasks, TheBuildRefusesASourceItCouldNotWriteAsWrittenAndLeavesNoFile) {
    QTemporaryDir dir;
    const QString destino = dir.filePath("consultas.qnl");
    auto crear = [&](const QString& fuente) {
        QFile f(dir.filePath("fuente.txt"));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(fuente.toUtf8());
        f.close();
        return QProcess::execute(QStringLiteral(INDAJUSTE_BUILD_DIR "/creamascaras"),
                                 {destino, f.fileName()});
    };
    const QString bien = "[MA_CUENTAS]\nCampos = Codigo|Descripcion\n";
    for (const QString& mala :
         QStringList{bien + bien, "[MA_CUENTAS]\nCampos = Codigo\n",
                     "[MA_CUENTAS]\nCampos = Codigo|" + QString(495, 'X') + "\n",
                     "[MA_CUENTAS]\nCampos = Codigo|Descripcion\nDescripcion = Cuentas \u20ac\u4e2d\n",
                     "[MA_CUENTAS]\nCampo = Codigo|Descripcion\n"}) {
        EXPECT_EQ(crear(mala), 1) << mala.toStdString();
        EXPECT_FALSE(QFile::exists(destino)) << mala.toStdString();
    }
    // Windows-1252 holds the euro sign and the accents: one record, read back as written.
    ASSERT_EQ(
        crear("[MA_CUENTAS]\nDescripcion = Cuentas en \u20ac y a\u00f1os\nCampos = Codigo|Descripcion\n"), 0);
    QFile archivo(destino);
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    const QByteArray todo = archivo.readAll();
    ASSERT_EQ(todo.size(), MascaraConsulta::kLargoRegistro);
    EXPECT_EQ(MascaraConsulta::DesdeBytes(todo).Descripcion.trimmed(), "Cuentas en \u20ac y a\u00f1os");
}
