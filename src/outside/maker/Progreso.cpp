#include "outside/maker/Progreso.h"

#include "outside/runtime/Pantalla.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace maker {

Progreso& gProgreso() {
    static Progreso instancia;
    return instancia;
}

Progreso::~Progreso() {
    if (ventana_ && QCoreApplication::instance()) delete ventana_.data();
}

void Progreso::crear() {
    if (ventana_) return;
    ventana_ = new QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    ventana_->setWindowModality(Qt::ApplicationModal);
    ventana_->setMinimumWidth(360);
    auto* capa = new QVBoxLayout(ventana_);
    titulo_ = new QLabel(ventana_);
    QFont negrita = titulo_->font();
    negrita.setBold(true);
    titulo_->setFont(negrita);
    texto_ = new QLabel(ventana_);
    detalle_ = new QLabel(ventana_);
    cancelar_ = new QPushButton(QStringLiteral("Cancelar"), ventana_);
    capa->addWidget(titulo_);
    capa->addWidget(texto_);
    capa->addWidget(detalle_);
    capa->addWidget(cancelar_, 0, Qt::AlignRight);
    QObject::connect(cancelar_, &QPushButton::clicked, ventana_, [this] { cancelado_ = true; });
}

void Progreso::Mostrar(const QString& titulo, bool permiteCancelar) {
    crear();
    cancelado_ = false;
    ventana_->setWindowTitle(titulo);
    titulo_->setText(titulo);
    texto_->clear();
    detalle_->clear();
    textoActual_.clear();
    detalleActual_.clear();
    cancelar_->setVisible(permiteCancelar);
    ventana_->setEnabled(true);
    if (!ventana_->isVisible()) vb::EncajaEnPantalla(ventana_);
    ventana_->show();
    ventana_->raise();
    QCoreApplication::processEvents();
    refresco_.start();
}

bool Progreso::Avance(bool& cancelar, const QString& texto, const QString& detalle) {
    if (ventana_) {
        textoActual_ = texto;
        detalleActual_ = detalle;
        // The window is application-modal: only its own button can take input here. A long run
        // of quick steps repaints (and sees a click) a few dozen times a second, not at every step.
        if (!refresco_.isValid() || refresco_.elapsed() >= 40) {
            texto_->setText(texto);
            detalle_->setText(detalle);
            QCoreApplication::processEvents();
            refresco_.start();
        }
    }
    if (AlAvanzar) AlAvanzar(*this);
    cancelar = cancelado_;
    return cancelar;
}

void Progreso::Ocultar() {
    if (ventana_) ventana_->hide();
    refresco_.invalidate();
}

void Progreso::Habilitar(bool habilitado) {
    if (!ventana_) return;
    // The window shows the step it stands at while it waits (a question is on screen).
    texto_->setText(textoActual_);
    detalle_->setText(detalleActual_);
    ventana_->setEnabled(habilitado);
}

bool Progreso::Habilitada() const {
    return ventana_ && ventana_->isEnabled();
}

bool Progreso::Visible() const {
    return ventana_ && ventana_->isVisible();
}
QString Progreso::Titulo() const {
    return ventana_ ? ventana_->windowTitle() : QString();
}
QString Progreso::Texto() const {
    return ventana_ ? textoActual_ : QString();
}
QString Progreso::Detalle() const {
    return ventana_ ? detalleActual_ : QString();
}

}  // namespace maker
