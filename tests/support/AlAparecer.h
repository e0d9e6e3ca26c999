#pragma once
// A modal window the program's own Qt dialogs open, answered as a user answers it: the action
// runs on it as soon as it is the modal window; a window that never comes fails the test.
#include <gtest/gtest.h>
#include <QApplication>
#include <QTimer>
#include <functional>
#include <memory>

template <class T>
void AlAparecer(std::function<void(T*)> accion) {
    auto* reloj = new QTimer;
    auto intentos = std::make_shared<int>(0);
    reloj->setInterval(5);
    QObject::connect(reloj, &QTimer::timeout, [reloj, accion, intentos] {
        if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget())) {
            reloj->stop();
            reloj->deleteLater();
            accion(w);
        } else if (++*intentos > 1000) {
            reloj->stop();
            reloj->deleteLater();
            ADD_FAILURE() << "El diálogo no apareció";
        }
    });
    reloj->start();
}
