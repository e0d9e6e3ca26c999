#pragma once
// Writes a "consultas.qnl" as the suite's mask editor does: fixed records of 1202 Windows-1252
// bytes (description 100, table 100, columns 500, condition 500, CR LF), each field padded.
#include "outside/runtime/Archivos.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

struct RegistroMascara {
    QString tabla;
    QString campos;
    QString condicion;
    char relleno = ' ';  // how table and condition are padded: ' ', '\0' or '\xff'
    QString descripcion = QStringLiteral("MASCARA");
};

inline QByteArray CampoMascara(const QString& texto, int largo, char relleno) {
    QByteArray b = vb::aWindows1252(texto).left(largo);
    b.append(QByteArray(largo - b.size(), relleno));
    return b;
}

inline bool EscribeMascaras(const QString& ruta, const QList<RegistroMascara>& registros) {
    QByteArray todo;
    for (const RegistroMascara& r : registros) {
        todo += CampoMascara(r.descripcion, 100, ' ');
        todo += CampoMascara(r.tabla, 100, r.relleno);
        todo += CampoMascara(r.campos, 500, ' ');
        todo += CampoMascara(r.condicion, 500, r.relleno);
        todo += "\r\n";
    }
    QFile f(ruta);
    return f.open(QIODevice::WriteOnly) && f.write(todo) == todo.size();
}
