#include "outside/controls/ListaAccesible.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace vb {

namespace {

QAccessibleInterface* Fabrica(const QString& clase, QObject* objeto) {
    if (clase != QLatin1String("QComboBox")) return nullptr;
    auto* lista = qobject_cast<QComboBox*>(objeto);
    return lista ? new ListaAccesible(lista) : nullptr;
}

}  // namespace

ListaAccesible::ListaAccesible(QComboBox* lista) : QAccessibleWidget(lista, QAccessible::ComboBox) {}

QComboBox* ListaAccesible::lista() const {
    return static_cast<QComboBox*>(widget());
}

QString ListaAccesible::text(QAccessible::Text tipo) const {
    if (tipo == QAccessible::Value)
        return lista()->isEditable() && lista()->lineEdit() ? lista()->lineEdit()->text()
                                                            : lista()->currentText();
    // The name: the accessible name given, else the caption of the label whose buddy it is; a list
    // box with neither (in Qt's own dialogs) is read by the entry it shows, as Qt reads it.
    const QString texto = QAccessibleWidget::text(tipo);
    if (tipo == QAccessible::Name && texto.isEmpty()) return text(QAccessible::Value);
    return texto;
}

QAccessible::State ListaAccesible::state() const {
    QAccessible::State estado = QAccessibleWidget::state();
    estado.expandable = true;
    estado.expanded = lista()->view() && lista()->view()->isVisible();
    estado.editable = lista()->isEditable();
    return estado;
}

int ListaAccesible::childCount() const {
    return lista()->view() ? (lista()->isEditable() && lista()->lineEdit() ? 2 : 1) : 0;
}

QAccessibleInterface* ListaAccesible::child(int indice) const {
    if (indice == 0 && lista()->view()) return QAccessible::queryAccessibleInterface(lista()->view());
    if (indice == 1 && lista()->isEditable() && lista()->lineEdit())
        return QAccessible::queryAccessibleInterface(lista()->lineEdit());
    return nullptr;
}

int ListaAccesible::indexOfChild(const QAccessibleInterface* hijo) const {
    if (!hijo) return -1;
    if (hijo->object() == lista()->view()) return 0;
    if (lista()->isEditable() && hijo->object() == lista()->lineEdit()) return 1;
    return -1;
}

QStringList ListaAccesible::actionNames() const {
    return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
}

void ListaAccesible::doAction(const QString& accion) {
    if (accion == showMenuAction() || accion == pressAction()) {
        if (lista()->view() && lista()->view()->isVisible())
            lista()->hidePopup();
        else
            lista()->showPopup();
        return;
    }
    QAccessibleWidget::doAction(accion);
}

QStringList ListaAccesible::keyBindingsForAction(const QString& accion) const {
    return accion == showMenuAction() ? QStringList{QStringLiteral("Alt+Down")}
                                      : QAccessibleWidget::keyBindingsForAction(accion);
}

void InstalaAccesibilidadListas() {
    static const bool instalada = [] {
        QAccessible::installFactory(&Fabrica);
        return true;
    }();
    Q_UNUSED(instalada);
}

}  // namespace vb
