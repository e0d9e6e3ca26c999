#include "outside/controls/Teclas.h"

#include "outside/runtime/Conversiones.h"

#include <QKeyEvent>

namespace vb {

int EstadoShift(Qt::KeyboardModifiers m) {
    int s = 0;
    if (m & Qt::ShiftModifier) s |= 1;
    if (m & Qt::ControlModifier) s |= 2;
    if (m & Qt::AltModifier) s |= 4;
    return s;
}

int CodigoTeclaVB(const QKeyEvent* e) {
    const int k = e->key();
    switch (k) {
        case Qt::Key_Backspace:
            return vbKeyBack;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return vbKeyTab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return vbKeyReturn;
        case Qt::Key_Escape:
            return vbKeyEscape;
        case Qt::Key_Space:
            return vbKeySpace;
        case Qt::Key_PageUp:
            return vbKeyPageUp;
        case Qt::Key_PageDown:
            return vbKeyPageDown;
        case Qt::Key_End:
            return vbKeyEnd;
        case Qt::Key_Home:
            return vbKeyHome;
        case Qt::Key_Left:
            return vbKeyLeft;
        case Qt::Key_Up:
            return vbKeyUp;
        case Qt::Key_Right:
            return vbKeyRight;
        case Qt::Key_Down:
            return vbKeyDown;
        case Qt::Key_Insert:
            return vbKeyInsert;
        case Qt::Key_Delete:
            return vbKeyDelete;
        case Qt::Key_Shift:
            return 16;
        case Qt::Key_Control:
            return 17;
        case Qt::Key_Alt:
            return 18;
        default:
            break;
    }
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return vbKeyF1 + (k - Qt::Key_F1);
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return k;
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return k;
    if (k == Qt::Key_Period) return 190;
    if (k == Qt::Key_Comma) return 188;
    if (k == Qt::Key_Minus) return 189;
    return 0;
}

int CodigoAsciiVB(const QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
            return 9;
        default:
            break;
    }
    const QString t = e->text();
    if (t.isEmpty()) return 0;
    const QChar c = t.at(0);
    if (c.unicode() < 32 && c.unicode() != 8) return 0;
    // The keypad's decimal key types the separator of the number locale, whatever the layout.
    if ((e->modifiers() & Qt::KeypadModifier) && (c == QLatin1Char('.') || c == QLatin1Char(',')))
        return localeNumeros().decimalPoint().at(0).unicode();
    return c.unicode();
}

QColor ColorDeVB(long bgr) {
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

long ColorAVB(const QColor& c) {
    return long(c.red()) | (long(c.green()) << 8) | (long(c.blue()) << 16);
}

}  // namespace vb
