// A column matched with LIKE against a pattern with a fixed beginning ("CODIGO LIKE '1101%'")
// also gets that beginning as a range of the company's collation. The engine cannot look inside
// the server's LIKE, so without the range it reads every row of the table; with it, an index of
// the column answers. Every text the pattern matches starts with the beginning, case-blind, and
// so lies in the range: the rows found stay the same.
#include "outside/ado/TextoSql.h"
#include "outside/ado/sqlite/Reescritura.h"

#include <QRegularExpression>

namespace ado::sqlite {

namespace {

// What may stand before the column: the column is then the whole left side of the LIKE.
bool AbreCondicion(const Pieza& p) {
    return p.es(Clase::AbreParen) || p.esPalabra(u"WHERE") || p.esPalabra(u"AND") || p.esPalabra(u"OR") ||
           p.esPalabra(u"NOT") || p.esPalabra(u"ON") || p.esPalabra(u"HAVING") || p.esPalabra(u"WHEN");
}

// What may follow the pattern: the pattern is then the whole right side (no ESCAPE, no "+").
bool CierraCondicion(const Pieza& p) {
    return p.es(Clase::CierraParen) || p.es(Clase::PuntoYComa) || p.esPalabra(u"AND") || p.esPalabra(u"OR") ||
           p.esPalabra(u"ORDER") || p.esPalabra(u"GROUP") || p.esPalabra(u"LIMIT") ||
           p.esPalabra(u"HAVING") || p.esPalabra(u"UNION") || p.esPalabra(u"EXCEPT") ||
           p.esPalabra(u"INTERSECT") || p.esPalabra(u"THEN");
}

bool EsColumna(const Pieza& p) {
    return (p.es(Clase::Palabra) && !p.texto.startsWith(u'@')) || p.es(Clase::Nombre);
}

// The pattern's text before its first wildcard.
QString Comienzo(const QString& patron) {
    qsizetype i = 0;
    while (i < patron.size() && patron[i] != u'%' && patron[i] != u'_' && patron[i] != u'[') ++i;
    return patron.left(i);
}

// On a number column the engine compares a beginning that reads as a number as that number, and
// then "-1" would leave out -15 and "1" would leave out 1.5e-05, whose texts start with it. Two
// or more plain digits bound every number written with them; any other number is left alone.
// A character beyond the basic plane folds as a pair, which the collation does not: left alone.
// A NUL cannot stand in the statement's own text: left alone too.
bool SirveDeLimite(const QString& comienzo) {
    for (QChar c : comienzo)
        if (c.isSurrogate() || c.isNull()) return false;
    static const QRegularExpression numero(
        QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?\\s*$"));
    static const QRegularExpression digitos(QStringLiteral("^[0-9]{2,}$"));
    return !numero.match(comienzo).hasMatch() || digitos.match(comienzo).hasMatch();
}

}  // namespace

Piezas AcotarLike(const Piezas& ps) {
    const qsizetype n = ps.size();
    Edicion e(ps);
    for (qsizetype i = 1; i + 1 < n; ++i) {
        if (!ps[i].esPalabra(u"LIKE") || !ps[i + 1].es(Clase::Texto) || !EsColumna(ps[i - 1])) continue;
        // "T.CODIGO" or "CODIGO", and nothing before it that binds it into a larger operand.
        qsizetype desde = i - 1;
        if (desde >= 2 && ps[desde - 1].es(Clase::Punto) && EsColumna(ps[desde - 2])) desde -= 2;
        if (desde > 0 && !AbreCondicion(ps[desde - 1])) continue;
        if (i + 2 < n && !CierraCondicion(ps[i + 2])) continue;
        const QString comienzo = Comienzo(ps[i + 1].contenidoTexto());
        if (comienzo.isEmpty() || !SirveDeLimite(comienzo)) continue;
        const QString columna = Unir(ps, desde, i).trimmed();
        e.insertarAntes(desde, "(");
        // U+FFFF sorts after every character in the collation, so it closes the range.
        e.insertarDespues(i + 1, " AND " + columna + " >= " + LiteralTexto(comienzo) +
                                     " COLLATE SERVIDOR AND " + columna + " < " +
                                     LiteralTexto(comienzo + QChar(0xFFFF)) + " COLLATE SERVIDOR)");
    }
    return e.hayCambios() ? e.aplicar() : ps;
}

}  // namespace ado::sqlite
