#include "platform/gui/qt/GridModel.h"

#include <QColor>
#include <algorithm>

#include "platform/gui/qt/Gbk.h"

namespace gui::qt {
namespace {

QVariant AlignmentOf(Align align) {
  Qt::Alignment horizontal = align == Align::Center  ? Qt::AlignHCenter
                             : align == Align::Right ? Qt::AlignRight
                                                     : Qt::AlignLeft;
  return QVariant::fromValue(horizontal | Qt::AlignVCenter);
}

// Platform colour 0x00BBGGRR.
QColor ColorOf(Color color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

QVariant CellData(const GridCell& cell, Align align, int role) {
  switch (role) {
    case Qt::DisplayRole:
      return cell.shown;
    case Qt::TextAlignmentRole:
      return AlignmentOf(align);
    case Qt::ForegroundRole:
      return cell.color == kDefaultTextColor ? QVariant() : QVariant(ColorOf(cell.color));
    default:
      return {};
  }
}

}  // namespace

int GridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(0, Rows() - 1);
}

int GridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  const GridCell* cell = index.isValid() ? Cell(index.row() + 1, index.column()) : nullptr;
  return cell ? CellData(*cell, Alignment(index.row() + 1, index.column()), role) : QVariant();
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  const GridCell* cell = orientation == Qt::Horizontal ? Cell(0, section) : nullptr;
  return cell ? CellData(*cell, Alignment(0, section), role) : QVariant();
}

GridModel::Row GridModel::NewRow() {
  return Row{nextKey_++, std::vector<GridCell>(columns_)};
}

void GridModel::SetRows(int rows) {
  rows = std::max(rows, 0);
  if (rows > Rows()) {
    if (rows_.empty()) {
      rows_.push_back(NewRow());
      Changed(0, 0, 0, columns_ - 1);
    }
    if (rows > Rows()) {
      beginInsertRows({}, Rows() - 1, rows - 2);
      while (Rows() < rows) rows_.push_back(NewRow());
      endInsertRows();
    }
  } else if (rows < Rows()) {
    const int keep = std::max(rows, 1);
    if (Rows() > keep) {
      beginRemoveRows({}, keep - 1, Rows() - 2);
      rows_.erase(rows_.begin() + keep, rows_.end());
      endRemoveRows();
    }
    if (rows == 0) {
      rows_.clear();
      Changed(0, 0, 0, columns_ - 1);
    }
  }
}

void GridModel::SetColumns(int columns) {
  columns = std::max(columns, 0);
  if (columns > columns_) {
    beginInsertColumns({}, columns_, columns - 1);
    for (Row& row : rows_) row.cells.resize(columns);
    columns_ = columns;
    endInsertColumns();
  } else if (columns < columns_) {
    beginRemoveColumns({}, columns, columns_ - 1);
    for (Row& row : rows_) row.cells.resize(columns);
    // A column added again later starts without alignment.
    for (AlignedRange& range : alignedRanges_) range.column2 = std::min(range.column2, columns - 1);
    std::erase_if(alignedRanges_, [](const AlignedRange& r) { return r.column1 > r.column2; });
    columns_ = columns;
    endRemoveColumns();
  }
}

void GridModel::ClearCells() {
  for (Row& row : rows_) std::fill(row.cells.begin(), row.cells.end(), GridCell{});
  alignedRanges_.clear();
  Changed(0, 0, Rows() - 1, columns_ - 1);
}

const GridCell* GridModel::Cell(int row, int column) const {
  if (row < 0 || row >= Rows() || column < 0 || column >= columns_) return nullptr;
  return &rows_[row].cells[column];
}

void GridModel::SetText(int row, int column, const Text& text) {
  if (!Cell(row, column)) return;
  GridCell& cell = rows_[row].cells[column];
  cell.text = text;
  cell.shown = ToQString(text);
  Changed(row, column, row, column);
}

template <class F>
void GridModel::ForRectangle(int row1, int column1, int row2, int column2, F&& f) {
  const int top = std::max(std::min(row1, row2), 0);
  const int bottom = std::min(std::max(row1, row2), Rows() - 1);
  const int leftmost = std::max(std::min(column1, column2), 0);
  const int rightmost = std::min(std::max(column1, column2), columns_ - 1);
  if (top > bottom || leftmost > rightmost) return;
  for (int r = top; r <= bottom; ++r)
    for (int c = leftmost; c <= rightmost; ++c) f(rows_[r].cells[c]);
  Changed(top, leftmost, bottom, rightmost);
}

void GridModel::SetAlignment(int row1, int column1, int row2, int column2, Align align) {
  const int top = std::max(std::min(row1, row2), 0);
  const int bottom = std::min(std::max(row1, row2), Rows() - 1);
  const int leftmost = std::max(std::min(column1, column2), 0);
  const int rightmost = std::min(std::max(column1, column2), columns_ - 1);
  if (top > bottom || leftmost > rightmost) return;
  AlignedRange range{rows_[top].key, rows_[bottom].key, leftmost, rightmost, align};
  // A rectangle that the new one covers can no longer be seen: dropping it
  // keeps the list short when a growing range is aligned again and again.
  std::erase_if(alignedRanges_, [&](const AlignedRange& old) {
    return range.firstKey <= old.firstKey && old.lastKey <= range.lastKey &&
           range.column1 <= old.column1 && old.column2 <= range.column2;
  });
  alignedRanges_.push_back(range);
  Changed(top, leftmost, bottom, rightmost);
}

Align GridModel::Alignment(int row, int column) const {
  if (!Cell(row, column)) return Align::Left;
  const long long key = rows_[row].key;
  for (auto r = alignedRanges_.rbegin(); r != alignedRanges_.rend(); ++r) {
    if (r->firstKey <= key && key <= r->lastKey && r->column1 <= column && column <= r->column2) {
      return r->align;
    }
  }
  return Align::Left;
}

void GridModel::SetColor(int row1, int column1, int row2, int column2, Color color) {
  ForRectangle(row1, column1, row2, column2, [&](GridCell& cell) { cell.color = color; });
}

int GridModel::Append(const Text& firstCell) {
  const int row = Rows();
  SetRows(row + 1);
  SetText(row, 0, firstCell);
  return row;
}

void GridModel::Remove(int row) {
  if (row < 1 || row >= Rows()) return;
  beginRemoveRows({}, row - 1, row - 1);
  rows_.erase(rows_.begin() + row);
  endRemoveRows();
}

long long GridModel::Key(int row) const {
  return row >= 0 && row < Rows() ? rows_[row].key : 0;
}

int GridModel::RowOfKey(long long key) const {
  for (int r = 0; r < Rows(); ++r)
    if (rows_[r].key == key) return r;
  return -1;
}

void GridModel::Changed(int row1, int column1, int row2, int column2) {
  if (column2 < column1 || row2 < row1) return;
  if (row1 == 0) emit headerDataChanged(Qt::Horizontal, column1, column2);
  const int first = std::max(row1, 1);
  if (first <= row2) emit dataChanged(index(first - 1, column1), index(row2 - 1, column2));
}

}  // namespace gui::qt
