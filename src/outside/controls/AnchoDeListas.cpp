#include "outside/controls/AnchoDeListas.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QEvent>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>

namespace vb {

namespace {

const char* const kAncho = "vb_anchoDeLista";

// Keeps one list box's least width on the entry it shows.
class AnchoDeLista : public QObject {
  public:
    explicit AnchoDeLista(QComboBox* lista)
        : QObject(lista), lista_(lista), disenado_(lista->minimumWidth()) {
        setObjectName(kAncho);
        lista->installEventFilter(this);
        connect(lista, &QComboBox::currentIndexChanged, this, &AnchoDeLista::Ajusta);
        QAbstractItemModel* modelo = lista->model();
        connect(modelo, &QAbstractItemModel::modelReset, this, &AnchoDeLista::Ajusta);
        connect(modelo, &QAbstractItemModel::dataChanged, this, &AnchoDeLista::Ajusta);
        Ajusta();
    }

  protected:
    bool eventFilter(QObject*, QEvent* evento) override {
        if (evento->type() == QEvent::FontChange || evento->type() == QEvent::StyleChange) Ajusta();
        return false;
    }

  private:
    void Ajusta() {
        if (lista_ && !lista_->isEditable())
            lista_->setMinimumWidth(std::max(disenado_, AnchoParaEntrada(lista_)));
    }

    QPointer<QComboBox> lista_;
    const int disenado_;
};

}  // namespace

QString ParteVisible(const QString& entrada) {
    // Fifty blanks in a row end what an entry shows.
    static const QString relleno(50, QLatin1Char(' '));
    QString visible = entrada.left(entrada.indexOf(relleno));
    while (visible.endsWith(QLatin1Char(' '))) visible.chop(1);
    return visible;
}

int AnchoParaEntrada(const QComboBox* lista) {
    const int texto = lista->fontMetrics().horizontalAdvance(ParteVisible(lista->currentText()));
    if (texto == 0) return 0;
    // What the box takes around its text, in the style it is drawn with (a skin's borders and
    // padding included), as the box itself asks for room.
    QStyleOptionComboBox opcion;
    opcion.initFrom(lista);
    opcion.editable = lista->isEditable();
    opcion.frame = lista->hasFrame();
    opcion.subControls = QStyle::SC_All;
    opcion.currentText = lista->currentText();
    const QSize contenido(texto, lista->fontMetrics().height());
    const QSize caja = lista->style()->sizeFromContents(QStyle::CT_ComboBox, &opcion, contenido, lista);
    opcion.rect = QRect(QPoint(), caja);
    const QRect campo =
        lista->style()->subControlRect(QStyle::CC_ComboBox, &opcion, QStyle::SC_ComboBoxEditField, lista);
    // A skin draws the label a few pixels into its field: two characters' width more than the text
    // keeps it whole under any of them.
    return caja.width() + std::max(0, texto + 2 * lista->fontMetrics().averageCharWidth() - campo.width());
}

void AnchoDeListas(QWidget* ventana) {
    if (!ventana) return;
    for (QComboBox* lista : ventana->findChildren<QComboBox*>())
        if (!lista->findChild<QObject*>(kAncho, Qt::FindDirectChildrenOnly)) new AnchoDeLista(lista);
}

}  // namespace vb
