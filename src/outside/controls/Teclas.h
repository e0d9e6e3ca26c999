#pragma once
// Key codes as the windows' handlers know them (the Windows virtual-key codes) and colours
// as they store them (0x00BBGGRR).
#include <QColor>

class QKeyEvent;

namespace vb {

enum CodigoTecla : int {
    vbKeyBack = 8,
    vbKeyTab = 9,
    vbKeyReturn = 13,
    vbKeyEscape = 27,
    vbKeySpace = 32,
    vbKeyPageUp = 33,
    vbKeyPageDown = 34,
    vbKeyEnd = 35,
    vbKeyHome = 36,
    vbKeyLeft = 37,
    vbKeyUp = 38,
    vbKeyRight = 39,
    vbKeyDown = 40,
    vbKeyInsert = 45,
    vbKeyDelete = 46,
    // The function keys run on from F1: F5 (116) is the lookup key everywhere.
    vbKeyF1 = 112,
    vbKeyF2,
    vbKeyF3,
    vbKeyF4,
    vbKeyF5,
    vbKeyF6,
    vbKeyF7,
    vbKeyF8,
    vbKeyF9,
    vbKeyF10,
    vbKeyF11,
    vbKeyF12,
};

// Shift argument of the key events: 1 Shift, 2 Ctrl, 4 Alt.
int EstadoShift(Qt::KeyboardModifiers m);
// The key code of a key event (0 when the key has none).
int CodigoTeclaVB(const QKeyEvent* e);
// The character code a key press delivers (0 for keys without a character).
int CodigoAsciiVB(const QKeyEvent* e);

// Twips: 15 to a pixel.
inline int PixelesDeTwips(int twips) {
    return twips / 15;
}
inline int TwipsDePixeles(int pixeles) {
    return pixeles * 15;
}

QColor ColorDeVB(long bgr);
long ColorAVB(const QColor& c);

}  // namespace vb
