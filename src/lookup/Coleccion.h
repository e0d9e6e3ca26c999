#pragma once
// A VB Collection of texts as the lookups pass it around: shared between whoever holds it, and
// "Nothing" (a null pointer) distinct from an empty collection.
#include <QStringList>
#include <memory>

using Coleccion = std::shared_ptr<QStringList>;

inline Coleccion NuevaColeccion() {
    return std::make_shared<QStringList>();
}
