#pragma once
// A list box as assistive technology sees it: named by its caption (its own accessible name, else
// the label it is the buddy of), valued by the entry it shows; its list and, when it takes typing,
// its text box are its children, and it opens its list on request. Qt's own interface names a list
// box by the entry it shows on this platform, so a screen reader would never read its caption.
#include <QAccessibleWidget>

class QComboBox;

namespace vb {

class ListaAccesible : public QAccessibleWidget {
  public:
    explicit ListaAccesible(QComboBox* lista);

    QString text(QAccessible::Text tipo) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int indice) const override;
    int indexOfChild(const QAccessibleInterface* hijo) const override;

    QStringList actionNames() const override;
    void doAction(const QString& accion) override;
    QStringList keyBindingsForAction(const QString& accion) const override;

  private:
    QComboBox* lista() const;
};

// Every list box of the program is seen through ListaAccesible; called once, before any is shown.
void InstalaAccesibilidadListas();

}  // namespace vb
