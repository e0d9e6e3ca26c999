#pragma once
// One column of a grid edited through a cell editor (see EditorGrilla).
#include <QString>

struct TipoColumnaGrilla {
    QString Titulo;
    QString TablaBusqueda;  // lookup table; empty for none
    QString Campo;          // the table column shown
    int Ancho = 0;          // characters, also the editor's maximum length; 0 for no limit
    bool Editable = false;
    bool Obligatorio = false;  // Enter on an empty cell opens the editor
};
