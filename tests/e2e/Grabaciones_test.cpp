// Every save of both programs, in the tables of support/Grabacion.h: ended at each of its
// statements, run with a second user, waiting for another program's lock, and on a company file
// replaced by a copy. A new save is covered by adding its row to kGrabaciones.
#include "account_extras/GrabacionesCentros.h"
#include "account_extras/GrabacionesDatosAdicionales.h"
#include "accounts/GrabacionesCuentas.h"
#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "indices/GrabacionesIndices.h"
#include "outside/ado/Connection.h"
#include "outside/ado/sqlite/ProveedorSqlite.h"
#include "support/ConexionCaida.h"
#include "support/Grabacion.h"
#include "support/ImprimeQt.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QSet>
#include <QWidget>

#include <csignal>
#include <tuple>

namespace {

const FilaGrabacion kGrabaciones[] = {
    {"cuenta_nueva", grabaciones::CuentaNueva},
    {"cuenta_modificada", grabaciones::CuentaModificada},
    {"cuenta_borrada", grabaciones::CuentaBorrada},
    {"cuenta_dada_de_baja", grabaciones::CuentaDadaDeBaja},
    {"cuenta_dada_de_baja_con_cash_flow", grabaciones::CuentaDadaDeBajaConCashFlow},
    {"manual_de_cuentas", grabaciones::ManualDeCuentas},
    {"datos_adicionales_nuevos", grabaciones::DatosAdicionalesNuevos},
    {"datos_adicionales_modificados", grabaciones::DatosAdicionalesModificados},
    {"datos_adicionales_borrados", grabaciones::DatosAdicionalesBorrados},
    {"distribucion_de_centros", grabaciones::DistribucionDeCentros},
    {"indice_tecleado", grabaciones::IndiceTecleado},
    {"anio_grabado", grabaciones::AnioGrabado},
    {"anio_borrado", grabaciones::AnioBorrado},
};

// How a save is ended at a statement.
enum class Fin { Rechazada, SinVinculo, ProgramaMuerto };

std::string Nombre(Fin f) {
    switch (f) {
        case Fin::Rechazada:
            return "rechazada";
        case Fin::SinVinculo:
            return "sin_vinculo";
        case Fin::ProgramaMuerto:
            return "programa_muerto";
    }
    return "?";
}

ado::FallaInyectada Falla(Fin fin, int saltar) {
    ado::FallaInyectada f;
    if (fin == Fin::SinVinculo) f = ConexionCaida();
    f.saltar = saltar;
    if (fin == Fin::Rechazada)
        f.error = {"HY000", ado::kErrNoEspecificado, "No queda espacio en el disco", 112, {}};
    f.terminaProceso = fin == Fin::ProgramaMuerto;
    return f;
}

ado::Connection& Conexion() {
    return *CNStuffContable::gBaseDatos().gCnn;
}

// The link back, as the recovery brings it back, after a save that lost it.
void Reconecta() {
    DB_Dll& db = CNStuffContable::gBaseDatos();
    if (db.gCnn->State() != ado::adStateOpen) db.ReintentaConectar();
}

// The child paints nothing: Qt paints with worker threads, and a forked child has none.
class SinPintar : public QObject {
  protected:
    bool eventFilter(QObject*, QEvent* e) override {
        return e->type() == QEvent::Paint || e->type() == QEvent::UpdateRequest;
    }
};

// In a child process: the save, killed at the statement. True when the statement was never
// reached and the save ran to its end.
bool GrabaEnHijo(Grabacion& g, int saltar) {
    const pid_t hijo = ::fork();
    if (hijo == 0) {
        ::alarm(30);  // a child that hangs ends, and is reported
        SinPintar sinPintar;
        QCoreApplication::instance()->installEventFilter(&sinPintar);
        DialogosDeGrabacion dialogos(g);
        Conexion().InyectarFalla(Falla(Fin::ProgramaMuerto, saltar));
        g.Graba();
        ::_exit(0);
    }
    int estado = 0;
    while (::waitpid(hijo, &estado, 0) < 0) {
    }
    if (WIFEXITED(estado) && WEXITSTATUS(estado) == 0) return true;
    EXPECT_TRUE(WIFSIGNALED(estado) && WTERMSIG(estado) == SIGKILL) << "el programa terminó con " << estado;
    return false;
}

std::string Vistos(const DialogosDeGrabacion& dialogos) {
    QStringList vistos;
    for (const auto& m : dialogos.mensajes()) vistos << m.titulo + ": " + m.texto.left(160);
    return vistos.join(" / ").toStdString();
}

struct Sentencia {
    QString texto;
    bool enTransaccion;
};

bool Escribe(const QString& sql) {
    const QString s = sql.trimmed().toUpper();
    return s.startsWith("INSERT") || s.startsWith("UPDATE") || s.startsWith("DELETE") || s == "COMMIT";
}

// Where a save is ended. Refused: at every statement up to the end of its last transaction (a
// read repeated word for word outside a transaction, at its first time only) and the one after
// it, and at every write outside a transaction and the one after it. Without its link or killed:
// inside its transactions and at its writes, each with the statement after it (a read outside a
// transaction that loses its link is recovered as every read is, and a kill before it changes
// nothing that a kill before the next write would not).
QList<int> Posiciones(const QList<Sentencia>& s, Fin fin) {
    int ultima = -1;
    for (int i = 0; i < s.size(); ++i)
        if (s[i].enTransaccion) ultima = i;
    QSet<QString> leidas;
    QList<bool> cuenta(s.size(), false);
    for (int k = 0; k < s.size(); ++k) {
        if (s[k].enTransaccion || Escribe(s[k].texto))
            cuenta[k] = true;
        else if (fin == Fin::Rechazada && k <= ultima && !leidas.contains(s[k].texto))
            cuenta[k] = true;
        leidas.insert(s[k].texto);
    }
    QList<int> r;
    for (int i = 0; i < s.size(); ++i)
        if (cuenta[i] || (i > 0 && cuenta[i - 1])) r << i;
    return r;
}

class SaveEndedAtEachStatement : public ::testing::TestWithParam<std::tuple<FilaGrabacion, Fin>> {};

}  // namespace

// Each statement of the save in turn fails (refused, or with the link lost) or kills the
// program: every table it touches is as before or wholly saved, a save that wrote nothing said so,
// and the window keeps what the user typed for another try. A failure before the commit that the
// user was told of and gave up, a read's as a write's, leaves everything as before with that one
// message.
TEST_P(SaveEndedAtEachStatement, LeavesEveryTableAsBeforeOrWhollySavedAndNeverFailsSilently) {
    const auto [fila, fin] = GetParam();
    std::unique_ptr<Grabacion> g = fila.crea();
    g->Prepara();
    CopiaDeEmpresa copia(g->base());
    const QList<QStringList> antes = g->Estado();
    // The save once, whole, its statements observed.
    QList<Sentencia> sentencias;
    QList<QStringList> despues;
    {
        DialogosDeGrabacion dialogos(*g);
        Conexion().ObservarSentencias([&](const QString& sql, bool enTransaccion) {
            sentencias.append({sql, enTransaccion});
        });
        g->Graba();
        Conexion().ObservarSentencias({});
        ASSERT_EQ(dialogos.avisos(), 0) << dialogos.mensajes().value(0).texto.toStdString();
        ASSERT_TRUE(g->Guardada());
        despues = g->Estado();
        ASSERT_NE(despues, antes);
    }
    copia.Restaura();
    g->Prepara();
    const QList<int> posiciones = Posiciones(sentencias, fin);
    int commit = 0;
    while (commit < sentencias.size() && sentencias[commit].texto != "COMMIT") ++commit;
    for (const int i : posiciones) {
        SCOPED_TRACE("sentencia " + std::to_string(i) + ": " + sentencias[i].texto.left(80).toStdString());
        bool entera = false;
        if (fin == Fin::ProgramaMuerto) {
            entera = GrabaEnHijo(*g, i);
        } else {
            DialogosDeGrabacion dialogos(*g);
            Conexion().InyectarFalla(Falla(fin, i));
            g->Graba();
            entera = Conexion().hayFallas();
            Conexion().QuitarFallas();
            Reconecta();
            // Met before the commit and given up after its message, a read the save's checks
            // depend on as much as a write: nothing written, and that message the only one.
            if (!entera && dialogos.avisos() > 0 && i <= commit) {
                EXPECT_EQ(g->Estado(), antes) << Vistos(dialogos);
                EXPECT_EQ(dialogos.avisos(), 1) << Vistos(dialogos);
            }
            // Nothing written: the user was told why, and keeps what he typed.
            if (!entera && g->Estado() == antes) {
                const QStringList causas =
                    fin == Fin::Rechazada
                        ? QStringList{"No queda espacio en el disco"}
                        : QStringList{"Vínculo de comunicación perdido", "perdió el vínculo"};
                bool dicha = false;
                for (const auto& m : dialogos.mensajes())
                    for (const QString& causa : causas) dicha = dicha || m.texto.contains(causa);
                EXPECT_TRUE(dicha) << "nada grabado y nada dicho";
                EXPECT_TRUE(g->ConservaLoEscrito());
            }
        }
        const QList<QStringList> estado = g->Estado();
        // Never reached: the save ran whole.
        if (entera) {
            EXPECT_EQ(estado, despues);
        }
        if (estado != antes) {
            ASSERT_EQ(estado, despues);
            copia.Restaura();
            g->Prepara();
        }
    }
    EXPECT_GT(posiciones.size(), 1);
}

INSTANTIATE_TEST_SUITE_P(EverySave, SaveEndedAtEachStatement,
                         ::testing::Combine(::testing::ValuesIn(kGrabaciones),
                                            ::testing::Values(Fin::Rechazada, Fin::SinVinculo,
                                                              Fin::ProgramaMuerto)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).nombre) + "_" +
                                    Nombre(std::get<1>(info.param));
                         });

namespace {

class SaveWithASecondUser : public ::testing::TestWithParam<FilaGrabacion> {};

}  // namespace

// Between show and save a second program changes the same value, another value of the record,
// or deletes it: both changes are kept, or this save writes nothing and says so naming the record.
TEST_P(SaveWithASecondUser, KeepsBothChangesOrRefusesWithAWordNeverLosingOne) {
    std::unique_ptr<Grabacion> g = GetParam().crea();
    CopiaDeEmpresa copia(g->base());
    for (const Grabacion::Otro& otro : g->Otros()) {
        SCOPED_TRACE(otro.nombre);
        g->Prepara();
        g->base().ejecutar(otro.sql);
        const QList<QStringList> tras = g->Estado();
        DialogosDeGrabacion dialogos(*g);
        g->Graba();
        if (otro.seGuarda) {
            EXPECT_EQ(dialogos.avisos(), 0) << dialogos.mensajes().value(0).texto.toStdString();
            EXPECT_TRUE(g->Guardada());
            EXPECT_EQ(g->base().escalar(otro.consulta).toString(), otro.esperado);
        } else {
            ASSERT_EQ(dialogos.avisos(), 1);
            const auto& aviso = dialogos.mensajes().last();
            EXPECT_EQ(aviso.titulo, "Aviso al operador");
            EXPECT_TRUE(aviso.texto.contains(g->Registro()) && aviso.texto.contains("Otro usuario"))
                << aviso.texto.toStdString();
            EXPECT_EQ(g->Estado(), tras);
            EXPECT_TRUE(g->ConservaLoEscrito());
        }
        copia.Restaura();
    }
}

INSTANTIATE_TEST_SUITE_P(EverySave, SaveWithASecondUser, ::testing::ValuesIn(kGrabaciones),
                         [](const auto& info) { return std::string(info.param.nombre); });

namespace {

class SaveWaitingForAnotherProgram : public ::testing::TestWithParam<FilaGrabacion> {};

// Counts the presses of one key that reach any window.
class TeclasRecibidas : public QObject {
  public:
    explicit TeclasRecibidas(int tecla) : tecla_(tecla) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~TeclasRecibidas() override { QCoreApplication::instance()->removeEventFilter(this); }
    int veces = 0;

  protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == tecla_) ++veces;
        return false;
    }

  private:
    int tecla_;
};

}  // namespace

// Another program holds the company file's write lock when the save starts: while the save waits
// for it the window shows the busy cursor, a key typed meanwhile reaches neither the save nor the
// window after it, and once the lock is free the save goes through with the pointer back.
TEST_P(SaveWaitingForAnotherProgram, ShowsTheBusyCursorAndTakesNoKeyTypedMeanwhile) {
    std::unique_ptr<Grabacion> g = GetParam().crea();
    g->Prepara();
    sqlite3* otro = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(g->base().ruta()).constData(), &otro), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(otro, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    TeclasRecibidas teclas(Qt::Key_Z);
    QList<Qt::CursorShape> cursores;
    // The other program lets go as soon as the save is seen waiting: no test waits.
    ado::sqlite::AvisoDeEspera() = [&] {
        const QCursor* cursor = QApplication::overrideCursor();
        cursores << (cursor ? cursor->shape() : Qt::ArrowCursor);
        QWidget* foco = QApplication::focusWidget();
        QApplication::postEvent(foco ? foco : QApplication::activeWindow(),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, "Z"));
        sqlite3_exec(otro, "COMMIT", nullptr, nullptr, nullptr);
    };
    {
        DialogosDeGrabacion dialogos(*g);
        g->Graba();
        ado::sqlite::AvisoDeEspera() = nullptr;
        QApplication::processEvents();
        EXPECT_EQ(dialogos.avisos(), 0) << dialogos.mensajes().value(0).texto.toStdString();
    }
    sqlite3_close(otro);
    ASSERT_FALSE(cursores.isEmpty()) << "la grabación no esperó";
    for (const Qt::CursorShape c : cursores) EXPECT_EQ(c, Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(teclas.veces, 0);
    EXPECT_TRUE(g->Guardada());
}

INSTANTIATE_TEST_SUITE_P(EverySave, SaveWaitingForAnotherProgram, ::testing::ValuesIn(kGrabaciones),
                         [](const auto& info) { return std::string(info.param.nombre); });

namespace {

class SaveOnAFileReplacedByACopy : public ::testing::TestWithParam<FilaGrabacion> {};

}  // namespace

// The company file replaced by a copy of itself while the window is open, as a restore puts it
// back: the save meets the lost link. Told of it and given up ("Anular"), whether at a read of its
// checks or at a write, the user hears of it once, never of the object left closed behind it, and
// nothing reaches the copy; a link that came back without a word, as a statement's does, saves
// on the copy, which is the company now.
TEST_P(SaveOnAFileReplacedByACopy, GivenUpItSaysSoOnce) {
    std::unique_ptr<Grabacion> g = GetParam().crea();
    g->Prepara();
    const QList<QStringList> antes = g->Estado();
    const QString ruta = g->base().ruta();
    ASSERT_TRUE(QFile::rename(ruta, ruta + ".anterior"));
    ASSERT_TRUE(QFile::copy(ruta + ".anterior", ruta));
    DialogosDeGrabacion dialogos(*g);
    g->Graba();
    EXPECT_LE(dialogos.avisos(), 1) << Vistos(dialogos);
    for (const auto& m : dialogos.mensajes())
        EXPECT_FALSE(m.texto.contains("3704") || m.texto.contains("objeto está cerrado"))
            << m.texto.toStdString();
    if (dialogos.avisos() > 0)
        EXPECT_EQ(g->Estado(), antes) << Vistos(dialogos);
    else
        EXPECT_TRUE(g->Guardada());
    QFile::remove(ruta + ".anterior");
}

INSTANTIATE_TEST_SUITE_P(EverySave, SaveOnAFileReplacedByACopy, ::testing::ValuesIn(kGrabaciones),
                         [](const auto& info) { return std::string(info.param.nombre); });
