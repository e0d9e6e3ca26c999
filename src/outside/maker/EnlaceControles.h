#pragma once
// The maker's binder of a window's data boxes: a text box is bound to the column its DataField
// names.
#include "outside/controls/Teclas.h"

#include <QList>
#include <QString>

class QWidget;

namespace vb {
class CajaTexto;
}

namespace ado {
class Recordset;
}

namespace maker {

class EnlaceControles {
  public:
    // Shows the current record of rs in the boxes bound to its columns (names compared
    // case-blind); with no current record the bound boxes are emptied. Boxes bound to no column
    // of rs are left alone.
    void MuestraRegistro(const QList<vb::CajaTexto*>& cajas, ado::Recordset& rs) const;

    // No mode: empties every bound text box of the window. Mode 2 (configure): leaves the texts
    // as they are.
    static constexpr int kModoConfigurar = 2;
    void IniciaControles(QWidget* formulario, int modo = 0) const;
    void PreparaFormulario(QWidget* formulario, int modo = 0) const { IniciaControles(formulario, modo); }

    // Whether the key ends the edit of a field: Enter, Escape, Up and Down. Tab is left to the
    // focus chain.
    bool TeclaSalida(int codigoTecla) const;
    bool TeclaSalida(int codigoTecla, bool& termina) const {
        termina = TeclaSalida(codigoTecla);
        return termina;
    }

    // Enter and Down move the focus to the next control that can take it, Up to the previous one;
    // other keys leave it. desde is the control the key came from (the focused one when null).
    void MueveFoco(int codigoTecla, QWidget* desde = nullptr) const;

    // Key filter of a bound control. Every key is let through as it is: the window's own
    // filters (upper case) come after this one.
    void FiltraTecla(QWidget* control, int& codigoAscii) const;

    // Binds the boxes to a table of a connection: each keeps the table its column belongs to
    // (property "TablaEnlazada"), so showing and writing a row need only the column names.
    void EnlazaControles(const QList<vb::CajaTexto*>& cajas, const QString& tabla,
                         const QString& conexion) const;

    // Index in cajas of the box bound to columna (case-blind), -1 when none.
    int CampoEnlazado(const QString& columna, const QList<vb::CajaTexto*>& cajas) const;
};

EnlaceControles& gEnlaceControles();

}  // namespace maker
