#pragma once
// A company file's whole content, table by table and row by row, with its schema, to tell what a
// road changed. The access log is left out: every start of a program writes to it.
#include "support/BaseDePrueba.h"

#include <QMap>
#include <QStringList>
#include <algorithm>

using ContenidoBase = QMap<QString, QList<QStringList>>;

inline ContenidoBase Contenido(const BaseDePrueba& b) {
    ContenidoBase m;
    const QList<QStringList> objetos =
        b.filas("SELECT type, name, sql FROM sqlite_master WHERE name NOT LIKE 'sqlite_%' ORDER BY name");
    m.insert("(esquema)", objetos);
    // One read on one connection: each row after its table's name.
    QString todas;
    for (const QStringList& o : objetos)
        if (o[0] == "table" && o[1].compare("Control_Acceso", Qt::CaseInsensitive) != 0)
            todas += "SELECT '" + o[1] + "', * FROM [" + o[1] + "];";
    for (QStringList fila : b.filas(todas)) {
        const QString tabla = fila.takeFirst();
        m[tabla] << fila;
    }
    return m;
}

// The rows one content holds and the other does not, as "table -col|col..." (only before) and
// "table +col|col..." (only after); empty when both are the same.
inline QStringList Diferencias(const ContenidoBase& antes, const ContenidoBase& despues) {
    QStringList r;
    QStringList tablas = antes.keys() + despues.keys();
    tablas.removeDuplicates();
    for (const QString& t : tablas) {
        QStringList a, d;
        for (const QStringList& f : antes.value(t)) a << f.join('|');
        for (const QStringList& f : despues.value(t)) d << f.join('|');
        std::sort(a.begin(), a.end());
        std::sort(d.begin(), d.end());
        QStringList solo;
        std::set_difference(a.begin(), a.end(), d.begin(), d.end(), std::back_inserter(solo));
        for (const QString& f : solo) r << t + " -" + f;
        solo.clear();
        std::set_difference(d.begin(), d.end(), a.begin(), a.end(), std::back_inserter(solo));
        for (const QString& f : solo) r << t + " +" + f;
    }
    return r;
}
