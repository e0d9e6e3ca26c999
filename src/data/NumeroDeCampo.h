#pragma once
// The number that a column value stands for, as the extremes and the last-code lookup read it.
#include "outside/runtime/Conversiones.h"

#include <QMetaType>
#include <QString>
#include <QVariant>

// Whether a column value holds a number (not a text that looks like one).
inline bool EsNumero(const QVariant& v) {
    return vb::EsValorNumerico(v);
}

// A numeric column gives its value as it is (its text would be in the display locale); a text
// gives its leading number, "" and Null give 0.
inline double NumeroDeCampo(const QVariant& valor, const QString& texto) {
    return EsNumero(valor) ? valor.toDouble() : vb::Val(texto);
}
