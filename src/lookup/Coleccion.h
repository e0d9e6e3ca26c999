#pragma once
// VB Collections as the lookups pass them around: shared between whoever holds them, and
// "Nothing" (a null pointer) distinct from an empty collection. Column names are texts; the
// values a lookup returns are Variants.
#include <QStringList>
#include <QVariantList>
#include <memory>

using Coleccion = std::shared_ptr<QStringList>;
using ColeccionValores = std::shared_ptr<QVariantList>;

inline Coleccion NuevaColeccion() {
    return std::make_shared<QStringList>();
}
inline ColeccionValores NuevaColeccionValores() {
    return std::make_shared<QVariantList>();
}
