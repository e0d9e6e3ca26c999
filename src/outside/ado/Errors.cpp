#include "outside/ado/Errors.h"

#include "outside/ado/AdoTipos.h"
#include "outside/runtime/ErrorVB.h"

namespace ado {

const Error& Errors::Item(int i) const {
    if (i < 0 || i >= lista_.size())
        vb::Raise(
            kErrElementoNoEncontrado,
            "No se encontró el elemento en la colección que corresponde con el nombre o el ordinal pedido.");
    return lista_[i];
}

}  // namespace ado
