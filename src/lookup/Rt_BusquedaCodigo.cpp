#include "lookup/Rt_BusquedaCodigo.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/Teclas.h"

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

}  // namespace

void MuestraBusquedaCodigo(vb::BusquedaCodigo* control, vb::CajaTexto* TextBox, int KeyCode,
                           const QString& Modo) {
    if (!control || !TextBox) return;
    if (SinBusqueda(TextBox->Tag)) return;
    const QString guardado = TextBox->Tag;
    if (Es(TextBox->Tag, "Vt_TA_Cpte")) TextBox->Tag = "V_TA_Cpte";
    // The control reads through the user's restricted views, as every statement does.
    control->ReescribeSentencia = [](const QString& s) {
        return CNStuffContable::gBaseDatos().SS_TSinonimos(s);
    };

    if (AbreBusqueda(KeyCode) && control->BusquedaDisponible(TextBox->Tag).toBool() && !control->Visible()) {
        const int boxLeft = vb::TwipsDePixeles(TextBox->x());
        const int boxTop = vb::TwipsDePixeles(TextBox->y());
        int left = 0, top = 0;
        if (Modo == "0") {
            // Up to five containers; the last one read, the form, drops out (its offsets are
            // its place on the screen). Reading the form's own container ends the walk.
            int nivel = 0, sumaTop = 0, sumaLeft = 0, ultimoTop = 0, ultimoLeft = 0;
            const QWidget* actual = TextBox;
            for (int i = 0; i < 5; ++i) {
                ++nivel;
                if (actual->isWindow() || !actual->parentWidget()) break;
                actual = actual->parentWidget();
                ultimoTop = vb::TwipsDePixeles(actual->y());
                ultimoLeft = vb::TwipsDePixeles(actual->x());
                sumaTop += ultimoTop;
                sumaLeft += ultimoLeft;
            }
            if (nivel > 1) {
                left = boxLeft + sumaLeft - ultimoLeft;
                top = boxTop + sumaTop - ultimoTop - 20;
            } else {
                left = boxLeft;
                top = boxTop - 20;
            }
        } else if (Modo == "1") {
            left = boxLeft;
            top = boxTop - 20;
        }
        control->Move(left, top);
        const int ancho = vb::TwipsDePixeles(TextBox->width());
        control->setWidth(ancho > 3900 ? ancho : Es(TextBox->Tag, "FECHA") ? 2295 : 3900);
        control->setHeight(10 * vb::TwipsDePixeles(TextBox->height()));
        control->setVisible(true);
        control->SetFocus();
        if (control->Tabla.isEmpty())
            control->Tabla =
                TextBox->Tag.contains("FIS_", Qt::CaseInsensitive) ? TextBox->Tag.mid(4) : TextBox->Tag;
        control->Buscar = TextBox->text();
        control->Busqueda();
        TextBox->setText(control->CodigoAnt);
        control->setVisible(true);
    }
    TextBox->Tag = guardado;
}

}  // namespace Rt_BusquedaCodigo
