// Finding a node as the user types, narrowing the statement with F5, rebuilding.
#include "lookup/Lib_FrmCons3Tree.h"

#include "outside/ado/CortesSql.h"
#include "outside/ado/TextoSql.h"
#include "outside/controls/Teclas.h"
#include "outside/runtime/ErrorVB.h"

#include <QComboBox>
#include <QTreeWidget>

namespace {

bool Empieza(const QString& parte, const QString& t) {
    return parte.left(t.size()).compare(t, Qt::CaseInsensitive) == 0;
}

}  // namespace

void Lib_FrmCons3Tree::CmbSearch_Change(int Index) {
    try {
        const QString t = CmbSearch.at(Index)->currentText();
        for (int k = 1; k <= CantidadNodos(); ++k) {
            QTreeWidgetItem* nodo = Nodo(k);
            const QString texto = nodo->text(0);
            const qsizetype p = texto.indexOf('-');
            const QString codigo = p < 0 ? QString() : texto.left(p).trimmed();
            const QString descripcion = p < 0 ? texto.trimmed() : texto.mid(p + 1).trimmed();
            if (Empieza(codigo, t) || Empieza(descripcion, t)) {
                // Brought into view as the tree's EnsureVisible does: its branch opens.
                for (QTreeWidgetItem* p = nodo->parent(); p; p = p->parent()) p->setExpanded(true);
                TreeV->setCurrentItem(nodo);
                TreeV->scrollToItem(nodo);
                return;
            }
        }
    } catch (const vb::ErrorVB&) {
        // The search box skips what fails.
    }
}

void Lib_FrmCons3Tree::CmbSearch_Click(int Index) {
    CmbSearch_Change(Index);
}

QString Lib_FrmCons3Tree::SentenciaF5(const QString& sql, const QString& texto) {
    // Cut on the statement's own clauses, never inside an earlier search text; the typed text is
    // one quoted value.
    const qsizetype cola = ado::PosicionCola(sql);
    const QString conector = ado::TieneClausula(sql, u"where") ? " and " : " where ";
    return sql.left(cola) + conector + "Descripcion" + " like " + ado::LiteralTexto("%" + texto + "%") + " " +
           sql.mid(cola);
}

void Lib_FrmCons3Tree::CmbSearch_KeyDown(int Index, int& KeyCode, int) {
    QComboBox* caja = CmbSearch.at(Index);
    switch (KeyCode) {
        case vb::vbKeyF5:
            caja->setProperty("Tag", "Descripcion");
            pedido_.Sql = SentenciaF5(pedido_.Sql, caja->currentText());
            {
                const QSignalBlocker quieto(caja);  // emptying the box is no search
                caja->setEditText(QString());
            }
            Form_Load();
            break;
        case vb::vbKeyDown:
        case vb::vbKeyUp:
        case vb::vbKeyPageDown:
        case vb::vbKeyPageUp:
            TreeV->setFocus();
            break;
        default:
            break;
    }
}

void Lib_FrmCons3Tree::CmdNueva_Click() {
    try {
        Arma();
    } catch (const vb::ErrorVB&) {
        // The button skips what fails.
    }
}
