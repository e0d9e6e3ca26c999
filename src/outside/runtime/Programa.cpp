#include "outside/runtime/Programa.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QPointer>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <vector>

namespace vb {

namespace {

AppInfo leerApp() {
    AppInfo app;
    app.EXEName = "indajuste";
    app.Title = app.EXEName;
    if (QCoreApplication::instance() == nullptr) {
        app.Path = QDir::currentPath();
        return app;
    }
    app.Path = QCoreApplication::applicationDirPath();
    // A name the program set itself is its title; the default one is just the file name.
    const QString nombre = QCoreApplication::applicationName();
    if (!nombre.isEmpty() && nombre != QFileInfo(QCoreApplication::applicationFilePath()).fileName())
        app.Title = nombre;
    app.Command = QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));
    return app;
}

// Holds back the input that reaches the event queue while the pump runs (the window system's
// input is already held back by processEvents) and posts it again afterwards, in order.
class RetenedorDeEntrada : public QObject {
  public:
    bool eventFilter(QObject* destino, QEvent* e) override {
        if (!EsEntradaDelUsuario(e->type())) return false;
        retenidos_.push_back({QPointer<QObject>(destino), std::unique_ptr<QEvent>(e->clone())});
        return true;
    }
    void devolver() {
        for (auto& r : retenidos_)
            if (r.destino) QCoreApplication::postEvent(r.destino, r.evento.release());
        retenidos_.clear();
    }

  private:
    struct Retenido {
        QPointer<QObject> destino;
        std::unique_ptr<QEvent> evento;
    };
    std::vector<Retenido> retenidos_;
};

int& nivelDoEvents() {
    static int nivel = 0;
    return nivel;
}

std::function<void(int)>& ganchoPausa() {
    static std::function<void(int)> g;
    return g;
}

std::function<void()>& ganchoFin() {
    static std::function<void()> g;
    return g;
}

}  // namespace

bool EsEntradaDelUsuario(QEvent::Type t) {
    switch (t) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TouchCancel:
        case QEvent::TabletPress:
        case QEvent::TabletMove:
        case QEvent::TabletRelease:
        case QEvent::ContextMenu:
        case QEvent::NativeGesture:
            return true;
        default:
            return false;
    }
}

AppInfo& App() {
    static AppInfo app = leerApp();
    return app;
}

void DoEvents() {
    QCoreApplication* aplicacion = QCoreApplication::instance();
    if (aplicacion == nullptr) return;
    if (nivelDoEvents() > 0) {
        // The outer pump already holds the input back.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return;
    }
    RetenedorDeEntrada retenedor;
    aplicacion->installEventFilter(&retenedor);
    ++nivelDoEvents();
    struct Salida {
        QCoreApplication* app;
        RetenedorDeEntrada& r;
        ~Salida() {
            --nivelDoEvents();
            app->removeEventFilter(&r);
            r.devolver();
        }
    } salida{aplicacion, retenedor};
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void Sleep(int milisegundos) {
    if (ganchoPausa())
        ganchoPausa()(milisegundos);
    else if (milisegundos > 0)
        QThread::msleep(static_cast<unsigned long>(milisegundos));
}

void setPausa(std::function<void(int)> pausa) {
    ganchoPausa() = std::move(pausa);
}

void End() {
    if (ganchoFin()) ganchoFin()();
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::exit(0);
}

void setFinDelPrograma(std::function<void()> gancho) {
    ganchoFin() = std::move(gancho);
}

std::function<void()> finDelPrograma() {
    return ganchoFin();
}

}  // namespace vb
