#pragma once
// A second chart window on the company of a CuentasDePrueba, on its own connection, as a second
// program: while one of its turns lasts, the keys and statements are its own.
#include "accounts/CuentasDePrueba.h"
#include "data/DB_Dll.h"
#include "outside/controls/UtilVex.h"
#include "services/CNStuffContable.h"
#include "support/Control.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

// A second chart window on the same company, on its own connection, as a second program.
class OtroUsuario {
  public:
    explicit OtroUsuario(CuentasDePrueba& c) : c_(c) {
        DB_Dll& db = CNStuffContable::gBaseDatos();
        propia_ = ado::Connection::Crear();
        propia_->Open(db.gCnn->ConnectionString());
        Turno turno(*this);
        ventana_.Form_Load();
        ventana_.show();
    }
    FrmMA_CUENTAS& f() { return ventana_; }

    // While alive, the keys and statements are this user's.
    class Turno {
      public:
        explicit Turno(OtroUsuario& u) : u_(u) {
            std::swap(CNStuffContable::gBaseDatos().gCnn, u_.propia_);
            QApplication::setActiveWindow(&u_.ventana_);
        }
        ~Turno() {
            std::swap(CNStuffContable::gBaseDatos().gCnn, u_.propia_);
            QApplication::setActiveWindow(&u_.c_.f());
        }

      private:
        OtroUsuario& u_;
    };

    void Teclear(QWidget* caja, const QString& texto) {
        caja->setFocus();
        if (auto* t = qobject_cast<QLineEdit*>(caja)) t->selectAll();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        for (QChar ch : texto) QTest::keyClicks(QApplication::focusWidget(), QString(ch));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
    }
    void Boton(const QString& accion) {
        QTest::mouseClick(Control<UtilVex>(ventana_, "UtilVex1")->Boton(accion), Qt::LeftButton);
        QApplication::processEvents();
    }
    void Grabar() { Boton("GRABAR"); }

  private:
    CuentasDePrueba& c_;
    ado::ConnectionPtr propia_;
    FrmMA_CUENTAS ventana_;
};
