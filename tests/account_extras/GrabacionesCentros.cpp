#include "account_extras/GrabacionesCentros.h"

#include "account_extras/Frmta_asigccosto.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/UtilVex.h"
#include "support/AbrirComo.h"
#include "support/Control.h"
#include "support/ProgramaDePrueba.h"
#include "support/Teclado.h"

#include <QApplication>
#include <QTest>
#include <QToolButton>
#include <memory>

namespace grabaciones {

namespace {

constexpr const char* kCuenta = "51010100101";  // 111 60 / 21 40 in general, other splits per unit

// The account's distribution opened from a menu on the demo company, changed to 50/50 with
// "General" shown: the save rewrites the general rows and the unit "Gene"'s.
class Distribucion : public Grabacion {
  public:
    Distribucion() : base_(true) { AbrirComo(base_); }
    BaseDePrueba& base() override { return base_; }
    // The form opened anew from a menu, as a user who starts over.
    void Prepara() override {
        f_ = std::make_unique<Frmta_asigccosto>();
        f_->setAttribute(Qt::WA_DeleteOnClose, false);
        f_->Mostrar(true);
        teclado::Activa(f_.get());
        teclado::Clic(Control<vb::CajaTexto>(*f_, "txtCuenta", 0));
        teclado::Teclea(kCuenta);
        teclado::Tecla(Qt::Key_Return);
        // The editor is open on the first centre: Enter keeps it and goes on to its percentage.
        for (const char* texto : {"", "50", "", "50"}) {
            if (*texto) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ShiftModifier);
                teclado::Teclea(texto);
            }
            teclado::Tecla(Qt::Key_Return);
        }
    }
    void Graba() override {
        teclado::Activa(f_.get());
        Boton("GRABAR");
    }
    QList<QStringList> Estado() override {
        const QString k = "'" + QString(kCuenta) + "'";
        QList<QStringList> e{{"MA_CUENTASCCOSTO"}};
        e += base_.filas(
            "SELECT CCOSTO, PORCENTAJE, PideConfirmacion, VariablePorUD FROM MA_CUENTASCCOSTO WHERE "
            "CODIGO = " +
            k + " ORDER BY CCOSTO");
        e << QStringList{"MA_CUENTASCCOSTO_UNEG"};
        e +=
            base_.filas("SELECT UNEGOCIO, CCOSTO, PORCENTAJE FROM MA_CUENTASCCOSTO_UNEG WHERE CODIGO = " + k +
                        " ORDER BY UNEGOCIO, CCOSTO");
        return e;
    }
    bool ConservaLoEscrito() override {
        auto* g = Control<vb::FlexGrid>(*f_, "FGCCosto");
        return Control<vb::CajaTexto>(*f_, "txtCuenta", 0)->text() == kCuenta &&
               g->TextMatrix(1, 3) == "50" && g->TextMatrix(2, 3) == "50";
    }
    QString Registro() override { return kCuenta; }
    bool Guardada() override {
        return base_.filas("SELECT CCOSTO, printf('%g', PORCENTAJE) FROM MA_CUENTASCCOSTO WHERE CODIGO = '" +
                           QString(kCuenta) + "' ORDER BY CCOSTO") ==
               QList<QStringList>{{"111", "50"}, {"21", "50"}};
    }
    QList<Otro> Otros() override {
        const QString cuenta = "CODIGO = '" + QString(kCuenta) + "'";
        return {
            {"mismo valor",
             "UPDATE MA_CUENTASCCOSTO SET PORCENTAJE = 45 WHERE " + cuenta + " AND CCOSTO = '111'", false},
            {"otro valor",
             "UPDATE MA_CUENTASCCOSTO_UNEG SET PORCENTAJE = 45 WHERE " + cuenta +
                 " AND UNEGOCIO = '   2' AND "
                 "CCOSTO = '12'",
             true,
             "SELECT CAST(PORCENTAJE AS INT) FROM MA_CUENTASCCOSTO_UNEG WHERE " + cuenta +
                 " AND UNEGOCIO = '   2' AND CCOSTO = '12'",
             "45"},
            {"borrada", "DELETE FROM MA_CUENTASCCOSTO WHERE " + cuenta, false}};
    }

  private:
    void Boton(const QString& accion) {
        QTest::mouseClick(Control<UtilVex>(*f_, "UtilVex1")->Boton(accion), Qt::LeftButton);
    }
    ProgramaDePrueba programa_;
    BaseDePrueba base_;
    std::unique_ptr<Frmta_asigccosto> f_;
};

}  // namespace

std::unique_ptr<Grabacion> DistribucionDeCentros() {
    return std::make_unique<Distribucion>();
}

}  // namespace grabaciones
