#pragma once
// While alive, End throws vb::FinDelPrograma instead of ending the test run.
#include "outside/runtime/Programa.h"

#include <functional>
#include <utility>

class FinObservado {
  public:
    FinObservado() : anterior_(vb::finDelPrograma()) {
        vb::setFinDelPrograma([] { throw vb::FinDelPrograma{}; });
    }
    ~FinObservado() { vb::setFinDelPrograma(std::move(anterior_)); }
    FinObservado(const FinObservado&) = delete;
    FinObservado& operator=(const FinObservado&) = delete;

  private:
    std::function<void()> anterior_;
};
