#pragma once
// The page layout every listing report of the suite shares: A4 pages, each with the company
// name, the report's title and the column heads at the top and "Página n de m" at the foot;
// body text of 9 pt; number columns right-aligned. Paper shows every figure and text whole: a
// column is as wide as its widest text, or a text wraps inside its row; a number is never cut. A report's
// renderer (registered in gReporte() under its name) reads its rows, writes them as texts in the locale's
// number form and hands them here.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace ado {
class Connection;
}

namespace maker {

struct ColumnaListado {
    QString Titulo;
    double Ancho = 1;     // share of the room the texts leave, against the other columns
    bool Numero = false;  // right-aligned
};

struct Listado {
    QString Empresa;
    QString Titulo;
    QList<ColumnaListado> Columnas;
    QList<QStringList> Filas;  // one text per column
};

// Body rows that fit on one page.
int FilasPorPagina();

// Writes the listing as a PDF; false (with a Spanish reason in error) when it could not.
bool EscribeListadoPdf(const Listado& listado, const QString& archivo, QString& error);

struct SolicitudReporte;

// The user's own folder for report files (mode 0700) in the temporary folder, made when missing;
// "" when it cannot be made or the folder of that name is not this user's.
QString CarpetaPrivadaReportes();

// The road of every listing report: the request must name the report; its connection text is
// opened, the listing read on it, written as a PDF into the folder (CarpetaPrivadaReportes when
// empty), in a new file of mode 0600 for every request, and shown with the desktop's viewer. `archivo`
// receives the PDF's path; on failure `error` says why ("No se pudo leer " + queLee + ": " and the server's
// text when the reading fails).
bool GeneraListado(const SolicitudReporte& solicitud, const QString& nombre, const QString& queLee,
                   const std::function<Listado(ado::Connection&)>& contenido, const QString& carpeta,
                   QString& archivo, QString& error);

}  // namespace maker
