#pragma once
// Keys as a user's land: on the widget that has the focus, whichever window that is, one
// character at a time; a click inside a control; and a window made the active one, as a click on
// it would.
#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>
#include <QWidget>

namespace teclado {

inline void Tecla(Qt::Key tecla, Qt::KeyboardModifiers modificadores = {}) {
    QWidget* foco = QApplication::focusWidget();
    ASSERT_NE(foco, nullptr) << "no widget has the focus";
    QTest::keyClick(foco, tecla, modificadores);
    QApplication::processEvents();
}

inline void Teclea(const QString& texto) {
    for (QChar c : texto) {
        QWidget* foco = QApplication::focusWidget();
        ASSERT_NE(foco, nullptr) << "no widget has the focus";
        QTest::keyClicks(foco, QString(c));
    }
}

inline void Clic(QWidget* control) {
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(4, control->height() / 2));
    QApplication::processEvents();
}

inline void Activa(QWidget* ventana) {
    QApplication::setActiveWindow(ventana);
    QApplication::processEvents();
}

}  // namespace teclado
