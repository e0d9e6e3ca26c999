#pragma once
// Every input control carries as its accessible name the caption of the label beside it. Qt reads
// a text box's and a grid's name from its label itself, and keeps it current, as ListaAccesible
// does for a list box; a
// check box or a list does not look at its label, so it is given the caption here (a check box
// whose caption shows its state, "SI" or "NO", is named by its label, never by its state); so is
// the list a list box opens.
class QWidget;

namespace vb {

void NombraControles(QWidget* ventana);

}  // namespace vb
