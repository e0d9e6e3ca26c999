#pragma once
// A list or table that Tab leaves for the next control and Shift+Tab for the previous one, with
// Ctrl or without, instead of moving from cell to cell: the buttons after it are reached by
// keyboard.
class QAbstractItemView;

namespace vb {

void SaleConTab(QAbstractItemView* vista);

}  // namespace vb
