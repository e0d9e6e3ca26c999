#pragma once
// Every month's stored coefficients against its stored indexes, worked out here on their own:
// the closing month's index over the month's, rounded half away from zero to three places; 0 for
// an index of 0 or less, or when the closing month has no row.
#include "support/BaseDePrueba.h"

#include <QStringList>

// One line per series of a month of a fiscal year whose stored coefficient disagrees ("" none).
QStringList CoeficientesEnDesacuerdo(const BaseDePrueba& base);
