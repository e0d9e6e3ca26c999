#pragma once
// A form's control found by its object name, as an assistive tool finds it: the forms keep their
// controls to themselves. An element of a control array is named "<array>_<index>".
#include <gtest/gtest.h>
#include <QList>
#include <QObject>
#include <QString>
#include <stdexcept>
#include <string>

// The control, or a failed test that names the missing one (the test stops there).
template <class T>
T* Control(const QObject& form, const QString& nombre) {
    T* control = form.findChild<T*>(nombre);
    if (!control) {
        const std::string texto = "no control \"" + nombre.toStdString() + "\" of the expected type in " +
                                  form.objectName().toStdString();
        ADD_FAILURE() << texto;
        throw std::runtime_error(texto);
    }
    return control;
}

// Element `indice` of the control array `arreglo`.
template <class T>
T* Control(const QObject& form, const char* arreglo, int indice) {
    return Control<T>(form, QStringLiteral("%1_%2").arg(QLatin1String(arreglo)).arg(indice));
}

// Every element of the control array `arreglo`, by index from 0 up to the first missing one.
template <class T>
QList<T*> Controles(const QObject& form, const char* arreglo) {
    QList<T*> elementos;
    while (T* c =
               form.findChild<T*>(QStringLiteral("%1_%2").arg(QLatin1String(arreglo)).arg(elementos.size())))
        elementos << c;
    if (elementos.isEmpty())
        ADD_FAILURE() << "no control array \"" << arreglo << "\" in " << form.objectName().toStdString();
    return elementos;
}
