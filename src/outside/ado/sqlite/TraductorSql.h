#pragma once
// TEMPORARY stand-in until the dialect translator lands: splits on ";" and handles a leading TOP.
#include <QList>
#include <QString>

namespace ado::sqlite {

struct SentenciaTraducida {
    QString sql;
    QString original;
};

QList<SentenciaTraducida> TraducirLote(const QString& lote);
QString TraducirSentencia(const QString& sentencia);

}  // namespace ado::sqlite
