#pragma once
// How the account windows read a flag column: Null and blank are not set; a number is set when
// it is not 0; a text as CNStuffContable.ValorLogico reads it.
#include "services/CNStuffContable.h"

#include <QVariant>

namespace CuentasValores {

inline bool EsBlanco(const QVariant& v) {
    return v.isNull() || !v.isValid() || v.toString().trimmed().isEmpty();
}

inline bool EsVerdadero(const QVariant& v) {
    if (EsBlanco(v)) return false;
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    bool numero = false;
    const double d = v.toString().trimmed().toDouble(&numero);
    if (numero) return d != 0;
    return CNStuffContable::ValorLogico(v.toString().trimmed());
}

}  // namespace CuentasValores
