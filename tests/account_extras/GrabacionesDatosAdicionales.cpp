#include "account_extras/GrabacionesDatosAdicionales.h"

#include "account_extras/frmMA_CUENTASADIC.h"
#include "accounts/CuentasDePrueba.h"
#include "accounts/EnlacesCuentas.h"
#include "outside/controls/BarraBotones.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/runtime/Dialogos.h"
#include "support/Control.h"
#include "support/Teclado.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

namespace grabaciones {

namespace {

// The additional data of one customer of the demo, opened from the chart as a user opens them,
// and the one row a save of them may touch.
class EnDatosAdicionales : public Grabacion {
  public:
    explicit EnDatosAdicionales(QString codigo) : codigo_(std::move(codigo)) {
        EnlacesCuentas::RegistraFormulariosDelSistema();
        c_.Iniciar();
    }
    ~EnDatosAdicionales() override {
        if (frmMA_CUENTASADIC::Existe()) delete &frmMA_CUENTASADIC::instancia();
    }
    BaseDePrueba& base() override { return c_.base(); }
    QString Registro() override { return codigo_; }
    QList<QStringList> Estado() override {
        return c_.base().filas("SELECT * FROM MA_CUENTASADIC WHERE CODIGO = '" + codigo_ + "'");
    }
    int Responde(const QString& texto) override {
        return texto == "Confirma la baja de este registro?" ? vb::vbYes : 0;
    }

  protected:
    // The window as the chart's side toolbar opens it for the account, afresh: it shows what is
    // stored now.
    frmMA_CUENTASADIC& Abre() {
        if (frmMA_CUENTASADIC::Existe()) delete &frmMA_CUENTASADIC::instancia();
        teclado::Activa(&c_.f());
        c_.EscribirCodigo(codigo_);
        Control<vb::BarraBotones>(c_.f(), "Tbar")->Pulsa(2);
        frmMA_CUENTASADIC& f = frmMA_CUENTASADIC::instancia();
        teclado::Activa(&f);
        QTest::mouseClick(Caja(1), Qt::LeftButton);
        return f;
    }
    static vb::CajaTexto* Caja(int i) {
        return Control<vb::CajaTexto>(frmMA_CUENTASADIC::instancia(), "txtFields", i);
    }
    // The field's text replaced by the one typed, its code search (if it opened) left, and Enter.
    static void Escribe(int i, const QString& texto) {
        QTest::mouseClick(Caja(i), Qt::LeftButton);
        Caja(i)->selectAll();
        teclado::Teclea(texto);
        if (Control<vb::BusquedaCodigo>(frmMA_CUENTASADIC::instancia(), "BusquedaCodigo1")->Visible())
            teclado::Tecla(Qt::Key_Escape);
        teclado::Tecla(Qt::Key_Return);
    }
    // Open, and still naming its account.
    static bool Abierta() {
        return frmMA_CUENTASADIC::Existe() && frmMA_CUENTASADIC::instancia().isVisible() &&
               !Control<QLabel>(frmMA_CUENTASADIC::instancia(), "LblTitulo")->text().trimmed().isEmpty();
    }
    // The key of the toolbar, pressed where the focus is in the window.
    static void Pulsa(Qt::Key tecla) {
        teclado::Activa(&frmMA_CUENTASADIC::instancia());
        teclado::Tecla(tecla);
    }
    QString Contacto() {
        return c_.base()
            .escalar("SELECT TRIM(CONTACTO) FROM MA_CUENTASADIC WHERE CODIGO = '" + codigo_ + "'")
            .toString();
    }
    QString Actualiza(const QString& asignacion) {
        return "UPDATE MA_CUENTASADIC SET " + asignacion + " WHERE CODIGO = '" + codigo_ + "'";
    }
    QString Borra() { return "DELETE FROM MA_CUENTASADIC WHERE CODIGO = '" + codigo_ + "'"; }
    QString Lee(const QString& columna) {
        return "SELECT TRIM(" + columna + ") FROM MA_CUENTASADIC WHERE CODIGO = '" + codigo_ + "'";
    }

    CuentasDePrueba c_;
    QString codigo_;
};

// A customer without additional data gets them, every required field typed.
class Nuevos : public EnDatosAdicionales {
  public:
    Nuevos() : EnDatosAdicionales("11030100105") {}
    void Prepara() override {
        Abre();
        const QList<std::pair<int, QString>> campos{{1, "NUEVO DE A"}, {2, "SAN MARTIN"},    {3, "10"},
                                                    {6, "8300"},       {7, "NEUQUEN"},       {8, "6"},
                                                    {9, "1"},          {12, "30-12345678-9"}};
        for (const auto& [i, texto] : campos) Escribe(i, texto);
    }
    void Graba() override { Pulsa(Qt::Key_F4); }
    bool ConservaLoEscrito() override {
        return Abierta() && frmMA_CUENTASADIC::instancia().CuentaNueva() && Caja(1)->text() == "NUEVO DE A";
    }
    QList<Otro> Otros() override {
        return {{"datos tomados",
                 "INSERT INTO MA_CUENTASADIC (CODIGO, CONTACTO) VALUES ('" + codigo_ + "', 'NUEVO DE B')",
                 false}};
    }
    bool Guardada() override { return Contacto() == "NUEVO DE A"; }
};

// A customer's contact, with something typed after it.
class Modificados : public EnDatosAdicionales {
  public:
    Modificados() : EnDatosAdicionales("11030100104") {}
    void Prepara() override {
        Abre();
        teclado::Tecla(Qt::Key_End);
        teclado::Teclea(" X");
    }
    void Graba() override { Pulsa(Qt::Key_F4); }
    bool ConservaLoEscrito() override { return Abierta() && Caja(1)->text().endsWith(" X"); }
    QList<Otro> Otros() override {
        return {
            {"mismo valor", Actualiza("CONTACTO = 'DE OTRO'"), false},
            {"otro valor", Actualiza("MAIL = 'otro@correo.com.ar'"), true, Lee("MAIL"), "otro@correo.com.ar"},
            {"borrada", Borra(), false}};
    }
    bool Guardada() override { return Contacto() == "LAURA MENDEZ X"; }
};

// A customer's additional data deleted.
class Borrados : public EnDatosAdicionales {
  public:
    Borrados() : EnDatosAdicionales("11030100104") {}
    void Prepara() override { Abre(); }
    void Graba() override { Pulsa(Qt::Key_F3); }
    bool ConservaLoEscrito() override {
        return Abierta() && frmMA_CUENTASADIC::instancia().Cuenta() == codigo_;
    }
    QList<Otro> Otros() override {
        return {{"otro valor", Actualiza("MAIL = 'otro@correo.com.ar'"), false}, {"borrada", Borra(), false}};
    }
    bool Guardada() override { return Estado().isEmpty(); }
};

}  // namespace

std::unique_ptr<Grabacion> DatosAdicionalesNuevos() {
    return std::make_unique<Nuevos>();
}
std::unique_ptr<Grabacion> DatosAdicionalesModificados() {
    return std::make_unique<Modificados>();
}
std::unique_ptr<Grabacion> DatosAdicionalesBorrados() {
    return std::make_unique<Borrados>();
}

}  // namespace grabaciones
