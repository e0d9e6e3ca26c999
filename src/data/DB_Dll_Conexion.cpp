#include "data/DB_Dll.h"

std::function<bool(DB_Dll&)> DB_Dll::PedirDatosConexion = [](DB_Dll&) { return false; };

DB_Dll::DB_Dll() = default;
DB_Dll::~DB_Dll() = default;

ado::ConnectionPtr& DB_Dll::cnn() {
    if (!gCnn) gCnn = ado::Connection::Crear();
    return gCnn;
}
