#include "outside/controls/SalidaConTab.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QKeyEvent>

namespace vb {

namespace {

// Ctrl+Tab goes where Tab goes: the key is handed on without Ctrl.
class SinCtrl : public QObject {
  public:
    explicit SinCtrl(QObject* padre) : QObject(padre) {}

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() != QEvent::KeyPress) return false;
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        const bool tab = tecla->key() == Qt::Key_Tab || tecla->key() == Qt::Key_Backtab;
        if (!tab || !(tecla->modifiers() & Qt::ControlModifier) || (tecla->modifiers() & Qt::AltModifier))
            return false;
        QKeyEvent sinCtrl(QEvent::KeyPress, tecla->key(), tecla->modifiers() & ~Qt::ControlModifier,
                          tecla->text());
        QCoreApplication::sendEvent(objeto, &sinCtrl);
        return true;
    }
};

}  // namespace

void SaleConTab(QAbstractItemView* vista) {
    vista->setTabKeyNavigation(false);
    vista->installEventFilter(new SinCtrl(vista));
}

}  // namespace vb
