#pragma once
// The maker's file-open dialog: set the title and filter, show it, read the file name and
// whether the operator cancelled.
#include <QString>

namespace maker {

class DialogoArchivo {
  public:
    QString Titulo;
    // Windows form "Description (*.ext)|*.ext|..." or Qt form "Description (*.ext);;...".
    QString Filtro;
    QString NombreArchivo;
    bool Cancelado = false;

    // Shows the dialog; returns false when the operator cancelled (NombreArchivo is then "").
    bool MostrarAbrir();

    // The Qt form of a Windows filter.
    static QString FiltroQt(const QString& filtro);
};

DialogoArchivo& gDialogoArchivo();

}  // namespace maker
