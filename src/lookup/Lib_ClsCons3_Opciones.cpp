// Lookups that do not come from the database: fixed lists of options and the lines of a text
// file, offered in the list window without a statement. They run as "resume next".
#include "lookup/Lib_ClsCons3.h"
#include "lookup/Lib_FrmCons3.h"
#include "outside/controls/ListView.h"
#include "outside/runtime/Archivos.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "services/CNStuffContable.h"

#include <QComboBox>
#include <QPushButton>
#include <algorithm>

namespace {

// The options as given one by one, or as one list in the first element.
QStringList ListaOpciones(const QVariantList& Opc) {
    QVariantList lista = Opc;
    if (!Opc.isEmpty() &&
        (Opc.first().typeId() == QMetaType::QVariantList || Opc.first().typeId() == QMetaType::QStringList))
        lista = Opc.first().toList();
    QStringList textos;
    for (const QVariant& v : lista) textos << v.toString();
    return textos;
}

}  // namespace

void Lib_ClsCons3::PreparaLista(Lib_FrmCons3& v, const QString& Titulo, bool checks) {
    v.PreparaListaSimple(Titulo, checks);
}

void Lib_ClsCons3::MuestraListaPreparada(Lib_FrmCons3& v, const QString& Titulo, int largoMayor) {
    Q_UNUSED(Titulo);
    vb::SinDetenerse([&] {
        // Never narrower than its two buttons side by side at their design widths.
        const int minimo = 2 * Lib_FrmCons3::kAnchoBoton + 400;
        const int ancho = std::max(120 * largoMayor, minimo);
        v.setWidth(&v, ancho < v.AnchoPantalla() ? ancho : v.AnchoPantalla());
        v.Form_Resize();
    });
    vb::SinDetenerse([&] { v.Mostrar(); });
}

QString Lib_ClsCons3::CheckOpciones(const QString& Titulo, const QVariant& CmpsDevueltos,
                                    const QVariantList& Opc) {
    Q_UNUSED(CmpsDevueltos);
    Lib_FrmCons3 v;
    PreparaLista(v, Titulo, true);
    int largo = int(Titulo.size());
    // Every option is offered, a single one too.
    for (const QString& opcion : ListaOpciones(Opc))
        vb::SinDetenerse([&] {
            v.AgregaFilaSimple(opcion.mid(1), opcion.left(1) == QLatin1String("1"));
            largo = std::max(largo, int(opcion.size()));
        });
    MuestraListaPreparada(v, Titulo, largo);
    Valores = v.pedido().Valores;
    vb::SinDetenerse([&] { v.Descargar(); });
    return QString();
}

QString Lib_ClsCons3::MenuOpciones(const QString& Titulo, const QVariantList& Opc) {
    Lib_FrmCons3 v;
    PreparaLista(v, Titulo, false);
    int largo = int(Titulo.size());
    for (const QString& opcion : ListaOpciones(Opc))
        vb::SinDetenerse([&] {
            v.AgregaFilaSimple(opcion);
            largo = std::max(largo, int(opcion.size()));
        });
    MuestraListaPreparada(v, Titulo, largo);
    const QString elegida = v.pedido().ValorDevuelto.toString();
    vb::SinDetenerse([&] { v.Descargar(); });
    return elegida;
}

QString Lib_ClsCons3::ConsultaDesdeArchivo(const QString& Titulo, const QString& QueArchivo,
                                           const QVariant& Separador) {
    Q_UNUSED(Separador);
    if (!CNStuffContable::ExisteArchivo(QueArchivo)) {
        vb::MsgBox("No existe el archivo " + QueArchivo + " que desea consultar consulta ", vb::vbOKOnly);
        return QString();
    }
    Lib_FrmCons3 v;
    PreparaLista(v, Titulo, false);
    int largo = int(Titulo.size());
    // A file that stops reading midway shows what was read.
    const QStringList lineas = vb::LeerLineas(QueArchivo).value_or(QStringList());
    for (const QString& linea : lineas)
        vb::SinDetenerse([&] {
            v.AgregaFilaSimple(linea);
            largo = std::max(largo, int(linea.size()));
        });
    MuestraListaPreparada(v, Titulo, largo);
    const QString elegida = v.pedido().ValorDevuelto.toString();
    vb::SinDetenerse([&] { v.Descargar(); });
    return elegida;
}
