#include "support/VigiaModal.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QThread>
#include <cstdio>
#include <cstdlib>

namespace {
// Long enough for a test that answers its own dialog from a timer, short enough not to wait. Counted
// in revisions, not on the clock: a process the machine holds back for a while has not waited on
// its dialog for that while, and a test's own timer due first still runs first.
constexpr int kRevisionMs = 100;
constexpr int kRevisionesDeGracia = 20;
}  // namespace

VigiaModal::VigiaModal() {
    reloj_.setInterval(kRevisionMs);
    QObject::connect(&reloj_, &QTimer::timeout, this, [this] { revisa(); });
    reloj_.start();
}

VigiaModal::~VigiaModal() = default;

QString VigiaModal::Describe(QWidget* ventana) {
    if (ventana == nullptr) return "ninguna ventana";
    QStringList partes{QString::fromLatin1(ventana->metaObject()->className()) + " \"" +
                       ventana->windowTitle() + "\""};
    if (auto* caja = qobject_cast<QMessageBox*>(ventana)) {
        partes << caja->text();
    } else if (auto* entrada = qobject_cast<QInputDialog*>(ventana)) {
        partes << entrada->labelText();
    } else {
        for (QLabel* l : ventana->findChildren<QLabel*>())
            if (!l->text().isEmpty()) partes << l->text();
    }
    QStringList botones;
    for (QAbstractButton* b : ventana->findChildren<QAbstractButton*>())
        if (b->isVisible() && !b->text().isEmpty()) botones << b->text();
    if (!botones.isEmpty()) partes << "botones: " + botones.join(", ");
    return partes.join(" | ");
}

void VigiaModal::revisa() {
    const int nivel = QThread::currentThread()->loopLevel();
    QWidget* modal = QApplication::activeModalWidget();
    if (nivel == 0) {
        vista_.clear();
        nivel_ = 0;
        return;
    }
    if (nivel != nivel_ || modal != vista_) {
        nivel_ = nivel;
        vista_ = modal;
        revisiones_ = 0;
        return;
    }
    if (++revisiones_ < kRevisionesDeGracia) return;
    const QString que = Describe(modal);
    ADD_FAILURE() << "La prueba espera una ventana que nadie contesta: " << que.toStdString();
    revisiones_ = 0;
    if (modal == nullptr) {
        // A loop with no window to close: the process ends, and the shard's runner names the
        // test and runs the rest.
        std::fprintf(stderr, "Bucle de eventos sin ventana que cerrar; termina el proceso\n");
        std::fflush(stderr);
        std::abort();
    }
    if (auto* dialogo = qobject_cast<QDialog*>(modal))
        dialogo->reject();
    else
        modal->hide();
}
