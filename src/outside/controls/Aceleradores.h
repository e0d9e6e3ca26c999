#pragma once
// Alt-letter accelerators for a window's field captions: each caption with a buddy box that has
// none yet gets the first letter of its text that no other caption or button of the window uses,
// so every field is reached from the keyboard.
#include <QChar>
#include <QSet>
#include <QString>

class QWidget;

namespace vb {

void AsignaAceleradores(QWidget* ventana);

// The Alt-letters the window's captions and buttons already use, by base letter.
QSet<QChar> LetrasUsadas(const QWidget* ventana);
// The text with an Alt-letter: the first letter of it that is not among `usadas` (then used);
// the text as it is when it has one already or no letter is free.
QString ConAcelerador(const QString& texto, QSet<QChar>& usadas);

}  // namespace vb
