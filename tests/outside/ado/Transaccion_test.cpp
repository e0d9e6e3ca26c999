#include "outside/ado/Transaccion.h"

#include <gtest/gtest.h>

#include "outside/ado/BaseTemporal.h"
#include "outside/ado/Recordset.h"
#include "support/ConexionCaida.h"
#include "support/ImprimeQt.h"

using namespace ado;

namespace {

const char* kEsquema = R"(
CREATE TABLE MA_MONEDA (Codigo varchar(4) NOT NULL PRIMARY KEY, Nombre varchar(40) NOT NULL);
INSERT INTO MA_MONEDA VALUES ('PES', 'Peso');
)";

int monedas(const BaseTemporal& b) {
    return b.leer("SELECT count(*) FROM MA_MONEDA").toInt();
}

}  // namespace

// The session drops inside the transaction: the server has undone it, the connection does not
// reopen until the owner has ended it, and the commit says so instead of reporting success.
TEST(Transaccion, ALostSessionIsNeverCommittedNorCarriedOntoANewOne) {
    BaseTemporal base(kEsquema);
    auto cn = base.abrir();
    cn->InyectarFalla(ConexionCaida("EUR"));
    auto t = std::make_unique<Transaccion>(cn);
    EXPECT_EQ(numeroDe([&] { Transaccion otra(cn); }), kErrTransaccionAbierta);
    cn->Execute("INSERT INTO MA_MONEDA VALUES ('DOL', 'Dólar')");
    EXPECT_EQ(numeroDe([&] { cn->Execute("INSERT INTO MA_MONEDA VALUES ('EUR', 'Euro')"); }),
              kErrNoEspecificado);
    EXPECT_TRUE(t->Perdida());
    EXPECT_EQ(numeroDe([&] { cn->Open(); }), kErrTransaccionPerdida);
    // A later statement meets the dead link as the server reports it (native error 11).
    auto rs = Recordset::Crear();
    EXPECT_EQ(numeroDe([&] { rs->Open("SELECT * FROM MA_MONEDA", cn); }), kErrConexionInvalida);
    EXPECT_EQ(cn->errores().Item(0).NativeError, kNativoConexionPerdida);
    EXPECT_EQ(numeroDe([&] { t->Confirmar(); }), kErrTransaccionPerdida);
    EXPECT_FALSE(cn->EnTransaccion());
    cn->Open();
    t.reset();
    EXPECT_EQ(monedas(base), 1);

    // The engine undoes a transaction on its own: nothing more is written outside it.
    Transaccion u(cn);
    cn->Execute("INSERT INTO MA_MONEDA VALUES ('DOL', 'Dólar')");
    cn->Execute("ROLLBACK TRANSACTION");
    EXPECT_TRUE(u.Perdida());
    EXPECT_EQ(numeroDe([&] { cn->Execute("INSERT INTO MA_MONEDA VALUES ('EUR', 'Euro')"); }),
              kErrTransaccionPerdida);
    EXPECT_EQ(numeroDe([&] { u.Confirmar(); }), kErrTransaccionPerdida);
    EXPECT_EQ(monedas(base), 1);
    Transaccion v(cn);  // the connection is free again
    v.Confirmar();
}
