#include "outside/ado/CortesSql.h"

#include "outside/ado/sqlite/Lexico.h"

#include <QStringList>

namespace ado {

using sqlite::Clase;
using sqlite::Piezas;

namespace {

// Index of the first token of the clause at the outer level, or -1.
qsizetype PiezaDeClausula(const Piezas& ps, const QStringList& palabras) {
    if (palabras.isEmpty()) return -1;
    int profundidad = 0;
    for (qsizetype i = 0; i < ps.size(); ++i) {
        if (ps[i].es(Clase::AbreParen)) {
            ++profundidad;
            continue;
        }
        if (ps[i].es(Clase::CierraParen)) {
            if (profundidad > 0) --profundidad;
            continue;
        }
        if (profundidad > 0 || i + palabras.size() > ps.size()) continue;
        bool coincide = true;
        for (qsizetype k = 0; coincide && k < palabras.size(); ++k)
            coincide = ps[i + k].esPalabra(palabras[k]);
        if (coincide) return i;
    }
    return -1;
}

QStringList Palabras(QStringView clausula) {
    return clausula.toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

}  // namespace

qsizetype PosicionClausula(QStringView sql, QStringView clausula) {
    const Piezas ps = sqlite::Tokenizar(sql);
    const qsizetype i = PiezaDeClausula(ps, Palabras(clausula));
    return i < 0 ? -1 : ps[i].inicio;
}

qsizetype PosicionCola(QStringView sql) {
    const Piezas ps = sqlite::Tokenizar(sql);
    qsizetype i = PiezaDeClausula(ps, {QStringLiteral("GROUP"), QStringLiteral("BY")});
    if (i < 0) i = PiezaDeClausula(ps, {QStringLiteral("ORDER"), QStringLiteral("BY")});
    return i < 0 ? sql.size() : ps[i].inicio;
}

QString TextoPropio(QStringView sql) {
    Piezas ps = sqlite::Tokenizar(sql);
    for (sqlite::Pieza& p : ps)
        if (p.es(Clase::Texto)) p.texto = QStringLiteral("''");
    return sqlite::Unir(ps);
}

bool VariasSentencias(QStringView sql) {
    bool tras = false;
    for (const sqlite::Pieza& p : sqlite::Tokenizar(sql)) {
        if (p.es(Clase::PuntoYComa))
            tras = true;
        else if (tras)
            return true;
    }
    return false;
}

}  // namespace ado
