#pragma once
#include <QString>

namespace LBM_Common1 {

// Display text of a voucher number: point of sale in 4 digits, "-", number in 8, the letter.
QString FormatoComprobante(const QString& puntoVenta, const QString& numero, const QString& letra);

}  // namespace LBM_Common1
