#include "outside/runtime/DialogosQt.h"

#include "outside/runtime/Pantalla.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QHash>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QWidget>

namespace vb {

namespace {

struct Boton {
    QMessageBox::StandardButton qt;
    const char* texto;
    int respuesta;
};

// Each caption carries its Alt-letter, unique within every set of buttons below.
const Boton kAceptar{QMessageBox::Ok, "&Aceptar", vbOK};
const Boton kCancelar{QMessageBox::Cancel, "&Cancelar", vbCancel};
const Boton kAnular{QMessageBox::Abort, "&Anular", vbAbort};
const Boton kReintentar{QMessageBox::Retry, "&Reintentar", vbRetry};
const Boton kOmitir{QMessageBox::Ignore, "&Omitir", vbIgnore};
const Boton kSi{QMessageBox::Yes, "&Sí", vbYes};
const Boton kNo{QMessageBox::No, "&No", vbNo};

// The buttons of each VB style, left to right, and the one Escape answers with (none: Escape
// and the close button do nothing, the user must choose).
struct Botonera {
    QList<Boton> botones;
    const Boton* escape;
};

Botonera botonera(int estilo) {
    switch (estilo & 7) {
        case vbOKCancel:
            return {{kAceptar, kCancelar}, &kCancelar};
        case vbAbortRetryIgnore:
            return {{kAnular, kReintentar, kOmitir}, nullptr};
        case vbYesNoCancel:
            return {{kSi, kNo, kCancelar}, &kCancelar};
        case vbYesNo:
            return {{kSi, kNo}, nullptr};
        case vbRetryCancel:
            return {{kReintentar, kCancelar}, &kCancelar};
        default:
            return {{kAceptar}, &kAceptar};
    }
}

QMessageBox::Icon icono(int estilo) {
    switch (estilo & 0x70) {
        case vbCritical:
            return QMessageBox::Critical;
        case vbQuestion:
            return QMessageBox::Question;
        case vbExclamation:
            return QMessageBox::Warning;
        case vbInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

// A dialog that takes its own size on the screen it opens on (a message box's width depends on
// the screen's), then is placed inside that screen.
template <class Dialogo>
class Encajado : public Dialogo {
  public:
    using Dialogo::Dialogo;

  protected:
    void showEvent(QShowEvent* e) override {
        if (QScreen* pantalla = PantallaDe(this)) this->move(pantalla->availableGeometry().topLeft());
        Dialogo::showEvent(e);
        EncajaEnPantalla(this);
    }
};

class CajaMensaje : public Encajado<QMessageBox> {
  public:
    using Encajado<QMessageBox>::Encajado;
    bool sinEscape = false;

  protected:
    // A message longer than the screen opens at its first line: the text takes the keyboard
    // first (Tab goes on to the buttons, Enter and Escape answer as ever) and its keys scroll it.
    void showEvent(QShowEvent* e) override {
        Encajado<QMessageBox>::showEvent(e);
        auto* area = findChild<QScrollArea*>(QString(), Qt::FindDirectChildrenOnly);
        auto* texto = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        if (!ContenidoDesplazable(this) || !area || !texto || texto->hasFocus()) return;
        texto->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        texto->setFocusPolicy(Qt::StrongFocus);
        texto->installEventFilter(this);
        texto->setFocus(Qt::OtherFocusReason);
        area->verticalScrollBar()->setValue(0);
        area->horizontalScrollBar()->setValue(0);
    }
    bool eventFilter(QObject* objeto, QEvent* e) override {
        auto* area = findChild<QScrollArea*>(QString(), Qt::FindDirectChildrenOnly);
        if (e->type() != QEvent::KeyPress || !area || objeto == area)
            return Encajado<QMessageBox>::eventFilter(objeto, e);
        switch (static_cast<QKeyEvent*>(e)->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_Left:
            case Qt::Key_Right:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
                QApplication::sendEvent(area, e);
                return true;
            case Qt::Key_Home:
                area->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
                return true;
            case Qt::Key_End:
                area->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
                return true;
            default:
                return Encajado<QMessageBox>::eventFilter(objeto, e);
        }
    }
    // A message box sizes itself again on every layout request; once its contents scroll in a
    // screen too small for it, its size is the screen's and stays so.
    bool event(QEvent* e) override {
        if (e->type() == QEvent::LayoutRequest && ContenidoDesplazable(this)) return QDialog::event(e);
        return Encajado<QMessageBox>::event(e);
    }
    void keyPressEvent(QKeyEvent* e) override {
        if (sinEscape && e->key() == Qt::Key_Escape) {
            e->accept();
            return;
        }
        Encajado<QMessageBox>::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent* e) override {
        if (sinEscape) {
            e->ignore();
            return;
        }
        Encajado<QMessageBox>::closeEvent(e);
    }
};

// Ends the modal loop when the form is hidden (Hide or Unload), not when it is minimised.
class VigiaDeOcultar : public QObject {
  public:
    VigiaDeOcultar(QEventLoop& bucle) : bucle_(bucle) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Hide && !e->spontaneous()) bucle_.quit();
        return false;
    }

  private:
    QEventLoop& bucle_;
};

// The window last given the keyboard back by a modal one that closed. The window system confirms
// its activation later: until it does, no window is active, and a modal window opened meanwhile
// (a second message in a row) still comes from it.
QPointer<QWidget>& ventanaDevuelta() {
    static QPointer<QWidget> ventana;
    return ventana;
}

QWidget* ventanaActiva() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* activa = QApplication::activeWindow(); activa && activa->isVisible()) return activa;
    QWidget* devuelta = ventanaDevuelta();
    return devuelta && devuelta->isVisible() ? devuelta : nullptr;
}

// The window a modal one comes from, and the control that had the keyboard there, get the
// keyboard back when the modal one closes. Without a window manager nobody else gives it back,
// and the keys typed next would be lost.
class DevuelveTeclado {
  public:
    DevuelveTeclado() : ventana_(ventanaActiva()) {
        QWidget* foco = QApplication::focusWidget();
        if (!ventana_ && foco) ventana_ = foco->window();
        // The control of that window that has, or will have once it is active, the keyboard.
        if (ventana_ && (!foco || foco->window() != ventana_)) foco = ventana_->focusWidget();
        foco_ = foco;
    }
    ~DevuelveTeclado() {
        if (!ventana_ || !ventana_->isVisible()) return;
        ventana_->activateWindow();
        ventanaDevuelta() = ventana_;
        if (foco_ && foco_->window() == ventana_ && foco_->isVisible() && foco_->isEnabled())
            foco_->setFocus(Qt::ActiveWindowFocusReason);
    }
    DevuelveTeclado(const DevuelveTeclado&) = delete;
    DevuelveTeclado& operator=(const DevuelveTeclado&) = delete;

  private:
    QPointer<QWidget> ventana_;
    QPointer<QWidget> foco_;
};

}  // namespace

int DialogosQt::MsgBox(const QString& texto, int estilo, const QString& titulo) {
    const DevuelveTeclado devuelve;
    const Botonera b = botonera(estilo);
    CajaMensaje caja(icono(estilo), titulo, texto, QMessageBox::NoButton, ventanaActiva());
    caja.setTextFormat(Qt::PlainText);
    QHash<QAbstractButton*, int> respuestas;
    QList<QPushButton*> botones;
    for (const Boton& boton : b.botones) {
        QPushButton* p = caja.addButton(boton.qt);
        p->setText(QString::fromUtf8(boton.texto));
        respuestas.insert(p, boton.respuesta);
        botones << p;
        if (b.escape != nullptr && b.escape->respuesta == boton.respuesta) caja.setEscapeButton(p);
    }
    caja.sinEscape = b.escape == nullptr;
    const int porDefecto = (estilo >> 8) & 3;
    caja.setDefaultButton(botones.value(porDefecto < botones.size() ? porDefecto : 0));
    caja.exec();
    const auto it = respuestas.constFind(caja.clickedButton());
    if (it != respuestas.constEnd()) return it.value();
    return b.escape != nullptr ? b.escape->respuesta : vbCancel;
}

QString DialogosQt::InputBox(const QString& texto, const QString& titulo, const QString& porDefecto) {
    const DevuelveTeclado devuelve;
    Encajado<QInputDialog> dialogo(ventanaActiva());
    dialogo.setWindowTitle(titulo);
    dialogo.setLabelText(texto);
    dialogo.setTextValue(porDefecto);
    dialogo.setOkButtonText("&Aceptar");
    dialogo.setCancelButtonText("&Cancelar");
    if (dialogo.exec() != QDialog::Accepted) return {};
    return dialogo.textValue();
}

void DialogosQt::MostrarModal(QWidget* formulario) {
    if (formulario == nullptr) return;
    const DevuelveTeclado devuelve;
    QPointer<QWidget> vigilado(formulario);
    const Qt::WindowModality antes = formulario->windowModality();
    // Modality is taken when the window is shown; a form already on screen is shown again.
    const bool aLaVista = formulario->isVisible();
    if (aLaVista) formulario->hide();
    formulario->setWindowModality(Qt::ApplicationModal);
    if (!aLaVista) EncajaEnPantalla(formulario);
    formulario->show();
    if (vigilado && formulario->isVisible()) {
        QEventLoop bucle;
        VigiaDeOcultar vigia(bucle);
        formulario->installEventFilter(&vigia);
        QObject::connect(formulario, &QObject::destroyed, &bucle, &QEventLoop::quit);
        bucle.exec(QEventLoop::DialogExec);
        if (vigilado) formulario->removeEventFilter(&vigia);
    }
    if (vigilado && !formulario->isVisible()) formulario->setWindowModality(antes);
}

QString DialogosQt::AbrirArchivo(const QString& titulo, const QString& filtro, bool* cancelado) {
    const DevuelveTeclado devuelve;
    Encajado<QFileDialog> dialogo(ventanaActiva(), titulo, QString(), filtroQt(filtro));
    dialogo.setFileMode(QFileDialog::ExistingFile);
    dialogo.setAcceptMode(QFileDialog::AcceptOpen);
    const QString archivo =
        dialogo.exec() == QDialog::Accepted ? dialogo.selectedFiles().value(0) : QString();
    if (cancelado != nullptr) *cancelado = archivo.isEmpty();
    return archivo;
}

QString DialogosQt::filtroQt(const QString& filtro) {
    if (!filtro.contains(QLatin1Char('|'))) return filtro;
    const QStringList partes = filtro.split(QLatin1Char('|'));
    QStringList filtros;
    for (qsizetype i = 0; i + 1 < partes.size(); i += 2) {
        QStringList patrones = partes[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patrones) p = p.trimmed();
        filtros << QString("%1 (%2)").arg(partes[i].trimmed(), patrones.join(QLatin1Char(' ')));
    }
    return filtros.join(";;");
}

}  // namespace vb
