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
    // The desktop takes the path itself, not a command line: a blank needs no quotes, and quotes
    // around a path (as a Windows caller would write it) are not part of the file's name.
    QString doc = documento.trimmed();
    if (doc.size() >= 2 && doc.startsWith('"') && doc.endsWith('"')) doc = doc.mid(1, doc.size() - 2);
    maker::gSistemaPC().AbreDocumento(0, QString(), doc, QString(), QString(), maximizado ? 6 : 0);
}

}  // namespace LBM_Common
