#pragma once
// Texts in and out of the functions this program adds to the embedded engine.
#include <sqlite3.h>

#include <QByteArray>
#include <QString>

namespace ado::sqlite::funcion {

// An argument as text (the engine hands it over as UTF-8).
inline QString Texto(sqlite3_value* v) {
    const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return QString::fromUtf8(t, sqlite3_value_bytes(v));
}

// A text as the function's result.
inline void Resultado(sqlite3_context* ctx, const QString& s) {
    const QByteArray u = s.toUtf8();
    sqlite3_result_text(ctx, u.constData(), static_cast<int>(u.size()), SQLITE_TRANSIENT);
}

// A text as the result of a function the server types as text: it carries the text subtype.
inline void ResultadoDeTexto(sqlite3_context* ctx, const QString& s, unsigned int subtipo) {
    Resultado(ctx, s);
    sqlite3_result_subtype(ctx, subtipo);
}

}  // namespace ado::sqlite::funcion
