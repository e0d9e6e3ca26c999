#pragma once
// While alive, numbers show and parse in the given locale.
#include "outside/runtime/Conversiones.h"

class LocaleNumeros {
  public:
    explicit LocaleNumeros(const QLocale& locale) : anterior_(vb::localeNumeros()) {
        vb::setLocaleNumeros(locale);
    }
    ~LocaleNumeros() { vb::setLocaleNumeros(anterior_); }
    LocaleNumeros(const LocaleNumeros&) = delete;
    LocaleNumeros& operator=(const LocaleNumeros&) = delete;

    static QLocale coma() { return QLocale(QLocale::Spanish, QLocale::Argentina); }
    static QLocale punto() { return QLocale(QLocale::English, QLocale::UnitedStates); }

  private:
    QLocale anterior_;
};
