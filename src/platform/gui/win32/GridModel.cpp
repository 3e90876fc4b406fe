#include "platform/gui/win32/GridModel.h"

#include <algorithm>

namespace gui::win32 {

GridModel::Row GridModel::NewRow() {
  return Row{nextKey_++, std::vector<GridCell>(static_cast<size_t>(columns_))};
}

void GridModel::SetRows(int rows) {
  rows = std::max(rows, 0);
  while (Rows() < rows) rows_.push_back(NewRow());
  if (Rows() > rows) rows_.erase(rows_.begin() + rows, rows_.end());
}

void GridModel::SetColumns(int columns) {
  columns_ = std::max(columns, 0);
  for (Row& row : rows_) row.cells.resize(static_cast<size_t>(columns_));
}

void GridModel::ClearCells() {
  for (Row& row : rows_) std::fill(row.cells.begin(), row.cells.end(), GridCell{});
}

const GridCell* GridModel::Cell(int row, int column) const {
  if (row < 0 || row >= Rows() || column < 0 || column >= columns_) return nullptr;
  return &rows_[row].cells[column];
}

bool GridModel::SetText(int row, int column, const Text& text) {
  if (!Cell(row, column)) return false;
  rows_[row].cells[column].text = text;
  return true;
}

template <class F>
bool GridModel::ForRectangle(int row1, int column1, int row2, int column2, F&& f) {
  const int top = std::max(std::min(row1, row2), 0);
  const int bottom = std::min(std::max(row1, row2), Rows() - 1);
  const int leftmost = std::max(std::min(column1, column2), 0);
  const int rightmost = std::min(std::max(column1, column2), columns_ - 1);
  if (top > bottom || leftmost > rightmost) return false;
  for (int r = top; r <= bottom; ++r)
    for (int c = leftmost; c <= rightmost; ++c) f(rows_[r].cells[c]);
  return true;
}

bool GridModel::SetAlignment(int row1, int column1, int row2, int column2, Align align) {
  return ForRectangle(row1, column1, row2, column2, [&](GridCell& cell) { cell.align = align; });
}

bool GridModel::SetColor(int row1, int column1, int row2, int column2, Color color) {
  return ForRectangle(row1, column1, row2, column2, [&](GridCell& cell) { cell.color = color; });
}

int GridModel::Append(const Text& firstCell) {
  const int row = Rows();
  SetRows(row + 1);
  SetText(row, 0, firstCell);
  return row;
}

void GridModel::Remove(int row) {
  if (row < 1 || row >= Rows()) return;
  rows_.erase(rows_.begin() + row);
}

long long GridModel::Key(int row) const {
  return row >= 0 && row < Rows() ? rows_[row].key : 0;
}

int GridModel::RowOfKey(long long key) const {
  for (int r = 0; r < Rows(); ++r)
    if (rows_[r].key == key) return r;
  return -1;
}

}  // namespace gui::win32
