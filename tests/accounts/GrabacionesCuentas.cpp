#include "accounts/GrabacionesCuentas.h"

#include "accounts/CuentasDePrueba.h"
#include "accounts/frmMa_ManualCuentas.h"
#include "outside/controls/CajaTexto.h"
#include "outside/runtime/Dialogos.h"
#include "support/Control.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTest>

namespace grabaciones {

namespace {

// One account of the demo company in the chart window, and every row a save of it may touch.
class EnElPlan : public Grabacion {
  public:
    EnElPlan(QString codigo, QStringList sql = {}) : c_(std::move(sql)), codigo_(std::move(codigo)) {
        c_.Iniciar();
    }
    BaseDePrueba& base() override { return c_.base(); }
    QString Registro() override { return codigo_; }
    QList<QStringList> Estado() override {
        const QString k = "'" + codigo_ + "'";
        QList<QStringList> e;
        const auto tabla = [&](const QString& nombre, const QString& sql) {
            e << QStringList{nombre};
            e += c_.base().filas(sql);
        };
        tabla("MA_CUENTAS", "SELECT * FROM MA_CUENTAS WHERE CODIGO = " + k);
        tabla("MV_CPTEACCIONES",
              "SELECT Tipo_accion, SYSTEMUSER FROM MV_CPTEACCIONES WHERE SYSTEMUSER LIKE '" + codigo_ +
                  " %' ORDER BY ID");
        tabla("MA_CUENTASADIC", "SELECT * FROM MA_CUENTASADIC WHERE CODIGO = " + k);
        tabla("MA_CUENTAS_USUARIOS", "SELECT * FROM MA_CUENTAS_USUARIOS WHERE CUENTA = " + k + " ORDER BY 1");
        tabla("MA_CUENTASCCOSTO", "SELECT * FROM MA_CUENTASCCOSTO WHERE CODIGO = " + k + " ORDER BY CCOSTO");
        tabla("MA_CUENTASCCOSTO_UNEG",
              "SELECT * FROM MA_CUENTASCCOSTO_UNEG WHERE CODIGO = " + k + " ORDER BY CCOSTO, UNEGOCIO");
        tabla("MA_CASH-DETALLE",
              "SELECT CODIGO_CASH, DESCRIPCION FROM [MA_CASH-DETALLE] WHERE CUENTA = " + k + " ORDER BY ID");
        tabla("TA_CONFIGURACION", "SELECT CLAVE, VALOR FROM TA_CONFIGURACION WHERE CLAVE IN ('CTA_RET_OTRA_" +
                                      codigo_ + "', 'CTASOLICITUDCREDITO') ORDER BY CLAVE");
        return e;
    }
    int Responde(const QString& texto) override {
        if (texto.startsWith("Confirma la baja de esta cuenta? ") || texto.endsWith("Acepta???"))
            return vb::vbYes;
        if (texto.contains("¿Desea Actualizar los datos adicionales?")) return vb::vbNo;
        return 0;
    }

  protected:
    QString Guardado(const QString& columna) { return c_.Guardado(codigo_, columna); }
    QString Descripcion() { return Control<vb::CajaTexto>(c_.f(), "txtFields", 0)->text(); }
    QString Actualiza(const QString& asignacion) {
        return "UPDATE MA_CUENTAS SET " + asignacion + " WHERE CODIGO = '" + codigo_ + "'";
    }
    CuentasDePrueba c_;
    QString codigo_;
};

// A new postable account with cost centres and a withholding payment means, as a user types it.
class Nueva : public EnElPlan {
  public:
    Nueva() : EnElPlan("11030100124") {}
    void Prepara() override {
        c_.EscribirCodigo(codigo_);
        c_.EscribirCampo(0, "NUEVA DE A");
        QCheckBox* cc = Control<QCheckBox>(c_.f(), "chkCCostos");
        cc->setEnabled(true);
        if (!cc->isChecked()) QTest::mouseClick(cc, Qt::LeftButton, {}, QPoint(4, 4));
        Control<QComboBox>(c_.f(), "CmbMP")->setCurrentIndex(10);
    }
    void Graba() override { c_.Boton("GRABAR"); }
    bool ConservaLoEscrito() override {
        return c_.f().CuentaNueva() && Descripcion() == "NUEVA DE A" &&
               Control<QCheckBox>(c_.f(), "chkCCostos")->isChecked() &&
               Control<QComboBox>(c_.f(), "CmbMP")->currentIndex() == 10;
    }
    QList<Otro> Otros() override {
        return {{"código tomado",
                 "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO) VALUES ('" + codigo_ +
                     "', 'NUEVA DE B', 0)",
                 false}};
    }
    bool Guardada() override { return Guardado("DESCRIPCION") == "NUEVA DE A"; }
};

// A stored account whose description the user changes.
class Modificada : public EnElPlan {
  public:
    Modificada() : EnElPlan("11010100201") {}
    void Prepara() override {
        c_.EscribirCodigo(codigo_);
        c_.EscribirCampo(0, "FONDO FIJO ADMINISTRACION X");
    }
    void Graba() override { c_.Boton("GRABAR"); }
    bool ConservaLoEscrito() override {
        return c_.f().CuentaGuardada() && Descripcion() == "FONDO FIJO ADMINISTRACION X";
    }
    QList<Otro> Otros() override {
        return {{"mismo valor", Actualiza("DESCRIPCION = 'DE OTRO'"), false},
                {"otro valor", Actualiza("CODIGOOPCIONAL = 'OT1'"), true,
                 "SELECT CODIGOOPCIONAL FROM MA_CUENTAS WHERE CODIGO = '" + codigo_ + "'", "OT1"},
                {"borrada", "DELETE FROM MA_CUENTAS WHERE CODIGO = '" + codigo_ + "'", false}};
    }
    bool Guardada() override { return Guardado("DESCRIPCION") == "FONDO FIJO ADMINISTRACION X"; }
};

// A delete that removes the account with everything of its own: cash-flow lines, additional
// data, user groups, cost centres and its withholding setting.
class Borrada : public EnElPlan {
  public:
    Borrada()
        : EnElPlan(
              "11010100104",
              {"INSERT OR IGNORE INTO MA_CUENTASADIC (CODIGO, CONTACTO) VALUES ('11010100104', 'ANA')",
               "INSERT OR IGNORE INTO MA_CUENTAS_USUARIOS (GRUPOUSER, CUENTA) VALUES "
               "('ADMINISTRADORES', '11010100104'), ('OPERADORES', '11010100104')",
               "INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE) VALUES ('11010100104', '01', 100)",
               "INSERT INTO MA_CUENTASCCOSTO_UNEG (CODIGO, CCOSTO, UNEGOCIO, PORCENTAJE) VALUES "
               "('11010100104', '01', '   1', 100)",
               "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, GRUPO) VALUES "
               "('CTA_RET_OTRA_11010100104', 'SU', 'DATOS')"}) {}
    void Prepara() override { c_.EscribirCodigo(codigo_); }
    void Graba() override { c_.Boton("BORRAR"); }
    bool ConservaLoEscrito() override { return c_.f().CuentaGuardada(); }
    QList<Otro> Otros() override {
        return {{"otro valor", Actualiza("CODIGOOPCIONAL = 'OT1'"), false},
                {"borrada",
                 "DELETE FROM [MA_CASH-DETALLE] WHERE CUENTA = '" + codigo_ +
                     "'; DELETE FROM MA_CUENTAS WHERE CODIGO = '" + codigo_ + "'",
                 false}};
    }
    bool Guardada() override { return Guardado("DESCRIPCION") == "(sin fila)"; }
};

// A delete of an account that journal lines of another year refer to: it is marked dada de baja.
class DadaDeBaja : public EnElPlan {
  public:
    DadaDeBaja()
        : EnElPlan("21019900101",
                   {"DELETE FROM MA_CUENTAS WHERE CODIGO = '21019900101'",
                    "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, DADA_DE_BAJA) VALUES "
                    "('21019900101', 'AÑO ANTERIOR', 0, 0)",
                    "INSERT INTO MV_ASIENTOS (PERIODO, CUENTA, IMPORTE, ES_SALDO_APERTURA) VALUES "
                    "('2026', '21019900101', 1200, 0)"}) {}
    void Prepara() override { c_.EscribirCodigo(codigo_); }
    void Graba() override { c_.Boton("BORRAR"); }
    bool ConservaLoEscrito() override { return c_.f().CuentaGuardada(); }
    QList<Otro> Otros() override {
        return {{"otro valor", Actualiza("CODIGOOPCIONAL = 'OT1'"), false},
                {"dada de baja", Actualiza("DADA_DE_BAJA = 1"), false}};
    }
    bool Guardada() override { return Guardado("DADA_DE_BAJA") == "1"; }
};

// The manual's debit text of an account, typed and left.
class Manual : public EnElPlan {
  public:
    Manual() : EnElPlan("11010100202") {}
    ~Manual() override {
        // The root shows nothing, so closing writes nothing.
        if (m_) m_->TreeV_NodeClick("A");
        if (frmMa_ManualCuentas::Instancia()) frmMa_ManualCuentas::Instancia()->close();
        QApplication::processEvents();
    }
    void Prepara() override {
        if (!m_) {
            c_.EscribirCodigo(codigo_);
            m_ = frmMa_ManualCuentas::Mostrar();
        } else {
            // The account's node again: what is stored is shown.
            m_->TreeV_NodeClick("A" + codigo_);
        }
        QApplication::setActiveWindow(m_);
        QPlainTextEdit* debe = Caja(0);
        debe->setFocus();
        debe->moveCursor(QTextCursor::End);
        QTest::keyClicks(debe, " EDITADO");
    }
    // Leaves the box that has the focus for the other one.
    void Graba() override {
        QApplication::setActiveWindow(m_);
        Caja(QApplication::focusWidget() == Caja(0) ? 1 : 0)->setFocus();
        QApplication::processEvents();
    }
    bool ConservaLoEscrito() override { return Caja(0)->toPlainText().endsWith(" EDITADO"); }
    QList<QStringList> Estado() override {
        return c_.base().filas(
            "SELECT DESCRIPCION, Manual, Manual_Haber, DADA_DE_BAJA FROM MA_CUENTAS WHERE CODIGO = '" +
            codigo_ + "'");
    }
    QList<Otro> Otros() override {
        return {{"mismo valor", Actualiza("Manual = 'DE OTRO'"), false},
                {"otro valor", Actualiza("Manual_Haber = 'HABER DE OTRO'"), true,
                 "SELECT Manual_Haber FROM MA_CUENTAS WHERE CODIGO = '" + codigo_ + "'", "HABER DE OTRO"},
                {"borrada", "DELETE FROM MA_CUENTAS WHERE CODIGO = '" + codigo_ + "'", false}};
    }
    bool Guardada() override { return Guardado("Manual").endsWith(" EDITADO"); }

  private:
    QPlainTextEdit* Caja(int i) { return Control<QPlainTextEdit>(*m_, "txtFields", i); }
    frmMa_ManualCuentas* m_ = nullptr;
};

}  // namespace

std::unique_ptr<Grabacion> CuentaNueva() {
    return std::make_unique<Nueva>();
}
std::unique_ptr<Grabacion> CuentaModificada() {
    return std::make_unique<Modificada>();
}
std::unique_ptr<Grabacion> CuentaBorrada() {
    return std::make_unique<Borrada>();
}
std::unique_ptr<Grabacion> CuentaDadaDeBaja() {
    return std::make_unique<DadaDeBaja>();
}
std::unique_ptr<Grabacion> ManualDeCuentas() {
    return std::make_unique<Manual>();
}

}  // namespace grabaciones
