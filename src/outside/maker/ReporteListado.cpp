#include "outside/maker/ReporteListado.h"

#include "outside/ado/Connection.h"
#include "outside/maker/Reporte.h"
#include "outside/maker/SistemaPC.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/ErrorVB.h"
#include "outside/runtime/LogErrores.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryFile>
#include <cmath>
#include <numeric>

namespace maker {

namespace {

// Sizes in points; the writer works at ten device units per point.
constexpr int kResolucion = 720;
constexpr double kUnidades = kResolucion / 72.0;
constexpr double kMargenMm = 15;
constexpr double kCuerpo = 9;
constexpr double kEncabezado = 11;
constexpr double kFila = 13;
constexpr double kInicioCabeceras = 34;
constexpr double kInicioCuerpo = kInicioCabeceras + kFila + 2;
constexpr double kPie = 20;
constexpr double kRelleno = 2;

double AltoPagina() {
    const QPageLayout pagina(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                             QMarginsF(kMargenMm, kMargenMm, kMargenMm, kMargenMm), QPageLayout::Millimeter);
    return pagina.paintRect(QPageLayout::Point).height();
}

QFont Fuente(double puntos, bool negrita) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(puntos);
    f.setBold(negrita);
    return f;
}

QRectF Rect(double x, double y, double ancho, double alto) {
    return QRectF(x * kUnidades, y * kUnidades, ancho * kUnidades, alto * kUnidades);
}

}  // namespace

int FilasPorPagina() {
    return std::max(1, int(std::floor((AltoPagina() - kInicioCuerpo - kPie) / kFila)));
}

namespace {

// How a listing lies on its pages: the orientation, the page's width and where each column starts
// and how wide it is, in points.
struct Diseno {
    QPageLayout::Orientation orientacion = QPageLayout::Portrait;
    double ancho = 0;
    QList<double> xs, anchos;
};

QPageLayout Pagina(QPageLayout::Orientation orientacion) {
    return QPageLayout(QPageSize(QPageSize::A4), orientacion,
                       QMarginsF(kMargenMm, kMargenMm, kMargenMm, kMargenMm), QPageLayout::Millimeter);
}

// A text's width in points, measured as the writer draws it.
double Puntos(const QFontMetricsF& fm, const QString& texto) {
    return fm.horizontalAdvance(texto) / kUnidades;
}

double PalabraMayor(const QFontMetricsF& fm, const QString& texto) {
    double mayor = 0;
    for (const QString& palabra : texto.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        mayor = std::max(mayor, Puntos(fm, palabra));
    return mayor;
}

// Each column's whole width (its widest text) and its least one (its widest number, or its
// longest word, which a text wraps around), with the cell's margins.
void MideColumnas(const Listado& l, const QFontMetricsF& cuerpo, const QFontMetricsF& cabecera,
                  QList<double>& entero, QList<double>& minimo) {
    for (int c = 0; c < l.Columnas.size(); ++c) {
        const ColumnaListado& col = l.Columnas[c];
        double todo = Puntos(cabecera, col.Titulo), palabra = PalabraMayor(cabecera, col.Titulo);
        for (const QStringList& fila : l.Filas) {
            if (c >= fila.size()) continue;
            const double w = Puntos(cuerpo, fila[c]);
            todo = std::max(todo, w);
            palabra = std::max(palabra, col.Numero ? w : PalabraMayor(cuerpo, fila[c]));
        }
        entero << std::ceil(todo) + 2 * kRelleno;
        minimo << std::ceil(palabra) + 2 * kRelleno;
    }
}

// Every column as wide as its widest text when the page holds them all, the room left shared in
// proportion to the columns' widths. Otherwise every number keeps its whole width and the texts
// wrap inside their rows, never narrower than their longest word, taking the room left up to
// their whole width; when not even that fits a portrait page, the page turns. False when not
// even a landscape page holds the numbers.
bool Distribuye(const Listado& l, const QFontMetricsF& cuerpo, const QFontMetricsF& cabecera, Diseno& d) {
    QList<double> entero, minimo;
    MideColumnas(l, cuerpo, cabecera, entero, minimo);
    const auto suma = [](const QList<double>& v) { return std::accumulate(v.begin(), v.end(), 0.0); };
    const auto peso = [&](int c) { return std::max(l.Columnas[c].Ancho, 0.0); };
    bool cabe = false;
    for (const auto orientacion : {QPageLayout::Portrait, QPageLayout::Landscape}) {
        d.orientacion = orientacion;
        d.ancho = Pagina(orientacion).paintRect(QPageLayout::Point).width();
        cabe = suma(minimo) <= d.ancho;
        if (cabe) break;
    }
    const bool holgado = suma(entero) <= d.ancho;
    d.anchos = holgado ? entero : minimo;
    if (!cabe) {
        // The numbers share what the texts leave, in proportion to their widths; one that does not
        // fit its share is marked instead of printed in part.
        double textos = 0, numeros = 0;
        for (int c = 0; c < l.Columnas.size(); ++c) (l.Columnas[c].Numero ? numeros : textos) += minimo[c];
        const double factor = numeros > 0 ? std::max(0.0, d.ancho - textos) / numeros : 0;
        for (int c = 0; c < l.Columnas.size(); ++c)
            if (l.Columnas[c].Numero) d.anchos[c] = minimo[c] * factor;
    }
    double libre = d.ancho - suma(d.anchos);
    // A few rounds: a text that reaches its whole width leaves its share to the others.
    for (int vuelta = 0; vuelta < 8 && libre > 0.5; ++vuelta) {
        double pesos = 0;
        for (int c = 0; c < l.Columnas.size(); ++c)
            if (holgado || d.anchos[c] < entero[c]) pesos += peso(c);
        if (pesos <= 0) break;
        double dado = 0;
        for (int c = 0; c < l.Columnas.size(); ++c) {
            if (!holgado && d.anchos[c] >= entero[c]) continue;
            double mas = libre * peso(c) / pesos;
            if (!holgado) mas = std::min(mas, entero[c] - d.anchos[c]);
            d.anchos[c] += mas;
            dado += mas;
        }
        libre -= dado;
    }
    double x = 0;
    for (const double a : std::as_const(d.anchos)) {
        d.xs << x;
        x += a;
    }
    return cabe;
}

// A4 with the listing's margins; the title and the company as the file's properties.
void PrepararPdf(QPdfWriter& pdf, const Listado& listado, QPageLayout::Orientation orientacion) {
    pdf.setPageLayout(Pagina(orientacion));
    pdf.setTitle(listado.Titulo);
    pdf.setCreator(listado.Empresa);
}

}  // namespace

bool EscribeListadoPdf(const Listado& listado, const QString& archivo, QString& error) {
    QPdfWriter pdf(archivo);
    pdf.setResolution(kResolucion);
    const QFont cuerpo = Fuente(kCuerpo, false);
    const QFont cabecera = Fuente(kCuerpo, true);
    const QFont titulo = Fuente(kEncabezado, true);
    const QFontMetricsF fmCuerpo(cuerpo, &pdf), fmCabecera(cabecera, &pdf);
    Diseno d;
    const bool numerosEnteros = Distribuye(listado, fmCuerpo, fmCabecera, d);
    PrepararPdf(pdf, listado, d.orientacion);

    QPainter p;
    if (!p.begin(&pdf)) {
        error = QStringLiteral("No se pudo escribir el archivo ") + archivo;
        return false;
    }
    const double alto = Pagina(d.orientacion).paintRect(QPageLayout::Point).height();
    QPen linea(Qt::black);
    linea.setWidthF(0.5 * kUnidades);

    // A text wraps inside its cell; a number is one line, whole, or (when not even a turned page
    // holds it) a row of marks instead of a part of it.
    const auto texto = [&](int c, const QString& t, const QFontMetricsF& fm) {
        if (!listado.Columnas[c].Numero || numerosEnteros) return t;
        const double lugar = d.anchos[c] - 2 * kRelleno;
        return Puntos(fm, t) <= lugar ? t : QString(int(lugar / Puntos(fm, QStringLiteral("#"))), '#');
    };
    const auto lineas = [&](int c, const QString& t, const QFontMetricsF& fm) {
        if (listado.Columnas[c].Numero || t.isEmpty()) return 1;
        const QRectF caja(0, 0, (d.anchos[c] - 2 * kRelleno) * kUnidades, 1e6);
        const QRectF usado = fm.boundingRect(caja, Qt::TextWordWrap, t);
        return std::max(1, int(std::lround(usado.height() / fm.lineSpacing())));
    };
    const auto alturaFila = [&](const QStringList& fila, const QFontMetricsF& fm) {
        int n = 1;
        for (int c = 0; c < listado.Columnas.size() && c < fila.size(); ++c)
            n = std::max(n, lineas(c, fila[c], fm));
        return n * kFila;
    };
    // Every cell starts on the row's first line, as a one-line row would show it.
    const auto celda = [&](int c, double y, double altoFila, const QString& t, const QFontMetricsF& fm) {
        const double arriba = (kFila - fm.lineSpacing() / kUnidades) / 2;
        const QRectF r = Rect(d.xs[c] + kRelleno, y + arriba, d.anchos[c] - 2 * kRelleno, altoFila - arriba);
        const int alineacion = listado.Columnas[c].Numero ? Qt::AlignRight : Qt::AlignLeft | Qt::TextWordWrap;
        p.drawText(r, alineacion | Qt::AlignTop, texto(c, t, fm));
    };

    QStringList titulos;
    for (const ColumnaListado& c : listado.Columnas) titulos << c.Titulo;
    const double altoCabeceras = alturaFila(titulos, fmCabecera);
    const double inicioCuerpo = kInicioCabeceras + altoCabeceras + 2;
    // Where each page starts: the rows that fit above its foot.
    QList<double> altos;
    QList<int> inicios{0};
    double y = inicioCuerpo;
    for (int i = 0; i < listado.Filas.size(); ++i) {
        altos << alturaFila(listado.Filas[i], fmCuerpo);
        if (y + altos[i] > alto - kPie && i > inicios.last()) {
            inicios << i;
            y = inicioCuerpo;
        }
        y += altos[i];
    }
    const int paginas = int(inicios.size());
    for (int pagina = 0; pagina < paginas; ++pagina) {
        if (pagina > 0) pdf.newPage();
        p.setFont(titulo);
        p.drawText(Rect(0, 0, d.ancho, 15), Qt::AlignLeft | Qt::AlignVCenter, listado.Empresa);
        p.drawText(Rect(0, 15, d.ancho, 15), Qt::AlignLeft | Qt::AlignVCenter, listado.Titulo);
        p.setFont(cabecera);
        for (int c = 0; c < listado.Columnas.size(); ++c)
            celda(c, kInicioCabeceras, altoCabeceras, titulos[c], fmCabecera);
        p.setPen(linea);
        const double bajoCabeceras = (kInicioCabeceras + altoCabeceras + 1) * kUnidades;
        p.drawLine(QPointF(0, bajoCabeceras), QPointF(d.ancho * kUnidades, bajoCabeceras));
        p.setPen(Qt::black);

        p.setFont(cuerpo);
        const int hasta = pagina + 1 < paginas ? inicios[pagina + 1] : int(listado.Filas.size());
        double yFila = inicioCuerpo;
        for (int i = inicios[pagina]; i < hasta; ++i) {
            const QStringList& fila = listado.Filas[i];
            for (int c = 0; c < listado.Columnas.size() && c < fila.size(); ++c)
                celda(c, yFila, altos[i], fila[c], fmCuerpo);
            yFila += altos[i];
        }
        p.drawText(Rect(0, alto - kPie + 4, d.ancho, kFila), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("Página %1 de %2").arg(pagina + 1).arg(paginas));
    }
    if (!p.end() || !QFile::exists(archivo)) {
        error = QStringLiteral("No se pudo escribir el archivo ") + archivo;
        return false;
    }
    return true;
}

QString CarpetaPrivadaReportes() {
    return vb::CarpetaPrivada(QDir::tempPath(), QStringLiteral("indajuste-reportes"));
}

bool GeneraListado(const SolicitudReporte& solicitud, const QString& nombre, const QString& queLee,
                   const std::function<Listado(ado::Connection&)>& contenido, const QString& carpeta,
                   QString& archivo, QString& error) {
    if (solicitud.Nombre.compare(nombre, Qt::CaseInsensitive) != 0) {
        error = "El reporte " + solicitud.Nombre + " no está disponible en este equipo.";
        return false;
    }
    Listado listado;
    try {
        auto cn = ado::Connection::Crear();
        cn->Open(solicitud.Conexion);
        listado = contenido(*cn);
        cn->Close();
    } catch (const vb::ErrorVB& e) {
        error = "No se pudo leer " + queLee + ": " + e.Description;
        return false;
    }
    const QString destino = carpeta.isEmpty() ? CarpetaPrivadaReportes() : carpeta;
    if (destino.isEmpty()) {
        error =
            QStringLiteral("No se pudo preparar la carpeta privada de los reportes en ") + QDir::tempPath();
        return false;
    }
    // A file of its own for every request, readable by its user alone.
    QTemporaryFile nuevo(QDir(destino).filePath(
        QString("%1-%2-XXXXXX.pdf").arg(nombre, vb::Now().toString("yyyyMMdd-hhmmss"))));
    nuevo.setAutoRemove(false);
    if (!nuevo.open()) {
        error = QStringLiteral("No se pudo crear el archivo del reporte en ") + destino;
        return false;
    }
    archivo = nuevo.fileName();
    nuevo.close();
    if (!EscribeListadoPdf(listado, archivo, error)) {
        QFile::remove(archivo);
        return false;
    }
    if (!gSistemaPC().AbreDocumento(archivo)) {
        error = "No se pudo abrir el reporte " + archivo;
        return false;
    }
    return true;
}

}  // namespace maker
