#pragma once
// A user's hands: each key goes where a user's key lands, the focused widget of the active window
// (a code search or a message may have taken it), and a click lands inside the control.
#include <QApplication>
#include <QString>
#include <QTest>
#include <QWidget>

namespace teclado {

inline void Pulsa(Qt::Key tecla, Qt::KeyboardModifiers mod = {}) {
    QTest::keyClick(QApplication::focusWidget(), tecla, mod);
    QApplication::processEvents();
}

// Key by key: the first key may move the keyboard elsewhere (a code search opening).
inline void Teclea(const QString& texto) {
    for (QChar c : texto) QTest::keyClicks(QApplication::focusWidget(), QString(c));
}

inline void Clic(QWidget* control) {
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(4, control->height() / 2));
    QApplication::processEvents();
}

}  // namespace teclado
