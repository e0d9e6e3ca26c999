#include "outside/maker/VisorConsulta.h"

#include "outside/ado/Connection.h"
#include "outside/ado/Field.h"
#include "outside/ado/Recordset.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/ErrorVB.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace maker {

VisorConsulta::VisorConsulta(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("VisorConsulta");
    setAttribute(Qt::WA_DeleteOnClose);
    resize(800, 500);
    Grilla = new QTableWidget(this);
    Grilla->setObjectName("Grilla");
    Grilla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grilla->setSelectionBehavior(QAbstractItemView::SelectRows);
    Mensaje = new QLabel(this);
    Mensaje->setObjectName("Mensaje");
    Mensaje->setWordWrap(true);
    Mensaje->hide();
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(Mensaje);
    lay->addWidget(Grilla, 1);
}

void VisorConsulta::Carga(const QString& sentencia, const QString& conexion, const QString& titulo,
                          const Reescritura& reescribe) {
    setWindowTitle(titulo);
    Grilla->clear();
    Grilla->setRowCount(0);
    Grilla->setColumnCount(0);
    Mensaje->hide();
    try {
        auto cnn = ado::Connection::Crear();
        cnn->Open(conexion);
        ado::RecordsetPtr rs = ado::Recordset::Crear();
        rs->Open(reescribe ? reescribe(sentencia) : sentencia, cnn, ado::adOpenStatic, ado::adLockReadOnly);
        ado::Fields& campos = rs->fields();
        QStringList cabeceras;
        for (int c = 0; c < campos.Count(); ++c) cabeceras << campos[c].Name();
        Grilla->setColumnCount(int(cabeceras.size()));
        Grilla->setHorizontalHeaderLabels(cabeceras);
        int fila = 0;
        for (; !rs->Eof(); rs->MoveNext(), ++fila) {
            Grilla->insertRow(fila);
            for (int c = 0; c < campos.Count(); ++c) {
                const QVariant v = campos[c].Value();
                auto* celda = new QTableWidgetItem(v.isNull() ? QString() : vb::CStr(v));
                if (vb::EsValorNumerico(v)) celda->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                Grilla->setItem(fila, c, celda);
            }
        }
        rs->Close();
        cnn->Close();
        Grilla->resizeColumnsToContents();
    } catch (const vb::ErrorVB& e) {
        Mensaje->setText("No se pudo mostrar la consulta: " + e.Description);
        Mensaje->show();
    }
}

VisorConsulta* VisorConsulta::Muestra(const QString& sentencia, const QString& conexion,
                                      const QString& titulo, const Reescritura& reescribe) {
    auto* visor = new VisorConsulta;
    visor->Carga(sentencia, conexion, titulo, reescribe);
    visor->show();
    return visor;
}

}  // namespace maker
