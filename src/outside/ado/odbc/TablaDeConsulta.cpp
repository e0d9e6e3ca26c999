// The one table a plain query reads, for drivers that do not say where a column comes from.
#include "outside/ado/odbc/OdbcInterno.h"

namespace ado::odbc::interno {

namespace {

struct Pieza {
    enum Clase { Palabra, Nombre, Texto, Signo } clase;
    QString texto;
    int nivel;  // parentheses around it
};

// Words, [names], "names", 'texts' and signs, with the depth of parentheses of each.
QList<Pieza> Piezas(const QString& sql) {
    QList<Pieza> r;
    int nivel = 0;
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            while (i < n && sql[i] != u'\n') ++i;
        } else if (c == u'\'' || c == u'[' || c == u'"') {
            const QChar cierre = c == u'[' ? QChar(u']') : c;
            QString t;
            ++i;
            while (i < n) {
                if (sql[i] == cierre) {
                    if (i + 1 < n && sql[i + 1] == cierre) {
                        t += cierre;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                t += sql[i++];
            }
            r << Pieza{c == u'\'' ? Pieza::Texto : Pieza::Nombre, t, nivel};
        } else if (c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'#' || c == u'$') {
            const qsizetype ini = i;
            while (i < n && (sql[i].isLetterOrNumber() || sql[i] == u'_' || sql[i] == u'@' ||
                             sql[i] == u'#' || sql[i] == u'$'))
                ++i;
            r << Pieza{Pieza::Palabra, sql.mid(ini, i - ini), nivel};
        } else {
            if (c == u')') --nivel;
            r << Pieza{Pieza::Signo, QString(c), nivel};
            if (c == u'(') ++nivel;
            ++i;
        }
    }
    return r;
}

bool Es(const Pieza& p, const char* palabra) {
    return p.clase == Pieza::Palabra && p.texto.compare(QLatin1String(palabra), Qt::CaseInsensitive) == 0;
}

}  // namespace

QString TablaUnica(const QString& sql) {
    const QList<Pieza> p = Piezas(sql);
    if (p.isEmpty() || !Es(p[0], "SELECT")) return {};
    qsizetype desde = -1;
    for (qsizetype i = 1; i < p.size(); ++i) {
        if (p[i].nivel != 0) continue;
        if (Es(p[i], "SELECT") || Es(p[i], "INTO")) return {};
        if (Es(p[i], "FROM")) {
            desde = i;
            break;
        }
    }
    if (desde < 0 || desde + 1 >= p.size()) return {};

    // The name: parts joined by dots.
    QStringList partes;
    qsizetype i = desde + 1;
    for (;;) {
        if (i >= p.size() || p[i].nivel != 0 || (p[i].clase != Pieza::Palabra && p[i].clase != Pieza::Nombre))
            return {};
        partes << p[i].texto;
        ++i;
        if (i < p.size() && p[i].clase == Pieza::Signo && p[i].texto == u".") {
            ++i;
            continue;
        }
        break;
    }
    // What follows must not bring in another table or fold rows together.
    for (; i < p.size(); ++i) {
        if (p[i].nivel != 0) continue;
        const Pieza& x = p[i];
        if (x.clase == Pieza::Signo && x.texto == u",") return {};
        for (const char* w : {"JOIN", "UNION", "EXCEPT", "INTERSECT", "GROUP", "HAVING", "SELECT", "APPLY"})
            if (Es(x, w)) return {};
    }
    QStringList citadas;
    for (const QString& parte : partes) citadas << (parte.contains(u'.') ? u'[' + parte + u']' : parte);
    return citadas.join(u'.');
}

}  // namespace ado::odbc::interno
