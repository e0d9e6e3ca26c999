#include "accounts/CuentasDePrueba.h"
#include "account_extras/Frmta_asigccosto.h"
#include "account_extras/frmMA_CUENTASADIC.h"
#include "support/Control.h"

#include "outside/controls/CajaTexto.h"
#include "outside/controls/UtilVex.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Pantalla.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"
#include "services/LBM_Common.h"

#include <QApplication>
#include <QTest>
#include <QToolButton>

CuentasDePrueba::CuentasDePrueba(QStringList sqlExtra, QString usuario) : base_(true, std::move(sqlExtra)) {
    CNStuffContable::gTablaConfiguracion.clear();
    CNStuffContable::gCuentaActual.clear();
    CNStuffContable::gCancelaArbol = false;
    LBM_Common::gSoloMayusculas = false;
    vb::setLocaleNumeros(QLocale::c());
    vb::setReloj([] { return QDateTime(QDate(2026, 12, 9), QTime(10, 30, 0)); });
    vb::App().Command = "@Server=" + base_.carpeta() + ";@DbName=" + base_.nombre() +
                        ";@UsuarioLogeado=" + usuario + ";@Caja=1;";
    ventana_ = std::make_unique<FrmMA_CUENTAS>();
}

CuentasDePrueba::~CuentasDePrueba() {
    // The companion windows the test opened go with the chart's, so that the next test of the
    // process starts without them.
    if (frmMA_CUENTASADIC::Existe()) delete &frmMA_CUENTASADIC::instancia();
    if (Frmta_asigccosto::Existe()) delete &Frmta_asigccosto::instancia();
    ventana_.reset();
    CNStuffContable::gCuentaActual.clear();
    vb::setReloj({});
}

void CuentasDePrueba::Iniciar(QScreen* pantalla) {
    CNStuffContable::InicializaSistema();
    if (pantalla) ventana_->setScreen(pantalla);
    ventana_->Form_Load();
    if (pantalla)
        vb::MuestraVentana(ventana_.get());
    else
        ventana_->show();
    QApplication::setActiveWindow(ventana_.get());
    QApplication::processEvents();
}

void CuentasDePrueba::EscribirCodigo(const QString& codigo) {
    Control<vb::CajaTexto>(*ventana_, "TxtCodigo")->setFocus();
    Control<vb::CajaTexto>(*ventana_, "TxtCodigo")->selectAll();
    Teclear(codigo);
}

void CuentasDePrueba::EscribirCampo(int indice, const QString& texto) {
    vb::CajaTexto* caja = Control<vb::CajaTexto>(*ventana_, "txtFields", indice);
    caja->setFocus();
    caja->selectAll();
    QTest::keyClick(caja, Qt::Key_Delete);
    Teclear(texto);
}

void CuentasDePrueba::Teclear(const QString& texto) {
    // Each key goes where the focus is, as a user's: the code search may have opened over the box.
    for (QChar c : texto) {
        QWidget* destino = QApplication::focusWidget();
        QTest::keyClicks(destino ? destino : ventana_.get(), QString(c));
    }
    QWidget* destino = QApplication::focusWidget();
    QTest::keyClick(destino ? destino : ventana_.get(), Qt::Key_Return);
    QApplication::processEvents();
}

void CuentasDePrueba::Boton(const QString& accion) {
    QTest::mouseClick(Control<UtilVex>(*ventana_, "UtilVex1")->Boton(accion), Qt::LeftButton);
    QApplication::processEvents();
}

void CuentasDePrueba::Tecla(Qt::Key tecla) {
    QWidget* destino = QApplication::focusWidget();
    QTest::keyClick(destino ? destino : ventana_.get(), tecla);
    QApplication::processEvents();
}

QString CuentasDePrueba::Guardado(const QString& codigo, const QString& columna) const {
    const auto filas = base_.filas("SELECT " + columna + " FROM MA_CUENTAS WHERE CODIGO = '" + codigo + "'");
    if (filas.isEmpty()) return "(sin fila)";
    return filas.at(0).at(0);
}

QString CuentasDePrueba::Ajuste(const QString& clave) const {
    const auto filas = base_.filas("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = '" + clave + "'");
    return filas.isEmpty() ? QString("(sin fila)") : filas.at(0).at(0);
}

int CuentasDePrueba::Filas(const QString& sql) const {
    return base_.escalar(sql).toInt();
}
