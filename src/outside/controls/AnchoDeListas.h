#pragma once
// A list box is at least as wide as the widest entry it holds, as the box shows it, so the entry it
// shows is never cut: its designed width stays the least, and it follows its entries and its font
// as they change. An entry's tail kept out of sight behind a long run of blanks (a key the user
// is not meant to read) is not part of what the box shows.
class QComboBox;
class QString;
class QWidget;

namespace vb {

// Every list box of the window, once each.
void AnchoDeListas(QWidget* ventana);

// The part of an entry a list box shows.
QString ParteVisible(const QString& entrada);

// The width the list box takes to show each of its entries whole.
int AnchoParaEntradas(const QComboBox* lista);

}  // namespace vb
