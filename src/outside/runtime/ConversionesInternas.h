#pragma once
// Parsing shared by the conversion sources; not for the rest of the program.
#include <QDateTime>
#include <QString>
#include <optional>

namespace vb::detalle {

QDateTime fechaDeSerial(double serial);
std::optional<QDateTime> fechaDesdeTexto(const QString& texto);
std::optional<double> numeroDesdeTexto(const QString& texto);

}  // namespace vb::detalle
