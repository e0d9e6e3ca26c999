// The audit rows and the access log name the machine's user as the operating system knows the
// process's user, whatever the environment says.
#include "services/CNStuffContable.h"

#include "data/EntornoDB_Dll.h"
#include "support/DialogosGuionados.h"
#include "support/UsuarioDelSistema.h"

#include <gtest/gtest.h>
#include <functional>
#include <optional>

namespace {

class MachineUser : public EntornoDB_Dll {
  protected:
    void SetUp() override {
        EntornoDB_Dll::SetUp();
        if (HasFatalFailure()) return;
        DialogosGuionados sinPreguntas;
        ASSERT_TRUE(abrirComo("OPERADOR"));
    }
    void TearDown() override {
        CNStuffContable::gCamposValores.clear();
        restaurar("USER", user_);
        restaurar("LOGNAME", logname_);
        EntornoDB_Dll::TearDown();
    }
    static void restaurar(const char* variable, const QByteArray& valor) {
        if (valor.isNull())
            qunsetenv(variable);
        else
            qputenv(variable, valor);
    }

    const QByteArray user_ = qgetenv("USER"), logname_ = qgetenv("LOGNAME");
};

TEST_F(MachineUser, IsTheSystemsNameForTheProcessInEveryRowThatNamesIt) {
    struct Escritor {
        const char* que;
        std::function<void()> escribir;
        QString leer;  // the user column of the row written
    };
    const QList<Escritor> escritores{
        {"audit row",
         [] { CNStuffContable::RegistraAccionComprobante("FC", "1", "0", false, true, false, "x"); },
         "SELECT Usuario FROM V_MV_CPTEACCIONES ORDER BY ID DESC LIMIT 1"},
        {"access log", [] { CNStuffContable::ControlAcceso(); },
         "SELECT Usuario FROM Control_Acceso ORDER BY ID DESC LIMIT 1"},
    };
    const QString sistema = UsuarioDelSistema();
    ASSERT_FALSE(sistema.isEmpty());
    for (const std::optional<QByteArray>& entorno :
         {std::optional<QByteArray>("ADMIN"), std::optional<QByteArray>()}) {
        if (entorno) {
            qputenv("USER", *entorno);
            qputenv("LOGNAME", *entorno);
        } else {
            qunsetenv("USER");
            qunsetenv("LOGNAME");
        }
        for (const Escritor& e : escritores) {
            SCOPED_TRACE(std::string(e.que) + (entorno ? " with USER=ADMIN" : " with no USER"));
            DialogosGuionados guion;
            e.escribir();
            EXPECT_EQ(base_.escalar(e.leer).toString().compare(sistema, Qt::CaseInsensitive), 0)
                << base_.escalar(e.leer).toString().toStdString();
        }
    }
}

}  // namespace
