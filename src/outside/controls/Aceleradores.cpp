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

QSet<QChar> LetrasUsadas(const QWidget* ventana) {
    QSet<QChar> usadas;
    if (!ventana) return usadas;
    for (const QLabel* l : ventana->findChildren<QLabel*>())
        if (const QChar c = LetraDe(l->text()); !c.isNull()) usadas.insert(Base(c));
    for (const QAbstractButton* b : ventana->findChildren<QAbstractButton*>())
        if (const QChar c = LetraDe(b->text()); !c.isNull()) usadas.insert(Base(c));
    return usadas;
}

QString ConAcelerador(const QString& texto, QSet<QChar>& usadas) {
    if (!LetraDe(texto).isNull()) return texto;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar base = Base(texto[i]);
        if (!base.isLetter() || usadas.contains(base)) continue;
        usadas.insert(base);
        return texto.left(i) + '&' + texto.mid(i);
    }
    return texto;
}

void AsignaAceleradores(QWidget* ventana) {
    if (!ventana) return;
    QSet<QChar> usadas = LetrasUsadas(ventana);
    for (QLabel* l : ventana->findChildren<QLabel*>())
        if (l->buddy()) l->setText(ConAcelerador(l->text(), usadas));
}

}  // namespace vb
