#include "data/DB_Dll.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Programa.h"
#include "support/DialogosGuionados.h"
#include "support/ImprimeQt.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

namespace {

class DB_DllErrors : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(programa_.isValid());
        anterior_ = vb::App();
        vb::App().Path = programa_.path();
        vb::setReloj([] { return QDateTime(QDate(2024, 3, 15), QTime(10, 42, 7)); });
    }
    void TearDown() override {
        vb::App() = anterior_;
        vb::setReloj({});
    }
    static QByteArray leer(const QString& ruta) {
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString log() const { return programa_.path() + "/XQERR.LOG"; }

    QTemporaryDir programa_;
    DB_Dll db_;

  private:
    vb::AppInfo anterior_;
};

TEST_F(DB_DllErrors, MessageTitleAndLine) {
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbRetry);
    const vb::ErrorVB e(3709, "  La conexión no está abierta.  ", "ADODB.Recordset");
    EXPECT_EQ(db_.TratamientoErrores(e, 18, "AbrirRecordset"), vb::vbRetry);
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(guion.preguntas().at(0).texto,
              "Ha ocurrido el Siguiente Error (3709) La conexión no está abierta.");
    EXPECT_EQ(guion.preguntas().at(0).titulo, "ADODB.Recordset - AbrirRecordset Aviso al operador!!! - 5 ");
    EXPECT_EQ(guion.preguntas().at(0).estilo, 18);
    // Windows-1252 with CR LF, as the suite's other programs read it.
    EXPECT_EQ(leer(log()),
              QByteArray("03-15-2024 10:42:07 Rutina: - AbrirRecordset Mensaje Ha ocurrido el "
                         "Siguiente Error (3709) La conexi\xF3n no est\xE1 abierta. Respondi\xF3 : "
                         "Reintentar\r\n"));
}

TEST_F(DB_DllErrors, AnswerWordsRoutineAndFile) {
    DialogosGuionados guion;
    const vb::ErrorVB negativo(int32_t(0x80004005), "Error no especificado", "Motor");
    guion.esperarMsgBox(vb::vbYes);
    guion.esperarMsgBox(vb::vbNo);
    guion.esperarMsgBox(vb::vbOK);
    guion.esperarMsgBox(vb::vbIgnore);
    EXPECT_EQ(db_.TratamientoErrores(negativo, vb::vbYesNo), vb::vbYes);
    EXPECT_EQ(db_.TratamientoErrores(negativo, vb::vbYesNo), vb::vbNo);
    EXPECT_EQ(db_.TratamientoErrores(negativo, vb::vbOKOnly, "X"), vb::vbOK);
    EXPECT_EQ(guion.preguntas().at(0).titulo, "Motor Aviso al operador!!! - 5 ");
    EXPECT_EQ(guion.preguntas().at(0).texto,
              "Ha ocurrido el Siguiente Error (-2147467259) Error no especificado");
    const QString lineas = QString::fromLatin1(leer(log()));
    const QString comun =
        "03-15-2024 10:42:07 Rutina: %1 Mensaje Ha ocurrido el Siguiente Error (-2147467259) "
        "Error no especificado Respondió : %2\r\n";
    EXPECT_EQ(lineas,
              QString(comun).arg("", "Sí") + QString(comun).arg("", "No") + QString(comun).arg("- X", ""));

    // A log path of its own is used as it stands.
    db_.setArchivoErrores(programa_.path() + "/otro.log");
    EXPECT_EQ(db_.ArchivoErrores().toString(), programa_.path() + "/otro.log");
    EXPECT_EQ(db_.TratamientoErrores(negativo), vb::vbIgnore);
    EXPECT_TRUE(
        QString::fromLatin1(leer(programa_.path() + "/otro.log")).endsWith("Respondió : Ignorar\r\n"));
    EXPECT_EQ(guion.preguntas().at(3).estilo, 18);
}

TEST_F(DB_DllErrors, NoErrorDoesNothingAndNoFileStillAsks) {
    DialogosGuionados guion;
    EXPECT_EQ(db_.TratamientoErrores(vb::ErrorVB(0, "nada"), 18, "R"), 0);
    EXPECT_TRUE(guion.preguntas().isEmpty());
    EXPECT_FALSE(QFile::exists(log()));

    // A log that cannot be written loses the line, never the question.
    db_.gLogErr = programa_.path() + "/no/existe/XQERR.LOG";
    guion.esperarMsgBox(vb::vbAbort);
    EXPECT_EQ(db_.TratamientoErrores(vb::ErrorVB(5, "x"), 18, "R"), vb::vbAbort);
    EXPECT_EQ(guion.preguntas().size(), 1);
}

// Beside the program the log is shared by whoever runs it: a link planted there is not written
// through, and the question is still asked.
TEST_F(DB_DllErrors, ALinkWhereTheLogGoesIsNotWrittenThrough) {
    const QString otro = programa_.path() + "/otro.txt";
    {
        QFile f(otro);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::link(otro, log()));
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbIgnore);
    EXPECT_EQ(db_.TratamientoErrores(vb::ErrorVB(5, "x"), 18, "R"), vb::vbIgnore);
    EXPECT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(leer(otro), "");
}

}  // namespace
