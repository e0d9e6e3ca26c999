// Every list box of both programs is read by a screen reader as the caption beside it, never as
// the entry it shows, hidden or shown, whatever entry it holds: each one is listed here with its
// caption, and a list box no row names fails the walk.
#include "e2e/VentanasDelPrograma.h"
#include "support/Pantallas.h"

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QSet>
#include <QSignalBlocker>

namespace {

struct Lista {
    const char* formulario;  // the window's class
    const char* nombre;      // the list box's object name; ending in "_", every one so named
    const char* rotulo;      // what a screen reader reads; null: the caption of the column it searches
};

const Lista kListas[] = {
    {"FrmMA_CUENTAS", "Combo1", "Título"},
    {"FrmMA_CUENTAS", "CmbIndices", "Índice"},
    {"FrmMA_CUENTAS", "CmbMP", "Medio de Pago"},
    {"FrmMA_CUENTAS", "CmbMoneda", "Moneda"},
    {"frmAcceso", "CboPlataformaDB", "Plataforma"},
    {"Frmta_asigccosto", "CmbUnegocio", "Unidad de Negocio"},
    {"Lib_FrmCons3", "CmbSearch_", nullptr},
    {"Lib_FrmCons3Tree", "CmbSearch_0", "Código o descripción"},
};

const Lista* Fila(const QWidget* ventana, const QComboBox* c) {
    for (const Lista& l : kListas) {
        const QString nombre = QString::fromUtf8(l.nombre);
        if (ventana->inherits(l.formulario) &&
            (nombre.endsWith('_') ? c->objectName().startsWith(nombre) : c->objectName() == nombre))
            return &l;
    }
    return nullptr;
}

QString Nombre(QWidget* w) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name) : QString();
}

// The list box, and the list it opens, are read by its caption whichever entry it shows, or
// whatever is typed in it.
testing::AssertionResult LeidaPorSuRotulo(QComboBox* c, const Lista& fila) {
    const QString rotulo = fila.rotulo ? QString::fromUtf8(fila.rotulo) : Nombre(c);
    if (rotulo.trimmed().isEmpty()) return testing::AssertionFailure() << "sin nombre";
    if (fila.rotulo && c->view()->accessibleName() != rotulo)
        return testing::AssertionFailure()
               << "su lista se llama \"" << c->view()->accessibleName().toStdString() << "\"";
    const QSignalBlocker bloqueo(c);
    const int antes = c->currentIndex();
    QStringList valores;
    for (int i = 0; i < std::min(c->count(), 20); ++i) {
        c->setCurrentIndex(i);
        valores << c->currentText();
        if (Nombre(c) != rotulo)
            return testing::AssertionFailure() << "se lee \"" << Nombre(c).toStdString() << "\" mostrando \""
                                               << c->currentText().trimmed().toStdString() << "\"";
    }
    c->setCurrentIndex(antes);
    if (c->isEditable() && c->lineEdit()) {
        const QSignalBlocker bloqueoTexto(c->lineEdit());
        const QString texto = c->lineEdit()->text();
        c->lineEdit()->setText(QStringLiteral("ZZ99"));
        const QString leido = Nombre(c);
        c->lineEdit()->setText(texto);
        if (leido != rotulo)
            return testing::AssertionFailure() << "se lee lo tecleado: " << leido.toStdString();
    }
    return testing::AssertionSuccess();
}

TEST(EveryListBox, IsReadByItsCaptionWhateverEntryItShows) {
    QScreen* pantalla = PantallaDePrueba("1280x1024");
    if (!pantalla) GTEST_SKIP() << "sin las pantallas de la suite";
    QSet<const Lista*> vistas;
    for (const Ventana& ventana : VentanasDelPrograma()) {
        SCOPED_TRACE(ventana.nombre);
        ventana.abre(pantalla, [&](QWidget* w) {
            // Qt's own file dialog names its controls in its own way.
            if (qobject_cast<QFileDialog*>(w)) return;
            for (QComboBox* c : w->findChildren<QComboBox*>()) {
                const Lista* fila = Fila(w, c);
                if (!fila) {
                    ADD_FAILURE() << c->objectName().toStdString() << " de " << w->metaObject()->className()
                                  << " no está en la tabla";
                    continue;
                }
                vistas.insert(fila);
                EXPECT_TRUE(LeidaPorSuRotulo(c, *fila)) << c->objectName().toStdString();
            }
        });
    }
    for (const Lista& l : kListas) EXPECT_TRUE(vistas.contains(&l)) << l.formulario << " " << l.nombre;
}

}  // namespace
