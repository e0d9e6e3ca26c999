#pragma once
// The handler pattern that runs through the whole program: a routine's steps run one by one;
// when a step raises, a reporter asks the operator and answers 4 (run the step again),
// 5 (go on with the next step) or anything else (leave the routine).
//
//     ManejadorErrores h("Generar", reportero);
//     if (!h.paso([&] { ... })) return;
//     if (!h.paso([&] { ... })) return;
#include "outside/runtime/ErrorVB.h"

#include <QString>
#include <functional>
#include <optional>

namespace vb {

inline constexpr int kRespuestaReintentar = 4;
inline constexpr int kRespuestaIgnorar = 5;

// Who asks the operator: gets the error and the routine name, returns the answer.
using Reportero = std::function<int(const ErrorVB& error, const QString& rutina)>;

class ManejadorErrores {
  public:
    ManejadorErrores(QString rutina, Reportero reportero);

    // Runs one step. Returns true when the routine goes on (the step succeeded or the answer
    // was 5), false when it must leave. Answer 4 runs the step again. The step is called as it
    // is, never copied into a function object: a routine may take thousands of steps.
    template <class Paso>
    bool paso(Paso&& paso) {
        for (;;) {
            try {
                paso();
                return true;
            } catch (const ErrorVB& e) {
                if (!pregunta(e)) return respuesta_ == kRespuestaIgnorar;
            }
        }
    }

    // The last error a step raised in this routine, if any.
    const std::optional<ErrorVB>& ultimoError() const { return ultimo_; }
    // The answer the reporter gave last (0 when it was never asked).
    int ultimaRespuesta() const { return respuesta_; }
    const QString& rutina() const { return rutina_; }

  private:
    // Keeps the error and asks the reporter; true when the answer runs the step again.
    bool pregunta(const ErrorVB& e);
    QString rutina_;
    Reportero reportero_;
    std::optional<ErrorVB> ultimo_;
    int respuesta_ = 0;
};

// "On error resume next": runs one step; an error it raises is dropped and the routine goes on
// with its next step. Returns whether the step ran through.
inline bool SinDetenerse(const std::function<void()>& paso) {
    try {
        paso();
        return true;
    } catch (const ErrorVB&) {
        return false;
    }
}

}  // namespace vb
