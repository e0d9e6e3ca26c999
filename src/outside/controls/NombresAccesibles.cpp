#include "outside/controls/NombresAccesibles.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>

namespace vb {

namespace {

// The caption without its Alt-letter mark ("&&" is an ampersand).
QString SinMarca(const QString& texto) {
    QString limpio;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        if (texto[i] == QLatin1Char('&') && i + 1 < texto.size()) ++i;
        limpio += texto[i];
    }
    return limpio.trimmed();
}

}  // namespace

void NombraControles(QWidget* ventana) {
    if (!ventana) return;
    for (const QLabel* etiqueta : ventana->findChildren<QLabel*>()) {
        QWidget* control = etiqueta->buddy();
        if (!control) continue;
        // A list box's own list, when it opens, is named by the box's caption.
        if (auto* lista = qobject_cast<QComboBox*>(control))
            if (lista->view()->accessibleName().isEmpty())
                lista->view()->setAccessibleName(SinMarca(etiqueta->text()));
        if (!control->accessibleName().isEmpty()) continue;
        if (!qobject_cast<QAbstractButton*>(control) && !qobject_cast<QAbstractItemView*>(control)) continue;
        control->setAccessibleName(SinMarca(etiqueta->text()));
    }
    // A list box named without a label names its list too.
    for (QComboBox* lista : ventana->findChildren<QComboBox*>())
        if (lista->view()->accessibleName().isEmpty() && !lista->accessibleName().isEmpty())
            lista->view()->setAccessibleName(lista->accessibleName());
}

}  // namespace vb
