// Saving a typed index: whole or absent, never over another user's change, never to a file
// that is no longer the company's; and the year save of the grid's last year.
#include "data/DB_Dll.h"
#include "outside/ado/sqlite/ProveedorSqlite.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/runtime/Conversiones.h"
#include "services/CNStuffContable.h"
#include "support/CoeficientesAcordes.h"
#include "support/Control.h"
#include "support/VentanaIndices.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kTabla =
    "SELECT Anio, Mes, Importe1, Indice1, Importe2, Indice2 FROM MA_INDAJUSTE ORDER BY Anio, Mes";

// A July-to-June fiscal year with every index 100 and a closing index of 120.
QStringList JulioAJunio() {
    QStringList sql{
        "INSERT INTO MV_EJERCICIOS (PERIODO, DESCRIPCION, [Fecha Desde], [Fecha Hasta]) VALUES (2024, 'E', "
        "'2023-07-01', '2024-06-30')"};
    for (int i = 0; i < 12; ++i) {
        const int anio = i < 6 ? 2023 : 2024, mes = (i + 6) % 12 + 1;
        sql << QString(
                   "INSERT INTO MA_INDAJUSTE (Anio, Mes, Importe1, Importe2, Importe3, Importe4) VALUES (%1, "
                   "%2, %3, 50, 0, 0)")
                   .arg(anio)
                   .arg(mes)
                   .arg(i == 11 ? 120 : 100 + i);
    }
    return sql;
}

// Every stored coefficient is the stored closing index over the month's, as shown.
void CoeficientesAcordes(VentanaIndices& v) {
    EXPECT_EQ(CoeficientesEnDesacuerdo(v.base()), QStringList());
}

// Answers every message as a user who gives up, and counts them.
struct Rinde : DialogosGuionados {
    int MsgBox(const QString& t, int, const QString&) override {
        textos << t;
        return vb::vbAbort;
    }
    QStringList textos;
};

// The file may be read but not written, for as long as the object lives: immutable (which stops
// root too) where the file system allows it, otherwise without write permission.
class SoloLectura {
  public:
    explicit SoloLectura(const QString& ruta) : ruta_(QFile::encodeName(ruta)) {
        inmutable_ = Marca(true);
        if (!inmutable_ && geteuid() != 0) permisos_ = ::chmod(ruta_.constData(), 0444) == 0;
    }
    ~SoloLectura() {
        if (inmutable_) Marca(false);
        if (permisos_) ::chmod(ruta_.constData(), 0644);
    }
    bool activa() const { return inmutable_ || permisos_; }

  private:
    bool Marca(bool poner) {
        const int fd = ::open(ruta_.constData(), O_RDONLY);
        if (fd < 0) return false;
        int banderas = 0;
        bool hecho = ::ioctl(fd, FS_IOC_GETFLAGS, &banderas) == 0;
        if (hecho) {
            banderas = poner ? banderas | FS_IMMUTABLE_FL : banderas & ~FS_IMMUTABLE_FL;
            hecho = ::ioctl(fd, FS_IOC_SETFLAGS, &banderas) == 0;
        }
        ::close(fd);
        return hecho;
    }
    QByteArray ruta_;
    bool inmutable_ = false;
    bool permisos_ = false;
};

// Another program holds the write lock; while the save waits for it the company file is moved
// away and the lock goes, so the save loses the file inside its transaction. The operator's
// answer to the lost-connection question brings the file back.
class ArchivoQueSeMueve {
  public:
    explicit ArchivoQueSeMueve(const QString& ruta) : ruta_(ruta) {
        sqlite3_open(QFile::encodeName(ruta_).constData(), &otro_);
        sqlite3_exec(otro_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        ado::sqlite::AvisoDeEspera() = [this] {
            QFile::rename(ruta_, ruta_ + ".fuera");
            sqlite3_exec(otro_, "COMMIT", nullptr, nullptr, nullptr);
        };
    }
    ~ArchivoQueSeMueve() { Suelta(); }
    void Suelta() {
        ado::sqlite::AvisoDeEspera() = nullptr;
        if (otro_) sqlite3_close(otro_);
        otro_ = nullptr;
    }

    struct Operador : DialogosGuionados {
        explicit Operador(const QString& r) : ruta(r) { esperarMsgBox(vb::vbYes); }
        QString ruta;
        int MsgBox(const QString& t, int e, const QString& c) override {
            if (t.contains("Se perdio la conexion")) QFile::rename(ruta + ".fuera", ruta);
            return DialogosGuionados::MsgBox(t, e, c);
        }
    };

  private:
    QString ruta_;
    sqlite3* otro_ = nullptr;
};

}  // namespace

// The save ends at its first, second, ... statement with a full disk: each time the table is
// exactly as before and the grid shows it; when no statement fails any more it is exactly the
// new one, coefficients in agreement.
TEST(IndexSave, EndingTheSaveAtEveryStatementLeavesTheTableAsBeforeOrAfter) {
    VentanaIndices v(false, JulioAJunio());
    v.Iniciar();
    const auto antes = v.base().filas(kTabla);
    auto& db = CNStuffContable::gBaseDatos();
    int fallidas = 0;
    for (int n = 0;; ++n) {
        ado::FallaInyectada lleno;
        lleno.contiene = "MA_INDAJUSTE";
        lleno.saltar = n;
        lleno.error = {"HY000", ado::kErrNoEspecificado, "database or disk is full", 13, {}};
        db.gCnn->InyectarFalla(lleno);
        Rinde usuario;
        v.Escribir(12, 1, "130");  // the closing month: the whole fiscal year is recomputed
        db.gCnn->QuitarFallas();
        if (usuario.textos.isEmpty()) break;
        ++fallidas;
        SCOPED_TRACE(n);
        EXPECT_TRUE(usuario.textos.first().contains("disk is full")) << usuario.textos.first().toStdString();
        ASSERT_EQ(v.base().filas(kTabla), antes);
        EXPECT_EQ(v.Celda(12, 1), "120");
        EXPECT_EQ(v.Celda(1, 2), "1.200");  // the stored coefficient, no quotient of 130
        ASSERT_LT(n, 40);
    }
    EXPECT_GE(fallidas, 14);  // the row, the references, the range and each of the twelve updates
    EXPECT_DOUBLE_EQ(v.Guardado(2024, 6, "Importe1").toDouble(), 130);
    CoeficientesAcordes(v);
    EXPECT_EQ(v.Celda(1, 2), " 1.300");
}

// Retry after a failure in the middle repeats the whole save, which then stands complete.
TEST(IndexSave, RetryRepeatsTheWholeSave) {
    VentanaIndices v(false, JulioAJunio());
    v.Iniciar();
    ado::FallaInyectada lleno;
    lleno.contiene = "UPDATE MA_INDAJUSTE";
    lleno.saltar = 5;
    lleno.error = {"HY000", ado::kErrNoEspecificado, "database or disk is full", 13, {}};
    CNStuffContable::gBaseDatos().gCnn->InyectarFalla(lleno);
    v.guion().esperarMsgBox(vb::vbRetry);
    v.Escribir(12, 1, "130");
    ASSERT_EQ(v.guion().preguntas().size(), 1);
    EXPECT_EQ(v.guion().preguntas().last().texto.count("Campo_Valida"), 1);
    EXPECT_DOUBLE_EQ(v.Guardado(2024, 6, "Importe1").toDouble(), 130);
    CoeficientesAcordes(v);
    EXPECT_EQ(v.Celda(1, 2), " 1.300");
}

// Another program saves meanwhile: another series of the edited month and another month are
// kept, the coefficients follow the stored indexes; the same value is not overwritten.
TEST(IndexSave, AnotherUsersChangeIsKeptOrTheSaveIsRefusedWithAWord) {
    VentanaIndices v(false, JulioAJunio());
    v.Iniciar();
    v.base().ejecutar("UPDATE MA_INDAJUSTE SET Importe2 = 60 WHERE Anio = 2023 AND Mes = 9");
    v.base().ejecutar("UPDATE MA_INDAJUSTE SET Importe1 = 200 WHERE Anio = 2023 AND Mes = 10");
    v.Escribir(3, 1, "150");  // 09/2023, series 1
    EXPECT_DOUBLE_EQ(v.Guardado(2023, 9, "Importe1").toDouble(), 150);
    EXPECT_DOUBLE_EQ(v.Guardado(2023, 9, "Importe2").toDouble(), 60);
    EXPECT_DOUBLE_EQ(v.Guardado(2023, 10, "Importe1").toDouble(), 200);
    CoeficientesAcordes(v);
    EXPECT_EQ(v.Celda(4, 1), "200");  // the grid shows what is stored
    EXPECT_EQ(v.Celda(3, 3), "60");

    v.base().ejecutar("UPDATE MA_INDAJUSTE SET Importe1 = 111 WHERE Anio = 2023 AND Mes = 11");
    const auto antes = v.base().filas(kTabla);
    v.guion().esperarMsgBox(vb::vbOK);
    v.Escribir(5, 1, "99");  // 11/2023, the same value
    ASSERT_EQ(v.guion().preguntas().size(), 1);
    const Pregunta p = v.guion().preguntas().last();
    EXPECT_EQ(p.titulo, "Aviso al operador");
    EXPECT_TRUE(p.texto.contains("11/2023")) << p.texto.toStdString();
    EXPECT_EQ(v.base().filas(kTabla), antes);
    EXPECT_EQ(v.Celda(5, 1), "111");
}

// Another program holds the write lock: while the save waits the window shows the busy
// cursor, and a key pressed meanwhile does not reach the save.
TEST(IndexSave, WaitingForAnotherProgramsLockShowsTheBusyCursor) {
    VentanaIndices v(false, JulioAJunio());
    v.Iniciar();
    sqlite3* otro = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(v.base().ruta()).constData(), &otro), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(otro, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    int esperas = 0;
    Qt::CursorShape forma = Qt::ArrowCursor;
    ado::sqlite::AvisoDeEspera() = [&] {
        ++esperas;
        if (QApplication::overrideCursor()) forma = QApplication::overrideCursor()->shape();
        QApplication::postEvent(QApplication::focusWidget(),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, "7"));
        sqlite3_exec(otro, "COMMIT", nullptr, nullptr, nullptr);  // the other program is done
    };
    v.Escribir(3, 1, "150");
    ado::sqlite::AvisoDeEspera() = nullptr;
    sqlite3_close(otro);
    EXPECT_EQ(esperas, 1);
    EXPECT_EQ(forma, Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_DOUBLE_EQ(v.Guardado(2023, 9, "Importe1").toDouble(), 150);
    CoeficientesAcordes(v);
}

// A value no number column holds is refused with the conversion message; nothing is saved.
TEST(IndexSave, FourHundredDigitsAreRefused) {
    VentanaIndices v(false, JulioAJunio());
    v.Iniciar();
    const auto antes = v.base().filas(kTabla);
    v.guion().esperarMsgBox(vb::vbOK);
    v.Escribir(3, 1, QString(400, '9'));
    ASSERT_EQ(v.guion().preguntas().size(), 1);
    EXPECT_EQ(v.guion().preguntas().last().titulo, "Error en conversion de datos");
    EXPECT_EQ(v.base().filas(kTabla), antes);
    EXPECT_EQ(v.Celda(3, 1), "102");
}

// The company file moved away while the window is open: the save is lost, the recovery asks,
// and once the file is back the grid shows what it holds.
TEST(IndexSave, AMovedCompanyFileIsALostConnection) {
    VentanaIndices v(false, JulioAJunio());
    v.Iniciar();
    const QString ruta = v.base().ruta();
    const auto antes = v.base().filas(kTabla);
    ASSERT_TRUE(QFile::rename(ruta, ruta + ".fuera"));
    struct Devuelve : DialogosGuionados {
        QString ruta;
        int MsgBox(const QString& t, int e, const QString& c) override {
            if (t.contains("Se perdio la conexion")) QFile::rename(ruta + ".fuera", ruta);
            return DialogosGuionados::MsgBox(t, e, c);
        }
    } operador;
    operador.ruta = ruta;
    operador.esperarMsgBox(vb::vbYes);
    v.Escribir(3, 1, "5555");
    ASSERT_TRUE(QFile::exists(ruta));
    ASSERT_FALSE(operador.preguntas().isEmpty());
    EXPECT_TRUE(operador.preguntas().last().texto.contains("Se perdio la conexion"));
    // Either saved to the company file once it was back, or not at all: never to the moved one.
    const auto despues = v.base().filas(kTabla);
    if (despues == antes) {
        EXPECT_EQ(v.Celda(3, 1), "102");
    } else {
        EXPECT_DOUBLE_EQ(v.Guardado(2023, 9, "Importe1").toDouble(), 5555);
        CoeficientesAcordes(v);
    }
}

// The file is moved while the save waits for another program's lock, so the save loses it
// inside its transaction: one message, the lost-connection question; once the file is back
// the whole save is made on it.
TEST(IndexSave, AFileMovedInsideTheSaveAsksOnceAndSavesOnTheFileBack) {
    VentanaIndices v(false, JulioAJunio());
    v.Iniciar();
    ArchivoQueSeMueve archivo(v.base().ruta());
    ArchivoQueSeMueve::Operador operador(v.base().ruta());
    v.Escribir(3, 1, "5555");
    archivo.Suelta();
    ASSERT_EQ(operador.preguntas().size(), 1);
    EXPECT_TRUE(operador.preguntas().first().texto.contains("Se perdio la conexion"))
        << operador.preguntas().first().texto.toStdString();
    EXPECT_DOUBLE_EQ(v.Guardado(2023, 9, "Importe1").toDouble(), 5555);
    CoeficientesAcordes(v);
    EXPECT_EQ(v.Celda(3, 1), "5555");
}

// The same for the year save: the question once, and the year written on the file once back.
TEST(YearSave, AFileMovedInsideTheSaveAsksOnceAndSavesOnTheFileBack) {
    VentanaIndices v(false, JulioAJunio());
    v.Iniciar();
    ArchivoQueSeMueve archivo(v.base().ruta());
    ArchivoQueSeMueve::Operador operador(v.base().ruta());
    Control<vb::CajaTexto>(v.f(), "txtFields", 0)->setText("2024");
    v.Boton("GRABAR");
    archivo.Suelta();
    ASSERT_EQ(operador.preguntas().size(), 1);
    EXPECT_TRUE(operador.preguntas().first().texto.contains("Se perdio la conexion"))
        << operador.preguntas().first().texto.toStdString();
    EXPECT_FALSE(v.f().Rechazo());
    EXPECT_EQ(v.base()
                  .escalar("SELECT COUNT(*) FROM MA_INDAJUSTE WHERE Anio = 2024 AND fechahora_grabacion "
                           "IS NOT NULL")
                  .toInt(),
              6);
}

// A file that cannot take the months a new fiscal year needs (read-only) says so once, with
// the server's text, and still shows every stored month.
TEST(IndexLoad, AFileThatTakesNoNewMonthsSaysSoOnceAndShowsEveryStoredMonth) {
    VentanaIndices v(false, JulioAJunio());
    v.Iniciar();
    v.base().ejecutar(
        "INSERT INTO MV_EJERCICIOS (PERIODO, DESCRIPCION, [Fecha Desde], [Fecha Hasta]) VALUES (2025, 'E', "
        "'2024-07-01', '2025-06-30')");
    ado::FallaInyectada soloLectura;
    soloLectura.contiene = "INSERT INTO MA_INDAJUSTE";
    soloLectura.veces = 100;
    soloLectura.error = {"HY000", ado::kErrNoEspecificado, "attempt to write a readonly database", 8, {}};
    CNStuffContable::gBaseDatos().gCnn->InyectarFalla(soloLectura);
    Control<vb::CajaTexto>(v.f(), "txtFields", 0)
        ->setText("1999");  // a year without rows: the delete changes nothing
    v.guion().esperarMsgBox(vb::vbYes);
    v.guion().esperarMsgBox(vb::vbOK);
    v.Boton("BORRAR");
    CNStuffContable::gBaseDatos().gCnn->QuitarFallas();
    ASSERT_EQ(v.guion().preguntas().size(), 2);
    EXPECT_TRUE(v.guion().preguntas().last().texto.contains("readonly"))
        << v.guion().preguntas().last().texto.toStdString();
    ASSERT_EQ(Control<vb::FlexGrid>(v.f(), "FgAsiento")->Rows(), 13);
    EXPECT_EQ(v.Celda(1, 0), "07/2023");
    EXPECT_EQ(v.Celda(12, 0), "06/2024");
    EXPECT_EQ(v.Celda(12, 1), "120");
}

// A file the user may only read, kept in the journal form another program left (not the
// program's own): it opens; the months of a fiscal year added meanwhile are refused once with
// the server's text, every stored month is shown, and a typed value is refused with a word.
TEST(IndexLoad, AReadOnlyFileInAnotherJournalFormOpensAndShowsEveryStoredMonth) {
    VentanaIndices v(false, JulioAJunio()
                                << "INSERT INTO MV_EJERCICIOS (PERIODO, DESCRIPCION, [Fecha Desde], "
                                   "[Fecha Hasta]) VALUES (2025, 'E', '2024-07-01', '2025-06-30')");
    ASSERT_EQ(v.base().escalar("PRAGMA journal_mode").toString(), "delete");
    const auto antes = v.base().filas(kTabla);
    SoloLectura soloLectura(v.base().ruta());
    if (!soloLectura.activa()) GTEST_SKIP() << "this file system cannot make a file read-only for root";
    v.guion().esperarMsgBox(vb::vbOK);
    v.Iniciar();
    ASSERT_EQ(v.guion().preguntas().size(), 1);
    EXPECT_TRUE(v.guion().preguntas().last().texto.contains("readonly"))
        << v.guion().preguntas().last().texto.toStdString();
    ASSERT_EQ(Control<vb::FlexGrid>(v.f(), "FgAsiento")->Rows(), 13);
    EXPECT_EQ(v.Celda(1, 0), "07/2023");
    EXPECT_EQ(v.Celda(12, 1), "120");
    EXPECT_EQ(v.Celda(1, 2), "");  // as stored: the load's recomputation could not be saved

    v.guion().esperarMsgBox(vb::vbAbort);
    v.Escribir(3, 1, "150");
    ASSERT_EQ(v.guion().preguntas().size(), 2);
    EXPECT_TRUE(v.guion().preguntas().last().texto.contains("readonly"));
    EXPECT_EQ(v.Celda(3, 1), "102");
    EXPECT_EQ(v.base().filas(kTabla), antes);
}

// The year of the grid's last row keeps every month, its last included; a five-digit year is
// refused before anything is deleted.
TEST(YearSave, TheLastYearKeepsEveryMonthAndAFiveDigitYearIsRefused) {
    VentanaIndices v(false, JulioAJunio());
    v.Iniciar();
    const auto antes =
        v.base().filas("SELECT Anio, Mes, Importe1, Importe2 FROM MA_INDAJUSTE ORDER BY Anio, Mes");
    Control<vb::CajaTexto>(v.f(), "txtFields", 0)->setText("2024");
    v.Boton("GRABAR");
    EXPECT_EQ(v.base().filas("SELECT Anio, Mes, Importe1, Importe2 FROM MA_INDAJUSTE ORDER BY Anio, Mes"),
              antes);

    Control<vb::CajaTexto>(v.f(), "txtFields", 0)->setMaxLength(5);  // as a pasted text reaches the save
    Control<vb::CajaTexto>(v.f(), "txtFields", 0)->setText("20245");
    v.guion().esperarMsgBox(vb::vbOK);
    v.Boton("GRABAR");
    ASSERT_EQ(v.guion().preguntas().size(), 1);
    EXPECT_EQ(v.guion().preguntas().last().titulo, "Error en conversion de datos")
        << v.guion().preguntas().last().texto.toStdString();
    EXPECT_EQ(v.base().filas("SELECT Anio, Mes, Importe1, Importe2 FROM MA_INDAJUSTE ORDER BY Anio, Mes"),
              antes);
}
