#include "services/LBM_Common.h"

#include "outside/runtime/ErrorVB.h"
#include "outside/runtime/Programa.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

namespace {

class DatabaseFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta_.isValid());
        anterior_ = vb::App();
        vb::App().Path = carpeta_.path();
        LBM_Common::gArchivoBases.clear();
    }
    void TearDown() override {
        vb::App() = anterior_;
        LBM_Common::gArchivoBases.clear();
    }

    QString ruta() const { return carpeta_.filePath("BASES.TXT"); }
    QByteArray bytes() const {
        QFile f(ruta());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void escribir(const QByteArray& contenido) const {
        QFile f(ruta());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(contenido);
    }
    QList<LBM_Common::EntradaBase> leer() const {
        const auto entradas = LBM_Common::LeeBasesArchivo(ruta());
        EXPECT_TRUE(entradas.has_value());
        return entradas.value_or(QList<LBM_Common::EntradaBase>{});
    }

    QTemporaryDir carpeta_;
    vb::AppInfo anterior_;
};

// "EMPRESA1" as the stored password: the hex of its bytes.
const QByteArray kClaveEmpresa1 = "454D505245534131";

}  // namespace

TEST_F(DatabaseFiles, FirstAppendCreatesTheFileWithOneCrLfLine) {
    ASSERT_FALSE(QFile::exists(ruta()));
    LBM_Common::AgregaBaseArchivo(LBM_Common::NombreEntradaBase(" empresa1 ", " srv01:1433 "), " empresa1 ",
                                  "empresa1", "EMPRESA1", " srv01:1433 ", false);
    EXPECT_EQ(LBM_Common::ArchivoBases(), ruta());
    EXPECT_EQ(bytes(), "EMPRESA1 / SRV01,empresa1,empresa1," + kClaveEmpresa1 + ",srv01:1433\r\n");
}

TEST_F(DatabaseFiles, AppendEndsAnOpenLastLineAndAddsNoBlankLine) {
    // The last line lacks its end: a lone CR closes it before the new line.
    escribir("A / S,A,A,41,S");
    LBM_Common::AgregaBaseArchivo("B / S", "B", "B", "B", "S", false);
    EXPECT_EQ(bytes(), "A / S,A,A,41,S\rB / S,B,B,42,S\r\n");
    auto entradas = leer();
    ASSERT_EQ(entradas.size(), 2);
    EXPECT_EQ(entradas[0].Nombre, "A / S");
    EXPECT_EQ(entradas[1].Nombre, "B / S");

    // A file that ends with its line break gets the line right after it.
    LBM_Common::AgregaBaseArchivo("C / S", "C", "C", "C", "S#", true);
    EXPECT_EQ(bytes(), "A / S,A,A,41,S\rB / S,B,B,42,S\r\nC / S,C,C,43,S##\r\n");
    entradas = leer();
    ASSERT_EQ(entradas.size(), 3);
    EXPECT_EQ(entradas[2].Servidor, "S##");  // the Oracle mark is added, never checked
}

TEST_F(DatabaseFiles, ValuesThatWouldBreakTheLineAreRefusedAndNothingIsWritten) {
    escribir("A / S,A,A,41,S\r\n");
    for (const QString& malo : {QString("EMP,1"), QString("EMP\r\n1"), QString("EMP\n")}) {
        try {
            LBM_Common::AgregaBaseArchivo("X / S", malo, "X", "X", "S", false);
            ADD_FAILURE() << "se registró " << malo.toStdString();
        } catch (const vb::ErrorVB& e) {
            EXPECT_EQ(e.Number, vb::kArgumentoInvalido);
        }
    }
    EXPECT_EQ(bytes(), "A / S,A,A,41,S\r\n");
}

TEST_F(DatabaseFiles, FileOfTheSuitesWindowsProgramsLoadsWithoutLoss) {
    // CR LF, a Windows-1252 "Ñ", blank lines, a short line, a line with a comma too many, a
    // quoted item, and lines ended by LF or CR alone.
    escribir(
        "CA\xD1"
        "ADA / SRV01,Ca\xF1"
        "ada,CA\xD1"
        "ADA,43414E41,srv01:1433\r\n"
        "\r\n"
        "   \r\n"
        "CORTA / SRV02,corta\r\n"
        "MALA / SRV03,ma,la,U,4D,srv03\r\n"
        " \"COMILLAS, SA / X\" ,db,u,75,x\n"
        ",sin,nombre,00,srv\r"
        "ULTIMA / SRV04,ultima,ULTIMA,55,srv04");
    const auto entradas = leer();
    ASSERT_EQ(entradas.size(), 5);
    EXPECT_EQ(entradas[0].Nombre, QString::fromUtf8("CAÑADA / SRV01"));
    EXPECT_EQ(entradas[0].Base, QString::fromUtf8("Cañada"));
    EXPECT_EQ(entradas[0].Servidor, "srv01:1433");
    EXPECT_EQ(entradas[1].Nombre, "CORTA / SRV02");  // the short line keeps its own fields
    EXPECT_EQ(entradas[1].Base, "corta");
    EXPECT_EQ(entradas[1].Servidor, "");
    EXPECT_EQ(entradas[2].Nombre, "COMILLAS, SA / X");  // the line with six fields is skipped
    EXPECT_EQ(entradas[2].Base, "db");
    EXPECT_EQ(entradas[3].Nombre, "");  // kept; the list leaves it out
    EXPECT_EQ(entradas[3].Base, "sin");
    EXPECT_EQ(entradas[4].Nombre, "ULTIMA / SRV04");
    EXPECT_EQ(entradas[4].Servidor, "srv04");

    // What this program appends after them reads back the same, accents included.
    LBM_Common::AgregaBaseArchivo(LBM_Common::NombreEntradaBase(QString::fromUtf8("Peñón"), "srv05"),
                                  QString::fromUtf8("Peñón"), "U", "clave", "srv05", false);
    QByteArray b = bytes();
    EXPECT_TRUE(
        b.endsWith("srv04\r"
                   "PE\xD1\xD3N / SRV05,Pe\xF1\xF3n,U,636C617665,srv05\r\n"));
    const auto despues = leer();
    ASSERT_EQ(despues.size(), 6);
    EXPECT_EQ(despues[5].Base, QString::fromUtf8("Peñón"));
}

TEST_F(DatabaseFiles, AnEntryReadsBackAsItWasRegistered) {
    struct Registro {
        QString base, servidor;
    };
    const QList<Registro> registros = {{"\"DEMO", "\"/srv/datos"},
                                       {"\tDEMO", "srv01:1433"},
                                       {"DE\"MO\t", "\t\"srv\"\""},
                                       {"\"", "\"\""},
                                       {"DEMO", "/srv/datos"}};
    for (const Registro& r : registros)
        LBM_Common::AgregaBaseArchivo(LBM_Common::NombreEntradaBase(r.base, r.servidor), r.base, r.base,
                                      r.base, r.servidor, false);
    const auto entradas = leer();
    ASSERT_EQ(entradas.size(), registros.size());
    for (qsizetype i = 0; i < registros.size(); ++i) {
        SCOPED_TRACE(registros[i].base.toStdString());
        EXPECT_EQ(entradas[i].Nombre,
                  LBM_Common::NombreEntradaBase(registros[i].base, registros[i].servidor));
        EXPECT_EQ(entradas[i].Base, registros[i].base);
        EXPECT_EQ(entradas[i].Usuario, registros[i].base);
        EXPECT_EQ(entradas[i].Servidor, registros[i].servidor);
    }
    // A plain entry stays as the suite's other programs write it.
    EXPECT_TRUE(bytes().endsWith("\r\nDEMO / /SRV/DATOS,DEMO,DEMO,44454D4F,/srv/datos\r\n"));
}

TEST_F(DatabaseFiles, EntryNameAndServerPort) {
    EXPECT_EQ(LBM_Common::NombreEntradaBase(" empresa1 ", " srv01:1433 "), "EMPRESA1 / SRV01");
    EXPECT_EQ(LBM_Common::NombreEntradaBase("emp", "a:b:c"), "EMP / A");
    EXPECT_EQ(LBM_Common::NombreEntradaBase("emp", ""), "EMP / ");

    QString servidor = "antes", puerto = "antes";
    EXPECT_FALSE(LBM_Common::SeparaPuerto("srv02", servidor, puerto));
    EXPECT_EQ(servidor, "antes");
    EXPECT_EQ(puerto, "antes");
    EXPECT_TRUE(LBM_Common::SeparaPuerto(" srv01 :1433:x", servidor, puerto));
    EXPECT_EQ(servidor, "SRV01");
    EXPECT_EQ(puerto, "1433:x");
}

TEST_F(DatabaseFiles, AMissingFileHasNoEntries) {
    EXPECT_FALSE(LBM_Common::LeeBasesArchivo(ruta()).has_value());
}
