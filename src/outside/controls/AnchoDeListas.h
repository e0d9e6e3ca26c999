#pragma once
// A list box is at least as wide as the entry it shows, so that entry is never cut: its designed
// width stays the least, and it follows the entry chosen, its entries and its font as they change.
// An entry's tail kept out of sight behind a long run of blanks (a key the user is not meant to
// read) is not part of what the box shows. A list box that takes typing scrolls its text as a text
// box does.
class QComboBox;
class QString;
class QWidget;

namespace vb {

// Every list box of the window, once each.
void AnchoDeListas(QWidget* ventana);

// The part of an entry a list box shows.
QString ParteVisible(const QString& entrada);

// The width the list box takes to show its entry whole.
int AnchoParaEntrada(const QComboBox* lista);

}  // namespace vb
