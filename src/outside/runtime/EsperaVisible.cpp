#include "outside/runtime/EsperaVisible.h"

#include "outside/runtime/Programa.h"

#include <QApplication>
#include <QEvent>
#include <QObject>

namespace vb {

namespace {

bool g_enEspera = false;

// Swallows the input that reached the program while it could not take it.
class Descarte : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* e) override {
        // A shortcut is a key too: F4 pressed during the wait must not save again.
        return EsEntradaDelUsuario(e->type()) || e->type() == QEvent::Shortcut ||
               e->type() == QEvent::ShortcutOverride;
    }
};

QApplication* Ventanas() {
    return qobject_cast<QApplication*>(QCoreApplication::instance());
}

}  // namespace

void EmpiezaEspera() {
    if (g_enEspera) return;
    g_enEspera = true;
    if (!Ventanas()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void TerminaEspera() {
    if (!g_enEspera) return;
    g_enEspera = false;
    QApplication* app = Ventanas();
    if (!app) return;
    // What the user typed or clicked during the wait is in the queue now: it is taken out and
    // dropped before the cursor changes back.
    Descarte descarte;
    app->installEventFilter(&descarte);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    app->removeEventFilter(&descarte);
    QApplication::restoreOverrideCursor();
}

bool EnEspera() {
    return g_enEspera;
}

}  // namespace vb
