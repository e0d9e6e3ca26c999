#pragma once
// Splits statement text into tokens (quoted texts, bracketed names, numbers, words, operators,
// parentheses) so that the dialect rewrite never looks inside a quoted text.
#include <QList>
#include <QSet>
#include <QString>
#include <QStringView>

namespace ado::sqlite {

enum class Clase {
    Palabra,  // names, keywords, @variables
    Texto,    // '...' with '' inside; N'...' loses its N
    Nombre,   // [bracketed], "double-quoted" or `back-quoted` name
    Numero,
    Operador,  // + - * / % = < > <= >= <> != || and the like
    AbreParen,
    CierraParen,
    Coma,
    Punto,
    PuntoYComa,
    Otro
};

struct Pieza {
    Clase clase = Clase::Otro;
    QString texto;
    // The blanks before the token as written; comments become one blank (their line breaks stay).
    QString espacio;
    // Where the token stands in the text it came from: [inicio, fin).
    qsizetype inicio = 0;
    qsizetype fin = 0;

    bool es(Clase c) const { return clase == c; }
    // Case-blind test of a word.
    bool esPalabra(QStringView palabra) const {
        return clase == Clase::Palabra && texto.compare(palabra, Qt::CaseInsensitive) == 0;
    }
    bool esOperador(QStringView op) const { return clase == Clase::Operador && texto == op; }
    bool iniciaLinea() const { return espacio.contains(u'\n') || espacio.contains(u'\r'); }
    // The contents of a quoted text without its quotes and with '' made one apostrophe.
    QString contenidoTexto() const;
    // A quoted text that ends with its closing quote: inside it every quote is doubled, so a
    // closed one holds an even count.
    bool textoCerrado() const { return clase == Clase::Texto && texto.count(u'\'') % 2 == 0; }
    // A name without its quotes or brackets; a word as it stands.
    QString nombreSinComillas() const;
};

using Piezas = QList<Pieza>;

Piezas Tokenizar(QStringView sql);

// A word or a quoted name: what can name a table, a column or a function.
inline bool EsNombre(const Pieza& p) {
    return p.es(Clase::Palabra) || p.es(Clase::Nombre);
}

// Case-blind: the token is a word of the set (written in upper case).
bool EsUnaDe(const Pieza& p, const QSet<QString>& palabras);

// The text of the tokens as they stand, blanks included.
QString Unir(const Piezas& piezas, qsizetype desde = 0, qsizetype hasta = -1);

}  // namespace ado::sqlite
