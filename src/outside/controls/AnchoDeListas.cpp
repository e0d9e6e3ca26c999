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

// Keeps one list box's least width on its entries, once the changes of a moment have settled.
class AnchoDeLista : public QObject {
  public:
    explicit AnchoDeLista(QComboBox* lista)
        : QObject(lista), lista_(lista), disenado_(lista->minimumWidth()) {
        setObjectName(kAncho);
        lista->installEventFilter(this);
        QAbstractItemModel* modelo = lista->model();
        for (auto senal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
            connect(modelo, senal, this, &AnchoDeLista::Pide);
        connect(modelo, &QAbstractItemModel::modelReset, this, &AnchoDeLista::Pide);
        connect(modelo, &QAbstractItemModel::dataChanged, this, &AnchoDeLista::Pide);
        connect(modelo, &QAbstractItemModel::layoutChanged, this, &AnchoDeLista::Pide);
        Ajusta();
    }

  protected:
    bool eventFilter(QObject*, QEvent* evento) override {
        if (evento->type() == QEvent::FontChange || evento->type() == QEvent::StyleChange) Pide();
        return false;
    }

  private:
    void Pide() {
        if (pendiente_) return;
        pendiente_ = true;
        QMetaObject::invokeMethod(
            this, [this] { Ajusta(); }, Qt::QueuedConnection);
    }
    void Ajusta() {
        pendiente_ = false;
        if (lista_) lista_->setMinimumWidth(std::max(disenado_, AnchoParaEntradas(lista_)));
    }

    QPointer<QComboBox> lista_;
    const int disenado_;
    bool pendiente_ = false;
};

}  // namespace

QString ParteVisible(const QString& entrada) {
    // Fifty blanks in a row end what an entry shows.
    static const QString relleno(50, QLatin1Char(' '));
    QString visible = entrada.left(entrada.indexOf(relleno));
    while (visible.endsWith(QLatin1Char(' '))) visible.chop(1);
    return visible;
}

int AnchoParaEntradas(const QComboBox* lista) {
    const QFontMetrics fm = lista->fontMetrics();
    int texto = 0;
    for (int i = 0; i < lista->count(); ++i)
        texto = std::max(texto, fm.horizontalAdvance(ParteVisible(lista->itemText(i))));
    if (texto == 0) return 0;
    // What the box takes around its text: measured on the box the style draws.
    QStyleOptionComboBox opcion;
    opcion.initFrom(lista);
    opcion.editable = lista->isEditable();
    opcion.frame = lista->hasFrame();
    opcion.subControls = QStyle::SC_All;
    opcion.rect = QRect(0, 0, 1000, std::max(lista->height(), lista->sizeHint().height()));
    const QRect campo =
        lista->style()->subControlRect(QStyle::CC_ComboBox, &opcion, QStyle::SC_ComboBoxEditField, lista);
    // The label is drawn a pixel in from each side of its field.
    return texto + opcion.rect.width() - campo.width() + 2 * 2;
}

void AnchoDeListas(QWidget* ventana) {
    if (!ventana) return;
    for (QComboBox* lista : ventana->findChildren<QComboBox*>())
        if (!lista->findChild<QObject*>(kAncho, Qt::FindDirectChildrenOnly)) new AnchoDeLista(lista);
}

}  // namespace vb
