#include "outside/maker/VisorConsulta.h"

#include "outside/ado/Connection.h"
#include "outside/ado/Field.h"
#include "outside/ado/Recordset.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ErrorVB.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWidget>

namespace maker {

QWidget* VisorConsulta::Muestra(const QString& sentencia, const QString& conexion, const QString& titulo) {
    QStringList columnas;
    QList<QStringList> filas;
    try {
        auto cn = ado::Connection::Crear();
        cn->Open(conexion);
        auto rs = cn->Execute(sentencia);
        for (int i = 0; i < rs->fields().Count(); ++i) columnas << rs->fields().Item(i).Name();
        while (!rs->Eof()) {
            QStringList fila;
            for (int i = 0; i < columnas.size(); ++i) {
                const QVariant v = rs->fields().Item(i).Value();
                fila << (v.isNull() ? QString() : v.toString());
            }
            filas << fila;
            rs->MoveNext();
        }
        cn->Close();
    } catch (const vb::ErrorVB& e) {
        vb::MsgBox("No se pudo mostrar la consulta: " + e.Description, vb::vbExclamation, titulo);
        return nullptr;
    }
    auto* ventana = new QWidget;
    ventana->setAttribute(Qt::WA_DeleteOnClose);
    ventana->setObjectName("VisorConsulta");
    ventana->setWindowTitle(titulo);
    auto* grilla = new QTableWidget(int(filas.size()), int(columnas.size()), ventana);
    grilla->setObjectName("Grilla");
    grilla->setHorizontalHeaderLabels(columnas);
    grilla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int f = 0; f < filas.size(); ++f)
        for (int c = 0; c < columnas.size(); ++c) grilla->setItem(f, c, new QTableWidgetItem(filas[f][c]));
    grilla->resizeColumnsToContents();
    auto* lay = new QVBoxLayout(ventana);
    lay->addWidget(grilla);
    ventana->resize(800, 600);
    ventana->show();
    return ventana;
}

}  // namespace maker
