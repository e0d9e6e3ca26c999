// TEMPORARY stand-in until the dialect translator lands.
#include "outside/ado/sqlite/TraductorSql.h"

#include <QRegularExpression>

namespace ado::sqlite {

QString TraducirSentencia(const QString& sentencia) {
    QString s = sentencia.trimmed();
    s.replace(QRegularExpression(R"(with\s*\(\s*nolock\s*\))", QRegularExpression::CaseInsensitiveOption),
              "");
    static const QRegularExpression top(R"(^select\s+top\s+(\d+)\s+)",
                                        QRegularExpression::CaseInsensitiveOption);
    const auto m = top.match(s);
    if (m.hasMatch()) s = "SELECT " + s.mid(m.capturedEnd()) + " LIMIT " + m.captured(1);
    static const QRegularExpression tran(R"(^(begin|commit|rollback)\s+tran(saction)?$)",
                                         QRegularExpression::CaseInsensitiveOption);
    const auto t = tran.match(s);
    if (t.hasMatch()) s = t.captured(1).toUpper();
    return s;
}

QList<SentenciaTraducida> TraducirLote(const QString& lote) {
    QList<SentenciaTraducida> r;
    for (const QString& parte : lote.split(';')) {
        if (parte.trimmed().isEmpty()) continue;
        r.append({TraducirSentencia(parte), parte.trimmed()});
    }
    return r;
}

}  // namespace ado::sqlite
