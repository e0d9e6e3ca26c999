#include "services/ModGruposEmp.h"

#include "support/ImprimeQt.h"

#include <gtest/gtest.h>
#include <QStringList>

namespace {

QStringList Claves(const QString& tabla) {
    QString k[8] = {"x", "x", "x", "x", "x", "x", "x", "x"};
    ModGruposEmp::ClavesTabla(tabla, k[0], k[1], k[2], k[3], k[4], k[5], k[6], k[7]);
    QStringList resultado;
    for (const QString& c : k) resultado << c;
    while (!resultado.isEmpty() && resultado.last().isEmpty()) resultado.removeLast();
    return resultado;
}

}  // namespace

TEST(TableKeys, OneCasePerRuleGroupInOrder) {
    const struct {
        const char* tabla;
        QStringList claves;
    } casos[] = {
        {"@ADMIN_MA_CUENTAS", {"codigo"}},
        {"ma_cuentas", {"codigo"}},
        {"MA_CUENTASADIC", {"CODIGO"}},
        {"MA_CUENTASCCOSTO_UNEG", {"CODIGO", "CCOSTO", "UNEGOCIO"}},
        {"MA_CUENTAS_USUARIOS", {"GrupoUser", "Cuenta"}},
        {"V_TA_Rubros", {"IDRubro"}},
        {"V_TA_Bancos", {"IDBanco"}},
        {"V_TA_Cajas", {"IDCajas"}},
        {"V_TA_CPRA_VTA", {"IDCOND_CPRA_VTA"}},
        {"TA_Deposito", {"IDDeposito"}},
        {"TA_TipoArticulo", {"IDTIPO"}},
        {"P_TA_Areas", {"IDAreas"}},
        {"P_TA_Grupos", {"IDGrupo"}},
        {"P_TA_Funciones", {"IDFunciones"}},
        {"TA_CPRA_VTA", {"CODIGO"}},
        {"TA_CONFIGURACION", {"Clave"}},
        {"TA_TAREAS", {"USUARIO", "SISTEMA", "TAREA"}},
        {"MA_CONTACTOS_CUENTAS", {"IDCONTACTO", "CUENTA"}},
        {"MA_CONTROL", {"id"}},
        {"MA_PROVEEDORES", {"Codigo", "Razon_Social"}},
        {"MA_CLIENTES", {"Codigo", "Codigo_sucursal"}},
        {"MA_ESTADOS", {"ID"}},
        {"MA_CASH-GRUPO", {"CODIGO_CASH"}},
        {"MA_OTRA", {"Codigo"}},
        {"[MA_CAJAS]", {"Codigo", "nombre"}},
        {"[MA_OTRA]", {}},
        {"MV_PROYECTOS", {"ID", "ASUNTO"}},
        {"MV_OTRA", {}},
        {"V_MV_CPTEDOC", {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "DOCUMENTO"}},
        {"v_ta_vendedorescm", {"idvendedor"}},
        {"C_MV_CPTE", {"TC", "IDCOMPROBANTE", "CUENTA"}},
        {"NINGUNA", {}},
    };
    for (const auto& c : casos) EXPECT_EQ(Claves(c.tabla), c.claves) << c.tabla;

    // All eight filled, and a name of no rule clears what the outputs held.
    EXPECT_EQ(Claves("MV_ASIENTOS").size(), 8);
    EXPECT_EQ(Claves("MV_ASIENTOS").value(6), "[NUMERO ASIENTO]");
}
