#include "outside/maker/DialogoArchivo.h"

#include "outside/runtime/Dialogos.h"

#include <QStringList>

namespace maker {

DialogoArchivo& gDialogoArchivo() {
    static DialogoArchivo instancia;
    return instancia;
}

QString DialogoArchivo::FiltroQt(const QString& filtro) {
    if (!filtro.contains(QLatin1Char('|'))) return filtro;
    const QStringList partes = filtro.split(QLatin1Char('|'));
    QStringList qt;
    for (int i = 0; i + 1 < partes.size(); i += 2) {
        QString descripcion = partes[i].trimmed();
        const QString patrones = QString(partes[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')).trimmed();
        // Qt reads the patterns from the parentheses; add them when the description has none.
        if (!descripcion.contains(QLatin1Char('('))) descripcion += QStringLiteral(" (%1)").arg(patrones);
        qt << descripcion;
    }
    return qt.join(QStringLiteral(";;"));
}

bool DialogoArchivo::MostrarAbrir() {
    bool cancelado = false;
    const QString nombre = vb::dialogos().AbrirArchivo(Titulo, FiltroQt(Filtro), &cancelado);
    Cancelado = cancelado || nombre.isEmpty();
    NombreArchivo = Cancelado ? QString() : nombre;
    return !Cancelado;
}

}  // namespace maker
