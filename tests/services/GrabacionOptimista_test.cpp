// The optimistic save's check: what another connection did between show and save, told for one
// record and for a set of rows, read through the user's own view, and said in one message.
#include "services/GrabacionOptimista.h"

#include "data/EntornoDB_Dll.h"
#include "outside/ado/Connection.h"
#include "outside/ado/Transaccion.h"
#include "support/DialogosGuionados.h"

#include <gtest/gtest.h>

namespace {

using Estado = GrabacionOptimista::Estado;

class OptimisticSave : public EntornoDB_Dll {
  protected:
    OptimisticSave()
        : EntornoDB_Dll({"UPDATE MA_CUENTAS SET TITULO = NULL WHERE CODIGO = '1'",
                         "INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE) VALUES "
                         "('1', '01', 60), ('1', '02', 40), ('2', '01', 100)"}) {}

    void Abrir(const QString& usuario) {
        DialogosGuionados sinPreguntas;
        ASSERT_TRUE(abrirComo(usuario));
        otro_ = ado::Connection::Crear();
        otro_->Open(db().gCnn->ConnectionString());
    }
    // Another program on the same company file.
    void Otro(const QString& sql) { otro_->Execute(sql); }

    // The account as the chart shows it.
    static GrabacionOptimista Cuenta(const QString& codigo) {
        return GrabacionOptimista({"la cuenta " + codigo,
                                   "MA_CUENTAS",
                                   "CODIGO = '" + codigo + "'",
                                   {},
                                   "DADA_DE_BAJA",
                                   {},
                                   {{"DESCRIPCION", "Descripción"}}});
    }
    // An account's cost-centre distribution.
    static GrabacionOptimista Distribucion(const QString& codigo) {
        return GrabacionOptimista({"la distribución de la cuenta " + codigo,
                                   "MA_CUENTASCCOSTO",
                                   "CODIGO = '" + codigo + "'",
                                   {"CCOSTO"},
                                   {},
                                   "SELECT CODIGO FROM MA_CUENTAS WHERE CODIGO = '" + codigo + "'",
                                   {{"PORCENTAJE", "Porcentaje"}},
                                   [](const QString& cc) { return "el centro de costo " + cc; }});
    }

    // The check as a save runs it: inside its transaction, which it leaves as it found it.
    GrabacionOptimista::Veredicto Comprueba(GrabacionOptimista& g, const QStringList& columnas) {
        ado::Transaccion t(db().gCnn);
        const auto v = g.Comprueba(columnas);
        t.Deshacer();
        return v;
    }

    ado::ConnectionPtr otro_;
};

}  // namespace

TEST_F(OptimisticSave, OneRecordTellsOnlyTheColumnsThisSaveWritesThatSomeoneElseChanged) {
    Abrir("ADMIN");
    GrabacionOptimista g = Cuenta("1");
    g.RecuerdaGuardado();
    ASSERT_FALSE(g.EsNuevo());
    EXPECT_EQ(Comprueba(g, {"DESCRIPCION"}).estado, Estado::Libre);

    // Another column changed elsewhere is no concern of this save.
    Otro("UPDATE MA_CUENTAS SET CODIGOOPCIONAL = 'X1' WHERE CODIGO = '1'");
    EXPECT_EQ(Comprueba(g, {"DESCRIPCION"}).estado, Estado::Libre);

    Otro("UPDATE MA_CUENTAS SET DESCRIPCION = 'CAJA B' WHERE CODIGO = '1'");
    const auto v = Comprueba(g, {"DESCRIPCION", "CODIGOOPCIONAL"});
    EXPECT_EQ(v.estado, Estado::Cambiado);
    EXPECT_EQ(v.columnas, (QStringList{"DESCRIPCION", "CODIGOOPCIONAL"}));
    EXPECT_EQ(g.Mensaje(v, "Presione Grabar otra vez."),
              "Otro usuario cambió el campo Descripción y el campo CODIGOOPCIONAL de la cuenta 1 antes de "
              "que usted grabara.\r\nNo se grabó nada. Presione Grabar otra vez.");

    // Once the user has been told, what is stored is what he overwrites knowingly.
    g.AceptaGuardado();
    EXPECT_EQ(Comprueba(g, {"DESCRIPCION"}).estado, Estado::Libre);
    // A committed save is what the next one compares with.
    g.Confirmado({{"descripcion", "CAJA A"}});
    Otro("UPDATE MA_CUENTAS SET DESCRIPCION = 'CAJA A' WHERE CODIGO = '1'");
    EXPECT_EQ(Comprueba(g, {"DESCRIPCION"}).estado, Estado::Libre);
}

TEST_F(OptimisticSave, ANewRecordIsTakenWhenAnyAccountHoldsItsKeyEvenOneHiddenFromTheUser) {
    Abrir("OPERADOR");
    GrabacionOptimista g = Cuenta("3");
    g.RecuerdaNuevo();
    ASSERT_TRUE(g.EsNuevo());
    EXPECT_EQ(Comprueba(g, {"DESCRIPCION"}).estado, Estado::Libre);
    Otro("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('3', 'DE OTRO')");
    const auto v = Comprueba(g, {"DESCRIPCION"});
    EXPECT_EQ(v.estado, Estado::Tomado);
    EXPECT_EQ(g.Mensaje(v), "Otro usuario grabó la cuenta 3 antes que usted.\r\nNo se grabó nada.");

    // The confidential account's code is taken for him too, though he reads nothing of it.
    GrabacionOptimista oculta = Cuenta("9");
    oculta.RecuerdaGuardado();
    EXPECT_TRUE(oculta.EsNuevo());
    EXPECT_EQ(Comprueba(oculta, {"DESCRIPCION"}).estado, Estado::Tomado);
}

TEST_F(OptimisticSave, ARecordDeletedDadaDeBajaOrHiddenSinceItWasShownIsGone) {
    Abrir("OPERADOR");
    GrabacionOptimista borrada = Cuenta("1"), baja = Cuenta("2");
    borrada.RecuerdaGuardado();
    baja.RecuerdaGuardado();
    Otro("DELETE FROM MA_CUENTAS WHERE CODIGO = '1'");
    Otro("UPDATE MA_CUENTAS SET DADA_DE_BAJA = 1 WHERE CODIGO = '2'");
    const auto v = Comprueba(borrada, {"DESCRIPCION"});
    EXPECT_EQ(v.estado, Estado::Borrado);
    EXPECT_EQ(borrada.Mensaje(v),
              "Otro usuario borró la cuenta 1 antes de que usted grabara.\r\nNo se grabó nada.");
    EXPECT_EQ(Comprueba(baja, {"DESCRIPCION"}).estado, Estado::Borrado);

    // Made confidential: his own view no longer reads it, so for him it is gone.
    Otro("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('4', 'VISIBLE')");
    GrabacionOptimista oculta = Cuenta("4");
    oculta.RecuerdaGuardado();
    ASSERT_FALSE(oculta.EsNuevo());
    Otro("UPDATE MA_CUENTAS SET CONFIDENCIAL = 1 WHERE CODIGO = '4'");
    EXPECT_EQ(Comprueba(oculta, {"DESCRIPCION"}).estado, Estado::Borrado);
}

TEST_F(OptimisticSave, TheCheckChangesNothingStoredThroughTheUsersView) {
    Abrir("OPERADOR");
    GrabacionOptimista g = Cuenta("1");
    g.RecuerdaGuardado();
    {
        ado::Transaccion t(db().gCnn);
        EXPECT_EQ(g.Comprueba({"DESCRIPCION"}).estado, Estado::Libre);
        t.Confirmar();
    }
    EXPECT_TRUE(base_.escalar("SELECT TITULO FROM MA_CUENTAS WHERE CODIGO = '1'").isNull());
}

TEST_F(OptimisticSave, ASetTellsRowsChangedAddedAndRemovedAndAccountsOutOfReach) {
    Abrir("OPERADOR");
    GrabacionOptimista g = Distribucion("1");
    g.RecuerdaGuardado();
    ASSERT_TRUE(g.FilaMostrada("01"));
    EXPECT_EQ(g.Mostrado("PORCENTAJE", "02").toDouble(), 40.0);
    EXPECT_EQ(Comprueba(g, {"PORCENTAJE"}).estado, Estado::Libre);

    Otro("UPDATE MA_CUENTASCCOSTO SET PORCENTAJE = 30 WHERE CODIGO = '1' AND CCOSTO = '02'");
    Otro("INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE) VALUES ('1', '03', 10)");
    Otro("DELETE FROM MA_CUENTASCCOSTO WHERE CODIGO = '1' AND CCOSTO = '01'");
    auto v = Comprueba(g, {"PORCENTAJE"});
    EXPECT_EQ(v.estado, Estado::Cambiado);
    v.columnas.sort();
    EXPECT_EQ(v.columnas, (QStringList{"01/", "02/PORCENTAJE", "03/"}));
    EXPECT_TRUE(g.Mensaje(v).contains("el campo Porcentaje en el centro de costo 02"))
        << g.Mensaje(v).toStdString();
    EXPECT_TRUE(g.Mensaje(v).contains("de la distribución de la cuenta 1")) << g.Mensaje(v).toStdString();

    // Only some rows: the others may change freely, and a row the window adds must still be free.
    GrabacionOptimista meses = Distribucion("1");
    meses.RecuerdaGuardado();
    Otro("UPDATE MA_CUENTASCCOSTO SET PORCENTAJE = 35 WHERE CODIGO = '1' AND CCOSTO = '02'");
    {
        ado::Transaccion t(db().gCnn);
        EXPECT_EQ(meses.CompruebaFilas({{"03", {"PORCENTAJE"}}}).estado, Estado::Libre);
        EXPECT_EQ(meses.CompruebaFilas({{"04", {"PORCENTAJE"}}}).estado, Estado::Libre);
    }
    Otro("INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE) VALUES ('1', '04', 5)");
    {
        ado::Transaccion t(db().gCnn);
        EXPECT_EQ(meses.CompruebaFilas({{"04", {"PORCENTAJE"}}}).columnas, QStringList{"04/"});
    }

    // A window that keeps its numbers as doubles compares them as numbers with what is stored.
    GrabacionOptimista doble = Distribucion("1");
    doble.RecuerdaFilas({{{"CCOSTO", "02"}, {"PORCENTAJE", 35.0}},
                         {{"CCOSTO", "03"}, {"PORCENTAJE", 10.0}},
                         {{"CCOSTO", "04"}, {"PORCENTAJE", 5.0}}});
    EXPECT_EQ(Comprueba(doble, {"PORCENTAJE"}).estado, Estado::Libre);

    // The account behind the set hidden from him: the whole record is out of reach.
    GrabacionOptimista otra = Distribucion("2");
    otra.RecuerdaGuardado();
    Otro("UPDATE MA_CUENTAS SET CONFIDENCIAL = 1 WHERE CODIGO = '2'");
    EXPECT_EQ(Comprueba(otra, {"PORCENTAJE"}).estado, Estado::Borrado);
}

TEST_F(OptimisticSave, WhatTheUserChangedOnScreenAndTheOneMessageBox) {
    Abrir("ADMIN");
    GrabacionOptimista g = Cuenta("1");
    g.RecuerdaGuardado();
    g.RecuerdaEnPantalla({{"Descripcion", "CAJA"}, {"DV", "3"}});
    EXPECT_EQ(g.Cambiados({{"DESCRIPCION", "CAJA"}, {"DV", "3"}}), QStringList{});
    EXPECT_EQ(g.Cambiados({{"DESCRIPCION", "CAJA "}, {"DV", "3"}, {"MONEDA", "1"}}),
              (QStringList{"DESCRIPCION", "MONEDA"}));

    DialogosGuionados guion;
    g.Avisa({});
    guion.esperarMsgBox(vb::vbOK);
    Otro("DELETE FROM MA_CUENTAS WHERE CODIGO = '1'");
    g.Avisa(Comprueba(g, {"DESCRIPCION"}), "Lo escrito sigue en pantalla.");
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_EQ(guion.preguntas()[0],
              (Pregunta{"Otro usuario borró la cuenta 1 antes de que usted grabara.\r\nNo se grabó nada. Lo "
                        "escrito sigue en pantalla.",
                        "Aviso al operador", vb::vbExclamation}));
}
