// Builds the lookup-mask file from its readable source: creamascaras <destino.qnl> <fuente.txt>
// The source holds one block per table ("[TABLA]" then "Descripcion =", "Campos =", "Condicion ="
// lines); each block becomes a record of 1202 Windows-1252 bytes: description 100, table 100,
// columns 500, condition 500, CR LF, every field padded with blanks. Anything the record could
// not hold as written stops the build instead of reaching the lookups cut or garbled.
#include "outside/runtime/Archivos.h"

#include <QFile>
#include <QSaveFile>
#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdio>

namespace {

struct Bloque {
    int linea = 0;
    QString tabla, descripcion, campos, condicion;
};

struct Fallo {
    QString texto;
};

[[noreturn]] void Falla(int linea, const QString& texto) {
    throw Fallo{QStringLiteral("línea %1: %2").arg(linea).arg(texto)};
}

QList<Bloque> Leer(const QString& fuente) {
    QFile archivo(fuente);
    if (!archivo.open(QIODevice::ReadOnly)) throw Fallo{QStringLiteral("no se puede leer %1").arg(fuente)};
    // The source is kept in the repository as UTF-8; only the record is Windows-1252.
    const QStringList lineas = QString::fromUtf8(archivo.readAll()).split(QLatin1Char('\n'));
    QList<Bloque> bloques;
    QSet<QString> tablas;
    for (int i = 0; i < lineas.size(); ++i) {
        const int n = i + 1;
        const QString linea = lineas.at(i).trimmed();
        if (linea.isEmpty() || linea.startsWith(QLatin1Char('#'))) continue;
        if (linea.startsWith(QLatin1Char('['))) {
            if (!linea.endsWith(QLatin1Char(']'))) Falla(n, QStringLiteral("falta el \"]\" de la tabla"));
            Bloque b;
            b.linea = n;
            b.tabla = linea.mid(1, linea.size() - 2).trimmed();
            if (b.tabla.isEmpty()) Falla(n, QStringLiteral("tabla sin nombre"));
            // The lookup uses the first record of a table: a second one would never be read.
            if (tablas.contains(b.tabla.toUpper()))
                Falla(n, QStringLiteral("tabla repetida: %1").arg(b.tabla));
            tablas.insert(b.tabla.toUpper());
            bloques << b;
            continue;
        }
        const qsizetype igual = linea.indexOf(QLatin1Char('='));
        if (igual < 0) Falla(n, QStringLiteral("se esperaba \"clave = valor\""));
        if (bloques.isEmpty()) Falla(n, QStringLiteral("valor fuera de una tabla"));
        const QString clave = linea.left(igual).trimmed();
        const QString valor = linea.mid(igual + 1).trimmed();
        Bloque& b = bloques.last();
        if (clave.compare(QLatin1String("Descripcion"), Qt::CaseInsensitive) == 0)
            b.descripcion = valor;
        else if (clave.compare(QLatin1String("Campos"), Qt::CaseInsensitive) == 0)
            b.campos = valor;
        else if (clave.compare(QLatin1String("Condicion"), Qt::CaseInsensitive) == 0)
            b.condicion = valor;
        else
            Falla(n, QStringLiteral("clave desconocida: %1").arg(clave));
    }
    return bloques;
}

QByteArray Campo(const Bloque& b, const QString& nombre, const QString& texto, int largo) {
    const QByteArray bytes = vb::aWindows1252(texto);
    if (vb::desdeWindows1252(bytes) != texto)
        Falla(b.linea,
              QStringLiteral("%1 de %2 tiene caracteres fuera de Windows-1252").arg(nombre, b.tabla));
    if (bytes.size() > largo)
        Falla(b.linea, QStringLiteral("%1 de %2 pasa de %3 caracteres").arg(nombre, b.tabla).arg(largo));
    return bytes + QByteArray(largo - bytes.size(), ' ');
}

QByteArray Registro(const Bloque& b) {
    // A mask without a second column has no search column to offer: the lookup would refuse it.
    if (QString(b.campos)
            .replace(QLatin1Char(','), QLatin1Char('|'))
            .split(QLatin1Char('|'), Qt::SkipEmptyParts)
            .size() < 2)
        Falla(b.linea, QStringLiteral("%1 necesita al menos dos columnas en Campos").arg(b.tabla));
    return Campo(b, "Descripcion", b.descripcion, 100) + Campo(b, "Tabla", b.tabla, 100) +
           Campo(b, "Campos", b.campos, 500) + Campo(b, "Condicion", b.condicion, 500) + "\r\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "uso: creamascaras <destino.qnl> <fuente.txt>\n");
        return 2;
    }
    const QString destino = QFile::decodeName(argv[1]);
    const QString fuente = QFile::decodeName(argv[2]);
    try {
        QByteArray todo;
        for (const Bloque& b : Leer(fuente)) todo += Registro(b);
        if (todo.isEmpty()) throw Fallo{QStringLiteral("%1 no tiene ninguna tabla").arg(fuente)};
        // Written aside and renamed, so that a failed build never leaves half a file.
        QSaveFile archivo(destino);
        if (!archivo.open(QIODevice::WriteOnly) || archivo.write(todo) != todo.size() || !archivo.commit())
            throw Fallo{QStringLiteral("no se puede escribir %1").arg(destino)};
    } catch (const Fallo& f) {
        std::fprintf(stderr, "creamascaras: %s: %s\n", argv[2], f.texto.toUtf8().constData());
        return 1;
    }
    return 0;
}
