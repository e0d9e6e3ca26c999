#include "services/LBM_Common.h"

#include "outside/maker/SistemaPC.h"

namespace LBM_Common {

bool gSoloMayusculas = false;

namespace {
// The point appears twice, as it always has; accented vowels are not in the list.
const QString kCaracteres =
    QStringLiteral("0123456789.ABCDEFGHIJKLMNÑOPQRSTUVWXYZ.abcdefghijklmnñopqrstuvwxyz");
}  // namespace

int ConvierteMayuscula(int codigoTecla) {
    if (!gSoloMayusculas || codigoTecla <= 0 || codigoTecla > 0xFFFF) return codigoTecla;
    const QChar c(codigoTecla);
    if (!kCaracteres.contains(c, Qt::CaseInsensitive)) return codigoTecla;
    return c.toUpper().unicode();
}

void AbreDocumento(const QString& documento, bool maximizado) {
    QString doc = documento;
    if (!doc.contains('"') && doc.contains(' ')) doc = '"' + doc + '"';
    maker::gSistemaPC().AbreDocumento(0, QString(), doc, QString(), QString(), maximizado ? 6 : 0);
}

}  // namespace LBM_Common
