#include "outside/ado/sqlite/Lexico.h"

namespace ado::sqlite {

namespace {

bool EsBlanco(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f' || c == u'\v' ||
           c == QChar(0xA0);
}

bool IniciaPalabra(QChar c) {
    return c.isLetter() || c == u'_' || c == u'@' || c == u'#' || c == u'$';
}

bool SigueEnPalabra(QChar c) {
    return IniciaPalabra(c) || c.isDigit() || c.isMark();
}

bool EsDigito(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Index just past a quoted run that opens at `i` with `cierre`; a doubled closer stays inside.
qsizetype FinDeComillas(QStringView s, qsizetype i, QChar cierre) {
    const qsizetype n = s.size();
    ++i;
    while (i < n) {
        if (s[i] == cierre) {
            if (i + 1 < n && s[i + 1] == cierre) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return n;  // unterminated: the engine reports it
}

// Index just past the number that starts at `i`: hexadecimal 0x..., or digits with an optional
// fraction and exponent.
qsizetype FinDeNumero(QStringView s, qsizetype i) {
    const qsizetype n = s.size();
    qsizetype fin = i;
    if (s[i] == u'0' && i + 1 < n && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
        fin = i + 2;
        while (fin < n && (EsDigito(s[fin]) || QStringView(u"abcdefABCDEF").contains(s[fin]))) ++fin;
        return fin;
    }
    while (fin < n && EsDigito(s[fin])) ++fin;
    if (fin < n && s[fin] == u'.') {
        ++fin;
        while (fin < n && EsDigito(s[fin])) ++fin;
    }
    if (fin < n && (s[fin] == u'e' || s[fin] == u'E')) {
        qsizetype j = fin + 1;
        if (j < n && (s[j] == u'+' || s[j] == u'-')) ++j;
        if (j < n && EsDigito(s[j])) {
            fin = j;
            while (fin < n && EsDigito(s[fin])) ++fin;
        }
    }
    return fin;
}

// Index just past the operator at `i`: two characters where they make one ("<=", "||", ...).
qsizetype FinDeOperador(QStringView s, qsizetype i) {
    if (i + 1 >= s.size()) return i + 1;
    const QChar c = s[i], d = s[i + 1];
    const bool doble = (c == u'<' && (d == u'=' || d == u'>' || d == u'<')) ||
                       (c == u'>' && (d == u'=' || d == u'>')) ||
                       (c == u'!' && (d == u'=' || d == u'<' || d == u'>')) || (c == u'=' && d == u'=') ||
                       (c == u'|' && d == u'|');
    return doble ? i + 2 : i + 1;
}

// The class of a one-character token that is none of the others.
Clase ClaseDeSigno(QChar c) {
    switch (c.unicode()) {
        case u'(':
            return Clase::AbreParen;
        case u')':
            return Clase::CierraParen;
        case u',':
            return Clase::Coma;
        case u'.':
            return Clase::Punto;
        case u';':
            return Clase::PuntoYComa;
        default:
            return Clase::Otro;
    }
}

// The blank or comment at `i`, added to `espacio` and passed over; a comment counts as one blank
// (a line break when it spans lines). False when a token starts at `i`.
bool SaltarBlanco(QStringView s, qsizetype& i, QString& espacio) {
    const qsizetype n = s.size();
    const QChar c = s[i];
    if (EsBlanco(c)) {
        espacio += c;
        ++i;
        return true;
    }
    if (c == u'-' && i + 1 < n && s[i + 1] == u'-') {
        while (i < n && s[i] != u'\n' && s[i] != u'\r') ++i;
        espacio += u' ';
        return true;
    }
    if (c == u'/' && i + 1 < n && s[i + 1] == u'*') {
        const qsizetype fin = s.indexOf(u"*/", i + 2);
        const qsizetype hasta = fin < 0 ? n : fin + 2;
        const QStringView comentario = s.sliced(i, hasta - i);
        espacio += comentario.contains(u'\n') || comentario.contains(u'\r') ? u'\n' : u' ';
        i = hasta;
        return true;
    }
    return false;
}

// The class of the token that starts at `i`, and the index just past it.
qsizetype FinDeToken(QStringView s, qsizetype i, Clase& clase) {
    const qsizetype n = s.size();
    const QChar c = s[i];
    if (c == u'\'' || ((c == u'N' || c == u'n') && i + 1 < n && s[i + 1] == u'\'')) {
        clase = Clase::Texto;
        return FinDeComillas(s, c == u'\'' ? i : i + 1, u'\'');
    }
    if (c == u'[' || c == u'"' || c == u'`') {
        clase = Clase::Nombre;
        return FinDeComillas(s, i, c == u'[' ? QChar(u']') : c);
    }
    if (EsDigito(c) || (c == u'.' && i + 1 < n && EsDigito(s[i + 1]))) {
        clase = Clase::Numero;
        return FinDeNumero(s, i);
    }
    if (IniciaPalabra(c)) {
        clase = Clase::Palabra;
        qsizetype fin = i + 1;
        while (fin < n && SigueEnPalabra(s[fin])) ++fin;
        return fin;
    }
    if (QStringView(u"+-*/%=<>!|&^~").contains(c)) {
        clase = Clase::Operador;
        return FinDeOperador(s, i);
    }
    clase = ClaseDeSigno(c);
    return i + 1;
}

}  // namespace

QString Pieza::contenidoTexto() const {
    if (clase != Clase::Texto || texto.isEmpty()) return {};
    // An unclosed text holds everything after its quote.
    QString c = textoCerrado() ? texto.mid(1, texto.size() - 2) : texto.mid(1);
    c.replace(QStringLiteral("''"), QStringLiteral("'"));
    return c;
}

QString Pieza::nombreSinComillas() const {
    if (clase != Clase::Nombre || texto.isEmpty()) return texto;
    const QChar cierre = texto[0] == u'[' ? QChar(u']') : texto[0];
    if (texto.size() < 2 || texto.back() != cierre) return texto.mid(1);  // unterminated
    QString c = texto.mid(1, texto.size() - 2);
    c.replace(QString(2, cierre), QString(cierre));
    return c;
}

Piezas Tokenizar(QStringView s) {
    Piezas piezas;
    piezas.reserve(s.size() / 4 + 4);
    qsizetype i = 0;
    QString espacio;
    while (i < s.size()) {
        if (SaltarBlanco(s, i, espacio)) continue;
        Pieza p;
        p.espacio = espacio;
        espacio.clear();
        const qsizetype fin = FinDeToken(s, i, p.clase);
        // N'...' is a text without its N.
        const qsizetype desde = p.clase == Clase::Texto && s[i] != u'\'' ? i + 1 : i;
        p.texto = s.sliced(desde, fin - desde).toString();
        p.inicio = i;
        p.fin = fin;
        piezas.append(std::move(p));
        i = fin;
    }
    return piezas;
}

bool EsUnaDe(const Pieza& p, const QSet<QString>& palabras) {
    if (p.clase != Clase::Palabra) return false;
    for (QChar c : p.texto)
        if (c.isLower()) return palabras.contains(p.texto.toUpper());
    return palabras.contains(p.texto);
}

QString Unir(const Piezas& piezas, qsizetype desde, qsizetype hasta) {
    if (hasta < 0 || hasta > piezas.size()) hasta = piezas.size();
    QString r;
    qsizetype largo = 0;
    for (qsizetype i = desde; i < hasta; ++i) largo += piezas[i].espacio.size() + piezas[i].texto.size();
    r.reserve(largo);
    for (qsizetype i = desde; i < hasta; ++i) {
        r += piezas[i].espacio;
        r += piezas[i].texto;
    }
    return r;
}

}  // namespace ado::sqlite
