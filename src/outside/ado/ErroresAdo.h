#pragma once
// Raising the object model's own errors with their standard texts.
#include "outside/ado/Errors.h"

#include <cstdint>

namespace ado {

inline constexpr int32_t kErrNoActualizable = 3251;    // the recordset does not accept writes
inline constexpr int32_t kErrProveedorAusente = 3706;  // provider not available
inline constexpr int32_t kErrFilaNoEncontrada = int32_t(0x80040E38);
inline constexpr int32_t kErrDesbordamientoDatos = int32_t(0x80040E57);  // truncated text, number overflow
inline constexpr int32_t kErrConversionDatos = int32_t(0x80040E07);      // a text that is no number or date
inline constexpr int32_t kNativoDesbordamiento = 8115;

[[noreturn]] void LanzarAdo(int32_t numero);
// Refuses a recordset's statement that is not one statement that only reads: the entry goes to
// the list, and nothing has run.
[[noreturn]] void LanzarNoEsLectura(Errors& errores);
// Raises the first entry of the list from `desde` on.
[[noreturn]] void LanzarEntrada(const Errors& errores, int desde);

}  // namespace ado
