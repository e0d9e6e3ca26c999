// Any text through the dialect translation and the statement cuts: translated or refused, never
// read outside its buffers, and never a NUL handed to the engine.
#include <cstdint>
#include <cstdlib>

#include <QString>

#include "Entrada.h"
#include "outside/ado/CortesSql.h"
#include "outside/ado/sqlite/TraductorSql.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    if (largo == 0) return 0;
    const QString s = TextoDeEntrada(datos, largo);
    for (const auto& t : ado::sqlite::TraducirLote(s))
        if (t.sql.contains(QChar(0))) std::abort();
    if (ado::sqlite::TraducirSentencia(s).contains(QChar(0))) std::abort();
    const qsizetype p = ado::PosicionClausula(s, u"where");
    if (p < -1 || p >= s.size()) std::abort();
    const qsizetype cola = ado::PosicionCola(s);
    if (cola < 0 || cola > s.size()) std::abort();
    if (ado::ConsultaDeLectura(s) != ado::ConsultaDeLectura(ado::TextoPropio(s))) std::abort();
    for (const auto& t : ado::sqlite::TraducirLote(s)) ado::sqlite::ColumnasDeTexto(t.sql);
    return 0;
}
