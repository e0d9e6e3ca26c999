#include "outside/controls/Aceleradores.h"

#include <QAbstractButton>
#include <QLabel>
#include <QSet>
#include <QWidget>

namespace vb {

namespace {

// The letter after a single '&' ("&&" is a literal ampersand), folded to its base letter.
QChar LetraDe(const QString& texto) {
    for (qsizetype i = 0; i + 1 < texto.size(); ++i) {
        if (texto[i] != '&') continue;
        if (texto[i + 1] == '&') {
            ++i;
            continue;
        }
        return texto[i + 1].toLower();
    }
    return {};
}

QChar Base(QChar c) {
    const QString d = QString(c).normalized(QString::NormalizationForm_D);
    return d.isEmpty() ? c : d[0].toLower();
}

}  // namespace

void AsignaAceleradores(QWidget* ventana) {
    if (!ventana) return;
    QSet<QChar> usadas;
    const QList<QLabel*> etiquetas = ventana->findChildren<QLabel*>();
    for (const QLabel* l : etiquetas)
        if (const QChar c = LetraDe(l->text()); !c.isNull()) usadas.insert(Base(c));
    for (const QAbstractButton* b : ventana->findChildren<QAbstractButton*>())
        if (const QChar c = LetraDe(b->text()); !c.isNull()) usadas.insert(Base(c));
    for (QLabel* l : etiquetas) {
        if (!l->buddy() || !LetraDe(l->text()).isNull()) continue;
        const QString texto = l->text();
        for (qsizetype i = 0; i < texto.size(); ++i) {
            const QChar base = Base(texto[i]);
            if (!base.isLetter() || usadas.contains(base)) continue;
            usadas.insert(base);
            l->setText(texto.left(i) + '&' + texto.mid(i));
            break;
        }
    }
}

}  // namespace vb
