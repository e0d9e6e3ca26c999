#include "indices/ReporteIndices.h"

#include "outside/ado/Connection.h"
#include "outside/ado/Recordset.h"
#include "outside/maker/SistemaPC.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/ErrorVB.h"

#include <QDir>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

ReporteIndices::ReporteIndices(QString carpetaSalida) : carpeta_(std::move(carpetaSalida)) {}

QString ReporteIndices::ValorFormula(const QStringList& formulas, const QString& nombre) {
    for (const QString& f : formulas) {
        const int igual = f.indexOf('=');
        if (igual < 0 || f.left(igual).trimmed().compare(nombre, Qt::CaseInsensitive) != 0) continue;
        QString valor = f.mid(igual + 1).trimmed();
        if (valor.size() >= 2 && valor.startsWith('\'') && valor.endsWith('\''))
            valor = valor.mid(1, valor.size() - 2);
        return valor;
    }
    return QString();
}

bool ReporteIndices::Generar(const maker::SolicitudReporte& solicitud, QString& error) {
    if (solicitud.Nombre.compare("RP_QT040", Qt::CaseInsensitive) != 0) {
        error = "El reporte " + solicitud.Nombre + " no está disponible en este equipo.";
        return false;
    }
    const auto& f = solicitud.Formulas;
    const QString esc = "&nbsp;";
    QString html = "<h2>" + ValorFormula(f, "empresa").toHtmlEscaped() + "</h2><h3>Indices de Ajustes</h3>";
    html += "<table border='1' cellspacing='0' cellpadding='3' width='100%'><tr><th>Mes</th>";
    for (int k = 1; k <= 4; ++k)
        html += "<th>" + ValorFormula(f, QString("INDICE%1").arg(k)).toHtmlEscaped() + "</th><th>Coef.</th>";
    html += "</tr>";
    try {
        auto cn = ado::Connection::Crear();
        cn->Open(solicitud.Conexion);
        auto rs = cn->Execute("SELECT * FROM MA_INDAJUSTE ORDER BY anio, MES");
        while (!rs->Eof()) {
            html += "<tr><td>" + vb::Format(rs->valor("Mes"), "00") + "/" +
                    vb::Format(rs->valor("Anio"), "0000") + "</td>";
            for (int k = 1; k <= 4; ++k) {
                const QVariant importe = rs->valor(QString("Importe%1").arg(k));
                const QVariant indice = rs->valor(QString("Indice%1").arg(k));
                html += "<td align='right'>" +
                        (importe.isNull() || importe.toDouble() == 0 ? esc : vb::CStr(importe.toDouble())) +
                        "</td>";
                html +=
                    "<td align='right'>" +
                    (indice.isNull() || indice.toDouble() == 0 ? esc : vb::Format(indice, "#########0.000")) +
                    "</td>";
            }
            html += "</tr>";
            rs->MoveNext();
        }
        cn->Close();
    } catch (const vb::ErrorVB& e) {
        error = "No se pudo leer la tabla de índices: " + e.Description;
        return false;
    }
    html += "</table>";

    const QString carpeta = carpeta_.isEmpty() ? QDir::tempPath() : carpeta_;
    ultimo_ =
        QDir(carpeta).filePath(QString("RP_QT040-%1.pdf").arg(vb::Now().toString("yyyyMMdd-hhmmss-zzz")));
    QPdfWriter pdf(ultimo_);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setTitle("RP_QT040");
    QTextDocument doc;
    doc.setHtml(html);
    doc.setPageSize(QSizeF(pdf.width(), pdf.height()));
    doc.print(&pdf);
    if (!QFile::exists(ultimo_)) {
        error = "No se pudo escribir el archivo " + ultimo_;
        return false;
    }
    if (!maker::gSistemaPC().AbreDocumento(ultimo_)) {
        error = "No se pudo abrir el reporte " + ultimo_;
        return false;
    }
    return true;
}
