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

// Where each column starts and how wide it is: the page's width shared in proportion to the
// columns' widths.
void RepartirAncho(const Listado& listado, double ancho, QList<double>& xs, QList<double>& anchos) {
    double total = 0;
    for (const auto& c : listado.Columnas) total += std::max(c.Ancho, 0.0);
    double x = 0;
    for (const auto& c : listado.Columnas) {
        const double a = total > 0 ? ancho * std::max(c.Ancho, 0.0) / total : 0;
        xs << x;
        anchos << a;
        x += a;
    }
}

// A4 portrait with the listing's margins; the title and the company as the file's properties.
void PrepararPdf(QPdfWriter& pdf, const Listado& listado) {
    pdf.setResolution(kResolucion);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(kMargenMm, kMargenMm, kMargenMm, kMargenMm),
                                  QPageLayout::Millimeter));
    pdf.setTitle(listado.Titulo);
    pdf.setCreator(listado.Empresa);
}

}  // namespace

bool EscribeListadoPdf(const Listado& listado, const QString& archivo, QString& error) {
    QPdfWriter pdf(archivo);
    PrepararPdf(pdf, listado);

    QPainter p;
    if (!p.begin(&pdf)) {
        error = QStringLiteral("No se pudo escribir el archivo ") + archivo;
        return false;
    }
    const double ancho = pdf.width() / kUnidades;
    const double alto = AltoPagina();
    QList<double> xs, anchos;
    RepartirAncho(listado, ancho, xs, anchos);

    const int porPagina = FilasPorPagina();
    const int paginas = std::max(1, int((listado.Filas.size() + porPagina - 1) / porPagina));
    const QFont cuerpo = Fuente(kCuerpo, false);
    const QFont cabecera = Fuente(kCuerpo, true);
    const QFont titulo = Fuente(kEncabezado, true);
    QPen linea(Qt::black);
    linea.setWidthF(0.5 * kUnidades);

    const auto celda = [&](int c, double y, const QString& texto, const QFont& fuente) {
        const QRectF r = Rect(xs[c] + kRelleno, y, anchos[c] - 2 * kRelleno, kFila);
        const QFontMetricsF fm(fuente, &pdf);
        const QString visible = fm.elidedText(texto, Qt::ElideRight, r.width());
        const int alineacion = listado.Columnas[c].Numero ? Qt::AlignRight : Qt::AlignLeft;
        p.drawText(r, alineacion | Qt::AlignVCenter, visible);
    };

    for (int pagina = 0; pagina < paginas; ++pagina) {
        if (pagina > 0) pdf.newPage();
        p.setFont(titulo);
        p.drawText(Rect(0, 0, ancho, 15), Qt::AlignLeft | Qt::AlignVCenter, listado.Empresa);
        p.drawText(Rect(0, 15, ancho, 15), Qt::AlignLeft | Qt::AlignVCenter, listado.Titulo);
        p.setFont(cabecera);
        for (int c = 0; c < listado.Columnas.size(); ++c)
            celda(c, kInicioCabeceras, listado.Columnas[c].Titulo, cabecera);
        p.setPen(linea);
        const double bajoCabeceras = (kInicioCabeceras + kFila + 1) * kUnidades;
        p.drawLine(QPointF(0, bajoCabeceras), QPointF(ancho * kUnidades, bajoCabeceras));
        p.setPen(Qt::black);

        p.setFont(cuerpo);
        const int desde = pagina * porPagina;
        const int hasta = std::min(int(listado.Filas.size()), desde + porPagina);
        for (int i = desde; i < hasta; ++i) {
            const double y = kInicioCuerpo + (i - desde) * kFila;
            const QStringList& fila = listado.Filas[i];
            for (int c = 0; c < listado.Columnas.size() && c < fila.size(); ++c) celda(c, y, fila[c], cuerpo);
        }
        p.drawText(Rect(0, alto - kPie + 4, ancho, kFila), Qt::AlignRight | Qt::AlignVCenter,
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
