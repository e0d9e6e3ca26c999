#include "outside/controls/CajaTexto.h"

#include "outside/controls/Teclas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionFrame>

namespace vb {

CajaTexto::CajaTexto(QWidget* parent) : QLineEdit(parent) {}

void CajaTexto::setMaxLength(int n) {
    maxLength_ = std::max(n, 0);
    QLineEdit::setMaxLength(maxLength_ == 0 ? 32767 : maxLength_);
}

void CajaTexto::setMuestra(const QString& muestra) {
    muestra_ = muestra;
    updateGeometry();
}

int CajaTexto::AnchoMuestra() const {
    if (muestra_.isEmpty()) return 0;
    // As the line edit measures its own text: its inner margin of 2 on each side, its text and
    // content margins, then the style's frame around them; one more for the caret.
    const QMargins texto = textMargins(), contenido = contentsMargins();
    const int ancho = fontMetrics().horizontalAdvance(muestra_) + 2 * 2 + 1 + texto.left() + texto.right() +
                      contenido.left() + contenido.right();
    QStyleOptionFrame opcion;
    initStyleOption(&opcion);
    return style()->sizeFromContents(QStyle::CT_LineEdit, &opcion, QSize(ancho, height()), this).width();
}

QSize CajaTexto::sizeHint() const {
    QSize s = QLineEdit::sizeHint();
    if (!muestra_.isEmpty()) s.setWidth(AnchoMuestra());
    return s;
}

QSize CajaTexto::minimumSizeHint() const {
    QSize s = QLineEdit::minimumSizeHint();
    s.setWidth(std::max(s.width(), AnchoMuestra()));
    return s;
}

void CajaTexto::keyPressEvent(QKeyEvent* e) {
    int codigo = CodigoTeclaVB(e);
    if (codigo != 0) {
        Q_EMIT KeyDown(codigo, EstadoShift(e->modifiers()));
        if (codigo == 0) return;
        // A handler that ended the edit (hid the box or moved the focus) has taken the key.
        if (!isVisible() || !hasFocus()) return;
    }
    int ascii = CodigoAsciiVB(e);
    if (ascii == 0) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    // What the key itself would type; the keypad's decimal key may stand for another character.
    const int tecleado = e->text().isEmpty() ? ascii : e->text().at(0).unicode();
    Q_EMIT KeyPress(ascii);
    if (ascii == 0) return;
    if (ascii == 13 || ascii == 27) return;  // a single-line box takes no line break
    if (ascii == tecleado) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    if (ascii == 8) {
        backspace();
        return;
    }
    insert(QString(QChar(ascii)));
}

void CajaTexto::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    Q_EMIT GotFocus();
}

void CajaTexto::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    Q_EMIT LostFocus();
}

void CajaTexto::mouseReleaseEvent(QMouseEvent* e) {
    QLineEdit::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton) Q_EMIT Click();
}

}  // namespace vb
