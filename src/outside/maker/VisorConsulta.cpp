#include "outside/maker/VisorConsulta.h"

#include "outside/ado/Connection.h"
#include "outside/ado/Recordset.h"
#include "outside/controls/SalidaConTab.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ErrorVB.h"
#include "outside/runtime/Pantalla.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace maker {

VisorConsulta& gVisorConsulta() {
    static VisorConsulta instancia;
    return instancia;
}

VisorConsulta::~VisorConsulta() {
    // The shared viewer outlives the application; its window goes with the application's.
    if (QCoreApplication::instance()) delete ventana_.data();
}

QTableWidget* VisorConsulta::Grilla() const {
    return ventana_ ? ventana_->findChild<QTableWidget*>() : nullptr;
}

bool VisorConsulta::Muestra(const QString& sentencia, const QString& cadenaConexion, const QString& titulo) {
    QStringList titulos;
    QList<QStringList> filas;
    try {
        auto conexion = ado::Connection::Crear();
        conexion->setCursorLocation(ado::adUseClient);
        conexion->Open(cadenaConexion);
        const QString sql = ReescribeSentencia ? ReescribeSentencia(sentencia) : sentencia;
        ado::RecordsetPtr rs = conexion->Execute(sql);
        ado::Fields& f = rs->fields();
        for (int c = 0; c < f.Count(); ++c) titulos << f.Item(c).Name();
        for (; !rs->Eof(); rs->MoveNext()) {
            QStringList fila;
            for (int c = 0; c < f.Count(); ++c) {
                ado::Field& campo = f.Item(c);
                fila << gUtilidades().TextoCelda(campo.Value(), campo.Type());
            }
            filas << fila;
        }
    } catch (const vb::ErrorVB& e) {
        vb::MsgBox("No se pudo mostrar la consulta: " + e.Description, vb::vbCritical, titulo);
        return false;
    }

    delete ventana_.data();
    // A window of the program's own, over the one it comes from; Escape closes it.
    auto* ventana = new QWidget(QApplication::activeWindow(), Qt::Window);
    ventana->setAttribute(Qt::WA_DeleteOnClose);
    ventana->setObjectName("VisorConsulta");
    ventana->setWindowTitle(titulo);
    ventana->resize(800, 500);
    auto* grilla = new QTableWidget(int(filas.size()), int(titulos.size()), ventana);
    grilla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grilla->setAccessibleName(titulo);
    vb::SaleConTab(grilla);
    grilla->setHorizontalHeaderLabels(titulos);
    grilla->horizontalHeader()->setStretchLastSection(true);
    for (int r = 0; r < filas.size(); ++r)
        for (int c = 0; c < titulos.size(); ++c) grilla->setItem(r, c, new QTableWidgetItem(filas[r][c]));
    grilla->resizeColumnsToContents();
    auto* pie = new QLabel(QString("%1 registros").arg(filas.size()), ventana);
    auto* l = new QVBoxLayout(ventana);
    l->addWidget(grilla, 1);
    l->addWidget(pie);
    auto* cierra = new QShortcut(QKeySequence(Qt::Key_Escape), ventana);
    QObject::connect(cierra, &QShortcut::activated, ventana, &QWidget::close);
    ventana_ = ventana;
    vb::MuestraVentana(ventana);
    return true;
}

}  // namespace maker
