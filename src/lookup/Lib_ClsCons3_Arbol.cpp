// The tree window's side of ConsultaSearch. Until the tree window is part of the program the
// same statement is offered in the list window, with the tree window's members and results.
#include "lookup/Lib_ClsCons3.h"
#include "lookup/Lib_FrmCons3.h"

void MuestraArbolConsulta(Lib_ClsCons3& consulta, const QString& sentencia) {
    Lib_FrmCons3 ventana;
    ventana.Sql = sentencia;
    ventana.CampoDevuelto = consulta.CampoDevuelto;
    ventana.CheckBoxes = consulta.Checks;
    ventana.OrdenarPorLwv = !sentencia.contains("ORDER BY", Qt::CaseInsensitive);
    consulta.Valores.reset();
    ventana.Mostrar();
    consulta.ValorDevuelto = ventana.ValorDevuelto.isValid() ? ventana.ValorDevuelto : QVariant(QString());
    consulta.Valores = ventana.Valores;
    ventana.Descargar();
}
