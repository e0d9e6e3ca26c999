#include "support/Pantallas.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QToolBar>
#include <QWidget>

namespace {

bool EsControl(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QTabBar*>(w);
}

// Its contents are moved by a scroll bar of its own (a strip of boxes wider than the window).
bool SeDesplaza(const QWidget* w) {
    for (const QScrollBar* b : w->findChildren<QScrollBar*>(QString(), Qt::FindDirectChildrenOnly))
        if (b->isVisible() && b->maximum() > b->minimum()) return true;
    return false;
}

QString Rect(const QRect& r) {
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

}  // namespace

bool EsParteDeOtroControl(const QWidget* w, const QWidget* hasta) {
    if (w->objectName().startsWith(QLatin1String("qt_"))) return true;
    for (const QWidget* p = w->parentWidget(); p && p != hasta; p = p->parentWidget())
        if ((qobject_cast<const QAbstractScrollArea*>(p) && !qobject_cast<const QScrollArea*>(p)) ||
            qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractSpinBox*>(p) ||
            qobject_cast<const QTabBar*>(p))
            return true;
    return false;
}

testing::AssertionResult EnteraEnPantalla(QWidget* v, QScreen* pantalla, bool centrada) {
    if (!v || !v->isVisible()) return testing::AssertionFailure() << "la ventana no está a la vista";
    const QString nombre = v->objectName() + " \"" + v->windowTitle() + "\"";
    if (v->screen() != pantalla)
        return testing::AssertionFailure() << nombre.toStdString() << " abrió en otra pantalla";
    const QRect area = pantalla->availableGeometry();
    const QRect marco = v->frameGeometry();
    if (!area.contains(marco))
        return testing::AssertionFailure() << nombre.toStdString() << ": marco " << Rect(marco).toStdString()
                                           << " fuera de " << Rect(area).toStdString();
    const QPoint corrido = marco.center() - area.center();
    if (centrada && (std::abs(corrido.x()) > 1 || std::abs(corrido.y()) > 1))
        return testing::AssertionFailure() << nombre.toStdString() << ": marco " << Rect(marco).toStdString()
                                           << " no centrado en " << Rect(area).toStdString();
    QWidget* contenido = v;
    if (auto* d = v->findChild<QScrollArea*>("vb_desplazamiento", Qt::FindDirectChildrenOnly)) {
        contenido = d->widget();
        // Contents larger than the screen: the window takes the whole screen that way.
        if ((d->verticalScrollBar()->maximum() > 0 && marco.height() < area.height() - 2) ||
            (d->horizontalScrollBar()->maximum() > 0 && marco.width() < area.width() - 2))
            return testing::AssertionFailure()
                   << nombre.toStdString() << ": marco " << Rect(marco).toStdString()
                   << " desplaza su contenido sin llenar " << Rect(area).toStdString();
    }
    for (QWidget* c : contenido->findChildren<QWidget*>()) {
        if (!c->isVisible() || c->isWindow() || !EsControl(c) || EsParteDeOtroControl(c, contenido)) continue;
        QRect r = c->rect();
        for (QWidget* w = c; w != contenido; w = w->parentWidget()) {
            r.translate(w->pos());
            // What a scroll bar of its parent moves into view is held by that parent.
            if (SeDesplaza(w->parentWidget())) r = w->parentWidget()->rect();
            if (!w->parentWidget()->rect().contains(r))
                return testing::AssertionFailure()
                       << nombre.toStdString() << ": " << c->objectName().toStdString() << " ("
                       << c->metaObject()->className() << ") cortado en " << Rect(r).toStdString() << " de "
                       << w->parentWidget()->objectName().toStdString() << " "
                       << Rect(w->parentWidget()->rect()).toStdString();
        }
    }
    return testing::AssertionSuccess();
}

namespace {

// Where a line edit draws its text, as it measures it itself.
QRect AreaDeTexto(const QLineEdit* e) {
    QStyleOptionFrame opcion;
    opcion.initFrom(e);
    opcion.rect = e->contentsRect();
    opcion.lineWidth = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opcion, e) : 0;
    opcion.midLineWidth = 0;
    opcion.state |= QStyle::State_Sunken;
    if (e->isReadOnly()) opcion.state |= QStyle::State_ReadOnly;
    const QRect r = e->style()->subElementRect(QStyle::SE_LineEditContents, &opcion, e);
    return r.marginsRemoved(e->textMargins()).adjusted(2, 0, -2, 0);
}

QRect AreaDeTexto(const QComboBox* c) {
    QStyleOptionComboBox opcion;
    opcion.initFrom(c);
    opcion.editable = c->isEditable();
    opcion.frame = c->hasFrame();
    opcion.currentText = c->currentText();
    opcion.subControls = QStyle::SC_All;
    return c->style()->subControlRect(QStyle::CC_ComboBox, &opcion, QStyle::SC_ComboBoxEditField, c);
}

bool EsCodigoONumero(const QString& texto) {
    static const QRegularExpression patron(QStringLiteral("^\\s*[-+]?[0-9][0-9.,\\-]*\\s*$"));
    return patron.match(texto).hasMatch();
}

}  // namespace

testing::AssertionResult ValoresEnteros(QWidget* ventana) {
    for (QLineEdit* e : ventana->findChildren<QLineEdit*>()) {
        if (!e->isVisible() || qobject_cast<QComboBox*>(e->parentWidget())) continue;
        const QString texto = e->displayText().trimmed();
        if (!EsCodigoONumero(texto)) continue;
        const int ancho = e->fontMetrics().horizontalAdvance(texto);
        if (ancho > AreaDeTexto(e).width())
            return testing::AssertionFailure()
                   << e->objectName().toStdString() << " muestra \"" << texto.toStdString() << "\" (" << ancho
                   << " px) en " << AreaDeTexto(e).width() << " px";
    }
    // A list box shows its entry whole; the title list's entries hold their code out of sight behind
    // a long filler of blanks by design, and show what comes before it.
    static const QRegularExpression relleno(QStringLiteral(" {50}.*$"));
    for (QComboBox* c : ventana->findChildren<QComboBox*>()) {
        if (!c->isVisible()) continue;
        QString texto = c->currentText();
        texto.remove(relleno);
        while (texto.endsWith(' ')) texto.chop(1);
        if (texto.trimmed().isEmpty()) continue;
        const int ancho = c->fontMetrics().horizontalAdvance(texto);
        // A skin draws the label five pixels into its field.
        const int area = AreaDeTexto(c).width() - 6;
        if (ancho > area)
            return testing::AssertionFailure()
                   << c->objectName().toStdString() << " muestra \"" << texto.trimmed().toStdString()
                   << "\" (" << ancho << " px) en " << area << " px";
    }
    return testing::AssertionSuccess();
}
