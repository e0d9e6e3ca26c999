#pragma once
// A form's control found by its object name, as the tests find it (element i of a control array
// is "<array>_<i>"). A missing control ends the benchmark with its name.
#include <QObject>
#include <QString>

#include <cstdio>
#include <cstdlib>

template <class T>
T* Control(const QObject& form, const QString& nombre) {
    T* control = form.findChild<T*>(nombre);
    if (!control) {
        std::fprintf(stderr, "no control \"%s\" in %s\n", qPrintable(nombre), qPrintable(form.objectName()));
        std::abort();
    }
    return control;
}

template <class T>
T* Control(const QObject& form, const char* arreglo, int indice) {
    return Control<T>(form, QStringLiteral("%1_%2").arg(QLatin1String(arreglo)).arg(indice));
}
