// Finding a node as the user types, narrowing the statement with F5, rebuilding.
#include "lookup/Lib_FrmCons3Tree.h"

#include "outside/ado/CortesSql.h"
#include "outside/ado/TextoSql.h"
#include "outside/controls/Teclas.h"
#include "outside/controls/TreeView.h"
#include "outside/runtime/ErrorVB.h"

#include <QComboBox>

void Lib_FrmCons3Tree::CmbSearch_Change(int Index) {
    try {
        const QString t = CmbSearch.at(Index)->currentText();
        for (int k = 1; k <= CantidadNodos(); ++k) {
            // A node's text is its code, " - " and its description: split at its first "-".
            const int n = TreeV->IndiceEn(k);
            const QStringView codigo = TreeV->CodigoDe(n);
            const qsizetype p = codigo.indexOf(u'-');
            bool halla = false;
            if (codigo.isNull()) {
                halla = TreeV->DescripcionDe(n).trimmed().startsWith(t, Qt::CaseInsensitive);
            } else if (p < 0) {
                halla = codigo.trimmed().startsWith(t, Qt::CaseInsensitive) ||
                        TreeV->DescripcionDe(n).trimmed().startsWith(t, Qt::CaseInsensitive);
            } else {
                QString resto = codigo.mid(p + 1).toString();
                resto += QLatin1String(" - ");
                resto += TreeV->DescripcionDe(n);
                halla = codigo.left(p).trimmed().startsWith(t, Qt::CaseInsensitive) ||
                        QStringView(resto).trimmed().startsWith(t, Qt::CaseInsensitive);
            }
            if (halla) {
                QTreeWidgetItem* nodo = TreeV->Item(n);
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
