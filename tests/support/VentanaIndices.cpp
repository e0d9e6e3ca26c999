#include "support/VentanaIndices.h"
#include "support/Control.h"

#include "data/DB_Dll.h"
#include "indices/reportes/ReporteIndices.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/Teclas.h"
#include "outside/controls/UtilVex.h"
#include "outside/maker/Reporte.h"
#include "outside/maker/SistemaPC.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Pantalla.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"
#include "services/LBM_Common.h"

#include <QApplication>
#include <QTest>
#include <QToolButton>

VentanaIndices::VentanaIndices(bool conDemo, QStringList sqlExtra, QString usuario, const QLocale& locale)
    : base_(conDemo, std::move(sqlExtra)) {
    CNStuffContable::gTablaConfiguracion.clear();
    LBM_Common::gSoloMayusculas = false;
    vb::setLocaleNumeros(locale);
    vb::setReloj([] { return QDateTime(QDate(2026, 12, 9), QTime(10, 30, 0)); });
    vb::App().Command = "@Server=" + base_.carpeta() + ";@DbName=" + base_.nombre() +
                        ";@UsuarioLogeado=" + usuario + ";@Caja=1;";
    ventana_ = std::make_unique<frmMA_INDAJUSTE>();
}

VentanaIndices::~VentanaIndices() {
    ventana_.reset();
    vb::setReloj({});
}

OtroProgramaIndices::OtroProgramaIndices(VentanaIndices& primero)
    : primero_(primero), propia_(TurnoDeOtroPrograma::ConexionPropia()) {
    ventana_ = std::make_unique<frmMA_INDAJUSTE>();
    Turno turno(*this);
    ventana_->Form_Load();
    ventana_->show();
    QApplication::processEvents();
}

OtroProgramaIndices::~OtroProgramaIndices() {
    ventana_.reset();
    // The first program's window stays the program's own.
    gfrmMA_INDAJUSTE = &primero_.f();
}

void VentanaIndices::Reinicia() {
    ventana_ = std::make_unique<frmMA_INDAJUSTE>();
    Iniciar();
}

void VentanaIndices::Iniciar(QScreen* pantalla) {
    if (pantalla) ventana_->setScreen(pantalla);
    ventana_->Form_Load();
    if (pantalla)
        vb::MuestraVentana(ventana_.get());
    else
        ventana_->show();
    QApplication::setActiveWindow(ventana_.get());
    QApplication::processEvents();
}

namespace {
QPoint CentroDeCelda(vb::FlexGrid* g) {
    const QPoint p(vb::PixelesDeTwips(g->CellLeft() + g->CellWidth() / 2),
                   vb::PixelesDeTwips(g->CellTop() + g->CellHeight() / 2));
    return g->viewport()->mapFrom(g, p);
}

// Brings the row into view and returns the centre of the cell, leaving the current cell as it was.
QPoint Ubicar(vb::FlexGrid* g, int fila, int columna) {
    if (!g->isRowVisible(fila)) g->setTopRow(fila);
    const int r = g->Row(), c = g->Col();
    QSignalBlocker bloqueo(g);
    g->setRow(fila);
    g->setCol(columna);
    const QPoint p = CentroDeCelda(g);
    g->setRow(r);
    g->setCol(c);
    return p;
}
}  // namespace

void UsuarioIndices::Clic(int fila, int columna) {
    auto* g = Control<vb::FlexGrid>(*ventana_, "FgAsiento");
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, Ubicar(g, fila, columna));
}

void UsuarioIndices::DobleClic(int fila, int columna) {
    auto* g = Control<vb::FlexGrid>(*ventana_, "FgAsiento");
    const QPoint p = Ubicar(g, fila, columna);
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, p);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, p);
}

void UsuarioIndices::Escribir(int fila, int columna, const QString& texto, Qt::Key fin) {
    Clic(fila, columna);
    auto* g = Control<vb::FlexGrid>(*ventana_, "FgAsiento");
    if (texto.isEmpty()) return;
    QTest::keyClicks(g, texto.left(1));
    auto* editor = Control<vb::CajaTexto>(*ventana_, "BrwTxt", 0);
    if (texto.size() > 1) QTest::keyClicks(editor, texto.mid(1));
    QTest::keyClick(editor->isVisible() ? static_cast<QWidget*>(editor) : static_cast<QWidget*>(g), fin);
}

void UsuarioIndices::Tecla(Qt::Key tecla) {
    QWidget* destino = QApplication::focusWidget();
    QTest::keyClick(destino ? destino : Control<vb::FlexGrid>(*ventana_, "FgAsiento"), tecla);
}

void UsuarioIndices::EscribirAnio(const QString& anio) {
    auto* caja = Control<vb::CajaTexto>(*ventana_, "txtFields", 0);
    QTest::mouseClick(caja, Qt::LeftButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClicks(QApplication::focusWidget(), anio);
}

void UsuarioIndices::Boton(const QString& accion) {
    QTest::mouseClick(Control<UtilVex>(*ventana_, "UtilVex1")->Boton(accion), Qt::LeftButton);
}

QString UsuarioIndices::Celda(int fila, int columna) const {
    return Control<vb::FlexGrid>(*ventana_, "FgAsiento")->TextMatrix(fila, columna);
}

QString VentanaIndices::Guardado(int anio, int mes, const QString& columna) const {
    const auto filas = base_.filas(
        QString("SELECT %1 FROM MA_INDAJUSTE WHERE Anio = %2 AND Mes = %3").arg(columna).arg(anio).arg(mes));
    if (filas.isEmpty()) return "(sin fila)";
    return filas.at(0).at(0);
}

int VentanaIndices::FilasIndices() const {
    return base_.escalar("SELECT count(*) FROM MA_INDAJUSTE").toInt();
}

QList<QUrl> ListadosDeIndices(const QTemporaryDir& salida, const std::function<void()>& accion) {
    ReporteIndices::Registrar(salida.path());
    QList<QUrl> abiertos;
    maker::gSistemaPC().setAbridor([&](const QUrl& u) {
        abiertos << u;
        return true;
    });
    accion();
    maker::gSistemaPC().setAbridor({});
    maker::gReporte().Registra(ReporteIndices::kNombre, nullptr);
    return abiertos;
}
