#pragma once
// A company database with the journal tables, opened as ADMIN through the shared database object,
// and a rules object created on it. Period 2024; accounts 1 and 2 and confidential 9 of the
// database fixture, plus the test's own rows.
#include "journal/Lbc_Asiento.h"
#include "services/CNStuffContable.h"
#include "support/DialogosGuionados.h"

#include "data/EntornoDB_Dll.h"

#include <memory>

class EntornoAsientos : public EntornoDB_Dll {
  protected:
    explicit EntornoAsientos(QStringList extra = {})
        : EntornoDB_Dll(
              QStringList{"INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PERIODO', '2024')"} + extra) {
    }

    void SetUp() override {
        EntornoDB_Dll::SetUp();
        if (HasFatalFailure()) return;  // no database: nothing may try to open one (and ask)
        CNStuffContable::gTablaConfiguracion.clear();
        ASSERT_TRUE(abrirComo("ADMIN"));
        asiento_ = std::make_unique<Lbc_Asiento>();
    }

    // An injected failure of the statements that contain `contiene`, `veces` times.
    void fallar(const QString& contiene, int veces = 1) {
        ado::FallaInyectada f;
        f.contiene = contiene;
        f.veces = veces;
        f.error.Number = -2147217900;
        f.error.Description = "Falla inyectada";
        db().gCnn->InyectarFalla(f);
    }

    // The titles of the dialogs shown, one line each.
    static QStringList titulos(const DialogosGuionados& g) {
        QStringList t;
        for (const Pregunta& p : g.preguntas()) t << p.titulo;
        return t;
    }

    Lbc_Asiento& a() { return *asiento_; }
    std::unique_ptr<Lbc_Asiento> asiento_;
};
