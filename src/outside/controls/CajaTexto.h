#pragma once
// A text box with the events and members the windows' handlers use: KeyDown and KeyPress with
// codes the handler may change (0 swallows the key), the bound column name and a tag.
#include <QLineEdit>
#include <QString>

namespace vb {

class CajaTexto : public QLineEdit {
    Q_OBJECT
  public:
    explicit CajaTexto(QWidget* parent = nullptr);

    QString DataField;
    QString Tag;

    // 0 means no limit.
    int MaxLength() const { return maxLength_; }
    void setMaxLength(int n);
    int SelStart() const { return cursorPosition(); }

    // The widest value the box holds (a code with its level separators, a number): the box asks
    // for that value's width and is never narrower than that value whole, in its font.
    void setMuestra(const QString& muestra);
    QString Muestra() const { return muestra_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // Past the end puts the caret at the end.
    void setSelStart(int n) { setCursorPosition(std::min(n, int(text().size()))); }

  Q_SIGNALS:
    void KeyDown(int& KeyCode, int Shift);
    void KeyPress(int& KeyAscii);
    void GotFocus();
    void LostFocus();
    void Click();

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    int AnchoMuestra() const;
    int maxLength_ = 0;
    QString muestra_;
};

}  // namespace vb
