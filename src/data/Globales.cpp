#include "data/Globales.h"

#include "data/DB_Dll.h"

#include <memory>

namespace CNStuffContable {

namespace {
std::unique_ptr<DB_Dll>& instancia() {
    static std::unique_ptr<DB_Dll> base;
    return base;
}
}  // namespace

DB_Dll& gBaseDatos() {
    auto& base = instancia();
    if (!base) base = std::make_unique<DB_Dll>();
    return *base;
}

void ReiniciarBaseDatos() {
    instancia() = std::make_unique<DB_Dll>();
}

QString gUsuarioLogeado;
QString gPasswordLogeado;
bool gSSConfidencialidad = false;

}  // namespace CNStuffContable
