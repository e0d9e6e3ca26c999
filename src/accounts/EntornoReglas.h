#pragma once
// What the chart's account rules read and write through, for both windows that hold them (the
// chart and the manual): the shared database object, so that a user who is not an administrator
// reads what the restricted views show him, while what lies below or around an account is asked
// of the company's tables themselves.
#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "outside/maker/ReglasCuentas.h"
#include "services/CNStuffContable.h"

namespace cuentas {

inline maker::ReglasCuentas::Entorno EntornoReglas() {
    maker::ReglasCuentas::Entorno e;
    e.abrir = [](const QString& sql) {
        QString s = sql;
        ado::RecordsetPtr rs;
        DB_Dll& db = CNStuffContable::gBaseDatos();
        db.AbrirRecordset(s, rs, db.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
        return rs;
    };
    e.ejecutar = [](const QString& sql) {
        QString s = sql;
        return CNStuffContable::gBaseDatos().EjecutaConsultaSQL(s);
    };
    e.niveles = [] {
        using namespace CNStuffContable;
        LeeDigitosNiveles();
        return std::array<int, 6>{gDigitosCapitulo, gDigitosSubcapitulo, gDigitosRubro,
                                  gDigitosSubrubro, gDigitosCuenta,      gDigitosSubcuenta};
    };
    e.hayFilas = [](const QString& tabla, const QString& condicion) {
        return CNStuffContable::gBaseDatos().HayFilasReales(tabla, condicion);
    };
    return e;
}

}  // namespace cuentas
