#include "lookup/Rt_BusquedaCodigo.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/Teclas.h"

#include <QGuiApplication>

namespace Rt_BusquedaCodigo {

namespace {

bool Es(const QString& a, const char* b) {
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

// Tables whose boxes never open a search; the first two are compared trimmed.
bool SinBusqueda(const QString& tag) {
    if (Es(tag.trimmed(), "TA_CODIGOSPOSTALES") || Es(tag.trimmed(), "ZONA")) return true;
    for (const char* t :
         {"V_MA_PRECIOSCAB", "CLASEPR", "VT_MAPINFO_CALLES", "MAPINFO_LOCALIDADES", "MAPINFO_LOCALIDADESCP",
          "AP_COMPROBANTES", "NROPRCOSTO", "REC", "OT_E", "MA_CUENTASSUC"})
        if (Es(tag, t)) return true;
    return false;
}

bool AbreBusqueda(int k) {
    return k == 32 || (k >= 48 && k <= 57) || (k >= 65 && k <= 90) || (k >= 96 && k <= 122) || k == 46 ||
           k == 8;
}

// The table a tag searches: a tag that starts with "FIS_" names it after that mark.
QString TablaDelTag(const QString& tag) {
    return tag.startsWith("FIS_", Qt::CaseInsensitive) ? tag.mid(4) : tag;
}

// A key released with Ctrl, Alt or the system key held, or over a selection, is no typing: the
// text of the box is not yet the one the user is writing (Ctrl+A, then the key that replaces it).
bool EsEdicion(const vb::CajaTexto* caja, int shift) {
    constexpr int kNoTeclea = 2 | 4;  // Ctrl, Alt
    const Qt::KeyboardModifiers vivas = QGuiApplication::keyboardModifiers();
    if ((shift & kNoTeclea) != 0 || (vivas & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    return !caja->hasSelectedText();
}

}  // namespace

void MuestraBusquedaCodigo(vb::BusquedaCodigo* control, vb::CajaTexto* TextBox, int KeyCode,
                           const QString& Modo, int Shift) {
    if (!control || !TextBox) return;
    if (SinBusqueda(TextBox->Tag)) return;
    const QString guardado = TextBox->Tag;
    if (Es(TextBox->Tag, "Vt_TA_Cpte")) TextBox->Tag = "V_TA_Cpte";
    // The control reads through the user's restricted views, as every statement does.
    control->ReescribeSentencia = [](const QString& s) {
        return CNStuffContable::gBaseDatos().SS_TSinonimos(s);
    };
    // The box's own table, never the one the control searched for another box: a free box has none.
    const QString tabla = TablaDelTag(TextBox->Tag);

    if (AbreBusqueda(KeyCode) && EsEdicion(TextBox, Shift) && !control->Visible() &&
        control->BusquedaDisponible(tabla).toBool()) {
        QPoint lugar;
        if (Modo == "0") {
            // Where the box lies in the control's own parent, the form, whatever frames hold it.
            QWidget* forma = control->parentWidget() ? control->parentWidget() : TextBox->window();
            lugar = TextBox->parentWidget() ? TextBox->mapTo(forma, QPoint(0, 0)) : TextBox->pos();
        } else if (Modo == "1") {
            lugar = TextBox->pos();
        }
        int left = 0, top = 0;
        if (Modo == "0" || Modo == "1") {
            left = vb::TwipsDePixeles(lugar.x());
            top = vb::TwipsDePixeles(lugar.y()) - 20;
        }
        control->Move(left, top);
        const int ancho = vb::TwipsDePixeles(TextBox->width());
        control->setWidth(ancho > 3900 ? ancho : Es(TextBox->Tag, "FECHA") ? 2295 : 3900);
        control->setHeight(10 * vb::TwipsDePixeles(TextBox->height()));
        // Near the window's edge the list goes where it is seen whole.
        control->Encaja(QRect(lugar, TextBox->size()));
        control->setVisible(true);
        control->SetFocus();
        control->Tabla = tabla;
        control->Buscar = TextBox->text();
        control->Busqueda();
        TextBox->setText(control->CodigoAnt);
        control->setVisible(true);
    }
    TextBox->Tag = guardado;
}

}  // namespace Rt_BusquedaCodigo
