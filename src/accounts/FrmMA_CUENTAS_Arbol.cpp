// The chart as a tree: the full rebuild, the node of a saved account, the node click and keys.
#include "accounts/FrmMA_CUENTAS.h"

#include "accounts/FilasCuentas.h"
#include "data/DB_Dll.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/TreeView.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/ManejadorErrores.h"
#include "outside/runtime/Pantalla.h"
#include "outside/runtime/Programa.h"
#include "personalizados/GrillaPersonalizados.h"
#include "services/CNStuffContable.h"

#include <QComboBox>
#include <QLayout>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTreeWidgetItem>

using CNStuffContable::gBaseDatos;

namespace {

// The accounts of the tree, in code order; customers and suppliers only when the settings ask.
QString SentenciaArbol(bool sinDesde, bool sinClientes) {
    const QString base = "SELECT CODIGO,DESCRIPCION,TITULO FROM MA_Cuentas WHERE DADA_DE_BAJA = 0 ";
    if (!sinClientes) return base + (sinDesde ? "ORDER BY codigo" : "ORDER BY CODIGO");
    if (sinDesde)
        return base + "AND (TIPOVISTA<>'CL' AND TIPOVISTA <> 'PR' OR TIPOVISTA IS NULL) ORDER BY codigo";
    return base + "AND (TIPOVISTA <> 'CL' AND TIPOVISTA <> 'PR' OR TIPOVISTA IS NULL) ORDER BY CODIGO";
}

}  // namespace

void FrmMA_CUENTAS::EnlazaArbolYGrilla() {
    if (arbolYGrillaEnlazados_) return;
    arbolYGrillaEnlazados_ = true;
    connect(TreeV, &vb::TreeView::NodeClick, this, [this](const QString& clave) { TreeV_NodeClick(clave); });
    connect(TreeV, &vb::TreeView::KeyPress, this, [this](int& k) { TreeV_KeyPress(k); });
    Personalizados();
}

personalizados::GrillaPersonalizados& FrmMA_CUENTAS::Personalizados() {
    if (!personalizados_)
        personalizados_ = new personalizados::GrillaPersonalizados(
            MSFlexGrid1, TxtEdit, personalizados::GrillaPersonalizados::FormaCuentas(), this);
    return *personalizados_;
}

void FrmMA_CUENTAS::AsignarPersonalizados(vb::FlexGrid* grilla, const ado::RecordsetPtr& rs) {
    EnlazaArbolYGrilla();
    if (grilla == MSFlexGrid1) Personalizados().AsignarPersonalizados(rs);
}

void FrmMA_CUENTAS::ArmarTreeVAutomatico(const QString& Desde) {
    EnlazaArbolYGrilla();
    vb::ManejadorErrores h("ArmarTreeVAutomatico", maker::gUtilidades().Reportero());
    QString ajuste;
    if (!h.paso([&] {
            ajuste = vb::Trim(CNStuffContable::Cfg("PlanCuentas_ClyPr"));
            if (ajuste.isEmpty()) ajuste = "NO";
        }))
        return;
    const bool sinClientes = ajuste.compare("NO", Qt::CaseInsensitive) == 0;
    const QString sql = SentenciaArbol(Desde.isNull(), sinClientes);

    if (!h.paso([&] {
            TreeV->Clear();
            TreeV->setRootIsDecorated(true);
            TreeV->Add(QString(), vb::TreeView::tvwLast, "A", "Plan General de Cuentas")->setExpanded(true);
        }))
        return;

    QList<QList<QVariant>> filas;
    if (!cuentas::LeeFilas(h, sql, filas)) return;

    // The nodes are made in one pass; the view gets the items it shows at the end.
    TreeV->IniciarCarga();
    CuelgaCuentas(h, filas);
    TreeV->TerminarCarga();
    // The title list is rebuilt with the tree, so a rebuild never leaves it empty: its titles are
    // among the rows just read.
    LlenaComboTitulo(h, filas);
}

void FrmMA_CUENTAS::CuelgaCuentas(vb::ManejadorErrores& h, const QList<QList<QVariant>>& filas) {
    auto& u = maker::gUtilidades();
    const qsizetype n = filas.isEmpty() ? 0 : filas[0].size();
    rotuloMasAncho_.clear();
    qsizetype largoMasHondo = 0, anchoMasHondo = 0;
    int masAncho = -1;
    TreeV->Reserva(n + 1);
    // The current node and the nodes above it, with the lengths of their keys.
    struct Nivel {
        int nodo;
        qsizetype largo;
    };
    QList<Nivel> camino{{TreeV->Indice("A"), 1}};
    for (qsizetype i = 0; i < n;) {
        const QString codigo = u.TextoCampo(filas[0][i]);
        const qsizetype largo = codigo.size() + 1;  // of its key, "A" and the code
        if (CNStuffContable::gCancelaArbol) {
            CNStuffContable::gCancelaArbol = false;
            break;
        }
        const qsizetype d = largo - camino.last().largo;
        if (d < 0) {
            // Climb, and look at the same row again.
            if (camino.size() > 1)
                camino.removeLast();
            else
                ++i;
            continue;
        }
        // Rows come in code order: the next sibling of the current node is its parent's last child.
        if (d == 0 && camino.size() < 2) {
            ++i;
            continue;
        }
        const int padre = d == 0 ? camino[camino.size() - 2].nodo : camino.last().nodo;
        int nuevo = -1;
        const bool sigue = h.paso([&] {
            QString descripcion = u.TextoCampo(filas[1][i]);
            const qsizetype ancho = codigo.size() + 3 + descripcion.size();
            // A code twice gets no node: the row is left out.
            nuevo = TreeV->AgregaCodigo(padre, codigo, std::move(descripcion));
            if (nuevo < 0) return;
            if (codigo.size() > largoMasHondo || (codigo.size() == largoMasHondo && ancho > anchoMasHondo)) {
                largoMasHondo = codigo.size();
                anchoMasHondo = ancho;
                masAncho = nuevo;
            }
        });
        if (!sigue) break;
        if (nuevo >= 0) {
            if (d == 0) camino.removeLast();
            camino.append({nuevo, largo});
        }
        ++i;
    }
    if (masAncho >= 0) rotuloMasAncho_ = TreeV->TextoDe(masAncho);
}

void FrmMA_CUENTAS::ActualizaTreeV(const QString& Clave, const QString& Texto) {
    using namespace CNStuffContable;
    vb::ManejadorErrores h("ActualizaTreev", maker::gUtilidades().Reportero());
    const int n = int(Clave.size());
    int p = n;
    if (n > gPosCapitulo) {
        const int limites[] = {gPosSubcapitulo, gPosRubro, gPosSubrubro, gPosCuenta, gPosSubcuenta};
        const int anchos[] = {gDigitosSubcapitulo, gDigitosRubro, gDigitosSubrubro, gDigitosCuenta,
                              gDigitosSubcuenta};
        const int finAnterior[] = {gPosCapitulo, gPosSubcapitulo, gPosRubro, gPosSubrubro, gPosCuenta};
        p = 0;
        for (int k = 0; k < 5; ++k)
            if (n <= limites[k]) {
                p = std::min(n - finAnterior[k], anchos[k]);
                break;
            }
    }
    vb::Sleep(100);
    const QString clave = "A" + Clave;
    if (TreeV->Existe(clave)) {
        TreeV->update();
        return;
    }
    const QString padre = "A" + Clave.left(n - p);
    if (!TreeV->Existe(padre)) return;
    h.paso([&] {
        QTreeWidgetItem* nodo = TreeV->Add(padre, vb::TreeView::tvwChild, clave, Clave + " - " + Texto);
        nodo->setExpanded(true);
        TreeV->update();
    });
}

void FrmMA_CUENTAS::Treev_Estado(bool estado) {
    vb::ManejadorErrores h("Treev_Estado", maker::gUtilidades().Reportero());
    if (!h.paso([&] { MostrarArbol = estado; })) return;
    if (!h.paso([&] { TreeV->setVisible(estado); })) return;
    h.paso([&] { ArmarTreeVAutomatico(" "); }) && h.paso([&] { AjustaAnchoArbol(); });
}

void FrmMA_CUENTAS::AjustaAnchoArbol() {
    if (!divisor_ || TreeV->isHidden() || !isVisible()) return;
    const bool propio = anchoArbol_ <= 0;
    int ancho = anchoArbol_;
    if (propio) {
        // The deepest node lies one indentation per level in, plus the root's decoration.
        int niveles = 1;
        for (int n = TreeV->Indice("A" + rotuloMasAncho_.section(' ', 0, 0)); n >= 0; n = TreeV->PadreDe(n))
            ++niveles;
        const QFontMetrics fm = TreeV->fontMetrics();
        ancho = TreeV->indentation() * niveles + fm.horizontalAdvance(rotuloMasAncho_) +
                2 * TreeV->frameWidth() + TreeV->verticalScrollBar()->sizeHint().width() +
                2 * fm.averageCharWidth();
    }
    const int resto = divisor_->widget(1)->minimumSizeHint().width() + divisor_->handleWidth();
    int total = divisor_->width();
    // The window grows toward its screen's edge for the tree before the fields give up room.
    if (ancho + resto > total && !isMaximized() && !isFullScreen() && screen()) {
        const int libre = screen()->availableGeometry().right() - frameGeometry().right();
        const int crece = std::min(ancho + resto - total, libre);
        if (crece > 0) {
            resize(width() + crece, height());
            if (layout()) layout()->activate();
            total = divisor_->width();
        }
    }
    // Attached, the tree never leaves the window past the screen's edge.
    vb::MantieneEnPantalla(this);
    // Unasked, the tree takes at most half the room; a longer label scrolls.
    if (propio) ancho = std::min(ancho, total / 2);
    ancho = std::max(0, std::min(ancho, total - resto));
    divisor_->setSizes({ancho, total - ancho - divisor_->handleWidth()});
}

void FrmMA_CUENTAS::TreeV_NodeClick(const QString& clave) {
    const QString codigo = clave.mid(1);
    // Kept as it is: the code field and the box take the shown account's code back, not the node's.
    if (!DejaLaCuentaMostrada(codigo)) {
        VuelveALaCuentaMostrada(1);
        return;
    }
    txtFields[1]->setText(QString());
    const bool hallada =
        gBaseDatos().ExisteEnTabla("MA_CUENTAS", codigo, "Codigo", rsCuentas, 8, QString(), true);
    if (hallada) {
        txtFields[1]->setText(maker::gUtilidades().TextoCampo(rsCuentas->valor("Codigo")));
        Campo_Valida(1, txtFields[1]);
        update();
    } else {
        txtFields[0]->setText(QString());
        txtFields[1]->setText(QString());
    }
}

void FrmMA_CUENTAS::TreeV_KeyPress(int& KeyAscii) {
    vb::CajaTexto* descripcion = txtFields[0];
    descripcion->setFocus();
    descripcion->setSelStart(int(vb::Trim(descripcion->text()).size()));
    KeyAscii = 0;
}

void FrmMA_CUENTAS::TreeV_BeforeLabelEdit(bool& Cancel) {
    Cancel = true;
}

void FrmMA_CUENTAS::TreeV_AfterLabelEdit(bool& Cancel, const QString&) {
    Cancel = true;
}
