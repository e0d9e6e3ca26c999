#include "outside/runtime/Aplicacion.h"

#include "outside/controls/AccesoInmediato.h"
#include "outside/controls/ListaAccesible.h"
#include "outside/controls/ListasDesplegadas.h"
#include "outside/runtime/Dialogos.h"

#include <QEvent>
#include <QLibraryInfo>
#include <QMetaEnum>
#include <QObject>
#include <QPointer>
#include <QProxyStyle>
#include <QTranslator>

namespace vb {

namespace {

// VB's run-time "internal error": what the operator is told for an error the program did not raise.
constexpr int32_t kErrorInterno = 51;

AvisoErrorEvento& Aviso() {
    static AvisoErrorEvento aviso;
    return aviso;
}

QString NombreEvento(QEvent::Type tipo) {
    switch (tipo) {
        case QEvent::KeyPress:
            return "KeyDown";
        case QEvent::KeyRelease:
            return "KeyUp";
        case QEvent::MouseButtonPress:
            return "MouseDown";
        case QEvent::MouseButtonRelease:
            return "MouseUp";
        case QEvent::MouseButtonDblClick:
            return "DblClick";
        case QEvent::FocusIn:
            return "GotFocus";
        case QEvent::FocusOut:
            return "LostFocus";
        case QEvent::Close:
            return "Unload";
        default:
            break;
    }
    const char* clave = QMetaEnum::fromType<QEvent::Type>().valueToKey(tipo);
    return clave ? QString::fromLatin1(clave) : QString::number(int(tipo));
}

// The platform's look, with one change: a list box opens its list below the box, a few rows
// high and scrolled, never as a menu over the whole screen however many rows it holds.
class EstiloPrograma : public QProxyStyle {
  public:
    int styleHint(StyleHint pista, const QStyleOption* opcion, const QWidget* control,
                  QStyleHintReturn* retorno) const override {
        if (pista == SH_ComboBox_Popup) return 0;
        return QProxyStyle::styleHint(pista, opcion, control, retorno);
    }
};

}  // namespace

Aplicacion::Aplicacion(int& argc, char** argv) : QApplication(argc, argv) {
    InstalaTraduccionQt();
    InstalaAccesibilidadListas();
    InstalaListasDesplegadas();
    InstalaAccesoInmediato();
    setStyle(new EstiloPrograma);
}

bool InstalaTraduccionQt() {
    static QTranslator* instalada = nullptr;
    if (instalada) return true;
    auto* traduccion = new QTranslator(QCoreApplication::instance());
    if (!traduccion->load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(traduccion)) {
        delete traduccion;
        return false;
    }
    instalada = traduccion;
    return true;
}

bool Aplicacion::notify(QObject* receptor, QEvent* evento) {
    // The handler may destroy its receiver before the error leaves it.
    const QPointer<QObject> vivo(receptor);
    try {
        return QApplication::notify(receptor, evento);
    } catch (const std::exception& e) {
        AvisaErrorEvento(e, RutinaDeEvento(vivo.data(), evento));
    }
    return true;
}

void setAvisoErrorEvento(AvisoErrorEvento aviso) {
    Aviso() = std::move(aviso);
}

void AvisaErrorEvento(const std::exception& error, const QString& rutina) {
    const auto* propio = dynamic_cast<const ErrorVB*>(&error);
    if (propio && propio->Informado) return;
    const ErrorVB e = propio && propio->Number != 0
                          ? *propio
                          : ErrorVB(kErrorInterno, "Error interno: " + QString::fromLocal8Bit(error.what()));
    if (Aviso()) {
        Aviso()(e, rutina);
        return;
    }
    MsgBox("Ha ocurrido el Siguiente Error (" + QString::number(e.Number) + ") " + e.Description,
           vbOKOnly + vbCritical, rutina + " Aviso al operador!!! ");
}

void ComoEvento(const QString& rutina, const std::function<void()>& paso) {
    try {
        paso();
    } catch (const std::exception& e) {
        AvisaErrorEvento(e, rutina);
    }
}

QString RutinaDeEvento(const QObject* receptor, const QEvent* evento) {
    const QObject* nombrado = receptor;
    while (nombrado && nombrado->objectName().isEmpty()) nombrado = nombrado->parent();
    QString control = nombrado ? nombrado->objectName() : QString();
    if (control.isEmpty() && receptor) {
        control = QString::fromLatin1(receptor->metaObject()->className());
        control = control.mid(control.lastIndexOf(':') + 1);
    }
    const QString nombreEvento = evento ? NombreEvento(evento->type()) : QString();
    return control.isEmpty() ? nombreEvento : control + "_" + nombreEvento;
}

}  // namespace vb
