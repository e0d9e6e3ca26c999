#pragma once
// Globals of the module CNStuffContable that the data layer reads. The services declare the
// rest of the module in their own header.
#include <QString>

class DB_Dll;

namespace CNStuffContable {

// The shared database object, created on first use and kept until the program ends.
DB_Dll& gBaseDatos();
// Replaces the shared object by a new one (tests start each case from a fresh object).
void ReiniciarBaseDatos();

// The application user who is logged in, and the password last typed in the connection form.
extern QString gUsuarioLogeado;
extern QString gPasswordLogeado;
// SS_CONFIDENCIALIDAD is "SI": restricted views also for statements that name MV_ASIENTOS.
extern bool gSSConfidencialidad;

}  // namespace CNStuffContable
