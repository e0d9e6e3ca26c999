// Which single table or view a query reads, so that its recordset can write back.
#include "outside/ado/sqlite/ProveedorSqlite.h"

namespace ado::sqlite {

namespace {

struct Pieza {
    QString texto;  // names without their brackets
    bool nombre = false;
    bool entreCorchetes = false;
};

QList<Pieza> piezas(const QString& s) {
    QList<Pieza> r;
    int i = 0;
    const int n = int(s.size());
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == '-' && i + 1 < n && s[i + 1] == '-') {
            while (i < n && s[i] != '\n') ++i;
        } else if (c == '/' && i + 1 < n && s[i + 1] == '*') {
            const int f = int(s.indexOf("*/", i + 2));
            i = f < 0 ? n : f + 2;
        } else if (c == '[' || c == '"') {
            const QChar cierre = c == '[' ? QChar(']') : QChar('"');
            int f = i + 1;
            while (f < n && s[f] != cierre) ++f;
            r.append({s.mid(i + 1, f - i - 1), true, true});
            i = f + 1;
        } else if (c == '\'') {
            int f = i + 1;
            while (f < n) {
                if (s[f] == '\'') {
                    if (f + 1 < n && s[f + 1] == '\'') {
                        f += 2;
                        continue;
                    }
                    break;
                }
                ++f;
            }
            r.append({"'", false, false});
            i = f + 1;
        } else if (c.isLetterOrNumber() || c == '_' || c == '@' || c == '#' || c == '$') {
            int f = i;
            while (f < n &&
                   (s[f].isLetterOrNumber() || s[f] == '_' || s[f] == '@' || s[f] == '#' || s[f] == '$'))
                ++f;
            r.append({s.mid(i, f - i), true, false});
            i = f;
        } else {
            r.append({QString(c), false, false});
            ++i;
        }
    }
    return r;
}

bool es(const Pieza& p, const char* palabra) {
    return p.nombre && !p.entreCorchetes && p.texto.compare(QLatin1String(palabra), Qt::CaseInsensitive) == 0;
}

}  // namespace

QString ProveedorSqlite::ObjetoDeConsulta(const QString& sentencia) {
    const QList<Pieza> t = piezas(sentencia);
    const int n = int(t.size());
    if (n < 4 || !es(t[0], "SELECT")) return {};
    int i = 1;
    int nivel = 0;
    // Anything at the top level that makes the rows not those of one object.
    for (int k = 1; k < n; ++k) {
        if (t[k].texto == "(") ++nivel;
        if (t[k].texto == ")") --nivel;
        if (nivel == 0 &&
            (es(t[k], "DISTINCT") || es(t[k], "GROUP") || es(t[k], "HAVING") || es(t[k], "UNION") ||
             es(t[k], "EXCEPT") || es(t[k], "INTERSECT") || es(t[k], "INTO") || es(t[k], "JOIN")))
            return {};
    }
    nivel = 0;
    while (i < n && !(nivel == 0 && es(t[i], "FROM"))) {
        if (t[i].texto == "(") ++nivel;
        if (t[i].texto == ")") --nivel;
        ++i;
    }
    if (++i >= n || !t[i].nombre) return {};
    QString objeto = t[i].texto;
    ++i;
    while (i + 1 < n && t[i].texto == "." && t[i + 1].nombre) {  // dbo.T, [base].[dbo].[T]
        objeto = t[i + 1].texto;
        i += 2;
    }
    auto finDeFrom = [&](int k) {
        return k >= n || t[k].texto == ";" || es(t[k], "WHERE") || es(t[k], "ORDER");
    };
    if (i < n && es(t[i], "AS")) ++i;
    if (i < n && t[i].nombre && !finDeFrom(i) && !es(t[i], "WITH")) ++i;  // alias
    if (i < n && es(t[i], "WITH")) ++i;
    if (i + 2 < n && t[i].texto == "(" && es(t[i + 1], "NOLOCK") && t[i + 2].texto == ")") i += 3;
    return finDeFrom(i) ? objeto : QString();
}

}  // namespace ado::sqlite
