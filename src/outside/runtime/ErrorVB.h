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
    // The operator was already told of the failure behind it and gave the step up ("Anular"):
    // every report answers it as he did, without showing it again (RespuestaYaInformado).
    bool Informado = false;

    const char* what() const noexcept override { return texto_.c_str(); }

  private:
    std::string texto_;
};

// Run-time codes the program raises itself.
inline constexpr int32_t kArgumentoInvalido = 5;
inline constexpr int32_t kTiposNoCoinciden = 13;
inline constexpr int32_t kObjetoNoAsignado = 91;

// What a report answers, showing nothing, to an error the operator was already told of: the
// routine leaves, as after his "Anular". 0 for any other error, which the report shows.
inline int RespuestaYaInformado(const ErrorVB& e) {
    return e.Informado ? 3 : 0;
}

// Raises the run-time error with the standard Spanish description of its number.
[[noreturn]] void Raise(int32_t numero, const QString& descripcion = {}, const QString& fuente = {});

}  // namespace vb
