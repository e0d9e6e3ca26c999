// When a connection sets up the column checks of its tables: see asegurarControles.
#include "outside/ado/sqlite/Lexico.h"
#include "outside/ado/sqlite/ProveedorSqlite.h"
#include "outside/ado/sqlite/VigilanciaColumnas.h"

#include <sqlite3.h>

namespace ado::sqlite {

const ProveedorSqlite::MapaDeControles& ProveedorSqlite::mapaDeControles() {
    MapaDeControles& m = mapaDeControles_;
    if (m.leido) return m;
    m.leido = true;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_,
                           "SELECT type, name, tbl_name, sql FROM main.sqlite_master WHERE type IN "
                           "('table', 'trigger') AND name NOT LIKE 'sqlite_%'",
                           -1, &st, nullptr) == SQLITE_OK) {
        while (sqlite3_step(st) == SQLITE_ROW) {
            if (TextoDeColumna(st, 0) == QLatin1String("trigger")) {
                m.arriesgadas << TextoDeColumna(st, 2).toUpper();
                continue;
            }
            const QString tabla = TextoDeColumna(st, 1).toUpper();
            m.tablas << tabla;
            // With foreign keys a write may cascade between a table and the tables it references.
            const Piezas ps = Tokenizar(TextoDeColumna(st, 3));
            for (qsizetype i = 0; i + 1 < ps.size(); ++i) {
                if (!ps[i].esPalabra(u"REFERENCES")) continue;
                qsizetype j = i + 1;
                while (j + 2 < ps.size() && ps[j + 1].es(Clase::Punto)) j += 2;  // dbo.T
                if (!EsNombre(ps[j])) continue;
                m.arriesgadas << tabla << ps[j].nombreSinComillas().toUpper();
            }
        }
    }
    sqlite3_finalize(st);
    return m;
}

void ProveedorSqlite::vigilarTodo() {
    if (todasVigiladas_) return;
    todasVigiladas_ = true;
    VigilarColumnas(db_, [this](const QString& tabla) { return !vigiladas_.contains(tabla.toUpper()); });
}

void ProveedorSqlite::vigilarNombres(const QSet<QString>& nombres) {
    if (todasVigiladas_) return;
    const MapaDeControles& m = mapaDeControles();
    // Inside a transaction a rollback would take what is set up now away with it.
    if (nombres.intersects(m.arriesgadas) || sqlite3_get_autocommit(db_) == 0) return vigilarTodo();
    QSet<QString> nuevas;
    for (const QString& n : nombres)
        if (m.tablas.contains(n) && !vigiladas_.contains(n)) nuevas << n;
    if (nuevas.isEmpty()) return;
    VigilarColumnas(db_, [&nuevas](const QString& tabla) { return nuevas.contains(tabla.toUpper()); });
    vigiladas_ += nuevas;
}

void ProveedorSqlite::asegurarControles(const QString& sql) {
    if (todasVigiladas_ || !db_) return;
    // A plain read, told without the lexer: most statements are.
    const QStringView inicio = QStringView(sql).trimmed();
    if (inicio.startsWith(u"SELECT", Qt::CaseInsensitive) &&
        (inicio.size() == 6 || !(inicio[6].isLetterOrNumber() || inicio[6] == u'_')))
        return;
    const Piezas ps = Tokenizar(sql);
    if (ps.isEmpty() || ps.first().esPalabra(u"SELECT")) return;
    if (ps.first().esPalabra(u"BEGIN") || ps.first().esPalabra(u"SAVEPOINT")) return vigilarTodo();
    QSet<QString> nombres;
    for (const Pieza& p : ps)
        if (EsNombre(p)) nombres << p.nombreSinComillas().toUpper();
    vigilarNombres(nombres);
}

}  // namespace ado::sqlite
