#pragma once
// Nobody answers a window in a test run. While alive: a prompt through the program's dialogs
// with no script in place fails the test at once, naming its text, and answers Cancel; a modal
// loop that stays open anyway (a dialog shown by hand) fails the test after a short grace,
// naming the window and its text, and the window is closed so that the run goes on.
#include "support/DialogosGuionados.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

class VigiaModal : public QObject {
  public:
    VigiaModal();
    ~VigiaModal() override;

    // What the test would wait on: the window's kind, caption and texts.
    static QString Describe(QWidget* ventana);

  private:
    void revisa();

    DialogosGuionados sinGuion_;
    QTimer reloj_;
    int revisiones_ = 0;  // since the loop and its window were first seen
    QPointer<QWidget> vista_;
    int nivel_ = 0;
};
