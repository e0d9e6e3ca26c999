// The list window's saved column widths, per table, in "CONSULTASLEN.QNL" beside the program:
// lines of two quoted fields, the table and its widths in twips each followed by "|".
#include "lookup/Lib_FrmCons3.h"
#include "outside/controls/ListView.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Archivos.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/ErrorVB.h"
#include "outside/runtime/Programa.h"

#include <QComboBox>
#include <QFile>
#include <algorithm>
#include <cstdio>

namespace {

QString Carpeta(maker::Utilidades& util) {
    return util.BarraFinal(vb::App().Path);
}

// A saved width as twips: the file is text anyone can edit, so a width beyond any screen (about
// 6,600 pixels) is cut to that, and one that is no positive number is 0, before it is an integer.
int AnchoGuardado(double twips) {
    constexpr double kMaximo = 100000;
    if (!(twips > 0)) return 0;
    return int(std::min(twips, kMaximo));
}

QString Comillas(const QString& texto) {
    return QLatin1Char('"') + texto + QLatin1Char('"');
}

}  // namespace

void Lib_FrmCons3::LeeAnchosColumnas() {
    const QString ruta = Carpeta(Util()) + "CONSULTASLEN.QNL";
    if (!QFile::exists(ruta)) return;
    if (TablaConsulta_.compare("Stk_ma_articulos", Qt::CaseInsensitive) == 0)
        TablaConsulta_ = "VT_MA_ARTICULOS";
    const auto items = vb::LeerItems(ruta);
    if (!items) return;
    // A line with fewer widths than columns ends the reading; what it set stays.
    for (qsizetype k = 0; k + 1 < items->size(); k += 2) {
        if (items->at(k).compare(TablaConsulta_, Qt::CaseInsensitive) != 0) continue;
        QString anchos = items->at(k + 1);
        const int n = ListView1->ColumnHeadersCount();
        for (int i = 1; i <= n; ++i) {
            const qsizetype barra = anchos.indexOf(QLatin1Char('|'));
            if (barra < 0) return;
            const int w = AnchoGuardado(Util().ValorNumerico(anchos.left(barra)));
            ListView1->setColumnHeaderWidth(i, w);
            if (i - 1 < CmbSearch.size())
                Move(CmbSearch[i - 1], ListView1->ColumnHeaderLeft(i), Top(CmbSearch[i - 1]), std::max(0, w),
                     Height(CmbSearch[i - 1]));
            anchos = anchos.mid(barra + 1);
        }
    }
}

void Lib_FrmCons3::GrabaAnchosColumnas() {
    if (!pedido_.GrabarCfg) return;
    const QString archivo = Carpeta(Util()) + "CONSULTASLEN.QNL";
    const QString aux = Carpeta(Util()) + "CONSULTASLEN.AUX";
    QStringList lineas;
    if (QFile::exists(archivo)) {
        const auto viejas = vb::LeerLineas(archivo);
        if (!viejas) vb::Raise(75, "No se pudo leer " + archivo);
        for (const QString& linea : *viejas) {
            const QStringList campos = vb::ItemsDeTexto(linea);
            if (campos.isEmpty()) continue;
            if (campos.at(0).compare(TablaConsulta_, Qt::CaseInsensitive) != 0) lineas << linea;
        }
    }
    QString anchos;
    for (int i = 1; i <= ListView1->ColumnHeadersCount(); ++i)
        anchos += QString::number(ListView1->ColumnHeaderWidth(i)) + QLatin1Char('|');
    lineas << Comillas(TablaConsulta_) + QLatin1Char(',') + Comillas(anchos);
    if (!vb::EscribirLineas(aux, lineas)) vb::Raise(75, "No se pudo escribir " + aux);
    // The rename replaces the old file in one step: a failure before it leaves that file whole.
    if (std::rename(QFile::encodeName(aux).constData(), QFile::encodeName(archivo).constData()) != 0)
        vb::Raise(75, "No se pudo reemplazar " + archivo);
}
