#pragma once
// The screens the suite's offscreen platform has beside the usual one (support/pantallas.json),
// and the font sizes windows are tried at. At 200 % scaling a 1024x768 screen is, to the program,
// a 512x384 one at the usual font; QT_FONT_DPI=144 or 192 is the usual screen at a font half as
// large again or twice as large.
#include <gtest/gtest.h>
#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QString>

// The suite's screen of that name ("1280x1024", "1024x768", "640x512", "512x384"); null when the
// platform has none (a test run on a real display).
inline QScreen* PantallaDePrueba(const QString& nombre) {
    for (QScreen* s : QGuiApplication::screens())
        if (s->name() == nombre) return s;
    return nullptr;
}

// The application's font at a factor of its size while alive.
class LetraEscalada {
  public:
    explicit LetraEscalada(double factor) : antes_(QApplication::font()) {
        QFont f = antes_;
        f.setPointSizeF(antes_.pointSizeF() * factor);
        QApplication::setFont(f);
    }
    ~LetraEscalada() { QApplication::setFont(antes_); }
    LetraEscalada(const LetraEscalada&) = delete;
    LetraEscalada& operator=(const LetraEscalada&) = delete;

  private:
    QFont antes_;
};

// One way a user's screen may be: its size and scaling, as the program sees them.
struct Configuracion {
    const char* nombre;    // as a user says it
    const char* pantalla;  // the suite's screen
    double letra;          // the font's factor
};

// At the usual font, 150 % and 200 % (font DPI), and 200 % scaling, on 1280x1024 and 1024x768.
inline const Configuracion kConfiguraciones[] = {
    {"1280x1024 al 100 %", "1280x1024", 1.0},        {"1280x1024, letra al 150 %", "1280x1024", 1.5},
    {"1280x1024, letra al 200 %", "1280x1024", 2.0}, {"1280x1024, escala al 200 %", "640x512", 1.0},
    {"1024x768 al 100 %", "1024x768", 1.0},          {"1024x768, letra al 150 %", "1024x768", 1.5},
    {"1024x768, letra al 200 %", "1024x768", 2.0},   {"1024x768, escala al 200 %", "512x384", 1.0},
};

// A part of another control (a list box's own line, a view's scroll bars), which that control
// places and names, or one of Qt's own helpers; `hasta` is where the search for that control stops.
bool EsParteDeOtroControl(const QWidget* control, const QWidget* hasta);

// The window is on the screen given, its whole frame (title bar included) inside the available
// area (and centred there, as a window opens), and every control of it lies whole inside the
// window or inside the contents its scroll area moves.
testing::AssertionResult EnteraEnPantalla(QWidget* ventana, QScreen* pantalla, bool centrada = true);

// Every box of the window whose text is a code or a number, and every list box, shows its text
// whole: never part of it as if it were the whole.
testing::AssertionResult ValoresEnteros(QWidget* ventana);
