// Statements that differ only in their numbers (an entry's month and number) share one
// translation and one prepared statement.
#include "outside/ado/sqlite/ProveedorSqlite.h"

namespace ado::sqlite {

namespace {

constexpr int kMaxFormas = 2000;

// Index just past the ASCII digits that start at `j`.
qsizetype FinDeDigitos(const QString& sql, qsizetype j) {
    while (j < sql.size() && sql[j].isDigit() && sql[j].unicode() < 128) ++j;
    return j;
}

// The one walk that shapes a single SELECT by its numbers: outside quoted texts and names,
// `numeroEn(k, inicio)` tells whether a number that counts starts at or after k (its end, with
// its start in inicio; -1 when none); each such number gives way to `marca(index)` and goes to
// `numeros`. Empty when the statement is not a single SELECT, holds one of `cortes`, or has no
// such number.
template <typename NumeroEn, typename Marca>
QString MarcarNumeros(const QString& sql, QStringView cortes, NumeroEn numeroEn, Marca marca,
                      QStringList& numeros) {
    qsizetype i = 0;
    while (i < sql.size() && sql[i].isSpace()) ++i;
    if (sql.mid(i, 6).compare(QLatin1String("SELECT"), Qt::CaseInsensitive) != 0) return {};
    QString forma;
    qsizetype desde = 0;
    QChar cierre;  // inside a quoted text or name
    for (qsizetype k = i; k < sql.size(); ++k) {
        const QChar c = sql[k];
        if (!cierre.isNull()) {
            if (c == cierre) cierre = QChar();
            continue;
        }
        if (c == u'\'' || c == u'"') {
            cierre = c;
        } else if (c == u'[') {
            cierre = u']';
        } else if (cortes.contains(c)) {
            return {};
        } else {
            qsizetype inicio = 0;
            const qsizetype fin = numeroEn(k, inicio);
            if (fin < 0) continue;
            forma += QStringView(sql).mid(desde, inicio - desde);
            forma += marca(numeros.size());
            numeros << sql.mid(inicio, fin - inicio);
            desde = fin;
            k = fin - 1;
        }
    }
    if (numeros.isEmpty()) return {};
    forma += QStringView(sql).mid(desde);
    return forma;
}

// The numbers that the translation compares as CAST(n AS NUMERIC) in a single SELECT become
// parameters, so that statements that differ only in such numbers (an entry's month and number)
// share one prepared statement. A parameter cast from the number's text is the same value the
// literal gives. A batch, or a statement with parameters of its own, is left as it stands.
QString FormaConParametros(const QString& sql, QStringList& numeros) {
    static const QString kCast = QStringLiteral("CAST("), kNumeric = QStringLiteral(" AS NUMERIC)");
    if (!sql.contains(kCast)) return {};
    const auto numeroEn = [&](qsizetype k, qsizetype& inicio) -> qsizetype {
        if (sql[k] != u'C' || sql.mid(k, kCast.size()) != kCast) return -1;
        inicio = k + kCast.size();
        qsizetype j = inicio;
        if (j < sql.size() && sql[j] == u'-') ++j;
        const qsizetype digitos = j;
        j = FinDeDigitos(sql, j);
        if (j == digitos) return -1;
        if (j < sql.size() && sql[j] == u'.') j = FinDeDigitos(sql, j + 1);
        return sql.mid(j, kNumeric.size()) == kNumeric ? j : -1;
    };
    return MarcarNumeros(
        sql, u";?", numeroEn, [](qsizetype) { return QStringLiteral("?"); }, numeros);
}

}  // namespace

ProveedorSqlite::Preparada* ProveedorSqlite::preparar(const QString& sql, Errors& errores, bool informar) {
    QStringList numeros;
    const QString forma = FormaConParametros(sql, numeros);
    if (!forma.isEmpty()) {
        Preparada* p = prepararTexto(forma, errores, informar);
        if (p) {
            sqlite3_reset(p->stmt);
            for (int k = 0; k < numeros.size(); ++k) {
                const QByteArray n = numeros[k].toUtf8();
                sqlite3_bind_text(p->stmt, k + 1, n.constData(), int(n.size()), SQLITE_TRANSIENT);
            }
        }
        return p;
    }
    return prepararTexto(sql, errores, informar);
}

namespace {

// Markers that stand for the numbers of a statement's shape; a statement that holds one already
// is never shaped.
const QString kMarca = QStringLiteral("7319");

bool Une(QChar c) {
    return QStringView(u"+-*/%|&^.(").contains(c);
}

QString Marca(qsizetype indice) {
    return kMarca + QStringLiteral("%1").arg(indice, 5, 10, QLatin1Char('0'));
}

// A single SELECT (no batch) whose numbers compared with "=" (outside quotes and names, standing
// alone before a blank, ")" or the end) become markers kMarca + "00000" + index: statements that
// differ only in such numbers (an entry's month and number) share one translation. Empty when
// the statement has none.
QString FormaDeLote(const QString& sql, QStringList& numeros) {
    if (sql.contains(kMarca)) return {};
    const qsizetype n = sql.size();
    const auto numeroEn = [&](qsizetype k, qsizetype& inicio) -> qsizetype {
        if (sql[k] != u'=' || k == 0 || QStringView(u"<>!").contains(sql[k - 1])) return -1;
        qsizetype j = k + 1;
        while (j < n && sql[j] == u' ') ++j;
        inicio = j;
        j = FinDeDigitos(sql, j);
        if (j == inicio || (j < n && (sql[j] == u'.' || sql[j].isLetter()))) return -1;
        qsizetype sigue = j;
        while (sigue < n && sql[sigue] == u' ') ++sigue;
        if (j < n && sql[j] != u' ' && sql[j] != u')') return -1;
        if (sigue < n && (Une(sql[sigue]) ||
                          sql.mid(sigue, 7).compare(QLatin1String("COLLATE"), Qt::CaseInsensitive) == 0))
            return -1;
        return j;
    };
    return MarcarNumeros(sql, u";\n\r", numeroEn, Marca, numeros);
}

}  // namespace

QList<ProveedorSqlite::Paso> ProveedorSqlite::planConNumeros(const QString& lote) {
    QStringList numeros;
    const QString forma = FormaDeLote(lote, numeros);
    if (forma.isEmpty()) return plan(lote);
    auto it = formas_.constFind(forma);
    if (it == formas_.constEnd()) {
        if (formas_.size() >= kMaxFormas) formas_.clear();
        QList<Paso> pasos = plan(forma);
        // Shared only when each marker came through the translation once, as a compared number.
        bool sirve = pasos.size() == 1;
        for (int k = 0; sirve && k < numeros.size(); ++k) {
            const QString m = Marca(k);
            sirve = pasos[0].sql.count(m) == 1 && pasos[0].sql.count("CAST(" + m + " AS NUMERIC)") == 1;
        }
        it = formas_.insert(forma, sirve ? pasos : QList<Paso>());
    }
    if (it->isEmpty()) return plan(lote);
    QList<Paso> pasos = *it;
    for (Paso& p : pasos)
        for (int k = numeros.size() - 1; k >= 0; --k) {
            const QString m = Marca(k);
            p.sql.replace(m, numeros[k]);
            p.sqlConFila.replace(m, numeros[k]);
            p.original.replace(m, numeros[k]);
        }
    return pasos;
}

}  // namespace ado::sqlite
