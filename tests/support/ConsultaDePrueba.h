#pragma once
// A lookup test: the program in a folder of its own, the demo company (plus the test's SQL) open
// on the shared database object, a fresh shared lookup object, and scripted dialogs.
#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "lookup/Lib_ClsCons3.h"
#include "lookup/Lib_FrmCons3.h"
#include "support/AbrirComo.h"
#include "support/BaseDePrueba.h"
#include "support/DialogosGuionados.h"
#include "support/ProgramaDePrueba.h"

#include <gtest/gtest.h>
#include <functional>

class ConsultaDePrueba : public ::testing::Test {
  protected:
    explicit ConsultaDePrueba(QStringList sqlExtra = {}) : base_(true, std::move(sqlExtra)) {}

    void SetUp() override {
        ASSERT_TRUE(base_.valida()) << base_.error().toStdString();
        ASSERT_TRUE(AbrirComo(base_));
        ReiniciarConsulta();
        gConsulta().gUsarMascarasConsultas = true;
        gConsulta().gRutaMascaraConsultas = programa_.filePath("consultas.qnl");
    }
    void TearDown() override { ReiniciarConsulta(); }

    // The list window the next lookup shows: `accion` plays the user on it, then it is cancelled
    // if the user left it open.
    void AlMostrar(std::function<void(Lib_FrmCons3&)> accion) {
        guion_.esperarModal([accion](QWidget* w) {
            auto* v = qobject_cast<Lib_FrmCons3*>(w);
            ASSERT_NE(v, nullptr);
            accion(*v);
            if (v->isVisible()) v->CmdCancelar_Click();
        });
    }

    ProgramaDePrueba programa_;
    BaseDePrueba base_;
    DialogosGuionados guion_;
};
