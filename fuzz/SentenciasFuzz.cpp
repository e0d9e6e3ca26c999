// Any text through the dialect translation and the statement cuts: translated or refused, never
// read outside its buffers, and never a NUL handed to the engine.
#include <cstdint>
#include <cstdlib>

#include <QString>

#include "outside/ado/CortesSql.h"
#include "outside/ado/sqlite/TraductorSql.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    if (largo == 0) return 0;
    // The first byte chooses how the rest reads: UTF-8 text, or raw UTF-16 units (NULs and
    // unpaired surrogates included).
    const auto* resto = reinterpret_cast<const char*>(datos + 1);
    const qsizetype n = qsizetype(largo - 1);
    const QString s =
        (datos[0] & 1) ? QString::fromUtf8(resto, n) : QString(reinterpret_cast<const QChar*>(resto), n / 2);
    for (const auto& t : ado::sqlite::TraducirLote(s))
        if (t.sql.contains(QChar(0))) std::abort();
    if (ado::sqlite::TraducirSentencia(s).contains(QChar(0))) std::abort();
    const qsizetype p = ado::PosicionClausula(s, u"where");
    if (p < -1 || p >= s.size()) std::abort();
    const qsizetype cola = ado::PosicionCola(s);
    if (cola < 0 || cola > s.size()) std::abort();
    if (ado::ConsultaDeLectura(s) != ado::ConsultaDeLectura(ado::TextoPropio(s))) std::abort();
    return 0;
}
