#pragma once
// The common-controls toolbar: buttons by index (from 1) with their text, visibility, enabled
// state and, for a two-state button, its pressed value; ButtonClick names the button pressed.
// Every button takes the focus by Tab and, when the toolbar first shows, an Alt-letter from its
// caption that no other caption or button of its window uses (the button's text stays as given).
#include <QList>
#include <QString>
#include <QToolBar>

class QAction;

namespace vb {

class BarraBotones : public QToolBar {
    Q_OBJECT
  public:
    explicit BarraBotones(QWidget* parent = nullptr);

    // Adds a button; a two-state one keeps its pressed value.
    QAction* AgregaBoton(const QString& texto, bool dosEstados = false);
    // Button i, 1 to Count; null outside.
    QAction* Buttons(int i) const;
    int Count() const { return int(botones_.size()); }
    // 1 pressed, 0 not (two-state buttons).
    int Value(int i) const;
    // Sets the pressed value without raising ButtonClick.
    void setValue(int i, int valor);
    // Presses button i as a user does (raises ButtonClick when it is visible and enabled).
    void Pulsa(int i);

    // Every button stays on the toolbar: a window too small for it scrolls instead of folding
    // buttons away into an overflow menu that no key reaches.
    QSize minimumSizeHint() const override { return sizeHint(); }

  Q_SIGNALS:
    void ButtonClick(QAction* boton);

  protected:
    void showEvent(QShowEvent* e) override;

  private:
    bool conAceleradores_ = false;
    QList<QAction*> botones_;
};

}  // namespace vb
