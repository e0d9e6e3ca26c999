#pragma once
// The suite's table-driven entry to the lookup: for a table or view name it knows which columns
// hold the description, the code and an extra value, lets the user pick a row through gConsulta
// and hands the chosen code back in campoCodigo (and, on the mask path, the extra value).
#include <QString>

namespace Def_QConsulta {

void ConsultaTabla(QString& tabla, QString& campoDesc, QString& campoCodigo, QString& campoExtra,
                   bool& mostrar, QString& where);

// The mapping alone (the chain and the postal-code step), without any lookup.
void MapeaTabla(QString& tabla, QString& campoDesc, QString& campoCodigo, QString& campoExtra);

}  // namespace Def_QConsulta
