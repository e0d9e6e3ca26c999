#pragma once
// The maker's utility object: text and number helpers, window set-up, the busy state and the
// error dialog every routine reports to.
//
// Every maker object is used through one shared instance, created on first use and kept until
// the program ends: gUtilidades(), gSistemaPC(), gArchivoIni(), gReporte(), gProgreso(),
// gEnlaceControles(), gDialogoArchivo(). A class may also be instantiated on its own (the
// database object keeps its own Utilidades).
#include "outside/runtime/ErrorVB.h"
#include "outside/runtime/ManejadorErrores.h"

#include <QString>
#include <QVariant>

class QWidget;

namespace maker {

class Utilidades {
  public:
    // A field value as text: Null gives "", dates "dd/mm/yyyy" (with " hh:mm:ss" when they carry a
    // time), numbers as VB's CStr writes them in the number locale, booleans "True"/"False".
    QString TextoCampo(const QVariant& valor) const;
    // A value as every grid and list shows it: a Boolean column's value (by the column's ADO type
    // or the value's own) "SI" or "NO", as the windows' captions say it; anything else as
    // TextoCampo.
    QString TextoCelda(const QVariant& valor, int tipoAdo = 0) const;

    // The leading number of a text in the number locale (its decimal separator; its thousands
    // separator skipped between digits); 0 for a blank or non-numeric text. ValorNumerico is a
    // currency number: rounded half away from zero to four decimals.
    double ValorNumerico(const QString& texto) const;
    // The same unrounded; raises 6 for a number too large for a double.
    double ValorDoble(const QString& texto) const;
    // The number as a 16-bit integer, rounded as VB's CInt; raises 6 when it does not fit.
    int ValorEntero(const QString& texto) const;

    // Every occurrence of each of the characters given removed.
    QString QuitaCaracter(const QString& texto, const QString& caracteres) const;
    // Every occurrence of buscar replaced (case-sensitive); an empty buscar changes nothing.
    QString Reemplaza(const QString& texto, const QString& buscar, const QString& reemplazo) const;
    // The same, blind to letter case: names inside statements are written in any case.
    QString ReemplazaTexto(const QString& texto, const QString& buscar, const QString& reemplazo) const;
    // Number of blank-separated words.
    int CantidadPalabras(const QString& texto) const;
    // Blanks on the left up to ancho; a longer text is never cut; no width returns the text.
    QString AlineaDerecha(const QString& texto, int ancho = -1) const;
    QString AlineaDerecha(QString&& texto, int ancho = -1) const;
    // Exactly n characters: cut or filled with blanks on the right.
    QString AjustaLargo(const QString& texto, int n) const;
    // A date text (day first) as the literal a statement compares with a date column: quoted
    // "dd/mm/yyyy", which the company server reads day first and the embedded engine as its date.
    // Raises 13 when the text is not a date.
    QString FechaSQL(const QString& fecha) const;
    // At most n characters.
    QString Trunca(const QString& texto, int n) const;
    // The path ending in the separator; an empty path stays empty.
    QString BarraFinal(const QString& ruta) const;

    // Standard set-up of a window when it loads: the application's icon. The window is placed on
    // its screen when it is shown (vb::EncajaEnPantalla).
    void PreparaFormulario(QWidget* formulario) const;
    // Busy indication (wait cursor) on or off. A switch, not a count: one False ends any number
    // of True.
    void Ocupado(bool ocupado);
    bool EstaOcupado() const { return ocupado_; }

    // The error dialog: shows number, description and routine and returns the operator's answer
    // through respuesta (4 repeat, 5 skip, anything else leave). botones is a MsgBox style.
    static constexpr int kBotonesPorDefecto = 18;  // Abort, Retry, Ignore with the critical icon
    void TrataError(const vb::ErrorVB& error, int botones, const QString& rutina, int& respuesta) const;
    void TrataError(const vb::ErrorVB& error, const QString& rutina, int& respuesta) const {
        TrataError(error, kBotonesPorDefecto, rutina, respuesta);
    }
    // The dialog as reporter of vb::ManejadorErrores.
    vb::Reportero Reportero(int botones = kBotonesPorDefecto) const;
    // The text the dialog shows.
    static QString TextoError(const vb::ErrorVB& error, const QString& rutina);

    // Reversible encoding of the stored password: upper-case hex of the UTF-8 bytes (no comma,
    // blank or line break). A stored text that is not such hex is returned as it stands.
    QString CodificaClave(const QString& clave) const;
    QString DecodificaClave(const QString& guardada) const;

  private:
    bool ocupado_ = false;
};

Utilidades& gUtilidades();

}  // namespace maker
