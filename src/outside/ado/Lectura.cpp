// A query's rows by column: the road every engine can take, and the look-up of a column by name.
#include "outside/ado/Proveedor.h"

namespace ado {

int Lectura::indiceDe(const QString& nombre) const {
    for (int i = 0; i < columnas.size(); ++i)
        if (columnas[i].nombre.compare(nombre, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

Lectura PorColumnas(Resultado r) {
    Lectura l;
    l.esConsulta = r.esConsulta;
    if (!r.esConsulta) return l;
    QList<int> visibles;
    for (int i = 0; i < r.columnas.size(); ++i)
        if (!r.columnas[i].oculta) {
            visibles.append(i);
            l.columnas.append(r.columnas[i]);
        }
    l.valores.resize(visibles.size());
    for (int c = 0; c < visibles.size(); ++c) {
        QList<QVariant>& columna = l.valores[c];
        columna.reserve(r.filas.size());
        for (const QList<QVariant>& fila : r.filas) columna.append(fila.value(visibles[c]));
    }
    return l;
}

}  // namespace ado
