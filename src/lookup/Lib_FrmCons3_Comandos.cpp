// How the list window ends and what it hands back, its column sort and its command buttons.
#include "lookup/Lib_FrmCons3.h"
#include "outside/ado/CortesSql.h"
#include "outside/controls/ListView.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/ManejadorErrores.h"
#include "services/CNStuffContable.h"

#include <QComboBox>

QString Lib_FrmCons3::ValorDeFila(int fila, const QString& nombre) {
    int p = IndiceColumna(nombre);
    if (p == 0)
        for (int j = 0; j < CmbSearch.size() && j < ListView1->ColumnHeadersCount(); ++j)
            if (CmbSearch[j]->property("campo").toString().compare(vb::Trim(nombre), Qt::CaseInsensitive) ==
                0) {
                p = j + 1;
                break;
            }
    if (p == 0) return QString();
    return p == 1 ? ListView1->ItemText(fila) : ListView1->SubItem(fila, p - 1);
}

QString Lib_FrmCons3::CantidadDeFila(int fila) {
    const int p = IndiceColumna("Cantidad");
    return p > 1 ? ListView1->SubItem(fila, p - 1) : QString();
}

void Lib_FrmCons3::CmdAceptar_Click() {
    if (aceptado_) return;
    vb::ManejadorErrores h("CmdAceptar_Click", [](const vb::ErrorVB& e, const QString& rutina) {
        return CNStuffContable::MensajeError(e, 18, rutina);
    });
    if (!pedido_.Valores) pedido_.Valores = NuevaColeccionValores();
    if (!pedido_.Cantidades) pedido_.Cantidades = NuevaColeccionValores();
    // Quantities come back beside the codes when the list has a "Cantidad" column.
    const bool conCantidades = pedido_.UsaCantidades && IndiceColumna("Cantidad") > 1;
    if (!pedido_.CheckBoxes) {
        const int fila = ListView1->SelectedItem();
        if (fila == 0) {
            hide();
            return;
        }
        QString ultimo;
        if (pedido_.CmpsDevueltos)
            for (int i = 0; i < pedido_.CmpsDevueltos->size(); ++i)
                if (!h.paso([&] {
                        ultimo = ValorDeFila(fila, pedido_.CmpsDevueltos->at(i));
                        pedido_.Valores->append(ultimo);
                    }))
                    return;
        if (!vb::Trim(pedido_.CampoDevuelto).isEmpty())
            if (!h.paso([&] { ultimo = ValorDeFila(fila, pedido_.CampoDevuelto); })) return;
        if (conCantidades) pedido_.Cantidades->append(CantidadDeFila(fila));
        pedido_.ValorDevuelto = ultimo;
    } else {
        if (pedido_.CampoDevuelto.isEmpty()) pedido_.CampoDevuelto = ListView1->ColumnHeaderText(1);
        for (int r = 1; r <= ListView1->ListItemsCount(); ++r)
            if (ListView1->Checked(r))
                if (!h.paso([&] {
                        pedido_.Valores->append(ValorDeFila(r, pedido_.CampoDevuelto));
                        if (conCantidades) pedido_.Cantidades->append(CantidadDeFila(r));
                    }))
                    return;
    }
    aceptado_ = true;
    hide();
}

void Lib_FrmCons3::CmdCancelar_Click() {
    pedido_.ValorDevuelto = QString();
    pedido_.CmpsDevueltos.reset();
    pedido_.Valores.reset();
    hide();
}

void Lib_FrmCons3::ListView1_DblClick() {
    CmdAceptar_Click();
}

void Lib_FrmCons3::CmdNueva_Click() {
    vb::SinDetenerse([&] {
        if (vb::Trim(SqlOriginal_).isEmpty()) return;
        pedido_.Sql = SqlOriginal_;
        Form_Load();
    });
    vb::SinDetenerse([&] { CmbSearch[0]->setFocus(); });
}

void Lib_FrmCons3::CmdTodos_Click() {
    for (int r = 1; r <= ListView1->ListItemsCount(); ++r) ListView1->setChecked(r, !ListView1->Checked(r));
}

void Lib_FrmCons3::CmdNuevo_Click() {
    // An option list has no table whose program could be opened.
    if (vb::Trim(pedido_.Sql).isEmpty()) return;
    const QString t = vb::Trim(TablaConsulta_);
    auto es = [&t](const char* nombre) { return t.compare(QLatin1String(nombre), Qt::CaseInsensitive) == 0; };
    QString opcion = "SHELL:V_TA_TABLAS";
    QString parametro = TablaConsulta_;
    if (es("V_TA_RUBROS") || es("V_TA_UNIDAD")) {
    } else if (es("VT_CLIENTES")) {
        opcion = "SHELL:V_MA_CLIENTES";
        parametro = "1";
    } else if (es("VT_PROVEEDORES")) {
        opcion = "SHELL:V_MA_CLIENTES";
        parametro = "0";
    } else if (es("V_TA_Tecnicos")) {
        opcion = "SHELL:V_TA_Tecnicos";
        parametro.clear();
    } else if (es("V_TA_VENDEDORES")) {
        opcion = "SHELL:V_TA_VENDEDORES";
        parametro.clear();
    } else if (es("V_MA_ARTICULOS") || es("VT_MA_ARTICULOS")) {
        opcion = "SHELL:V_MA_ARTICULOS";
        parametro.clear();
    }
    vb::SinDetenerse([&] {
        int32_t tarea = 0;
        CNStuffContable::EjecutaOpcionMenu(opcion, parametro, tarea);
    });
}

void Lib_FrmCons3::ListView1_ColumnClick(int columna) {
    vb::SinDetenerse([&] {
        ListView1->setSortKey(columna - 1);
        ListView1->setSortOrder(ListView1->SortOrder() == 0 ? 1 : 0);
        ListView1->setSorted(true);
    });
    vb::SinDetenerse([&] {
        const QString titulo = ListView1->ColumnHeaderText(columna);
        if (titulo.contains("fecha", Qt::CaseInsensitive) ||
            titulo.contains("VENCIMIENTO", Qt::CaseInsensitive))
            OrdenarPorFecha(titulo);
    });
}

void Lib_FrmCons3::OrdenarPorFecha(const QString& Cual) {
    // An option list has no statement to query again.
    if (vb::Trim(pedido_.Sql).isEmpty()) return;
    const QString copia = pedido_.Sql;
    // A statement with an ORDER BY of its own keeps it; a value in a condition is no clause.
    if (!ado::TieneClausula(pedido_.Sql, u"order by")) {
        ListView1->setSorted(false);
        ListView1->setSortKey(0);
        pedido_.OrdenarPorLwv = false;
        // A header that is no plain name (blanks, signs) is bracketed, as the server reads names.
        bool simple = !Cual.isEmpty();
        for (const QChar c : Cual) simple = simple && (c.isLetterOrNumber() || c == QLatin1Char('_'));
        pedido_.Sql = pedido_.Sql + " order by " + (simple ? Cual : "[" + Cual + "]");
        if (Cual.compare("fechahorafinromaneo", Qt::CaseInsensitive) == 0) pedido_.Sql += " desc ";
    }
    Form_Load();
    pedido_.Sql = copia;
}
