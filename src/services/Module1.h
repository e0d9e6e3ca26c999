#pragma once
// A code module kept for its one caller: the chart-of-accounts form calls ActualizaCuenta once
// while it saves an account. The procedure does nothing.
namespace Module1 {

void ActualizaCuenta();

}  // namespace Module1
