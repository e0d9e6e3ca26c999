#pragma once
// The error that every routine of the program raises and catches, with the numbers the
// calling code tests (ADO codes, VB run-time codes, HRESULTs as negative 32-bit numbers).
#include <QString>
#include <cstdint>
#include <exception>
#include <string>

namespace vb {

class ErrorVB : public std::exception {
  public:
    ErrorVB(int32_t numero, QString descripcion, QString fuente = {});

    int32_t Number = 0;
    QString Description;
    QString Source;

    const char* what() const noexcept override { return texto_.c_str(); }

  private:
    std::string texto_;
};

// Run-time codes the program raises itself.
inline constexpr int32_t kArgumentoInvalido = 5;
inline constexpr int32_t kTiposNoCoinciden = 13;
inline constexpr int32_t kObjetoNoAsignado = 91;

// Raises the run-time error with the standard Spanish description of its number.
[[noreturn]] void Raise(int32_t numero, const QString& descripcion = {}, const QString& fuente = {});

}  // namespace vb
