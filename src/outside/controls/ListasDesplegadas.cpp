#include "outside/controls/ListasDesplegadas.h"

#include "outside/controls/AnchoDeListas.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QScreen>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace vb {

namespace {

// The width the list's widest entry takes as its delegate draws it: the text the entry shows and
// the room the delegate puts around a text.
int AnchoDeEntradas(const QComboBox* lista, QAbstractItemView* vista, bool* colaOculta) {
    const QFontMetrics medidas = vista->fontMetrics();
    QStyleOptionViewItem opcion;
    opcion.initFrom(vista);
    opcion.font = vista->font();
    opcion.fontMetrics = medidas;
    int ancho = 0;
    for (int i = 0; i < lista->count(); ++i) {
        const QString entrada = lista->itemText(i);
        const QString visible = ParteVisible(entrada);
        if (visible.size() < entrada.trimmed().size()) *colaOculta = true;
        if (visible.isEmpty()) continue;
        const QModelIndex indice = lista->model()->index(i, lista->modelColumn(), lista->rootModelIndex());
        const int alrededor =
            vista->itemDelegate()->sizeHint(opcion, indice).width() - medidas.horizontalAdvance(entrada);
        ancho = std::max(ancho, medidas.horizontalAdvance(visible) + std::max(0, alrededor));
    }
    return ancho;
}

// Widens a list box's list as it is shown, inside the screen of its box.
void Ensancha(QWidget* desplegable, QComboBox* lista) {
    QAbstractItemView* vista = lista->view();
    if (!vista || !lista->screen()) return;
    bool colaOculta = false;
    const int entradas = AnchoDeEntradas(lista, vista, &colaOculta);
    // A tail kept out of sight is cut at the list's edge, not shortened with an ellipsis into view.
    vista->setTextElideMode(colaOculta ? Qt::ElideNone : Qt::ElideRight);
    const int alrededor = desplegable->width() - vista->viewport()->width();
    const QRect area = lista->screen()->availableGeometry();
    const int ancho = std::min(std::max(desplegable->width(), entradas + alrededor), area.width());
    if (ancho == desplegable->width()) return;
    QRect marco = desplegable->geometry();
    marco.setWidth(ancho);
    if (marco.right() > area.right()) marco.moveLeft(std::max(area.left(), area.right() + 1 - ancho));
    desplegable->setGeometry(marco);
}

class VigiaDesplegables : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() != QEvent::Show || !objeto->isWidgetType()) return false;
        auto* desplegable = static_cast<QWidget*>(objeto);
        if (!desplegable->isWindow()) return false;
        if (auto* lista = qobject_cast<QComboBox*>(desplegable->parentWidget());
            lista && lista->view() && desplegable->isAncestorOf(lista->view()))
            Ensancha(desplegable, lista);
        return false;
    }
};

}  // namespace

void InstalaListasDesplegadas() {
    static const bool instalada = [] {
        qApp->installEventFilter(new VigiaDesplegables(qApp));
        return true;
    }();
    Q_UNUSED(instalada);
}

}  // namespace vb
