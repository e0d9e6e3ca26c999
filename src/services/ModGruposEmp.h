#pragma once
// Copying of master-data changes to the points of sale and to the group company. One file per
// topic (ModGruposEmp_*.cpp) under this header.
#include <QString>
#include <cstdint>

class DB_Dll;

namespace ModGruposEmp {

// 1 insert, 2 update (both copy the row: inserted when the target lacks it, updated otherwise),
// 3 delete; any other value copies nothing.
using OperacionGrupo = int32_t;

// The copy target's database object, reconnected to each target in turn.
DB_Dll& gBaseDatosGrupo();

// Copies the change of one row of Tabla (the table marker "@ADMIN_" is removed and the argument
// keeps the cleaned name) to every active terminal whose table group is not opted out, then to
// the group company when the table is copied there. Valor1..Valor6 are the key values in SQL
// form ("'" code "'"); an empty value leaves its key out. Where is an extra condition. A target
// is left untouched when no condition can be built, and a target that does not connect is
// skipped. Reservado and Forzar have no effect.
void ActualizaGEmpresas(QString& Tabla, OperacionGrupo Operacion, const QString& Valor1 = {},
                        const QString& Valor2 = {}, const QString& Valor3 = {}, const QString& Valor4 = {},
                        const QString& Valor5 = {}, const QString& Valor6 = {}, const QString& Where = {},
                        const QString& Reservado = {}, bool Forzar = false);
void ActualizaGEmpresas(const QString& Tabla, OperacionGrupo Operacion, const QString& Valor1 = {},
                        const QString& Valor2 = {}, const QString& Valor3 = {}, const QString& Valor4 = {},
                        const QString& Valor5 = {}, const QString& Valor6 = {}, const QString& Where = {},
                        const QString& Reservado = {}, bool Forzar = false);

// ---- used by the copy ----

// The key columns of a table of the suite, from a fixed rule list; all eight empty for a table
// no rule names.
void ClavesTabla(const QString& Tabla, QString& K1, QString& K2, QString& K3, QString& K4, QString& K5,
                 QString& K6, QString& K7, QString& K8);
// Whether the table is copied to the group company (GRP_ settings).
bool TablaEnGrupo(const QString& Tabla);
// Connects gBaseDatosGrupo to a target; a blank server or database is taken from GRP_Server or
// GRP_Base and written back. The login and password are the database name. Silent: the caller
// reads gBaseDatosGrupo().gOpenFlag.
void ConectaGrupo(QString& Servidor, QString& Base, const QString& Usuario = {});
// The table's columns in the target's schema order, less the five names given (case-blind),
// joined by "," (bracketed with ConCorchetes); their type codes go to Tipos.
QString VerificaCampos(const QString& Tabla, DB_Dll& Base, const QString& Excluido1, const QString& Excluido2,
                       const QString& Excluido3, const QString& Excluido4, bool ConCorchetes, QString& Tipos,
                       const QString& Excluido5 = {});

}  // namespace ModGruposEmp
